// Shared by the race's own files.
#pragma once
#include "race/rider.h"

// The checkpoint rules for rider r entering checkpoint n (1..count).
void takeCheckpoint(RaceRider* r, int n);
// Whether rider r is the player's.
bool isPlayer(const RaceRider* r);
// Every fourth tick, rider i against the riders after it: the first one
// it touches knocks one of the two down.
void collideRider(int i);
