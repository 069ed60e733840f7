// The track build: checkpoint numbers and keep-out bits in the height
// model, the chalk outlines, zones, flags, tint and marker posts painted on
// the synthetic terrain.
#include "world/scene.h"
#include "world/track_fixture.h"
#include "world/track_paint.h"

namespace {

const int RACE_LEVEL = 4;
const int STUNT_LEVEL = 104;
const int FREE_LEVEL = 204;
// Rows from here down are clear of the hatch above the far edge of flat
// ground (row 321); world x 0..3 read height 0 and reach row 333 in
// picture column 0.
const int BELOW_HATCH = 340;

class TrackBuildTest : public TrackTest {
protected:
    // Picture box covering layout box (x0, y0)-(x1, y1) on flat ground,
    // widened by `reach` world units.
    struct Box {
        int x0, y0, x1, y1;
    };
    Box pictureBox(int lx0, int ly0, int lx1, int ly1, int reach) const {
        return {pictureColumn(4 * lx0 - reach), pictureRow(&t, 4 * ly0 - reach, 10), pictureColumn(4 * lx1 + reach) + 1,
                pictureRow(&t, 4 * ly1 + reach, 10) + 1};
    }
    int changedIn(Box b) const { return changedPixels(b.x0, b.y0, b.x1, b.y1); }
    int changedOutside(Box b) const { return changedPixelsOutside(b.x0, b.y0, b.x1, b.y1, BELOW_HATCH); }
    // Pixels of a box that moved toward yellow: more red, less blue.
    int yellowerIn(Box b) const {
        int n = 0;
        for (int y = b.y0; y < b.y1; y++)
            for (int x = b.x0; x < b.x1; x++) {
                Color now = getPixel(t.terrain, x, y), was = getPixel(original, x, y);
                n += colorRed(now) > colorRed(was) && colorBlue(now) < colorBlue(was);
            }
        return n;
    }
    int cellsWith(uint16_t bits) const {
        int n = 0;
        for (int y = 0; y < HEIGHT_MODEL_SIZE; y++)
            for (int x = 0; x < HEIGHT_MODEL_SIZE; x++) n += (getPixel(t.heightModel, x, y) & bits) != 0;
        return n;
    }
    void writeFlagModel() {
        VoxelModel* flag = createVoxelModel();
        for (int r = 0; r < 6; r++)
            for (int j = 0; j < 6; j++) addVoxelPoint(flag, 4 * j - 12, 4 * r - 12, 4 * j, packColor(30, 2, 2));
        ASSERT_TRUE(saveVoxelModel(flag, "flag.vox"));
        destroyVoxelModel(&flag);
    }
};

} // namespace

TEST_F(TrackBuildTest, CheckpointNumbersAreOredAndASixteenthReadsAsNone) {
    makeTerrain(flatField);
    Shapes checkpoints;
    for (int k = 0; k < 16; k++) checkpoints.push_back(square(20 + 30 * k, 100, 10));
    checkpoints[1] = square(25, 100, 10); // overlaps checkpoint 1 on layout columns 25..29
    writeLayout(FREE_LEVEL, 0, {}, checkpoints);
    buildTrack(&t, FREE_LEVEL);

    // Layout (x, y) is world (4x, 4y); turned, filled and read back, square
    // 20..30 covers layout cells 21..30.
    EXPECT_EQ(checkpointAt(&t, 4 * 22, 4 * 105), 1);
    EXPECT_EQ(checkpointAt(&t, 4 * 27, 4 * 105), 3); // 1 | 2
    EXPECT_EQ(checkpointAt(&t, 4 * 32, 4 * 105), 2);
    EXPECT_EQ(checkpointAt(&t, 4 * 37, 4 * 105), 0);
    EXPECT_EQ(checkpointAt(&t, 4 * (20 + 30 * 14 + 5), 4 * 105), 15);
    int sixteenth = 4 * (20 + 30 * 15 + 5);
    EXPECT_EQ(checkpointAt(&t, sixteenth, 4 * 105), 0);
    EXPECT_EQ(getPixel(t.heightModel, 511 - (20 + 30 * 15 + 5), 511 - 105), 0x1000 | 10);
    // Heights are untouched.
    EXPECT_EQ(heightAt(&t, 4 * 22, 4 * 105), 10);
    EXPECT_EQ(cellsWith(CELL_KEEPOUT), 0);
    // Free ride paints nothing of the checkpoints.
    EXPECT_EQ(changedPixelsOutside(0, 0, 0, 0, BELOW_HATCH), 0);
}

