// Options and control configuration through the real loop: the sliders,
// the reset labels, the buttons, rebinding, Cancel and Apply, and what
// reaches the settings file.
#include "screens/menu_fixture.h"
#include "player/settings.h"
#include "race/control.h"
#include "race/get_ready.h"
#include "race/race.h"
#include "shell/log.h"
#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/sounds.h"
#include "support/bytes.h"
#include "world/description.h"
#include "world/track.h"

#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const int DEFAULTS[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LBUTTON, KEY_RBUTTON,
                                     KEY_ESCAPE, KEY_RETURN, 0};

// The window rows of the sliders and buttons, by their middles.
const int EFFECTS_WY = 70, MUSIC_WY = 104, BRIGHTNESS_WY = 138, BUTTONS_WY = 180;
const int SLIDER_ZERO = 72, RESET_WX = 30;

void putLe32(Bytes& b, int at, int value) {
    for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)((uint32_t)value >> (8 * i));
}

Bytes settingsBlock(const int* codes, int brightness, int orientation, int effects, int music) {
    Bytes b(SETTINGS_FILE_BYTES, 0);
    for (int i = 0; i < BINDING_COUNT; i++) putLe32(b, 4 * i, codes[i]);
    putLe32(b, 36, brightness);
    putLe32(b, 40, orientation);
    putLe32(b, 52, effects);
    putLe32(b, 56, music);
    return b;
}

std::string logged() {
    std::string all;
    for (int i = LOG_LINES - 1; i >= 0; i--) all += std::string(logText[i], strnlen(logText[i], LOG_COLUMNS));
    return all;
}

class Options : public MenuGame {
protected:
    int tx = 0, ty = 0;   // the options window
    int controlsX = 0;    // the control configuration window's left edge
    Surface* picture(const char* name) const {
        Surface* s = nullptr;
        loadPicture(name, &s);
        return s;
    }
    void openOptions() {
        goTo(MODE_OPTIONS, 2);
        Surface* p = picture("optionsWin.png");
        tx = W() / 2 - p->width / 2;
        ty = H() / 2 - p->height / 2 + 26;
        destroySurface(&p);
        p = picture("optionButton.png");
        controlsX = W() / 2 - p->width / 2;
        destroySurface(&p);
    }
    void clickWindow(int wx, int wy) { click(tx + wx, ty + wy); }

    // The control configuration, entered through Button Config.
    int L1() const { return fontLineHeight(1); }
    int bindingRowY(int i) const { return H() / 4 + 2 * L1() + 14 + i * (2 * L1() - 3) + L1() / 2; }
    int stripY() const { return H() / 4 + 2 * L1() + 14 + 10 * (2 * L1() - 3); }
    void openControls() {
        openOptions();
        clickWindow(77, BUTTONS_WY);
        ASSERT_EQ(currentMode, MODE_CONTROLS_CONFIG);
    }
    void rebind(int row, int code) {
        click(W() / 2, bindingRowY(row));
        key(code);
    }
    void cancel() { click(controlsX + 53, stripY() + 12); }
    void apply() { click(controlsX + 165, stripY() + 12); }
    bool bindingsAre(const int* codes) const { return memcmp(keyBindings, codes, sizeof keyBindings) == 0; }
};

// Each volume follows the held pointer in steps of 16: 0 just left of the
// slider's start, 255 at its end; its reset label gives 255 or 220. Every
// release clicks.
TEST_F(Options, VolumeSlidersAndTheirResetLabels) {
    openOptions();
    struct Row { int wy, channel, reset; } rows[] = {{EFFECTS_WY, EFFECTS_CHANNEL, 255}, {MUSIC_WY, MUSIC_CHANNEL, 220}};
    for (const Row& r : rows) {
        press(tx + 67, ty + r.wy);
        EXPECT_EQ(channelVolume(r.channel), 0) << r.wy;
        move(tx + 205, ty + r.wy, 1);
        EXPECT_EQ(channelVolume(r.channel), 255) << "256 is held at 255";
        keepFrame(r.channel == 0 ? "options_effects_full.png" : "options_music_full.png");
        move(tx + SLIDER_ZERO + 41, ty + r.wy, 1);
        EXPECT_EQ(channelVolume(r.channel), 80) << "41 pixels in: 40 of 8-pixel steps, times 2";
        move(tx + SLIDER_ZERO + 41, ty + 20, 1);
        move(tx + 205, ty + 20, 1);
        EXPECT_EQ(channelVolume(r.channel), 80) << "off the row nothing follows";
        stopSound(SOUND_BUTTON_CLICK);
        release(tx + 205, ty + 20);
        EXPECT_EQ(soundPlayCount(SOUND_BUTTON_CLICK), 1);
        clickWindow(RESET_WX, r.wy);
        EXPECT_EQ(channelVolume(r.channel), r.reset) << r.wy;
    }
    EXPECT_EQ(musicLevel, 220);
    EXPECT_EQ(currentMode, MODE_OPTIONS);
}

