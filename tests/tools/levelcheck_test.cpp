// The level check against levels made here: a sound race level on flat
// ground passes, and each way of breaking it gets its own message, alone.
#include "bake/files.h"
#include "bake/terrain_render.h"
#include "world/level_check.h"
#include "platform/headless.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "support/bytes.h"
#include "support/game_fixture.h"
#include "world/layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const int TRACK = 7;
const int WALLED_TRACK = 11; // with a wall across the square's west side
const int GROUND = 20;

typedef std::vector<Point> Shape;

// A race round a square on flat ground, ridden anticlockwise on the map:
// east along the south side from the start, north, west, south.
struct TestLevel {
    std::map<std::string, std::string> records = {{"name", "Square"},  {"description", "Round the square."},
                                                  {"track", "7"},      {"opponents", "3"},
                                                  {"laps", "2"},       {"par", "30"}};
    int startX = 240, startY = 400, startDirection = 0, masked = 0;
    std::vector<Shape> keepouts;
    std::vector<Shape> checkpoints = {{{256, 360}, {256, 440}, {266, 440}, {266, 360}},
                                      {{385, 255}, {415, 255}, {415, 245}, {385, 245}},
                                      {{255, 85}, {255, 115}, {245, 115}, {245, 85}},
                                      {{85, 245}, {115, 245}, {115, 255}, {85, 255}}};
    std::vector<Shape> paths = {squarePath()};

    static Shape squarePath() {
        Shape s;
        for (int x = 250; x < 400; x += 20) s.push_back({x, 400});
        for (int y = 400; y > 100; y -= 20) s.push_back({400, y});
        for (int x = 400; x > 100; x -= 20) s.push_back({x, 100});
        for (int y = 100; y < 400; y += 20) s.push_back({100, y});
        for (int x = 100; x < 250; x += 20) s.push_back({x, 400});
        return s;
    }
};

class LevelCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        resetDisplayGeometry();
        dir = new GameDir();
        writeTerrain(dir->base() + "Data/", TRACK, [](int, int) { return GROUND; });
        // As long as the bike's slope probes are apart: its pitch flips from
        // nose up to nose down in one tick, and it crashes.
        writeTerrain(dir->base() + "Data/", WALLED_TRACK,
                     [](int c, int r) { return c >= 90 && c < 110 && r >= 300 && r < 309 ? GROUND + 100 : GROUND; });
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        platformUse(headlessBackend());
        memcpy(savedFolder, dataFolder, sizeof savedFolder);
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir->base().c_str());
    }
    void TearDown() override { memcpy(dataFolder, savedFolder, sizeof dataFolder); }

    // Ground of the given cell heights, drawn by the bake's own renderer.
    template <typename Heights> static void writeTerrain(const std::string& folder, int number, Heights height) {
        HeightField f;
        size_t cells = (size_t)FIELD_SIZE * FIELD_SIZE;
        f.ground.resize(cells);
        f.cells.resize(cells);
        for (int r = 0; r < FIELD_SIZE; r++)
            for (int c = 0; c < FIELD_SIZE; c++) {
                f.cells[cellIndex(c, r)] = c == 0 ? 0 : height(c, r);
                f.ground[cellIndex(c, r)] = height(c, r);
            }
        f.ramps.assign(cells, 0.0f);
        f.rough.assign(cells, 0.0f);
        f.map = {std::vector<float>(cells, FAR_FROM_COURSE), std::vector<float>(cells, 0), std::vector<float>(cells, 0)};
        TerrainPlan plan{number, LOOK_GRASSLAND, 5, 0, {}};
        ASSERT_TRUE(writeTerrainPictures(folder, number, renderTerrain(plan, f)));
    }

    static void addShapes(Polygon** list, int32_t* count, const std::vector<Shape>& shapes) {
        for (const Shape& shape : shapes) {
            Polygon* p = createPolygon();
            for (Point v : shape) appendVertex(p, v.x, v.y);
            list[(*count)++] = p;
        }
    }

    void write(int level, const TestLevel& t) {
        std::string text;
        for (auto& [key, value] : t.records) text += "[" + key + "|" + value + "]\n";
        std::string name = std::string(dataFolder) + "level" + std::to_string(level) + ".txt";
        FILE* f = fopen(name.c_str(), "w");
        ASSERT_TRUE(f);
        fputs(text.c_str(), f);
        fclose(f);
        LevelLayout* layout = createLayout();
        layout->masked = t.masked;
        layout->startX = t.startX;
        layout->startY = t.startY;
        layout->startDirection = t.startDirection;
        addShapes(layout->keepouts, &layout->keepoutCount, t.keepouts);
        addShapes(layout->checkpoints, &layout->checkpointCount, t.checkpoints);
        addShapes(layout->racePaths, &layout->racePathCount, t.paths);
        ASSERT_TRUE(saveLayout(layout, level));
        destroyLayout(&layout);
    }

    std::vector<std::string> problemsOf(int level) {
        std::vector<std::string> problems;
        bool sound = checkLevel(level, &problems);
        EXPECT_EQ(sound, problems.empty());
        return problems;
    }

    // The level, broken one way, yields exactly one message, containing `expected`.
    void expectOneProblem(const TestLevel& t, const std::string& expected, int level = 3) {
        write(level, t);
        std::vector<std::string> problems = problemsOf(level);
        ASSERT_EQ(problems.size(), 1u) << expected << ": " << ::testing::PrintToString(problems);
        EXPECT_NE(problems[0].find(expected), std::string::npos) << problems[0];
    }

    static Shape square(int x, int y, int size) { return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}; }

    static GameDir* dir;
    char savedFolder[256];
};

