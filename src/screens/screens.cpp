#include "screens/screens.h"
#include "editor/editor.h"
#include "screens/screens_local.h"

void installModeScreens() {
    clearModeScreens();
    setModeScreen(MODE_INTRO, &introScreen);
    setModeScreen(MODE_TITLE, &titleScreen);
    setModeScreen(MODE_RIDER_SELECT, &riderSelectScreen);
    setModeScreen(MODE_RIDER_DELETE, &riderDeleteScreen);
    setModeScreen(MODE_RIDER_EDIT, &riderEditScreen);
    setModeScreen(MODE_LEVEL_SELECT, &levelSelectScreen);
    setModeScreen(MODE_EDITOR, &editorScreen);
    setModeScreen(MODE_EDITOR_OVERVIEW, &editorOverviewScreen);
    setModeScreen(MODE_OPTIONS, &optionsScreen);
    setModeScreen(MODE_CONTROLS_CONFIG, &controlConfigScreen);
    setModeScreen(MODE_HIGH_SCORES, &highScoresScreen);
    setModeScreen(MODE_CONTROLS_HELP, &controlsHelpScreen);
    setModeScreen(MODE_EXIT_PICTURE, &exitPictureScreen);
    setModeScreen(MODE_HIDDEN_PICTURE, &hiddenPictureScreen);
    setModeScreen(MODE_LEVEL_LOADING, &levelLoadingScreen);
    setModeScreen(MODE_GET_READY, &getReadyScreen);
    setModeScreen(MODE_RACE, &raceScreen);
    setModeScreen(MODE_RESULTS, &resultsScreen);
}
