// The camera, the scene draw and the model passes on the synthetic terrain.
#include "world/scene.h"
#include "world/track_fixture.h"

#include <cmath>

namespace {

const Color BLOCK_COLOUR = packColor(31, 24, 4);

int fiftyField(int, int) { return 50; }

class SceneTest : public TrackTest {
protected:
    void SetUp() override {
        TrackTest::SetUp();
        target = createSurface(640, 480);
    }
    void TearDown() override {
        destroySurface(&target);
        destroySurface(&window);
        TrackTest::TearDown();
    }
    // The camera on (x, y, h) and the plain terrain window it shows, kept
    // as `window` for comparisons.
    void lookAt(int x, int y, int h) {
        setCamera(&t, target, x, y, h);
        drawScene(&t, target, nullptr, 0);
        destroySurface(&window);
        window = copyOf(target);
    }
    // The target pixels differing from the plain window.
    int changedOnTarget() const {
        int n = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++) n += getPixel(target, x, y) != getPixel(window, x, y);
        return n;
    }
    // The sprite's top-left corner on the target and in the picture for an
    // anchor, and the anchor's depth.
    struct Corner {
        int sx, sy, px, py, d;
    };
    Corner corner(int x, int y, int altitude) const {
        Projection p = projectPoint(&t, x, y, altitude, 480);
        return {p.screenX - 24, p.screenY - 24, p.pictureX - 24, p.pictureY - 24, p.depth};
    }
    bool spriteShows(const Corner& c, int i, int k) const {
        return depthAt(&t, (c.px + i) & 2047, c.py + k) >= c.d;
    }
    // A world x whose picture column is `column` screen columns from the
    // left edge.
    int worldXAtScreen(int column) const {
        int x = 0;
        while (pictureColumn(x) - t.scrollX < column) x++;
        return x;
    }
    SceneRider rider(VoxelModel* m, int x, int y, int z) const {
        SceneRider r = {};
        r.x = x << 10;
        r.y = y << 10;
        r.z = z << 10;
        r.model = m;
        return r;
    }
    // Every sprite pixel the ground does not hide shows `expect(colour)`;
    // returns how many there were on the target.
    template <typename Expect>
    int expectVisibleSprite(VoxelModel* m, const Corner& c, Expect expect) {
        int shown = 0;
        for (int k = 0; k < 48; k++)
            for (int i = 0; i < 48; i++) {
                Color s = getPixel(m->sprite, i, k);
                if (!s || !spriteShows(c, i, k) || !insideSurface(target, c.sx + i, c.sy + k)) continue;
                EXPECT_EQ(getPixel(target, c.sx + i, c.sy + k), expect(s)) << i << "," << k;
                shown++;
            }
        return shown;
    }

    Surface* target = nullptr;
    Surface* window = nullptr;
};

} // namespace

TEST_F(SceneTest, CameraPutsTheTargetAtFiveEighthsDown) {
    makeTerrain(flatField);
    setCamera(&t, target, 1024, 1024, 0);
    EXPECT_EQ(t.scrollX, 257);
    EXPECT_EQ(t.scrollY, 14);
    Projection p = projectPoint(&t, 1024, 1024, 0, 480);
    EXPECT_EQ(p.screenX, 320);
    EXPECT_EQ(p.screenY, 300);
    // The copy: target (a, b) shows picture (a + 257, b - 14 - 480 + 720).
    drawScene(&t, target, nullptr, 0);
    EXPECT_EQ(getPixel(target, 0, 0), terrainColour(257, 226));
    EXPECT_EQ(getPixel(target, 639, 479), terrainColour(896, 705));
}

