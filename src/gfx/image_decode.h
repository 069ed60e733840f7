// What the PNG and JPEG decoders share: the size limit and the placement of
// a decoded picture in its surface.
#pragma once
#include "gfx/surface.h"

#include <cstdint>

bool pictureSizeAllowed(uint64_t width, uint64_t height);
// A failure of a picture file: a log line for the developer.
void pictureError(const char* path, const char* what);

// Picture pixel (i, j) goes to (left + i, top + j) of the target, through
// putPixel, so what falls outside is dropped.
struct Placement {
    int left;
    int top;
};
// Centred on the target's middle (the identity on a surface of the
// picture's own size).
inline Placement centredIn(const Surface* s, int pictureWidth, int pictureHeight) {
    return {s->halfWidth - pictureWidth / 2, s->halfHeight - pictureHeight / 2};
}
// Colour pixels of 8-bit red, green, blue through the correction curve.
inline Color pictureColor(const uint8_t* rgb) { return packCorrected(rgb[0] >> 3, rgb[1] >> 3, rgb[2] >> 3); }
