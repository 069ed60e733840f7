// The baked terrain pictures as the game loads them, looked at for the
// faults a player sees: single unlike pixels (dead pixels), a strip at the
// right edge unlike the ground before it, rows torn across the ground;
// and what stands on the terrain, which must enter the surface model.
#include "bake/terrain_render.h"
#include "bake/terrain_set.h"
#include "platform/headless.h"
#include "shell/loop.h"
#include "support/baked_data.h"
#include "world/track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

const int FULL_RANGE = 255;
const int UNLIKE = FULL_RANGE / 4;
const int EDGE_COLUMNS = 16;

struct Brightness {
    int width, height;
    std::vector<int> v; // 0..FULL_RANGE
    int at(int x, int y) const { return v[(size_t)y * width + x]; }
};

Brightness brightnessOf(const Surface* s) {
    Brightness b{s->width, s->height, std::vector<int>((size_t)s->width * s->height)};
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) {
            Color c = getPixel(s, x, y);
            int luma = 299 * colorRed(c) + 587 * colorGreen(c) + 114 * colorBlue(c); // channels 0..31
            b.v[(size_t)y * b.width + x] = luma * FULL_RANGE / (1000 * 31);
        }
    return b;
}

// Pixels unlike all eight neighbours, per million.
double specksPerMillion(const Brightness& b) {
    int specks = 0;
    for (int y = 1; y < b.height - 1; y++)
        for (int x = 1; x < b.width - 1; x++) {
            bool alone = true;
            for (int dy = -1; dy <= 1 && alone; dy++)
                for (int dx = -1; dx <= 1 && alone; dx++)
                    if (dx || dy) alone = std::abs(b.at(x + dx, y + dy) - b.at(x, y)) > UNLIKE;
            specks += alone;
        }
    return specks * 1e6 / ((double)b.width * b.height);
}

// How far the mean of the last columns is from that of the columns before
// them, as a share of the latter.
double rightEdgeStep(const Brightness& b) {
    double last = 0, before = 0;
    for (int y = 0; y < b.height; y++)
        for (int k = 0; k < EDGE_COLUMNS; k++) {
            last += b.at(b.width - 1 - k, y);
            before += b.at(b.width - 1 - EDGE_COLUMNS - k, y);
        }
    return std::fabs(last - before) / before;
}

// The longest run along a row of pixels unlike both the row above and the
// row below.
int longestTear(const Brightness& b) {
    int longest = 0;
    for (int y = 1; y < b.height - 1; y++)
        for (int x = 0, run = 0; x < b.width; x++) {
            int v = b.at(x, y);
            bool torn = std::abs(v - b.at(x, y - 1)) > UNLIKE && std::abs(v - b.at(x, y + 1)) > UNLIKE;
            run = torn ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

class TerrainPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platformUse(headlessBackend());
        memcpy(savedFolder, dataFolder, sizeof savedFolder);
        snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
        ASSERT_TRUE(bakedDataSetPresent());
    }
    void TearDown() override {
        releaseTrack(&t);
        memcpy(dataFolder, savedFolder, sizeof dataFolder);
    }
    Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};
    char savedFolder[256];
};

TEST_F(TerrainPicturesTest, NoSpecksEdgeStripsOrTears) {
    struct Bar {
        const char* fault;
        double (*measure)(const Brightness&);
        double limit; // the measure stays below it
    } bars[] = {
        {"isolated pixels per million", specksPerMillion, 50},
        {"right edge strip's brightness step", rightEdgeStep, 0.06},
        {"longest tear in a row", [](const Brightness& b) { return (double)longestTear(b); }, 17},
    };
    ASSERT_EQ(terrainSet().size(), 8u);
    for (const TerrainPlan& plan : terrainSet()) {
        releaseTrack(&t);
        loadTerrainPicture(&t, plan.number);
        ASSERT_NE(t.terrain, nullptr);
        Brightness b = brightnessOf(t.terrain);
        for (const Bar& bar : bars) EXPECT_LT(bar.measure(b), bar.limit) << "track " << plan.number << ": " << bar.fault;
    }
}

// The measures themselves catch what they are for: a dead pixel, a dark
// strip down the right edge, a line torn across a row.
TEST(TerrainPictureMeasures, CatchTheFaultsTheyLookFor) {
    Brightness b{200, 100, std::vector<int>(200 * 100, 120)};
    EXPECT_EQ(specksPerMillion(b), 0);
    EXPECT_EQ(rightEdgeStep(b), 0);
    EXPECT_EQ(longestTear(b), 0);
    b.v[50 * 200 + 60] = 250;
    EXPECT_NEAR(specksPerMillion(b), 50, 1e-9); // 1 of 20000
    for (int x = 10; x < 31; x++) b.v[20 * 200 + x] = 20;
    EXPECT_EQ(longestTear(b), 21);
    for (int y = 0; y < 100; y++)
        for (int x = 190; x < 200; x++) b.v[y * 200 + x] = 90;
    EXPECT_NEAR(rightEdgeStep(b), 10 * 30 / (16.0 * 120), 1e-3);
}

// Trees, bushes and rocks stand in the surface model at the depth of
// their feet, so a bike behind one is hidden; every terrain has some.
TEST_F(TerrainPicturesTest, ObjectsHideWhatIsBehindThem) {
    for (const TerrainPlan& plan : terrainSet()) {
        releaseTrack(&t);
        ASSERT_TRUE(loadSurfaceModel(&t, plan.number));
        ASSERT_TRUE(loadHeightModel(&t, plan.number));
        HeightField f = generateHeightField(plan);
        std::vector<TerrainObject> objects = terrainObjects(plan, f, turnedHeights(f));
        EXPECT_GT(objects.size(), 40u) << "track " << plan.number;
        int tall = 0, standing = 0;
        for (const TerrainObject& o : objects) {
            if (o.height < 10) continue;
            tall++;
            // the middle of the tree: a bike at the depth of the ground just
            // behind the foot does not show there
            int px = o.footX, py = o.footY - o.height / 2;
            standing += !markVisible(&t, px, py, o.depth + 4) && depthAt(&t, px, py) <= o.depth;
        }
        EXPECT_GE(standing * 10, tall * 9) << "track " << plan.number << ": " << standing << " of " << tall;
    }
}

} // namespace
