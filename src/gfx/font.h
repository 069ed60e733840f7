// Bitmap fonts scanned from picture strips, and the fixed-grid small font
// of the picture smallChars.
#pragma once
#include "gfx/surface.h"

#include <cstdint>

const int FONT_CODES = 224; // codes 33..223 can hold glyphs
const int FONT_SLOTS = 4;   // the game uses 0 (main) and 1 (small screens)

struct Font {
    Surface* strip;     // not owned
    uint8_t baseline;   // row within a band that lands on the caller's y
    uint8_t lineHeight; // cell height - 10
    uint16_t glyphX[FONT_CODES];  // strip column of the glyph's left edge
    uint16_t glyphY[FONT_CODES];  // strip row of its topmost ink
    uint16_t advance[FONT_CODES]; // width of its run of inked columns
    uint16_t bottom[FONT_CODES];  // end row (exclusive), relative to the band
    uint16_t top[FONT_CODES];     // first row, relative to the band
};

extern Font* fontSlots[FONT_SLOTS];

// Scans the strip in bands of cellHeight rows; the baseline is the first
// row marked in column 0 of the first band.
void loadFont(Surface* strip, int slot, int cellHeight);
void loadFontWithBaseline(Surface* strip, int slot, int cellHeight, int baseline);
void unloadFont(int slot);
// After the strip picture was reloaded.
void setFontStrip(Surface* strip, int slot);
int fontBaseline(int slot);
int fontLineHeight(int slot);
int textWidth(const char* text, int slot);

// Strip pixels give an intensity v (their blue component, 0..31).
// Additive white: each component + v, saturating.
void drawText(Surface* dst, const char* text, int x, int y, int slot);
void drawTextDefault(Surface* dst, const char* text, int x, int y);
// Adds v + level / 8 - 31 (never less than 0): 255 is about full strength.
void drawTextFaded(Surface* dst, const char* text, int x, int y, int slot, int level);
// Blends toward the colour with weight v * 8.
void drawTextColored(Surface* dst, const char* text, int x, int y, int slot, Color colour);

// The small font: 6 x 6 glyphs, 6 pixels apart, top-left at (x, y).
const int SMALL_TEXT_ADVANCE = 6;
void drawSmallText(Surface* dst, const char* text, int x, int y, Color colour);
// w (0..255) is the weight of the colour.
void drawSmallTextBlended(Surface* dst, const char* text, int x, int y, Color colour, int w);
// Small text into the framebuffer in basicColours[colourIndex].
void drawDebugText(const char* text, int x, int y, int colourIndex);