TEST_F(SceneTest, CameraNearThePictureEdgesIsClamped) {
    makeTerrain(flatField);
    setCamera(&t, target, 0, 2047, 0);
    EXPECT_EQ(t.scrollX, 0);   // -323 raised
    EXPECT_EQ(t.scrollY, 0);   // -180 raised
    setCamera(&t, target, 2047, 0, 255);
    EXPECT_EQ(t.scrollX, 528); // 837 lowered to 1168 - 640
    EXPECT_EQ(t.scrollY, 240); // 479 lowered to 720 - 480
    // The target point is then off the reference point.
    Projection p = projectPoint(&t, 2047, 0, 255, 480);
    EXPECT_EQ(p.screenX, 1157 - 528);
    EXPECT_EQ(p.screenY, 61 - 720 + 240 + 480);

    // A picture smaller than the target ends with negative scrolls.
    releaseTrack(&t);
    t.terrain = createSurface(5, 5);
    fillSurface(t.terrain, 0x1234);
    setCamera(&t, target, 1024, 1024, 0);
    EXPECT_EQ(t.scrollX, 5 - 640);
    EXPECT_EQ(t.scrollY, 5 - 480);
    fillSurface(target, 0);
    drawScene(&t, target, nullptr, 0);
    EXPECT_EQ(getPixel(target, 635, 0), 0x1234); // placed at (635, -475 + 480 - 5)
    EXPECT_EQ(getPixel(target, 639, 4), 0x1234);
    EXPECT_EQ(getPixel(target, 634, 0), 0);
    EXPECT_EQ(getPixel(target, 635, 5), 0);
}

TEST_F(SceneTest, BodyBehindARidgeIsDarkenedAndOneInFrontIsDrawn) {
    makeTerrain(ridgeField);
    lookAt(1000, 1400, 10);
    VoxelModel* m = keep(blockModel(3, 23, BLOCK_COLOUR)); // 75 pixels
    renderVoxelModel(m);
    ASSERT_EQ(spritePixels(m->sprite), 75);

    drawModelBody(&t, m, target, 1000, 1800, 22);
    Corner front = corner(1000, 1800, 22);
    EXPECT_EQ(expectVisibleSprite(m, front, [](Color s) { return s; }), 75);

    drawModelBody(&t, m, target, 1000, 1000, 22);
    Corner back = corner(1000, 1000, 22);
    int hidden = 0;
    for (int k = 0; k < 48; k++)
        for (int i = 0; i < 48; i++) {
            if (!getPixel(m->sprite, i, k)) continue;
            ASSERT_FALSE(spriteShows(back, i, k));
            // 75 hidden pixels: darkened, no outline.
            EXPECT_EQ(getPixel(target, back.sx + i, back.sy + k), darkenColor(getPixel(window, back.sx + i, back.sy + k), 4));
            hidden++;
        }
    EXPECT_EQ(hidden, 75);
    EXPECT_EQ(changedOnTarget(), 150);
}

TEST_F(SceneTest, SeventySixHiddenPixelsBrightenTheOutline) {
    makeTerrain(ridgeField);
    lookAt(1000, 1400, 10);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR)); // 76 pixels
    drawModelBody(&t, m, target, 1000, 1000, 22);
    ASSERT_EQ(spritePixels(m->sprite), 76);
    ASSERT_TRUE(m->outlineValid);
    Corner back = corner(1000, 1000, 22);
    int outlined = 0;
    for (int k = 0; k < 48; k++)
        for (int i = 0; i < 48; i++) {
            if (!getPixel(m->sprite, i, k)) continue;
            Color darkened = darkenColor(getPixel(window, back.sx + i, back.sy + k), 4);
            bool edge = getPixel(m->outlineSprite, i, k) != 0;
            EXPECT_EQ(getPixel(target, back.sx + i, back.sy + k), edge ? brightenColor(darkened, 10) : darkened);
            outlined += edge;
        }
    // Rows 0 and 3 whole, the ends of rows 1 and 2.
    EXPECT_EQ(outlined, 19 + 19 + 4);
}

TEST_F(SceneTest, ShadowFallsOnVisibleGroundOnly) {
    makeTerrain(ridgeField);
    lookAt(1000, 1400, 10);
    VoxelModel* m = keep(createVoxelModel());
    addVoxelPoint(m, 0, 0, 0, BLOCK_COLOUR); // one point: an empty sprite, one shadow point
    // In front of the ridge: thrown 22 - 10 + 21 = 33 units along -x.
    drawModelShadow(&t, m, target, 1000, 1800, 22);
    Projection q = projectPoint(&t, 967, 1800, 10, 480);
    EXPECT_EQ(getPixel(target, q.screenX, q.screenY), darkenColor(getPixel(t.terrain, q.pictureX, q.pictureY), 4));
    EXPECT_EQ(getPixel(target, q.screenX + 1, q.screenY), darkenColor(getPixel(window, q.screenX + 1, q.screenY), 2));
    EXPECT_EQ(getPixel(target, q.screenX + 1, q.screenY + 1),
              darkenColor(getPixel(window, q.screenX + 1, q.screenY + 1), 2));
    EXPECT_EQ(changedOnTarget(), 3);
    // Behind the ridge the ground it would fall on is hidden.
    drawModelShadow(&t, m, target, 1000, 1000, 22);
    EXPECT_EQ(changedOnTarget(), 3);
}

