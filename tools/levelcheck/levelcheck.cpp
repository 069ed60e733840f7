#include "levelcheck/levelcheck.h"
#include "levelcheck/check_context.h"
#include "gfx/trig.h"
#include "player/scores.h"
#include "shell/loop.h"
#include "world/minimap.h"

#include <cstdarg>
#include <cstdio>
#include <sys/stat.h>

namespace {

bool fileExists(const char* format, int number) {
    char path[512];
    char name[64];
    snprintf(name, sizeof name, format, number);
    snprintf(path, sizeof path, "%s%s", dataFolder, name);
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The description as the level entry reads it; false when there is none.
bool readDescription(CheckContext* c) {
    if (!fileExists("level%d.txt", c->level)) {
        report(c, "description file level%d.txt is missing", c->level);
        return false;
    }
    resetLevelSwitches();
    readLevelDescription(c->level);
    return true;
}

void readLayout(CheckContext* c) {
    if (!fileExists("level%d.lvl", c->level)) {
        report(c, "layout file level%d.lvl is missing", c->level);
        return;
    }
    c->layout = createLayout();
    if (c->layout && !loadLayout(c->layout, c->level)) {
        report(c, "layout file level%d.lvl is damaged and cannot be read", c->level);
        destroyLayout(&c->layout);
    }
}

} // namespace

void report(CheckContext* c, const char* format, ...) {
    char text[300];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    c->problems->push_back(text);
}

bool checkLevel(int level, std::vector<std::string>* problems) {
    size_t before = problems->size();
    // The game's state the check borrows, given back afterwards.
    LevelDescription savedDescription = levelDescription;
    bool hadMinimap = minimap != nullptr;
    buildTrigTables();

    CheckContext c{level, levelGameType(level), nullptr, {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr},
                   false, true, problems};
    bool described = readDescription(&c);
    if (described) checkDescriptionValues(&c);
    readLayout(&c);
    if (described && loadCheckedPictures(&c)) {
        buildTrack(&c.track, level);
        c.terrainReady = true;
    }
    if (c.layout) checkCourse(&c);

    destroyLayout(&c.layout);
    releaseTrack(&c.track);
    if (!hadMinimap) destroyMinimap();
    levelDescription = savedDescription;
    return problems->size() == before;
}
