// Drawing into bake images: rectangles, antialiased shapes by supersampling,
// coverage stamps. Black (0, 0, 0) is what the game's transparent blits
// skip, so shapes that must show stay above it.
#pragma once
#include "bake/files.h"
#include "bake/typeface.h"

#include <functional>
#include <vector>

struct Vec2 {
    double x, y;
};

Rgb mixRgb(Rgb a, Rgb b, double t); // t = 0 gives a, 1 gives b
Rgb scaleRgb(Rgb c, double factor);
// The colour at (x, y) of a smooth fill, ordered-dithered to the 32 levels a
// picture keeps per channel, so gradients do not band.
Rgb ditherRgb(Rgb c, double x, double y);
void blendPixel(Image& image, int x, int y, Rgb colour, double alpha);
void fillRect(Image& image, int x, int y, int w, int h, Rgb colour);
// A one-pixel frame: top and left edges `light`, bottom and right `dark`.
void bevelRect(Image& image, int x, int y, int w, int h, Rgb light, Rgb dark);

// Paints the pixels of the box [x0, x1) x [y0, y1) covered by the shape
// (`inside` takes pixel coordinates, pixel centres at +0.5), blending the
// colour by the covered fraction of 4 x 4 samples.
using ShapeTest = std::function<bool(double, double)>;
using ShapeColour = std::function<Rgb(double, double)>;
void paintShape(Image& image, int x0, int y0, int x1, int y1, const ShapeTest& inside, const ShapeColour& colour);
void paintShape(Image& image, int x0, int y0, int x1, int y1, const ShapeTest& inside, Rgb colour);

bool insidePolygon(const std::vector<Vec2>& points, double x, double y);
// Inside a convex polygon (either winding) by at least `inset` pixels.
bool insideConvex(const std::vector<Vec2>& points, double inset, double x, double y);
bool insideDisc(double cx, double cy, double r, double x, double y);
bool nearSegment(Vec2 a, Vec2 b, double halfWidth, double x, double y);
bool insideRoundedRect(double x0, double y0, double x1, double y1, double radius, double x, double y);

// Shape masks: a shape's coverage over a w x h box, so plates can be
// outlined, shaded and bevelled from one description.
Coverage shapeMask(int w, int h, const ShapeTest& inside);
// The mask grown by `radius` pixels (for outlines and drop shadows).
Coverage growMask(const Coverage& mask, int radius);
void paintMask(Image& image, const Coverage& mask, int x, int y, const ShapeColour& colour);
void paintMask(Image& image, const Coverage& mask, int x, int y, Rgb colour);
// Lights the mask's pixels that face up or left onto open space and darkens
// those facing down or right: raised plates, and recessed holes in them.
void bevelMask(Image& image, const Coverage& mask, int x, int y, Rgb light, Rgb dark);

// Stamps coverage as colour, its top-left at (x, y).
void paintCoverage(Image& image, const Coverage& ink, int x, int y, Rgb colour);
// Text with a dark one-pixel halo so it reads on any ground; (x, y) is the
// left end of the baseline. Returns the text's width.
int paintLabel(Image& image, const TypeFace& face, int pixelSize, const std::string& text, int x, int y,
               Rgb colour, double slant = 0, int tracking = 0, Rgb halo = {8, 8, 8});
int labelWidth(const TypeFace& face, int pixelSize, const std::string& text, double slant = 0, int tracking = 0);
