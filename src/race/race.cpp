#include "race/race.h"
#include "race/ai.h"
#include "race/control.h"
#include "race/engine_sound.h"
#include "race/race_local.h"
#include "gfx/trig.h"
#include "player/riders.h"
#include "shell/log.h"
#include "shell/modes.h"
#include "shell/random.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/description.h"
#include "world/track.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

RaceLevel raceLevel;
LevelLayout* raceLayout;
RaceRider* raceRiders[MAX_RACE_RIDERS];
int riderCount;
PlaceEntry placeTable[MAX_RACE_RIDERS];
int16_t drawOrder[MAX_RACE_RIDERS];
RacePhase racePhase;
uint32_t raceClock;
bool playerIsBot;
const char* raceProblem;

namespace {

const int COMPUTER_COLOURS = 8;
const int GRID_SPACING = 75;  // world units between riders across the start line
const int TOUCH_DISTANCE = 20; // units, in plane and in height
const int LAYOUT_UNIT = 4;
// Behind the results of a failed run the scene slows to a standstill:
// after the first ticks, more and more of them are skipped.
const int SLOW_PERIOD = 40;
const int SLOW_AFTER = 20;
int slowDown;

int drawColourOtherThan(int taken) {
    int c;
    do c = gameRandom() % COMPUTER_COLOURS;
    while (c == taken);
    return c;
}

void colourBike(RaceRider* r, int index) {
    int bike = riderBikeColour(), body = riderBodyColour();
    if (index > 0) {
        bike = drawColourOtherThan(bike);
        body = drawColourOtherThan(body);
    }
    recolourVoxelModel(r->model, bike, body);
    scaleVoxelModel(r->model, BIKE_SCALE);
}

void readLevelValues() {
    raceLevel.opponents = std::clamp((int)levelDescription.opponents, 0, MAX_RACE_RIDERS - 1);
    raceLevel.laps = std::clamp((int)levelDescription.laps, 1, RACE_LAPS_LIMIT); // 0 would end the run on its first tick
    raceLevel.levelType = levelDescription.levelType;
    raceLevel.par = std::clamp((int)levelDescription.par, 0, RACE_PAR_LIMIT_SECONDS);
    raceLevel.keepout = levelDescription.keepout;
    raceLevel.checkpoints = std::min((int)raceLayout->checkpointCount, MAX_RACE_CHECKPOINTS);
}

// Lateral slot of rider i on the start line: 0, 1, -1, 2, -2, ...
int gridSlot(int i) { return (i + 1) / 2 * (i % 2 ? 1 : -1); }

void placeOnGrid(RaceRider* r, int i) {
    int angle = ((raceLayout->startDirection % 360) + 360) % 360;
    int across = (angle + 270) % 360, c = gridSlot(i);
    // Wide enough for any start point a damaged layout holds.
    int64_t x = (int64_t)raceLayout->startX * LAYOUT_UNIT + ((c * cosineTable[across] * GRID_SPACING) >> 16);
    int64_t y = (int64_t)raceLayout->startY * LAYOUT_UNIT + ((c * sineTable[across] * GRID_SPACING) >> 16);
    r->heading = ((angle + 90) % 360) * FIXED_ONE;
    r->speed = 0;
    // A start point off the world would put the grid behind the walls.
    placeRider(r, (int)std::clamp<int64_t>(x, WALL_LOW_BOUNCE, WALL_HIGH_BOUNCE),
               (int)std::clamp<int64_t>(y, WALL_LOW_BOUNCE, WALL_HIGH_BOUNCE));
    r->aiPath = nearestPath(wholeUnits(r->x), wholeUnits(r->y));
}

void sortDrawOrderFully() {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < riderCount; i++) {
            if (raceRiders[drawOrder[i + 1]]->y < raceRiders[drawOrder[i]]->y) {
                std::swap(drawOrder[i], drawOrder[i + 1]);
                swapped = true;
            }
        }
    }
}

// Why the level cannot be raced, or null.
const char* unraceable(bool layoutLoaded) {
    if (!layoutLoaded) return "no layout";
    if (raceLayout->startX == 0) return "no start point";
    if (gameType != GAME_FREE_RIDE && raceLevel.checkpoints == 0) return "no checkpoints";
    return nullptr;
}

void freeRiders(VoxelModel** keptModels) {
    for (int i = 0; i < MAX_RACE_RIDERS; i++) {
        if (!raceRiders[i]) continue;
        if (keptModels) std::swap(keptModels[i], raceRiders[i]->model);
        releaseRider(&raceRiders[i]);
    }
    riderCount = 0;
}

bool buildRace(bool keepModels) {
    VoxelModel* kept[MAX_RACE_RIDERS] = {};
    int keptCount = riderCount;
    freeRiders(keepModels ? kept : nullptr);
    // A fresh layout every time: reloading into the old one would add its
    // checkpoints and paths a second time.
    destroyLayout(&raceLayout);
    raceLayout = createLayout();
    bool loaded = raceLayout && loadLayout(raceLayout, currentLevel);
    if (raceLayout) readLevelValues();
    const char* problem = raceLayout ? unraceable(loaded) : "out of memory";
    raceProblem = nullptr;
    if (problem) {
        logf(0, LOG_TAG_ERROR, "Level %d: %s", currentLevel, problem);
        raceProblem = problem;
        for (VoxelModel*& m : kept) destroyVoxelModel(&m);
        destroyLayout(&raceLayout);
        return false;
    }
    riderCount = raceLevel.opponents + 1;
    for (int i = 0; i < riderCount; i++) {
        RaceRider* r = raceRiders[i] = initRider();
        if (!r) { // out of memory: race with the riders there are
            riderCount = i;
            break;
        }
        if (i < keptCount && kept[i]) {
            std::swap(r->model, kept[i]);
        } else {
            loadVoxelModel(r->model, BIKE_MODEL);
            colourBike(r, i);
        }
        placeOnGrid(r, i);
        placeTable[i] = {(int16_t)i, 0, 0};
        drawOrder[i] = (int16_t)i;
    }
    for (VoxelModel*& m : kept) destroyVoxelModel(&m);
    sortDrawOrderFully();
    if (raceLevel.levelType == LEVEL_ANY_ORDER && raceLevel.checkpoints > 1)
        for (int n = 0; n < raceLevel.checkpoints; n++) markCheckpoint(&track, raceLayout->checkpoints[n], 0);
    racePhase = PHASE_GET_READY;
    return true;
}

