// Options: the window over the drifting background with the effects,
// music and brightness sliders, their reset labels, the full-screen switch,
// and the way on to Button Config or back with OK. The settings file is
// written whenever the screen is left.
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "player/settings.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/sounds.h"

static const char WINDOW_PICTURE[] = "optionsWin.png";

// The window is drawn in three pieces: a transparent top with its rounded
// corners, an opaque body, and the transparent strip the buttons hang in.
static const int WINDOW_TOP_ROWS = 13;
static const int BODY_END_FROM_BOTTOM = 76; // the body's last row is h - 76
static const int STRIP_FROM_BOTTOM = 75;
static const int STRIP_ROWS = 22;
static const int WINDOW_DROP = 26; // below the centre

static const int TITLE_Y = 26;
static const int TITLE_LIFT = 2;

// The three slider rows, by window row; each is this many rows high.
enum SliderRow { EFFECTS_ROW, MUSIC_ROW, BRIGHTNESS_ROW, SLIDER_ROWS };
static const int SLIDER_TOPS[SLIDER_ROWS] = {61, 95, 129};
static const int SLIDER_ROW_HEIGHT = 18;
static const int SLIDER_FROM = 67, SLIDER_TO = 205; // the slider's hot columns
static const int SLIDER_ZERO = 72;                  // a value's knob stands at 72 + value / 2
static const int RESET_FROM = 7;                    // the reset label ends where the slider starts
static const int VOLUME_STEP = 8;                   // of the pointer: steps of 16 in volume
static const int BRIGHTNESS_STEP = 16;
static const int BRIGHTNESS_LOW = 8, BRIGHTNESS_HIGH = 255;

static const int EFFECTS_RESET = 255;
static const int MUSIC_RESET = 220;
static const int BRIGHTNESS_RESET = 128;

// Where the knob lies in the picture, below the rows the window shows.
static const int KNOB_X = 195, KNOB_FROM_BOTTOM = 46;
static const int KNOB_WIDTH = 9, KNOB_HEIGHT = 17;

// The full-screen switch, exclusive on every side.
static const int SWITCH_LEFT = 10, SWITCH_RIGHT = 177, SWITCH_TOP = 44, SWITCH_BOTTOM = 60;

// The two buttons: hot from just right of `left` to `right` and from just
// below BUTTON_TOP to BUTTON_BOTTOM; the pressed plate lies in the
// picture's last rows at the plate's own x.
static const int BUTTON_TOP = 168, BUTTON_BOTTOM = 190;
static const int PLATE_Y = 169, PLATE_HEIGHT = 21;
static const int BUTTON_LABEL_Y = 181;
static const int BUTTON_FONT = 1;

struct WindowButton {
    const char* label;
    int left, right;
    int plateX, plateWidth;
    int labelX; // the label's centre
    Mode next;
};
static const WindowButton BUTTONS[] = {
    {"Button Config", 16, 138, 17, 121, 77, MODE_CONTROLS_CONFIG},
    {"OK", 153, 200, 154, 46, 177, MODE_TITLE},
};

static Surface* windowPicture;

struct WindowPlace {
    int tx, ty, w, h;
};

static WindowPlace place() {
    ScreenMetrics m = screenMetrics();
    int w = windowPicture->width, h = windowPicture->height;
    return {m.width / 2 - w / 2, m.height / 2 - h / 2 + WINDOW_DROP, w, h};
}

static void enter() {
    loadScrollingBackground();
    freePicture(&windowPicture);
    loadPicture(WINDOW_PICTURE, &windowPicture);
}

static void leave() {
    saveSettings();
    freeScrollingBackground();
    freePicture(&windowPicture);
}

// ---- what lies under a window point ----

static int sliderRowAt(int wy) {
    for (int r = 0; r < SLIDER_ROWS; r++)
        if (SLIDER_TOPS[r] <= wy && wy < SLIDER_TOPS[r] + SLIDER_ROW_HEIGHT) return r;
    return -1;
}

static bool onSlider(int wx) { return SLIDER_FROM <= wx && wx <= SLIDER_TO; }
static bool onResetLabel(int wx) { return RESET_FROM <= wx && wx < SLIDER_FROM; }

// The pointer's distance into the slider; a point just left of its start
// counts as 0.
static int sliderDistance(int wx) { return wx > SLIDER_ZERO ? wx - SLIDER_ZERO : 0; }

static bool onButton(const WindowButton& b, int wx, int wy) {
    return b.left < wx && wx <= b.right && BUTTON_TOP < wy && wy <= BUTTON_BOTTOM;
}

static bool onSwitch(int wx, int wy) {
    return SWITCH_LEFT < wx && wx < SWITCH_RIGHT && SWITCH_TOP < wy && wy < SWITCH_BOTTOM;
}

// ---- drawing ----

static void drawWindow(const WindowPlace& p) {
    int bodyRows = p.h - BODY_END_FROM_BOTTOM - WINDOW_TOP_ROWS + 1;
    int strip = p.h - STRIP_FROM_BOTTOM;
    drawSprite(framebuffer, p.tx, p.ty, p.w, WINDOW_TOP_ROWS, windowPicture, 0, 0, BLIT_TRANSPARENT);
    drawSprite(framebuffer, p.tx, p.ty + WINDOW_TOP_ROWS, p.w, bodyRows, windowPicture, 0, WINDOW_TOP_ROWS,
               BLIT_COPY);
    drawSprite(framebuffer, p.tx, p.ty + strip, p.w, STRIP_ROWS, windowPicture, 0, strip, BLIT_TRANSPARENT);
}

