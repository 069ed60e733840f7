// "smallchars.png": the debug font grid (32 cells of 7 x 11 per row, the
// glyph in the 6 x 6 block at column 1, row 3 of its cell; any set pixel is
// drawn in the caller's colour) and, below it and at its right, the debug
// overlay's panel pieces at the rectangles the overlay copies them from.
// Pieces blitted transparently (the tabs) keep black outside their shape.
#include "bake/smallchars.h"

#include "bake/debugglyphs.h"
#include "bake/files.h"
#include "bake/paint.h"

#include <cmath>

namespace {

const int pictureWidth = 240, pictureHeight = 135;
const int cellWidth = 7, cellHeight = 11, cellsPerRow = 32;

// Panel palette: gunmetal plates, recessed wells, the game's orange accent.
const Rgb edgeHigh = {124, 142, 170};
const Rgb edgeMid = {72, 84, 106};
const Rgb plate = {40, 48, 64};
const Rgb plateDark = {28, 34, 48};
const Rgb edgeLow = {14, 17, 24};
const Rgb well = {12, 14, 19};
const Rgb accent = {255, 148, 32};
const Rgb accentDim = {168, 96, 24};

// The overlay's source rectangles.
struct Rect {
    int x, y, w, h;
};
const Rect logTopEdge = {0, 88, 194, 2};
const Rect logStrip = {0, 90, 194, 6};
const Rect logBottomEdge = {0, 96, 194, 2};
const Rect logTab = {0, 97, 62, 9};
const Rect scrollKnob = {231, 0, 9, 20};
const Rect counterTab = {203, 89, 6, 9};
const Rect counterBox = {209, 89, 31, 9};
const Rect menuTab = {77, 98, 42, 8};
const Rect menuBody = {77, 106, 163, 29};
const Rect logButton = {0, 107, 20, 20};
const Rect exitButton = {20, 107, 20, 20};
const Rect pauseButton = {40, 107, 20, 20};

// Log strip columns: text from 2, the scroll bar's groove from 183.
const int textEnd = 182, grooveStart = 183, grooveEnd = 192;

void drawPixelText(Image& image, const char* text, int x, int y, Rgb colour) {
    for (; *text; text++, x += 6) {
        const char* const* rows = debugGlyph((unsigned char)*text);
        if (!rows) continue;
        for (int j = 0; j < debugGlyphHeight; j++)
            for (int i = 0; i < debugGlyphWidth; i++)
                if (rows[j][i] == '#') image.set(x + i, y + j, colour);
    }
}

void drawGlyphGrid(Image& image) {
    const Rgb ink = {255, 255, 255};
    for (int code = 1; code < 128; code++) {
        const char* const* rows = debugGlyph(code);
        if (!rows) continue;
        int n = code - 1;
        int x = (n % cellsPerRow) * cellWidth + 1, y = (n / cellsPerRow) * cellHeight + 3;
        for (int j = 0; j < debugGlyphHeight; j++)
            for (int i = 0; i < debugGlyphWidth; i++)
                if (rows[j][i] == '#') image.set(x + i, y + j, ink);
    }
}

// A vertical groove, two pixels: shadow then light.
void groove(Image& image, int x, int y0, int y1) {
    fillRect(image, x, y0, 1, y1 - y0, edgeLow);
    fillRect(image, x + 1, y0, 1, y1 - y0, edgeMid);
}

void drawLogPanel(Image& image) {
    const int x0 = logTopEdge.x, right = logTopEdge.x + logTopEdge.w - 1;
    // Top edge: a light rim over an inner shadow above the well.
    fillRect(image, x0, logTopEdge.y, logTopEdge.w, 1, edgeHigh);
    image.set(right, logTopEdge.y, edgeMid);
    int inner = logTopEdge.y + 1;
    image.set(x0, inner, edgeHigh);
    image.set(x0 + 1, inner, plate);
    fillRect(image, x0 + 2, inner, textEnd - 2, 1, edgeLow);
    image.set(textEnd, inner, plate);
    fillRect(image, grooveStart, inner, grooveEnd - grooveStart, 1, edgeLow);
    image.set(grooveEnd, inner, plate);
    image.set(right, inner, edgeLow);

    // One text line: the dark well, the separator and the scroll groove.
    for (int y = logStrip.y; y < logStrip.y + logStrip.h; y++) {
        image.set(x0, y, edgeHigh);
        image.set(x0 + 1, y, plate);
        fillRect(image, x0 + 2, y, textEnd - 2, 1, well);
        image.set(textEnd, y, plate);
        image.set(grooveStart, y, edgeLow);
        fillRect(image, grooveStart + 1, y, grooveEnd - grooveStart - 2, 1, {20, 24, 33});
        image.set(grooveStart + 4, y, {9, 11, 16});
        image.set(grooveEnd - 1, y, edgeMid);
        image.set(grooveEnd, y, plate);
        image.set(right, y, edgeLow);
    }

    // Bottom edge: the well's lower lip, then the panel's shadow line; the
    // tab's first row is the same picture row and carries on the plate.
    int lip = logBottomEdge.y;
    image.set(x0, lip, edgeHigh);
    image.set(x0 + 1, lip, plate);
    fillRect(image, x0 + 2, lip, textEnd - 2, 1, edgeMid);
    image.set(textEnd, lip, plate);
    fillRect(image, grooveStart, lip, grooveEnd - grooveStart, 1, edgeMid);
    image.set(grooveEnd, lip, plate);
    image.set(right, lip, edgeLow);
    fillRect(image, x0, lip + 1, logBottomEdge.w, 1, plateDark);
    image.set(right, lip + 1, edgeLow);
}

void drawLogTab(Image& image) {
    // Hangs below the panel's left end, its lower right corner cut at 45°.
    for (int t = 0; t < logTab.h; t++) {
        int y = logTab.y + t;
        int last = logTab.x + logTab.w - 1 - t;
        fillRect(image, logTab.x, y, last - logTab.x + 1, 1, t == logTab.h - 1 ? edgeLow : plate);
        image.set(logTab.x, y, edgeHigh);
        if (t > 0) image.set(last, y, edgeLow);
    }
    fillRect(image, logTab.x + 1, logTab.y + 1, logTab.w - 3, 1, plateDark);
    drawPixelText(image, "LOG", logTab.x + 5, logTab.y + 2, accent);
    for (int i = 0; i < 4; i++) groove(image, logTab.x + 27 + 4 * i, logTab.y + 2, logTab.y + 7);
}

void drawScrollKnob(Image& image) {
    const Rect& k = scrollKnob;
    for (int j = 0; j < k.h; j++) fillRect(image, k.x, k.y + j, k.w, 1, mixRgb({96, 112, 140}, {60, 72, 94}, j / 19.0));
    bevelRect(image, k.x, k.y, k.w, k.h, edgeHigh, edgeLow);
    for (int i = 0; i < 3; i++) {
        int y = k.y + 7 + 2 * i;
        fillRect(image, k.x + 2, y, k.w - 4, 1, edgeLow);
        fillRect(image, k.x + 2, y + 1, k.w - 4, 1, edgeHigh);
    }
    fillRect(image, k.x + 3, k.y + 3, 3, 1, accent);
    fillRect(image, k.x + 3, k.y + k.h - 4, 3, 1, accent);
}

void drawCounterPanel(Image& image) {
    const Rect& t = counterTab;
    for (int j = 0; j < t.h; j++) {
        bool corner = j == 0 || j == t.h - 1;
        fillRect(image, t.x + (corner ? 1 : 0), t.y + j, t.w - (corner ? 1 : 0), 1, plate);
    }
    fillRect(image, t.x + 1, t.y, t.w - 1, 1, edgeHigh);
    fillRect(image, t.x, t.y + 1, 1, t.h - 2, edgeHigh);
    fillRect(image, t.x + 1, t.y + t.h - 1, t.w - 1, 1, edgeLow);
    for (int i = 0; i < 3; i++) fillRect(image, t.x + 2, t.y + 2 + 2 * i, 2, 1, i == 1 ? accent : accentDim);

    const Rect& b = counterBox;
    fillRect(image, b.x, b.y, b.w, b.h, well);
    bevelRect(image, b.x, b.y, b.w, b.h, edgeHigh, edgeLow);
    fillRect(image, b.x + 1, b.y + 1, 1, b.h - 2, accentDim);
}

void drawMenuTab(Image& image) {
    // Stands on the body's left end, its upper right corner cut at 45°.
    const Rect& t = menuTab;
    for (int r = 0; r < t.h; r++) {
        int last = t.x + t.w - 1 - (t.h - 1 - r);
        fillRect(image, t.x, t.y + r, last - t.x + 1, 1, r == 0 ? edgeHigh : plate);
        image.set(t.x, t.y + r, edgeHigh);
        if (r > 0) image.set(last, t.y + r, edgeMid);
    }
    drawPixelText(image, "MENU", t.x + 4, t.y + 2, accent);
    groove(image, t.x + 30, t.y + 2, t.y + 7);
    groove(image, t.x + 33, t.y + 3, t.y + 7);
}

void recess(Image& image, int x, int y, int w, int h, Rgb inside) {
    fillRect(image, x, y, w, h, inside);
    bevelRect(image, x, y, w, h, edgeLow, edgeHigh);
}

void drawMenuBody(Image& image) {
    const Rect& b = menuBody;
    for (int j = 0; j < b.h; j++) fillRect(image, b.x, b.y + j, b.w, 1, mixRgb(plate, plateDark, j / 28.0));
    bevelRect(image, b.x, b.y, b.w, b.h, edgeHigh, edgeLow);
    fillRect(image, b.x + 1, b.y, menuTab.w - 2, 1, plate); // where the tab stands
    // Wells for the three buttons the overlay draws at 10, 32 and 54.
    for (int i = 0; i < 3; i++) recess(image, b.x + 9 + 22 * i, b.y + 3, 22, 22, edgeLow);
    groove(image, b.x + 80, b.y + 3, b.y + 26);
    // The caption screen (captions at 90, 4) and its vents.
    recess(image, b.x + 86, b.y + 2, 73, 10, well);
    drawPixelText(image, "DEBUG", b.x + 88, b.y + 17, accentDim);
    for (int i = 0; i < 4; i++) {
        int y = b.y + 14 + 3 * i;
        fillRect(image, b.x + 122, y, 35, 1, edgeLow);
        fillRect(image, b.x + 122, y + 1, 35, 1, edgeMid);
    }
}

void drawButtonFace(Image& image, const Rect& r) {
    for (int j = 0; j < r.h; j++) fillRect(image, r.x, r.y + j, r.w, 1, mixRgb({78, 92, 118}, {44, 53, 72}, j / 19.0));
    bevelRect(image, r.x, r.y, r.w, r.h, edgeHigh, edgeLow);
    bevelRect(image, r.x + 1, r.y + 1, r.w - 2, r.h - 2, mixRgb(edgeHigh, plate, 0.5), mixRgb(edgeLow, plate, 0.5));
}

void drawLogButton(Image& image) {
    const Rect& r = logButton;
    drawButtonFace(image, r);
    // A page with a folded corner and lines of text.
    double x0 = r.x + 5, y0 = r.y + 3.5, x1 = r.x + 15, y1 = r.y + 16.5;
    std::vector<Vec2> page = {{x0, y0}, {x1 - 3.5, y0}, {x1, y0 + 3.5}, {x1, y1}, {x0, y1}};
    paintShape(image, r.x, r.y, r.x + r.w, r.y + r.h, [&](double x, double y) { return insidePolygon(page, x, y); },
               {214, 222, 234});
    std::vector<Vec2> fold = {{x1 - 3.5, y0}, {x1 - 3.5, y0 + 3.5}, {x1, y0 + 3.5}};
    paintShape(image, r.x, r.y, r.x + r.w, r.y + r.h, [&](double x, double y) { return insidePolygon(fold, x, y); },
               {140, 150, 170});
    for (int i = 0; i < 4; i++) fillRect(image, r.x + 7, r.y + 7 + 2 * i + (i > 0), i == 3 ? 4 : 6, 1, i == 0 ? accentDim : edgeMid);
}

void drawExitButton(Image& image) {
    const Rect& r = exitButton;
    drawButtonFace(image, r);
    // The power symbol: an open ring and a bar through its gap.
    double cx = r.x + 10, cy = r.y + 10.5;
    auto ring = [&](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        bool gap = y < cy && std::fabs(x - cx) < 2.6;
        return d <= 6.2 && d >= 4.0 && !gap;
    };
    auto bar = [&](double x, double y) { return nearSegment({cx, cy - 7}, {cx, cy - 1}, 1.1, x, y); };
    paintShape(image, r.x, r.y, r.x + r.w, r.y + r.h, ring, {236, 74, 38});
    paintShape(image, r.x, r.y, r.x + r.w, r.y + r.h, bar, {255, 214, 170});
}

void drawPauseButton(Image& image) {
    const Rect& r = pauseButton;
    drawButtonFace(image, r);
    fillRect(image, r.x + 6, r.y + 5, 3, 10, {236, 222, 200});
    fillRect(image, r.x + 11, r.y + 5, 3, 10, {236, 222, 200});
    fillRect(image, r.x + 6, r.y + 15, 3, 1, edgeLow);
    fillRect(image, r.x + 11, r.y + 15, 3, 1, edgeLow);
}

} // namespace

bool bakeSmallChars(const BakeTarget& out) {
    Image image(pictureWidth, pictureHeight);
    drawGlyphGrid(image);
    drawLogPanel(image);
    drawLogTab(image);
    drawScrollKnob(image);
    drawCounterPanel(image);
    drawMenuTab(image);
    drawMenuBody(image);
    drawLogButton(image);
    drawExitButton(image);
    drawPauseButton(image);
    return writePng(out.data + "smallchars.png", image);
}
