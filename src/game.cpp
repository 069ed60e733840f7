#include "game.h"
#include "player/settings.h"
#include "screens/assets.h"
#include "screens/screens.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "shell/overlay.h"

int gameStartup(const char* base, Mode firstMode) {
    installModeScreens();
    int status = startShell(base);
    if (status != 0) return status;
    // Nothing orientation-dependent is loaded before the settings say
    // which way the screen is turned.
    loadSettings();
    setOrientation(settingsOrientation);
    loadStartupAssets();
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

int gameMain(const char* base, Mode firstMode) {
    int status = gameStartup(base, firstMode);
    if (status != 0) return status;
    while (!quitRequested) gameRunPass();
    gameShutdown();
    return 0;
}
