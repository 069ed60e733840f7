#include "player/settings.h"
#include "gfx/surface.h"
#include "player/savefile.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/log.h"
#include "sound/mixer.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

int musicLevel = DEFAULT_MUSIC_VOLUME;
int settingsReserved;
int settingsOrientation;

static const char SETTINGS_FILE[] = "settings.dat";
static const char DAMAGED_SUFFIX[] = ".damaged";
static const int BRIGHTNESS_AT = 36;
static const int ORIENTATION_AT = 40;
static const int RESERVED_AT = 48;
static const int EFFECT_VOLUME_AT = 52;
static const int MUSIC_VOLUME_AT = 56;
// Older files hold zero here, read as the default ghost key; an unbound
// ghost key is kept as GHOST_UNBOUND.
static const int GHOST_KEY_AT = 60;
static const int GHOST_UNBOUND = -1;
static const int MIN_BRIGHTNESS = 16;
static const int MAX_BRIGHTNESS = 255;
static const int MAX_VOLUME = 255;
static const int WARNING_TAG = 1;
static_assert(BIND_GHOST * 4 == BRIGHTNESS_AT);

static void putInt(uint8_t* block, int at, int value) {
    uint32_t bits = (uint32_t)value;
    for (int i = 0; i < 4; i++) block[at + i] = (uint8_t)(bits >> (8 * i));
}

static int takeInt(const uint8_t* block, int at) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; i++) bits |= (uint32_t)block[at + i] << (8 * i);
    return (int)bits;
}

static int limited(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

static int turnsOf(int orientation) { return (orientation % 4 + 4) % 4; }

static void setVolumes(int effects, int music) {
    setChannelVolume(0, effects);
    setChannelVolume(1, music);
    musicLevel = music;
}

void applyDefaultSettings() {
    setDefaultBindings();
    setVolumes(DEFAULT_EFFECT_VOLUME, DEFAULT_MUSIC_VOLUME);
}

// The file holds the bindings as they would be in orientation 0, so they
// are turned there for the copy and turned back afterwards.
int saveSettings() {
    char path[512];
    uint8_t block[SETTINGS_FILE_BYTES] = {};
    int orientation = displayGeometry.orientation;
    int turns = turnsOf(orientation);
    for (int i = 0; i < turns; i++) quarterTurnBindings();
    for (int i = 0; i < BIND_GHOST; i++) putInt(block, 4 * i, keyBindings[i]);
    putInt(block, GHOST_KEY_AT, keyBindings[BIND_GHOST] ? keyBindings[BIND_GHOST] : GHOST_UNBOUND);
    for (int i = 0; i < turns; i++) reverseTurnBindings();
    putInt(block, BRIGHTNESS_AT, colorCurveLevel());
    putInt(block, ORIENTATION_AT, orientation);
    putInt(block, RESERVED_AT, settingsReserved);
    putInt(block, EFFECT_VOLUME_AT, channelVolume(0));
    putInt(block, MUSIC_VOLUME_AT, channelVolume(1));
    bool written = dataFilePath(path, sizeof path, SETTINGS_FILE) && writeSaveFile(path, block, sizeof block);
    if (written) return 1;
    // Memory keeps what the player set; only the log hears of it.
    log("[WARNING] Settings not saved.\n", WARNING_TAG);
    return 0;
}

// The next save would replace a damaged file; its bytes are kept beside it
// for whoever wants to recover them.
static void setAsideDamagedFile(const char* path) {
    char aside[600];
    snprintf(aside, sizeof aside, "%s%s", path, DAMAGED_SUFFIX);
    if (rename(path, aside) != 0) log("[WARNING] Damaged settings file kept in place.\n", WARNING_TAG);
}

int loadSettings() {
    char path[512];
    uint8_t block[SETTINGS_FILE_BYTES + 1];
    long size = dataFilePath(path, sizeof path, SETTINGS_FILE) ? readSaveFile(path, block, sizeof block)
                                                                 : SAVE_FILE_MISSING;
    settingsOrientation = displayGeometry.orientation; // unless the file says otherwise
    if (size < 0) {
        applyDefaultSettings();
        return 0;
    }
    if (size != SETTINGS_FILE_BYTES) {
        logAt(1, "[WARNING] Settings size mismatch.  Loading defaults.\n", WARNING_TAG);
        setAsideDamagedFile(path);
        memset(keyBindings, 0, sizeof keyBindings);
        applyDefaultSettings();
        return 0;
    }
    for (int i = 0; i < BIND_GHOST; i++) keyBindings[i] = takeInt(block, 4 * i);
    int ghostKey = takeInt(block, GHOST_KEY_AT);
    keyBindings[BIND_GHOST] = ghostKey == GHOST_UNBOUND ? 0 : ghostKey ? ghostKey : KEY_G;
    settingsReserved = takeInt(block, RESERVED_AT);
    // Out-of-range values from a damaged file are brought into range rather
    // than handed to the colour curve and the mixer.
    setColorCurve(limited(takeInt(block, BRIGHTNESS_AT), MIN_BRIGHTNESS, MAX_BRIGHTNESS));
    int orientation = takeInt(block, ORIENTATION_AT);
    settingsOrientation = orientation >= 1 && orientation <= 3 ? orientation : 0;
    for (int i = 0; i < settingsOrientation; i++) reverseTurnBindings();
    setVolumes(limited(takeInt(block, EFFECT_VOLUME_AT), 0, MAX_VOLUME),
               limited(takeInt(block, MUSIC_VOLUME_AT), 0, MAX_VOLUME));
    return 1;
}
