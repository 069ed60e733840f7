// The level check: loads a level's files from the data folder the way the
// game does (description, layout, the three terrain pictures, the track
// build) and reports everything that would spoil the level, one message
// per problem.
#pragma once
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
