#include "support/baked_data.h"

#include <cstdlib>
#include <filesystem>

std::string bakedGameBase() {
    const char* game = getenv("GAME_DIR");
    std::string base = game && *game ? game : BAKED_GAME_DIR;
    return base.back() == '/' ? base : base + "/";
}

std::string bakedDataFolder() { return bakedGameBase() + "Data/"; }
std::string bakedSoundFolder() { return bakedGameBase() + "Sound/"; }

::testing::AssertionResult holdsADataSet(const std::string& base) {
    std::error_code error;
    for (const char* folder : {"Data", "Sound"})
        if (!std::filesystem::is_directory(std::filesystem::path(base) / folder, error))
            return ::testing::AssertionFailure()
                   << "no baked data set: " << base << " has no " << folder
                   << "/ folder (the build bakes it: make build, or cmake --build build --target game_data)";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult bakedDataSetPresent() { return holdsADataSet(bakedGameBase()); }
