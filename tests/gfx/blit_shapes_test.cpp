// Half-size blits, the rotated copy, centring and tiling.
#include "blit_reference.h"
#include "gfx/blit.h"
#include "shell/display.h"

#include <gtest/gtest.h>

namespace {

class ShapeTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { applyOrientationGeometry(GetParam()); }
    void TearDown() override { resetDisplayGeometry(); }
};

TEST_P(ShapeTest, HalfSizeMatchesReferenceAtEveryEdge) {
    std::mt19937 rng(21);
    Surface* src = randomSurface(25, 19, rng);
    Surface* background = randomSurface(30, 22, rng, 1000);
    const int cases[][6] = {
        {2, 3, 25, 19, 0, 0},   {0, 0, 8, 6, 3, 4},       {-4, -3, 25, 19, 0, 0},  {20, 15, 25, 19, 0, 0},
        {2, 2, 25, 19, -5, -3}, {2, 2, 40, 40, 6, 5},     {-12, 0, 25, 19, 0, 0},  {30, 0, 25, 19, 0, 0},
        {0, 22, 25, 19, 0, 0},  {0, -9, 25, 19, 0, 0},    {3, 3, 2, 19, 0, 0},     {3, 3, 3, 3, 0, 0},
        {3, 3, 0, -5, 0, 0},    {-2000000000, 0, 2147483647, 19, 0, 0}, {29, 21, 25, 19, 24, 18}};
    for (bool mirrored : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << (mirrored ? "mirrored " : "") << "at " << c[0] << "," << c[1]
                                              << " size " << c[2] << "x" << c[3] << " from " << c[4] << "," << c[5]);
            Surface* got = copyOf(background);
            Surface* want = copyOf(background);
            drawSprite(got, c[0], c[1], c[2], c[3], src, c[4], c[5],
                       mirrored ? BLIT_HALF_SIZE_MIRRORED : BLIT_HALF_SIZE);
            referenceHalfSize(want, c[0], c[1], c[2], c[3], src, c[4], c[5], mirrored);
            EXPECT_EQ(firstDifference(got, want), -1);
            destroySurface(&got);
            destroySurface(&want);
        }
    destroySurface(&src);
    destroySurface(&background);
}

// A 7 x 5 sprite: w' = 6, h' = 4, so 3 x 2 output pixels. Each is tested
// at an even source position and takes the value two further along the
// memory run (across in rows, down in columns).
TEST_P(ShapeTest, HalfSizePicksTheNextSampleAlongMemory) {
    Surface* src = createSurface(7, 5);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) putPixel(src, x, y, (Color)(10 * y + x + 1));
    putPixel(src, 0, 0, 0); // output (0, 0) stays as it was
    Surface* dst = createSurface(8, 4);
    fillSurface(dst, 0x7777);
    drawSprite(dst, 1, 1, 7, 5, src, 0, 0, BLIT_HALF_SIZE);
    bool rows = !src->vertical;
    auto expected = [&](int k, int i) { return (Color)(rows ? 10 * 2 * i + 2 * k + 3 : 10 * (2 * i + 2) + 2 * k + 1); };
    EXPECT_EQ(getPixel(dst, 1, 1), 0x7777);
    EXPECT_EQ(getPixel(dst, 2, 1), expected(1, 0));
    EXPECT_EQ(getPixel(dst, 3, 1), expected(2, 0));
    EXPECT_EQ(getPixel(dst, 1, 2), expected(0, 1));
    EXPECT_EQ(getPixel(dst, 3, 2), expected(2, 1));
    EXPECT_EQ(getPixel(dst, 4, 1), 0x7777);
    EXPECT_EQ(getPixel(dst, 1, 3), 0x7777);
    // Mirrored, output k lands at dx + w' - 1 - k: anchored at the right.
    fillSurface(dst, 0x7777);
    drawSprite(dst, 1, 1, 7, 5, src, 0, 0, BLIT_HALF_SIZE_MIRRORED);
    EXPECT_EQ(getPixel(dst, 6, 1), 0x7777);
    EXPECT_EQ(getPixel(dst, 5, 1), expected(1, 0));
    EXPECT_EQ(getPixel(dst, 4, 1), expected(2, 0));
    EXPECT_EQ(getPixel(dst, 6, 2), expected(0, 1));
    EXPECT_EQ(getPixel(dst, 3, 1), 0x7777);
    destroySurface(&src);
    destroySurface(&dst);
}

// At angle 0 the source point is exactly the destination point, and the
// strict test 0 < u, 0 < v leaves the first row and column undrawn.
TEST_P(ShapeTest, RotatedByZeroCopiesAllButFirstRowAndColumn) {
    std::mt19937 rng(4);
    Surface* sheet = randomSurface(20, 16, rng);
    Surface* dst = createSurface(30, 24);
    fillSurface(dst, 0x5555);
    drawRotated(dst, 6, 5, 11, 9, sheet, 3, 2, 0);
    for (int y = 0; y < 24; y++)
        for (int x = 0; x < 30; x++) {
            int k = x - 6, i = y - 5;
            Color want = 0x5555;
            if (k >= 1 && k < 11 && i >= 1 && i < 9 && getPixel(sheet, 3 + k, 2 + i)) want = getPixel(sheet, 3 + k, 2 + i);
            EXPECT_EQ(getPixel(dst, x, y), want) << x << "," << y;
        }
    destroySurface(&sheet);
    destroySurface(&dst);
}

