// 3dObj files: reading, writing, and every way a file can be damaged.
#include "world/voxel_fixture.h"

#include <filesystem>

namespace {

// Three points with distinct coordinates and colours.
Bytes threePointFile() {
    Bytes b;
    appendLe32(b, 3);
    appendRecord(b, 10, -20, 30, (uint16_t)(packColor(4, 5, 6) | 0x20)); // bit 5 is dropped
    appendRecord(b, -1, 0, 32767, packColor(31, 30, 0));
    appendRecord(b, -32768, 7, -8, packColor(0, 0, 31), 0xBEEF);
    return b;
}

void expectPoint(const VoxelPoint& p, int x, int y, int z, Color colour) {
    EXPECT_EQ(p.x0, x);
    EXPECT_EQ(p.y0, y);
    EXPECT_EQ(p.z0, z);
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
    EXPECT_EQ(p.colour, colour);
}

// A model that already holds two points, to show that a failed load keeps them.
void giveTwoPoints(VoxelModel* m) {
    addVoxelPoint(m, 1, 2, 3, packColor(9, 9, 9));
    addVoxelPoint(m, 4, 5, 6, packColor(1, 2, 3));
}

void expectStillTwoPoints(const VoxelModel* m) {
    ASSERT_EQ(m->count, 2);
    ASSERT_EQ(m->points.size(), 2u);
    EXPECT_EQ(m->points[0].x0, 1);
    EXPECT_EQ(m->points[1].z0, 6);
    EXPECT_EQ(m->points[1].colour, packColor(1, 2, 3));
}

} // namespace

TEST_F(VoxelTest, NewModelIsEmptyWithItsSprites) {
    EXPECT_EQ(model->count, 0);
    EXPECT_EQ(model->pitch, 0);
    EXPECT_EQ(model->yaw, 0);
    EXPECT_EQ(model->roll, 0);
    EXPECT_EQ(model->renderedPitch, -1);
    EXPECT_EQ(model->renderedYaw, -1);
    EXPECT_EQ(model->renderedRoll, -1);
    EXPECT_EQ(model->halfWidth, 24);
    EXPECT_EQ(model->halfHeight, 24);
    for (Surface* s : {model->sprite, model->depthSprite, model->outlineSprite}) {
        ASSERT_TRUE(s);
        EXPECT_EQ(s->width, 48);
        EXPECT_EQ(s->height, 48);
    }
    addVoxelPoint(model, -5, 6, 70000, 0x1234);
    ASSERT_EQ(model->count, 1);
    expectPoint(model->points[0], -5, 6, 4464, 0x1234);
}

TEST_F(VoxelTest, LoadReadsPointsInFileOrderBrightenedByOne) {
    writeFile("three.vox", threePointFile());
    giveTwoPoints(model); // replaced by the file's
    model->pitch = 16;
    model->yaw = 24;
    model->roll = 32;
    model->renderedPitch = 16;
    ASSERT_TRUE(loadVoxelModel(model, "three.vox"));
    ASSERT_EQ(model->count, 3);
    expectPoint(model->points[0], 10, -20, 30, packColor(5, 6, 7));
    expectPoint(model->points[1], -1, 0, 32767, packColor(31, 31, 1));
    expectPoint(model->points[2], -32768, 7, -8, packColor(1, 1, 31));
    EXPECT_EQ(model->pitch, 0);
    EXPECT_EQ(model->yaw, 0);
    EXPECT_EQ(model->roll, 0);
    EXPECT_EQ(model->renderedPitch, 16); // the render state is left alone
    EXPECT_EQ(model->renderedYaw, -1);
    EXPECT_EQ(lastLogLine(), "num points->3");
}

TEST_F(VoxelTest, OnlyTheLowSixteenBitsOfACoordinateCount) {
    Bytes b;
    appendLe32(b, 2);
    appendRecord(b, 70000, -70000, 0x12348000, 0);
    appendRecord(b, 65535, 65536, -65537, 0);
    writeFile("wide.vox", b);
    ASSERT_TRUE(loadVoxelModel(model, "wide.vox"));
    expectPoint(model->points[0], 4464, -4464, -32768, packColor(1, 1, 1));
    expectPoint(model->points[1], -1, 0, -1, packColor(1, 1, 1));
}

TEST_F(VoxelTest, EmptyAndOverlongFilesLoad) {
    Bytes empty;
    appendLe32(empty, 0);
    writeFile("empty.vox", empty);
    giveTwoPoints(model);
    ASSERT_TRUE(loadVoxelModel(model, "empty.vox"));
    EXPECT_EQ(model->count, 0);
    EXPECT_TRUE(model->points.empty());

    // Bytes after the last record are not read.
    Bytes extra = threePointFile();
    extra.insert(extra.end(), {1, 2, 3, 4, 5});
    writeFile("extra.vox", extra);
    ASSERT_TRUE(loadVoxelModel(model, "extra.vox"));
    EXPECT_EQ(model->count, 3);
}

