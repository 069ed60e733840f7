#include "gfx/picture_fixture.h"

#include <png.h>

namespace {

class PngFileTest : public PictureTest {
protected:
    // Writes `name` and loads it as a colour picture into s.
    void load(const char* name, const PngLayout& layout, const std::vector<Bytes>& rows) {
        ASSERT_TRUE(writePng(path(name), layout, rows));
        destroySurface(&s);
        ASSERT_EQ(loadPng(path(name).c_str(), &s), 1);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->width, layout.width);
        ASSERT_EQ(s->height, layout.height);
    }
    void expectRow(int y, const std::vector<Color>& expected) {
        for (size_t x = 0; x < expected.size(); x++) EXPECT_EQ(getPixel(s, (int)x, y), expected[x]) << x << "," << y;
    }
};

TEST_F(PngFileTest, RgbColoursPassThroughTheCorrectionCurve) {
    for (int i = 0; i < 32; i++) colorCurve[i] = i;
    Bytes rgb = {255, 128, 8, 7, 128, 255, 64, 200, 33, 0, 0, 0, 255, 255, 255, 120, 60, 250};
    ASSERT_TRUE(writeRgbPng(path("rgb.png"), 3, 2, rgb));
    ASSERT_EQ(loadPng(path("rgb.png").c_str(), &s), 1);
    EXPECT_EQ(getPixel(s, 0, 0), packColor(31, 16, 1));
    EXPECT_EQ(getPixel(s, 1, 1), 0xFFDF);

    setColorCurve(200);
    destroySurface(&s);
    ASSERT_EQ(loadPng(path("rgb.png").c_str(), &s), 1);
    for (int j = 0; j < 2; j++)
        for (int i = 0; i < 3; i++) {
            const uint8_t* p = &rgb[(j * 3 + i) * 3];
            EXPECT_EQ(getPixel(s, i, j), colour(p[0], p[1], p[2])) << i << "," << j;
        }
    EXPECT_NE(getPixel(s, 1, 0), packColor(0, 16, 31)); // the curve did change it
}

TEST_F(PngFileTest, PaletteIndicesLookUpTheirEntries) {
    Bytes palette = {255, 0, 0, 0, 255, 0, 10, 20, 200};
    load("pal8.png", {4, 1, PNG_COLOR_TYPE_PALETTE, 8, palette, {}, false}, {{2, 0, 1, 2}});
    expectRow(0, {colour(10, 20, 200), colour(255, 0, 0), colour(0, 255, 0), colour(10, 20, 200)});
}

TEST_F(PngFileTest, TwoBitPaletteIsUnpacked) {
    Bytes palette = {0, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 255};
    // Rows 0 1 2 3 1 and 3 3 0 0 2, four pixels to a byte.
    load("pal2.png", {5, 2, PNG_COLOR_TYPE_PALETTE, 2, palette, {}, false}, {{0x1B, 0x40}, {0xF0, 0x80}});
    Color k = colour(0, 0, 0), r = colour(255, 0, 0), b = colour(0, 0, 255), w = colour(255, 255, 255);
    expectRow(0, {k, r, b, w, r});
    expectRow(1, {w, w, k, k, b});
}

TEST_F(PngFileTest, PaletteWithTransparencyKeepsItsColours) {
    Bytes palette = {10, 20, 30, 40, 50, 60};
    load("trns.png", {2, 1, PNG_COLOR_TYPE_PALETTE, 8, palette, {0, 255}, false}, {{0, 1}});
    expectRow(0, {colour(10, 20, 30), colour(40, 50, 60)});
}

