#include "shell/input.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "shell/overlay.h"

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

// The inner procedure for keys, left-button and mouse-move messages.
static void preprocessEvent(int message, int key, int ch, int x, int y) {
    bool mouse = message == MSG_MOUSE_MOVE || message == MSG_LBUTTON_DOWN || message == MSG_LBUTTON_UP;
    if (mouse) displayToLogical(x, y, &mouseX, &mouseY);
    if (message == MSG_LBUTTON_DOWN) leftButtonHeld = 1;
    if (message == MSG_LBUTTON_UP) {
        leftButtonHeld = 0;
        lastUpTime = platformCounter();
        tapFlag = lastUpTime - lastDownTime < oneSecond / 8;
    }
    if (message == MSG_LBUTTON_DOWN) {
        lastDownTime = platformCounter();
        if (!appActive) {
            appActive = 1; // the click only wakes the game
            return;
        }
    }
    if (mouse && !overlayHidden && overlayInput(message)) return;
    int param = mouse ? (x & 0xFFFF) | (y << 16) : key;
    handleModeInput(message, param, mouse ? 0 : ch);
}

void windowProcedure(const PlatformEvent& e) {
    switch (e.type) {
    case EVENT_KEY_DOWN: preprocessEvent(MSG_KEY_DOWN, e.key, e.ch, 0, 0); break;
    case EVENT_KEY_UP: preprocessEvent(MSG_KEY_UP, e.key, e.ch, 0, 0); break;
    case EVENT_MOUSE_MOVE: preprocessEvent(MSG_MOUSE_MOVE, 0, 0, e.x, e.y); break;
    case EVENT_LBUTTON_DOWN:
        preprocessEvent(MSG_KEY_DOWN, KEY_LBUTTON, 0, 0, 0);
        preprocessEvent(MSG_LBUTTON_DOWN, 0, 0, e.x, e.y);
        break;
    case EVENT_LBUTTON_UP:
        preprocessEvent(MSG_KEY_UP, KEY_LBUTTON, 0, 0, 0);
        preprocessEvent(MSG_LBUTTON_UP, 0, 0, e.x, e.y);
        break;
    case EVENT_RBUTTON_DOWN: preprocessEvent(MSG_KEY_DOWN, KEY_RBUTTON, 0, 0, 0); break;
    case EVENT_RBUTTON_UP: preprocessEvent(MSG_KEY_UP, KEY_RBUTTON, 0, 0, 0); break;
    case EVENT_CLOSE: quitRequested = 1; break;
    default: break;
    }
}

void pumpMessages() {
    PlatformEvent e;
    while (platformPollEvent(&e)) windowProcedure(e);
}