bool placedBefore(const PlaceEntry& a, const PlaceEntry& b) {
    return a.progress > b.progress || (a.progress == b.progress && a.time < b.time);
}

void copyProgress() {
    for (int i = 0; i < riderCount; i++) {
        RaceRider* r = raceRiders[placeTable[i].rider];
        placeTable[i].progress = (int16_t)r->progress;
        placeTable[i].time = r->progressTime;
    }
}

void sortPlaces() {
    copyProgress();
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < riderCount; i++) {
            if (placedBefore(placeTable[i + 1], placeTable[i])) {
                std::swap(placeTable[i], placeTable[i + 1]);
                swapped = true;
            }
        }
    }
}

void updatePlaces() {
    if (gameType != GAME_RACE || riderCount < 2 || frameCount % 8 != 0) return;
    for (int i = 0; i + 1 < riderCount; i++)
        if (raceRiders[drawOrder[i]]->y > raceRiders[drawOrder[i + 1]]->y) std::swap(drawOrder[i], drawOrder[i + 1]);
    sortPlaces();
}

bool runEnded(RaceRider* player) {
    if (gameType == GAME_FREE_RIDE) return false; // free ride has no end but Escape
    if (player->lap == raceLevel.laps + 1) {
        player->finished = 1;
        return true;
    }
    bool strict = raceLevel.levelType == LEVEL_ANY_ORDER || raceLevel.keepout != 0 || gameType == GAME_STUNT;
    if (player->inKeepout && strict) {
        player->finished = 0;
        player->progressTime = (int32_t)raceClock;
        return true;
    }
    return false;
}

// A respawning rider is fading back in: nobody can knock it down, and it
// knocks nobody, so that two riders put back at one spot do not take turns
// at it.
bool touching(const RaceRider* a, const RaceRider* b) {
    if (a->respawnTimer > 0 || b->respawnTimer > 0) return false;
    if (std::abs(wholeUnits(a->z) - wholeUnits(b->z)) >= TOUCH_DISTANCE) return false;
    return distance2d(wholeUnits(a->x), wholeUnits(a->y), wholeUnits(b->x), wholeUnits(b->y)) < TOUCH_DISTANCE;
}

} // namespace

void collideRider(int i) {
    RaceRider* a = raceRiders[i];
    if (frameCount % 4 != 0 || a->crashed) return;
    for (int j = i + 1; j < riderCount; j++) {
        RaceRider* b = raceRiders[j];
        if (!touching(a, b)) continue;
        if (a->speed <= 0 && b->speed <= 0) return;
        crashRider(1 + gameRandom() % 2 == 1 ? a : b);
        playSound(SOUND_CRASH);
        playSound(SOUND_SKID);
        return;
    }
}

bool isPlayer(const RaceRider* r) { return r == raceRiders[0]; }

bool setupRace() { return buildRace(false); }
bool restartRace() { return buildRace(true); }

void releaseRace() {
    freeRiders(nullptr);
    destroyLayout(&raceLayout);
    racePhase = PHASE_GET_READY;
}

void beginRace() {
    raceClock = 0;
    racePhase = PHASE_RUNNING;
    raceControls.skidding = false;
}

bool stepRace() {
    RaceRider* player = raceRiders[0];
    if (!player) return true;
    raceClock++;
    fadeMusic();
    if (runEnded(player)) {
        // The finishing checkpoint must count in the places at once, not
        // at the next eighth tick.
        sortPlaces();
        racePhase = PHASE_AFTER_RUN;
        slowDown = 0;
        return true;
    }
    applyLeanDrag(player);
    for (int i = 0; i < riderCount; i++) {
        stepRider(raceRiders[i]);
        if (i > 0) steerAiRider(raceRiders[i]);
        else if (playerIsBot) steerBotRider(player);
        collideRider(i);
    }
    if (!playerIsBot && !player->crashed && player->respawnTimer == 0) applyPlayerControl(player);
    updatePlaces();
    updateEngineSounds();
    return false;
}

void stepRaceAfterRun(int ticks) {
    RaceRider* player = raceRiders[0];
    raceClock++;
    updateEngineSounds();
    if (!player || gameType != GAME_RACE) return;
    if (player->finished) {
        stepRider(player);
        steerAiRider(player);
    } else {
        if (ticks > SLOW_AFTER) slowDown += ticks - SLOW_AFTER;
        if (slowDown > SLOW_PERIOD) {
            while (slowDown > SLOW_PERIOD) slowDown -= SLOW_PERIOD;
            return;
        }
        stepRider(player);
    }
    for (int i = 1; i < riderCount; i++) {
        stepRider(raceRiders[i]);
        steerAiRider(raceRiders[i]);
    }
}

int playerPlace() {
    for (int i = 0; i < riderCount; i++)
        if (placeTable[i].rider == 0) return i;
    return riderCount - 1;
}
