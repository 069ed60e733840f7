#include "platform/platform.h"

#include <cstdio>
#include <cstring>

static const PlatformBackend* backend;

// Journal records: one tag byte, then the value the call returned.
enum : unsigned char {
    REC_COUNTER = 'C',
    REC_FREQUENCY = 'F',
    REC_EVENT = 'E',
    REC_NO_EVENT = 'e',
    REC_FOCUS = 'W',
    REC_SEED = 'S',
    REC_PRESENT = 'P',
};
static const char JOURNAL_MAGIC[4] = {'K', 'V', 'J', '1'};

static FILE* recordFile;
static FILE* replayFile;
static bool replayExhausted;
static bool closeSent;
static int framesChecked, framesDiffering;
static int64_t lastCounter;

void platformUse(const PlatformBackend* b) { backend = b; }

// ---- journal ----

static void record(unsigned char tag, const void* data, size_t size) {
    if (!recordFile) return;
    fputc(tag, recordFile);
    if (size) fwrite(data, 1, size, recordFile);
}

// Reads the next record, which must carry `tag`. A missing or different
// record ends the replay: the game is then asked to close.
static bool replay(unsigned char tag, void* data, size_t size) {
    if (replayExhausted) return false;
    int got = fgetc(replayFile);
    if (got != tag || (size && fread(data, 1, size, replayFile) != size)) {
        replayExhausted = true;
        return false;
    }
    return true;
}

uint64_t journalFrameHash(const uint16_t* pixels) {
    uint64_t h = 1469598103934665603ull;
    const unsigned char* p = (const unsigned char*)pixels;
    for (size_t i = 0; i < (size_t)DISPLAY_WIDTH * DISPLAY_HEIGHT * 2; i++) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

bool journalRecord(const char* path) {
    journalClose();
    recordFile = fopen(path, "wb");
    if (!recordFile) return false;
    fwrite(JOURNAL_MAGIC, 1, sizeof JOURNAL_MAGIC, recordFile);
    return true;
}

bool journalReplay(const char* path) {
    journalClose();
    replayFile = fopen(path, "rb");
    if (!replayFile) return false;
    char magic[4];
    if (fread(magic, 1, 4, replayFile) != 4 || memcmp(magic, JOURNAL_MAGIC, 4) != 0) {
        fclose(replayFile);
        replayFile = nullptr;
        return false;
    }
    replayExhausted = closeSent = false;
    framesChecked = framesDiffering = 0;
    return true;
}

void journalClose() {
    if (recordFile) fclose(recordFile);
    if (replayFile) fclose(replayFile);
    recordFile = replayFile = nullptr;
}

bool journalReplaying() { return replayFile != nullptr; }
int journalFramesChecked() { return framesChecked; }
int journalFramesDiffering() { return framesDiffering; }
bool journalExhausted() { return replayExhausted; }

// ---- the calls ----

bool platformCreateWindow(const char* title, bool fullScreen) { return backend->createWindow(title, fullScreen); }
void platformDestroyWindow() { backend->destroyWindow(); }

bool platformHasFocus() {
    unsigned char focus;
    if (replayFile) return replay(REC_FOCUS, &focus, 1) ? focus != 0 : true;
    focus = backend->hasFocus();
    record(REC_FOCUS, &focus, 1);
    return focus;
}

bool platformPollEvent(PlatformEvent* event) {
    if (replayFile) {
        if (!replayExhausted) {
            int tag = fgetc(replayFile);
            if (tag == REC_NO_EVENT) return false;
            if (tag == REC_EVENT && fread(event, sizeof *event, 1, replayFile) == 1) return true;
            replayExhausted = true;
        }
        if (closeSent) return false;
        closeSent = true;
        *event = PlatformEvent{EVENT_CLOSE, 0, 0, 0, 0};
        return true;
    }
    bool got = backend->pollEvent(event);
    if (got)
        record(REC_EVENT, event, sizeof *event);
    else
        record(REC_NO_EVENT, nullptr, 0);
    return got;
}

bool platformPresent(const uint16_t* pixels) {
    if (replayFile) {
        uint64_t expected;
        if (replay(REC_PRESENT, &expected, sizeof expected)) {
            framesChecked++;
            if (expected != journalFrameHash(pixels)) framesDiffering++;
        }
    } else if (recordFile) {
        uint64_t hash = journalFrameHash(pixels);
        record(REC_PRESENT, &hash, sizeof hash);
    }
    return backend->present(pixels);
}

int64_t platformCounter() {
    int64_t value;
    if (replayFile) {
        if (replay(REC_COUNTER, &value, sizeof value)) lastCounter = value;
        return lastCounter;
    }
    value = backend->counter();
    record(REC_COUNTER, &value, sizeof value);
    return value;
}

int64_t platformCounterFrequency() {
    int64_t value;
    if (replayFile) return replay(REC_FREQUENCY, &value, sizeof value) ? value : backend->counterFrequency();
    value = backend->counterFrequency();
    record(REC_FREQUENCY, &value, sizeof value);
    return value;
}

int64_t platformCounterUnrecorded() { return replayFile ? lastCounter : backend->counter(); }

uint32_t platformSeed() {
    uint32_t value;
    if (replayFile) return replay(REC_SEED, &value, sizeof value) ? value : 1;
    value = backend->seed();
    record(REC_SEED, &value, sizeof value);
    return value;
}

void platformSetWindowIcon(const uint16_t* pixels, int width, int height) {
    backend->setWindowIcon(pixels, width, height);
}

void platformSleep(int ms) { backend->sleepMs(ms); }

void platformMessageBox(const char* text, const char* caption) {
    fprintf(stderr, "%s: %s\n", caption, text);
    backend->messageBox(text, caption);
}

void platformDebugOutput(const char* text) { fputs(text, stderr); }

bool platformOpenAudio(AudioCallback callback) { return backend->openAudio(callback); }
void platformStartAudio() { backend->startAudio(); }
void platformLockAudio() { backend->lockAudio(); }
void platformUnlockAudio() { backend->unlockAudio(); }
void platformCloseAudio() { backend->closeAudio(); }
