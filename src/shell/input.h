// The window procedure: turns platform events into the shell's messages,
// synthesises mouse-button keys, maps positions to logical coordinates,
// and hands everything to handleModeInput.
#pragma once
#include "platform/platform.h"
#include <cstdint>

extern int mouseX, mouseY;      // logical coordinates
extern int leftButtonHeld;
extern int tapFlag;             // last release came within 1/8 s of its press
extern int64_t lastDownTime, lastUpTime;

// A fresh start: the pointer at 0, 0, nothing held (as a new process has
// it, so that a second run in one process replays like the first).
void resetInput();
void windowProcedure(const PlatformEvent& event);
// The keyboard and mouse part of it, which the game controller's module
// also feeds with the keys and clicks it stands in for.
void dispatchWindowEvent(const PlatformEvent& event);
// Maps a 640 x 480 display position to logical coordinates, and back.
void displayToLogical(int x, int y, int* lx, int* ly);
void logicalToDisplay(int lx, int ly, int* x, int* y);
// Pumps every pending window event through the window procedure.
void pumpMessages();
