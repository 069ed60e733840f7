// The model builder's solid shapes and the carving of their surfaces into
// voxels: distances, hollow shells, which shape paints a point, thin lines,
// top lighting, and paints that keep their recolour class when shaded.
#include "bake/voxel_carve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

namespace {

const Paint GREY = {PAINT_KEPT, 27, 27, 28, 1};
const Paint RED = {PAINT_BIKE, 28, 0, 0, 2};

double radiusOf(const SculptPoint& p, Vec3 c) {
    Vec3 d = Vec3{(double)p.x, (double)p.y, (double)p.z} - c;
    return std::sqrt(dot(d, d));
}

} // namespace

TEST(VoxelShapes, DistancesAreSignedAndTrueNearTheSurface) {
    Shape slab = boxShape({0, 0, -10}, {0, 0, 10}, 3, 2);
    EXPECT_DOUBLE_EQ(shapeDistance(slab, {0, 0, 0}), -2); // nearest face is the x side
    EXPECT_DOUBLE_EQ(shapeDistance(slab, {0, 5, 0}), 2);
    EXPECT_DOUBLE_EQ(shapeDistance(slab, {0, 0, 13}), 3);
    EXPECT_DOUBLE_EQ(shapeDistance(slab, {5, 7, 0}), 5);
    Shape tilted = boxShape({0, 0, 0}, {0, 10, 10}, 1, 5); // 45 degrees in the y-z plane
    EXPECT_NEAR(shapeDistance(tilted, {0, 10, 0}), std::sqrt(50.0) - 1, 1e-9);

    Shape rod = capsuleShape({0, 0, 0}, {0, 0, 10}, 2, 4);
    EXPECT_DOUBLE_EQ(shapeDistance(rod, {0, 5, 5}), 2); // radius 3 halfway
    EXPECT_DOUBLE_EQ(shapeDistance(rod, {0, 0, -5}), 3);

    Shape egg = ellipsoidShape({0, 0, 0}, {2, 4, 8});
    EXPECT_DOUBLE_EQ(shapeDistance(egg, {0, 0, 16}), 2);
    EXPECT_LT(shapeDistance(egg, {0, 0, 7}), 0);
    Shape raised = ellipsoidShape({0, 0, 0}, {2, 4, 8}, M_PI / 2); // long axis turned to +y
    EXPECT_NEAR(shapeDistance(raised, {0, 16, 0}), 2, 1e-9);
    EXPECT_GT(shapeDistance(raised, {0, 0, 7}), 0);

    Shape tyre = torusShape({0, 0, 0}, 10, 2);
    EXPECT_DOUBLE_EQ(shapeDistance(tyre, {0, 0, 10}), -2);
    EXPECT_DOUBLE_EQ(shapeDistance(tyre, {0, 0, 0}), 8);
    EXPECT_DOUBLE_EQ(shapeDistance(tyre, {3, -10, 0}), 1);

    Shape disc = cylinderShape({-1, 0, 0}, {1, 0, 0}, 5);
    EXPECT_DOUBLE_EQ(shapeDistance(disc, {0, 0, 0}), -1);
    EXPECT_DOUBLE_EQ(shapeDistance(disc, {0, 7, 0}), 2);
    EXPECT_DOUBLE_EQ(shapeDistance(disc, {4, 9, 0}), 5); // past the rim's corner
}

TEST(VoxelShapes, BoundsHoldTheWholeShape) {
    const Shape shapes[] = {boxShape({1, 2, 3}, {1, -8, 20}, 3, 4), capsuleShape({0, 0, 0}, {5, 6, 7}, 2, 3),
                            ellipsoidShape({1, 1, 1}, {3, 5, 9}, 0.7), torusShape({0, 4, 0}, 9, 2),
                            cylinderShape({0, 0, 0}, {0, 3, 8}, 4)};
    for (const Shape& s : shapes) {
        Vec3 c;
        double r = shapeBound(s, &c);
        for (int x = -30; x <= 30; x++)
            for (int y = -30; y <= 30; y++)
                for (int z = -30; z <= 30; z++) {
                    Vec3 p = {(double)x, (double)y, (double)z};
                    if (shapeDistance(s, p) <= 0) {
                        ASSERT_LE(std::sqrt(dot(p - c, p - c)), r + 1e-9);
                    }
                }
    }
}

