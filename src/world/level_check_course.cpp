// The course of a level: start point and grid, checkpoints and race paths,
// checked against the track as the build leaves it.
#include "gfx/trig.h"
#include "world/level_check_local.h"
#include "world/level_check.h"
#include "player/scores.h"
#include "world/polyfill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

const int WALL_LOW = 8, WALL_HIGH = 2040; // the world's walls, as the physics bounces off them
const int MAX_NUMBERED_CHECKPOINTS = 15;  // the height model's checkpoint bits
const int GRID_SPACING = 75;
const int MAX_RIDERS = 20;
const int PROBE = 18;        // the bike's slope probes, ahead and behind
const int TICK_TRAVEL = 8;   // world units a bike at full speed covers in a tick, rounded up
const int CRASH_TURN = 90;   // a pitch change beyond this on the ground is a crash
const int WALK_STEP = 2;     // world units between samples of a line

struct WorldPoint {
    int x, y;
};

// Saturating, for a damaged layout's start point far off the world.
int worldUnits(int32_t layoutUnits) {
    return (int)std::clamp<int64_t>((int64_t)layoutUnits * 4, INT32_MIN / 2, INT32_MAX / 2);
}

WorldPoint worldOf(Point p) { return {worldUnits(p.x), worldUnits(p.y)}; }

bool insideWalls(WorldPoint p) { return p.x >= WALL_LOW && p.y >= WALL_LOW && p.x < WALL_HIGH && p.y < WALL_HIGH; }

