// The software mixer on the audio device: 22050 Hz, 16-bit mono. Each
// mixing step yields two output samples, so sounds play at 11025 Hz.
#pragma once
#include <cstdint>

bool openSoundOutput();
void startSoundOutput();
// Closes the device; harmless when nothing is open.
void closeSoundOutput();
bool soundOutputOpen();
// The game tells the mixer whether it is in the foreground; the audio
// thread mixes silence while it is not.
void setMixerActive(bool active);
// Volume channels: 0 effects, 1 music; volumes 0..255.
const int EFFECTS_CHANNEL = 0;
const int MUSIC_CHANNEL = 1;
void setChannelVolume(int channel, int volume);
int channelVolume(int channel);
