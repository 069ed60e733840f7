// Sound files: FLAC, 8-bit, decoded whole into a sound slot at start-up.
#pragma once
#include <cstdint>

const int SOUND_BUFFER_START = 64000;
// No sound may decode to more bytes than this (about 25 minutes at
// 11025 Hz), whatever its file claims.
const int SOUND_SIZE_LIMIT = SOUND_BUFFER_START << 8;

// The samples of a decoded file: for 8-bit streams one byte per sample,
// for 16-bit streams two (little-endian); only the first channel.
struct DecodedSound {
    uint8_t* data;
    int32_t capacity;
    int32_t length;
    int32_t bits;
    int32_t channels;
    int32_t rate;
    int32_t failed;
};

// Decodes `soundFolder` + name into slot id. A missing file leaves the
// slot empty without a word; a damaged one with a line on stderr. A file
// at 22050 Hz or of 16-bit samples ends the process with status 1.
bool loadSound(const char* name, int id, int channel, int loopStart, int loopEnd);

// What loadSound does short of ending the process: the slot is filled
// only when the result is SOUND_READ.
enum SoundReadResult { SOUND_READ, SOUND_NOT_READ, SOUND_UNPLAYABLE };
SoundReadResult readSound(const char* name, int id, int channel, int loopStart, int loopEnd);

// Null when the file is missing, damaged, holds no samples or would
// decode to more than `limit` bytes; the reason goes to stderr.
DecodedSound* decodeFlacFile(const char* path, int32_t limit = SOUND_SIZE_LIMIT);
void freeDecodedSound(DecodedSound* sound);

// After loading: slot `id` loops over the whole of its samples.
void loopWholeSound(int id);
// Copies slots first .. first + count - 1 into the next copies - 1 blocks
// of `count` slots, sharing the samples.
void replicateSoundSlots(int copies, int count, int first);
// Empties every slot and the playing list.
void freeSoundSlots();
