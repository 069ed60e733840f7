#include "bake/instruments.h"

#include <algorithm>
#include <cmath>

static const double RELEASE = 0.03; // every held note fades out over this

double midiHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Envelope of a held note: quick attack, settling to `sustain`, then the release.
static double heldEnvelope(double t, double held, double attack, double decay, double sustain) {
    double level = t < attack ? t / attack : sustain + (1 - sustain) * std::exp(-(t - attack) / decay);
    if (t > held) level *= std::max(0.0, 1 - (t - held) / RELEASE);
    return level;
}

Wave kickDrum() {
    Wave wave(samplesOf(0.3));
    double phase = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        phase += (48 + 110 * std::exp(-t / 0.03)) / SOUND_RATE;
        double body = sineAt(phase) * attackDecay(t, 0.001, 0.11);
        double beater = 0.4 * std::sin(TWO_PI * 1100 * t) * decayEnvelope(t, 0.003);
        wave[i] = (float)((body + beater) * rampBetween(t, 0.27, 0.3, 1, 0));
    }
    return wave;
}

Wave snareDrum(BakeRandom& random) {
    Wave wave(samplesOf(0.22));
    Biquad wires = bandPassFilter(2600, 0.7);
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double shell = 0.7 * std::sin(TWO_PI * 190 * t) * attackDecay(t, 0.001, 0.045);
        double rattle = 1.6 * filterSample(wires, whiteNoise(random)) * attackDecay(t, 0.001, 0.07);
        wave[i] = (float)((shell + rattle) * rampBetween(t, 0.2, 0.22, 1, 0));
    }
    return wave;
}

Wave hiHat(bool open, BakeRandom& random) {
    double ring = open ? 0.11 : 0.022;
    Wave wave(samplesOf(ring * 5));
    Biquad bright = highPassFilter(4200, 0.8);
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double metal = 0.3 * pulseAt(std::fmod(t * 3170, 1.0), 3170.0 / SOUND_RATE, 0.5) +
                       0.3 * pulseAt(std::fmod(t * 4590, 1.0), 4590.0 / SOUND_RATE, 0.5);
        wave[i] = (float)(filterSample(bright, whiteNoise(random) + metal) * attackDecay(t, 0.0005, ring));
    }
    return wave;
}

Wave crashCymbal(BakeRandom& random) {
    Wave wave(samplesOf(1.6));
    Biquad bright = highPassFilter(2800, 0.7);
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double shimmer = 0.4 * std::sin(TWO_PI * 3720 * t + 2 * std::sin(TWO_PI * 5130 * t));
        wave[i] = (float)(filterSample(bright, whiteNoise(random) + shimmer) * attackDecay(t, 0.002, 0.45) *
                          rampBetween(t, 1.5, 1.6, 1, 0));
    }
    return wave;
}

Wave tomDrum(double hz) {
    Wave wave(samplesOf(0.35));
    double phase = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        phase += hz * (1 + 0.5 * std::exp(-t / 0.04)) / SOUND_RATE;
        wave[i] = (float)(sineAt(phase) * attackDecay(t, 0.002, 0.12) * rampBetween(t, 0.32, 0.35, 1, 0));
    }
    return wave;
}

Wave bassNote(int midi, double seconds) {
    double hz = midiHz(midi), step = hz / SOUND_RATE;
    Wave wave(samplesOf(seconds + RELEASE));
    Biquad tone;
    double phase = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        if (i % 16 == 0) { // the pluck closes the filter as the note goes on
            Biquad next = lowPassFilter(350 + 1300 * std::exp(-t / 0.05), 1.4);
            next.z1 = tone.z1;
            next.z2 = tone.z2;
            tone = next;
        }
        phase = std::fmod(phase + step, 1.0);
        double raw = 0.6 * sawAt(phase, step) + 0.4 * pulseAt(phase, step, 0.5);
        wave[i] = (float)(std::tanh(1.6 * filterSample(tone, raw)) * heldEnvelope(t, seconds, 0.004, 0.15, 0.7));
    }
    return wave;
}

Wave powerChord(int rootMidi, double seconds, bool muted) {
    const int intervals[3] = {0, 7, 12};
    const double detune[3] = {1.0, 1.003, 0.998};
    Wave wave(samplesOf(seconds + RELEASE));
    Biquad cabinet = lowPassFilter(muted ? 1100 : 2600, 0.9);
    double phases[3] = {0, 0.3, 0.6};
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double raw = 0;
        for (int k = 0; k < 3; k++) {
            double step = midiHz(rootMidi + intervals[k]) * detune[k] / SOUND_RATE;
            phases[k] = std::fmod(phases[k] + step, 1.0);
            raw += sawAt(phases[k], step);
        }
        double driven = std::tanh(2.8 * raw) * 0.8;
        double envelope = muted ? attackDecay(t, 0.003, 0.07) : heldEnvelope(t, seconds, 0.005, 0.4, 0.75);
        if (t > seconds) envelope *= std::max(0.0, 1 - (t - seconds) / RELEASE);
        wave[i] = (float)(filterSample(cabinet, driven) * envelope);
    }
    return wave;
}

Wave leadNote(int midi, double seconds) {
    double hz = midiHz(midi);
    Wave wave(samplesOf(seconds + RELEASE));
    Biquad tone = lowPassFilter(3200, 0.8);
    double phase = 0;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double depth = 0.007 * smoothStep((t - 0.12) / 0.15);
        double step = hz * (1 + depth * std::sin(TWO_PI * 5.5 * t)) / SOUND_RATE;
        phase = std::fmod(phase + step, 1.0);
        double raw = 0.7 * pulseAt(phase, step, 0.3) + 0.3 * sawAt(phase, step);
        wave[i] = (float)(filterSample(tone, raw) * heldEnvelope(t, seconds, 0.006, 0.12, 0.75));
    }
    return wave;
}
