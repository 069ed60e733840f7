// What the sound module's own files share: the slots, the list of sounds
// playing and the mixer's helpers. Every change to the list takes the
// audio lock, since the mixer walks it on the audio thread.
#pragma once
#include <cstdint>

const int SOUND_SLOT_COUNT = 40;
const int MAX_PLAYING_SOUNDS = 5;
const int MIXER_CHANNELS = 5;         // room for channels 0..4
const int FIRST_UNDELAYED_SOUND = 20; // engine sounds start at once

struct SoundSlot {
    int32_t channel;   // volume channel: 0 effects, 1 music
    int32_t last;      // last sample position played
    int32_t loopStart; // where a looping entry jumps back to
    int32_t loopEnd;   // after this position a looping entry jumps back
    int8_t* samples;   // last + 2 samples, malloc'ed; null when empty
};

struct PlayingSound {
    int32_t id;
    int32_t position; // negative: start delay in mixing steps
    int32_t loop;
};

extern SoundSlot soundSlots[SOUND_SLOT_COUNT];
extern PlayingSound playingSounds[MAX_PLAYING_SOUNDS];
extern int playingCount;

// Copies `length` samples into slot `id` (last = length - 2), replacing
// what it held. False when the id or length is unusable or memory runs out.
bool fillSoundSlot(int id, const int8_t* samples, int length, int channel, int loopStart,
                   int loopEnd);

// For the mixer, under the audio lock: moves entry `index` on by one
// mixing step; true when a one-shot ended and the entry was removed (the
// last entry now sits at `index`).
bool advanceEntry(int index);
// Playing entries per volume channel, recounted by each mixing pass.
void recountChannelPlays();
int channelPlayCount(int channel);

// Excludes the mixing pass while the playing list or the volumes change.
// Without an open device there is no audio thread and nothing to exclude.
void lockMixer();
void unlockMixer();
// Under lockMixer: the mixing steps since the latest pass, which is how
// far into the next buffer a sound asked for now should start.
int32_t stepsSinceLastMix();
