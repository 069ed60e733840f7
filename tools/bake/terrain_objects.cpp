#include "bake/terrain_objects.h"
#include "bake/level_layout.h"
#include "bake/noise.h"
#include "bake/terrain_look.h"
#include "bake/terrain_render.h"
#include "world/track.h"

#include <algorithm>
#include <cmath>

namespace {

const int W = TERRAIN_PICTURE_WIDTH, H = TERRAIN_PICTURE_HEIGHT;
const double GRID_X = 11, GRID_Y = 30; // candidate spacing: about 6 x 6 pixels
const double COURSE_CLEARANCE = 30;    // beyond the worn track's edge
const double START_ROW_CLEARANCE = 70; // along the course from a start point: the grid spreads there
const int RIDER_REACH_ROWS = 34;       // a rider on the ground reaches this far up the picture
const int RIDER_REACH_COLUMNS = 14;    // and this far either side
const double SHADOW_PER_PIXEL = 2.4;   // world units of shadow per pixel of height
const double PIXELS_PER_UNIT_X = 1161.0 / 2048;
// Objects stand on the ground past the world's edges too, where the
// picture shows it.
const double PLANTED_WIDTH = 2066, PLANTED_DEPTH = 2400;
const double OBJECT_HAZE = 0.22; // far objects fade as the far ground does

struct Mix {
    ObjectKind kind;
    double weight;
    int minHeight, maxHeight; // pixels
    double widthRatio;        // width / height
};

struct Planting {
    double density;    // of candidates taken inside a clump
    double clumpScale; // world units
    double clumpShare; // of the ground inside clumps, 0..1
    double scatter;    // density outside clumps
    double minH, maxH; // heights where anything grows or lies
    double maxSlope;   // height units per world unit
    std::vector<Mix> clump, loose;
};

Planting plantingOf(Scenery s) {
    switch (s) {
    case SCENERY_SPRING_MEADOW:
        return {0.55, 220, 0.3, 0.012, 0, 255, 0.5,
                {{OBJECT_BROADLEAF, 6, 14, 21, 0.85}, {OBJECT_BUSH, 3, 4, 7, 1.5}, {OBJECT_PINE, 0.5, 16, 22, 0.45}},
                {{OBJECT_BUSH, 3, 4, 7, 1.5}, {OBJECT_ROCK, 2, 3, 4, 1.6}, {OBJECT_BROADLEAF, 1, 13, 18, 0.85}}};
    case SCENERY_SUMMER_HILLS:
        return {0.45, 260, 0.32, 0.015, 0, 255, 0.55,
                {{OBJECT_PINE, 5, 16, 26, 0.42}, {OBJECT_BROADLEAF, 3, 13, 19, 0.9}, {OBJECT_BOULDER, 1, 6, 9, 1.5}},
                {{OBJECT_ROCK, 3, 3, 5, 1.6}, {OBJECT_BOULDER, 1.5, 5, 8, 1.5}, {OBJECT_BUSH, 2, 4, 6, 1.5}}};
    case SCENERY_GOLDEN_DUNES:
        return {0.12, 300, 0.2, 0.006, 0, 255, 0.35,
                {{OBJECT_BUSH, 4, 3, 6, 1.6}, {OBJECT_ROCK, 1, 3, 4, 1.6}},
                {{OBJECT_BUSH, 2, 3, 5, 1.6}}};
    case SCENERY_RED_DUNES:
        return {0.3, 160, 0.16, 0.004, 0, 255, 0.45,
                {{OBJECT_BOULDER, 3, 6, 12, 1.4}, {OBJECT_ROCK, 4, 3, 5, 1.6}, {OBJECT_BUSH, 1, 3, 5, 1.6}},
                {{OBJECT_ROCK, 2, 3, 5, 1.6}}};
    case SCENERY_RED_CANYON:
        return {0.3, 180, 0.28, 0.012, 0, 255, 0.3,
                {{OBJECT_BOULDER, 3, 6, 12, 1.4}, {OBJECT_ROCK, 4, 3, 5, 1.6}, {OBJECT_BUSH, 3, 3, 6, 1.6}},
                {{OBJECT_BUSH, 3, 3, 6, 1.6}, {OBJECT_ROCK, 2, 3, 5, 1.6}}};
    case SCENERY_BADLANDS:
        return {0.35, 200, 0.3, 0.01, 0, 255, 0.3,
                {{OBJECT_BROADLEAF, 3, 9, 13, 0.95}, {OBJECT_BUSH, 3, 3, 6, 1.6}, {OBJECT_BOULDER, 2, 6, 10, 1.4}},
                {{OBJECT_ROCK, 3, 3, 5, 1.6}, {OBJECT_BUSH, 1, 3, 5, 1.6}}};
    case SCENERY_PINE_ALPS:
        return {0.7, 200, 0.4, 0.01, 35, 185, 0.45,
                {{OBJECT_PINE, 10, 14, 28, 0.42}, {OBJECT_BOULDER, 0.5, 6, 10, 1.4}},
                {{OBJECT_PINE, 2, 12, 22, 0.42}, {OBJECT_ROCK, 2, 3, 5, 1.6}}};
    case SCENERY_GLACIER:
        return {0.45, 150, 0.22, 0.01, 20, 200, 0.5,
                {{OBJECT_BOULDER, 4, 6, 13, 1.4}, {OBJECT_ROCK, 4, 3, 5, 1.6}, {OBJECT_PINE, 1.5, 12, 20, 0.4}},
                {{OBJECT_ROCK, 3, 3, 5, 1.6}, {OBJECT_BOULDER, 1, 6, 9, 1.4}}};
    }
    return {};
}

const Mix& pick(const std::vector<Mix>& mix, double u) {
    double total = 0;
    for (const Mix& m : mix) total += m.weight;
    double at = u * total;
    for (const Mix& m : mix) {
        if (at < m.weight) return m;
        at -= m.weight;
    }
    return mix.back();
}

int cellHeight(const HeightField& f, int x, int y) {
    return f.cells[cellIndex(std::clamp(x / 4, 0, FIELD_SIZE - 1), std::clamp(y / 4, 0, FIELD_SIZE - 1))];
}

// The farthest course ground seen at each picture point, 0 where none:
// every point of the worn track and its edge, a little spread so that no
// gaps are left between them.
std::vector<uint8_t> courseDepths(const TerrainPlan& plan, const HeightField& f, const Track* t) {
    std::vector<uint8_t> out((size_t)W * H, 0);
    double reach = plan.course.halfWidth + 16;
    for (const CourseSample& s : f.course.samples) {
        Vec2 left = leftOf(s.dir);
        for (double l = -reach; l <= reach; l += 3) {
            int x = (int)(s.at.x + left.x * l), y = (int)(s.at.y + left.y * l);
            if (x < 0 || y < 0 || x >= WORLD_SIZE || y >= WORLD_SIZE) continue;
            int h = cellHeight(f, x, y);
            int px = pictureColumn(x), py = pictureRow(t, y, h), d = pointDepth(y, h);
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -2; dx <= 2; dx++) {
                    int c = px + dx, r = py + dy;
                    if (c < 0 || r < 0 || c >= W || r >= H) continue;
                    uint8_t& v = out[(size_t)r * W + c];
                    v = (uint8_t)std::max<int>(v, std::clamp(d, 1, 255));
                }
        }
    }
    return out;
}

