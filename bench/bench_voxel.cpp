// Voxel models: rotating and splatting a bike-sized model into its sprite,
// the work a rider costs whenever its 8-degree orientation changes.
#include "gfx/trig.h"
#include "shell/display.h"
#include "world/voxel.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// A bike-shaped cloud in file units: two tyres with rims, a frame and a
// rider on top, coloured so that recolouring finds bike and body parts.
void addBike(VoxelModel* m) {
    const Color tyre = packColor(3, 3, 3), frame = packColor(28, 4, 4), body = packColor(0, 0, 30),
                metal = packColor(20, 20, 22);
    for (int wheel = -1; wheel <= 1; wheel += 2)
        for (int step = 0; step < 90; step++) {
            double a = step * 4.0 * M_PI / 180.0;
            for (int radius = 26; radius <= 35; radius += 3)
                for (int x = -4; x <= 4; x += 4)
                    addVoxelPoint(m, x, (int)(radius * sin(a)), wheel * 70 + (int)(radius * cos(a)),
                                  radius > 30 ? tyre : metal);
        }
    for (int z = -60; z <= 60; z += 4)
        for (int y = -24; y <= -4; y += 4)
            for (int x = -8; x <= 8; x += 4) addVoxelPoint(m, x, y, z, frame);
    for (int z = -24; z <= 16; z += 4)
        for (int y = -84; y <= -28; y += 4)
            for (int x = -14; x <= 14; x += 4) addVoxelPoint(m, x, y, z, body);
}

VoxelModel* makeBike() {
    resetDisplayGeometry();
    buildTrigTables();
    VoxelModel* m = createVoxelModel();
    addBike(m);
    recolourVoxelModel(m, 2, 5);
    scaleVoxelModel(m, 0.7);
    return m;
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