TEST_P(ShapeTest, RotatedClipsToBothSurfaces) {
    Surface* src = createSurface(12, 12);
    fillSurface(src, 0x1111);
    Surface* dst = createSurface(10, 10);
    drawRotated(dst, -5, -4, 12, 12, src, 0, 0, 0); // off the top-left
    EXPECT_EQ(getPixel(dst, 0, 0), 0x1111);
    EXPECT_EQ(getPixel(dst, 6, 7), 0x1111);
    EXPECT_EQ(getPixel(dst, 7, 7), 0);
    EXPECT_EQ(getPixel(dst, 6, 8), 0);
    fillSurface(dst, 0);
    drawRotated(dst, 5, 5, 12, 12, src, 6, 6, 37); // source rectangle half outside the source
    drawRotated(dst, 8, 8, 12, 12, src, -20, -20, 210);
    drawRotated(dst, -2000000000, 0, 12, 12, src, 2147483600, 0, 45);
    int drawn = 0;
    for (int i = 0; i < 100; i++) drawn += dst->pixels[i] != 0;
    EXPECT_GT(drawn, 0);
    destroySurface(&src);
    destroySurface(&dst);
}

// A block in the top-right of the source ends up, turned by a quarter, in
// the top-left: destination (k, i) looks at source (20 - i, k).
TEST_P(ShapeTest, RotatedByQuarterTurnMovesCorners) {
    Surface* src = createSurface(21, 21);
    for (int y = 2; y <= 6; y++)
        for (int x = 14; x <= 18; x++) putPixel(src, x, y, 0x0F0F);
    Surface* dst = createSurface(21, 21);
    drawRotated(dst, 0, 0, 21, 21, src, 0, 0, 90);
    for (int i = 3; i <= 5; i++)
        for (int k = 3; k <= 5; k++) EXPECT_EQ(getPixel(dst, k, i), 0x0F0F) << k << "," << i;
    int stray = 0;
    for (int y = 0; y < 21; y++)
        for (int x = 0; x < 21; x++) stray += getPixel(dst, x, y) && (x > 7 || y > 7);
    EXPECT_EQ(stray, 0);
    destroySurface(&src);
    destroySurface(&dst);
}

INSTANTIATE_TEST_SUITE_P(Orientations, ShapeTest, ::testing::Values(0, 1, 2, 3));

class TileTest : public ::testing::Test {
protected:
    void SetUp() override { resetDisplayGeometry(); }
};

Surface* numbered(int w, int h) {
    Surface* s = createSurface(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) putPixel(s, x, y, (Color)(1 + x + 100 * y)); // no zero: gaps show
    return s;
}

TEST_F(TileTest, CoversTheDestinationAtEveryOffset) {
    Surface* tile = numbered(7, 5);
    Surface* dst = createSurface(30, 17);
    const int offsets[][2] = {{0, 0}, {-3, 0}, {3, 2}, {-3, -11}, {14, -1}, {-70, 35}, {6, 4}};
    for (const auto& o : offsets) {
        fillSurface(dst, 0);
        tileSurface(dst, tile, o[0], o[1]);
        int a = o[0] % 7, b = o[1] % 5;
        for (int y = 0; y < 17; y++)
            for (int x = 0; x < 30; x++) {
                int tx = ((x - a) % 7 + 7) % 7, ty = ((y - b) % 5 + 5) % 5;
                ASSERT_EQ(getPixel(dst, x, y), getPixel(tile, tx, ty)) << o[0] << "," << o[1] << " at " << x << "," << y;
            }
    }
    destroySurface(&tile);
    destroySurface(&dst);
}

TEST_F(TileTest, EmptyTileDrawsNothing) {
    Surface* tile = createSurface(0, 5);
    Surface* dst = createSurface(4, 4);
    fillSurface(dst, 9);
    tileSurface(dst, tile, 3, 3);
    EXPECT_EQ(getPixel(dst, 2, 2), 9);
    destroySurface(&tile);
    destroySurface(&dst);
}

TEST_F(TileTest, CentredUsesHalfSizes) {
    Surface* picture = numbered(5, 4);
    Surface* dst = createSurface(12, 9);
    drawCentred(dst, picture); // at (6 - 2, 4 - 2)
    EXPECT_EQ(getPixel(dst, 4, 2), 1);
    EXPECT_EQ(getPixel(dst, 8, 5), 5 + 300);
    EXPECT_EQ(getPixel(dst, 3, 2), 0);
    EXPECT_EQ(getPixel(dst, 8, 6), 0);
    Surface* big = numbered(20, 3); // wider than the destination: both sides cut
    drawCentred(dst, big);          // at (6 - 10, 4 - 1)
    EXPECT_EQ(getPixel(dst, 0, 3), 5);
    EXPECT_EQ(getPixel(dst, 11, 5), 16 + 200);
    destroySurface(&picture);
    destroySurface(&big);
    destroySurface(&dst);
}

} // namespace
