// The level description: the small text file "level%d.txt" of records
// "[key|value]" that names a level's terrain, opponents, laps, par time and
// switches, and its name and description for the menus.
#pragma once
#include <cstdint>
#include <string>

const int MAX_OPPONENTS = 19;           // the rider table holds 20, the player first
const int LEVEL_NAME_SIZE = 50;         // a name is kept only if shorter
const int LEVEL_TEXT_SIZE = 500;        // likewise the description

struct LevelDescription {
    int32_t opponents;          // computer riders in a race, 0..19
    int32_t track;              // number of the terrain picture set
    int32_t levelType;          // 1: checkpoints in any order, with flags
    int32_t noFlags;            // switch, kept but not consulted
    int32_t checkpointInOrder;  // switch, kept but not consulted
    int32_t laps;
    int32_t par;                // par time, seconds
    int32_t keepout;            // stricter keep-out ground when non-zero
    char name[LEVEL_NAME_SIZE];
    char description[LEVEL_TEXT_SIZE];
};

extern LevelDescription levelDescription;

// Resets keepout and the two switches, which readLevelDescription keeps.
void resetLevelSwitches();
// Resets the other settings and applies level N's file. False (logged)
// when the file is missing.
bool readLevelDescription(int level);
// The value of the first record with this key in level N's file; false
// when the file or the key is missing.
bool readLevelTextItem(const char* key, int level, std::string* value);
// Level N's name for the menus, or "" when it has none. The text stays
// valid until the next call.
const char* levelName(int level);
