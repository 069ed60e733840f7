// The projection, the terrain queries and the picture loaders.
#include "gfx/picture_writer.h"
#include "world/track_fixture.h"

namespace {

class TrackQueryTest : public TrackTest {
protected:
    // A height model whose cell (c, r) holds `value` and 0 elsewhere.
    void singleCell(int c, int r, Color value) {
        releaseTrack(&t);
        t.heightModel = createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
        putPixel(t.heightModel, c, r, value);
    }
};

} // namespace

TEST_F(TrackQueryTest, ProjectionAtTheWorldsCornersAndHeights) {
    t.terrain = createSurface(PICTURE_WIDTH, PICTURE_HEIGHT);
    EXPECT_EQ(pictureColumn(0), -3);
    EXPECT_EQ(pictureColumn(1024), 577);
    EXPECT_EQ(pictureColumn(2047), 1157);
    EXPECT_EQ(pictureColumn(-100), -60); // (-116100 >> 11) rounds down
    EXPECT_EQ(pictureRow(&t, 2047, 0), 720);
    EXPECT_EQ(pictureRow(&t, 0, 0), 720 - 389);   // -16376 / 42 truncates toward zero
    EXPECT_EQ(pictureRow(&t, 0, 255), 720 - 389 - 270);
    EXPECT_EQ(pictureRow(&t, 2047, -10), 720 + 11); // (-340 >> 5) rounds down
    EXPECT_EQ(pointDepth(2047, 0), 21);
    EXPECT_EQ(pointDepth(0, 0), 248);
    EXPECT_EQ(pointDepth(0, 255), 232);
    EXPECT_EQ(pointDepth(2047, 255), 5); // -36 * 228 / 512 truncates to -16
    EXPECT_EQ(pointDepth(2047, 6), 21);  // 6 / 7 is 0

    t.scrollX = 100;
    t.scrollY = 40;
    Projection p = projectPoint(&t, 1024, 1024, 50, 480);
    EXPECT_EQ(p.pictureX, 577);
    EXPECT_EQ(p.pictureY, 720 - 194 - 53);
    EXPECT_EQ(p.depth, (255 - 7) * 228 / 512 + 21);
    EXPECT_EQ(p.screenX, 477);
    EXPECT_EQ(p.screenY, 720 - 194 - 53 - 720 + 40 + 480);

    // Without a framebuffer the screen is the logical screen.
    Surface* savedFramebuffer = framebuffer;
    framebuffer = nullptr;
    int sx = 0, sy = 0;
    toScreen(&t, 1024, 1024, 50, &sx, &sy);
    EXPECT_EQ(sx, 477);
    EXPECT_EQ(sy, p.screenY);
    framebuffer = savedFramebuffer;
}

TEST_F(TrackQueryTest, HeightReadsTheTurnedModelOneColumnRightOfTheMarks) {
    singleCell(412, 461, 0x8377); // keep-out, checkpoint 3, height 0x77
    EXPECT_EQ(heightAt(&t, 400, 200), 0x77);
    EXPECT_EQ(heightAt(&t, 403, 203), 0x77);
    EXPECT_EQ(heightAt(&t, 404, 200), 0);
    EXPECT_EQ(heightAt(&t, 396, 200), 0);
    EXPECT_EQ(heightAt(&t, 400, 204), 0);
    // The marks of the same cell are read one world cell further left.
    EXPECT_EQ(checkpointAt(&t, 396, 200), 3);
    EXPECT_EQ(keepoutAt(&t, 399, 203), 1);
    EXPECT_EQ(checkpointAt(&t, 400, 200), 0);
    EXPECT_EQ(keepoutAt(&t, 400, 200), 0);
}

TEST_F(TrackQueryTest, WorldXZeroToThreeReadsColumn512AndGivesZero) {
    releaseTrack(&t);
    t.heightModel = createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
    fillSurface(t.heightModel, 0x80FF);
    for (int x = 0; x < 4; x++) EXPECT_EQ(heightAt(&t, x, 1000), 0) << x;
    EXPECT_EQ(heightAt(&t, 4, 1000), 0xFF);
    EXPECT_EQ(heightAt(&t, 2048, 1000), 0); // wraps to x 0
    EXPECT_EQ(heightAt(&t, -4, 1000), 0xFF);
    // The marks use column 511 there and read normally.
    EXPECT_EQ(keepoutAt(&t, 0, 1000), 1);
}

