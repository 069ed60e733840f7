// Orientation, the fixed-point rotation, the sprite splat and the outline.
#include "gfx/trig.h"
#include "world/voxel_fixture.h"

namespace {

const Color WHITE = 0xFFDF;

// Rotated coordinates and the scratch values of one point.
struct Rotated {
    int x, y, z, x1, y2, z3;
};

void expectRotated(const VoxelPoint& p, Rotated want) {
    EXPECT_EQ(p.x, want.x);
    EXPECT_EQ(p.y, want.y);
    EXPECT_EQ(p.z, want.z);
    EXPECT_EQ(p.scratch[0], want.x1);
    EXPECT_EQ(p.scratch[1], want.y2);
    EXPECT_EQ(p.scratch[2], want.z3);
}

Color grey(int v) { return packColor(v, v, v); }

class VoxelRenderTest : public VoxelTest {
protected:
    void SetUp() override {
        VoxelTest::SetUp();
        buildTrigTables();
    }
    // The first point of a model is never drawn; this one stands in for it.
    void addUndrawnPoint() { addVoxelPoint(model, 0, 0, 0, WHITE); }
    // Every sprite pixel other than the listed ones is 0.
    void expectSpriteOnly(const Surface* s, std::initializer_list<std::pair<std::pair<int, int>, Color>> set) {
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++) {
                Color want = 0;
                for (auto& p : set)
                    if (p.first.first == x && p.first.second == y) want = p.second;
                EXPECT_EQ(getPixel(s, x, y), want) << x << "," << y;
            }
    }
};

} // namespace

TEST_F(VoxelRenderTest, StepsBelowEightDegreesChangeNothing) {
    addVoxelPoint(model, 0, 0, 100, WHITE);
    orientVoxelModel(model, 7, 7, 7);
    EXPECT_EQ(model->pitch, 0);
    expectRotated(model->points[0], {0, 0, 100, 0, 0, 0}); // not rotated at all
    orientVoxelModel(model, 8, 0, 0);
    EXPECT_EQ(model->pitch, 8);
    expectRotated(model->points[0], {0, 19, 97, 0, -14, 98});
}

TEST_F(VoxelRenderTest, AnglesAreReducedToWholeTurnsAndEightDegreeSteps) {
    orientVoxelModel(model, 95, 100 + 720, 359);
    EXPECT_EQ(model->pitch, 88);
    EXPECT_EQ(model->yaw, 96);
    EXPECT_EQ(model->roll, 352);
    // Negative angles count back from a whole turn.
    orientVoxelModel(model, -8, -360, -1);
    EXPECT_EQ(model->pitch, 352);
    EXPECT_EQ(model->yaw, 0);
    EXPECT_EQ(model->roll, 352);
    orientVoxelModelExact(model, 725, -270, 450);
    EXPECT_EQ(model->pitch, 5);
    EXPECT_EQ(model->yaw, 90);
    EXPECT_EQ(model->roll, 90);
    EXPECT_EQ(model->trig.sinYaw, 65534);
    EXPECT_EQ(model->trig.cosYaw, -142);
    EXPECT_EQ(model->trig.sinTilt, -21909);
    EXPECT_EQ(model->trig.cosTilt, 61764);
}

