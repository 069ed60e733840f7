// Integer-degree trigonometry shared by the voxel renderer, the scene and
// the race. Headings: 0 toward decreasing y, 90 toward increasing x,
// clockwise seen from above.
#pragma once
#include <cstdint>

const int TRIG_TABLE_SIZE = 361; // whole degrees 0..360
const int TRIG_ONE = 65535;      // the tables' unit

// sin and cos of d * 0.01747736966666667 radians, times 65535, truncated.
extern int32_t sineTable[TRIG_TABLE_SIZE];
extern int32_t cosineTable[TRIG_TABLE_SIZE];

void buildTrigTables();

// scale * sin(deg) and -scale * cos(deg), as (scale * table) >> 16. Any
// whole degree is accepted; it is reduced to 0..359 first.
int dirX(int scale, int deg);
int dirY(int scale, int deg);
// The signed turn from a to b, -179..180 for headings in 0..359.
int angleDelta(int a, int b);
// The heading from (x1, y1) toward (x2, y2), in 180..630 (or exactly 0 or
// 180 straight up or down); reduce it mod 360 where a plain heading is needed.
int headingTo(int x1, int y1, int x2, int y2);
// trunc of the Euclidean distance.
int distance2d(int x1, int y1, int x2, int y2);
