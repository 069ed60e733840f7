// Outlines and vertex handles of polygons, as the layout editor and the
// track build draw them. Each takes an offset (ox, oy) added to every point.
#pragma once
#include "gfx/surface.h"
#include "world/geometry.h"

// Straight edges from vertex i - 1 to vertex i, closing edge included;
// nothing for fewer than 2 vertices.
void drawPolygonOutline(Surface* s, const Polygon* p, int ox, int oy, Color c);
// The same in the polygon's own colour, without offset.
void drawPolygon(Surface* s, const Polygon* p);
// The same edges blended over the surface; w is the old pixel's weight.
void drawBlendedPolygonOutline(Surface* s, const Polygon* p, int ox, int oy, Color c, int w);
// A 5 x 5 block centred on every vertex, blended at old-pixel weight 170.
void drawVertexHandles(Surface* s, const Polygon* p, int ox, int oy, Color c);
// Every corner as its curve, walked from the midpoint of the following edge
// to that of the preceding one in 5 segments; the same curve points as
// fillRoundedPolygon.
void drawRoundedOutline(Surface* s, const Polygon* p, int ox, int oy, Color c);
