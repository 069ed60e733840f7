// The high scores, the controls help, the exit picture and the hidden
// picture through the real loop, checked against the pictures and texts
// they should show.
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

// A high-score row as the file holds it.
void putEntry(Bytes& file, int row, int number, const char* name, const char* score) {
    uint8_t* e = &file[row * HIGH_SCORE_ENTRY_BYTES];
    memset(e, 0, HIGH_SCORE_ENTRY_BYTES);
    e[0] = (uint8_t)(number >> 8);
    e[1] = (uint8_t)number;
    memcpy(e + 2, name, strlen(name));
    memcpy(e + 20, score, 4);
}

class InfoScreens : public MenuGame {
protected:
    // Restarts the game on the files as they now are.
    void restart(int orientation = 0) {
        if (orientation != 0) {
            applyOrientationGeometry(orientation);
            ASSERT_EQ(saveSettings(), 1);
        }
        stopHeadlessGame();
        ASSERT_EQ(startHeadlessGame(dir), 0);
        runPasses(1);
    }
    // True when some pixel of the logical box differs from `expected`.
    bool boxDiffers(const Surface* expected, int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (logicalPixel(x, y) != getPixel(expected, x, y)) return true;
        return false;
    }
    Color logicalPixel(int x, int y) const {
        if (displayGeometry.orientation == 1) return framePixel(H() - 1 - y, x);
        return framePixel(x, y);
    }
    int rowShadowY(int n) const { return (n + 2) * (2 * L() + 7) - L() + 20; }
    // The shadowed text the high-score screen should show, drawn on `s`.
    void drawShadowedOn(Surface* s, const char* text, int x, int y) const {
        drawTextColored(s, text, x, y, 0, 0);
        drawTextDefault(s, text, x, y - 1);
    }
};

// An empty file shows "..." on every row; a full one its first seven rows
// in landscape and all ten in portrait, one every 16 steps; a score of
// "...." earns the lowest rank.
TEST_F(InfoScreens, HighScoreRowsInBothOrientations) {
    goTo(MODE_HIGH_SCORES, 200);
    keepFrame("scores_empty.png");
    Surface* back = picture("stageBackL.png");
    for (int n = 0; n < 7; n++) {
        EXPECT_TRUE(boxDiffers(back, W() / 2 - 8, rowShadowY(n) - L(), W() / 2 + 8, rowShadowY(n))) << n;
        EXPECT_FALSE(boxDiffers(back, 12, rowShadowY(n) - L(), 28, rowShadowY(n))) << "no place number " << n;
    }
    destroySurface(&back);

    Bytes file(HIGH_SCORE_ROWS * HIGH_SCORE_ENTRY_BYTES, '.');
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) putEntry(file, row, row + 1, "RIDER", "3882");
    putEntry(file, 3, 4, "DOTTED", "....");
    writeBytes(dir.data("Kelvarostrindamuxelor.dat"), file);
    for (int orientation : {0, 1}) {
        restart(orientation);
        int rows = orientation == 0 ? 7 : 10;
        back = picture(orientation == 0 ? "stageBackL.png" : "stageBack.png");
        goTo(MODE_HIGH_SCORES, 16 * 3 + 1);
        auto placeShown = [&](int n) { return boxDiffers(back, 12, rowShadowY(n) - L(), 28, rowShadowY(n)); };
        EXPECT_TRUE(placeShown(2));
        EXPECT_FALSE(placeShown(3)) << "one row every 16 steps";
        runPasses(300);
        keepFrame(orientation == 0 ? "scores_full.png" : "scores_full_portrait.png");
        for (int n = 0; n < 10; n++) EXPECT_EQ(placeShown(n), n < rows) << orientation << " row " << n;
        // The rank lines: "Rookie" for the dotted score, "Immortalized" for 3882.
        for (int n : {2, 3}) {
            Surface* expected = createSurface(W(), H());
            drawCentred(expected, back);
            int rankY = (n + 2) * (2 * L() + 7) + 21;
            drawShadowedOn(expected, n == 3 ? "Rookie" : "Immortalized", 50, rankY);
            // From the rank's cap height down, clear of the name above it.
            EXPECT_FALSE(boxDiffers(expected, 40, rankY - B() - 1, W() - 40, rankY + 2)) << orientation << " row " << n;
            destroySurface(&expected);
        }
        destroySurface(&back);
        key('K');
        EXPECT_EQ(currentMode, MODE_TITLE);
    }
}

