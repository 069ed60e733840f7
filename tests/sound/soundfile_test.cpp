// FLAC sound files: decoding into slots, the first channel only, the rate
// and width rule, and damaged or hostile files failing cleanly.
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sound_local.h"
#include "sound/sound_support.h"
#include "sound/soundfile.h"
#include "support/game_fixture.h"

#include <cstdio>

class SoundFileTest : public MixerTest {
protected:
    void SetUp() override {
        MixerTest::SetUp();
        snprintf(soundFolder, sizeof soundFolder, "%s", (dir.base() + "Sound/").c_str());
    }
    std::string sound(const char* name) const { return dir.base() + "Sound/" + name; }
    // A mono 8-bit 11025 Hz file of testWave(count, seed).
    std::string monoFile(const char* name, int count, int seed = 1) {
        std::string path = sound(name);
        EXPECT_TRUE(writeFlac(path, testWave(count, seed), 1, 8, 11025));
        return path;
    }
    // Loads expecting failure; gives what went to stderr.
    std::string failedLoad(const char* name, int id = 0) {
        testing::internal::CaptureStderr();
        bool loaded = loadSound(name, id, 0, 0, 0);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << name;
        EXPECT_EQ(soundSlots[id].samples, nullptr) << name;
        return err;
    }
    static void expectSamples(int id, const std::vector<int32_t>& wave, size_t count) {
        ASSERT_NE(soundSlots[id].samples, nullptr);
        for (size_t i = 0; i < count; i++) ASSERT_EQ(soundSlots[id].samples[i], wave[i]) << "sample " << i;
    }
    GameDir dir;
};

TEST_F(SoundFileTest, MonoFileFillsTheSlotWithItsSamples) {
    monoFile("blub.flac", 30000);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loadSound("blub.flac", 0, 1, 5, 600));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "decoded 30000 bytes.\n");
    const SoundSlot& slot = soundSlots[0];
    EXPECT_EQ(slot.last, 29998);
    EXPECT_EQ(slot.channel, 1);
    EXPECT_EQ(slot.loopStart, 5);
    EXPECT_EQ(slot.loopEnd, 600);
    expectSamples(0, testWave(30000, 1), 30000);
}

TEST_F(SoundFileTest, LongSoundsGrowTheBufferByDoubling) {
    std::string path = monoFile("theme.flac", 300000, 2);
    DecodedSound* decoded = decodeFlacFile(path.c_str());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->length, 300000);
    EXPECT_EQ(decoded->capacity, 512000); // 64000 doubled three times
    EXPECT_EQ(decoded->bits, 8);
    EXPECT_EQ(decoded->channels, 1);
    EXPECT_EQ(decoded->rate, 11025);
    freeDecodedSound(decoded);
    ASSERT_TRUE(loadSound("theme.flac", 3, 1, 0, 0));
    loopWholeSound(3);
    EXPECT_EQ(soundSlots[3].loopEnd, 299998);
    expectSamples(3, testWave(300000, 2), 300000);
}

TEST_F(SoundFileTest, StereoKeepsTheFirstChannelAndOtherRatesAreAccepted) {
    std::vector<int32_t> left = testWave(5000, 3), right = testWave(5000, 4), both;
    for (int i = 0; i < 5000; i++) both.insert(both.end(), {left[i], right[i]});
    ASSERT_TRUE(writeFlac(sound("skid.flac"), both, 2, 8, 44100));
    ASSERT_TRUE(loadSound("skid.flac", 12, 0, 0, 0));
    EXPECT_EQ(soundSlots[12].last, 4998);
    expectSamples(12, left, 5000);

    std::vector<int32_t> extremes = {-128, 127, -128, 127, 0, -1};
    ASSERT_TRUE(writeFlac(sound("bump.flac"), extremes, 1, 8, 11025));
    ASSERT_TRUE(loadSound("bump.flac", 11, 0, 0, 0));
    expectSamples(11, extremes, extremes.size());
}

TEST_F(SoundFileTest, MissingFilesLeaveTheSlotEmptyWithoutAWord) {
    EXPECT_EQ(failedLoad("agony.flac", 4), "");
    EXPECT_FALSE(loadSound(nullptr, 4, 0, 0, 0));
    monoFile("blub.flac", 100);
    EXPECT_FALSE(loadSound("blub.flac", SOUND_SLOT_COUNT, 0, 0, 0));
}