// Whether the object would stand in front of course ground, or of a rider
// riding there.
bool hidesCourse(const TerrainObject& o, const std::vector<uint8_t>& course) {
    for (int r = std::max(0, o.top()); r <= std::min(H - 1, o.bottom() + RIDER_REACH_ROWS); r++)
        for (int c = std::max(0, o.left() - RIDER_REACH_COLUMNS); c <= std::min(W - 1, o.right() + RIDER_REACH_COLUMNS); c++) {
            int d = course[(size_t)r * W + c];
            if (d > o.depth) return true;
        }
    return false;
}

double slopeAt(const HeightField& f, double x, double y) {
    double gx = (groundAt(f, x + 8, y) - groundAt(f, x - 8, y)) / 16;
    double gy = (groundAt(f, x, y + 8) - groundAt(f, x, y - 8)) / 16;
    return std::hypot(gx, gy);
}

// Distance along the course from the nearer of the two start points (one
// for each riding direction).
double fromStartRows(const TerrainPlan& plan, const HeightField& f, double x, double y) {
    double best = 1e9;
    if (f.course.controlAlong.empty()) return best;
    for (double at : {plan.course.startAt, 1 - plan.course.startAt}) {
        const CourseSample& s = courseSampleAt(f.course, alongAtControl(f.course, at));
        best = std::min(best, std::fabs((x - s.at.x) * s.dir.x + (y - s.at.y) * s.dir.y));
    }
    return best;
}

} // namespace

