// The computer's riding: throttle up in a staggered start, follow one of
// the level's race paths node by node, and steer toward the next node by
// an eighth of the remaining angle per tick. It never brakes or leans.
#pragma once
#include "race/rider.h"
#include "world/geometry.h"

const int AI_STAGGER_TICKS = 96; // before this the riders pull away at random moments

// The path the rider follows, or null when the layout has no usable one
// (a path needs two nodes to lead anywhere).
const Polygon* riderPath(const RaceRider* r);
// The usable path whose first node is nearest to whole units (x, y); 0
// when there is none.
int nearestPath(int x, int y);
void steerAiRider(RaceRider* r);
// The computer's steering with one thing of a careful rider's own: it
// lifts the throttle before a bend sharper than it can take at its speed.
void steerBotRider(RaceRider* r);
