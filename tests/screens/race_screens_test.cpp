// The race on screen through the real loop: the loading screen, the
// countdown, a race ridden by the bot, the results and what they store,
// the ways out of a run, and the HUD's edge cases.
#include "screens/menu_fixture.h"
#include "player/highscores.h"
#include "gfx/trig.h"
#include "race/control.h"
#include "race/get_ready.h"
#include "race/ghost.h"
#include "screens/race_view.h"
#include "race/race.h"
#include "race/score.h"
#include "screens/assets.h"
#include "screens/hud.h"
#include "support/bytes.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/track.h"

#include <cstring>
#include <malloc.h>

namespace {

const char HIGH_SCORE_FILE[] = "Kelvarostrindamuxelor.dat";
const int COUNTDOWN_TICKS = 4 * 80;

class RaceScreens : public MenuGame {
protected:
    void SetUp() override {
        MenuGame::SetUp();
        ASSERT_EQ(createRider("Ace", 2, 3), 1);
        selectRider(0);
        currentRider = 0;
    }
    void TearDown() override {
        playerIsBot = false;
        MenuGame::TearDown();
    }
    // What level selection hands on, then the loading screen.
    void load(int level) {
        gameType = levelGameType(level);
        currentLevel = levelChoice = level;
        goTo(MODE_LEVEL_LOADING, 1);
        keepFrame("loading.png"); // the screen with its full bar
        runPasses(1);
        // A free ride has no countdown.
        ASSERT_EQ(currentMode, gameType == GAME_FREE_RIDE ? MODE_RACE : MODE_GET_READY) << "level " << level;
    }
    // Any key released starts the countdown; the race follows it.
    void startRace() {
        if (currentMode == MODE_RACE) return;
        key(KEY_SPACE, 1);
        for (int i = 0; i < COUNTDOWN_TICKS + 4 && currentMode == MODE_GET_READY; i++) runPasses(1);
        ASSERT_EQ(currentMode, MODE_RACE);
    }
    void raceToResults(int limit) {
        for (int i = 0; i < limit && currentMode == MODE_RACE; i++) runPasses(1);
        ASSERT_EQ(currentMode, MODE_RESULTS);
    }
    Bytes file(const char* name) const { return readBytes(dir.data(name)); }
};

// Level 0 from its loading screen to the results, the bot riding the
// player: the countdown waits for a key and beeps a second apart, the best
// and the high-score entry reach the files exactly, and Quit Race leads
// back to the levels.
TEST_F(RaceScreens, ABotRaceOfLevelZeroStoresWhatItEarned) {
    playerIsBot = true;
    load(0);
    runPasses(100);
    EXPECT_EQ(countdown, COUNTDOWN_FROM) << "nothing starts before a key is released";
    keepFrame("race_get_ready.png");
    key(KEY_SPACE, 1);
    int beeps[COUNTDOWN_FROM] = {}, seen = 0, last = countdown;
    for (int pass = 1; currentMode == MODE_GET_READY && pass < COUNTDOWN_TICKS + 10; pass++) {
        runPasses(1);
        if (countdown != last && seen < COUNTDOWN_FROM) beeps[seen++] = pass;
        last = countdown;
        if (pass == 100) keepFrame("race_countdown.png");
    }
    ASSERT_EQ(seen, COUNTDOWN_FROM);
    for (int i = 1; i < COUNTDOWN_FROM; i++) EXPECT_EQ(beeps[i] - beeps[i - 1], 80) << "beep " << i;
    ASSERT_EQ(currentMode, MODE_RACE);
    runPasses(40);
    keepFrame("race_go.png");
    runPasses(1200);
    keepFrame("race_running.png");
    raceToResults(80 * 400);
    keepFrame("race_results_first.png");
    const RaceRider* player = raceRiders[0];
    ASSERT_TRUE(player->finished);
    int score = placePoints(playerPlace(), riderCount, true) +
                raceTimePoints(player->progressTime, raceLevel.par, true);
    runPasses(300);
    keepFrame("race_results.png");
    Bytes riders = file("riders.dat");
    ASSERT_EQ(riders.size(), (size_t)RIDERS_FILE_BYTES);
    EXPECT_EQ(riders[0], score) << "the best of level 0 for rider 0";
    Bytes table = file(HIGH_SCORE_FILE);
    ASSERT_GE(table.size(), 25u);
    char entry[26] = {};
    snprintf(entry + 2, 24, "Ace");
    entry[1] = 1; // the first rider's number
    snprintf(entry + 20, 5, "%4d", score);
    EXPECT_EQ(0, memcmp(table.data(), entry, 25)) << "the career total heads the table";
    clickResultsButton(false);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_EQ(riderCount, 0) << "Quit Race frees the riders";
    EXPECT_EQ(file("riders.dat"), riders) << "stored once";
}

// A best run leaves its ghost: the next run of the level rides it back
// tick for tick from the start signal, its dot on the minimap, and G hides
// and shows it.
TEST_F(RaceScreens, ABestRunRidesBackAsAGhost) {
    playerIsBot = true;
    EXPECT_TRUE(file("ghost-1-0.dat").empty());
    load(0);
    startRace();
    raceToResults(80 * 400);
    std::vector<GhostFrame> run;
    for (int i = 0; i < recordedGhostTicks(); i++) run.push_back(*recordedGhostFrame(i));
    ASSERT_GT(run.size(), 1000u);
    runPasses(2); // the results store the run as they open
    EXPECT_EQ(file("ghost-1-0.dat").size(), (size_t)ghostFileSize((int)run.size()));
    clickResultsButton(true);
    startRace();
    for (size_t tick = 0; tick < 1500; tick++) {
        runPasses(1);
        ASSERT_EQ(currentMode, MODE_RACE);
        const GhostFrame* g = ghostOnThisTick();
        ASSERT_NE(g, nullptr) << tick;
        ASSERT_EQ(0, memcmp(g, &run[raceClock - 1], sizeof *g)) << "tick " << raceClock - 1;
        if (tick == 600) keepFrame("race_ghost.png");
        if (tick == 1000) playerIsBot = false; // the player lets go; the ghost rides on
        if (tick == 1100) keepFrame("race_ghost_ahead.png");
    }
    key('G', 1);
    EXPECT_EQ(ghostOnThisTick(), nullptr);
    key('G', 1);
    EXPECT_NE(ghostOnThisTick(), nullptr);
}

// A stunt run driven onto keep-out ground ends at once, scores nothing and
// writes nothing; Escape in a race gives zero points and the scene behind
// the results slows to a standstill.
TEST_F(RaceScreens, RunsThatEndEarlyStoreNothing) {
    Bytes riders = file("riders.dat"), table = file(HIGH_SCORE_FILE);
    load(LEVEL_TYPE_STEP);
    startRace();
    int kx = -1, ky = -1;
    for (int y = 40; y < WORLD_SIZE - 40 && kx < 0; y += 4)
        for (int x = 40; x < WORLD_SIZE - 40 && kx < 0; x += 4)
            if (keepoutAt(&track, x, y)) kx = x, ky = y;
    ASSERT_GE(kx, 0) << "the stunt level has keep-out ground";
    placeRider(raceRiders[0], kx, ky);
    runPasses(3);
    ASSERT_EQ(currentMode, MODE_RESULTS);
    runPasses(200);
    keepFrame("stunt_keepout_results.png");
    EXPECT_EQ(riderBest(LEVEL_TYPE_STEP), 0);
    EXPECT_EQ(file("riders.dat"), riders);
    EXPECT_EQ(file(HIGH_SCORE_FILE), table);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);

