// Building blocks of the synthesised sounds: oscillators, envelopes, noise,
// filters and placement on float samples at the game's sound rate. A
// finished sound becomes 8-bit samples only at the very end (toPcm8).
#pragma once
#include "bake/files.h"

#include <cstdint>
#include <vector>

const int SOUND_RATE = 11025; // the mixer plays 11025 samples of a sound per second
const double TWO_PI = 6.283185307179586;

using Wave = std::vector<float>;

inline int samplesOf(double seconds) { return (int)(seconds * SOUND_RATE + 0.5); }

// Oscillators. Phase is in cycles (0..1), step is frequency / SOUND_RATE;
// the saw and pulse round off their jumps so they do not alias badly.
double sineAt(double phase);
double sawAt(double phase, double step);
double pulseAt(double phase, double step, double width);
double triangleAt(double phase);

// White noise in -1..1.
float whiteNoise(BakeRandom& random);

// Envelopes: t and the times in seconds.
double decayEnvelope(double t, double tau);
double attackDecay(double t, double attack, double tau);
// v0 before t0, v1 after t1, a straight line between.
double rampBetween(double t, double t0, double t1, double v0, double v1);
double smoothStep(double x); // 0..1 onto 0..1 with flat ends

// Filters (RBJ biquads and one-pole sections) with their own state.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};
Biquad lowPassFilter(double hz, double q);
Biquad highPassFilter(double hz, double q);
Biquad bandPassFilter(double hz, double q); // peak gain 1
double filterSample(Biquad& f, double x);
// Runs a fresh copy of `f` over the wave.
void filterWave(const Biquad& f, Wave& wave);
// The same for a wave that repeats: the filter first runs once round the
// loop so that the end flows into the start.
void filterWaveCircular(const Biquad& f, Wave& wave);

struct OnePole {
    double a = 0, z = 0;
};
OnePole onePole(double hz);
double lowPassSample(OnePole& f, double x);
double highPassSample(OnePole& f, double x);

// Adds part × gain into out from index `at`, wrapping round the end of out:
// what rings past the end of a looping sound belongs at its start.
void addWrapped(Wave& out, long at, const Wave& part, float gain);
// Adds part × gain from index `at`, dropping what falls outside.
void addClipped(Wave& out, long at, const Wave& part, float gain);

// A smooth random curve in -1..1 that repeats every `length` samples,
// through `knots` random points spread evenly round the loop.
Wave periodicWobble(BakeRandom& random, int length, int knots);

float peakOf(const Wave& wave);
// Scales the wave so its loudest sample is `peak` (of 127) and rounds to
// 8 bits. A silent wave stays silent.
std::vector<int8_t> toPcm8(const Wave& wave, float peak);
// Gentle limiter for mixes: linear below `knee`, bending smoothly to 1.
float softLimit(float x, float knee);
