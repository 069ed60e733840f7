#include "race/score.h"
#include "race/race.h"

#include <cstdio>

namespace {

const int PLACE_TOP = 50;
const int PLACE_STEP = 5;
const int TIME_TOP = 50;
const int STUNT_TOP = 100;
const int STUNT_TICKS_PER_POINT = 5;

// Points that fall from `top` once d drops below 1, and are gone at -top.
int countDown(int64_t d, int top) {
    if (d >= 1) return top;
    if (d < -top) return 0;
    return top + (int)d;
}

int64_t ticksUnderPar(uint32_t t, int par) { return (int64_t)par * RACE_TICKS_PER_SECOND - t; }

} // namespace

int placePoints(int place, int riders, bool finished) {
    int points = PLACE_TOP - PLACE_STEP * place;
    if (!finished || place >= riders - 1 || points < 0) return 0;
    return points;
}

int raceTimePoints(uint32_t t, int par, bool finished) {
    if (!finished) return 0;
    return countDown(ticksUnderPar(t, par) * 2 / RACE_TICKS_PER_SECOND, TIME_TOP);
}

int stuntPoints(uint32_t t, int par, bool completed) {
    if (!completed) return 0;
    return countDown(ticksUnderPar(t, par) / STUNT_TICKS_PER_POINT, STUNT_TOP);
}

void formatRaceTime(uint32_t t, char* out, int size) {
    if (size <= 0) return;
    unsigned minutes = t / (60 * RACE_TICKS_PER_SECOND), seconds = t / RACE_TICKS_PER_SECOND % 60;
    unsigned hundredths = (uint64_t)t * 100 / RACE_TICKS_PER_SECOND % 100;
    snprintf(out, size, "%2u:%2u.%2u", minutes, seconds, hundredths);
    for (int i = 1; out[i]; i++)
        if (out[i] == ' ') out[i] = '0';
}
