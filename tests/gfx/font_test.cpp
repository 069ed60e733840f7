#include "gfx/font.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

const Color WHITE = 0xFFDF;
const Color BACKGROUND = packColor(20, 5, 0);

class FontTest : public ::testing::Test {
protected:
    Surface* strip = nullptr;
    Surface* dst = nullptr;
    int savedThreshold;

    void SetUp() override {
        resetDisplayGeometry();
        savedThreshold = logThreshold;
        logThreshold = 1;
        clearLog();
    }
    void TearDown() override {
        for (int slot = 0; slot < FONT_SLOTS; slot++)
            if (fontSlots[slot]) unloadFont(slot);
        destroySurface(&strip);
        destroySurface(&dst);
        resetDisplayGeometry();
        logThreshold = savedThreshold;
        clearLog();
    }
    static void paint(Surface* s, int x0, int y0, int x1, int y1, Color c) {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) putPixel(s, x, y, c);
    }
    // Two bands of 16 rows (rows 13..15 of each are not scanned); the
    // reference mark at row 11. Glyphs, in order:
    //  '!' columns 2..4, rows 3..10, white but for a blue-10 pixel at (2, 3)
    //  '"' column 6 rows 5..7; column 7 rows 1..2 and 9..12
    //      (column 9 has ink only in the unscanned rows: no glyph)
    //  '#' column 11, only in row 12, the last scanned row
    //  '$' column 13 rows 4..6 in pure red (no blue, so nothing drawn)
    //  '%' columns 37..39, rows 0..2, touching the right edge
    //  '&' in the second band: columns 1..5, rows 18..20
    void makeStrip() {
        strip = createSurface(40, 32);
        putPixel(strip, 0, 11, WHITE);
        putPixel(strip, 0, 14, WHITE);
        paint(strip, 2, 3, 4, 10, WHITE);
        putPixel(strip, 2, 3, packColor(0, 0, 10));
        paint(strip, 6, 5, 6, 7, WHITE);
        paint(strip, 7, 1, 7, 2, WHITE);
        paint(strip, 7, 9, 7, 12, WHITE);
        paint(strip, 9, 13, 9, 15, WHITE);
        putPixel(strip, 11, 12, WHITE);
        paint(strip, 13, 4, 13, 6, packColor(31, 0, 0));
        paint(strip, 37, 0, 39, 2, WHITE);
        paint(strip, 1, 18, 5, 20, WHITE);
    }
    bool logged(const char* line) {
        for (int i = 0; i < LOG_LINES; i++)
            if (strncmp(logText[i], line, LOG_COLUMNS) == 0) return true;
        return false;
    }
    void makeTarget() {
        dst = createSurface(30, 30);
        fillSurface(dst, BACKGROUND);
    }
    int changedPixels() {
        int n = 0;
        for (int y = 0; y < dst->height; y++)
            for (int x = 0; x < dst->width; x++) n += getPixel(dst, x, y) != BACKGROUND;
        return n;
    }
};

TEST_F(FontTest, ScanFindsGlyphsInStripOrder) {
    makeStrip();
    loadFont(strip, 0, 16);
    const Font* f = fontSlots[0];
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(logged("Loaded 6 characters"));
    EXPECT_EQ(fontBaseline(0), 11);
    EXPECT_EQ(fontLineHeight(0), 6);
    struct Glyph {
        int x, y, advance, top, bottom;
    };
    const Glyph expected[] = {
        {2, 3, 3, 3, 11},  // '!'
        {6, 1, 2, 1, 8},   // '"': the run reaching row 12 does not end inside
        {11, 12, 1, 12, 1}, // '#': no run ends inside, so the end is row 1
        {13, 4, 1, 4, 7},  // '$'
        {37, 0, 2, 0, 3},  // '%': the last column is not counted
        {1, 18, 5, 2, 5},  // '&'
    };
    for (int i = 0; i < 6; i++) {
        int ch = '!' + i;
        EXPECT_EQ(f->glyphX[ch], expected[i].x) << (char)ch;
        EXPECT_EQ(f->glyphY[ch], expected[i].y) << (char)ch;
        EXPECT_EQ(f->advance[ch], expected[i].advance) << (char)ch;
        EXPECT_EQ(f->top[ch], expected[i].top) << (char)ch;
        EXPECT_EQ(f->bottom[ch], expected[i].bottom) << (char)ch;
    }
    EXPECT_EQ(f->advance['\''], 0);
    EXPECT_EQ(f->glyphX['\''], 0);
    EXPECT_EQ(f->strip, strip);
}

