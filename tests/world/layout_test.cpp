#include "world/layout.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

void le32(Bytes& b, int32_t v) {
    for (int i = 0; i < 4; i++) b.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}
void le16(Bytes& b, int v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}
Bytes header(int32_t keepouts, int32_t checkpoints, int32_t paths, int32_t x, int32_t y, int32_t dir, int32_t masked) {
    Bytes b;
    for (int32_t v : {keepouts, checkpoints, paths, x, y, dir, masked}) le32(b, v);
    return b;
}
void polygonBytes(Bytes& b, std::vector<std::pair<int, int>> points) {
    le32(b, (int32_t)points.size());
    for (auto [x, y] : points) {
        le16(b, x);
        le16(b, y);
    }
}

struct LayoutTest : ::testing::Test {
    GameDir dir;
    char savedFolder[sizeof dataFolder];
    LevelLayout* layout = nullptr;

    void SetUp() override {
        memcpy(savedFolder, dataFolder, sizeof dataFolder);
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
        clearLog();
        logThreshold = 6;
        layout = createLayout();
    }
    void TearDown() override {
        destroyLayout(&layout);
        logThreshold = 0;
        clearLog();
        memcpy(dataFolder, savedFolder, sizeof dataFolder);
    }
    std::string path(int level) { return dir.data(("level" + std::to_string(level) + ".lvl").c_str()); }
    void writeBytes(int level, const Bytes& b) {
        std::ofstream(path(level), std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
    }
    Bytes readBytes(int level) {
        std::ifstream in(path(level), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // Every line of the log ring, oldest first, run together.
    std::string logged() {
        std::string all;
        for (int i = LOG_LINES - 1; i >= 0; i--) all += std::string(logText[i], strnlen(logText[i], LOG_COLUMNS));
        return all;
    }
    void add(int kind, std::vector<std::pair<int, int>> points) {
        layout->currentKind = kind;
        ASSERT_TRUE(newPolygon(layout));
        Polygon* p = currentList(layout).polygons[layout->current];
        for (auto [x, y] : points) appendVertex(p, x, y);
    }
    int totalPolygons() { return layout->keepoutCount + layout->checkpointCount + layout->racePathCount; }
};

TEST_F(LayoutTest, NewLayoutIsEmpty) {
    EXPECT_EQ(layout->current, -1);
    EXPECT_EQ(layout->masked, 1);
    EXPECT_EQ(layout->currentKind, KIND_KEEPOUT);
    EXPECT_EQ(layout->startX, 0);
    EXPECT_EQ(layout->startY, 0);
    EXPECT_EQ(layout->startDirection, 0);
    EXPECT_EQ(totalPolygons(), 0);
}

TEST_F(LayoutTest, NewPolygonStopsAtEachKindsLimit) {
    const int limits[] = {MAX_KEEPOUTS, MAX_CHECKPOINTS, MAX_RACE_PATHS};
    for (int kind = 0; kind < 3; kind++) {
        layout->currentKind = kind;
        for (int i = 0; i < limits[kind]; i++) {
            ASSERT_TRUE(newPolygon(layout));
            EXPECT_EQ(layout->current, i);
        }
        EXPECT_FALSE(newPolygon(layout));
        EXPECT_EQ(*currentList(layout).count, limits[kind]);
        EXPECT_EQ(layout->current, limits[kind] - 1);
    }
    EXPECT_EQ(layout->keepoutCount, 20);
    EXPECT_EQ(layout->checkpointCount, 16);
    EXPECT_EQ(layout->racePathCount, 8);
}

TEST_F(LayoutTest, StartPointKindMakesNoPolygon) {
    layout->currentKind = KIND_START_POINT;
    EXPECT_FALSE(newPolygon(layout));
    EXPECT_EQ(totalPolygons(), 0);
    EXPECT_EQ(layout->current, -1);
    // Its current list is the keep-outs, as for any kind but 1 and 2.
    EXPECT_EQ(currentList(layout).polygons, layout->keepouts);
    layout->currentKind = 9;
    EXPECT_EQ(currentList(layout).polygons, layout->keepouts);
}

TEST_F(LayoutTest, DeleteMovesTheLastIntoTheGap) {
    for (int i = 0; i < 5; i++) add(KIND_CHECKPOINT, {{i, i}});
    Polygon* fifth = layout->checkpoints[4];
    layout->current = 1;
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpointCount, 4);
    EXPECT_EQ(layout->checkpoints[1], fifth);
    EXPECT_EQ(layout->checkpoints[4], nullptr);
    EXPECT_EQ(layout->current, -1);
    deleteCurrentPolygon(layout); // no current polygon: nothing
    EXPECT_EQ(layout->checkpointCount, 4);
    layout->current = 3;
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpointCount, 3);
    EXPECT_EQ(layout->checkpoints[0]->vertices[0].x, 0);
    EXPECT_EQ(layout->checkpoints[1]->vertices[0].x, 4);
    EXPECT_EQ(layout->checkpoints[2]->vertices[0].x, 2);
    layout->current = 7; // beyond the list: nothing
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpointCount, 3);
}

