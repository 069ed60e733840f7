#include "player/player_test_dir.h"
#include "player/riders.h"
#include "player/scores.h"

class ScoresTest : public PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        initRiders();
        ASSERT_EQ(createRider("Pat", 0, 0), 1);
    }
    void TearDown() override {
        initRiders();
        PlayerDataTest::TearDown();
    }
};

TEST_F(ScoresTest, StoreBestRewritesTheRidersFile) {
    storeBest(77, 5);
    storeBest(66, 105);
    Bytes file = readBytes("riders.dat");
    ASSERT_EQ(file.size(), 320u);
    EXPECT_EQ(file[5], 77);
    EXPECT_EQ(file[25], 66);
    riderTable.selected = -1;
    storeBest(99, 6);
    EXPECT_EQ(riderTable.bests[0][6], 0);
    EXPECT_EQ(readBytes("riders.dat"), file);
}

TEST_F(ScoresTest, ThresholdsAreTheListedOnes) {
    const int listed[] = {62,  128, 198, 272,  350,  432,  518,  608,  702,  800,
                          902, 1008, 1118, 1232, 1350, 1472, 1598, 1728, 1862, 2000};
    for (int k = 1; k <= 20; k++) EXPECT_EQ(levelThreshold(k), listed[k - 1]) << k;
}

TEST_F(ScoresTest, RaceLevelOneOpensAtSixtyTwo) {
    storeBest(61, 0);
    EXPECT_EQ(openLevelCount(GAME_RACE, 0), 1);
    EXPECT_FALSE(isLevelOpen(GAME_RACE, 1, 0));
    storeBest(62, 0);
    EXPECT_EQ(openLevelCount(GAME_RACE, 0), 2);
    EXPECT_TRUE(isLevelOpen(GAME_RACE, 1, 0));
    EXPECT_FALSE(isLevelOpen(GAME_RACE, 2, 0));
    EXPECT_EQ(openLevelCount(GAME_STUNT, 0), 1); // stunt keeps its own bests
    EXPECT_TRUE(isLevelOpen(GAME_STUNT, 0, 0));
    EXPECT_FALSE(isLevelOpen(GAME_RACE, -1, 0));
}

TEST_F(ScoresTest, AClosedLevelClosesAllLaterOnes) {
    // Bests that meet every threshold exactly open all twenty stunt levels.
    int sum = 0;
    for (int k = 1; k <= 20; k++) {
        storeBest(levelThreshold(k) - sum, 100 + k - 1);
        sum = levelThreshold(k);
    }
    EXPECT_EQ(openLevelCount(GAME_STUNT, 0), 20);
    // One point short at level 5 closes 6..19 even though level 5's own
    // best and the later ones would carry the sum past later thresholds.
    storeBest(riderBest(104) - 1, 104);
    storeBest(100, 105);
    EXPECT_EQ(openLevelCount(GAME_STUNT, 0), 5);
    EXPECT_TRUE(isLevelOpen(GAME_STUNT, 4, 0));
    EXPECT_FALSE(isLevelOpen(GAME_STUNT, 5, 0));
    EXPECT_FALSE(isLevelOpen(GAME_STUNT, 6, 0));
    EXPECT_EQ(openLevelCount(GAME_RACE, 0), 1);
    EXPECT_EQ(openLevelCount(GAME_RACE, 4), 1); // an empty profile
    EXPECT_EQ(openLevelCount(GAME_RACE, -1), 1); // no profile
}

TEST_F(ScoresTest, FreeRideOpensEveryFourHundredPoints) {
    auto openWithCareer = [](int total) {
        initRiders();
        createRider("F", 0, 0);
        for (int at = 0; at < BESTS_PER_RIDER && total > 0; at++) {
            int best = total > 100 ? 100 : total;
            riderTable.bests[0][at] = (uint8_t)best;
            total -= best;
        }
        return openLevelCount(GAME_FREE_RIDE, 0);
    };
    EXPECT_EQ(openWithCareer(0), 1);
    EXPECT_EQ(openWithCareer(400), 1);
    EXPECT_EQ(openWithCareer(401), 2);
    EXPECT_EQ(openWithCareer(800), 2);
    EXPECT_EQ(openWithCareer(801), 3);
    EXPECT_EQ(openWithCareer(1601), 5);
    EXPECT_EQ(openWithCareer(4000), 5);
    EXPECT_TRUE(isLevelOpen(GAME_FREE_RIDE, 4, 0));
    EXPECT_FALSE(isLevelOpen(GAME_FREE_RIDE, 5, 0));
}

TEST_F(ScoresTest, UnlockedCountOfATypeTotal) {
    EXPECT_EQ(unlockedCount(0), 1);
    EXPECT_EQ(unlockedCount(61), 1);
    EXPECT_EQ(unlockedCount(62), 2);
    EXPECT_EQ(unlockedCount(127), 2);
    EXPECT_EQ(unlockedCount(128), 3);
    EXPECT_EQ(unlockedCount(1861), 19);
    EXPECT_EQ(unlockedCount(1862), 20);
    EXPECT_EQ(unlockedCount(1999), 20);
    EXPECT_EQ(unlockedCount(2000), 20);
    EXPECT_EQ(unlockedCount(5000), 20);
}

TEST_F(ScoresTest, RankBoundaries) {
    const int upper[] = {150, 310, 480, 640, 780, 910, 1050, 1190, 1320, 1470, 1660, 1720, 1780, 1840, 1940, 1980};
    const int rankAt[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16};
    const int rankAbove[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17};
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(rankOf(2 * upper[i]), rankAt[i]) << upper[i];
        EXPECT_EQ(rankOf(2 * upper[i] + 1), rankAt[i]) << upper[i];
        EXPECT_EQ(rankOf(2 * upper[i] + 2), rankAbove[i]) << upper[i];
    }
    EXPECT_EQ(rankOf(0), 0);
    EXPECT_EQ(rankOf(3681), 13);
    EXPECT_EQ(rankOf(3682), 14);
    EXPECT_EQ(rankOf(3882), 16);
    EXPECT_EQ(rankOf(4000), 17);
}

TEST_F(ScoresTest, RankNamesOutsideTheTable) {
    EXPECT_STREQ(rankName(rankOf(0)), "Rookie");
    EXPECT_STREQ(rankName(rankOf(3000)), "National Pro");
    EXPECT_STREQ(rankName(15), "International Superstar!"); // named, never reached
    EXPECT_STREQ(rankName(rankOf(3882)), "Immortalized");
    EXPECT_STREQ(rankName(17), "Legend");
    EXPECT_STREQ(rankName(18), "Legend");
    EXPECT_STREQ(rankName(19), "Rookie");
    EXPECT_STREQ(rankName(-1), "Rookie");
}