TEST_F(SceneTest, NoShadowOnGroundFifteenOrMoreAboveTheModel) {
    makeTerrain(fiftyField);
    lookAt(1000, 1600, 50);
    VoxelModel* m = keep(createVoxelModel());
    addVoxelPoint(m, 0, 0, 0, BLOCK_COLOUR);
    drawModelShadow(&t, m, target, 1000, 1600, 35); // ground 50 = 35 + 15
    EXPECT_EQ(changedOnTarget(), 0);
    drawModelShadow(&t, m, target, 1000, 1600, 36);
    EXPECT_EQ(changedOnTarget(), 3);
}

TEST_F(SceneTest, StampWritesThePictureAndTheSurfaceModel) {
    makeTerrain(flatField);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR));
    // Drawing a body into the terrain picture itself stamps it.
    drawModelBody(&t, m, t.terrain, 1000, 1800, 22);
    Corner c = corner(1000, 1800, 22);
    int stamped = 0;
    for (int k = 0; k < 48; k++)
        for (int i = 0; i < 48; i++) {
            Color s = getPixel(m->sprite, i, k);
            if (!s) continue;
            ASSERT_GE(getPixel(originalDepth, (c.px + i) >> 1, (c.py + k) >> 1), c.d);
            EXPECT_EQ(getPixel(t.terrain, c.px + i, c.py + k), s);
            EXPECT_EQ(getPixel(t.surfaceModel, (c.px + i) >> 1, (c.py + k) >> 1), c.d);
            stamped++;
        }
    EXPECT_EQ(stamped, 76);
    // The stamp now hides ground drawn later behind it: a mark at the
    // ground farther back is no longer visible there.
    EXPECT_FALSE(markVisible(&t, c.px + 30, c.py + 24, c.d + 4));

    // Stamps reach all of the picture, whatever the view's scroll: this one
    // is 376 columns left of a view scrolled to 600.
    t.scrollX = 600;
    drawModelBody(&t, m, t.terrain, 400, 1800, 22);
    Corner aside = corner(400, 1800, 22);
    ASSERT_LT(aside.px + 24 - t.scrollX, -24);
    for (int k = 0; k < 48; k++)
        for (int i = 0; i < 48; i++) {
            Color s = getPixel(m->sprite, i, k);
            if (!s) continue;
            EXPECT_EQ(getPixel(t.terrain, aside.px + i, aside.py + k), s);
        }

    // A stamped shadow darkens the picture itself by 1, nothing more.
    VoxelModel* point = keep(createVoxelModel());
    addVoxelPoint(point, 0, 0, 0, BLOCK_COLOUR);
    stampModel(&t, point, 1000, 1500, 22);
    int px = pictureColumn(967), py = pictureRow(&t, 1500, 10);
    EXPECT_EQ(getPixel(t.terrain, px, py), darkenColor(terrainColour(px, py), 1));
    EXPECT_EQ(getPixel(t.terrain, px + 1, py), terrainColour(px + 1, py));
}

