// The track build's brushes: the chalk-like painted line, the zone fill,
// the keep-out specks and the keep-out masks. All paint the terrain
// picture through the projection and the visibility rule.
#pragma once
#include "gfx/surface.h"
#include "world/layout.h"
#include "world/track.h"

// Old-pixel weights of the brushes.
const int PAINTED_LINE_WEIGHT = 214;
const int ZONE_FILL_WEIGHT = 190;
const int KEEPOUT_SPECK_WEIGHT = 235;
const int HATCH_WEIGHT = 220;

// A Bresenham walk from world (x0, y0) to (x1, y1) dabbing four scattered
// blends of c at every step onto the visible ground.
void paintedLine(Track* t, int x0, int y0, int x1, int y1, Color c);
// Every inside cell of a polygon in layout units, jittered within its
// cell, blended onto the visible ground.
void zoneFill(Track* t, const Polygon* p, Color c);
// The six-pixel speck with its top-left pixel at (px, py).
void paintSpeck(Surface* s, int px, int py, Color c, int weight);

// A 512 x 512 mask, non-zero where the ground is not drivable: red
// everywhere first when the layout is masked, then every keep-out polygon
// rounded and toggled in. `turned` builds it in the height model's
// orientation (each vertex (511 - x, 511 - y)). The caller destroys it.
Surface* makeKeepoutMask(const LevelLayout* layout, bool turned);
