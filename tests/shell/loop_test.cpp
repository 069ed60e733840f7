// The main loop stepped pass by pass on the headless backend.
#include "platform/headless.h"
#include "game.h"
#include "shell/loop.h"
#include "screens/mode_ids.h"
#include "shell/modes.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> events;
int updatesToChange = -1; // updates to run before one returns another mode
Mode changeTo = MODE_TITLE;

void record(const char* what, Mode mode) { events.push_back(std::string(what) + std::to_string(mode)); }

void enterA() { record("enter", currentMode); }
void leaveA() { record("leave", currentMode); }
Mode updateA(Mode self) {
    record("update", self);
    if (updatesToChange >= 0 && --updatesToChange < 0) return changeTo;
    return self;
}
Mode renderA(Mode self) {
    record("render", self);
    return self;
}
const ModeScreen testScreen = {enterA, leaveA, updateA, renderA, nullptr, false, false};

int count(const std::string& what) {
    int n = 0;
    for (const std::string& e : events) n += e == what;
    return n;
}

class LoopTest : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override {
        ASSERT_EQ(startHeadlessGame(dir), 0);
        setModeScreen(MODE_INTRO, &testScreen);
        setModeScreen(MODE_TITLE, &testScreen);
        events.clear();
        updatesToChange = -1;
        stepPass(0); // enters the intro
        events.clear();
    }
    void TearDown() override { stopHeadlessGame(); }
};

TEST_F(LoopTest, FirstPassEntersTheIntroBeforeAnyStep) {
    // SetUp's pass ran; a fresh start shows the order.
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    setModeScreen(MODE_INTRO, &testScreen);
    events.clear();
    EXPECT_EQ(currentMode, MODE_INTRO);
    EXPECT_EQ(previousMode, 0);
    stepPass(logicPeriod + 1);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], "enter5");
    EXPECT_EQ(events[1], "update5");
}

TEST_F(LoopTest, OneStepPerPeriodAndNoneBeforeItIsDue) {
    int presented = headlessFramesPresented();
    stepPass(logicPeriod);   // exactly one period: not yet past it
    EXPECT_EQ(count("update5"), 0);
    stepPass(1);
    EXPECT_EQ(count("update5"), 1);
    EXPECT_EQ(count("render5"), 1);
    EXPECT_EQ(headlessFramesPresented(), presented + 1);
}

TEST_F(LoopTest, LongStallRunsFourStepsAndDropsTheBacklog) {
    stepPass(logicPeriod * 50);
    EXPECT_EQ(count("update5"), MAX_STEPS_PER_PASS);
    EXPECT_EQ(logicMark, headlessNow()) << "the mark jumps to the present";
    events.clear();
    stepPass(logicPeriod / 2);
    EXPECT_EQ(count("update5"), 0) << "no catch-up of the dropped steps";
}

TEST_F(LoopTest, SkippedSecondsPublishZero) {
    for (int i = 0; i < 10; i++) stepPass(logicPeriod + 1);
    stepPass(oneSecond - 10 * (logicPeriod + 1) + 2);
    // The second closes before the eleventh pass steps.
    EXPECT_EQ(stepsLastSecond, 10);
    EXPECT_EQ(framesLastSecond, 10);
    stepPass(oneSecond * 3);
    EXPECT_EQ(stepsLastSecond, 0);
    EXPECT_EQ(framesLastSecond, 0);
}

TEST_F(LoopTest, ModeChangeStopsTheStepsAndThatPassRendersNothing) {
    updatesToChange = 1;
    int presented = headlessFramesPresented();
    stepPass(logicPeriod * 3 + 1);
    EXPECT_EQ(count("update5"), 2);
    EXPECT_EQ(count("render5"), 0);
    EXPECT_EQ(headlessFramesPresented(), presented);
    EXPECT_EQ(currentMode, MODE_TITLE);
    events.clear();
    stepPass(logicPeriod + 1);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "leave1") << "leave runs for the old mode (currentMode already new)";
    EXPECT_EQ(events[1], "enter1");
    EXPECT_EQ(events[2], "update1");
    EXPECT_EQ(count("update5"), 0);
}

TEST_F(LoopTest, EnterResetsTheModeCounters) {
    for (int i = 0; i < 5; i++) stepPass(logicPeriod + 1);
    EXPECT_EQ(tickCount, 5);
    EXPECT_EQ(modeFrameCount, 5);
    uint16_t global = frameCount;
    currentMode = MODE_TITLE;
    stepPass(logicPeriod + 1);
    EXPECT_EQ(tickCount, 1);
    EXPECT_EQ(modeFrameCount, 1);
    EXPECT_EQ(frameCount, (uint16_t)(global + 1));
}

TEST_F(LoopTest, InactiveWindowNeitherUpdatesNorDrawsAndSleeps) {
    headlessSetFocus(false);
    int sleeps = headlessSleeps();
    int presented = headlessFramesPresented();
    stepPass(logicPeriod + 1); // finds the focus gone
    events.clear();
    for (int i = 0; i < 4; i++) stepPass(logicPeriod + 1);
    EXPECT_EQ(appActive, 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(headlessFramesPresented(), presented);
    EXPECT_EQ(headlessSleeps(), sleeps + 5) << "one 250 ms sleep a pass";
    headlessSetFocus(true);
    stepPass(logicPeriod + 1); // becomes active, presents nothing yet
    EXPECT_EQ(appActive, 1);
    stepPass(logicPeriod + 1);
    EXPECT_GT(count("update5"), 0);
}

TEST_F(LoopTest, ClosingEndsAfterThePassAndLeaveRuns) {
    headlessPushEvent({EVENT_CLOSE, 0, 0, 0, 0});
    stepPass(logicPeriod + 1);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(count("update5"), 1) << "the pass finishes";
    gameShutdown();
    EXPECT_EQ(events.back(), "leave5");
    ASSERT_EQ(startHeadlessGame(dir), 0); // TearDown shuts this one down
}

TEST(LoopStartup, NoWindowShowsCriticalBoxAndEndsWithOne) {
    GameDir dir;
    headlessReset();
    headlessSetWindowFails(true);
    platformUse(headlessBackend());
    EXPECT_EQ(gameStartup(dir.base().c_str()), 1);
    ASSERT_EQ(headlessMessageBoxes().size(), 1u);
    EXPECT_EQ(headlessMessageBoxes()[0], "Critical: Unable to create window.");
}

TEST(LoopStartup, FoldersAndFirstModes) {
    GameDir dir;
    ASSERT_EQ(startHeadlessGame(dir), 0);
    EXPECT_EQ(std::string(dataFolder), dir.base() + "Data/");
    EXPECT_EQ(std::string(soundFolder), dir.base() + "Sound/");
    EXPECT_EQ(currentMode, MODE_INTRO);
    EXPECT_EQ(appActive, 1);
    EXPECT_EQ(framebuffer->width, 640);
    EXPECT_EQ(framebuffer->height, 480);
    stopHeadlessGame();
}

} // namespace
