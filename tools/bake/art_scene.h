// The game's backdrop scene, a dirt track at sunset, and its name
// lettering, shared by the title, the logo and the farewell pictures.
#pragma once
#include "bake/art_canvas.h"

#include <cstdint>

namespace art {

extern const char* const GAME_NAME;
extern const char* const TAGLINE;

struct Sunset {
    double horizon;   // y where the sky meets the far hills
    Vertex sun;
    double sunRadius;
    uint32_t seed;
};

void paintSky(Image& img, const Sunset& scene);
// The sun with bands cut across its lower half.
void paintSun(Image& img, const Sunset& scene);
void paintHills(Image& img, const Sunset& scene);
// Dirt from just below the horizon down, with ruts of earlier laps.
void paintGround(Image& img, const Sunset& scene);

// The game's name in chrome orange with a dark rim, centred on x with its
// baseline at y, as large as fits `maxWidth` up to `size`. Gives the
// width it took.
double paintGameName(Image& img, double x, double y, double maxWidth, double size, double rim);
// Small spaced capitals in cream with a dark halo.
void paintCaption(Image& img, const char* text, double x, double y, double size, double tracking);
// The pen colour of the name's letters at height t (0 baseline, 1 cap line).
Rgb nameColour(double t);

// Darkens toward the corners.
void vignette(Image& img, double strength);

} // namespace art
