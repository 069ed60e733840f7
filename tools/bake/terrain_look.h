// The ground materials of each scenery: what colour a point of the terrain
// has before light falls on it, the sky behind, and the light itself.
// Coarse changes of material follow the world; the fine texture (tufts,
// pebbles, ripples, crust) is laid out in picture pixels, so that it has
// the same size next to a bike wherever the ground lies.
#pragma once
#include "bake/heightfield.h"

struct Colour3 {
    double r, g, b; // 0..1
};

// What the materials know of a point of ground.
struct GroundSample {
    double x, y;    // world
    int px, py;     // the picture point it is drawn at
    double h;       // height of the point drawn (lower down a face)
    double steep;   // 0 flat .. 1 sheer
    double face;    // picture rows below the top of a face (0 on top)
    double rough;   // height the course's rocks add
    Scenery scenery;
    uint32_t seed;
};

Colour3 groundAlbedo(const GroundSample& g);
// t: 0 at the top of the picture, 1 at the far horizon.
Colour3 skyColour(Scenery s, double t);
// Light not from the sun, per channel (snow light is bluer).
Colour3 ambientLight(Scenery s);
// The sun's own colour, per channel.
Colour3 sunLight(Scenery s);

// Fine texture in picture pixels: smooth value noise 0..1 with features
// about sx by sy pixels.
double pictureNoise(int px, int py, double sx, double sy, uint32_t seed);
// The same noise lit from above: positive on the top of a bump, negative
// under it, about -1..1.
double embossed(int px, int py, double sx, double sy, uint32_t seed);

// The sun stands to the right (+x, where the game's shadows fall away
// from) and a little toward the viewer.
const double SUN_X = 0.75, SUN_Y = 0.35, SUN_UP = 0.50;
// One height unit stands for this many world units when the ground is lit.
const double RELIEF_SCALE = 3.0;

inline Colour3 mix(Colour3 a, Colour3 b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Colour3 scaled(Colour3 a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline double smoothstep(double e0, double e1, double x) {
    double t = (x - e0) / (e1 - e0);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return t * t * (3 - 2 * t);
}
