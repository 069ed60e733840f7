// What a run earns: place and time points in a race, time points in a
// stunt run, and the race time as the HUD and the results show it.
#pragma once
#include <cstdint>

// Place points for 0-based place p of `riders`: 50 - 5p, nothing for the
// last rider or a run that did not finish.
int placePoints(int place, int riders, bool finished);
// Race time points for t ticks against a par of `par` seconds: 50 under
// par, 2 fewer per second over it.
int raceTimePoints(uint32_t t, int par, bool finished);
// Stunt points: 100 under par, 16 fewer per second over it; nothing for a
// run that did not finish its laps.
int stuntPoints(uint32_t t, int par, bool completed);
// "m:ss.hh" with leading blanks after the first character turned to "0".
void formatRaceTime(uint32_t t, char* out, int size);
