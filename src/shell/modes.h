// Program states: one mode is current; five dispatchers drive it.
#pragma once
#include <cstdint>

typedef int32_t Mode;

enum {
    MODE_TITLE = 1,
    MODE_RACE = 4,
    MODE_INTRO = 5,
    MODE_RIDER_SELECT = 6,
    MODE_RIDER_DELETE = 7,
    MODE_RIDER_EDIT = 8,
    MODE_LEVEL_SELECT = 9,
    MODE_LEVEL_LOADING = 10,
    MODE_EDITOR = 11,
    MODE_OPTIONS = 12,
    MODE_CONTROLS_CONFIG = 13,
    MODE_EDITOR_OVERVIEW = 14,
    MODE_GET_READY = 15,
    MODE_HIGH_SCORES = 18,
    MODE_CONTROLS_HELP = 19,
    MODE_EXIT_PICTURE = 21,
    MODE_HIDDEN_PICTURE = 22,
    MODE_RESULTS = 100,
};

// Messages handed to handleModeInput (the window messages of the shell).
enum {
    MSG_KEY_DOWN = 0x100,
    MSG_KEY_UP = 0x101,
    MSG_MOUSE_MOVE = 0x200,
    MSG_LBUTTON_DOWN = 0x201,
    MSG_LBUTTON_UP = 0x202,
};

// One screen's handlers; any may be null.
struct ModeScreen {
    void (*enter)();
    void (*leave)();
    Mode (*update)(Mode self);
    Mode (*render)(Mode self);
    void (*input)(int message, int key, int ch);
};

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

const int SOUND_MENU_CLICK = 9;
const int SOUND_BUTTON_CLICK = 10;

void enterMode(Mode mode);
void leaveMode(Mode mode);
Mode updateMode(Mode mode);
Mode renderMode(Mode mode);
Mode renderFrame(Mode mode);
void handleModeInput(int message, int key, int ch);

// The mode table: which screen runs each mode (a placeholder for modes
// whose screens are not built yet). Installed at start-up.
void installModeScreens();
void setModeScreen(Mode mode, const ModeScreen* screen);
const ModeScreen* modeScreen(Mode mode);
// "Race", "Stunt", "Free ride" by level number; "Race!", "Go!", "Ride!".
const char* levelTypeName(int level);
const char* startWord(int type);