TEST_F(TrackQueryTest, CheckpointQueryReadsOnlyBits8To11) {
    singleCell(511 - 100, 511 - 100, 0x1000); // what a 16th checkpoint writes
    EXPECT_EQ(checkpointAt(&t, 400, 400), 0);
    singleCell(511 - 100, 511 - 100, 0x1F00 | 0x42);
    EXPECT_EQ(checkpointAt(&t, 400, 400), 15);
    EXPECT_EQ(keepoutAt(&t, 400, 400), 0);
}

TEST_F(TrackQueryTest, DepthAndColourUnderAPoint) {
    makeTerrain(flatField);
    EXPECT_EQ(depthAt(&t, 577, 526), getPixel(t.surfaceModel, 288, 263));
    EXPECT_EQ(depthAt(&t, -1, 10), 0);
    // World (1024, 1024) on height 10 shows at picture (577, 720 - 194 - 10).
    EXPECT_EQ(pictureColourUnder(&t, 1024, 1024), terrainColour(577, 516));
    // Flat ground is visible everywhere: the depth stored is its own.
    EXPECT_TRUE(markVisible(&t, 577, 516, pointDepth(1024, 10)));
    EXPECT_FALSE(markVisible(&t, 577, 516, pointDepth(1024, 10) + 10));
}

TEST_F(TrackQueryTest, LoadersReadTheTrackNumbersPictures) {
    // Height model: raw blue bytes; surface model likewise; terrain in colour.
    Bytes rgb;
    for (int i = 0; i < 6; i++) rgb.insert(rgb.end(), {(uint8_t)(200 + i), 7, (uint8_t)(10 * i)});
    ASSERT_TRUE(writeRgbPng(dir.data("track7.png"), 3, 2, rgb));
    ASSERT_TRUE(writeRgbPng(dir.data("track7d.png"), 2, 3, rgb));
    Bytes grey(8 * 8 * 3, 255);
    ASSERT_TRUE(writeJpeg(dir.data("track7.jpg"), 8, 8, 3, grey));
    writeLayout(3, 0, {}, {});
    levelDescription.track = 7;

    t.terrain = createSurface(50, 50); // freed, not drawn into
    loadTrackPictures(&t, 3);
    ASSERT_NE(t.heightModel, nullptr);
    EXPECT_EQ(t.heightModel->width, 3);
    EXPECT_EQ(getPixel(t.heightModel, 2, 1), 50);
    ASSERT_NE(t.surfaceModel, nullptr);
    EXPECT_EQ(t.surfaceModel->height, 3);
    EXPECT_EQ(getPixel(t.surfaceModel, 1, 2), 50);
    ASSERT_NE(t.terrain, nullptr);
    EXPECT_EQ(t.terrain->width, 8);
    EXPECT_EQ(getPixel(t.terrain, 0, 0), packCorrected(31, 31, 31));
    ASSERT_NE(minimap, nullptr); // the build ran
}

TEST_F(TrackQueryTest, MissingPicturesLeaveDataPicturesEmpty) {
    t.heightModel = createSurface(4, 4);
    t.surfaceModel = createSurface(4, 4);
    EXPECT_EQ(loadHeightModel(&t, 9), 0);
    EXPECT_EQ(loadSurfaceModel(&t, 9), 0);
    EXPECT_EQ(t.heightModel, nullptr);
    EXPECT_EQ(t.surfaceModel, nullptr);
    loadTerrainPicture(&t, 9);
    ASSERT_NE(t.terrain, nullptr);
    EXPECT_EQ(t.terrain->width, 5);
    ASSERT_FALSE(headlessMessageBoxes().empty());
    // The build copes with what is there.
    buildTrack(&t, 9);
    EXPECT_EQ(heightAt(&t, 100, 100), 0);
    EXPECT_EQ(depthAt(&t, 100, 100), 0);
    t.scrollX = 5;
    createTrack(&t); // empties it again
    EXPECT_EQ(t.terrain, nullptr);
    EXPECT_EQ(t.scrollX, 0);
    EXPECT_EQ(t.worldWidth, 2048);
    EXPECT_EQ(pictureColourUnder(&t, 100, 100), 0);
}
