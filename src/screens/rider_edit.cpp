// The rider editor: a name typed on the keyboard or picked from the letter
// grid, and the bike and body colours shown on the turning bike.
#include "screens/screens_local.h"
#include "gfx/font.h"
#include "player/riders.h"
#include "screens/assets.h"
#include "screens/mode_ids.h"
#include "screens/widgets.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/random.h"
#include "sound/effects.h"
#include "sound/sounds.h"
#include "world/voxel.h"

static const int NAME_MAX = 14;
static const int COLOUR_SCHEMES = RIDER_COLOUR_MAX + 1;
static const int GRID_COLUMNS = 7; // c = -3 .. 3
static const int GRID_ROWS = 4;
static const int FIRST_LETTER = 'A', LAST_LETTER = 'Z';
static const int FIRST_TYPED_KEY = 65, LAST_TYPED_KEY = 121;
static const int LOWER_CASE_FROM = 97; // these keys type the code 32 lower
static const int BIKE_PITCH = 180;

static char name[NAME_MAX + 1];
static int nameLength;
static int bikeColour, bodyColour;

struct LetterCell {
    int cx, textY; // centre of the cell, baseline of its letter
    char letter;
};

static LetterCell letterCell(const ScreenMetrics& m, int c, int r) {
    int code = FIRST_LETTER + (c + 3) + GRID_COLUMNS * r;
    char letter = code > LAST_LETTER ? ' ' : (char)code;
    return {m.width / 2 + c * (m.width / 32) * 2, m.height / 2 + r * (m.lineHeight + m.height / 64), letter};
}

struct CellBox {
    int left, right, top, bottom; // all exclusive
};

static CellBox cellBox(const ScreenMetrics& m, const LetterCell& cell) {
    int half = textWidth("M", 0) / 2;
    int top = cell.textY - m.baseline;
    return {cell.cx - half, cell.cx + half, top, top + m.lineHeight + 4};
}

static bool inBox(const CellBox& b, int x, int y) { return b.left < x && x < b.right && b.top < y && y < b.bottom; }

// The cell under the pointer; false when there is none.
static bool cellAt(const ScreenMetrics& m, int x, int y, LetterCell* out) {
    for (int r = 0; r < GRID_ROWS; r++)
        for (int c = -3; c <= 3; c++) {
            LetterCell cell = letterCell(m, c, r);
            if (!inBox(cellBox(m, cell), x, y)) continue;
            *out = cell;
            return true;
        }
    return false;
}

struct EditorLayout {
    int doneX, eraseX, buttonsY;
    int colourX, bikeY, bodyY;
    int bikeX, bikeModelY;
};

static EditorLayout layout(const ScreenMetrics& m) {
    int w = m.width, h = m.height;
    return {w / 2 + w / 4, w / 2 - w / 4, h - h / 4, w / 4, h / 4, h / 4 + 2 * m.lineHeight, w / 2 + w / 4, h / 4};
}

static void enter() {
    name[0] = 0;
    nameLength = 0;
    bikeColour = bodyColour = 0;
    loadScrollingBackground();
    // The bike shows the colours the new rider starts with.
    rebuildBikeModel(bikeColour, bodyColour);
}

static void leave() { freeScrollingBackground(); }

static void click() { playSound(SOUND_BUTTON_CLICK); }

static void addLetter(char letter) {
    if (nameLength >= NAME_MAX) return;
    name[nameLength++] = letter;
    name[nameLength] = 0;
    click();
}

static void eraseLetter() {
    if (nameLength > 0) name[--nameLength] = 0;
    click();
}

static void sprinkle(const CellBox& b) {
    for (int y = b.top + 1; y < b.bottom; y++)
        for (int x = b.left + 1; x < b.right; x++) brightenPixel(framebuffer, x, y, 5 + (gameRandom() & 7));
}

static void drawLetterGrid(const ScreenMetrics& m) {
    for (int r = 0; r < GRID_ROWS; r++)
        for (int c = -3; c <= 3; c++) {
            LetterCell cell = letterCell(m, c, r);
            char text[2] = {cell.letter, 0};
            drawTextCentred(framebuffer, text, cell.cx, cell.textY);
            CellBox box = cellBox(m, cell);
            if (leftButtonHeld && inBox(box, mouseX, mouseY)) sprinkle(box);
        }
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    EditorLayout l = layout(m);
    drawScrollingBackground(framebuffer, modeFrameCount);
    int nameStyle = nameLength > 0 ? BUTTON_NORMAL : BUTTON_DISABLED;
    textButton(framebuffer, "Done", l.doneX, l.buttonsY, nameStyle);
    textButton(framebuffer, "Erase", l.eraseX, l.buttonsY, nameStyle);
    textButton(framebuffer, "Bike Color", l.colourX, l.bikeY, BUTTON_NORMAL);
    textButton(framebuffer, "Body Color", l.colourX, l.bodyY, BUTTON_NORMAL);
    drawTextCentred(framebuffer, name, m.width / 2, m.height / 2 - m.height / 16);
    drawLetterGrid(m);
    if (bikeModel) {
        orientVoxelModel(bikeModel, BIKE_PITCH, frameCount % 360, 0);
        drawVoxelModel(bikeModel, framebuffer, l.bikeX, l.bikeModelY);
    }
    return self;
}

// Letter keys type capitals; the keys up to 'y' above them type the
// capital 32 codes lower.
static void typeKey(int key) {
    if (key == KEY_BACKSPACE) {
        eraseLetter();
        return;
    }
    if (key < FIRST_TYPED_KEY || key > LAST_TYPED_KEY) return;
    if (key >= LOWER_CASE_FROM) key -= 32;
    addLetter((char)key);
}

static void nextColour(int* colour) {
    click();
    *colour = (*colour + 1) % COLOUR_SCHEMES;
    rebuildBikeModel(bikeColour, bodyColour);
}

static Mode release(Mode self, int x, int y) {
    ScreenMetrics m = screenMetrics();
    EditorLayout l = layout(m);
    LetterCell cell;
    if (nameLength < NAME_MAX && cellAt(m, x, y, &cell)) addLetter(cell.letter);
    if (nameLength > 0 && textButton(framebuffer, "Done", l.doneX, l.buttonsY, BUTTON_HIT_TEST)) {
        createRider(name, bodyColour, bikeColour);
        return profileCount() == 1 ? MODE_LEVEL_SELECT : MODE_RIDER_SELECT;
    }
    if (textButton(framebuffer, "Erase", l.eraseX, l.buttonsY, BUTTON_HIT_TEST)) eraseLetter();
    if (textButton(framebuffer, "Bike Color", l.colourX, l.bikeY, BUTTON_HIT_TEST)) nextColour(&bikeColour);
    if (textButton(framebuffer, "Body Color", l.colourX, l.bodyY, BUTTON_HIT_TEST)) nextColour(&bodyColour);
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    // Escape first, so that an Escape bound to a letter never types it.
    if (escapeReleased(e)) return MODE_TITLE;
    if (e.kind == INPUT_KEY_UP) typeKey(e.key);
    if (e.kind == INPUT_BUTTON_UP) return release(self, e.x, e.y);
    return self;
}

const ModeScreen riderEditScreen = {enter, leave, nullptr, render, input, false, false};
