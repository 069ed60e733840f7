#include "gfx/surface.h"
#include "shell/display.h"

#include <gtest/gtest.h>
#include <set>

class SurfaceOrientation : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override { resetDisplayGeometry(); }
};

// Every logical pixel lands on its own element inside the buffer, and
// (0, 0) is the logical top-left whatever the step signs.
TEST_P(SurfaceOrientation, AddressingCoversTheBufferExactlyOnce) {
    applyOrientationGeometry(GetParam());
    const int w = 7, h = 5;
    Surface* s = createSurface(w, h);
    std::set<long> offsets;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            long offset = pixelAddress(s, x, y) - s->pixels;
            ASSERT_GE(offset, 0);
            ASSERT_LT(offset, w * h);
            offsets.insert(offset);
            putPixel(s, x, y, (Color)(y * w + x + 1));
        }
    EXPECT_EQ(offsets.size(), (size_t)(w * h));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) EXPECT_EQ(getPixel(s, x, y), y * w + x + 1);
    EXPECT_EQ(getPixel(s, -1, 0), 0);
    EXPECT_EQ(getPixel(s, w, 0), 0);
    EXPECT_EQ(getPixel(s, 0, h), 0);
    putPixel(s, -1, -1, 0xFFFF); // dropped
    putPixel(s, w, h, 0xFFFF);
    EXPECT_EQ(s->vertical, displayGeometry.memoryVertical);
    destroySurface(&s);
    EXPECT_EQ(s, nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllOrientations, SurfaceOrientation, ::testing::Values(0, 1, 2, 3));

TEST(Surface, FramebufferMemoryIsDisplayOrderInEveryOrientation) {
    // Orientation 1: logical x runs down the display, logical y leftward.
    applyOrientationGeometry(1);
    Surface* s = createSurface(480, 640);
    putPixel(s, 3, 0, 0x1234);
    EXPECT_EQ(s->pixels[3 * 640 + 639], 0x1234);
    destroySurface(&s);
    applyOrientationGeometry(2);
    s = createSurface(640, 480);
    putPixel(s, 0, 0, 0x4321);
    EXPECT_EQ(s->pixels[640 * 480 - 1], 0x4321);
    destroySurface(&s);
    resetDisplayGeometry();
}

TEST(Surface, OneByOneHasZeroHalves) {
    resetDisplayGeometry();
    Surface* s = createSurface(1, 1);
    EXPECT_EQ(s->halfWidth, 0);
    EXPECT_EQ(s->halfHeight, 0);
    destroySurface(&s);
}

TEST(SurfaceDeathTest, ImpossibleSizeEndsWithStatusOne) {
    EXPECT_EXIT(createSurface(1 << 20, 1 << 20), ::testing::ExitedWithCode(1), "Unable to make Surface");
    EXPECT_EXIT(createSurface(-4, 4), ::testing::ExitedWithCode(1), "Unable to make Surface");
}

TEST(Colour, PackingAndArithmetic) {
    EXPECT_EQ(packColor(31, 31, 31), 0xFFDF);
    EXPECT_EQ(packColor(31, 0, 0), 0xF800);
    EXPECT_EQ(packColor(0, 31, 0), 0x07C0);
    EXPECT_EQ(brightenColor(packColor(30, 0, 5), 3), packColor(31, 3, 8));
    EXPECT_EQ(brightenColor(packColor(30, 0, 5), -3), packColor(30, 0, 5));
    EXPECT_EQ(darkenColor(packColor(2, 10, 31), 5), packColor(0, 5, 26));
    EXPECT_EQ(darkenColor(packColor(2, 10, 31), -5), packColor(2, 10, 31));
    EXPECT_EQ(blendColors(packColor(31, 31, 31), 0, 255), packColor(30, 30, 30));
    EXPECT_EQ(blendColors(0, packColor(31, 16, 8), 0), packColor(30, 15, 7));
    EXPECT_EQ(blendColors(packColor(31, 0, 0), packColor(0, 0, 31), 128), packColor(15, 0, 15));
    int r, g, b;
    unpackColor(0xFFFF, &r, &g, &b);
    EXPECT_EQ(r, 31);
    EXPECT_EQ(g, 31);
    EXPECT_EQ(b, 31) << "bit 5 is ignored";
}

TEST(Colour, PixelAdjustersSaturate) {
    resetDisplayGeometry();
    Surface* s = createSurface(2, 2);
    putPixel(s, 1, 1, packColor(29, 0, 4));
    brightenPixel(s, 1, 1, 5);
    EXPECT_EQ(getPixel(s, 1, 1), packColor(31, 5, 9));
    darkenPixel(s, 1, 1, 6);
    EXPECT_EQ(getPixel(s, 1, 1), packColor(25, 0, 3));
    brightenPixel(s, 5, 5, 5); // outside: nothing
    destroySurface(&s);
}

TEST(Colour, CurveLevels) {
    setColorCurve(16);
    const int at16[32] = {0, 0, 0, 0, 0, 1, 1, 1, 2, 3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15,
                          16, 17, 19, 20, 22, 23, 25, 27, 29, 31};
    for (int i = 0; i < 32; i++) EXPECT_EQ(colorCurve[i], at16[i]) << i;
    setColorCurve(128);
    EXPECT_EQ(colorCurveLevel(), 128);
    EXPECT_EQ(colorCurve[0], 0);
    EXPECT_EQ(colorCurve[16], 16);
    EXPECT_EQ(colorCurve[27], 26);
    EXPECT_EQ(colorCurve[31], 31);
    EXPECT_EQ(packCorrected(31, 31, 31), 0xFFDF);
    setColorCurve(255);
    EXPECT_EQ(colorCurve[0], 0);
    EXPECT_EQ(colorCurve[1], 30);
    EXPECT_EQ(colorCurve[31], 31);
    setColorCurve(5);
    EXPECT_EQ(colorCurveLevel(), 16);
    setColorCurve(128);
}

TEST(Colour, BasicColours) {
    buildBasicColours();
    EXPECT_EQ(basicColours[0], 0xFFDF);
    EXPECT_EQ(basicColours[1], packColor(31, 31, 0));
    EXPECT_EQ(basicColours[6], 0xF800);
}
