// The game controller as a second pair of hands. Its buttons reach the
// screens as key events with pad codes (shell/keys.h), so they bind like
// keys; an unbound button stands in for its usual action: A or the right
// trigger Accelerate, B or the left trigger Brake, Start Escape, the d-pad
// the four directions. In the menus the left stick moves the pointer and A
// clicks; a screen the pad drives (the race) gets the stick as INPUT_STICK.
#pragma once
#include "gfx/surface.h"
#include "platform/platform.h"

// A stick nearer its centre than this is at rest.
const int PAD_DEAD_ZONE = PAD_AXIS_MAX / 5;
// The pointer's speed at full deflection, in display pixels per logic step.
const int PAD_POINTER_TOP_SPEED = 6;

// A pad event from the window procedure.
void padEvent(const PlatformEvent& event);
// Once per logic step: the stick moves the pointer, or reaches the screen
// it drives when it has changed.
void padStep();
// The mouse moved or clicked: the pointer is the mouse's again.
void padYieldPointer();
bool padConnected();
// The stick with the dead zone taken out: (0, 0) at rest.
void padStick(int* x, int* y);
// While the pad moves the pointer, a small arrow shows where it is.
void drawPadPointer(Surface* target);
// No pad, nothing held (a fresh start).
void resetPad();