TEST_F(VoxelTest, SaveWritesTheSourceCoordinatesInTheFileLayout) {
    addVoxelPoint(model, 10, -20, 30, packColor(4, 5, 6));
    addVoxelPoint(model, -32768, 32767, -1, 0xFFDF);
    // Rotated coordinates are not what is saved.
    model->points[0].x = 99;
    model->points[1].z = 55;
    ASSERT_TRUE(saveVoxelModel(model, "out.vox"));
    Bytes expected;
    appendLe32(expected, 2);
    appendRecord(expected, 10, -20, 30, packColor(4, 5, 6));
    appendRecord(expected, -32768, 32767, -1, 0xFFDF);
    EXPECT_EQ(readFile("out.vox"), expected);
}

TEST_F(VoxelTest, SavedModelLoadsBackBrightened) {
    addVoxelPoint(model, 3, -4, 5, packColor(31, 0, 12));
    addVoxelPoint(model, -300, 200, -100, packColor(0, 31, 30));
    ASSERT_TRUE(saveVoxelModel(model, "trip.vox"));
    VoxelModel* copy = createVoxelModel();
    ASSERT_TRUE(loadVoxelModel(copy, "trip.vox"));
    ASSERT_EQ(copy->count, 2);
    expectPoint(copy->points[0], 3, -4, 5, packColor(31, 1, 13));
    expectPoint(copy->points[1], -300, 200, -100, packColor(1, 31, 31));
    destroyVoxelModel(&copy);
    EXPECT_EQ(copy, nullptr);
}

TEST_F(VoxelTest, MissingFileIsLoggedAndLeavesTheModel) {
    giveTwoPoints(model);
    model->yaw = 40;
    EXPECT_FALSE(loadVoxelModel(model, "nothing.vox"));
    EXPECT_EQ(lastLogLine(), "Unable to load 3dObj");
    EXPECT_EQ(logTags[1][0], LOG_TAG_ERROR);
    expectStillTwoPoints(model);
    EXPECT_EQ(model->yaw, 40);
}

TEST_F(VoxelTest, UnwritableFileIsLogged) {
    addVoxelPoint(model, 1, 1, 1, 1);
    EXPECT_FALSE(saveVoxelModel(model, "no/such/folder.vox"));
    EXPECT_EQ(lastLogLine(), "Unable to save 3dObj");
}

// A two-point file cut at every byte: inside the count, inside each
// coordinate, the colour and the reserved field of either record.
TEST_F(VoxelTest, TruncatedFilesAreRejectedWhole) {
    Bytes full;
    appendLe32(full, 2);
    appendRecord(full, 100, 200, 300, packColor(1, 2, 3));
    appendRecord(full, -100, -200, -300, packColor(3, 2, 1));
    ASSERT_EQ(full.size(), 36u);
    giveTwoPoints(model);
    for (size_t length = 0; length < full.size(); length++) {
        SCOPED_TRACE(length);
        writeFile("cut.vox", Bytes(full.begin(), full.begin() + length));
        clearLog();
        EXPECT_FALSE(loadVoxelModel(model, "cut.vox"));
        EXPECT_EQ(lastLogLine(), "Damaged 3dObj file");
        expectStillTwoPoints(model);
    }
    writeFile("cut.vox", full);
    EXPECT_TRUE(loadVoxelModel(model, "cut.vox"));
    EXPECT_EQ(model->points[1].z0, -300);
}

TEST_F(VoxelTest, HugeAndNegativeCountsAreRejected) {
    const int32_t counts[] = {3, 4, 1000, 0x0FFFFFFF, 0x10000000, 0x10000001, INT32_MAX, -1, -3, INT32_MIN};
    giveTwoPoints(model);
    for (int32_t count : counts) {
        SCOPED_TRACE(count);
        // Room for only two records, whatever the count claims.
        Bytes b;
        appendLe32(b, (uint32_t)count);
        appendRecord(b, 7, 7, 7, 7);
        appendRecord(b, 8, 8, 8, 8);
        writeFile("count.vox", b);
        clearLog();
        EXPECT_FALSE(loadVoxelModel(model, "count.vox"));
        EXPECT_EQ(lastLogLine(), "Damaged 3dObj file");
        expectStillTwoPoints(model);
    }
}

TEST_F(VoxelTest, AFolderInPlaceOfAFileIsRejected) {
    std::filesystem::create_directory(dir.data("folder.vox"));
    giveTwoPoints(model);
    EXPECT_FALSE(loadVoxelModel(model, "folder.vox"));
    expectStillTwoPoints(model);
}