TEST_F(SceneTest, RiderJustLeftOfTheScreenIsDrawnPartlyAndAtMinus24Skipped) {
    makeTerrain(flatField);
    lookAt(1024, 1500, 10);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR));
    int x = worldXAtScreen(-2);
    ASSERT_EQ(pictureColumn(x) - t.scrollX, -2);
    SceneRider r = rider(m, x, 1500, 10);
    SceneRider* list[] = {&r};
    drawScene(&t, target, list, 1);
    // The sprite's left 26 columns are off the screen; its right part shows.
    Corner c = corner(x, 1500, 22);
    ASSERT_EQ(c.sx, -26);
    int offScreen = 0;
    for (int k = 0; k < 48; k++)
        for (int i = 0; i < 26; i++) offScreen += getPixel(m->sprite, i, k) != 0;
    EXPECT_GT(offScreen, 0);
    EXPECT_EQ(expectVisibleSprite(m, c, [](Color s) { return s; }), spritePixels(m->sprite) - offScreen);

    int skippedX = worldXAtScreen(-24);
    ASSERT_EQ(pictureColumn(skippedX) - t.scrollX, -24);
    r = rider(m, skippedX, 1500, 10);
    drawScene(&t, target, list, 1);
    EXPECT_EQ(changedOnTarget(), 0);
}

TEST_F(SceneTest, RespawningRiderIsBlendedTowardWhite) {
    makeTerrain(flatField);
    lookAt(1024, 1500, 10);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR));
    SceneRider r = rider(m, 1024, 1500, 10);
    r.respawnTimer = 50;
    SceneRider* list[] = {nullptr, &r};
    drawScene(&t, target, list, 2);
    Corner c = corner(1024, 1500, 22);
    int pixels = spritePixels(m->sprite);
    EXPECT_GT(pixels, 40);
    EXPECT_EQ(expectVisibleSprite(m, c, [](Color s) { return blendColors(s, 0xFFFF, 155); }), pixels);
    // A timer past the freeze's 127 ticks leaves plain white, not garbage.
    r.respawnTimer = 200;
    drawScene(&t, target, list, 2);
    EXPECT_EQ(expectVisibleSprite(m, c, [](Color) { return packColor(30, 30, 30); }), pixels);
}

TEST_F(SceneTest, CrashedAndLeaningRidersSitLower) {
    makeTerrain(flatField);
    lookAt(1024, 1500, 10);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR));
    struct Case {
        int crashed, spin, lean, heading;
        int yaw, roll, shadowAltitude, bodyAltitude;
    };
    // Crashed: turned by its spin, shadow at z + 8, body at z + 9. Leaning
    // 90: 5 lower. Leaning -100 folds to 80: sin 80 * 6 >> 16 = 5.
    const Case cases[] = {{1, 90, 0, 0, 90, 180, 18, 19},
                          {0, 0, 90, 30 << 10, 510, 270, 16, 17},
                          {0, 0, -100, 0, 540, 80, 16, 17}};
    for (const Case& k : cases) {
        SceneRider r = rider(m, 1024, 1500, 10);
        r.crashed = k.crashed;
        r.spin = k.spin;
        r.lean = k.lean;
        r.heading = k.heading;
        SceneRider* list[] = {&r};
        drawScene(&t, target, list, 1);
        Surface* scene = copyOf(target);

        drawScene(&t, target, nullptr, 0);
        orientVoxelModel(m, 0, k.yaw, k.roll);
        drawModelShadow(&t, m, target, 1024, 1500, k.shadowAltitude);
        drawModelBody(&t, m, target, 1024, 1500, k.bodyAltitude);
        int differ = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++) differ += getPixel(scene, x, y) != getPixel(target, x, y);
        EXPECT_EQ(differ, 0) << k.lean;
        EXPECT_GT(changedOnTarget(), 50);
        destroySurface(&scene);
    }
}

TEST_F(SceneTest, RidersWithoutModelsAndOffscreenRidersDrawNothing) {
    makeTerrain(flatField);
    lookAt(1024, 1500, 10);
    VoxelModel* m = keep(blockModel(4, 17, BLOCK_COLOUR));
    SceneRider none = rider(nullptr, 1024, 1500, 10);
    SceneRider far = rider(m, worldXAtScreen(640 + 24 + 50), 1500, 10);
    SceneRider* list[] = {&none, &far};
    drawScene(&t, target, list, 2);
    EXPECT_EQ(changedOnTarget(), 0);
    EXPECT_EQ(m->renderedYaw, -1); // skipped before being oriented
}

