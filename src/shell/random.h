// The game's own pseudo-random generator: 0..32767, seeded once at start-up
// from the platform (so a journal can replay it) or explicitly by tests.
#pragma once
#include <cstdint>

const int GAME_RAND_MAX = 32767;

void seedRandom(uint32_t seed);
int gameRandom();
