// The window procedure: synthesised button keys, the shell's own keys, the
// debug corner, activation clicks and the orientation mapping.
#include "platform/headless.h"
#include "gfx/screenshot.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "screens/mode_ids.h"
#include "shell/modes.h"
#include "shell/overlay.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> seen;

std::string at(const InputEvent& e) { return "@" + std::to_string(e.x) + "," + std::to_string(e.y); }

Mode inputSpy(Mode self, const InputEvent& e) {
    switch (e.kind) {
    case INPUT_KEY_DOWN: seen.push_back("down" + std::to_string(e.key)); break;
    case INPUT_KEY_UP: seen.push_back("up" + std::to_string(e.key)); break;
    case INPUT_BUTTON_DOWN: seen.push_back("ldown" + at(e)); break;
    case INPUT_BUTTON_UP: seen.push_back("lup" + at(e)); break;
    case INPUT_POINTER_MOVE: seen.push_back("move" + at(e)); break;
    case INPUT_STICK: seen.push_back("stick" + at(e)); break;
    }
    // Escape asks for the title, as a screen's input step would.
    return e.kind == INPUT_KEY_UP && e.key == KEY_ESCAPE ? MODE_TITLE : self;
}
const ModeScreen spyScreen = {nullptr, nullptr, nullptr, nullptr, inputSpy, false, false};
const ModeScreen allKeysSpyScreen = {nullptr, nullptr, nullptr, nullptr, inputSpy, false, true};

class InputTest : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override {
        ASSERT_EQ(startHeadlessGame(dir), 0);
        setModeScreen(MODE_INTRO, &spyScreen);
        setModeScreen(MODE_CONTROLS_CONFIG, &allKeysSpyScreen);
        seen.clear();
    }
    void TearDown() override { stopHeadlessGame(); }
    void send(int type, int x = 0, int y = 0, int key = 0) { windowProcedure({type, key, 0, x, y}); }
};

TEST_F(InputTest, LeftClickOrderAndRightClickKeysOnly) {
    send(EVENT_LBUTTON_DOWN, 10, 20);
    send(EVENT_MOUSE_MOVE, 11, 21);
    send(EVENT_LBUTTON_UP, 12, 22);
    std::vector<std::string> left = {"down1", "ldown@10,20", "move@11,21", "up1", "lup@12,22"};
    EXPECT_EQ(seen, left);
    EXPECT_EQ(mouseX, 12);
    EXPECT_EQ(mouseY, 22);
    seen.clear();
    send(EVENT_RBUTTON_DOWN, 100, 100);
    send(EVENT_RBUTTON_UP, 100, 100);
    std::vector<std::string> right = {"down2", "up2"};
    EXPECT_EQ(seen, right);
    EXPECT_EQ(mouseX, 12) << "a right click moves nothing";
}

TEST_F(InputTest, HeldFlagAndTap) {
    send(EVENT_LBUTTON_DOWN, 5, 5);
    EXPECT_EQ(leftButtonHeld, 1);
    headlessAdvance(oneSecond / 8 - 1);
    send(EVENT_LBUTTON_UP, 5, 5);
    EXPECT_EQ(leftButtonHeld, 0);
    EXPECT_EQ(tapFlag, 1);
    send(EVENT_LBUTTON_DOWN, 5, 5);
    headlessAdvance(oneSecond / 8);
    send(EVENT_LBUTTON_UP, 5, 5);
    EXPECT_EQ(tapFlag, 0);
}

TEST_F(InputTest, CornerTogglesOverlayWithRightClickOrKeyButNotLeftClick) {
    ASSERT_EQ(overlayHidden, 1);
    send(EVENT_MOUSE_MOVE, 635, 475);
    send(EVENT_LBUTTON_DOWN, 635, 475);
    send(EVENT_LBUTTON_UP, 635, 475);
    EXPECT_EQ(overlayHidden, 1);
    send(EVENT_RBUTTON_DOWN, 635, 475);
    EXPECT_EQ(overlayHidden, 0);
    EXPECT_EQ(seen.back(), "down2") << "the mode still sees the key";
    windowProcedure({EVENT_KEY_DOWN, 'A', 'a', 0, 0});
    EXPECT_EQ(overlayHidden, 1);
    send(EVENT_MOUSE_MOVE, 630, 475); // x = 630 is not past width - 10
    send(EVENT_RBUTTON_DOWN, 630, 475);
    EXPECT_EQ(overlayHidden, 1);
}

TEST_F(InputTest, ClickOnInactiveWindowOnlyWakesIt) {
    appActive = 0;
    send(EVENT_LBUTTON_DOWN, 50, 60);
    EXPECT_EQ(appActive, 1);
    send(EVENT_LBUTTON_UP, 50, 60);
    std::vector<std::string> expected = {"down1", "up1", "lup@50,60"};
    EXPECT_EQ(seen, expected);
}

TEST_F(InputTest, ScreenshotAndSuspendKeysActBeforeTheMode) {
    setDefaultBindings();
    std::string shots = dir.base() + "%s%d.BMP";
    const char* saved[2] = {screenshotPaths[0], screenshotPaths[1]};
    screenshotPaths[0] = screenshotPaths[1] = shots.c_str();
    int before = screenshotCounter;
    windowProcedure({EVENT_KEY_DOWN, KEY_RETURN, '\r', 0, 0});
    windowProcedure({EVENT_KEY_UP, KEY_RETURN, '\r', 0, 0});
    EXPECT_TRUE(seen.empty()) << "Enter is the screenshot key";
    EXPECT_EQ(screenshotCounter, before + 1);
    screenshotPaths[0] = saved[0];
    screenshotPaths[1] = saved[1];
    bindKey(BIND_SUSPEND, 'P');
    windowProcedure({EVENT_KEY_DOWN, 'P', 'p', 0, 0});
    EXPECT_TRUE(seen.empty());
    windowProcedure({EVENT_KEY_UP, 'P', 'p', 0, 0});
    EXPECT_EQ(appActive, 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "up80");
    // The control configuration sees every key, so any key can be bound.
    currentMode = MODE_CONTROLS_CONFIG;
    seen.clear();
    windowProcedure({EVENT_KEY_DOWN, KEY_RETURN, '\r', 0, 0});
    windowProcedure({EVENT_KEY_UP, 'P', 'p', 0, 0});
    std::vector<std::string> expected = {"down13", "up80"};
    EXPECT_EQ(seen, expected);
    setDefaultBindings();
}

// A screen changes mode only through what its input step returns; the
// change waits for the next pass.
TEST_F(InputTest, TheInputStepsResultBecomesTheCurrentMode) {
    currentMode = MODE_INTRO;
    windowProcedure({EVENT_KEY_UP, 'A', 'a', 0, 0});
    EXPECT_EQ(currentMode, MODE_INTRO);
    windowProcedure({EVENT_KEY_UP, KEY_ESCAPE, 0, 0, 0});
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(previousMode, 0) << "no enter or leave step ran yet";
}

TEST(OrientationMapping, EachOrientationMapsTheDisplayPoint) {
    struct Case { int orientation, lx, ly; } cases[] = {
        {0, 100, 50}, {1, 50, 640 - 1 - 100}, {2, 640 - 100, 480 - 50}, {3, 480 - 1 - 50, 100}};
    for (const Case& c : cases) {
        applyOrientationGeometry(c.orientation);
        int lx, ly;
        displayToLogical(100, 50, &lx, &ly);
        EXPECT_EQ(lx, c.lx) << c.orientation;
        EXPECT_EQ(ly, c.ly) << c.orientation;
    }
    resetDisplayGeometry();
}

} // namespace
