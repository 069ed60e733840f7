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
    const LevelLayout* layout; // the layout checked; null when there is none
    Track track;              // the pictures; for the course only the height model, marked
    bool terrainReady;        // the height model is loaded and marked
    bool opponentsInRange;    // as written; the reader clamps the count
    std::vector<std::string>* problems;
};

void report(CheckContext* c, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The description's values against the game's ranges.
void checkDescriptionValues(CheckContext* c);
// Loads the three pictures of the description's track; reports missing,
// unreadable or ill-sized ones. True when all three are usable.
bool loadCheckedPictures(CheckContext* c);
// Start point, grid, checkpoints and race paths against the marked track.
void checkCourse(CheckContext* c);
