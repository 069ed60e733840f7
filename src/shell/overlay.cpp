#include "shell/overlay.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "shell/random.h"

#include <cstdio>

static const int LOG_PANEL_LINES = 16; // P
static const int LOG_PANEL_HEIGHT = 6 * LOG_PANEL_LINES + 3;
static const int SCROLL_RANGE = 6 * LOG_PANEL_LINES - 19;
static const int COUNTER_SHOWN_OFFSET = 24;
static const int MENU_RISEN_OFFSET = 30;
static const int BUTTON_SIZE = 20;
static const int DRAG_NONE = 0, DRAG_PANEL = 1, DRAG_SCROLL = 100;

// Pieces of the small-character picture: x, y, width, height.
struct Piece {
    int x, y, w, h;
};
static const Piece LOG_TOP = {0, 88, 194, 2}, LOG_STRIP = {0, 90, 194, 6}, LOG_BOTTOM = {0, 96, 194, 2};
static const Piece LOG_TAB = {0, 97, 62, 9}, SCROLL_KNOB = {231, 0, 9, 20};
static const Piece COUNTER_TAB = {203, 89, 6, 9}, COUNTER_BOX = {209, 89, 31, 9};
static const Piece MENU_TAB = {77, 98, 42, 8}, MENU_BODY = {77, 106, 163, 29};
static const int BUTTON_OFFSETS[3] = {10, 32, 54};
static const int BUTTON_SOURCES[3] = {0, 40, 20};
static const char* const BUTTON_CAPTIONS[3] = {"Log Debug", "Pause", "Exit"};

int overlayHidden = 1;
int logPanelX, logPanelY, logPanelMotion = PANEL_RETRACTING, logScroll;
int counterPanelX = 239, counterPanelMotion = PANEL_RETRACTING;
int menuPanelX, menuPanelY = 200, menuPanelMotion = PANEL_RETRACTING;
static int dragState = DRAG_NONE;
static int grabX, grabY;

static int screenW() { return displayGeometry.logicalWidth; }
static int screenH() { return displayGeometry.logicalHeight; }

static int errorsNoticed;

// Errors logged before the panels were put back are not news to them.
void retractOverlayPanels() {
    errorsNoticed = logErrorCount;
    logPanelX = 0;
    logPanelY = 0;
    logPanelMotion = PANEL_RETRACTING;
    counterPanelX = screenW() - 1;
    counterPanelMotion = PANEL_RETRACTING;
    menuPanelY = screenH() - 1;
    menuPanelMotion = PANEL_RETRACTING;
}

void noticeLoggedErrors() {
    if (logErrorCount == errorsNoticed) return;
    errorsNoticed = logErrorCount;
    if (logPanelMotion != LOG_PANEL_DROPPING && logPanelY < 20) logPanelMotion = LOG_PANEL_TO_30;
    overlayHidden = 1;
}

void toggleOverlay() {
    overlayHidden = !overlayHidden;
    logPanelMotion = PANEL_RETRACTING;
    counterPanelMotion = PANEL_RETRACTING;
    menuPanelMotion = PANEL_RETRACTING;
}

// ---- motion ----

// Half of the way to `target`, snapping the last pixel so it arrives.
static int halfway(int value, int target) {
    int step = (target - value) / 2;
    if (step == 0) return target;
    return value + step;
}

// Half of the way rounding up, as the counter panel moves.
static int halfwayUp(int value, int target) {
    int diff = target - value;
    return diff >= 0 ? value + (diff + 1) / 2 : value - (1 - diff) / 2;
}

static void moveLogPanel() {
    if (logPanelMotion == PANEL_RETRACTING) {
        logPanelX /= 2;
        logPanelY /= 2;
        if (logPanelX >= 0 && logPanelX <= 1 && logPanelY >= 0 && logPanelY <= 1) logPanelMotion = PANEL_STILL;
    } else if (logPanelMotion == LOG_PANEL_DROPPING || logPanelMotion == LOG_PANEL_TO_30) {
        int target = logPanelMotion == LOG_PANEL_DROPPING ? 6 * LOG_PANEL_LINES : 30;
        logPanelX /= 2;
        logPanelY = halfway(logPanelY, target);
        if (logPanelX == 0 && logPanelY == target) logPanelMotion = PANEL_STILL;
    }
}

