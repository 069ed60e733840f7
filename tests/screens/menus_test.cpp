// The road from the intro to a level, played through the real loop with
// the mouse and the keys: the title menu, the rider screens and the level
// selection, and what they leave in the riders file.
#include "screens/menu_fixture.h"
#include "player/settings.h"
#include "screens/assets.h"
#include "world/voxel.h"
#include "sound/effects.h"
#include "sound/sounds.h"

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

const int RIDERS_BIKE_COLOURS_AT = 200, RIDERS_BODY_COLOURS_AT = 210, RIDERS_SLOTS_AT = 220;

class Menus : public MenuGame {
protected:
    // The buttons of the rider screens, once they have slid in.
    int buttonsTop() const { return H() - H() / 4; }
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
    int riderRowY(int i) const { return 3 * L() + H() / 6 + i * (2 * L() + 6); }
};

// A new player: the intro skipped by a click, Race on the title, the editor
// because there is no rider, a name typed with keys and with the letter
// grid, Done straight to the level selection, level 0 marked and started.
// Then the same player deletes the rider and lands in the editor again.
TEST_F(Menus, ANewPlayerReachesTheirFirstLevelAndLaterDeletesTheRider) {
    ASSERT_EQ(riderCount(), 0);
    runPasses(200);
    keepFrame("intro.png");
    ASSERT_EQ(currentMode, MODE_INTRO);
    EXPECT_EQ(soundPlayCount(SOUND_THEME), 1) << "the title music starts in the intro";
    click(300, 200);
    ASSERT_EQ(currentMode, MODE_TITLE);
    runPasses(60);
    keepFrame("title.png");
    EXPECT_EQ(soundPlayCount(SOUND_THEME), 1) << "and is not started twice";

    clickTitleRow(0);
    EXPECT_EQ(gameType, 0);
    ASSERT_EQ(currentMode, MODE_RIDER_EDIT) << "no rider yet";
    runPasses(40);
    typeText("ZOX");
    key(KEY_BACKSPACE);
    clickLetter('E');
    int x, y;
    letterPoint('Y', &x, &y);
    press(x, y);
    runPasses(3);
    keepFrame("editor.png");
    release(x, y);
    for (int i = 0; i < 3; i++) click(W() / 4, H() / 4, 1);          // Bike Color
    click(W() / 4, H() / 4 + 2 * L(), 1);                             // Body Color
    click(W() / 2 + W() / 4, buttonsTop());                           // Done
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT) << "the first rider goes straight on";
    ASSERT_EQ(riderCount(), 1);
    EXPECT_STREQ(riderName(0), "ZOEY");
    std::vector<uint8_t> file = fileBytes(dir.data("riders.dat"));
    ASSERT_EQ(file.size(), 320u);
    EXPECT_EQ(memcmp(&file[RIDERS_SLOTS_AT], "ZOEY\0", 5), 0);
    EXPECT_EQ(file[RIDERS_BIKE_COLOURS_AT], 3);
    EXPECT_EQ(file[RIDERS_BODY_COLOURS_AT], 1);
    EXPECT_EQ(file[RIDERS_SLOTS_AT + 19], 1) << "the first rider's number";

    runPasses(100);
    keepFrame("levels.png");
    click(W() / 2, levelRowY(1));
    EXPECT_EQ(levelChoice, -1) << "level 1 is locked for a new rider";
    click(W() / 2, levelRowY(0));
    EXPECT_EQ(levelChoice, 0);
    keepFrame("levels_chosen.png");
    click(W() / 2, levelRowY(0));
    ASSERT_EQ(currentMode, MODE_LEVEL_LOADING);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(gameType, 0);
    EXPECT_EQ(currentRider, 0);
    EXPECT_EQ(leftButtonHeld, 0);

    // The level itself is another screen's; back to the title from it.
    key(KEY_ESCAPE);
    ASSERT_EQ(currentMode, MODE_TITLE);
    clickTitleRow(0);
    ASSERT_EQ(currentMode, MODE_RIDER_SELECT) << "a rider exists now";
    runPasses(40);
    keepFrame("riders.png");
    click(W() / 2, buttonsTop() + 2 * L()); // Delete
    ASSERT_EQ(currentMode, MODE_RIDER_DELETE);
    runPasses(40);
    keepFrame("delete.png");
    click(W() / 2, buttonsTop() - 2 * L()); // Yes
    EXPECT_EQ(currentMode, MODE_RIDER_EDIT) << "no rider is left";
    EXPECT_EQ(riderCount(), 0);
    file = fileBytes(dir.data("riders.dat"));
    ASSERT_EQ(file.size(), 320u);
    for (int b = 0; b < 20; b++) EXPECT_EQ(file[RIDERS_SLOTS_AT + b], 0) << b;
}

