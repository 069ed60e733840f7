// The level editor: mode 11 draws a level's layout over a top view of its
// terrain and checks it as it is drawn; mode 14 shows the terrain view at
// the place under the pointer. Reached with --editor [LEVEL].
#pragma once
#include "shell/modes.h"

extern const ModeScreen editorScreen;
extern const ModeScreen editorOverviewScreen;
