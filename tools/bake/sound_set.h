// The game's synthesised sounds, each as the 8-bit samples of its file at
// SOUND_RATE. Loop points are sample positions the game's loader is given.
#pragma once
#include "sound/sounds.h"

#include <cstdint>
#include <vector>

// Firing rate of the bike's engine at a speed, as the full-throttle
// sound plays it at position speed × SAMPLES_PER_SPEED.
double engineHzAtSpeed(double speed);

std::vector<int8_t> idleEngineSound();
std::vector<int8_t> fullThrottleSound();
std::vector<int8_t> airborneEngineSound(); // loops as a whole
std::vector<int8_t> windingDownSound();
std::vector<int8_t> packEnginesSound();
std::vector<int8_t> themeTune(); // loops as a whole
