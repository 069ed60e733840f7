#include "sound/mixer.h"

// Stand-in until the mixer lands: no output.
bool openSoundOutput() { return false; }
void startSoundOutput() {}
void closeSoundOutput() {}
void setChannelVolume(int, int) {}
int channelVolume(int) { return 0; }
