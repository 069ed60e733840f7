#include "sound/soundfile.h"
#include "shell/loop.h"
#include "sound/sound_local.h"

#include <FLAC/stream_decoder.h>
#include <cstdio>
#include <cstdlib>

static const int UNSUPPORTED_RATE = 22050;
static const int UNSUPPORTED_BITS = 16;

// What one decoding run knows beyond the record it fills.
struct FlacDecode {
    DecodedSound* sound;
    int32_t limit;
    uint64_t declaredSamples; // from the stream information; 0 = unknown
    uint64_t decodedSamples;
    int streamErrors;
    const char* reason; // why the decoding was given up
};

static int bytesPerSample(int bits) {
    if (bits == 8) return 1;
    if (bits == 16) return 2;
    return 0;
}

static void giveUp(FlacDecode& decode, const char* reason) {
    decode.sound->failed = 1;
    if (!decode.reason) decode.reason = reason;
}

// Makes room for `extra` more bytes, doubling the buffer as often as it
// takes, never beyond the limit.
static bool makeRoom(FlacDecode& decode, int64_t extra) {
    DecodedSound& sound = *decode.sound;
    int64_t needed = sound.length + extra;
    if (needed > decode.limit) {
        giveUp(decode, "the sound is too long");
        return false;
    }
    if (needed <= sound.capacity) return true;
    int64_t capacity = sound.capacity;
    while (capacity < needed) capacity *= 2;
    if (capacity > decode.limit) capacity = decode.limit;
    uint8_t* data = (uint8_t*)realloc(sound.data, capacity);
    if (!data) {
        giveUp(decode, "out of memory");
        return false;
    }
    sound.data = data;
    sound.capacity = (int32_t)capacity;
    return true;
}

static FLAC__StreamDecoderWriteStatus onFrame(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                              const FLAC__int32* const channels[], void* client) {
    FlacDecode& decode = *(FlacDecode*)client;
    DecodedSound& sound = *decode.sound;
    int bytes = bytesPerSample(sound.bits);
    if (sound.failed) return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    if (bytes == 0) {
        giveUp(decode, sound.bits ? "the sample width is not supported" : "the stream information is missing");
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    }
    if ((int)frame->header.bits_per_sample != sound.bits) {
        giveUp(decode, "the file is damaged");
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    }
    uint32_t count = frame->header.blocksize;
    if (!makeRoom(decode, (int64_t)count * bytes)) return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    const FLAC__int32* first = channels[0]; // the other channels are dropped
    uint8_t* out = sound.data + sound.length;
    for (uint32_t i = 0; i < count; i++) {
        *out++ = (uint8_t)first[i]; // the low byte
        if (bytes == 2) *out++ = (uint8_t)(first[i] >> 8);
    }
    sound.length += (int32_t)(count * bytes);
    decode.decodedSamples += count;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

static void onMetadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* metadata, void* client) {
    if (metadata->type != FLAC__METADATA_TYPE_STREAMINFO) return;
    FlacDecode& decode = *(FlacDecode*)client;
    const FLAC__StreamMetadata_StreamInfo& info = metadata->data.stream_info;
    decode.sound->bits = (int32_t)info.bits_per_sample;
    decode.sound->channels = (int32_t)info.channels;
    decode.sound->rate = (int32_t)info.sample_rate;
    decode.declaredSamples = info.total_samples;
    // Refuse a sound that says it is too long before decoding any of it.
    int bytes = bytesPerSample(decode.sound->bits);
    if (bytes && info.total_samples > (uint64_t)decode.limit / bytes) giveUp(decode, "the sound is too long");
}

static void onError(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus status, void* client) {
    fprintf(stderr, "*** Got error code %d\n", (int)status);
    ((FlacDecode*)client)->streamErrors++;
}

