// Marker posts: an icon on a pole, stamped permanently into the terrain
// picture and the surface model.
#include "gfx/blit.h"
#include "world/track.h"

#include <algorithm>

Surface* iconSheet = nullptr;

namespace {

const int ICON_SIZE = 39;
const int ICON_COLUMNS[2] = {49, 87}; // icon 0 (to collect), icon 1 (collected)
const int POLE_COLUMN = 19;
const int POLE_TOP = 20;
const Color POLE_GREY = packColor(25, 25, 25);
// The anchor sits this far below the top of the post's height.
const int ANCHOR_DROP = 40;
const int PICTURE_WRAP = 2047; // columns are taken modulo 2048

Surface* makePost(int height, int icon) {
    Surface* post = createSurface(ICON_SIZE, (height >> 1) + ICON_SIZE);
    for (int row = POLE_TOP; row < post->height; row++) putPixel(post, POLE_COLUMN, row, POLE_GREY);
    if (iconSheet) {
        int column = ICON_COLUMNS[icon == 1 ? 1 : 0];
        drawSprite(post, 0, 0, ICON_SIZE, ICON_SIZE, iconSheet, column, 0, BLIT_COPY);
    }
    return post;
}

} // namespace

void stampMarkerPost(Track* t, int x, int y, int height, int icon) {
    if (!t->terrain || !t->surfaceModel || height < 0 || height > 2 * WORLD_SIZE) return;
    Surface* post = makePost(height, icon);
    int altitude = height + heightAt(t, x, y) - ANCHOR_DROP;
    int px = pictureColumn(x) - post->halfWidth;
    int py = pictureRow(t, y, altitude) - post->halfHeight;
    int d = pointDepth(y, altitude);
    // A mark nearer than anything stored leaves depth 0: nothing shows in
    // front of it.
    Color stored = (Color)std::clamp(d, 0, 0xFFFF);
    for (int k = 0; k < post->height; k++)
        for (int i = 0; i < post->width; i++) {
            Color c = getPixel(post, i, k);
            int column = (px + i) & PICTURE_WRAP, row = py + k;
            if (!c || d > depthAt(t, column, row)) continue;
            putPixel(t->terrain, column, row, c);
            putPixel(t->surfaceModel, column >> 1, row >> 1, stored);
        }
    destroySurface(&post);
}

void markCheckpoint(Track* t, const Polygon* checkpoint, int icon) {
    if (!checkpoint || checkpoint->count <= 0) return;
    int64_t sumX = 0, sumY = 0;
    for (int i = 0; i < checkpoint->count; i++) {
        sumX += checkpoint->vertices[i].x;
        sumY += checkpoint->vertices[i].y;
    }
    int x = (int)(sumX / checkpoint->count) * 4, y = (int)(sumY / checkpoint->count) * 4;
    stampMarkerPost(t, x, y, MARKER_HEIGHT, icon);
}
