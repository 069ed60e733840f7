// The platform layer: everything the game takes from, or gives to, the
// machine. Two backends implement it (SDL and headless); the game never
// knows which one runs. Every input that is not in the game's files
// (counter readings, window events, focus, the random seed) passes through
// here, so a run can be recorded to a journal and replayed exactly.
#pragma once
#include <cstdint>

// Window messages, as the window procedure sees them.
enum PlatformEventType {
    EVENT_NONE = 0,
    EVENT_KEY_DOWN,     // key = virtual-key code, ch = character or 0
    EVENT_KEY_UP,
    EVENT_LBUTTON_DOWN, // x, y in 640 x 480 display pixels
    EVENT_LBUTTON_UP,
    EVENT_RBUTTON_DOWN,
    EVENT_RBUTTON_UP,
    EVENT_MOUSE_MOVE,
    EVENT_CLOSE,        // the user asked to close the window
    // The game controller in use (the first one connected); the numbering
    // above stays as it was, so older journals still replay.
    EVENT_PAD_ADDED,
    EVENT_PAD_REMOVED,
    EVENT_PAD_BUTTON_DOWN, // key = PadButton
    EVENT_PAD_BUTTON_UP,
    EVENT_PAD_STICK,       // x, y = the left stick, -PAD_AXIS_MAX..PAD_AXIS_MAX, y down
};

// A controller's buttons as the game knows them. The triggers arrive as
// buttons: the backend presses them past half their travel.
enum PadButton {
    PAD_A, PAD_B, PAD_X, PAD_Y, PAD_BACK, PAD_GUIDE, PAD_START,
    PAD_LEFT_STICK, PAD_RIGHT_STICK, PAD_LEFT_SHOULDER, PAD_RIGHT_SHOULDER,
    PAD_DPAD_UP, PAD_DPAD_DOWN, PAD_DPAD_LEFT, PAD_DPAD_RIGHT,
    PAD_LEFT_TRIGGER, PAD_RIGHT_TRIGGER,
    PAD_BUTTON_COUNT
};
const int PAD_AXIS_MAX = 32767;

struct PlatformEvent {
    int32_t type;
    int32_t key;
    int32_t ch;
    int32_t x;
    int32_t y;
};

const int DISPLAY_WIDTH = 640;
const int DISPLAY_HEIGHT = 480;

// Audio: 22050 Hz, signed 16-bit mono. The callback fills `count` samples.
const int AUDIO_RATE = 22050;
const int AUDIO_BUFFER_SAMPLES = 1024;
typedef void (*AudioCallback)(int16_t* out, int count);

// A backend: one table of functions. Event and counter results are what
// the journal records.
struct PlatformBackend {
    bool (*createWindow)(const char* title, bool fullScreen);
    void (*destroyWindow)();
    bool (*hasFocus)();
    bool (*pollEvent)(PlatformEvent* event);
    bool (*present)(const uint16_t* pixels); // 640 x 480 RGB565, display order
    int64_t (*counter)();
    int64_t (*counterFrequency)();
    void (*sleepMs)(int ms);
    void (*messageBox)(const char* text, const char* caption);
    bool (*openAudio)(AudioCallback callback);
    void (*startAudio)();
    void (*lockAudio)();
    void (*unlockAudio)();
    void (*closeAudio)();
    uint32_t (*seed)();
    // Pixels in RGB565 rows; 0 is transparent.
    void (*setWindowIcon)(const uint16_t* pixels, int width, int height);
};

// Choose the backend before anything else runs.
void platformUse(const PlatformBackend* backend);

bool platformCreateWindow(const char* title, bool fullScreen);
void platformDestroyWindow();
bool platformHasFocus();
bool platformPollEvent(PlatformEvent* event);
bool platformPresent(const uint16_t* pixels);
int64_t platformCounter();
int64_t platformCounterFrequency();
// Counter ticks from `mark` to `now`, wrapping rather than overflowing: a
// counter that jumps (a damaged journal) must not reach undefined sums.
inline int64_t counterSince(int64_t now, int64_t mark) { return (int64_t)((uint64_t)now - (uint64_t)mark); }
inline int64_t counterLater(int64_t mark, int64_t ticks) { return (int64_t)((uint64_t)mark + (uint64_t)ticks); }
// For the audio thread: a reading that the journal does not record, since
// that thread's timing is not part of what a replay reproduces.
int64_t platformCounterUnrecorded();
void platformSleep(int ms);
// Shown to the user when there is a display, and always written to stderr.
void platformMessageBox(const char* text, const char* caption);
// The debugger output of the display code: standard error here.
void platformDebugOutput(const char* text);
bool platformOpenAudio(AudioCallback callback);
void platformStartAudio();
void platformLockAudio();
void platformUnlockAudio();
void platformCloseAudio();
uint32_t platformSeed();
void platformSetWindowIcon(const uint16_t* pixels, int width, int height);

// The journal. Recording wraps whichever backend runs; replaying feeds the
// recorded inputs back in place of the backend's and checks every frame.
bool journalRecord(const char* path);
bool journalReplay(const char* path);
void journalClose();
bool journalReplaying();
// Replay results: frames compared and frames that differed. A replay that
// runs out of recorded input asks the game to close.
int journalFramesChecked();
// The checksum a journal keeps of each 640 x 480 frame.
uint64_t journalFrameHash(const uint16_t* pixels);
int journalFramesDiffering();
bool journalExhausted();
