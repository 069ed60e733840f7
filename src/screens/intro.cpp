// The intro: the logo over the drifting background while the title music
// starts and the credit lines type themselves in from alternating ends.
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sounds.h"

#include <cstdio>
#include <cstring>

static const int MUSIC_TICK = 4;
static const int LAST_TICK = 405;
static const int TEXT_START_TICK = 150;
static const int TICKS_BETWEEN_LINES = 8;
static const int TICKS_PER_CHARACTER = 2;

// Read until the one-character line.
static const char* const CREDIT_LINES[] = {
    "Kelvarostrindamuxelor",
    "Made by the Kelvarostrindamuxelor team",
    "An off-road motorcycle racing game",
    "Free software, built from its own sources",
    ".",
};

static Surface* introPicture;

static void enter() {
    loadPicture("backvqz.png", &introPicture);
    loadScrollingBackground();
}

static void leave() {
    freePicture(&introPicture);
    freeScrollingBackground();
}

static Mode update(Mode self) {
    if (tickCount == MUSIC_TICK) playSoundLooping(SOUND_THEME, 1);
    return tickCount >= LAST_TICK ? modeAfterIntro() : self;
}

// Line k shows n of its characters; they stand where they stand in the
// whole centred line, odd lines growing from the left, even from the right.
static void drawCreditLine(const char* line, int k, int n, int centre, int y) {
    int len = (int)strlen(line);
    int whole = textWidth(line, 0);
    if (n >= len) {
        drawTextDefault(framebuffer, line, centre - whole / 2, y);
        return;
    }
    char part[64];
    if (k % 2 == 1) {
        snprintf(part, sizeof part, "%.*s", n, line);
        drawTextDefault(framebuffer, part, centre - whole / 2, y);
        return;
    }
    snprintf(part, sizeof part, "%.*s", len - n, line);
    int hidden = textWidth(part, 0);
    const char* shown = line + len - n;
    drawTextDefault(framebuffer, shown, centre - (textWidth(shown, 0) - hidden) / 2, y);
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    drawScrollingBackground(framebuffer, tickCount);
    int top = m.height / 2 - introPicture->height / 2 - 11 * m.lineHeight / 4;
    drawSprite(framebuffer, m.width / 2 - introPicture->width / 2, top, introPicture->width, introPicture->height,
               introPicture, 0, 0, BLIT_COPY);
    int y = top + introPicture->height + 2 * m.lineHeight - 3;
    int t = tickCount;
    for (int k = 0; strlen(CREDIT_LINES[k]) > 1; k++, y += m.lineHeight + m.lineHeight / 2) {
        int since = t - TICKS_BETWEEN_LINES * k - TEXT_START_TICK;
        if (since <= 0) continue;
        drawCreditLine(CREDIT_LINES[k], k, since / TICKS_PER_CHARACTER, m.width / 2, y);
    }
    return self;
}

// Any key released, a click included, goes on at once.
static Mode input(Mode self, const InputEvent& e) {
    if (e.kind != INPUT_KEY_UP) return self;
    modeFrameCount = 0;
    return modeAfterIntro();
}

const ModeScreen introScreen = {enter, leave, update, render, input, true, false};
