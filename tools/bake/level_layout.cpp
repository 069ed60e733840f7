#include "bake/level_layout.h"
#include "gfx/trig.h"
#include "world/levels.h"

#include <algorithm>
#include <cmath>

namespace {

const double CHECKPOINT_DEPTH = 40;   // along the course
const double CHECKPOINT_MARGIN = 14;  // beyond the worn track's edge
// A race checkpoint reaches out beside the track as far as this, where no
// other part of the course comes near, so that a rider thrown off the
// course by a crash still passes it.
const double CHECKPOINT_FAR_REACH = 260;
const double CHECKPOINT_CLEARANCE = 60; // beyond the track's edge, from any other part of the course
const double SAME_STRETCH = 320;        // along the course: nearer than this is the checkpoint's own stretch
const double GRID_SPACING = 75;       // between riders on the start line, as the race places them
const double GRID_MARGIN = 40;        // the start line reaches this far past the outermost rider
const double LANE_INSET = 12;         // race-path lanes keep this far inside the track
const double CORRIDOR_VERTEX_SPACING = 24;
const int MAX_LANES = 8;
const double LANE_SPACING = 22;      // lanes side by side never come within touching distance (20)

// The course as ridden in this level: u = 0 at the start point, growing in
// the riding direction.
struct Ride {
    const Course* course;
    double start;
    int sign;
    Vec2 at(double u) const { return courseSampleAt(*course, start + sign * u).at; }
    Vec2 dir(double u) const {
        Vec2 d = courseSampleAt(*course, start + sign * u).dir;
        return {d.x * sign, d.y * sign};
    }
    double length() const { return course->length; }
};

Ride rideOf(const LevelPlan& level, const TerrainPlan& terrain, const HeightField& field) {
    double at = level.reverse ? 1 - terrain.course.startAt : terrain.course.startAt;
    return {&field.course, alongAtControl(field.course, at), level.reverse ? -1 : 1};
}

Point layoutPoint(Vec2 world) {
    int x = std::clamp((int)std::lround(world.x / CELL), 0, FIELD_SIZE - 1);
    int y = std::clamp((int)std::lround(world.y / CELL), 0, FIELD_SIZE - 1);
    return {x, y};
}

Vec2 offset(Vec2 p, Vec2 d, double k) { return {p.x + d.x * k, p.y + d.y * k}; }

// Whole degrees, 0 toward -y, 90 toward +x.
int headingOf(Vec2 d) {
    int h = (int)std::lround(std::atan2(d.x, -d.y) * 180 / M_PI);
    return (h + 360) % 360;
}

bool addPolygon(Polygon** list, int32_t* count, int limit, const std::vector<Vec2>& corners) {
    if (*count >= limit) return false;
    Polygon* p = createPolygon();
    if (!p) return false;
    for (Vec2 c : corners) {
        Point q = layoutPoint(c);
        if (!appendVertex(p, q.x, q.y)) {
            destroyPolygon(&p);
            return false;
        }
    }
    list[(*count)++] = p;
    return true;
}

// Lateral offsets (left of the riding direction) of the riders the race
// puts on the start line, from the same table the race uses.
std::vector<double> gridOffsets(const LevelLayout* layout, int riders, Vec2 dir) {
    std::vector<double> out;
    Vec2 left = leftOf(dir);
    for (int i = 0; i < riders; i++) {
        int slot = (i + 1) / 2 * (i % 2 ? 1 : -1);
        int angle = (layout->startDirection + 270) % 360;
        double dx = (slot * cosineTable[angle] * (int)GRID_SPACING) >> 16;
        double dy = (slot * sineTable[angle] * (int)GRID_SPACING) >> 16;
        out.push_back(dx * left.x + dy * left.y);
    }
    return out;
}

void placeStart(LevelLayout* layout, const Ride& ride) {
    Point p = layoutPoint(ride.at(0));
    layout->startX = p.x;
    layout->startY = p.y;
    layout->startDirection = (headingOf(ride.dir(0)) + 270) % 360;
}

double segmentDistance(Vec2 q, Vec2 a, Vec2 b) {
    double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(a.x + t * dx - q.x, a.y + t * dy - q.y);
}

bool nearOtherStretch(const Ride& ride, double u, Vec2 q, double clearance) {
    for (const CourseSample& s : ride.course->samples) {
        double gap = std::fabs(wrapAlong(*ride.course, s.along - (ride.start + ride.sign * u)));
        if (std::min(gap, ride.length() - gap) >= SAME_STRETCH && std::hypot(s.at.x - q.x, s.at.y - q.y) < clearance)
            return true;
    }
    return false;
}

// How far beside the course at u, toward `side`, the ground stays clear of
// every other stretch of the course and of the checkpoints already placed:
// from `from` up to `want`.
double clearReach(const Ride& ride, double u, Vec2 side, double from, double want, double clearance,
                  const std::vector<std::vector<Vec2>>& placed) {
    Vec2 p = ride.at(u), d = ride.dir(u);
    double reach = from;
    for (double r = from; r <= want; r += COURSE_STEP) {
        for (double depth : {0.0, CHECKPOINT_DEPTH}) {
            Vec2 q = offset(offset(p, side, r), d, depth);
            if (nearOtherStretch(ride, u, q, clearance)) return reach;
            for (const std::vector<Vec2>& c : placed)
                for (size_t i = 0; i < c.size(); i++)
                    if (segmentDistance(q, c[i], c[(i + 1) % c.size()]) < CHECKPOINT_CLEARANCE) return reach;
        }
        reach = r;
    }
    return reach;
}

// Checkpoint k across the course; the first one's first two vertices are
// the start/finish line, and in a race it reaches across the whole grid so
// that every rider crosses it on the way to the course.
bool placeCheckpoints(LevelLayout* layout, const LevelPlan& level, const Ride& ride, double halfWidth, double track) {
    double spacing = ride.length() / level.checkpoints;
    std::vector<std::vector<Vec2>> placed;
    for (int k = 0; k < level.checkpoints; k++) {
        double u = START_LINE_AHEAD + k * spacing;
        Vec2 p = ride.at(u), d = ride.dir(u), left = leftOf(d);
        double reachLeft = halfWidth, reachRight = halfWidth;
        if (levelGameType(level.number) == GAME_RACE) {
            double clearance = track + CHECKPOINT_CLEARANCE;
            reachLeft = clearReach(ride, u, left, halfWidth, CHECKPOINT_FAR_REACH, clearance, placed);
            reachRight = clearReach(ride, u, {-left.x, -left.y}, halfWidth, CHECKPOINT_FAR_REACH, clearance, placed);
        }
        if (k == 0 && levelGameType(level.number) == GAME_RACE) {
            for (double o : gridOffsets(layout, level.opponents + 1, ride.dir(0))) {
                reachLeft = std::max(reachLeft, o + GRID_MARGIN);
                reachRight = std::max(reachRight, -o + GRID_MARGIN);
            }
        }
        std::vector<Vec2> c = {offset(p, left, halfWidth), offset(p, left, -halfWidth)};
        if (reachRight > halfWidth) c.push_back(offset(p, left, -reachRight));
        c.push_back(offset(offset(p, left, -reachRight), d, CHECKPOINT_DEPTH));
        c.push_back(offset(offset(p, left, reachLeft), d, CHECKPOINT_DEPTH));
        if (reachLeft > halfWidth) c.push_back(offset(p, left, reachLeft));
        if (!addPolygon(layout->checkpoints, &layout->checkpointCount, MAX_CHECKPOINTS, c)) return false;
        placed.push_back(c);
    }
    return true;
}

// Lanes side by side across the track, nodes at the same places along
// it, so that riders may change lanes at the start line without losing
// their place on the path.
bool placeRacePaths(LevelLayout* layout, int lanes, const Ride& ride, double halfWidth) {
    int nodes = std::max(3, (int)std::lround(ride.length() / PATH_NODE_SPACING));
    double spacing = ride.length() / nodes;
    double span = lanes > 1 ? 2 * (halfWidth - LANE_INSET) / (lanes - 1) : 0;
    for (int lane = 0; lane < lanes; lane++) {
        double lateral = lanes > 1 ? -(halfWidth - LANE_INSET) + lane * span : 0;
        std::vector<Vec2> points;
        for (int k = 0; k < nodes; k++) points.push_back(offset(ride.at(k * spacing), leftOf(ride.dir(k * spacing)), lateral));
        if (!addPolygon(layout->racePaths, &layout->racePathCount, MAX_RACE_PATHS, points)) return false;
    }
    return true;
}

// The corridor's two edges; toggled into a masked layout, the ground
// between them is the only ground not kept out.
bool placeCorridor(LevelLayout* layout, const Ride& ride, double halfWidth) {
    int vertices = (int)std::lround(ride.length() / CORRIDOR_VERTEX_SPACING);
    double spacing = ride.length() / vertices;
    for (int side = 1; side >= -1; side -= 2) {
        std::vector<Vec2> edge;
        for (int k = 0; k < vertices; k++)
            edge.push_back(offset(ride.at(k * spacing), leftOf(ride.dir(k * spacing)), side * halfWidth));
        if (!addPolygon(layout->keepouts, &layout->keepoutCount, MAX_KEEPOUTS, edge)) return false;
    }
    layout->masked = 1;
    return true;
}

} // namespace