// Brightness changes on release only, in steps of 16 between 16 and 240,
// and the screen reloads its pictures through the new curve.
TEST_F(Options, BrightnessOnReleaseThroughTheColourCurve) {
    openOptions();
    const int bodyX = 100, bodyY = 86; // a point of the window's body
    Color before = framePixel(tx + bodyX, ty + bodyY);
    press(tx + SLIDER_ZERO + 50, ty + BRIGHTNESS_WY);
    move(tx + SLIDER_ZERO + 60, ty + BRIGHTNESS_WY, 3);
    EXPECT_EQ(colorCurveLevel(), 128) << "nothing while held";
    stopSound(SOUND_MENU_CLICK);
    release(tx + SLIDER_ZERO + 60, ty + BRIGHTNESS_WY);
    EXPECT_EQ(colorCurveLevel(), 112) << "120 rounded down to a step of 16";
    EXPECT_EQ(soundPlayCount(SOUND_MENU_CLICK), 1) << "left and entered again";
    keepFrame("options_darker.png");
    Surface* reloaded = picture("optionsWin.png");
    EXPECT_EQ(framePixel(tx + bodyX, ty + bodyY), getPixel(reloaded, bodyX, bodyY));
    EXPECT_NE(framePixel(tx + bodyX, ty + bodyY), before);
    destroySurface(&reloaded);

    struct Case { int wx, level; } cases[] = {{205, 240}, {67, 16}, {SLIDER_ZERO + 8, 16}, {SLIDER_ZERO + 16, 32},
                                              {RESET_WX, 128}};
    for (const Case& c : cases) {
        clickWindow(c.wx, BRIGHTNESS_WY);
        EXPECT_EQ(colorCurveLevel(), c.level) << c.wx;
    }
    EXPECT_EQ(currentMode, MODE_OPTIONS);
}

// The switch flips full screen; a held button shows its pressed plate; OK
// goes to the title and leaving writes the settings file.
TEST_F(Options, SwitchButtonsAndTheFileWrittenOnLeaving) {
    openOptions();
    ASSERT_EQ(fullScreen, 1);
    clickWindow(90, 52);
    EXPECT_EQ(fullScreen, 0);
    clickWindow(90, 52);
    EXPECT_EQ(fullScreen, 1);
    clickWindow(SLIDER_ZERO + 64, EFFECTS_WY);
    ASSERT_EQ(channelVolume(EFFECTS_CHANNEL), 128);

    press(tx + 160, ty + BUTTONS_WY);
    runPasses(1);
    keepFrame("options_ok_held.png");
    Surface* p = picture("optionsWin.png");
    EXPECT_EQ(framePixel(tx + 160, ty + 169 + 10), getPixel(p, 160, p->height - 21 + 10)) << "the pressed plate";
    destroySurface(&p);
    EXPECT_FALSE(fs::exists(dir.data("settings.dat")));
    release(tx + 160, ty + BUTTONS_WY);
    EXPECT_EQ(currentMode, MODE_TITLE);
    EXPECT_EQ(readBytes(dir.data("settings.dat")), settingsBlock(DEFAULTS, 128, 0, 128, 180));
}

