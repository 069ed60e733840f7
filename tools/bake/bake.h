// The bake: every generator writes its files below the game folder.
// Output is deterministic: the same bytes on every run.
#pragma once
#include <string>

struct BakeTarget {
    std::string data;  // ".../Data/"
    std::string sound; // ".../Sound/"
};

bool bakeFonts(const BakeTarget& out);
bool bakePictures(const BakeTarget& out);
bool bakeSounds(const BakeTarget& out);
bool bakeModels(const BakeTarget& out);
bool bakeLevels(const BakeTarget& out);
