#include "screens/screens.h"
#include "screens/placeholder.h"

#include <initializer_list>

void installModeScreens() {
    clearModeScreens();
    // Screens still to be built show their mode number.
    const Mode plain[] = {
        MODE_TITLE, MODE_RIDER_SELECT, MODE_RIDER_DELETE, MODE_RIDER_EDIT, MODE_LEVEL_SELECT,
        MODE_LEVEL_LOADING, MODE_EDITOR, MODE_OPTIONS, MODE_EDITOR_OVERVIEW, MODE_HIGH_SCORES,
        MODE_CONTROLS_HELP, MODE_EXIT_PICTURE, MODE_RESULTS,
    };
    for (Mode mode : plain) setModeScreen(mode, &placeholderScreen);
    // Left without the menu click: the intro and the hidden picture lead
    // on by themselves, and the race has its own sounds.
    for (Mode mode : {MODE_INTRO, MODE_HIDDEN_PICTURE, MODE_RACE, MODE_GET_READY})
        setModeScreen(mode, &placeholderQuietScreen);
    // Control configuration binds the screenshot and suspend keys too.
    setModeScreen(MODE_CONTROLS_CONFIG, &placeholderAllKeysScreen);
}
