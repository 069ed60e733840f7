// The baked terrains and levels, read back through the game's own loaders
// and queries: the pictures agree with the height and depth queries, the
// camera can frame every edge, every level passes the level check and the
// levels grow harder with their numbers. The whole bake's test checks that
// a second bake gives the same bytes.
#include "bake/level_set.h"
#include "bake/terrain_render.h"
#include "bake/terrain_set.h"
#include "gfx/trig.h"
#include "race/ride_check.h"
#include "race/race.h"
#include "world/level_check.h"
#include "platform/headless.h"
#include "player/scores.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "support/baked_data.h"
#include "world/description.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/scene.h"
#include "world/track.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace {

const int RIDER_LIFT = 10;

class BakedLevelsTest : public ::testing::Test {
protected:
    // The level check runs over the baked files as a test of its own.
    void SetUp() override {
        resetDisplayGeometry();
        platformUse(headlessBackend());
        memcpy(savedFolder, dataFolder, sizeof savedFolder);
        snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
        savedDescription = levelDescription;
        ASSERT_TRUE(bakedDataSetPresent());
    }
    void TearDown() override {
        releaseTrack(&t);
        levelDescription = savedDescription;
        memcpy(dataFolder, savedFolder, sizeof dataFolder);
    }

    void loadTerrain(int number) {
        releaseTrack(&t);
        loadTerrainPicture(&t, number);
        ASSERT_TRUE(loadSurfaceModel(&t, number));
        ASSERT_TRUE(loadHeightModel(&t, number));
    }
    // Level N as the level loading screen builds it.
    void loadLevel(int level) {
        resetLevelSwitches();
        ASSERT_TRUE(readLevelDescription(level));
        releaseTrack(&t);
        loadTrackPictures(&t, level);
    }

    Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};
    char savedFolder[256];
    LevelDescription savedDescription;
};

// Nearer ground in the same surface-model point that reaches up to the
// point's rows: the one thing that may hide it.
bool somethingNearerCovers(const Track* t, int x, int y, int px, int py) {
    for (int nx = std::max(0, x - 4); nx <= std::min(WORLD_SIZE - 1, x + 4); nx++) {
        if (pictureColumn(nx) >> 1 != px >> 1) continue;
        for (int ny = y + 1; ny < WORLD_SIZE; ny++)
            if (pictureRow(t, ny, heightAt(t, nx, ny)) <= (py | 1)) return true;
    }
    return false;
}

TEST_F(BakedLevelsTest, TerrainPicturesHaveTheirSizes) {
    for (const TerrainPlan& plan : terrainSet()) {
        loadTerrain(plan.number);
        EXPECT_EQ(t.terrain->width, TERRAIN_PICTURE_WIDTH);
        EXPECT_EQ(t.terrain->height, TERRAIN_PICTURE_HEIGHT);
        EXPECT_EQ(t.surfaceModel->width, TERRAIN_PICTURE_WIDTH / 2);
        EXPECT_EQ(t.surfaceModel->height, TERRAIN_PICTURE_HEIGHT / 2);
        EXPECT_EQ(t.heightModel->width, HEIGHT_MODEL_SIZE);
        EXPECT_EQ(t.heightModel->height, HEIGHT_MODEL_SIZE);
    }
}

TEST_F(BakedLevelsTest, HeightQueryReturnsTheGeneratedGround) {
    for (const TerrainPlan& plan : terrainSet()) {
        loadTerrain(plan.number);
        HeightField f = generateHeightField(plan);
        int wrong = 0;
        for (int r = 0; r < FIELD_SIZE; r++)
            for (int c = 0; c < FIELD_SIZE; c++) {
                int x = 4 * c + (c + r) % 4, y = 4 * r + (3 * c + r) % 4; // any point of the cell
                wrong += heightAt(&t, x, y) != f.cells[cellIndex(c, r)];
            }
        EXPECT_EQ(wrong, 0) << "track " << plan.number;
        // World x 0..3 reads outside the height model; the ground there is 0.
        EXPECT_EQ(heightAt(&t, 2, 900), 0);
        EXPECT_EQ(f.cells[cellIndex(0, 225)], 0);
        EXPECT_GT(f.cells[cellIndex(1, 225)], 0);
    }
}

