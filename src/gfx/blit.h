// The blitter: one rectangle copy with per-pixel rules (the blit modes),
// plus centring, tiling and a rotated copy built on it. Pixel 0 is the
// transparent value of every transparent mode. Rectangles are clipped
// against both surfaces once per call; source and destination must share
// the same memory order, or nothing is drawn.
#pragma once
#include "gfx/surface.h"

#include <cstdint>

enum BlitMode {
    BLIT_COPY = 0,               // d = s, black included
    BLIT_TRANSPARENT = 1,        // if s: d = s
    BLIT_SHADOWED = 2,           // as transparent, darkening a pixel 3 right and 3 down
    BLIT_BLUE_ONLY = 3,          // if s: d = s & 31
    BLIT_LIGHTEN = 4,            // if s: d + (r + g + b of s) / 8, saturating
    BLIT_DARKEN = 5,             // if s: d - (param + (r + g + b of s) / 8), floored
    BLIT_WHITE = 6,              // if s: d = 0xFFFF
    BLIT_MIRRORED_PLAIN = 7,     // mirrored, clipped like the unmirrored modes
    BLIT_MIRRORED_PLAIN_ALT = 8, // same as 7
    BLIT_BLEND = 9,              // if s: (s * param + d * (255 - param)) >> 8; param 0..255
    BLIT_MIRRORED = 10,          // if s: mirrored left to right, clipped so the image stays put
    BLIT_SILHOUETTE = 11,        // if s: d = param
    BLIT_TINT = 12,              // if s: d + max(s + param, 0), saturating
    BLIT_SPARKLE = 13,           // if s: d + (gameRandom() & param), saturating
    BLIT_FILL = 14,              // d = param for the whole rectangle; source not read
    BLIT_HALF_SIZE = 15,         // half-size transparent copy
    BLIT_HALF_SIZE_MIRRORED = 16,
    BLIT_DEPTH_WRITE = 17,       // needs dst->depth: if s and param >= depth: d = s, depth = param
    BLIT_DEPTH_TEST = 18,        // needs dst->depth: if s and param >= depth: d = s
};
const int BLIT_MODE_COUNT = 19; // any higher mode draws as BLIT_MIRRORED_PLAIN

// Marks a shadow pixel in the depth-writing mode: it halves what is below.
const Color DEPTH_SHADOW_PIXEL = 0x0801;

// Copies the w x h source rectangle at (sx, sy) to (dx, dy) under `mode`.
// Returns 1 when something was drawn, 0 when the rectangle was clipped
// away, the memory orders differ, or a depth mode has no usable depth.
// `src` may be `dst` itself (mode 14 uses that for rectangle fills).
int drawSprite(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int mode,
               int32_t param = 0);

// The whole of src copied (mode 0) so that the centres line up.
void drawCentred(Surface* dst, const Surface* src);

// Covers dst with copies of src (mode 0); the offset scrolls the pattern.
void tileSurface(Surface* dst, const Surface* src, int ox, int oy);

// Draws the w x h source rectangle rotated by `angle` degrees about its
// centre into the w x h box at (dx, dy), transparently.
void drawRotated(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int angle);
