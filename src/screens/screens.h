// The table of which screen runs each mode, installed at start-up.
#pragma once
#include "screens/mode_ids.h"

void installModeScreens();
