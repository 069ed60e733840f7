#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "player/riders.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/loop.h"

#include <cstdio>

Surface* backgroundPicture;

static const int SLIDE_STEPS = 31;

ScreenMetrics screenMetrics() {
    int w = displayGeometry.logicalWidth, h = displayGeometry.logicalHeight;
    return {w, h, fontLineHeight(0), fontBaseline(0), w > h};
}

void loadBackground(const char* name) {
    freePicture(&backgroundPicture);
    loadPicture(name, &backgroundPicture);
}

void loadStageBackground() { loadBackground(screenMetrics().landscape ? "stageBackL.png" : "stageBack.png"); }

void freeBackground() { freePicture(&backgroundPicture); }

void drawBackground() {
    if (!backgroundPicture || backgroundPicture->width != framebuffer->width ||
        backgroundPicture->height != framebuffer->height)
        fillSurface(framebuffer, 0);
    if (backgroundPicture) drawCentred(framebuffer, backgroundPicture);
}

int slideIn() {
    int t = tickCount < SLIDE_STEPS ? tickCount : SLIDE_STEPS;
    return (t - SLIDE_STEPS) * (t - SLIDE_STEPS);
}

Color highlightColour() { return packCorrected(20, 15, 31); }

bool escapeReleased(const InputEvent& e) {
    return e.kind == INPUT_KEY_UP && e.key != 0 && e.key == keyBindings[BIND_ESCAPE];
}

bool anyRelease(const InputEvent& e) { return e.kind == INPUT_KEY_UP || e.kind == INPUT_BUTTON_UP; }

Mode riderScreenForNewGame() { return profileCount() == 0 ? MODE_RIDER_EDIT : MODE_RIDER_SELECT; }

bool dataFileExists(const char* name) {
    char path[512];
    snprintf(path, sizeof path, "%s%s", dataFolder, name);
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    fclose(f);
    return true;
}

Mode modeAfterIntro() { return dataFileExists("monkey.png") ? MODE_HIDDEN_PICTURE : MODE_TITLE; }

void drawTextCentred(Surface* target, const char* text, int cx, int y) {
    drawTextDefault(target, text, cx - textWidth(text, 0) / 2, y);
}

void drawColouredCentred(Surface* target, const char* text, int cx, int y, Color colour) {
    drawTextColored(target, text, cx - textWidth(text, 0) / 2, y, 0, colour);
}

void drawSlidingTitle(const char* title) {
    ScreenMetrics m = screenMetrics();
    drawTextDefault(framebuffer, title, m.width / 16, m.height / 6 - slideIn() / 16);
}
