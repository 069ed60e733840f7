// Controls help: two paragraphs typing themselves in around the steering
// picture, which opens from its middle row outwards.
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "screens/widgets.h"
#include "shell/loop.h"
#include "shell/keys.h"

#include <cstdio>

static const char STEERING_PICTURE[] = "steering.png";
static const char TITLE[] = "Controls";
static const char FIRST_PARAGRAPH[] = "Use the mouse or directional keys to control the motorcycle.";
// The ghost key is named as it is bound now.
static const char GHOST_PARAGRAPH[] = "The ghost of your best run rides along: %s shows or hides it.";
static const char SECOND_PARAGRAPH[] =
    "Use the Button Configuration to set desired direction, accelerate, and brake controls.";

static Surface* steeringPicture;

static void enter() {
    loadStageBackground();
    freePicture(&steeringPicture);
    loadPicture(STEERING_PICTURE, &steeringPicture);
}

static void leave() {
    freeBackground();
    freePicture(&steeringPicture);
}

// The rows of the picture open by frame f: f squared, but never more than
// the picture (the square would overflow long before the counter wraps).
static int openedRows(int f, int pictureHeight) {
    if (f >= pictureHeight) return pictureHeight;
    return f * f < pictureHeight ? f * f : pictureHeight;
}

static void drawSteering(const ScreenMetrics& m, int f) {
    int ph = steeringPicture->height, pw = steeringPicture->width;
    int k = openedRows(f, ph);
    int y = m.height / 2 - (k - ph) / 2 - (ph / 2) / 8 - ph / 2;
    drawSprite(framebuffer, m.width / 2 - pw / 2, y, pw, k, steeringPicture, 0, ph / 2 - k / 2, BLIT_COPY);
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    int f = modeFrameCount, left = m.width / 16, right = m.width - m.width / 16;
    drawBackground();
    drawTextCentred(framebuffer, TITLE, m.width / 2, m.height / 8);
    wrappedText(framebuffer, FIRST_PARAGRAPH, left, m.height / 8 + 2 * m.lineHeight, right, 0, f);
    drawSteering(m, f);
    int y = wrappedText(framebuffer, SECOND_PARAGRAPH, left, 3 * m.height / 4, right, 0, f);
    char key[16], ghost[128];
    bindingText(keyBindings[BIND_GHOST], key, sizeof key);
    snprintf(ghost, sizeof ghost, GHOST_PARAGRAPH, key);
    wrappedText(framebuffer, ghost, left, y + m.lineHeight / 2, right, 0, f);
    return self;
}

static Mode input(Mode self, const InputEvent& e) { return anyRelease(e) ? MODE_TITLE : self; }

const ModeScreen controlsHelpScreen = {enter, leave, nullptr, render, input, false, false};
