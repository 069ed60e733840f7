#include "bake/voxel_carve.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

// Light mostly from above, so that the shading holds whichever way the
// model is turned; a little from the right and the front for modelling.
static const Vec3 LIGHT = {0.22, 0.92, 0.32};
static const double AMBIENT = 0.58;
static const double DIFFUSE = 0.42;
static const double LINE_STEP = 2.0;
static const double NORMAL_STEP = 1.5;

// Limits that keep each class after the game adds 1 to every channel.
static const int MIN_BIKE_RED = 8;
static const int MIN_BODY_BLUE = 25;
static const int MAX_STORED = 30;

void addShape(Sculpture& s, const Shape& shape, const Paint& paint) { s.shapes.push_back({shape, paint}); }

static Shape mirroredShape(Shape shape) {
    shape.a = mirrored(shape.a);
    shape.b = mirrored(shape.b);
    return shape;
}

void addShapePair(Sculpture& s, const Shape& shape, const Paint& paint) {
    addShape(s, shape, paint);
    addShape(s, mirroredShape(shape), paint);
}

void addLine(Sculpture& s, Vec3 a, Vec3 b, const Paint& paint, double light) {
    s.lines.push_back({a, b, paint, light});
}

// The game's rule: reddish points are bike parts, deep blue ones the body.
PaintClass loadedColourClass(Color stored) {
    Color c = brightenColor(stored, 1);
    int r = colorRed(c), g = colorGreen(c), b = colorBlue(c);
    if (g <= 24 && b <= 24 && (r > 20 || g < r - 5)) return PAINT_BIKE;
    if (b >= 26 && g <= 4 && r <= 4) return PAINT_BODY;
    return PAINT_KEPT;
}

static int shade(int value, double light) { return std::clamp((int)std::lround(value * light), 0, MAX_STORED); }

static Color keptColour(const Paint& p, double light) {
    // A kept colour shaded into a recoloured class is lightened back out
    // of it, at worst to the unshaded paint, itself a kept colour.
    for (double l = light; l < 1.0; l += 0.05) {
        Color c = packColor(shade(p.r, l), shade(p.g, l), shade(p.b, l));
        if (loadedColourClass(c) == PAINT_KEPT) return c;
    }
    return packColor(shade(p.r, 1), shade(p.g, 1), shade(p.b, 1));
}

Color paintColour(const Paint& p, double light) {
    switch (p.kind) {
    case PAINT_BIKE: {
        int r = std::max(shade(p.r, light), MIN_BIKE_RED);
        return packColor(r, r / 8, r / 8);
    }
    case PAINT_BODY: return packColor(1, 1, std::max(shade(p.b, light), MIN_BODY_BLUE));
    case PAINT_KEPT: return keptColour(p, light);
    }
    return 0;
}

struct Bound {
    Vec3 centre;
    double radius;
};

struct Grid {
    int x0, y0, z0; // model coordinates of cell (0, 0, 0)
    int nx, ny, nz;
    std::vector<int> owner; // shape index of an inside cell, -1 outside
    int index(int i, int j, int k) const { return (i * ny + j) * nz + k; }
    bool inside(int i, int j, int k) const {
        if (i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz) return false;
        return owner[index(i, j, k)] >= 0;
    }
    Vec3 at(int i, int j, int k) const {
        return {(double)(x0 + i * CARVE_CELL), (double)(y0 + j * CARVE_CELL), (double)(z0 + k * CARVE_CELL)};
    }
};

static std::vector<Bound> shapeBounds(const Sculpture& s) {
    std::vector<Bound> bounds;
    for (const PaintedShape& shape : s.shapes) {
        Bound b;
        b.radius = shapeBound(shape.shape, &b.centre) + CARVE_GROW + CARVE_CELL;
        bounds.push_back(b);
    }
    return bounds;
}

// The union's distance at p and the shape that p lies deepest in (-1 when
// no shape is near).
static double unionDistance(const Sculpture& s, const std::vector<Bound>& bounds, Vec3 p, int* owner) {
    double best = 1e9;
    *owner = -1;
    for (size_t i = 0; i < s.shapes.size(); i++) {
        Vec3 d = p - bounds[i].centre;
        if (dot(d, d) > bounds[i].radius * bounds[i].radius) continue;
        double dist = shapeDistance(s.shapes[i].shape, p);
        if (dist < best) {
            best = dist;
            *owner = (int)i;
        }
    }
    return best;
}

static int cellFloor(double v) { return (int)std::floor(v / CARVE_CELL) * CARVE_CELL; }

