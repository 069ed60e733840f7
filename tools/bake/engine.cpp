#include "bake/engine.h"

#include <algorithm>
#include <cmath>

static const double LOW_CUT_HZ = 35;    // the pulses push the air one way: take the drift out
static const double TOP_CUT_HZ = 4200;  // keeps the rasp off the top of the 11025 Hz band
static const double RING_SPAN = 7;      // ring times a firing is rendered for

// Phase (in firings) reached at the start of each timeline sample.
static std::vector<double> phaseCurve(const std::vector<double>& hz) {
    std::vector<double> phase(hz.size() + 1, 0.0);
    for (size_t p = 0; p < hz.size(); p++) phase[p + 1] = phase[p] + hz[p] / SOUND_RATE;
    return phase;
}

int closeLoopPhase(EngineCurves& curves, int loopStart, int loopEnd) {
    int guardStart = loopStart - LOOP_GUARD;
    int junction = loopEnd + 1 - LOOP_GUARD;
    if (guardStart < 0 || junction <= loopStart || loopEnd >= (int)curves.hz.size()) return 0;
    std::vector<double> phase = phaseCurve(curves.hz);
    double turns = phase[junction] - phase[guardStart];
    double body = phase[junction] - phase[loopStart];
    if (body < 1) return 0;
    double stretch = 1 + (std::round(turns) - turns) / body;
    for (int p = loopStart; p < junction; p++) curves.hz[p] *= stretch;
    return (int)std::round(turns);
}

std::vector<Firing> firingsAlong(const EngineCurves& curves, const EngineTone& tone,
                                 BakeRandom& random) {
    std::vector<Firing> firings;
    double phase = 0;
    for (size_t p = 0; p < curves.hz.size(); p++) {
        double step = curves.hz[p] / SOUND_RATE;
        double next = phase + step;
        for (double k = std::floor(phase) + 1; k <= next && step > 0; k += 1) {
            Firing f;
            f.nominal = p + (k - phase) / step;
            double period = 1 / step;
            f.time = f.nominal + tone.timingJitter * period * (random.unit() * 2 - 1);
            double load = curves.load[p];
            f.strength = (float)(load * (1 + tone.strengthJitter * (random.unit() * 2 - 1)));
            f.brightness = (float)load;
            f.detune = (float)(tone.pitchJitter * (random.unit() * 2 - 1));
            f.seed = random.next();
            firings.push_back(f);
        }
        phase = next;
    }
    return firings;
}

void repeatLoopRunIn(std::vector<Firing>& firings, int loopEnd, int firingsPerLoop) {
    // Firing i and firing i − firingsPerLoop sit at the same phase one loop
    // apart, so copying what makes each one different is enough.
    double junction = loopEnd + 1 - LOOP_GUARD;
    for (size_t i = firingsPerLoop; i < firings.size() && firingsPerLoop > 0; i++) {
        Firing& f = firings[i];
        if (f.nominal < junction || f.nominal >= loopEnd + 1) continue;
        const Firing& source = firings[i - firingsPerLoop];
        f.time = f.nominal + (source.time - source.nominal);
        f.strength = source.strength;
        f.brightness = source.brightness;
        f.detune = source.detune;
        f.seed = source.seed;
    }
}

static double ringTime(const EngineTone& tone) {
    double longest = std::max(tone.thumpTime * 2, tone.raspDecay);
    for (double d : tone.formantDecay) longest = std::max(longest, d);
    return longest * RING_SPAN;
}

static void renderFiring(Wave& out, const Firing& f, const EngineTone& tone, int span) {
    BakeRandom noise(f.seed);
    long first = (long)std::ceil(f.time);
    for (long i = std::max(first, 0L); i < first + span && i < (long)out.size(); i++) {
        double tau = (i - f.time) / SOUND_RATE;
        double rise = tau / tone.thumpTime;
        double value = tone.thump * rise * std::exp(1 - rise);
        for (int k = 0; k < 3; k++) {
            double gain = tone.formantGain[k] * (k == 0 ? 1.0 : f.brightness);
            value += gain * std::exp(-tau / tone.formantDecay[k]) *
                     std::sin(TWO_PI * tone.formantHz[k] * (1 + f.detune) * tau);
        }
        value += tone.rasp * f.brightness * std::exp(-tau / tone.raspDecay) * whiteNoise(noise);
        out[i] += (float)(value * f.strength);
    }
}

Wave renderEngine(const std::vector<Firing>& firings, const EngineTone& tone, int length) {
    Wave out(length > 0 ? length : 0, 0.0f);
    int span = (int)std::ceil(ringTime(tone) * SOUND_RATE);
    for (const Firing& f : firings) renderFiring(out, f, tone, span);
    filterWave(highPassFilter(LOW_CUT_HZ, 0.7), out);
    filterWave(lowPassFilter(TOP_CUT_HZ, 0.7), out);
    return out;
}

void addBackfires(Wave& wave, const std::vector<Firing>& firings, double chance, double level,
                  BakeRandom& random) {
    const int span = samplesOf(0.03);
    for (const Firing& f : firings) {
        if (random.unit() >= chance) continue;
        Wave crack(span);
        BakeRandom noise(f.seed ^ 0x5bd1e995u);
        Biquad tone = bandPassFilter(900 + 1400 * random.unit(), 1.2);
        double strength = level * (0.5 + random.unit());
        for (int i = 0; i < span; i++) {
            double t = (double)i / SOUND_RATE;
            double body = attackDecay(t, 0.0008, 0.006);
            crack[i] = (float)(filterSample(tone, whiteNoise(noise) * body) * 3 +
                               0.6 * body * std::sin(TWO_PI * 120 * t));
        }
        addClipped(wave, (long)std::ceil(f.time), crack, (float)strength);
    }
}

EngineTone bikeTone() {
    EngineTone tone;
    tone.thump = 1.0;
    tone.thumpTime = 0.0012;
    const double hz[3] = {330, 1050, 2300}, decay[3] = {0.006, 0.0028, 0.0012},
                 gain[3] = {0.9, 0.55, 0.3};
    for (int k = 0; k < 3; k++) {
        tone.formantHz[k] = hz[k];
        tone.formantDecay[k] = decay[k];
        tone.formantGain[k] = gain[k];
    }
    tone.rasp = 0.35;
    tone.raspDecay = 0.0018;
    tone.timingJitter = 0.03;
    tone.strengthJitter = 0.12;
    tone.pitchJitter = 0.03;
    return tone;
}

EngineTone packTone() {
    EngineTone tone = bikeTone();
    tone.thumpTime = 0.0016;
    const double hz[3] = {280, 900, 1900}, gain[3] = {0.8, 0.35, 0.1};
    for (int k = 0; k < 3; k++) {
        tone.formantHz[k] = hz[k];
        tone.formantGain[k] = gain[k];
    }
    tone.rasp = 0.15;
    tone.timingJitter = 0.04;
    return tone;
}
