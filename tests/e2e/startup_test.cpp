// The whole game started on the baked data set: every file the start-up
// loads is there and loads with the properties the screens rely on.
#include "gfx/font.h"
#include "platform/headless.h"
#include "screens/assets.h"
#include "shell/loop.h"
#include "player/settings.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/log.h"
#include "screens/mode_ids.h"
#include "shell/modes.h"
#include "shell/overlay.h"
#include "sound/effects.h"
#include "sound/sound_local.h"
#include "sound/sounds.h"
#include "support/game_fixture.h"
#include "world/voxel.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class BakedGame : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override {
        ASSERT_TRUE(dir.copyBakedData()) << "the data set is baked by the build";
        ASSERT_EQ(startHeadlessGame(dir), 0);
    }
    void TearDown() override { stopHeadlessGame(); }
};

TEST_F(BakedGame, StartsWithoutAMissingOrBrokenFile) {
    for (const std::string& box : headlessMessageBoxes()) ADD_FAILURE() << box;
    EXPECT_EQ(currentMode, MODE_INTRO);
    EXPECT_GT(smallChars->width, 5);
}

// A settings file that turns the screen: start-up reads it before anything
// orientation-dependent is loaded, so the framebuffer and the start-up
// pictures come out in portrait, and the first mode is still the intro.
TEST_F(BakedGame, ASettingsFileInPortraitStartsTheGameInPortrait) {
    applyOrientationGeometry(1);
    ASSERT_EQ(saveSettings(), 1);
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    EXPECT_EQ(displayGeometry.orientation, 1);
    EXPECT_EQ(framebuffer->width, 480);
    EXPECT_EQ(framebuffer->height, 640);
    EXPECT_EQ(framebuffer->vertical, 1);
    for (Surface* picture : {fontPictures[0], hudMap, iconsPicture, smallChars}) EXPECT_EQ(picture->vertical, 1);
    EXPECT_EQ(currentMode, MODE_INTRO);
    runPasses(3);
    EXPECT_EQ(currentMode, MODE_INTRO);
    for (const std::string& box : headlessMessageBoxes()) ADD_FAILURE() << box;
}

TEST_F(BakedGame, FontsHaveEveryPrintableCharacter) {
    for (int slot = 0; slot < 2; slot++) {
        ASSERT_NE(fontSlots[slot], nullptr);
        for (int code = 33; code <= 126; code++) EXPECT_GT(fontSlots[slot]->advance[code], 0) << slot << " " << code;
    }
    EXPECT_EQ(fontLineHeight(0), 16);
    EXPECT_EQ(fontLineHeight(1), 8);
    EXPECT_EQ(fontBaseline(1), 7);
    EXPECT_GT(textWidth("Kelvarostrindamuxelor", 0), textWidth("Kelvarostrindamuxelor", 1));
}

TEST_F(BakedGame, EverySoundSlotOfTheTableIsFilled) {
    for (int i = 0; i < SOUND_FILE_COUNT; i++) EXPECT_NE(soundSlots[SOUND_FILES[i].id].samples, nullptr) << i;
    EXPECT_EQ(SOUND_FILE_COUNT, 14);
    EXPECT_GE(soundSlots[SOUND_FULL_THROTTLE].last, FULL_THROTTLE_LOOP_END);
    EXPECT_GE(soundSlots[SOUND_THEME].last, 30 * 11025);
    // The engine sounds are copied for riders 1 to 3.
    for (int copy = 1; copy <= 3; copy++) EXPECT_NE(soundSlots[SOUND_IDLE + ENGINE_BLOCK_SIZE * copy].samples, nullptr) << copy;
}

TEST_F(BakedGame, BikeModelAndHudPiecesAreLoaded) {
    ASSERT_NE(bikeModel, nullptr);
    EXPECT_GT(bikeModel->count, 500);
    EXPECT_GE(iconsPicture->width, 126);
    EXPECT_GE(iconsPicture->height, 40);
    for (Surface* piece : {hudMap, hudTime, hudLap, hudPlace, hudOob}) EXPECT_GT(piece->width, 5);
}

} // namespace

namespace {

// Frames worth looking at are written where SCREENSHOT_DIR points.
void keepFrame(const char* name) {
    const char* folder = getenv("SCREENSHOT_DIR");
    if (folder) headlessSaveFramePng((std::string(folder) + "/" + name).c_str());
}

TEST_F(BakedGame, DebugOverlayShowsTheLogAndCounters) {
    logThreshold = 2;
    log("overlay check\n", 5);
    runPasses(3);
    windowProcedure({EVENT_MOUSE_MOVE, 0, 0, 635, 475});
    windowProcedure({EVENT_RBUTTON_DOWN, 0, 0, 635, 475});
    windowProcedure({EVENT_RBUTTON_UP, 0, 0, 635, 475});
    ASSERT_EQ(overlayHidden, 0);
    runPasses(10);
    headlessClick(10, 4);   // drop the log panel
    headlessClick(636, 3);  // show the counters
    headlessClick(5, 476);  // raise the menu
    runPasses(20);
    keepFrame("overlay.png");
    const std::vector<uint16_t>& frame = headlessLastFrame();
    int green = 0;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 194; x++) green += frame[y * 640 + x] == basicColours[5];
    EXPECT_GT(green, 20) << "the green log line is drawn in the panel";
    EXPECT_EQ(counterPanelX, 640 - 24);
    EXPECT_EQ(menuPanelY, 480 - 30);
    logThreshold = 0;
}

} // namespace
