// Font strips rasterised from the packaged bold face. The game's loader
// finds each glyph as a run of inked columns with an empty column on either
// side, taking codes from 33 in strip order, and draws a pixel's blue
// component as its ink. So:
// - every glyph is laid out as one run as wide as its advance less the one
//   pixel the game adds after each glyph, so the letters keep the face's
//   own spacing;
// - a column of that run without enough blue ink (side bearings, the gap
//   inside '"') gets a pure-red pixel: it counts as ink for the scan but
//   draws nothing. The threshold keeps the run whole at the darkest
//   brightness setting, whose colour curve wipes out intensities below 5.
#include "bake/fonts.h"

#include "bake/files.h"
#include "bake/hud.h"
#include "bake/icons.h"
#include "bake/smallchars.h"
#include "bake/typeface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct StripLayout {
    const char* file;
    int pixelSize;
    int cellHeight;
    int originRow;    // band row just below the capitals: the face's baseline
    int referenceRow; // marked in column 0 (the game's own reference line)
    int inkTop;       // ink stays in the line height + 1 rows from here
    Hinting hinting;
};

const StripLayout mainStrip = {"c_neopolitical.png", 16, mainCellHeight, mainCapitalBottom + 1, mainReferenceRow, 2,
                               hintLight};
// Capitals in rows 2 .. 8, so text drawn at y is centred two rows above y.
const StripLayout smallStrip = {"c_neopolitical-s.png", 9, smallCellHeight, 9, smallReferenceRow, 2, hintLight};

const int stripWidth = 512;
const int firstCode = 33, lastCode = 126;
const int robustIntensity = 5; // survives the darkest colour curve
const Rgb runMarker = {128, 0, 0};
const Rgb referenceMark = {255, 255, 255};

int mainAdvance[256]; // run width + 1 per code, for mainFontTextWidth

uint8_t storedLevel(int intensity) { return (uint8_t)std::lround(intensity * 255.0 / 31); }
int intensityOf(uint8_t coverage) { return (coverage * 31 + 127) / 255; }

struct Placement {
    int x = 1, band = 0;
};

// Wrapped lines are a line height + 1 apart: the few glyphs reaching
// further (the bar, the grave accent) are moved into that space, so lines
// never touch. It also ends all ink well inside the scanned rows, where the
// loader finds each glyph's bottom.
bool inkRow(const StripLayout& layout, const GlyphImage& glyph, int code, int* row) {
    const int lineRows = layout.cellHeight - 10 + 1;
    if (glyph.ink.height > lineRows) {
        fprintf(stderr, "bake: glyph %d of %s is taller than a line\n", code, layout.file);
        return false;
    }
    *row = std::clamp(layout.originRow - glyph.top, layout.inkTop, layout.inkTop + lineRows - glyph.ink.height);
    return true;
}

void paintInk(Image& strip, const Coverage& ink, int x, int y) {
    for (int j = 0; j < ink.height; j++)
        for (int i = 0; i < ink.width; i++) {
            uint8_t v = storedLevel(intensityOf(ink.at(i, j)));
            strip.set(x + i, y + j, {v, v, v});
        }
}

void markWeakColumns(Image& strip, const StripLayout& layout, int bandTop, int x, int width) {
    const int markRow = bandTop + layout.originRow - 1;
    for (int c = x; c < x + width; c++) {
        int strongest = 0;
        for (int r = bandTop; r <= bandTop + layout.cellHeight - 4; r++) strongest = std::max(strongest, strip.at(c, r).b >> 3);
        if (strongest < robustIntensity) {
            Rgb p = strip.at(c, markRow);
            strip.set(c, markRow, {std::max(p.r, runMarker.r), p.g, p.b});
        }
    }
}

// Lays the glyph out as the next run; returns its width through runWidth.
bool placeGlyph(Image& strip, const StripLayout& layout, const GlyphImage& glyph, int code, Placement& at,
                int* runWidth) {
    int runStart = std::min(0, glyph.left);
    int runEnd = std::max(glyph.advance - 1, glyph.left + glyph.ink.width);
    int width = runEnd - runStart;
    if (at.x + width >= strip.width - 1) { // the last column must stay empty
        at.x = 1;
        at.band++;
    }
    int bandTop = at.band * layout.cellHeight, row = 0;
    if (bandTop + layout.cellHeight > strip.height || !inkRow(layout, glyph, code, &row)) return false;
    paintInk(strip, glyph.ink, at.x + glyph.left - runStart, bandTop + row);
    markWeakColumns(strip, layout, bandTop, at.x, width);
    *runWidth = width;
    at.x += width + 1;
    return true;
}

bool bakeStrip(const TypeFace& face, const StripLayout& layout, const std::string& folder, int* advances) {
    const int maxBands = 8;
    Image strip(stripWidth, maxBands * layout.cellHeight);
    strip.set(0, layout.referenceRow, referenceMark);
    Placement at;
    for (int code = firstCode; code <= lastCode; code++) {
        GlyphImage glyph;
        int width = 0;
        if (!renderGlyph(face, layout.pixelSize, code, layout.hinting, 0, &glyph) ||
            !placeGlyph(strip, layout, glyph, code, at, &width))
            return false;
        if (advances) advances[code] = width + 1;
    }
    Image used(stripWidth, (at.band + 1) * layout.cellHeight);
    std::copy(strip.pixels.begin(), strip.pixels.begin() + used.pixels.size(), used.pixels.begin());
    return writePng(folder + layout.file, used);
}

} // namespace

int mainFontTextWidth(const std::string& text) {
    int width = 0;
    for (unsigned char ch : text) width += ch < firstCode ? 5 : mainAdvance[ch];
    return width;
}

bool bakeFontStrips(const BakeTarget& out) {
    TypeFace face;
    if (!openTypeFace(&face, boldFacePath)) return false;
    bool ok = bakeStrip(face, mainStrip, out.data, mainAdvance) && bakeStrip(face, smallStrip, out.data, nullptr);
    closeTypeFace(&face);
    return ok;
}

bool bakeFonts(const BakeTarget& out) {
    return bakeFontStrips(out) && bakeSmallChars(out) && bakeHudPictures(out) && bakeIcons(out);
}
