// A level's layout made from its terrain's course: the start point facing
// along the course, checkpoints across it in riding order, the computer
// riders' race paths in lanes along it, and for stunt levels the keep-out
// ground either side of a corridor.
#pragma once
#include "bake/heightfield.h"
#include "bake/level_set.h"
#include "world/layout.h"

// How far the first checkpoint (the start/finish line) lies ahead of the
// start point, and the spacing of race-path nodes.
const double START_LINE_AHEAD = 64;
const double PATH_NODE_SPACING = 96;

// The layout of `level` on `terrain` (whose height field is `field`);
// null when memory runs out. The caller destroys it.
LevelLayout* buildLevelLayout(const LevelPlan& level, const TerrainPlan& terrain, const HeightField& field);