static Grid fillGrid(const Sculpture& s, const std::vector<Bound>& bounds) {
    Vec3 lo = {1e9, 1e9, 1e9}, hi = {-1e9, -1e9, -1e9};
    for (const Bound& b : bounds) {
        lo = {std::min(lo.x, b.centre.x - b.radius), std::min(lo.y, b.centre.y - b.radius),
              std::min(lo.z, b.centre.z - b.radius)};
        hi = {std::max(hi.x, b.centre.x + b.radius), std::max(hi.y, b.centre.y + b.radius),
              std::max(hi.z, b.centre.z + b.radius)};
    }
    Grid g;
    g.x0 = cellFloor(lo.x);
    g.y0 = cellFloor(lo.y);
    g.z0 = cellFloor(lo.z);
    g.nx = (cellFloor(hi.x) - g.x0) / CARVE_CELL + 2;
    g.ny = (cellFloor(hi.y) - g.y0) / CARVE_CELL + 2;
    g.nz = (cellFloor(hi.z) - g.z0) / CARVE_CELL + 2;
    g.owner.assign((size_t)g.nx * g.ny * g.nz, -1);
    for (int i = 0; i < g.nx; i++)
        for (int j = 0; j < g.ny; j++)
            for (int k = 0; k < g.nz; k++) {
                int owner;
                if (unionDistance(s, bounds, g.at(i, j, k), &owner) <= CARVE_GROW) g.owner[g.index(i, j, k)] = owner;
            }
    return g;
}

static bool onSurface(const Grid& g, int i, int j, int k) {
    return g.inside(i, j, k) && (!g.inside(i - 1, j, k) || !g.inside(i + 1, j, k) || !g.inside(i, j - 1, k) ||
                                 !g.inside(i, j + 1, k) || !g.inside(i, j, k - 1) || !g.inside(i, j, k + 1));
}

// Diffuse light from the union's gradient at p.
static double lightAt(const Sculpture& s, const std::vector<Bound>& bounds, Vec3 p) {
    int ignored;
    auto at = [&](Vec3 q) { return unionDistance(s, bounds, q, &ignored); };
    const double h = NORMAL_STEP;
    Vec3 n = {at(p + Vec3{h, 0, 0}) - at(p - Vec3{h, 0, 0}), at(p + Vec3{0, h, 0}) - at(p - Vec3{0, h, 0}),
              at(p + Vec3{0, 0, h}) - at(p - Vec3{0, 0, h})};
    double len = std::sqrt(dot(n, n)), lightLen = std::sqrt(dot(LIGHT, LIGHT));
    double facing = len > 0 ? dot(n, LIGHT) / (len * lightLen) : 1;
    return AMBIENT + DIFFUSE * std::max(facing, 0.0);
}

static void addLinePoints(const Sculpture& s, const std::vector<Bound>& bounds, std::vector<SculptPoint>& points) {
    std::set<std::tuple<int, int, int>> taken;
    for (const SculptPoint& p : points) taken.insert({p.x, p.y, p.z});
    for (const PaintedLine& line : s.lines) {
        Vec3 d = line.b - line.a;
        int steps = std::max(1, (int)std::ceil(std::sqrt(dot(d, d)) / LINE_STEP));
        for (int i = 0; i <= steps; i++) {
            Vec3 p = line.a + d * ((double)i / steps);
            int x = (int)std::lround(p.x), y = (int)std::lround(p.y), z = (int)std::lround(p.z);
            int owner;
            // Points buried in a solid would never show.
            if (unionDistance(s, bounds, {(double)x, (double)y, (double)z}, &owner) < -CARVE_GROW) continue;
            if (!taken.insert({x, y, z}).second) continue;
            points.push_back({x, y, z, paintColour(line.paint, line.light), line.paint.tag});
        }
    }
}

std::vector<SculptPoint> carveSculpture(const Sculpture& s) {
    std::vector<Bound> bounds = shapeBounds(s);
    Grid g = fillGrid(s, bounds);
    std::vector<SculptPoint> points;
    for (int i = 0; i < g.nx; i++)
        for (int j = 0; j < g.ny; j++)
            for (int k = 0; k < g.nz; k++) {
                if (!onSurface(g, i, j, k)) continue;
                Vec3 p = g.at(i, j, k);
                const Paint& paint = s.shapes[g.owner[g.index(i, j, k)]].paint;
                points.push_back({(int)p.x, (int)p.y, (int)p.z, paintColour(paint, lightAt(s, bounds, p)), paint.tag});
            }
    addLinePoints(s, bounds, points);
    return points;
}
