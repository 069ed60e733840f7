// The data set the build baked (build/game/Data and Sound): the tests of the
// data set read it there instead of baking their own copy. Nothing may be
// written below it; a test that needs to write uses its own GameDir.
#pragma once
#include <gtest/gtest.h>

#include <string>

// The baked game folder, ending with '/': GAME_DIR, which every test
// program sets to the build's folder (BAKED_GAME_DIR) unless given another.
std::string bakedGameBase();
std::string bakedDataFolder();  // bakedGameBase() + "Data/"
std::string bakedSoundFolder(); // bakedGameBase() + "Sound/"
// Success when `base` holds a Data/ and a Sound/ folder; otherwise a failure
// that names the folder and says how to bake it.
::testing::AssertionResult holdsADataSet(const std::string& base);
// holdsADataSet(bakedGameBase()), for fixtures to ASSERT.
::testing::AssertionResult bakedDataSetPresent();
