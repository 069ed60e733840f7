// The game's sounds: every id, the file loaded into it at start-up and its
// loop points. The game, the bake and the tests all read this one table.
#pragma once

enum SoundId {
    SOUND_CHECKPOINT = 0,
    SOUND_HIDDEN_PICTURE = 1, // never loaded: playing it is silent
    SOUND_THEME = 3,
    SOUND_WALL_HIT = 4,
    SOUND_START_LOW = 5,
    SOUND_START_HIGH = 6,
    SOUND_MENU_CLICK = 9,
    SOUND_BUTTON_CLICK = 10,
    SOUND_CRASH = 11,
    SOUND_SKID = 12,
    SOUND_PACK = 13, // the engines of the computer riders
    // The player's engine: the id for engine state s (1..4) is 19 + s.
    SOUND_IDLE = 20,
    SOUND_FULL_THROTTLE = 21,
    SOUND_IN_AIR = 22,
    SOUND_WIND_DOWN = 23,
    // The engine block 20..24 is copied for riders 1..3.
    ENGINE_BLOCK_SIZE = 5,
    ENGINE_BLOCK_COPIES = 4,
    SOUND_PACK_IDLE = SOUND_IDLE + ENGINE_BLOCK_SIZE,           // 25, the pack in the countdown
    SOUND_PACK_WIND_DOWN = SOUND_WIND_DOWN + ENGINE_BLOCK_SIZE, // 28, the pack falling silent
    SOUND_LAST_ENGINE = SOUND_IDLE + ENGINE_BLOCK_SIZE * ENGINE_BLOCK_COPIES - 1, // 39
};

// The race starts the full-throttle sound this many samples in per unit of
// the player's speed, so the rising note picks up where the bike is.
const int SAMPLES_PER_SPEED = 5000;

// Loop points, in samples of the files.
const int IDLE_LOOP_END = 21000;
const int FULL_THROTTLE_LOOP_START = 43900;
const int FULL_THROTTLE_LOOP_END = 194500;
const int PACK_LOOP_START = 50000;
const int PACK_LOOP_END = 93200;

struct SoundFile {
    const char* file;
    int id;
    int channel;   // 0 effects, 1 music
    int loopStart; // where a looping play jumps back to
    int loopEnd;   // 0: the sound does not loop between points
    bool loopWhole; // the whole sound loops instead
};

// In start-up loading order (each fills one step of the loading bar).
inline constexpr SoundFile SOUND_FILES[] = {
    {"theme.flac", SOUND_THEME, 1, 0, 0, true},
    {"gclick22.flac", SOUND_BUTTON_CLICK, 0, 0, 0, false},
    {"agony.flac", SOUND_WALL_HIT, 0, 0, 0, false},
    {"blub.flac", SOUND_CHECKPOINT, 0, 0, 0, false},
    {"startLow.flac", SOUND_START_LOW, 0, 0, 0, false},
    {"startHigh.flac", SOUND_START_HIGH, 0, 0, 0, false},
    {"gclick16.flac", SOUND_MENU_CLICK, 0, 0, 0, false},
    {"idle3.flac", SOUND_IDLE, 0, 0, IDLE_LOOP_END, false},
    {"leadBike2.flac", SOUND_FULL_THROTTLE, 0, FULL_THROTTLE_LOOP_START, FULL_THROTTLE_LOOP_END, false},
    {"full6.flac", SOUND_IN_AIR, 0, 0, 0, true},
    {"downward3.flac", SOUND_WIND_DOWN, 0, 0, 0, false},
    {"bump.flac", SOUND_CRASH, 0, 0, 0, false},
    {"skid.flac", SOUND_SKID, 0, 0, 0, false},
    {"background.flac", SOUND_PACK, 0, PACK_LOOP_START, PACK_LOOP_END, false},
};
inline constexpr int SOUND_FILE_COUNT = sizeof SOUND_FILES / sizeof SOUND_FILES[0];

// The table row of an id; null when no file is loaded into it.
const SoundFile* soundFile(int id);
