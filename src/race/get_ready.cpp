#include "race/get_ready.h"
#include "race/control.h"
#include "race/engine_sound.h"
#include "race/race.h"
#include "world/levels.h"
#include "shell/keys.h"
#include "shell/random.h"
#include "sound/effects.h"
#include "sound/sounds.h"

int countdown;
bool raceStarted;
bool countdownStartsItself;

namespace {

const int BEEP_TICKS = RACE_TICKS_PER_SECOND;

// The engines wake one by one while the countdown runs: one random draw
// every eighth tick, acting only if that rider is still silent (drawing
// until a silent one is found would never end once all are awake).
void wakeAnEngine() {
    if (frameCount % 8 != 0 || riderCount < 1) return;
    RaceRider* r = raceRiders[gameRandom() % riderCount];
    if (r && r->engineSoundPlaying == ENGINE_SILENT) r->engineState = ENGINE_IDLE;
}

int directionBit(int key) {
    if (key == keyBindings[BIND_UP]) return HELD_UP;
    if (key == keyBindings[BIND_DOWN]) return HELD_DOWN;
    if (key == keyBindings[BIND_LEFT]) return HELD_LEFT;
    if (key == keyBindings[BIND_RIGHT]) return HELD_RIGHT;
    return 0;
}

// Held keys and the pointer, the same in the countdown and the race, so
// that a throttle or a lean held before the start carries into it.
void recordHeld(const InputEvent& e) {
    if (e.kind == INPUT_STICK) {
        raceControls.stickHeld = e.x != 0 || e.y != 0; // the shell takes out the dead zone
        raceControls.stickX = e.x;
        raceControls.stickY = e.y;
        return;
    }
    bool down = e.kind == INPUT_KEY_DOWN;
    if (e.kind == INPUT_KEY_DOWN || e.kind == INPUT_KEY_UP) {
        int bit = directionBit(e.key);
        raceControls.directions = down ? raceControls.directions | bit : raceControls.directions & ~bit;
        if (e.key == keyBindings[BIND_ACCELERATE]) raceControls.accelerate = down;
        if (e.key == keyBindings[BIND_BRAKE]) raceControls.brake = down;
        return;
    }
    if (e.kind == INPUT_BUTTON_DOWN || e.kind == INPUT_BUTTON_UP) raceControls.pointerHeld = e.kind == INPUT_BUTTON_DOWN;
    raceControls.pointerX = e.x;
    raceControls.pointerY = e.y;
}

bool escapeReleased(const InputEvent& e) { return e.kind == INPUT_KEY_UP && e.key == keyBindings[BIND_ESCAPE]; }

} // namespace

void beginGetReady() {
    releaseControls();
    countdown = COUNTDOWN_FROM;
    raceStarted = countdownStartsItself;
    racePhase = PHASE_GET_READY;
}

bool stepGetReady() {
    if (gameType == GAME_FREE_RIDE) {
        if (raceRiders[0]) raceRiders[0]->engineState = ENGINE_IDLE;
        return true;
    }
    if (!raceStarted) tickCount = 0;
    else wakeAnEngine();
    updateEngineSounds();
    fadeMusic();
    if (tickCount >= BEEP_TICKS) {
        countdown--;
        playSound(countdown == 0 ? SOUND_START_HIGH : SOUND_START_LOW);
        tickCount = 0;
    }
    return countdown <= 0;
}

RaceInputResult getReadyInput(const InputEvent& event) {
    recordHeld(event);
    if (escapeReleased(event) && raceStarted) return RACE_INPUT_END_RUN;
    if (event.kind == INPUT_KEY_UP || event.kind == INPUT_BUTTON_UP) raceStarted = true;
    return RACE_INPUT_NONE;
}

RaceInputResult raceInput(const InputEvent& event) {
    recordHeld(event);
    if (!escapeReleased(event)) return RACE_INPUT_NONE;
    if (gameType != GAME_FREE_RIDE) return RACE_INPUT_END_RUN;
    stopRaceSounds();
    restoreMusic();
    return RACE_INPUT_LEAVE_TO_LEVELS;
}