// Expected values worked through the rotation steps by hand from the table
// values (cos 0 = 65535, sin 90 = 65534, cos 90 = -142, sin 340 = -21909,
// cos 340 = 61764): a unit of 65535 rather than 65536 shrinks each step.
TEST_F(VoxelRenderTest, RotationAtKeyAngles) {
    struct Case {
        int pitch, yaw, roll;
        Rotated alongX, alongY, alongZ, mixed;
    };
    const Case cases[] = {
        {0, 0, 0, {98, 0, 0, 99, 0, 0}, {0, 92, -33, 0, 98, 0}, {0, 32, 92, 0, 0, 98}, {38, -31, 93, 39, -60, 78}},
        {0, 90, 0, {-1, -34, -94, 99, 0, -99}, {0, 92, -33, 0, 98, 0}, {98, -1, -1, 0, 0, -1},
         {78, -70, -18, 39, -60, -40}},
        {0, 0, 90, {-1, 92, -33, -1, 98, 0}, {-100, -1, 0, -100, -1, 0}, {0, 32, 92, 0, 0, 98},
         {58, 62, 60, 59, 39, 78}},
        {90, 0, 0, {98, 0, 0, 99, 0, 0}, {0, 31, 91, 0, -1, 97}, {0, -95, 32, 0, -100, -1},
         {38, -96, -31, 39, -80, -61}},
        {0, 180, 0, {-99, 0, 0, 99, 0, 0}, {0, 92, -33, 0, 98, 0}, {-1, -34, -94, 0, 0, -99},
         {-40, -83, -55, 39, -60, -79}},
        {180, 270, 0, {0, 32, 92, 99, 0, 98}, {0, -94, 32, 0, -99, -1}, {99, -1, -1, 0, 0, -1},
         {80, 69, 15, 39, 60, 38}},
        {16, 96, 184, {7, 25, 95, -100, -8, 99}, {-29, -93, 28, 7, -97, -4}, {95, -31, -2, 0, -28, -11},
         {96, 40, 21, -45, 31, 34}},
    };
    addVoxelPoint(model, 100, 0, 0, WHITE);
    addVoxelPoint(model, 0, 100, 0, WHITE);
    addVoxelPoint(model, 0, 0, 100, WHITE);
    addVoxelPoint(model, 40, -60, 80, WHITE);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pitch << " " << c.yaw << " " << c.roll);
        orientVoxelModelExact(model, 1, 1, 1); // away first, so (0, 0, 0) rotates too
        orientVoxelModelExact(model, c.pitch, c.yaw, c.roll);
        expectRotated(model->points[0], c.alongX);
        expectRotated(model->points[1], c.alongY);
        expectRotated(model->points[2], c.alongZ);
        expectRotated(model->points[3], c.mixed);
        EXPECT_EQ(model->points[3].x0, 40); // the source stays
    }
}

// Far-out coordinates make the 32-bit sums wrap, as the integer rotation
// always has; the result is still the same every time.
TEST_F(VoxelRenderTest, ExtremeCoordinatesWrapInThirtyTwoBits) {
    addVoxelPoint(model, 32767, 32767, 32767, WHITE);
    addVoxelPoint(model, -32768, -32768, -32768, WHITE);
    orientVoxelModelExact(model, 45, 45, 45);
    expectRotated(model->points[0], {6727, 29392, -3230, -50, 28781, 6783});
    orientVoxelModelExact(model, 0, 0, 0);
    expectRotated(model->points[1], {-32768, 23699, -19928, -32768, -32768, -32768});
}

TEST_F(VoxelRenderTest, OnePointModelRendersEmpty) {
    addVoxelPoint(model, 0, 0, 0, WHITE);
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {});
    expectSpriteOnly(model->depthSprite, {});
    EXPECT_EQ(model->renderedPitch, 0);
    EXPECT_EQ(model->renderedYaw, 0);
    EXPECT_EQ(model->renderedRoll, 0);
    EXPECT_EQ(model->outlineValid, 0);
}

// A point at the centre covers columns 24 and 25 at weight 180 and is
// softened into 23..25 at weight 100: 31 * 75 >> 8 = 9, then
// (9 * 100 + 31 * 155) >> 8 = 22, and so on.
TEST_F(VoxelRenderTest, PointSplatsTwoSoftenedPixels) {
    addUndrawnPoint();
    addVoxelPoint(model, 0, 0, 0, WHITE);
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {{{23, 24}, grey(18)}, {{24, 24}, grey(27)}, {{25, 24}, grey(22)}});
    expectSpriteOnly(model->depthSprite, {{{24, 24}, 24}, {{25, 24}, 24}});
}

TEST_F(VoxelRenderTest, HalfPixelOffsetsFollowTheCoordinate) {
    addUndrawnPoint();
    addVoxelPoint(model, 2, 4, 8, WHITE); // column 24, row 25, depth 26, softened to the right
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {{{24, 25}, grey(22)}, {{25, 25}, grey(26)}, {{26, 25}, grey(18)}});
    expectSpriteOnly(model->depthSprite, {{{24, 25}, 26}, {{25, 25}, 26}});
}

