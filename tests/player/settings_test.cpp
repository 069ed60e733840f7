#include "gfx/surface.h"
#include "platform/headless.h"
#include "player/player_test_dir.h"
#include "player/settings.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/log.h"
#include "sound/mixer.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

static const int DEFAULTS[BINDING_COUNT] = {38, 40, 37, 39, 1, 2, 27, 13, 0, 'G'};
static const int CUSTOM[BINDING_COUNT] = {0x57, 0x53, 0x41, 0x44, 0x20, 0x10, 0x1B, 0x70, 0x50, 0x48};
static const char WARNING[] = "[WARNING] Settings size mismatch.  Loading defaults.";

class SettingsTest : public PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        headlessReset();
        platformUse(headlessBackend());
        resetDisplayGeometry();
        hadFramebuffer = framebuffer != nullptr;
        setColorCurve(128);
        settingsReserved = 0;
        memcpy(keyBindings, CUSTOM, sizeof keyBindings);
        clearLog();
        logThreshold = 1;
    }
    void TearDown() override {
        logThreshold = 0;
        clearLog();
        setDefaultBindings();
        setColorCurve(128);
        resetDisplayGeometry();
        if (!hadFramebuffer) destroySurface(&framebuffer);
        PlayerDataTest::TearDown();
    }
    bool bindingsAre(const int* codes) { return memcmp(keyBindings, codes, sizeof keyBindings) == 0; }
    // The whole log, oldest first, without line breaks.
    std::string logged() {
        std::string all;
        for (int i = LOG_LINES - 1; i >= 0; i--) all += std::string(logText[i], strnlen(logText[i], LOG_COLUMNS));
        return all;
    }
    // The settings block the game should write, built field by field.
    Bytes block(const int* codes, int brightness, int orientation, int reserved, int effects, int music) {
        Bytes b(SETTINGS_FILE_BYTES, 0);
        for (int i = 0; i < BIND_GHOST; i++) putLe32(b, 4 * i, codes[i]);
        putLe32(b, 60, codes[BIND_GHOST]);
        putLe32(b, 36, brightness);
        putLe32(b, 40, orientation);
        putLe32(b, 48, reserved);
        putLe32(b, 52, effects);
        putLe32(b, 56, music);
        return b;
    }
    bool hadFramebuffer = false;
};

TEST_F(SettingsTest, MissingFileGivesDefaultsSilently) {
    musicLevel = 3;
    EXPECT_EQ(loadSettings(), 0);
    EXPECT_TRUE(bindingsAre(DEFAULTS));
    EXPECT_EQ(musicLevel, DEFAULT_MUSIC_VOLUME);
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(colorCurveLevel(), 128); // brightness keeps its start-up value
}

TEST_F(SettingsTest, WrongSizesAreRejectedWithTheWarning) {
    for (size_t size : {0, 4, 36, 60, 1663, 1665, 4000}) {
        Bytes b = block(CUSTOM, 200, 2, 9, 10, 20);
        b.resize(size, 0);
        writeBytes("settings.dat", b);
        memcpy(keyBindings, CUSTOM, sizeof keyBindings);
        musicLevel = 3;
        clearLog();
        EXPECT_EQ(loadSettings(), 0) << size;
        EXPECT_TRUE(bindingsAre(DEFAULTS)) << size;
        EXPECT_EQ(musicLevel, DEFAULT_MUSIC_VOLUME) << size;
        EXPECT_EQ(logged(), WARNING) << size;
        EXPECT_EQ(colorCurveLevel(), 128) << size;
        EXPECT_EQ(settingsOrientation, 0) << size;
        // The next save would overwrite it: its bytes are kept aside.
        EXPECT_EQ(readBytes("settings.dat.damaged"), b) << size;
        EXPECT_FALSE(exists("settings.dat")) << size;
    }
}

TEST_F(SettingsTest, SaveWritesTheBlockByteForByte) {
    setColorCurve(200);
    settingsReserved = -2;
    setChannelVolume(0, 96);
    setChannelVolume(1, 64);
    ASSERT_EQ(saveSettings(), 1);
    // Volumes are whatever the mixer holds.
    EXPECT_EQ(readBytes("settings.dat"), block(CUSTOM, 200, 0, -2, channelVolume(0), channelVolume(1)));
    EXPECT_FALSE(exists("settings.dat.tmp"));
}

TEST_F(SettingsTest, OrientationOneStoresTheBindingsTurned) {
    applyOrientationGeometry(1);
    ASSERT_EQ(saveSettings(), 1);
    EXPECT_TRUE(bindingsAre(CUSTOM)); // memory ends as it was
    // In the file Up holds Right's code, Right holds Down's, Down holds
    // Left's and Left holds Up's.
    int turned[BINDING_COUNT];
    memcpy(turned, CUSTOM, sizeof turned);
    turned[BIND_UP] = CUSTOM[BIND_RIGHT];
    turned[BIND_RIGHT] = CUSTOM[BIND_DOWN];
    turned[BIND_DOWN] = CUSTOM[BIND_LEFT];
    turned[BIND_LEFT] = CUSTOM[BIND_UP];
    EXPECT_EQ(readBytes("settings.dat"), block(turned, 128, 1, 0, channelVolume(0), channelVolume(1)));

    setDefaultBindings();
    resetDisplayGeometry();
    ASSERT_EQ(loadSettings(), 1);
    EXPECT_EQ(settingsOrientation, 1);
    EXPECT_EQ(displayGeometry.orientation, 0) << "start-up applies the orientation, not the loader";
    EXPECT_TRUE(bindingsAre(CUSTOM));
}

