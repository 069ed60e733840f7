// The exit picture: shown until a key or a click ends the program.
#include "screens/screens_local.h"
#include "shell/loop.h"

static void enter() { loadBackground(screenMetrics().landscape ? "exitl.png" : "exitp.png"); }

static void leave() { freeBackground(); }

static Mode render(Mode self) {
    drawBackground();
    return self;
}

// The program ends after this pass; the mode stays.
static Mode input(Mode self, const InputEvent& e) {
    if (anyRelease(e)) quitRequested = 1;
    return self;
}

const ModeScreen exitPictureScreen = {enter, leave, nullptr, render, input, false, false};
