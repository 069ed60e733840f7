// One mixing pass (1024 output samples, 46 ms of sound) with five sounds
// playing, the most the list holds; the goal is well under 1% of 46 ms.
#include "platform/headless.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/soundfile.h"
#include "sound/sound_local.h"
#include "sound/mixer.h"

#include <benchmark/benchmark.h>
#include <vector>

static void startMixer(int sounds) {
    headlessReset();
    platformUse(headlessBackend());
    freeSoundSlots();
    appActive = 1;
    openSoundOutput();
    setChannelVolume(0, 255);
    setChannelVolume(1, 180);
    startSoundOutput();
    std::vector<int8_t> samples(200000);
    for (size_t i = 0; i < samples.size(); i++) samples[i] = (int8_t)(i * 37 % 256 - 128);
    for (int id = 0; id < sounds; id++) {
        fillSoundSlot(id, samples.data(), (int)samples.size(), id % 2, 0, 0);
        loopWholeSound(id);
        playSoundLooping(id, 1); // keeps all five playing through every pass
    }
}

static void stopMixer() {
    closeSoundOutput();
    freeSoundSlots();
}

static void BM_MixPass(benchmark::State& state) {
    startMixer((int)state.range(0));
    std::vector<int16_t> out(AUDIO_BUFFER_SAMPLES);
    for (auto _ : state) {
        headlessPullAudio(out.data(), AUDIO_BUFFER_SAMPLES);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    // Seconds of sound mixed per second of work: 100 times this is the
    // budget a pass may use, so the goal is a figure above 100.
    state.counters["realtime_x"] = benchmark::Counter((double)AUDIO_BUFFER_SAMPLES / AUDIO_RATE,
                                                      benchmark::Counter::kIsIterationInvariantRate);
    stopMixer();
}
BENCHMARK(BM_MixPass)->Arg(0)->Arg(5);

// The floor: writing a buffer of silence.
static void BM_SilenceBaseline(benchmark::State& state) {
    std::vector<int16_t> out(AUDIO_BUFFER_SAMPLES);
    for (auto _ : state) {
        for (int16_t& s : out) s = 0;
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SilenceBaseline);
