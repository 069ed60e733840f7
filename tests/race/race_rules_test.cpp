#include "race/race_local.h"
#include "race/score.h"
#include "race_fixture.h"

typedef RaceTest RaceRulesTest;

TEST_F(RaceRulesTest, RidersTouchBelowTwentyUnitsAndTwoStoppedOnesNever) {
    struct Case {
        int apart, above, speedA, speedB;
        bool knocked;
    } cases[] = {
        {19, 0, 5, 0, true}, {20, 0, 5, 0, false}, {0, 19, 0, 5, true}, {0, 20, 0, 5, false}, {5, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        RaceRider* a = addRider(1000, 1000);
        RaceRider* b = addRider(1000 + c.apart, 1000);
        b->z += c.above * FIXED_ONE;
        a->speed = c.speedA;
        b->speed = c.speedB;
        collideRider(0);
        EXPECT_EQ(a->crashed || b->crashed, c.knocked) << c.apart << " " << c.above;
        EXPECT_FALSE(a->crashed && b->crashed);
        releaseRace();
    }
}

TEST_F(RaceRulesTest, CheckpointsCountInOrderOrOnceEachInAnyOrder) {
    struct Case {
        int levelType;
        std::vector<int> taken;
        int progress, lap;
    } cases[] = {
        {0, {1, 3, 2, 3}, 3, 1},          // 3 before 2 counts nothing
        {0, {1, 2, 3, 1, 2}, 5, 2},       // back at 1 after the last closes a lap
        {0, {2, 1, 1, 1}, 1, 1},          // 1 first; taken again it closes nothing
        {LEVEL_ANY_ORDER, {2, 2, 3, 1}, 3, 2}, // twice in a lap counts once
        {LEVEL_ANY_ORDER, {3, 1, 3, 2, 2}, 4, 2},
    };
    raceLevel.checkpoints = 3;
    raceLayout = createLayout();
    for (const Case& c : cases) {
        raceLevel.levelType = c.levelType;
        RaceRider* r = addRider(1000, 1000);
        raceClock = 0;
        for (int n : c.taken) {
            raceClock += 10;
            takeCheckpoint(r, n);
        }
        EXPECT_EQ(r->progress, c.progress) << c.taken.size();
        EXPECT_EQ(r->lap, c.lap);
        releaseRace();
        raceLayout = createLayout();
    }
}

TEST_F(RaceRulesTest, ALoneCheckpointCountsOnEnteringItNotEveryTick) {
    useGround([](int, int) { return 20 | 1 << CELL_CHECKPOINT_SHIFT; });
    raceLevel.checkpoints = 1;
    RaceRider* r = addRider(1000, 1000);
    for (int i = 0; i < 10; i++) stepRider(r);
    EXPECT_EQ(r->progress, 1);
    EXPECT_EQ(r->lap, 1);
}

TEST_F(RaceRulesTest, ScoresFromPlaceAndTimeAgainstPar) {
    const int par = 60, t = par * 80;
    EXPECT_EQ(placePoints(0, 8, true), 50);
    EXPECT_EQ(placePoints(3, 8, true), 35);
    EXPECT_EQ(placePoints(7, 8, true), 0);  // last
    EXPECT_EQ(placePoints(0, 1, true), 0);  // alone is last
    EXPECT_EQ(placePoints(0, 8, false), 0);
    EXPECT_EQ(placePoints(11, 20, true), 0); // never negative
    EXPECT_EQ(raceTimePoints(t - 80, par, true), 50);
    EXPECT_EQ(raceTimePoints(t + 10 * 80, par, true), 30);
    EXPECT_EQ(raceTimePoints(t + 30 * 80, par, true), 0);
    EXPECT_EQ(raceTimePoints(t - 80, par, false), 0);
    EXPECT_EQ(stuntPoints(t + 5 * 80, par, true), 20);
    EXPECT_EQ(stuntPoints(t - 1, par, false), 0); // ended on keep-out ground
    // A run of 14 minutes is 14 minutes, not the 20 s a 16-bit clock leaves.
    EXPECT_EQ(raceTimePoints(14 * 60 * 80, par, true), 0);
    char text[16];
    for (auto [ticks, shown] : {std::pair<uint32_t, const char*>{0, " 0:00.00"}, {4800 + 85, " 1:01.06"},
                                {14 * 4800, "14:00.00"}}) {
        formatRaceTime(ticks, text, sizeof text);
        EXPECT_STREQ(text, shown);
    }
}

TEST_F(RaceRulesTest, TheRaceClockRunsPastSixteenBits) {
    RaceRider* r = addRider(1000, 1000);
    beginRace();
    raceLevel.checkpoints = 3;
    raceLayout = createLayout();
    for (int i = 0; i < 70000; i++) stepRace();
    takeCheckpoint(r, 1);
    EXPECT_EQ(raceClock, 70000u);
    EXPECT_EQ(r->progressTime, 70000);
}
