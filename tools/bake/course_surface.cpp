#include "bake/course_surface.h"
#include "bake/noise.h"

#include <algorithm>
#include <cmath>

namespace {

struct TrackColours {
    Colour3 dirt, rut, packed, loose;
};

TrackColours coloursOf(Scenery s) {
    switch (s) {
    case SCENERY_SPRING_MEADOW: return {{0.55, 0.42, 0.28}, {0.34, 0.25, 0.16}, {0.68, 0.56, 0.40}, {0.62, 0.48, 0.32}};
    case SCENERY_SUMMER_HILLS: return {{0.64, 0.42, 0.27}, {0.42, 0.26, 0.16}, {0.78, 0.58, 0.40}, {0.70, 0.48, 0.31}};
    case SCENERY_GOLDEN_DUNES: return {{0.78, 0.62, 0.40}, {0.60, 0.45, 0.28}, {0.90, 0.78, 0.56}, {0.86, 0.70, 0.46}};
    case SCENERY_RED_DUNES: return {{0.70, 0.40, 0.24}, {0.50, 0.27, 0.16}, {0.84, 0.54, 0.34}, {0.78, 0.46, 0.28}};
    case SCENERY_RED_CANYON: return {{0.84, 0.64, 0.46}, {0.62, 0.44, 0.31}, {0.94, 0.78, 0.60}, {0.88, 0.68, 0.50}};
    case SCENERY_BADLANDS: return {{0.64, 0.58, 0.50}, {0.44, 0.40, 0.35}, {0.80, 0.75, 0.66}, {0.70, 0.64, 0.55}};
    case SCENERY_PINE_ALPS: return {{0.74, 0.74, 0.76}, {0.50, 0.50, 0.54}, {0.88, 0.89, 0.92}, {0.92, 0.94, 0.98}};
    case SCENERY_GLACIER: return {{0.46, 0.52, 0.63}, {0.32, 0.37, 0.50}, {0.62, 0.68, 0.80}, {0.84, 0.88, 0.98}};
    }
    return {};
}

// The main ruts follow the computer riders' lanes, 22 world units apart;
// they wander a little and come and go along the course.
double ruts(const GroundSample& g, const TrackSample& t) {
    double r = 0;
    int lanes = std::max(1, (int)(2 * (t.halfWidth - 12) / 22) + 1);
    for (int k = 0; k < lanes; k++) {
        double offset = -(t.halfWidth - 12) + k * 22 + 3 * valueNoise(t.along / 70, k * 3.1, g.seed + 21);
        double strength = 0.55 + 0.45 * valueNoise(t.along / 45, k * 1.7, g.seed + 22);
        double d = std::fabs(t.lateral - offset) * t.across; // pixels from the rut's middle
        double groove = std::exp(-d * d / 0.8) - 0.35 * std::exp(-(d - 1.7) * (d - 1.7) / 0.5);
        r += strength * groove;
    }
    return r;
}

// Tyre marks: fainter lines drifting across the track, more of them and
// more crossed in the turns.
double tyreMarks(const GroundSample& g, const TrackSample& t) {
    double m = 0;
    for (int k = 0; k < 9; k++) {
        double base = (latticeHash(k, 7, g.seed + 23) * 2 - 1) * t.halfWidth;
        double drift = (6 + 14 * t.turning) * valueNoise(t.along / (50 - 20 * t.turning), k * 2.3, g.seed + 24);
        double d = std::fabs(t.lateral - base - drift) * t.across;
        double on = smoothstep(0.1, 0.4, valueNoise(t.along / 80, k * 5.3, g.seed + 25));
        m += on * std::exp(-d * d / 0.35);
    }
    return std::min(m, 1.0);
}

// A chequered band across the track, two rows of squares.
double chequer(const TrackSample& t) {
    const double HALF_DEPTH = 20, SQUARE = 10;
    if (std::fabs(t.startLine) > HALF_DEPTH || std::fabs(t.lateral) > t.halfWidth - 2) return -1;
    int across = (int)std::floor(t.lateral / SQUARE), row = t.startLine < 0;
    return (across + row) & 1;
}

} // namespace

Colour3 courseOver(Colour3 ground, const GroundSample& g, const TrackSample& t) {
    double fray = 0.25 * fractalNoise(g.x / 14, g.y / 14, 2, g.seed + 31);
    double w = smoothstep(0.15, 0.75, t.wear + fray);
    if (w <= 0) return ground;
    TrackColours k = coloursOf(g.scenery);
    // riders pack the middle of each lane and churn the ground between
    Colour3 track = mix(k.dirt, k.packed, 0.25 * smoothstep(0.4, 0.8, pictureNoise(g.px, g.py, 7, 3, g.seed + 26)));
    track = mix(track, k.rut, 0.22 * t.turning);
    double r = ruts(g, t);
    track = r > 0 ? mix(track, k.rut, std::min(0.55, 0.55 * r)) : mix(track, k.loose, std::min(0.5, -0.9 * r));
    track = mix(track, k.rut, 0.22 * tyreMarks(g, t));
    // loose dirt thrown up on the outside of a berm, packed light on a lip
    track = mix(track, k.loose, 0.6 * t.berm);
    track = mix(track, k.packed, std::min(1.0, 0.35 * smoothstep(0.5, 4, t.ramp) + 0.75 * t.lip));
    double stones = std::clamp(g.rough / 1.5, 0.0, 1.0);
    track = scaled(track, (1 + 0.14 * stones * embossed(g.px, g.py, 1.6, 1.3, g.seed + 27)) *
                              (1 + 0.05 * (pictureNoise(g.px, g.py, 1.5, 1.3, g.seed + 28) - 0.5)));
    double c = chequer(t);
    if (c >= 0) track = c > 0 ? Colour3{0.95, 0.95, 0.93} : Colour3{0.16, 0.16, 0.18};
    return mix(ground, track, w);
}