TEST(VoxelCarve, ASphereBecomesAHollowSymmetricShell) {
    Sculpture s;
    addShape(s, sphereShape({0, 0, 0}, 10), GREY);
    std::vector<SculptPoint> points = carveSculpture(s);
    ASSERT_GT(points.size(), 60u);
    std::set<std::tuple<int, int, int>> places;
    for (const SculptPoint& p : points) places.insert({p.x, p.y, p.z});
    EXPECT_EQ(places.size(), points.size());
    for (const SculptPoint& p : points) {
        double r = radiusOf(p, {0, 0, 0});
        EXPECT_GT(r, 10 + CARVE_GROW - CARVE_CELL); // only the outer layer
        EXPECT_LE(r, 10 + CARVE_GROW);
        EXPECT_EQ(p.x % CARVE_CELL, 0);
        EXPECT_TRUE(places.count({-p.x, p.y, p.z}) && places.count({p.x, -p.y, p.z}) && places.count({p.x, p.y, -p.z}));
    }
}

TEST(VoxelCarve, EachPointTakesThePaintOfTheShapeItLiesDeepestIn) {
    Sculpture s;
    addShape(s, sphereShape({0, 0, -6}, 10), GREY);
    addShape(s, sphereShape({0, 0, 6}, 10), RED);
    std::vector<SculptPoint> points = carveSculpture(s);
    int grey = 0, red = 0;
    for (const SculptPoint& p : points) {
        double toGrey = radiusOf(p, {0, 0, -6}), toRed = radiusOf(p, {0, 0, 6});
        // Nothing buried inside the other ball survives.
        EXPECT_GT(std::min(toGrey, toRed), 10 + CARVE_GROW - CARVE_CELL);
        if (p.z == 0) continue; // the seam, as near to both
        EXPECT_EQ(p.tag, toGrey < toRed ? GREY.tag : RED.tag);
        (p.tag == GREY.tag ? grey : red)++;
    }
    EXPECT_EQ(grey, red); // mirror images
    EXPECT_GT(grey, 40);
}

TEST(VoxelCarve, LinesAreFilesOfPointsUnlessBuried) {
    Sculpture s;
    addShape(s, sphereShape({0, 0, 0}, 10), GREY);
    addLine(s, {30, 0, 0}, {30, 0, 20}, RED, 1.0);
    addLine(s, {0, -3, 0}, {0, 3, 0}, RED, 1.0); // inside the ball
    std::vector<SculptPoint> points = carveSculpture(s);
    std::set<int> lineZ;
    for (const SculptPoint& p : points)
        if (p.tag == RED.tag) {
            EXPECT_EQ(p.x, 30);
            EXPECT_EQ(p.y, 0);
            EXPECT_EQ(p.colour, paintColour(RED, 1.0));
            lineZ.insert(p.z);
        }
    std::set<int> everyOther;
    for (int z = 0; z <= 20; z += 2) everyOther.insert(z);
    EXPECT_EQ(lineZ, everyOther);
}

TEST(VoxelCarve, LightFallsFromAbove) {
    Sculpture s;
    addShape(s, sphereShape({0, 0, 0}, 12), {PAINT_KEPT, 18, 18, 18, 1});
    std::vector<SculptPoint> points = carveSculpture(s);
    int top = -1, bottom = 99;
    for (const SculptPoint& p : points)
        if (p.x == 0 && p.z == 0) (p.y > 0 ? top : bottom) = colorRed(p.colour);
    EXPECT_EQ(top, 17);
    EXPECT_EQ(bottom, 10); // ambient only
}

TEST(VoxelPaint, ShadingNeverLeavesThePaintsRecolourClass) {
    const Paint paints[] = {{PAINT_BIKE, 30, 0, 0, 0},  {PAINT_BIKE, 12, 0, 0, 0},  {PAINT_BODY, 0, 0, 29, 0},
                            {PAINT_KEPT, 27, 27, 28, 0}, {PAINT_KEPT, 19, 15, 11, 0}, {PAINT_KEPT, 6, 6, 6, 0},
                            {PAINT_KEPT, 28, 24, 6, 0},  {PAINT_KEPT, 5, 8, 12, 0}};
    for (const Paint& p : paints) {
        int lastRed = 99;
        for (double light = 1.0; light >= 0.3; light -= 0.01) {
            Color c = paintColour(p, light);
            ASSERT_EQ(loadedColourClass(c), p.kind) << p.r << "," << p.g << "," << p.b << " at " << light;
            if (p.kind == PAINT_BIKE) {
                EXPECT_LE(colorRed(c), lastRed); // the shade lives in the red channel
                lastRed = colorRed(c);
            }
        }
    }
    // A light grey darkened would pass through greys the game takes for bike
    // paint; it stays light instead.
    EXPECT_EQ(loadedColourClass(packColor(22, 22, 22)), PAINT_BIKE);
    EXPECT_GE(colorGreen(paintColour({PAINT_KEPT, 27, 27, 27, 0}, 0.85)), 24);
}
