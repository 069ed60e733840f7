// The debug overlay's pixel font: 5 x 6 bitmaps drawn in 6 x 6 cells.
#pragma once

// Rows 0..5 of the glyph for a code (32..126; 1 gives the box shown for
// codes without a glyph), '#' for ink; null when the code has none.
const char* const* debugGlyph(int code);
const int debugGlyphWidth = 5, debugGlyphHeight = 6;
