#include "race/control.h"
#include "gfx/trig.h"
#include "shell/keys.h"
#include "shell/modes.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "race/race.h"
#include "world/track.h"

#include <algorithm>
#include <cstdlib>

RaceControls raceControls;

namespace {

const int LEAN_LIMIT = 70;       // beyond this the rider falls
const int LEAN_REACH = 80;       // a held key leans toward this
const int LEAN_STRAIGHTEN = 4;   // degrees per tick back from the other side
const int LEAN_CENTRE = 3;       // degrees per tick back to upright
const int LEAN_FOLLOW = 4;       // degrees per tick toward the pointer's lean
const int SKID_SPEED = 5;        // braking above this skids
const int BRAKE_STEP = 2;
const int DRAG_FLOOR = 5;        // lean drag never slows the bike below this

int moveToward(int value, int target, int step) {
    if (value < target) return std::min(value + step, target);
    return std::max(value - step, target);
}

bool onGround(const RaceRider* r) { return wholeUnits(r->z) - groundUnder(r) < AIRBORNE_HEIGHT; }

void leanByKeys(RaceRider* r, bool everyEighth) {
    if (raceControls.directions & HELD_LEFT) {
        if (r->lean < 0) r->lean += LEAN_STRAIGHTEN;
        if (everyEighth) r->lean += (LEAN_REACH - std::abs(r->lean)) >> 3;
    }
    if (raceControls.directions & HELD_RIGHT) {
        if (r->lean > 0) r->lean -= LEAN_STRAIGHTEN;
        if (everyEighth) r->lean -= (LEAN_REACH - std::abs(r->lean)) >> 3;
    }
}

// The pointer's direction from the bike on the screen is where to go; the
// view is foreshortened, so vertical distance counts double.
void aimAtPointer(RaceRider* r) {
    int sx, sy;
    toScreen(&track, wholeUnits(r->x), wholeUnits(r->y), groundUnder(r), &sx, &sy);
    r->targetHeading = headingTo(0, 0, raceControls.pointerX - sx, 2 * (raceControls.pointerY - sy));
}

// The stick's direction is a screen direction from the bike, read the way
// the pointer's is.
void aimAlongStick(RaceRider* r) {
    r->targetHeading = headingTo(0, 0, raceControls.stickX, 2 * raceControls.stickY);
}

// The held pointer or the stick steers toward a direction; the keys lean.
bool aiming() { return raceControls.pointerHeld || raceControls.stickHeld; }

void steer(RaceRider* r, bool everyEighth, bool grounded) {
    if (!aiming() && raceControls.directions == 0) return;
    if (raceControls.pointerHeld) aimAtPointer(r);
    else if (raceControls.stickHeld) aimAlongStick(r);
    else leanByKeys(r, everyEighth);
    int f = headingDegrees(r) - r->lean;
    int delta = angleDelta(f, r->targetHeading);
    r->getUpTimer = delta + headingDegrees(r);
    if (aiming() && grounded) r->lean = moveToward(r->lean, -2 * delta, LEAN_FOLLOW);
}

void brake(RaceRider* r, bool grounded) {
    if (!raceControls.brake) {
        if (raceControls.skidding) stopSound(SOUND_SKID);
        raceControls.skidding = false;
        return;
    }
    r->throttle = 0;
    if (frameCount % 4 != 0) return;
    if (!grounded) {
        stopSound(SOUND_SKID);
        raceControls.skidding = false;
        return;
    }
    if (!raceControls.skidding && r->speed > SKID_SPEED) {
        raceControls.skidding = true;
        playSound(SOUND_SKID);
    }
    r->speed = std::max(0, r->speed - BRAKE_STEP);
    if (r->speed < BRAKE_STEP) stopSound(SOUND_SKID);
}

} // namespace

void releaseControls() { raceControls = RaceControls{}; }

void applyLeanDrag(RaceRider* r) {
    if (gameType == GAME_RACE || frameCount % 32 != 0) return;
    if (r->lean == 0 || r->speed <= DRAG_FLOOR || r->airborne) return;
    r->speed = std::max(DRAG_FLOOR, r->speed - (std::abs(r->lean) >> 4) * (r->speed >> 3));
}

void applyPlayerControl(RaceRider* r) {
    bool grounded = onGround(r);
    bool everyEighth = raceClock % 8 == 0;
    steer(r, everyEighth, grounded);
    if (!aiming() && !(raceControls.directions & (HELD_LEFT | HELD_RIGHT)))
        r->lean = moveToward(r->lean, 0, LEAN_CENTRE);
    if (grounded) r->heading -= r->lean * 64;
    if (r->lean < -LEAN_LIMIT || r->lean > LEAN_LIMIT) {
        playSound(SOUND_SKID);
        crashRider(r);
    }
    bool accelerating = raceControls.accelerate ||
                        ((raceControls.directions & HELD_UP) && keyBindings[BIND_ACCELERATE] == KEY_LBUTTON);
    if (accelerating) {
        r->throttle = 1;
        if (everyEighth && grounded && r->speed < TOP_SPEED) r->speed++;
    }
    brake(r, grounded);
    if (!raceControls.pointerHeld && !accelerating) {
        r->throttle = 0;
        if (frameCount % 4 == 0 && grounded) r->speed = std::max(0, r->speed - 1);
    }
}
