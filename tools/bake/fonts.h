// The font strips: glyph runs scanned by the game's font loader.
#pragma once
#include "bake/bake.h"

#include <string>

// Font strip geometry shared with the pictures that carry text.
const int mainCellHeight = 26;
const int mainLineHeight = mainCellHeight - 10;
const int mainReferenceRow = 12; // the row the game puts at the caller's y
const int mainCapitalTop = 3;    // capitals fill band rows 3 .. 14
const int mainCapitalBottom = 14;
const int smallCellHeight = 18;
const int smallReferenceRow = 7; // fixed by the game's loader call

bool bakeFontStrips(const BakeTarget& out);
// The width of a text in the main font as the game measures it (after
// bakeFontStrips has run).
int mainFontTextWidth(const std::string& text);
