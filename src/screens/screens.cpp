#include "screens/screens.h"
#include "editor/editor.h"
#include "screens/placeholder.h"
#include "screens/screens_local.h"

#include <initializer_list>

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
    // Screens still to be built show their mode number.
    const Mode plain[] = {MODE_LEVEL_LOADING, MODE_RESULTS};
    for (Mode mode : plain) setModeScreen(mode, &placeholderScreen);
    // Left without the menu click: the race has its own sounds.
    for (Mode mode : {MODE_RACE, MODE_GET_READY}) setModeScreen(mode, &placeholderQuietScreen);
}
