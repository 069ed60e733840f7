// The SDL backend on SDL's dummy video and audio drivers.
#include "platform/sdl_backend.h"
#include "game.h"
#include "shell/loop.h"
#include "screens/mode_ids.h"
#include "shell/modes.h"
#include "support/game_fixture.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <vector>
#include <gtest/gtest.h>

TEST(SdlKeys, LettersAndDigitsFollowTheLayoutOthersThePosition) {
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_A, SDLK_a), 0x41);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_Q, SDLK_a), 0x41); // an AZERTY 'a'
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_9, SDLK_9), 0x39);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_UP, SDLK_UP), 0x26);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_F12, SDLK_F12), 0x7B);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_KP_7, SDLK_KP_7), 0x67);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_SEMICOLON, SDLK_m), 0x4D); // layout letter wins
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), 0xBA);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE), 0xDE);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_RETURN, SDLK_RETURN), 0x0D);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(sdlVirtualKey(SDL_SCANCODE_APPLICATION, SDLK_APPLICATION), 0);
}

TEST(SdlKeys, CharactersAreWhatAUsKeyboardTypes) {
    EXPECT_EQ(usCharacter(0x41, false), 'a');
    EXPECT_EQ(usCharacter(0x41, true), 'A');
    EXPECT_EQ(usCharacter(0x31, true), '!');
    EXPECT_EQ(usCharacter(0x30, true), ')');
    EXPECT_EQ(usCharacter(0xBF, true), '?');
    EXPECT_EQ(usCharacter(0xDE, false), '\'');
    EXPECT_EQ(usCharacter(0x20, true), ' ');
    EXPECT_EQ(usCharacter(0x26, false), 0);
    EXPECT_EQ(usCharacter(0x70, false), 0);
}

static std::atomic<int> audioCalls;
static void countingCallback(int16_t* out, int count) {
    for (int i = 0; i < count; i++) out[i] = 0;
    audioCalls++;
}

TEST(SdlBackend, WindowPresentCounterAndAudioOnDummyDrivers) {
    platformUse(sdlBackend());
    ASSERT_TRUE(platformCreateWindow("Kelvarostrindamuxelor", false));
    EXPECT_TRUE(platformHasFocus()) << "a driver without focus must count as foreground";
    std::vector<uint16_t> frame(DISPLAY_WIDTH * DISPLAY_HEIGHT, 0xF800);
    EXPECT_TRUE(platformPresent(frame.data()));
    EXPECT_GT(platformCounterFrequency(), 0);
    int64_t a = platformCounter();
    platformSleep(5);
    EXPECT_GT(platformCounter(), a);

    audioCalls = 0;
    ASSERT_TRUE(platformOpenAudio(countingCallback));
    platformStartAudio();
    for (int i = 0; i < 100 && audioCalls < 2; i++) platformSleep(10);
    EXPECT_GE(audioCalls.load(), 2);
    platformLockAudio();
    int held = audioCalls;
    platformSleep(120);
    EXPECT_EQ(audioCalls.load(), held) << "the lock must keep the callback out";
    platformUnlockAudio();
    platformCloseAudio();
    platformDestroyWindow();
}

TEST(SdlBackend, WholeGameStartsRunsAndShutsDown) {
    GameDir dir;
    platformUse(sdlBackend());
    ASSERT_EQ(gameStartup(dir.base().c_str()), 0);
    for (int i = 0; i < 40; i++) {
        gameRunPass();
        platformSleep(2);
    }
    EXPECT_EQ(currentMode, MODE_INTRO);
    EXPECT_GT(renderCount, 0u);
    quitRequested = 1;
    gameShutdown();
    EXPECT_EQ(framebuffer, nullptr);
}

// A virtual game controller on SDL's virtual joystick driver: attached, it
// is picked up; its buttons, triggers and stick come through as pad
// events; detached, it is dropped.
TEST(SdlBackend, AVirtualGameControllerIsPickedUpReadAndDropped) {
    platformUse(sdlBackend());
    ASSERT_TRUE(platformCreateWindow("Kelvarostrindamuxelor", false));
    std::vector<int> skipped; // the types passed over on the way
    auto next = [&skipped](int type) {
        PlatformEvent e{};
        skipped.clear();
        for (int i = 0; i < 200; i++) {
            SDL_PumpEvents();
            while (platformPollEvent(&e)) {
                if (e.type == type) return e;
                skipped.push_back(e.type);
            }
            platformSleep(1);
        }
        return PlatformEvent{EVENT_NONE, 0, 0, 0, 0};
    };
    int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                           SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    EXPECT_EQ(next(EVENT_PAD_ADDED).type, EVENT_PAD_ADDED);
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr);

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    PlatformEvent e = next(EVENT_PAD_BUTTON_DOWN);
    EXPECT_EQ(e.type, EVENT_PAD_BUTTON_DOWN);
    EXPECT_EQ(e.key, PAD_A);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);
    EXPECT_EQ(next(EVENT_PAD_BUTTON_DOWN).key, PAD_START);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    EXPECT_EQ(next(EVENT_PAD_BUTTON_UP).key, PAD_A);

    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    e = next(EVENT_PAD_STICK);
    EXPECT_EQ(e.x, -PAD_AXIS_MAX) << "the stick is symmetric";
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 12000);
    e = next(EVENT_PAD_STICK);
    EXPECT_EQ(e.x, -PAD_AXIS_MAX);
    EXPECT_EQ(e.y, 12000);

    // A trigger presses past half its travel and lets go below a quarter.
    // The virtual joystick's axis spans -32768..32767 for the trigger's
    // 0..32767: (value + 32768) / 2.
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30000);
    EXPECT_EQ(next(EVENT_PAD_BUTTON_DOWN).key, PAD_RIGHT_TRIGGER);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -8768); // 12000
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 0);
    e = next(EVENT_PAD_STICK);
    EXPECT_EQ(e.x, 0);
    EXPECT_EQ(std::count(skipped.begin(), skipped.end(), (int)EVENT_PAD_BUTTON_UP), 0) << "no release at 12000";
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -28768); // 2000
    EXPECT_EQ(next(EVENT_PAD_BUTTON_UP).key, PAD_RIGHT_TRIGGER);

    // A second pad waits; when the first goes, it takes over.
    int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                           SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(second, 0) << SDL_GetError();
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
    EXPECT_EQ(next(EVENT_PAD_REMOVED).type, EVENT_PAD_REMOVED);
    EXPECT_EQ(std::count(skipped.begin(), skipped.end(), (int)EVENT_PAD_ADDED), 0) << "the second only waited";
    EXPECT_EQ(next(EVENT_PAD_ADDED).type, EVENT_PAD_ADDED);
    SDL_JoystickDetachVirtual(0);
    EXPECT_EQ(next(EVENT_PAD_REMOVED).type, EVENT_PAD_REMOVED);
    platformDestroyWindow();
}