GameDir* LevelCheckTest::dir = nullptr;

TEST_F(LevelCheckTest, SoundLevelPasses) {
    write(3, TestLevel());
    EXPECT_EQ(problemsOf(3), std::vector<std::string>());
}

TEST_F(LevelCheckTest, MissingFilesAreNamed) {
    EXPECT_EQ(problemsOf(40), (std::vector<std::string>{"description file level40.txt is missing",
                                                        "layout file level40.lvl is missing"}));
    TestLevel t;
    write(41, t);
    std::remove((std::string(dataFolder) + "level41.lvl").c_str());
    EXPECT_EQ(problemsOf(41), std::vector<std::string>{"layout file level41.lvl is missing"});
    t.records["track"] = "9";
    write(42, t);
    EXPECT_EQ(problemsOf(42), (std::vector<std::string>{"terrain picture track9.jpg is missing",
                                                        "surface model track9d.png is missing",
                                                        "height model track9.png is missing"}));
}

TEST_F(LevelCheckTest, DamagedLayoutIsReported) {
    write(43, TestLevel());
    std::string path = std::string(dataFolder) + "level43.lvl";
    FILE* f = fopen(path.c_str(), "r+b");
    ASSERT_TRUE(f);
    uint8_t seventeen[4] = {17, 0, 0, 0}; // more checkpoints than a layout holds
    fseek(f, 4, SEEK_SET);
    fwrite(seventeen, 1, 4, f);
    fclose(f);
    EXPECT_EQ(problemsOf(43), std::vector<std::string>{"layout file level43.lvl is damaged and cannot be read"});
}

TEST_F(LevelCheckTest, PicturesOfTheWrongSizeAreReported) {
    std::string folder = dataFolder;
    std::vector<uint8_t> small(256 * 256, GROUND);
    ASSERT_TRUE(writeGreyPng(folder + "track8.png", 256, 256, small));
    ASSERT_TRUE(writeJpeg(folder + "track8.jpg", Image(600, 400, {90, 120, 60}), 80));
    ASSERT_TRUE(writeGreyPng(folder + "track8d.png", 320, 200, std::vector<uint8_t>(320 * 200, 40)));
    TestLevel t;
    t.records["track"] = "8";
    write(44, t);
    std::vector<std::string> problems = problemsOf(44);
    ASSERT_EQ(problems.size(), 3u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0], "height model track8.png is 256 x 256; it must be 512 x 512");
    EXPECT_EQ(problems[1], "terrain picture track8.jpg is 600 x 400; the world and the camera need at least 1158 x 640");
    EXPECT_EQ(problems[2], "surface model track8d.png is 320 x 200; it must be half the terrain picture, 300 x 200");
}

TEST_F(LevelCheckTest, SurfaceModelOfAnotherTerrainIsReported) {
    std::string folder = dataFolder;
    std::vector<uint8_t> far((size_t)(TERRAIN_PICTURE_WIDTH / 2) * (TERRAIN_PICTURE_HEIGHT / 2), SKY_DEPTH);
    ASSERT_TRUE(writeGreyPng(folder + "track10d.png", TERRAIN_PICTURE_WIDTH / 2, TERRAIN_PICTURE_HEIGHT / 2, far));
    ASSERT_TRUE(writeBytes(folder + "track10.png", readBytes(folder + "track7.png")));
    ASSERT_TRUE(writeBytes(folder + "track10.jpg", readBytes(folder + "track7.jpg")));
    TestLevel t;
    t.records["track"] = "10";
    expectOneProblem(t, "surface model track10d.png does not match the height model");
}

TEST_F(LevelCheckTest, ValuesOutOfRange) {
    const std::pair<const char*, const char*> cases[][2] = {
        {{"opponents", "25"}, {"opponents 25 is out of range 0..19", ""}},
        {{"laps", "0"}, {"laps 0 is out of range 1..20", ""}},
        {{"par", "0"}, {"par 0 is out of range 1..3600", ""}},
        {{"leveltype", "3"}, {"leveltype 3 is out of range 0..1", ""}},
    };
    for (auto& c : cases) {
        TestLevel t;
        t.records[c[0].first] = c[0].second;
        SCOPED_TRACE(c[0].first);
        expectOneProblem(t, c[1].first);
    }
}

