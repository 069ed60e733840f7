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

// Sound ids of the start-up table.
enum {
    SOUND_CHECKPOINT = 0,
    SOUND_THEME = 3,
    SOUND_WALL_HIT = 4,
    SOUND_START_LOW = 5,
    SOUND_START_HIGH = 6,
    SOUND_BUMP = 11,
    SOUND_SKID = 12,
    SOUND_BACKGROUND = 13,
    SOUND_IDLE = 20,
    SOUND_ENGINE = 21,
    SOUND_FULL_THROTTLE = 22,
    SOUND_WIND_DOWN = 23,
};

const double BIKE_MODEL_SCALE = 0.7;
const int STARTUP_BAR_SEGMENTS = 25;

void loadStartupAssets();
void reloadOrientationAssets();
void freeStartupAssets();
// Frees a picture slot; freeing an empty one does nothing.
void freePicture(Surface** slot);

void drawLoadingBar(Surface* target, const char* label, int y, int filled, int segments, int segmentWidth);
void drawWideLoadingBar(const char* label, int filled, int total);

// The drifting tiled background of the menus.
void loadScrollingBackground();
void drawScrollingBackground(Surface* target, uint32_t counter);
void freeScrollingBackground();
