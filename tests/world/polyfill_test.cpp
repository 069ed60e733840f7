#include "shell/display.h"
#include "world/polyfill.h"
#include "world_support.h"

namespace {

const Color RED = packColor(31, 0, 0);

struct FillTest : ::testing::Test {
    Surface* s = nullptr;
    std::vector<Polygon*> polygons;
    void SetUp() override { resetDisplayGeometry(); }
    void TearDown() override {
        destroySurface(&s);
        for (Polygon*& p : polygons) destroyPolygon(&p);
        resetDisplayGeometry();
    }
    Polygon* polygon(const PointList& points) { return polygons.emplace_back(makePolygon(points)); }
    int count(Color c) {
        int n = 0;
        for (const std::string& row : picture(s, c)) n += (int)std::count(row.begin(), row.end(), '#');
        return n;
    }
};

TEST_F(FillTest, CoversPixelCentresInside) {
    s = createSurface(14, 11);
    fillPolygon(s, polygon({{2, 2}, {6, 2}, {6, 5}, {2, 5}}), 7, 5, RED, PAINT_SET);
    fillPolygon(s, polygon({{1, 1}, {12, 4}, {3, 9}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(s, RED), (Picture{"..............", ".####.........", ".########.....", "..##########..",
                                        "..########....", "..######......", "..#####.......", "...##....####.",
                                        ".........####.", ".........####.", ".............."}));
}

TEST_F(FillTest, RoundedFillFollowsTheCornerCurves) {
    s = createSurface(15, 11);
    fillRoundedPolygon(s, polygon({{1, 1}, {13, 1}, {13, 11}, {1, 11}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(s, RED), (Picture{"...............", ".##########....", ".##########....", ".###########...",
                                        ".###########...", ".############..", ".###########...", ".###########...",
                                        ".##########....", "..########.....", "..............."}));
}

TEST_F(FillTest, PaintModesOnRealPixels) {
    s = createSurface(6, 6);
    Polygon* p = polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
    Color old = packColor(31, 0, 10), c = packColor(0, 31, 20);
    fillSurface(s, old);
    fillPolygon(s, p, 0, 0, c, 100);
    // Each channel (old * 100 + colour * 155) >> 8.
    EXPECT_EQ(count(packColor(12, 18, 16)), 9);
    EXPECT_EQ(getPixel(s, 1, 1), packColor(12, 18, 16));
    fillSurface(s, old);
    fillPolygon(s, p, 0, 0, c, PAINT_SET);
    EXPECT_EQ(count(c), 9);
    EXPECT_EQ(count(old), 27);
    // Toggle: a lit pixel goes dark, a dark one takes the colour.
    fillSurface(s, 0);
    putPixel(s, 2, 2, old);
    fillPolygon(s, p, 0, 0, c, PAINT_TOGGLE);
    EXPECT_EQ(getPixel(s, 2, 2), 0);
    EXPECT_EQ(count(c), 8);
    fillPolygon(s, p, 0, 0, c, PAINT_TOGGLE);
    EXPECT_EQ(getPixel(s, 2, 2), c);
    EXPECT_EQ(count(0), 35);
    // OR fill.
    fillSurface(s, 0x0300);
    orFillPolygon(s, p, -1, -1, 0x8001);
    EXPECT_EQ(count(0x8301), 9);
    EXPECT_EQ(getPixel(s, 3, 3), 0x0300);
}

TEST_F(FillTest, ToggledOverlapsAndEvenOddHoles) {
    s = createSurface(14, 14);
    fillPolygon(s, polygon({{0, 0}, {6, 0}, {6, 5}, {0, 5}}), 0, 0, RED, PAINT_TOGGLE);
    fillPolygon(s, polygon({{3, 2}, {9, 2}, {9, 7}, {3, 7}}), 0, 0, RED, PAINT_TOGGLE);
    EXPECT_EQ(picture(s, RED)[3], "###...###.....");
    EXPECT_EQ(picture(s, RED)[6], "...######.....");
    // An outer square and an inner one joined by a seam walked both ways.
    fillSurface(s, 0);
    fillPolygon(s, polygon({{0, 0}, {12, 0}, {12, 12}, {0, 12}, {0, 0}, {4, 4}, {4, 8}, {8, 8}, {8, 4}, {4, 4}}), 1,
                1, RED, PAINT_SET);
    for (int y = 0; y < 14; y++)
        for (int x = 0; x < 14; x++) {
            bool outer = x >= 1 && x <= 12 && y >= 1 && y <= 12, hole = x >= 5 && x <= 8 && y >= 5 && y <= 8;
            EXPECT_EQ(getPixel(s, x, y), outer && !hole ? RED : 0) << x << "," << y;
        }
}

TEST_F(FillTest, DegeneratePolygonsPaintNothing) {
    s = createSurface(8, 8);
    fillPolygon(s, polygon({{1, 1}, {6, 5}}), 0, 0, RED, PAINT_SET);
    fillPolygon(s, polygon({{3, 0}, {3, 7}, {3, 4}}), 0, 0, RED, PAINT_SET);
    fillRoundedPolygon(s, polygon({{1, 1}, {6, 1}}), 0, 0, RED, PAINT_SET);
    orFillPolygon(s, polygon({{1, 1}, {6, 1}, {2, 1}}), 0, 0, RED);
    fillPolygon(s, polygon({}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(count(0), 64);
}

TEST_F(FillTest, RunsFromBeyondTheEdgesStayInside) {
    // Whether by the offset or by the coordinates, a run that begins above
    // the surface is painted from its top row on, and nothing else.
    s = createSurface(6, 6);
    fillPolygon(s, polygon({{0, 0}, {4, 0}, {4, 8}, {0, 8}}), -2, -5, RED, PAINT_SET);
    fillPolygon(s, polygon({{-9, -20}, {6, -20}, {6, 1}, {-9, 1}}), 0, 0, RED, PAINT_TOGGLE);
    fillPolygon(s, polygon({{4, 4}, {60000, 4}, {60000, 70000}, {4, 70000}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(s, RED), (Picture{"..####", "##....", "##....", "......", "....##", "....##"}));
}

TEST_F(FillTest, SameLogicalPixelsInEveryMemoryOrder) {
    Picture first;
    for (int orientation = 0; orientation < 4; orientation++) {
        applyOrientationGeometry(orientation);
        s = createSurface(14, 11);
        fillPolygon(s, polygon({{1, 1}, {12, 4}, {3, 9}}), 0, 0, RED, PAINT_SET);
        fillPolygon(s, polygon({{-4, -4}, {5, -4}, {5, 3}, {-4, 3}}), 0, 0, RED, PAINT_TOGGLE);
        if (orientation == 0) first = picture(s, RED);
        EXPECT_EQ(picture(s, RED), first) << orientation;
        destroySurface(&s);
    }
    EXPECT_EQ(first[2], "#....####.....");
}

TEST_F(FillTest, ScanReportsRunsWithinTheBox) {
    std::vector<std::vector<int>> runs;
    auto collect = [](void* to, int column, int top, int bottom) {
        ((std::vector<std::vector<int>>*)to)->push_back({column, top, bottom});
    };
    Polygon* p = polygon({{100, 200}, {104, 200}, {104, 230}, {100, 230}});
    scanPolygon(p, {-1000, -1000, 1000, 1000}, collect, &runs);
    EXPECT_EQ(runs, (std::vector<std::vector<int>>{{100, 200, 230}, {101, 200, 230}, {102, 200, 230}, {103, 200, 230}}));
    runs.clear();
    scanPolygon(p, {102, 210, 200, 215}, collect, &runs);
    EXPECT_EQ(runs, (std::vector<std::vector<int>>{{102, 210, 216}, {103, 210, 216}}));
}

} // namespace
