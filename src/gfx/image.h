// Picture files: PNG and JPEG into surfaces.
#pragma once
#include "gfx/surface.h"

#include <cstdint>

// Pictures beyond these are refused before anything is allocated for them
// (the pixel count is what createSurface accepts).
const uint32_t MAX_PICTURE_SIDE = 16384;
const uint64_t MAX_PICTURE_PIXELS = 1 << 26;

// Loads dataFolder + name into *handle; always leaves a surface there. A
// surface already in the handle is kept and the picture drawn centred in it.
// A missing file is reported in a "File Not Found" box; a missing or broken
// picture leaves a 5 x 5 black surface in an empty handle.
void loadPicture(const char* name, Surface** handle);
// Colour pictures: 1, or 0 when the file cannot be read or decoded (the
// handle is then untouched).
int loadPng(const char* path, Surface** handle);
int loadJpeg(const char* path, Surface** handle);
// A data picture from dataFolder + name: each pixel is its blue byte 0..255.
// Always puts a new surface in the handle (the caller frees any old one
// first); on failure returns 0 and leaves the handle as it was.
int loadRawPng(const char* name, Surface** handle);

// The one PNG writer (test frames, the bake): `pixels` holds rows of 8-bit
// RGB triples, or of grey bytes when `grey`; `compression` is zlib's level
// (9 packs tightest). False when the file cannot be written.
bool savePng(const char* path, int width, int height, bool grey, const uint8_t* pixels, int compression = 9);
