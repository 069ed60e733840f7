// The terrains and the levels: every terrain's three pictures, every
// level's description and layout, and the level check over all of them.
#include "bake/bake.h"
#include "bake/level_files.h"
#include "bake/level_layout.h"
#include "bake/level_set.h"
#include "bake/review_sheet.h"
#include "bake/terrain_render.h"
#include "bake/terrain_set.h"
#include "gfx/trig.h"
#include "world/level_check.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>
#include <thread>

namespace {

const size_t TERRAIN_THREADS = 2;
const int TERRAIN_SHEET_COLUMNS = 4;

struct BakedTerrain {
    HeightField field;
    TerrainPictures pictures;
};

// The terrains are independent of one another: they are made two at a
// time, one on each core, and written in order.
std::vector<BakedTerrain> makeTerrains() {
    const std::vector<TerrainPlan>& set = terrainSet();
    std::vector<BakedTerrain> out(set.size());
    auto make = [&](size_t first) {
        for (size_t i = first; i < set.size(); i += TERRAIN_THREADS) {
            out[i].field = generateHeightField(set[i]);
            out[i].pictures = renderTerrain(set[i], out[i].field);
        }
    };
    std::vector<std::thread> threads;
    for (size_t k = 1; k < TERRAIN_THREADS; k++) threads.emplace_back(make, k);
    make(0);
    for (std::thread& t : threads) t.join();
    return out;
}

bool bakeTerrainLevels(const BakeTarget& out, const TerrainPlan& terrain, const BakedTerrain& baked) {
    const HeightField& field = baked.field;
    if (!writeTerrainPictures(out.data, terrain.number, baked.pictures)) {
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
    std::vector<BakedTerrain> baked = makeTerrains();
    for (size_t i = 0; i < baked.size(); i++)
        if (!bakeTerrainLevels(out, terrainSet()[i], baked[i])) return false;
    if (out.review.empty()) return true;
    std::vector<const Image*> pictures;
    for (const BakedTerrain& b : baked) pictures.push_back(&b.pictures.colour);
    if (!writeImageSheet(out.review + "terrains.png", pictures, TERRAIN_SHEET_COLUMNS)) {
        fprintf(stderr, "bake: cannot write the terrains' contact sheet\n");
        return false;
    }
    return true;
}

bool bakeLevels(const BakeTarget& out) { return bakeTerrainsAndLevelFiles(out) && checkBakedLevels(out); }
