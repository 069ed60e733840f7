#include "shell/keys.h"

#include <gtest/gtest.h>
#include <string>

static std::string shown(int code) {
    char text[16];
    bindingText(code, text, sizeof text);
    return text;
}

TEST(KeyNames, TableLookupsAndSpecialCodes) {
    EXPECT_STREQ(keyName(1), "LMB");
    EXPECT_STREQ(keyName(2), "RMB");
    EXPECT_STREQ(keyName(0), "----");
    EXPECT_STREQ(keyName(0x2E), "DEL") << "the first row wins";
    EXPECT_STREQ(keyName(0x2F), "HELP");
    EXPECT_STREQ(keyName(0x0D), "Enter");
    EXPECT_STREQ(keyName(0x0A), "Enter");
    EXPECT_STREQ(keyName(0x5A), "Z");
    EXPECT_STREQ(keyName(0x7B), "F12");
    EXPECT_STREQ(keyName(0x5D), "]");
    EXPECT_STREQ(keyName(0xBA), "");
    EXPECT_STREQ(keyName(0xFFFF), "") << "the end marker is not a key";
}

TEST(KeyNames, RowsWithoutANameShowTheCode) {
    EXPECT_EQ(shown(0xBA), "[0xba]");
    EXPECT_EQ(shown(5), "[0x 5]");
    EXPECT_EQ(shown(KEY_LEFT), "Left");
}

TEST(KeyNames, ControllerButtonsHaveNamesAboveEveryKeyCode) {
    const std::pair<int, const char*> names[] = {
        {PAD_A, "Pad A"}, {PAD_B, "Pad B"}, {PAD_START, "Pad Start"}, {PAD_BACK, "Pad Back"},
        {PAD_LEFT_SHOULDER, "Pad LB"}, {PAD_DPAD_RIGHT, "Pad Right"}, {PAD_LEFT_TRIGGER, "Pad LT"},
        {PAD_RIGHT_TRIGGER, "Pad RT"},
    };
    for (auto& [button, name] : names) {
        EXPECT_GE(padKeyCode(button), 0x100) << name << ": no key has its code";
        EXPECT_EQ(shown(padKeyCode(button)), name);
    }
    EXPECT_EQ(shown(PAD_KEY_BASE + PAD_BUTTON_COUNT), "[0x1011]") << "past the last button";
    EXPECT_EQ(shown(PAD_KEY_BASE - 1), "[0xfff]");
    setDefaultBindings();
    bindKey(BIND_SCREENSHOT, padKeyCode(PAD_Y));
    EXPECT_EQ(boundAction(padKeyCode(PAD_Y)), BIND_SCREENSHOT);
    EXPECT_EQ(boundAction(KEY_RETURN), -1) << "Enter is free again";
    EXPECT_EQ(boundAction(0), -1) << "unbound rows bind nothing";
    setDefaultBindings();
}

TEST(KeyBindings, DefaultsAndRebinding) {
    setDefaultBindings();
    EXPECT_EQ(shown(keyBindings[BIND_SUSPEND]), "----");
    EXPECT_EQ(shown(keyBindings[BIND_ACCELERATE]), "LMB");
    bindKey(BIND_UP, KEY_RETURN);
    EXPECT_EQ(keyBindings[BIND_UP], KEY_RETURN);
    EXPECT_EQ(shown(keyBindings[BIND_SCREENSHOT]), "----") << "one key never serves two actions";
    bindKey(BIND_UP, KEY_RETURN); // binding the same again keeps it
    EXPECT_EQ(keyBindings[BIND_UP], KEY_RETURN);
    bindKey(BIND_BRAKE, KEY_LBUTTON);
    EXPECT_EQ(keyBindings[BIND_ACCELERATE], 0);
    EXPECT_EQ(keyBindings[BIND_BRAKE], KEY_LBUTTON);
    setDefaultBindings();
}

TEST(KeyBindings, DirectionTurnsFollowTheOrientation) {
    setDefaultBindings();
    turnDirectionBindings(0, 2);
    EXPECT_EQ(keyBindings[BIND_UP], KEY_DOWN);
    EXPECT_EQ(keyBindings[BIND_DOWN], KEY_UP);
    EXPECT_EQ(keyBindings[BIND_LEFT], KEY_RIGHT);
    EXPECT_EQ(keyBindings[BIND_RIGHT], KEY_LEFT);
    EXPECT_EQ(keyBindings[BIND_ACCELERATE], KEY_LBUTTON) << "only directions turn";
    setDefaultBindings();
    turnDirectionBindings(3, 0); // one quarter turn
    EXPECT_EQ(keyBindings[BIND_UP], KEY_RIGHT) << "Up takes Right's key";
    EXPECT_EQ(keyBindings[BIND_RIGHT], KEY_DOWN);
    EXPECT_EQ(keyBindings[BIND_DOWN], KEY_LEFT);
    EXPECT_EQ(keyBindings[BIND_LEFT], KEY_UP);
    reverseTurnBindings();
    int defaults[4] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
    for (int i = 0; i < 4; i++) EXPECT_EQ(keyBindings[i], defaults[i]);
    turnDirectionBindings(1, 1);
    for (int i = 0; i < 4; i++) EXPECT_EQ(keyBindings[i], defaults[i]);
}
