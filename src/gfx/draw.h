// Lines, blended pixels and the sub-pixel smoothing filter.
#pragma once
#include "gfx/surface.h"

// Both ends inclusive; points outside the surface are skipped, the line is
// not clipped. The two directions of a line cover different pixels.
void drawLine(Surface* s, int x0, int y0, int x1, int y1, Color c);
// The same points, each blended with blendPixel's rule.
void drawBlendedLine(Surface* s, int x0, int y0, int x1, int y1, Color c, int w);
// w (0..255) is the weight of the old pixel.
void blendPixel(Surface* s, int x, int y, Color c, int w);
// Each dst pixel blends src (x, y) with its right and lower neighbours
// (wrapping at the edges); wx weighs the left column, wy the upper row.
// dst and src must be different surfaces.
void smoothSurface(Surface* dst, const Surface* src, int wx, int wy);
