// levelcheck [-d DATA_FOLDER] LEVEL...: checks levels as the game would
// load them, from ./Data/ or the folder given. Exit status 0 when every
// level is sound, 1 when any has a problem, 2 on a usage error.
#include "world/level_check.h"
#include "platform/headless.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static int usage() {
    fputs("usage: levelcheck [-d DATA_FOLDER] LEVEL...\n", stderr);
    return 2;
}

static bool parseLevel(const char* text, int* level) {
    char* end;
    long v = strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < 0 || v > 100000) return false;
    *level = (int)v;
    return true;
}

int main(int argc, char** argv) {
    // Nothing is shown on a screen; a picture the loaders could not find
    // would otherwise want a message box.
    platformUse(headlessBackend());
    snprintf(dataFolder, sizeof dataFolder, "Data/");
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "-d") == 0) {
        size_t n = strlen(argv[2]);
        if (n == 0 || n + 2 > sizeof dataFolder) return usage();
        snprintf(dataFolder, sizeof dataFolder, "%s%s", argv[2], argv[2][n - 1] == '/' ? "" : "/");
        first = 3;
    }
    if (first >= argc) return usage();
    std::vector<int> levels;
    for (int i = first; i < argc; i++) {
        int level;
        if (!parseLevel(argv[i], &level)) return usage();
        levels.push_back(level);
    }
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
