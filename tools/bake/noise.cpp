#include "bake/noise.h"

#include <cmath>

double latticeHash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ (uint32_t)x * 0x85EBCA77u ^ (uint32_t)y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777216.0;
}

static double fade(double t) { return t * t * (3 - 2 * t); }

static int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

double tilingNoise(double x, double y, uint32_t seed, int period) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = (int)fx, iy = (int)fy;
    double tx = fade(x - fx), ty = fade(y - fy);
    int x0 = wrap(ix, period), x1 = wrap(ix + 1, period), y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    double a = latticeHash(x0, y0, seed), b = latticeHash(x1, y0, seed);
    double c = latticeHash(x0, y1, seed), d = latticeHash(x1, y1, seed);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double tilingFractalNoise(double x, double y, int octaves, uint32_t seed, int period) {
    double sum = 0, weight = 1, total = 0, scale = 1;
    for (int i = 0; i < octaves; i++) {
        sum += weight * tilingNoise(x * scale, y * scale, seed + 101u * i, period > 0 ? period * (int)scale : 0);
        total += weight;
        weight *= 0.5;
        scale *= 2;
    }
    return sum / total;
}

double valueNoise(double x, double y, uint32_t seed) { return 2 * tilingNoise(x, y, seed) - 1; }

double fractalNoise(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, weight = 0.5;
    for (int i = 0; i < octaves; i++) {
        sum += weight * valueNoise(x, y, seed + 101 * i);
        x *= 2.03;
        y *= 2.03;
        weight *= 0.5;
    }
    return sum * 2;
}

double ridgedNoise(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, weight = 0.5;
    for (int i = 0; i < octaves; i++) {
        double r = 1 - std::fabs(valueNoise(x, y, seed + 131 * i));
        sum += weight * r * r;
        x *= 2.07;
        y *= 2.07;
        weight *= 0.5;
    }
    return sum;
}
