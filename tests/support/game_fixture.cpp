#include "support/game_fixture.h"
#include "support/baked_data.h"
#include "platform/headless.h"
#include "game.h"
#include "shell/loop.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

GameDir::GameDir() {
    char pattern[] = "/tmp/kvgameXXXXXX";
    base_ = std::string(mkdtemp(pattern)) + "/";
    fs::create_directories(base_ + "Data");
    fs::create_directories(base_ + "Sound");
}

GameDir::~GameDir() {
    std::error_code ignored;
    fs::remove_all(base_, ignored);
}

// What a game played from the build's own folder leaves beside the data
// set; a test starts without any of it.
static bool isPlayerFile(const std::string& name) {
    for (const char* prefix : {"riders.dat", "settings.dat", "Kelvarostrindamuxelor.dat", "ghost-"})
        if (name.rfind(prefix, 0) == 0) return true;
    return false;
}

bool GameDir::copyBakedData() const {
    if (!holdsADataSet(bakedGameBase())) return false;
    for (const fs::directory_entry& e : fs::directory_iterator(bakedDataFolder()))
        if (!isPlayerFile(e.path().filename().string()))
            fs::copy(e.path(), base_ + "Data/" + e.path().filename().string(),
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy(bakedSoundFolder(), base_ + "Sound", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return true;
}

int startHeadlessGame(const GameDir& dir, uint32_t seed) {
    headlessReset();
    headlessSetSeed(seed);
    platformUse(headlessBackend());
    return gameStartup(dir.base().c_str());
}

bool stepPass(int64_t ticks) {
    headlessAdvance(ticks);
    return gameRunPass();
}

void runPasses(int passes) {
    for (int i = 0; i < passes; i++) stepPass(logicPeriod + 1);
}

void stopHeadlessGame() {
    quitRequested = 1;
    gameShutdown();
}
