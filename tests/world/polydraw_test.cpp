#include "world/polydraw.h"
#include "shell/display.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <set>
#include <utility>

namespace {

typedef std::set<std::pair<int, int>> Points;

struct OutlineTest : ::testing::Test {
    Surface* s = nullptr;
    Polygon* p = nullptr;
    void SetUp() override { resetDisplayGeometry(); }
    void TearDown() override {
        destroySurface(&s);
        destroyPolygon(&p);
    }
    void make(std::initializer_list<std::pair<int, int>> points) {
        destroyPolygon(&p);
        p = createPolygon();
        for (auto [x, y] : points) appendVertex(p, x, y);
    }
    Points lit(Color c) {
        Points out;
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++)
                if (getPixel(s, x, y) == c) out.insert({x, y});
        return out;
    }
};

TEST_F(OutlineTest, ClosedOutlineWithOffset) {
    s = createSurface(10, 10);
    make({{0, 0}, {3, 0}, {3, 2}});
    drawPolygonOutline(s, p, 2, 1, 0x1234);
    // (0,0)-(3,0), (3,0)-(3,2) and the closing (3,2)-(0,0), shifted.
    EXPECT_EQ(lit(0x1234), (Points{{2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}, {4, 3}, {3, 2}}));
}

TEST_F(OutlineTest, TwoVerticesDrawTheEdgeThereAndBack) {
    s = createSurface(8, 8);
    make({{0, 0}, {4, 2}});
    drawPolygonOutline(s, p, 0, 0, 0xFFFF);
    // The two directions of the line cover different pixels.
    EXPECT_EQ(lit(0xFFFF), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {3, 2}, {1, 1}}));
}

TEST_F(OutlineTest, FewerThanTwoVerticesDrawNothing) {
    s = createSurface(8, 8);
    make({{3, 3}});
    drawPolygonOutline(s, p, 0, 0, 0xFFFF);
    drawBlendedPolygonOutline(s, p, 0, 0, 0xFFFF, 0);
    drawRoundedOutline(s, p, 0, 0, 0xFFFF);
    EXPECT_TRUE(lit(0).size() == 64u);
}

TEST_F(OutlineTest, PlainOutlineUsesOwnColour) {
    s = createSurface(8, 8);
    make({{1, 1}, {5, 1}});
    drawPolygon(s, p);
    EXPECT_EQ(lit(0xFFFF).size(), 5u);
    p->colour = 0x07C0;
    fillSurface(s, 0);
    drawPolygon(s, p);
    EXPECT_EQ(lit(0x07C0), (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
}

TEST_F(OutlineTest, BlendedOutlineBlendsEachEdgeOnce) {
    s = createSurface(8, 8);
    Color old = packColor(31, 31, 31);
    fillSurface(s, old);
    make({{1, 1}, {5, 1}, {5, 4}});
    drawBlendedPolygonOutline(s, p, 0, 0, 0, 220);
    // Black over white keeping weight 220: (31 * 220) >> 8 = 26 per channel.
    Color once = packColor(26, 26, 26);
    EXPECT_EQ(getPixel(s, 3, 1), once);
    EXPECT_EQ(getPixel(s, 5, 3), once);
    // Corner pixels belong to two edges and are blended twice.
    EXPECT_EQ(getPixel(s, 5, 1), packColor(22, 22, 22));
    EXPECT_EQ(getPixel(s, 0, 0), old);
}

TEST_F(OutlineTest, VertexHandlesAreBlendedBlocks) {
    s = createSurface(12, 12);
    fillSurface(s, packColor(31, 31, 31));
    make({{2, 2}, {10, 2}});
    drawVertexHandles(s, p, 0, 1, packColor(31, 0, 0));
    // Red at old-pixel weight 170 over white: red (31*170 + 31*85) >> 8 = 30,
    // the others (31 * 170) >> 8 = 20.
    Color handle = packColor(30, 20, 20);
    Points block;
    for (int cx : {2, 10})
        for (int dx = -2; dx <= 2; dx++)
            for (int dy = -2; dy <= 2; dy++)
                if (cx + dx < 12) block.insert({cx + dx, 3 + dy});
    EXPECT_EQ(lit(handle), block);
    EXPECT_EQ(block.size(), 45u);
}

TEST_F(OutlineTest, RoundedOutlineCutsTheCorners) {
    s = createSurface(16, 14);
    make({{1, 1}, {13, 1}, {13, 11}, {1, 11}});
    drawRoundedOutline(s, p, 0, 0, 0xFFFF);
    // Each corner runs from the following edge's midpoint back to the
    // preceding one. The segment (2,1)-(1,2) of the top-left bend steps
    // straight first and so ends on the corner pixel itself.
    const char* expected[] = {"................", ".##########.....", ".#........##....", ".#..........#...",
                              ".#..........#...", ".#...........#..", ".#...........#..", ".#..........#...",
                              ".#.........#....", ".#........#.....", "..####...##.....", "......###.......",
                              "................", "................"};
    Points want;
    for (int y = 0; y < 14; y++)
        for (int x = 0; x < 16; x++)
            if (expected[y][x] == '#') want.insert({x, y});
    EXPECT_EQ(lit(0xFFFF), want);
}

TEST_F(OutlineTest, RoundedOutlineOfTwoVerticesIsOneBend) {
    s = createSurface(16, 8);
    make({{2, 2}, {12, 2}});
    drawRoundedOutline(s, p, 0, 3, 0xFFFF);
    // Both corners bend between the same midpoint and run on the line.
    Points drawn = lit(0xFFFF);
    for (auto [x, y] : drawn) EXPECT_EQ(y, 5);
    // Each bend turns back before reaching its vertex.
    EXPECT_TRUE(drawn.count({7, 5}));
    EXPECT_FALSE(drawn.count({12, 5}));
    EXPECT_FALSE(drawn.count({2, 5}));
}

} // namespace
