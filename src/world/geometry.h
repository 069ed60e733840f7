// Points and polygons of the level layout, their editing, and the
// rounded-corner curve that turns a polygon's corners into smooth bends.
#pragma once
#include <cstdint>

// One vertex, in layout units (0..511 on a track; 4 world units each).
struct Point {
    int32_t x;
    int32_t y;
};

// An ordered, implicitly closed list of vertices: vertex i joins vertex
// (i + 1) mod count. The array is owned and always exactly count long.
struct Polygon {
    int16_t colour;   // outline colour of drawPolygon; -1 (white) when new
    int32_t count;
    Point* vertices;  // null when count is 0
};

// Null only when memory runs out.
Polygon* createPolygon();
// Frees the vertices and the record and clears the caller's handle.
void destroyPolygon(Polygon** handle);

// Adds a vertex at the end and returns it (valid until the next edit), or
// null, leaving the polygon as it was, when memory runs out.
Point* appendVertex(Polygon* p, int x, int y);
// Splits edge k (vertex k to vertex (k + 1) mod count) at its integer
// midpoint; nothing unless 0 <= k < count.
void insertMidpoint(Polygon* p, int k);
// Removes vertex k keeping the order of the others; nothing unless
// 0 <= k < count.
void removeVertex(Polygon* p, int k);

// Samples per corner of the rounded-corner curve (t = 0.2, 0.4 .. 1.0).
const int CORNER_SAMPLES = 5;

// The quadratic bend of corner v1 from the midpoint of v0v1 (t = 0) to the
// midpoint of v1v2 (t = 1), with v1 as control point.
Point cornerPoint(Point v0, Point v1, Point v2, double t);
// The samples t = 0.2 .. 1.0, with t stepped in doubles exactly as every
// rounded drawing of the game does, so all of them agree to the pixel.
void cornerSamples(Point v0, Point v1, Point v2, Point out[CORNER_SAMPLES]);
// The corner around vertex k (k - 1, k, k + 1, indices mod count).
void polygonCorner(const Polygon* p, int k, Point* v0, Point* v1, Point* v2);
