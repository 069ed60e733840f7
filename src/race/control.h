// The player's hands on the bike: the held keys and pointer as the race's
// input steps record them, and the control steps that lean, steer,
// accelerate and brake the player's rider from them.
#pragma once
#include "race/rider.h"

// Direction bits of the held keys.
const int HELD_LEFT = 1;
const int HELD_RIGHT = 2;
const int HELD_UP = 4;
const int HELD_DOWN = 8; // no effect in a race

struct RaceControls {
    int directions;     // HELD_* bits
    bool accelerate;
    bool brake;
    bool pointerHeld;   // the left button: steer toward the pointer
    int pointerX, pointerY;
    bool stickHeld;     // the controller's stick is out of its dead zone:
    int stickX, stickY; // steer the way it points on the screen
    bool skidding;      // the brake's skid sound is playing
};
extern RaceControls raceControls;

// Nothing held, no skid.
void releaseControls();
// Leaning off the straight costs speed in Stunt and Free ride; runs before
// the physics steps of the tick.
void applyLeanDrag(RaceRider* r);
// Lean, turn, fall, throttle, brake and coast, after the physics steps.
void applyPlayerControl(RaceRider* r);
