#include "bake/terrain_look.h"
#include "bake/noise.h"

#include <algorithm>
#include <cmath>

// Every fine detail stays within a quarter of the brightness range of the
// ground round it, and is at least two pixels across: nothing reads as a
// dead pixel or a tear.

double pictureNoise(int px, int py, double sx, double sy, uint32_t seed) {
    return tilingNoise(px / sx, py / sy, seed);
}

double embossed(int px, int py, double sx, double sy, uint32_t seed) {
    return 2.2 * (pictureNoise(px - 1, py - 1, sx, sy, seed) - pictureNoise(px, py + 1, sx, sy, seed));
}

namespace {

double patches(const GroundSample& g, double scale, uint32_t salt) {
    return 0.5 + 0.5 * fractalNoise(g.x / scale, g.y / scale, 3, g.seed + salt);
}

// A different brightness every pixel or two, lightly.
double grain(const GroundSample& g, double amount) {
    return 1 + amount * (pictureNoise(g.px, g.py, 1.4, 1.2, g.seed + 11) - 0.5);
}

// Tufts of grass 2-6 pixels: lit tops, shaded roots, in drifts.
double tufts(const GroundSample& g, double amount) {
    double blades = embossed(g.px, g.py, 2.2, 1.7, g.seed + 12);
    double drift = pictureNoise(g.px, g.py, 6, 4, g.seed + 13) - 0.5;
    return 1 + amount * (0.6 * blades + 0.5 * drift);
}

// Pebbles in 2 x 2 blocks: light above, a shaded row below.
double pebbles(const GroundSample& g, double density, double amount) {
    int bx = g.px >> 1, by = g.py >> 1;
    if (latticeHash(bx, by, g.seed + 14) >= density) {
        // the shadow a pebble above this block casts on its top row
        if ((g.py & 1) == 0 && latticeHash(bx, by - 1, g.seed + 14) < density) return 1 - 0.6 * amount;
        return 1;
    }
    return (g.py & 1) == 0 ? 1 + amount : 1 + 0.3 * amount;
}

// A cut face of earth or rock: vertical gullies worn by rain.
double gullies(const GroundSample& g, double amount) {
    return 1 + amount * (pictureNoise(g.px, g.py, 1.6, 9, g.seed + 15) - 0.5) +
           0.5 * amount * (pictureNoise(g.px, g.py, 4, 20, g.seed + 16) - 0.5);
}

// Flowers in 2 x 2 heads, clustered in patches of the meadow.
bool flower(const GroundSample& g, Colour3* out) {
    double patch = patches(g, 70, 17);
    if (patch < 0.62) return false;
    int bx = g.px >> 1, by = g.py >> 1;
    double h = latticeHash(bx, by, g.seed + 18);
    if (h > 0.05 * smoothstep(0.62, 0.8, patch)) return false;
    static const Colour3 heads[] = {{0.96, 0.88, 0.36}, {0.94, 0.93, 0.86}, {0.78, 0.56, 0.86}, {0.95, 0.62, 0.30}};
    int kind = (int)(latticeHash((int)(g.x / 90), (int)(g.y / 200), g.seed + 19) * 4) & 3;
    *out = heads[kind];
    return true;
}

struct Grass {
    Colour3 lush, dry, high, soil, rock;
    double flowers; // 0 none
};

Colour3 grassland(const GroundSample& g, const Grass& k) {
    Colour3 c = mix(k.lush, k.dry, smoothstep(0.25, 0.75, patches(g, 200, 1)));
    c = mix(c, k.high, smoothstep(90, 170, g.h) * 0.6);
    c = scaled(c, tufts(g, 0.22) * grain(g, 0.06));
    Colour3 f;
    if (k.flowers > 0 && g.steep < 0.5 && g.rough == 0 && flower(g, &f)) c = mix(c, f, k.flowers);
    Colour3 soil = scaled(k.soil, grain(g, 0.12) * pebbles(g, 0.1, 0.12));
    c = mix(c, soil, smoothstep(0.6, 0.8, g.steep));
    c = mix(c, scaled(k.rock, grain(g, 0.16) * gullies(g, 0.2)), smoothstep(0.8, 0.95, g.steep));
    // the cut edge of a bank: earth with roots and gullies
    if (g.face > 3) c = scaled(mix(k.soil, scaled(k.soil, 0.8), patches(g, 40, 12)), gullies(g, 0.25));
    return c;
}

struct Sand {
    Colour3 light, deep, lee;
    double rippleAngle; // of the crests in the picture
};

Colour3 sand(const GroundSample& g, const Sand& k) {
    Colour3 c = mix(k.deep, k.light, smoothstep(30, 110, g.h) * 0.65 + 0.35 * patches(g, 260, 2));
    // wind ripples 3-4 pixels apart, wandering with the dune under them
    double warp = 2.2 * fractalNoise(g.x / 70, g.y / 120, 2, g.seed + 5);
    double phase = (g.px * std::sin(k.rippleAngle) + g.py * 2.4 * std::cos(k.rippleAngle)) / 3.6 * 2 * M_PI + warp;
    double ripple = std::sin(phase + 0.6 * std::sin(phase)); // steep lee side, gentle windward
    double calm = 0.5 + 0.5 * valueNoise(g.x / 150, g.y / 300, g.seed + 6);
    c = scaled(c, 1 + (0.035 + 0.035 * calm) * ripple);
    c = scaled(c, grain(g, 0.05) * pebbles(g, 0.012, 0.08));
    c = mix(c, k.lee, smoothstep(0.45, 0.7, g.steep) * 0.6);
    if (g.face > 2) c = scaled(mix(c, k.lee, 0.6), gullies(g, 0.12));
    return c;
}

struct Strata {
    Colour3 bands[5];
    Colour3 floor, top;
    Colour3 scrub;
};

Colour3 rockBands(const GroundSample& g, const Strata& k) {
    double level = g.h / 7 + 0.6 * valueNoise(g.x / 90, g.y / 90, g.seed + 13);
    int band = ((int)std::floor(level) % 5 + 5) % 5;
    // a soft step between two bands rather than a hard seam
    double within = level - std::floor(level);
    Colour3 c = mix(k.bands[band], k.bands[(band + 1) % 5], smoothstep(0.8, 1.0, within));
    return scaled(c, grain(g, 0.1) * gullies(g, 0.22));
}

Colour3 canyon(const GroundSample& g, const Strata& k) {
    Colour3 c = mix(k.floor, k.top, smoothstep(60, 110, g.h));
    c = scaled(c, 0.9 + 0.2 * patches(g, 120, 3));
    c = scaled(c, grain(g, 0.08) * pebbles(g, 0.07, 0.14) * tufts(g, 0.06));
    // dry scrub in the low places
    double scrub = pictureNoise(g.px, g.py, 2.4, 1.8, g.seed + 7) * (0.5 + patches(g, 90, 8));
    if (g.steep < 0.3 && scrub > 1.05) c = mix(c, k.scrub, 0.7 * smoothstep(1.05, 1.2, scrub));
    double cliff = std::max(smoothstep(0.4, 0.6, g.steep), g.face > 1 ? 1.0 : 0.0);
    return mix(c, rockBands(g, k), cliff);
}

struct Snow {
    Colour3 snow, shade, rock;
};

Colour3 snowfield(const GroundSample& g, const Snow& k) {
    Colour3 c = mix(k.snow, k.shade, 0.35 * patches(g, 110, 4));
    // wind crust: flat drifts a few pixels long, lit on their tops
    double crust = 0.5 * embossed(g.px, g.py, 4.5, 1.6, g.seed + 20) + 0.5 * (pictureNoise(g.px, g.py, 9, 2.5, g.seed + 21) - 0.5);
    c = scaled(c, 1 + 0.05 * crust);
    Colour3 rock = scaled(k.rock, grain(g, 0.16) * gullies(g, 0.2) * pebbles(g, 0.08, 0.1));
    double bare = smoothstep(0.5, 0.72, g.steep + 0.15 * fractalNoise(g.x / 30, g.y / 30, 2, g.seed + 8));
    c = mix(c, rock, bare);
    if (g.face > 2) c = mix(rock, scaled(k.shade, 0.9), 0.3);
    return c;
}

const Grass MEADOW = {{0.24, 0.46, 0.14}, {0.36, 0.54, 0.17}, {0.44, 0.58, 0.24}, {0.46, 0.34, 0.22}, {0.52, 0.50, 0.46}, 0.9};
const Grass SUMMER = {{0.46, 0.50, 0.20}, {0.72, 0.62, 0.30}, {0.78, 0.68, 0.38}, {0.55, 0.38, 0.24}, {0.56, 0.53, 0.48}, 0};
const Sand GOLDEN = {{0.93, 0.80, 0.52}, {0.80, 0.62, 0.38}, {0.74, 0.56, 0.34}, 0.35};
const Sand RED = {{0.90, 0.54, 0.32}, {0.72, 0.36, 0.20}, {0.62, 0.30, 0.18}, -0.5};
const Strata RED_ROCK = {{{0.70, 0.36, 0.22}, {0.83, 0.53, 0.34}, {0.60, 0.30, 0.20}, {0.87, 0.63, 0.43}, {0.74, 0.42, 0.27}},
                         {0.78, 0.48, 0.31}, {0.72, 0.48, 0.31}, {0.42, 0.40, 0.22}};
const Strata GREY_ROCK = {{{0.80, 0.77, 0.70}, {0.62, 0.56, 0.48}, {0.90, 0.86, 0.76}, {0.70, 0.60, 0.44}, {0.54, 0.50, 0.47}},
                          {0.76, 0.70, 0.58}, {0.82, 0.76, 0.62}, {0.44, 0.46, 0.30}};
const Snow ALPINE = {{0.96, 0.97, 1.00}, {0.84, 0.88, 0.96}, {0.38, 0.36, 0.38}};
const Snow ICE = {{0.88, 0.93, 1.00}, {0.70, 0.80, 0.94}, {0.34, 0.36, 0.42}};

} // namespace

