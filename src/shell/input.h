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

void windowProcedure(const PlatformEvent& event);
// Maps a 640 x 480 display position to logical coordinates.
void displayToLogical(int x, int y, int* lx, int* ly);
// Pumps every pending window event through the window procedure.
void pumpMessages();
