// Plain screens for modes whose own screens are not built yet: each shows
// its mode's number and keeps the transitions that need no screen content.
#pragma once
#include "shell/modes.h"

extern const ModeScreen placeholderScreen;
extern const ModeScreen placeholderQuietScreen;   // left without the menu click
