// The road from the intro to a level through the real loop, with the mouse
// and the keys, and what it leaves in the riders file.
#include "screens/menu_fixture.h"
#include "player/riders.h"
#include "player/scores.h"
#include "player/settings.h"
#include "race/race.h"
#include "shell/log.h"
#include "screens/assets.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/voxel.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Menus : public MenuGame {
protected:
    void clickTitleRow(int row) {
        int x, y;
        titleRowPoint(row, &x, &y);
        click(x, y);
    }
    void clickLetter(char letter) {
        int x, y;
        letterPoint(letter, &x, &y);
        click(x, y, 1);
    }
    void clickDone() { click(W() / 2 + W() / 4, buttonsTop()); }
};

// A new player: the intro skipped by a click, Race, the editor because no
// rider exists, a name typed with keys and the letter grid, Done straight
// to the levels, level 0 marked and started. Later the same player deletes
// the rider and lands in the editor again.
TEST_F(Menus, ANewPlayerReachesTheirFirstLevelAndLaterDeletesTheRider) {
    runPasses(200);
    keepFrame("intro.png");
    EXPECT_EQ(soundPlayCount(SOUND_THEME), 1) << "the title music starts in the intro";
    click(300, 200);
    ASSERT_EQ(currentMode, MODE_TITLE);
    runPasses(60);
    keepFrame("title.png");
    EXPECT_EQ(soundPlayCount(SOUND_THEME), 1);

    clickTitleRow(0);
    ASSERT_EQ(currentMode, MODE_RIDER_EDIT);
    runPasses(40);
    typeText("ZOX");
    key(KEY_BACKSPACE);
    clickLetter('E');
    int x, y;
    letterPoint('Y', &x, &y);
    press(x, y);
    runPasses(3);
    keepFrame("editor.png"); // the held cell sprinkled
    release(x, y);
    for (int i = 0; i < 3; i++) click(W() / 4, H() / 4, 1); // Bike Color
    click(W() / 4, H() / 4 + 2 * L(), 1);                  // Body Color
    clickDone();
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    ASSERT_EQ(profileCount(), 1);
    std::vector<uint8_t> file = fileBytes(dir.data("riders.dat"));
    ASSERT_EQ(file.size(), 320u);
    EXPECT_EQ(memcmp(&file[220], "ZOEY\0", 5), 0);
    EXPECT_EQ(file[200], 3) << "bike colour";
    EXPECT_EQ(file[210], 1) << "body colour";
    EXPECT_EQ(file[220 + 19], 1) << "number";

    runPasses(100);
    keepFrame("levels.png");
    click(W() / 2, levelRowY(1));
    EXPECT_EQ(levelChoice, -1) << "locked for a new rider";
    click(W() / 2, levelRowY(0));
    EXPECT_EQ(levelChoice, 0);
    click(W() / 2, levelRowY(0));
    ASSERT_EQ(currentMode, MODE_GET_READY);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(gameType, 0);
    EXPECT_EQ(currentRider, 0);
    EXPECT_EQ(leftButtonHeld, 0);

    // The bot rides level 0 home; Quit Race shows the best on the level
    // list, and row 1 open once it reached 62.
    playerIsBot = true;
    key(KEY_SPACE, 1);
    for (int i = 0; i < 80 * 400 && currentMode != MODE_RESULTS; i++) runPasses(1);
    playerIsBot = false;
    ASSERT_EQ(currentMode, MODE_RESULTS);
    runPasses(2); // the results open and store the best
    int best = riderBest(0);
    EXPECT_GT(best, 0);
    runPasses(100);
    clickResultsButton(false);
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    runPasses(100);
    keepFrame("levels_after_race.png");
    click(W() / 2, levelRowY(1));
    EXPECT_EQ(levelChoice, best >= levelThreshold(1) ? 1 : -1);
    key(KEY_ESCAPE);
    ASSERT_EQ(currentMode, MODE_TITLE);
    clickTitleRow(0);
    ASSERT_EQ(currentMode, MODE_RIDER_SELECT);
    runPasses(40);
    keepFrame("riders.png");
    click(W() / 2, buttonsTop() + 2 * L()); // Delete
    ASSERT_EQ(currentMode, MODE_RIDER_DELETE);
    runPasses(40);
    keepFrame("delete.png");
    click(W() / 2, buttonsTop() - 2 * L()); // Yes
    EXPECT_EQ(currentMode, MODE_RIDER_EDIT);
    EXPECT_EQ(profileCount(), 0);
    file = fileBytes(dir.data("riders.dat"));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 220, file.begin() + 240), std::vector<uint8_t>(20, 0));
}

