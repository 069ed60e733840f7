// The terrains of the data set: their looks and their courses. Levels
// share them (level_set.h names each level's track).
#pragma once
#include "bake/heightfield.h"

#include <vector>

const std::vector<TerrainPlan>& terrainSet();
// The terrain with this track number, or null.
const TerrainPlan* findTerrain(int number);