TEST_F(PngFileTest, GreyLayoutsBecomeGreyColours) {
    auto grey = [](int v) { return colour(v, v, v); };
    load("g8.png", {3, 1, PNG_COLOR_TYPE_GRAY, 8, {}, {}, false}, {{0, 100, 255}});
    expectRow(0, {grey(0), grey(100), grey(255)});
    // 1 0 1 1 0 0 0 1 | 1
    load("g1.png", {9, 1, PNG_COLOR_TYPE_GRAY, 1, {}, {}, false}, {{0xB1, 0x80}});
    expectRow(0, {grey(255), grey(0), grey(255), grey(255), grey(0), grey(0), grey(0), grey(255), grey(255)});
    load("g4.png", {3, 1, PNG_COLOR_TYPE_GRAY, 4, {}, {}, false}, {{0x07, 0xF0}});
    expectRow(0, {grey(0), grey(0x77), grey(255)});
    load("ga8.png", {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {}, {}, false}, {{90, 0, 200, 255}});
    expectRow(0, {grey(90), grey(200)});
    load("g16.png", {2, 1, PNG_COLOR_TYPE_GRAY, 16, {}, {}, false}, {{0x12, 0x34, 0xFF, 0x00}});
    expectRow(0, {grey(0x12), grey(0xFF)});
}

TEST_F(PngFileTest, AlphaAndSixteenBitChannelsAreDropped) {
    load("rgba.png", {2, 1, PNG_COLOR_TYPE_RGBA, 8, {}, {}, false}, {{10, 20, 30, 0, 200, 100, 50, 128}});
    expectRow(0, {colour(10, 20, 30), colour(200, 100, 50)});
    load("rgb16.png", {1, 1, PNG_COLOR_TYPE_RGB, 16, {}, {}, false}, {{0xAB, 0x01, 0x0C, 0xFF, 0x80, 0x80}});
    expectRow(0, {colour(0xAB, 0x0C, 0x80)});
    load("rgba16.png", {1, 1, PNG_COLOR_TYPE_RGBA, 16, {}, {}, false}, {{0x40, 0, 0x50, 0, 0x60, 0, 0, 0}});
    expectRow(0, {colour(0x40, 0x50, 0x60)});
}

TEST_F(PngFileTest, InterlacedPictureMatchesItsPixels) {
    std::vector<Bytes> rows;
    for (int j = 0; j < 7; j++) {
        Bytes row;
        for (int i = 0; i < 9; i++) row.insert(row.end(), {(uint8_t)(i * 28), (uint8_t)(j * 36), (uint8_t)(i * j * 5)});
        rows.push_back(row);
    }
    load("adam7.png", {9, 7, PNG_COLOR_TYPE_RGB, 8, {}, {}, true}, rows);
    for (int j = 0; j < 7; j++)
        for (int i = 0; i < 9; i++) EXPECT_EQ(getPixel(s, i, j), colour(i * 28, j * 36, i * j * 5)) << i << "," << j;
}

TEST_F(PngFileTest, SuggestedPaletteOfAnRgbPictureIsNotUsed) {
    load("suggested.png", {2, 1, PNG_COLOR_TYPE_RGB, 8, {9, 9, 9, 99, 99, 99}, {}, false},
         {{0, 1, 2, 200, 210, 220}});
    expectRow(0, {colour(0, 1, 2), colour(200, 210, 220)});
}

TEST_F(PngFileTest, IndexBeyondThePaletteIsBlack) {
    load("short.png", {4, 1, PNG_COLOR_TYPE_PALETTE, 8, {200, 200, 200, 100, 0, 50}, {}, false}, {{1, 0, 2, 255}});
    expectRow(0, {colour(100, 0, 50), colour(200, 200, 200), 0, 0});
}

TEST_F(PngFileTest, LoadsInVerticalMemoryOrder) {
    applyOrientationGeometry(3);
    load("v.png", {3, 2, PNG_COLOR_TYPE_RGB, 8, {}, {}, false}, {{255, 0, 0, 0, 255, 0, 0, 0, 255}, {8, 8, 8, 16, 16, 16, 24, 24, 24}});
    EXPECT_EQ(s->vertical, 1);
    expectRow(0, {colour(255, 0, 0), colour(0, 255, 0), colour(0, 0, 255)});
    expectRow(1, {colour(8, 8, 8), colour(16, 16, 16), colour(24, 24, 24)});
}

