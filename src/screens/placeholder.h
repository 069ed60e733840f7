// A plain screen for modes whose own screens are not built yet: it shows
// the mode's number and keeps the transitions that need no screen content.
#pragma once
#include "shell/modes.h"

extern const ModeScreen placeholderScreen;
