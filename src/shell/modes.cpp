#include "shell/modes.h"
#include "gfx/screenshot.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/overlay.h"
#include "shell/pad.h"
#include "sound/effects.h"
#include "sound/sounds.h"

Mode currentMode;
Mode previousMode;
uint16_t tickCount;
uint16_t modeFrameCount;
uint16_t frameCount;
uint32_t renderCount;

int gameType;
int currentLevel;
int currentRider = -1;
int levelChoice = -1;

static const int CORNER_SIZE = 10;

static const ModeScreen* screens[HIGHEST_MODE + 1];

void clearModeScreens() {
    for (const ModeScreen*& screen : screens) screen = nullptr;
}

void setModeScreen(Mode mode, const ModeScreen* screen) {
    if (mode > 0 && mode <= HIGHEST_MODE) screens[mode] = screen;
}

const ModeScreen* modeScreen(Mode mode) { return mode > 0 && mode <= HIGHEST_MODE ? screens[mode] : nullptr; }

void enterMode(Mode mode) {
    tickCount = 0;
    modeFrameCount = 0;
    const ModeScreen* screen = modeScreen(mode);
    if (screen && screen->enter) screen->enter();
}

void leaveMode(Mode mode) {
    const ModeScreen* screen = modeScreen(mode);
    bool quiet = mode <= 0 || (screen && screen->leavesQuietly);
    if (!quiet) playSound(SOUND_MENU_CLICK);
    if (screen && screen->leave) screen->leave();
}

Mode updateMode(Mode mode) {
    tickCount++;
    frameCount++;
    const ModeScreen* screen = modeScreen(mode);
    return screen && screen->update ? screen->update(mode) : mode;
}

Mode renderMode(Mode mode) {
    modeFrameCount++;
    const ModeScreen* screen = modeScreen(mode);
    return screen && screen->render ? screen->render(mode) : mode;
}

Mode renderFrame(Mode mode) {
    renderCount++;
    Mode next = renderMode(mode);
    noticeLoggedErrors();
    if (!overlayHidden) drawOverlay();
    drawPadPointer(framebuffer);
    return next;
}

static bool inCorner() {
    return mouseX > displayGeometry.logicalWidth - CORNER_SIZE &&
           mouseY > displayGeometry.logicalHeight - CORNER_SIZE;
}

// The bindings that act before any screen sees the key: screenshot, suspend
// and the debug corner. Returns true when the key stops here.
static bool handleShellKeys(const InputEvent& e) {
    bool down = e.kind == INPUT_KEY_DOWN, up = e.kind == INPUT_KEY_UP;
    if (!down && !up) return false;
    if (e.key == 0) return false; // 0 is "unbound", never a key
    if (e.key == keyBindings[BIND_SCREENSHOT]) {
        if (down) saveScreenshot();
        return true;
    }
    if (e.key == keyBindings[BIND_SUSPEND]) {
        if (down) return true;
        setAppActive(0);
        return false;
    }
    if (down && e.key != KEY_LBUTTON && inCorner()) {
        toggleOverlay();
        playSound(SOUND_BUTTON_CLICK);
    }
    return false;
}

void handleModeInput(const InputEvent& event) {
    const ModeScreen* screen = modeScreen(currentMode);
    bool screenTakesKeys = screen && screen->takesAllKeys;
    if (!screenTakesKeys && handleShellKeys(event)) return;
    if (screen && screen->input) currentMode = screen->input(currentMode, event);
}
