// The baked sound folder, read back through the game's own loader: every
// file of the start-up table is playable, has room for its loop, loops
// without a click and is neither silent nor clipped. The whole bake's test
// checks that it bakes to the same bytes every time.
#include "bake/engine.h"
#include "bake/sound_set.h"
#include "bake/synth.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sound_local.h"
#include "sound/soundfile.h"
#include "support/baked_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

bool loops(const SoundFile& row) { return row.loopWhole || row.loopEnd > 0; }

// The slot's samples 0 .. last + 1.
std::vector<int> slotSamples(int id) {
    const SoundSlot& slot = soundSlots[id];
    if (!slot.samples) return {};
    return std::vector<int>(slot.samples, slot.samples + slot.last + 2);
}

// The firing rate of an engine sound around `at`: the lag of the strongest
// self-similarity, taking the shortest lag nearly as strong, so that a
// period of two firings is not mistaken for one.
double pitchAt(const std::vector<int>& s, int at) {
    const int window = 1600, minLag = 40, maxLag = 300;
    std::vector<double> score(maxLag + 1, 0.0);
    double best = 0;
    for (int lag = minLag; lag <= maxLag; lag++) {
        double cross = 0, a = 0, b = 0;
        for (int i = at; i < at + window; i++) {
            cross += (double)s[i] * s[i + lag];
            a += (double)s[i] * s[i];
            b += (double)s[i + lag] * s[i + lag];
        }
        score[lag] = a > 0 && b > 0 ? cross / std::sqrt(a * b) : 0;
        best = std::max(best, score[lag]);
    }
    for (int lag = minLag + 1; lag < maxLag; lag++)
        if (score[lag] >= 0.9 * best && score[lag] >= score[lag - 1] && score[lag] >= score[lag + 1])
            return (double)SOUND_RATE / lag;
    return 0;
}

// Share of a stretch's energy below `hz` (two one-pole low passes).
double lowShare(const std::vector<int>& s, int from, int to, double hz) {
    double a = 1 - std::exp(-TWO_PI * hz / SOUND_RATE), z1 = 0, z2 = 0, low = 0, all = 0;
    for (int i = from; i < to; i++) {
        z1 += a * (s[i] - z1);
        z2 += a * (z1 - z2);
        low += z2 * z2;
        all += (double)s[i] * s[i];
    }
    return all > 0 ? low / all : 0;
}

double crossingsPerSecond(const std::vector<int>& s, int from, int to) {
    int crossings = 0;
    for (int i = from + 1; i < to; i++) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * (double)SOUND_RATE / (to - from);
}

// How strongly a stretch repeats itself at any lag of 2 .. 300 samples.
double strongestSelfSimilarity(const std::vector<int>& s, int at, int window) {
    double best = 0;
    for (int lag = 2; lag <= 300; lag++) {
        double cross = 0, a = 0, b = 0;
        for (int i = at; i < at + window; i++) {
            cross += (double)s[i] * s[i + lag];
            a += (double)s[i] * s[i];
            b += (double)s[i + lag] * s[i + lag];
        }
        if (a > 0 && b > 0) best = std::max(best, cross / std::sqrt(a * b));
    }
    return best;
}

class BakedSounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        strcpy(savedFolder_, soundFolder);
        snprintf(soundFolder, sizeof soundFolder, "%s", bakedSoundFolder().c_str());
        for (const SoundFile& row : SOUND_FILES) loadSound(row.file, row.id, row.channel, row.loopStart, row.loopEnd);
        loopWholeSound(3);
        loopWholeSound(22);
    }
    static void TearDownTestSuite() {
        freeSoundSlots();
        strcpy(soundFolder, savedFolder_);
    }
    void SetUp() override { ASSERT_TRUE(bakedDataSetPresent()); }
    static std::string path(const char* file) { return bakedSoundFolder() + file; }

    static char savedFolder_[256];
};

char BakedSounds::savedFolder_[256];

