// The blits that change the shape of the picture: half size (modes 15 and
// 16) and the rotated copy.
#include "gfx/blit.h"
#include "gfx/blit_runs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

int64_t floorHalf(int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// One axis of a half-size blit: the output indices lo..hi (inclusive) whose
// two source samples (start + 2k and start + 2k + extra) lie inside the
// source and whose destination position (anchor + k, or anchor - k when
// drawn backward) lies inside the destination.
struct HalfAxis {
    int64_t lo, hi;
};

HalfAxis halfAxis(int64_t count, int64_t start, int extra, int srcSize, int64_t anchor, bool backward,
                  int dstSize) {
    HalfAxis a = {0, count - 1};
    a.lo = std::max(a.lo, -floorHalf(start));
    a.hi = std::min(a.hi, floorHalf(srcSize - 1 - extra - start));
    if (backward) {
        a.lo = std::max(a.lo, anchor - dstSize + 1);
        a.hi = std::min(a.hi, anchor);
    } else {
        a.lo = std::max(a.lo, -anchor);
        a.hi = std::min(a.hi, dstSize - 1 - anchor);
    }
    return a;
}

struct HalfWalk { // one axis as pointer steps
    int count;
    ptrdiff_t srcStep, dstStep;
};

} // namespace

// Output pixel (k, i) is written when source pixel (sx + 2k, sy + 2i) is
// set, with the value two pixels further along the source's memory run;
// w and h first lose one pixel so that second read stays in the rectangle.
// Both reads of every output pixel are kept inside the source, and the
// output is cut to the destination, so any rectangle is safe.
bool blitHalfSize(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, bool mirrored) {
    int64_t reducedW = w > 0 ? (int64_t)w - 1 : w, reducedH = h > 0 ? (int64_t)h - 1 : h;
    if (reducedW < 2 || reducedH < 2) return false; // no whole output pixel
    int alongX = src->vertical ? 0 : 2;
    int64_t anchorX = mirrored ? dx + reducedW - 1 : dx;
    HalfAxis x = halfAxis(reducedW / 2, sx, alongX, src->width, anchorX, mirrored, dst->width);
    HalfAxis y = halfAxis(reducedH / 2, sy, 2 - alongX, src->height, dy, false, dst->height);
    if (x.lo > x.hi || y.lo > y.hi) return false;

    const uint16_t* s0 = pixelAddress(src, (int)(sx + 2 * x.lo), (int)(sy + 2 * y.lo));
    uint16_t* d0 = pixelAddress(dst, (int)(mirrored ? anchorX - x.lo : anchorX + x.lo), (int)(dy + y.lo));
    ptrdiff_t nextSample = 2 * (ptrdiff_t)(src->vertical ? src->yStep : src->xStep);
    HalfWalk across = {(int)(x.hi - x.lo + 1), 2 * (ptrdiff_t)src->xStep,
                       mirrored ? -(ptrdiff_t)dst->xStep : (ptrdiff_t)dst->xStep};
    HalfWalk along = {(int)(y.hi - y.lo + 1), 2 * (ptrdiff_t)src->yStep, (ptrdiff_t)dst->yStep};
    if (!dst->vertical) std::swap(across, along); // the inner loop follows the memory runs

    for (int o = 0; o < across.count; o++) {
        const uint16_t* s = s0 + o * across.srcStep;
        uint16_t* d = d0 + o * across.dstStep;
        for (int n = 0; n < along.count; n++, s += along.srcStep, d += along.dstStep)
            if (*s) *d = s[nextSample];
    }
    return true;
}

// The destination box is walked row by row; each pixel looks up where it
// comes from in the unrotated source, stepping that point incrementally.
void drawRotated(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int angle) {
    if (!dst || !src || w <= 0 || h <= 0) return;
    const float radiansPerDegree = 0.017452007f;
    float theta = (float)angle * radiansPerDegree;
    float c = std::cos(theta), s = std::sin(theta);
    float centreX = (float)(w >> 1), centreY = (float)(h >> 1);
    float rowU = centreX + (c * -centreX - s * -centreY);
    float rowV = centreY + (s * -centreX + c * -centreY);
    float boxW = (float)w, boxH = (float)h;

    int64_t lastRow = std::min<int64_t>(h, (int64_t)dst->height - dy);
    int64_t lastColumn = std::min<int64_t>(w, (int64_t)dst->width - dx);
    for (int64_t i = 0; i < lastRow; i++, rowU -= s, rowV += c) {
        if (dy + i < 0) continue;
        float u = rowU, v = rowV;
        for (int64_t k = 0; k < lastColumn; k++, u += c, v += s) {
            if (!(u > 0 && u < boxW && v > 0 && v < boxH) || dx + k < 0) continue;
            int64_t px = (int64_t)sx + (int)u, py = (int64_t)sy + (int)v;
            if (px < 0 || px >= src->width || py < 0 || py >= src->height) continue;
            Color p = *pixelAddress(src, (int)px, (int)py);
            if (p) *pixelAddress(dst, (int)(dx + k), (int)(dy + i)) = p;
        }
    }
}