TEST_F(TrackBuildTest, OverlappingKeepoutsCancelAndLeaveTheOverlapDrivable) {
    makeTerrain(flatField);
    writeLayout(FREE_LEVEL, 0, {square(100, 100, 100), square(150, 150, 100)}, {});
    buildTrack(&t, FREE_LEVEL);
    EXPECT_EQ(keepoutAt(&t, 4 * 130, 4 * 130), 1);
    EXPECT_EQ(keepoutAt(&t, 4 * 230, 4 * 170), 1);
    EXPECT_EQ(keepoutAt(&t, 4 * 175, 4 * 175), 0);
    EXPECT_EQ(keepoutAt(&t, 4 * 300, 4 * 300), 0);
    EXPECT_EQ(keepoutAt(&t, 4 * 20, 4 * 20), 0);
    // Only bit 15 was added.
    EXPECT_EQ(heightAt(&t, 4 * 130, 4 * 130), 10);
    EXPECT_EQ(checkpointAt(&t, 4 * 130, 4 * 130), 0);
}

TEST_F(TrackBuildTest, MaskedLayoutKeepsOnlyItsPolygonsDrivable) {
    makeTerrain(flatField);
    writeLayout(FREE_LEVEL, 1, {square(100, 100, 200)}, {});
    buildTrack(&t, FREE_LEVEL);
    EXPECT_EQ(keepoutAt(&t, 4 * 200, 4 * 200), 0);
    EXPECT_EQ(keepoutAt(&t, 4 * 50, 4 * 200), 1);
    EXPECT_EQ(keepoutAt(&t, 4 * 400, 4 * 400), 1);
    // Red specks over keep-out ground, none inside the drivable square
    // (well clear of its chalked outline).
    Box inside = pictureBox(130, 130, 270, 270, 0);
    EXPECT_EQ(changedIn(inside), 0);
    Box outside = pictureBox(350, 350, 500, 500, 0);
    int redder = 0;
    for (int y = outside.y0; y < outside.y1; y++)
        for (int x = outside.x0; x < outside.x1; x++)
            redder += colorRed(getPixel(t.terrain, x, y)) > colorRed(getPixel(original, x, y)) ||
                      colorGreen(getPixel(t.terrain, x, y)) < colorGreen(getPixel(original, x, y));
    EXPECT_GT(redder, 100);
}

TEST_F(TrackBuildTest, MaskedLayoutWithoutKeepoutPolygonsHasNoKeepoutBits) {
    makeTerrain(flatField);
    writeLayout(FREE_LEVEL, 1, {}, {});
    buildTrack(&t, FREE_LEVEL);
    EXPECT_EQ(cellsWith(CELL_KEEPOUT), 0);
    // ... while the minimap shows no drivable ground at all.
    ASSERT_NE(minimap, nullptr);
    for (int v = 2; v <= 65; v++)
        for (int u = 2; u <= 65; u++) ASSERT_EQ(getPixel(minimap, u, v), 0) << u << "," << v;
}

TEST_F(TrackBuildTest, KeepoutOutlineIsChalkedOnlyAlongItsEdges) {
    makeTerrain(flatField);
    writeLayout(FREE_LEVEL, 0, {square(200, 200, 100)}, {});
    buildTrack(&t, FREE_LEVEL);
    // Along the top edge's middle: whiter pixels.
    Box top = pictureBox(230, 200, 270, 200, 9);
    int whiter = 0;
    for (int y = top.y0; y < top.y1; y++)
        for (int x = top.x0; x < top.x1; x++) whiter += colorBlue(getPixel(t.terrain, x, y)) > colorBlue(getPixel(original, x, y));
    EXPECT_GT(whiter, 30);
    // Inside the keep-out square only red specks (no whiter pixel), and
    // nothing at all beyond the dabs' reach.
    Box middle = pictureBox(215, 215, 285, 285, 0);
    int whiterInside = 0, specks = 0;
    for (int y = middle.y0; y < middle.y1; y++)
        for (int x = middle.x0; x < middle.x1; x++) {
            whiterInside += colorBlue(getPixel(t.terrain, x, y)) > colorBlue(getPixel(original, x, y));
            specks += colorGreen(getPixel(t.terrain, x, y)) < colorGreen(getPixel(original, x, y));
        }
    EXPECT_EQ(whiterInside, 0);
    EXPECT_GT(specks, 100);
    EXPECT_EQ(changedOutside(pictureBox(200, 200, 300, 300, 10)), 0);
}

