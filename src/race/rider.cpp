#include "race/rider.h"
#include "race/race.h"
#include "race/race_local.h"
#include "gfx/trig.h"
#include "shell/modes.h"
#include "shell/random.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/track.h"

#include <cmath>
#include <cstdlib>

namespace {

const int GET_UP_MIN = 50; // ticks at rest before a crashed rider is back up
const int GET_UP_SPREAD = 50;

int ground(int32_t x, int32_t y) { return heightAt(&track, wholeUnits(x), wholeUnits(y)); }

int getUpWait() { return GET_UP_MIN + gameRandom() % GET_UP_SPREAD; }

// A wall turns the bike a quarter turn away from it; the fraction of the
// heading is dropped.
int turnedFromWall(int heading, int threshold) {
    int h = heading >> 10;
    return ((h > threshold ? h + 90 : h - 90) % 360) * FIXED_ONE;
}

void hitWall(RaceRider* r, int32_t* coordinate, int bounceUnits, int threshold) {
    playSound(SOUND_WALL_HIT);
    *coordinate = bounceUnits * FIXED_ONE;
    crashRider(r);
    r->speed = 0;
    r->heading = turnedFromWall(r->heading, threshold);
}

void keepInsideWalls(RaceRider* r) {
    if (wholeUnits(r->x) < WALL_LOW) hitWall(r, &r->x, WALL_LOW_BOUNCE, 270);
    if (wholeUnits(r->y) < WALL_LOW) hitWall(r, &r->y, WALL_LOW_BOUNCE, 180);
    if (wholeUnits(r->x) >= WALL_HIGH) hitWall(r, &r->x, WALL_HIGH_BOUNCE, 270);
    if (wholeUnits(r->y) >= WALL_HIGH) hitWall(r, &r->y, WALL_HIGH_BOUNCE, 180);
}

void moveVertically(RaceRider* r, int32_t g) {
    r->z += r->vz;
    if (g > r->z) {
        r->z = g;
        r->vz = (r->vz + g - r->prevZ) >> 1;
        r->inKeepout = keepoutAt(&track, wholeUnits(r->x), wholeUnits(r->y));
        if (wholeUnits(r->vz) > LAUNCH_CAP) r->vz = LAUNCH_CAP * FIXED_ONE;
    } else {
        if (r->inKeepout && !keepoutAt(&track, wholeUnits(r->x), wholeUnits(r->y))) r->inKeepout = 0;
        r->vz -= GRAVITY;
    }
}

void countCheckpoint(RaceRider* r) {
    int n = checkpointAt(&track, wholeUnits(r->x), wholeUnits(r->y));
    // Only on entering: a lone checkpoint would otherwise close a lap on
    // every tick spent inside it.
    bool entered = n != r->checkpointUnder;
    r->checkpointUnder = n;
    if (r->finished || !entered || n < 1 || n > raceLevel.checkpoints) return;
    takeCheckpoint(r, n);
}

int wholeDegrees(int32_t angle) { return ((angle >> 10) % 360) * FIXED_ONE; }

void leanTowardCrash(RaceRider* r) {
    if (r->lean < CRASH_LEAN) r->lean++;
}

void tumble(RaceRider* r) {
    r->heading = wholeDegrees(r->heading);
    r->spin = wholeDegrees(r->spin);
    r->pitch = (r->pitch + r->speed / 4) % 360;
    r->spin += r->speed * 256;
    leanTowardCrash(r);
    leanTowardCrash(r);
    if (r->lean > CRASH_LEAN) r->lean--;
}

bool nearRespawnEdge(const RaceRider* r) {
    int x = wholeUnits(r->x), y = wholeUnits(r->y);
    const int far = WORLD_SIZE - RESPAWN_EDGE;
    return x < RESPAWN_EDGE || y < RESPAWN_EDGE || x >= far || (y >= far && r->inKeepout);
}

// Where a respawn may put the rider back: ground it rode on, off keep-out
// ground and away from the edges. A spot in the edge band would respawn
// it into the band again, where it lies, for as long as the race lasts.
bool isSafeSpot(const RaceRider* r) {
    return !r->crashed && !nearRespawnEdge(r) && !keepoutAt(&track, wholeUnits(r->x), wholeUnits(r->y));
}

void respawn(RaceRider* r) {
    r->crashed = 0;
    r->respawnTimer = RESPAWN_FREEZE;
    r->vz = 0;
    r->x = r->safeX;
    r->y = r->safeY;
    r->heading = r->safeHeading;
    r->z = (ground(r->x, r->y) + 1) * FIXED_ONE;
    r->pitch = r->speed = r->lean = r->getUpTimer = 0;
}

void slide(RaceRider* r) {
    if ((frameCount & 1) == 0 && r->speed > 0) r->speed--;
    if (r->speed == 0 && nearRespawnEdge(r)) respawn(r);
    r->pitch /= 2;
    r->spin += r->speed * 256;
    r->heading = wholeDegrees(r->heading);
    r->spin = wholeDegrees(r->spin);
    leanTowardCrash(r);
}

// Two thirds of the slope angle between the probes, heights scaled by 0.1.
int slopePitch(const RaceRider* r) {
    int slope = ground(r->backX, r->backY) - ground(r->frontX, r->frontY);
    int doubled = (int)(std::atan(slope * 0.1) * 57.3 * 2);
    return doubled / 3;
}

void followGround(RaceRider* r) {
    int h = headingDegrees(r);
    r->frontX = r->x + dirX(PROBE_REACH, h) * FIXED_ONE;
    r->frontY = r->y + dirY(PROBE_REACH, h) * FIXED_ONE;
    r->backX = r->x - dirX(PROBE_REACH, h) * FIXED_ONE;
    r->backY = r->y - dirY(PROBE_REACH, h) * FIXED_ONE;
    int p = slopePitch(r);
    if (std::abs(p - r->pitch) > SLOPE_CRASH) {
        playSound(SOUND_CRASH);
        crashRider(r);
        r->spin = r->heading;
    } else {
        r->pitch = p;
    }
}

void touchGround(RaceRider* r, int32_t g) {
    r->airborne = 0;
    if (r->z > g) {
        if (wholeUnits(r->z - g) > AIRBORNE_HEIGHT) r->airborne = 1;
    } else if (r->crashed) {
        slide(r);
    } else {
        followGround(r);
    }
}

void getUp(RaceRider* r) {
    if (!r->crashed) return;
    if (r->speed > 0) {
        r->getUpTimer = getUpWait();
    } else if (--r->getUpTimer < 0) {
        r->crashed = 0;
        r->lean = 0;
    }
}

int engineWanted(const RaceRider* r) {
    if (r->finished) return ENGINE_SILENT;
    if (r->crashed || r->respawnTimer > 0 || r->throttle != 1) return ENGINE_IDLE;
    return r->airborne ? ENGINE_IN_AIR : ENGINE_FULL;
}

} // namespace

