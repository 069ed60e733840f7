// What the menu screens share among themselves: the per-mode background
// picture, the screen's size and font metrics, the slide-in of lists and
// buttons, and the few rules more than one screen follows.
#pragma once
#include "gfx/surface.h"
#include "shell/modes.h"

// The background picture of the current mode; loaded by its enter step,
// freed by its leave step.
extern Surface* backgroundPicture;

// "stageBackL.png" in landscape, "stageBack.png" in portrait.
void loadStageBackground();
void loadBackground(const char* name);
void freeBackground();
// Clears what the picture does not cover, then draws it centred.
void drawBackground();

struct ScreenMetrics {
    int width, height; // logical
    int lineHeight;    // of font 0
    int baseline;      // of font 0
    bool landscape;
};
ScreenMetrics screenMetrics();

// The slide of lists and buttons over the first 31 steps of a mode: from
// 961 down to 0.
int slideIn();

// The rider highlight of the rider screens.
Color highlightColour();

// Key-up of the Escape binding.
bool escapeReleased(const InputEvent& e);
// Any key released, or the left button (which is also a key).
bool anyRelease(const InputEvent& e);

// Where a new game goes from the title: the editor with no rider yet, else
// the rider list.
Mode riderScreenForNewGame();

// After the intro: the hidden picture when its file is in the data folder.
Mode modeAfterIntro();
bool dataFileExists(const char* name);

// Font 0 text centred on cx, plain (additive white) or in a colour.
void drawTextCentred(Surface* target, const char* text, int cx, int y);
void drawColouredCentred(Surface* target, const char* text, int cx, int y, Color colour);

// The title of the rider screens, sliding down into place.
void drawSlidingTitle(const char* title);

// The screens built on these, installed by installModeScreens.
extern const ModeScreen introScreen;
extern const ModeScreen titleScreen;
extern const ModeScreen riderSelectScreen;
extern const ModeScreen riderDeleteScreen;
extern const ModeScreen riderEditScreen;
extern const ModeScreen levelSelectScreen;
extern const ModeScreen optionsScreen;
extern const ModeScreen controlConfigScreen;
extern const ModeScreen highScoresScreen;
extern const ModeScreen controlsHelpScreen;
extern const ModeScreen exitPictureScreen;
extern const ModeScreen hiddenPictureScreen;
extern const ModeScreen levelLoadingScreen;
extern const ModeScreen getReadyScreen;
extern const ModeScreen raceScreen;
extern const ModeScreen resultsScreen;