// A pressed key is bound to the waiting row and taken from any other; a
// click binds the left button; the screenshot key binds like any other;
// Cancel puts back what the screen was entered with.
TEST_F(Options, RebindingMovesKeysAndCancelPutsThemBack) {
    openControls();
    runPasses(10);
    keepFrame("controls.png");
    rebind(BIND_BRAKE, 'X');
    EXPECT_EQ(keyBindings[BIND_BRAKE], 'X');
    rebind(BIND_UP, KEY_DOWN);
    EXPECT_EQ(keyBindings[BIND_UP], KEY_DOWN);
    EXPECT_EQ(keyBindings[BIND_DOWN], 0) << "the Down row shows ----";
    click(W() / 2, bindingRowY(BIND_BRAKE));
    runPasses(2);
    keepFrame("controls_waiting.png");
    click(W() / 2, H() - 10); // the left button, away from the rows
    EXPECT_EQ(keyBindings[BIND_BRAKE], KEY_LBUTTON);
    EXPECT_EQ(keyBindings[BIND_ACCELERATE], 0);
    rebind(BIND_SUSPEND, KEY_RETURN);
    EXPECT_EQ(keyBindings[BIND_SUSPEND], KEY_RETURN);
    EXPECT_EQ(keyBindings[BIND_SCREENSHOT], 0);
    EXPECT_FALSE(fs::exists(dir.base() + "Screenshots")) << "the screenshot key reached the screen";
    keepFrame("controls_rebound.png");
    cancel();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    EXPECT_TRUE(bindingsAre(DEFAULTS));
}

// Apply writes the bindings; the next start reads them back.
TEST_F(Options, ApplyWritesTheFileAndARestartReadsItBack) {
    openControls();
    rebind(BIND_ACCELERATE, 'A');
    rebind(BIND_ESCAPE, 'Q');
    rebind(BIND_SUSPEND, KEY_F1);
    apply();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    int expected[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, 'A', KEY_RBUTTON, 'Q', KEY_RETURN, KEY_F1};
    EXPECT_EQ(readBytes(dir.data("settings.dat")), settingsBlock(expected, 128, 0, 255, 180));
    stopHeadlessGame();
    setDefaultBindings();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    EXPECT_TRUE(bindingsAre(expected));

    // In a race the new key accelerates and the left button no longer does.
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

// With a settings file that cannot be written the bindings in memory are
// kept, Cancel still restores the ones the player had, the old file stays
// and only the log says so.
TEST_F(Options, AnUnwritableSettingsFileLosesNothing) {
    openControls();
    rebind(BIND_BRAKE, 'B');
    apply();
    Bytes saved = readBytes(dir.data("settings.dat"));
    fs::create_directory(dir.data("settings.dat.tmp"));
    clearLog();
    clickWindow(77, BUTTONS_WY); // entering writes the file, and fails
    ASSERT_EQ(currentMode, MODE_CONTROLS_CONFIG);
    rebind(BIND_BRAKE, 'N');
    cancel();
    EXPECT_EQ(keyBindings[BIND_BRAKE], 'B');
    clickWindow(77, BUTTONS_WY);
    rebind(BIND_LEFT, 'J');
    apply();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    EXPECT_EQ(keyBindings[BIND_LEFT], 'J');
    EXPECT_EQ(keyBindings[BIND_BRAKE], 'B');
    EXPECT_EQ(readBytes(dir.data("settings.dat")), saved);
    EXPECT_NE(logged().find("[WARNING] Settings not saved."), std::string::npos);
    EXPECT_EQ(logErrorCount, 0) << "nothing for the overlay to pop up for";
}

// Portrait from the settings file, with codes a damaged file could hold:
// the screens' layouts follow the turned screen and the codes show as
// their numbers.
TEST_F(Options, PortraitLayoutsAndDamagedCodes) {
    int stored[BINDING_COUNT] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, -1, 0xBA, KEY_ESCAPE, KEY_RETURN, 0x7FFFFFFF};
    writeBytes(dir.data("settings.dat"), settingsBlock(stored, 128, 1, 255, 180));
    stopHeadlessGame();
    ASSERT_EQ(startHeadlessGame(dir), 0);
    ASSERT_EQ(W(), 480);
    char text[16];
    bindingText(keyBindings[BIND_ACCELERATE], text, sizeof text);
    EXPECT_STREQ(text, "[0xffffffff]");
    openOptions();
    clickWindow(SLIDER_ZERO + 33, MUSIC_WY);
    EXPECT_EQ(channelVolume(MUSIC_CHANNEL), 64);
    keepFrame("options_portrait.png");
    clickWindow(77, BUTTONS_WY);
    ASSERT_EQ(currentMode, MODE_CONTROLS_CONFIG);
    rebind(BIND_SUSPEND, 'S');
    EXPECT_EQ(keyBindings[BIND_SUSPEND], 'S');
    runPasses(5);
    keepFrame("controls_portrait.png");
    apply();
    EXPECT_EQ(currentMode, MODE_OPTIONS);
    clickWindow(177, BUTTONS_WY);
    EXPECT_EQ(currentMode, MODE_TITLE);
}

} // namespace
