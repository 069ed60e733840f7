// The game's look shared by its menu pictures: the palette, a rider on a
// dirt bike as a silhouette, tyre tread marks, speed streaks, dust and
// earth.
#pragma once
#include "bake/art_canvas.h"

#include <cstdint>

namespace art {

// Dark slate for panels and backdrops, dusty earth, bold orange and yellow.
const Rgb SLATE_DEEP = {20, 24, 31};
const Rgb SLATE = {36, 42, 52};
const Rgb SLATE_LIGHT = {74, 84, 100};
const Rgb STEEL = {132, 142, 156};
const Rgb EARTH_DARK = {54, 38, 27};
const Rgb EARTH = {110, 76, 48};
const Rgb DUST = {184, 146, 102};
const Rgb SAND = {220, 186, 136};
const Rgb RUST = {168, 66, 26};
const Rgb ORANGE = {255, 122, 20};
const Rgb AMBER = {255, 170, 36};
const Rgb YELLOW = {255, 214, 70};
const Rgb CREAM = {248, 238, 216};

// Where a drawing in model units lands on the picture: model (x, y) goes
// to at + scale x (x, y) rotated by `angle` (radians, clockwise on screen),
// mirrored left to right first when `mirror` is set.
struct Pose {
    Vertex at;
    double scale = 1;
    double angle = 0;
    bool mirror = false;
};
Vertex place(const Pose& pose, Vertex model);

// A rider standing on a motocross bike, facing right. Model units: wheels
// of radius 31, rear axle at (0, 0), front axle at (142, 0), the helmet
// top near y = -170.
void drawRiderOnBike(Mask& mask, const Pose& pose);

// A knobbly tyre's print along a path: chevron blocks `width` across,
// one every `pitch` pixels.
void drawTyreTrack(Mask& mask, const Contour& path, double width, double pitch);

// Streaks of speed: `count` horizontal tapered lines in the box, their
// thick end at the right.
void drawSpeedLines(Mask& mask, double x0, double y0, double x1, double y1, int count, double thickness,
                    uint64_t seed);

// A billowing cloud of dust: soft lumps inside the ellipse.
void drawDustCloud(Mask& mask, Vertex centre, double rx, double ry, uint32_t seed);

// Packed dirt: colour of the ground at (x, y), `period` > 0 for a tile.
Rgb earthAt(double x, double y, uint32_t seed, int period = 0);

} // namespace art
