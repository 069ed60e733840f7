// The bake: every generator writes its files below the game folder.
// Output is deterministic: the same bytes on every run.
#pragma once
#include <string>

struct BakeTarget {
    std::string data;   // ".../Data/"
    std::string sound;  // ".../Sound/"
    std::string review; // ".../Review/": pictures for people to look at; none when empty
};

bool bakeFonts(const BakeTarget& out);
bool bakePictures(const BakeTarget& out);
bool bakeSounds(const BakeTarget& out);
bool bakeModels(const BakeTarget& out);
// The terrains and the level files, each level then checked as the game
// would load it; the first step alone writes the files unchecked.
bool bakeLevels(const BakeTarget& out);
bool bakeTerrainsAndLevelFiles(const BakeTarget& out);

// The whole data set into gameDir's Data/ and Sound/, made when missing:
// every step above in turn (fonts, pictures, sounds, models, levels), as
// the bake program runs it. False, naming the step on stderr, at the
// first that fails.
bool bakeGameData(const std::string& gameDir);
