#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/sound_local.h"
#include "sound/soundfile.h"

#include <cstdlib>
#include <cstring>

SoundSlot soundSlots[SOUND_SLOT_COUNT];
PlayingSound playingSounds[MAX_PLAYING_SOUNDS];
int playingCount;

static int channelPlays[MIXER_CHANNELS];

static bool validId(int id) { return id >= 0 && id < SOUND_SLOT_COUNT; }
static bool validChannel(int channel) { return channel >= 0 && channel < MIXER_CHANNELS; }

// Everything marked "locked" runs under lockMixer.

static void removeEntry(int index) { // locked
    int channel = soundSlots[playingSounds[index].id].channel;
    playingSounds[index] = playingSounds[--playingCount];
    if (validChannel(channel) && channelPlays[channel] > 0) channelPlays[channel]--;
}

static void removeEntries(int id) { // locked
    for (int i = 0; i < playingCount;) {
        if (playingSounds[i].id == id)
            removeEntry(i); // the moved-in entry is examined next
        else
            i++;
    }
}

// Empties a slot, freeing its samples unless another slot shares them.
static void emptySlot(int id) { // locked
    removeEntries(id);
    int8_t* samples = soundSlots[id].samples;
    soundSlots[id] = SoundSlot{};
    if (!samples) return;
    for (const SoundSlot& other : soundSlots)
        if (other.samples == samples) return;
    free(samples);
}

void playSoundLooping(int id, int loop) {
    if (!validId(id) || !soundSlots[id].samples) return;
    lockMixer();
    if (playingCount < MAX_PLAYING_SOUNDS) {
        // Sounds asked for between two mixing passes start as far into the
        // next buffer as they came after the last pass; engines at once.
        int32_t position = id < FIRST_UNDELAYED_SOUND ? -stepsSinceLastMix() : 0;
        playingSounds[playingCount++] = PlayingSound{id, position, loop};
        int channel = soundSlots[id].channel;
        if (validChannel(channel)) channelPlays[channel]++;
    }
    unlockMixer();
}

void playSound(int id) { playSoundLooping(id, 0); }

void stopSound(int id) {
    lockMixer();
    removeEntries(id);
    unlockMixer();
}

void endLoop(int id) {
    lockMixer();
    for (int i = 0; i < playingCount; i++)
        if (playingSounds[i].id == id) playingSounds[i].loop = 0;
    unlockMixer();
}

void setSoundPosition(int id, int position) {
    lockMixer();
    for (int i = 0; i < playingCount; i++)
        if (playingSounds[i].id == id) playingSounds[i].position = position;
    unlockMixer();
}

int soundPlayCount(int id) {
    int count = 0;
    lockMixer();
    for (int i = 0; i < playingCount; i++)
        if (playingSounds[i].id == id) count++;
    unlockMixer();
    return count;
}

void loopWholeSound(int id) {
    if (!validId(id)) return;
    lockMixer();
    soundSlots[id].loopEnd = soundSlots[id].last;
    unlockMixer();
}

void replicateSoundSlots(int copies, int count, int first) {
    lockMixer();
    for (int k = 1; k < copies; k++) {
        for (int j = 0; j < count; j++) {
            int from = first + j;
            int to = first + k * count + j;
            if (!validId(from) || !validId(to) || to == from) continue;
            SoundSlot copy = soundSlots[from];
            emptySlot(to);
            soundSlots[to] = copy; // shares the samples
        }
    }
    unlockMixer();
}

bool fillSoundSlot(int id, const int8_t* samples, int length, int channel, int loopStart,
                   int loopEnd) {
    if (!validId(id) || !samples || length < 1) return false;
    int8_t* copy = (int8_t*)malloc(length);
    if (!copy) return false;
    memcpy(copy, samples, length);
    lockMixer();
    emptySlot(id);
    soundSlots[id] = SoundSlot{channel, length - 2, loopStart, loopEnd, copy};
    unlockMixer();
    return true;
}

void freeSoundSlots() {
    lockMixer();
    playingCount = 0;
    memset(channelPlays, 0, sizeof channelPlays);
    for (int id = 0; id < SOUND_SLOT_COUNT; id++) {
        int8_t* samples = soundSlots[id].samples;
        for (SoundSlot& slot : soundSlots)
            if (slot.samples == samples) slot = SoundSlot{};
        free(samples);
    }
    unlockMixer();
}

bool advanceEntry(int index) { // locked
    PlayingSound& entry = playingSounds[index];
    const SoundSlot& slot = soundSlots[entry.id];
    if (entry.loop) {
        if (entry.position < slot.loopEnd)
            entry.position++;
        else
            entry.position = slot.loopStart;
        return false;
    }
    if (entry.position < slot.last) {
        entry.position++;
        return false;
    }
    removeEntry(index);
    return true;
}

void recountChannelPlays() { // locked
    memset(channelPlays, 0, sizeof channelPlays);
    for (int i = 0; i < playingCount; i++) {
        int channel = soundSlots[playingSounds[i].id].channel;
        if (validChannel(channel)) channelPlays[channel]++;
    }
}

int channelPlayCount(int channel) { return validChannel(channel) ? channelPlays[channel] : 0; }
