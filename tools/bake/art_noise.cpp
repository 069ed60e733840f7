#include "bake/art_noise.h"

#include <cmath>

namespace art {

double latticeHash(int x, int y, uint32_t seed) {
    uint32_t h = (uint32_t)x * 0x8da6b343u ^ (uint32_t)y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h & 0xffffff) / 16777216.0;
}

static int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

static double smooth(double t) { return t * t * (3 - 2 * t); }

double valueNoise(double x, double y, uint32_t seed, int period) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = (int)fx, iy = (int)fy;
    double tx = smooth(x - fx), ty = smooth(y - fy);
    int x0 = wrap(ix, period), x1 = wrap(ix + 1, period), y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    double a = latticeHash(x0, y0, seed), b = latticeHash(x1, y0, seed);
    double c = latticeHash(x0, y1, seed), d = latticeHash(x1, y1, seed);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, int octaves, uint32_t seed, int period) {
    double sum = 0, weight = 1, total = 0, scale = 1;
    for (int i = 0; i < octaves; i++) {
        sum += weight * valueNoise(x * scale, y * scale, seed + 101u * i, period > 0 ? period * (int)scale : 0);
        total += weight;
        weight *= 0.5;
        scale *= 2;
    }
    return sum / total;
}

} // namespace art
