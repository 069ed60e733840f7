// The 45 levels of the data set: race 0..19, stunt 100..119 and free ride
// 200..204, each on one of the terrains. Difficulty grows with the number:
// more opponents and laps, tighter par times, narrower stunt courses.
#pragma once
#include <vector>

struct LevelPlan {
    int number;
    const char* name;
    const char* description;
    int track;
    bool reverse;       // ride the terrain's course the other way round
    int opponents;      // race
    int laps;           // race and stunt
    int checkpoints;    // race and stunt
    int par;            // seconds (race and stunt), set from levelcheck --ride: the computer's
                        // median time times 1.25 on level 0 down to 0.95 on level 19 in a race,
                        // the bot's time times 1.22 down to 1.08 in a stunt
    int levelType;      // stunt: 1 = flags taken in any order
    double corridor;    // stunt: half-width of the ground inside the keep-out, world units
};

const std::vector<LevelPlan>& levelSet();