// New, Delete and Select are disabled when they cannot act; a press on a
// rider selects it with a click, a second press goes on.
TEST_F(Menus, RiderListButtonsAreDisabledWhenTheyCannotAct) {
    makeRiders(5);
    riderTable.selected = -1;
    goTo(MODE_RIDER_SELECT);
    keepFrame("riders_full.png");
    Color disabledFace = packCorrected(15, 15, 15), face = packCorrected(22, 22, 22);
    int newLeft = W() / 2 - (textWidth(" New ", 0) + 8) / 2;
    int deleteLeft = W() / 2 - (textWidth("Delete", 0) + 8) / 2;
    EXPECT_EQ(framePixel(newLeft + 1, buttonsTop()), disabledFace);
    EXPECT_EQ(framePixel(deleteLeft + 1, buttonsTop() + 2 * L()), disabledFace);
    for (int dy : {0, 2 * L(), 4 * L()}) {
        click(W() / 2, buttonsTop() + dy);
        EXPECT_EQ(currentMode, MODE_RIDER_SELECT) << dy;
    }

    stopSound(SOUND_MENU_CLICK);
    click(W() / 2, riderRowY(2));
    EXPECT_EQ(selectedRider(), 2);
    EXPECT_EQ(soundPlayCount(SOUND_MENU_CLICK), 1);
    EXPECT_EQ(currentMode, MODE_RIDER_SELECT);
    runPasses(1);
    EXPECT_EQ(framePixel(deleteLeft + 1, buttonsTop() + 2 * L()), face);
    keepFrame("riders_selected.png");
    click(W() / 2, riderRowY(2));
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);

    // The bands of the rows: from 4 + baseline above a name line to
    // baseline + line height - 4 below it. With this font neighbouring bands
    // overlap; there the upper row wins, so a press never goes on with one
    // rider and then selects the next.
    ASSERT_GT(2 * B(), L() + 6) << "the bands overlap";
    goTo(MODE_RIDER_SELECT);
    click(W() / 2, riderRowY(0));
    ASSERT_EQ(selectedRider(), 0);
    click(W() / 2, riderRowY(1) - B() - 4);
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_EQ(selectedRider(), 0);
    goTo(MODE_RIDER_SELECT);
    click(W() / 2, riderRowY(0) + B() + L() - 4);
    EXPECT_EQ(selectedRider(), 1) << "just below the first band";
    click(W() / 2, riderRowY(3) + B() + L() - 5);
    EXPECT_EQ(selectedRider(), 3);
    riderTable.slots[4][0] = 0;
    click(W() / 2, riderRowY(4));
    EXPECT_EQ(selectedRider(), 3);
    click(W() / 2, riderRowY(0) - B() - 5);
    EXPECT_EQ(selectedRider(), 3) << "above the list";

    // The confirmation: No back to the list, Escape to the title, both
    // keeping the rider.
    click(W() / 2, buttonsTop() + 2 * L());
    ASSERT_EQ(currentMode, MODE_RIDER_DELETE);
    click(W() / 2, buttonsTop());
    EXPECT_EQ(currentMode, MODE_RIDER_SELECT);
    goTo(MODE_RIDER_DELETE);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(riderCount(), 4);
    EXPECT_STREQ(riderName(3), "A4");
}

// The editor holds 14 characters; keys 97..121 type the capital 32 codes
// lower; the colours cycle through nine schemes; Escape, even when bound
// to a letter, leaves without typing.
TEST_F(Menus, EditorNameLimitKeysAndColours) {
    goTo(MODE_RIDER_EDIT);
    typeText("ABCDEFGHIJKLM");
    key(0x6E, 1); // the keypad's decimal point: 'N'
    key('O', 1);
    clickLetter('P');
    for (int i = 0; i < 10; i++) click(W() / 4, H() / 4, 1);
    for (int i = 0; i < 2; i++) click(W() / 4, H() / 4 + 2 * L(), 1);
    keepFrame("editor_full.png");
    click(W() / 2 + W() / 4, buttonsTop());
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_STREQ(riderName(0), "ABCDEFGHIJKLMN");
    EXPECT_EQ(riderTable.bikeColours[0], 1);
    EXPECT_EQ(riderTable.bodyColours[0], 2);

    // Done with an empty name does nothing; a second rider goes to the list.
    goTo(MODE_RIDER_EDIT);
    click(W() / 2 + W() / 4, buttonsTop());
    EXPECT_EQ(currentMode, MODE_RIDER_EDIT);
    typeText("B");
    click(W() / 2 + W() / 4, buttonsTop());
    EXPECT_EQ(currentMode, MODE_RIDER_SELECT);
    EXPECT_EQ(riderCount(), 2);

    // The bike shows the new rider's colours from the start, whatever it
    // was last coloured with.
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
    goTo(MODE_TITLE, 1);
    rebuildBikeModel(5, 7);
    goTo(MODE_RIDER_EDIT, 2);
    EXPECT_GT(matching(0, 0), matching(5, 7));

    bindKey(BIND_ESCAPE, 'Q');
    goTo(MODE_RIDER_EDIT);
    typeText("W");
    key('Q');
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(riderCount(), 2);
}