LevelLayout* buildLevelLayout(const LevelPlan& level, const TerrainPlan& terrain, const HeightField& field) {
    LevelLayout* layout = createLayout();
    if (!layout) return nullptr;
    layout->masked = 0;
    Ride ride = rideOf(level, terrain, field);
    placeStart(layout, ride);
    bool stunt = levelGameType(level.number) == GAME_STUNT;
    bool race = levelGameType(level.number) == GAME_RACE;
    double track = terrain.course.halfWidth;
    bool ok = true;
    if (race || stunt) {
        // a stunt checkpoint spans its corridor, so no line along it misses it
        double zone = stunt ? level.corridor + 4 : track + CHECKPOINT_MARGIN;
        ok = placeCheckpoints(layout, level, ride, zone, track);
        // Stunt levels keep one path down the middle: the course line the
        // level check's bot follows; the game does not use it.
        int lanes = race ? std::clamp(1 + (int)(2 * (track - LANE_INSET) / LANE_SPACING), 1, MAX_LANES) : 1;
        ok = ok && placeRacePaths(layout, lanes, ride, track);
    }
    // Free rides keep the course line too, for the level check's bot.
    if (!race && !stunt) ok = placeRacePaths(layout, 1, ride, track);
    if (ok && stunt) ok = placeCorridor(layout, ride, level.corridor);
    if (!ok) destroyLayout(&layout);
    return layout;
}
