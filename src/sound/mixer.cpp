#include "sound/mixer.h"
#include "platform/platform.h"
#include "shell/log.h"
#include "sound/sound_local.h"

#include <atomic>

static const int CHANNEL_COUNT = 2; // effects and music
static const int MAX_VOLUME = 255;
static const int DEFAULT_VOLUME = 255;
static const int64_t MAX_DELAY_SECONDS = 3600; // keeps the delay in range

static int rawVolumes[MIXER_CHANNELS];
static int scaledVolumes[MIXER_CHANNELS];
static int64_t lastMixTime;
static int64_t clockFrequency;
static int previousMix;
// A step makes two samples; when a buffer has room for only the first,
// the second opens the next buffer.
static int16_t carriedSample;
static bool carrying;
static bool outputOpen;
static bool outputRunning;
static std::atomic<bool> mixerActive{true};

void lockMixer() {
    if (outputOpen) platformLockAudio();
}

void unlockMixer() {
    if (outputOpen) platformUnlockAudio();
}

// Loudness follows the square of the slider; the channels share the range.
static int scaleVolume(int volume) {
    return volume * volume * MAX_VOLUME / (MAX_VOLUME * MAX_VOLUME) / CHANNEL_COUNT;
}

static int16_t saturate(int value) {
    if (value > INT16_MAX) return INT16_MAX;
    if (value < INT16_MIN) return INT16_MIN;
    return (int16_t)value;
}

// One sample of every playing sound, summed; moves every entry on.
static int mixStep() {
    int sum = 0;
    for (int i = 0; i < playingCount;) {
        const PlayingSound& entry = playingSounds[i];
        const SoundSlot& slot = soundSlots[entry.id];
        // A loop end or position beyond the samples plays as silence.
        if (entry.position >= 0 && entry.position - 1 <= slot.last) {
            unsigned channel = (unsigned)slot.channel;
            int volume = channel < (unsigned)MIXER_CHANNELS ? scaledVolumes[channel] : 0;
            sum += (slot.samples[entry.position] * volume) >> 1;
        }
        if (!advanceEntry(i)) i++; // a removed entry's place holds the next one
    }
    return sum;
}

// The device callback: fills `count` samples. Runs on the audio thread
// with the audio lock held, so it reads the clock unrecorded.
static void mixSoundBuffer(int16_t* out, int count) {
    int i = 0;
    if (!outputRunning) {
        while (i < count) out[i++] = 0;
        return;
    }
    recountChannelPlays();
    lastMixTime = platformCounterUnrecorded();
    bool active = mixerActive.load(std::memory_order_relaxed);
    if (carrying && count > 0) {
        out[i++] = carriedSample;
        carrying = false;
    }
    while (i < count) {
        if (!active || playingCount == 0) {
            out[i++] = 0;
            continue;
        }
        int16_t sum = saturate(mixStep());
        int16_t between = (int16_t)((sum + previousMix) >> 1);
        previousMix = sum;
        out[i++] = sum;
        if (i < count) {
            out[i++] = between;
        } else {
            carriedSample = between;
            carrying = true;
        }
    }
}

int32_t stepsSinceLastMix() {
    if (!outputOpen || clockFrequency <= 0) return 0;
    int64_t elapsed = counterSince(platformCounterUnrecorded(), lastMixTime);
    if (elapsed < 0) elapsed = 0; // never start a sound part-way in
    if (elapsed > MAX_DELAY_SECONDS * clockFrequency) elapsed = MAX_DELAY_SECONDS * clockFrequency;
    return (int32_t)(elapsed * AUDIO_RATE / clockFrequency);
}

bool openSoundOutput() {
    if (outputOpen) return true;
    clockFrequency = platformCounterFrequency();
    lastMixTime = platformCounterUnrecorded();
    recountChannelPlays();
    for (int channel = 0; channel < CHANNEL_COUNT; channel++)
        if (rawVolumes[channel] == 0) setChannelVolume(channel, DEFAULT_VOLUME);
    previousMix = 0;
    carrying = false;
    if (!platformOpenAudio(mixSoundBuffer)) {
        logAt(1, "Unable to open the audio device.\n", 0);
        return false;
    }
    outputOpen = true;
    return true;
}

void startSoundOutput() {
    if (!outputOpen) return;
    platformLockAudio();
    outputRunning = true;
    platformUnlockAudio();
    platformStartAudio();
}

void closeSoundOutput() {
    if (outputOpen) platformCloseAudio();
    outputOpen = false;
    outputRunning = false;
}

bool soundOutputOpen() { return outputOpen; }

void setMixerActive(bool active) { mixerActive.store(active, std::memory_order_relaxed); }

void setChannelVolume(int channel, int volume) {
    if (channel < 0 || channel >= MIXER_CHANNELS) return;
    if (volume < 0) volume = 0;
    if (volume > MAX_VOLUME) volume = MAX_VOLUME;
    lockMixer();
    rawVolumes[channel] = volume;
    scaledVolumes[channel] = scaleVolume(volume);
    unlockMixer();
}

int channelVolume(int channel) {
    if (channel < 0 || channel >= MIXER_CHANNELS) return 0;
    return rawVolumes[channel];
}