TEST_F(BakedSounds, EveryFileIsEightBitMonoAtTheMixerRate) {
    for (const SoundFile& row : SOUND_FILES) {
        SCOPED_TRACE(row.file);
        std::unique_ptr<DecodedSound, void (*)(DecodedSound*)> sound(decodeFlacFile(path(row.file).c_str()),
                                                                    freeDecodedSound);
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->rate, 11025);
        EXPECT_EQ(sound->bits, 8);
        EXPECT_EQ(sound->channels, 1);
        EXPECT_EQ(sound->length, soundSlots[row.id].last + 2); // one byte a sample
    }
}

TEST_F(BakedSounds, EachLoopFitsItsSoundAndTheThemeRunsHalfAMinute) {
    for (const SoundFile& row : SOUND_FILES) {
        SCOPED_TRACE(row.file);
        const SoundSlot& slot = soundSlots[row.id];
        ASSERT_NE(slot.samples, nullptr);
        EXPECT_GE(slot.last, 100); // not a stub
        if (row.loopEnd > 0) {
            EXPECT_LE(slot.loopEnd, slot.last); // the loop never reads past the sound
            EXPECT_LT(slot.loopStart, slot.loopEnd);
        }
    }
    EXPECT_GE(soundSlots[20].last, 21000);
    EXPECT_GE(soundSlots[21].last, 194500);
    EXPECT_GE(soundSlots[13].last, 93200);
    EXPECT_EQ(soundSlots[3].loopEnd, soundSlots[3].last);
    EXPECT_GE((soundSlots[3].last + 1) / 11025.0, 30.0); // the loop plays positions 0 .. last
    // A click is short; a countdown beep is shorter than the second between beeps.
    EXPECT_LE(soundSlots[9].last, samplesOf(0.08));
    EXPECT_LE(soundSlots[10].last, samplesOf(0.08));
    EXPECT_LE(soundSlots[5].last, samplesOf(0.9));
}

TEST_F(BakedSounds, LoopsJoinWithoutAClick) {
    for (const SoundFile& row : SOUND_FILES) {
        if (!loops(row)) continue;
        SCOPED_TRACE(row.file);
        const SoundSlot& slot = soundSlots[row.id];
        std::vector<int> s = slotSamples(row.id);
        ASSERT_FALSE(s.empty());
        std::vector<int> steps, bends;
        for (int i = slot.loopStart; i + 1 < slot.loopEnd; i++) {
            steps.push_back(std::abs(s[i + 1] - s[i]));
            bends.push_back(std::abs(s[i + 2] - 2 * s[i + 1] + s[i]));
        }
        std::sort(steps.begin(), steps.end());
        std::sort(bends.begin(), bends.end());
        int typicalStep = std::max(steps[steps.size() * 95 / 100], 2);
        int typicalBend = std::max(bends[bends.size() * 99 / 100], 2);
        // After loopEnd the mixer plays loopStart: no jump there...
        EXPECT_LE(std::abs(s[slot.loopStart] - s[slot.loopEnd]), typicalStep);
        // ...and no kink: the step across carries on the step before it.
        int bend = (s[slot.loopStart] - s[slot.loopEnd]) - (s[slot.loopEnd] - s[slot.loopEnd - 1]);
        EXPECT_LE(std::abs(bend), typicalBend);
    }
}

TEST_F(BakedSounds, LoopsThatStartLateReplayTheRunUpToTheirStart) {
    // What leads up to the loop end is what led up to the loop start, so
    // the jump back is inaudible even over several firings.
    for (int id : {21, 13}) {
        const SoundSlot& slot = soundSlots[id];
        std::vector<int> s = slotSamples(id);
        ASSERT_FALSE(s.empty());
        int worst = 0;
        for (int k = 0; k < 2000; k++) worst = std::max(worst, std::abs(s[slot.loopEnd - k] - s[slot.loopStart - 1 - k]));
        EXPECT_LE(worst, 1) << "id " << id;
    }
}

