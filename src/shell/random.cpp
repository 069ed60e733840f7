#include "shell/random.h"

static uint32_t state = 1;

void seedRandom(uint32_t seed) { state = seed; }

// The classic linear congruential step, keeping the well-mixed high bits.
int gameRandom() {
    state = state * 1103515245u + 12345u;
    return (int)((state >> 16) & GAME_RAND_MAX);
}
