// Deterministic noise for the terrain generators: the same seed gives the
// same ground on every run.
#pragma once
#include <cstdint>

// 0..1 for an integer lattice point.
double latticeHash(int x, int y, uint32_t seed);
// Smooth value noise in -1..1, one lattice unit between independent values.
double valueNoise(double x, double y, uint32_t seed);
// Octaves of value noise, each at twice the frequency and half the weight
// of the one before; roughly -1..1.
double fractalNoise(double x, double y, int octaves, uint32_t seed);
// 1 - |noise| per octave: sharp crests, as of eroded ridges; roughly 0..1.
double ridgedNoise(double x, double y, int octaves, uint32_t seed);