TEST_F(LevelCheckTest, NamesAndDescriptionsAreNeeded) {
    TestLevel t;
    t.records.erase("name");
    expectOneProblem(t, "the level has no name");
    t = TestLevel();
    t.records["description"] = std::string(520, 'a');
    expectOneProblem(t, "the description is 520 characters long; the game keeps only shorter than 500");
}

TEST_F(LevelCheckTest, StartPointProblems) {
    TestLevel t;
    t.startX = 0;
    expectOneProblem(t, "the level has no start point");
    t = TestLevel();
    t.startX = 1;
    expectOneProblem(t, "start point (1, 400) is off the world");
    t = TestLevel();
    t.startX = 200; // south of the path, clear of its nodes
    t.startY = 435;
    t.keepouts = {square(190, 425, 20)};
    expectOneProblem(t, "start point (200, 435) is on keep-out ground");
    t = TestLevel();
    t.startX = 250;
    t.startY = 490;
    expectOneProblem(t, "start point (250, 490) is off the course: 201 world units from the nearest checkpoint or race path");
    t = TestLevel();
    t.startDirection = 180;
    expectOneProblem(t, "start direction 180 faces against the course");
}

TEST_F(LevelCheckTest, GridProblems) {
    TestLevel t;
    t.records["opponents"] = "19";
    t.startY = 90; // the riders line up north-south, most beyond the north wall
    t.startX = 240;
    t.checkpoints[0] = {{256, 60}, {256, 120}, {266, 120}, {266, 60}};
    t.checkpoints[2] = {{255, 385}, {255, 415}, {245, 415}, {245, 385}};
    write(45, t);
    std::vector<std::string> problems = problemsOf(45);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].find("grid places are off the world"), std::string::npos) << problems[0];
    t = TestLevel();
    t.checkpoints[0] = {{256, 398}, {256, 402}, {266, 402}, {266, 398}}; // a narrow line the wide grid misses
    expectOneProblem(t, "grid places miss the start line on the way to their race path");
}

TEST_F(LevelCheckTest, CheckpointProblems) {
    TestLevel t;
    t.checkpoints[2] = {{385, 250}, {415, 250}, {415, 240}, {385, 240}}; // onto checkpoint 2
    expectOneProblem(t, "checkpoints 2 and 3 overlap");
    t = TestLevel();
    std::swap(t.checkpoints[1], t.checkpoints[2]);
    expectOneProblem(t, "race path 0 passes checkpoint 3 out of riding order (after checkpoint 1)");
    t = TestLevel();
    t.checkpoints[1] = square(300, 250, 10); // off the path
    expectOneProblem(t, "race path 0 misses checkpoint 2");
    t = TestLevel();
    t.checkpoints[3] = {{85, 245}, {115, 245}};
    expectOneProblem(t, "checkpoint 4 has fewer than 3 corners and cannot be taken");
    t = TestLevel();
    t.checkpoints.clear();
    expectOneProblem(t, "the level has no checkpoints");
}

TEST_F(LevelCheckTest, SixteenCheckpointsCannotAllBeTaken) {
    TestLevel t;
    t.checkpoints.clear();
    for (int k = 0; k < 16; k++) {
        int x = 256 + 9 * k; // along the south side
        t.checkpoints.push_back({{x, 360}, {x, 440}, {x + 4, 440}, {x + 4, 360}});
    }
    write(46, t);
    std::vector<std::string> problems = problemsOf(46);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0], "checkpoint 16 cannot be taken: the height model numbers checkpoints up to 15");
}

TEST_F(LevelCheckTest, RacePathProblems) {
    TestLevel t;
    t.paths.clear();
    expectOneProblem(t, "the race level has no AI race path");
    t = TestLevel();
    t.keepouts = {square(395, 195, 10)}; // round the node at (400, 200)
    expectOneProblem(t, "race path 0 has nodes on keep-out ground (");
    t = TestLevel();
    t.keepouts = {{{395, 168}, {405, 168}, {405, 172}, {395, 172}}}; // between two nodes, clear of both
    expectOneProblem(t, "race path 0 crosses keep-out ground after nodes");
    t = TestLevel();
    Shape sparse;
    for (size_t i = 0; i < t.paths[0].size(); i += 6) sparse.push_back(t.paths[0][i]);
    t.paths[0] = sparse;
    expectOneProblem(t, "race path 0 has nodes too far apart to follow");
    t = TestLevel();
    Shape shorter = t.paths[0];
    shorter.pop_back();
    t.paths.push_back(shorter);
    expectOneProblem(t, "race path 1 has 60 nodes and race path 0 has 61");
}

TEST_F(LevelCheckTest, GroundTooSteepToRide) {
    TestLevel t;
    t.records["track"] = std::to_string(WALLED_TRACK);
    expectOneProblem(t, "race path 0 runs over ground too steep to ride after node 48");
}

TEST_F(LevelCheckTest, MaskedLayoutWithoutKeepouts) {
    TestLevel t;
    t.masked = 1;
    expectOneProblem(t, "the layout is masked but has no keep-out polygons");
}

} // namespace
