// Shared by the sound tests: a mixer running on the headless backend, test
// sounds put straight into slots, and FLAC files made with libFLAC's
// encoder (whole, or damaged on purpose).
#pragma once
#include "support/bytes.h"
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Each test starts with the output open and running, volumes 255, the
// program in the foreground, empty slots and an empty playing list.
class MixerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the device callback for `count` samples.
    std::vector<int16_t> pull(int count);
    // Puts these samples into slot id (last = size - 2).
    void putSound(int id, const std::vector<int8_t>& samples, int channel = 0, int loopStart = 0,
                  int loopEnd = 0);

private:
};

// Samples 0..count-1 of a deterministic wave in -128..127.
std::vector<int32_t> testWave(int count, int seed);
// Writes `interleaved` (frames x channels values) as a FLAC file.
bool writeFlac(const std::string& path, const std::vector<int32_t>& interleaved, int channels, int bits,
               int rate, int blocksize = 0);
// Rewrites the stream information's sample count, and clears its checksum
// so that only the count is wrong.
void setDeclaredSamples(const std::string& path, uint64_t total);
