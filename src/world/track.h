// The terrain of a level: the pre-rendered colour picture, its depth
// picture (the surface model) and the top-view height model, the fixed
// projection of world points into the picture, the queries the riders use,
// and the track build that paints the level's layout into them.
#pragma once
#include "gfx/surface.h"
#include "world/geometry.h"
#include "world/levels.h"

#include <cstdint>

const int WORLD_SIZE = 2048;       // world units across and deep
const int HEIGHT_MODEL_SIZE = 512; // cells across; one cell is 4 world units

// Height-model cell: height in bits 0..7, checkpoint number in 8..11 (the
// build ORs k << 8, so a 16th checkpoint lands in bit 12), keep-out in 15.
const uint16_t CELL_HEIGHT_MASK = 0x00FF;
const int CELL_CHECKPOINT_SHIFT = 8;
const uint16_t CELL_CHECKPOINT_MASK = 0x0F00;
const uint16_t CELL_KEEPOUT = 0x8000;

struct Track {
    int32_t scrollX;      // picture column at the view's left edge
    int32_t scrollY;      // view offset upward from the picture's bottom
    int32_t worldWidth;
    int32_t worldDepth;
    Surface* terrain;     // the colour view, "track%d.jpg"
    Surface* surfaceModel; // depth of the visible terrain, half resolution, "track%dd.png"
    Surface* heightModel; // 512 x 512 top view turned by 180 degrees, "track%d.png"
};

// The one terrain of the program.
extern Track track;

// Scroll 0/0, a 2048 x 2048 world and no pictures (any held are freed).
void createTrack(Track* t);
// Frees whichever of the three pictures exist.
void releaseTrack(Track* t);

// Each loader frees the picture it replaces. The terrain picture always
// ends up with a surface (a missing one is reported and replaced by the
// 5 x 5 black picture); the two data pictures stay empty when they cannot
// be read, and their loaders then return 0.
void loadTerrainPicture(Track* t, int trackNumber);
int loadSurfaceModel(Track* t, int trackNumber);
int loadHeightModel(Track* t, int trackNumber);
// Loads the three pictures of the level description's track number (height
// model, terrain picture, surface model), then builds the track for level N.
void loadTrackPictures(Track* t, int level);

// World points to the picture and the screen. The screen is a target of
// the given height showing the picture at the track's scroll. 1161 picture
// columns span the 2048 world units, 42 units of depth make 8 rows, a
// height unit lifts a point by 34/32 row, and the depth runs from 21 at the
// near edge to about 248 at the far one, less for high points. Arithmetic
// is 64-bit so that no position can overflow.
struct Projection {
    int32_t screenX, screenY;
    int32_t pictureX, pictureY;
    int32_t depth;
};
inline int pictureColumn(int x) { return (int32_t)(((int64_t)x * 1161) >> 11) - 3; }
inline int pictureRow(const Track* t, int y, int h) {
    int64_t bottom = t->terrain ? t->terrain->height : 0;
    return (int32_t)(bottom + (((int64_t)y - (WORLD_SIZE - 1)) * 8) / 42 - (((int64_t)h * 34) >> 5));
}
inline int pointDepth(int y, int h) {
    return (int32_t)(((((int64_t)WORLD_SIZE - 1 - y) >> 2) - h / 7) * 228 / 512 + 21);
}
inline Projection projectPoint(const Track* t, int x, int y, int h, int screenHeight) {
    Projection p;
    p.pictureX = pictureColumn(x);
    p.pictureY = pictureRow(t, y, h);
    p.depth = pointDepth(y, h);
    int bottom = t->terrain ? t->terrain->height : 0;
    p.screenX = p.pictureX - t->scrollX;
    p.screenY = p.pictureY - bottom + t->scrollY + screenHeight;
    return p;
}
// The screen point on the framebuffer.
void toScreen(const Track* t, int x, int y, int h, int* sx, int* sy);

// Queries, all in whole world units. Outside any picture they read 0.
// The height model is turned by 180 degrees. Heights are read one column
// further right than the checkpoint and keep-out marks, so world x 0..3
// reads column 512, just outside the model.
inline int heightAt(const Track* t, int x, int y) {
    return t->heightModel ? getPixel(t->heightModel, HEIGHT_MODEL_SIZE - ((x >> 2) & 511), 511 - ((y >> 2) & 511)) &
                                CELL_HEIGHT_MASK
                          : 0;
}
int checkpointAt(const Track* t, int x, int y);
int keepoutAt(const Track* t, int x, int y);
// The surface model at picture point (column, row).
inline int depthAt(const Track* t, int column, int row) {
    return t->surfaceModel ? getPixel(t->surfaceModel, column >> 1, row >> 1) : 0;
}
Color pictureColourUnder(const Track* t, int x, int y);
// A mark at picture point (px, py) with depth d shows unless the stored
// terrain there is more than 3 units nearer.
inline bool markVisible(const Track* t, int px, int py, int d) { return d - 3 < depthAt(t, px, py); }

// The sheet the marker posts take their icons from ("icons.png", filled by
// start-up). Without it a post is its pole only.
extern Surface* iconSheet;
const int MARKER_HEIGHT = 70;
// Stamps a marker post with icon 0 or 1 at the centre of a checkpoint
// polygon; nothing for an empty polygon.
void markCheckpoint(Track* t, const Polygon* checkpoint, int icon);
// The post itself, at world (x, y), its anchor `height` above the ground.
void stampMarkerPost(Track* t, int x, int y, int height, int icon);

// Paints level N's layout into the pictures and the height model and
// rebuilds the minimap (see track_build.cpp).
void buildTrack(Track* t, int level);
struct LevelLayout;
// The build's marks in the height model: checkpoint numbers and keep-out
// bits. The level check marks a bare height model with them.
void markHeightModel(Track* t, const LevelLayout* layout);
