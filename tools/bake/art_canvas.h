// Painting the menu pictures: antialiased coverage masks built from
// outlines, mask operations for outlines, glows and shadows, and painting
// a mask onto a picture in a colour or a colour field.
#pragma once
#include "bake/files.h"

#include <functional>
#include <string>
#include <vector>

namespace art {

struct Vertex {
    double x, y;
};
using Contour = std::vector<Vertex>;

// Coverage 0..1 per pixel.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> a;
    Mask() = default;
    Mask(int w, int h) : width(w), height(h), a((size_t)w * h, 0.0f) {}
    float at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? a[(size_t)y * width + x] : 0.0f;
    }
};

// The smallest box holding every covered pixel, grown by `margin` and
// kept inside the mask; empty (x1 < x0) when nothing is covered.
struct Box {
    int x0, y0, x1, y1; // inclusive
};
Box coveredBox(const Mask& mask, int margin = 0);

// Adds the area inside the contours (non-zero winding over all of them
// together) to the mask; overlapping shapes from separate calls unite.
void fillPath(Mask& mask, const std::vector<Contour>& contours);
void fillPolygon(Mask& mask, const Contour& contour);
void fillCircle(Mask& mask, Vertex centre, double radius);
void fillRing(Mask& mask, Vertex centre, double inner, double outer);
void fillEllipse(Mask& mask, Vertex centre, double rx, double ry, double angle);
// A thick line with round ends.
void fillCapsule(Mask& mask, Vertex a, Vertex b, double radius);
// The same along a polyline, the radius going linearly from r0 to r1.
void fillStroke(Mask& mask, const Contour& line, double r0, double r1);
void fillRoundedRect(Mask& mask, double x0, double y0, double x1, double y1, double radius);

Contour circleContour(Vertex centre, double radius);
Contour ellipseContour(Vertex centre, double rx, double ry, double angle);
Contour roundedRectContour(double x0, double y0, double x1, double y1, double radius);

Mask dilated(const Mask& mask, double radius);
Mask blurred(const Mask& mask, int radius); // three box passes
Mask shifted(const Mask& mask, int dx, int dy);
void cutAway(Mask& mask, const Mask& cut);  // keeps what `cut` does not cover
void keepOnly(Mask& mask, const Mask& keep); // keeps what `keep` covers
void scaleMask(Mask& mask, float factor);

Rgb mix(Rgb a, Rgb b, double t); // t = 0 gives a
Rgb scaled(Rgb c, double factor);
struct Stop {
    double at;
    Rgb colour;
};
// The colour at t along stops sorted by `at`.
Rgb ramp(const std::vector<Stop>& stops, double t);

using ColourField = std::function<Rgb(int x, int y)>;
void paint(Image& image, const Mask& mask, Rgb colour, double opacity = 1.0);
void paint(Image& image, const Mask& mask, const ColourField& colour, double opacity = 1.0);
// Every pixel from the field.
void fill(Image& image, const ColourField& colour);
// Brightens (amount > 0) or darkens each covered pixel by amount x coverage.
void shade(Image& image, const Mask& mask, double amount);

// The slope light of a raised shape: positive where its rim faces the
// light from the upper left, negative on the far side, 0 on flat parts.
// `softness` is the blur radius that rounds the rim.
std::vector<float> rimLight(const Mask& mask, int softness);

// The game's transparent blits skip pixels that are black in 5 bits per
// channel; lifts such pixels to the darkest colour that still shows.
// `where` limits the lift to covered pixels when given.
void keepOffTransparent(Image& image, const Mask* where = nullptr);
// The lift for one colour.
Rgb offTransparent(Rgb c);

// The game keeps 5 bits per channel: each channel is rounded to one of
// its 32 levels with a 4 x 4 ordered dither, so smooth shading does not
// band. Black stays black (the transparent colour) and nothing else
// becomes black.
void ditherToScreenLevels(Image& image);
// Dithers and writes a colour PNG.
bool writeScreenPng(const std::string& path, Image image);

} // namespace art
