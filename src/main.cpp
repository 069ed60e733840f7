// Entry point: picks the backend, finds the data, runs the game.
//   kelvarostrindamuxelor [--record FILE | --replay FILE]
#include "platform/headless.h"
#include "platform/sdl_backend.h"
#include "game.h"

#include <climits>
#include <cstdio>
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

// The working directory when it holds Data/, else the executable's folder.
static bool findBaseFolder(std::string* base) {
    if (hasDataFolder("./")) {
        *base = "./";
        return true;
    }
    std::string exe = executableFolder();
    if (!exe.empty() && hasDataFolder(exe)) {
        *base = exe;
        return true;
    }
    char cwd[PATH_MAX];
    fprintf(stderr, "No game data: looked for a Data folder in %s and in %s\n",
            getcwd(cwd, sizeof cwd) ? cwd : ".", exe.c_str());
    return false;
}

static int usage() {
    fputs("usage: kelvarostrindamuxelor [--record FILE | --replay FILE]\n", stderr);
    return 2;
}

static int replayRun(const char* path, const std::string& base) {
    platformUse(headlessBackend());
    if (!journalReplay(path)) {
        fprintf(stderr, "Cannot replay %s: not a journal file\n", path);
        return 1;
    }
    gameMain(base.c_str());
    int checked = journalFramesChecked(), differing = journalFramesDiffering();
    journalClose();
    printf("replay: %d frames checked, %d differ\n", checked, differing);
    return checked > 0 && differing == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    const char* recordPath = nullptr;
    const char* replayPath = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--record") == 0 && i + 1 < argc)
            recordPath = argv[++i];
        else if (strcmp(argv[i], "--replay") == 0 && i + 1 < argc)
            replayPath = argv[++i];
        else
            return usage();
    }
    std::string base;
    if (!findBaseFolder(&base)) return 1;
    if (replayPath) return replayRun(replayPath, base);

    platformUse(sdlBackend());
    if (recordPath && !journalRecord(recordPath)) {
        fprintf(stderr, "Cannot write the journal %s\n", recordPath);
        return 1;
    }
    int status = gameMain(base.c_str());
    journalClose();
    sdlQuit();
    return status;
}
