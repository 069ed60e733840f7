// The whole game on top of the shell: start-up in its order, the main
// loop, shutdown.
#pragma once
#include "screens/mode_ids.h"

// Start-up with `base` as the folder holding Data/ and Sound/ (with its
// trailing slash); the loop then begins in `firstMode`. Returns 0, or the
// exit code to end with.
int gameStartup(const char* base, Mode firstMode = MODE_INTRO);
// Leaves the current mode and frees everything start-up made.
void gameShutdown();
// Start-up, the loop until quitRequested, shutdown.
int gameMain(const char* base, Mode firstMode = MODE_INTRO);
