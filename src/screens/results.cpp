// The results screen: the race goes on behind a panel that counts the
// points up, the best and the high-score entry are stored once as it
// opens, and the news of a best, an unlocked level or a new rank types
// itself in.
#include "screens/race_screens_local.h"
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "player/scores.h"
#include "race/engine_sound.h"
#include "race/race.h"
#include "race/score.h"
#include "screens/assets.h"
#include "screens/hud.h"
#include "screens/mode_ids.h"
#include "screens/race_view.h"
#include "screens/widgets.h"
#include "shell/loop.h"
#include "world/levels.h"

#include <algorithm>
#include <cstdio>

namespace {

const int PANEL_SLIDE_TICKS = 60;
const int PANEL_DROP = 180;
const int PANEL_RISE = 90;
const int COLUMN_INSET = 26;
const int MUSIC_RISE = 2;
const int FULL_UNLOCK_TOTAL = 2000; // every level of a type is open from here
const char NEW_BEST[] = "New personal best!";
const char NEW_LEVEL[] = "New level unlocked!";
const char NEW_RANK[] = "New rank: ";

// What the run earned, fixed as the screen opens.
struct RunResult {
    int place;
    int placePoints;
    int timePoints; // stunt levels: all their points
    uint32_t time;
    int totalBefore;  // the rider's total of this game type
    int previousBest; // the rider's best of this level
};

RunResult result;
int frame;
int messageTop;

bool stuntResults() { return gameType == GAME_STUNT; }
int fullScore() { return result.placePoints + result.timePoints; }

// Points count up: place points at one every second tick, time points at
// one every fourth (stunt points one a tick).
int shownPlacePoints() { return stuntResults() ? 0 : std::min(result.placePoints, tickCount / 2); }
int shownTimePoints() { return std::min(result.timePoints, stuntResults() ? (int)tickCount : tickCount / 4); }
int shownScore() { return shownPlacePoints() + shownTimePoints(); }

RunResult measureRun() {
    RunResult r{};
    const RaceRider* player = riderCount > 0 ? raceRiders[0] : nullptr;
    r.place = playerPlace();
    r.totalBefore = riderTotal(gameType);
    r.previousBest = riderBest(currentLevel);
    if (!player) return r;
    bool finished = player->finished != 0;
    // A finished run's time is its last checkpoint; any other run shows
    // how long it lasted.
    r.time = finished ? (uint32_t)std::max(0, (int)player->progressTime) : raceClock;
    if (stuntResults()) {
        r.timePoints = stuntPoints(r.time, raceLevel.par, finished);
    } else {
        r.placePoints = placePoints(r.place, riderCount, finished);
        r.timePoints = raceTimePoints(r.time, raceLevel.par, finished);
    }
    return r;
}

// Stored in the enter step, so that no way of leaving the screen can skip
// it and nothing is stored twice.
void storeRun() {
    if (gameType != GAME_RACE && gameType != GAME_STUNT) return;
    if (fullScore() > result.previousBest) storeBest(fullScore(), currentLevel);
    int rider = selectedRider();
    if (rider >= 0) enterHighScore(riderName(rider), riderTotal(GAME_RACE) + riderTotal(GAME_STUNT), riderNumber(rider));
}

void enterResults() {
    beginRaceScreen();
    for (int i = 0; i < riderCount; i++)
        if (raceRiders[i]) raceRiders[i]->engineState = ENGINE_SILENT;
    loadPicture("hudinfo.png", &infoPanel);
    messageTop = framebuffer->height + 1;
    frame = 0;
    startMusicIfSilent();
    result = measureRun();
    storeRun();
}

Mode updateResults(Mode self) {
    if (gameType == GAME_FREE_RIDE) return handRaceTo(MODE_LEVEL_SELECT);
    raiseMusic(MUSIC_RISE);
    stepRaceAfterRun(tickCount);
    return self;
}

// Where the panel and its rows are on this tick; render and input agree.
struct PanelLayout {
    int top, left, right, centre;
    int firstLine, line;
    int buttonsY, againX, quitX;
};

PanelLayout panelLayout() {
    PanelLayout p;
    int H = framebuffer->height;
    int g = std::min((int)tickCount * H / PANEL_SLIDE_TICKS, PANEL_DROP);
    p.top = g / 2 - PANEL_RISE;
    int width = infoPanel ? infoPanel->width : framebuffer->width / 2;
    p.centre = framebuffer->halfWidth;
    p.left = p.centre - width / 2 + COLUMN_INSET;
    p.right = p.centre + width / 2 - COLUMN_INSET;
    p.line = fontLineHeight(0);
    p.firstLine = p.top + framebuffer->halfHeight / 8 - 1 + fontBaseline(0);
    int lastLine = p.firstLine + p.line * 3 / 2 + (stuntResults() ? 1 : 2) * p.line;
    p.buttonsY = lastLine + p.line * 3 / 2 - fontBaseline(0) / 2;
    p.againX = p.centre - width / 4;
    p.quitX = p.centre + width / 4;
    return p;
}

void drawRow(const PanelLayout& p, int y, const char* label, const char* middle, int value) {
    drawText(framebuffer, label, p.left, y, 0);
    if (middle) drawTextCentred(framebuffer, middle, p.centre, y);
    char number[16];
    snprintf(number, sizeof number, "%d", value);
    drawText(framebuffer, number, p.right - textWidth(number, 0), y, 0);
}

void drawResultsPanel(const PanelLayout& p) {
    if (infoPanel)
        drawSprite(framebuffer, p.centre - infoPanel->halfWidth, p.top, infoPanel->width, infoPanel->height, infoPanel,
                   0, 0, BLIT_TRANSPARENT);
    char time[32];
    formatRaceTime(result.time, time, sizeof time);
    int y = p.firstLine;
    if (stuntResults()) {
        drawTextCentred(framebuffer, "Stunt Results", p.centre, y);
        drawRow(p, y += p.line * 3 / 2, "Time", time, shownTimePoints());
    } else {
        char place[16];
        placeWord(result.place, riderCount, "last", place, sizeof place);
        drawTextCentred(framebuffer, "Race Results", p.centre, y);
        drawRow(p, y += p.line * 3 / 2, "Place", place, shownPlacePoints());
        drawRow(p, y += p.line, "Time", time, shownTimePoints());
    }
    drawRow(p, y + p.line, "Score", nullptr, shownScore());
    textButton(framebuffer, "Race again", p.againX, p.buttonsY, BUTTON_NORMAL);
    textButton(framebuffer, "Quit Race", p.quitX, p.buttonsY, BUTTON_NORMAL);
}

// The news the count has reached so far, in the order it is told.
int newsLines(const char** out, char* rank, int rankSize) {
    int s = shownScore(), before = result.totalBefore, best = result.previousBest;
    int n = 0;
    if (before + s - best > before) out[n++] = NEW_BEST;
    if (before < FULL_UNLOCK_TOTAL && unlockedCount(before + s - best) > unlockedCount(before)) out[n++] = NEW_LEVEL;
    int career = riderTotal(GAME_RACE) + riderTotal(GAME_STUNT);
    int newRank = rankOf(career);
    if (newRank > rankOf(career + best - std::max(s, best))) {
        snprintf(rank, rankSize, "%s%s", NEW_RANK, rankName(newRank));
        out[n++] = rank;
    }
    return n;
}

void drawNews() {
    const char* lines[3];
    char rank[64];
    int count = frame >= 2 ? newsLines(lines, rank, sizeof rank) : 0;
    if (count == 0 || !infoPanel) return;
    int line = fontLineHeight(0);
    // Below the results panel where it has come to rest, when the screen
    // is tall enough, so that neither covers the other.
    int restingBottom = PANEL_DROP / 2 - PANEL_RISE + infoPanel->height + line / 2;
    int target = std::max(framebuffer->height - 5 * line - infoPanel->height,
                          std::min(restingBottom, framebuffer->height - infoPanel->height));
    messageTop -= (messageTop - target) / 2;
    int left = framebuffer->halfWidth - infoPanel->halfWidth;
    drawSprite(framebuffer, left, messageTop, infoPanel->width, infoPanel->height, infoPanel, 0, 0,
               BLIT_TRANSPARENT);
    int y = messageTop + line;
    for (int i = 0; i < count; i++)
        y = wrappedText(framebuffer, lines[i], left + 2 * line, y, left + infoPanel->width - 2 * line, 0, frame) +
            line / 2;
}

Mode renderResults(Mode self) {
    frame++;
    drawRaceView(framebuffer);
    int sx, sy;
    playerOnScreen(framebuffer, &sx, &sy);
    drawHud(framebuffer, HUD_SLIDE_OUT, HudValues{0, 0, 0, 0, raceLevel.laps, sx, sy});
    drawResultsPanel(panelLayout());
    drawNews();
    return self;
}

Mode inputResults(Mode self, const InputEvent& e) {
    if (escapeReleased(e)) return handRaceTo(MODE_LEVEL_SELECT);
    if (e.kind != INPUT_BUTTON_UP) return self;
    PanelLayout p = panelLayout();
    if (textButton(framebuffer, "Race again", p.againX, p.buttonsY, BUTTON_HIT_TEST)) return raceAgain();
    if (textButton(framebuffer, "Quit Race", p.quitX, p.buttonsY, BUTTON_HIT_TEST))
        return handRaceTo(MODE_LEVEL_SELECT);
    return self;
}

void leaveResults() {
    stopRaceSounds();
    restoreMusic();
    freePicture(&infoPanel);
    if (raceAgainChosen()) restartRace();
    leaveRaceScreen();
}

} // namespace

const ModeScreen resultsScreen = {enterResults, leaveResults, updateResults, renderResults, inputResults, true, false};
