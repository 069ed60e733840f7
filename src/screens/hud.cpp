#include "screens/hud.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "race/race.h"
#include "screens/assets.h"
#include "screens/race_view.h"
#include "shell/modes.h"
#include "world/levels.h"
#include "world/minimap.h"
#include "world/track.h"

#include <algorithm>
#include <cstdio>

namespace {

const int HUD_FONT = 0;
const int OOB_ALPHA_FLOOR = 128;
const int OOB_ALPHA_STEP = 16;
const int OPAQUE_ABOVE = 250;
const int MAP_ALPHA_FLOOR = 100;
const int MAP_FADE_STEP = 16;
const int MAP_RISE_STEP = 32;
const int MAP_FADE_REACH = 18; // the bike fades the map this far beyond it
const int TIME_RIGHT_INSET = 5;
const int SLIDE_OUT_STEP = 2;
const Color OVER_PAR = packColor(31, 20, 10);
const Color OTHER_DOT = packColor(15, 15, 31);
const Color WHITE = packColor(31, 31, 31);

HudValues remembered;
int slide;
int oobHeight;
int oobAlpha = 255;
int mapAlpha = 255;

struct Insets {
    int left, top, lift; // F, T and M
};

Insets insets(const Surface* target) {
    return target->width > 320 ? Insets{27, 24, -3} : Insets{9, 8, 0};
}

int pictureWidth(const Surface* s) { return s ? s->width : 0; }
int pictureHeight(const Surface* s) { return s ? s->height : 0; }

// Far enough that the largest piece, the map's frame, leaves the screen
// too, not only the map.
int offScreen() {
    int reach = minimapSize + 10;
    for (const Surface* p : {hudMap, hudTime, hudLap, hudPlace})
        reach = std::max({reach, pictureWidth(p), pictureHeight(p)});
    return reach;
}

// Opaque pictures go through the transparent copy, faded ones are blended.
void drawFaded(Surface* target, const Surface* p, int x, int y, int rows, int alpha) {
    if (!p || rows <= 0) return;
    int mode = alpha > OPAQUE_ABOVE ? BLIT_TRANSPARENT : BLIT_BLEND;
    drawSprite(target, x, y, p->width, std::min(rows, p->height), p, 0, 0, mode, alpha);
}

void drawPicture(Surface* target, const Surface* p, int x, int y) {
    if (p) drawSprite(target, x, y, p->width, p->height, p, 0, 0, BLIT_TRANSPARENT);
}

void drawOutOfBounds(Surface* target, int value) {
    int full = pictureHeight(hudOob);
    oobHeight = value ? oobHeight + (full - oobHeight + 1) / 2 : oobHeight / 2;
    oobAlpha = value == 2 ? std::max(oobAlpha - OOB_ALPHA_STEP, OOB_ALPHA_FLOOR)
                          : std::min(oobAlpha + OOB_ALPHA_STEP, 255);
    int x = target->halfWidth - pictureWidth(hudOob) / 2;
    drawFaded(target, hudOob, x, slide + target->height - oobHeight, oobHeight, oobAlpha);
}

void drawMinimap(Surface* target, const Insets& in, const HudValues& v) {
    if (!minimap) return;
    int shift = 2 * slide;
    bool under = v.playerX && v.playerY && v.playerX < minimap->width + in.left - shift + MAP_FADE_REACH &&
                 v.playerY < minimap->height + in.top - shift + MAP_FADE_REACH;
    mapAlpha = under ? std::max(mapAlpha - MAP_FADE_STEP, MAP_ALPHA_FLOOR) : std::min(mapAlpha + MAP_RISE_STEP, 255);
    int mode = mapAlpha >= 255 ? BLIT_COPY : BLIT_BLEND;
    drawSprite(target, in.left - shift - 2, in.top - shift - 2, minimap->width, minimap->height, minimap, 0, 0, mode,
               mapAlpha);
}

void drawDot(Surface* target, int x, int y, Color c) {
    static const int PLUS[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& d : PLUS) putPixel(target, x + d[0], y + d[1], c);
}

// From the last rider to the player, so the player's dot is on top.
void drawRiderDots(Surface* target, const Insets& in) {
    int shift = 2 * slide;
    for (int i = riderCount - 1; i >= 0; i--) {
        const RaceRider* r = raceRiders[i];
        if (!r) continue;
        int x = in.left + minimapSize * wholeUnits(r->x) / WORLD_SIZE - shift;
        int y = in.top + minimapSize * wholeUnits(r->y) / WORLD_SIZE - shift;
        drawDot(target, x, y, i == 0 ? WHITE : OTHER_DOT);
    }
}

void drawTimeText(Surface* target, const char* text, int rightX, int y, Color colour, bool overPar) {
    int x = rightX - textWidth(text, HUD_FONT);
    if (overPar) drawTextColored(target, text, x, y, HUD_FONT, colour);
    else drawText(target, text, x, y, HUD_FONT);
}

// Hundredths, seconds and, from the first minute, minutes, each right-aligned
// at a tab stop so that the digits do not jitter as they change.
void drawTime(Surface* target, const Insets& in, int time) {
    if (time < 0) return;
    int right = target->width + slide - TIME_RIGHT_INSET;
    int y = fontLineHeight(HUD_FONT) + in.lift - slide;
    bool overPar = time > raceLevel.par * RACE_TICKS_PER_SECOND;
    char field[16];
    snprintf(field, sizeof field, "%02d", time * 100 / RACE_TICKS_PER_SECOND % 100);
    drawTimeText(target, field, right, y, OVER_PAR, overPar);
    int secondsRight = right - textWidth(":00", HUD_FONT);
    drawTimeText(target, ".", right - textWidth("00", HUD_FONT), y, OVER_PAR, overPar);
    snprintf(field, sizeof field, "%02d", time / RACE_TICKS_PER_SECOND % 60);
    drawTimeText(target, field, secondsRight, y, OVER_PAR, overPar);
    int minutes = time / (RACE_TICKS_PER_SECOND * 60);
    if (minutes == 0) return;
    int minutesRight = right - textWidth(":00:00", HUD_FONT);
    drawTimeText(target, ":", secondsRight - textWidth("00", HUD_FONT), y, OVER_PAR, overPar);
    snprintf(field, sizeof field, "%02d", minutes);
    drawTimeText(target, field, minutesRight, y, OVER_PAR, overPar);
}

int textLine(const Surface* target, const Insets& in) { return slide + 2 * in.lift + target->height - 3; }

void drawCentredText(Surface* target, const char* text, int cx, int y) {
    drawText(target, text, cx - textWidth(text, HUD_FONT) / 2, y, HUD_FONT);
}

void drawLapBox(Surface* target, const Insets& in, const HudValues& v) {
    if (v.laps <= 1 || !hudLap) return;
    int x = target->width + slide - hudLap->width;
    drawPicture(target, hudLap, x, slide + target->height - hudLap->height);
    if (v.lap < 0) return;
    char text[32];
    snprintf(text, sizeof text, "%d of %d", std::min(v.lap, v.laps), v.laps);
    drawCentredText(target, text, x + hudLap->width / 2 + 5, textLine(target, in));
}

void drawPlaceBox(Surface* target, const Insets& in, const HudValues& v) {
    if (riderCount <= 1 || !hudPlace) return;
    drawPicture(target, hudPlace, -slide, slide + target->height - hudPlace->height);
    if (v.place < 0) return;
    char text[16];
    placeWord(v.place, riderCount, "Last", text, sizeof text);
    // Mirrors the lap box: centred on the box as it slides.
    drawCentredText(target, text, hudPlace->width / 2 - slide - 5, textLine(target, in));
}

void drawAll(Surface* target, const HudValues& v) {
    Insets in = insets(target);
    drawOutOfBounds(target, v.outOfBounds);
    drawMinimap(target, in, v);
    drawRiderDots(target, in);
    drawPicture(target, hudMap, -slide, -slide);
    drawPicture(target, hudTime, target->width + slide - pictureWidth(hudTime), -slide);
    drawTime(target, in, v.time);
    drawLapBox(target, in, v);
    drawPlaceBox(target, in, v);
}

} // namespace

void drawHud(Surface* target, HudCommand command, const HudValues& values) {
    if (gameType == GAME_FREE_RIDE) return;
    switch (command) {
    case HUD_RESET:
        remembered = values;
        slide = offScreen();
        oobHeight = 0;
        oobAlpha = 255;
        mapAlpha = 255;
        return;
    case HUD_DRAW:
        remembered = values;
        break;
    case HUD_SLIDE_IN:
        slide /= 2;
        break;
    case HUD_SLIDE_OUT:
        slide = std::min(slide + SLIDE_OUT_STEP, offScreen());
        break;
    }
    // The bike keeps moving under a sliding HUD, and the map fades for it.
    remembered.playerX = values.playerX;
    remembered.playerY = values.playerY;
    drawAll(target, remembered);
}

int hudSlide() { return slide; }
int hudMapAlpha() { return mapAlpha; }
