// For review: one 640 x 480 frame of each terrain as the race shows it,
// a few seconds after the start with the field on it, written as
// Review/race%d.png (the track number).
#pragma once
#include "bake/bake.h"

bool bakeRaceFrames(const BakeTarget& out);