std::vector<TerrainObject> placeObjects(const TerrainPlan& plan, const HeightField& f, const GroundHeight& groundHeight) {
    Planting p = plantingOf(plan.scenery);
    Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, createSurface(1, H), nullptr, nullptr};
    std::vector<uint8_t> course = courseDepths(plan, f, &t);
    std::vector<TerrainObject> out;
    uint32_t seed = plan.seed * 7919 + 5;
    for (int gy = 1; gy * GRID_Y < PLANTED_DEPTH; gy++)
        for (int gx = 1; gx * GRID_X < PLANTED_WIDTH; gx++) {
            double x = (gx + latticeHash(gx, gy, seed) - 0.5) * GRID_X;
            double y = (gy + latticeHash(gx, gy, seed + 1) - 0.5) * GRID_Y;
            double clump = smoothstep(1 - p.clumpShare - 0.08, 1 - p.clumpShare + 0.08,
                                      0.5 + 0.5 * fractalNoise(x / p.clumpScale, y / p.clumpScale, 3, seed + 2));
            double chance = p.scatter + (p.density - p.scatter) * clump;
            double u = latticeHash(gx, gy, seed + 3);
            if (u >= chance) continue;
            int ix = (int)x, iy = (int)y;
            int h = groundHeight(ix, iy);
            bool inWorld = ix < WORLD_SIZE && iy < WORLD_SIZE;
            if (h < p.minH || h > p.maxH || (inWorld && slopeAt(f, x, y) > p.maxSlope)) continue;
            int c = std::clamp(ix / 4, 0, FIELD_SIZE - 1), r = std::clamp(iy / 4, 0, FIELD_SIZE - 1);
            if (inWorld && f.map.distance[cellIndex(c, r)] < plan.course.halfWidth + COURSE_CLEARANCE) continue;
            if (fromStartRows(plan, f, x, y) < START_ROW_CLEARANCE) continue;
            const Mix& m = pick(clump > 0.5 ? p.clump : p.loose, latticeHash(gx, gy, seed + 4));
            TerrainObject o;
            o.kind = m.kind;
            o.x = ix;
            o.y = iy;
            o.height = m.minHeight + (int)(latticeHash(gx, gy, seed + 5) * (m.maxHeight - m.minHeight + 1));
            o.width = std::max(3, (int)std::lround(o.height * m.widthRatio));
            o.footX = pictureColumn(ix);
            o.footY = pictureRow(&t, iy, h);
            o.depth = pointDepth(iy, h);
            o.seed = seed + (uint32_t)(gy * 4099 + gx);
            if (hidesCourse(o, course)) continue;
            out.push_back(o);
        }
    destroySurface(&t.terrain);
    std::stable_sort(out.begin(), out.end(), [](const TerrainObject& a, const TerrainObject& b) { return a.y < b.y; });
    return out;
}

// ---- shadows

