// The whole game on the baked data set, driven through the headless window
// as a player would: clicks, held buttons and keys, with frames kept for
// people to look at.
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
#include "shell/modes.h"
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

    // The display point that the orientation maps to logical (x, y).
    void toDisplay(int x, int y, int* dx, int* dy) const {
        switch (displayGeometry.orientation) {
        case 1: *dx = H() - 1 - y; *dy = x; break;
        case 2: *dx = W() - x; *dy = H() - y; break;
        case 3: *dx = y; *dy = W() - 1 - x; break;
        default: *dx = x; *dy = y; break;
        }
    }
    void pointer(int type, int x, int y) {
        int dx, dy;
        toDisplay(x, y, &dx, &dy);
        headlessMouse(type, dx, dy);
    }
    // In logical coordinates. Each event reaches the game at the end of the
    // next pass; a mode it asks for is entered in the pass after.
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
    void release(int x, int y, int passes = 2) {
        pointer(EVENT_LBUTTON_UP, x, y);
        runPasses(passes);
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
    // Straight into a mode, as if a screen had asked for it; then past the
    // slide-in of its lists and buttons.
    void goTo(Mode mode, int passes = 40) {
        currentMode = mode;
        runPasses(passes);
    }

    // The title's menu rests at the bottom right; rows are (mh - 5) / 7 high
    // from 3 pixels below its top.
    void titleRowPoint(int row, int* x, int* y) const {
        Surface* menu = nullptr;
        loadPicture("titleMenu.png", &menu);
        int rowH = (menu->height - 5) / 7, top = H() - H() / 16 - menu->height;
        *x = W() - menu->width / 2;
        *y = top + 3 + row * rowH + rowH / 2;
        destroySurface(&menu);
    }
    // The centre of letter cell (c, r) of the rider editor's grid.
    void letterPoint(char letter, int* x, int* y) const {
        int index = letter - 'A', c = index % 7 - 3, r = index / 7;
        *x = W() / 2 + c * (W() / 32) * 2;
        *y = H() / 2 + r * (L() + H() / 64) - B() + (L() + 4) / 2;
    }
    // A point inside level-selection row r, `below` pixels under the top of
    // its band.
    int levelRowY(int r, int below = 6) const {
        bool landscape = W() > H();
        int first = (landscape ? 2 : 3) * L() + L() + L() / 2 + (landscape ? 0 : L() / 2);
        return first + r * (landscape ? L() : L() + 2) - B() + below;
    }

    // The presented frame's pixel at logical (x, y).
    Color framePixel(int x, int y) const {
        int dx, dy;
        toDisplay(x, y, &dx, &dy);
        return headlessLastFrame()[(size_t)dy * 640 + dx];
    }

    // Frames worth looking at are written where SCREENSHOT_DIR points.
    void keepFrame(const char* name) const {
        const char* folder = getenv("SCREENSHOT_DIR");
        if (folder) headlessSaveFramePng((std::string(folder) + "/" + name).c_str());
    }
};

// n riders named A1, A2, ... with bests and colours left at 0.
inline void makeRiders(int n) {
    char name[4] = "A0";
    for (int i = 0; i < n; i++) {
        name[1] = (char)('1' + i);
        createRider(name, 0, 0);
    }
}
