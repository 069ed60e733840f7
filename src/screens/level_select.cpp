// Level selection: the levels of the current game type typing in one by
// one with the rider's bests, the locked ones as "....", the running total
// and what the next level asks for, and the start and Main Menu buttons.
// A level is marked by one press and started by a second or by the button.
#include "screens/screens_local.h"
#include "gfx/font.h"
#include "player/riders.h"
#include "player/scores.h"
#include "screens/mode_ids.h"
#include "screens/widgets.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/description.h"
#include "world/levels.h"

#include <cstdio>
#include <string>

static const int TICKS_PER_ROW = 4;
static const int LOCKED_FADE = 128;
static const char LOCKED_ROW[] = "....";
static const char MAIN_MENU[] = "Main Menu";

// Read once per visit: the names come from the level files.
static std::string levelNames[LEVELS_PER_TYPE];

struct LevelLayoutRows {
    int titleY;
    int firstRowY;
    int pitch;
    int summaryStep; // between the rows, the total and the requirement
    int buttonsY;
};

static LevelLayoutRows rows(const ScreenMetrics& m) {
    int L = m.lineHeight;
    int titleY = (m.landscape ? 2 : 3) * L;
    int first = titleY + L + L / 2 + (m.landscape ? 0 : L / 2);
    return {titleY, first, m.landscape ? L : L + 2, m.landscape ? L : L + 4, m.height - m.height / 16 - L};
}

static int rowCount() { return levelsOfType(gameType); }
static bool hasBests() { return gameType != GAME_FREE_RIDE; }
static bool rowOpen(int r) { return isLevelOpen(gameType, r, selectedRider()); }

// A choice stands only for a level of the current game type that the
// selected rider may ride.
static bool choiceStands(int choice) {
    if (choice < 0 || levelGameType(choice) != gameType) return false;
    int r = levelIndex(choice);
    return r < rowCount() && rowOpen(r);
}

static void enter() {
    loadStageBackground();
    if (!choiceStands(levelChoice)) levelChoice = -1;
    currentRider = selectedRider();
    for (int r = 0; r < rowCount(); r++) levelNames[r] = levelName(levelNumber(gameType, r));
}

static void leave() { freeBackground(); }

static int firstLockedRow() {
    for (int r = 0; r < rowCount(); r++)
        if (!rowOpen(r)) return r;
    return -1;
}

static void drawRightAligned(const char* text, int right, int y, Color colour) {
    drawTextColored(framebuffer, text, right - textWidth(text, 0), y, 0, colour);
}

// Draws the rows shown so far; returns the sum of their bests.
static int drawRows(const ScreenMetrics& m, const LevelLayoutRows& l) {
    int t = tickCount, shownTotal = 0;
    Color white = packColor(31, 31, 31), red = packColor(31, 0, 0);
    for (int r = 0; r < rowCount() && r < t / TICKS_PER_ROW; r++) {
        int y = l.firstRowY + r * l.pitch;
        if (!rowOpen(r)) {
            drawTextFaded(framebuffer, LOCKED_ROW, m.width / 2 - textWidth(LOCKED_ROW, 0) / 2, y, 0, LOCKED_FADE);
            continue;
        }
        int level = levelNumber(gameType, r);
        Color colour = level == levelChoice ? red : white;
        std::string shown = levelNames[r].substr(0, t - TICKS_PER_ROW * r);
        if (!hasBests()) {
            drawColouredCentred(framebuffer, shown.c_str(), m.width / 2, y, colour);
            continue;
        }
        drawTextColored(framebuffer, shown.c_str(), m.width / 8, y, 0, colour);
        char best[8];
        snprintf(best, sizeof best, "%d", riderBest(level));
        drawRightAligned(best, m.width - m.width / 8, y, colour);
        shownTotal += riderBest(level);
    }
    return shownTotal;
}

