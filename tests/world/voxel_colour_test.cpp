// Scaling and the rider colour schemes.
#include "shell/random.h"
#include "world/voxel_fixture.h"

#include <cmath>
#include <set>

namespace {

struct Rgb {
    int r, g, b;
};

Rgb channels(Color c) { return {colorRed(c), colorGreen(c), colorBlue(c)}; }

// A reddish bike part of intensity 28 (a third of it is 9) in every scheme.
const Rgb BIKE_28[9] = {{28, 9, 9},  {28, 28, 9},  {0, 28, 9},  {0, 28, 28},   {28, 9, 28},
                        {0, 0, 28}, {28, 28, 28}, {14, 14, 14}, {3, 3, 3}};

void expectRgb(Color c, Rgb want) {
    Rgb got = channels(c);
    EXPECT_EQ(got.r, want.r);
    EXPECT_EQ(got.g, want.g);
    EXPECT_EQ(got.b, want.b);
}

} // namespace

TEST_F(VoxelTest, ScaleTruncatesAllSixCoordinatesTowardZero) {
    addVoxelPoint(model, 3, -3, 33, 1);
    model->points[0].x = 100;
    model->points[0].y = -100;
    model->points[0].z = 7;
    scaleVoxelModel(model, 0.7);
    const VoxelPoint& p = model->points[0];
    EXPECT_EQ(p.x0, 2);
    EXPECT_EQ(p.y0, -2);
    EXPECT_EQ(p.z0, 23);
    EXPECT_EQ(p.x, 70);
    EXPECT_EQ(p.y, -70);
    EXPECT_EQ(p.z, 4);
    EXPECT_EQ(p.colour, 1);
}

TEST_F(VoxelTest, ScaleBeyondSixteenBitsHoldsAtTheLimits) {
    addVoxelPoint(model, 30000, -30000, 5, 1);
    scaleVoxelModel(model, 1e12);
    EXPECT_EQ(model->points[0].x0, 32767);
    EXPECT_EQ(model->points[0].y0, -32768);
    EXPECT_EQ(model->points[0].z0, 32767);
    scaleVoxelModel(model, NAN);
    EXPECT_EQ(model->points[0].x0, 0);
    EXPECT_EQ(model->points[0].y, 0);
}

TEST_F(VoxelTest, BikePartsTakeEveryBikeSchemeWithTheirRedShading) {
    // Schemes outside 1..8 are red.
    for (int scheme : {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9, 100}) {
        SCOPED_TRACE(scheme);
        VoxelModel* m = createVoxelModel();
        addVoxelPoint(m, 0, 0, 0, packColor(28, 24, 24)); // bright red: r > 20
        addVoxelPoint(m, 0, 0, 0, packColor(28, 0, 0));
        recolourVoxelModel(m, scheme, 0);
        Rgb want = BIKE_28[scheme >= 1 && scheme <= 8 ? scheme : 0];
        expectRgb(m->points[0].colour, want);
        expectRgb(m->points[1].colour, want);
        destroyVoxelModel(&m);
    }
}

TEST_F(VoxelTest, DarkRedIsABikePartWhenRedLeadsGreenBySix) {
    addVoxelPoint(model, 0, 0, 0, packColor(10, 4, 0));   // 4 < 10 - 5: bike
    addVoxelPoint(model, 0, 0, 0, packColor(10, 5, 0));   // 5 < 5 fails: kept
    addVoxelPoint(model, 0, 0, 0, packColor(20, 15, 0));  // r = 20 is not > 20: kept
    addVoxelPoint(model, 0, 0, 0, packColor(21, 15, 0));  // bike
    addVoxelPoint(model, 0, 0, 0, packColor(31, 25, 0));  // green too high: kept
    addVoxelPoint(model, 0, 0, 0, packColor(31, 0, 25));  // blue too high: kept
    recolourVoxelModel(model, 6, 0);
    expectRgb(model->points[0].colour, {10, 10, 10});
    expectRgb(model->points[1].colour, {10, 5, 0});
    expectRgb(model->points[2].colour, {20, 15, 0});
    expectRgb(model->points[3].colour, {21, 21, 21});
    expectRgb(model->points[4].colour, {31, 25, 0});
    expectRgb(model->points[5].colour, {31, 0, 25});
}

TEST_F(VoxelTest, OtherColoursAreKept) {
    const Color kept[] = {0, packColor(0, 31, 0), packColor(31, 31, 31), packColor(16, 16, 16),
                          packColor(0, 5, 31), packColor(5, 0, 31), packColor(0, 0, 25), packColor(12, 12, 20)};
    for (Color c : kept) addVoxelPoint(model, 0, 0, 0, c);
    seedRandom(3);
    int next = gameRandom();
    seedRandom(3);
    recolourVoxelModel(model, 2, 5);
    for (size_t i = 0; i < model->points.size(); i++) EXPECT_EQ(model->points[i].colour, kept[i]) << i;
    EXPECT_EQ(gameRandom(), next); // no random shade was drawn
}

// Deep blue points are the rider's body: one fresh random shade 15..30 per
// point, drawn in list order, and nothing drawn for other points.
TEST_F(VoxelTest, BodyPartsTakeARandomShadePerPoint) {
    const int points = 200;
    for (int i = 0; i < points; i++) {
        addVoxelPoint(model, 0, 0, 0, (i & 1) ? packColor(4, 4, 26) : packColor(0, 0, 31));
        addVoxelPoint(model, 0, 0, 0, packColor(31, 0, 0)); // a bike part between them
    }
    seedRandom(99);
    std::vector<int> shades;
    for (int i = 0; i < points; i++) shades.push_back(15 + (gameRandom() & 15));
    seedRandom(99);
    recolourVoxelModel(model, 0, 6);
    std::set<int> seen;
    for (int i = 0; i < points; i++) {
        expectRgb(model->points[2 * i].colour, {shades[i], shades[i], shades[i]});
        expectRgb(model->points[2 * i + 1].colour, {31, 10, 10});
        seen.insert(shades[i]);
    }
    EXPECT_EQ(seen.size(), 16u); // every shade 15..30 occurs
    EXPECT_EQ(*seen.begin(), 15);
    EXPECT_EQ(*seen.rbegin(), 30);
}

// Scheme 8 turns a pure blue voxel near-black: (i/8, i/8, i/8).
TEST_F(VoxelTest, BodyPartsTakeEveryBodyScheme) {
    for (int scheme = 0; scheme < 9; scheme++) {
        SCOPED_TRACE(scheme);
        VoxelModel* m = createVoxelModel();
        addVoxelPoint(m, 0, 0, 0, packColor(0, 0, 31));
        seedRandom(1);
        int i = 15 + (gameRandom() & 15);
        int j = i / 3;
        seedRandom(1);
        recolourVoxelModel(m, 0, scheme);
        const Rgb want[9] = {{i, j, j}, {i, i, j}, {0, i, j}, {0, i, i},         {i, j, i},
                             {0, 0, i}, {i, i, i}, {i / 2, i / 2, i / 2}, {i / 8, i / 8, i / 8}};
        expectRgb(m->points[0].colour, want[scheme]);
        destroyVoxelModel(&m);
    }
}
