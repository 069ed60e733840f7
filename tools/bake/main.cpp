// bake GAME_DIR: writes the whole default data set.
#include "bake/bake.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        fputs("usage: bake GAME_DIR\n", stderr);
        return 2;
    }
    BakeTarget out{std::string(argv[1]) + "/Data/", std::string(argv[1]) + "/Sound/"};
    std::filesystem::create_directories(out.data);
    std::filesystem::create_directories(out.sound);
    struct Step {
        const char* name;
        bool (*run)(const BakeTarget&);
    } steps[] = {{"fonts", bakeFonts}, {"pictures", bakePictures}, {"sounds", bakeSounds},
                 {"models", bakeModels}, {"levels", bakeLevels}};
    for (const Step& step : steps) {
        if (!step.run(out)) {
            fprintf(stderr, "bake: the %s failed\n", step.name);
            return 1;
        }
    }
    return 0;
}
