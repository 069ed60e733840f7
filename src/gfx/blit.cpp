// drawSprite's clipping and dispatch, and the operations built on it.
#include "gfx/blit.h"
#include "gfx/blit_runs.h"
#include "shell/log.h"

#include <algorithm>

namespace {

// The working rectangle of one call. 64-bit so that hostile sizes or
// positions cannot overflow while being clipped.
struct ClipBox {
    int64_t dx, dy, w, h, sx, sy;
};

// Cuts the source side: negative source offsets and the source's far edges.
void clipToSource(ClipBox& b, const Surface* src) {
    if (b.sx < 0) {
        b.dx -= b.sx;
        b.w += b.sx;
        b.sx = 0;
    }
    if (b.sy < 0) {
        b.dy -= b.sy;
        b.h += b.sy;
        b.sy = 0;
    }
    if (b.sx + b.w > src->width) b.w = src->width - b.sx;
    if (b.sy + b.h > src->height) b.h = src->height - b.sy;
}

void clipRowsToDestination(ClipBox& b, const Surface* dst) {
    if (b.dy < 0) {
        b.h += b.dy;
        b.sy -= b.dy;
        b.dy = 0;
    }
    if (b.dy + b.h > dst->height) b.h = dst->height - b.dy;
}

void clipStandard(ClipBox& b, const Surface* dst, const Surface* src) {
    clipToSource(b, src);
    if (b.dx < 0) {
        b.w += b.dx;
        b.sx -= b.dx;
        b.dx = 0;
    }
    if (b.dx + b.w > dst->width) b.w = dst->width - b.dx;
    clipRowsToDestination(b, dst);
}

// Destination column dx + k shows source column sx + w - 1 - k, so cutting
// the destination's left edge removes the source's right end and the other
// way round: the visible part of the image stays where it was.
void clipMirrored(ClipBox& b, const Surface* dst, const Surface* src) {
    clipToSource(b, src);
    if (b.dx < 0) {
        b.w += b.dx;
        b.dx = 0;
    }
    if (b.dx + b.w > dst->width) {
        b.sx += b.dx + b.w - dst->width;
        b.w = dst->width - b.dx;
    }
    clipRowsToDestination(b, dst);
}

bool ordersMatch(const Surface* dst, const Surface* src) {
    if (dst->vertical == src->vertical) return true;
    logAt(1, "Sprite Memory Orientation Mismatch\n", LOG_TAG_ERROR);
    return false;
}

void drawRuns(Surface* dst, const BlitRuns& runs, int mode, int32_t param, bool* drawn) {
    switch (mode) {
    case BLIT_COPY: blitCopy(runs); break;
    case BLIT_FILL: blitFill(runs, (Color)param); break;
    case BLIT_SHADOWED: blitShadowed(dst, runs); break;
    case BLIT_SPARKLE: blitSparkle(runs, param); break;
    case BLIT_DEPTH_WRITE:
    case BLIT_DEPTH_TEST: *drawn = blitDepth(dst, runs, mode, param); break;
    default: blitPixels(runs, mode, param); break;
    }
}

} // namespace

int drawSprite(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int mode,
               int32_t param) {
    if (!dst || !src) return 0;
    if (mode < 0 || mode >= BLIT_MODE_COUNT) mode = BLIT_MIRRORED_PLAIN;
    if (mode == BLIT_HALF_SIZE || mode == BLIT_HALF_SIZE_MIRRORED) {
        if (!ordersMatch(dst, src)) return 0;
        return blitHalfSize(dst, dx, dy, w, h, src, sx, sy, mode == BLIT_HALF_SIZE_MIRRORED) ? 1 : 0;
    }

    ClipBox b = {dx, dy, w, h, sx, sy};
    if (mode == BLIT_MIRRORED)
        clipMirrored(b, dst, src);
    else
        clipStandard(b, dst, src);
    if (!ordersMatch(dst, src)) return 0;
    if (b.w <= 0 || b.h <= 0) return 0;

    bool mirrored = mode == BLIT_MIRRORED || mode == BLIT_MIRRORED_PLAIN || mode == BLIT_MIRRORED_PLAIN_ALT;
    BlitRuns runs = planRuns(dst, (int)b.dx, (int)b.dy, src, (int)b.sx, (int)b.sy, (int)b.w, (int)b.h, mirrored);
    bool drawn = true;
    drawRuns(dst, runs, mode, param, &drawn);
    return drawn ? 1 : 0;
}

void drawCentred(Surface* dst, const Surface* src) {
    if (!dst || !src) return;
    drawSprite(dst, dst->halfWidth - src->halfWidth, dst->halfHeight - src->halfHeight, src->width, src->height,
               src, 0, 0, BLIT_COPY);
}

void tileSurface(Surface* dst, const Surface* src, int ox, int oy) {
    if (!dst || !src) return;
    int tileW = src->width, tileH = src->height;
    if (tileW <= 0 || tileH <= 0) return; // nothing to tile with, and no remainder to take
    int a = ox % tileW, b = oy % tileH;   // truncating: keeps the sign of the offset
    for (int x = a - tileW; x - a <= dst->width; x += tileW)
        for (int y = b - tileH; y - b <= dst->height; y += tileH)
            drawSprite(dst, x, y, tileW, tileH, src, 0, 0, BLIT_COPY);
}
