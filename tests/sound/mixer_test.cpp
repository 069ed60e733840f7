// The mixing pass as the device runs it: output samples for known sounds,
// volumes, smoothing, saturation, silence in the background.
#include "platform/headless.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sound_local.h"
#include "sound/mixer.h"
#include "sound/sound_support.h"

using Samples = std::vector<int16_t>;

static Samples head(const Samples& out, int count) { return Samples(out.begin(), out.begin() + count); }

static bool allZero(const Samples& out, size_t from = 0) {
    for (size_t i = from; i < out.size(); i++)
        if (out[i] != 0) return false;
    return true;
}

TEST_F(MixerTest, OneSoundAtFullVolumeGivesEachSampleAndTheStepBetween) {
    putSound(1, {100, -50, 127, -128, 1, 99}); // last = 4: the 99 is never played
    playSound(1);
    Samples out = pull(AUDIO_BUFFER_SAMPLES);
    // Volume 255 scales by 127; each step writes (s * 127) >> 1, then the
    // average with the step before.
    Samples expected = {6350, 3175, -3175, 1587, 8064, 2444, -8128, -32, 63, -4033};
    EXPECT_EQ(head(out, 10), expected);
    EXPECT_TRUE(allZero(out, 10)) << "a one-shot of n samples lasts 2n output samples";
    EXPECT_EQ(playingCount, 0);
}

TEST_F(MixerTest, SmoothingCarriesAcrossBuffersAndOddBufferSizes) {
    putSound(1, {100, -50, 127, -128, 1, 99});
    playSound(1);
    Samples whole = pull(12);
    putSound(1, {100, -50, 127, -128, 1, 99});
    playSound(1);
    Samples pieces;
    for (int size : {1, 3, 2, 5, 1}) {
        Samples part = pull(size);
        pieces.insert(pieces.end(), part.begin(), part.end());
    }
    // The second run starts from the first run's last step (63), not 0.
    Samples expected = {6350, (6350 + 63) >> 1, -3175, 1587, 8064, 2444, -8128, -32, 63, -4033, 0, 0};
    EXPECT_EQ(pieces, expected);
    EXPECT_EQ(head(whole, 2), Samples({6350, 3175}));
}

TEST_F(MixerTest, ChannelVolumesAreScaledBySquareAndShared) {
    setChannelVolume(1, 180);
    EXPECT_EQ(channelVolume(1), 180);
    putSound(2, {100, 100}, 1);
    playSound(2);
    // 180 scales to 63: (100 * 63) >> 1.
    EXPECT_EQ(head(pull(4), 2), Samples({3150, 1575}));

    setChannelVolume(1, 300);
    EXPECT_EQ(channelVolume(1), 255);
    setChannelVolume(1, -4);
    EXPECT_EQ(channelVolume(1), 0);
    playSound(2);
    // Volume 0 is silence; the step between still eases down from the
    // last step mixed.
    EXPECT_EQ(head(pull(4), 4), Samples({0, 1575, 0, 0}));

    setChannelVolume(7, 100);
    EXPECT_EQ(channelVolume(7), 0);
    EXPECT_EQ(channelVolume(0), 255);
    setChannelVolume(4, 100); // channels 0..4 exist, two of them in use
    EXPECT_EQ(channelVolume(4), 100);
}

TEST_F(MixerTest, LoudMixesSaturateInsteadOfWrapping) {
    for (int id = 0; id < 5; id++) putSound(id, {127, 127, 127, 127});
    for (int id = 0; id < 5; id++) playSound(id);
    // 5 x 8064 = 40320 would wrap to -25216 in 16 bits.
    EXPECT_EQ(head(pull(6), 6), Samples({32767, 16383, 32767, 32767, 32767, 32767}));

    for (int id = 0; id < 5; id++) putSound(id, {-128, -128, -128});
    for (int id = 0; id < 5; id++) playSound(id);
    // 5 x -8128 = -40640 would wrap to 24896; the step between averages
    // the two written samples.
    EXPECT_EQ(head(pull(4), 4), Samples({-32768, -1, -32768, -32768}));
}

