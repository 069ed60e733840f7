// The software mixer on the audio device: 22050 Hz, 16-bit mono. Each
// mixing step yields two output samples, so sounds play at 11025 Hz.
#pragma once
#include <cstdint>

bool openSoundOutput();
void startSoundOutput();
// Closes the device; harmless when nothing is open.
void closeSoundOutput();
void setChannelVolume(int channel, int volume);
int channelVolume(int channel);

// Excludes the mixing pass while the playing list or the volumes change.
// Without an open device there is no audio thread and nothing to exclude.
void lockMixer();
void unlockMixer();
// Under lockMixer: the mixing steps since the latest pass, which is how
// far into the next buffer a sound asked for now should start.
int32_t stepsSinceLastMix();