// Runs the decoder over the file; false with a reason when it failed.
static bool runDecoder(const char* path, FlacDecode& decode) {
    FLAC__StreamDecoder* decoder = FLAC__stream_decoder_new();
    if (!decoder) {
        giveUp(decode, "out of memory");
        return false;
    }
    FLAC__stream_decoder_set_md5_checking(decoder, true);
    bool ran = false;
    if (FLAC__stream_decoder_init_file(decoder, path, onFrame, onMetadata, onError, &decode) ==
        FLAC__STREAM_DECODER_INIT_STATUS_OK) {
        FLAC__stream_decoder_process_until_end_of_stream(decoder);
        bool ended = FLAC__stream_decoder_get_state(decoder) == FLAC__STREAM_DECODER_END_OF_STREAM;
        bool intact = FLAC__stream_decoder_finish(decoder); // false on a checksum mismatch
        ran = ended && intact;
    } else {
        giveUp(decode, "the file cannot be read");
    }
    FLAC__stream_decoder_delete(decoder);
    return ran;
}

static const char* failureReason(const FlacDecode& decode, bool ran) {
    if (decode.reason) return decode.reason;
    if (decode.sound->bits == 0) return "no FLAC stream information";
    bool declared = decode.declaredSamples != 0;
    if (declared && decode.decodedSamples < decode.declaredSamples) return "the file is truncated";
    if (declared && decode.decodedSamples > decode.declaredSamples) return "the file is damaged";
    if (!ran || decode.streamErrors) return "the file is damaged";
    if (decode.sound->length == 0) return "the file holds no samples";
    return nullptr;
}

void freeDecodedSound(DecodedSound* sound) {
    if (!sound) return;
    free(sound->data);
    free(sound);
}

DecodedSound* decodeFlacFile(const char* path, int32_t limit) {
    DecodedSound* sound = (DecodedSound*)calloc(1, sizeof(DecodedSound));
    if (!sound) return nullptr;
    int32_t start = SOUND_BUFFER_START < limit ? SOUND_BUFFER_START : limit;
    sound->data = (uint8_t*)malloc(start > 0 ? start : 1);
    if (!sound->data) {
        free(sound);
        return nullptr;
    }
    sound->capacity = start;
    FlacDecode decode = {sound, limit, 0, 0, 0, nullptr};
    bool ran = runDecoder(path, decode);
    const char* reason = failureReason(decode, ran);
    if (reason) {
        fprintf(stderr, "[ERROR] Sound file %s: %s\n", path, reason);
        freeDecodedSound(sound);
        return nullptr;
    }
    printf("decoded %d bytes.\n", sound->length);
    return sound;
}

// Sounds play at 11025 samples a second and in 8 bits; a file made for
// another rate or width means the data set is wrong.
static const char* unplayableReason(const DecodedSound* sound) {
    if (sound->rate == UNSUPPORTED_RATE) return "sampled at 22050 Hz; sounds must be recorded at 11025 Hz";
    if (sound->bits == UNSUPPORTED_BITS) return "16-bit samples; sounds must be 8-bit";
    return nullptr;
}

SoundReadResult readSound(const char* name, int id, int channel, int loopStart, int loopEnd) {
    if (!name || id < 0 || id >= SOUND_SLOT_COUNT) return SOUND_NOT_READ;
    char path[512];
    if (snprintf(path, sizeof path, "%s%s", soundFolder, name) >= (int)sizeof path) return SOUND_NOT_READ;
    FILE* test = fopen(path, "rb");
    if (!test) return SOUND_NOT_READ; // a missing sound is allowed: the slot stays empty
    fclose(test);
    DecodedSound* sound = decodeFlacFile(path);
    if (!sound) return SOUND_NOT_READ;
    SoundReadResult result = SOUND_UNPLAYABLE;
    if (const char* reason = unplayableReason(sound))
        fprintf(stderr, "[ERROR] Sound file %s: %s\n", path, reason);
    else if (fillSoundSlot(id, (const int8_t*)sound->data, sound->length, channel, loopStart, loopEnd))
        result = SOUND_READ;
    else
        result = SOUND_NOT_READ;
    freeDecodedSound(sound);
    return result;
}

// The game will not run with a data set whose sounds it cannot play.
bool loadSound(const char* name, int id, int channel, int loopStart, int loopEnd) {
    SoundReadResult result = readSound(name, id, channel, loopStart, loopEnd);
    if (result == SOUND_UNPLAYABLE) exit(1);
    return result == SOUND_READ;
}
