#include "gfx/draw.h"

#include <cstdint>

void blendPixel(Surface* s, int x, int y, Color c, int w) {
    if (insideSurface(s, x, y)) {
        uint16_t* p = pixelAddress(s, x, y);
        *p = blendColors(*p, c, w);
    }
}

// Bresenham with a start error that depends on the direction, so a line and
// its reverse need not plot the same pixels. Spans are 64-bit so that any
// pair of int coordinates is safe.
template <typename Plot>
static void stepLine(int x0, int y0, int x1, int y1, Plot plot) {
    int64_t dx = (int64_t)x1 - x0, dy = (int64_t)y1 - y0;
    int stepX = dx >= 0 ? 1 : -1, stepY = dy >= 0 ? 1 : -1;
    if (dx < 0) dx = -dx;
    if (dy < 0) dy = -dy;
    bool steep = dy > dx;
    int64_t major = steep ? dy : dx, minor = steep ? dx : dy;
    int64_t bias = stepX < 0 ? 1 : 0;
    int64_t err = minor + ((-1 - major - bias) >> 1);
    int x = x0, y = y0;
    for (int64_t i = 0;; i++) {
        plot(x, y);
        if (i == major) break; // no step past the end point
        if (err >= 0) {
            x += stepX;
            y += stepY;
            err += minor - major;
        } else {
            if (steep) y += stepY;
            else x += stepX;
            err += minor;
        }
    }
}

void drawLine(Surface* s, int x0, int y0, int x1, int y1, Color c) {
    stepLine(x0, y0, x1, y1, [&](int x, int y) { putPixel(s, x, y, c); });
}

void drawBlendedLine(Surface* s, int x0, int y0, int x1, int y1, Color c, int w) {
    stepLine(x0, y0, x1, y1, [&](int x, int y) { blendPixel(s, x, y, c, w); });
}

void smoothSurface(Surface* dst, const Surface* src, int wx, int wy) {
    int w = src->width, h = src->height;
    for (int y = 0; y < h; y++) {
        int below = y + 1 < h ? y + 1 : 0;
        for (int x = 0; x < w; x++) {
            int right = x + 1 < w ? x + 1 : 0;
            Color top = blendColors(*pixelAddress(src, x, y), *pixelAddress(src, right, y), wx);
            Color bottom = blendColors(*pixelAddress(src, x, below), *pixelAddress(src, right, below), wx);
            putPixel(dst, x, y, blendColors(top, bottom, wy));
        }
    }
}