static void moveCounterPanel() {
    if (counterPanelMotion == PANEL_STILL) return;
    int target = counterPanelMotion == PANEL_RETRACTING ? screenW() - 1 : screenW() - COUNTER_SHOWN_OFFSET;
    counterPanelX = halfwayUp(counterPanelX, target);
    if (counterPanelX == target) counterPanelMotion = PANEL_STILL;
}

static void moveMenuPanel() {
    int bottom = screenH() - 1;
    if (menuPanelMotion == PANEL_STILL) return;
    if (menuPanelMotion == MENU_PANEL_RISING) {
        int target = screenH() - MENU_RISEN_OFFSET;
        menuPanelX /= 2;
        menuPanelY = halfway(menuPanelY, target);
        if (menuPanelX == 0 && menuPanelY == target) menuPanelMotion = PANEL_STILL;
        return;
    }
    if (menuPanelX == 0 && menuPanelY == bottom) {
        if (menuPanelMotion == MENU_PANEL_CLOSING) quitRequested = 1;
        if (menuPanelMotion == MENU_PANEL_SUSPENDING) setAppActive(0);
        menuPanelMotion = PANEL_STILL;
        return;
    }
    menuPanelX /= 2;
    menuPanelY = halfway(menuPanelY, bottom);
}

// ---- drawing ----

static void piece(const Piece& p, int x, int y, bool transparent) {
    drawSprite(framebuffer, x, y, p.w, p.h, smallChars, p.x, p.y, transparent ? BLIT_TRANSPARENT : BLIT_COPY);
}

static int firstShownLine() {
    int top = (logScroll * 100 / SCROLL_RANGE) * (99 - LOG_PANEL_LINES) / 100;
    return logColumn == 0 ? top + 1 : top; // skip the empty line being written
}

static void drawLogLine(int line, int x, int y) {
    char text[2] = {0, 0};
    for (int k = 0; k < LOG_COLUMNS && logText[line][k]; k++) {
        text[0] = logText[line][k];
        drawDebugText(text, x + 2 + 6 * k, y, logTags[line][k]);
    }
}

static void drawLogPanel() {
    int x = logPanelX, y = logPanelY;
    if (y - LOG_PANEL_HEIGHT >= 0) piece(LOG_TOP, x, y - LOG_PANEL_HEIGHT, false);
    int top = firstShownLine();
    for (int i = 0; i < LOG_PANEL_LINES; i++) {
        int stripY = y - 6 * i - 7;
        piece(LOG_STRIP, x, stripY, false);
        if (top + i < LOG_LINES) drawLogLine(top + i, x, stripY);
    }
    piece(LOG_BOTTOM, x, y - 1, false);
    piece(LOG_TAB, x, y, true);
    piece(SCROLL_KNOB, x + 183, y - logScroll - 21, false);
}

static void drawCounterPanel() {
    int x = counterPanelX;
    piece(COUNTER_TAB, x - 5, 0, true);
    if (x >= screenW() - 1) return;
    piece(COUNTER_BOX, x + 1, 0, false);
    piece(COUNTER_BOX, x + 1, 9, false);
    char text[16];
    snprintf(text, sizeof text, "%d", framesLastSecond);
    drawDebugText(text, x + 4, 2, 0);
    snprintf(text, sizeof text, "%d", stepsLastSecond);
    drawDebugText(text, x + 4, 11, 0);
}

static bool overButton(int b) {
    int left = menuPanelX + BUTTON_OFFSETS[b], top = menuPanelY + 5;
    return mouseX >= left && mouseX < left + BUTTON_SIZE && mouseY >= top && mouseY < top + BUTTON_SIZE;
}

static void drawMenuPanel() {
    int x = menuPanelX, y = menuPanelY;
    piece(MENU_TAB, x, y - 7, true);
    piece(MENU_BODY, x, y + 1, false);
    for (int b = 0; b < 3; b++) {
        int bx = x + BUTTON_OFFSETS[b], by = y + 5;
        drawSprite(framebuffer, bx, by, BUTTON_SIZE, BUTTON_SIZE, smallChars, BUTTON_SOURCES[b], 107, BLIT_COPY);
        if (!leftButtonHeld || !overButton(b)) continue;
        drawDebugText(BUTTON_CAPTIONS[b], x + 90, y + 5, 0);
        for (int j = 0; j < BUTTON_SIZE; j++)
            for (int i = 0; i < BUTTON_SIZE; i++) brightenPixel(framebuffer, bx + i, by + j, gameRandom() & 15);
    }
}

