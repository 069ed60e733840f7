// The race tick of the hardest race level with its full field of 20
// riders against the same tick with the player alone, and a whole race of
// that level ridden by the computer and the bot. The tick's budget is the
// 12 500 us of one 80 Hz step.
#include "gfx/trig.h"
#include "platform/headless.h"
#include "race/race.h"
#include "race/runner.h"
#include "shell/loop.h"
#include "shell/modes.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

const int HARDEST_RACE = 19;
const uint32_t TICKS_PER_SETUP = 4000; // within the race: everyone still riding

bool loadHardest(benchmark::State& state) {
    platformUse(headlessBackend());
    snprintf(dataFolder, sizeof dataFolder, "%s", BAKED_DATA);
    buildTrigTables();
    if (loadRunnerLevel(HARDEST_RACE)) return true;
    state.SkipWithError("the data set is baked by the build");
    return false;
}

void startRace() {
    releaseRace();
    runRace(HARDEST_RACE, 1, PLAYER_BOT, 1); // set up, one tick ridden
    playerIsBot = true;
}

void BM_RaceTick(benchmark::State& state) {
    if (!loadHardest(state)) return;
    startRace();
    int field = riderCount, riders = (int)state.range(0);
    riderCount = riders;
    for (auto _ : state) {
        if (raceClock >= TICKS_PER_SETUP || stepRace()) {
            state.PauseTiming();
            riderCount = field;
            startRace();
            riderCount = riders;
            state.ResumeTiming();
        }
        frameCount++;
    }
    riderCount = field;
    releaseRace();
    playerIsBot = false;
}
BENCHMARK(BM_RaceTick)->Arg(20)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_WholeRace(benchmark::State& state) {
    if (!loadHardest(state)) return;
    for (auto _ : state) {
        RunReport run = runRace(HARDEST_RACE, 1, PLAYER_BOT);
        benchmark::DoNotOptimize(run.ticks);
        releaseRace();
    }
}
BENCHMARK(BM_WholeRace)->Unit(benchmark::kMillisecond);

} // namespace
