// The description's values and the terrain pictures.
#include "world/level_check_local.h"
#include "world/level_check.h"
#include "player/scores.h"
#include "gfx/image.h"
#include "shell/loop.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

bool dataFileExists(const std::string& name) {
    struct stat st;
    return stat((std::string(dataFolder) + name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A text the reader drops when too long reads back empty: tell the two apart.
void checkText(CheckContext* c, const char* key, const char* kept, size_t limit) {
    if (kept[0]) return;
    std::string raw;
    if (readLevelTextItem(key, c->level, &raw) && raw.size() >= limit)
        report(c, "the %s is %zu characters long; the game keeps only shorter than %zu", key, raw.size(), limit);
    else
        report(c, "the level has no %s", key);
}

void checkRange(CheckContext* c, const char* key, int value, int low, int high) {
    if (value < low || value > high) report(c, "%s %d is out of range %d..%d", key, value, low, high);
}

std::string pictureName(const char* format, int number) {
    char name[64];
    snprintf(name, sizeof name, format, number);
    return name;
}

// Missing files are reported here rather than left to the loaders, which
// would put up a message box.
bool presentAll(CheckContext* c, int number) {
    bool all = true;
    const char* kinds[3][2] = {{"terrain picture", "track%d.jpg"}, {"surface model", "track%dd.png"},
                               {"height model", "track%d.png"}};
    for (auto& kind : kinds) {
        std::string name = pictureName(kind[1], number);
        if (!dataFileExists(name)) {
            report(c, "%s %s is missing", kind[0], name.c_str());
            all = false;
        }
    }
    return all;
}

int highestGround(const Surface* heights) {
    int top = 0;
    for (int y = 0; y < heights->height; y++)
        for (int x = 0; x < heights->width; x++) top = std::max(top, getPixel(heights, x, y) & 0xFF);
    return top;
}

// The terrain picture must hold the whole world, the far edge lifted by
// the highest ground, and be no smaller than the view in either
// orientation so the camera can clamp to it.
bool checkSizes(CheckContext* c, int number) {
    const Surface* terrain = c->track.terrain;
    const Surface* depth = c->track.surfaceModel;
    const Surface* heights = c->track.heightModel;
    bool ok = true;
    if (heights->width != HEIGHT_MODEL_SIZE || heights->height != HEIGHT_MODEL_SIZE) {
        report(c, "height model %s is %d x %d; it must be %d x %d", pictureName("track%d.png", number).c_str(),
               heights->width, heights->height, HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
        ok = false;
    }
    int lift = (highestGround(heights) * 34) >> 5;
    int needWidth = std::max(CAMERA_VIEW_SIDE, pictureColumn(WORLD_SIZE - 1) + 1);
    int needHeight = std::max(CAMERA_VIEW_SIDE, ((WORLD_SIZE - 1) * 8) / 42 + lift + 1);
    if (terrain->width < needWidth || terrain->height < needHeight) {
        report(c, "terrain picture %s is %d x %d; the world and the camera need at least %d x %d",
               pictureName("track%d.jpg", number).c_str(), terrain->width, terrain->height, needWidth, needHeight);
        ok = false;
    }
    if (depth->width != terrain->width / 2 || depth->height != terrain->height / 2) {
        report(c, "surface model %s is %d x %d; it must be half the terrain picture, %d x %d",
               pictureName("track%dd.png", number).c_str(), depth->width, depth->height, terrain->width / 2,
               terrain->height / 2);
        ok = false;
    }
    return ok;
}

// Sampled terrain points: none may lie in front of the depth stored where
// it shows, or the surface model is not of this terrain.
void checkDepthsMatch(CheckContext* c, int number) {
    const int step = 29;
    int samples = 0, wrong = 0;
    for (int y = 3; y < WORLD_SIZE; y += step)
        for (int x = 8; x < WORLD_SIZE - 8; x += step) {
            int h = heightAt(&c->track, x, y);
            int px = pictureColumn(x), py = pictureRow(&c->track, y, h);
            samples++;
            if (depthAt(&c->track, px, py) > pointDepth(y, h) + 3) wrong++;
        }
    if (wrong * 100 > samples)
        report(c, "surface model %s does not match the height model: %d of %d sampled points lie in front of it",
               pictureName("track%dd.png", number).c_str(), wrong, samples);
}

} // namespace

void checkDescriptionValues(CheckContext* c) {
    const LevelDescription& d = levelDescription;
    checkText(c, "name", d.name, LEVEL_NAME_SIZE);
    checkText(c, "description", d.description, LEVEL_TEXT_SIZE);
    if (d.track < 0) report(c, "track %d is out of range: track numbers start at 0", d.track);
    std::string written;
    if (c->gameType == GAME_RACE && readLevelTextItem("opponents", c->level, &written)) {
        // the reader clamps the count into range: judge what is written
        int opponents = atoi(written.c_str());
        c->opponentsInRange = opponents >= 0 && opponents <= MAX_OPPONENTS;
        checkRange(c, "opponents", opponents, 0, MAX_OPPONENTS);
    }
    if (c->gameType == GAME_FREE_RIDE) return;
    checkRange(c, "laps", d.laps, 1, MAX_LEVEL_LAPS);
    checkRange(c, "par", d.par, 1, MAX_PAR_SECONDS);
    checkRange(c, "leveltype", d.levelType, 0, 1);
}

bool loadCheckedPictures(CheckContext* c) {
    int number = levelDescription.track;
    if (number < 0 || !presentAll(c, number)) return false;
    bool read = true;
    if (!loadHeightModel(&c->track, number)) {
        report(c, "height model %s cannot be read", pictureName("track%d.png", number).c_str());
        read = false;
    }
    if (!loadSurfaceModel(&c->track, number)) {
        report(c, "surface model %s cannot be read", pictureName("track%dd.png", number).c_str());
        read = false;
    }
    std::string jpeg = std::string(dataFolder) + pictureName("track%d.jpg", number);
    if (!loadJpeg(jpeg.c_str(), &c->track.terrain)) {
        report(c, "terrain picture %s cannot be read", pictureName("track%d.jpg", number).c_str());
        read = false;
    }
    if (!read || !checkSizes(c, number)) return false;
    checkDepthsMatch(c, number);
    return true;
}