TEST_F(MixerTest, SoundsStartAsLateAfterAPassAsTheyWereAskedFor) {
    putSound(3, {100, 100, 100});
    putSound(21, {50, 50, 50});
    pull(AUDIO_BUFFER_SAMPLES); // a pass at time 0
    headlessAdvanceMs(10);
    playSound(3);
    playSound(21);
    ASSERT_EQ(playingCount, 2);
    EXPECT_EQ(playingSounds[0].position, -220) << "10 ms at a 1 MHz counter";
    EXPECT_EQ(playingSounds[1].position, 0) << "engine sounds start at once";
    stopSound(21);

    Samples out = pull(AUDIO_BUFFER_SAMPLES);
    EXPECT_TRUE(allZero(head(out, 440)));
    EXPECT_EQ(out[440], 6350);
    EXPECT_EQ(out[441], 3175);
    EXPECT_EQ(out[442], 6350);

    // The pass just taken restarts the delay.
    playSound(3);
    EXPECT_EQ(playingSounds[0].position, 0);
}

TEST_F(MixerTest, LoopsJumpBackUntilEndLoopLetsThemRunOut) {
    std::vector<int8_t> ramp;
    for (int i = 0; i < 10; i++) ramp.push_back((int8_t)(10 * (i + 1))); // last = 8
    putSound(22, ramp, 0, 2, 5);
    playSoundLooping(22, 1);
    auto positionsOf = [](const Samples& out) {
        std::vector<int> positions;
        for (size_t i = 0; i < out.size(); i += 2)
            positions.push_back(out[i] == 0 ? -1 : out[i] / 635 - 1); // (10(p+1) * 127) >> 1
        return positions;
    };
    EXPECT_EQ(positionsOf(pull(20)), std::vector<int>({0, 1, 2, 3, 4, 5, 2, 3, 4, 5}));
    EXPECT_EQ(positionsOf(pull(8)), std::vector<int>({2, 3, 4, 5}));
    endLoop(22);
    EXPECT_EQ(positionsOf(pull(16)), std::vector<int>({2, 3, 4, 5, 6, 7, 8, -1}));
    EXPECT_EQ(soundPlayCount(22), 0);
}

TEST_F(MixerTest, PositionsBeyondTheSamplesPlayAsSilence) {
    putSound(22, {100, 100, 100, 100}, 0, 1, 40000); // loop end past the sound
    playSoundLooping(22, 1);
    Samples out = pull(AUDIO_BUFFER_SAMPLES);
    // Positions 0..3 are inside the sound (3 is the one after last).
    EXPECT_EQ(head(out, 10), Samples({6350, 3175, 6350, 6350, 6350, 6350, 6350, 6350, 0, 3175}));
    EXPECT_TRUE(allZero(out, 10));
    EXPECT_EQ(playingSounds[0].position, 512);
    stopSound(22);

    putSound(1, {100, 100, 100, 100});
    playSound(1);
    setSoundPosition(1, 1 << 30);
    EXPECT_TRUE(allZero(pull(16)));
    EXPECT_EQ(playingCount, 0);

    playSound(1);
    setSoundPosition(1, 3);
    EXPECT_EQ(head(pull(4), 4), Samples({6350, 3175, 0, 0}));
}

TEST_F(MixerTest, BackgroundGivesSilenceAndKeepsPositions) {
    std::vector<int8_t> ramp;
    for (int i = 0; i < 50; i++) ramp.push_back((int8_t)(i + 1));
    putSound(1, ramp);
    playSound(1);
    pull(8); // positions 0..3 played
    setMixerActive(false);
    EXPECT_TRUE(allZero(pull(AUDIO_BUFFER_SAMPLES)));
    EXPECT_EQ(playingSounds[0].position, 4);
    setMixerActive(true);
    EXPECT_EQ(pull(2)[0], (5 * 127) >> 1);
}

TEST_F(MixerTest, NothingIsMixedBeforeStartOrAfterClose) {
    closeSoundOutput();
    EXPECT_FALSE(headlessAudioOpen());
    closeSoundOutput(); // twice is harmless
    putSound(1, {100, 100, 100});
    playSound(1); // a silent run still keeps the list
    EXPECT_EQ(soundPlayCount(1), 1);

    ASSERT_TRUE(openSoundOutput());
    EXPECT_TRUE(allZero(pull(16))) << "not started yet";
    EXPECT_EQ(playingSounds[0].position, 0);
    startSoundOutput();
    EXPECT_EQ(pull(2)[0], 6350);
}
