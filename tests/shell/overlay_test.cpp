// The debug overlay's panels: drawn from the small-character picture, slid
// by taps and drags, and the menu's exit only once the panel has gone.
#include "gfx/surface.h"
#include "platform/headless.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "shell/overlay.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

namespace {

const Color PIECE = 0x5555;

class OverlayTest : public ::testing::Test {
protected:
    GameDir dir;
    int W = 640, H = 480;
    void SetUp() override {
        ASSERT_EQ(startHeadlessGame(dir), 0);
        destroySurface(&smallChars);
        smallChars = createSurface(240, 135);
        fillSurface(smallChars, PIECE);
        clearLog();
        overlayHidden = 1;
        toggleOverlay();
        retractOverlayPanels();
        frames(12);
    }
    void TearDown() override { stopHeadlessGame(); }
    void frames(int n) { runPasses(n); }
    void send(int type, int x, int y) { windowProcedure({type, 0, 0, x, y}); }
    void tap(int x, int y) {
        send(EVENT_MOUSE_MOVE, x, y);
        send(EVENT_LBUTTON_DOWN, x, y);
        send(EVENT_LBUTTON_UP, x, y);
    }
};

TEST_F(OverlayTest, RetractedPanelsShowTheirTabsAtTheEdges) {
    EXPECT_EQ(logPanelMotion, PANEL_STILL);
    EXPECT_EQ(getPixel(framebuffer, 3, 3), PIECE) << "log tab at the top left";
    EXPECT_EQ(getPixel(framebuffer, W - 4, 3), PIECE) << "counter tab at the top right";
    EXPECT_EQ(getPixel(framebuffer, 3, H - 4), PIECE) << "menu tab at the bottom left";
    EXPECT_NE(getPixel(framebuffer, W / 2, H / 2), PIECE);
}

TEST_F(OverlayTest, ExitOnlyAfterTheMenuHasSlidOff) {
    tap(5, H - 4);
    EXPECT_EQ(menuPanelMotion, MENU_PANEL_RISING);
    frames(12);
    EXPECT_EQ(menuPanelY, H - 30);
    EXPECT_EQ(menuPanelMotion, PANEL_STILL);
    tap(54 + 5, H - 30 + 10); // the third button
    EXPECT_EQ(menuPanelMotion, MENU_PANEL_CLOSING);
    int passes = 0;
    bool downBeforeTheEnd = false; // the panel was drawn at the bottom on the pass before the end
    while (!quitRequested && passes < 20) {
        downBeforeTheEnd = menuPanelY == H - 1;
        frames(1);
        passes++;
    }
    EXPECT_EQ(quitRequested, 1);
    EXPECT_TRUE(downBeforeTheEnd);
    EXPECT_EQ(menuPanelY, H - 1) << "the panel is fully down before the game ends";
    EXPECT_GT(passes, 3);
    quitRequested = 0; // TearDown ends the game
}

// The pause drops activity on the frame the panel arrives; the same pass
// finds the window in front and wakes, so only that frame goes unshown.
TEST_F(OverlayTest, SuspendButtonSkipsAFrameAfterSliding) {
    tap(5, H - 4);
    frames(12);
    tap(32 + 5, H - 30 + 10);
    EXPECT_EQ(menuPanelMotion, MENU_PANEL_SUSPENDING);
    int presented = 0;
    for (int i = 0; i < 20 && menuPanelMotion != PANEL_STILL; i++) {
        presented = headlessFramesPresented();
        frames(1);
    }
    EXPECT_EQ(menuPanelMotion, PANEL_STILL);
    EXPECT_EQ(headlessFramesPresented(), presented) << "the arriving frame is not presented";
    EXPECT_EQ(appActive, 1);
}

TEST_F(OverlayTest, DraggedLogPanelStaysWhereDropped) {
    send(EVENT_MOUSE_MOVE, 10, 4);
    send(EVENT_LBUTTON_DOWN, 10, 4);
    send(EVENT_MOUSE_MOVE, 110, 154);
    EXPECT_EQ(logPanelX, 100);
    EXPECT_EQ(logPanelY, 150);
    send(EVENT_LBUTTON_UP, 110, 154);
    frames(5);
    EXPECT_EQ(logPanelX, 100);
    EXPECT_EQ(logPanelY, 150);
    EXPECT_EQ(getPixel(framebuffer, 101, 150 - 20), PIECE) << "the log strips are drawn";
    // Dropped far away it retracts to its corner.
    send(EVENT_LBUTTON_DOWN, 110, 154);
    send(EVENT_MOUSE_MOVE, 600, 470);
    send(EVENT_LBUTTON_UP, 600, 470);
    EXPECT_EQ(logPanelMotion, PANEL_RETRACTING);
    frames(15);
    EXPECT_LE(logPanelX, 1) << "halving stops at 1";
    EXPECT_LE(logPanelY, 1);
    EXPECT_EQ(logPanelMotion, PANEL_STILL);
}

TEST_F(OverlayTest, TappedLogTabDropsThePanelAndTheScrollBarDrags) {
    tap(10, 4);
    EXPECT_EQ(logPanelMotion, LOG_PANEL_DROPPING);
    frames(12);
    EXPECT_EQ(logPanelY, 96);
    int y = logPanelY;
    send(EVENT_MOUSE_MOVE, 188, y - 30);
    send(EVENT_LBUTTON_DOWN, 188, y - 30);
    send(EVENT_MOUSE_MOVE, 188, y - 60);
    EXPECT_EQ(logScroll, 30);
    send(EVENT_MOUSE_MOVE, 188, y - 400);
    EXPECT_EQ(logScroll, 6 * 16 - 19) << "limited to its range";
    send(EVENT_LBUTTON_UP, 188, y - 400);
    EXPECT_EQ(logPanelY, 96) << "a scroll drag leaves the panel";
}

TEST_F(OverlayTest, CounterPanelShowsAndHidesOnTaps) {
    tap(W - 3, 3);
    EXPECT_EQ(counterPanelMotion, COUNTER_PANEL_SHOWING);
    frames(10);
    EXPECT_EQ(counterPanelX, W - 24);
    tap(W - 20, 3);
    frames(10);
    EXPECT_EQ(counterPanelX, W - 1);
}

TEST_F(OverlayTest, EventsBesideThePanelsReachTheMode) {
    send(EVENT_MOUSE_MOVE, 320, 240);
    EXPECT_FALSE(overlayInput(INPUT_BUTTON_UP)) << "a release over nothing is the mode's";
    EXPECT_FALSE(overlayInput(INPUT_POINTER_MOVE));
}

// An error line brings the log panel down on the next frame (and hides the
// overlay); a plain line does not.
TEST_F(OverlayTest, AnErrorLineDropsTheLogPanel) {
    logThreshold = 1;
    logAt(1, "plain\n", 0);
    frames(1);
    EXPECT_EQ(logPanelMotion, PANEL_STILL);
    logAt(1, "[ERROR] broken\n", LOG_TAG_ERROR);
    EXPECT_EQ(logPanelMotion, PANEL_STILL) << "the log itself never reaches into the overlay";
    frames(1);
    EXPECT_EQ(logPanelMotion, LOG_PANEL_TO_30);
    EXPECT_EQ(overlayHidden, 1);
    logThreshold = 0;
}

} // namespace
