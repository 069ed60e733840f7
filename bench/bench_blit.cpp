// The blitter on a full 640 x 480 screen, beside the baselines it has to
// keep up with: memcpy of the same bytes for the plain copy, and SDL's own
// colour-keyed blit of the same RGB565 picture for the transparent mode.
#include "gfx/blit.h"
#include "shell/display.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstring>
#include <random>

namespace {

const int SCREEN_W = 640, SCREEN_H = 480;

// A picture like the game's sprites: runs of colour with holes of 0.
void paintPicture(uint16_t* pixels, int count) {
    std::mt19937 rng(12345);
    for (int i = 0; i < count;) {
        int run = 1 + (int)(rng() % 24);
        uint16_t colour = (rng() % 4 == 0) ? 0 : (uint16_t)(rng() | 1);
        for (; run > 0 && i < count; run--, i++) pixels[i] = colour;
    }
}

struct Screens {
    Surface* picture;
    Surface* screen;
    Screens() {
        resetDisplayGeometry();
        picture = createSurface(SCREEN_W, SCREEN_H);
        screen = createSurface(SCREEN_W, SCREEN_H);
        paintPicture(picture->pixels, SCREEN_W * SCREEN_H);
        fillSurface(screen, 0x1234);
    }
    ~Screens() {
        destroySurface(&picture);
        destroySurface(&screen);
    }
};

void countPixels(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * SCREEN_W * SCREEN_H);
    state.SetBytesProcessed(state.iterations() * SCREEN_W * SCREEN_H * 2);
}

void BM_Memcpy(benchmark::State& state) {
    Screens s;
    for (auto _ : state) {
        memcpy(s.screen->pixels, s.picture->pixels, SCREEN_W * SCREEN_H * 2);
        benchmark::ClobberMemory();
    }
    countPixels(state);
}

void BM_BlitMode(benchmark::State& state) {
    Screens s;
    int mode = (int)state.range(0);
    int32_t param = mode == BLIT_BLEND ? 160 : mode == BLIT_FILL ? 0x39E7 : 0;
    for (auto _ : state) {
        drawSprite(s.screen, 0, 0, SCREEN_W, SCREEN_H, s.picture, 0, 0, mode, param);
        benchmark::ClobberMemory();
    }
    countPixels(state);
}

// The same blit one pixel in from every edge, so no run starts aligned.
void BM_BlitModeUnaligned(benchmark::State& state) {
    Screens s;
    int mode = (int)state.range(0);
    for (auto _ : state) {
        drawSprite(s.screen, 1, 1, SCREEN_W - 2, SCREEN_H - 2, s.picture, 0, 0, mode, 160);
        benchmark::ClobberMemory();
    }
    countPixels(state);
}

void BM_SdlColourKey(benchmark::State& state) {
    Screens s;
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, SCREEN_W, SCREEN_H, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, SCREEN_W, SCREEN_H, 16, SDL_PIXELFORMAT_RGB565);
    if (!picture || !screen) {
        state.SkipWithError("SDL could not make the surfaces");
        return;
    }
    for (int y = 0; y < SCREEN_H; y++)
        memcpy((char*)picture->pixels + y * picture->pitch, s.picture->pixels + y * SCREEN_W, SCREEN_W * 2);
    SDL_SetColorKey(picture, SDL_TRUE, 0);
    for (auto _ : state) {
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        benchmark::ClobberMemory();
    }
    countPixels(state);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(screen);
}

void BM_Rotated(benchmark::State& state) {
    Screens s;
    for (auto _ : state) {
        drawRotated(s.screen, 0, 0, SCREEN_W, SCREEN_H, s.picture, 0, 0, 30);
        benchmark::ClobberMemory();
    }
    countPixels(state);
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_BlitMode)->Arg(BLIT_COPY)->ArgName("mode");
BENCHMARK(BM_SdlColourKey);
BENCHMARK(BM_BlitMode)->Arg(BLIT_TRANSPARENT)->Arg(BLIT_BLEND)->Arg(BLIT_FILL)->Arg(BLIT_MIRRORED)->Arg(BLIT_TINT)->ArgName("mode");
BENCHMARK(BM_BlitModeUnaligned)->Arg(BLIT_COPY)->Arg(BLIT_TRANSPARENT)->Arg(BLIT_BLEND)->ArgName("mode");
BENCHMARK(BM_Rotated);
