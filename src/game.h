// The whole game on top of the shell: start-up in its order, the main
// loop, shutdown.
#pragma once
#include "screens/mode_ids.h"

const int NO_FIRST_LEVEL = -1;

// Start-up with `base` as the folder holding Data/ and Sound/ (with its
// trailing slash); the loop then begins in `firstMode`. With a first level
// the loop begins at its loading screen instead, as if it had been chosen
// in its game type by the first rider of the riders file (a rider named
// "Rider" is made when the file has none). The editor (MODE_EDITOR) opens
// at the first level, or level 0 without one. Returns 0, or the exit code
// to end with.
int gameStartup(const char* base, Mode firstMode = MODE_INTRO, int firstLevel = NO_FIRST_LEVEL);
// Leaves the current mode and frees everything start-up made.
void gameShutdown();
// Start-up, the loop until quitRequested, shutdown.
int gameMain(const char* base, Mode firstMode = MODE_INTRO, int firstLevel = NO_FIRST_LEVEL);
