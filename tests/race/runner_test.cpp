#include "race/race.h"
#include "race/runner.h"
#include "gfx/trig.h"
#include "shell/loop.h"
#include "support/baked_data.h"
#include "support/game_fixture.h"
#include "world/description.h"
#include "world/layout.h"
#include "world/track.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

struct RunnerTest : ::testing::Test {
    GameDir dir;
    char savedFolder[sizeof dataFolder];
    void SetUp() override {
        ASSERT_TRUE(bakedDataSetPresent());
        buildTrigTables();
        memcpy(savedFolder, dataFolder, sizeof savedFolder);
    }
    void TearDown() override {
        releaseRace();
        memcpy(dataFolder, savedFolder, sizeof dataFolder);
    }
    void useBakedData() { snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str()); }
};

TEST_F(RunnerTest, ARaceIsTheSameForTheSameSeed) {
    useBakedData();
    ASSERT_TRUE(loadRunnerLevel(0));
    RunReport first = runRace(0, 42, PLAYER_BOT);
    releaseRace();
    RunReport again = runRace(0, 42, PLAYER_BOT);
    ASSERT_TRUE(first.raced);
    ASSERT_EQ(first.report.size(), again.report.size());
    for (size_t i = 0; i < first.report.size(); i++) {
        EXPECT_TRUE(first.report[i].finished) << i;
        EXPECT_EQ(first.report[i].finishTime, again.report[i].finishTime) << i;
        EXPECT_EQ(first.report[i].crashes, again.report[i].crashes) << i;
    }
    EXPECT_EQ(first.playerPlace, again.playerPlace);
    EXPECT_GT(first.report[0].finishTime, 10u * 80); // a real run, not a finish on the first tick
}

// Level 0's files, changed one way each, as a damaged disk or an editor
// could leave them. None may crash or hang; unraceable ones say why.
TEST_F(RunnerTest, DamagedLevelsRaceSafelyOrSayWhyNot) {
    useBakedData();
    LevelLayout* baked = createLayout();
    ASSERT_TRUE(loadLayout(baked, 0));
    for (const char* picture : {"track0.jpg", "track0.png", "track0d.png", "bike2.vox"})
        fs::copy_file(bakedDataFolder() + picture, dir.data(picture));
    snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
    ASSERT_TRUE(saveLayout(baked, 0));
    destroyLayout(&baked);
    auto copyOf = [](const Polygon* p) {
        Polygon* q = createPolygon();
        for (int i = 0; i < p->count; i++) appendVertex(q, p->vertices[i].x, p->vertices[i].y);
        return q;
    };
    struct Case {
        const char* what;
        std::function<void(LevelLayout*)> change;
        const char* text;     // description records beyond the track
        const char* problem;  // null: it races
        int riders;
    } cases[] = {
        {"nothing but a start", [](LevelLayout* l) { clearLayoutPolygons(l); }, "", "no checkpoints", 0},
        {"no paths", [](LevelLayout* l) { while (l->racePathCount > 0) destroyPolygon(&l->racePaths[--l->racePathCount]); },
         "[opponents|5]", nullptr, 6},
        {"paths of one node", [](LevelLayout* l) { for (int i = 0; i < l->racePathCount; i++) l->racePaths[i]->count = 1; },
         "[opponents|5]", nullptr, 6},
        {"sixteen checkpoints", [&](LevelLayout* l) { while (l->checkpointCount < 16) l->checkpoints[l->checkpointCount++] = copyOf(l->checkpoints[0]); },
         "[opponents|3]", nullptr, 4},
        {"start at 0", [](LevelLayout* l) { l->startX = 0; }, "", "no start point", 0},
        {"start outside", [](LevelLayout* l) { l->startX = 60000; l->startY = 65000; }, "[opponents|3]", nullptr, 4},
        {"start angle -1000", [](LevelLayout* l) { l->startDirection = -1000; }, "[opponents|3]", nullptr, 4},
        {"opponents -1", [](LevelLayout*) {}, "[opponents|-1]", nullptr, 1},
        {"opponents 25", [](LevelLayout*) {}, "[opponents|25]", nullptr, 20},
        {"laps 0", [](LevelLayout*) {}, "[laps|0][par|30]", nullptr, 1},
    };
    int level = 1;
    for (const Case& c : cases) {
        LevelLayout* l = createLayout();
        ASSERT_TRUE(loadLayout(l, 0)) << c.what;
        c.change(l);
        ASSERT_TRUE(saveLayout(l, level));
        destroyLayout(&l);
        std::ofstream(dir.data(("level" + std::to_string(level) + ".txt").c_str())) << "[track|0]" << c.text;
        ASSERT_TRUE(loadRunnerLevel(level)) << c.what;
        RunReport run = runRace(level, 3, PLAYER_BOT, 80 * 90);
        EXPECT_EQ(run.raced, c.problem == nullptr) << c.what;
        if (c.problem) {
            EXPECT_STREQ(run.problem, c.problem) << c.what;
        } else {
            EXPECT_EQ(run.riders, c.riders) << c.what;
        }
        for (int i = 0; i < riderCount; i++) {
            EXPECT_GE(wholeUnits(raceRiders[i]->x), WALL_LOW) << c.what;
            EXPECT_LT(wholeUnits(raceRiders[i]->x), WALL_HIGH) << c.what;
        }
        if (run.raced && run.report[0].finished) {
            EXPECT_GT(run.report[0].finishTime, 80u * 5) << c.what;
        }
        releaseRace();
        level++;
    }
}