// Holding the pointer on a menu row lights it and darkens the others; the
// click sounds once per change of row; Escape leads to the exit picture.
TEST_F(Menus, TitleRowsAnswerTheHeldPointer) {
    goTo(MODE_TITLE, 80);
    int x, y0, y1, y3;
    titleRowPoint(0, &x, &y0);
    titleRowPoint(1, &x, &y1);
    titleRowPoint(3, &x, &y3);
    auto rowLight = [&](int y) {
        long sum = 0;
        for (int dy = -8; dy <= 8; dy++)
            for (int dx = -80; dx <= 80; dx++) sum += colorGreen(framePixel(x + dx, y + dy));
        return sum;
    };
    long brightRow3 = rowLight(y3);
    stopSound(SOUND_BUTTON_CLICK);
    press(x, y0);
    runPasses(20);
    keepFrame("title_held.png");
    EXPECT_LT(rowLight(y3), brightRow3 * 3 / 4) << "the other rows darken";
    move(x, y1, 5);
    move(x, y0, 5);
    EXPECT_EQ(soundPlayCount(SOUND_BUTTON_CLICK), 3);
    release(20, y0, 20); // away from the menu: nothing chosen
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_GT(rowLight(y3), brightRow3 * 9 / 10) << "and brighten again";

    struct Row { int row; Mode mode; };
    for (Row r : {Row{3, MODE_OPTIONS}, Row{4, MODE_CONTROLS_HELP}, Row{5, MODE_HIGH_SCORES}, Row{6, MODE_EXIT_PICTURE}}) {
        goTo(MODE_TITLE, 2);
        clickTitleRow(r.row);
        EXPECT_EQ(currentMode, r.mode) << r.row;
    }
    goTo(MODE_TITLE, 2);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_EXIT_PICTURE);
}

// Without its menu picture the title gets a 5 x 5 stand-in: no row can be
// pointed at, and nothing divides by the row height of 0.
TEST_F(Menus, TitleWithoutItsMenuPictureStillRuns) {
    std::filesystem::remove(dir.data("titleMenu.png"));
    goTo(MODE_TITLE, 60);
    press(W() - 20, H() - 60);
    runPasses(10);
    release(W() - 20, H() - 60);
    EXPECT_EQ(currentMode, MODE_TITLE);
    bool reported = false;
    for (const std::string& box : headlessMessageBoxes()) reported = reported || box.find("titleMenu.png") != std::string::npos;
    EXPECT_TRUE(reported);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_EXIT_PICTURE);
}

// A riders file that cannot be trusted: the game starts with no rider, so
// Race leads to the editor, and the file's bytes are kept aside.
TEST_F(Menus, ADamagedRidersFileStartsAfreshAndIsKept) {
    std::vector<uint8_t> damaged(200, 0x41);
    std::ofstream(dir.data("riders.dat"), std::ios::binary).write((const char*)damaged.data(), 200);
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    goTo(MODE_TITLE);
    clickTitleRow(2);
    EXPECT_EQ(gameType, 2);
    EXPECT_EQ(currentMode, MODE_RIDER_EDIT);
    EXPECT_EQ(fileBytes(dir.data("riders.dat.damaged")), damaged);
}

// The same road with the screen turned a quarter: the portrait pictures,
// the portrait layouts, and the pointer mapped onto them.
TEST_F(Menus, ThePortraitScreensLeadFromTheTitleToALevel) {
    applyOrientationGeometry(1);
    ASSERT_EQ(saveSettings(), 1);
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    runPasses(200);
    ASSERT_EQ(W(), 480);
    keepFrame("intro_portrait.png");
    click(100, 100);
    ASSERT_EQ(currentMode, MODE_TITLE);
    runPasses(60);
    keepFrame("title_portrait.png");
    clickTitleRow(1);
    ASSERT_EQ(currentMode, MODE_RIDER_EDIT);
    EXPECT_EQ(gameType, 1);
    runPasses(40);
    typeText("PAT");
    clickLetter('H');
    keepFrame("editor_portrait.png");
    click(W() / 2 + W() / 4, buttonsTop());
    ASSERT_EQ(currentMode, MODE_LEVEL_SELECT);
    EXPECT_STREQ(riderName(0), "PATH");
    runPasses(100);
    click(W() / 2, levelRowY(0));
    EXPECT_EQ(levelChoice, 100);
    keepFrame("levels_portrait.png");
    click(W() - W() / 8, H() - H() / 16 - L()); // Go!
    EXPECT_EQ(currentMode, MODE_LEVEL_LOADING);
    EXPECT_EQ(currentLevel, 100);

    makeRiders(2);
    goTo(MODE_RIDER_SELECT);
    keepFrame("riders_portrait.png");
    int firstLine = 3 * L() + H() / 6 + H() / 16;
    click(W() / 2, firstLine + 2 * (2 * L() + 6));
    EXPECT_EQ(selectedRider(), 2);
    click(W() / 2, buttonsTop() + 4 * L()); // Select
    EXPECT_EQ(currentMode, MODE_LEVEL_SELECT);
}

} // namespace
