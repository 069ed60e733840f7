#include "world/level_check.h"
#include "world/level_check_local.h"
#include "gfx/trig.h"
#include "player/scores.h"
#include "shell/loop.h"

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

LevelLayout* readLayout(int level, std::vector<std::string>* problems) {
    char text[64];
    if (!fileExists("level%d.lvl", level)) {
        snprintf(text, sizeof text, "layout file level%d.lvl is missing", level);
        problems->push_back(text);
        return nullptr;
    }
    LevelLayout* layout = createLayout();
    if (layout && !loadLayout(layout, level)) {
        snprintf(text, sizeof text, "layout file level%d.lvl is damaged and cannot be read", level);
        problems->push_back(text);
        destroyLayout(&layout);
    }
    return layout;
}

Track emptyTrack() { return {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr}; }

Surface* copyOf(const Surface* s) {
    Surface* copy = createSurface(s->width, s->height);
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) putPixel(copy, x, y, getPixel(s, x, y));
    return copy;
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

void prepareLevelCheck(LevelCheckBase* base, int level) {
    LevelDescription saved = levelDescription;
    buildTrigTables();
    base->level = level;
    base->heights = nullptr;
    base->problems.clear();
    CheckContext c{level, levelGameType(level), nullptr, emptyTrack(), false, true, &base->problems};
    if (readDescription(&c)) {
        checkDescriptionValues(&c);
        if (loadCheckedPictures(&c)) std::swap(base->heights, c.track.heightModel);
    } else {
        resetLevelSwitches();
        readLevelDescription(level); // the defaults the game would ride with
    }
    base->description = levelDescription;
    base->opponentsInRange = c.opponentsInRange;
    releaseTrack(&c.track);
    levelDescription = saved;
}

void releaseLevelCheck(LevelCheckBase* base) { destroySurface(&base->heights); }

// The course is checked on the height model as the build marks it; the
// build's paint on the pictures plays no part in it.
void checkLayout(const LevelCheckBase* base, const LevelLayout* layout, std::vector<std::string>* problems) {
    LevelDescription saved = levelDescription;
    levelDescription = base->description;
    CheckContext c{base->level, levelGameType(base->level), layout, emptyTrack(),
                   base->heights != nullptr, base->opponentsInRange, problems};
    if (base->heights) {
        c.track.heightModel = copyOf(base->heights);
        markHeightModel(&c.track, layout);
    }
    checkCourse(&c);
    releaseTrack(&c.track);
    levelDescription = saved;
}

bool checkLevel(int level, std::vector<std::string>* problems) {
    size_t before = problems->size();
    LevelCheckBase base;
    prepareLevelCheck(&base, level);
    problems->insert(problems->end(), base.problems.begin(), base.problems.end());
    LevelLayout* layout = readLayout(level, problems);
    if (layout) checkLayout(&base, layout, problems);
    destroyLayout(&layout);
    releaseLevelCheck(&base);
    return problems->size() == before;
}
