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

double valueNoise(double x, double y, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = (int)fx, iy = (int)fy;
    double tx = fade(x - fx), ty = fade(y - fy);
    double a = latticeHash(ix, iy, seed), b = latticeHash(ix + 1, iy, seed);
    double c = latticeHash(ix, iy + 1, seed), d = latticeHash(ix + 1, iy + 1, seed);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return 2 * (top + (bottom - top) * ty) - 1;
}

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
