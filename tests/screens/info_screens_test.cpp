// High scores, controls help, exit and hidden picture through the real
// loop, checked against the pictures and texts they should show.
#include "screens/menu_fixture.h"
#include "gfx/blit.h"
#include "player/highscores.h"
#include "player/settings.h"
#include "support/bytes.h"

#include <cstring>
#include <vector>

namespace {

Surface* picture(const char* name) {
    Surface* s = nullptr;
    loadPicture(name, &s);
    return s;
}

class InfoScreens : public MenuGame {
protected:
    void restart(int orientation) {
        applyOrientationGeometry(orientation);
        ASSERT_EQ(saveSettings(), 1);
        stopHeadlessGame();
        ASSERT_EQ(startHeadlessGame(dir), 0);
    }
    // Logical (x, y) of the last frame, in orientation 0 or 1.
    Color pixel(int x, int y) const { return W() > H() ? framePixel(x, y) : framePixel(H() - 1 - y, x); }
    bool boxMatches(const Surface* s, int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (pixel(x, y) != getPixel(s, x, y)) return false;
        return true;
    }
};

// Rows appear one per 16 steps: 7 in landscape, 10 in portrait, "..." for
// an empty one; a score of "...." shows the lowest rank. The help picture
// opens f squared rows by frame f and is whole past the square's overflow.
// The exit picture of the orientation ends the program on a key.
TEST_F(InfoScreens, ScoresHelpAndExitInBothOrientations) {
    Bytes file(HIGH_SCORE_ROWS * HIGH_SCORE_ENTRY_BYTES, '.');
    for (int row = 1; row < HIGH_SCORE_ROWS; row++) {
        uint8_t* e = &file[row * HIGH_SCORE_ENTRY_BYTES];
        memset(e, 0, HIGH_SCORE_ENTRY_BYTES);
        memcpy(e + 2, "RIDER", 5);
        memcpy(e + 20, row == 3 ? "...." : "3882", 4);
    }
    writeBytes(dir.data("Kelvarostrindamuxelor.dat"), file);
    for (int orientation : {0, 1}) {
        restart(orientation);
        Surface* back = picture(orientation == 0 ? "stageBackL.png" : "stageBack.png");
        auto rowY = [&](int n) { return (n + 2) * (2 * L() + 7) - L() + 20; };
        auto placeShown = [&](int n) { return !boxMatches(back, 12, rowY(n) - L(), 28, rowY(n)); };
        goTo(MODE_HIGH_SCORES, 16 * 3 + 1);
        EXPECT_TRUE(placeShown(2));
        EXPECT_FALSE(placeShown(3));
        runPasses(300);
        keepFrame(orientation == 0 ? "scores.png" : "scores_portrait.png");
        EXPECT_FALSE(placeShown(0));
        EXPECT_FALSE(boxMatches(back, W() / 2 - 8, rowY(0) - L(), W() / 2 + 8, rowY(0))) << "...";
        for (int n = 1; n < 10; n++) EXPECT_EQ(placeShown(n), n < (orientation == 0 ? 7 : 10)) << n;
        for (int n : {2, 3}) {
            Surface* expected = createSurface(W(), H());
            drawCentred(expected, back);
            int rankY = (n + 2) * (2 * L() + 7) + 21;
            drawTextColored(expected, n == 3 ? "Rookie" : "Immortalized", 50, rankY, 0, 0);
            drawTextDefault(expected, n == 3 ? "Rookie" : "Immortalized", 50, rankY - 1);
            EXPECT_TRUE(boxMatches(expected, 40, rankY - B() - 1, W() - 40, rankY + 2)) << n;
            destroySurface(&expected);
        }
        destroySurface(&back);

        Surface* steering = picture("steering.png");
        int ph = steering->height, left = W() / 2 - steering->width / 2;
        auto rowShows = [&](int y, int r) {
            for (int x = 0; x < steering->width; x += 5)
                if (pixel(left + x, y) != getPixel(steering, x, r)) return false;
            return true;
        };
        key('K');
        ASSERT_EQ(currentMode, MODE_TITLE);
        goTo(MODE_CONTROLS_HELP, 6);
        int k = modeFrameCount * modeFrameCount, top = H() / 2 - (k - ph) / 2 - ph / 16 - ph / 2;
        EXPECT_TRUE(rowShows(top, ph / 2 - k / 2));
        EXPECT_TRUE(rowShows(top + k - 1, ph / 2 - k / 2 + k - 1));
        EXPECT_FALSE(rowShows(top + k, ph / 2 - k / 2 + k));
        modeFrameCount = 50000; // its square does not fit in 32 bits
        runPasses(200);
        keepFrame(orientation == 0 ? "help.png" : "help_portrait.png");
        EXPECT_TRUE(rowShows(H() / 2 - ph / 16 - ph / 2, 0));
        EXPECT_TRUE(rowShows(H() / 2 - ph / 16 + ph / 2 - 1, ph - 1));
        destroySurface(&steering);
        click(10, 10);
        ASSERT_EQ(currentMode, MODE_TITLE);

        goTo(MODE_EXIT_PICTURE, 3);
        Surface* exit = picture(orientation == 0 ? "exitl.png" : "exitp.png");
        EXPECT_TRUE(boxMatches(exit, 0, 0, W() - 1, H() - 1));
        destroySurface(&exit);
        EXPECT_EQ(quitRequested, 0);
        key('Z', 1);
        EXPECT_EQ(quitRequested, 1);
    }
}

// With "monkey.png" the intro leads to it: fade in from its backdrop
// colour, about two seconds at full strength (less with the button held),
// fade out, the title. A click in its first frames does not skip it.
TEST_F(InfoScreens, TheHiddenPictureFadesHoldsAndFadesOut) {
    std::vector<uint8_t> rgb(64 * 64 * 3);
    for (size_t i = 0; i < rgb.size(); i++) rgb[i] = (uint8_t)(i % 3 == 0 ? 200 : i / 3 % 64 * 4);
    ASSERT_TRUE(savePng(dir.data("monkey.png").c_str(), 64, 64, false, rgb.data()));
    restart(0);
    Surface* monkey = picture("monkey.png");
    Color full = blendColors(getPixel(monkey, 0, 0), 0, 255);
    destroySurface(&monkey);
    for (bool held : {false, true}) {
        goTo(MODE_INTRO, 2);
        click(5, 5, 1);
        ASSERT_EQ(currentMode, MODE_HIDDEN_PICTURE);
        click(5, 5, 1);
        ASSERT_EQ(currentMode, MODE_HIDDEN_PICTURE);
        if (held) press(5, 5);
        int steps = 0, fullSteps = 0;
        for (; currentMode == MODE_HIDDEN_PICTURE && steps < 400; steps++) {
            runPasses(1);
            fullSteps += framePixel(0, 0) == full;
        }
        if (held) release(5, 5);
        EXPECT_EQ(currentMode, MODE_TITLE);
        // 29 steps in, the hold until 160 steps from the start, 30 out.
        EXPECT_NEAR(steps, held ? 60 : 192, 4);
        if (!held) {
            EXPECT_NEAR(fullSteps, 138, 6);
        }
    }
}

} // namespace
