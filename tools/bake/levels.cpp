// The terrains and the levels: every terrain's three pictures, every
// level's description and layout, and the level check over all of them.
#include "bake/bake.h"
#include "bake/level_files.h"
#include "bake/level_layout.h"
#include "bake/level_set.h"
#include "bake/terrain_render.h"
#include "bake/terrain_set.h"
#include "gfx/trig.h"
#include "world/level_check.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>

namespace {

bool bakeTerrainLevels(const BakeTarget& out, const TerrainPlan& terrain) {
    HeightField field = generateHeightField(terrain);
    if (!writeTerrainPictures(out.data, terrain.number, renderTerrain(terrain, field))) {
        fprintf(stderr, "bake: cannot write the pictures of track %d\n", terrain.number);
        return false;
    }
    for (const LevelPlan& level : levelSet()) {
        if (level.track != terrain.number) continue;
        LevelLayout* layout = buildLevelLayout(level, terrain, field);
        bool ok = layout && writeLevelFiles(out.data, level, level.par, layout);
        destroyLayout(&layout);
        if (!ok) {
            fprintf(stderr, "bake: cannot write level %d\n", level.number);
            return false;
        }
    }
    return true;
}

// Every level as the game will load it.
bool checkBakedLevels(const BakeTarget& out) {
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof saved);
    snprintf(dataFolder, sizeof dataFolder, "%s", out.data.c_str());
    bool sound = true;
    for (const LevelPlan& level : levelSet()) {
        std::vector<std::string> problems;
        if (checkLevel(level.number, &problems)) continue;
        sound = false;
        for (const std::string& p : problems) fprintf(stderr, "bake: level %d: %s\n", level.number, p.c_str());
    }
    memcpy(dataFolder, saved, sizeof saved);
    return sound;
}

} // namespace

bool bakeTerrainsAndLevelFiles(const BakeTarget& out) {
    buildTrigTables();
    for (const TerrainPlan& terrain : terrainSet())
        if (!bakeTerrainLevels(out, terrain)) return false;
    return true;
}

bool bakeLevels(const BakeTarget& out) { return bakeTerrainsAndLevelFiles(out) && checkBakedLevels(out); }
