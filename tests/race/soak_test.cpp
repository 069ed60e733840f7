// An hour of racing (make soak) or five minutes (make test): every race
// level in turn, ridden by the computer and the bot, each run raced again
// once and then quit for the next level, the result stored each time.
// Memory must stay flat, no rider may stall, every file must read back.
#include "race/race.h"
#include "race/runner.h"
#include "gfx/trig.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "player/scores.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "support/game_fixture.h"
#include "world/levels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const uint32_t STALL_LIMIT = 80 * 60; // a minute without a checkpoint is stuck
const long MAX_GROWTH = 1 << 20;
const int QUICK_LEVELS = 3;

long residentBytes() {
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    fclose(f);
    return resident * sysconf(_SC_PAGESIZE);
}

double soakMinutes() {
    const char* m = getenv("SOAK_RACE_MINUTES");
#ifdef __SANITIZE_ADDRESS__
    return m ? atof(m) : 1; // the sanitizers' shadow memory makes it slow, and its size meaningless
#else
    return m ? atof(m) : 5;
#endif
}

// Race again: the same level rebuilt, ridden until the bot's run ends.
uint32_t raceAgain() {
    if (!restartRace()) return 0;
    playerIsBot = true;
    beginRace();
    while (raceClock < RUN_TICK_LIMIT && !stepRace()) frameCount++;
    playerIsBot = false;
    return raceClock;
}

} // namespace

TEST(Soak, EveryRaceLevelInTurnWithFlatMemory) {
    GameDir dir;
    ASSERT_TRUE(dir.copyBakedData());
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof saved);
    snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
    buildTrigTables();
    initRiders();
    ASSERT_EQ(createRider("Soak", 1, 2), 1);
    selectRider(0);

    uint64_t target = (uint64_t)(soakMinutes() * 60 * 80), raced = 0;
    // A short soak keeps to the first levels, so that it goes round them
    // more than once; memory is compared once every terrain was loaded.
    int levels = soakMinutes() >= 60 ? LEVELS_PER_TYPE : QUICK_LEVELS;
    long afterFirst = 0, afterLast = 0;
    for (unsigned run = 0; raced < target; run++) {
        int level = run % levels;
        currentLevel = level;
        ASSERT_TRUE(loadRunnerLevel(level));
        RunReport r = runRace(level, run + 1, PLAYER_BOT);
        ASSERT_TRUE(r.raced) << "level " << level;
        for (size_t i = 0; i < r.report.size(); i++)
            ASSERT_LT(r.report[i].longestStall, STALL_LIMIT) << "level " << level << " rider " << i;
        raced += r.ticks + raceAgain();
        releaseRace(); // Quit Race
        int score = r.report[0].finished ? 1 + (int)(run % MAX_BEST) : 0;
        if (score > riderBest(level)) storeBest(score, level);
        enterHighScore(riderName(0), riderTotal(GAME_RACE), riderNumber(0));
        uint8_t stored = riderTable.bests[0][level];
        initRiders();
        ASSERT_EQ(loadRiders(), 1) << "the riders file reads back";
        selectRider(0);
        ASSERT_EQ(riderTable.bests[0][level], stored);
        loadHighScores();
        EXPECT_EQ(highScoreEntry(0).score, riderTotal(GAME_RACE));
        if ((int)run == levels - 1) afterFirst = residentBytes();
        afterLast = residentBytes();
    }
    memcpy(dataFolder, saved, sizeof dataFolder);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(afterLast - afterFirst, MAX_GROWTH) << "resident memory after the first level and after the last";
#endif
    printf("soak: %.1f minutes of race time, resident %ld -> %ld KiB\n", raced / 80.0 / 60, afterFirst / 1024,
           afterLast / 1024);
}
