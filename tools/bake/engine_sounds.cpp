// The engine sounds: the player's bike idling, at full throttle, in the air
// and winding down, and the pack of computer riders.
#include "bake/engine.h"
#include "bake/sound_set.h"

#include <algorithm>
#include <cmath>

static const double IDLE_HZ = 37;       // firings per second at idle
static const double IDLE_LOAD = 0.55;
static const double LOW_SPEED_HZ = 52;  // full throttle at a standstill
static const double TOP_SPEED_HZ = 170; // full throttle at the top speed of 30
static const double TOP_SPEED = 30;

static const float IDLE_PEAK = 82;
static const float ENGINE_PEAK = 100;
static const float WIND_DOWN_PEAK = 92;
static const float PACK_PEAK = 72;

double engineHzAtSpeed(double speed) {
    if (speed <= 0) return LOW_SPEED_HZ;
    if (speed <= TOP_SPEED) return LOW_SPEED_HZ + (TOP_SPEED_HZ - LOW_SPEED_HZ) * std::pow(speed / TOP_SPEED, 0.8);
    return TOP_SPEED_HZ + 2.2 * (speed - TOP_SPEED); // the sound may play on past the top speed
}

static EngineCurves flatCurves(int length, double hz, double load) {
    EngineCurves c;
    c.hz.assign(length, hz);
    c.load.assign(length, load);
    return c;
}

// Renders an engine on its timeline (a loop given in timeline samples, or
// loopEnd 0 for none) and keeps the `length` samples from `from`.
static Wave renderTimeline(EngineCurves curves, const EngineTone& tone, int loopStart, int loopEnd,
                           uint64_t seed, int from, int length) {
    int perLoop = loopEnd > 0 ? closeLoopPhase(curves, loopStart, loopEnd) : 0;
    BakeRandom random(seed);
    std::vector<Firing> firings = firingsAlong(curves, tone, random);
    repeatLoopRunIn(firings, loopEnd, perLoop);
    Wave all = renderEngine(firings, tone, (int)curves.hz.size());
    return Wave(all.begin() + from, all.begin() + from + length);
}

// A slightly lumpy idle that loops over 0 .. IDLE_LOOP_END, then, played
// on past the loop, the engine dying away.
std::vector<int8_t> idleEngineSound() {
    const int loop = IDLE_LOOP_END + 1, tail = samplesOf(0.7), length = loop + tail + 1;
    const int runIn = LOOP_RUN_IN;
    BakeRandom random(11);
    Wave lumps = periodicWobble(random, loop, 7);
    EngineCurves c = flatCurves(runIn + length, IDLE_HZ, IDLE_LOAD);
    for (int p = 0; p < (int)c.hz.size(); p++) {
        int q = p - runIn;
        double hz = IDLE_HZ * (1 + 0.04 * lumps[(q + loop) % loop]);
        double load = IDLE_LOAD * (1 + 0.1 * lumps[(q + loop * 2 / 3 + loop) % loop]);
        if (q >= loop) {
            double dying = (double)(q - loop) / tail;
            hz *= 1 - 0.5 * smoothStep(dying);
            load *= std::pow(1 - smoothStep(dying / 0.85), 1.5);
        }
        c.hz[p] = hz;
        c.load[p] = load;
    }
    EngineTone tone = bikeTone();
    tone.timingJitter = 0.06;
    Wave wave = renderTimeline(c, tone, runIn, runIn + IDLE_LOOP_END, 12, runIn, length);
    return toPcm8(wave, IDLE_PEAK);
}

