// Level selection through the real loop: which rows open for which bests,
// and that a marked level is only started in its own game type and for a
// rider who may ride it.
#include "screens/menu_fixture.h"
#include "game.h"
#include "world/levels.h"

#include <cstring>

namespace {

class LevelSelect : public MenuGame {
protected:
    void SetUp() override {
        MenuGame::SetUp();
        ASSERT_EQ(createRider("Lock", 0, 0), 1);
    }
    void visit(int type) {
        gameType = type;
        goTo(MODE_TITLE, 1);
        goTo(MODE_LEVEL_SELECT);
    }
    void clickRow(int r) { click(W() / 2, levelRowY(r)); }
    void clickStart() { click(W() - W() / 8, H() - H() / 16 - L()); }
};

// Race and stunt level 1 open at a level-0 best of 62, not 61; free-ride
// level 1 at a career total of 401, not 400.
TEST_F(LevelSelect, RowOneOpensExactlyAtItsThreshold) {
    struct Case { int type, first, bests[5], open; } cases[] = {
        {GAME_RACE, 0, {61}, 0}, {GAME_RACE, 0, {62}, 1},
        {GAME_STUNT, LEVELS_PER_TYPE, {61}, 0}, {GAME_STUNT, LEVELS_PER_TYPE, {62}, 1},
        {GAME_FREE_RIDE, 0, {100, 100, 100, 100, 0}, 0}, {GAME_FREE_RIDE, 0, {100, 100, 100, 100, 1}, 1},
    };
    for (const Case& c : cases) {
        memset(riderTable.bests[0], 0, BESTS_PER_RIDER);
        for (int i = 0; i < 5; i++) riderTable.bests[0][c.first + i] = (uint8_t)c.bests[i];
        visit(c.type);
        int rowOne = c.open ? levelNumber(c.type, 1) : -1;
        clickRow(1);
        EXPECT_EQ(levelChoice, rowOne) << c.type << " " << c.bests[0];
        clickRow(2);
        EXPECT_EQ(levelChoice, rowOne) << "row 2 stays locked";
        clickRow(0);
        EXPECT_EQ(levelChoice, levelNumber(c.type, 0));
    }
    for (int i = 0; i < LEVELS_PER_TYPE; i++) riderTable.bests[0][i] = 100;
    visit(GAME_RACE);
    runPasses(60);
    keepFrame("levels_all_open.png");
    clickRow(19);
    clickStart();
    EXPECT_EQ(currentMode, MODE_GET_READY);
    EXPECT_EQ(currentLevel, 19);
}

// A level marked in Race is not marked in Stunt, where the start button
// does nothing until a stunt level is marked; nor for a rider who has not
// opened it. While it stands it is kept across visits.
TEST_F(LevelSelect, AChoiceStaysWithItsGameTypeAndRider) {
    riderTable.bests[0][0] = 62;
    visit(GAME_RACE);
    clickRow(1);
    ASSERT_EQ(levelChoice, 1);
    click(W() / 8 + textWidth("Main Menu", 0) / 2, H() - H() / 16 - L());
    ASSERT_EQ(currentMode, MODE_TITLE);
    visit(GAME_STUNT);
    EXPECT_EQ(levelChoice, -1);
    clickStart();
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
    clickRow(0);
    clickStart();
    EXPECT_EQ(currentLevel, 100);

    visit(GAME_RACE);
    clickRow(1);
    visit(GAME_RACE);
    EXPECT_EQ(levelChoice, 1);
    goTo(MODE_TITLE, 1);
    ASSERT_EQ(createRider("Fresh", 0, 0), 1);
    visit(GAME_RACE);
    EXPECT_EQ(levelChoice, -1);
    clickStart();
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
}

// A row's band reaches into the next: a press on the bottom edge of the
// marked row starts it and marks no other.
TEST_F(LevelSelect, APressInTheOverlapStartsTheUpperRow) {
    riderTable.bests[0][0] = 62;
    visit(GAME_RACE);
    clickRow(0);
    click(W() / 2, levelRowY(0, L() + 2));
    EXPECT_EQ(currentMode, MODE_GET_READY);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(levelChoice, 0);
}

// Straight to a level: its game type, the first rider of the file (one
// named "Rider" made when there is none), the loading screen.
TEST(FirstLevel, StartsAtTheLoadingScreenWithTheFirstRider) {
    GameDir dir;
    ASSERT_TRUE(dir.copyBakedData());
    auto start = [&](int level) {
        headlessReset();
        platformUse(headlessBackend());
        return gameStartup(dir.base().c_str(), MODE_INTRO, level);
    };
    ASSERT_EQ(start(105), 0);
    EXPECT_EQ(currentMode, MODE_LEVEL_LOADING);
    EXPECT_EQ(gameType, GAME_STUNT);
    EXPECT_EQ(currentLevel, 105);
    EXPECT_EQ(levelChoice, 105);
    EXPECT_STREQ(riderName(selectedRider()), "Rider");
    createRider("Kim", 0, 0);
    selectRider(0);
    deleteSelectedRider();
    stopHeadlessGame();
    ASSERT_EQ(start(3), 0);
    EXPECT_EQ(profileCount(), 1);
    EXPECT_EQ(selectedRider(), 1);
    EXPECT_EQ(currentRider, 1);
    stopHeadlessGame();
    ASSERT_EQ(start(150), 0);
    EXPECT_EQ(currentMode, MODE_INTRO) << "150 names no level";
    stopHeadlessGame();
    for (int level : {0, 19, 100, 119, 200, 204}) EXPECT_TRUE(isLevelNumber(level)) << level;
    for (int level : {-1, 20, 99, 120, 205, 300}) EXPECT_FALSE(isLevelNumber(level)) << level;
}

} // namespace
