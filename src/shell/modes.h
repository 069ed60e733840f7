// Program states: one mode is current, and the screen record installed for
// it runs its enter, leave, update, render and input steps. The shell knows
// no mode by name; the screens install the table (screens/screens.h).
#pragma once
#include <cstdint>

typedef int32_t Mode;

// What a screen's input step is handed. Mouse buttons also arrive as key
// events with the codes KEY_LBUTTON and KEY_RBUTTON (shell/keys.h).
enum InputKind {
    INPUT_KEY_DOWN,
    INPUT_KEY_UP,
    INPUT_BUTTON_DOWN, // the left button, at the pointer
    INPUT_BUTTON_UP,
    INPUT_POINTER_MOVE,
    INPUT_STICK,       // the controller's left stick, to screens it drives
};

struct InputEvent {
    InputKind kind;
    int key;  // key code of key events
    int ch;   // the character a key types, or 0
    int x, y; // the pointer in logical coordinates, for pointer events;
              // the stick's deflection (0, 0 at rest) for INPUT_STICK
};

// One screen's steps; any may be null. update, render and input return the
// mode to be current next (`self` to stay).
struct ModeScreen {
    void (*enter)();
    void (*leave)();
    Mode (*update)(Mode self);
    Mode (*render)(Mode self);
    Mode (*input)(Mode self, const InputEvent& event);
    bool leavesQuietly; // no menu click when the screen is left
    bool takesAllKeys;  // the screenshot, suspend and debug-corner keys reach it as plain keys
    bool padDrives = false; // the controller's stick and A reach it as such rather than as the pointer
};

// Mode ids run from 1 to this; each has at most one screen.
const Mode HIGHEST_MODE = 100;

extern Mode currentMode;
extern Mode previousMode;
extern uint16_t tickCount;      // reset by every enterMode, +1 per update
extern uint16_t modeFrameCount; // reset by every enterMode, +1 per render
extern uint16_t frameCount;     // +1 per update, never reset
extern uint32_t renderCount;    // +1 per renderFrame, never reset

// The game context handed from mode to mode.
extern int gameType;     // 0 Race, 1 Stunt, 2 Free ride
extern int currentLevel;
extern int currentRider; // index into the rider table, -1 for none
extern int levelChoice;  // marked in level selection, -1 before any choice

void enterMode(Mode mode);
void leaveMode(Mode mode);
Mode updateMode(Mode mode);
Mode renderMode(Mode mode);
Mode renderFrame(Mode mode);
// The shell's keys first, then the current screen's input step, whose
// result becomes the current mode.
void handleModeInput(const InputEvent& event);

void clearModeScreens();
void setModeScreen(Mode mode, const ModeScreen* screen);
const ModeScreen* modeScreen(Mode mode);