TEST_F(SoundFileTest, TruncatedAndBitFlippedFilesFailWithAReason) {
    std::string path = monoFile("whole.flac", 20000);
    std::vector<uint8_t> bytes = readBytes(path);
    ASSERT_GT(bytes.size(), 1000u);

    writeBytes(sound("cut.flac"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    std::string err = failedLoad("cut.flac");
    EXPECT_NE(err.find("[ERROR] Sound file " + sound("cut.flac") + ": the file is truncated\n"), std::string::npos)
        << err;

    writeBytes(sound("head.flac"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20));
    EXPECT_NE(failedLoad("head.flac").find(sound("head.flac")), std::string::npos);

    std::vector<uint8_t> flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x10;
    writeBytes(sound("flip.flac"), flipped);
    err = failedLoad("flip.flac");
    EXPECT_NE(err.find("*** Got error code"), std::string::npos) << err;
    EXPECT_NE(err.find(sound("flip.flac") + ": the file is damaged\n"), std::string::npos) << err;

    writeBytes(sound("empty.flac"), {});
    EXPECT_NE(failedLoad("empty.flac").find("no FLAC stream information"), std::string::npos);
    writeBytes(sound("text.flac"), std::vector<uint8_t>(5000, 'x'));
    EXPECT_NE(failedLoad("text.flac").find(sound("text.flac") + ": no FLAC stream"), std::string::npos);
    ASSERT_TRUE(writeFlac(sound("silent.flac"), {}, 1, 8, 11025));
    EXPECT_NE(failedLoad("silent.flac").find("the file holds no samples"), std::string::npos);
}

TEST_F(SoundFileTest, AnyDamageFailsCleanlyOrDecodesWhole) {
    std::string path = monoFile("whole.flac", 6000, 5);
    std::vector<uint8_t> bytes = readBytes(path);
    uint32_t state = 12345;
    auto next = [&state] { return state = state * 1103515245u + 12345u; };
    testing::internal::CaptureStderr();
    int loaded = 0;
    for (int round = 0; round < 300; round++) {
        std::vector<uint8_t> damaged = bytes;
        int flips = 1 + (int)(next() >> 16) % 4;
        for (int f = 0; f < flips; f++) damaged[(next() >> 8) % damaged.size()] ^= (uint8_t)(1 << ((next() >> 16) % 8));
        if (round % 3 == 0) damaged.resize((next() >> 8) % damaged.size());
        writeBytes(sound("fuzz.flac"), damaged);
        if (!loadSound("fuzz.flac", 0, 0, 0, 0)) continue;
        // Only a flip the checks cannot see (metadata padding, say) loads.
        loaded++;
        ASSERT_EQ(soundSlots[0].last, 5998);
        freeSoundSlots();
    }
    testing::internal::GetCapturedStderr();
    EXPECT_LT(loaded, 30) << loaded;
}

TEST_F(SoundFileTest, SoundsTooLongAreRefusedWithoutDecodingThemWhole) {
    std::string path = monoFile("long.flac", 100000);
    testing::internal::CaptureStderr();
    EXPECT_EQ(decodeFlacFile(path.c_str(), 99999), nullptr) << "the declared length is over the limit";
    EXPECT_NE(testing::internal::GetCapturedStderr().find("the sound is too long"), std::string::npos);

    setDeclaredSamples(path, 0); // a stream that does not say how long it is
    testing::internal::CaptureStderr();
    EXPECT_EQ(decodeFlacFile(path.c_str(), 99999), nullptr) << "caught while decoding";
    EXPECT_NE(testing::internal::GetCapturedStderr().find("the sound is too long"), std::string::npos);
    DecodedSound* whole = decodeFlacFile(path.c_str(), 100000);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->length, 100000);
    freeDecodedSound(whole);

    setDeclaredSamples(path, (1ull << 36) - 1); // claims 19 hours
    EXPECT_NE(failedLoad("long.flac").find("the sound is too long"), std::string::npos);
    setDeclaredSamples(path, 40000); // says less than it holds
    EXPECT_NE(failedLoad("long.flac").find("the file is damaged"), std::string::npos);
}

TEST_F(SoundFileTest, WidthsOtherThan8And16LeaveTheSlotEmpty) {
    std::vector<int32_t> wave = testWave(1000, 6);
    for (int32_t& s : wave) s *= 4096; // 20-bit range
    ASSERT_TRUE(writeFlac(sound("wide.flac"), wave, 1, 20, 11025));
    EXPECT_NE(failedLoad("wide.flac").find("the sample width is not supported"), std::string::npos);
}

using SoundFileDeathTest = SoundFileTest;

TEST_F(SoundFileDeathTest, Files16BitOrAt22050HzEndTheProgramNamingTheFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::vector<int32_t> wave = testWave(1000, 7);
    ASSERT_TRUE(writeFlac(sound("fast.flac"), wave, 1, 8, 22050));
    for (int32_t& s : wave) s *= 256;
    ASSERT_TRUE(writeFlac(sound("deep.flac"), wave, 1, 16, 11025));
    EXPECT_EXIT(loadSound("fast.flac", 0, 0, 0, 0), testing::ExitedWithCode(1),
                "\\[ERROR\\] Sound file .*Sound/fast\\.flac: sampled at 22050 Hz");
    EXPECT_EXIT(loadSound("deep.flac", 0, 0, 0, 0), testing::ExitedWithCode(1),
                "\\[ERROR\\] Sound file .*Sound/deep\\.flac: 16-bit samples; sounds must be 8-bit");
}