TEST_F(FontTest, GivenBaselineNeedsNoMark) {
    makeStrip();
    putPixel(strip, 0, 11, 0);
    putPixel(strip, 0, 14, 0);
    loadFont(strip, 0, 16);
    EXPECT_TRUE(logged("[ERROR] can't locate font refer"));
    ASSERT_NE(fontSlots[0], nullptr); // the incomplete record stays
    EXPECT_EQ(fontSlots[0]->advance['!'], 0);
    EXPECT_FALSE(logged("Loaded 6 characters"));

    loadFontWithBaseline(strip, 1, 16, 7);
    EXPECT_EQ(fontBaseline(1), 7);
    EXPECT_EQ(fontSlots[1]->advance['&'], 5);
    EXPECT_TRUE(logged("Loaded 6 characters"));
}

TEST_F(FontTest, MarkOutsideTheFirstBandIsNotFound) {
    strip = createSurface(10, 20);
    putPixel(strip, 0, 12, WHITE); // row 12 with cells of 12 rows: second band
    putPixel(strip, 3, 2, WHITE);
    loadFont(strip, 2, 12);
    EXPECT_TRUE(logged("[ERROR] can't locate font refer"));
    EXPECT_EQ(fontSlots[2]->advance['!'], 0);
}

TEST_F(FontTest, NinetyFourGlyphsFillCodesUpToTilde) {
    strip = createSurface(1 + 94 * 2, 12);
    putPixel(strip, 0, 0, WHITE);
    for (int i = 0; i < 94; i++) putPixel(strip, 1 + 2 * i, 4, WHITE);
    loadFont(strip, 0, 12);
    EXPECT_TRUE(logged("Loaded 94 characters"));
    EXPECT_EQ(fontSlots[0]->glyphX['~'], 187);
    EXPECT_EQ(fontSlots[0]->advance['~'], 1);
    EXPECT_EQ(fontSlots[0]->advance[127], 0);
}

TEST_F(FontTest, GlyphsBeyondCode223AreIgnored) {
    strip = createSurface(1 + 120 * 2, 24); // two bands of 120 glyphs
    putPixel(strip, 0, 0, WHITE);
    for (int band = 0; band < 2; band++)
        for (int i = 0; i < 120; i++) putPixel(strip, 1 + 2 * i, band * 12 + 3, WHITE);
    loadFont(strip, 0, 12);
    EXPECT_TRUE(logged("Loaded 191 characters"));
    // Code 223 is the 71st glyph of the second band.
    EXPECT_EQ(fontSlots[0]->glyphX[223], 1 + 2 * 70);
    EXPECT_EQ(fontSlots[0]->glyphY[223], 15);
    EXPECT_EQ(fontSlots[0]->top[223], 3);
}

TEST_F(FontTest, SlotMistakesAreLogged) {
    makeStrip();
    loadFont(strip, 0, 16);
    Font* first = fontSlots[0];
    loadFont(strip, 0, 20);
    EXPECT_TRUE(logged("[ERROR] font of this index alre"));
    EXPECT_EQ(fontSlots[0], first);
    EXPECT_EQ(fontLineHeight(0), 6);
    unloadFont(0);
    EXPECT_EQ(fontSlots[0], nullptr);
    unloadFont(0);
    EXPECT_TRUE(logged("[ERROR] font already unloaded."));
    loadFont(nullptr, 3, 16);
    EXPECT_TRUE(logged("[ERROR] font not loaded."));
    ASSERT_NE(fontSlots[3], nullptr);
    EXPECT_EQ(fontLineHeight(3), 6);
    clearLog();
    loadFont(strip, 2, 0); // no band height: refused rather than scanning forever
    EXPECT_TRUE(logged("[ERROR] font not loaded."));
    loadFont(strip, FONT_SLOTS, 16);
    loadFont(strip, -1, 16);
    EXPECT_EQ(textWidth("!", FONT_SLOTS), 1);
    setFontStrip(nullptr, 2);
    makeTarget();
    drawText(dst, "!!", 5, 20, 2); // a font without a strip draws nothing
    drawText(dst, "!!", 5, 20, 0); // nor does an empty slot
    EXPECT_EQ(changedPixels(), 0);
}

