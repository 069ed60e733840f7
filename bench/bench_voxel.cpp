// Voxel models: rotating and splatting a bike-sized model into its sprite,
// the work a rider costs whenever its 8-degree orientation changes.
#include "gfx/trig.h"
#include "shell/display.h"
#include "bench_models.h"
#include "world/voxel.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {


VoxelModel* makeBike() {
    resetDisplayGeometry();
    buildTrigTables();
    return loadBakedBike(2, 5);
}

// A new yaw every time, as a turning rider: rotate every point, re-render.
void BM_OrientAndRender(benchmark::State& state) {
    VoxelModel* m = makeBike();
    int yaw = 0;
    for (auto _ : state) {
        yaw = (yaw + 8) % 360;
        orientVoxelModel(m, 8, yaw, 184);
        renderVoxelModel(m);
        benchmark::DoNotOptimize(m->sprite->pixels[24 * 48 + 24]);
    }
    state.counters["points"] = m->count;
    state.SetItemsProcessed(state.iterations() * m->count);
    destroyVoxelModel(&m);
}
BENCHMARK(BM_OrientAndRender);

void BM_OrientOnly(benchmark::State& state) {
    VoxelModel* m = makeBike();
    int yaw = 0;
    for (auto _ : state) {
        yaw = (yaw + 8) % 360;
        orientVoxelModel(m, 8, yaw, 184);
        benchmark::DoNotOptimize(m->points[1].x);
    }
    state.SetItemsProcessed(state.iterations() * m->count);
    destroyVoxelModel(&m);
}
BENCHMARK(BM_OrientOnly);

void BM_RenderOnly(benchmark::State& state) {
    VoxelModel* m = makeBike();
    orientVoxelModel(m, 8, 96, 184);
    for (auto _ : state) {
        m->renderedPitch = -1;
        renderVoxelModel(m);
        benchmark::DoNotOptimize(m->sprite->pixels[24 * 48 + 24]);
    }
    state.SetItemsProcessed(state.iterations() * m->count);
    destroyVoxelModel(&m);
}
BENCHMARK(BM_RenderOnly);

// The common frame: orientation unchanged, the sprite is only copied.
void BM_DrawUnchanged(benchmark::State& state) {
    VoxelModel* m = makeBike();
    Surface* target = createSurface(640, 480);
    orientVoxelModel(m, 8, 96, 184);
    for (auto _ : state) {
        drawVoxelModel(m, target, 320, 240);
        benchmark::DoNotOptimize(target->pixels[240 * 640 + 320]);
    }
    destroySurface(&target);
    destroyVoxelModel(&m);
}
BENCHMARK(BM_DrawUnchanged);

void BM_MakeOutline(benchmark::State& state) {
    VoxelModel* m = makeBike();
    orientVoxelModel(m, 8, 96, 184);
    renderVoxelModel(m);
    for (auto _ : state) {
        m->outlineValid = 0;
        makeVoxelOutline(m);
        benchmark::DoNotOptimize(m->outlineSprite->pixels[0]);
    }
    destroyVoxelModel(&m);
}
BENCHMARK(BM_MakeOutline);

} // namespace
