// One whole frame of the race as the game draws it, with the full field of
// 20 riders in view: the terrain, their shadows and bikes, the place
// labels, the marker and the HUD; against the terrain copy alone.
#include "game.h"
#include "gfx/trig.h"
#include "platform/headless.h"
#include "race/race.h"
#include "race/runner.h"
#include "screens/mode_ids.h"
#include "screens/race_view.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "world/scene.h"
#include "world/track.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

const int HARDEST_RACE = 19;

bool startGame(benchmark::State& state) {
    static bool started = false;
    if (started) return true;
    platformUse(headlessBackend());
    std::string data = BAKED_DATA;
    std::string base = data.substr(0, data.size() - 5); // less "Data/"
    if (gameStartup(base.c_str(), MODE_TITLE, -1) != 0 || !loadRunnerLevel(HARDEST_RACE)) {
        state.SkipWithError("the data set is baked by the build");
        return false;
    }
    started = true;
    return true;
}

// The field in a loose pack round the player, all on the screen.
void packRiders() {
    releaseRace();
    runRace(HARDEST_RACE, 1, PLAYER_STANDS, 1);
    const RaceRider* player = raceRiders[0];
    int px = wholeUnits(player->x), py = wholeUnits(player->y);
    for (int i = 1; i < riderCount; i++) {
        int x = px + (i % 5 - 2) * 60, y = py + (i / 5 - 2) * 45;
        placeRider(raceRiders[i], x, y);
        raceRiders[i]->lean = (i % 3 - 1) * 30;
    }
    raceClock = 400;
}

void BM_RaceFrame(benchmark::State& state) {
    if (!startGame(state)) return;
    packRiders();
    for (auto _ : state) {
        drawRaceView(framebuffer);
        drawRaceOverlays(framebuffer);
    }
    releaseRace();
}
BENCHMARK(BM_RaceFrame)->Unit(benchmark::kMicrosecond);

void BM_TerrainCopy(benchmark::State& state) {
    if (!startGame(state)) return;
    packRiders();
    for (auto _ : state) drawScene(&track, framebuffer, nullptr, 0);
    releaseRace();
}
BENCHMARK(BM_TerrainCopy)->Unit(benchmark::kMicrosecond);

} // namespace