TEST_F(FontTest, TextWidthCountsAdvancesAndGaps) {
    makeStrip();
    loadFont(strip, 0, 16);
    // (1 + 3) + (4 + 1) + (1 + 2)
    EXPECT_EQ(textWidth("! \"", 0), 12);
    EXPECT_EQ(textWidth("\t", 0), 5);
    EXPECT_EQ(textWidth("z", 0), 1);
    EXPECT_EQ(textWidth("\xF0\xFF", 0), 2); // no glyph can sit there
    EXPECT_EQ(textWidth("", 0), 0);
}

TEST_F(FontTest, DrawTextAddsTheBlueIntensity) {
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    drawText(dst, "!", 5, 20, 0);
    // Top row 20 - 11 + 3 = 12; columns 5..7, rows 12..19.
    EXPECT_EQ(getPixel(dst, 5, 12), packColor(30, 15, 10));
    EXPECT_EQ(getPixel(dst, 6, 12), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 7, 19), packColor(31, 31, 31));
    EXPECT_EQ(changedPixels(), 24);
    EXPECT_EQ(getPixel(dst, 5, 11), BACKGROUND);
    EXPECT_EQ(getPixel(dst, 8, 12), BACKGROUND);
}

TEST_F(FontTest, PenAdvancesAndGlyphsSitOnTheBaseline) {
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    drawText(dst, "!\" \t!$#z&", 0, 20, 0);
    // '"' at pen 4, its rows 1..7 from row 20 - 11 + 1 = 10.
    EXPECT_EQ(getPixel(dst, 4, 14), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 4, 13), BACKGROUND);
    EXPECT_EQ(getPixel(dst, 5, 10), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 5, 12), BACKGROUND);
    // ' ' 5, '\t' 5, so the second '!' at 7 + 10 = 17; '$' (red, nothing
    // drawn) and '#' (no rows) take 2 each; 'z' 1; '&' at 26, row 20 - 11 + 2,
    // its fifth column off the edge.
    EXPECT_EQ(getPixel(dst, 17, 12), packColor(30, 15, 10));
    EXPECT_EQ(getPixel(dst, 16, 12), BACKGROUND);
    EXPECT_EQ(getPixel(dst, 26, 11), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 29, 13), packColor(31, 31, 31));
    EXPECT_EQ(changedPixels(), 24 + 5 + 24 + 4 * 3);
}

TEST_F(FontTest, FadedTextFollowsTheLevel) {
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    drawTextFaded(dst, "!", 5, 20, 0, 0);
    drawTextFaded(dst, "!", 5, 20, 0, 7);
    EXPECT_EQ(changedPixels(), 0);
    drawTextFaded(dst, "!", 5, 20, 0, 128); // adds v - 15
    EXPECT_EQ(getPixel(dst, 5, 12), BACKGROUND);
    EXPECT_EQ(getPixel(dst, 6, 12), packColor(31, 21, 16));
    fillSurface(dst, BACKGROUND);
    drawTextFaded(dst, "!", 5, 20, 0, 255);
    EXPECT_EQ(getPixel(dst, 5, 12), packColor(30, 15, 10));
    EXPECT_EQ(getPixel(dst, 6, 12), packColor(31, 31, 31));
}

TEST_F(FontTest, ColouredTextBlendsByIntensity) {
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    drawTextColored(dst, "!", 5, 20, 0, packColor(0, 31, 0));
    EXPECT_EQ(getPixel(dst, 6, 12), packColor(0, 30, 0));  // weight 248
    EXPECT_EQ(getPixel(dst, 5, 12), packColor(13, 13, 0)); // weight 80
    EXPECT_EQ(changedPixels(), 24);
}

TEST_F(FontTest, TextOffTheEdgesIsClipped) {
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    drawText(dst, "&!", -3, 9, 0); // '&' rows at 9 - 11 + 2 = 0
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 1, 2), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 2, 0), BACKGROUND);
    // '!' at pen 3, rows 1..8.
    EXPECT_EQ(changedPixels(), 2 * 3 + 24);
    // Rows 27..34, so three rows show, of columns 20..22, 24..26, 28..29.
    drawText(dst, "!!!!!!!!!!", 20, 35, 0);
    drawTextColored(dst, "!!!!!", -40, 5, 0, 0);
    EXPECT_EQ(changedPixels(), 2 * 3 + 24 + (3 + 3 + 2) * 3);
}

