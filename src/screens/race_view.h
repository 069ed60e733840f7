// What every frame of the get-ready, race and results screens shows: the
// terrain following the player with an eased camera, the riders' shadows
// and bikes far to near, and in the race the place labels, the player's
// marker, "Go!" and the HUD.
#pragma once
#include "gfx/surface.h"

// The camera's ground starts under the player.
void resetRaceCamera();
// Camera, terrain and riders.
void drawRaceView(Surface* target);
// The player on the screen; false with no riders.
bool playerOnScreen(const Surface* target, int* sx, int* sy);
// The 9 x 9 marker over the player.
void drawPlayerMarker(Surface* target);
// The ghost's frame on this tick of the run, or null when it is hidden,
// not yet started or past its finish.
const struct GhostFrame* ghostOnThisTick();
// The ghost's bike, loaded when a ghost rides; freed with the level.
void loadGhostModel();
void releaseGhostModel();
// Place labels, the marker, "Go!" and the HUD over the race.
void drawRaceOverlays(Surface* target);
// "1st", "2nd", "3rd", "4th", ... for a 0-based place, with `lastWord` for
// the last of `riders`.
void placeWord(int place, int riders, const char* lastWord, char* out, int size);
