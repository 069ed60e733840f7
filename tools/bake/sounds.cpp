// The sound folder: every sound the game loads, synthesised. Engine sounds
// are in engine_sounds.cpp, the title tune in music.cpp; the short effects
// are made here.
#include "bake/bake.h"
#include "bake/sound_set.h"
#include "bake/synth.h"

#include <algorithm>
#include <cmath>

static const float EFFECT_PEAK = 110;
static const float CLICK_PEAK = 100;
static const float BEEP_PEAK = 96;

// A click: a short tuned tick over a burst of bright noise.
static Wave click(double pingHz, double pingDecay, double bodyHz, double noiseHz, double seconds,
                  uint64_t seed) {
    BakeRandom random(seed);
    Biquad hiss = bandPassFilter(noiseHz, 1.5);
    Wave wave(samplesOf(seconds));
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double ping = std::sin(TWO_PI * pingHz * t) * attackDecay(t, 0.0003, pingDecay);
        double body = 0.6 * std::sin(TWO_PI * bodyHz * t) * attackDecay(t, 0.0005, pingDecay * 1.8);
        double noise = filterSample(hiss, whiteNoise(random) * decayEnvelope(t, 0.0015)) * 2.5;
        wave[i] = (float)(ping + body + noise);
    }
    return wave;
}

// A countdown beep: a soft square tone, its edges rounded off.
static Wave beep(double hz, double seconds, double fade) {
    Wave wave(samplesOf(seconds));
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double phase = hz * t;
        double tone = 0;
        for (int h = 1; h <= 7 && h * hz < SOUND_RATE * 0.45; h += 2) tone += sineAt(phase * h) / h;
        double edge = std::min(rampBetween(t, 0, 0.006, 0, 1), rampBetween(t, seconds - 0.03, seconds, 1, 0));
        wave[i] = (float)(tone * edge * decayEnvelope(t, fade));
    }
    return wave;
}

// A bubble: a sine whose pitch rises as it dies away.
static void addBubble(Wave& wave, double at, double fromHz, double toHz, double seconds, float gain) {
    Wave bubble(samplesOf(seconds));
    double phase = 0;
    for (size_t i = 0; i < bubble.size(); i++) {
        double t = (double)i / SOUND_RATE;
        phase += fromHz * std::pow(toHz / fromHz, t / seconds) / SOUND_RATE;
        double edge = rampBetween(t, seconds - 0.01, seconds, 1, 0);
        bubble[i] = (float)(sineAt(phase) * attackDecay(t, 0.003, seconds / 3) * edge);
    }
    addClipped(wave, samplesOf(at), bubble, gain);
}

// Checkpoint taken: two bubbles and a bright chime.
static Wave checkpointSound() {
    Wave wave(samplesOf(0.55));
    addBubble(wave, 0.0, 350, 800, 0.08, 0.8f);
    addBubble(wave, 0.07, 500, 1100, 0.09, 0.8f);
    const double partials[3][2] = {{1318.5, 0.5}, {1975.5, 0.35}, {3637, 0.08}};
    int from = samplesOf(0.14);
    for (int i = from; i < (int)wave.size(); i++) {
        double t = (double)(i - from) / SOUND_RATE;
        double edge = rampBetween(t, 0.38, 0.41, 1, 0);
        for (const auto& p : partials) wave[i] += (float)(p[1] * std::sin(TWO_PI * p[0] * t) * attackDecay(t, 0.002, 0.12) * edge);
    }
    return wave;
}

// A heavy body meeting the ground: a falling low sine under a dull knock.
static void addThud(Wave& wave, double at, double seconds, double fromHz, double toHz, float gain,
                    BakeRandom& random) {
    Wave thud(samplesOf(seconds));
    OnePole dull = onePole(600);
    double phase = 0;
    for (size_t i = 0; i < thud.size(); i++) {
        double t = (double)i / SOUND_RATE;
        phase += (toHz + (fromHz - toHz) * std::exp(-t / 0.06)) / SOUND_RATE;
        double low = sineAt(phase) * attackDecay(t, 0.004, seconds / 5);
        double knock = 0.5 * std::sin(TWO_PI * 180 * t) * attackDecay(t, 0.002, 0.035);
        double dirt = lowPassSample(dull, whiteNoise(random)) * 2.2 * attackDecay(t, 0.001, 0.025);
        double edge = rampBetween(t, seconds - 0.02, seconds, 1, 0);
        thud[i] = (float)((low + knock + dirt) * edge);
    }
    addClipped(wave, samplesOf(at), thud, gain);
}

// Small stones and bike parts rattling after a crash.
static void addClatter(Wave& wave, double from, double to, int count, float gain, BakeRandom& random) {
    for (int k = 0; k < count; k++) {
        double at = from + (to - from) * random.unit();
        Biquad ring = bandPassFilter(1800 + 2400 * random.unit(), 3);
        Wave tick(samplesOf(0.025));
        for (size_t i = 0; i < tick.size(); i++)
            tick[i] = (float)filterSample(ring, whiteNoise(random) * decayEnvelope((double)i / SOUND_RATE, 0.004)) * 3;
        addClipped(wave, samplesOf(at), tick, gain * (float)(0.4 + 0.6 * random.unit()) * (float)(1 - (at - from) / (to - from) * 0.6));
    }
}

static Wave bumpSound() {
    BakeRandom random(61);
    Wave wave(samplesOf(0.5));
    addThud(wave, 0, 0.42, 120, 42, 1.0f, random);
    addClatter(wave, 0.06, 0.38, 6, 0.22f, random);
    return wave;
}

