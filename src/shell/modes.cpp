#include "shell/modes.h"
#include "gfx/screenshot.h"
#include "screens/placeholder.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/overlay.h"
#include "sound/effects.h"

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

// Mode ids run from 1 to 100; each has one screen record.
static const int MODE_SLOTS = MODE_RESULTS + 1;
static const ModeScreen* screens[MODE_SLOTS];

static const Mode USED_MODES[] = {
    MODE_TITLE, MODE_RACE, MODE_INTRO, MODE_RIDER_SELECT, MODE_RIDER_DELETE, MODE_RIDER_EDIT,
    MODE_LEVEL_SELECT, MODE_LEVEL_LOADING, MODE_EDITOR, MODE_OPTIONS, MODE_CONTROLS_CONFIG,
    MODE_EDITOR_OVERVIEW, MODE_GET_READY, MODE_HIGH_SCORES, MODE_CONTROLS_HELP, MODE_EXIT_PICTURE,
    MODE_HIDDEN_PICTURE, MODE_RESULTS,
};

void installModeScreens() {
    for (const ModeScreen*& screen : screens) screen = nullptr;
    for (Mode mode : USED_MODES) screens[mode] = &placeholderScreen;
}

void setModeScreen(Mode mode, const ModeScreen* screen) {
    if (mode > 0 && mode < MODE_SLOTS) screens[mode] = screen;
}

const ModeScreen* modeScreen(Mode mode) { return mode > 0 && mode < MODE_SLOTS ? screens[mode] : nullptr; }

void enterMode(Mode mode) {
    tickCount = 0;
    modeFrameCount = 0;
    const ModeScreen* screen = modeScreen(mode);
    if (screen && screen->enter) screen->enter();
}

static bool leavesQuietly(Mode mode) {
    return mode <= 0 || mode == MODE_RACE || mode == MODE_INTRO || mode == MODE_GET_READY ||
           mode == MODE_HIDDEN_PICTURE;
}

void leaveMode(Mode mode) {
    if (!leavesQuietly(mode)) playSound(SOUND_MENU_CLICK);
    const ModeScreen* screen = modeScreen(mode);
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
    if (!overlayHidden) drawOverlay();
    return next;
}

static bool inCorner() {
    return mouseX > displayGeometry.logicalWidth - CORNER_SIZE &&
           mouseY > displayGeometry.logicalHeight - CORNER_SIZE;
}

// The bindings that act before any mode sees the key: screenshot, suspend
// and the debug corner. Returns true when the key stops here.
static bool handleShellKeys(int message, int key) {
    if (currentMode == MODE_CONTROLS_CONFIG) return false;
    int code = (int16_t)key;
    if (code == 0) return false; // 0 is "unbound", never a key
    if (message == MSG_KEY_DOWN && code == keyBindings[BIND_SCREENSHOT]) {
        saveScreenshot();
        return true;
    }
    if (message == MSG_KEY_UP && code == keyBindings[BIND_SCREENSHOT]) return true;
    if (message == MSG_KEY_DOWN && code == keyBindings[BIND_SUSPEND]) return true;
    if (message == MSG_KEY_UP && code == keyBindings[BIND_SUSPEND]) {
        appActive = 0;
        return false;
    }
    if (message == MSG_KEY_DOWN && code != KEY_LBUTTON && inCorner()) {
        toggleOverlay();
        playSound(SOUND_BUTTON_CLICK);
    }
    return false;
}

void handleModeInput(int message, int key, int ch) {
    if (handleShellKeys(message, key)) return;
    const ModeScreen* screen = modeScreen(currentMode);
    if (screen && screen->input) screen->input(message, key, ch);
}

const char* levelTypeName(int level) {
    if (level < 100) return "Race";
    if (level < 200) return "Stunt";
    return "Free ride";
}

const char* startWord(int type) {
    static const char* const words[3] = {"Race!", "Go!", "Ride!"};
    return type >= 0 && type < 3 ? words[type] : words[0];
}
