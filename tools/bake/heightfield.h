// The terrains' ground: a 512 x 512 height field in layout orientation
// (cell (c, r) covers world x 4c..4c+3, y 4r..4r+3), made from a look's
// landscape with the course shaped into it.
#pragma once
#include "bake/course.h"

#include <cstdint>
#include <vector>

const int FIELD_SIZE = 512;
const double CELL = 4.0; // world units per cell

enum Look {
    LOOK_GRASSLAND,
    LOOK_DUNES,
    LOOK_CANYON,
    LOOK_SNOW,
};

// What grows and lies on the ground, its colours and its light: two
// sceneries a landform, so that no two terrains look alike.
enum Scenery {
    SCENERY_SPRING_MEADOW,
    SCENERY_SUMMER_HILLS,
    SCENERY_GOLDEN_DUNES,
    SCENERY_RED_DUNES,
    SCENERY_RED_CANYON,
    SCENERY_BADLANDS,
    SCENERY_PINE_ALPS,
    SCENERY_GLACIER,
};

struct TerrainPlan {
    int number;      // "track%d"
    Look look;
    uint32_t seed;
    double relief;   // scales the landscape's hills
    CoursePlan course;
    Scenery scenery = SCENERY_SPRING_MEADOW;
};

// Where each cell lies with respect to the course: distance to the centre
// line, arc length of the nearest centre point and offset left of it.
struct CourseMap {
    std::vector<float> distance; // FAR_FROM_COURSE beyond the mapped band
    std::vector<float> along;
    std::vector<float> lateral;
};
const float FAR_FROM_COURSE = 1e9f;

struct HeightField {
    std::vector<float> ground;   // smooth heights, for shading
    std::vector<uint8_t> cells;  // what the height query returns; column 0 is 0
    std::vector<float> profile;  // course height per centre-line sample
    std::vector<float> ramps;    // height the course's ramps add, per cell
    std::vector<float> rough;    // and its rocks
    std::vector<float> bumps;    // and its whoops
    Course course;
    CourseMap map;
};

inline int cellIndex(int c, int r) { return r * FIELD_SIZE + c; }

HeightField generateHeightField(const TerrainPlan& plan);
// The look's landscape before the course is shaped into it, at any world
// point, inside the world or beyond its edges.
double landscapeAt(const TerrainPlan& plan, double x, double y);
// Any per-cell map at world (x, y), bilinear between cell centres.
double sampleCells(const std::vector<float>& cells, double x, double y);
// The smooth ground's height at world (x, y).
inline double groundAt(const HeightField& f, double x, double y) { return sampleCells(f.ground, x, y); }