int groundUnder(const RaceRider* r) { return ground(r->x, r->y); }

void crashRider(RaceRider* r) {
    // The wait is drawn here too: a rider thrown off at a standstill would
    // otherwise wait for whatever the steering aim left in the timer.
    if (!r->crashed) r->getUpTimer = getUpWait();
    r->crashed = 1;
}

RaceRider* initRider() {
    RaceRider* r = (RaceRider*)calloc(1, sizeof(RaceRider));
    if (!r) return nullptr;
    r->heading = (gameRandom() % 360) * FIXED_ONE;
    r->getUpTimer = ((gameRandom() & 4095) - 2048) / 2;
    r->speed = gameRandom() % TOP_SPEED;
    r->aiNextNode = 1;
    r->lap = 1;
    r->model = createVoxelModel();
    return r;
}

void placeRider(RaceRider* r, int x, int y) {
    r->x = x * FIXED_ONE;
    r->y = y * FIXED_ONE;
    r->z = r->prevZ = ground(r->x, r->y) * FIXED_ONE;
    r->vz = 0;
    // A rider that crashes at an edge before reaching safe ground comes
    // back to the grid, not to the world's corner.
    r->safeX = r->x;
    r->safeY = r->y;
    r->safeHeading = r->heading;
}

void releaseRider(RaceRider** handle) {
    if (!*handle) return;
    destroyVoxelModel(&(*handle)->model);
    free(*handle);
    *handle = nullptr;
}

void stepRider(RaceRider* r) {
    if (r->respawnTimer > 0) {
        r->respawnTimer--;
        return;
    }
    int h = headingDegrees(r);
    if (h < 0) h += 360;
    r->x += dirX(256, h) * r->speed;
    r->y += dirY(256, h) * r->speed;
    keepInsideWalls(r);
    if (r->heading < 0) r->heading += FULL_TURN;
    if (r->heading > FULL_TURN) r->heading -= FULL_TURN;
    if (gameType == GAME_FREE_RIDE) r->finished = 0;
    else if (r->lap == raceLevel.laps + 1) r->finished = 1;
    int32_t g = ground(r->x, r->y) * FIXED_ONE;
    moveVertically(r, g);
    if (isSafeSpot(r)) {
        r->safeX = r->x;
        r->safeY = r->y;
        r->safeHeading = r->heading;
    }
    countCheckpoint(r);
    if (r->finished && r->lean != 0) r->lean += r->lean > 0 ? -1 : 1;
    r->prevZ = r->z;
    if (r->crashed) tumble(r);
    touchGround(r, g);
    getUp(r);
    r->engineState = engineWanted(r);
    if (!r->airborne && r->inKeepout && raceLevel.keepout != 0) {
        r->speed = 0;
        r->engineState = ENGINE_IDLE;
    }
}
