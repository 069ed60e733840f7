// The level loading screen, the get-ready screen with its information panel
// and countdown, and the race itself.
#include "screens/race_screens_local.h"
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "race/engine_sound.h"
#include "race/get_ready.h"
#include "race/ghost.h"
#include "player/riders.h"
#include "shell/keys.h"
#include "race/race.h"
#include "screens/assets.h"
#include "screens/hud.h"
#include "screens/mode_ids.h"
#include "screens/race_view.h"
#include "screens/widgets.h"
#include "shell/loop.h"
#include "world/description.h"
#include "world/levels.h"
#include "world/track.h"

#include <cstdio>

Surface* infoPanel;

namespace {

const int LOADING_STEPS = 6;
const int PANEL_SLIDE_TICKS = 60;
const int PANEL_TEXT_INSET = 26;

Mode handedTo;
bool raceAgainPicked;
int getReadyFrame;

bool isRaceScreen(Mode m) { return m == MODE_GET_READY || m == MODE_RACE || m == MODE_RESULTS; }

// Everything of the level that was loaded: nothing carries into the next.
void releaseLevel() {
    stopRaceSounds();
    releaseRace();
    releaseTrack(&track);
    releaseGhostModel();
    dropGhost();
}

// ---- mode 10 ----

void drawLoadingBackground() {
    Surface* stage = nullptr;
    loadPicture(framebuffer->width > framebuffer->height ? "stageBackL.png" : "stageBack.png", &stage);
    fillSurface(framebuffer, 0);
    if (stage) drawCentred(framebuffer, stage);
    freePicture(&stage);
    Surface* logo = nullptr;
    loadPicture("backvqz.png", &logo);
    int h = framebuffer->height;
    int centre = h / 2 - h / 8, below = centre;
    if (logo) {
        drawSprite(framebuffer, framebuffer->halfWidth - logo->halfWidth, centre - logo->halfHeight, logo->width,
                   logo->height, logo, 0, 0, BLIT_TRANSPARENT);
        below = centre + logo->halfHeight;
    }
    freePicture(&logo);
    drawTextCentred(framebuffer, "Loading...", framebuffer->halfWidth, below + fontLineHeight(0));
}

Mode renderLoading(Mode self) {
    (void)self;
    releaseLevel();
    drawLoadingBackground();
    resetLevelSwitches();
    int step = 1;
    drawWideLoadingBar("Level Info", step++, LOADING_STEPS);
    bool described = readLevelDescription(currentLevel);
    drawWideLoadingBar("3D Terrain", step++, LOADING_STEPS);
    loadTerrainPicture(&track, levelDescription.track);
    drawWideLoadingBar("Surface Model", step++, LOADING_STEPS);
    loadSurfaceModel(&track, levelDescription.track);
    drawWideLoadingBar("Height Model", step++, LOADING_STEPS);
    loadHeightModel(&track, levelDescription.track);
    drawWideLoadingBar("Level Description", step++, LOADING_STEPS);
    buildTrack(&track, currentLevel);
    drawWideLoadingBar("3D Models", step++, LOADING_STEPS);
    if (!described || !setupRace()) return raceUnavailable();
    return MODE_GET_READY;
}

// ---- mode 15 ----

void enterGetReady() {
    beginRaceScreen();
    rememberMusicVolume();
    beginGetReady();
    loadPicture("hudinfo.png", &infoPanel);
    drawHud(framebuffer, HUD_RESET, HudValues{0, 1, 0, 0, raceLevel.laps, 0, 0});
    resetRaceCamera();
    getReadyFrame = 0;
}

Mode updateGetReady(Mode self) {
    if (riderCount == 0) return handRaceTo(raceUnavailable());
    if (!raceStarted) getReadyFrame = 0;
    return stepGetReady() ? handRaceTo(MODE_RACE) : self;
}

const char* gameTypeName() {
    static const char* const NAMES[GAME_TYPE_COUNT] = {"Race", "Stunt", "Free ride"};
    return gameType >= 0 && gameType < GAME_TYPE_COUNT ? NAMES[gameType] : NAMES[GAME_RACE];
}

// The level's name and type, and the opponents and laps of a race or the
// description of a stunt level.
void drawInfoPanel(int top) {
    if (!infoPanel) return;
    drawSprite(framebuffer, framebuffer->halfWidth - infoPanel->halfWidth, top, infoPanel->width, infoPanel->height,
               infoPanel, 0, 0, BLIT_TRANSPARENT);
    int line = fontLineHeight(0), cx = framebuffer->halfWidth;
    int y = top + line / 2 + framebuffer->halfHeight / 8 + fontBaseline(0);
    const char* lines[7] = {levelDescription.name, "Game Type", gameTypeName()};
    int count = 3;
    char opponents[16], laps[16];
    if (gameType == GAME_RACE) {
        snprintf(opponents, sizeof opponents, "%d", raceLevel.opponents);
        snprintf(laps, sizeof laps, "%d", raceLevel.laps);
        lines[count++] = "Opponents";
        lines[count++] = opponents;
        lines[count++] = "Laps";
        lines[count++] = laps;
    }
    for (int i = 0; i < count; i++, y += line) drawTextCentred(framebuffer, lines[i], cx, y);
    if (gameType == GAME_STUNT) {
        int left = cx - infoPanel->halfWidth + PANEL_TEXT_INSET, right = cx + infoPanel->halfWidth - PANEL_TEXT_INSET;
        wrappedText(framebuffer, levelDescription.description, left, y + line - fontBaseline(0), right, 0,
                    LEVEL_TEXT_SIZE);
    }
}

Mode renderGetReady(Mode self) {
    int H = framebuffer->height, h = framebuffer->halfHeight;
    if (getReadyFrame++ == 0) drawHud(framebuffer, HUD_DRAW, HudValues{0, 1, 0, 0, raceLevel.laps, 0, 0});
    drawRaceView(framebuffer);
    int g = countdown == COUNTDOWN_FROM ? H - tickCount * H / PANEL_SLIDE_TICKS : 0;
    if (riderCount >= 2) drawPlayerMarker(framebuffer);
    if (raceStarted) {
        int y = h - h / 2 - (framebuffer->width > 320 ? h / 4 : 0);
        drawTextCentred(framebuffer, "Get Ready!", framebuffer->halfWidth, y);
        if (countdown < COUNTDOWN_FROM) {
            char value[16];
            snprintf(value, sizeof value, "%d", countdown);
            drawTextCentred(framebuffer, value, framebuffer->halfWidth, y + 2 * fontLineHeight(0));
        }
        if (g < 2) {
            int sx, sy;
            playerOnScreen(framebuffer, &sx, &sy);
            drawHud(framebuffer, HUD_SLIDE_IN, HudValues{0, 1, 0, 0, raceLevel.laps, sx, sy});
        }
    }
    drawInfoPanel(g / 2 - h);
    return self;
}

Mode inputGetReady(Mode self, const InputEvent& e) {
    return getReadyInput(e) == RACE_INPUT_END_RUN ? handRaceTo(MODE_RESULTS) : self;
}

void leaveGetReady() {
    freePicture(&infoPanel);
    leaveRaceScreen();
}

// ---- mode 4 ----

// Only the player's own runs of a race or stunt level leave a ghost.
bool ghostLevel() { return gameType == GAME_RACE || gameType == GAME_STUNT; }

void enterRace() {
    beginRaceScreen();
    beginRace();
    beginGhostRecording();
    int rider = selectedRider();
    if (ghostLevel() && rider >= 0 && loadGhost(riderNumber(rider), currentLevel)) loadGhostModel();
    else dropGhost();
}

Mode updateRace(Mode self) {
    if (stepRace()) return handRaceTo(MODE_RESULTS);
    if (ghostLevel()) recordGhostTick(raceRiders[0]);
    return self;
}

Mode renderRace(Mode self) {
    drawRaceView(framebuffer);
    drawRaceOverlays(framebuffer);
    return self;
}

Mode inputRace(Mode self, const InputEvent& e) {
    if (e.kind == INPUT_KEY_DOWN && e.key && e.key == keyBindings[BIND_GHOST]) {
        ghostShown = !ghostShown;
        return self;
    }
    switch (raceInput(e)) {
    case RACE_INPUT_END_RUN: return handRaceTo(MODE_RESULTS);
    case RACE_INPUT_LEAVE_TO_LEVELS: return handRaceTo(MODE_LEVEL_SELECT);
    default: return self;
    }
}

} // namespace

Mode handRaceTo(Mode next) {
    handedTo = next;
    return next;
}

void beginRaceScreen() {
    handedTo = 0;
    raceAgainPicked = false;
}

void leaveRaceScreen() {
    if (!isRaceScreen(handedTo)) releaseLevel();
}

bool raceAgainChosen() { return raceAgainPicked && handedTo == MODE_GET_READY; }

Mode raceAgain() {
    raceAgainPicked = true;
    return handRaceTo(MODE_GET_READY);
}

Mode raceUnavailable() {
    releaseLevel();
    return MODE_LEVEL_SELECT;
}

const ModeScreen levelLoadingScreen = {nullptr, nullptr, nullptr, renderLoading, nullptr, true, false};
// The pad drives the bike on both: its stick steers, A accelerates.
const ModeScreen getReadyScreen = {enterGetReady, leaveGetReady, updateGetReady, renderGetReady, inputGetReady, true,
                                   false, true};
const ModeScreen raceScreen = {enterRace, leaveRaceScreen, updateRace, renderRace, inputRace, true, false, true};