TEST_F(PngFileTest, SmallerPictureIsCentredAndTheRestKept) {
    Color old = packColor(3, 4, 5);
    s = createSurface(8, 6);
    fillSurface(s, old);
    Bytes rgb;
    for (int n = 0; n < 9; n++) rgb.insert(rgb.end(), {(uint8_t)(n * 8), 255, 0});
    ASSERT_TRUE(writeRgbPng(path("c.png"), 3, 3, rgb));
    Surface* before = s;
    ASSERT_EQ(loadPng(path("c.png").c_str(), &s), 1);
    EXPECT_EQ(s, before);
    // halfWidth 4 - 3/2 = 3, halfHeight 3 - 3/2 = 2.
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++) {
            bool inside = x >= 3 && x < 6 && y >= 2 && y < 5;
            Color expected = inside ? colour(((y - 2) * 3 + x - 3) * 8, 255, 0) : old;
            EXPECT_EQ(getPixel(s, x, y), expected) << x << "," << y;
        }
}

TEST_F(PngFileTest, EvenPictureUsesIntegerHalvingAndLargerIsCropped) {
    Bytes rgb;
    for (int n = 0; n < 36; n++) rgb.insert(rgb.end(), {(uint8_t)(n * 7), 0, 0});
    ASSERT_TRUE(writeRgbPng(path("six.png"), 6, 6, rgb));
    s = createSurface(3, 3);
    ASSERT_EQ(loadPng(path("six.png").c_str(), &s), 1);
    // Left and top at 1 - 3 = -2: picture columns and rows 2..4 show.
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 3; x++) EXPECT_EQ(getPixel(s, x, y), colour(((y + 2) * 6 + x + 2) * 7, 0, 0));
    destroySurface(&s);

    s = createSurface(7, 5);
    ASSERT_TRUE(writeRgbPng(path("four.png"), 4, 2, Bytes(24, 255)));
    ASSERT_EQ(loadPng(path("four.png").c_str(), &s), 1);
    // Left 3 - 2 = 1, top 2 - 1 = 1.
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) {
            bool inside = x >= 1 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(getPixel(s, x, y), inside ? colour(255, 255, 255) : 0) << x << "," << y;
        }
}

TEST_F(PngFileTest, RawPictureKeepsTheBlueByte) {
    for (int i = 0; i < 32; i++) colorCurve[i] = 31 - i; // must not matter
    ASSERT_TRUE(writePng(path("h.png"), {3, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 2, 200, 9, 9, 7, 0, 0, 255}, {}, false},
                         {{0, 1, 2}}));
    ASSERT_EQ(loadRawPng("h.png", &s), 1);
    expectRow(0, {200, 7, 255});

    Surface* old = s;
    s = nullptr;
    ASSERT_TRUE(writeRgbPng(path("d.png"), 2, 1, {255, 255, 0, 0, 0, 131}));
    Surface* keep = createSurface(9, 9);
    s = keep;
    ASSERT_EQ(loadRawPng("d.png", &s), 1);
    EXPECT_NE(s, keep); // always a new surface of the picture's size
    EXPECT_EQ(s->width, 2);
    expectRow(0, {0, 131});
    EXPECT_TRUE(allPixels(keep, 0));
    destroySurface(&keep);
    destroySurface(&old);

    destroySurface(&s);
    ASSERT_TRUE(writePng(path("d16.png"), {2, 1, PNG_COLOR_TYPE_GRAY, 16, {}, {}, false}, {{0xFE, 0xFF, 0x01, 0x80}}));
    ASSERT_EQ(loadRawPng("d16.png", &s), 1);
    expectRow(0, {0xFE, 0x01});
}

TEST_F(PngFileTest, MissingRawPictureLeavesTheHandle) {
    s = createSurface(2, 2);
    Surface* before = s;
    EXPECT_EQ(loadRawPng("none.png", &s), 0);
    EXPECT_EQ(s, before);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PngFileTest, SideLimitIsInclusive) {
    Bytes row(16384, 77);
    load("wide.png", {16384, 1, PNG_COLOR_TYPE_GRAY, 8, {}, {}, false}, {row});
    EXPECT_EQ(getPixel(s, 16383, 0), colour(77, 77, 77));
    destroySurface(&s);
    row.push_back(77);
    ASSERT_TRUE(writePng(path("wider.png"), {16385, 1, PNG_COLOR_TYPE_GRAY, 8, {}, {}, false}, {row}));
    EXPECT_EQ(loadPng(path("wider.png").c_str(), &s), 0);
    EXPECT_EQ(s, nullptr);
}

} // namespace