// New, Delete and Select are drawn disabled and do nothing when they cannot
// act; one press selects a rider, a second goes on; where two rows' bands
// overlap the upper row wins.
TEST_F(Menus, RiderListButtonsRowsAndTheConfirmation) {
    for (const char* name : {"A1", "A2", "A3", "A4", "A5"}) createRider(name, 0, 0);
    riderTable.selected = -1;
    goTo(MODE_RIDER_SELECT);
    keepFrame("riders_full.png");
    int deleteLeft = W() / 2 - (textWidth("Delete", 0) + 8) / 2;
    EXPECT_EQ(framePixel(deleteLeft + 1, buttonsTop() + 2 * L()), packCorrected(15, 15, 15));
    for (int dy : {0, 2 * L(), 4 * L()}) {
        click(W() / 2, buttonsTop() + dy);
        EXPECT_EQ(currentMode, MODE_RIDER_SELECT) << dy;
    }
    stopSound(SOUND_MENU_CLICK);
    click(W() / 2, riderRowY(2));
    EXPECT_EQ(selectedRider(), 2);
    EXPECT_EQ(soundPlayCount(SOUND_MENU_CLICK), 1);
    runPasses(1);
    EXPECT_EQ(framePixel(deleteLeft + 1, buttonsTop() + 2 * L()), packCorrected(22, 22, 22));
    click(W() / 2, riderRowY(2));
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);

    ASSERT_GT(2 * B(), L() + 6) << "with this font neighbouring bands overlap";
    goTo(MODE_RIDER_SELECT);
    click(W() / 2, riderRowY(0));
    click(W() / 2, riderRowY(1) - B() - 4);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT) << "the selected upper row goes on";
    EXPECT_EQ(selectedRider(), 0);
    goTo(MODE_RIDER_SELECT);
    click(W() / 2, riderRowY(0) + B() + L() - 4);
    EXPECT_EQ(selectedRider(), 1) << "just below the first band";
    click(W() / 2, riderRowY(0) - B() - 5);
    EXPECT_EQ(selectedRider(), 1) << "above the list";

    click(W() / 2, buttonsTop() + 2 * L());
    ASSERT_EQ(currentMode, MODE_RIDER_DELETE);
    click(W() / 2, buttonsTop()); // No
    EXPECT_EQ(currentMode, MODE_RIDER_SELECT);
    goTo(MODE_RIDER_DELETE);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(profileCount(), 5);
}

// 14 characters at most; keys 97..121 type the capital 32 codes lower; the
// colours cycle through nine schemes and the bike shows the new rider's
// from the start; Escape bound to a letter leaves without typing it.
TEST_F(Menus, EditorNameColoursAndKeys) {
    rebuildBikeModel(5, 7);
    goTo(MODE_RIDER_EDIT);
    auto matching = [](int bike, int body) {
        VoxelModel* shown = bikeModel;
        bikeModel = nullptr;
        rebuildBikeModel(bike, body);
        int same = 0;
        for (int i = 0; i < shown->count; i++) same += shown->points[i].colour == bikeModel->points[i].colour;
        destroyVoxelModel(&bikeModel);
        bikeModel = shown;
        return same;
    };
    EXPECT_GT(matching(0, 0), matching(5, 7));
    clickDone();
    EXPECT_EQ(currentMode, MODE_RIDER_EDIT) << "no name yet";
    typeText("ABCDEFGHIJKLM");
    key(0x6E, 1); // the keypad's decimal point
    key('O', 1);
    clickLetter('P');
    for (int i = 0; i < 10; i++) click(W() / 4, H() / 4, 1);
    for (int i = 0; i < 2; i++) click(W() / 4, H() / 4 + 2 * L(), 1);
    clickDone();
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_STREQ(riderName(0), "ABCDEFGHIJKLMN");
    EXPECT_EQ(riderTable.bikeColours[0], 1);
    EXPECT_EQ(riderTable.bodyColours[0], 2);

    goTo(MODE_RIDER_EDIT);
    typeText("B");
    clickDone();
    EXPECT_EQ(currentMode, MODE_RIDER_SELECT) << "a second rider";
    bindKey(BIND_ESCAPE, 'Q');
    goTo(MODE_RIDER_EDIT);
    key('Q');
    EXPECT_EQ(currentMode, MODE_TITLE);
}

