#include "game.h"
#include "player/riders.h"
#include "player/settings.h"
#include "screens/assets.h"
#include "screens/screens.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "shell/overlay.h"

static const char FIRST_LEVEL_RIDER[] = "Rider";

// The context level selection would have handed on for this level.
static void chooseFirstLevel(int level) {
    if (profileCount() == 0) createRider(FIRST_LEVEL_RIDER, 0, 0);
    for (int i = 0; i < RIDER_CAPACITY && selectedRider() < 0; i++) selectRider(i);
    gameType = levelGameType(level);
    currentLevel = levelChoice = level;
    currentRider = selectedRider();
}

int gameStartup(const char* base, Mode firstMode, int firstLevel) {
    installModeScreens();
    int status = startShell(base);
    if (status != 0) return status;
    // Nothing orientation-dependent is loaded before the settings say
    // which way the screen is turned.
    loadSettings();
    setOrientation(settingsOrientation);
    loadStartupAssets();
    if (firstMode == MODE_EDITOR)
        currentLevel = firstLevel >= 0 && firstLevel <= HIGHEST_LEVEL_NUMBER ? firstLevel : 0;
    else if (isLevelNumber(firstLevel)) {
        chooseFirstLevel(firstLevel);
        firstMode = MODE_LEVEL_LOADING;
    }
    currentMode = firstMode;
    previousMode = 0; // the first pass enters the first mode
    setAppActive(1);
    retractOverlayPanels();
    return 0;
}

void gameShutdown() {
    leaveMode(currentMode);
    freeStartupAssets();
    stopShell();
}

int gameMain(const char* base, Mode firstMode, int firstLevel) {
    int status = gameStartup(base, firstMode, firstLevel);
    if (status != 0) return status;
    while (!quitRequested) gameRunPass();
    gameShutdown();
    return 0;
}
