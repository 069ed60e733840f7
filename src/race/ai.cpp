#include "race/ai.h"
#include "race/race.h"
#include "gfx/trig.h"
#include "shell/random.h"
#include "world/track.h"

#include <algorithm>
#include <cstdlib>

namespace {

const int64_t NODE_SEARCH_BOUND = 16777216; // squared units: nodes farther than 4096 are never chosen
const int NODE_ADVANCE_REACH = 3;           // a nearer node further along the loop is a short cut
const int LAYOUT_UNIT = 4;                  // world units per layout unit
// The bot's bends: it takes this many degrees at full speed, and slows in
// proportion for sharper ones once it is this many ticks from the node.
const int BOT_BEND_AT_TOP_SPEED = 24;
const int BOT_LOOKAHEAD_TICKS = 24;
const int BOT_SLOWEST = 15;

bool usable(const Polygon* p) { return p && p->count >= 2; }

int64_t squaredDistance(int x, int y, Point node) {
    int64_t dx = (int64_t)LAYOUT_UNIT * node.x - x, dy = (int64_t)LAYOUT_UNIT * node.y - y;
    return dx * dx + dy * dy;
}

int nearestNode(const Polygon* path, int x, int y) {
    int64_t best = NODE_SEARCH_BOUND;
    int m = 0;
    for (int k = 0; k < path->count; k++) {
        int64_t d = squaredDistance(x, y, path->vertices[k]);
        if (d < best) {
            best = d;
            m = k;
        }
    }
    return m;
}

// m follows a along the loop of n nodes, directly or across the wrap.
bool nodeFollows(int a, int m, int n) {
    if (m == a) return false;
    if (std::abs(a - m) < NODE_ADVANCE_REACH) return true;
    return std::abs(((a - n / 2) % n) - ((n + m - n / 2) % n)) < NODE_ADVANCE_REACH;
}

void throttle(RaceRider* r, int32_t g) {
    if (r->z != g || r->crashed || raceClock % 4 != 0) return;
    bool may = raceClock >= (uint32_t)AI_STAGGER_TICKS || (uint32_t)(gameRandom() % 95) < raceClock;
    if (!may) return;
    if (!r->finished) {
        r->speed++;
        r->throttle = 1;
    } else {
        if (r->speed > 0) r->speed--;
        r->throttle = 0;
    }
}

void followPath(RaceRider* r) {
    const Polygon* path = riderPath(r);
    if (!path) return;
    int x = wholeUnits(r->x), y = wholeUnits(r->y), n = path->count;
    int m = nearestNode(path, x, y);
    if (nodeFollows(r->aiNode, m, n)) {
        r->aiNode = m;
        r->aiNextNode = (m + 1) % n;
        if (m == 0) {
            int chosen = gameRandom() % raceLayout->racePathCount;
            if (usable(raceLayout->racePaths[chosen])) r->aiPath = chosen;
        }
    }
    path = riderPath(r);
    Point next = path->vertices[r->aiNextNode % path->count];
    r->targetHeading = headingTo(x, y, LAYOUT_UNIT * next.x, LAYOUT_UNIT * next.y);
    if (r->crashed) return;
    int d = (r->targetHeading - headingDegrees(r) + 360) % 360;
    if (d > 180) d -= 360;
    r->heading += d * 128;
}

// The turn at the node being steered to, in degrees.
int bendAhead(const RaceRider* r, const Polygon* path) {
    Point a = path->vertices[r->aiNode % path->count];
    Point b = path->vertices[r->aiNextNode % path->count];
    Point c = path->vertices[(r->aiNextNode + 1) % path->count];
    int in = headingTo(a.x, a.y, b.x, b.y) % 360, out = headingTo(b.x, b.y, c.x, c.y) % 360;
    return std::abs(angleDelta(in, out));
}

} // namespace

const Polygon* riderPath(const RaceRider* r) {
    if (!raceLayout || r->aiPath < 0 || r->aiPath >= raceLayout->racePathCount) return nullptr;
    const Polygon* p = raceLayout->racePaths[r->aiPath];
    return usable(p) ? p : nullptr;
}

int nearestPath(int x, int y) {
    if (!raceLayout) return 0;
    int best = 0;
    int bestDistance = -1;
    for (int i = 0; i < raceLayout->racePathCount; i++) {
        const Polygon* p = raceLayout->racePaths[i];
        if (!usable(p)) continue;
        int d = distance2d(x / LAYOUT_UNIT, y / LAYOUT_UNIT, p->vertices[0].x, p->vertices[0].y);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void steerAiRider(RaceRider* r) {
    int32_t g = groundUnder(r) * FIXED_ONE;
    if (raceLevel.keepout != 0 && !r->airborne && r->inKeepout) return;
    if (r->respawnTimer > 0) return;
    throttle(r, g);
    // Capped even on a level without paths, where it would otherwise
    // gather speed for ever.
    if (r->speed > TOP_SPEED - 1) r->speed = TOP_SPEED;
    followPath(r);
}

void steerBotRider(RaceRider* r) {
    steerAiRider(r);
    const Polygon* path = riderPath(r);
    if (!path || r->crashed || r->speed <= BOT_SLOWEST) return;
    int bend = bendAhead(r, path);
    if (bend <= BOT_BEND_AT_TOP_SPEED) return;
    Point next = path->vertices[r->aiNextNode % path->count];
    int away = distance2d(wholeUnits(r->x), wholeUnits(r->y), LAYOUT_UNIT * next.x, LAYOUT_UNIT * next.y);
    int corner = std::max(BOT_SLOWEST, TOP_SPEED * BOT_BEND_AT_TOP_SPEED / bend);
    // about speed / 4 units per tick
    if (away < r->speed * BOT_LOOKAHEAD_TICKS / 4 && r->speed > corner) {
        r->speed--;
        r->throttle = 0;
    }
}
