#include "sound/sound_support.h"
#include "platform/headless.h"
#include "sound/effects.h"
#include "sound/soundfile.h"
#include "sound/sound_local.h"
#include "sound/mixer.h"

#include <FLAC/stream_encoder.h>
#include <cstdio>

void MixerTest::SetUp() {
    headlessReset();
    platformUse(headlessBackend());
    freeSoundSlots();
    setMixerActive(true);
    setChannelVolume(0, 255);
    setChannelVolume(1, 255);
    ASSERT_TRUE(openSoundOutput());
    startSoundOutput();
}

void MixerTest::TearDown() {
    closeSoundOutput();
    freeSoundSlots();
    setMixerActive(true);
}

std::vector<int16_t> MixerTest::pull(int count) {
    std::vector<int16_t> out(count, 0x5A5A); // never a mixed value in these tests
    headlessPullAudio(out.data(), count);
    return out;
}

void MixerTest::putSound(int id, const std::vector<int8_t>& samples, int channel, int loopStart, int loopEnd) {
    ASSERT_TRUE(fillSoundSlot(id, samples.data(), (int)samples.size(), channel, loopStart, loopEnd));
}

std::vector<int32_t> testWave(int count, int seed) {
    std::vector<int32_t> wave(count);
    uint32_t state = 2463534242u + (uint32_t)seed;
    for (int i = 0; i < count; i++) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        // A slow ramp plus noise: compressible, yet every value differs.
        wave[i] = (int32_t)((i / 7 + (state & 31)) % 256) - 128;
    }
    return wave;
}

bool writeFlac(const std::string& path, const std::vector<int32_t>& interleaved, int channels, int bits,
               int rate, int blocksize) {
    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    if (!encoder) return false;
    bool ok = FLAC__stream_encoder_set_channels(encoder, channels) &&
              FLAC__stream_encoder_set_bits_per_sample(encoder, bits) &&
              FLAC__stream_encoder_set_sample_rate(encoder, rate) &&
              FLAC__stream_encoder_set_compression_level(encoder, 5);
    if (ok && blocksize) ok = FLAC__stream_encoder_set_blocksize(encoder, blocksize);
    ok = ok && FLAC__stream_encoder_init_file(encoder, path.c_str(), nullptr, nullptr) ==
                   FLAC__STREAM_ENCODER_INIT_STATUS_OK;
    ok = ok && FLAC__stream_encoder_process_interleaved(encoder, interleaved.data(),
                                                        (uint32_t)(interleaved.size() / channels));
    ok = FLAC__stream_encoder_finish(encoder) && ok;
    FLAC__stream_encoder_delete(encoder);
    return ok;
}



// "fLaC", a 4-byte block header, then the stream information: the sample
// count is the low 4 bits of byte 21 and bytes 22..25; the checksum follows.
void setDeclaredSamples(const std::string& path, uint64_t total) {
    std::vector<uint8_t> bytes = readBytes(path);
    ASSERT_GE(bytes.size(), 42u);
    bytes[21] = (uint8_t)((bytes[21] & 0xF0) | ((total >> 32) & 0x0F));
    for (int i = 0; i < 4; i++) bytes[22 + i] = (uint8_t)(total >> (24 - 8 * i));
    for (int i = 26; i < 42; i++) bytes[i] = 0;
    writeBytes(path, bytes);
}
