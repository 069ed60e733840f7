#include "bake/terrain_look.h"
#include "bake/noise.h"

#include <algorithm>
#include <cmath>

namespace {

double smoothstep(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Fine grain: a different brightness for every world unit.
double grain(const GroundSample& g, double amount) {
    return 1 + amount * (latticeHash((int)std::floor(g.x), (int)std::floor(g.y * 1.7 + g.face), g.seed + 11) - 0.5);
}

double patches(const GroundSample& g, double scale, uint32_t salt) {
    return 0.5 + 0.5 * fractalNoise(g.x / scale, g.y / scale, 3, g.seed + salt);
}

// Tyre ruts: dark lines along the course at a few offsets, wandering.
double ruts(const GroundSample& g) {
    const double offsets[] = {-26, -15, -5, 6, 17, 28};
    double wander = 3 * valueNoise(g.x / 60, g.y / 60, g.seed + 21);
    double r = 0;
    for (double o : offsets) {
        double d = g.lateral - o - wander;
        r = std::max(r, std::exp(-d * d / 3.5));
    }
    return r;
}

// The worn line over any ground: its edge frays with the noise.
Colour3 wearOver(Colour3 ground, const GroundSample& g, Colour3 dirt, Colour3 rut) {
    double fray = 0.25 * fractalNoise(g.x / 14, g.y / 14, 2, g.seed + 31);
    double w = smoothstep(0.15, 0.75, g.wear + fray);
    if (w <= 0) return ground;
    Colour3 track = mix(dirt, rut, 0.45 * ruts(g) * (0.6 + 0.4 * valueNoise(g.x / 25, g.y / 25, g.seed + 41)));
    // ramps are packed harder and lighter, so they stand out; rough ground
    // is broken up with dark stones
    track = mix(track, scaled(dirt, 1.25), smoothstep(0.5, 4, g.ramp) * 0.8);
    double stone = latticeHash((int)std::floor(g.x / 2.5), (int)std::floor(g.y / 2.5), g.seed + 51);
    if (stone > 0.55) track = mix(track, scaled(rut, 0.75 + 0.5 * (stone - 0.55)), smoothstep(0.3, 1.5, g.rough) * 0.8);
    track = scaled(track, grain(g, 0.12));
    return mix(ground, track, w);
}

Colour3 grassland(const GroundSample& g) {
    Colour3 lush{0.25, 0.44, 0.15}, dry{0.47, 0.56, 0.22}, high{0.58, 0.60, 0.30};
    Colour3 c = mix(lush, dry, patches(g, 180, 1));
    c = mix(c, high, smoothstep(90, 170, g.h) * 0.7);
    c = scaled(c, grain(g, 0.22));
    double flower = latticeHash((int)g.x, (int)g.y, g.seed + 3);
    if (flower > 0.9985) c = flower > 0.9993 ? Colour3{0.95, 0.92, 0.50} : Colour3{0.92, 0.90, 0.88};
    Colour3 dirt{0.50, 0.39, 0.25}, rock{0.52, 0.50, 0.46};
    c = mix(c, dirt, smoothstep(0.6, 0.8, g.steep));
    c = mix(c, scaled(rock, grain(g, 0.3)), smoothstep(0.8, 0.95, g.steep));
    if (g.face > 4) c = scaled(mix(Colour3{0.46, 0.34, 0.22}, Colour3{0.38, 0.28, 0.19}, patches(g, 40, 12)), grain(g, 0.2));
    return wearOver(c, g, {0.60, 0.47, 0.32}, {0.40, 0.30, 0.20});
}

Colour3 dunes(const GroundSample& g) {
    Colour3 light{0.88, 0.72, 0.47}, deep{0.77, 0.56, 0.35};
    Colour3 c = mix(deep, light, smoothstep(30, 110, g.h) * 0.7 + 0.3 * patches(g, 240, 2));
    c = scaled(c, 1.03);
    double ripple = std::sin((g.x * 0.8 + g.y * 0.6) / 2.2 + 3 * valueNoise(g.x / 40, g.y / 40, g.seed + 5));
    c = scaled(c, 1 + 0.05 * ripple);
    c = scaled(c, grain(g, 0.08));
    c = mix(c, Colour3{0.80, 0.60, 0.38}, smoothstep(0.45, 0.7, g.steep) * 0.6);
    if (g.face > 2) c = mix(c, Colour3{0.72, 0.53, 0.33}, 0.6);
    return wearOver(c, g, {0.63, 0.46, 0.30}, {0.50, 0.36, 0.23});
}

Colour3 rockBands(const GroundSample& g) {
    static const Colour3 bands[] = {{0.70, 0.36, 0.22}, {0.83, 0.53, 0.34}, {0.60, 0.30, 0.20},
                                    {0.87, 0.63, 0.43}, {0.74, 0.42, 0.27}};
    double level = g.h / 7 + 0.6 * valueNoise(g.x / 90, g.y / 90, g.seed + 13);
    int band = ((int)std::floor(level) % 5 + 5) % 5;
    return scaled(bands[band], grain(g, 0.18));
}

Colour3 canyon(const GroundSample& g) {
    Colour3 floor{0.76, 0.46, 0.30}, top{0.72, 0.48, 0.31};
    Colour3 c = mix(floor, top, smoothstep(60, 110, g.h));
    c = scaled(c, 0.9 + 0.2 * patches(g, 120, 3));
    c = scaled(c, grain(g, 0.16));
    double scrub = latticeHash((int)g.x / 3, (int)g.y / 3, g.seed + 7);
    if (g.steep < 0.3 && scrub > 0.985) c = Colour3{0.38, 0.38, 0.20};
    double cliff = std::max(smoothstep(0.4, 0.6, g.steep), g.face > 1 ? 1.0 : 0.0);
    c = mix(c, rockBands(g), cliff);
    return wearOver(c, g, {0.88, 0.70, 0.52}, {0.70, 0.52, 0.38});
}

Colour3 snow(const GroundSample& g) {
    Colour3 c = Colour3{0.95, 0.96, 0.99};
    c = scaled(c, 0.96 + 0.04 * patches(g, 90, 4));
    if (latticeHash((int)g.x, (int)g.y, g.seed + 5) > 0.997) c = {1, 1, 1};
    // woods of pines on the gentler middle slopes
    double wood = smoothstep(0.58, 0.7, patches(g, 160, 6)) * (1 - smoothstep(0.3, 0.45, g.steep)) *
                  smoothstep(45, 70, g.h) * (1 - smoothstep(140, 170, g.h));
    double tree = latticeHash((int)std::floor(g.x / 7), (int)std::floor(g.y / 11), g.seed + 9);
    if (tree < wood * 0.55 && g.wear < 0.05) {
        double within = g.y / 11 - std::floor(g.y / 11); // the far half of a tree catches the light
        c = scaled(Colour3{0.14, 0.25, 0.18}, within < 0.5 ? 1.15 : 0.75);
    }
    Colour3 rock = scaled(Colour3{0.36, 0.35, 0.38}, grain(g, 0.3));
    double bare = smoothstep(0.5, 0.72, g.steep + 0.15 * fractalNoise(g.x / 30, g.y / 30, 2, g.seed + 8));
    c = mix(c, rock, bare);
    if (g.face > 2) c = mix(rock, Colour3{0.60, 0.64, 0.72}, 0.4);
    return wearOver(c, g, {0.66, 0.63, 0.60}, {0.48, 0.46, 0.46});
}

} // namespace

Colour3 groundAlbedo(Look look, const GroundSample& g) {
    switch (look) {
    case LOOK_GRASSLAND: return grassland(g);
    case LOOK_DUNES: return dunes(g);
    case LOOK_CANYON: return canyon(g);
    case LOOK_SNOW: return snow(g);
    }
    return {0, 0, 0};
}

Colour3 skyColour(Look look, double t) {
    Colour3 top, horizon;
    switch (look) {
    case LOOK_DUNES: top = {0.45, 0.62, 0.85}, horizon = {0.93, 0.86, 0.74}; break;
    case LOOK_CANYON: top = {0.30, 0.50, 0.82}, horizon = {0.90, 0.78, 0.66}; break;
    case LOOK_SNOW: top = {0.55, 0.68, 0.88}, horizon = {0.90, 0.93, 0.97}; break;
    default: top = {0.42, 0.62, 0.88}, horizon = {0.82, 0.89, 0.95}; break;
    }
    return mix(top, horizon, std::pow(std::clamp(t, 0.0, 1.0), 1.6));
}

Colour3 ambientLight(Look look) {
    return look == LOOK_SNOW ? Colour3{0.38, 0.45, 0.60} : Colour3{0.42, 0.42, 0.47};
}
