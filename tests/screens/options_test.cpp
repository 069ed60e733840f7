// Options and control configuration through the real loop: sliders, reset
// labels, buttons, rebinding, Cancel and Apply, and the settings file.
#include "screens/menu_fixture.h"
#include "player/settings.h"
#include "race/control.h"
#include "race/get_ready.h"
#include "race/race.h"
#include "shell/log.h"
#include "shell/pad.h"
#include "gfx/trig.h"
#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/sounds.h"
#include "support/bytes.h"
#include "world/description.h"
#include "world/track.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const int DEFAULTS[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LBUTTON, KEY_RBUTTON,
                                     KEY_ESCAPE, KEY_RETURN, 0, 'G'};
// Window rows of the sliders and buttons, and the slider's zero.
const int EFFECTS_WY = 70, MUSIC_WY = 104, BRIGHTNESS_WY = 138, BUTTONS_WY = 180, ZERO = 72;

Bytes settingsBlock(const int* codes, int orientation, int effects, int music) {
    Bytes b(SETTINGS_FILE_BYTES, 0);
    int fields[][2] = {{36, 128}, {40, orientation}, {52, effects}, {56, music}};
    for (int i = 0; i < BIND_GHOST; i++) memcpy(&b[4 * i], &codes[i], 4); // little-endian machine
    memcpy(&b[60], &codes[BIND_GHOST], 4);
    for (auto& f : fields) memcpy(&b[f[0]], &f[1], 4);
    return b;
}

class Options : public MenuGame {
protected:
    // What an earlier test in this process left in the file's reserved field.
    void SetUp() override {
        settingsReserved = 0;
        MenuGame::SetUp();
    }
    int tx = 0, ty = 0, controlsX = 0;
    Surface* picture(const char* name) const {
        Surface* s = nullptr;
        loadPicture(name, &s);
        return s;
    }
    void openOptions() {
        goTo(MODE_OPTIONS, 2);
        Surface* p = picture("optionsWin.png");
        tx = W() / 2 - p->width / 2, ty = H() / 2 - p->height / 2 + 26;
        destroySurface(&p);
        p = picture("optionButton.png");
        controlsX = W() / 2 - p->width / 2;
        destroySurface(&p);
    }
    void clickWindow(int wx, int wy) { click(tx + wx, ty + wy); }
    void openControls() {
        clickWindow(77, BUTTONS_WY);
        ASSERT_EQ(currentMode, MODE_CONTROLS_CONFIG);
    }
    // The window stands a quarter of the way down unless that leaves its
    // ten rows, title and strip too little room.
    int rowY(int i) const {
        int L1 = fontLineHeight(1), pitch = 2 * L1 - 3;
        int top = std::min(H() / 4, H() - (14 + 2 * L1 + 11 * pitch + 23));
        return top + 2 * L1 + 14 + i * pitch + 4;
    }
    void rebind(int row, int code) {
        click(W() / 2, rowY(row));
        key(code);
    }
    void strip(int labelX) { click(controlsX + labelX, rowY(11) + 8); }
    void cancel() { strip(53); }
    void apply() { strip(165); }
    bool bindingsAre(const int* codes) const { return memcmp(keyBindings, codes, sizeof keyBindings) == 0; }
};

