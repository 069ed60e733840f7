// Deterministic noise for every generator of the bake: the same seed gives
// the same ground and the same pictures on every run.
#pragma once
#include <cstdint>

// 0..1 for an integer lattice point.
double latticeHash(int x, int y, uint32_t seed);

// For the terrains. Smooth value noise in -1..1, one lattice unit between
// independent values.
double valueNoise(double x, double y, uint32_t seed);
// Octaves of value noise, each at twice the frequency and half the weight
// of the one before; roughly -1..1.
double fractalNoise(double x, double y, int octaves, uint32_t seed);
// 1 - |noise| per octave: sharp crests, as of eroded ridges; roughly 0..1.
double ridgedNoise(double x, double y, int octaves, uint32_t seed);

// For pictures: value noise in 0..1. A period > 0 makes it repeat every
// `period` units, for pictures that tile.
double tilingNoise(double x, double y, uint32_t seed, int period = 0);
// Octaves of tilingNoise, each exactly twice as fine and half as strong, so
// that with a period the sum repeats too; 0..1.
double tilingFractalNoise(double x, double y, int octaves, uint32_t seed, int period = 0);
