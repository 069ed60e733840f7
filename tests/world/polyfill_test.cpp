#include "world/polyfill.h"
#include "shell/display.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Picture;

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
    Polygon* polygon(std::initializer_list<std::pair<int, int>> points) {
        Polygon* p = createPolygon();
        for (auto [x, y] : points) appendVertex(p, x, y);
        polygons.push_back(p);
        return p;
    }
    // '#' where the pixel equals c, '.' where it is 0, '?' otherwise.
    Picture picture(Color c) {
        Picture rows;
        for (int y = 0; y < s->height; y++) {
            std::string row;
            for (int x = 0; x < s->width; x++) {
                Color v = getPixel(s, x, y);
                row += v == c ? '#' : v == 0 ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
    int count(Color c) {
        int n = 0;
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++) n += getPixel(s, x, y) == c;
        return n;
    }
};

TEST_F(FillTest, RectangleCoversPixelCentresInside) {
    s = createSurface(8, 7);
    fillPolygon(s, polygon({{2, 2}, {6, 2}, {6, 5}, {2, 5}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(RED), (Picture{"........", "........", "..####..", "..####..", "..####..", "........",
                                     "........"}));
}

TEST_F(FillTest, SlopedEdgesUseTheFixedPointCrossings) {
    s = createSurface(14, 11);
    fillPolygon(s, polygon({{1, 1}, {12, 4}, {3, 9}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(RED), (Picture{"..............", ".####.........", ".########.....", "..##########..",
                                     "..########....", "..######......", "..#####.......", "...##.........",
                                     "..............", "..............", ".............."}));
}

TEST_F(FillTest, RoundedFillFollowsTheCornerCurves) {
    s = createSurface(15, 13);
    fillRoundedPolygon(s, polygon({{1, 1}, {13, 1}, {13, 11}, {1, 11}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(RED),
              (Picture{"...............", ".##########....", ".##########....", ".###########...", ".###########...",
                       ".############..", ".###########...", ".###########...", ".##########....", "..########.....",
                       "...............", "...............", "..............."}));
}

TEST_F(FillTest, PaintModesOnRealPixels) {
    s = createSurface(6, 6);
    Polygon* p = polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
    Color old = packColor(31, 0, 10), c = packColor(0, 31, 20);

    fillSurface(s, old);
    fillPolygon(s, p, 0, 0, c, 100);
    // Each channel: (old * 100 + colour * 155) >> 8.
    Color blended = packColor((31 * 100) >> 8, (31 * 155) >> 8, (10 * 100 + 20 * 155) >> 8);
    EXPECT_EQ(blended, packColor(12, 18, 16));
    EXPECT_EQ(count(blended), 9);
    EXPECT_EQ(getPixel(s, 1, 1), blended);
    EXPECT_EQ(getPixel(s, 4, 4), old);

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
}

TEST_F(FillTest, OrFillCombinesBits) {
    s = createSurface(6, 6);
    fillSurface(s, 0x0300);
    orFillPolygon(s, polygon({{0, 0}, {3, 0}, {3, 2}, {0, 2}}), 0, 0, 0x8001);
    EXPECT_EQ(count(0x8301), 6);
    EXPECT_EQ(getPixel(s, 2, 1), 0x8301);
    EXPECT_EQ(getPixel(s, 3, 1), 0x0300);
}

TEST_F(FillTest, OverlappingToggleFillsCancel) {
    s = createSurface(10, 8);
    fillPolygon(s, polygon({{0, 0}, {6, 0}, {6, 5}, {0, 5}}), 0, 0, RED, PAINT_TOGGLE);
    fillPolygon(s, polygon({{3, 2}, {9, 2}, {9, 7}, {3, 7}}), 0, 0, RED, PAINT_TOGGLE);
    EXPECT_EQ(picture(RED), (Picture{"######....", "######....", "###...###.", "###...###.", "###...###.",
                                     "...######.", "...######.", ".........."}));
}

TEST_F(FillTest, EvenOddLeavesAHole) {
    // An outer square and an inner one joined by a seam walked both ways.
    s = createSurface(14, 14);
    fillPolygon(s, polygon({{0, 0}, {12, 0}, {12, 12}, {0, 12}, {0, 0}, {4, 4}, {4, 8}, {8, 8}, {8, 4}, {4, 4}}), 1,
                1, RED, PAINT_SET);
    for (int y = 0; y < 14; y++)
        for (int x = 0; x < 14; x++) {
            bool outer = x >= 1 && x <= 12 && y >= 1 && y <= 12;
            bool hole = x >= 5 && x <= 8 && y >= 5 && y <= 8;
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

TEST_F(FillTest, OffsetMovesTheFill) {
    s = createSurface(8, 8);
    fillPolygon(s, polygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}}), 5, 3, RED, PAINT_SET);
    EXPECT_EQ(count(RED), 4);
    EXPECT_EQ(getPixel(s, 5, 3), RED);
    EXPECT_EQ(getPixel(s, 6, 4), RED);
}

TEST_F(FillTest, PolygonsReachingOffTheSurfaceStayFilledInside) {
    // Runs that begin above or left of the surface, whether by the offset
    // or by negative coordinates, are painted from the surface edge on.
    s = createSurface(6, 6);
    fillPolygon(s, polygon({{0, 0}, {4, 0}, {4, 8}, {0, 8}}), -2, -5, RED, PAINT_SET);
    EXPECT_EQ(picture(RED), (Picture{"##....", "##....", "##....", "......", "......", "......"}));
    fillSurface(s, 0);
    fillPolygon(s, polygon({{-9, -20}, {3, -20}, {3, 2}, {-9, 2}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(picture(RED), (Picture{"###...", "###...", "......", "......", "......", "......"}));
    fillSurface(s, 0);
    fillPolygon(s, polygon({{2, 3}, {60000, 3}, {60000, 70000}, {2, 70000}}), 0, 0, RED, PAINT_SET);
    EXPECT_EQ(count(RED), 12);
}

TEST_F(FillTest, SameLogicalPixelsInEveryMemoryOrder) {
    Picture first;
    for (int orientation = 0; orientation < 4; orientation++) {
        applyOrientationGeometry(orientation);
        s = createSurface(14, 11);
        fillPolygon(s, polygon({{1, 1}, {12, 4}, {3, 9}}), 0, 0, RED, PAINT_SET);
        fillPolygon(s, polygon({{-4, -4}, {5, -4}, {5, 3}, {-4, 3}}), 0, 0, RED, PAINT_TOGGLE);
        if (orientation == 0) first = picture(RED);
        else EXPECT_EQ(picture(RED), first) << orientation;
        destroySurface(&s);
    }
    EXPECT_EQ(first[0], "#####.........");
    EXPECT_EQ(first[2], "#....####.....");
}

TEST_F(FillTest, ScanReportsRunsWithinTheBox) {
    struct Run {
        int column, top, bottom;
    };
    std::vector<Run> runs;
    auto collect = [](void* context, int column, int top, int bottom) {
        ((std::vector<Run>*)context)->push_back({column, top, bottom});
    };
    Polygon* p = polygon({{100, 200}, {104, 200}, {104, 230}, {100, 230}});
    scanPolygon(p, {-1000, -1000, 1000, 1000}, collect, &runs);
    ASSERT_EQ(runs.size(), 4u);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(runs[i].column, 100 + i);
        EXPECT_EQ(runs[i].top, 200);
        EXPECT_EQ(runs[i].bottom, 230);
    }
    runs.clear();
    scanPolygon(p, {102, 210, 200, 215}, collect, &runs);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].column, 102);
    EXPECT_EQ(runs[0].top, 210);
    EXPECT_EQ(runs[0].bottom, 216);
}

} // namespace
