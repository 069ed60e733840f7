#include "gfx/surface.h"
#include "platform/platform.h"
#include "shell/display.h"
#include "shell/log.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

Color basicColours[7];
int colorCurve[32] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                      16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
static int curveLevel;

static const int64_t MAX_SURFACE_PIXELS = 1 << 26; // far beyond any picture we load

static void surfaceFailure() {
    logAt(1, "[ERROR] Unable to make Surface\n", LOG_TAG_ERROR);
    fputs("[ERROR] Unable to make Surface\n", stderr);
    exit(1);
}

Surface* createSurface(int w, int h) {
    logf(1, 0, "createSurface(%d,%d)\n", w, h);
    if (w < 0 || h < 0 || (int64_t)w * h > MAX_SURFACE_PIXELS) surfaceFailure();
    int64_t count = (int64_t)w * h;
    Surface* s = (Surface*)calloc(1, sizeof(Surface));
    uint16_t* pixels = (uint16_t*)calloc(count > 0 ? count : 1, sizeof(uint16_t));
    if (!s || !pixels) surfaceFailure();

    const DisplayGeometry& d = displayGeometry;
    s->width = w;
    s->height = h;
    s->vertical = d.memoryVertical;
    if (d.memoryVertical) {
        s->xStep = d.xSpan < 0 ? -h : h;
        s->yStep = d.ySpan < 0 ? -1 : 1;
    } else {
        s->xStep = d.xSpan < 0 ? -1 : 1;
        s->yStep = d.ySpan < 0 ? -w : w;
    }
    s->halfWidth = w >> 1;
    s->halfHeight = h >> 1;
    s->pixels = pixels;
    s->origin = pixels;
    if (w > 0 && s->xStep < 0) s->origin += (w - 1) * -s->xStep;
    if (h > 0 && s->yStep < 0) s->origin += (h - 1) * -s->yStep;
    s->depth = nullptr;
    return s;
}

void destroySurface(Surface** handle) {
    Surface* s = *handle;
    if (!s) return;
    if (!s->pixels) platformMessageBox("Surface aleady removed", "ERROR");
    free(s->pixels);
    free(s);
    *handle = nullptr;
}

void fillSurface(Surface* s, Color c) {
    int64_t count = (int64_t)s->width * s->height;
    for (int64_t i = 0; i < count; i++) s->pixels[i] = c;
}

void unpackColor(Color c, int* r, int* g, int* b) {
    *r = colorRed(c);
    *g = colorGreen(c);
    *b = colorBlue(c);
}

static int saturate(int v) { return v > 31 ? 31 : v; }

Color brightenColor(Color c, int n) {
    if (n < 0) n = 0;
    return packColor(saturate(colorRed(c) + n), saturate(colorGreen(c) + n), saturate(colorBlue(c) + n));
}

static int lower(int v, int n) {
    int r = v - n;
    if (r < 0) r = 0;
    return r > v ? v : r;
}

Color darkenColor(Color c, int n) {
    return packColor(lower(colorRed(c), n), lower(colorGreen(c), n), lower(colorBlue(c), n));
}

Color blendComponents(int r1, int g1, int b1, int r2, int g2, int b2, int w) {
    return packColor((r1 * w + r2 * (255 - w)) >> 8, (g1 * w + g2 * (255 - w)) >> 8,
                     (b1 * w + b2 * (255 - w)) >> 8);
}

Color blendColors(Color a, Color b, int w) {
    return blendComponents(colorRed(a), colorGreen(a), colorBlue(a), colorRed(b), colorGreen(b),
                           colorBlue(b), w);
}

void brightenPixel(Surface* s, int x, int y, int n) {
    if (insideSurface(s, x, y)) *pixelAddress(s, x, y) = brightenColor(*pixelAddress(s, x, y), n);
}

void darkenPixel(Surface* s, int x, int y, int n) {
    if (insideSurface(s, x, y)) *pixelAddress(s, x, y) = darkenColor(*pixelAddress(s, x, y), n);
}

void setColorCurve(int level) {
    if (level < 16) level = 16;
    curveLevel = level;
    double e = (255 - level + 1) / 129.0;
    double top = pow(31.0, e);
    for (int i = 0; i < 32; i++) colorCurve[i] = (int)((double)(int)(31 * pow((double)i, e)) / top);
    // The double truncation leaves the top at 30 for most levels; full
    // intensity must stay full intensity.
    colorCurve[31] = 31;
}

int colorCurveLevel() { return curveLevel ? curveLevel : 128; }

void buildBasicColours() {
    static const int rgb[7][3] = {{31, 31, 31}, {31, 31, 0}, {0, 31, 31}, {0, 0, 31},
                                  {31, 0, 31},  {0, 31, 0},  {31, 0, 0}};
    for (int i = 0; i < 7; i++) basicColours[i] = packColor(rgb[i][0], rgb[i][1], rgb[i][2]);
}
