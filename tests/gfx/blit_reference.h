// A slow, pixel-by-pixel statement of what each blit should do, for the
// blitter tests to compare against. It works in logical coordinates only:
// a pixel pair is drawn when both ends lie inside their surfaces, and the
// order-dependent modes are applied in destination memory order.
#pragma once
#include "gfx/surface.h"

#include <cstdint>
#include <random>
#include <vector>

struct PixelPair {
    int dx, dy, sx, sy;
};

// The pairs a drawSprite call touches, in destination memory order.
std::vector<PixelPair> referencePairs(const Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx,
                                      int sy, int mode);

// Modes 0..14 and above 18 (17 and 18 need a depth surface, see below).
void referenceBlit(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int mode,
                   int32_t param);
void referenceDepthBlit(Surface* dst, Surface* depth, int dx, int dy, int w, int h, const Surface* src, int sx,
                        int sy, int mode, int32_t param);
// Modes 15 and 16: an output pixel is drawn when both source samples and
// its destination pixel are inside.
void referenceHalfSize(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy,
                       bool mirrored);

// A surface of the given size in the current display geometry, filled
// with random pixels of which about one in `zeroEvery` is 0.
Surface* randomSurface(int w, int h, std::mt19937& rng, int zeroEvery = 3);
Surface* copyOf(const Surface* s);
// Index of the first differing logical pixel, or -1 when equal.
int firstDifference(const Surface* a, const Surface* b);