// Full throttle: the note rises with the position, so that position
// speed × SAMPLES_PER_SPEED has the pitch of that speed. Past the top speed
// the engine changes up a gear into the pitch of the loop start, so the
// loop end runs on into the loop start as if it had never jumped.
std::vector<int8_t> fullThrottleSound() {
    const int loopLength = FULL_THROTTLE_LOOP_END + 1 - FULL_THROTTLE_LOOP_START;
    const int shiftStart = 180000, shiftEnd = 183000; // the change up, past speed 36
    const int length = FULL_THROTTLE_LOOP_END + 1500;
    BakeRandom random(21);
    Wave roughness = periodicWobble(random, length, 70);
    EngineCurves c = flatCurves(length, LOW_SPEED_HZ, 1.0);
    double beforeShift = engineHzAtSpeed((double)shiftStart / SAMPLES_PER_SPEED);
    double afterShift = engineHzAtSpeed((double)(shiftEnd - loopLength) / SAMPLES_PER_SPEED);
    for (int p = 0; p < length; p++) {
        // After the change up, the sound replays the rise before the loop start.
        int as = p < shiftEnd ? p : p - loopLength;
        double hz = engineHzAtSpeed((double)as / SAMPLES_PER_SPEED);
        double load = 1.0;
        if (p >= shiftStart && p < shiftEnd) {
            hz = beforeShift + (afterShift - beforeShift) * smoothStep((double)(p - shiftStart) / (shiftEnd - shiftStart));
        }
        if (p >= shiftStart - 400 && p < shiftEnd + 1200) // the clutch eases the load off
            load = 1 - 0.5 * std::sin(TWO_PI / 2 * (p - shiftStart + 400) / (shiftEnd - shiftStart + 1600));
        if (p < 2000) load = 0.8 + 0.2 * smoothStep(p / 2000.0); // pulling away
        c.hz[p] = hz * (1 + 0.008 * roughness[as]);
        c.load[p] = load * (1 + 0.05 * roughness[(as * 7) % length]);
    }
    Wave wave = renderTimeline(c, bikeTone(), FULL_THROTTLE_LOOP_START, FULL_THROTTLE_LOOP_END, 22, 0, length);
    return toPcm8(wave, ENGINE_PEAK);
}

// In the air the back wheel spins free: the engine revs against its
// limiter, which cuts a few firings each time it catches.
std::vector<int8_t> airborneEngineSound() {
    const int loop = samplesOf(2.0), bounces = 5, runIn = LOOP_RUN_IN;
    const int length = loop + 1; // the whole sound loops: the last sample is never played
    BakeRandom random(31);
    Wave wobble = periodicWobble(random, loop, 9);
    EngineCurves c = flatCurves(runIn + length, 0, 1.0);
    for (int p = 0; p < (int)c.hz.size(); p++) {
        int q = (p - runIn + loop) % loop;
        double x = std::fmod((double)q * bounces / loop, 1.0);
        double hz, load;
        if (x < 0.86) {
            hz = 172 + 18 * std::pow(x / 0.86, 0.7);
            load = 1.0;
        } else {
            double cut = (x - 0.86) / 0.14;
            hz = 190 - 18 * smoothStep(cut);
            load = 1 - 0.65 * std::sin(TWO_PI / 2 * cut);
        }
        c.hz[p] = hz * (1 + 0.01 * wobble[q]);
        c.load[p] = load;
    }
    Wave wave = renderTimeline(c, bikeTone(), runIn, runIn + loop - 1, 32, runIn, length);
    return toPcm8(wave, ENGINE_PEAK);
}

