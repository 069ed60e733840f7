// The title: the title picture, the seven-row menu sliding in from the
// right and lighting up under the held pointer, and the credit and version
// lines rising into the bottom right corner.
#include "screens/screens_local.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "shell/random.h"
#include "world/levels.h"
#include "sound/effects.h"
#include "sound/sounds.h"

#include <cstdio>
#include <cstring>

static const int MENU_ROWS = 7;
static const int MENU_FIRST_LINE = 3;  // picture lines above the first row
static const int MENU_SPARE_LINES = 5; // lines of the picture that belong to no row
static const int DARKEST_FADE = 15;
static const int LETTERING_BIT = 1 << 10; // the top bit of green: the brightest lettering
static const int SLIDE_START_TICK = 32;
static const int CLICK_SLACK = 10; // clicks count this far left of the resting menu
static const int CREDIT_RISE_TICKS = 36;
static const int CREDIT_WEIGHT = 80;
static const double VERSION = 1.0;
static const char CREDIT_LINE[] = "Kelvarostrindamuxelor team";

// What each row does: a game type, or a screen of its own.
struct MenuRow {
    int gameType; // -1: not a game
    Mode mode;    // for the rows that are not games
};
static const MenuRow MENU[MENU_ROWS] = {
    {GAME_RACE, 0},           {GAME_STUNT, 0},        {GAME_FREE_RIDE, 0},
    {-1, MODE_OPTIONS},            {-1, MODE_CONTROLS_HELP},    {-1, MODE_HIGH_SCORES},
    {-1, MODE_EXIT_PICTURE},
};

static Surface* menuPicture;
static int menuX;
static int rowFade[MENU_ROWS];
static int selectedRow, previousSelectedRow;

// With a picture too small to hold rows (the stand-in for a missing file)
// no row is ever pointed at.
static int rowHeight() { return menuPicture ? (menuPicture->height - MENU_SPARE_LINES) / MENU_ROWS : 0; }

static int menuY() {
    ScreenMetrics m = screenMetrics();
    return m.height - m.height / 16 - menuPicture->height;
}

// The row under the pointer's y: -1 above the rows.
static int rowAt(int y) {
    int rowH = rowHeight();
    int d = y - menuY() - MENU_FIRST_LINE;
    if (rowH < 1 || d < 0) return -1;
    return d / rowH;
}

static bool isRow(int row) { return row >= 0 && row < MENU_ROWS; }

static void enter() {
    if (soundPlayCount(SOUND_THEME) == 0) playSoundLooping(SOUND_THEME, 1);
    selectedRow = previousSelectedRow = -1;
    loadBackground("titleBack.jpg");
    freePicture(&menuPicture);
    loadPicture("titleMenu.png", &menuPicture);
    for (int& fade : rowFade) fade = DARKEST_FADE;
    menuX = screenMetrics().width;
}

static void leave() {
    freeBackground();
    freePicture(&menuPicture);
}

static void slideMenu() {
    if (tickCount <= SLIDE_START_TICK) return;
    ScreenMetrics m = screenMetrics();
    int target = m.width - menuPicture->width - m.height / 32;
    if (menuX > target) menuX = menuX - (menuX - target) / 2 - 1;
}

// The row under the held pointer, -1 for none.
static int heldRow() {
    if (!leftButtonHeld || mouseX < menuX) return -1;
    int row = rowAt(mouseY);
    return isRow(row) ? row : -1;
}

// The held row lights up at once; the others darken a step at a time, and
// all brighten again when nothing is held.
static void fadeRows() {
    int held = heldRow();
    for (int r = 0; r < MENU_ROWS; r++) {
        if (held < 0)
            rowFade[r] = rowFade[r] > 0 ? rowFade[r] - 1 : 0;
        else if (r == held)
            rowFade[r] = 0;
        else if (rowFade[r] < DARKEST_FADE)
            rowFade[r]++;
    }
}

static Mode update(Mode self) {
    if (!menuPicture) return self;
    slideMenu();
    fadeRows();
    return self;
}

// A picture line's row: lines above the first row belong to row 0.
static int rowOfLine(int j) {
    int rowH = rowHeight();
    return rowH < 1 ? -1 : (j - MENU_FIRST_LINE) / rowH;
}

// The picture's green is a grey level and its blue how strongly it covers;
// the lettering of the pressed row flickers.
static void drawMenu(int pressed) {
    int y0 = menuY();
    for (int j = 0; j < menuPicture->height; j++) {
        int r = rowOfLine(j);
        for (int i = 0; i < menuPicture->width; i++) {
            Color p = getPixel(menuPicture, i, j);
            int cover = colorBlue(p);
            if (cover < 2) continue;
            int g = colorGreen(p);
            if (r == pressed && (p & LETTERING_BIT)) {
                int n = gameRandom() & 15;
                g = g + n > 41 ? 31 : g + n - 10;
            }
            if (isRow(r)) g -= rowFade[r];
            if (g < 0) g = 0;
            blendPixel(framebuffer, menuX + i, y0 + j, packColor(g, g, g), (31 - cover) * 8);
        }
    }
}

static void clickOnRowChange(int pressed) {
    if (!isRow(pressed)) return;
    selectedRow = pressed;
    if (selectedRow != previousSelectedRow) playSound(SOUND_BUTTON_CLICK);
    previousSelectedRow = selectedRow;
}

// The credit line and, 8 pixels above it, the version, rising into place.
static void drawCredits() {
    ScreenMetrics m = screenMetrics();
    int rise = tickCount < CREDIT_RISE_TICKS ? tickCount / 4 : 8;
    char version[16];
    snprintf(version, sizeof version, "v%1.1f", VERSION);
    const char* lines[2] = {CREDIT_LINE, version};
    for (int k = 0; k < 2; k++) {
        int x = m.width - 6 * (int)strlen(lines[k]) - 2;
        drawSmallTextBlended(framebuffer, lines[k], x, m.height - rise - 8 * k, 0xFFFF, CREDIT_WEIGHT);
    }
}

static Mode render(Mode self) {
    drawBackground();
    if (!menuPicture) return self;
    int pressed = heldRow();
    drawMenu(pressed);
    clickOnRowChange(pressed);
    drawCredits();
    return self;
}

static Mode act(int row) {
    const MenuRow& action = MENU[row];
    if (action.gameType < 0) return action.mode;
    gameType = action.gameType;
    return riderScreenForNewGame();
}

static Mode input(Mode self, const InputEvent& e) {
    if (escapeReleased(e)) return MODE_EXIT_PICTURE;
    if (e.kind != INPUT_BUTTON_UP || !menuPicture) return self;
    ScreenMetrics m = screenMetrics();
    int row = rowAt(e.y);
    // The menu answers where it comes to rest, even while it slides in.
    if (e.x <= m.width - menuPicture->width - CLICK_SLACK || !isRow(row)) return self;
    return act(row);
}

const ModeScreen titleScreen = {enter, leave, update, render, input, false, false};
