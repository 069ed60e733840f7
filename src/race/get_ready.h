// The start: the riders wait on the grid until the player presses and
// releases something, then three beeps a second apart and the start
// sound a second later. The input steps of the countdown and the race
// record the player's held keys and pointer.
#pragma once
#include "shell/modes.h"

const int COUNTDOWN_FROM = 4;

extern int countdown;
extern bool raceStarted; // the player has released a key or the button
extern bool countdownStartsItself; // no key to wait for (the computer rides the player's bike)

// Entering the countdown: nothing held, not started.
void beginGetReady();
// One tick of the countdown; true when the race starts.
bool stepGetReady();

enum RaceInputResult {
    RACE_INPUT_NONE,
    RACE_INPUT_END_RUN,       // to the results
    RACE_INPUT_LEAVE_TO_LEVELS, // free ride's Escape
};
RaceInputResult getReadyInput(const InputEvent& event);
RaceInputResult raceInput(const InputEvent& event);
