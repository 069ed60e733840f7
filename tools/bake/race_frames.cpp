#include "bake/race_frames.h"
#include "bake/files.h"
#include "bake/level_set.h"
#include "bake/terrain_set.h"
#include "gfx/surface.h"
#include "race/race.h"
#include "race/runner.h"
#include "screens/race_view.h"
#include "shell/loop.h"
#include "world/levels.h"

#include <cstdio>
#include <cstring>

namespace {

const int FRAME_WIDTH = 640, FRAME_HEIGHT = 480;
const uint32_t TICKS_IN = 80 * 5; // the field has left the grid and spread out
const int EASED_FRAMES = 40;      // the camera settles on the player

Image imageOf(const Surface* s) {
    Image out(s->width, s->height);
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) {
            Color c = getPixel(s, x, y);
            out.set(x, y, {(uint8_t)(colorRed(c) * 255 / 31), (uint8_t)(colorGreen(c) * 255 / 31), (uint8_t)(colorBlue(c) * 255 / 31)});
        }
    return out;
}

// The first race level on the terrain, or -1.
int raceOn(int track) {
    for (const LevelPlan& l : levelSet())
        if (l.track == track && levelGameType(l.number) == GAME_RACE) return l.number;
    return -1;
}

} // namespace

bool bakeRaceFrames(const BakeTarget& out) {
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof saved);
    snprintf(dataFolder, sizeof dataFolder, "%s", out.data.c_str());
    Surface* frame = createSurface(FRAME_WIDTH, FRAME_HEIGHT);
    bool ok = frame != nullptr;
    for (const TerrainPlan& t : terrainSet()) {
        int level = raceOn(t.number);
        if (!ok || level < 0) continue;
        ok = loadRunnerLevel(level) && runRace(level, 1, PLAYER_BOT, TICKS_IN).raced;
        resetRaceCamera();
        for (int i = 0; ok && i < EASED_FRAMES; i++) drawRaceView(frame);
        char name[64];
        snprintf(name, sizeof name, "race%d.png", t.number);
        ok = ok && writePng(out.review + name, imageOf(frame), 6);
        releaseRace();
        if (!ok) fprintf(stderr, "bake: cannot make the race frame of track %d\n", t.number);
    }
    destroySurface(&frame);
    memcpy(dataFolder, saved, sizeof dataFolder);
    return ok;
}