// The shadow pass works in 32 bits with the pictures unpacked; point by
// point it must do exactly what the projection and the queries say.
TEST_F(SceneTest, ShadowOfABikeMatchesThePointByPointRule) {
    makeTerrain([](int x, int y) { return 40 + (int)(8 * sin(x / 37.0) * cos(y / 23.0)) + (y > 1400 && y < 1420 ? 50 : 0); });
    lookAt(1024, 1450, 40);
    VoxelModel* m = keep(createVoxelModel());
    for (int z = -60; z <= 60; z += 3)
        for (int y = -80; y <= 0; y += 5)
            for (int x = -12; x <= 12; x += 4) addVoxelPoint(m, x, y, z, BLOCK_COLOUR);
    orientVoxelModel(m, 8, 130, 200);
    // One in the middle, and shadows running off the left and right edges.
    for (int column : {320, 6, 650}) {
        int x = worldXAtScreen(column), y = 1430, altitude = heightAt(&t, x, y) + 11;
        drawScene(&t, target, nullptr, 0);
        drawModelShadow(&t, m, target, x, y, altitude);
        Surface* reference = copyOf(window);
        int g = heightAt(&t, x, y);
        for (const VoxelPoint& v : m->points) {
            int wx = (int16_t)(x - (altitude - g + 21 + (((v.z >> 1) - v.y - v.x) >> 1)));
            int wy = y + (v.z >> 1);
            int h = heightAt(&t, wx, wy);
            if (h >= altitude + 15) continue;
            Projection q = projectPoint(&t, wx, wy, h, 480);
            if (!markVisible(&t, q.pictureX, q.pictureY, q.depth)) continue;
            putPixel(reference, q.screenX, q.screenY, darkenColor(getPixel(t.terrain, q.pictureX, q.pictureY), 4));
            darkenPixel(reference, q.screenX + 1, q.screenY, 2);
            darkenPixel(reference, q.screenX + 1, q.screenY + 1, 2);
        }
        int differ = 0, shaded = 0;
        for (int y2 = 0; y2 < 480; y2++)
            for (int x2 = 0; x2 < 640; x2++) {
                differ += getPixel(reference, x2, y2) != getPixel(target, x2, y2);
                shaded += getPixel(reference, x2, y2) != getPixel(window, x2, y2);
            }
        EXPECT_EQ(differ, 0) << column;
        EXPECT_GT(shaded, 100) << column;
        destroySurface(&reference);
    }
}

namespace {

// The shadow rule point by point with the track's own queries. `out` is
// written (the picture itself for a stamp); the ground colour is read from
// `picture`, which is `out` when a shadow is drawn onto the picture.
// Returns how many of the written pixels fell outside `out`.
int shadowByTheRule(const Track* t, const VoxelModel* m, Surface* out, const Surface* picture, bool stamp, int x,
                    int y, int altitude) {
    int g = heightAt(t, x, y), clipped = 0;
    for (const VoxelPoint& v : m->points) {
        int wx = (int16_t)(x - (altitude - g + 21 + (((v.z >> 1) - v.y - v.x) >> 1)));
        int wy = y + (v.z >> 1);
        int h = heightAt(t, wx, wy);
        if (h >= altitude + 15) continue;
        Projection q = projectPoint(t, wx, wy, h, out->height);
        if (!markVisible(t, q.pictureX, q.pictureY, q.depth)) continue;
        if (stamp) {
            darkenPixel(out, q.pictureX, q.pictureY, 1);
            continue;
        }
        putPixel(out, q.screenX, q.screenY, darkenColor(getPixel(picture, q.pictureX, q.pictureY), 4));
        darkenPixel(out, q.screenX + 1, q.screenY, 2);
        darkenPixel(out, q.screenX + 1, q.screenY + 1, 2);
        clipped += !insideSurface(out, q.screenX, q.screenY) || !insideSurface(out, q.screenX + 1, q.screenY + 1);
    }
    return clipped;
}

} // namespace