TEST_F(VoxelRenderTest, NegativeCoordinatesShiftTowardMinusInfinity) {
    addUndrawnPoint();
    addVoxelPoint(model, -1, -1, 0, WHITE); // column 23, row 23
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {{{23, 23}, grey(22)}, {{24, 23}, grey(26)}, {{25, 23}, grey(18)}});
}

TEST_F(VoxelRenderTest, NearerPointsWinWhateverTheOrder) {
    const Color red = packColor(31, 0, 0), blue = packColor(0, 0, 31);
    // Drawn from the end of the list: the near point first, the far one is hidden.
    addUndrawnPoint();
    addVoxelPoint(model, 0, 0, 0, red);
    addVoxelPoint(model, 0, 0, 40, blue);
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite,
                     {{{23, 24}, packColor(0, 0, 18)}, {{24, 24}, packColor(0, 0, 27)}, {{25, 24}, packColor(0, 0, 22)}});
    expectSpriteOnly(model->depthSprite, {{{24, 24}, 34}, {{25, 24}, 34}});

    // The far point first: the near one is blended over it and mostly hides it.
    VoxelModel* reversed = createVoxelModel();
    addVoxelPoint(reversed, 0, 0, 0, WHITE);
    addVoxelPoint(reversed, 0, 0, 40, blue);
    addVoxelPoint(reversed, 0, 0, 0, red);
    renderVoxelModel(reversed);
    expectSpriteOnly(reversed->sprite,
                     {{{23, 24}, packColor(7, 0, 18)}, {{24, 24}, packColor(2, 0, 27)}, {{25, 24}, packColor(5, 0, 22)}});
    expectSpriteOnly(reversed->depthSprite, {{{24, 24}, 34}, {{25, 24}, 34}});
    destroyVoxelModel(&reversed);
}

TEST_F(VoxelRenderTest, PointsAtDepthZeroOrBehindNeverShow) {
    addUndrawnPoint();
    addVoxelPoint(model, 0, 0, -96, WHITE);  // depth 0
    addVoxelPoint(model, 0, 8, -100, WHITE); // depth -1
    addVoxelPoint(model, 0, 16, -30000, WHITE);
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {});
    addVoxelPoint(model, 0, -8, -92, WHITE); // depth 1
    model->renderedPitch = -1;
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {{{23, 22}, grey(18)}, {{24, 22}, grey(27)}, {{25, 22}, grey(22)}});
    expectSpriteOnly(model->depthSprite, {{{24, 22}, 1}, {{25, 22}, 1}});
}

TEST_F(VoxelRenderTest, PointsOffTheSpriteAreClipped) {
    addUndrawnPoint();
    addVoxelPoint(model, 200, 0, 0, WHITE);
    addVoxelPoint(model, 0, 200, 0, WHITE);
    addVoxelPoint(model, 0, -200, 0, WHITE);
    addVoxelPoint(model, 32767, -32768, 32767, WHITE);
    addVoxelPoint(model, -32768, 32767, 32767, WHITE);
    // Column -1: only its right-hand pixel reaches column 0.
    addVoxelPoint(model, -100, 0, 0, WHITE);
    renderVoxelModel(model);
    expectSpriteOnly(model->sprite, {{{0, 24}, grey(22)}});
    expectSpriteOnly(model->depthSprite, {{{0, 24}, 24}});
}

TEST_F(VoxelRenderTest, RenderReusesTheSpriteUntilTheOrientationChanges) {
    addUndrawnPoint();
    addVoxelPoint(model, 0, 0, 0, WHITE);
    renderVoxelModel(model);
    putPixel(model->sprite, 5, 5, 0x1234);
    model->outlineValid = 1;
    orientVoxelModel(model, 3, 4, 5); // still (0, 0, 0)
    renderVoxelModel(model);
    EXPECT_EQ(getPixel(model->sprite, 5, 5), 0x1234);
    EXPECT_EQ(model->outlineValid, 1);

    orientVoxelModel(model, 0, 8, 0);
    renderVoxelModel(model);
    EXPECT_EQ(getPixel(model->sprite, 5, 5), 0);
    EXPECT_EQ(model->renderedYaw, 8);
    EXPECT_EQ(model->outlineValid, 0);
    // Yaw 8 turns the point at the centre nowhere.
    EXPECT_EQ(getPixel(model->sprite, 24, 24), grey(27));
}