double segmentDistance(WorldPoint p, WorldPoint a, WorldPoint b) {
    double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
    double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Calls visit(point) every WALK_STEP along a to b, a included, b not;
// stops early when visit returns true. Returns whether it did.
template <typename Visit> bool walk(WorldPoint a, WorldPoint b, Visit visit) {
    int steps = std::max(1, (int)(std::hypot(b.x - a.x, b.y - a.y) / WALK_STEP));
    for (int i = 0; i < steps; i++) {
        WorldPoint p = {a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps};
        if (visit(p)) return true;
    }
    return false;
}

std::string numberList(const std::vector<int>& v) {
    std::string s;
    for (size_t i = 0; i < v.size() && i < 6; i++) s += (i ? ", " : "") + std::to_string(v[i]);
    if (v.size() > 6) s += ", ...";
    return s;
}

bool inOrderLevel() { return levelDescription.levelType != 1; }

// ---- checkpoints ----

void checkCheckpointShapes(CheckContext* c) {
    const LevelLayout* l = c->layout;
    if (c->gameType != GAME_FREE_RIDE && l->checkpointCount == 0) report(c, "the level has no checkpoints");
    for (int k = 0; k < l->checkpointCount; k++)
        if (l->checkpoints[k]->count < 3)
            report(c, "checkpoint %d has fewer than 3 corners and cannot be taken", k + 1);
    if (l->checkpointCount > MAX_NUMBERED_CHECKPOINTS)
        report(c, "checkpoint %d cannot be taken: the height model numbers checkpoints up to %d",
               MAX_NUMBERED_CHECKPOINTS + 1, MAX_NUMBERED_CHECKPOINTS);
}

struct CellBits {
    std::vector<uint32_t>* cells;
    uint32_t bit;
};

void markRun(void* context, int column, int top, int bottom) {
    CellBits* m = (CellBits*)context;
    for (int r = top; r < bottom; r++) (*m->cells)[(size_t)r * HEIGHT_MODEL_SIZE + column] |= m->bit;
}

// Filled as the build numbers them (straight edges, turned); a cell under
// two checkpoints gets neither number right.
bool checkOverlaps(CheckContext* c) {
    const LevelLayout* l = c->layout;
    std::vector<uint32_t> cells((size_t)HEIGHT_MODEL_SIZE * HEIGHT_MODEL_SIZE, 0);
    for (int k = 0; k < l->checkpointCount; k++) {
        const Polygon* p = l->checkpoints[k];
        std::vector<Point> turned(p->vertices, p->vertices + p->count);
        for (Point& v : turned) v = {HEIGHT_MODEL_SIZE - 1 - v.x, HEIGHT_MODEL_SIZE - 1 - v.y};
        Polygon view = {p->colour, p->count, turned.data()};
        CellBits bits = {&cells, 1u << k};
        scanPolygon(&view, {0, 0, HEIGHT_MODEL_SIZE - 1, HEIGHT_MODEL_SIZE - 1}, markRun, &bits);
    }
    std::vector<bool> seen(MAX_CHECKPOINTS * MAX_CHECKPOINTS, false);
    bool clear = true;
    for (uint32_t v : cells) {
        if ((v & (v - 1)) == 0) continue;
        int a = __builtin_ctz(v), b = __builtin_ctz(v & (v - 1));
        if (seen[a * MAX_CHECKPOINTS + b]) continue;
        seen[a * MAX_CHECKPOINTS + b] = true;
        report(c, "checkpoints %d and %d overlap", a + 1, b + 1);
        clear = false;
    }
    return clear;
}

// ---- start point and grid ----

double distanceToCourse(const LevelLayout* l, WorldPoint p) {
    double best = 1e9;
    auto edges = [&](const Polygon* poly) {
        for (int i = 0; i < poly->count; i++)
            best = std::min(best, segmentDistance(p, worldOf(poly->vertices[i]), worldOf(poly->vertices[(i + 1) % poly->count])));
    };
    for (int k = 0; k < l->checkpointCount; k++) edges(l->checkpoints[k]);
    for (int k = 0; k < l->racePathCount; k++) edges(l->racePaths[k]);
    return best;
}

bool checkStartPoint(CheckContext* c) {
    const LevelLayout* l = c->layout;
    if (l->startX == 0) {
        report(c, "the level has no start point");
        return false;
    }
    WorldPoint s = worldOf({l->startX, l->startY});
    if (!insideWalls(s)) {
        report(c, "start point (%d, %d) is off the world", l->startX, l->startY);
        return false;
    }
    if (c->terrainReady && keepoutAt(&c->track, s.x, s.y))
        report(c, "start point (%d, %d) is on keep-out ground", l->startX, l->startY);
    if (l->checkpointCount + l->racePathCount > 0) {
        double d = distanceToCourse(l, s);
        if (d > MAX_START_OFF_COURSE)
            report(c, "start point (%d, %d) is off the course: %d world units from the nearest checkpoint or race path",
                   l->startX, l->startY, (int)d);
    }
    return true;
}

// The pitch the physics gives a bike at p heading h.
int pitchAt(const Track* t, WorldPoint p, int h) {
    int fx = p.x + dirX(PROBE, h), fy = p.y + dirY(PROBE, h);
    int bx = p.x - dirX(PROBE, h), by = p.y - dirY(PROBE, h);
    int slope = heightAt(t, bx, by) - heightAt(t, fx, fy);
    return (int)((int)(std::atan(slope * 0.1) * 57.3 * 2) / 3);
}

// Whether a bike riding straight from a to b at full speed would crash on
// the ground: its pitch turning by more than CRASH_TURN from one tick to
// the next.
bool crashesBetween(const Track* t, WorldPoint a, WorldPoint b) {
    int h = headingTo(a.x, a.y, b.x, b.y) % 360, last = 1000, travelled = 0;
    return walk(a, b, [&](WorldPoint p) {
        if (travelled++ % (TICK_TRAVEL / WALK_STEP)) return false;
        int pitch = pitchAt(t, p, h);
        bool crash = last != 1000 && std::abs(pitch - last) > CRASH_TURN;
        last = pitch;
        return crash;
    });
}

// The riders' places on the start line, as the race sets them out.
std::vector<WorldPoint> gridPlaces(const CheckContext* c) {
    const LevelLayout* l = c->layout;
    int riders = c->gameType == GAME_RACE ? std::clamp(levelDescription.opponents + 1, 1, MAX_RIDERS) : 1;
    int angle = ((l->startDirection % 360) + 360 + 270) % 360;
    std::vector<WorldPoint> out;
    for (int i = 0; i < riders; i++) {
        int slot = (i + 1) / 2 * (i % 2 ? 1 : -1);
        WorldPoint s = worldOf({l->startX, l->startY});
        out.push_back({s.x + ((slot * cosineTable[angle] * GRID_SPACING) >> 16),
                       s.y + ((slot * sineTable[angle] * GRID_SPACING) >> 16)});
    }
    return out;
}

// The path a rider on the grid takes: the one whose first node is nearest.
int chosenPath(const LevelLayout* l, WorldPoint p) {
    int best = 0, bestDistance = 1 << 30;
    for (int k = 0; k < l->racePathCount; k++) {
        if (l->racePaths[k]->count == 0) continue;
        Point n = l->racePaths[k]->vertices[0];
        int d = distance2d(p.x / 4, p.y / 4, n.x, n.y);
        if (d < bestDistance) best = k, bestDistance = d;
    }
    return best;
}

void checkGrid(CheckContext* c) {
    const LevelLayout* l = c->layout;
    std::vector<WorldPoint> places = gridPlaces(c);
    std::vector<int> off, missed, steep;
    for (int i = 0; i < (int)places.size(); i++) {
        if (!insideWalls(places[i])) {
            off.push_back(i);
            continue;
        }
        if (!c->terrainReady || l->racePathCount == 0 || l->checkpointCount == 0) continue;
        const Polygon* path = l->racePaths[chosenPath(l, places[i])];
        if (path->count < 2) continue;
        WorldPoint target = worldOf(path->vertices[1]);
        if (!walk(places[i], target, [&](WorldPoint p) { return checkpointAt(&c->track, p.x, p.y) == 1; }))
            missed.push_back(i);
        if (crashesBetween(&c->track, places[i], target)) steep.push_back(i);
    }
    if (!off.empty())
        report(c, "%zu of %zu grid places are off the world (riders %s)", off.size(), places.size(), numberList(off).c_str());
    if (!missed.empty() && inOrderLevel())
        report(c, "%zu of %zu grid places miss the start line on the way to their race path (riders %s)", missed.size(),
               places.size(), numberList(missed).c_str());
    if (!steep.empty())
        report(c, "%zu of %zu grid places cross ground too steep to ride on the way to their race path (riders %s)",
               steep.size(), places.size(), numberList(steep).c_str());
}

// The start heading against the direction of the nearest stretch of path.
void checkStartDirection(CheckContext* c) {
    const LevelLayout* l = c->layout;
    if (l->racePathCount == 0 || l->racePaths[0]->count < 2) return;
    const Polygon* path = l->racePaths[0];
    WorldPoint s = worldOf({l->startX, l->startY});
    int nearest = 0;
    double best = 1e9;
    for (int i = 0; i < path->count; i++) {
        double d = segmentDistance(s, worldOf(path->vertices[i]), worldOf(path->vertices[(i + 1) % path->count]));
        if (d < best) best = d, nearest = i;
    }
    WorldPoint a = worldOf(path->vertices[nearest]), b = worldOf(path->vertices[(nearest + 1) % path->count]);
    int course = headingTo(a.x, a.y, b.x, b.y) % 360;
    int heading = ((l->startDirection + 90) % 360 + 360) % 360;
    if (std::abs(angleDelta(heading, course)) > 90)
        report(c, "start direction %d faces against the course: riders would head %d degrees, the course runs %d",
               l->startDirection, heading, course);
}

// ---- race paths ----

void checkPathNodes(CheckContext* c, int k) {
    const Polygon* path = c->layout->racePaths[k];
    std::vector<int> off, kept;
    for (int i = 0; i < path->count; i++) {
        WorldPoint p = worldOf(path->vertices[i]);
        if (!insideWalls(p)) off.push_back(i);
        else if (c->terrainReady && keepoutAt(&c->track, p.x, p.y)) kept.push_back(i);
    }
    if (!off.empty()) report(c, "race path %d has nodes off the world (%s)", k, numberList(off).c_str());
    if (!kept.empty()) report(c, "race path %d has nodes on keep-out ground (%s)", k, numberList(kept).c_str());
}

void checkPathLegs(CheckContext* c, int k) {
    const Polygon* path = c->layout->racePaths[k];
    std::vector<int> far, crossing;
    int steepNode = -1;
    for (int i = 0; i < path->count; i++) {
        WorldPoint a = worldOf(path->vertices[i]), b = worldOf(path->vertices[(i + 1) % path->count]);
        if (std::hypot(b.x - a.x, b.y - a.y) > MAX_NODE_GAP) far.push_back(i);
        if (!c->terrainReady) continue;
        bool ends = keepoutAt(&c->track, a.x, a.y) || keepoutAt(&c->track, b.x, b.y);
        if (!ends && walk(a, b, [&](WorldPoint p) { return keepoutAt(&c->track, p.x, p.y) != 0; })) crossing.push_back(i);
        if (steepNode < 0 && crashesBetween(&c->track, a, b)) steepNode = i;
    }
    if (!far.empty())
        report(c, "race path %d has nodes too far apart to follow (more than %d world units after nodes %s)", k,
               MAX_NODE_GAP, numberList(far).c_str());
    if (!crossing.empty())
        report(c, "race path %d crosses keep-out ground after nodes %s", k, numberList(crossing).c_str());
    if (steepNode >= 0) report(c, "race path %d runs over ground too steep to ride after node %d", k, steepNode);
}

// The checkpoints a path passes, in order, each stay inside counted once.
std::vector<int> checkpointsAlong(const CheckContext* c, const Polygon* path) {
    std::vector<int> seen;
    int current = 0;
    for (int i = 0; i < path->count; i++) {
        WorldPoint a = worldOf(path->vertices[i]), b = worldOf(path->vertices[(i + 1) % path->count]);
        walk(a, b, [&](WorldPoint p) {
            int n = checkpointAt(&c->track, p.x, p.y);
            if (n != 0 && n != current && (seen.empty() || seen.back() != n)) seen.push_back(n);
            current = n;
            return false;
        });
    }
    // the loop closes where it began
    if (seen.size() > 1 && seen.front() == seen.back()) seen.pop_back();
    return seen;
}

void checkPathOrder(CheckContext* c, int k) {
    int count = std::min(c->layout->checkpointCount, MAX_NUMBERED_CHECKPOINTS);
    std::vector<int> seen = checkpointsAlong(c, c->layout->racePaths[k]);
    std::vector<bool> passed(count + 1, false);
    for (int n : seen)
        if (n <= count) passed[n] = true;
    for (int n = 1; n <= count; n++)
        if (!passed[n] && c->layout->checkpoints[n - 1]->count >= 3) { // a shapeless one is reported already
            report(c, "race path %d misses checkpoint %d", k, n);
            return;
        }
    if (!inOrderLevel()) return;
    auto first = std::find(seen.begin(), seen.end(), 1);
    std::rotate(seen.begin(), first, seen.end());
    for (size_t i = 1; i < seen.size(); i++)
        if (seen[i] != seen[i - 1] + 1) {
            report(c, "race path %d passes checkpoint %d out of riding order (after checkpoint %d)", k, seen[i], seen[i - 1]);
            return;
        }
}

void checkPaths(CheckContext* c, bool checkpointsClear) {
    const LevelLayout* l = c->layout;
    if (c->gameType == GAME_RACE && l->racePathCount == 0) report(c, "the race level has no AI race path");
    for (int k = 0; k < l->racePathCount; k++) {
        const Polygon* path = l->racePaths[k];
        if (path->count < 3) {
            report(c, "race path %d has %d nodes; a path needs at least 3", k, path->count);
            continue;
        }
        if (path->count != l->racePaths[0]->count) {
            report(c, "race path %d has %d nodes and race path 0 has %d: a rider changing paths would lose its place", k,
                   path->count, l->racePaths[0]->count);
        }
        checkPathNodes(c, k);
        checkPathLegs(c, k);
        if (c->terrainReady && checkpointsClear && l->checkpointCount > 0) checkPathOrder(c, k);
    }
}

} // namespace

void checkCourse(CheckContext* c) {
    const LevelLayout* l = c->layout;
    if (l->masked && l->keepoutCount == 0)
        report(c, "the layout is masked but has no keep-out polygons: the whole world shows as keep-out");
    checkCheckpointShapes(c);
    bool clear = checkOverlaps(c);
    if (checkStartPoint(c)) {
        // an out-of-range opponent count is reported with the description
        if (c->gameType == GAME_RACE && c->opponentsInRange) checkGrid(c);
        if (c->gameType != GAME_FREE_RIDE) checkStartDirection(c);
    }
    checkPaths(c, clear);
}
