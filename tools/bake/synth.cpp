#include "bake/synth.h"

#include <algorithm>
#include <cmath>

double sineAt(double phase) { return std::sin(TWO_PI * phase); }

// The polynomial band-limited step: smooths a unit jump over one sample
// on either side of it.
static double blep(double phase, double step) {
    if (phase < step) {
        double t = phase / step;
        return t + t - t * t - 1;
    }
    if (phase > 1 - step) {
        double t = (phase - 1) / step;
        return t * t + t + t + 1;
    }
    return 0;
}

double sawAt(double phase, double step) { return 2 * phase - 1 - blep(phase, step); }

double pulseAt(double phase, double step, double width) {
    double value = phase < width ? 1 : -1;
    value += blep(phase, step);
    double fall = phase - width;
    if (fall < 0) fall += 1;
    return value - blep(fall, step);
}

double triangleAt(double phase) { return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; }

float whiteNoise(BakeRandom& random) { return (float)(random.unit() * 2 - 1); }

double decayEnvelope(double t, double tau) { return t < 0 ? 0 : std::exp(-t / tau); }

double attackDecay(double t, double attack, double tau) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

double rampBetween(double t, double t0, double t1, double v0, double v1) {
    if (t <= t0) return v0;
    if (t >= t1) return v1;
    return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
}

double smoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

// Coefficients after the well-known audio-EQ cookbook formulas.
static Biquad biquad(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
    return f;
}

static double omegaOf(double hz) { return TWO_PI * std::min(hz, SOUND_RATE * 0.49) / SOUND_RATE; }

Biquad lowPassFilter(double hz, double q) {
    double w = omegaOf(hz), c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad highPassFilter(double hz, double q) {
    double w = omegaOf(hz), c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad bandPassFilter(double hz, double q) {
    double w = omegaOf(hz), c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double filterSample(Biquad& f, double x) {
    double y = f.b0 * x + f.z1;
    f.z1 = f.b1 * x - f.a1 * y + f.z2;
    f.z2 = f.b2 * x - f.a2 * y;
    return y;
}

void filterWave(const Biquad& f, Wave& wave) {
    Biquad state = f;
    for (float& s : wave) s = (float)filterSample(state, s);
}

void filterWaveCircular(const Biquad& f, Wave& wave) {
    Biquad state = f;
    for (float s : wave) filterSample(state, s);
    for (float& s : wave) s = (float)filterSample(state, s);
}

OnePole onePole(double hz) {
    OnePole f;
    f.a = 1 - std::exp(-TWO_PI * hz / SOUND_RATE);
    return f;
}

double lowPassSample(OnePole& f, double x) {
    f.z += f.a * (x - f.z);
    return f.z;
}

double highPassSample(OnePole& f, double x) { return x - lowPassSample(f, x); }

void addWrapped(Wave& out, long at, const Wave& part, float gain) {
    long n = (long)out.size();
    if (n == 0) return;
    long i = ((at % n) + n) % n;
    for (float s : part) {
        out[i] += s * gain;
        if (++i == n) i = 0;
    }
}

void addClipped(Wave& out, long at, const Wave& part, float gain) {
    long n = (long)out.size();
    for (long k = 0; k < (long)part.size(); k++) {
        long i = at + k;
        if (i >= 0 && i < n) out[i] += part[k] * gain;
    }
}

Wave periodicWobble(BakeRandom& random, int length, int knots) {
    Wave curve(length > 0 ? length : 0);
    if (length <= 0 || knots <= 0) return curve;
    std::vector<double> points(knots);
    for (double& p : points) p = random.unit() * 2 - 1;
    for (int i = 0; i < length; i++) {
        double at = (double)i * knots / length;
        int k = (int)at;
        double mix = (1 - std::cos((at - k) * TWO_PI / 2)) / 2;
        curve[i] = (float)(points[k % knots] * (1 - mix) + points[(k + 1) % knots] * mix);
    }
    return curve;
}

float peakOf(const Wave& wave) {
    float peak = 0;
    for (float s : wave) peak = std::max(peak, std::fabs(s));
    return peak;
}

std::vector<int8_t> toPcm8(const Wave& wave, float peak) {
    std::vector<int8_t> out(wave.size());
    float loudest = peakOf(wave);
    float scale = loudest > 0 ? std::min(peak, 127.0f) / loudest : 0;
    for (size_t i = 0; i < wave.size(); i++) {
        long v = std::lround(wave[i] * scale);
        out[i] = (int8_t)std::clamp(v, -127L, 127L);
    }
    return out;
}

float softLimit(float x, float knee) {
    float a = std::fabs(x);
    if (a <= knee) return x;
    float room = 1 - knee;
    float bent = knee + room * std::tanh((a - knee) / room);
    return x < 0 ? -bent : bent;
}
