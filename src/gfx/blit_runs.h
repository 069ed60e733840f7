// Inside the blitter: a clipped rectangle described as runs of pixels that
// are contiguous in the destination's memory, and the loops over them.
// Only the blit modules include this.
#pragma once
#include "gfx/surface.h"

#include <cstdint>

// Runs are listed from the lowest destination address up, and each run is
// walked upward in memory, so the order-dependent modes see memory order.
struct BlitRuns {
    uint16_t* dst;        // first pixel of the first run (lowest address)
    const uint16_t* src;  // the source pixel that goes there
    int length;           // pixels per run
    int count;            // number of runs
    int dstNext;          // elements from one run's start to the next's (> 0)
    int srcNext;          // the same in the source (either sign)
    int srcStep;          // +1 or -1: source elements per destination pixel
    // Logical position of the first pixel and the logical moves along and
    // across runs (each -1, 0 or +1), for the modes that look beside a pixel.
    int x0, y0;
    int xAlong, yAlong, xAcross, yAcross;
};

// The clipped w x h rectangle (dst at (dx, dy), src at (sx, sy)) as runs.
// `mirrored` maps destination column dx + k to source column sx + w - 1 - k.
// Both surfaces must share a memory order and w, h must be positive.
BlitRuns planRuns(Surface* dst, int dx, int dy, const Surface* src, int sx, int sy, int w, int h,
                  bool mirrored);

void blitCopy(const BlitRuns& r);
void blitFill(const BlitRuns& r, Color c);
// The modes whose rule reads one source and one destination pixel:
// 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 (mirroring is in the plan).
void blitPixels(const BlitRuns& r, int mode, int32_t param);
void blitShadowed(Surface* dst, const BlitRuns& r);
void blitSparkle(const BlitRuns& r, int32_t param);
// False when dst has no depth surface of its own size and layout.
bool blitDepth(Surface* dst, const BlitRuns& r, int mode, int32_t param);

// Modes 15 and 16, with their own clipping; false when nothing is drawn.
bool blitHalfSize(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy,
                  bool mirrored);
