#include "platform/headless.h"
#include "gfx/image.h"

#include <deque>
#include <cstdio>

static int64_t now;
static bool focus = true;
static bool windowFails;
static bool windowOpen;
static uint32_t seedValue = 1;
static std::deque<PlatformEvent> events;
static std::vector<uint16_t> lastFrame(DISPLAY_WIDTH * DISPLAY_HEIGHT);
static int framesPresented;
static std::vector<std::string> boxes;
static int sleeps;
static AudioCallback audioCallback;

static bool createWindow(const char*, bool) {
    windowOpen = !windowFails;
    return windowOpen;
}
static void destroyWindow() { windowOpen = false; }
static bool hasFocus() { return focus; }

static bool pollEvent(PlatformEvent* e) {
    if (events.empty()) return false;
    *e = events.front();
    events.pop_front();
    return true;
}

static bool present(const uint16_t* pixels) {
    lastFrame.assign(pixels, pixels + DISPLAY_WIDTH * DISPLAY_HEIGHT);
    framesPresented++;
    return true;
}

static int64_t counter() { return now; }
static int64_t frequency() { return HEADLESS_FREQUENCY; }

// Time moves only when the test says so; a sleep is just counted.
static void sleepMs(int) { sleeps++; }

static void messageBox(const char* text, const char* caption) { boxes.push_back(std::string(caption) + ": " + text); }

static bool openAudio(AudioCallback callback) {
    audioCallback = callback;
    return true;
}
static void startAudio() {}
static void lockAudio() {}
static void unlockAudio() {}
static void closeAudio() { audioCallback = nullptr; }
static uint32_t seed() { return seedValue; }
static void setWindowIcon(const uint16_t*, int, int) {}

static const PlatformBackend HEADLESS = {
    createWindow, destroyWindow, hasFocus, pollEvent, present, counter, frequency, sleepMs,
    messageBox, openAudio, startAudio, lockAudio, unlockAudio, closeAudio, seed, setWindowIcon,
};

const PlatformBackend* headlessBackend() { return &HEADLESS; }

void headlessReset() {
    now = 0;
    focus = true;
    windowFails = false;
    seedValue = 1;
    events.clear();
    lastFrame.assign(DISPLAY_WIDTH * DISPLAY_HEIGHT, 0);
    framesPresented = 0;
    boxes.clear();
    sleeps = 0;
    audioCallback = nullptr;
}

void headlessAdvance(int64_t ticks) { now += ticks; }
void headlessAdvanceMs(int ms) { now += (int64_t)ms * HEADLESS_FREQUENCY / 1000; }
int64_t headlessNow() { return now; }
void headlessSetFocus(bool f) { focus = f; }
void headlessSetWindowFails(bool fails) { windowFails = fails; }
void headlessSetSeed(uint32_t s) { seedValue = s; }

void headlessPushEvent(const PlatformEvent& e) { events.push_back(e); }
void headlessKey(int key, int ch, bool down) {
    headlessPushEvent({down ? EVENT_KEY_DOWN : EVENT_KEY_UP, key, ch, 0, 0});
}
void headlessMouse(int type, int x, int y) { headlessPushEvent({type, 0, 0, x, y}); }
void headlessClick(int x, int y) {
    headlessMouse(EVENT_LBUTTON_DOWN, x, y);
    headlessMouse(EVENT_LBUTTON_UP, x, y);
}

void headlessPadConnect(bool connected) { headlessPushEvent({connected ? EVENT_PAD_ADDED : EVENT_PAD_REMOVED, 0, 0, 0, 0}); }
void headlessPadButton(int button, bool down) {
    headlessPushEvent({down ? EVENT_PAD_BUTTON_DOWN : EVENT_PAD_BUTTON_UP, button, 0, 0, 0});
}
void headlessPadStick(int x, int y) { headlessPushEvent({EVENT_PAD_STICK, 0, 0, x, y}); }

int headlessFramesPresented() { return framesPresented; }
const std::vector<uint16_t>& headlessLastFrame() { return lastFrame; }

bool headlessSaveFramePng(const char* path) {
    std::vector<uint8_t> rgb((size_t)DISPLAY_WIDTH * DISPLAY_HEIGHT * 3);
    for (size_t i = 0; i < lastFrame.size() && i * 3 < rgb.size(); i++) {
        uint16_t c = lastFrame[i];
        rgb[i * 3] = (uint8_t)((c >> 11) << 3);
        rgb[i * 3 + 1] = (uint8_t)(((c >> 6) & 31) << 3);
        rgb[i * 3 + 2] = (uint8_t)((c & 31) << 3);
    }
    return savePng(path, DISPLAY_WIDTH, DISPLAY_HEIGHT, false, rgb.data());
}

const std::vector<std::string>& headlessMessageBoxes() { return boxes; }
int headlessSleeps() { return sleeps; }

bool headlessAudioOpen() { return audioCallback != nullptr; }
void headlessPullAudio(int16_t* out, int count) {
    if (audioCallback) audioCallback(out, count);
}
