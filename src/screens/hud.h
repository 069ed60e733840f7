// The head-up display of a race: the out-of-bounds panel, the minimap with
// the riders' dots, the race time, the lap box and the place box. It slides
// in from the screen edges when the race starts and out behind the results.
#pragma once
#include "gfx/surface.h"

enum HudCommand {
    HUD_DRAW = 1,        // draw these values and remember them
    HUD_RESET = 100,     // remember them, pushed fully off-screen; nothing drawn
    HUD_SLIDE_IN = 101,  // the remembered values, sliding in
    HUD_SLIDE_OUT = 102, // the remembered values, sliding out
};

struct HudValues {
    int time;       // race ticks; negative: no time shown
    int lap;        // negative: no lap text
    int place;      // 0-based; negative: no place text
    int outOfBounds; // 0 on the course, 1 on keep-out ground, 2 when the bike is behind the panel
    int laps;
    int playerX, playerY; // the player on the screen
};

// Nothing is drawn in Free ride.
void drawHud(Surface* target, HudCommand command, const HudValues& values);
// How far the HUD is pushed off the screen edges now.
int hudSlide();
// The minimap's current alpha (100..255), for the race view's tests.
int hudMapAlpha();
