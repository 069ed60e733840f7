// Helpers shared by the world tests: polygons from point lists, surfaces
// as pictures, and a data folder of their own with errors logged.
#pragma once
#include "gfx/surface.h"
#include "support/game_fixture.h"
#include "world/geometry.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

typedef std::vector<std::pair<int, int>> PointList;
typedef std::vector<std::string> Picture;

Polygon* makePolygon(const PointList& points);
PointList pointsOf(const Polygon* p);
// A row per string: '#' where the pixel is c, '.' where it is 0, else '?'.
Picture picture(const Surface* s, Color c);

struct DataFolderTest : ::testing::Test {
    GameDir dir;
    std::string savedFolder;
    void SetUp() override;
    void TearDown() override;
    std::string file(const std::string& name) const { return dir.data(name.c_str()); }
    // Every line of the log ring, oldest first, run together.
    static std::string logged();
};