TEST_F(LayoutTest, FindVertexAndEdge) {
    add(KIND_KEEPOUT, {{100, 100}, {200, 100}, {200, 180}});
    add(KIND_KEEPOUT, {{300, 300}, {320, 300}});
    Polygon** list = layout->keepouts;
    EXPECT_EQ(findVertex(list, 2, 203, 97).polygon, 0);
    EXPECT_EQ(findVertex(list, 2, 203, 97).index, 1);
    EXPECT_EQ(findVertex(list, 2, 204, 100).polygon, -1);
    EXPECT_EQ(findVertex(list, 2, 204, 100).index, -1);
    EXPECT_EQ(findVertex(list, 2, 317, 301).polygon, 1);
    EXPECT_EQ(findVertex(list, 2, 317, 301).index, 1);
    // Edge 0 has its midpoint at (150, 100); the closing edge at (150, 140).
    EXPECT_EQ(findEdge(list, 2, 159, 91).index, 0);
    EXPECT_EQ(findEdge(list, 2, 160, 100).index, -1);
    EXPECT_EQ(findEdge(list, 2, 141, 149).index, 2);
    // Both edges of a two-vertex polygon share a midpoint: the first wins.
    EXPECT_EQ(findEdge(list, 2, 310, 300).polygon, 1);
    EXPECT_EQ(findEdge(list, 2, 310, 300).index, 0);
    EXPECT_EQ(findEdge(list, 1, 310, 300).polygon, -1);
}

TEST_F(LayoutTest, SaveWritesTheExactBytes) {
    layout->startX = 130;
    layout->startY = -2;
    layout->startDirection = 270;
    layout->masked = 0;
    add(KIND_KEEPOUT, {{1, 2}, {511, 0}, {-1, 70000}});
    add(KIND_KEEPOUT, {});
    add(KIND_RACE_PATH, {{40, 50}});
    ASSERT_TRUE(saveLayout(layout, 7));

    Bytes want = header(2, 0, 1, 130, -2, 270, 0);
    polygonBytes(want, {{1, 2}, {511, 0}, {0xFFFF, 70000 & 0xFFFF}});
    polygonBytes(want, {});
    polygonBytes(want, {{40, 50}});
    EXPECT_EQ(readBytes(7), want);
    EXPECT_EQ(want.size(), 28u + 4 + 12 + 4 + 4 + 4);
    EXPECT_FALSE(std::ifstream(path(7) + ".tmp").good());
}

