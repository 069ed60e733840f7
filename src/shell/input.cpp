#include "shell/input.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "shell/overlay.h"
#include "shell/pad.h"

int mouseX, mouseY;
int leftButtonHeld;
int tapFlag;
int64_t lastDownTime, lastUpTime;

void displayToLogical(int x, int y, int* lx, int* ly) {
    int w = displayGeometry.logicalWidth, h = displayGeometry.logicalHeight;
    switch (displayGeometry.orientation) {
    case 1: *lx = y; *ly = h - 1 - x; break;
    case 2: *lx = w - x; *ly = h - y; break;
    case 3: *lx = w - 1 - y; *ly = x; break;
    default: *lx = x; *ly = y; break;
    }
}

void resetInput() {
    mouseX = mouseY = 0;
    leftButtonHeld = tapFlag = 0;
    lastDownTime = lastUpTime = 0;
    resetPad();
}

void logicalToDisplay(int lx, int ly, int* x, int* y) {
    int w = displayGeometry.logicalWidth, h = displayGeometry.logicalHeight;
    switch (displayGeometry.orientation) {
    case 1: *x = h - 1 - ly; *y = lx; break;
    case 2: *x = w - lx; *y = h - ly; break;
    case 3: *x = ly; *y = w - 1 - lx; break;
    default: *x = lx; *y = ly; break;
    }
}

static bool isPointerEvent(InputKind kind) {
    return kind == INPUT_POINTER_MOVE || kind == INPUT_BUTTON_DOWN || kind == INPUT_BUTTON_UP;
}

// The inner procedure for keys, left-button and pointer-move events:
// display positions become logical ones before anything else sees them.
static void preprocessEvent(InputKind kind, int key, int ch, int x, int y) {
    bool pointer = isPointerEvent(kind);
    if (pointer) displayToLogical(x, y, &mouseX, &mouseY);
    if (kind == INPUT_BUTTON_DOWN) leftButtonHeld = 1;
    if (kind == INPUT_BUTTON_UP) {
        leftButtonHeld = 0;
        lastUpTime = platformCounter();
        tapFlag = counterSince(lastUpTime, lastDownTime) < oneSecond / 8;
    }
    if (kind == INPUT_BUTTON_DOWN) {
        lastDownTime = platformCounter();
        if (!appActive) {
            setAppActive(1); // the click only wakes the game
            return;
        }
    }
    if (pointer && !overlayHidden && overlayInput(kind)) return;
    InputEvent event = {kind, pointer ? 0 : key, pointer ? 0 : ch, mouseX, mouseY};
    handleModeInput(event);
}

void windowProcedure(const PlatformEvent& e) {
    switch (e.type) {
    case EVENT_PAD_ADDED:
    case EVENT_PAD_REMOVED:
    case EVENT_PAD_BUTTON_DOWN:
    case EVENT_PAD_BUTTON_UP:
    case EVENT_PAD_STICK: padEvent(e); return;
    case EVENT_MOUSE_MOVE:
    case EVENT_LBUTTON_DOWN:
    case EVENT_LBUTTON_UP: padYieldPointer(); break;
    default: break;
    }
    dispatchWindowEvent(e);
}

void dispatchWindowEvent(const PlatformEvent& e) {
    switch (e.type) {
    case EVENT_KEY_DOWN: preprocessEvent(INPUT_KEY_DOWN, e.key, e.ch, 0, 0); break;
    case EVENT_KEY_UP: preprocessEvent(INPUT_KEY_UP, e.key, e.ch, 0, 0); break;
    case EVENT_MOUSE_MOVE: preprocessEvent(INPUT_POINTER_MOVE, 0, 0, e.x, e.y); break;
    case EVENT_LBUTTON_DOWN:
        preprocessEvent(INPUT_KEY_DOWN, KEY_LBUTTON, 0, 0, 0);
        preprocessEvent(INPUT_BUTTON_DOWN, 0, 0, e.x, e.y);
        break;
    case EVENT_LBUTTON_UP:
        preprocessEvent(INPUT_KEY_UP, KEY_LBUTTON, 0, 0, 0);
        preprocessEvent(INPUT_BUTTON_UP, 0, 0, e.x, e.y);
        break;
    case EVENT_RBUTTON_DOWN: preprocessEvent(INPUT_KEY_DOWN, KEY_RBUTTON, 0, 0, 0); break;
    case EVENT_RBUTTON_UP: preprocessEvent(INPUT_KEY_UP, KEY_RBUTTON, 0, 0, 0); break;
    case EVENT_CLOSE: quitRequested = 1; break;
    default: break;
    }
}

void pumpMessages() {
    PlatformEvent e;
    while (platformPollEvent(&e)) windowProcedure(e);
}
