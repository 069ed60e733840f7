// Turns a set of painted solid shapes into the surface voxels of a model:
// the shapes are sampled on a regular grid, only cells on the outside of
// their union are kept, and each is coloured by the shape it lies deepest
// in, shaded by a light from above (the game draws points unlit).
#pragma once
#include "bake/voxel_shapes.h"
#include "gfx/surface.h"

#include <vector>

// How the game's rider recolouring will treat a point (see paintColour).
enum PaintClass {
    PAINT_BIKE, // takes the bike colour; its shade lives in the red channel
    PAINT_BODY, // takes the rider's body colour, shaded at random by the game
    PAINT_KEPT, // keeps its colour
};

struct Paint {
    PaintClass kind;
    int r, g, b; // 0..30; bike paints use only r, body paints only b
    int tag;     // the part it belongs to, carried to every point
};

struct PaintedShape {
    Shape shape;
    Paint paint;
};

// A rod too thin for the grid (a spoke, a pole), drawn as a file of points
// lit evenly.
struct PaintedLine {
    Vec3 a, b;
    Paint paint;
    double light;
};

struct Sculpture {
    std::vector<PaintedShape> shapes;
    std::vector<PaintedLine> lines;
};

struct SculptPoint {
    int x, y, z;
    Color colour; // as stored in the file: the game brightens it by 1 on load
    int tag;
};

const int CARVE_CELL = 4; // grid step in model units: under a sprite pixel at any scale used
const double CARVE_GROW = 2.0; // every shape is thickened by half a cell

void addShape(Sculpture& s, const Shape& shape, const Paint& paint);
// Adds the shape and its mirror image on the other side (x negated).
void addShapePair(Sculpture& s, const Shape& shape, const Paint& paint);
void addLine(Sculpture& s, Vec3 a, Vec3 b, const Paint& paint, double light = 0.9);

// The colour to store for a paint at a light level (0..1], chosen so that
// after the game's load it still falls in the paint's recolour class.
Color paintColour(const Paint& paint, double light);
// The recolour class of a stored colour once the game has loaded it.
PaintClass loadedColourClass(Color stored);

// Surface points in grid order, then the line points.
std::vector<SculptPoint> carveSculpture(const Sculpture& s);
