#include "shell/log.h"
#include "shell/loop.h"
#include "world/layout.h"
#include "world_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

typedef std::vector<uint8_t> Bytes;

void le32(Bytes& b, int32_t v) {
    for (int i = 0; i < 4; i++) b.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}
Bytes header(std::vector<int32_t> fields) {
    Bytes b;
    for (int32_t v : fields) le32(b, v);
    return b;
}
void polygonBytes(Bytes& b, const PointList& points) {
    le32(b, (int32_t)points.size());
    for (auto [x, y] : points) le32(b, (int32_t)(((uint32_t)x & 0xFFFF) | (uint32_t)y << 16));
}

struct LayoutTest : DataFolderTest {
    LevelLayout* layout = createLayout();
    void TearDown() override {
        destroyLayout(&layout);
        DataFolderTest::TearDown();
    }
    std::string path(int level) { return file("level" + std::to_string(level) + ".lvl"); }
    void writeBytes(int level, const Bytes& b) {
        std::ofstream(path(level), std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
    }
    Bytes readBytes(int level) {
        std::ifstream in(path(level), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void add(int kind, const PointList& points) {
        layout->currentKind = kind;
        ASSERT_TRUE(newPolygon(layout));
        Polygon* p = currentList(layout).polygons[layout->current];
        for (auto [x, y] : points) appendVertex(p, x, y);
    }
    int total() { return layout->keepoutCount + layout->checkpointCount + layout->racePathCount; }
    // Loading fails with the damage logged and no polygons kept.
    void expectDamaged(const char* what) {
        clearLog();
        EXPECT_FALSE(loadLayout(layout, 5)) << what;
        EXPECT_NE(logged().find("Level description error."), std::string::npos) << what;
        EXPECT_EQ(total(), 0) << what;
    }
};

TEST_F(LayoutTest, NewPolygonsUpToEachKindsLimit) {
    EXPECT_EQ(header({layout->current, layout->masked, layout->currentKind, layout->startX, layout->startY,
                      layout->startDirection, total()}),
              header({-1, 1, 0, 0, 0, 0, 0}));
    const int limits[] = {MAX_KEEPOUTS, MAX_CHECKPOINTS, MAX_RACE_PATHS};
    for (int kind = 0; kind < 3; kind++) {
        layout->currentKind = kind;
        for (int i = 0; i < limits[kind]; i++) ASSERT_TRUE(newPolygon(layout));
        EXPECT_FALSE(newPolygon(layout));
        EXPECT_EQ(*currentList(layout).count, limits[kind]);
        EXPECT_EQ(layout->current, limits[kind] - 1);
    }
    layout->currentKind = KIND_START_POINT;
    EXPECT_FALSE(newPolygon(layout));
    EXPECT_EQ(currentList(layout).polygons, layout->keepouts);
    EXPECT_EQ(total(), 44);
}

TEST_F(LayoutTest, DeleteMovesTheLastIntoTheGap) {
    for (int i = 0; i < 5; i++) add(KIND_CHECKPOINT, {{i, i}});
    Polygon* fifth = layout->checkpoints[4];
    layout->current = 1;
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpoints[1], fifth);
    EXPECT_EQ(layout->checkpoints[4], nullptr);
    EXPECT_EQ(layout->current, -1);
    deleteCurrentPolygon(layout);
    layout->current = 7;
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpointCount, 4);
    layout->current = 3;
    deleteCurrentPolygon(layout);
    EXPECT_EQ(layout->checkpointCount, 3);
    EXPECT_EQ(layout->checkpoints[2]->vertices[0].x, 2);
}

TEST_F(LayoutTest, FindVertexAndEdge) {
    add(KIND_KEEPOUT, {{100, 100}, {200, 100}, {200, 180}});
    add(KIND_KEEPOUT, {{300, 300}, {320, 300}});
    auto vertex = [&](int x, int y) { PolygonHit h = findVertex(layout->keepouts, 2, x, y); return std::pair{h.polygon, h.index}; };
    auto edge = [&](int x, int y) { PolygonHit h = findEdge(layout->keepouts, 2, x, y); return std::pair{h.polygon, h.index}; };
    EXPECT_EQ(vertex(203, 97), std::pair(0, 1));
    EXPECT_EQ(vertex(204, 100), std::pair(-1, -1));
    EXPECT_EQ(vertex(317, 301), std::pair(1, 1));
    // Midpoints: edge 0 at (150, 100), the closing edge at (150, 140).
    EXPECT_EQ(edge(159, 91), std::pair(0, 0));
    EXPECT_EQ(edge(160, 100), std::pair(-1, -1));
    EXPECT_EQ(edge(141, 149), std::pair(0, 2));
    EXPECT_EQ(edge(310, 300), std::pair(1, 0));
    EXPECT_EQ(findEdge(layout->keepouts, 1, 310, 300).polygon, -1);
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
    Bytes want = header({2, 0, 1, 130, -2, 270, 0});
    polygonBytes(want, {{1, 2}, {511, 0}, {0xFFFF, 70000 - 65536}});
    polygonBytes(want, {});
    polygonBytes(want, {{40, 50}});
    EXPECT_EQ(want.size(), 56u);
    EXPECT_EQ(readBytes(7), want);
    EXPECT_FALSE(std::filesystem::exists(path(7) + ".tmp"));
}

TEST_F(LayoutTest, RoundTripAtTheLimits) {
    for (int k = 0; k < MAX_KEEPOUTS; k++) add(KIND_KEEPOUT, {{k, 65535 - k}, {-1, 0}, {k * 3000, k}});
    for (int k = 0; k < MAX_CHECKPOINTS; k++) add(KIND_CHECKPOINT, {{0, k}, {k, 65536}});
    for (int k = 0; k < MAX_RACE_PATHS; k++) add(KIND_RACE_PATH, PointList(k, {k, 7}));
    layout->startDirection = 359;
    ASSERT_TRUE(saveLayout(layout, 119));

    LevelLayout* back = createLayout();
    back->currentKind = KIND_RACE_PATH;
    back->current = 2;
    ASSERT_TRUE(loadLayout(back, 119));
    EXPECT_EQ(header({back->current, back->currentKind, back->keepoutCount, back->checkpointCount,
                      back->racePathCount, back->startDirection, back->masked}),
              header({-1, 0, 20, 16, 8, 359, 1}));
    EXPECT_EQ(pointsOf(back->keepouts[19]), (PointList{{19, 65516}, {65535, 0}, {57000, 19}}));
    EXPECT_EQ(pointsOf(back->checkpoints[15]), (PointList{{0, 15}, {15, 0}}));
    EXPECT_EQ(pointsOf(back->racePaths[7]), PointList(7, {7, 7}));
    ASSERT_TRUE(saveLayout(back, 118));
    EXPECT_EQ(readBytes(118), readBytes(119));
    destroyLayout(&back);

    // A long path, read in one piece and written back byte for byte.
    PointList longPath;
    for (int i = 0; i < 70000; i++) longPath.push_back({i & 0xFFFF, (i * 7) & 0xFFFF});
    Bytes bytes = header({0, 0, 1, 0, 0, 0, 1});
    polygonBytes(bytes, longPath);
    writeBytes(117, bytes);
    ASSERT_TRUE(loadLayout(layout, 117));
    EXPECT_EQ(pointsOf(layout->racePaths[0]), longPath);
    ASSERT_TRUE(saveLayout(layout, 116));
    EXPECT_EQ(readBytes(116), bytes);
}

TEST_F(LayoutTest, LoadReplacesEveryListAndIgnoresTrailingBytes) {
    Bytes bytes = header({1, 0, 0, 5, 6, 7, 1});
    polygonBytes(bytes, {{9, 9}, {10, 10}, {11, 9}});
    bytes.insert(bytes.end(), {1, 2, 3});
    writeBytes(2, bytes);
    add(KIND_KEEPOUT, {{1, 1}});
    add(KIND_CHECKPOINT, {{1, 1}});
    add(KIND_RACE_PATH, {{1, 1}});
    ASSERT_TRUE(loadLayout(layout, 2));
    EXPECT_EQ(total(), 1);
    EXPECT_EQ(pointsOf(layout->keepouts[0]), (PointList{{9, 9}, {10, 10}, {11, 9}}));
    EXPECT_EQ(layout->startDirection, 7);
}

TEST_F(LayoutTest, MissingFileKeepsTheStartPoint) {
    layout->startX = 44;
    add(KIND_KEEPOUT, {{1, 1}});
    EXPECT_FALSE(loadLayout(layout, 55));
    EXPECT_NE(logged().find("Unable to load level description"), std::string::npos);
    EXPECT_EQ(layout->startX, 44);
    EXPECT_EQ(total(), 0);
}

TEST_F(LayoutTest, OverFullAndNegativeCountsAreRejected) {
    const int32_t counts[][3] = {{21, 0, 0}, {0, 17, 0}, {0, 0, 9}, {-1, 0, 0}, {0, -5, 0}, {0, 0, INT32_MIN}};
    for (auto& c : counts) {
        Bytes bytes = header({c[0], c[1], c[2], 12, 34, 56, 0});
        for (int i = 0; i < 25; i++) polygonBytes(bytes, {{i, i}});
        writeBytes(5, bytes);
        add(KIND_KEEPOUT, {{1, 1}});
        expectDamaged("polygon counts");
        // The start point of the header is still taken over.
        EXPECT_EQ(header({layout->startX, layout->startY, layout->startDirection, layout->masked}),
                  header({12, 34, 56, 0}));
    }
    Bytes full = header({20, 16, 8, 0, 0, 0, 1});
    for (int i = 0; i < 44; i++) polygonBytes(full, {{i, 2 * i}});
    writeBytes(5, full);
    EXPECT_TRUE(loadLayout(layout, 5));
    EXPECT_EQ(pointsOf(layout->racePaths[7]), (PointList{{43, 86}}));
}

TEST_F(LayoutTest, TruncatedFilesAndVertexCountsBeyondTheFile) {
    Bytes bytes = header({1, 1, 1, 1, 2, 3, 1});
    polygonBytes(bytes, {{5, 6}, {7, 8}});
    polygonBytes(bytes, {});
    polygonBytes(bytes, {{9, 10}});
    for (size_t size = 0; size < bytes.size(); size++) {
        writeBytes(5, Bytes(bytes.begin(), bytes.begin() + (long)size));
        expectDamaged(std::to_string(size).c_str());
    }
    for (int32_t n : {-1, INT32_MIN, INT32_MAX, 0x40000000, 3}) {
        Bytes b = header({0, 1, 0, 0, 0, 0, 1});
        le32(b, n);
        b.insert(b.end(), 8, 0);
        writeBytes(5, b);
        expectDamaged(std::to_string(n).c_str());
    }
    // A count that would only fit by taking the next polygon's bytes.
    Bytes b = header({0, 2, 0, 0, 0, 0, 1});
    polygonBytes(b, {{1, 1}});
    polygonBytes(b, {{4, 4}});
    b[36] = 2; // its vertex count
    writeBytes(5, b);
    expectDamaged("second polygon");
}

TEST_F(LayoutTest, FailedSavesAreReportedAndKeepTheOldFile) {
    Bytes old = header({0, 0, 0, 1, 1, 1, 1});
    writeBytes(9, old);
    // A folder in the place of the temporary file blocks the write.
    ASSERT_TRUE(std::filesystem::create_directory(path(9) + ".tmp"));
    add(KIND_KEEPOUT, {{1, 1}});
    EXPECT_FALSE(saveLayout(layout, 9));
    EXPECT_EQ(readBytes(9), old);
    snprintf(dataFolder, sizeof dataFolder, "%sMissing/", dir.base().c_str());
    clearLog();
    EXPECT_FALSE(saveLayout(layout, 1));
    EXPECT_NE(logged().find("Unable to save level description"), std::string::npos);
}

} // namespace
