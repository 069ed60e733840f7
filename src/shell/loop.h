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
extern int soundEnabled;

extern int64_t tickFrequency, oneSecond, logicPeriod, renderPeriod;
extern int64_t secondMark, logicMark, renderMark;
extern int stepsThisSecond, framesThisSecond;
extern int stepsLastSecond, framesLastSecond;

// Runs the start-up sequence with `base` as the folder holding Data/ and
// Sound/ (with its trailing slash). Returns 0, or the exit code to end with.
int gameStartup(const char* base);
// One pass of the main loop; true when the rendered frame was presented.
bool gameRunPass();
void gameShutdown();
// Start-up, the loop until quitRequested, shutdown.
int gameMain(const char* base);

void loadSmallChars();
