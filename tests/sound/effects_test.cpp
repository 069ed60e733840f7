// Sound slots and the playing list: limits, removal, loops, copies.
#include "sound/effects.h"
#include "sound/soundfile.h"
#include "sound/sound_local.h"
#include "sound/mixer.h"
#include "sound/sound_support.h"

using EffectsTest = MixerTest;

TEST_F(EffectsTest, TheListHoldsFiveAndDropsTheRest) {
    putSound(9, {1, 2, 3});
    putSound(10, {1, 2, 3}, 1);
    for (int i = 0; i < 4; i++) playSound(9);
    playSound(10);
    playSound(10); // the sixth is lost
    EXPECT_EQ(playingCount, 5);
    EXPECT_EQ(soundPlayCount(9), 4);
    EXPECT_EQ(soundPlayCount(10), 1);
    EXPECT_EQ(channelPlayCount(0), 4);
    EXPECT_EQ(channelPlayCount(1), 1);

    stopSound(9); // removes every entry of the id, even side by side
    EXPECT_EQ(playingCount, 1);
    EXPECT_EQ(soundPlayCount(9), 0);
    EXPECT_EQ(playingSounds[0].id, 10);
    EXPECT_EQ(channelPlayCount(0), 0);
    EXPECT_EQ(channelPlayCount(1), 1);
}

TEST_F(EffectsTest, EmptyOrUnknownSlotsAreNeverPlayed) {
    playSound(9);
    playSoundLooping(12, 1);
    playSound(-1);
    playSound(SOUND_SLOT_COUNT);
    EXPECT_EQ(playingCount, 0);
    loopWholeSound(SOUND_SLOT_COUNT); // ignored, not written past the slots
    EXPECT_FALSE(fillSoundSlot(SOUND_SLOT_COUNT, nullptr, 0, 0, 0, 0));
}

TEST_F(EffectsTest, EndLoopAndSetPositionReachEveryEntryOfTheId) {
    putSound(13, std::vector<int8_t>(100, 1), 0, 50, 93);
    putSound(3, std::vector<int8_t>(20, 1), 1);
    loopWholeSound(3);
    EXPECT_EQ(soundSlots[3].loopEnd, 18);
    playSoundLooping(13, 1);
    playSoundLooping(3, 1);
    playSoundLooping(13, 1);
    setSoundPosition(13, 40);
    endLoop(13);
    EXPECT_EQ(playingSounds[0].position, 40);
    EXPECT_EQ(playingSounds[2].position, 40);
    EXPECT_EQ(playingSounds[0].loop, 0);
    EXPECT_EQ(playingSounds[1].loop, 1);
    EXPECT_EQ(playingSounds[2].loop, 0);
    pull(2 * 100); // 100 steps: both 13s run out at 98, the music loops on
    EXPECT_EQ(soundPlayCount(13), 0);
    EXPECT_EQ(soundPlayCount(3), 1);
}

TEST_F(EffectsTest, ReplicatedEngineSlotsShareSamplesAndLoops) {
    for (int j = 0; j < 5; j++) putSound(20 + j, std::vector<int8_t>(30, (int8_t)(10 + j)), 0, j, 20 + j);
    replicateSoundSlots(4, 5, 20);
    for (int k = 1; k < 4; k++) {
        for (int j = 0; j < 5; j++) {
            const SoundSlot& copy = soundSlots[20 + 5 * k + j];
            EXPECT_EQ(copy.samples, soundSlots[20 + j].samples);
            EXPECT_EQ(copy.loopStart, j);
            EXPECT_EQ(copy.loopEnd, 20 + j);
            EXPECT_EQ(copy.last, 28);
        }
    }
    playSound(35);
    EXPECT_EQ(pull(2)[0], (10 * 127) >> 1);

    // Reloading an original leaves the copies their own samples, which
    // must stay alive and are freed once.
    putSound(20, std::vector<int8_t>(30, 99));
    playSound(30);
    std::vector<int16_t> out = pull(4);
    EXPECT_EQ(out[2], ((10 * 127) >> 1) * 2) << "35 and 30 still play the first sound";
    freeSoundSlots();
    EXPECT_EQ(soundSlots[35].samples, nullptr);
    EXPECT_EQ(playingCount, 0);
}

TEST_F(EffectsTest, ReplacingASlotStopsItsEntries) {
    putSound(4, std::vector<int8_t>(1000, 5));
    playSound(4);
    pull(10);
    putSound(4, {1, 2});
    EXPECT_EQ(soundPlayCount(4), 0);
    EXPECT_TRUE(fillSoundSlot(5, std::vector<int8_t>{7}.data(), 1, 0, 0, 0)); // last = -1
    playSound(5);
    EXPECT_EQ(pull(4)[0], (7 * 127) >> 1) << "a one-sample sound plays its one sample";
    EXPECT_EQ(playingCount, 0);
}
