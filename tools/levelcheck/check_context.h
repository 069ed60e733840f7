// What the parts of the level check share while one level is checked.
#pragma once
#include "world/description.h"
#include "world/layout.h"
#include "world/track.h"

#include <string>
#include <vector>

struct CheckContext {
    int level;
    int gameType;             // GAME_RACE, GAME_STUNT or GAME_FREE_RIDE
    LevelLayout* layout;      // as loaded; null when it could not be
    Track track;              // the pictures, built for the level
    bool terrainReady;        // the height model is loaded and built
    bool opponentsInRange;    // as written; the reader clamps the count
    std::vector<std::string>* problems;
};

void report(CheckContext* c, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The description's values against the game's ranges.
void checkDescriptionValues(CheckContext* c);
// Loads the three pictures of the description's track; reports missing,
// unreadable or ill-sized ones. True when all three are usable.
bool loadCheckedPictures(CheckContext* c);
// Start point, grid, checkpoints and race paths against the built track.
void checkCourse(CheckContext* c);
