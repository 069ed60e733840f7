// Lettering for the menu pictures, rasterised with FreeType from the
// packaged free bold face into coverage masks.
#pragma once
#include "bake/art_canvas.h"

#include <string>

namespace art {

struct TextStyle {
    double size = 16;     // pixels per em
    double slant = 0;     // forward lean: x += slant x height above the baseline
    double tracking = 0;  // extra pixels between letters
};

// False when the face cannot be opened; the lettering calls then draw
// nothing and measure 0.
bool openLettering();
// Releases the face; the next lettering call opens it again.
void closeLettering();
// Width of the text's pen run (advances, kerning and tracking).
double measureText(const std::string& text, const TextStyle& style);
// Adds the text's coverage with the left end of its baseline at (x, y).
void drawText(Mask& mask, const std::string& text, double x, double y, const TextStyle& style);
// Centred on x.
void drawTextCentred(Mask& mask, const std::string& text, double x, double y, const TextStyle& style);
// The largest size up to style.size whose text fits in `width`.
TextStyle fitText(const std::string& text, TextStyle style, double width);
// Height of a capital above the baseline at this size.
double capHeight(const TextStyle& style);

} // namespace art
