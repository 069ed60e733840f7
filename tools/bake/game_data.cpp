// The whole bake: every generator in turn into one game folder.
#include "bake/bake.h"
#include "bake/race_frames.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

bool bakeGameData(const std::string& gameDir) {
    std::string base = gameDir.empty() || gameDir.back() == '/' ? gameDir : gameDir + "/";
    BakeTarget out{base + "Data/", base + "Sound/", base + "Review/"};
    for (const std::string& folder : {out.data, out.sound, out.review}) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            fprintf(stderr, "bake: cannot make %s: %s\n", folder.c_str(), error.message().c_str());
            return false;
        }
    }
    struct Step {
        const char* name;
        bool (*run)(const BakeTarget&);
    } steps[] = {{"fonts", bakeFonts}, {"pictures", bakePictures}, {"sounds", bakeSounds},
                 {"models", bakeModels}, {"levels", bakeLevels}, {"race frames", bakeRaceFrames}};
    for (const Step& step : steps) {
        if (!step.run(out)) {
            fprintf(stderr, "bake: the %s failed\n", step.name);
            return false;
        }
    }
    return true;
}
