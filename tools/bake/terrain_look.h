// The ground materials of each look: what colour a point of the terrain
// has before light falls on it, the sky behind, and the light itself.
#pragma once
#include "bake/heightfield.h"

struct Colour3 {
    double r, g, b; // 0..1
};

// What the materials know of a point of ground.
struct GroundSample {
    double x, y;    // world
    double h;       // height of the point drawn (lower down a face)
    double steep;   // 0 flat .. 1 sheer
    double wear;    // 0 untouched .. 1 the middle of the worn track
    double lateral; // offset left of the course's centre line
    double face;    // picture rows below the top of a face (0 on top)
    double ramp;    // height a ramp of the course adds here
    double rough;   // height its rocks add
    uint32_t seed;
};

Colour3 groundAlbedo(Look look, const GroundSample& g);
// t: 0 at the top of the picture, 1 at the far horizon.
Colour3 skyColour(Look look, double t);
// Light not from the sun, per channel (snow light is bluer).
Colour3 ambientLight(Look look);

// The sun stands to the right (+x, where the game's shadows fall away
// from) and a little toward the viewer.
const double SUN_X = 0.75, SUN_Y = 0.35, SUN_UP = 0.50;
// One height unit stands for this many world units when the ground is lit.
const double RELIEF_SCALE = 3.0;

inline Colour3 mix(Colour3 a, Colour3 b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Colour3 scaled(Colour3 a, double k) { return {a.r * k, a.g * k, a.b * k}; }
