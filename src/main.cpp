// Entry point: picks the backend, finds the data, runs the game.
//   kelvarostrindamuxelor [--level N [--bot] | --editor [LEVEL]] [--record FILE | --replay FILE]
#include "platform/headless.h"
#include "platform/sdl_backend.h"
#include "game.h"
#include "race/get_ready.h"
#include "race/race.h"
#include "world/levels.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

static bool hasDataFolder(const std::string& base) {
    struct stat st;
    return stat((base + "Data").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static std::string executableFolder() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    path[n] = 0;
    char* slash = strrchr(path, '/');
    if (slash) slash[1] = 0;
    return path;
}

// Where an installed game keeps its data, from the executable's bin/.
static const char INSTALLED_DATA[] = "../share/kelvarostrindamuxelor/";

// The working directory when it holds Data/, else the executable's folder,
// else the installed data set beside it.
static bool findBaseFolder(std::string* base) {
    if (hasDataFolder("./")) {
        *base = "./";
        return true;
    }
    std::string exe = executableFolder();
    for (const std::string& folder : {exe, exe + INSTALLED_DATA}) {
        if (!exe.empty() && hasDataFolder(folder)) {
            *base = folder;
            return true;
        }
    }
    char cwd[PATH_MAX];
    fprintf(stderr, "No game data: looked for a Data folder in %s, in %s and in %s%s\n",
            getcwd(cwd, sizeof cwd) ? cwd : ".", exe.c_str(), exe.c_str(), INSTALLED_DATA);
    return false;
}

static int usage() {
    fputs("usage: kelvarostrindamuxelor [--level N [--bot] | --editor [LEVEL]] [--record FILE | --replay FILE]\n"
          "  --level N         start level N (0-19 race, 100-119 stunt, 200-204 free ride) at its loading screen\n"
          "  --bot             the computer rides the player's bike, starting the countdown itself\n"
          "  --editor [LEVEL]  open the level editor at LEVEL (0-299, default 0)\n",
          stderr);
    return 2;
}

// A level number, all digits; -1 when it names no level.
static int parseLevel(const char* text) {
    char* end = nullptr;
    long level = strtol(text, &end, 10);
    if (!*text || *end || level < 0 || level > INT_MAX || !isLevelNumber((int)level)) return -1;
    return (int)level;
}

// Any level number a file may carry, all digits; -1 otherwise.
static int parseEditorLevel(const char* text) {
    char* end = nullptr;
    long level = strtol(text, &end, 10);
    if (!*text || *end || level < 0 || level > HIGHEST_LEVEL_NUMBER) return -1;
    return (int)level;
}

// A run recorded with --level or --editor replays with the same option.
static int replayRun(const char* path, const std::string& base, Mode firstMode, int firstLevel) {
    platformUse(headlessBackend());
    if (!journalReplay(path)) {
        fprintf(stderr, "Cannot replay %s: not a journal file\n", path);
        return 1;
    }
    gameMain(base.c_str(), firstMode, firstLevel);
    int checked = journalFramesChecked(), differing = journalFramesDiffering();
    journalClose();
    printf("replay: %d frames checked, %d differ\n", checked, differing);
    return checked > 0 && differing == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    const char* recordPath = nullptr;
    const char* replayPath = nullptr;
    int firstLevel = NO_FIRST_LEVEL;
    Mode firstMode = MODE_INTRO;
    bool levelGiven = false;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--level") == 0 && i + 1 < argc && !levelGiven) {
            firstLevel = parseLevel(argv[++i]);
            if (firstLevel < 0) return usage();
            levelGiven = true;
        } else if (strcmp(argv[i], "--editor") == 0 && !levelGiven) {
            firstMode = MODE_EDITOR;
            firstLevel = 0;
            // the level is optional: a following option is not one
            if (i + 1 < argc && strncmp(argv[i + 1], "--", 2) != 0) firstLevel = parseEditorLevel(argv[++i]);
            if (firstLevel < 0) return usage();
            levelGiven = true;
        } else if (strcmp(argv[i], "--bot") == 0) {
            playerIsBot = countdownStartsItself = true;
        } else if (strcmp(argv[i], "--record") == 0 && i + 1 < argc)
            recordPath = argv[++i];
        else if (strcmp(argv[i], "--replay") == 0 && i + 1 < argc)
            replayPath = argv[++i];
        else
            return usage();
    }
    std::string base;
    if (!findBaseFolder(&base)) return 1;
    if (replayPath) return replayRun(replayPath, base, firstMode, firstLevel);

    platformUse(sdlBackend());
    if (recordPath && !journalRecord(recordPath)) {
        fprintf(stderr, "Cannot write the journal %s\n", recordPath);
        return 1;
    }
    int status = gameMain(base.c_str(), firstMode, firstLevel);
    journalClose();
    sdlQuit();
    return status;
}
