// Level description files as the game reads them: the level selection
// shows the name and the wrapped description, the level loading screen
// reads the values, and a race is set up with them and ridden briefly.
#include "fuzz_support.h"
#include "fuzz_support_track.h"
#include "race/race.h"
#include "race/runner.h"
#include "screens/widgets.h"
#include "gfx/font.h"
#include "shell/loop.h"
#include "world/description.h"
#include "world/track.h"

#include <cstdio>
#include <string>

static const uint32_t RIDDEN_TICKS = 160;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzFreshTrack();
    fuzzLoadFonts();
    char name[32];
    snprintf(name, sizeof name, "level%d.txt", FUZZ_TRACK_LEVEL);
    fuzzWriteData(name, data, size);
    const char* shown = levelName(FUZZ_TRACK_LEVEL);
    drawText(framebuffer, shown, 10, 10, 0);
    std::string text;
    if (readLevelTextItem("description", FUZZ_TRACK_LEVEL, &text)) {
        wrappedText(framebuffer, text.c_str(), 20, 100, 620, 0, 0);
        wrappedText(framebuffer, text.c_str(), 20, 100, 620, 1, 10000);
    }
    resetLevelSwitches();
    if (readLevelDescription(FUZZ_TRACK_LEVEL)) {
        wrappedText(framebuffer, levelDescription.description, 20, 300, 620, 0, 10000);
        runRace(FUZZ_TRACK_LEVEL, (uint32_t)size, PLAYER_BOT, RIDDEN_TICKS);
        releaseRace();
    }
    return 0;
}
