#include "screens/assets.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "player/settings.h"
#include "shell/modes.h"

void loadStartupAssets() {
    loadSettings();
    loadHighScores();
    currentMode = MODE_INTRO;
    initRiders();
    loadRiders();
}

void reloadOrientationAssets() {}

void freeStartupAssets() {}
