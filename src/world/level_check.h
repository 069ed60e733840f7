// The level check: loads a level's files from the data folder the way the
// game does (description, layout, the three terrain pictures, the track
// build) and reports everything that would spoil the level, one message
// per problem. The levelcheck tool, the bake and the level editor share it;
// the editor checks the layout it holds against the level's other files.
#pragma once
#include "gfx/surface.h"
#include "world/description.h"
#include "world/layout.h"

#include <string>
#include <vector>

// Rules a playable level keeps.
const int MAX_LEVEL_LAPS = 20;
const int MAX_PAR_SECONDS = 3600;
const int MAX_NODE_GAP = 400;       // world units a computer rider can follow in a straight line
const int MAX_START_OFF_COURSE = 160; // world units from the nearest checkpoint or race path
const int CAMERA_VIEW_SIDE = 640;   // the view is 640 x 480, or 480 x 640 turned

// Checks level N in dataFolder. Appends a message per problem and returns
// true when there were none.
bool checkLevel(int level, std::vector<std::string>* problems);

// What the check of a level needs besides its layout, read once per level.
struct LevelCheckBase {
    int level;
    LevelDescription description; // as the level entry reads it
    bool opponentsInRange;        // as written; the reader clamps the count
    Surface* heights;             // the height model as loaded, unbuilt; null when the pictures are unusable
    std::vector<std::string> problems; // of the description and the pictures
};
// Reads level N's description and pictures and checks them. The game's
// level description is left as it was.
void prepareLevelCheck(LevelCheckBase* base, int level);
void releaseLevelCheck(LevelCheckBase* base);
// The course of `layout` (start point, grid, checkpoints, race paths) on
// the base's level; appends a message per problem.
void checkLayout(const LevelCheckBase* base, const LevelLayout* layout, std::vector<std::string>* problems);
