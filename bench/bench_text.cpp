// Text drawing: one 40-character line of the main font onto a 640 x 480
// screen, the way every menu draws its labels each frame.
#include "gfx/font.h"
#include "gfx/image.h"
#include "shell/display.h"

#include <benchmark/benchmark.h>

namespace {

const char* LINE = "Race again? Level 12: Dune Jumper 01:23!"; // 40 characters

void BM_DrawText40(benchmark::State& state) {
    resetDisplayGeometry();
    Surface* strip = nullptr;
    if (!loadPng(BAKED_DATA "c_neopolitical.png", &strip)) {
        state.SkipWithError("the baked font is missing: build the game first");
        return;
    }
    loadFont(strip, 0, 26);
    Surface* screen = createSurface(640, 480);
    for (auto _ : state) {
        drawText(screen, LINE, 20, 200, 0);
        benchmark::DoNotOptimize(screen->pixels[200 * 640 + 40]);
    }
    state.SetItemsProcessed(state.iterations() * 40);
    unloadFont(0);
    destroySurface(&screen);
    destroySurface(&strip);
}
BENCHMARK(BM_DrawText40);

} // namespace
