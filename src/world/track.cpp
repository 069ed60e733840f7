// The terrain record, its pictures, the projection and the queries.
#include "world/track.h"
#include "gfx/image.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "world/description.h"

#include <cstdio>

Track track = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};

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

void toScreen(const Track* t, int x, int y, int h, int* sx, int* sy) {
    int height = framebuffer ? framebuffer->height : displayGeometry.logicalHeight;
    Projection p = projectPoint(t, x, y, h, height);
    *sx = p.screenX;
    *sy = p.screenY;
}

static Color markCell(const Track* t, int x, int y) {
    return t->heightModel ? getPixel(t->heightModel, 511 - ((x >> 2) & 511), 511 - ((y >> 2) & 511)) : 0;
}

int checkpointAt(const Track* t, int x, int y) {
    return (markCell(t, x, y) & CELL_CHECKPOINT_MASK) >> CELL_CHECKPOINT_SHIFT;
}

int keepoutAt(const Track* t, int x, int y) { return (markCell(t, x, y) & CELL_KEEPOUT) ? 1 : 0; }

Color pictureColourUnder(const Track* t, int x, int y) {
    if (!t->terrain) return 0;
    int h = heightAt(t, x, y);
    return getPixel(t->terrain, pictureColumn(x), pictureRow(t, y, h));
}
