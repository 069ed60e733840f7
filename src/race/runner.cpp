#include "race/runner.h"
#include "race/control.h"
#include "race/race.h"
#include "player/riders.h"
#include "shell/modes.h"
#include "shell/random.h"
#include "world/description.h"
#include "world/levels.h"
#include "world/track.h"

#include "shell/loop.h"

#include <algorithm>

namespace {

struct Watch {
    int lastProgress;
    uint32_t progressAt;
    bool wasCrashed;
    bool wasFrozen;
    int32_t respawnX, respawnY;
    int loop;
};

void watchRider(const RaceRider* r, Watch* w, RiderReport* out) {
    if (r->crashed && !w->wasCrashed) out->crashes++;
    w->wasCrashed = r->crashed;
    bool frozen = r->respawnTimer == RESPAWN_FREEZE;
    if (frozen && !w->wasFrozen) {
        out->respawns++;
        bool sameSpot = w->loop > 0 && r->x == w->respawnX && r->y == w->respawnY;
        w->loop = sameSpot ? w->loop + 1 : 1;
        w->respawnX = r->x;
        w->respawnY = r->y;
        out->longestRespawnLoop = std::max(out->longestRespawnLoop, w->loop);
    }
    w->wasFrozen = frozen;
    if (r->inKeepout) out->touchedKeepout = true;
    if (out->finished) return;
    if (r->progress != w->lastProgress) {
        w->lastProgress = r->progress;
        w->progressAt = raceClock;
    }
    out->longestStall = std::max(out->longestStall, raceClock - w->progressAt);
    if (gameType != GAME_FREE_RIDE && r->lap > raceLevel.laps) {
        out->finished = true;
        out->finishTime = raceClock;
    }
}

// A standing player is not waited for.
bool everyoneHome(const RunReport& run, PlayerDriver driver) {
    for (size_t i = driver == PLAYER_STANDS ? 1 : 0; i < run.report.size(); i++)
        if (!run.report[i].finished) return false;
    return true;
}

} // namespace

bool loadRunnerLevel(int level) {
    resetLevelSwitches(); // as the loading screen does: nothing carries over from another level
    if (!readLevelDescription(level)) return false;
    loadTrackPictures(&track, level);
    return true;
}

RunReport runRace(int level, uint32_t seed, PlayerDriver driver, uint32_t tickLimit) {
    RunReport run{};
    // Everything the race reads starts the same for a seed.
    seedRandom(seed);
    frameCount = 0;
    releaseControls();
    gameType = levelGameType(level);
    currentLevel = level;
    playerIsBot = driver == PLAYER_BOT;
    // The colour draws take random numbers: the runner rides in the
    // colours of no profile, so that a seed gives one race whoever plays.
    int selected = riderTable.selected;
    riderTable.selected = -1;
    run.raced = setupRace();
    riderTable.selected = selected;
    run.problem = raceProblem;
    if (!run.raced) return run;
    run.riders = riderCount;
    run.laps = raceLevel.laps;
    run.par = raceLevel.par;
    run.report.assign(riderCount, RiderReport{});
    std::vector<Watch> watches(riderCount, Watch{});
    beginRace();
    int afterRun = 0;
    while (raceClock < tickLimit) {
        frameCount++;
        if (!run.runEnded) {
            run.runEnded = stepRace();
            if (run.runEnded) run.playerPlace = playerPlace();
        } else {
            if (gameType != GAME_RACE) break;
            stepRaceAfterRun(++afterRun);
        }
        for (int i = 0; i < riderCount; i++) watchRider(raceRiders[i], &watches[i], &run.report[i]);
        if (gameType != GAME_FREE_RIDE && everyoneHome(run, driver)) break;
    }
    run.ticks = raceClock;
    playerIsBot = false;
    return run;
}

double medianFinishSeconds(const std::vector<RunReport>& runs, double* slowest) {
    std::vector<uint32_t> times;
    for (const RunReport& run : runs)
        for (size_t i = 1; i < run.report.size(); i++)
            if (run.report[i].finished) times.push_back(run.report[i].finishTime);
    *slowest = 0;
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    *slowest = times.back() / (double)RACE_TICKS_PER_SECOND;
    size_t n = times.size();
    double middle = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
    return middle / RACE_TICKS_PER_SECOND;
}
