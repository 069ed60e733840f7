// The mixer on a real SDL audio device (the dummy driver): the callback
// runs on SDL's audio thread and plays the list down.
#include "platform/sdl_backend.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/soundfile.h"
#include "sound/sound_local.h"
#include "sound/mixer.h"

#include <gtest/gtest.h>
#include <vector>

TEST(SdlSound, TheAudioThreadPlaysSoundsToTheirEnd) {
    platformUse(sdlBackend());
    freeSoundSlots();
    int savedActive = appActive;
    appActive = 1;
    ASSERT_TRUE(openSoundOutput());
    setChannelVolume(0, 255);
    std::vector<int8_t> blip(2000, 40); // under a fifth of a second
    ASSERT_TRUE(fillSoundSlot(0, blip.data(), (int)blip.size(), 0, 0, 0));
    startSoundOutput();
    playSound(0);
    playSound(0);
    EXPECT_EQ(soundPlayCount(0), 2);
    for (int i = 0; i < 300 && soundPlayCount(0) > 0; i++) platformSleep(10);
    EXPECT_EQ(soundPlayCount(0), 0);
    closeSoundOutput();
    closeSoundOutput();
    freeSoundSlots();
    appActive = savedActive;
}