Colour3 groundAlbedo(const GroundSample& g) {
    switch (g.scenery) {
    case SCENERY_SPRING_MEADOW: return grassland(g, MEADOW);
    case SCENERY_SUMMER_HILLS: return grassland(g, SUMMER);
    case SCENERY_GOLDEN_DUNES: return sand(g, GOLDEN);
    case SCENERY_RED_DUNES: return sand(g, RED);
    case SCENERY_RED_CANYON: return canyon(g, RED_ROCK);
    case SCENERY_BADLANDS: return canyon(g, GREY_ROCK);
    case SCENERY_PINE_ALPS: return snowfield(g, ALPINE);
    case SCENERY_GLACIER: return snowfield(g, ICE);
    }
    return {0, 0, 0};
}

Colour3 skyColour(Scenery s, double t) {
    Colour3 top, horizon;
    switch (s) {
    case SCENERY_SUMMER_HILLS: top = {0.50, 0.66, 0.86}, horizon = {0.95, 0.90, 0.78}; break;
    case SCENERY_GOLDEN_DUNES: top = {0.40, 0.60, 0.86}, horizon = {0.93, 0.88, 0.76}; break;
    case SCENERY_RED_DUNES: top = {0.36, 0.42, 0.70}, horizon = {0.98, 0.72, 0.52}; break;
    case SCENERY_RED_CANYON: top = {0.28, 0.48, 0.82}, horizon = {0.90, 0.78, 0.66}; break;
    case SCENERY_BADLANDS: top = {0.52, 0.62, 0.74}, horizon = {0.86, 0.84, 0.78}; break;
    case SCENERY_PINE_ALPS: top = {0.40, 0.60, 0.90}, horizon = {0.86, 0.92, 0.98}; break;
    case SCENERY_GLACIER: top = {0.42, 0.44, 0.62}, horizon = {0.88, 0.80, 0.86}; break;
    default: top = {0.42, 0.62, 0.88}, horizon = {0.82, 0.89, 0.95}; break;
    }
    return mix(top, horizon, std::pow(std::clamp(t, 0.0, 1.0), 1.6));
}

Colour3 ambientLight(Scenery s) {
    switch (s) {
    case SCENERY_PINE_ALPS: return {0.40, 0.47, 0.62};
    case SCENERY_GLACIER: return {0.42, 0.44, 0.62};
    case SCENERY_RED_DUNES: return {0.46, 0.38, 0.44};
    default: return {0.42, 0.42, 0.47};
    }
}

Colour3 sunLight(Scenery s) {
    switch (s) {
    case SCENERY_SUMMER_HILLS: return {0.86, 0.80, 0.66};
    case SCENERY_RED_DUNES: return {0.92, 0.74, 0.58};
    case SCENERY_GLACIER: return {0.84, 0.78, 0.78};
    default: return {0.80, 0.80, 0.78};
    }
}
