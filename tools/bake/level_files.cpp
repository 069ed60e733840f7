#include "bake/level_files.h"
#include "shell/loop.h"
#include "world/levels.h"

#include <cstdio>
#include <cstring>

namespace {

const char* gameTypeName(int level) {
    static const char* const names[GAME_TYPE_COUNT] = {"race", "stunt", "free ride"};
    return names[levelGameType(level)];
}

void record(std::string* out, const char* key, const std::string& value) {
    *out += "[" + std::string(key) + "|" + value + "]\n";
}

} // namespace

std::string levelDescriptionText(const LevelPlan& level, int par) {
    char heading[64];
    snprintf(heading, sizeof heading, "Level %d, %s\n", level.number, gameTypeName(level.number));
    std::string text = heading;
    record(&text, "name", level.name);
    record(&text, "description", level.description);
    record(&text, "track", std::to_string(level.track));
    int type = levelGameType(level.number);
    if (type == GAME_RACE) record(&text, "opponents", std::to_string(level.opponents));
    if (type != GAME_FREE_RIDE) {
        record(&text, "laps", std::to_string(level.laps));
        record(&text, "par", std::to_string(par));
    }
    if (type == GAME_STUNT) {
        record(&text, "leveltype", std::to_string(level.levelType));
        record(&text, "keepout", "1");
    }
    return text;
}

bool writeLevelFiles(const std::string& folder, const LevelPlan& level, int par, const LevelLayout* layout) {
    char name[32];
    snprintf(name, sizeof name, "level%d.txt", level.number);
    FILE* f = fopen((folder + name).c_str(), "wb");
    if (!f) return false;
    std::string text = levelDescriptionText(level, par);
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = fclose(f) == 0 && ok;
    // The layout is saved by the game's own writer, which names the file
    // from the data folder.
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof saved);
    snprintf(dataFolder, sizeof dataFolder, "%s", folder.c_str());
    ok = ok && saveLayout(layout, level.number);
    memcpy(dataFolder, saved, sizeof saved);
    return ok;
}