namespace {

// Distance from q to the segment a-b, and how far along it (0..1).
double alongSegment(double qx, double qy, double ax, double ay, double bx, double by, double* t) {
    double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    *t = len2 > 0 ? std::clamp(((qx - ax) * dx + (qy - ay) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(ax + *t * dx - qx, ay + *t * dy - qy);
}

void shadeObject(const TerrainObject& o, ObjectShade* s) {
    double len = std::hypot(SUN_X, SUN_Y);
    double sx = -SUN_X / len, sy = -SUN_Y / len; // away from the sun
    double reach = o.height * SHADOW_PER_PIXEL;
    double radius = o.width / 2.0 / PIXELS_PER_UNIT_X;
    double bx = o.x + sx * reach, by = o.y + sy * reach;
    int c0 = (int)((std::min<double>(o.x, bx) - radius - 4) / SHADE_CELL), c1 = (int)((std::max<double>(o.x, bx) + radius + 4) / SHADE_CELL);
    int r0 = (int)((std::min<double>(o.y, by) - radius - 4) / SHADE_CELL), r1 = (int)((std::max<double>(o.y, by) + radius + 4) / SHADE_CELL);
    for (int r = std::max(0, r0); r <= std::min(s->size - 1, r1); r++)
        for (int c = std::max(0, c0); c <= std::min(s->size - 1, c1); c++) {
            double qx = (c + 0.5) * SHADE_CELL, qy = (r + 0.5) * SHADE_CELL, t, d, edge;
            switch (o.kind) {
            case OBJECT_PINE: // a narrowing cone from the foot to the tip's shadow
                d = alongSegment(qx, qy, o.x, o.y, bx, by, &t);
                edge = radius * (1 - 0.85 * t) + 0.6;
                break;
            case OBJECT_BROADLEAF: { // the crown's disc, and the trunk's line to it
                double cx = o.x + sx * reach * 0.62, cy = o.y + sy * reach * 0.62;
                double disc = std::hypot(qx - cx, qy - cy) - radius;
                double trunk = alongSegment(qx, qy, o.x, o.y, cx, cy, &t) - 1.2;
                d = std::min(disc, trunk) + 1;
                edge = 1;
                break;
            }
            default: { // low things: a blot at their foot, a little off the sun
                double cx = o.x + sx * reach * 0.45, cy = o.y + sy * reach * 0.45;
                d = std::hypot(qx - cx, (qy - cy) * 0.8);
                edge = radius * 1.05;
                break;
            }
            }
            double v = 1 - smoothstep(edge - 1.5, edge + 1.5, d);
            float& cell = s->cells[(size_t)r * s->size + c];
            cell = std::max(cell, (float)v);
        }
}

} // namespace

ObjectShade objectShadows(const std::vector<TerrainObject>& objects) {
    ObjectShade s;
    s.size = WORLD_SIZE / SHADE_CELL;
    s.cells.assign((size_t)s.size * s.size, 0.0f);
    for (const TerrainObject& o : objects) shadeObject(o, &s);
    return s;
}

double shadeAt(const ObjectShade& s, double x, double y) {
    double fx = x / SHADE_CELL - 0.5, fy = y / SHADE_CELL - 0.5;
    if (fx < 0 || fy < 0 || fx >= s.size - 1 || fy >= s.size - 1) return 0;
    int c = (int)fx, r = (int)fy;
    double tx = fx - c, ty = fy - r;
    const float* row = &s.cells[(size_t)r * s.size + c];
    double a = row[0], b = row[1], d = row[s.size], e = row[s.size + 1];
    return (a + (b - a) * tx) * (1 - ty) + (d + (e - d) * tx) * ty;
}

// ---- drawing

namespace {

struct ObjectColours {
    Colour3 needles, leaves, leavesAlt, bark, rock, snow;
    bool snowy;
};

ObjectColours coloursOf(Scenery s) {
    switch (s) {
    case SCENERY_SPRING_MEADOW:
        return {{0.12, 0.30, 0.16}, {0.22, 0.46, 0.14}, {0.32, 0.52, 0.16}, {0.32, 0.22, 0.14}, {0.58, 0.56, 0.52}, {}, false};
    case SCENERY_SUMMER_HILLS:
        return {{0.16, 0.28, 0.14}, {0.36, 0.42, 0.14}, {0.62, 0.46, 0.16}, {0.34, 0.24, 0.16}, {0.62, 0.58, 0.52}, {}, false};
    case SCENERY_GOLDEN_DUNES:
        return {{0.30, 0.34, 0.18}, {0.50, 0.50, 0.28}, {0.58, 0.54, 0.32}, {0.40, 0.32, 0.22}, {0.66, 0.56, 0.42}, {}, false};
    case SCENERY_RED_DUNES:
        return {{0.30, 0.32, 0.18}, {0.46, 0.44, 0.24}, {0.52, 0.46, 0.26}, {0.36, 0.26, 0.18}, {0.46, 0.30, 0.22}, {}, false};
    case SCENERY_RED_CANYON:
        return {{0.26, 0.32, 0.18}, {0.44, 0.46, 0.24}, {0.54, 0.52, 0.30}, {0.38, 0.28, 0.20}, {0.66, 0.40, 0.28}, {}, false};
    case SCENERY_BADLANDS:
        return {{0.20, 0.30, 0.22}, {0.26, 0.36, 0.24}, {0.36, 0.42, 0.28}, {0.34, 0.28, 0.22}, {0.60, 0.56, 0.50}, {}, false};
    case SCENERY_PINE_ALPS:
        return {{0.10, 0.26, 0.18}, {0.20, 0.34, 0.20}, {0.24, 0.38, 0.22}, {0.30, 0.22, 0.16}, {0.40, 0.38, 0.40}, {0.95, 0.97, 1.0}, true};
    case SCENERY_GLACIER:
        return {{0.10, 0.22, 0.20}, {0.20, 0.30, 0.24}, {0.24, 0.34, 0.26}, {0.28, 0.22, 0.18}, {0.36, 0.36, 0.42}, {0.90, 0.94, 1.0}, true};
    }
    return {};
}

// Picture-space light: from the right, above, a little toward the viewer.
const double LX = 0.62, LY = 0.55, LZ = 0.56;

struct Painted {
    bool inside;
    Colour3 c;
};

// Half the width of a pine's boughs `up` pixels above its foot; its tiers
// in `tier`, 0 at the top of one.
double pineHalfWidth(const TerrainObject& o, int trunk, int up, double* tier) {
    double u = (double)(o.height - up) / (o.height - trunk); // 0 at the tip, 1 at the lowest boughs
    int tiers = 3 + (int)(o.seed % 3);
    *tier = u * tiers - std::floor(u * tiers);
    return o.width / 2.0 * (0.2 + 0.8 * u) * (0.6 + 0.4 * *tier) + 0.7 * (latticeHash(up, 3, o.seed) - 0.5);
}

// Coordinates: dx pixels right of the foot, up pixels above it.
Painted paintPine(const TerrainObject& o, const ObjectColours& k, int dx, int up, int px, int py) {
    int trunk = std::max(2, o.height / 7);
    if (up < trunk) {
        bool in = dx >= -1 + (o.height < 18) && dx <= 0;
        return {in && up >= 0, scaled(k.bark, dx < 0 ? 0.7 : 1.0)};
    }
    if (up > o.height) return {false, {}};
    double tier, half = pineHalfWidth(o, trunk, up, &tier);
    auto inside = [&](int c) { return std::fabs(c + 0.5) <= half + 0.5; };
    if (!inside(dx)) return {false, {}};
    double side = std::clamp((dx + 0.5) / std::max(half, 1.0), -1.0, 1.0);
    double light = 0.62 + 0.42 * side + 0.2 * (0.5 - tier) + 0.12 * embossed(px, py, 1.8, 1.4, o.seed);
    Colour3 c = scaled(k.needles, light);
    if (k.snowy && up < o.height - 2) {
        // snow lies along the top of each tier and on the sunlit boughs, in
        // pieces two pixels long that lie wholly on the boughs
        double lying = (tier < 0.25 ? 0.8 : 0.05) + 0.3 * side;
        int pair = dx - ((px & 1) ? 1 : 0);
        if (inside(pair) && inside(pair + 1) && latticeHash(px >> 1, py, o.seed + 1) < lying - 0.15)
            c = scaled(k.snow, 0.8 + 0.2 * std::max(side, 0.0));
    }
    return {true, c};
}

// Light on a pixel of a rounded mass whose outline is the ellipse
// (rx, ry) round (cx, cy).
double roundLight(double x, double y, double cx, double cy, double rx, double ry) {
    double nx = std::clamp((x - cx) / rx, -1.0, 1.0), ny = std::clamp((y - cy) / ry, -1.0, 1.0);
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    return std::max(0.0, nx * LX + ny * LY + nz * LZ);
}

// A crown of a few overlapping round masses; (0, 0) its centre.
bool inCrown(const TerrainObject& o, double x, double y, double rx, double ry) {
    if ((x * x) / (rx * rx) + (y * y) / (ry * ry) <= 1) return true;
    for (int i = 0; i < 3; i++) {
        double bx = (latticeHash(i, 1, o.seed) - 0.5) * rx * 1.1, by = (latticeHash(i, 2, o.seed) - 0.3) * ry * 0.8;
        double r = 0.55 + 0.2 * latticeHash(i, 3, o.seed);
        if (((x - bx) * (x - bx)) / (rx * rx * r * r) + ((y - by) * (y - by)) / (ry * ry * r * r) <= 1) return true;
    }
    return false;
}

Painted paintLeafy(const TerrainObject& o, const ObjectColours& k, int dx, int up, int px, int py, bool trunk) {
    double rx = o.width / 2.0, ry = trunk ? o.height * 0.34 : o.height / 2.0;
    double cy = trunk ? o.height - ry : ry;
    double x = dx + 0.5, y = up + 0.5 - cy;
    Colour3 leaves = mix(k.leaves, k.leavesAlt, latticeHash(1, 9, o.seed));
    if (up >= 0 && inCrown(o, x, y, rx, ry)) {
        double light = 0.35 + 0.8 * roundLight(x, y, 0, 0, rx * 1.15, ry * 1.15);
        light *= 1 + 0.16 * embossed(px, py, 2.2, 1.8, o.seed + 2);
        return {true, scaled(leaves, light)};
    }
    if (trunk && up >= 0 && up < cy && dx >= -1 && dx <= 0) return {true, scaled(k.bark, dx < 0 ? 0.7 : 1.0)};
    return {false, {}};
}

Painted paintRock(const TerrainObject& o, const ObjectColours& k, int dx, int up, int px, int py) {
    double rx = o.width / 2.0, ry = o.height / 2.0 + 0.5;
    double x = dx + 0.5, y = up + 0.5 - ry * 0.8;
    double angle = std::atan2(y / ry, x / rx);
    double lumpy = 1 + 0.18 * valueNoise(angle * 1.3 + 7, 0.5, o.seed);
    double r2 = (x * x) / (rx * rx) + (y * y) / (ry * ry);
    if (up < 0 || r2 > lumpy * lumpy) return {false, {}};
    double light = roundLight(x, y, 0, 0, rx, ry);
    if (o.kind == OBJECT_BOULDER) light = std::floor(light * 4 + 0.5) / 4; // broken into flat faces
    Colour3 c = scaled(k.rock, (0.45 + 0.75 * light) * (1 + 0.08 * embossed(px, py, 1.6, 1.4, o.seed + 3)));
    if (k.snowy && y > ry * 0.15 && latticeHash(px >> 1, py, o.seed + 4) < 0.85) c = scaled(k.snow, 0.86 + 0.14 * light);
    return {true, c};
}

Painted paint(const TerrainObject& o, const ObjectColours& k, int px, int py) {
    int dx = px - o.footX, up = o.footY - py;
    switch (o.kind) {
    case OBJECT_PINE: return paintPine(o, k, dx, up, px, py);
    case OBJECT_BROADLEAF: return paintLeafy(o, k, dx, up, px, py, true);
    case OBJECT_BUSH: return paintLeafy(o, k, dx, up, px, py, false);
    case OBJECT_ROCK:
    case OBJECT_BOULDER: return paintRock(o, k, dx, up, px, py);
    }
    return {false, {}};
}

Rgb toRgb(Colour3 c) {
    auto channel = [](double v) { return (uint8_t)std::clamp((int)std::lround(v * 255), 0, 255); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

} // namespace

void drawObjects(const std::vector<TerrainObject>& objects, Scenery scenery, Image* colour, std::vector<uint8_t>* depth,
                 int width, int height) {
    ObjectColours k = coloursOf(scenery);
    Colour3 haze = skyColour(scenery, 1.0);
    for (const TerrainObject& o : objects) {
        double far = 1 - o.y / (double)WORLD_SIZE;
        for (int py = std::max(0, o.top()); py <= std::min(height - 1, o.bottom()); py++)
            for (int px = std::max(0, o.left()); px <= std::min(width - 1, o.right()); px++) {
                uint8_t& d = (*depth)[(size_t)py * width + px];
                if (d + 1 < o.depth) continue; // nearer ground stands in front
                Painted p = paint(o, k, px, py);
                if (!p.inside) continue;
                colour->set(px, py, toRgb(mix(p.c, haze, OBJECT_HAZE * far * far)));
                d = (uint8_t)std::min<int>(d, o.depth);
            }
    }
}