TEST_F(SettingsTest, EveryOrientationRoundTrips) {
    for (int orientation = 0; orientation < 4; orientation++) {
        applyOrientationGeometry(orientation);
        memcpy(keyBindings, CUSTOM, sizeof keyBindings);
        settingsReserved = 1000 + orientation;
        setColorCurve(48 + 16 * orientation);
        ASSERT_EQ(saveSettings(), 1);
        Bytes saved = readBytes("settings.dat");
        setDefaultBindings();
        settingsReserved = 0;
        setColorCurve(128);
        resetDisplayGeometry();
        ASSERT_EQ(loadSettings(), 1);
        EXPECT_TRUE(bindingsAre(CUSTOM)) << orientation;
        EXPECT_EQ(settingsOrientation, orientation);
        EXPECT_EQ(settingsReserved, 1000 + orientation);
        EXPECT_EQ(colorCurveLevel(), 48 + 16 * orientation);
        EXPECT_EQ(channelVolume(0), (int)saved[52]);
        EXPECT_EQ(musicLevel, (int)saved[56]);
    }
}

// Controller buttons live in the same binding fields, as their own codes,
// turned with the directions like keys.
TEST_F(SettingsTest, ControllerBindingsRoundTripInTheBindingFields) {
    const int mixed[BINDING_COUNT] = {padKeyCode(PAD_DPAD_UP), KEY_DOWN, padKeyCode(PAD_DPAD_LEFT), KEY_RIGHT,
                                      padKeyCode(PAD_RIGHT_TRIGGER), padKeyCode(PAD_LEFT_TRIGGER),
                                      padKeyCode(PAD_START), KEY_RETURN, padKeyCode(PAD_GUIDE), 'G'};
    for (int orientation : {0, 1}) {
        applyOrientationGeometry(orientation);
        memcpy(keyBindings, mixed, sizeof keyBindings);
        ASSERT_EQ(saveSettings(), 1);
        Bytes saved = readBytes("settings.dat");
        ASSERT_EQ(saved.size(), (size_t)SETTINGS_FILE_BYTES);
        int32_t accelerate, up;
        memcpy(&accelerate, &saved[4 * BIND_ACCELERATE], 4);
        memcpy(&up, &saved[4 * BIND_UP], 4);
        EXPECT_EQ(accelerate, padKeyCode(PAD_RIGHT_TRIGGER));
        EXPECT_EQ(up, orientation == 0 ? padKeyCode(PAD_DPAD_UP) : KEY_RIGHT) << "Right's code stands in Up";
        setDefaultBindings();
        resetDisplayGeometry();
        ASSERT_EQ(loadSettings(), 1);
        EXPECT_TRUE(bindingsAre(mixed)) << orientation;
    }
}

TEST_F(SettingsTest, LoadAppliesTheStoredValues) {
    writeBytes("settings.dat", block(CUSTOM, 5, 0, 0, 40, 120));
    EXPECT_EQ(loadSettings(), 1);
    EXPECT_EQ(colorCurveLevel(), 16); // a brightness of 5 is used as 16
    int curve16[32];
    memcpy(curve16, colorCurve, sizeof curve16);
    setColorCurve(16);
    EXPECT_EQ(memcmp(curve16, colorCurve, sizeof curve16), 0);
    EXPECT_EQ(musicLevel, 120);
    EXPECT_TRUE(bindingsAre(CUSTOM));
    EXPECT_EQ(logged().find("[WARNING]"), std::string::npos);
}

TEST_F(SettingsTest, OutOfRangeValuesAreBroughtIntoRange) {
    writeBytes("settings.dat", block(CUSTOM, 100000, 7, 0, -5, 9000));
    EXPECT_EQ(loadSettings(), 1);
    EXPECT_EQ(colorCurveLevel(), 255);
    EXPECT_EQ(colorCurve[31], 31);
    EXPECT_EQ(settingsOrientation, 0);
    EXPECT_TRUE(bindingsAre(CUSTOM)); // turned by the orientation applied
    EXPECT_EQ(musicLevel, 255);
    for (uint32_t seed = 1; seed <= 10; seed++) {
        writeBytes("settings.dat", noiseBytes(SETTINGS_FILE_BYTES, seed));
        EXPECT_EQ(loadSettings(), 1);
        EXPECT_GE(colorCurveLevel(), 16);
        EXPECT_LE(colorCurveLevel(), 255);
        for (int i = 0; i < 32; i++) EXPECT_TRUE(colorCurve[i] >= 0 && colorCurve[i] <= 31);
        EXPECT_TRUE(settingsOrientation >= 0 && settingsOrientation <= 3);
        EXPECT_TRUE(musicLevel >= 0 && musicLevel <= 255);
    }
}

TEST_F(SettingsTest, FailedSaveKeepsFileAndMemory) {
    ASSERT_EQ(saveSettings(), 1);
    Bytes old = readBytes("settings.dat");
    memcpy(keyBindings, DEFAULTS, sizeof keyBindings);
    applyOrientationGeometry(3);
    fs::create_directory(path("settings.dat.tmp"));
    EXPECT_EQ(saveSettings(), 0);
    EXPECT_EQ(readBytes("settings.dat"), old);
    EXPECT_TRUE(bindingsAre(DEFAULTS));
    EXPECT_EQ(logged(), "[WARNING] Settings not saved.");

    snprintf(dataFolder, sizeof dataFolder, "%sMissing/", dir.base().c_str());
    EXPECT_EQ(saveSettings(), 0);
    EXPECT_TRUE(bindingsAre(DEFAULTS));
    EXPECT_EQ(displayGeometry.orientation, 3);
}