// Volumes follow the held pointer in steps of 16 (0 just left of the start,
// 256 held at 255), only on their own row; reset labels give 255 and 220.
// Brightness changes on release only, in steps of 16, and the window is
// reloaded through the new curve. The switch flips full screen; a held OK
// shows its pressed plate; leaving writes the file.
TEST_F(Options, TheOptionsWindowFromSlidersToOK) {
    openOptions();
    struct Volume { int wy, channel, reset; } volumes[] = {{EFFECTS_WY, 0, 255}, {MUSIC_WY, 1, 220}};
    for (const Volume& v : volumes) {
        press(tx + 67, ty + v.wy);
        EXPECT_EQ(channelVolume(v.channel), 0);
        for (auto [wx, volume] : {std::pair{205, 255}, {ZERO + 41, 80}, {ZERO + 7, 0}, {ZERO + 41, 80}}) {
            move(tx + wx, ty + v.wy, 1);
            EXPECT_EQ(channelVolume(v.channel), volume) << v.wy << " " << wx;
        }
        move(tx + 205, ty + 20, 1);
        EXPECT_EQ(channelVolume(v.channel), 80) << "off the row";
        stopSound(SOUND_BUTTON_CLICK);
        release(tx + 205, ty + 20);
        EXPECT_EQ(soundPlayCount(SOUND_BUTTON_CLICK), 1) << "every release clicks";
        clickWindow(30, v.wy);
        EXPECT_EQ(channelVolume(v.channel), v.reset);
    }
    EXPECT_EQ(musicLevel, 220);

    Color before = framePixel(tx + 100, ty + 86);
    press(tx + ZERO + 60, ty + BRIGHTNESS_WY);
    runPasses(3);
    EXPECT_EQ(colorCurveLevel(), 128) << "nothing while held";
    release(tx + ZERO + 60, ty + BRIGHTNESS_WY);
    EXPECT_EQ(colorCurveLevel(), 112);
    keepFrame("options_darker.png");
    Surface* reloaded = picture("optionsWin.png");
    EXPECT_EQ(framePixel(tx + 100, ty + 86), getPixel(reloaded, 100, 86));
    EXPECT_NE(framePixel(tx + 100, ty + 86), before);
    destroySurface(&reloaded);
    for (auto [wx, level] : {std::pair{205, 240}, {67, 16}, {ZERO + 16, 32}, {30, 128}}) {
        clickWindow(wx, BRIGHTNESS_WY);
        EXPECT_EQ(colorCurveLevel(), level) << wx;
    }

    clickWindow(90, 52);
    EXPECT_EQ(fullScreen, 0);
    clickWindow(90, 52);
    EXPECT_EQ(fullScreen, 1);
    clickWindow(ZERO + 64, EFFECTS_WY);
    press(tx + 160, ty + BUTTONS_WY);
    runPasses(1);
    keepFrame("options_ok_held.png");
    Surface* p = picture("optionsWin.png");
    EXPECT_EQ(framePixel(tx + 160, ty + 179), getPixel(p, 160, p->height - 11)) << "the pressed plate";
    destroySurface(&p);
    release(tx + 160, ty + BUTTONS_WY);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(readBytes(dir.data("settings.dat")), settingsBlock(DEFAULTS, 0, 128, 220));
}

// A key goes to the waiting row and leaves any other; a click binds the
// left button; the screenshot key binds like any other; Cancel restores
// the bindings of entry; Apply writes them, a restart reads them back and
// in a race the new key accelerates.
TEST_F(Options, RebindCancelApplyAndRace) {
    openOptions();
    openControls();
    rebind(BIND_BRAKE, 'X');
    rebind(BIND_UP, KEY_DOWN);
    EXPECT_EQ(keyBindings[BIND_DOWN], 0) << "shown as ----";
    click(W() / 2, rowY(BIND_BRAKE));
    keepFrame("controls_waiting.png");
    click(W() / 2, H() - 10);
    EXPECT_EQ(keyBindings[BIND_BRAKE], KEY_LBUTTON);
    EXPECT_EQ(keyBindings[BIND_ACCELERATE], 0);
    rebind(BIND_SUSPEND, KEY_RETURN);
    EXPECT_EQ(keyBindings[BIND_SCREENSHOT], 0);
    EXPECT_FALSE(fs::exists(dir.base() + "Screenshots"));
    cancel();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    EXPECT_TRUE(bindingsAre(DEFAULTS));

    openControls();
    rebind(BIND_ACCELERATE, 'A');
    rebind(BIND_SUSPEND, KEY_F1);
    rebind(BIND_GHOST, 'H');
    apply();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    int expected[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, 'A', KEY_RBUTTON, KEY_ESCAPE, KEY_RETURN, KEY_F1, 'H'};
    EXPECT_EQ(readBytes(dir.data("settings.dat")), settingsBlock(expected, 0, 255, 180));
    stopHeadlessGame();
    setDefaultBindings();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    EXPECT_TRUE(bindingsAre(expected));

    gameType = GAME_RACE;
    currentLevel = 0;
    ASSERT_TRUE(readLevelDescription(0));
    loadTrackPictures(&track, 0);
    ASSERT_TRUE(setupRace());
    beginRace();
    raceInput({INPUT_KEY_DOWN, KEY_LBUTTON, 0, 0, 0});
    EXPECT_FALSE(raceControls.accelerate);
    raceInput({INPUT_KEY_DOWN, 'A', 'a', 0, 0});
    for (int i = 0; i < 80; i++) stepRace();
    EXPECT_GT(raceRiders[0]->speed, 0);
    releaseRace();
}

