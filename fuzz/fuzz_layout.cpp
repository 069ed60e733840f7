// Level layout files as the level loading screen uses them: the track
// build paints the polygons into the terrain, then a race is set up on the
// layout and ridden for a few seconds, the player by the bot. The same
// file is ridden as a race level and as a free-ride level.
#include "fuzz_support.h"
#include "fuzz_support_track.h"
#include "race/race.h"
#include "race/runner.h"
#include "world/description.h"
#include "world/track.h"

#include <cstdio>

static const int LEVELS[] = {FUZZ_TRACK_LEVEL, 200};
static const uint32_t RIDDEN_TICKS = 240;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzFreshTrack();
    for (int level : LEVELS) {
        char name[32];
        snprintf(name, sizeof name, "level%d.lvl", level);
        fuzzWriteData(name, data, size);
        readLevelDescription(level);
        buildTrack(&track, level);
        runRace(level, (uint32_t)size, PLAYER_BOT, RIDDEN_TICKS);
        releaseRace();
    }
    return 0;
}
