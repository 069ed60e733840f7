// What stands on a terrain: trees, bushes, rocks and boulders in clumps
// off the course. Each is drawn into the terrain picture at the picture's
// own scale, casts a shadow on the ground, and enters the surface model at
// the depth of its foot, so a bike behind it is hidden. None stands where
// it could hide the course or a rider on it.
#pragma once
#include "bake/files.h"
#include "bake/heightfield.h"

#include <cstdint>
#include <functional>
#include <vector>

enum ObjectKind { OBJECT_PINE, OBJECT_BROADLEAF, OBJECT_BUSH, OBJECT_ROCK, OBJECT_BOULDER };

struct TerrainObject {
    ObjectKind kind;
    int x, y;          // world, its foot
    int footX, footY;  // picture point of the foot
    int depth;         // of the foot; every pixel of the object has it
    int width, height; // picture pixels
    uint32_t seed;
    // the picture box it may cover, inclusive
    int left() const { return footX - width / 2 - 1; }
    int right() const { return footX + width / 2 + 1; }
    int top() const { return footY - height; }
    int bottom() const { return footY + 1; }
};

// The height the picture shows at world (x, y), inside the world or past
// its edges.
using GroundHeight = std::function<int(int x, int y)>;
// Far ones first. Deterministic for the plan.
std::vector<TerrainObject> placeObjects(const TerrainPlan& plan, const HeightField& f, const GroundHeight& groundHeight);

// How much of the sun the objects take from the ground, on a grid of
// SHADE_CELL world units.
const int SHADE_CELL = 2;
struct ObjectShade {
    int size = 0; // cells a side
    std::vector<float> cells; // 0 sunlit .. 1 in full shadow
};
ObjectShade objectShadows(const std::vector<TerrainObject>& objects);
double shadeAt(const ObjectShade& s, double x, double y);

// Draws the objects over the ground, each pixel only where it stands in
// front of what the picture shows there, and lowers the depth there to
// the object's.
void drawObjects(const std::vector<TerrainObject>& objects, Scenery scenery, Image* colour,
                 std::vector<uint8_t>* depth, int width, int height);
