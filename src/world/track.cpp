// The terrain record, its pictures, the projection and the queries.
#include "world/track.h"
#include "gfx/image.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "world/description.h"

#include <cstdio>

Track track = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};

// The projection's constants: 1161 picture columns span the 2048 world
// units, 42 world units of depth make 8 rows, a height unit lifts a point
// by 34/32 row, and the depth runs from 21 at the near edge.
static const int64_t COLUMNS_PER_WORLD = 1161;
static const int COLUMN_SHIFT = 11;
static const int COLUMN_OFFSET = 3;
static const int64_t ROWS_PER_DEPTH_STEP = 8;
static const int64_t DEPTH_STEP = 42;
static const int64_t LIFT_PER_HEIGHT = 34;
static const int LIFT_SHIFT = 5;
static const int64_t FAR_EDGE = WORLD_SIZE - 1;
static const int64_t DEPTH_SCALE = 228;
static const int64_t DEPTH_DIVISOR = 512;
static const int64_t NEAREST_DEPTH = 21;
static const int HEIGHT_PER_DEPTH = 7;

void releaseTrack(Track* t) {
    destroySurface(&t->terrain);
    destroySurface(&t->surfaceModel);
    destroySurface(&t->heightModel);
}

void createTrack(Track* t) {
    releaseTrack(t);
    t->scrollX = 0;
    t->scrollY = 0;
    t->worldWidth = WORLD_SIZE;
    t->worldDepth = WORLD_SIZE;
}

void loadTerrainPicture(Track* t, int trackNumber) {
    char name[32];
    snprintf(name, sizeof name, "track%d.jpg", trackNumber);
    destroySurface(&t->terrain);
    loadPicture(name, &t->terrain);
}

static int loadDataPicture(Surface** field, const char* format, int trackNumber) {
    char name[32];
    snprintf(name, sizeof name, format, trackNumber);
    destroySurface(field);
    return loadRawPng(name, field);
}

int loadSurfaceModel(Track* t, int trackNumber) { return loadDataPicture(&t->surfaceModel, "track%dd.png", trackNumber); }

int loadHeightModel(Track* t, int trackNumber) { return loadDataPicture(&t->heightModel, "track%d.png", trackNumber); }

void loadTrackPictures(Track* t, int level) {
    int number = levelDescription.track;
    loadHeightModel(t, number);
    loadTerrainPicture(t, number);
    loadSurfaceModel(t, number);
    buildTrack(t, level);
}

int pictureColumn(int x) { return (int32_t)(((int64_t)x * COLUMNS_PER_WORLD) >> COLUMN_SHIFT) - COLUMN_OFFSET; }

int pictureRow(const Track* t, int y, int h) {
    int64_t bottom = t->terrain ? t->terrain->height : 0;
    return (int32_t)(bottom + (((int64_t)y - FAR_EDGE) * ROWS_PER_DEPTH_STEP) / DEPTH_STEP -
                     (((int64_t)h * LIFT_PER_HEIGHT) >> LIFT_SHIFT));
}

int pointDepth(int y, int h) {
    return (int32_t)((((FAR_EDGE - y) >> 2) - h / HEIGHT_PER_DEPTH) * DEPTH_SCALE / DEPTH_DIVISOR + NEAREST_DEPTH);
}

Projection projectPoint(const Track* t, int x, int y, int h, int screenHeight) {
    Projection p;
    p.pictureX = pictureColumn(x);
    p.pictureY = pictureRow(t, y, h);
    p.depth = pointDepth(y, h);
    int bottom = t->terrain ? t->terrain->height : 0;
    p.screenX = p.pictureX - t->scrollX;
    p.screenY = p.pictureY - bottom + t->scrollY + screenHeight;
    return p;
}

void toScreen(const Track* t, int x, int y, int h, int* sx, int* sy) {
    int height = framebuffer ? framebuffer->height : displayGeometry.logicalHeight;
    Projection p = projectPoint(t, x, y, h, height);
    *sx = p.screenX;
    *sy = p.screenY;
}

static Color heightCell(const Track* t, int column, int row) {
    return t->heightModel ? getPixel(t->heightModel, column, row) : 0;
}

// The height model is turned by 180 degrees. Heights are read one column
// further right than the checkpoint and keep-out marks, so world x 0..3
// reads column 512, just outside the model.
int heightAt(const Track* t, int x, int y) {
    return heightCell(t, HEIGHT_MODEL_SIZE - ((x >> 2) & 511), 511 - ((y >> 2) & 511)) & CELL_HEIGHT_MASK;
}

static Color markCell(const Track* t, int x, int y) {
    return heightCell(t, 511 - ((x >> 2) & 511), 511 - ((y >> 2) & 511));
}

int checkpointAt(const Track* t, int x, int y) {
    return (markCell(t, x, y) & CELL_CHECKPOINT_MASK) >> CELL_CHECKPOINT_SHIFT;
}

int keepoutAt(const Track* t, int x, int y) { return (markCell(t, x, y) & CELL_KEEPOUT) ? 1 : 0; }

int depthAt(const Track* t, int column, int row) {
    return t->surfaceModel ? getPixel(t->surfaceModel, column >> 1, row >> 1) : 0;
}

Color pictureColourUnder(const Track* t, int x, int y) {
    if (!t->terrain) return 0;
    int h = heightAt(t, x, y);
    return getPixel(t->terrain, pictureColumn(x), pictureRow(t, y, h));
}
