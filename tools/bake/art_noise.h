// Smooth deterministic noise for earth, dust and haze. A period > 0 makes
// the noise repeat every `period` units, for pictures that tile.
#pragma once
#include <cstdint>

namespace art {

// Value noise in 0..1 on a unit lattice.
double valueNoise(double x, double y, uint32_t seed, int period = 0);
// Octaves of value noise, each twice as fine and half as strong; 0..1.
// With a period the coarsest octave repeats every `period` units and each
// finer one at twice its frequency, so the sum repeats too.
double fractalNoise(double x, double y, int octaves, uint32_t seed, int period = 0);
// A hash of a lattice point, 0..1.
double latticeHash(int x, int y, uint32_t seed);

} // namespace art