static void drawTitle(const WindowPlace& p) {
    int x = p.tx + p.w / 2 - textWidth("Options", 0) / 2;
    drawTextColored(framebuffer, "Options", x, p.ty + TITLE_Y, 0, 0);
    drawText(framebuffer, "Options", x, p.ty + TITLE_Y - TITLE_LIFT, 0);
}

static void drawKnobs(const WindowPlace& p) {
    const int values[SLIDER_ROWS] = {channelVolume(EFFECTS_CHANNEL), channelVolume(MUSIC_CHANNEL), colorCurveLevel()};
    for (int r = 0; r < SLIDER_ROWS; r++)
        drawSprite(framebuffer, p.tx + SLIDER_ZERO + values[r] / 2, p.ty + SLIDER_TOPS[r], KNOB_WIDTH, KNOB_HEIGHT,
                   windowPicture, KNOB_X, p.h - KNOB_FROM_BOTTOM, BLIT_TRANSPARENT);
}

// A held button shows its pressed plate with the label one pixel lower and
// further right.
static void drawButtons(const WindowPlace& p) {
    for (const WindowButton& b : BUTTONS) {
        bool held = leftButtonHeld && onButton(b, mouseX - p.tx, mouseY - p.ty);
        int shift = held ? 1 : 0;
        if (held)
            drawSprite(framebuffer, p.tx + b.plateX, p.ty + PLATE_Y, b.plateWidth, PLATE_HEIGHT, windowPicture,
                       b.plateX, p.h - PLATE_HEIGHT, BLIT_TRANSPARENT);
        int x = p.tx + b.labelX - textWidth(b.label, BUTTON_FONT) / 2 + shift;
        drawTextColored(framebuffer, b.label, x, p.ty + BUTTON_LABEL_Y + shift, BUTTON_FONT, 0);
    }
}

static Mode render(Mode self) {
    drawScrollingBackground(framebuffer, renderCount);
    WindowPlace p = place();
    drawWindow(p);
    drawTitle(p);
    drawKnobs(p);
    drawButtons(p);
    return self;
}

// ---- input ----

// The music level follows the music channel.
static void setVolume(int channel, int volume) {
    setChannelVolume(channel, volume);
    if (channel == MUSIC_CHANNEL) musicLevel = channelVolume(MUSIC_CHANNEL);
}

// The volumes follow the held pointer at once.
static void dragVolume(int wx, int wy) {
    int row = sliderRowAt(wy);
    if (row != EFFECTS_ROW && row != MUSIC_ROW) return;
    if (!onSlider(wx)) return;
    int d = sliderDistance(wx);
    setVolume(row == EFFECTS_ROW ? EFFECTS_CHANNEL : MUSIC_CHANNEL, d / VOLUME_STEP * VOLUME_STEP * 2);
}

// The pictures of this screen are read through the colour curve, so a new
// brightness shows by reloading the screen.
static void applyBrightness(Mode self, int level) {
    leaveMode(self);
    setColorCurve(level);
    enterMode(self);
}

static int brightnessAt(int wx) {
    int b = 2 * sliderDistance(wx);
    if (b < BRIGHTNESS_LOW) b = BRIGHTNESS_LOW;
    if (b > BRIGHTNESS_HIGH) b = BRIGHTNESS_HIGH;
    return b / BRIGHTNESS_STEP * BRIGHTNESS_STEP;
}

static Mode release(Mode self, int wx, int wy) {
    int row = sliderRowAt(wy);
    if (onResetLabel(wx) && row == EFFECTS_ROW) setVolume(EFFECTS_CHANNEL, EFFECTS_RESET);
    if (onResetLabel(wx) && row == MUSIC_ROW) setVolume(MUSIC_CHANNEL, MUSIC_RESET);
    if (row == BRIGHTNESS_ROW && onResetLabel(wx)) applyBrightness(self, BRIGHTNESS_RESET);
    if (row == BRIGHTNESS_ROW && onSlider(wx)) applyBrightness(self, brightnessAt(wx));
    Mode next = self;
    for (const WindowButton& b : BUTTONS)
        if (onButton(b, wx, wy)) next = b.next;
    if (onSwitch(wx, wy)) toggleFullScreen();
    playSound(SOUND_BUTTON_CLICK);
    return next;
}

static Mode input(Mode self, const InputEvent& e) {
    if (!windowPicture) return self;
    WindowPlace p = place();
    int wx = e.x - p.tx, wy = e.y - p.ty;
    bool drag = e.kind == INPUT_BUTTON_DOWN || (e.kind == INPUT_POINTER_MOVE && leftButtonHeld);
    if (drag) dragVolume(wx, wy);
    if (e.kind == INPUT_BUTTON_UP) return release(self, wx, wy);
    return self;
}

const ModeScreen optionsScreen = {enter, leave, nullptr, render, input, false, false};
