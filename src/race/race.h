// A race from the grid to the finish: the riders and the level values they
// race under, the setup on the start line, the race tick, collisions,
// places and the end of a run. The game type, level and rider come from
// the shell's game context (shell/modes.h).
#pragma once
#include "race/rider.h"
#include "world/layout.h"
#include <cstdint>

const int MAX_RACE_RIDERS = 20; // the player and at most 19 computer riders
const int MAX_RACE_CHECKPOINTS = 15; // the height model numbers no more
// A description file may say anything; a race is held within these, so
// no lap count or par time can overflow the sums made of them.
const int RACE_LAPS_LIMIT = 99;
const int RACE_PAR_LIMIT_SECONDS = 24 * 60 * 60;
const int RACE_TICKS_PER_SECOND = 80;
const char* const BIKE_MODEL = "bike2.vox";
const double BIKE_SCALE = 0.7;

// The values a race runs under, from the level's description and layout,
// made safe: laps at least 1, opponents 0..19, checkpoints that the
// terrain can number.
struct RaceLevel {
    int opponents;
    int laps;
    int levelType;   // LEVEL_ANY_ORDER: checkpoints in any order, with flags
    int par;         // seconds
    int keepout;     // non-zero: keep-out ground stops a rider
    int checkpoints; // usable checkpoints of the layout
};
const int LEVEL_ANY_ORDER = 1;

struct PlaceEntry {
    int16_t rider;
    int16_t progress;
    int32_t time;
};

enum RacePhase { PHASE_GET_READY, PHASE_RUNNING, PHASE_AFTER_RUN };

extern RaceLevel raceLevel;
extern LevelLayout* raceLayout;
extern RaceRider* raceRiders[MAX_RACE_RIDERS];
extern int riderCount;
extern PlaceEntry placeTable[MAX_RACE_RIDERS];
extern int16_t drawOrder[MAX_RACE_RIDERS];
extern RacePhase racePhase;
// Race time in ticks, counted from entering the race; it does not wrap
// in any run a player could ride.
extern uint32_t raceClock;
// The runner's bot rides the player's bike with the computer's steering.
extern bool playerIsBot;

// Why the last setup failed ("no start point"), null after one that worked.
extern const char* raceProblem;

// Builds the riders on the start line of the current level, with the
// terrain already loaded. False (logged, nothing left to free) when the
// level cannot be raced.
bool setupRace();
// "Race again": the same, keeping the coloured bike models.
bool restartRace();
// Frees the riders and the layout.
void releaseRace();
// The clock and the skid flag start afresh as the race begins.
void beginRace();
// One tick of the race; true on the tick that ends the player's run.
bool stepRace();
// One tick behind the results of a race level: the computer brings a
// finished player home; a failed run slows to a standstill over the
// `ticks` since the results opened.
void stepRaceAfterRun(int ticks);
// The player's 0-based place.
int playerPlace();