// The steering picture opens from its middle, f squared rows by frame f,
// and is whole long after the square would overflow.
TEST_F(InfoScreens, TheHelpPictureOpensFromItsMiddle) {
    Surface* steering = picture("steering.png");
    int pw = steering->width, ph = steering->height;
    int left = W() / 2 - pw / 2;
    // The picture's row drawn at screen row y, or -1 for none.
    auto shownRow = [&](int y) {
        for (int r = 0; r < ph; r++) {
            bool same = true;
            for (int x = 0; x < pw && same; x += 7) same = framePixel(left + x, y) == getPixel(steering, x, r);
            if (same) return r;
        }
        return -1;
    };
    goTo(MODE_CONTROLS_HELP, 6);
    int f = modeFrameCount, k = f * f;
    ASSERT_LT(k, ph);
    int top = H() / 2 - (k - ph) / 2 - ph / 16 - ph / 2;
    keepFrame("help_opening.png");
    EXPECT_EQ(shownRow(top), ph / 2 - k / 2);
    EXPECT_EQ(shownRow(top + k - 1), ph / 2 - k / 2 + k - 1);
    EXPECT_EQ(shownRow(top - 1), -1);
    EXPECT_EQ(shownRow(top + k), -1);

    modeFrameCount = 50000; // 50000 squared does not fit in 32 bits
    runPasses(1);
    top = H() / 2 - ph / 16 - ph / 2;
    EXPECT_EQ(shownRow(top), 0);
    EXPECT_EQ(shownRow(top + ph - 1), ph - 1);
    runPasses(200);
    keepFrame("help.png");
    destroySurface(&steering);
    click(10, 10);
    EXPECT_EQ(currentMode, MODE_TITLE);

    restart(1);
    goTo(MODE_CONTROLS_HELP, 300);
    keepFrame("help_portrait.png");
}

// The exit picture of the orientation; a key ends the program.
TEST_F(InfoScreens, TheExitPictureEndsTheProgramOnAKey) {
    for (int orientation : {0, 1}) {
        restart(orientation);
        goTo(MODE_EXIT_PICTURE, 3);
        Surface* exit = picture(orientation == 0 ? "exitl.png" : "exitp.png");
        EXPECT_FALSE(boxDiffers(exit, 0, 0, W() - 1, H() - 1)) << orientation;
        destroySurface(&exit);
        keepFrame(orientation == 0 ? "exit.png" : "exit_portrait.png");
        EXPECT_EQ(quitRequested, 0);
        key('Z', 1);
        EXPECT_EQ(quitRequested, 1) << orientation;
    }
}

// With "monkey.png" in the data folder it follows the intro: it fades in
// from its backdrop colour, holds about two seconds at full strength (less
// while the button is held), fades out and hands over to the title. A
// click in its first frames does not skip it.
TEST_F(InfoScreens, TheHiddenPictureFadesHoldsAndFadesOut) {
    const int side = 64;
    std::vector<uint8_t> rgb(side * side * 3);
    for (int i = 0; i < side * side; i++) {
        rgb[3 * i] = 200;
        rgb[3 * i + 1] = (uint8_t)(i % side * 4);
        rgb[3 * i + 2] = 40;
    }
    ASSERT_TRUE(savePng(dir.data("monkey.png").c_str(), side, side, false, rgb.data()));
    restart();
    Surface* monkey = picture("monkey.png");
    Color backdrop = getPixel(monkey, 0, 0);
    destroySurface(&monkey);
    for (bool held : {false, true}) {
        goTo(MODE_INTRO, 2);
        click(5, 5, 1);
        ASSERT_EQ(currentMode, MODE_HIDDEN_PICTURE);
        click(5, 5, 1); // in its first frames: ignored
        ASSERT_EQ(currentMode, MODE_HIDDEN_PICTURE);
        if (held) press(5, 5);
        int steps = 0, fullFrames = 0;
        while (currentMode == MODE_HIDDEN_PICTURE && steps < 400) {
            runPasses(1);
            steps++;
            if (framePixel(0, 0) == blendColors(backdrop, 0, 255)) fullFrames++;
            if (steps == 100 && !held) keepFrame("hidden_picture.png");
        }
        if (held) release(5, 5);
        EXPECT_EQ(currentMode, MODE_TITLE);
        // In: 29 steps to full; out: 30 steps from full; the hold lasts
        // until 2 s (160 steps) after the start.
        if (held)
            EXPECT_NEAR(steps, 60, 4);
        else {
            EXPECT_NEAR(steps, 192, 4);
            EXPECT_NEAR(fullFrames, 160 - 26 + 4, 6);
        }
    }
}

} // namespace
