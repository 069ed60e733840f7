#include "shell/pad.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/log.h"
#include "shell/modes.h"

#include <cmath>
#include <cstdint>

namespace {

const int SUBPIXELS = 256; // the pad's pointer keeps fractions of a pixel

// What an unbound button stands in for; -1: itself.
const int USUAL_ACTION[PAD_BUTTON_COUNT] = {
    BIND_ACCELERATE, BIND_BRAKE, -1, -1, -1, -1, BIND_ESCAPE, -1, -1, -1, -1,
    BIND_UP, BIND_DOWN, BIND_LEFT, BIND_RIGHT, BIND_BRAKE, BIND_ACCELERATE,
};

struct HeldButton {
    bool down;
    int code;     // the key code its press sent, 0 for none
    bool clicked; // its press was a left click
};

bool connected;
HeldButton held[PAD_BUTTON_COUNT];
int stickX, stickY;
bool pointerActive;        // the pad moved the pointer last
int64_t pointerX, pointerY; // display position, in subpixels
int sentStickX, sentStickY;
Mode sentStickMode;

const ModeScreen* screen() { return modeScreen(currentMode); }
bool screenDriven() { return screen() && screen()->padDrives; }
bool screenTakesAllKeys() { return screen() && screen()->takesAllKeys; }

void sendKey(int code, bool down) {
    if (code) dispatchWindowEvent(PlatformEvent{down ? EVENT_KEY_DOWN : EVENT_KEY_UP, code, 0, 0, 0});
}

// The pointer starts from wherever the mouse left it.
void takePointer() {
    if (pointerActive) return;
    int x, y;
    logicalToDisplay(mouseX, mouseY, &x, &y);
    pointerX = (int64_t)x * SUBPIXELS;
    pointerY = (int64_t)y * SUBPIXELS;
    pointerActive = true;
}

void sendClick(bool down) {
    takePointer();
    int x = (int)(pointerX / SUBPIXELS), y = (int)(pointerY / SUBPIXELS);
    dispatchWindowEvent(PlatformEvent{down ? EVENT_LBUTTON_DOWN : EVENT_LBUTTON_UP, 0, 0, x, y});
}

// The code a press sends: the button's own when it is bound or the screen
// binds keys, else the key of its usual action.
int codeFor(int button) {
    int own = padKeyCode(button);
    if (screenTakesAllKeys() || boundAction(own) >= 0 || USUAL_ACTION[button] < 0) return own;
    int usual = keyBindings[USUAL_ACTION[button]];
    return usual ? usual : own;
}

void press(int button) {
    HeldButton& h = held[button];
    if (h.down) return;
    h.down = true;
    h.clicked = button == PAD_A && !screenDriven();
    if (h.clicked) {
        // A clicks in the menus; its own code goes first where it binds.
        int own = padKeyCode(button);
        h.code = screenTakesAllKeys() || boundAction(own) >= 0 ? own : 0;
    } else {
        h.code = codeFor(button);
    }
    sendKey(h.code, true);
    if (h.clicked) sendClick(true);
}

// The release matches the press, whatever changed in between.
void release(int button) {
    HeldButton& h = held[button];
    if (!h.down) return;
    h.down = false;
    sendKey(h.code, false);
    if (h.clicked) sendClick(false);
}

void releaseAll() {
    for (int b = 0; b < PAD_BUTTON_COUNT; b++) release(b);
}

bool outsideDeadZone(int x, int y) {
    return (int64_t)x * x + (int64_t)y * y > (int64_t)PAD_DEAD_ZONE * PAD_DEAD_ZONE;
}

int64_t clampSubpixels(int64_t v, int limit) {
    int64_t top = (int64_t)(limit - 1) * SUBPIXELS;
    return v < 0 ? 0 : v > top ? top : v;
}

// The speed grows with the square of the deflection past the dead zone, so
// a small push places the pointer finely and a full one crosses the screen.
void movePointer(int x, int y) {
    double m = std::sqrt((double)x * x + (double)y * y);
    double reach = (std::fmin(m, PAD_AXIS_MAX) - PAD_DEAD_ZONE) / (PAD_AXIS_MAX - PAD_DEAD_ZONE);
    double speed = PAD_POINTER_TOP_SPEED * SUBPIXELS * reach * reach;
    takePointer();
    int64_t oldX = pointerX / SUBPIXELS, oldY = pointerY / SUBPIXELS;
    pointerX = clampSubpixels(pointerX + (int64_t)std::lround(speed * x / m), DISPLAY_WIDTH);
    pointerY = clampSubpixels(pointerY + (int64_t)std::lround(speed * y / m), DISPLAY_HEIGHT);
    int64_t nx = pointerX / SUBPIXELS, ny = pointerY / SUBPIXELS;
    if (nx != oldX || ny != oldY) dispatchWindowEvent(PlatformEvent{EVENT_MOUSE_MOVE, 0, 0, (int)nx, (int)ny});
}

void connect(bool on) {
    if (on == connected) return;
    if (!on) {
        // Nothing stays held on a pad that is gone.
        releaseAll();
        stickX = stickY = 0;
        pointerActive = false;
    }
    connected = on;
    log(on ? "Gamepad connected\n" : "Gamepad removed\n", 0); // whatever the log level: the player did it
}

// A small white arrow with a dark edge, its tip at the pointer.
const char* const ARROW[] = {
    "X",       "XX",      "X.X",     "X..X",    "X...X",   "X....X",
    "X.....X", "X..XXXX", "X.X",     "XX",      "X",
};

} // namespace

void padEvent(const PlatformEvent& e) {
    switch (e.type) {
    case EVENT_PAD_ADDED: connect(true); break;
    case EVENT_PAD_REMOVED: connect(false); break;
    case EVENT_PAD_BUTTON_DOWN:
    case EVENT_PAD_BUTTON_UP:
        if (!connected || e.key < 0 || e.key >= PAD_BUTTON_COUNT) break;
        if (!screenDriven()) takePointer();
        if (e.type == EVENT_PAD_BUTTON_DOWN) press(e.key);
        else release(e.key);
        break;
    case EVENT_PAD_STICK:
        if (!connected) break;
        stickX = e.x;
        stickY = e.y;
        break;
    default: break;
    }
}

void padStick(int* x, int* y) {
    bool moved = outsideDeadZone(stickX, stickY);
    *x = moved ? stickX : 0;
    *y = moved ? stickY : 0;
}

void padStep() {
    int x, y;
    padStick(&x, &y);
    if (screenDriven()) {
        if (x == sentStickX && y == sentStickY && currentMode == sentStickMode) return;
        sentStickX = x;
        sentStickY = y;
        sentStickMode = currentMode;
        handleModeInput(InputEvent{INPUT_STICK, 0, 0, x, y});
        return;
    }
    sentStickMode = 0; // a screen driven next gets the stick at once
    if (x || y) movePointer(x, y);
}

void padYieldPointer() { pointerActive = false; }
bool padConnected() { return connected; }

void drawPadPointer(Surface* target) {
    if (!connected || !pointerActive || screenDriven()) return;
    const Color white = packColor(31, 31, 31), edge = 0;
    for (int row = 0; row < (int)(sizeof ARROW / sizeof ARROW[0]); row++)
        for (int col = 0; ARROW[row][col]; col++)
            putPixel(target, mouseX + col, mouseY + row, ARROW[row][col] == 'X' ? edge : white);
}

void resetPad() {
    connected = false;
    for (HeldButton& h : held) h = HeldButton{};
    stickX = stickY = sentStickX = sentStickY = 0;
    sentStickMode = 0;
    pointerActive = false;
}