    load(0);
    startRace();
    runPasses(300);
    key(KEY_ESCAPE);
    ASSERT_EQ(currentMode, MODE_RESULTS);
    runPasses(80);
    int32_t x = raceRiders[0]->x, y = raceRiders[0]->y;
    runPasses(200);
    EXPECT_EQ(raceRiders[0]->x, x) << "the quitting player's bike has stopped";
    EXPECT_EQ(raceRiders[0]->y, y);
    EXPECT_EQ(riderBest(0), 0);
    EXPECT_EQ(file("riders.dat"), riders);
    keepFrame("race_quit_results.png");
}

// A race on a pad alone: A released starts the countdown, the right
// trigger drives and the stick steers up the screen the way the held
// pointer would, Start ends the run, and on the results the stick moves an
// arrow for the pointer and Start leads back to the levels.
TEST_F(RaceScreens, APadRidesARaceAndLeavesIt) {
    headlessPadConnect(true);
    load(0);
    headlessPadButton(PAD_A, true);
    headlessPadButton(PAD_A, false);
    runPasses(2);
    EXPECT_TRUE(raceStarted);
    for (int i = 0; i < COUNTDOWN_TICKS + 4 && currentMode == MODE_GET_READY; i++) runPasses(1);
    ASSERT_EQ(currentMode, MODE_RACE);
    headlessPadButton(PAD_RIGHT_TRIGGER, true);
    headlessPadStick(0, -PAD_AXIS_MAX);
    runPasses(160);
    EXPECT_TRUE(raceControls.accelerate);
    EXPECT_TRUE(raceControls.stickHeld);
    EXPECT_GT(raceRiders[0]->speed, 0);
    EXPECT_EQ(raceRiders[0]->targetHeading, headingTo(0, 0, 0, -2 * PAD_AXIS_MAX));
    keepFrame("pad_race.png");
    headlessPadStick(0, 0);
    headlessPadButton(PAD_RIGHT_TRIGGER, false);
    headlessPadButton(PAD_START, true);
    headlessPadButton(PAD_START, false);
    runPasses(3);
    ASSERT_EQ(currentMode, MODE_RESULTS);
    runPasses(200);
    headlessPadStick(PAD_AXIS_MAX, PAD_AXIS_MAX);
    runPasses(20);
    headlessPadStick(0, 0);
    runPasses(2);
    keepFrame("pad_results.png");
    headlessPadButton(PAD_START, true);
    headlessPadButton(PAD_START, false);
    runPasses(3);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
}

