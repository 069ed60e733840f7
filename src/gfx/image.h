// Picture files: PNG and JPEG into surfaces.
#pragma once
#include "gfx/surface.h"

// Loads dataFolder + name into *handle; always leaves a surface there.
void loadPicture(const char* name, Surface** handle);
int loadPng(const char* path, Surface** handle);
int loadJpeg(const char* path, Surface** handle);
int loadRawPng(const char* name, Surface** handle);
