#include "gfx/draw.h"
#include "shell/display.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

typedef std::set<std::pair<int, int>> Points;

struct DrawTest : ::testing::Test {
    Surface* s = nullptr;
    void SetUp() override { resetDisplayGeometry(); }
    void TearDown() override {
        destroySurface(&s);
        resetDisplayGeometry();
    }
    Points lit(Color background = 0) {
        Points points;
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++)
                if (getPixel(s, x, y) != background) points.insert({x, y});
        return points;
    }
    Points line(int x0, int y0, int x1, int y1) {
        fillSurface(s, 0);
        drawLine(s, x0, y0, x1, y1, 0xFFFF);
        return lit();
    }
};

TEST_F(DrawTest, LineDirectionsCoverDifferentPixels) {
    s = createSurface(8, 8);
    EXPECT_EQ(line(0, 0, 4, 2), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(line(4, 2, 0, 0), (Points{{4, 2}, {3, 2}, {2, 1}, {1, 1}, {0, 0}}));
    EXPECT_EQ(line(0, 0, 2, 4), (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
}

TEST_F(DrawTest, SinglePointAndDiagonals) {
    s = createSurface(8, 8);
    EXPECT_EQ(line(3, 5, 3, 5), (Points{{3, 5}}));
    EXPECT_EQ(line(1, 1, 5, 5), (Points{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));
    EXPECT_EQ(line(5, 1, 1, 5), (Points{{5, 1}, {4, 2}, {3, 3}, {2, 4}, {1, 5}}));
    EXPECT_EQ(line(2, 6, 2, 3), (Points{{2, 3}, {2, 4}, {2, 5}, {2, 6}}));
}

TEST_F(DrawTest, PointsOutsideAreSkippedNotClipped) {
    s = createSurface(5, 10);
    Points expected;
    for (int x = 0; x < 5; x++) expected.insert({x, 5});
    EXPECT_EQ(line(-10, 5, 10, 5), expected);
    // A diagonal that starts far off the surface shows only its visible end.
    EXPECT_EQ(line(-100, -100, 4, 4), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_EQ(line(-3, 20, 30, 40), Points{});
}

TEST_F(DrawTest, VerticalMemoryOrderPlotsTheSameLogicalPixels) {
    applyOrientationGeometry(2);
    s = createSurface(8, 6);
    EXPECT_EQ(line(0, 0, 4, 2), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    applyOrientationGeometry(1);
    Surface* v = createSurface(8, 6);
    drawLine(v, 7, 5, 0, 0, 0xFFFF);
    std::swap(s, v);
    EXPECT_EQ(lit().size(), 8u);
    EXPECT_EQ(getPixel(s, 7, 5), 0xFFFF);
    EXPECT_EQ(getPixel(s, 0, 0), 0xFFFF);
    destroySurface(&v);
}

TEST_F(DrawTest, BlendPixelWeighsTheOldPixel) {
    s = createSurface(3, 3);
    putPixel(s, 1, 1, packColor(31, 31, 31));
    blendPixel(s, 1, 1, 0, 255);
    EXPECT_EQ(getPixel(s, 1, 1), packColor(30, 30, 30));
    putPixel(s, 2, 0, packColor(31, 0, 10));
    blendPixel(s, 2, 0, packColor(0, 31, 20), 100);
    EXPECT_EQ(getPixel(s, 2, 0), packColor(12, 18, 16));
    blendPixel(s, -1, 0, 0xFFFF, 0);
    blendPixel(s, 3, 0, 0xFFFF, 0);
    EXPECT_EQ(lit().size(), 2u);
}

TEST_F(DrawTest, BlendedLineBlendsTheLinePointsOnly) {
    s = createSurface(6, 4);
    Color grey = packColor(20, 10, 4);
    fillSurface(s, grey);
    drawBlendedLine(s, -2, -1, 4, 2, packColor(0, 31, 31), 128);
    Color blended = packColor((20 * 128) >> 8, (10 * 128 + 31 * 127) >> 8, (4 * 128 + 31 * 127) >> 8);
    // (-2,-1)..(4,2): the same stepping as drawLine, with the outside points skipped.
    Surface* plain = createSurface(6, 4);
    drawLine(plain, -2, -1, 4, 2, 1);
    int count = 0;
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++) {
            bool onLine = getPixel(plain, x, y) == 1;
            count += onLine;
            EXPECT_EQ(getPixel(s, x, y), onLine ? blended : grey) << x << "," << y;
        }
    EXPECT_EQ(count, 5);
    destroySurface(&plain);
}

TEST_F(DrawTest, SmoothingWithFullWeightsOnlyDarkens) {
    s = createSurface(2, 2);
    Surface* src = createSurface(2, 2);
    putPixel(src, 0, 0, packColor(31, 0, 0));
    putPixel(src, 1, 0, packColor(0, 31, 0));
    putPixel(src, 0, 1, packColor(0, 0, 31));
    putPixel(src, 1, 1, packColor(31, 31, 31));
    smoothSurface(s, src, 255, 255);
    EXPECT_EQ(getPixel(s, 0, 0), packColor(29, 0, 0));
    EXPECT_EQ(getPixel(s, 1, 0), packColor(0, 29, 0));
    EXPECT_EQ(getPixel(s, 0, 1), packColor(0, 0, 29));
    EXPECT_EQ(getPixel(s, 1, 1), packColor(29, 29, 29));
    destroySurface(&src);
}

TEST_F(DrawTest, SmoothingWrapsAroundTheEdges) {
    Surface* src = createSurface(1, 3);
    putPixel(src, 0, 0, packColor(31, 0, 16));
    putPixel(src, 0, 1, packColor(0, 31, 8));
    putPixel(src, 0, 2, packColor(2, 2, 2));
    s = createSurface(1, 2); // smaller: the third row is dropped
    smoothSurface(s, src, 128, 128);
    // Row 0 blends with row 1 (both first halved by the pixel's own right
    // neighbour, which is itself on a one-pixel-wide picture).
    EXPECT_EQ(getPixel(s, 0, 0), packColor(15, 14, 10));
    EXPECT_EQ(getPixel(s, 0, 1), packColor(0, 15, 3));
    destroySurface(&s);
    s = createSurface(3, 3);
    smoothSurface(s, src, 0, 0);
    // Weight 0 takes the lower-right neighbour (scaled by 255/256 twice),
    // wrapping from row 2 to row 0.
    EXPECT_EQ(getPixel(s, 0, 2), packColor(29, 0, 14));
    EXPECT_EQ(getPixel(s, 0, 0), packColor(0, 29, 6));
    EXPECT_EQ(getPixel(s, 1, 0), 0);
    destroySurface(&src);
}

} // namespace
