// Checkpoints and laps. In-order levels count checkpoint 1 first and close
// a lap on returning to it after the last; any-order levels collect every
// flag of the lap in any order.
#include "race/race.h"
#include "race/race_local.h"
#include "shell/modes.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/track.h"

namespace {

// The first ten ticks are the grid, where the start line is crossed.
const uint32_t QUIET_START_TICKS = 10;

void passed(RaceRider* r) {
    r->progress++;
    if (racePhase == PHASE_RUNNING) r->progressTime = (int32_t)raceClock;
}

bool chimes(const RaceRider* r) {
    return isPlayer(r) && raceClock > QUIET_START_TICKS && gameType != GAME_RACE;
}

void takeInAnyOrder(RaceRider* r, int n) {
    int bit = 1 << n;
    if (r->checkpointMask & bit) return;
    // Progress counts here too, so that places mean something; only the
    // player's flags are repainted and chime: they are the player's view.
    passed(r);
    if (isPlayer(r)) {
        if (raceLevel.laps == 1) markCheckpoint(&track, raceLayout->checkpoints[n - 1], 1);
        playSound(SOUND_CHECKPOINT);
    }
    r->checkpointMask |= bit;
    if (++r->checkpointsThisLap == raceLevel.checkpoints) {
        r->checkpointsThisLap = 0;
        r->lap++;
        r->checkpointMask = 0;
    }
}

void takeInOrder(RaceRider* r, int n) {
    if (n == 1 && r->lastCheckpoint == raceLevel.checkpoints) {
        r->lastCheckpoint = 1;
        passed(r);
        r->lap++;
        if (chimes(r)) playSound(SOUND_CHECKPOINT);
        return;
    }
    if (n != r->lastCheckpoint + 1) return;
    r->lastCheckpoint = n;
    passed(r);
    if (chimes(r) && (raceLevel.laps < 2 || n == 1)) playSound(SOUND_CHECKPOINT);
}

} // namespace

void takeCheckpoint(RaceRider* r, int n) {
    if (raceLevel.levelType == LEVEL_ANY_ORDER) takeInAnyOrder(r, n);
    else takeInOrder(r, n);
}