// Or an object standing nearer, whose picture box holds the point.
bool anObjectCovers(const std::vector<TerrainObject>& objects, int px, int py, int depth) {
    for (const TerrainObject& o : objects)
        if (o.depth < depth - 3 && px >= o.left() && px <= o.right() && py >= o.top() && py <= o.bottom()) return true;
    return false;
}

TEST_F(BakedLevelsTest, SurfaceModelAgreesWithTheProjection) {
    const int step = 13;
    for (const TerrainPlan& plan : terrainSet()) {
        loadTerrain(plan.number);
        HeightField f = generateHeightField(plan);
        std::vector<TerrainObject> objects = terrainObjects(plan, f, turnedHeights(f));
        int samples = 0, behind = 0, hiddenWithoutCause = 0, hidden = 0;
        for (int y = 1; y < WORLD_SIZE; y += step)
            for (int x = 8; x < WORLD_SIZE - 8; x += step) {
                int h = heightAt(&t, x, y);
                Projection p = projectPoint(&t, x, y, h, 480);
                int stored = depthAt(&t, p.pictureX, p.pictureY);
                samples++;
                behind += stored > p.depth + 3;
                if (stored < p.depth - 3) {
                    hidden++;
                    hiddenWithoutCause += !somethingNearerCovers(&t, x, y, p.pictureX, p.pictureY) &&
                                          !anObjectCovers(objects, p.pictureX, p.pictureY, p.depth);
                }
            }
        EXPECT_EQ(behind, 0) << "track " << plan.number << ": ground in front of the stored depth";
        EXPECT_EQ(hiddenWithoutCause, 0) << "track " << plan.number << ": ground hidden by nothing nearer";
        EXPECT_LT(hidden * 3, samples) << "track " << plan.number;
    }
}

TEST_F(BakedLevelsTest, CameraFramesEveryEdge) {
    const int edges[] = {8, 1024, WORLD_SIZE - 9};
    for (int turned = 0; turned < 2; turned++) {
        Surface* view = turned ? createSurface(480, 640) : createSurface(640, 480);
        for (const TerrainPlan& plan : terrainSet()) {
            loadTerrain(plan.number);
            for (int x : edges)
                for (int y : edges) {
                    int h = heightAt(&t, x, y);
                    setCamera(&t, view, x, y, h);
                    EXPECT_GE(t.scrollX, 0);
                    EXPECT_LE(t.scrollX, t.terrain->width - view->width);
                    EXPECT_GE(t.scrollY, 0);
                    EXPECT_LE(t.scrollY, t.terrain->height - view->height);
                    Projection p = projectPoint(&t, x, y, h, view->height);
                    EXPECT_TRUE(p.screenX >= 0 && p.screenX < view->width && p.screenY >= 0 &&
                                p.screenY < view->height)
                        << "track " << plan.number << " at " << x << ", " << y;
                }
        }
        destroySurface(&view);
    }
}

TEST_F(BakedLevelsTest, EveryLevelPassesTheLevelCheck) {
    std::set<int> numbers;
    for (const LevelPlan& level : levelSet()) {
        std::vector<std::string> problems;
        EXPECT_TRUE(checkLevel(level.number, &problems)) << "level " << level.number << ": "
                                                         << ::testing::PrintToString(problems);
        numbers.insert(level.number);
    }
    std::set<int> expected;
    for (int i = 0; i < 20; i++) expected.insert({i, 100 + i});
    for (int i = 200; i < 205; i++) expected.insert(i);
    EXPECT_EQ(numbers, expected);
}

TEST_F(BakedLevelsTest, NamesAreUniqueAndShown) {
    std::set<std::string> names;
    for (const LevelPlan& level : levelSet()) {
        std::string name = levelName(level.number);
        EXPECT_FALSE(name.empty()) << level.number;
        names.insert(name);
        std::string text;
        ASSERT_TRUE(readLevelTextItem("description", level.number, &text));
        EXPECT_GE(text.size(), 20u) << level.number;
    }
    EXPECT_EQ(names.size(), levelSet().size());
}