// Throttle shut: the revs fall to idle with the crackle of the overrun.
std::vector<int8_t> windingDownSound() {
    const int length = samplesOf(1.5), runIn = LOOP_RUN_IN;
    const double fadeIn = 0.004, fadeFrom = 1.46; // it starts on a running engine: no click
    EngineCurves c = flatCurves(runIn + length, 150, 1.0);
    for (int p = runIn; p < (int)c.hz.size(); p++) {
        double t = (double)(p - runIn) / SOUND_RATE;
        c.hz[p] = IDLE_HZ + (150 - IDLE_HZ) * std::exp(-t / 0.35);
        c.load[p] = IDLE_LOAD * 0.8 + (1 - IDLE_LOAD * 0.8) * std::exp(-t / 0.05);
    }
    EngineTone tone = bikeTone();
    tone.timingJitter = 0.05;
    BakeRandom random(41);
    std::vector<Firing> firings = firingsAlong(c, tone, random);
    Wave all = renderEngine(firings, tone, (int)c.hz.size());
    std::vector<Firing> overrun;
    for (const Firing& f : firings) {
        double t = (f.time - runIn) / SOUND_RATE;
        if (t > 0.04 && t < 0.9) overrun.push_back(f);
    }
    addBackfires(all, overrun, 0.14, 0.5, random);
    Wave wave(all.begin() + runIn, all.end());
    for (int i = 0; i < length; i++) {
        double t = (double)i / SOUND_RATE;
        wave[i] *= (float)(smoothStep(t / fadeIn) * (1 - smoothStep((t - fadeFrom) / (1.5 - fadeFrom))));
    }
    return toPcm8(wave, WIND_DOWN_PEAK);
}

// One rider of the pack: leaves the grid through the gears, then races on
// with the throttle and distance swelling and fading in cycles that fit
// the loop a whole number of times.
struct PackRider {
    double start;        // seconds after the flag
    double cruiseHz;
    int pitchCycles;     // per loop
    int distanceCycles;  // per loop
    double phase;
};

static EngineCurves packRiderCurves(const PackRider& r, int length, BakeRandom& random) {
    const int loop = PACK_LOOP_END + 1 - PACK_LOOP_START;
    const int blendFrom = 38000, blendTo = PACK_LOOP_START - LOOP_GUARD;
    const double gearTime[4] = {1.1, 1.3, 1.6, 30}, gearLow[4] = {60, 108, 116, 122};
    Wave wobble = periodicWobble(random, loop, 6);
    EngineCurves c = flatCurves(length, IDLE_HZ, IDLE_LOAD);
    for (int p = 0; p < length; p++) {
        int q = ((p - PACK_LOOP_START) % loop + loop) % loop;
        double turn = TWO_PI * q / loop;
        double cruiseHz = r.cruiseHz * (1 + 0.05 * std::sin(r.pitchCycles * turn + r.phase) + 0.02 * wobble[q]);
        double near = 0.5 + 0.5 * std::sin(r.distanceCycles * turn + r.phase * 1.7);
        double cruiseLoad = 0.45 + 0.55 * near;
        double e = (double)p / SOUND_RATE - r.start;
        double launchHz = IDLE_HZ, launchLoad = IDLE_LOAD;
        for (int g = 0; g < 4 && e >= 0; g++) {
            if (e < gearTime[g]) {
                launchHz = gearLow[g] + (160 - gearLow[g]) * std::pow(e / gearTime[g], 0.8);
                launchLoad = 1;
                break;
            }
            e -= gearTime[g];
        }
        double w = smoothStep((double)(p - blendFrom) / (blendTo - blendFrom));
        c.hz[p] = launchHz * (1 - w) + cruiseHz * w;
        c.load[p] = launchLoad * (1 - w) + cruiseLoad * w;
    }
    return c;
}

std::vector<int8_t> packEnginesSound() {
    const int length = PACK_LOOP_END + 2;
    const PackRider riders[4] = {{0.15, 150, 1, 2, 0.3}, {0.4, 138, 2, 1, 2.1},
                                 {0.7, 162, 1, 3, 4.0}, {1.0, 128, 3, 2, 5.2}};
    Wave mix(length, 0.0f);
    BakeRandom random(51);
    for (int v = 0; v < 4; v++) {
        EngineCurves c = packRiderCurves(riders[v], length, random);
        Wave rider = renderTimeline(c, packTone(), PACK_LOOP_START, PACK_LOOP_END, 52 + v, 0, length);
        for (int i = 0; i < length; i++) mix[i] += rider[i];
    }
    // Heard from a distance: the top falls away first.
    filterWave(lowPassFilter(1800, 0.7), mix);
    return toPcm8(mix, PACK_PEAK);
}
