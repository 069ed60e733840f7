#include "gfx/trig.h"

#include <gtest/gtest.h>

namespace {

class TrigTest : public ::testing::Test {
protected:
    void SetUp() override { buildTrigTables(); }
};

// Values of trunc(65535 * sin/cos(d * 0.01747736966666667)), worked out
// independently; the factor is a little over pi / 180, so the quarter and
// full turns miss their exact values.
TEST_F(TrigTest, TablesUseTheGamesDegreeFactor) {
    const int rows[][3] = {{0, 0, 65535},        {1, 1145, 65524},     {30, 32808, 56731},
                           {45, 46390, 46290},   {90, 65534, -142},    {180, -284, -65534},
                           {270, -65533, 426},   {359, -577, 65532},   {360, 568, 65532}};
    for (const auto& r : rows) {
        EXPECT_EQ(sineTable[r[0]], r[1]) << r[0];
        EXPECT_EQ(cosineTable[r[0]], r[2]) << r[0];
    }
}

TEST_F(TrigTest, DirectionsFromTheTables) {
    EXPECT_EQ(dirX(256, 90), 255); // the table peaks at 65535, then >> 16
    EXPECT_EQ(dirY(256, 0), -256);
    EXPECT_EQ(dirY(100, 180), 99);
    EXPECT_EQ(dirX(1000, 270), -1000);
    // Arithmetic shift: tiny negative products round down to -1.
    EXPECT_EQ(dirX(1, 180), -1);
    EXPECT_EQ(dirY(1, 90), 0);
    EXPECT_EQ(dirX(-100, 30), -51);
    // Scales past 32768 do not overflow the product.
    EXPECT_EQ(dirX(1 << 20, 45), 747040);
}

TEST_F(TrigTest, HeadingsOutsideOneTurnAreReduced) {
    for (int deg : {-360, -90, -1, 359, 360, 725}) {
        int plain = ((deg % 360) + 360) % 360;
        EXPECT_EQ(dirX(5000, deg), dirX(5000, plain)) << deg;
        EXPECT_EQ(dirY(5000, deg), dirY(5000, plain)) << deg;
    }
}

TEST(AngleTest, AngleDeltaIsTheSignedTurn) {
    EXPECT_EQ(angleDelta(350, 10), 20);
    EXPECT_EQ(angleDelta(10, 350), -20);
    EXPECT_EQ(angleDelta(0, 180), 180);
    EXPECT_EQ(angleDelta(180, 0), 180);
    EXPECT_EQ(angleDelta(0, 181), -179);
    EXPECT_EQ(angleDelta(90, 90), 0);
    EXPECT_EQ(angleDelta(359, 0), 1);
    EXPECT_EQ(angleDelta(10, -400), -50); // the remainder keeps the dividend's sign
}

TEST(AngleTest, HeadingToMeasuresClockwiseFromUp) {
    EXPECT_EQ(headingTo(0, 0, 0, 5), 180);
    EXPECT_EQ(headingTo(0, 0, 0, -5), 0);
    EXPECT_EQ(headingTo(3, 3, 3, 3), 180);
    EXPECT_EQ(headingTo(0, 0, 5, 0), 450);
    EXPECT_EQ(headingTo(0, 0, -5, 0), 630);
    EXPECT_EQ(headingTo(0, 0, 5, 5), 495);
    EXPECT_EQ(headingTo(0, 0, 5, -5), 405);
    EXPECT_EQ(headingTo(0, 0, -5, -5), 315);
    EXPECT_EQ(headingTo(0, 0, -5, 5), 585);
    EXPECT_EQ(headingTo(10, 20, 11, 10), 540 - (-5 + 180)); // atan(-0.1) * 57.3 = -5.72
}

TEST(AngleTest, DistanceTruncates) {
    EXPECT_EQ(distance2d(0, 0, 3, 4), 5);
    EXPECT_EQ(distance2d(1, 1, 2, 2), 1);
    EXPECT_EQ(distance2d(-3, 0, 3, 0), 6);
    EXPECT_EQ(distance2d(0, 0, 46341, 46341), 65536); // squares past 32 bits
    EXPECT_EQ(distance2d(-2000000000, 0, 2000000000, 0), 2147483647);
}

} // namespace