// A held row lights up and the others darken; the click sounds once per
// change of row; each row leads where it says; Escape to the exit picture.
TEST_F(Menus, TitleRowsAnswerTheHeldPointer) {
    goTo(MODE_TITLE, 80);
    int x, y0, y1, y3;
    titleRowPoint(0, &x, &y0);
    titleRowPoint(1, &x, &y1);
    titleRowPoint(3, &x, &y3);
    auto light = [&](int y) {
        long sum = 0;
        for (int dx = -80; dx <= 80; dx++) sum += colorGreen(framePixel(x + dx, y));
        return sum;
    };
    long bright = light(y3);
    stopSound(SOUND_BUTTON_CLICK);
    press(x, y0);
    runPasses(20);
    keepFrame("title_held.png");
    EXPECT_LT(light(y3), bright * 3 / 4);
    move(x, y1, 5);
    move(x, y0, 5);
    EXPECT_EQ(soundPlayCount(SOUND_BUTTON_CLICK), 3);
    release(20, y0); // away from the menu
    runPasses(20);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_GT(light(y3), bright * 9 / 10);

    const Mode rows[] = {MODE_OPTIONS, MODE_CONTROLS_HELP, MODE_HIGH_SCORES, MODE_EXIT_PICTURE};
    for (int row = 3; row < 7; row++) {
        goTo(MODE_TITLE, 2);
        clickTitleRow(row);
        EXPECT_EQ(currentMode, rows[row - 3]) << row;
    }
    goTo(MODE_TITLE, 2);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_EXIT_PICTURE);
}

// Bad files: without its menu picture the title has no rows (and never
// divides by their height of 0); a riders file of the wrong size leaves no
// rider and is kept aside.
TEST_F(Menus, MissingPictureAndDamagedRidersFile) {
    std::filesystem::remove(dir.data("titleMenu.png"));
    std::vector<uint8_t> damaged(200, 0x41);
    std::ofstream(dir.data("riders.dat"), std::ios::binary).write((const char*)damaged.data(), 200);
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    goTo(MODE_TITLE);
    press(W() - 20, H() - 60);
    runPasses(10);
    release(W() - 20, H() - 60);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(fileBytes(dir.data("riders.dat.bad")), damaged);
    EXPECT_EQ(profileCount(), 0);
    EXPECT_TRUE(ridersUnreadable());
    std::string logged;
    for (int line = LOG_LINES - 1; line >= 0; line--) logged.append(logText[line], strnlen(logText[line], LOG_COLUMNS));
    EXPECT_NE(logged.find("[ERROR] The riders could not be read"), std::string::npos) << logged;
    // The rider selection says so, in the highlight colour under the title.
    goTo(MODE_RIDER_SELECT);
    keepFrame("riders_unread.png");
    int noticeTop = 3 * L() + H() / 6 - 2 * L(), lit = 0;
    for (int y = noticeTop; y < noticeTop + 6; y++)
        for (int x = 0; x < W(); x++) lit += framePixel(x, y) == packCorrected(20, 15, 31);
    EXPECT_GT(lit, 100);
    goTo(MODE_TITLE);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_EXIT_PICTURE);
}

// The same road in portrait: the portrait pictures and layouts, and the
// pointer mapped onto them.
TEST_F(Menus, ThePortraitScreensLeadFromTheTitleToALevel) {
    applyOrientationGeometry(1);
    ASSERT_EQ(saveSettings(), 1);
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    runPasses(2);
    ASSERT_EQ(W(), 480);
    click(100, 100);
    runPasses(60);
    keepFrame("title_portrait.png");
    clickTitleRow(1);
    ASSERT_EQ(currentMode, MODE_RIDER_EDIT);
    runPasses(40);
    typeText("PAT");
    clickLetter('H');
    keepFrame("editor_portrait.png");
    clickDone();
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_STREQ(riderName(0), "PATH");
    runPasses(100);
    click(W() / 2, levelRowY(0));
    keepFrame("levels_portrait.png");
    click(W() - W() / 8, H() - H() / 16 - L()); // Go!
    EXPECT_EQ(currentMode, MODE_GET_READY);
    EXPECT_EQ(currentLevel, 100);
    goTo(MODE_RIDER_SELECT);
    click(W() / 2, riderRowY(0));
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT) << "the selected rider's row, where portrait puts it";
}

} // namespace
