// The level check the editor runs after every change, on a baked race
// level, against the whole check of the tool (files, pictures and course)
// that it saves repeating.
#include "platform/headless.h"
#include "shell/loop.h"
#include "world/layout.h"
#include "world/level_check.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

const int LEVEL = 0;

void useBakedData() {
    platformUse(headlessBackend());
    snprintf(dataFolder, sizeof dataFolder, "%s", BAKED_DATA);
}

void BM_CheckEditedLayout(benchmark::State& state) {
    useBakedData();
    LevelCheckBase base;
    prepareLevelCheck(&base, LEVEL);
    LevelLayout* layout = createLayout();
    if (!loadLayout(layout, LEVEL)) state.SkipWithError("the data set is baked by the build");
    std::vector<std::string> problems;
    for (auto _ : state) {
        problems.clear();
        checkLayout(&base, layout, &problems);
        benchmark::DoNotOptimize(problems.data());
    }
    destroyLayout(&layout);
    releaseLevelCheck(&base);
}
BENCHMARK(BM_CheckEditedLayout)->Unit(benchmark::kMillisecond);

void BM_CheckLevelFromFiles(benchmark::State& state) {
    useBakedData();
    std::vector<std::string> problems;
    for (auto _ : state) {
        problems.clear();
        benchmark::DoNotOptimize(checkLevel(LEVEL, &problems));
    }
}
BENCHMARK(BM_CheckLevelFromFiles)->Unit(benchmark::kMillisecond);

} // namespace