TEST_F(FontTest, EveryMemoryOrderDrawsTheSameText) {
    applyOrientationGeometry(2);
    makeStrip();
    loadFont(strip, 0, 16);
    makeTarget();
    EXPECT_EQ(dst->xStep, -1);
    drawText(dst, "!\"", 5, 20, 0);
    EXPECT_EQ(getPixel(dst, 5, 12), packColor(30, 15, 10));
    EXPECT_EQ(getPixel(dst, 9, 14), packColor(31, 31, 31));
    EXPECT_EQ(changedPixels(), 24 + 5);
}

class SmallFontTest : public FontTest {
protected:
    Surface* savedSmallChars;
    Surface* savedFramebuffer;
    void SetUp() override {
        FontTest::SetUp();
        savedSmallChars = smallChars;
        savedFramebuffer = framebuffer;
        smallChars = createSurface(224, 44);
        framebuffer = nullptr;
        // 'A' is cell 64: column 0 of the third cell row, glyph at (1, 25).
        putPixel(smallChars, 1, 25, WHITE);
        putPixel(smallChars, 3, 27, 1);
        putPixel(smallChars, 6, 30, WHITE);
        putPixel(smallChars, 0, 25, WHITE); // outside the 6 x 6 block
        putPixel(smallChars, 7, 25, WHITE); // the next cell's spare column
        putPixel(smallChars, 1, 31, WHITE); // below the block
        putPixel(smallChars, 2, 4, WHITE);  // cell 0
        putPixel(smallChars, 4, 14, WHITE); // '!' (cell 32)
    }
    void TearDown() override {
        destroySurface(&smallChars);
        destroySurface(&framebuffer);
        smallChars = savedSmallChars;
        framebuffer = savedFramebuffer;
        FontTest::TearDown();
    }
};

TEST_F(SmallFontTest, GlyphsComeFromTheirCells) {
    makeTarget();
    Color c = packColor(1, 2, 3);
    drawSmallText(dst, "A A\x80!", 10, 20, c);
    for (int x : {10, 22}) {
        EXPECT_EQ(getPixel(dst, x, 20), c);
        EXPECT_EQ(getPixel(dst, x + 2, 22), c);
        EXPECT_EQ(getPixel(dst, x + 5, 25), c);
    }
    EXPECT_EQ(getPixel(dst, 29, 21), c); // code -128 uses cell 0
    EXPECT_EQ(changedPixels(), 3 + 3 + 1); // '!' at 34 is off the right edge
    fillSurface(dst, BACKGROUND);
    drawSmallText(dst, "\x01!", 0, 0, c);
    EXPECT_EQ(getPixel(dst, 1, 1), c);
    EXPECT_EQ(getPixel(dst, 9, 0), c);
    EXPECT_EQ(changedPixels(), 2);
}

TEST_F(SmallFontTest, BlendedSmallTextWeighsTheColour) {
    makeTarget();
    drawSmallTextBlended(dst, "A", -1, 0, packColor(31, 31, 31), 80);
    // (31 * 80 + d * 175) >> 8 per component
    Color expected = packColor((31 * 80 + 20 * 175) >> 8, (31 * 80 + 5 * 175) >> 8, (31 * 80) >> 8);
    EXPECT_EQ(getPixel(dst, 1, 2), expected);
    EXPECT_EQ(getPixel(dst, 4, 5), expected);
    EXPECT_EQ(changedPixels(), 2); // the pixel at column -1 is dropped
}

TEST_F(SmallFontTest, DebugTextUsesTheBasicColours) {
    buildBasicColours();
    drawDebugText("A", 0, 0, 6); // no framebuffer yet: nothing happens
    framebuffer = createSurface(20, 10);
    drawDebugText("A", 0, 0, 6);
    EXPECT_EQ(getPixel(framebuffer, 0, 0), packColor(31, 0, 0));
    drawDebugText("A", 6, 0, 42);
    EXPECT_EQ(getPixel(framebuffer, 6, 0), packColor(31, 31, 31));
    drawDebugText("A", 12, 0, 2);
    EXPECT_EQ(getPixel(framebuffer, 17, 5), packColor(0, 31, 31));
}

} // namespace