// Race again rebuilds the race with the same bikes and one copy of the
// layout; twenty rounds of Race again and Quit Race leave memory flat.
TEST_F(RaceScreens, RaceAgainKeepsTheBikesAndMemoryStaysFlat) {
    load(0);
    VoxelModel* models[MAX_RACE_RIDERS] = {};
    int riders = riderCount, checkpoints = raceLayout->checkpointCount;
    for (int i = 0; i < riders; i++) models[i] = raceRiders[i]->model;
    size_t settled = 0, now = 0;
    for (int round = 0; round < 20; round++) {
        startRace();
        key(KEY_ESCAPE);
        ASSERT_EQ(currentMode, MODE_RESULTS);
        runPasses(80);
        clickResultsButton(round % 2 == 0);
        if (round % 2 == 0) {
            ASSERT_EQ(currentMode, MODE_GET_READY);
            ASSERT_EQ(riderCount, riders);
            EXPECT_EQ(raceLayout->checkpointCount, checkpoints) << "the layout is not loaded twice";
            for (int i = 0; i < riders; i++) EXPECT_EQ(raceRiders[i]->model, models[i]) << "rider " << i;
        } else {
            ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
            // Heap in use with the level just loaded again, from round 3 on.
            if (round == 3) settled = mallinfo2().uordblks;
            if (round == 19) now = mallinfo2().uordblks;
            load(0);
            for (int i = 0; i < riders; i++) models[i] = raceRiders[i]->model;
        }
    }
    EXPECT_LT(now, settled + 16 * 1024) << "twenty rounds leak nothing";
}

// Free ride: no HUD is ever drawn and Escape goes straight to the levels.
TEST_F(RaceScreens, FreeRideHasNoHudAndNoResults) {
    load(2 * LEVEL_TYPE_STEP);
    startRace();
    runPasses(200);
    keepFrame("free_ride.png");
    Surface* probe = createSurface(64, 64);
    fillSurface(probe, 0);
    drawHud(probe, HUD_DRAW, HudValues{100, 1, 0, 0, 3, 10, 10});
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) ASSERT_EQ(getPixel(probe, x, y), 0);
    destroySurface(&probe);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_EQ(riderCount, 0);
}

// The HUD's edges: the minute field appears at 4800 ticks, not 4799; the
// lap box needs two laps and the place box two riders; the minimap fades
// under the bike to 100 and comes back at 32 a frame.
TEST_F(RaceScreens, HudEdgeCases) {
    load(0);
    gameType = GAME_RACE;
    Surface* a = createSurface(640, 480);
    Surface* b = createSurface(640, 480);
    auto differs = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++)
                if (getPixel(a, x, y) != getPixel(b, x, y)) return true;
        return false;
    };
    auto draw = [&](Surface* s, HudValues v) {
        fillSurface(s, 0);
        drawHud(s, HUD_RESET, v);
        for (int i = 0; i < 12; i++) drawHud(s, HUD_SLIDE_IN, v);
        fillSurface(s, 0);
        drawHud(s, HUD_DRAW, v);
    };
    int minutesRight = 640 - 5 - textWidth(":00", 0) - textWidth("00", 0);
    HudValues v{0, 1, 0, 0, 3, 320, 400};
    draw(a, v);
    v.time = 4799;
    draw(b, v);
    EXPECT_FALSE(differs(440, 0, minutesRight, 60)) << "no minute field before 4800 ticks";
    v.time = 4800;
    draw(b, v);
    EXPECT_TRUE(differs(440, 0, minutesRight, 60)) << "the minute field at 4800";

    int boxTop = 480 - (hudLap ? hudLap->height : 40);
    v = HudValues{0, 1, 0, 0, 1, 320, 400};
    draw(a, v);
    v.laps = 2;
    draw(b, v);
    EXPECT_TRUE(differs(480, boxTop, 640, 480)) << "two laps show the lap box";
    fillSurface(b, 0);
    EXPECT_FALSE(differs(480, boxTop, 640, 480)) << "one lap shows none";
    int riders = riderCount;
    riderCount = 1;
    draw(a, v);
    riderCount = riders;
    draw(b, v);
    EXPECT_TRUE(differs(0, boxTop, 160, 480)) << "the place box needs two riders";
    fillSurface(b, 0);
    EXPECT_FALSE(differs(0, boxTop, 160, 480)) << "one rider shows none";

    v = HudValues{0, 1, 0, 0, 3, 20, 20};
    for (int i = 0; i < 9; i++) drawHud(a, HUD_DRAW, v);
    EXPECT_EQ(hudMapAlpha(), 255 - 9 * 16);
    drawHud(a, HUD_DRAW, v);
    EXPECT_EQ(hudMapAlpha(), 100);
    v.playerX = 400;
    drawHud(a, HUD_DRAW, v);
    EXPECT_EQ(hudMapAlpha(), 132);
    destroySurface(&a);
    destroySurface(&b);
}

} // namespace
