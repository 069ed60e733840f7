// The whole game on the baked data set, played through the headless window
// with clicks, held buttons and keys at logical positions.
#pragma once
#include "gfx/font.h"
#include "gfx/image.h"
#include "platform/headless.h"
#include "player/riders.h"
#include "screens/mode_ids.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

class MenuGame : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override {
        ASSERT_TRUE(dir.copyBakedData()) << "the data set is baked by the build";
        ASSERT_EQ(startHeadlessGame(dir), 0);
        runPasses(1);
    }
    void TearDown() override {
        stopHeadlessGame();
        setDefaultBindings();
    }
    int W() const { return displayGeometry.logicalWidth; }
    int H() const { return displayGeometry.logicalHeight; }
    int L() const { return fontLineHeight(0); }
    int B() const { return fontBaseline(0); }

    void pointer(int type, int x, int y) {
        int dx = x, dy = y; // the display point of a logical one
        if (displayGeometry.orientation == 1) dx = H() - 1 - y, dy = x;
        headlessMouse(type, dx, dy);
    }
    // An event is handled at the end of the next pass; the mode it asks for
    // is entered in the pass after.
    void click(int x, int y, int passes = 2) {
        pointer(EVENT_LBUTTON_DOWN, x, y);
        pointer(EVENT_LBUTTON_UP, x, y);
        runPasses(passes);
    }
    void press(int x, int y) {
        pointer(EVENT_MOUSE_MOVE, x, y);
        pointer(EVENT_LBUTTON_DOWN, x, y);
        runPasses(1);
    }
    void move(int x, int y, int passes) {
        pointer(EVENT_MOUSE_MOVE, x, y);
        runPasses(passes);
    }
    void release(int x, int y) {
        pointer(EVENT_LBUTTON_UP, x, y);
        runPasses(2);
    }
    void key(int code, int passes = 2) {
        headlessKey(code, 0, true);
        headlessKey(code, 0, false);
        runPasses(passes);
    }
    void typeText(const char* text) {
        for (const char* p = text; *p; p++) key(*p, 1);
        runPasses(1);
    }
    // Straight into a mode, then past the slide-in of its lists and buttons.
    void goTo(Mode mode, int passes = 40) {
        currentMode = mode;
        runPasses(passes);
    }

    // Geometry of the screens, worked out from the pictures and the font.
    void titleRowPoint(int row, int* x, int* y) const {
        Surface* menu = nullptr;
        loadPicture("titleMenu.png", &menu);
        int rowH = (menu->height - 5) / 7;
        *x = W() - menu->width / 2;
        *y = H() - H() / 16 - menu->height + 3 + row * rowH + rowH / 2;
        destroySurface(&menu);
    }
    void letterPoint(char letter, int* x, int* y) const {
        int index = letter - 'A';
        *x = W() / 2 + (index % 7 - 3) * (W() / 32) * 2;
        *y = H() / 2 + index / 7 * (L() + H() / 64) - B() + (L() + 4) / 2;
    }
    // `below` pixels under the top of level row r's band.
    int levelRowY(int r, int below = 6) const {
        bool landscape = W() > H();
        int first = (landscape ? 2 : 3) * L() + L() + L() / 2 + (landscape ? 0 : L() / 2);
        return first + r * (landscape ? L() : L() + 2) - B() + below;
    }
    int riderRowY(int i) const { return 3 * L() + H() / 6 + (W() < H() ? H() / 16 : 0) + i * (2 * L() + 6); }
    int buttonsTop() const { return H() - H() / 4; }

    // "Race again" or "Quit Race" on the results screen: the buttons stand
    // a quarter of the panel either side of its centre, at a row found by
    // trying the column from the top.
    void clickResultsButton(bool again) {
        Surface* panel = nullptr;
        loadPicture("hudinfo.png", &panel);
        int quarter = panel ? panel->width / 4 : W() / 8;
        destroySurface(&panel);
        for (int y = 0; y < H() && currentMode == MODE_RESULTS; y += 2) {
            pointer(EVENT_LBUTTON_UP, W() / 2 + (again ? -quarter : quarter), y);
            runPasses(2);
        }
    }

    Color framePixel(int x, int y) const { return headlessLastFrame()[(size_t)y * 640 + x]; }
    // Frames worth looking at are written where SCREENSHOT_DIR points.
    void keepFrame(const char* name) const {
        if (const char* folder = getenv("SCREENSHOT_DIR"))
            headlessSaveFramePng((std::string(folder) + "/" + name).c_str());
    }
};