TEST_F(LayoutTest, RoundTripAtTheLimits) {
    // Full lists, coordinates across 0..65535, a long polygon.
    for (int k = 0; k < MAX_KEEPOUTS; k++) add(KIND_KEEPOUT, {{k, 65535 - k}, {65535, 0}, {k * 3000, k}});
    for (int k = 0; k < MAX_CHECKPOINTS; k++) add(KIND_CHECKPOINT, {{0, k}, {k, 0}});
    std::vector<std::pair<int, int>> longPath;
    for (int i = 0; i < 70000; i++) longPath.push_back({i & 0xFFFF, (i * 7) & 0xFFFF});
    for (int k = 0; k < MAX_RACE_PATHS; k++) add(KIND_RACE_PATH, k == 3 ? longPath : std::vector<std::pair<int, int>>{});
    layout->startX = 511;
    layout->startY = 65535;
    layout->startDirection = 359;
    ASSERT_TRUE(saveLayout(layout, 119));
    Bytes saved = readBytes(119);

    LevelLayout* back = createLayout();
    back->currentKind = KIND_RACE_PATH;
    back->current = 2;
    ASSERT_TRUE(loadLayout(back, 119));
    EXPECT_EQ(back->current, -1);
    EXPECT_EQ(back->currentKind, KIND_KEEPOUT);
    EXPECT_EQ(back->keepoutCount, 20);
    EXPECT_EQ(back->checkpointCount, 16);
    EXPECT_EQ(back->racePathCount, 8);
    EXPECT_EQ(back->startX, 511);
    EXPECT_EQ(back->startY, 65535);
    EXPECT_EQ(back->startDirection, 359);
    EXPECT_EQ(back->masked, 1);
    EXPECT_EQ(back->keepouts[19]->vertices[0].x, 19);
    EXPECT_EQ(back->keepouts[19]->vertices[0].y, 65516);
    EXPECT_EQ(back->keepouts[19]->vertices[2].x, 57000);
    EXPECT_EQ(back->checkpoints[15]->vertices[1].x, 15);
    ASSERT_EQ(back->racePaths[3]->count, 70000);
    EXPECT_EQ(back->racePaths[3]->vertices[69999].x, 69999 & 0xFFFF);
    EXPECT_EQ(back->racePaths[3]->vertices[69999].y, (69999 * 7) & 0xFFFF);
    EXPECT_EQ(back->racePaths[7]->count, 0);
    ASSERT_TRUE(saveLayout(back, 118));
    EXPECT_EQ(readBytes(118), saved);
    destroyLayout(&back);
}

TEST_F(LayoutTest, NegativeCoordinatesComeBackUnsigned) {
    add(KIND_CHECKPOINT, {{-1, -2}, {65536, 65537}});
    ASSERT_TRUE(saveLayout(layout, 3));
    ASSERT_TRUE(loadLayout(layout, 3));
    Polygon* p = layout->checkpoints[0];
    EXPECT_EQ(p->vertices[0].x, 65535);
    EXPECT_EQ(p->vertices[0].y, 65534);
    EXPECT_EQ(p->vertices[1].x, 0);
    EXPECT_EQ(p->vertices[1].y, 1);
}

TEST_F(LayoutTest, LoadReplacesEveryList) {
    Bytes file = header(1, 0, 0, 5, 6, 7, 1);
    polygonBytes(file, {{9, 9}, {10, 10}, {11, 9}});
    writeBytes(2, file);
    add(KIND_KEEPOUT, {{1, 1}});
    add(KIND_CHECKPOINT, {{1, 1}});
    add(KIND_RACE_PATH, {{1, 1}});
    ASSERT_TRUE(loadLayout(layout, 2));
    EXPECT_EQ(layout->keepoutCount, 1);
    EXPECT_EQ(layout->checkpointCount, 0);
    EXPECT_EQ(layout->racePathCount, 0);
    EXPECT_EQ(layout->keepouts[0]->count, 3);
    EXPECT_EQ(layout->keepouts[0]->vertices[2].x, 11);
    EXPECT_EQ(layout->keepouts[0]->vertices[2].y, 9);
    EXPECT_EQ(layout->startDirection, 7);
}

TEST_F(LayoutTest, TrailingBytesAreIgnored) {
    Bytes file = header(0, 1, 0, 0, 0, 0, 0);
    polygonBytes(file, {{3, 4}});
    file.insert(file.end(), {1, 2, 3, 4, 5});
    writeBytes(4, file);
    ASSERT_TRUE(loadLayout(layout, 4));
    EXPECT_EQ(layout->checkpointCount, 1);
    EXPECT_EQ(layout->checkpoints[0]->vertices[0].y, 4);
}

TEST_F(LayoutTest, MissingFileKeepsTheStartPoint) {
    layout->startX = 44;
    add(KIND_KEEPOUT, {{1, 1}});
    EXPECT_FALSE(loadLayout(layout, 55));
    EXPECT_NE(logged().find("Unable to load level description"), std::string::npos);
    EXPECT_EQ(layout->startX, 44);
    EXPECT_EQ(totalPolygons(), 0);
}