TEST_F(BakedSounds, NoSoundIsSilentOrClippedAndOneShotsEndQuietly) {
    for (const SoundFile& row : SOUND_FILES) {
        SCOPED_TRACE(row.file);
        std::vector<int> s = slotSamples(row.id);
        ASSERT_FALSE(s.empty());
        int peak = 0, pinned = 0, run = 0, longestRun = 0;
        double energy = 0;
        for (int v : s) {
            peak = std::max(peak, std::abs(v));
            energy += (double)v * v;
            bool atLimit = v >= 127 || v <= -127;
            pinned += atLimit;
            run = atLimit ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
        double rms = std::sqrt(energy / s.size());
        EXPECT_GE(peak, 60);
        EXPECT_GE(rms, 5.0);
        EXPECT_LE(longestRun, 1);
        EXPECT_LE(pinned, (int)s.size() / 1000);
        if (!loops(row)) {
            // A one-shot that stops on a loud sample clicks.
            EXPECT_LE(std::abs(s[s.size() - 2]), 3);
            EXPECT_LE(std::abs(s[0]), 40);
        }
    }
}

TEST_F(BakedSounds, FullThrottlePitchFollowsTheSpeedItStartsAt) {
    // The race starts the sound at speed × 5000: the note there must be
    // that speed's, rising with the speed.
    std::vector<int> s = slotSamples(21);
    ASSERT_FALSE(s.empty());
    double previous = 0;
    for (int speed : {1, 4, 8, 12, 16, 20, 25, 30}) {
        double hz = pitchAt(s, speed * SAMPLES_PER_SPEED);
        EXPECT_NEAR(hz, engineHzAtSpeed(speed), engineHzAtSpeed(speed) * 0.06) << "speed " << speed;
        EXPECT_GT(hz, previous) << "speed " << speed;
        previous = hz;
    }
    // Across the loop the note carries on where it was.
    double atEnd = pitchAt(s, FULL_THROTTLE_LOOP_END - 1700);
    double atStart = pitchAt(s, FULL_THROTTLE_LOOP_START - 1700);
    EXPECT_NEAR(atEnd, atStart, atStart * 0.03);
}

TEST_F(BakedSounds, EnginesIdleLowRevHighInTheAirAndWindDownToIdle) {
    std::vector<int> idle = slotSamples(20), air = slotSamples(22), down = slotSamples(23);
    ASSERT_FALSE(idle.empty() || air.empty() || down.empty());
    double idleHz = pitchAt(idle, 5000);
    EXPECT_GT(idleHz, 25);
    EXPECT_LT(idleHz, 50);
    EXPECT_GT(pitchAt(air, 1000), engineHzAtSpeed(30) * 0.98);
    EXPECT_GT(pitchAt(down, 200), 110);
    EXPECT_NEAR(pitchAt(down, (int)down.size() - 4500), idleHz, idleHz * 0.2);
}

TEST_F(BakedSounds, EffectsSoundLikeWhatTheyStandFor) {
    std::vector<int> bump = slotSamples(11), skid = slotSamples(12), low = slotSamples(5), high = slotSamples(6);
    ASSERT_FALSE(bump.empty() || skid.empty() || low.empty() || high.empty());
    EXPECT_GT(lowShare(bump, 0, (int)bump.size(), 250), 0.5);   // a low thud
    EXPECT_LT(lowShare(skid, 0, (int)skid.size(), 250), 0.05);
    int mid = (int)skid.size() / 3;
    EXPECT_GT(crossingsPerSecond(skid, mid, mid + 2000), 1200); // hiss...
    EXPECT_LT(strongestSelfSimilarity(skid, mid, 1500), 0.5);   // ...with no note in it
    // The start beep is an octave above the countdown beeps.
    double lowHz = crossingsPerSecond(low, 100, 2500) / 2, highHz = crossingsPerSecond(high, 100, 2500) / 2;
    EXPECT_NEAR(lowHz, 440, 10);
    EXPECT_NEAR(highHz, 880, 20);
}

TEST(SoundSynth, EightBitScalingPutsThePeakWhereAskedAndKeepsSilenceSilent) {
    std::vector<int8_t> pcm = toPcm8({0.0f, 0.5f, -1.0f, 0.25f, -0.004f}, 100);
    EXPECT_EQ(pcm, (std::vector<int8_t>{0, 50, -100, 25, 0}));
    EXPECT_EQ(toPcm8({0.0f, 0.0f}, 100), (std::vector<int8_t>{0, 0}));
    EXPECT_EQ(toPcm8({2.0f, -2.0f}, 200), (std::vector<int8_t>{127, -127})); // never -128
}

TEST(SoundSynth, WrappedPartsFoldRoundTheEndAndWobbleRepeats) {
    Wave out(5, 0.0f);
    addWrapped(out, 3, {1, 2, 3, 4}, 2.0f);
    EXPECT_EQ(out, (Wave{6, 8, 0, 2, 4}));
    addWrapped(out, -1, {1}, 1.0f);
    EXPECT_EQ(out[4], 5.0f);

    BakeRandom random(5);
    Wave wobble = periodicWobble(random, 1000, 8);
    float largestStep = 0;
    for (int i = 0; i < 1000; i++) largestStep = std::max(largestStep, std::fabs(wobble[(i + 1) % 1000] - wobble[i]));
    EXPECT_LT(largestStep, 0.05f); // smooth everywhere, the wrap included
    EXPECT_GT(peakOf(wobble), 0.2f);
}

TEST(EngineSynth, FiringsFollowThePitchWithBoundedJitter) {
    EngineCurves curves;
    curves.hz.assign(SOUND_RATE + 50, 100.0);
    curves.load.assign(SOUND_RATE + 50, 1.0);
    EngineTone tone = bikeTone();
    BakeRandom random(7);
    std::vector<Firing> firings = firingsAlong(curves, tone, random);
    ASSERT_EQ(firings.size(), 100u); // one second at 100 firings a second
    double period = SOUND_RATE / 100.0;
    bool varied = false;
    for (size_t i = 1; i < firings.size(); i++) {
        EXPECT_NEAR(firings[i].nominal - firings[i - 1].nominal, period, 1e-6);
        EXPECT_NEAR(firings[i].time, firings[i].nominal, period * tone.timingJitter + 1e-9);
        varied |= firings[i].strength != firings[i - 1].strength;
    }
    EXPECT_TRUE(varied); // no two firings alike
}

TEST(EngineSynth, ALoopFromTheFirstSampleRepeatsItsRunInExactly) {
    // A wandering idle looping over its first 9001 samples: the samples
    // leading to the loop end must be those leading to the loop start.
    const int loop = 9001, runIn = LOOP_RUN_IN, length = runIn + loop + 2000;
    BakeRandom random(9);
    Wave wander = periodicWobble(random, loop, 5);
    EngineCurves curves;
    for (int p = 0; p < length; p++) {
        curves.hz.push_back(40 * (1 + 0.05 * wander[(p - runIn + loop) % loop]));
        curves.load.push_back(0.6);
    }
    int perLoop = closeLoopPhase(curves, runIn, runIn + loop - 1);
    EXPECT_GT(perLoop, 30);
    std::vector<Firing> firings = firingsAlong(curves, bikeTone(), random);
    repeatLoopRunIn(firings, runIn + loop - 1, perLoop);
    Wave out = renderEngine(firings, bikeTone(), length);
    float worst = 0;
    // The guard less the ring of a firing and the filters' memory.
    for (int k = 0; k < LOOP_GUARD - 1000; k++) worst = std::max(worst, std::fabs(out[runIn + loop - 1 - k] - out[runIn - 1 - k]));
    EXPECT_LT(worst, peakOf(out) * 1e-4f);
    EXPECT_GT(peakOf(out), 0.1f);
}

} // namespace
