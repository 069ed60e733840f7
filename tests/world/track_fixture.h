// A synthetic terrain for the track and scene tests: a height model made
// from a height function, a depth picture rendered with the game's own
// projection (nearest terrain wins in every picture point), a patterned
// colour picture, and small voxel models of known sprite size.
#pragma once
#include "gfx/trig.h"
#include "platform/headless.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "shell/random.h"
#include "support/game_fixture.h"
#include "world/description.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/track.h"
#include "world/voxel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// The real picture size: 1161 columns for the world plus margins, and the
// rows for the whole world's depth plus the highest lift.
const int PICTURE_WIDTH = 1168;
const int PICTURE_HEIGHT = 720;
const int SKY_DEPTH = 255;

typedef std::function<int(int x, int y)> HeightField;

// Height cells so that heightAt(x, y) == field(x, y) (x from 4 on; world
// x 0..3 reads outside the model).
inline Surface* makeHeightModel(const HeightField& field) {
    Surface* cells = createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
    for (int row = 0; row < HEIGHT_MODEL_SIZE; row++)
        for (int column = 1; column < HEIGHT_MODEL_SIZE; column++)
            putPixel(cells, column, row, (Color)field(4 * (512 - column), 4 * (511 - row)));
    return cells;
}

// Each picture column looks at the world column it shows; walking from the
// near edge to the far one, every point covers the rows up to the last
// point's row, so the nearest terrain is what the picture shows.
inline Surface* makeSurfaceModel(const Track* t, int width, int height) {
    std::vector<int> depth((size_t)width * height, SKY_DEPTH);
    for (int px = 0; px < width; px++) {
        int x = (int)(((int64_t)(px + 3) * 2048 + 1160) / 1161);
        int top = height;
        for (int y = WORLD_SIZE - 1; y >= 0 && top > 0; y--) {
            int h = heightAt(t, x, y);
            int py = std::max(pictureRow(t, y, h), 0);
            for (int row = py; row < top; row++) depth[(size_t)row * width + px] = pointDepth(y, h);
            top = std::min(top, py);
        }
    }
    Surface* model = createSurface(width / 2, height / 2);
    for (int v = 0; v < height / 2; v++)
        for (int u = 0; u < width / 2; u++) putPixel(model, u, v, (Color)depth[(size_t)(2 * v) * width + 2 * u]);
    return model;
}

// Every channel at least 8, so darkening by up to 8 always shows.
inline Color terrainColour(int px, int py) { return packColor(8 + px % 16, 8 + py % 16, 12 + (px + py) % 8); }

inline Surface* makeTerrainPicture(int width, int height) {
    Surface* s = createSurface(width, height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) putPixel(s, x, y, terrainColour(x, y));
    return s;
}

// Flat ground at height 10 with a ridge of height 120 across the world
// for world y in [1200, 1300).
inline int ridgeField(int, int y) { return y >= 1200 && y < 1300 ? 120 : 10; }
inline int flatField(int, int) { return 10; }

// A model of `rows` rows of `perRow` points one sprite pixel apart, left
// unrotated: its sprite holds rows x (perRow + 2) pixels, rows 24.., from
// column 23. The first point (never drawn) sits on the first row.
inline VoxelModel* blockModel(int rows, int perRow, Color c) {
    VoxelModel* m = createVoxelModel();
    addVoxelPoint(m, 0, 0, 0, c);
    for (int r = 0; r < rows; r++)
        for (int j = 0; j < perRow; j++) addVoxelPoint(m, 4 * j, 4 * r, 0, c);
    return m;
}

inline int spritePixels(const Surface* s) {
    int n = 0;
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) n += getPixel(s, x, y) != 0;
    return n;
}

class TrackTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetDisplayGeometry();
        headlessReset();
        platformUse(headlessBackend());
        buildTrigTables();
        seedRandom(7);
        memcpy(savedDataFolder, dataFolder, sizeof savedDataFolder);
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
        savedDescription = levelDescription;
        memset(&levelDescription, 0, sizeof levelDescription);
        levelDescription.laps = 1;
        savedMinimapSize = minimapSize;
        minimapSize = 64;
        createTrack(&t);
    }
    void TearDown() override {
        releaseTrack(&t);
        destroyMinimap();
        destroySurface(&original);
        destroySurface(&originalDepth);
        for (VoxelModel*& m : models) destroyVoxelModel(&m);
        minimapSize = savedMinimapSize;
        levelDescription = savedDescription;
        memcpy(dataFolder, savedDataFolder, sizeof dataFolder);
        iconSheet = nullptr;
    }

    // The three pictures at their real sizes, with copies of the colour
    // and depth pictures as made.
    void makeTerrain(const HeightField& field) {
        releaseTrack(&t);
        t.heightModel = makeHeightModel(field);
        t.terrain = makeTerrainPicture(PICTURE_WIDTH, PICTURE_HEIGHT);
        t.surfaceModel = makeSurfaceModel(&t, PICTURE_WIDTH, PICTURE_HEIGHT);
        destroySurface(&original);
        destroySurface(&originalDepth);
        original = copyOf(t.terrain);
        originalDepth = copyOf(t.surfaceModel);
    }
    static Surface* copyOf(const Surface* s) {
        Surface* c = createSurface(s->width, s->height);
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++) putPixel(c, x, y, getPixel(s, x, y));
        return c;
    }
    VoxelModel* keep(VoxelModel* m) {
        models.push_back(m);
        return m;
    }
    // A layout file for level N; polygons in layout units.
    typedef std::vector<std::vector<Point>> Shapes;
    void writeLayout(int level, int masked, const Shapes& keepouts, const Shapes& checkpoints) {
        LevelLayout* layout = createLayout();
        layout->masked = masked;
        auto add = [](Polygon** list, int32_t* count, const Shapes& shapes) {
            for (const auto& shape : shapes) {
                Polygon* p = createPolygon();
                for (const Point& v : shape) appendVertex(p, v.x, v.y);
                list[(*count)++] = p;
            }
        };
        add(layout->keepouts, &layout->keepoutCount, keepouts);
        add(layout->checkpoints, &layout->checkpointCount, checkpoints);
        ASSERT_TRUE(saveLayout(layout, level));
        destroyLayout(&layout);
    }
    static std::vector<Point> square(int x, int y, int size) {
        return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
    }
    // Picture pixels that differ from the terrain as made, within a box.
    int changedPixels(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += getPixel(t.terrain, x, y) != getPixel(original, x, y);
        return n;
    }
    int changedPixelsOutside(int x0, int y0, int x1, int y1, int fromRow) const {
        int n = 0;
        for (int y = fromRow; y < t.terrain->height; y++)
            for (int x = 0; x < t.terrain->width; x++)
                if (x < x0 || x >= x1 || y < y0 || y >= y1) n += getPixel(t.terrain, x, y) != getPixel(original, x, y);
        return n;
    }

    GameDir dir;
    Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};
    Surface* original = nullptr;
    Surface* originalDepth = nullptr;
    std::vector<VoxelModel*> models;
    char savedDataFolder[256];
    LevelDescription savedDescription;
    int savedMinimapSize = 64;
};
