// The minimap: a small top view of the drivable ground, the start line or
// the stunt zones, rebuilt by every track build and shown by the race HUD.
#pragma once
#include "gfx/surface.h"
#include "world/layout.h"

// N: the map's inner size in pixels (64; start-up sets 128 on wide
// framebuffers). It must divide 512; other values are taken as 64.
extern int minimapSize;
// (N + 4) x (N + 4), a two-pixel frame around the map; null before the
// first build.
extern Surface* minimap;

// Replaces the minimap with one made from a keep-out mask (non-zero = not
// drivable, layout orientation) and the layout's checkpoints.
void buildMinimap(const Surface* mask, const LevelLayout* layout, int gameType);
void destroyMinimap();
