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

bool GameDir::copyBakedData() const {
    if (!holdsADataSet(bakedGameBase())) return false;
    fs::copy(bakedDataFolder(), base_ + "Data", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
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
