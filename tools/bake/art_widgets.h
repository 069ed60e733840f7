// Hardware drawn on the pictures: plates with bevelled rims, key caps,
// arrows and a mouse.
#pragma once
#include "bake/art_canvas.h"

namespace art {

// Paints the covered area as a raised plate: `face` shaded from top to
// bottom, the rim lit from the upper left over `rimWidth` pixels.
void paintPlate(Image& img, const Mask& shape, Rgb faceTop, Rgb faceBottom, double rimWidth);
// The same, sunken: the rim lit from the lower right.
void paintHollow(Image& img, const Mask& shape, Rgb faceTop, Rgb faceBottom, double rimWidth);

// A key cap with its label (text, or an arrow when `arrow` is 'U', 'D',
// 'L' or 'R'); the box is its outer edge.
void paintKeyCap(Image& img, double x0, double y0, double x1, double y1, const char* label, char arrow);
// A mouse seen from above, its buttons in their own colours.
void paintMouse(Image& img, double cx, double cy, double w, double h, Rgb left, Rgb right);
// An arrow head pointing `direction` ('U', 'D', 'L', 'R'), centred.
void fillArrow(Mask& mask, double cx, double cy, double size, char direction);

} // namespace art
