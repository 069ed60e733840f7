// drawSprite against the pixel-by-pixel reference, in all four display
// orientations (rows or columns in memory, steps of either sign).
#include "blit_reference.h"
#include "gfx/blit.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/random.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Placement {
    int dx, dy, w, h, sx, sy;
};

// Every edge of both surfaces, relative to a source of srcW x srcH drawn
// into a destination of dstW x dstH.
std::vector<Placement> placements(int srcW, int srcH, int dstW, int dstH) {
    return {
        {3, 2, srcW, srcH, 0, 0},                   // whole source
        {4, 3, srcW / 2, srcH / 2, 3, 2},           // part of it
        {-6, 2, srcW, srcH, 0, 0},                  // off the left
        {2, -5, srcW, srcH, 0, 0},                  // off the top
        {dstW - 7, 1, srcW, srcH, 0, 0},            // off the right
        {1, dstH - 4, srcW, srcH, 0, 0},            // off the bottom
        {-3, -2, srcW, srcH, 0, 0},                 // top-left corner
        {dstW - 5, dstH - 6, srcW, srcH, 0, 0},     // bottom-right corner
        {-4, -4, srcW + 40, srcH + 40, 0, 0},       // larger than both
        {5, 4, srcW, srcH, -5, -3},                 // negative source offset
        {2, 3, srcW + 9, srcH + 7, 4, 3},           // past the source's far edges
        {-srcW, 0, srcW, srcH, 0, 0},               // wholly left
        {dstW, 0, srcW, srcH, 0, 0},                // wholly right
        {0, -srcH, srcW, srcH, 0, 0},               // wholly above
        {0, dstH, srcW, srcH, 0, 0},                // wholly below
        {0, 0, srcW, srcH, srcW, 0},                // source rectangle beside the source
        {1, 1, 0, srcH, 0, 0},                      // empty
        {1, 1, -4, srcH, 0, 0},                     // negative width
        {-2000000000, 5, 2100000000, 3, 0, 0},      // sizes near the int range
        {5, 5, 2147483647, 2147483647, -2147483647, 2}};
}

struct ModeCase {
    int mode;
    int32_t param;
};

const ModeCase MODE_CASES[] = {
    {0, 0},     {1, 0},      {2, 0},      {3, 0},       {4, 0},     {5, -20},      {5, -3},    {5, 0},
    {5, 4},     {5, 40},     {6, 0},      {7, 0},       {8, 0},     {9, 0},        {9, 77},    {9, 255},
    {10, 0},    {11, 0x1234}, {11, 0xABCDE}, {12, -31}, {12, -5},   {12, 0},       {12, 7},    {12, 31},
    {13, 0},    {13, 0x7},   {13, 0x1F},  {13, -1},     {14, 0x4321}, {14, 0x10000}, {19, 0}, {25, 0},
    {-1, 0}};

class BlitOrientationTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { applyOrientationGeometry(GetParam()); }
    void TearDown() override { resetDisplayGeometry(); }
};

void compareWithReference(int srcW, int srcH, int dstW, int dstH, uint32_t seed) {
    std::mt19937 rng(seed);
    Surface* src = randomSurface(srcW, srcH, rng);
    Surface* background = randomSurface(dstW, dstH, rng, 1000);
    for (const ModeCase& c : MODE_CASES) {
        for (const Placement& p : placements(srcW, srcH, dstW, dstH)) {
            SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " param " << c.param << " at " << p.dx << ","
                                              << p.dy << " size " << p.w << "x" << p.h << " from " << p.sx << ","
                                              << p.sy);
            Surface* got = copyOf(background);
            Surface* want = copyOf(background);
            seedRandom(99);
            drawSprite(got, p.dx, p.dy, p.w, p.h, src, p.sx, p.sy, c.mode, c.param);
            seedRandom(99);
            referenceBlit(want, p.dx, p.dy, p.w, p.h, src, p.sx, p.sy, c.mode, c.param);
            int at = firstDifference(got, want);
            EXPECT_EQ(at, -1) << "pixel " << at % dstW << "," << at / dstW;
            destroySurface(&got);
            destroySurface(&want);
        }
    }
    destroySurface(&src);
    destroySurface(&background);
}

TEST_P(BlitOrientationTest, EveryModeMatchesReferenceAtEveryEdge) {
    compareWithReference(23, 17, 41, 29, 1);
    compareWithReference(37, 33, 19, 14, 2);
    compareWithReference(1, 1, 9, 3, 3);
}

