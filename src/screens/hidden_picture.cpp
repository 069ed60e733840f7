// The hidden picture, shown after the intro when "monkey.png" is in the
// data folder: it fades in from its own backdrop colour, holds for about
// two seconds (less while the button is held) and fades out to the title.
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/image.h"
#include "platform/platform.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sounds.h"

static const char PICTURE[] = "monkey.png";
static const char ALTERNATE_PICTURE[] = "monkeym.png";
static const int FADE_STEP = 10;
static const int SOUND_AT = 280;
static const int HOLD_FROM = 281;   // from here the fade waits for the hold to pass
static const int FADE_OUT_FROM = 300;
static const int FADE_OUT_MIRROR = 555; // strength = 555 - fade while fading out
static const int LAST_FADE = 581;
static const int HOLD_SECONDS = 2;
static const int FULL_STRENGTH = 255;
static const int FIRST_FRAMES = 2; // input is ignored this long

static Surface* picture;
static Surface* alternatePicture; // shown while the hidden sound plays
static int fade;
static int64_t startTime;

static void enter() {
    freePicture(&picture);
    freePicture(&alternatePicture);
    loadPicture(PICTURE, &picture);
    // It only shows while a sound plays that the game never loads, so its
    // absence is no reason for a message box.
    if (dataFileExists(ALTERNATE_PICTURE)) loadPicture(ALTERNATE_PICTURE, &alternatePicture);
    fade = 0;
}

static void leave() {
    freePicture(&picture);
    freePicture(&alternatePicture);
}

static bool holdOver() { return counterSince(platformCounter(), startTime) / oneSecond >= HOLD_SECONDS; }

static Mode update(Mode self) {
    if (fade == 0) startTime = platformCounter();
    if (fade == SOUND_AT) playSound(SOUND_HIDDEN_PICTURE);
    if (fade < HOLD_FROM || holdOver() || leftButtonHeld) fade += FADE_STEP;
    return fade >= LAST_FADE ? MODE_TITLE : self;
}

// 0 .. 255 up the fade in, 255 through the hold, down again fading out.
static int strength() {
    int m = fade > FADE_OUT_FROM ? FADE_OUT_MIRROR - fade : fade;
    return m < 0 ? 0 : m > FULL_STRENGTH ? FULL_STRENGTH : m;
}

static Mode render(Mode self) {
    int m = strength();
    fillSurface(framebuffer, blendColors(getPixel(picture, 0, 0), 0, m));
    bool alternate = alternatePicture && soundPlayCount(SOUND_HIDDEN_PICTURE) != 0;
    Surface* shown = alternate ? alternatePicture : picture;
    int x = framebuffer->halfWidth - shown->halfWidth, y = framebuffer->halfHeight - shown->halfHeight;
    drawSprite(framebuffer, x, y, shown->width, shown->height, framebuffer, 0, 0, BLIT_FILL, 0);
    drawSprite(framebuffer, x, y, shown->width, shown->height, shown, 0, 0, BLIT_BLEND, m);
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    return anyRelease(e) && modeFrameCount > FIRST_FRAMES ? MODE_TITLE : self;
}

const ModeScreen hiddenPictureScreen = {enter, leave, update, render, input, true, false};
