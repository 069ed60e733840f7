// Control configuration: the ten bindings in a window grown from bands of
// its picture. A click on a row makes it wait; the next key or mouse button
// pressed is bound to it, taken from any row that had it. Cancel puts back
// the bindings the screen was entered with, Apply writes them.
#include "screens/screens_local.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "player/settings.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sounds.h"

#include <algorithm>
#include <cstring>

static const char WINDOW_PICTURE[] = "optionButton.png";
static const char TITLE[] = "Control Configuration";
static const int FONT = 1;

// The picture: a top of 14 rows, the band every row is grown from, and the
// strip holding the Cancel and Apply plates; a pressed plate in its last rows.
static const int TOP_ROWS = 14;
static const int BAND_ROW = 14;
static const int STRIP_ROW = 38, STRIP_ROWS = 23;
static const int TITLE_DROP = 9; // below the first line
static const int TEXT_MARGIN = 5;

static const int PLATE_WIDTH = 72, PLATE_HEIGHT = 21;
static const int PLATE_DROP = 1;   // the plates' top below the strip's
static const int LABEL_DROP = 14;  // the labels' line below the strip's top
static const int HIT_TOP = 2, HIT_BOTTOM = 23; // from the strip's top, exclusive
static const int ROW_HIT_EXTRA = 4;            // a row answers L1 + 4 rows down

struct StripButton {
    const char* label;
    int left, right; // hot columns, exclusive
    int labelX;      // the label's centre
};
enum { CANCEL, APPLY, STRIP_BUTTONS };
static const StripButton BUTTONS[STRIP_BUTTONS] = {
    {"Cancel", 17, 89, 53},
    {"Apply", 128, 200, 165},
};

static Surface* windowPicture;
// Kept across visits: only an assigned key ends the wait.
static int waitingRow = -1;
// What Cancel puts back: the bindings as they were on entering.
static int bindingsOnEntry[BINDING_COUNT];
static const int CONFIG_ROWS = BINDING_COUNT;

struct ConfigLayout {
    int tx, ty, w;
    int lineHeight; // of font 1
    int firstRow;   // the first binding band's top
    int pitch;      // from band to band
    int stripY;     // the plates' strip, below one more band
};

static ConfigLayout layout() {
    ScreenMetrics m = screenMetrics();
    int L1 = fontLineHeight(FONT);
    int pitch = 2 * L1 - 3;
    // A quarter of the way down, raised where the window would not fit.
    int height = TOP_ROWS + 2 * L1 + (CONFIG_ROWS + 1) * pitch + STRIP_ROWS;
    int tx = m.width / 2 - windowPicture->width / 2, ty = std::max(0, std::min(m.height / 4, m.height - height));
    int first = ty + 2 * L1 + TOP_ROWS;
    return {tx, ty, windowPicture->width, L1, first, pitch, first + (CONFIG_ROWS + 1) * pitch};
}

static void enter() {
    saveSettings();
    memcpy(bindingsOnEntry, keyBindings, sizeof bindingsOnEntry);
    freePicture(&windowPicture);
    loadPicture(WINDOW_PICTURE, &windowPicture);
    loadScrollingBackground();
}

static void leave() {
    freePicture(&windowPicture);
    freeScrollingBackground();
}

// ---- what lies under the pointer ----

// The last row whose band holds y answers.
static int rowAt(const ConfigLayout& l, int y) {
    int row = -1;
    for (int i = 0; i < CONFIG_ROWS; i++) {
        int d = y - l.firstRow - i * l.pitch;
        if (0 <= d && d <= l.lineHeight + ROW_HIT_EXTRA) row = i;
    }
    return row;
}

static bool onButton(const ConfigLayout& l, const StripButton& b, int x, int y) {
    int wx = x - l.tx, dy = y - l.stripY;
    return b.left < wx && wx < b.right && HIT_TOP < dy && dy < HIT_BOTTOM;
}

// ---- drawing ----

static void drawBand(const ConfigLayout& l, int y, int rows) {
    drawSprite(framebuffer, l.tx, y, l.w, rows, windowPicture, 0, BAND_ROW, BLIT_COPY);
}

