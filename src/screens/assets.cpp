#include "screens/assets.h"
#include "shell/keys.h"
#include "shell/modes.h"

// The start-up loading grows with the data set; the intro follows it.
void loadStartupAssets() {
    setDefaultBindings();
    currentMode = MODE_INTRO;
}

void reloadOrientationAssets() {}

void freeStartupAssets() {}