// Tyres ploughing through loose dirt: band-passed noise with the grit of
// stones flicked away, the band dropping as the bike slows.
static Wave skidSound() {
    const double seconds = 0.95;
    BakeRandom random(71);
    Wave wave(samplesOf(seconds));
    Biquad top = lowPassFilter(3000, 0.7);
    OnePole grit = onePole(40);
    Biquad band;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = (double)i / SOUND_RATE;
        if (i % 32 == 0) {
            Biquad next = bandPassFilter(1500 - 600 * t / seconds, 0.8);
            next.z1 = band.z1;
            next.z2 = band.z2;
            band = next;
        }
        double spike = random.unit() < 0.012 ? 1 + 2 * random.unit() : 0;
        double crunch = 0.55 + 4 * lowPassSample(grit, spike);
        double envelope = std::min(rampBetween(t, 0, 0.025, 0, 1), 1 - smoothStep((t - 0.55) / (seconds - 0.55)));
        double noise = filterSample(band, whiteNoise(random));
        wave[i] = (float)(filterSample(top, noise * crunch) * envelope);
    }
    return wave;
}

// Glottal buzz through vowel resonances gliding from "a" to "o".
static void addGroan(Wave& wave, double at, double seconds, BakeRandom& random) {
    const double openVowel[3] = {800, 1200, 2500}, roundVowel[3] = {480, 820, 2400};
    const double formantGain[3] = {1.0, 0.6, 0.25};
    Wave voice(samplesOf(seconds));
    Biquad formants[3];
    double phase = 0;
    for (size_t i = 0; i < voice.size(); i++) {
        double t = (double)i / SOUND_RATE;
        double x = t / seconds;
        if (i % 32 == 0) {
            for (int k = 0; k < 3; k++) {
                Biquad next = bandPassFilter(openVowel[k] + (roundVowel[k] - openVowel[k]) * smoothStep(x * 1.4), 6);
                next.z1 = formants[k].z1;
                next.z2 = formants[k].z2;
                formants[k] = next;
            }
        }
        double vibrato = 1 + (0.01 + 0.035 * x) * std::sin(TWO_PI * 6.5 * t);
        double hz = (175 + 130 * std::exp(-t / 0.18)) * vibrato * (1 + 0.02 * whiteNoise(random));
        double step = hz / SOUND_RATE;
        phase = std::fmod(phase + step, 1.0);
        double source = sawAt(phase, step) + 0.25 * whiteNoise(random);
        double out = 0;
        for (int k = 0; k < 3; k++) out += formantGain[k] * filterSample(formants[k], source);
        double envelope = std::min(rampBetween(t, 0, 0.03, 0, 1), 1 - smoothStep((x - 0.55) / 0.45));
        voice[i] = (float)(out * envelope * 2.5);
    }
    addClipped(wave, samplesOf(at), voice, 0.9f);
}

// Hitting the wall at the edge of the world: the crash, and the rider's cry.
static Wave wallHitSound() {
    BakeRandom random(81);
    Wave wave(samplesOf(0.8));
    addThud(wave, 0, 0.3, 140, 55, 0.9f, random);
    const double clang[3][2] = {{410, 0.35}, {1130, 0.25}, {1870, 0.15}};
    for (int i = 0; i < samplesOf(0.3); i++) {
        double t = (double)i / SOUND_RATE;
        for (const auto& c : clang) wave[i] += (float)(c[1] * std::sin(TWO_PI * c[0] * t) * attackDecay(t, 0.001, 0.07));
    }
    addClatter(wave, 0.03, 0.3, 5, 0.25f, random);
    addGroan(wave, 0.08, 0.65, random);
    return wave;
}

struct BakedSound {
    int id;
    std::vector<int8_t> samples;
};

bool bakeSounds(const BakeTarget& out) {
    const BakedSound sounds[] = {
        {SOUND_THEME, themeTune()},
        {SOUND_BUTTON_CLICK, toPcm8(click(2300, 0.004, 900, 4500, 0.03, 91), CLICK_PEAK)},
        {SOUND_WALL_HIT, toPcm8(wallHitSound(), EFFECT_PEAK)},
        {SOUND_CHECKPOINT, toPcm8(checkpointSound(), EFFECT_PEAK)},
        {SOUND_START_LOW, toPcm8(beep(440, 0.28, 1.0), BEEP_PEAK)},
        {SOUND_START_HIGH, toPcm8(beep(880, 0.75, 0.9), BEEP_PEAK)},
        {SOUND_MENU_CLICK, toPcm8(click(1400, 0.006, 350, 3000, 0.045, 92), CLICK_PEAK)},
        {SOUND_IDLE, idleEngineSound()},
        {SOUND_FULL_THROTTLE, fullThrottleSound()},
        {SOUND_IN_AIR, airborneEngineSound()},
        {SOUND_WIND_DOWN, windingDownSound()},
        {SOUND_CRASH, toPcm8(bumpSound(), EFFECT_PEAK)},
        {SOUND_SKID, toPcm8(skidSound(), EFFECT_PEAK * 0.9f)},
        {SOUND_PACK, packEnginesSound()},
    };
    if (sizeof sounds / sizeof sounds[0] != (size_t)SOUND_FILE_COUNT) return false; // one per table row
    for (const BakedSound& s : sounds) {
        const SoundFile* f = soundFile(s.id);
        if (!f || !writeFlac(out.sound + f->file, s.samples, SOUND_RATE)) return false;
    }
    return true;
}
