// The game controller through the shell: what each button stands in for on
// each kind of screen, the stick as the pointer and as the race's stick
// with its dead zone, the arrow, and pads plugged in and out mid-run.
#include "platform/headless.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "shell/pad.h"
#include "support/game_fixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> seen;

std::string at(const InputEvent& e) { return "@" + std::to_string(e.x) + "," + std::to_string(e.y); }

Mode spy(Mode self, const InputEvent& e) {
    switch (e.kind) {
    case INPUT_KEY_DOWN: seen.push_back("down" + std::to_string(e.key)); break;
    case INPUT_KEY_UP: seen.push_back("up" + std::to_string(e.key)); break;
    case INPUT_BUTTON_DOWN: seen.push_back("ldown" + at(e)); break;
    case INPUT_BUTTON_UP: seen.push_back("lup" + at(e)); break;
    case INPUT_POINTER_MOVE: break; // the pointer is checked by its position
    case INPUT_STICK: seen.push_back("stick" + at(e)); break;
    }
    return self;
}
// A menu, the control configuration and the race, as the pad sees them.
const ModeScreen menuSpy = {nullptr, nullptr, nullptr, nullptr, spy, false, false, false};
const ModeScreen allKeysSpy = {nullptr, nullptr, nullptr, nullptr, spy, false, true, false};
const ModeScreen drivenSpy = {nullptr, nullptr, nullptr, nullptr, spy, true, false, true};

const Color WHITE = 0xFFDF; // packColor(31, 31, 31)

bool logHas(const char* text) {
    for (auto& line : logText)
        if (strncmp(line, text, LOG_COLUMNS) == 0) return true;
    return false;
}

class PadTest : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override {
        ASSERT_EQ(startHeadlessGame(dir), 0);
        setModeScreen(MODE_TITLE, &menuSpy);
        setModeScreen(MODE_CONTROLS_CONFIG, &allKeysSpy);
        setModeScreen(MODE_RACE, &drivenSpy);
        clearLog();
        enter(MODE_TITLE);
        headlessPadConnect(true);
        headlessMouse(EVENT_MOUSE_MOVE, 100, 50);
        runPasses(1);
        seen.clear();
    }
    void TearDown() override {
        stopHeadlessGame();
        setDefaultBindings();
    }
    void enter(Mode mode) {
        currentMode = mode;
        runPasses(2);
        seen.clear();
    }
    std::vector<std::string> pressAndRelease(int button) {
        seen.clear();
        headlessPadButton(button, true);
        headlessPadButton(button, false);
        runPasses(1);
        return seen;
    }
    // Holds the stick for `passes` passes; how far the pointer went per step.
    double pointerSpeed(int x, int y, int passes) {
        headlessPadStick(x, y);
        runPasses(1);
        int x0 = mouseX, steps0 = frameCount;
        runPasses(passes);
        int steps = (uint16_t)(frameCount - steps0);
        double speed = steps ? (double)(mouseX - x0) / steps : 0;
        headlessPadStick(0, 0);
        runPasses(1);
        return speed;
    }
    Color shown(int x, int y) const { return headlessLastFrame()[(size_t)y * DISPLAY_WIDTH + x]; }
};

typedef std::vector<std::string> Seen;
std::string code(int button) { return std::to_string(padKeyCode(button)); }

// Unbound buttons stand in for the keys of their usual actions, bound ones
// send their own codes; in the menus A clicks at the pointer; where the
// screen binds keys every button is itself; where the pad drives, A is
// Accelerate and never a click.
TEST_F(PadTest, EachButtonStandsInForItsActionOnEachKindOfScreen) {
    const Seen click = {"down1", "ldown@100,50", "up1", "lup@100,50"};
    EXPECT_EQ(pressAndRelease(PAD_A), click);
    EXPECT_EQ(pressAndRelease(PAD_B), (Seen{"down2", "up2"}));
    EXPECT_EQ(pressAndRelease(PAD_START), (Seen{"down27", "up27"}));
    EXPECT_EQ(pressAndRelease(PAD_DPAD_LEFT), (Seen{"down37", "up37"}));
    EXPECT_EQ(pressAndRelease(PAD_DPAD_DOWN), (Seen{"down40", "up40"}));
    EXPECT_EQ(pressAndRelease(PAD_LEFT_TRIGGER), (Seen{"down2", "up2"}));
    EXPECT_EQ(pressAndRelease(PAD_RIGHT_TRIGGER), (Seen{"down1", "up1"}));
    EXPECT_EQ(pressAndRelease(PAD_X), (Seen{"down" + code(PAD_X), "up" + code(PAD_X)}));

    // Escape on Pad X: X is itself, Start still means Escape.
    bindKey(BIND_ESCAPE, padKeyCode(PAD_X));
    EXPECT_EQ(pressAndRelease(PAD_X), (Seen{"down" + code(PAD_X), "up" + code(PAD_X)}));
    EXPECT_EQ(pressAndRelease(PAD_START), (Seen{"down" + code(PAD_X), "up" + code(PAD_X)}));
    // Brake on Pad A: its code goes before the click.
    bindKey(BIND_BRAKE, padKeyCode(PAD_A));
    EXPECT_EQ(pressAndRelease(PAD_A), (Seen{"down" + code(PAD_A), "down1", "ldown@100,50", "up" + code(PAD_A),
                                            "up1", "lup@100,50"}));
    setDefaultBindings();

    enter(MODE_CONTROLS_CONFIG);
    EXPECT_EQ(pressAndRelease(PAD_START), (Seen{"down" + code(PAD_START), "up" + code(PAD_START)}));
    EXPECT_EQ(pressAndRelease(PAD_RIGHT_TRIGGER), (Seen{"down" + code(PAD_RIGHT_TRIGGER), "up" + code(PAD_RIGHT_TRIGGER)}));
    EXPECT_EQ(pressAndRelease(PAD_A), (Seen{"down" + code(PAD_A), "down1", "ldown@100,50", "up" + code(PAD_A),
                                            "up1", "lup@100,50"}));

    enter(MODE_RACE);
    EXPECT_EQ(pressAndRelease(PAD_A), (Seen{"down1", "up1"}));
    EXPECT_EQ(pressAndRelease(PAD_B), (Seen{"down2", "up2"}));
    // A press held across a change of binding lets go of what it pressed.
    seen.clear();
    headlessPadButton(PAD_RIGHT_TRIGGER, true);
    runPasses(1);
    bindKey(BIND_ACCELERATE, 'W');
    headlessPadButton(PAD_RIGHT_TRIGGER, false);
    runPasses(1);
    EXPECT_EQ(seen, (Seen{"down1", "up1"}));
}

