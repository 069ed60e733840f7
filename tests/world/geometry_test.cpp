#include "world/polyfill.h"
#include "world_support.h"

namespace {

PointList samples(Point v0, Point v1, Point v2) {
    Point out[CORNER_SAMPLES];
    cornerSamples(v0, v1, v2, out);
    PointList points;
    for (const Point& q : out) points.push_back({q.x, q.y});
    return points;
}

TEST(Polygon, CreateAppendAndDestroy) {
    Polygon* p = createPolygon();
    EXPECT_EQ(p->count, 0);
    EXPECT_EQ(p->vertices, nullptr);
    EXPECT_EQ((uint16_t)p->colour, 0xFFFF);
    Point* v = appendVertex(p, 7, -3);
    EXPECT_EQ(v, &p->vertices[0]);
    v->x = 9; // the editor drags vertices through this
    appendVertex(p, 1, 2);
    EXPECT_EQ(pointsOf(p), (PointList{{9, -3}, {1, 2}}));
    destroyPolygon(&p);
    EXPECT_EQ(p, nullptr);
    destroyPolygon(&p);
}

TEST(Polygon, InsertMidpoint) {
    Polygon* p = makePolygon({{0, 0}, {10, 0}, {10, 7}});
    insertMidpoint(p, 0);
    // The last edge closes back to vertex 0; midpoints round down.
    insertMidpoint(p, 3);
    insertMidpoint(p, 5);
    insertMidpoint(p, -1);
    EXPECT_EQ(pointsOf(p), (PointList{{0, 0}, {5, 0}, {10, 0}, {10, 7}, {5, 3}}));
    destroyPolygon(&p);
    p = makePolygon({{-3, -1}, {0, 0}});
    insertMidpoint(p, 0);
    EXPECT_EQ(pointsOf(p), (PointList{{-3, -1}, {-2, -1}, {0, 0}}));
    destroyPolygon(&p);
}

TEST(Polygon, RemoveVertexKeepsOrder) {
    Polygon* p = makePolygon({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    removeVertex(p, 1);
    removeVertex(p, 3);
    removeVertex(p, -1);
    EXPECT_EQ(pointsOf(p), (PointList{{1, 1}, {3, 3}, {4, 4}}));
    for (int i = 0; i < 4; i++) removeVertex(p, 0);
    EXPECT_EQ(p->count, 0);
    EXPECT_EQ(p->vertices, nullptr);
    destroyPolygon(&p);
}

TEST(Curve, SamplesOfACorner) {
    Point start = cornerPoint({3, 0}, {20, 8}, {9, 31}, 0.0), end = cornerPoint({3, 0}, {20, 8}, {9, 31}, 1.0);
    EXPECT_EQ(PointList({{start.x, start.y}, {end.x, end.y}}), (PointList{{11, 4}, {14, 19}}));
    EXPECT_EQ(samples({0, 0}, {10, 0}, {10, 10}), (PointList{{6, 0}, {8, 0}, {9, 1}, {9, 3}, {10, 5}}));
    EXPECT_EQ(samples({100, 40}, {20, 60}, {50, 200}), (PointList{{46, 56}, {36, 67}, {31, 83}, {31, 104}, {35, 130}}));
    // The third sample is taken at 0.2 + 0.2 + 0.2, a little above 0.6,
    // which here lands one row above where an exact 0.6 would.
    EXPECT_EQ(cornerPoint({104, 325}, {31, 22}, {26, 9}, 0.6).y, 43);
    EXPECT_EQ(samples({104, 325}, {31, 22}, {26, 9}), (PointList{{53, 117}, {42, 74}, {35, 42}, {30, 23}, {28, 15}}));
}

TEST(Curve, RoundedPolygonStartsAtVertexOne) {
    Polygon* square = makePolygon({{1, 1}, {13, 1}, {13, 11}, {1, 11}});
    Polygon* r = roundedPolygon(square);
    EXPECT_EQ(pointsOf(r), (PointList{{9, 1}, {10, 1}, {11, 2}, {12, 4}, {13, 6}, {12, 7}, {11, 9}, {10, 10}, {9, 10},
                                     {7, 11}, {4, 10}, {2, 10}, {1, 8}, {1, 7}, {1, 6}, {1, 4}, {1, 2}, {2, 1},
                                     {4, 1}, {7, 1}}));
    destroyPolygon(&r);
    removeVertex(square, 0);
    removeVertex(square, 0);
    EXPECT_EQ(roundedPolygon(square), nullptr);
    destroyPolygon(&square);
}

} // namespace
