#include "shell/display.h"
#include "world/polydraw.h"
#include "world_support.h"

namespace {

struct OutlineTest : ::testing::Test {
    Surface* s = nullptr;
    Polygon* p = nullptr;
    void SetUp() override { resetDisplayGeometry(); }
    void TearDown() override {
        destroySurface(&s);
        destroyPolygon(&p);
    }
    void make(int w, int h, const PointList& points) {
        destroySurface(&s);
        destroyPolygon(&p);
        s = createSurface(w, h);
        p = makePolygon(points);
    }
};

TEST_F(OutlineTest, StraightOutlines) {
    make(8, 5, {{0, 0}, {3, 0}, {3, 2}});
    drawPolygonOutline(s, p, 2, 1, 0x1234);
    EXPECT_EQ(picture(s, 0x1234), (Picture{"........", "..####..", "...#.#..", "....##..", "........"}));
    // Two vertices: the edge there and back, whose directions differ.
    make(6, 3, {{0, 0}, {4, 2}});
    drawPolygon(s, p);
    EXPECT_EQ(picture(s, 0xFFFF), (Picture{"##....", ".###..", "...##."}));
    p->colour = 0x07C0;
    drawPolygon(s, p);
    EXPECT_EQ(picture(s, 0x07C0)[1], ".###..");
    // A single vertex draws no outline of any kind.
    make(4, 4, {{1, 1}});
    drawPolygonOutline(s, p, 0, 0, 0xFFFF);
    drawBlendedPolygonOutline(s, p, 0, 0, 0xFFFF, 0);
    drawRoundedOutline(s, p, 0, 0, 0xFFFF);
    EXPECT_EQ(picture(s, 0xFFFF), (Picture{"....", "....", "....", "...."}));
}

TEST_F(OutlineTest, BlendedOutlineAndHandles) {
    make(12, 7, {{1, 1}, {5, 1}, {5, 4}});
    fillSurface(s, packColor(31, 31, 31));
    drawBlendedPolygonOutline(s, p, 0, 0, 0, 220);
    // Black over white keeping weight 220: (31 * 220) >> 8 = 26; corners
    // lie on two edges and are blended twice.
    EXPECT_EQ(getPixel(s, 3, 1), packColor(26, 26, 26));
    EXPECT_EQ(getPixel(s, 5, 1), packColor(22, 22, 22));
    EXPECT_EQ(getPixel(s, 0, 0), packColor(31, 31, 31));

    make(12, 7, {{2, 2}, {10, 2}});
    fillSurface(s, packColor(31, 31, 31));
    drawVertexHandles(s, p, 0, 1, packColor(31, 0, 0));
    // Red at old-pixel weight 170: red 31 * 255 >> 8 = 30, others 20.
    EXPECT_EQ(picture(s, packColor(30, 20, 20)),
              (Picture{"????????????", "#####???####", "#####???####", "#####???####", "#####???####",
                       "#####???####", "????????????"}));
}

TEST_F(OutlineTest, RoundedOutlineCutsTheCorners) {
    make(15, 13, {{1, 1}, {13, 1}, {13, 11}, {1, 11}});
    drawRoundedOutline(s, p, 0, 0, 0xFFFF);
    // Each corner runs from the following edge's midpoint back to the
    // preceding one. The segment (2,1)-(1,2) of the top-left bend steps
    // straight first and so ends on the corner pixel itself.
    EXPECT_EQ(picture(s, 0xFFFF), (Picture{"...............", ".##########....", ".#........##...", ".#..........#..",
                                           ".#..........#..", ".#...........#.", ".#...........#.", ".#..........#..",
                                           ".#.........#...", ".#........#....", "..####...##....", "......###......",
                                           "..............."}));
    // Two vertices: each bend turns back before reaching its vertex.
    make(14, 2, {{2, 0}, {12, 0}});
    drawRoundedOutline(s, p, 0, 1, 0xFFFF);
    EXPECT_EQ(picture(s, 0xFFFF)[1], "....######....");
}

} // namespace