// An unwritable settings file: memory keeps the bindings, Cancel still
// restores the player's, the old file stays, only the log hears of it.
// Then portrait from a file holding codes no key has.
TEST_F(Options, UnwritableFileThenPortraitWithDamagedCodes) {
    openOptions();
    openControls();
    rebind(BIND_BRAKE, 'B');
    apply();
    Bytes saved = readBytes(dir.data("settings.dat"));
    fs::create_directory(dir.data("settings.dat.tmp"));
    clearLog();
    int errorsBefore = logErrorCount;
    openControls();
    rebind(BIND_BRAKE, 'N');
    cancel();
    EXPECT_EQ(keyBindings[BIND_BRAKE], 'B');
    openControls();
    rebind(BIND_LEFT, 'J');
    apply();
    EXPECT_EQ(keyBindings[BIND_LEFT], 'J');
    EXPECT_EQ(readBytes(dir.data("settings.dat")), saved);
    EXPECT_STREQ(logText[1], "[WARNING] Settings not saved.");
    EXPECT_EQ(logErrorCount, errorsBefore) << "nothing for the overlay to pop up for";

    fs::remove(dir.data("settings.dat.tmp"));
    int stored[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, -1, 0xBA, KEY_ESCAPE, KEY_RETURN, 0};
    stopHeadlessGame(); // leaving the options on the way out writes the file
    writeBytes(dir.data("settings.dat"), settingsBlock(stored, 1, 255, 180));
    ASSERT_EQ(startHeadlessGame(dir), 0);
    char text[16];
    bindingText(keyBindings[BIND_ACCELERATE], text, sizeof text);
    EXPECT_STREQ(text, "[0xffffffff]");
    openOptions();
    clickWindow(ZERO + 33, MUSIC_WY);
    EXPECT_EQ(channelVolume(MUSIC_CHANNEL), 64);
    keepFrame("options_portrait.png");
    openControls();
    rebind(BIND_SUSPEND, 'S');
    EXPECT_EQ(keyBindings[BIND_SUSPEND], 'S');
    keepFrame("controls_portrait.png");
    apply();
    clickWindow(177, BUTTONS_WY);
    EXPECT_EQ(currentMode, MODE_TITLE);
}

// The race's input step on a screen the pad drives, as the race screens have it.
Mode padRaceInput(Mode self, const InputEvent& e) {
    raceInput(e);
    return self;
}
const ModeScreen padRaceScreen = {nullptr, nullptr, nullptr, nullptr, padRaceInput, true, false, true};

