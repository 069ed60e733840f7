#include "gfx/screenshot.h"
#include "gfx/picture_writer.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

namespace {

class ScreenshotTest : public ::testing::Test {
protected:
    GameDir dir;
    Surface* savedFramebuffer = nullptr;
    const char* savedPaths[2];
    char savedCwd[PATH_MAX];

    void SetUp() override {
        resetDisplayGeometry();
        savedFramebuffer = framebuffer;
        savedPaths[0] = screenshotPaths[0];
        savedPaths[1] = screenshotPaths[1];
        ASSERT_NE(getcwd(savedCwd, sizeof savedCwd), nullptr);
        // The screenshot folder is made in the working directory.
        ASSERT_EQ(chdir(dir.base().c_str()), 0);
        screenshotCounter = 0;
        framebuffer = createSurface(321, 240);
    }
    void TearDown() override {
        destroySurface(&framebuffer);
        framebuffer = savedFramebuffer;
        screenshotPaths[0] = savedPaths[0];
        screenshotPaths[1] = savedPaths[1];
        screenshotCounter = 0;
        EXPECT_EQ(chdir(savedCwd), 0);
    }
    static uint32_t le32(const Bytes& b, int at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24; }
    static int le16(const Bytes& b, int at) { return b[at] | b[at + 1] << 8; }
    // The three bytes of framebuffer pixel (x, y) in a 321 x 240 file.
    static Bytes pixelBytes(const Bytes& file, int x, int y) {
        size_t at = 54 + (size_t)(239 - y) * 964 + x * 3;
        return Bytes(file.begin() + at, file.begin() + at + 3);
    }
};

TEST_F(ScreenshotTest, HeaderDescribesTheFramebuffer) {
    saveScreenshot();
    Bytes file = readBytes("Screenshots/Kelvarostrindamuxelor0.BMP");
    ASSERT_EQ(file.size(), 54u + 231360u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), 0u);
    EXPECT_EQ(le32(file, 6), 0u);
    EXPECT_EQ(le32(file, 10), 54u);
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), 321u);
    EXPECT_EQ(le32(file, 22), 240u);
    EXPECT_EQ(le16(file, 26), 1);
    EXPECT_EQ(le16(file, 28), 24);
    EXPECT_EQ(le32(file, 30), 0u);
    EXPECT_EQ(le32(file, 34), 231360u);
    EXPECT_EQ(le32(file, 38), 2952u);
    EXPECT_EQ(le32(file, 42), 2952u);
    EXPECT_EQ(le32(file, 46), 0u);
    EXPECT_EQ(le32(file, 50), 0u);
    EXPECT_EQ(screenshotCounter, 1);
}

TEST_F(ScreenshotTest, RowsRunBottomUpInBlueGreenRedOrder) {
    putPixel(framebuffer, 0, 0, packColor(31, 31, 31));
    putPixel(framebuffer, 320, 239, packColor(1, 2, 3));
    putPixel(framebuffer, 5, 100, packColor(31, 0, 0));
    putPixel(framebuffer, 6, 100, packColor(0, 17, 0) | 0x20); // bit 5 is not green
    saveScreenshot();
    Bytes file = readBytes("Screenshots/Kelvarostrindamuxelor0.BMP");
    ASSERT_EQ(file.size(), 54u + 231360u);
    EXPECT_EQ(pixelBytes(file, 0, 0), (Bytes{248, 248, 248}));
    EXPECT_EQ(pixelBytes(file, 320, 239), (Bytes{24, 16, 8}));
    EXPECT_EQ(file[54 + 320 * 3], 24); // the bottom row comes first
    EXPECT_EQ(pixelBytes(file, 5, 100), (Bytes{0, 0, 248}));
    EXPECT_EQ(pixelBytes(file, 6, 100), (Bytes{0, 136, 0}));
    int lit = 0;
    for (int row = 0; row < 240; row++) {
        EXPECT_EQ(file[54 + row * 964 + 963], 0) << "padding of row " << row;
        for (int i = 0; i < 963; i++) lit += file[54 + row * 964 + i] != 0;
    }
    EXPECT_EQ(lit, 3 + 3 + 1 + 1);
}

TEST_F(ScreenshotTest, NumbersCountUpAndOverwriteOldFiles) {
    std::filesystem::create_directory("Screenshots");
    ASSERT_TRUE(writeBytes("Screenshots/Kelvarostrindamuxelor0.BMP", Bytes(300000, 0xAA)));
    saveScreenshot();
    saveScreenshot();
    EXPECT_EQ(readBytes("Screenshots/Kelvarostrindamuxelor0.BMP").size(), 54u + 231360u);
    EXPECT_EQ(readBytes("Screenshots/Kelvarostrindamuxelor1.BMP").size(), 54u + 231360u);
    EXPECT_EQ(screenshotCounter, 2);
}

TEST_F(ScreenshotTest, FallsBackAndGivesUpQuietly) {
    ASSERT_TRUE(writeBytes("Screenshots", Bytes(1, 0))); // a file where the folder would be
    saveScreenshot();
    EXPECT_EQ(readBytes("Kelvarostrindamuxelor0.BMP").size(), 54u + 231360u);
    EXPECT_EQ(screenshotCounter, 1);

    screenshotPaths[0] = "missing/%s%d.BMP";
    screenshotPaths[1] = "missing/too/%s%d.BMP";
    saveScreenshot();
    EXPECT_EQ(screenshotCounter, 1);
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

} // namespace