TEST_P(BlitOrientationTest, ReturnsWhetherAnythingWasDrawn) {
    Surface* src = createSurface(8, 8);
    Surface* dst = createSurface(16, 16);
    EXPECT_EQ(drawSprite(dst, 2, 2, 8, 8, src, 0, 0, BLIT_COPY), 1);
    EXPECT_EQ(drawSprite(dst, 16, 2, 8, 8, src, 0, 0, BLIT_COPY), 0);
    EXPECT_EQ(drawSprite(dst, 2, 2, 8, 8, src, 0, 0, BLIT_HALF_SIZE), 1);
    EXPECT_EQ(drawSprite(dst, 2, 2, 2, 2, src, 0, 0, BLIT_HALF_SIZE), 0);
    destroySurface(&src);
    destroySurface(&dst);
}

// The sparkle draws one random number per set pixel in memory order, so
// the same seed gives the same picture and the generator moves on by the
// number of set pixels drawn.
TEST_P(BlitOrientationTest, SparkleTakesOneRandomNumberPerSetPixel) {
    std::mt19937 rng(5);
    Surface* src = randomSurface(13, 9, rng);
    Surface* dst = createSurface(20, 20);
    int set = 0;
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 13; x++) set += getPixel(src, x, y) != 0;
    seedRandom(7);
    drawSprite(dst, 2, 3, 13, 9, src, 0, 0, BLIT_SPARKLE, 0x1F);
    int next = gameRandom();
    seedRandom(7);
    for (int i = 0; i < set; i++) gameRandom();
    EXPECT_EQ(next, gameRandom());
    destroySurface(&src);
    destroySurface(&dst);
}

INSTANTIATE_TEST_SUITE_P(Orientations, BlitOrientationTest, ::testing::Values(0, 1, 2, 3));

class BlitTest : public ::testing::Test {
protected:
    void SetUp() override { resetDisplayGeometry(); }
    void TearDown() override {
        resetDisplayGeometry();
        logThreshold = 0;
        clearLog();
    }
};

Surface* solid(int w, int h, Color c) {
    Surface* s = createSurface(w, h);
    fillSurface(s, c);
    return s;
}

TEST_F(BlitTest, NegativeSourceOffsetStartsAtSourceColumnZero) {
    Surface* src = createSurface(10, 4);
    for (int x = 0; x < 10; x++)
        for (int y = 0; y < 4; y++) putPixel(src, x, y, (Color)(100 + x));
    Surface* dst = createSurface(30, 10);
    drawSprite(dst, 10, 2, 10, 4, src, -5, 0, BLIT_COPY);
    EXPECT_EQ(getPixel(dst, 14, 2), 0);
    EXPECT_EQ(getPixel(dst, 15, 2), 100);   // source column 0 at dx + 5
    EXPECT_EQ(getPixel(dst, 19, 5), 104);   // five columns narrower: ends at dx + 9
    EXPECT_EQ(getPixel(dst, 20, 2), 0);
    destroySurface(&src);
    destroySurface(&dst);
}

TEST_F(BlitTest, BlackSpriteIsInvisibleTransparentButBlackensCopied) {
    Surface* src = createSurface(5, 5);
    Surface* dst = solid(12, 12, packColor(3, 9, 27));
    drawSprite(dst, 2, 2, 5, 5, src, 0, 0, BLIT_TRANSPARENT);
    EXPECT_EQ(getPixel(dst, 4, 4), packColor(3, 9, 27));
    drawSprite(dst, 2, 2, 5, 5, src, 0, 0, BLIT_COPY);
    EXPECT_EQ(getPixel(dst, 2, 2), 0);
    EXPECT_EQ(getPixel(dst, 6, 6), 0);
    EXPECT_EQ(getPixel(dst, 7, 6), packColor(3, 9, 27));
    EXPECT_EQ(getPixel(dst, 6, 7), packColor(3, 9, 27));
    destroySurface(&src);
    destroySurface(&dst);
}

// Hanging 4 pixels off the right edge, the mirrored sprite loses its own
// left columns 0..3, which the mirror puts on the right.
TEST_F(BlitTest, MirroredOffRightEdgeCutsSpritesLeftColumns) {
    for (int orientation : {0, 1}) {
        applyOrientationGeometry(orientation);
        Surface* src = createSurface(10, 2);
        for (int x = 0; x < 10; x++) putPixel(src, x, 0, (Color)(1 + x)), putPixel(src, x, 1, (Color)(1 + x));
        Surface* dst = createSurface(16, 2);
        drawSprite(dst, 10, 0, 10, 2, src, 0, 0, BLIT_MIRRORED);
        for (int x = 10; x < 16; x++) EXPECT_EQ(getPixel(dst, x, 1), 10 - (x - 10)) << x;
        // Modes 7 and 8 clip like a plain copy first: the cut is of the
        // right columns, then the rest is mirrored in place.
        Surface* plain = createSurface(16, 2);
        drawSprite(plain, 10, 0, 10, 2, src, 0, 0, BLIT_MIRRORED_PLAIN);
        for (int x = 10; x < 16; x++) EXPECT_EQ(getPixel(plain, x, 0), 6 - (x - 10)) << x;
        destroySurface(&src);
        destroySurface(&dst);
        destroySurface(&plain);
    }
}

