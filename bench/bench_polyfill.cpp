// The keep-out mask of a track build: twenty rounded polygons toggled into a
// 512 x 512 surface, against a plain fill of the same surface.
#include "shell/display.h"
#include "world/polyfill.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

const int MASK_SIZE = 512;
const int KEEPOUTS = 20;

Polygon* ring(int cx, int cy, int radius, int corners) {
    Polygon* p = createPolygon();
    for (int i = 0; i < corners; i++) {
        double a = 2 * M_PI * i / corners;
        appendVertex(p, cx + (int)(radius * cos(a)), cy + (int)(radius * sin(a)));
    }
    return p;
}

void keepoutMask(benchmark::State& state) {
    resetDisplayGeometry();
    Surface* mask = createSurface(MASK_SIZE, MASK_SIZE);
    Polygon* polygons[KEEPOUTS];
    for (int i = 0; i < KEEPOUTS; i++) polygons[i] = ring(60 + (i % 5) * 100, 60 + (i / 5) * 120, 70, 12);
    for (auto _ : state) {
        fillSurface(mask, packColor(31, 0, 0));
        for (Polygon* p : polygons) fillRoundedPolygon(mask, p, 0, 0, packColor(31, 0, 0), PAINT_TOGGLE);
        benchmark::DoNotOptimize(mask->pixels);
    }
    for (Polygon*& p : polygons) destroyPolygon(&p);
    destroySurface(&mask);
}
BENCHMARK(keepoutMask);

void plainSurfaceFill(benchmark::State& state) {
    resetDisplayGeometry();
    Surface* mask = createSurface(MASK_SIZE, MASK_SIZE);
    for (auto _ : state) {
        fillSurface(mask, packColor(31, 0, 0));
        benchmark::DoNotOptimize(mask->pixels);
    }
    destroySurface(&mask);
}
BENCHMARK(plainSurfaceFill);

} // namespace
