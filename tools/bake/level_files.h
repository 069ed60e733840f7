// A level's two files: the description "level%d.txt" and the layout
// "level%d.lvl", written into the data folder.
#pragma once
#include "bake/level_set.h"
#include "world/layout.h"

#include <string>

// The description's records, as the game reads them.
std::string levelDescriptionText(const LevelPlan& level, int par);
bool writeLevelFiles(const std::string& dataFolder, const LevelPlan& level, int par, const LevelLayout* layout);