TEST_F(BlitTest, BlendWithZeroOpacityStillDarkensSlightly) {
    Surface* src = solid(4, 4, packColor(31, 31, 31));
    Surface* dst = solid(4, 4, packColor(31, 16, 1));
    drawSprite(dst, 0, 0, 4, 4, src, 0, 0, BLIT_BLEND, 0);
    EXPECT_EQ(getPixel(dst, 1, 1), packColor(30, 15, 0));
    drawSprite(dst, 0, 0, 4, 4, src, 0, 0, BLIT_BLEND, 128);
    EXPECT_EQ(getPixel(dst, 1, 1), packColor((31 * 128 + 30 * 127) >> 8, (31 * 128 + 15 * 127) >> 8, 15));
    destroySurface(&src);
    destroySurface(&dst);
}

// Opacity outside 0..255 would bleed between the colour channels; it is
// held to that range.
TEST_F(BlitTest, BlendOpacityIsHeldToItsRange) {
    Surface* src = solid(2, 2, packColor(20, 10, 5));
    Surface* over = solid(2, 2, packColor(7, 8, 9));
    Surface* under = solid(2, 2, packColor(7, 8, 9));
    drawSprite(over, 0, 0, 2, 2, src, 0, 0, BLIT_BLEND, 1000);
    drawSprite(under, 0, 0, 2, 2, src, 0, 0, BLIT_BLEND, -50);
    EXPECT_EQ(getPixel(over, 0, 0), packColor(19, 9, 4));
    EXPECT_EQ(getPixel(under, 0, 0), packColor(6, 7, 8));
    destroySurface(&src);
    destroySurface(&over);
    destroySurface(&under);
}

TEST_F(BlitTest, TintLimits) {
    Surface* src = createSurface(3, 1);
    putPixel(src, 0, 0, packColor(31, 0, 0));
    putPixel(src, 1, 0, packColor(0, 0, 1));
    Surface* dst = solid(3, 1, packColor(2, 4, 6));
    drawSprite(dst, 0, 0, 3, 1, src, 0, 0, BLIT_TINT, -31);
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(2, 4, 6));
    EXPECT_EQ(getPixel(dst, 1, 0), packColor(2, 4, 6));
    drawSprite(dst, 0, 0, 3, 1, src, 0, 0, BLIT_TINT, 31);
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 1, 0), packColor(31, 31, 31));
    EXPECT_EQ(getPixel(dst, 2, 0), packColor(2, 4, 6)); // unset source pixel
    drawSprite(dst, 0, 0, 3, 1, src, 0, 0, BLIT_TINT, 2147483647); // no overflow
    EXPECT_EQ(getPixel(dst, 1, 0), packColor(31, 31, 31));
    destroySurface(&src);
    destroySurface(&dst);
}

TEST_F(BlitTest, DarkenAndLightenByBrightness) {
    Surface* src = createSurface(2, 1);
    putPixel(src, 0, 0, packColor(31, 31, 31)); // brightness step 93 >> 3 = 11
    Surface* dst = solid(2, 1, packColor(20, 10, 5));
    drawSprite(dst, 0, 0, 2, 1, src, 0, 0, BLIT_DARKEN, 2);
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(7, 0, 0));
    EXPECT_EQ(getPixel(dst, 1, 0), packColor(20, 10, 5));
    drawSprite(dst, 0, 0, 2, 1, src, 0, 0, BLIT_DARKEN, -11); // k = 0: unchanged
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(7, 0, 0));
    drawSprite(dst, 0, 0, 2, 1, src, 0, 0, BLIT_LIGHTEN);
    EXPECT_EQ(getPixel(dst, 0, 0), packColor(18, 11, 11));
    destroySurface(&src);
    destroySurface(&dst);
}

TEST_F(BlitTest, FillWithItselfAsSourceFillsExactlyTheClippedRectangle) {
    Surface* s = solid(20, 10, packColor(1, 2, 3));
    drawSprite(s, 15, -3, 10, 6, s, 0, 0, BLIT_FILL, packColor(9, 9, 9));
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 20; x++)
            EXPECT_EQ(getPixel(s, x, y), x >= 15 && y < 3 ? packColor(9, 9, 9) : packColor(1, 2, 3)) << x << "," << y;
    destroySurface(&s);
}

