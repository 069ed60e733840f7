// Start-up, the fixed-step main loop and shutdown.
#pragma once
#include "gfx/surface.h"
#include <cstdint>

const int LOGIC_STEPS_PER_SECOND = 80;
const int MAX_STEPS_PER_PASS = 4;
const int INACTIVE_SLEEP_MS = 250;

extern char baseFolder[256];
extern char dataFolder[256];
extern char soundFolder[256];
extern int appActive;
extern int quitRequested;
extern Surface* framebuffer;
extern Surface* smallChars;

extern int64_t tickFrequency, oneSecond, logicPeriod, renderPeriod;
extern int64_t secondMark, logicMark, renderMark;
extern int stepsThisSecond, framesThisSecond;
extern int stepsLastSecond, framesLastSecond;

// The shell's part of start-up, with `base` as the folder holding Data/ and
// Sound/ (with its trailing slash): the window and display, the folders,
// the framebuffer, the sound output, the timers, the log of the display
// and the small characters. Returns 0, or the exit code to end with.
int startShell(const char* base);
// One pass of the main loop; true when the rendered frame was presented.
bool gameRunPass();
// Closes the sound output and releases what startShell made.
void stopShell();
// Every change of appActive goes through here, so the mixer hears of it.
void setAppActive(int active);

void loadSmallChars();
