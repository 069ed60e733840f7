// A motorbike engine as a stream of firings: each firing is an exhaust
// pulse that rings the pipe's resonances, so the sound is a buzz whose
// pitch is the firing rate, with the small irregularities of a real engine.
// Engine sounds are built on a timeline of samples; looping ones keep a
// run-in before the loop start so the loop can repeat without a seam.
#pragma once
#include "bake/synth.h"

#include <vector>

// How one engine sounds.
struct EngineTone {
    double thump;            // strength of the low pressure pulse of each firing
    double thumpTime;        // its rise time, seconds
    double formantHz[3];     // resonances of the exhaust
    double formantDecay[3];  // their ring times, seconds
    double formantGain[3];
    double rasp;             // noise burst of each firing
    double raspDecay;        // seconds
    double timingJitter;     // fraction of a period each firing may come early or late
    double strengthJitter;   // fraction by which each firing's strength varies
    double pitchJitter;      // fraction by which the resonances wander per firing
};

struct Firing {
    double nominal; // where the firing falls on the smooth pitch curve
    double time;    // where it really falls, jitter included
    float strength;
    float brightness; // how much rasp and upper resonance (throttle load)
    float detune;
    uint32_t seed; // its own noise
};

// A pitch curve (firings per second at each timeline sample) and a load
// curve (0..1+, strength and brightness of each firing).
struct EngineCurves {
    std::vector<double> hz;
    std::vector<double> load;
};

// Samples a loop needs before it for a seamless join: longer than a
// firing rings and than the output filters remember.
const int LOOP_GUARD = 4000;
// Where a sound that loops from its first sample starts on its timeline.
const int LOOP_RUN_IN = LOOP_GUARD + 1000;

// The loop [loopStart, loopEnd] (timeline samples; loopStart > LOOP_GUARD)
// must close on a whole number of firings: stretches the pitch of the loop
// body by a hair until it does, and gives that number (0 when the loop
// does not fit the curves). The caller makes the curves of the LOOP_GUARD
// samples before loopStart and before loopEnd + 1 the same.
int closeLoopPhase(EngineCurves& curves, int loopStart, int loopEnd);

std::vector<Firing> firingsAlong(const EngineCurves& curves, const EngineTone& tone,
                                 BakeRandom& random);

// Makes the firings of the last LOOP_GUARD samples of the loop exact copies
// of those one loop earlier, before its start, so that playing on from
// loopEnd to loopStart sounds like playing on from loopStart − 1.
void repeatLoopRunIn(std::vector<Firing>& firings, int loopEnd, int firingsPerLoop);

// Renders the firings over `length` timeline samples, with the pipe's low
// cut and a gentle top cut.
Wave renderEngine(const std::vector<Firing>& firings, const EngineTone& tone, int length);

// Extra cracks of an engine on the overrun: short bursts at random firings.
void addBackfires(Wave& wave, const std::vector<Firing>& firings, double chance, double level,
                  BakeRandom& random);

// The engine tones of the game's bike and of the distant pack.
EngineTone bikeTone();
EngineTone packTone();