static void drawRightAligned(const char* text, int right, int y, bool waiting) {
    int x = right - textWidth(text, FONT);
    if (waiting)
        drawTextColored(framebuffer, text, x, y, FONT, 0);
    else
        drawText(framebuffer, text, x, y, FONT);
}

static void drawRows(const ConfigLayout& l) {
    for (int i = 0; i < CONFIG_ROWS; i++) {
        int top = l.firstRow + i * l.pitch, y = top + l.lineHeight;
        drawBand(l, top, l.pitch);
        bool waiting = i == waitingRow;
        if (waiting)
            drawTextColored(framebuffer, bindingLabels[i], l.tx + TEXT_MARGIN, y, FONT, 0);
        else
            drawText(framebuffer, bindingLabels[i], l.tx + TEXT_MARGIN, y, FONT);
        char key[24];
        bindingText(keyBindings[i], key, sizeof key);
        drawRightAligned(key, l.tx + l.w - TEXT_MARGIN, y, waiting);
    }
}

// A held plate shows pressed, its label a pixel lower and further right.
static void drawStrip(const ConfigLayout& l) {
    drawSprite(framebuffer, l.tx, l.stripY, l.w, STRIP_ROWS, windowPicture, 0, STRIP_ROW, BLIT_TRANSPARENT);
    for (const StripButton& b : BUTTONS) {
        bool held = leftButtonHeld && onButton(l, b, mouseX, mouseY);
        int shift = held ? 1 : 0;
        if (held)
            drawSprite(framebuffer, l.tx + b.left, l.stripY + PLATE_DROP, PLATE_WIDTH, PLATE_HEIGHT, windowPicture,
                       BUTTONS[CANCEL].left, windowPicture->height - PLATE_HEIGHT, BLIT_TRANSPARENT);
        int x = l.tx + b.labelX - textWidth(b.label, FONT) / 2 + shift;
        drawTextColored(framebuffer, b.label, x, l.stripY + LABEL_DROP + shift, FONT, 0);
    }
}

static Mode render(Mode self) {
    ConfigLayout l = layout();
    drawScrollingBackground(framebuffer, renderCount);
    drawSprite(framebuffer, l.tx, l.ty, l.w, TOP_ROWS, windowPicture, 0, 0, BLIT_TRANSPARENT);
    drawBand(l, l.ty + TOP_ROWS, 2 * l.lineHeight);
    ScreenMetrics m = screenMetrics();
    drawText(framebuffer, TITLE, m.width / 2 - textWidth(TITLE, FONT) / 2, l.ty + l.lineHeight + TITLE_DROP, FONT);
    drawRows(l);
    drawBand(l, l.firstRow + CONFIG_ROWS * l.pitch, l.pitch);
    drawStrip(l);
    return self;
}

// ---- input ----

// Every key and both mouse buttons arrive here as key-downs, the click's
// before its button-up, so a click binds the left button.
static void bindWaitingRow(int code) {
    if (waitingRow < 0 || code == 0) return;
    bindKey(waitingRow, code);
    waitingRow = -1;
}

static Mode release(Mode self, int x, int y) {
    ConfigLayout l = layout();
    int row = rowAt(l, y);
    if (row >= 0) waitingRow = row;
    Mode next = self;
    if (onButton(l, BUTTONS[CANCEL], x, y)) {
        memcpy(keyBindings, bindingsOnEntry, sizeof keyBindings);
        next = MODE_OPTIONS;
    }
    if (onButton(l, BUTTONS[APPLY], x, y)) {
        saveSettings();
        next = MODE_OPTIONS;
    }
    playSound(SOUND_BUTTON_CLICK);
    return next;
}

static Mode input(Mode self, const InputEvent& e) {
    if (!windowPicture) return self;
    if (e.kind == INPUT_KEY_DOWN) bindWaitingRow(e.key);
    if (e.kind == INPUT_BUTTON_UP) return release(self, e.x, e.y);
    return self;
}

const ModeScreen controlConfigScreen = {enter, leave, nullptr, render, input, false, true};
