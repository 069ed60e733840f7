// Which pictures, fonts, models and sounds are loaded when, the loading
// bar that start-up and the level loading screen show, and the scrolling
// background several menus share.
#pragma once
#include "gfx/surface.h"

struct VoxelModel;
struct LevelLayout;

// Start-up slots: loaded once, reloaded on an orientation change.
extern Surface* fontPictures[2];
extern Surface* iconsPicture;
extern Surface* hudMap;
extern Surface* hudTime;
extern Surface* hudLap;
extern Surface* hudPlace;
extern Surface* hudOob;
extern VoxelModel* bikeModel;
extern LevelLayout* levelLayout; // the current level's layout

const double BIKE_MODEL_SCALE = 0.7;
const int STARTUP_BAR_SEGMENTS = 25;

// Behind the start-up loading bar: the high scores, fonts, riders, the
// track and layout, icons, race display pieces, the bike model and every
// sound. The settings are read and the orientation set before it.
void loadStartupAssets();
// After setOrientation: the start-up pictures and the bike model again,
// laid out for the new orientation.
void reloadOrientationAssets();
void freeStartupAssets();
// The bike model made again from its file, in the given colour schemes.
void rebuildBikeModel(int bikeColour, int bodyColour);
// Frees a picture slot; freeing an empty one does nothing.
void freePicture(Surface** slot);

void drawLoadingBar(Surface* target, const char* label, int y, int filled, int segments, int segmentWidth);
void drawWideLoadingBar(const char* label, int filled, int total);

// The drifting tiled background of the menus.
void loadScrollingBackground();
void drawScrollingBackground(Surface* target, uint32_t counter);
void freeScrollingBackground();
