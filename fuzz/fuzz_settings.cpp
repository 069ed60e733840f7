// The settings file as start-up applies it: loaded, the orientation it
// asks for applied (which turns the bindings and the framebuffer), the key
// names the options screens show drawn, and the settings saved and read
// back unchanged.
#include "fuzz_support.h"
#include "gfx/font.h"
#include "player/settings.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "sound/mixer.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzLoadFonts();
    setOrientation(0);
    fuzzWriteData("settings.dat", data, size);
    loadSettings();
    setOrientation(settingsOrientation);
    for (int i = 0; i < BINDING_COUNT; i++) drawText(framebuffer, keyName(keyBindings[i]), 10, 20 * i, 1);
    int bindings[BINDING_COUNT];
    memcpy(bindings, keyBindings, sizeof bindings);
    int effects = channelVolume(0), music = channelVolume(1), brightness = colorCurveLevel();
    if (!saveSettings()) abort();
    memset(keyBindings, 0, sizeof keyBindings);
    if (loadSettings() != 1 || memcmp(bindings, keyBindings, sizeof bindings) != 0 || effects != channelVolume(0) ||
        music != channelVolume(1) || brightness != colorCurveLevel() ||
        settingsOrientation != displayGeometry.orientation)
        abort();
    setOrientation(0);
    return 0;
}
