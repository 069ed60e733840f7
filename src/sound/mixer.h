// The software mixer on the audio device: 22050 Hz, 16-bit mono.
#pragma once

bool openSoundOutput();
void startSoundOutput();
void closeSoundOutput();
void setChannelVolume(int channel, int volume);
int channelVolume(int channel);