void drawOverlay() {
    if (!smallChars) return;
    moveLogPanel();
    moveCounterPanel();
    moveMenuPanel();
    drawLogPanel();
    drawCounterPanel();
    drawMenuPanel();
}

// ---- input ----

static void panelLog(int level, const char* text) { logAt(level, text, level == 1 ? 1 : 2); }

static bool endDrag() {
    if (dragState == DRAG_SCROLL) {
        panelLog(2, "Panel1 Scrollbar Drop\n");
    } else if (logPanelX >= -40 && logPanelX <= 235 && logPanelY >= 4 && logPanelY <= 315) {
        logPanelMotion = PANEL_STILL;
        panelLog(2, "Panel1 Drop\n");
    } else if (logPanelX == 0 && logPanelY == 0) {
        logPanelMotion = LOG_PANEL_DROPPING;
        panelLog(2, "Panel1 Pop\n");
    } else {
        logPanelMotion = PANEL_RETRACTING;
        panelLog(2, "Panel1 Retract\n");
    }
    dragState = DRAG_NONE;
    return true;
}

static bool startLogDrag() {
    int x = logPanelX, y = logPanelY;
    bool onTab = mouseX >= x && mouseX <= x + 62 && mouseY >= y && mouseY <= y + 9;
    bool inPanel = mouseY >= y - LOG_PANEL_HEIGHT && mouseY < y;
    if (inPanel && mouseX >= x + 184 && mouseX <= x + 194) {
        dragState = DRAG_SCROLL;
        grabY = logScroll + mouseY;
        panelLog(2, "Panel1 Scrollbar Drag\n");
        return true;
    }
    if (onTab || (inPanel && mouseX >= x && mouseX < x + 184)) {
        dragState = DRAG_PANEL;
        logPanelMotion = PANEL_STILL;
        grabX = mouseX - x;
        grabY = mouseY - y;
        panelLog(2, "Panel1 Drag\n");
        return true;
    }
    return false;
}

static void drag() {
    if (dragState == DRAG_PANEL) {
        logPanelX = mouseX - grabX;
        logPanelY = mouseY - grabY;
    } else {
        logScroll = grabY - mouseY;
        if (logScroll < 0) logScroll = 0;
        if (logScroll > SCROLL_RANGE) logScroll = SCROLL_RANGE;
    }
}

static bool tapCounterTab() {
    int x = counterPanelX;
    if (mouseX < x - 6 || mouseX > x + 30 || mouseY < 0 || mouseY > 8) return false;
    bool showing = counterPanelMotion == COUNTER_PANEL_SHOWING || counterPanelX < screenW() - 1;
    counterPanelMotion = showing ? PANEL_RETRACTING : COUNTER_PANEL_SHOWING;
    panelLog(2, showing ? "Panel3 Retract\n" : "Panel3 Pop\n");
    return true;
}

static bool releaseMenuButton() {
    static const int motions[3] = {MENU_PANEL_BEGIN, MENU_PANEL_SUSPENDING, MENU_PANEL_CLOSING};
    static const char* const lines[3] = {"Menu: Begin\n", "Menu: Suspend\n", "Menu: Exit\n"};
    for (int b = 0; b < 3; b++) {
        if (!overButton(b)) continue;
        menuPanelMotion = motions[b];
        panelLog(1, lines[b]);
        return true;
    }
    return false;
}

static bool tapMenuPanel() {
    int x = menuPanelX, y = menuPanelY;
    bool onTab = mouseX >= x && mouseX < x + MENU_TAB.w && mouseY >= y - 7 && mouseY <= y;
    bool onBody = mouseX >= x && mouseX < x + MENU_BODY.w && mouseY > y && mouseY <= y + 1 + MENU_BODY.h;
    if (!onTab && !onBody) return false;
    bool low = menuPanelY >= screenH() - 10;
    menuPanelMotion = low ? MENU_PANEL_RISING : PANEL_RETRACTING;
    panelLog(2, low ? "Panel2 Pop\n" : "Panel2 Retract\n");
    return true;
}

bool overlayInput(InputKind kind) {
    if (kind == INPUT_POINTER_MOVE) {
        if (dragState == DRAG_NONE) return false;
        drag();
        return true;
    }
    if (kind == INPUT_BUTTON_DOWN) return startLogDrag();
    if (kind != INPUT_BUTTON_UP) return false;
    if (dragState != DRAG_NONE) return endDrag();
    if (releaseMenuButton()) return true;
    if (!tapFlag) return false;
    return tapCounterTab() || tapMenuPanel();
}