TEST_F(TrackBuildTest, StuntWithSeveralLapsMarksOnlyTheFirstZone) {
    makeTerrain(flatField);
    levelDescription.laps = 3;
    writeLayout(STUNT_LEVEL, 0, {}, {square(100, 300, 40), square(300, 300, 40)});
    buildTrack(&t, STUNT_LEVEL);
    EXPECT_GT(yellowerIn(pictureBox(110, 310, 130, 330, 0)), 200);
    EXPECT_EQ(changedIn(pictureBox(290, 290, 350, 350, 10)), 0);
    // Both numbers are written.
    EXPECT_EQ(checkpointAt(&t, 4 * 120, 4 * 320), 1);
    EXPECT_EQ(checkpointAt(&t, 4 * 320, 4 * 320), 2);
    // The minimap glows around the first zone's centre only: the mean of
    // the vertices / 8 is (14, 39) and (39, 39), map pixels 2 further.
    Color first = getPixel(minimap, 16, 41);
    EXPECT_EQ(colorBlue(first), 0);
    EXPECT_GE(colorRed(first), 26);
    Color second = getPixel(minimap, 41, 41);
    EXPECT_NE(second, 0);
    EXPECT_EQ(colorRed(second), colorBlue(second));
}

TEST_F(TrackBuildTest, StuntWithOneLapMarksEveryZoneAndAnyOrderLevelsPlantPosts) {
    makeTerrain(flatField);
    levelDescription.levelType = 1;
    writeLayout(STUNT_LEVEL, 0, {}, {square(100, 300, 40), square(300, 300, 40)});
    buildTrack(&t, STUNT_LEVEL);
    EXPECT_GT(yellowerIn(pictureBox(110, 310, 130, 330, 0)), 200);
    EXPECT_GT(yellowerIn(pictureBox(310, 310, 330, 330, 0)), 200);
    // Without an icon sheet a post is its grey pole: column 19 of the post
    // sprite, centred on the projection of the anchor 30 above the ground.
    int px = pictureColumn(4 * 320), py = pictureRow(&t, 4 * 320, 70 + 10 - 40);
    EXPECT_EQ(getPixel(t.terrain, px, py), packColor(25, 25, 25));
    EXPECT_EQ(getPixel(t.terrain, px, py + 20), packColor(25, 25, 25));
    EXPECT_EQ(getPixel(t.surfaceModel, px >> 1, py >> 1), pointDepth(4 * 320, 40));
}

TEST_F(TrackBuildTest, RaceDrawsTheStartLineAndStampsTwoFlags) {
    makeTerrain(flatField);
    writeFlagModel();
    writeLayout(RACE_LEVEL, 0, {}, {{{100, 300}, {200, 300}, {200, 320}, {100, 320}}});
    buildTrack(&t, RACE_LEVEL);
    EXPECT_GT(yellowerIn(pictureBox(120, 300, 180, 300, 4)), 50);

    // Each flag's sprite lands where the stamp rule puts it: every pixel the
    // ground did not hide takes the sprite colour, and its depth the anchor's.
    VoxelModel* flag = keep(createVoxelModel());
    ASSERT_TRUE(loadVoxelModel(flag, "flag.vox"));
    orientVoxelModel(flag, 180, 270, 0);
    renderVoxelModel(flag);
    ASSERT_GT(spritePixels(flag->sprite), 20);
    for (Point v : {Point{100, 300}, Point{200, 300}}) {
        int altitude = 10 + 8;
        int px = pictureColumn(4 * v.x) - 24, py = pictureRow(&t, 4 * v.y, altitude) - 24;
        int d = pointDepth(4 * v.y, altitude);
        int stamped = 0;
        for (int k = 0; k < 48; k++)
            for (int i = 0; i < 48; i++) {
                Color c = getPixel(flag->sprite, i, k);
                if (!c || getPixel(originalDepth, (px + i) >> 1, (py + k) >> 1) < d) continue;
                EXPECT_EQ(getPixel(t.terrain, px + i, py + k), c);
                EXPECT_EQ(getPixel(t.surfaceModel, (px + i) >> 1, (py + k) >> 1), d);
                stamped++;
            }
        EXPECT_GT(stamped, 10);
    }
    // The minimap's start line: layout 100..200 on row 300 is map row 39.
    for (int u = 14; u <= 27; u++) EXPECT_EQ(getPixel(minimap, u, 39), packColor(31, 31, 0)) << u;
}