TEST_F(BakedLevelsTest, RacesGrowHarder) {
    int lastOpponents = 0, lastLaps = 0;
    for (int level = 0; level < 20; level++) {
        resetLevelSwitches();
        ASSERT_TRUE(readLevelDescription(level));
        EXPECT_GE(levelDescription.opponents, lastOpponents) << level;
        EXPECT_GE(levelDescription.laps, lastLaps) << level;
        lastOpponents = levelDescription.opponents;
        lastLaps = levelDescription.laps;
        if (level == 0) {
            EXPECT_LE(levelDescription.opponents, 4);
        }
    }
    EXPECT_EQ(lastOpponents, MAX_OPPONENTS);
}

// The share of the world a stunt course leaves drivable shrinks level by
// level, and a rider on its start point stands inside it.
TEST_F(BakedLevelsTest, StuntCoursesNarrow) {
    double lastWidth = 1e9;
    for (int level = 100; level < 120; level++) {
        loadLevel(level);
        EXPECT_NE(levelDescription.keepout, 0) << level;
        LevelLayout* layout = createLayout();
        ASSERT_TRUE(loadLayout(layout, level));
        EXPECT_GT(layout->keepoutCount, 0);
        int drivable = 0;
        for (int y = 0; y < WORLD_SIZE; y += 4)
            for (int x = 0; x < WORLD_SIZE; x += 4) drivable += !keepoutAt(&t, x, y);
        double length = 0;
        const Polygon* path = layout->racePaths[0];
        for (int i = 0; i < path->count; i++) {
            Point a = path->vertices[i], b = path->vertices[(i + 1) % path->count];
            length += 4 * std::hypot(b.x - a.x, b.y - a.y);
        }
        double width = drivable * 16 / length; // world units across
        EXPECT_LE(width, lastWidth + 2) << level;
        EXPECT_EQ(keepoutAt(&t, layout->startX * 4, layout->startY * 4), 0) << level;
        lastWidth = width;
        destroyLayout(&layout);
    }
    EXPECT_LT(lastWidth, 100);
}

// The riders are seen: along every race path, a bike's body (RIDER_LIFT
// above the ground) shows in the terrain picture nearly everywhere; only
// right behind a ramp's lip or a bump may the ground hide it.
TEST_F(BakedLevelsTest, CoursesAreInSight) {
    for (const LevelPlan& plan : levelSet()) {
        if (levelGameType(plan.number) == GAME_FREE_RIDE) continue;
        loadTerrain(plan.track);
        LevelLayout* layout = createLayout();
        ASSERT_TRUE(loadLayout(layout, plan.number));
        const Polygon* path = layout->racePaths[0];
        int samples = 0, seen = 0;
        for (int i = 0; i < path->count; i++) {
            Point a = path->vertices[i], b = path->vertices[(i + 1) % path->count];
            for (int k = 0; k < 8; k++) {
                int x = (a.x * (8 - k) + b.x * k) / 2, y = (a.y * (8 - k) + b.y * k) / 2;
                int h = heightAt(&t, x, y) + RIDER_LIFT;
                samples++;
                seen += markVisible(&t, pictureColumn(x), pictureRow(&t, y, h), pointDepth(y, h));
            }
        }
        EXPECT_GT(seen * 100, samples * 97) << "level " << plan.number << ": " << seen << " of " << samples;
        destroyLayout(&layout);
    }
}

} // namespace

// The baked levels against the ride check's bar, on a few levels of each
// kind: a plan change that spoils one fails here, not only in levelcheck.
TEST(BakedLevels, EasyMiddleAndHardLevelsPassTheRideCheck) {
    ASSERT_TRUE(bakedDataSetPresent());
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof saved);
    snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
    buildTrigTables();
    std::vector<RideResult> results;
    for (int level : {0, 9, 19, 100, 105, 119, 200}) {
        results.push_back(rideCheckLevel(level, 3));
        EXPECT_TRUE(results.back().sound) << results.back().line;
    }
    std::vector<std::string> problems;
    EXPECT_TRUE(parsTighten(results, &problems)) << (problems.empty() ? "" : problems[0]);
    memcpy(dataFolder, saved, sizeof dataFolder);
    releaseRace();
}
