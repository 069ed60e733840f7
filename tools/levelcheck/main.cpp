// levelcheck [--ride] [-d DATA_FOLDER] [--seeds N] LEVEL...: checks levels
// as the game would load them, from ./Data/ or the folder given; --ride
// rides them with the computer instead. Exit status 0 when every level is
// sound, 1 when any has a problem, 2 on a usage error.
#include "world/level_check.h"
#include "race/ride_check.h"
#include "gfx/trig.h"
#include "platform/headless.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static int usage() {
    fputs("usage: levelcheck [--ride] [-d DATA_FOLDER] [--seeds N] LEVEL...\n", stderr);
    return 2;
}

static bool parseLevel(const char* text, int* level) {
    char* end;
    long v = strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < 0 || v > 100000) return false;
    *level = (int)v;
    return true;
}

static int rideLevels(const std::vector<int>& levels, int seeds) {
    buildTrigTables();
    std::vector<RideResult> results;
    int failed = 0;
    for (int level : levels) {
        RideResult r = rideCheckLevel(level, seeds);
        printf("%s\n", r.line.c_str());
        fflush(stdout);
        failed |= !r.sound;
        results.push_back(r);
    }
    std::vector<std::string> problems;
    if (!parsTighten(results, &problems)) failed = 1;
    for (const std::string& p : problems) printf("%s\n", p.c_str());
    return failed;
}

int main(int argc, char** argv) {
    // Nothing is shown on a screen; a picture the loaders could not find
    // would otherwise want a message box.
    platformUse(headlessBackend());
    snprintf(dataFolder, sizeof dataFolder, "Data/");
    bool ride = false;
    int seeds = DEFAULT_RIDE_SEEDS;
    std::vector<int> levels;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--ride") == 0) {
            ride = true;
        } else if (strcmp(argv[i], "--seeds") == 0 && i + 1 < argc) {
            if (!parseLevel(argv[++i], &seeds) || seeds < 1) return usage();
        } else if (strcmp(argv[i], "-d") == 0 && i + 1 < argc) {
            const char* folder = argv[++i];
            size_t n = strlen(folder);
            if (n == 0 || n + 2 > sizeof dataFolder) return usage();
            snprintf(dataFolder, sizeof dataFolder, "%s%s", folder, folder[n - 1] == '/' ? "" : "/");
        } else {
            int level;
            if (!parseLevel(argv[i], &level)) return usage();
            levels.push_back(level);
        }
    }
    if (levels.empty()) return usage();
    if (ride) return rideLevels(levels, seeds);
    int failed = 0;
    for (int level : levels) {
        std::vector<std::string> problems;
        if (checkLevel(level, &problems)) {
            printf("level %d: ok\n", level);
            continue;
        }
        failed = 1;
        for (const std::string& p : problems) printf("level %d: %s\n", level, p.c_str());
    }
    return failed;
}
