// The polygon rasteriser: an even-odd column scan that paints a polygon
// into a surface, straight or with rounded corners.
#pragma once
#include "gfx/surface.h"
#include "world/geometry.h"

// Paint modes of the fills: a positive value blends with that weight of the
// old pixel, 0 sets the colour, a negative value toggles (non-zero pixels
// become 0, zero pixels the colour) so that overlapping fills cancel.
const int PAINT_SET = 0;
const int PAINT_TOGGLE = -1;

// Each fill needs 3 vertices; (ox, oy) is added to every vertex.
void fillPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c, int paint);
// The fill of the polygon through the five curve samples of every corner.
void fillRoundedPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c, int paint);
// Each covered pixel becomes its old value OR the colour.
void orFillPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c);

// The polygon with each corner replaced by its five curve samples, starting
// with the bend around vertex 1. Null when memory runs out or p has fewer
// than 3 vertices; the caller destroys it.
Polygon* roundedPolygon(const Polygon* p);

// Columns and rows (inclusive, in the polygon's own coordinates) a scan may
// visit; inside cells beyond it are not reported.
struct ScanBox {
    int left, top, right, bottom;
};
// Called for every inside run of a column: rows top..bottom - 1.
typedef void (*ScanVisitor)(void* context, int column, int top, int bottom);
// The even-odd column scan itself, for painters of their own: the scan line
// of column c is x = c + 1/2; a run starts on a crossing row and ends before
// the next one.
void scanPolygon(const Polygon* p, ScanBox box, ScanVisitor visit, void* context);
