// The two widgets every menu shares, drawn from scratch each frame: the
// bevelled text button, which also answers whether the pointer is over it,
// and the word-wrapped paragraph that can type itself in.
#pragma once
#include "gfx/surface.h"

enum ButtonStyle {
    BUTTON_NORMAL = 0,
    BUTTON_DISABLED = 1,
    BUTTON_HIT_TEST = 3, // nothing drawn: the input handlers' question
    BUTTON_LATCHED = 4,  // always drawn pressed, in inverted colours
};

// A button of font 0 text centred on (cx, cy). Returns 1 when the pointer
// is over it, whether or not the button is held.
int textButton(Surface* target, const char* text, int cx, int cy, int style);

// Lays the text out in lines between leftX and rightX from topY, each line
// centred, in the font of `slot`. Only `reveal` characters of each line are
// shown: odd lines grow from their left end, even lines from their right
// end. Returns the y just below the last line, whatever was shown.
int wrappedText(Surface* target, const char* text, int leftX, int topY, int rightX, int slot, int reveal);