TEST_F(BlitTest, ShadowedDarkensThreeRightAndThreeDown) {
    Surface* src = createSurface(1, 1);
    putPixel(src, 0, 0, packColor(31, 0, 31));
    Surface* dst = solid(10, 10, packColor(20, 3, 10));
    drawSprite(dst, 2, 2, 1, 1, src, 0, 0, BLIT_SHADOWED);
    EXPECT_EQ(getPixel(dst, 2, 2), packColor(31, 0, 31));
    EXPECT_EQ(getPixel(dst, 5, 5), packColor(15, 0, 5));
    drawSprite(dst, 8, 8, 1, 1, src, 0, 0, BLIT_SHADOWED); // shadow off the surface: dropped
    EXPECT_EQ(getPixel(dst, 8, 8), packColor(31, 0, 31));
    destroySurface(&src);
    destroySurface(&dst);
}

TEST_F(BlitTest, MismatchedMemoryOrderDrawsNothingAndLogsOncePerCall) {
    Surface* src = solid(8, 8, packColor(31, 31, 31));
    applyOrientationGeometry(1);
    Surface* dst = createSurface(16, 16);
    logThreshold = 1;
    clearLog();
    for (int mode : {BLIT_COPY, BLIT_TRANSPARENT, BLIT_MIRRORED, BLIT_FILL, BLIT_HALF_SIZE}) {
        clearLog();
        EXPECT_EQ(drawSprite(dst, 2, 2, 8, 8, src, 0, 0, mode, 5), 0);
        // 34 characters: the 30-column log wraps the line in two.
        EXPECT_EQ(std::string(logText[2], LOG_COLUMNS), std::string("Sprite Memory Orientation Mism")) << mode;
        EXPECT_EQ(std::string(logText[1]), "atch") << mode;
        EXPECT_EQ(logText[3][0], 0) << mode;
        EXPECT_EQ(logTags[2][0], LOG_TAG_ERROR);
    }
    for (int i = 0; i < 256; i++) EXPECT_EQ(dst->pixels[i], 0);
    destroySurface(&src);
    destroySurface(&dst);
}

class DepthBlitTest : public BlitOrientationTest {};

TEST_P(DepthBlitTest, DepthModesMatchReference) {
    std::mt19937 rng(11);
    Surface* src = randomSurface(15, 12, rng);
    for (int i = 0; i < 20; i++) putPixel(src, (int)(rng() % 15), (int)(rng() % 12), DEPTH_SHADOW_PIXEL);
    Surface* background = randomSurface(24, 20, rng, 1000);
    Surface* depth = createSurface(24, 20);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 24; x++) putPixel(depth, x, y, (Color)(rng() % 200));
    for (int mode : {BLIT_DEPTH_WRITE, BLIT_DEPTH_TEST})
        for (int32_t param : {-1, 0, 50, 100, 199, 70000})
            for (const Placement& p : placements(15, 12, 24, 20)) {
                SCOPED_TRACE(::testing::Message() << "mode " << mode << " param " << param << " at " << p.dx << ","
                                                  << p.dy);
                Surface* got = copyOf(background);
                Surface* gotDepth = copyOf(depth);
                Surface* want = copyOf(background);
                Surface* wantDepth = copyOf(depth);
                got->depth = gotDepth;
                drawSprite(got, p.dx, p.dy, p.w, p.h, src, p.sx, p.sy, mode, param);
                // The stored depth is the parameter held to 0..65535.
                referenceDepthBlit(want, wantDepth, p.dx, p.dy, p.w, p.h, src, p.sx, p.sy, mode,
                                   param > 0xFFFF ? 0xFFFF : param);
                EXPECT_EQ(firstDifference(got, want), -1);
                EXPECT_EQ(firstDifference(gotDepth, wantDepth), -1);
                destroySurface(&got);
                destroySurface(&gotDepth);
                destroySurface(&want);
                destroySurface(&wantDepth);
            }
    destroySurface(&src);
    destroySurface(&background);
    destroySurface(&depth);
}

INSTANTIATE_TEST_SUITE_P(Orientations, DepthBlitTest, ::testing::Values(0, 1, 2, 3));

TEST_F(BlitTest, DepthModesWithoutUsableDepthDrawNothing) {
    Surface* src = solid(4, 4, packColor(5, 5, 5));
    Surface* dst = createSurface(8, 8);
    EXPECT_EQ(drawSprite(dst, 0, 0, 4, 4, src, 0, 0, BLIT_DEPTH_WRITE, 10), 0);
    Surface* wrongSize = createSurface(8, 7);
    dst->depth = wrongSize;
    EXPECT_EQ(drawSprite(dst, 0, 0, 4, 4, src, 0, 0, BLIT_DEPTH_TEST, 10), 0);
    for (int i = 0; i < 64; i++) EXPECT_EQ(dst->pixels[i], 0);
    for (int i = 0; i < 56; i++) EXPECT_EQ(wrongSize->pixels[i], 0);
    destroySurface(&src);
    destroySurface(&dst);
    destroySurface(&wrongSize);
}

} // namespace