class PadOptions : public Options {
protected:
    // Leans the stick toward a logical point until the pointer is on it,
    // as a player would, then lets go.
    void steerTo(int x, int y) {
        auto lean = [](int d) {
            int push = PAD_DEAD_ZONE + 1500 + std::abs(d) * 300;
            push = std::min(push, PAD_AXIS_MAX);
            return d == 0 ? 0 : d > 0 ? push : -push;
        };
        for (int pass = 0; pass < 600; pass++) {
            int dx = x - mouseX, dy = y - mouseY;
            if (std::abs(dx) <= 1 && std::abs(dy) <= 1) break;
            headlessPadStick(lean(dx), lean(dy));
            runPasses(1);
        }
        headlessPadStick(0, 0);
        runPasses(1);
        EXPECT_NEAR(mouseX, x, 1);
        EXPECT_NEAR(mouseY, y, 1);
    }
    void padButton(int button, int passes = 2) {
        headlessPadButton(button, true);
        headlessPadButton(button, false);
        runPasses(passes);
    }
    void padClick(int x, int y) {
        steerTo(x, y);
        padButton(PAD_A);
    }
};

// With a pad alone: A past the intro, the stick and A through the title to
// the options and the control configuration, Pad X bound to Accelerate and
// applied; then the race accelerates on Pad X and steers with the stick.
TEST_F(PadOptions, APadAloneBindsAccelerateAndRides) {
    headlessPadConnect(true);
    runPasses(5);
    padButton(PAD_A);
    ASSERT_EQ(currentMode, MODE_TITLE);
    runPasses(60);
    int x, y;
    titleRowPoint(3, &x, &y);
    steerTo(x, y);
    keepFrame("pad_title.png");
    padButton(PAD_A);
    ASSERT_EQ(currentMode, MODE_OPTIONS);
    openOptions(); // the window's place; the mode is already current
    padClick(tx + 77, ty + BUTTONS_WY);
    ASSERT_EQ(currentMode, MODE_CONTROLS_CONFIG);
    padClick(W() / 2, rowY(BIND_ACCELERATE));
    padButton(PAD_X);
    EXPECT_EQ(keyBindings[BIND_ACCELERATE], padKeyCode(PAD_X));
    EXPECT_EQ(keyBindings[BIND_BRAKE], KEY_RBUTTON) << "the rest as they were";
    padClick(W() / 2, rowY(BIND_ESCAPE));
    padButton(PAD_BACK);
    EXPECT_EQ(keyBindings[BIND_ESCAPE], padKeyCode(PAD_BACK));
    steerTo(W() / 2 + 40, rowY(BIND_SUSPEND) + 30);
    keepFrame("pad_controls.png");
    padClick(controlsX + 165, rowY(11) + 8);
    ASSERT_EQ(currentMode, MODE_OPTIONS);
    int expected[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, padKeyCode(PAD_X), KEY_RBUTTON,
                                   padKeyCode(PAD_BACK), KEY_RETURN, 0, 'G'};
    EXPECT_EQ(readBytes(dir.data("settings.dat")), settingsBlock(expected, 0, 255, 180));

    gameType = GAME_RACE;
    currentLevel = 0;
    ASSERT_TRUE(readLevelDescription(0));
    loadTrackPictures(&track, 0);
    ASSERT_TRUE(setupRace());
    beginRace();
    setModeScreen(MODE_RACE, &padRaceScreen);
    goTo(MODE_RACE, 2);
    headlessPadButton(PAD_X, true);
    headlessPadStick(0, -PAD_AXIS_MAX);
    runPasses(2);
    EXPECT_TRUE(raceControls.accelerate);
    EXPECT_TRUE(raceControls.stickHeld);
    for (int i = 0; i < 80; i++) stepRace();
    EXPECT_GT(raceRiders[0]->speed, 0);
    EXPECT_EQ(raceRiders[0]->targetHeading, headingTo(0, 0, 0, -2 * PAD_AXIS_MAX)) << "up the screen";
    headlessPadButton(PAD_X, false);
    runPasses(2);
    EXPECT_FALSE(raceControls.accelerate);
    releaseRace();
}

} // namespace
