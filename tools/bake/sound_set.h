// The game's synthesised sounds, each as the 8-bit samples of its file at
// SOUND_RATE. Loop points are sample positions the game's loader is given.
#pragma once
#include <cstdint>
#include <vector>

const int IDLE_LOOP_END = 21000;            // "idle3.flac": loops 0 .. 21000
const int FULL_THROTTLE_LOOP_START = 43900; // "leadBike2.flac"
const int FULL_THROTTLE_LOOP_END = 194500;
const int PACK_LOOP_START = 50000; // "background.flac"
const int PACK_LOOP_END = 93200;
// The race starts the full-throttle sound at speed × this position.
const int SAMPLES_PER_SPEED = 5000;

// Firing rate of the bike's engine at a speed, as the full-throttle
// sound plays it at position speed × SAMPLES_PER_SPEED.
double engineHzAtSpeed(double speed);

std::vector<int8_t> idleEngineSound();
std::vector<int8_t> fullThrottleSound();
std::vector<int8_t> airborneEngineSound(); // loops as a whole
std::vector<int8_t> windingDownSound();
std::vector<int8_t> packEnginesSound();
std::vector<int8_t> themeTune(); // loops as a whole
