// The program's modes by id. Ids not listed are not used.
#pragma once
#include "shell/modes.h"

enum {
    MODE_TITLE = 1,
    MODE_RACE = 4,
    MODE_INTRO = 5,
    MODE_RIDER_SELECT = 6,
    MODE_RIDER_DELETE = 7,
    MODE_RIDER_EDIT = 8,
    MODE_LEVEL_SELECT = 9,
    MODE_LEVEL_LOADING = 10,
    MODE_EDITOR = 11,
    MODE_OPTIONS = 12,
    MODE_CONTROLS_CONFIG = 13,
    MODE_EDITOR_OVERVIEW = 14,
    MODE_GET_READY = 15,
    MODE_HIGH_SCORES = 18,
    MODE_CONTROLS_HELP = 19,
    MODE_EXIT_PICTURE = 21,
    MODE_HIDDEN_PICTURE = 22,
    MODE_RESULTS = 100,
};

static_assert(MODE_RESULTS <= HIGHEST_MODE, "every mode has a place in the shell's table");