TEST_F(TrackBuildTest, MissingLayoutPaintsNothingButTheHatch) {
    makeTerrain(flatField);
    buildTrack(&t, RACE_LEVEL);
    EXPECT_EQ(changedPixelsOutside(0, 0, 0, 0, BELOW_HATCH), 0);
    EXPECT_EQ(cellsWith(0xFF00), 0);
    // Above the far edge the picture is hatched red, every third row or so,
    // out to its last column, past the world's right edge.
    for (int x : {500, t.terrain->width - 1}) {
        int hatched = 0;
        for (int y = 0; y < 300; y++) hatched += colorGreen(getPixel(t.terrain, x, y)) < colorGreen(getPixel(original, x, y));
        EXPECT_GT(hatched, 150) << "column " << x;
    }
    // All ground is drivable on the minimap.
    EXPECT_NE(getPixel(minimap, 30, 30), 0);
}

TEST_F(TrackBuildTest, MarkerPostCopiesItsIconAboveThePole) {
    makeTerrain(flatField);
    iconSheet = createSurface(130, 40);
    for (int x = 0; x < 130; x++)
        for (int y = 0; y < 40; y++) putPixel(iconSheet, x, y, packColor(x / 5, y / 2, 3));
    Polygon* p = createPolygon();
    appendVertex(p, 200, 200);
    appendVertex(p, 210, 200);
    appendVertex(p, 211, 211); // centre (207, 203), world (828, 812)
    markCheckpoint(&t, p, 1);
    destroyPolygon(&p);
    int px = pictureColumn(828) - 19, py = pictureRow(&t, 812, 70 + 10 - 40) - 37;
    EXPECT_EQ(getPixel(t.terrain, px, py), packColor(87 / 5, 0, 3));
    EXPECT_EQ(getPixel(t.terrain, px + 38, py + 38), packColor((87 + 38) / 5, 19, 3));
    EXPECT_EQ(getPixel(t.terrain, px + 19, py + 39), packColor(25, 25, 25));
    EXPECT_EQ(getPixel(t.terrain, px + 18, py + 39), terrainColour(px + 18, py + 39));
    Surface* sheet = iconSheet;
    destroySurface(&sheet);
}

TEST_F(TrackBuildTest, MarkerPostBehindARidgeStaysHidden) {
    makeTerrain(ridgeField);
    Polygon* p = createPolygon();
    appendVertex(p, 250, 250); // world (1000, 1000), behind the ridge
    markCheckpoint(&t, p, 0);
    int px = pictureColumn(1000), py = pictureRow(&t, 1000, 40);
    EXPECT_EQ(getPixel(t.terrain, px, py), terrainColour(px, py));
    EXPECT_EQ(changedPixels(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT), 0);
    destroyPolygon(&p);
    Polygon* empty = createPolygon();
    markCheckpoint(&t, empty, 0);
    destroyPolygon(&empty);
    EXPECT_EQ(changedPixels(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT), 0);
}

TEST_F(TrackBuildTest, PaintedLineDabsOnlyVisibleGround) {
    makeTerrain(ridgeField);
    // Behind the ridge (world y 1000) the ground is hidden below the
    // ridge's top; in front of it (y 1600) it shows.
    paintedLine(&t, 600, 1000, 1400, 1000, 0xFFFF);
    int hiddenRow = pictureRow(&t, 1000, 10);
    EXPECT_EQ(changedPixels(0, hiddenRow - 3, PICTURE_WIDTH, hiddenRow + 4), 0);
    paintedLine(&t, 600, 1600, 1400, 1600, 0xFFFF);
    int row = pictureRow(&t, 1600, 10);
    EXPECT_GT(changedPixels(pictureColumn(600), row - 2, pictureColumn(1400), row + 3), 300);
    EXPECT_EQ(changedPixelsOutside(pictureColumn(592), row - 2, pictureColumn(1410) + 1, row + 3, 0), 0);
}

TEST_F(TrackBuildTest, ZoneFillStaysWithinItsCellsJitter) {
    makeTerrain(flatField);
    Polygon* p = createPolygon();
    for (Point v : square(300, 300, 20)) appendVertex(p, v.x, v.y);
    zoneFill(&t, p, packColor(31, 31, 0));
    destroyPolygon(&p);
    // Cells 300..319 jittered by -3..1 world units.
    Box zone = {pictureColumn(1197), pictureRow(&t, 1197, 10), pictureColumn(1277) + 1, pictureRow(&t, 1277, 10) + 1};
    EXPECT_GT(yellowerIn(zone), (zone.x1 - zone.x0) * (zone.y1 - zone.y0) / 3);
    EXPECT_EQ(changedPixelsOutside(zone.x0, zone.y0, zone.x1, zone.y1, 0), 0);
}

