// A race without a window: any level on the loaded data set, one seed,
// the player standing or ridden by the bot, stepped as fast as the
// machine allows. The tests, the benchmarks and the level checker's ride
// check share it.
#pragma once
#include <cstdint>
#include <vector>

enum PlayerDriver { PLAYER_STANDS, PLAYER_BOT };

struct RiderReport {
    bool finished;
    uint32_t finishTime;      // ticks, when the last lap closed
    int crashes;
    int respawns;
    int longestRespawnLoop;   // respawns in a row at one safe spot
    uint32_t longestStall;    // ticks without passing a checkpoint, before finishing
    bool touchedKeepout;
};

struct RunReport {
    bool raced;               // false: the level cannot be raced (problem says why)
    const char* problem;
    int riders;
    int laps;
    int par;
    int playerPlace;          // 0-based, at the end of the player's run
    bool runEnded;            // the player's run ended (finish or keep-out)
    uint32_t ticks;
    std::vector<RiderReport> report;
};

// Ticks the runner gives a run before it stops it.
const uint32_t RUN_TICK_LIMIT = 80 * 60 * 30;

// Loads level N's description and terrain as the game does; false when
// its description is missing.
bool loadRunnerLevel(int level);
// Sets up the loaded level with `seed` and runs it until every rider has
// finished, the player's run has ended in a stunt level, or `tickLimit`
// ticks have passed (a free ride runs for exactly that long). The race is
// left set up, for a caller to look at; releaseRace frees it.
RunReport runRace(int level, uint32_t seed, PlayerDriver driver, uint32_t tickLimit = RUN_TICK_LIMIT);
// The median of the computer riders' finish times over several runs, in
// seconds, and the slowest; 0 when none finished.
double medianFinishSeconds(const std::vector<RunReport>& runs, double* slowest);