TEST_F(LayoutTest, OverFullFilesAreRejected) {
    const int32_t counts[][3] = {{21, 0, 0}, {0, 17, 0}, {0, 0, 9}, {-1, 0, 0}, {0, -5, 0}, {0, 0, INT32_MIN}};
    for (auto& c : counts) {
        // Enough polygons for any count to be read if it were accepted.
        Bytes file = header(c[0], c[1], c[2], 12, 34, 56, 0);
        for (int i = 0; i < 25; i++) polygonBytes(file, {{i, i}});
        writeBytes(5, file);
        clearLog();
        add(KIND_KEEPOUT, {{1, 1}});
        EXPECT_FALSE(loadLayout(layout, 5)) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_NE(logged().find("Level description error."), std::string::npos);
        EXPECT_EQ(totalPolygons(), 0);
        // The header's start point is still taken over.
        EXPECT_EQ(layout->startX, 12);
        EXPECT_EQ(layout->startY, 34);
        EXPECT_EQ(layout->startDirection, 56);
        EXPECT_EQ(layout->masked, 0);
    }
    // The largest counts load.
    Bytes full = header(20, 16, 8, 0, 0, 0, 1);
    for (int i = 0; i < 44; i++) polygonBytes(full, {{i, 2 * i}});
    writeBytes(5, full);
    EXPECT_TRUE(loadLayout(layout, 5));
    EXPECT_EQ(totalPolygons(), 44);
    EXPECT_EQ(layout->racePaths[7]->vertices[0].y, 86);
}

TEST_F(LayoutTest, EveryTruncationIsRejected) {
    Bytes file = header(1, 1, 1, 1, 2, 3, 1);
    polygonBytes(file, {{5, 6}, {7, 8}});
    polygonBytes(file, {});
    polygonBytes(file, {{9, 10}});
    writeBytes(6, file);
    ASSERT_TRUE(loadLayout(layout, 6));
    ASSERT_EQ(totalPolygons(), 3);
    for (size_t size = 0; size < file.size(); size++) {
        writeBytes(6, Bytes(file.begin(), file.begin() + (long)size));
        clearLog();
        EXPECT_FALSE(loadLayout(layout, 6)) << size;
        EXPECT_EQ(totalPolygons(), 0) << size;
        EXPECT_NE(logged().find("Level description error."), std::string::npos) << size;
    }
}

TEST_F(LayoutTest, VertexCountsBeyondTheFileAreRejected) {
    const int32_t counts[] = {-1, INT32_MIN, INT32_MAX, 0x40000000, 3};
    for (int32_t n : counts) {
        Bytes file = header(0, 1, 0, 0, 0, 0, 1);
        le32(file, n);
        for (int i = 0; i < 2; i++) {
            le16(file, i);
            le16(file, i);
        }
        writeBytes(8, file);
        EXPECT_FALSE(loadLayout(layout, 8)) << n;
        EXPECT_EQ(totalPolygons(), 0) << n;
    }
    // A count that only fits if the next polygon's bytes were taken.
    Bytes file = header(0, 2, 0, 0, 0, 0, 1);
    polygonBytes(file, {{1, 1}});
    le32(file, 2);
    le16(file, 4);
    le16(file, 4);
    writeBytes(8, file);
    EXPECT_FALSE(loadLayout(layout, 8));
    EXPECT_EQ(totalPolygons(), 0);
}

TEST_F(LayoutTest, UnwritableFolderFailsTheSave) {
    add(KIND_KEEPOUT, {{1, 1}});
    snprintf(dataFolder, sizeof dataFolder, "%sMissing/", dir.base().c_str());
    EXPECT_FALSE(saveLayout(layout, 1));
    EXPECT_NE(logged().find("Unable to save level description"), std::string::npos);
}

TEST_F(LayoutTest, FailedSaveKeepsTheOldFile) {
    Bytes old = header(0, 0, 0, 1, 1, 1, 1);
    writeBytes(9, old);
    // A folder where the temporary file would go blocks the write.
    ASSERT_TRUE(std::filesystem::create_directory(path(9) + ".tmp"));
    add(KIND_KEEPOUT, {{1, 1}});
    EXPECT_FALSE(saveLayout(layout, 9));
    EXPECT_EQ(readBytes(9), old);
}

} // namespace