TEST_F(TrackBuildTest, MinimapFrameGroundAndEdge) {
    makeTerrain(flatField);
    writeLayout(FREE_LEVEL, 1, {square(128, 128, 256)}, {});
    buildTrack(&t, FREE_LEVEL);
    ASSERT_NE(minimap, nullptr);
    EXPECT_EQ(minimap->width, 68);
    EXPECT_EQ(getPixel(minimap, 0, 30), packColor(1, 1, 1));
    EXPECT_EQ(getPixel(minimap, 67, 67), packColor(1, 1, 1));
    EXPECT_EQ(getPixel(minimap, 2, 30), 0);  // the cleared ring
    EXPECT_EQ(getPixel(minimap, 20, 20), 0); // keep-out
    Color ground = getPixel(minimap, 40, 40);
    EXPECT_TRUE(ground == packColor(5, 5, 5) || ground == packColor(6, 6, 6)) << ground;
    // The first drivable pixel of a row is the edge: map row 34 is layout
    // row 256, where the square's left side is at layout 128, map pixel 18.
    int first = 3;
    while (first < 66 && !getPixel(minimap, first, 34)) first++;
    EXPECT_NEAR(first, 18, 1);
    EXPECT_EQ(getPixel(minimap, first, 34), packColor(15, 15, 15));
    EXPECT_NE(getPixel(minimap, first + 1, 34), packColor(15, 15, 15));
}

// A zone glow on the 128-pixel map reaches weights above 255 in its outer
// corners; those pixels keep their colour instead of overflowing.
TEST_F(TrackBuildTest, LargeMinimapGlowNeverCorruptsPixels) {
    makeTerrain(flatField);
    minimapSize = 128;
    // Zone centres (5, 5) and (27, 27) in map units.
    writeLayout(STUNT_LEVEL, 0, {}, {square(16, 16, 8), square(100, 100, 16)});
    buildTrack(&t, STUNT_LEVEL);
    ASSERT_EQ(minimap->width, 132);
    for (int v = 0; v < 132; v++)
        for (int u = 0; u < 132; u++) ASSERT_EQ(getPixel(minimap, u, v) & 0x20, 0) << u << "," << v;
    // The frame corner is 7 + 7 from the first centre: weight 287, kept.
    EXPECT_EQ(getPixel(minimap, 0, 0), packColor(1, 1, 1));
    EXPECT_EQ(getPixel(minimap, 0, 1), packColor(1, 1, 1));
    // Centre pixel of the second zone: weight 64, mostly yellow.
    Color centre = getPixel(minimap, 27 + 2, 27 + 2);
    EXPECT_GE(colorRed(centre), 24);
    EXPECT_LE(colorBlue(centre), 2);
}

// A layout file may hold any coordinate up to 65535; the zone scan stays
// within reach of the world instead of walking 65536 x 65536 cells.
TEST_F(TrackBuildTest, ZoneFillOfAHugePolygonPaintsOnlyTheWorld) {
    makeTerrain(flatField);
    Polygon* p = createPolygon();
    for (Point v : std::vector<Point>{{300, 300}, {65535, 300}, {65535, 65535}, {300, 65535}}) appendVertex(p, v.x, v.y);
    zoneFill(&t, p, packColor(31, 31, 0));
    destroyPolygon(&p);
    EXPECT_GT(yellowerIn(pictureBox(310, 310, 500, 500, 0)), 5000);
    EXPECT_EQ(changedIn(pictureBox(0, 0, 290, 290, 0)), 0);
}

TEST_F(TrackBuildTest, EmptyAndTinyCheckpointPolygonsAreSkipped) {
    makeTerrain(flatField);
    levelDescription.levelType = 1;
    writeLayout(STUNT_LEVEL, 0, {{}, {{5, 5}}}, {{}, {{200, 200}}, square(300, 300, 20)});
    buildTrack(&t, STUNT_LEVEL);
    EXPECT_EQ(checkpointAt(&t, 4 * 310, 4 * 310), 3);
    EXPECT_GT(yellowerIn(pictureBox(302, 302, 318, 318, 0)), 50);
    EXPECT_EQ(changedIn(pictureBox(190, 190, 210, 210, 10)), 0);
    ASSERT_NE(minimap, nullptr);
}