static void drawSummary(const ScreenMetrics& m, const LevelLayoutRows& l, int shownTotal) {
    Color white = packColor(31, 31, 31);
    int y = l.firstRowY + (rowCount() - 1) * l.pitch + 2 * l.summaryStep;
    char number[8];
    snprintf(number, sizeof number, "%d", shownTotal);
    drawTextDefault(framebuffer, "Total Score", m.width / 8, y);
    drawRightAligned(number, m.width - m.width / 8, y, white);
    if (tickCount / TICKS_PER_ROW <= LEVELS_PER_TYPE) return;
    y += l.summaryStep;
    int locked = firstLockedRow();
    if (locked < 0) {
        drawTextDefault(framebuffer, "Congratulations!!", m.width / 8, y);
        return;
    }
    snprintf(number, sizeof number, "%d", levelThreshold(locked));
    drawTextDefault(framebuffer, "Required to unlock", m.width / 8, y);
    drawRightAligned(number, m.width - m.width / 8, y, white);
}

static const char* hint() {
    if (gameType == GAME_RACE) return "Crush your opponents to unlock all 20 racing levels.";
    if (gameType == GAME_STUNT) return "Perform challenging stunts to unlock all 20 stunt levels.";
    return nullptr;
}

static int mainMenuX(const ScreenMetrics& m) { return m.width / 8 + textWidth(MAIN_MENU, 0) / 2; }
static int startX(const ScreenMetrics& m) { return m.width - m.width / 8; }

// The list and its summary fill the screen down to the buttons, so the
// hint stands between the two buttons, its lines centred on their row.
static void drawHint(const ScreenMetrics& m, const LevelLayoutRows& l, const char* text) {
    int gap = m.width / 32;
    int left = mainMenuX(m) + (textWidth(MAIN_MENU, 0) + 8) / 2 + gap;
    int right = startX(m) - (textWidth(startWord(gameType), 0) + 8) / 2 - gap;
    int height = wrappedText(framebuffer, text, left, 0, right, 0, 0);
    wrappedText(framebuffer, text, left, l.buttonsY + m.baseline - height / 2, right, 0, tickCount);
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    LevelLayoutRows l = rows(m);
    drawBackground();
    drawText(framebuffer, "Choose Level", m.width / 16, l.titleY, 0);
    int shownTotal = drawRows(m, l);
    if (hasBests()) drawSummary(m, l, shownTotal);
    if (const char* text = hint()) drawHint(m, l, text);
    int startStyle = levelChoice < 0 ? BUTTON_DISABLED : BUTTON_NORMAL;
    textButton(framebuffer, startWord(gameType), startX(m), l.buttonsY, startStyle);
    textButton(framebuffer, MAIN_MENU, mainMenuX(m), l.buttonsY, BUTTON_NORMAL);
    return self;
}

// The next screen must not see the button that started the level as held.
static Mode startChosenLevel(Mode self) {
    if (!choiceStands(levelChoice)) return self;
    currentLevel = levelChoice;
    currentRider = selectedRider();
    leftButtonHeld = 0;
    return MODE_LEVEL_LOADING;
}

// The row whose band holds y; a band reaches into the next row, and the
// upper row wins.
static int rowAt(const ScreenMetrics& m, int y) {
    LevelLayoutRows l = rows(m);
    for (int r = 0; r < rowCount(); r++) {
        int top = l.firstRowY + r * l.pitch - m.baseline;
        if (top <= y && y <= top + m.lineHeight + 2) return r;
    }
    return -1;
}

static Mode pressRow(Mode self, int y) {
    int r = rowAt(screenMetrics(), y);
    if (r < 0 || !rowOpen(r)) return self;
    int level = levelNumber(gameType, r);
    if (level == levelChoice) return startChosenLevel(self);
    levelChoice = level;
    playSound(SOUND_MENU_CLICK);
    return self;
}

static Mode release(Mode self) {
    ScreenMetrics m = screenMetrics();
    int y = rows(m).buttonsY;
    if (levelChoice >= 0 && textButton(framebuffer, startWord(gameType), startX(m), y, BUTTON_HIT_TEST))
        return startChosenLevel(self);
    if (textButton(framebuffer, MAIN_MENU, mainMenuX(m), y, BUTTON_HIT_TEST)) return MODE_TITLE;
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    if (escapeReleased(e)) return MODE_TITLE;
    if (e.kind == INPUT_BUTTON_DOWN) return pressRow(self, e.y);
    if (e.kind == INPUT_BUTTON_UP) return release(self);
    return self;
}

const ModeScreen levelSelectScreen = {enter, leave, nullptr, render, input, false, false};
