#include "tools/baked_art.h"

#include <set>
#include <string>

namespace {

const int MAIN_CELL = 26, SMALL_CELL = 18;

class BakedFontTest : public BakedArtTest {
protected:
    void loadBoth() {
        loadFont(picture("c_neopolitical.png"), 0, MAIN_CELL);
        loadFontWithBaseline(picture("c_neopolitical-s.png"), 1, SMALL_CELL, 7);
        ASSERT_NE(fontSlots[0], nullptr);
        ASSERT_NE(fontSlots[1], nullptr);
    }
    static int glyphCount(int slot) {
        int n = 0;
        for (int code = 0; code < FONT_CODES; code++) n += fontSlots[slot]->advance[code] != 0;
        return n;
    }
};

TEST_F(BakedFontTest, BothStripsGiveEveryPrintableCode) {
    loadBoth();
    EXPECT_TRUE(logged("Loaded 94 characters"));
    for (int slot = 0; slot < 2; slot++) {
        EXPECT_EQ(glyphCount(slot), 94) << slot;
        for (int code = '!'; code <= '~'; code++) EXPECT_GT(fontSlots[slot]->advance[code], 0) << slot << " " << code;
    }
    EXPECT_EQ(fontBaseline(0), 12);
    EXPECT_EQ(fontLineHeight(0), 16);
    EXPECT_EQ(fontBaseline(1), 7);
    EXPECT_EQ(fontLineHeight(1), 8);
}

// The strips are read through the brightness curve: at its darkest, faint
// ink vanishes, at its brightest faint ink turns bright. Neither may split
// or merge glyphs, or every later code would shift.
TEST_F(BakedFontTest, GlyphRunsSurviveEveryBrightness) {
    loadBoth();
    Font reference = *fontSlots[0];
    for (int level : {16, 240}) {
        setColorCurve(level);
        Surface* strip = picture("c_neopolitical.png");
        unloadFont(0);
        loadFont(strip, 0, MAIN_CELL);
        ASSERT_NE(fontSlots[0], nullptr);
        EXPECT_EQ(glyphCount(0), 94) << level;
        for (int code = '!'; code <= '~'; code++) {
            EXPECT_EQ(fontSlots[0]->glyphX[code], reference.glyphX[code]) << level << " " << (char)code;
            EXPECT_EQ(fontSlots[0]->advance[code], reference.advance[code]) << level << " " << (char)code;
        }
    }
}

// Lines of text drawn one line height + 1 apart (wrapped paragraphs) must
// not overlap, and ink must end inside the scanned rows of its band.
TEST_F(BakedFontTest, GlyphsFitTheirLines) {
    loadBoth();
    const int cells[2] = {MAIN_CELL, SMALL_CELL};
    for (int slot = 0; slot < 2; slot++) {
        const Font* f = fontSlots[slot];
        int highest = 1000, lowest = 0;
        for (int code = '!'; code <= '~'; code++) {
            EXPECT_LT(f->top[code], f->bottom[code]) << slot << " " << (char)code;
            EXPECT_LE(f->bottom[code], cells[slot] - 4) << slot << " " << (char)code;
            highest = std::min<int>(highest, f->top[code]);
            lowest = std::max<int>(lowest, f->bottom[code]);
        }
        EXPECT_LE(lowest - highest, fontLineHeight(slot) + 1) << slot;
    }
}

// textButton draws its text at centre y + (L - 2) / 4; capitals must sit
// in the middle of the button's face.
TEST_F(BakedFontTest, CapitalsSitCentredInAButton) {
    loadBoth();
    const int centre = 20, lineHeight = fontLineHeight(0);
    Surface* s = blank(200, 40);
    drawText(s, "HELMET", 10, centre + (lineHeight - 2) / 4, 0);
    Box ink = inkBox(s);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, centre, 1.0);
    int half = (lineHeight + 4) / 2;
    EXPECT_GT(ink.top, centre - half + 1);
    EXPECT_LT(ink.bottom, centre + half - 1);
    Color core = getPixel(s, ink.left + 1, centre);
    EXPECT_EQ(colorBlue(core), colorRed(core)); // additive white stays grey
    EXPECT_GE(colorBlue(core), 28);
}

// The control configuration puts small-font labels at band top + L1 in
// bands of 2 L1 - 3 rows.
TEST_F(BakedFontTest, SmallFontLabelsFitTheirRows) {
    loadBoth();
    const int l1 = fontLineHeight(1), band = 2 * l1 - 3;
    Surface* s = blank(300, 40);
    drawText(s, "Accelerate Brake Key Suspend", 0, 10 + l1, 1);
    Box ink = inkBox(s);
    EXPECT_GE(ink.top, 10);
    EXPECT_LT(ink.bottom, 10 + band);
    Surface* caps = blank(300, 40);
    drawText(caps, "CONTROL", 0, 10 + l1, 1);
    Box capitals = inkBox(caps);
    EXPECT_NEAR((capitals.top + capitals.bottom) / 2.0, 10 + (band - 1) / 2.0, 1.0);
}

TEST_F(BakedFontTest, SmallGridHoldsADistinctGlyphPerCode) {
    Surface* chars = picture("smallchars.png");
    Surface* saved = smallChars;
    smallChars = chars;
    std::set<std::vector<Color>> seen;
    for (int code = '!'; code <= '~'; code++) {
        Surface* s = blank(6, 6);
        char text[2] = {(char)code, 0};
        drawSmallText(s, text, 0, 0, 0xFFDF);
        std::vector<Color> cells;
        for (int y = 0; y < 6; y++)
            for (int x = 0; x < 6; x++) cells.push_back(getPixel(s, x, y));
        EXPECT_GT(setPixels(s, 0, 0, 6, 6), 0) << (char)code;
        EXPECT_EQ(setPixels(s, 5, 0, 1, 6), 0) << (char)code; // the column between letters
        EXPECT_TRUE(seen.insert(cells).second) << (char)code << " looks like another glyph";
    }
    // Outside the 6 x 6 blocks the grid of codes 1..127 is empty, so no
    // panel piece reaches into it.
    for (int y = 0; y < 4 * 11; y++)
        for (int x = 0; x < 32 * 7; x++) {
            int inCellX = x % 7, inCellY = y % 11;
            bool block = inCellX >= 1 && inCellY >= 3 && inCellY < 9;
            if (!block) {
                EXPECT_EQ(getPixel(chars, x, y), 0) << x << "," << y;
            }
        }
    // Bytes without a glyph of their own (above 127) show cell 0's box.
    Surface* s = blank(6, 6);
    drawSmallText(s, "\xE9", 0, 0, 0xFFDF);
    EXPECT_EQ(setPixels(s, 0, 0, 5, 5), 16);
    smallChars = saved;
}

} // namespace