// Many points of a dense model throw their shadows onto the same ground, so
// later points darken again what earlier ones drew. Every orientation and
// position must leave exactly the pixels of the point-by-point rule: in the
// middle of the view, clipped at each edge of a small target, drawn onto the
// terrain picture itself, and stamped.
TEST_F(SceneTest, ShadowOfADenseModelMatchesThePointByPointRuleEverywhere) {
    makeTerrain([](int x, int y) { return 40 + (int)(8 * sin(x / 37.0) * cos(y / 23.0)) + (y > 1900 && y < 1920 ? 50 : 0); });
    VoxelModel* m = keep(createVoxelModel());
    for (int z = -60; z <= 60; z += 2)
        for (int y = -50; y <= 0; y += 5)
            for (int x = -12; x <= 12; x += 4) addVoxelPoint(m, x, y, z, BLOCK_COLOUR);
    for (int k = 0; k < 40; k++) addVoxelPoint(m, 0, -20, k - 20, BLOCK_COLOUR); // repeats of points above
    enum Kind { ON_TARGET, ON_PICTURE, STAMPED };
    struct Case {
        int pitch, yaw, roll;
        int width, height; // the target's size
        int column, y;     // the model's screen column and world y
        Kind kind;
        bool clipped;
        bool shrunk = false; // scaled by 0.7 first, the orientation kept
    };
    // The small target sees y 925..1440; the big one all of the world, the
    // ground from about 1620 up to the ridge at 1900 hidden behind it.
    const Case cases[] = {
        {8, 130, 200, 640, 480, 320, 1330, ON_TARGET, false},
        {0, 0, 180, 160, 96, 20, 1190, ON_TARGET, true},      // off the left edge
        {0, 281, 162, 160, 96, 150, 1190, ON_TARGET, true},   // the right edge
        {352, 90, 200, 160, 96, 80, 925, ON_TARGET, true},    // the top edge
        {16, 180, 270, 160, 96, 80, 1440, ON_TARGET, true},   // the bottom edge, lying on its side
        {0, 40, 180, 160, 96, 25, 1425, ON_TARGET, true},     // a corner
        {8, 0, 190, 640, 480, 330, 1905, ON_PICTURE, false},  // on the ridge, partly behind it
        {0, 200, 180, 640, 480, 300, 1200, STAMPED, false},
        {0, 200, 180, 640, 480, 320, 1330, ON_TARGET, false, true}, // the same points moved
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << "," << c.y << " kind " << c.kind);
        Surface* view = createSurface(c.width, c.height);
        setCamera(&t, view, 1024, c.height == 480 ? 1450 : 1250, 40);
        drawScene(&t, view, nullptr, 0);
        int x = worldXAtScreen(c.column), y = c.y, altitude = heightAt(&t, x, y) + 11;
        orientVoxelModel(m, c.pitch, c.yaw, c.roll);
        if (c.shrunk) scaleVoxelModel(m, 0.7);

        Surface* drawn = c.kind == ON_TARGET ? view : t.terrain;
        Surface* expected = copyOf(drawn);
        int clipped = shadowByTheRule(&t, m, expected, c.kind == ON_PICTURE ? expected : t.terrain,
                                      c.kind == STAMPED, x, y, altitude);
        if (c.kind == STAMPED) {
            // The body follows into the picture where the ground does not hide it.
            renderVoxelModel(m);
            Projection a = projectPoint(&t, x, y, altitude, c.height);
            for (int k = 0; k < 48; k++)
                for (int i = 0; i < 48; i++) {
                    int px = a.pictureX - 24 + i, py = a.pictureY - 24 + k;
                    Color s = getPixel(m->sprite, i, k);
                    if (s && depthAt(&t, px, py) >= a.depth) putPixel(expected, px, py, s);
                }
            stampModel(&t, m, x, y, altitude);
        } else {
            drawModelShadow(&t, m, drawn, x, y, altitude);
        }
        Surface* before = c.kind == ON_TARGET ? copyOf(view) : copyOf(original);
        if (c.kind == ON_TARGET) drawScene(&t, before, nullptr, 0);
        int differ = 0, shaded = 0;
        for (int k = 0; k < drawn->height; k++)
            for (int i = 0; i < drawn->width; i++) {
                differ += getPixel(expected, i, k) != getPixel(drawn, i, k);
                shaded += getPixel(expected, i, k) != getPixel(before, i, k);
            }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(shaded, 60);
        EXPECT_EQ(clipped > 0, c.clipped);
        destroySurface(&before);
        destroySurface(&expected);
        destroySurface(&view);
    }
}
