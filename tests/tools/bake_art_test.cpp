// The painting helpers behind the baked pictures: exact shape coverage,
// mask operations that keep what they should, dithering that keeps black
// for transparency only, noise that tiles, and lettering that measures
// what it draws.
#include "bake/art_canvas.h"
#include "bake/noise.h"
#include "bake/art_text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace art;

namespace {

double total(const Mask& m) {
    double sum = 0;
    for (float v : m.a) sum += v;
    return sum;
}

TEST(BakeArt, PolygonCoverageMatchesItsArea) {
    Mask square(40, 40);
    fillPolygon(square, {{2.25, 3.5}, {12.25, 3.5}, {12.25, 13.5}, {2.25, 13.5}});
    EXPECT_NEAR(total(square), 100.0, 0.01);
    EXPECT_FLOAT_EQ(square.at(7, 8), 1.0f);
    EXPECT_NEAR(square.at(2, 8), 0.75, 1e-5); // a quarter of the column lies left of the edge
    EXPECT_NEAR(square.at(7, 3), 0.5, 1e-5);  // half of the row lies above it
    EXPECT_EQ(square.at(13, 8), 0.0f);

    Mask disc(100, 100);
    fillCircle(disc, {50, 50}, 20);
    EXPECT_NEAR(total(disc), M_PI * 400, M_PI * 400 * 0.005);
}

TEST(BakeArt, ShapesUniteAndRingsKeepTheirHole) {
    Mask m(60, 60);
    fillRoundedRect(m, 10, 10, 30, 30, 4);
    double alone = total(m);
    fillRoundedRect(m, 10, 10, 30, 30, 4); // the same shape again adds nothing
    EXPECT_NEAR(total(m), alone, 1e-3);
    Mask ring(60, 60);
    fillRing(ring, {30, 30}, 10, 20);
    EXPECT_EQ(ring.at(30, 30), 0.0f);
    EXPECT_FLOAT_EQ(ring.at(30, 15), 1.0f);
    EXPECT_NEAR(total(ring), M_PI * (400 - 100), M_PI * 300 * 0.01);
}

TEST(BakeArt, CapsulesAndStrokesAreRoundEnded) {
    Mask m(80, 40);
    fillCapsule(m, {20, 20}, {60, 20}, 5);
    EXPECT_NEAR(total(m), 40 * 10 + M_PI * 25, 2.0);
    EXPECT_FLOAT_EQ(m.at(18, 20), 1.0f); // inside the round end
    EXPECT_EQ(m.at(20, 12), 0.0f);
    Mask taper(80, 40);
    fillStroke(taper, {{10, 20}, {70, 20}}, 1, 6);
    EXPECT_EQ(taper.at(12, 23), 0.0f) << taper.at(12, 23); // thin end
    EXPECT_FLOAT_EQ(taper.at(68, 23), 1.0f);
}

TEST(BakeArt, MaskOperations) {
    Mask dot(41, 41);
    dot.a[20 * 41 + 20] = 1;
    Mask grown = dilated(dot, 6);
    EXPECT_NEAR(total(grown), M_PI * 36, M_PI * 36 * 0.1);
    EXPECT_FLOAT_EQ(grown.at(25, 20), 1.0f);
    EXPECT_FLOAT_EQ(grown.at(26, 20), 0.5f); // the soft rim
    EXPECT_EQ(grown.at(27, 20), 0.0f);
    // Blurring spreads coverage without losing any away from the edges.
    Mask block(60, 60);
    fillPolygon(block, {{20, 20}, {40, 20}, {40, 40}, {20, 40}});
    Mask soft = blurred(block, 3);
    EXPECT_NEAR(total(soft), 400.0, 0.05);
    EXPECT_GT(soft.at(19, 30), 0.0f);
    EXPECT_LT(soft.at(20, 30), 1.0f);
    EXPECT_NEAR(soft.at(30, 30), 1.0f, 1e-5);
    Mask moved = shifted(block, 5, -3);
    EXPECT_FLOAT_EQ(moved.at(25, 17), 1.0f);
    EXPECT_EQ(moved.at(22, 38), 0.0f);
    cutAway(block, moved);
    EXPECT_EQ(block.at(30, 30), 0.0f);
    EXPECT_FLOAT_EQ(block.at(22, 30), 1.0f);
    Box box = coveredBox(block, 2);
    EXPECT_EQ(box.x0, 18);
    EXPECT_EQ(box.y0, 18);
    EXPECT_EQ(box.x1, 41);
    EXPECT_EQ(box.y1, 41);
}

TEST(BakeArt, DitherKeepsBlackForTransparencyAlone) {
    Image img(8, 8, {0, 0, 0});
    img.set(1, 1, {3, 2, 1});     // nearly black but meant to show
    img.set(2, 2, {255, 255, 255});
    for (int x = 0; x < 4; x++)
        for (int y = 4; y < 8; y++) img.set(x, y, {100, 100, 100}); // 12.5 levels
    ditherToScreenLevels(img);
    EXPECT_EQ(img.at(0, 0).r + img.at(0, 0).g + img.at(0, 0).b, 0);
    EXPECT_GT(img.at(1, 1).r >> 3, 0);
    EXPECT_EQ(img.at(2, 2).r >> 3, 31);
    double mean = 0;
    for (int x = 0; x < 4; x++)
        for (int y = 4; y < 8; y++) {
            int level = img.at(x, y).g >> 3;
            EXPECT_TRUE(level == 12 || level == 13) << level;
            mean += level / 16.0;
        }
    EXPECT_NEAR(mean, 12.5, 0.07);
}

TEST(BakeArt, LiftsDarkColoursClearOfTheTransparentColour) {
    Rgb lifted = offTransparent({10, 20, 5});
    EXPECT_GE(std::max({lifted.r, lifted.g, lifted.b}), 40);
    EXPECT_GT(lifted.g, lifted.r); // the hue survives
    Rgb kept = offTransparent({60, 10, 10});
    EXPECT_EQ(kept.r, 60);
    EXPECT_EQ(kept.g, 10);
}

TEST(BakeArt, NoiseRepeatsWithItsPeriod) {
    for (double y : {0.3, 5.7})
        for (double x : {0.0, 1.25, 3.5}) {
            EXPECT_NEAR(tilingNoise(x, y, 7, 4), tilingNoise(x + 4, y, 7, 4), 1e-12);
            EXPECT_NEAR(tilingNoise(x, y, 7, 4), tilingNoise(x, y - 8, 7, 4), 1e-12);
            EXPECT_NEAR(tilingFractalNoise(x, y, 4, 9, 4), tilingFractalNoise(x + 4, y + 4, 4, 9, 4), 1e-12);
        }
    double lo = 1, hi = 0;
    for (int i = 0; i < 500; i++) {
        double v = tilingFractalNoise(i * 0.37, i * 0.11, 4, 3);
        lo = std::min(lo, v), hi = std::max(hi, v);
    }
    EXPECT_GE(lo, 0.0);
    EXPECT_LE(hi, 1.0);
    EXPECT_GT(hi - lo, 0.3); // not flat
}

TEST(BakeArt, LetteringDrawsWhereItMeasures) {
    ASSERT_TRUE(openLettering());
    TextStyle style{20, 0, 0};
    double w = measureText("Race", style);
    EXPECT_GT(w, 30);
    EXPECT_GT(measureText("Race", {20, 0, 2}), w + 5); // three gaps of tracking
    Mask m(120, 40);
    drawText(m, "Race", 10, 30, style);
    Box box = coveredBox(m);
    EXPECT_NEAR(box.x0, 10, 3);
    EXPECT_NEAR(box.x1, 10 + w, 3);
    EXPECT_LE(box.y1, 30);                         // no descenders in "Race"
    EXPECT_NEAR(30 - box.y0, capHeight(style), 2); // the R stands a capital high
    TextStyle fitted = fitText("High Scores", {40, 0, 0}, 100);
    EXPECT_LE(measureText("High Scores", fitted), 100);
    EXPECT_GT(measureText("High Scores", {fitted.size + 1, 0, 0}), 100);
    closeLettering();
}

} // namespace
