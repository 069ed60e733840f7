#include "fuzz_support.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/trig.h"
#include "platform/headless.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

static std::string base;

// The baked data set: FUZZ_GAME_DIR when set, else the build's.
static std::string bakedBase() {
    const char* dir = getenv("FUZZ_GAME_DIR");
    std::string b = dir && *dir ? dir : FUZZ_BAKED_GAME_DIR;
    return b.back() == '/' ? b : b + "/";
}

static void linkFolder(const std::string& from, const std::string& to) {
    fs::create_directories(to);
    std::error_code ignored;
    for (const fs::directory_entry& e : fs::directory_iterator(from, ignored))
        if (e.is_regular_file()) fs::create_symlink(e.path(), to + e.path().filename().string(), ignored);
}

static void removeFolder() {
    std::error_code ignored;
    if (!base.empty()) fs::remove_all(base, ignored);
}

void fuzzSetUp() {
    if (!base.empty()) return;
    // The game's writers sync every file: a memory-backed TMPDIR keeps the
    // player-file targets from waiting on the disk.
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kvfuzzXXXXXX";
    if (!mkdtemp(pattern.data())) abort();
    base = pattern + "/";
    atexit(removeFolder);
    std::string baked = bakedBase();
    linkFolder(baked + "Data/", base + "Data/");
    linkFolder(baked + "Sound/", base + "Sound/");
    snprintf(baseFolder, sizeof baseFolder, "%s", base.c_str());
    snprintf(dataFolder, sizeof dataFolder, "%sData/", base.c_str());
    snprintf(soundFolder, sizeof soundFolder, "%sSound/", base.c_str());
    headlessReset();
    platformUse(headlessBackend());
    buildTrigTables();
    if (!framebuffer) framebuffer = createSurface(640, 480);
}

const std::string& fuzzBase() { return base; }

std::string fuzzWriteData(const char* name, const uint8_t* data, size_t size, bool sound) {
    std::string path = base + (sound ? "Sound/" : "Data/") + name;
    unlink(path.c_str());
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) abort();
    if (size && fwrite(data, 1, size, f) != size) abort();
    fclose(f);
    return path;
}

void fuzzRemoveData(const char* name) { unlink((base + "Data/" + name).c_str()); }

void fuzzLoadFonts() {
    static Surface* strips[2];
    if (fontSlots[0]) return;
    loadPicture("c_neopolitical.png", &strips[0]);
    loadPicture("c_neopolitical-s.png", &strips[1]);
    loadFont(strips[0], 0, 26);
    loadFontWithBaseline(strips[1], 1, 18, 7);
}
