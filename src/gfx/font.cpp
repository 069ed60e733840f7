#include "gfx/font.h"
#include "gfx/blit.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cstdlib>

Font* fontSlots[FONT_SLOTS];

static const int FIRST_GLYPH_CODE = 33;
static const int IGNORED_BAND_ROWS = 3; // the last rows of every band are not scanned
static const int LINE_HEIGHT_MARGIN = 10;
static const int CONTROL_ADVANCE = 4;   // extra pen advance below code 33
static const int MAX_STRIP_SIDE = 65535; // glyph positions are 16-bit

static bool validSlot(int slot) { return slot >= 0 && slot < FONT_SLOTS; }
static Font* fontIn(int slot) { return validSlot(slot) ? fontSlots[slot] : nullptr; }

// One column of a band: whether any scanned row is inked, its topmost
// inked row, and the end of its last inked run that ends inside the
// scanned rows (first + 1 when none does).
static bool scanColumn(const Surface* strip, int c, int first, int last, int* top, int* end) {
    bool inked = false;
    *end = first + 1;
    for (int r = first; r <= last; r++) {
        bool here = getPixel(strip, c, r) != 0;
        if (here && !inked) {
            inked = true;
            *top = r;
        }
        if (!here && r > first && getPixel(strip, c, r - 1) != 0) *end = r;
    }
    return inked;
}

// Assigns glyphs to codes from `code` on, in strip order; returns the next
// free code.
static int scanBand(Font* f, int bandTop, int cellHeight, int code) {
    const Surface* strip = f->strip;
    int last = bandTop + cellHeight - 1 - IGNORED_BAND_ROWS;
    bool inRun = false;
    for (int c = 1; c < strip->width && code < FONT_CODES; c++) {
        int t = 0, e = 0;
        if (scanColumn(strip, c, bandTop, last, &t, &e)) {
            if (!inRun) {
                f->glyphX[code] = (uint16_t)c;
                f->glyphY[code] = (uint16_t)t;
                f->top[code] = (uint16_t)(t - bandTop);
                f->bottom[code] = (uint16_t)(e - bandTop);
                inRun = true;
            } else {
                if (t < f->glyphY[code]) {
                    f->glyphY[code] = (uint16_t)t;
                    f->top[code] = (uint16_t)(t - bandTop);
                }
                if (e - bandTop > f->bottom[code]) f->bottom[code] = (uint16_t)(e - bandTop);
            }
            // A run reaching the strip's last column ends there, that column
            // itself not counted.
            if (c == strip->width - 1) {
                f->advance[code] = (uint16_t)(c - f->glyphX[code]);
                code++;
            }
        } else if (inRun) {
            f->advance[code] = (uint16_t)(c - f->glyphX[code]);
            code++;
            inRun = false;
        }
    }
    return code;
}

static int referenceRow(const Surface* strip, int cellHeight) {
    for (int r = 0; r < cellHeight && r < strip->height; r++)
        if (getPixel(strip, 0, r) != 0) return r;
    return -1;
}

static void scanFont(Surface* strip, int slot, int cellHeight, int baseline, bool findBaseline) {
    if (!validSlot(slot)) {
        logAt(1, "[ERROR] font slot out of range.\n", LOG_TAG_ERROR);
        return;
    }
    if (fontSlots[slot]) {
        logAt(1, "[ERROR] font of this index already loaded.\n", LOG_TAG_ERROR);
        return;
    }
    Font* f = (Font*)calloc(1, sizeof(Font));
    fontSlots[slot] = f;
    if (!f) {
        logAt(1, "[ERROR] unable to allocate memory for loadFont.\n", LOG_TAG_ERROR);
        return;
    }
    f->lineHeight = (uint8_t)(cellHeight - LINE_HEIGHT_MARGIN);
    f->strip = strip;
    // A band must have a height, and glyph positions must fit their fields.
    if (!strip || cellHeight < 1 || strip->width > MAX_STRIP_SIDE || strip->height > MAX_STRIP_SIDE) {
        logAt(1, "[ERROR] font not loaded.\n", LOG_TAG_ERROR);
        return;
    }
    if (findBaseline) {
        baseline = referenceRow(strip, cellHeight);
        if (baseline < 0) {
            logAt(1, "[ERROR] can't locate font reference point.\n", LOG_TAG_ERROR);
            return;
        }
    }
    f->baseline = (uint8_t)baseline;
    int code = FIRST_GLYPH_CODE;
    for (int b = 0; b < strip->height && code < FONT_CODES; b += cellHeight) code = scanBand(f, b, cellHeight, code);
    logf(1, 0, "Loaded %d characters\n", code - FIRST_GLYPH_CODE);
}

void loadFont(Surface* strip, int slot, int cellHeight) { scanFont(strip, slot, cellHeight, 0, true); }

void loadFontWithBaseline(Surface* strip, int slot, int cellHeight, int baseline) {
    scanFont(strip, slot, cellHeight, baseline, false);
}

void unloadFont(int slot) {
    if (!fontIn(slot)) {
        logAt(1, "[ERROR] font already unloaded.\n", LOG_TAG_ERROR);
        return;
    }
    free(fontSlots[slot]);
    fontSlots[slot] = nullptr;
}

void setFontStrip(Surface* strip, int slot) {
    if (Font* f = fontIn(slot)) f->strip = strip;
}