TEST_F(VoxelRenderTest, OutlineMarksRowAndColumnExtremes) {
    fillSurface(model->outlineSprite, 0x7777);
    for (int y = 20; y <= 23; y++)
        for (int x = 10; x <= 14; x++) putPixel(model->sprite, x, y, WHITE);
    putPixel(model->sprite, 30, 5, 1);
    putPixel(model->sprite, 40, 21, 1); // row 21's rightmost pixel is now this one
    makeVoxelOutline(model);
    EXPECT_EQ(model->outlineValid, 1);
    const Surface* o = model->outlineSprite;
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++) {
            bool rectEdge = x >= 10 && x <= 14 && y >= 20 && y <= 23 && (x == 10 || x == 14 || y == 20 || y == 23);
            // (14, 21) is neither its row's rightmost nor its column's end.
            if (x == 14 && y == 21) rectEdge = false;
            bool expected = rectEdge || (x == 30 && y == 5) || (x == 40 && y == 21);
            EXPECT_EQ(getPixel(o, x, y), expected ? VOXEL_OUTLINE_VALUE : 0) << x << "," << y;
        }

    // Made at most once per render.
    putPixel(model->sprite, 1, 1, 1);
    makeVoxelOutline(model);
    EXPECT_EQ(getPixel(o, 1, 1), 0);
    model->outlineValid = 0;
    makeVoxelOutline(model);
    EXPECT_EQ(getPixel(o, 1, 1), VOXEL_OUTLINE_VALUE);
}

TEST_F(VoxelRenderTest, DrawRendersAndCentresTheSpriteTransparently) {
    Surface* target = createSurface(100, 60);
    const Color ground = packColor(1, 2, 3);
    fillSurface(target, ground);
    addUndrawnPoint();
    addVoxelPoint(model, 0, 0, 0, WHITE);
    drawVoxelModel(model, target, 50, 30);
    EXPECT_EQ(model->renderedPitch, 0);
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 100; x++) {
            Color want = ground;
            if (y == 30 && x == 49) want = grey(18);
            if (y == 30 && x == 50) want = grey(27);
            if (y == 30 && x == 51) want = grey(22);
            EXPECT_EQ(getPixel(target, x, y), want) << x << "," << y;
        }
    // Near the corner the sprite is clipped.
    fillSurface(target, ground);
    drawVoxelModel(model, target, 0, 0);
    EXPECT_EQ(getPixel(target, 0, 0), grey(27));
    EXPECT_EQ(getPixel(target, 1, 0), grey(22));
    destroySurface(&target);
}

TEST_F(VoxelRenderTest, EveryMemoryOrderRendersTheSame) {
    for (int orientation = 0; orientation < 4; orientation++) {
        SCOPED_TRACE(orientation);
        applyOrientationGeometry(orientation);
        VoxelModel* m = createVoxelModel();
        Surface* target = createSurface(60, 50);
        addVoxelPoint(m, 0, 0, 0, WHITE);
        addVoxelPoint(m, 2, 4, 8, WHITE);
        drawVoxelModel(m, target, 24, 24);
        EXPECT_EQ(getPixel(m->sprite, 24, 25), grey(22));
        EXPECT_EQ(getPixel(m->sprite, 25, 25), grey(26));
        EXPECT_EQ(getPixel(m->sprite, 26, 25), grey(18));
        EXPECT_EQ(getPixel(m->depthSprite, 25, 25), 26);
        EXPECT_EQ(getPixel(target, 26, 25), grey(18));
        EXPECT_EQ(getPixel(target, 24, 24), 0);
        destroySurface(&target);
        destroyVoxelModel(&m);
    }
    resetDisplayGeometry();
}