// In the menus the stick moves the pointer, faster the further it leans,
// not at all inside the dead zone, never off the screen, with an arrow
// drawn until the mouse moves; on a screen it drives, the stick arrives
// as itself, dead zone taken out, once per change.
TEST_F(PadTest, TheStickMovesThePointerInMenusAndReachesTheRace) {
    EXPECT_DOUBLE_EQ(pointerSpeed(PAD_AXIS_MAX, 0, 10), PAD_POINTER_TOP_SPEED);
    double half = pointerSpeed(PAD_AXIS_MAX / 2, 0, 40);
    EXPECT_GT(half, 0);
    EXPECT_LT(half, PAD_POINTER_TOP_SPEED / 4.0) << "the speed grows with the square of the lean";
    EXPECT_EQ(pointerSpeed(PAD_DEAD_ZONE, 0, 10), 0);
    EXPECT_EQ(pointerSpeed(PAD_DEAD_ZONE * 3 / 4, PAD_DEAD_ZONE * 3 / 4, 10), 0) << "the dead zone is round";
    int y0 = mouseY;
    pointerSpeed(-PAD_AXIS_MAX, PAD_AXIS_MAX / 3, 200);
    EXPECT_EQ(mouseX, 0);
    EXPECT_GT(mouseY, y0);
    EXPECT_EQ(shown(1, mouseY + 2), WHITE) << "the arrow's inside, under its tip";
    EXPECT_TRUE(seen.empty()) << "the stick is no key";

    headlessMouse(EVENT_MOUSE_MOVE, 300, 300);
    runPasses(3);
    EXPECT_NE(shown(301, 302), WHITE) << "the mouse hides the arrow";
    headlessPadButton(PAD_A, true);
    headlessPadButton(PAD_A, false);
    runPasses(1);
    EXPECT_EQ(seen, (Seen{"down1", "ldown@300,300", "up1", "lup@300,300"})) << "A clicks where the mouse left it";

    enter(MODE_RACE);
    EXPECT_EQ(seen, (Seen{})) << "a stick at rest says nothing new";
    const int x0 = mouseX;
    headlessPadStick(PAD_DEAD_ZONE + 1, 0);
    runPasses(3);
    headlessPadStick(20000, -9000);
    runPasses(3);
    headlessPadStick(PAD_DEAD_ZONE / 2, -PAD_DEAD_ZONE / 2);
    runPasses(3);
    EXPECT_EQ(seen, (Seen{"stick@" + std::to_string(PAD_DEAD_ZONE + 1) + ",0", "stick@20000,-9000", "stick@0,0"}));
    EXPECT_EQ(mouseX, x0);
    EXPECT_NE(shown(x0 + 1, mouseY + 2), WHITE) << "no arrow in the race";
}

// A pad pulled out mid-race lets go of what it held; one plugged back in
// works again; each is a line in the log.
TEST_F(PadTest, PluggedInAndOutMidRun) {
    EXPECT_TRUE(logHas("Gamepad connected"));
    enter(MODE_RACE);
    headlessPadButton(PAD_RIGHT_TRIGGER, true);
    headlessPadButton(PAD_DPAD_LEFT, true);
    headlessPadStick(0, 30000);
    runPasses(2);
    EXPECT_EQ(seen, (Seen{"down1", "down37", "stick@0,30000"}));
    seen.clear();
    headlessPadConnect(false);
    runPasses(2);
    EXPECT_EQ(seen, (Seen{"up37", "up1", "stick@0,0"}));
    EXPECT_TRUE(logHas("Gamepad removed"));
    EXPECT_FALSE(padConnected());
    seen.clear();
    headlessPadButton(PAD_B, true);
    headlessPadStick(30000, 0);
    runPasses(2);
    EXPECT_EQ(seen, Seen{}) << "nothing from a pad that is gone";

    clearLog();
    headlessPadConnect(true);
    EXPECT_EQ(pressAndRelease(PAD_B), (Seen{"down2", "up2"}));
    EXPECT_TRUE(logHas("Gamepad connected"));
}

} // namespace
