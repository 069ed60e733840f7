// What the level loading, get-ready, race and results screens share: the
// hand-over between them, which decides when the race is freed, and the
// information panel picture.
#pragma once
#include "gfx/surface.h"
#include "shell/modes.h"

// The panel of the get-ready and results screens ("hudinfo.png").
extern Surface* infoPanel;

// Every race screen returns its next mode through this, so that its leave
// step knows whether the race goes on in another race screen.
Mode handRaceTo(Mode next);
// Called by each race screen's enter step.
void beginRaceScreen();
// The leave steps: the race, its sounds and the level's pictures are
// freed unless the next mode is another race screen.
void leaveRaceScreen();
// True when the last hand-over went to "Race again".
bool raceAgainChosen();
Mode raceAgain();

// The level is not raceable (logged): back to the levels.
Mode raceUnavailable();
