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
    // Screens still to be built show their mode number.
    const Mode plain[] = {
        MODE_LEVEL_LOADING, MODE_OPTIONS, MODE_HIGH_SCORES,
        MODE_CONTROLS_HELP, MODE_EXIT_PICTURE, MODE_RESULTS,
    };
    for (Mode mode : plain) setModeScreen(mode, &placeholderScreen);
    // Left without the menu click: the hidden picture leads on by itself,
    // and the race has its own sounds.
    for (Mode mode : {MODE_HIDDEN_PICTURE, MODE_RACE, MODE_GET_READY}) setModeScreen(mode, &placeholderQuietScreen);
    // Control configuration binds the screenshot and suspend keys too.
    setModeScreen(MODE_CONTROLS_CONFIG, &placeholderAllKeysScreen);
}
