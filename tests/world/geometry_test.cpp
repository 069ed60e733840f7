#include "world/geometry.h"
#include "world/polyfill.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

typedef std::vector<std::pair<int, int>> Points;

Polygon* makePolygon(std::initializer_list<std::pair<int, int>> points) {
    Polygon* p = createPolygon();
    for (auto [x, y] : points) appendVertex(p, x, y);
    return p;
}

Points vertices(const Polygon* p) {
    Points out;
    for (int i = 0; i < p->count; i++) out.push_back({p->vertices[i].x, p->vertices[i].y});
    return out;
}

Points samples(Point v0, Point v1, Point v2) {
    Point out[CORNER_SAMPLES];
    cornerSamples(v0, v1, v2, out);
    Points points;
    for (const Point& q : out) points.push_back({q.x, q.y});
    return points;
}

TEST(Polygon, NewPolygonIsEmptyAndWhite) {
    Polygon* p = createPolygon();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->count, 0);
    EXPECT_EQ(p->vertices, nullptr);
    EXPECT_EQ((uint16_t)p->colour, 0xFFFF);
    destroyPolygon(&p);
    EXPECT_EQ(p, nullptr);
    destroyPolygon(&p); // a cleared handle is harmless
}

TEST(Polygon, AppendReturnsTheNewVertex) {
    Polygon* p = createPolygon();
    Point* v = appendVertex(p, 7, -3);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v, &p->vertices[0]);
    v->x = 9; // the editor drags vertices through this
    appendVertex(p, 1, 2);
    EXPECT_EQ(vertices(p), (Points{{9, -3}, {1, 2}}));
    destroyPolygon(&p);
}

TEST(Polygon, InsertMidpointSplitsTheEdge) {
    Polygon* p = makePolygon({{0, 0}, {10, 0}, {10, 7}});
    insertMidpoint(p, 0);
    EXPECT_EQ(vertices(p), (Points{{0, 0}, {5, 0}, {10, 0}, {10, 7}}));
    // The last edge is the closing one, back to vertex 0; 7 >> 1 is 3.
    insertMidpoint(p, 3);
    EXPECT_EQ(vertices(p), (Points{{0, 0}, {5, 0}, {10, 0}, {10, 7}, {5, 3}}));
    insertMidpoint(p, 5);
    insertMidpoint(p, -1);
    EXPECT_EQ(p->count, 5);
    destroyPolygon(&p);
}

TEST(Polygon, MidpointsRoundDownAlsoBelowZero) {
    Polygon* p = makePolygon({{-3, -1}, {0, 0}});
    insertMidpoint(p, 0);
    EXPECT_EQ(vertices(p), (Points{{-3, -1}, {-2, -1}, {0, 0}}));
    destroyPolygon(&p);
}

TEST(Polygon, RemoveVertexKeepsOrder) {
    Polygon* p = makePolygon({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    removeVertex(p, 1);
    EXPECT_EQ(vertices(p), (Points{{1, 1}, {3, 3}, {4, 4}}));
    removeVertex(p, 3);
    removeVertex(p, -1);
    EXPECT_EQ(p->count, 3);
    removeVertex(p, 2);
    removeVertex(p, 0);
    EXPECT_EQ(vertices(p), (Points{{3, 3}}));
    removeVertex(p, 0);
    EXPECT_EQ(p->count, 0);
    EXPECT_EQ(p->vertices, nullptr);
    removeVertex(p, 0);
    EXPECT_EQ(p->count, 0);
    destroyPolygon(&p);
}

TEST(Curve, EndsAtTheEdgeMidpoints) {
    Point v0 = {3, 0}, v1 = {20, 8}, v2 = {9, 31};
    Point start = cornerPoint(v0, v1, v2, 0.0);
    Point end = cornerPoint(v0, v1, v2, 1.0);
    EXPECT_EQ(start.x, 11);
    EXPECT_EQ(start.y, 4);
    EXPECT_EQ(end.x, 14);
    EXPECT_EQ(end.y, 19);
}

TEST(Curve, FiveSamplesPerCorner) {
    EXPECT_EQ(samples({0, 0}, {10, 0}, {10, 10}), (Points{{6, 0}, {8, 0}, {9, 1}, {9, 3}, {10, 5}}));
    EXPECT_EQ(samples({100, 40}, {20, 60}, {50, 200}), (Points{{46, 56}, {36, 67}, {31, 83}, {31, 104}, {35, 130}}));
}

TEST(Curve, ParameterIsSteppedNotExact) {
    // The third sample is taken at 0.2 + 0.2 + 0.2, a little above 0.6,
    // which here lands one row lower than an exact 0.6 would.
    Point v0 = {104, 325}, v1 = {31, 22}, v2 = {26, 9};
    EXPECT_EQ(cornerPoint(v0, v1, v2, 0.6).y, 43);
    EXPECT_EQ(samples(v0, v1, v2), (Points{{53, 117}, {42, 74}, {35, 42}, {30, 23}, {28, 15}}));
}

TEST(Curve, RoundedPolygonStartsAtVertexOne) {
    Polygon* square = makePolygon({{1, 1}, {13, 1}, {13, 11}, {1, 11}});
    Polygon* r = roundedPolygon(square);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(vertices(r), (Points{{9, 1}, {10, 1}, {11, 2}, {12, 4}, {13, 6}, {12, 7}, {11, 9}, {10, 10}, {9, 10},
                                  {7, 11}, {4, 10}, {2, 10}, {1, 8}, {1, 7}, {1, 6}, {1, 4}, {1, 2}, {2, 1},
                                  {4, 1}, {7, 1}}));
    destroyPolygon(&r);
    removeVertex(square, 0);
    removeVertex(square, 0);
    EXPECT_EQ(roundedPolygon(square), nullptr);
    destroyPolygon(&square);
}

} // namespace
