#include "screens/race_view.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "player/riders.h"
#include "race/ghost.h"
#include "race/race.h"
#include "screens/assets.h"
#include "screens/hud.h"
#include "world/scene.h"
#include "world/track.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const int CAMERA_EASE_SHIFT = 5; // the camera's ground follows by 1/32 per frame
const int LABELLED_PLACES = 3;
const int LABEL_RISE = 46;
const int MARKER_COLUMN = 40;
const int MARKER_SIZE = 9;
const int MARKER_RISE = 35;
const int GO_TICKS = 79;
const int OOB_REACH = 20; // the bike counts as behind the panel this far beyond it
const Color WHITE = packColor(31, 31, 31);
const int GHOST_WEIGHT = 128; // about half the ghost, half the ground behind it

int cameraGround;
VoxelModel* ghostModel;


SceneRider ghostRider(const GhostFrame& f) {
    SceneRider s{};
    s.x = (int32_t)f.x << 5;
    s.y = (int32_t)f.y << 5;
    s.z = (int32_t)f.z << 7;
    s.heading = (int32_t)f.heading << 10;
    s.spin = f.spin;
    s.pitch = f.pitch;
    s.lean = f.lean;
    s.crashed = f.crashed;
    s.model = ghostModel;
    return s;
}

SceneRider sceneRider(const RaceRider* r) {
    SceneRider s;
    s.x = r->x;
    s.y = r->y;
    s.z = r->z;
    s.heading = r->heading;
    s.spin = r->spin >> 10;
    s.pitch = r->pitch;
    s.lean = r->lean;
    s.crashed = r->crashed;
    s.respawnTimer = r->respawnTimer;
    s.model = r->model;
    return s;
}

void riderOnScreen(const Surface* target, const RaceRider* r, int* sx, int* sy) {
    Projection p = projectPoint(&track, wholeUnits(r->x), wholeUnits(r->y), wholeUnits(r->z), target->height);
    *sx = p.screenX;
    *sy = p.screenY;
}

void drawPlaceLabels(Surface* target) {
    if (riderCount <= 1) return;
    static const char* const LABELS[LABELLED_PLACES] = {"1st", "2nd", "3rd"};
    for (int row = 0; row < std::min(LABELLED_PLACES, riderCount); row++) {
        int i = placeTable[row].rider;
        if (i < 0 || i >= riderCount || !raceRiders[i]) continue;
        int sx, sy;
        riderOnScreen(target, raceRiders[i], &sx, &sy);
        drawSmallText(target, LABELS[row], sx - 3 * (int)strlen(LABELS[row]), sy - LABEL_RISE, WHITE);
    }
}

int playerRow() {
    for (int row = 0; row < riderCount; row++)
        if (placeTable[row].rider == 0) return row;
    return -1;
}

// 2 while the bike is behind the out-of-bounds panel, so the panel fades.
int outOfBoundsValue(const Surface* target, int sx, int sy) {
    int keepout = raceRiders[0]->inKeepout;
    if (!hudOob) return keepout;
    int left = target->halfWidth - hudOob->width / 2;
    bool behind = sx > left - OOB_REACH && sx < left + hudOob->width + OOB_REACH &&
                  sy > target->height - hudOob->height;
    return keepout * (behind ? 2 : 1);
}

void drawGo(Surface* target) {
    if (raceClock > GO_TICKS) return;
    int h = target->halfHeight;
    int y = h - h / 2 - (target->width > 320 ? h / 4 : 0);
    const char* go = "Go!";
    drawText(target, go, target->halfWidth - textWidth(go, 0) / 2, y, 0);
}

} // namespace

void resetRaceCamera() {
    cameraGround = riderCount > 0 && raceRiders[0] ? groundUnder(raceRiders[0]) : 0;
}

void drawRaceView(Surface* target) {
    const RaceRider* player = riderCount > 0 ? raceRiders[0] : nullptr;
    if (player) {
        int x = wholeUnits(player->x), y = wholeUnits(player->y), z = wholeUnits(player->z);
        cameraGround = (heightAt(&track, x, y) + cameraGround * 31) >> CAMERA_EASE_SHIFT;
        setCamera(&track, target, x, y, cameraGround + ((z - cameraGround) >> 1));
    }
    SceneRider riders[MAX_RACE_RIDERS];
    SceneRider* order[MAX_RACE_RIDERS];
    int count = 0;
    for (int k = 0; k < riderCount; k++) {
        int i = drawOrder[k];
        if (i < 0 || i >= riderCount || !raceRiders[i]) continue;
        riders[count] = sceneRider(raceRiders[i]);
        order[count] = &riders[count];
        count++;
    }
    drawScene(&track, target, order, count);
    const GhostFrame* f = ghostModel ? ghostOnThisTick() : nullptr;
    if (f) {
        SceneRider g = ghostRider(*f);
        drawRiderBlended(&track, target, &g, GHOST_WEIGHT);
    }
}

const GhostFrame* ghostOnThisTick() {
    if (!ghostShown || racePhase == PHASE_GET_READY || raceClock == 0) return nullptr;
    return ghostFrameAt((int)raceClock - 1);
}

// The player's own bike and colours, loaded as the race starts rather than
// in the middle of drawing a frame.
void loadGhostModel() {
    if (ghostModel) return;
    ghostModel = createVoxelModel();
    if (!ghostModel) return;
    if (!loadVoxelModel(ghostModel, BIKE_MODEL)) {
        destroyVoxelModel(&ghostModel);
        return;
    }
    recolourVoxelModel(ghostModel, riderBikeColour(), riderBodyColour());
    scaleVoxelModel(ghostModel, BIKE_SCALE);
}

void releaseGhostModel() { destroyVoxelModel(&ghostModel); }

bool playerOnScreen(const Surface* target, int* sx, int* sy) {
    *sx = *sy = 0;
    if (riderCount < 1 || !raceRiders[0]) return false;
    riderOnScreen(target, raceRiders[0], sx, sy);
    return true;
}

void drawPlayerMarker(Surface* target) {
    int sx, sy;
    if (!iconsPicture || !playerOnScreen(target, &sx, &sy)) return;
    drawSprite(target, sx - MARKER_SIZE / 2, sy - MARKER_RISE, MARKER_SIZE, MARKER_SIZE, iconsPicture, MARKER_COLUMN,
               0, BLIT_TRANSPARENT);
}

void drawRaceOverlays(Surface* target) {
    int sx = 0, sy = 0;
    HudValues v{(int)std::min<uint32_t>(raceClock, INT32_MAX), -1, playerRow(), 0, raceLevel.laps, 0, 0};
    if (playerOnScreen(target, &sx, &sy)) {
        v.outOfBounds = outOfBoundsValue(target, sx, sy);
        v.lap = raceRiders[0]->lap;
        v.playerX = sx;
        v.playerY = sy;
    }
    const GhostFrame* f = ghostModel ? ghostOnThisTick() : nullptr;
    if (f) {
        v.ghostX = f->x >> 5;
        v.ghostY = f->y >> 5;
    }
    drawHud(target, HUD_DRAW, v);
    if (riderCount > 1) {
        drawPlaceLabels(target);
        drawPlayerMarker(target);
    }
    drawGo(target);
}

void placeWord(int place, int riders, const char* lastWord, char* out, int size) {
    static const char* const FIRST[LABELLED_PLACES] = {"1st", "2nd", "3rd"};
    if (place == riders - 1) snprintf(out, size, "%s", lastWord);
    else if (place >= 0 && place < LABELLED_PLACES) snprintf(out, size, "%s", FIRST[place]);
    else snprintf(out, size, "%dth", place + 1);
}