int fontBaseline(int slot) {
    const Font* f = fontIn(slot);
    return f ? f->baseline : 0;
}

int fontLineHeight(int slot) {
    const Font* f = fontIn(slot);
    return f ? f->lineHeight : 0;
}

// The glyph width of a code; codes without a glyph (control characters,
// codes past the last glyph, and every code from 224 up) have none.
static int glyphAdvance(const Font* f, unsigned ch) {
    return f && ch != ' ' && ch < FONT_CODES ? f->advance[ch] : 0;
}

int textWidth(const char* text, int slot) {
    const Font* f = fontIn(slot);
    int width = 0;
    for (const unsigned char* p = (const unsigned char*)text; *p; p++)
        width += 1 + (*p < FIRST_GLYPH_CODE ? CONTROL_ADVANCE : 0) + glyphAdvance(f, *p);
    return width;
}

// Walks the text with the pen, handing every inked strip pixel's intensity
// and its destination pixel to `apply`.
template <typename Apply>
static void drawGlyphs(Surface* dst, const char* text, int x, int y, int slot, Apply apply) {
    const Font* f = fontIn(slot);
    if (!f || !f->strip) return;
    int pen = x;
    for (const unsigned char* p = (const unsigned char*)text; *p; p++) {
        unsigned ch = *p;
        if (ch < FIRST_GLYPH_CODE) pen += CONTROL_ADVANCE;
        int width = glyphAdvance(f, ch);
        if (width > 0) {
            int rows = f->bottom[ch] - f->top[ch];
            int top = y - f->baseline + f->top[ch];
            for (int k = 0; k < rows; k++)
                for (int j = 0; j < width; j++) {
                    int v = colorBlue(getPixel(f->strip, f->glyphX[ch] + j, f->glyphY[ch] + k));
                    if (v && insideSurface(dst, pen + j, top + k)) {
                        uint16_t* d = pixelAddress(dst, pen + j, top + k);
                        *d = apply(*d, v);
                    }
                }
        }
        pen += 1 + width;
    }
}

void drawText(Surface* dst, const char* text, int x, int y, int slot) {
    drawGlyphs(dst, text, x, y, slot, [](Color d, int v) { return brightenColor(d, v); });
}

void drawTextDefault(Surface* dst, const char* text, int x, int y) { drawText(dst, text, x, y, 0); }

void drawTextFaded(Surface* dst, const char* text, int x, int y, int slot, int level) {
    int fade = (level >> 3) - 31;
    drawGlyphs(dst, text, x, y, slot, [fade](Color d, int v) { return brightenColor(d, v + fade); });
}

void drawTextColored(Surface* dst, const char* text, int x, int y, int slot, Color colour) {
    drawGlyphs(dst, text, x, y, slot, [colour](Color d, int v) { return blendColors(colour, d, v * 8); });
}

// The small font: cells of 7 x 11 pixels, 32 to a row; the glyph of a
// character is the 6 x 6 block at (1, 3) of its cell.
static const int SMALL_CELL_WIDTH = 7;
static const int SMALL_CELL_HEIGHT = 11;
static const int SMALL_CELLS_PER_ROW = 32;
static const int SMALL_GLYPH_SIZE = 6;
static const int SMALL_ADVANCE = SMALL_TEXT_ADVANCE;

// Characters are signed bytes; 0 and everything from 128 up use cell 0.
static void smallGlyph(char ch, int* gx, int* gy) {
    int c = (signed char)ch;
    int n = c >= 1 ? c - 1 : 0;
    *gx = (n % SMALL_CELLS_PER_ROW) * SMALL_CELL_WIDTH + 1;
    *gy = (n / SMALL_CELLS_PER_ROW) * SMALL_CELL_HEIGHT + 3;
}

void drawSmallText(Surface* dst, const char* text, int x, int y, Color colour) {
    if (!smallChars) return;
    for (const char* p = text; *p; p++, x += SMALL_ADVANCE) {
        if (*p == ' ') continue;
        int gx, gy;
        smallGlyph(*p, &gx, &gy);
        drawSprite(dst, x, y, SMALL_GLYPH_SIZE, SMALL_GLYPH_SIZE, smallChars, gx, gy, BLIT_SILHOUETTE, colour);
    }
}

void drawSmallTextBlended(Surface* dst, const char* text, int x, int y, Color colour, int w) {
    if (!smallChars) return;
    for (const char* p = text; *p; p++, x += SMALL_ADVANCE) {
        if (*p == ' ') continue;
        int gx, gy;
        smallGlyph(*p, &gx, &gy);
        for (int k = 0; k < SMALL_GLYPH_SIZE; k++)
            for (int j = 0; j < SMALL_GLYPH_SIZE; j++)
                if (getPixel(smallChars, gx + j, gy + k) && insideSurface(dst, x + j, y + k)) {
                    uint16_t* d = pixelAddress(dst, x + j, y + k);
                    *d = blendColors(colour, *d, w);
                }
    }
}

void drawDebugText(const char* text, int x, int y, int colourIndex) {
    if (!framebuffer) return;
    // Log tags are any small number; an unknown one shows white.
    bool known = colourIndex >= 0 && colourIndex < (int)(sizeof basicColours / sizeof basicColours[0]);
    drawSmallText(framebuffer, text, x, y, basicColours[known ? colourIndex : 0]);
}
