// FLAC sounds as start-up loads them: in turn into each sound's slot of
// the game's table, with its loop points, then played looping and once
// through the mixer for a few output buffers.
#include "fuzz_support.h"
#include "platform/headless.h"
#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/soundfile.h"
#include "sound/sounds.h"

#include <vector>

static const int MIXED_BUFFERS = 8;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    if (!soundOutputOpen()) {
        openSoundOutput();
        startSoundOutput();
        setMixerActive(true);
    }
    // The first byte picks the table entry, so every loop-point pair meets
    // every file; the rest is the file.
    if (size < 1) return 0;
    const SoundFile& s = SOUND_FILES[data[0] % SOUND_FILE_COUNT];
    fuzzWriteData("fuzz.flac", data + 1, size - 1, true);
    if (readSound("fuzz.flac", s.id, s.channel, s.loopStart, s.loopEnd) == SOUND_READ) {
        if (s.loopWhole) loopWholeSound(s.id);
        playSoundLooping(s.id, 1);
        playSound(s.id);
        std::vector<int16_t> out(AUDIO_BUFFER_SAMPLES);
        for (int i = 0; i < MIXED_BUFFERS; i++) headlessPullAudio(out.data(), (int)out.size());
    }
    freeSoundSlots();
    return 0;
}
