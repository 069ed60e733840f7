// The options window and the control configuration window. The screens
// draw these pictures piece by piece (some parts with black as the
// transparent colour) and put their own labels, knobs and pressed plates
// on top at fixed offsets, so every drawn control sits inside its hot area.
#include "bake/art_canvas.h"
#include "bake/art_motifs.h"
#include "bake/noise.h"
#include "bake/art_text.h"
#include "bake/art_widgets.h"
#include "bake/picture_set.h"

#include <algorithm>
#include <cmath>

using namespace art;

namespace {

const Rgb BODY_TOP = {74, 82, 98};
const Rgb BODY_BOTTOM = {60, 67, 82};
const Rgb BAR_TOP = {40, 46, 58};
const Rgb BAR_BOTTOM = {24, 28, 36};
const Rgb PLATE_TOP = {255, 150, 40};
const Rgb PLATE_BOTTOM = {214, 92, 18};
const Rgb PRESSED_TOP = {176, 70, 14};
const Rgb PRESSED_BOTTOM = {214, 100, 24};

Mask boxMask(const Image& img, double x0, double y0, double x1, double y1, double radius) {
    Mask m(img.width, img.height);
    fillRoundedRect(m, x0, y0, x1, y1, radius);
    return m;
}

// A released button plate filling the box [x, x + w) x [y, y + h).
void paintButtonPlate(Image& img, int x, int y, int w, int h) {
    paintPlate(img, boxMask(img, x, y, x + w, y + h, 4), PLATE_TOP, PLATE_BOTTOM, 2);
}

void paintPressedPlate(Image& img, int x, int y, int w, int h) {
    paintHollow(img, boxMask(img, x, y, x + w, y + h, 4), PRESSED_TOP, PRESSED_BOTTOM, 2);
}

void paintLabel(Image& img, const char* text, double x, double y, double size, double width, Rgb colour) {
    Mask ink(img.width, img.height);
    TextStyle style = fitText(text, {size, 0, 0}, width);
    drawTextCentred(ink, text, x, y, style);
    paint(img, shifted(ink, 1, 1), {10, 12, 16}, 0.8);
    paint(img, ink, colour);
}

// A button hanging under the window: square top, round bottom corners.
void paintTab(Image& img, int x, int y, int w, bool pressed) {
    Mask tab = boxMask(img, x, y - 6, x + w, y + PLATE_HEIGHT, 5);
    for (int row = y - 6; row < y; row++)
        for (int col = x; col < x + w; col++) tab.a[(size_t)row * img.width + col] = 0;
    if (pressed)
        paintHollow(img, tab, PRESSED_TOP, PRESSED_BOTTOM, 2);
    else
        paintPlate(img, tab, PLATE_TOP, PLATE_BOTTOM, 2);
    keepOffTransparent(img, &tab);
}

// The window's frame: a steel rim around the body.
void paintFrame(Image& img, const Mask& shape) {
    Mask rim = shape, body = shape;
    cutAway(body, rim); // empty: rebuilt below from the eroded shape
    Mask inner(img.width, img.height);
    for (int y = 0; y < img.height; y++)
        for (int x = 0; x < img.width; x++) {
            float v = 1;
            for (int d = 1; d <= 2; d++)
                v = std::min({v, shape.at(x - d, y), shape.at(x + d, y), shape.at(x, y - d), shape.at(x, y + d)});
            inner.a[(size_t)y * img.width + x] = v;
        }
    cutAway(rim, inner);
    std::vector<float> light = rimLight(shape, 1);
    paint(img, rim, [&](int x, int y) {
        double l = light[(size_t)y * img.width + x];
        return l > 0 ? mix(STEEL, {228, 232, 240}, l) : mix(STEEL, {40, 44, 52}, -l);
    });
}

// ---- options window ----

// The screen copies rows 13 .. h - 76 without transparency, so the window
// body runs down to that row; the button plates below it hang from its
// bottom edge on a transparent ground.
const int WINDOW_BOTTOM = OPTIONS_HEIGHT - 76;
const int TITLE_BAR_BOTTOM = 36;
const int SLIDER_ROWS[3] = {61, 95, 129};    // each row is 18 pixels high
const char* const SLIDER_LABELS[3] = {"Effects", "Music", "Brightness"};
const int SLIDER_LEFT = 72, SLIDER_SPAN = 127; // knob x = 72 + value / 2

void paintSliderRow(Image& img, int row, int index) {
    // The reset label: a small steel plate.
    Mask label = boxMask(img, 6, row + 1, 66, row + 17, 3);
    paintPlate(img, label, {112, 122, 140}, {80, 88, 104}, 1.5);
    paintLabel(img, SLIDER_LABELS[index], 36, row + 13, 11, 54, CREAM);
    // The groove the knob runs in.
    double x0 = SLIDER_LEFT + KNOB_WIDTH / 2.0 - 3, x1 = SLIDER_LEFT + SLIDER_SPAN + KNOB_WIDTH / 2.0 + 3;
    double mid = row + KNOB_HEIGHT / 2.0;
    Mask groove = boxMask(img, x0, mid - 4, x1, mid + 4, 3);
    paintHollow(img, groove, {22, 25, 32}, {34, 38, 48}, 1.5);
    // What the slider sets, growing to the right: a wedge for loudness, a
    // ramp from dark to light for brightness.
    Mask fillMask(img.width, img.height);
    if (index < 2)
        fillPolygon(fillMask, {{x0 + 3, mid + 2}, {x1 - 3, mid - 2.6}, {x1 - 3, mid + 2.6}});
    else
        fillRoundedRect(fillMask, x0 + 3, mid - 2, x1 - 3, mid + 2, 2);
    paint(img, fillMask, [&](int x, int) {
        double t = (x - x0) / (x1 - x0);
        return index < 2 ? mix({120, 50, 12}, AMBER, t) : mix({30, 30, 34}, {250, 246, 236}, t);
    });
    // Ticks every sixteenth of the range.
    Mask ticks(img.width, img.height);
    for (int k = 0; k <= 8; k++) {
        double x = SLIDER_LEFT + KNOB_WIDTH / 2.0 + k * SLIDER_SPAN / 8.0;
        fillPolygon(ticks, {{x - 0.5, row + 0.0}, {x + 0.5, row + 0.0}, {x + 0.5, row + 2.5}, {x - 0.5, row + 2.5}});
        fillPolygon(ticks, {{x - 0.5, row + 15.5}, {x + 0.5, row + 15.5}, {x + 0.5, row + 18.0}, {x - 0.5, row + 18.0}});
    }
    paint(img, ticks, SLATE_LIGHT, 0.9);
}

void paintKnob(Image& img, int x, int y) {
    Mask knob = boxMask(img, x, y, x + KNOB_WIDTH, y + KNOB_HEIGHT, 2.5);
    paintPlate(img, knob, {236, 240, 246}, {150, 158, 172}, 1.5);
    Mask grip(img.width, img.height);
    fillPolygon(grip, {{x + 3.5, y + 3.0}, {x + 5.5, y + 3.0}, {x + 5.5, y + 14.0}, {x + 3.5, y + 14.0}});
    paint(img, grip, ORANGE);
    keepOffTransparent(img, &knob);
}

Image optionsWindow() {
    const int w = OPTIONS_WIDTH, h = OPTIONS_HEIGHT;
    Image img(w, h);
    Mask shape = boxMask(img, 0, 0, w, WINDOW_BOTTOM + 12, 8);
    for (int y = WINDOW_BOTTOM + 1; y < h; y++) // square bottom: the rows below are the buttons'
        for (int x = 0; x < w; x++) shape.a[(size_t)y * w + x] = 0;
    paint(img, shape, [](int x, int y) {
        Rgb c = y < TITLE_BAR_BOTTOM ? mix(BAR_TOP, BAR_BOTTOM, y / (double)TITLE_BAR_BOTTOM)
                                     : mix(BODY_TOP, BODY_BOTTOM, (y - TITLE_BAR_BOTTOM) / 150.0);
        return mix(c, SLATE, 0.25 * tilingFractalNoise(x / 24.0, y / 24.0, 2, 91));
    });
    // The title bar's orange edge.
    Mask accent(w, h);
    fillPolygon(accent, {{2, TITLE_BAR_BOTTOM - 2.0}, {w - 2.0, TITLE_BAR_BOTTOM - 2.0}, {w - 2.0, TITLE_BAR_BOTTOM + 0.0},
                         {2, TITLE_BAR_BOTTOM + 0.0}});
    paint(img, accent, ORANGE);
    // The full-screen switch: 10 < x < 177, 44 < y < 60.
    paintPlate(img, boxMask(img, 11, 45, 176, 59.5, 3), {112, 122, 140}, {80, 88, 104}, 1.5);
    Mask screenIcon(w, h);
    fillRoundedRect(screenIcon, 17, 48, 31, 57, 1);
    Mask glass = boxMask(img, 19, 50, 29, 55, 0.5);
    paint(img, screenIcon, SLATE_DEEP);
    paint(img, glass, AMBER);
    paintLabel(img, "Full Screen / Window", 102, 56, 11, 136, CREAM);
    for (int i = 0; i < 3; i++) paintSliderRow(img, SLIDER_ROWS[i], i);
    paintLabel(img, "Click a label to reset it", w / 2.0, 159, 9.5, w - 20, {190, 196, 206});
    paintFrame(img, shape);
    // The frame's bottom edge, closed across the square end.
    Mask edge(w, h);
    fillPolygon(edge, {{0, WINDOW_BOTTOM - 1.0}, {(double)w, WINDOW_BOTTOM - 1.0}, {(double)w, WINDOW_BOTTOM + 1.0},
                       {0, WINDOW_BOTTOM + 1.0}});
    paint(img, edge, {40, 44, 52});
    keepOffTransparent(img, &shape);
    // The two buttons; the screen writes their labels.
    paintTab(img, CONFIG_PLATE_X, BUTTON_ROW_Y, CONFIG_PLATE_WIDTH, false);
    paintTab(img, OK_PLATE_X, BUTTON_ROW_Y, OK_PLATE_WIDTH, false);
    // Below what the screen shows: the knob and the pressed plates.
    paintKnob(img, KNOB_X, KNOB_Y);
    paintTab(img, CONFIG_PLATE_X, PRESSED_PLATE_Y, CONFIG_PLATE_WIDTH, true);
    paintTab(img, OK_PLATE_X, PRESSED_PLATE_Y, OK_PLATE_WIDTH, true);
    return img;
}

// ---- control configuration window ----

const int BAND_ROWS = 16; // the screen copies at most 2 x line height from row 14
const int SEPARATOR_ROW = CONTROLS_BAND_Y + 12; // the last of the 13 rows of a binding

Image controlsWindow() {
    const int w = CONTROLS_WIDTH, h = CONTROLS_HEIGHT;
    Image img(w, h);
    // Top: rows 0..13 and the band below it share one body; the band's
    // last row of 13 is a separator, so each binding row ends in one.
    Mask top = boxMask(img, 0, 0, w, CONTROLS_BAND_Y + BAND_ROWS + 10, 7);
    for (int y = CONTROLS_BAND_Y + BAND_ROWS; y < h; y++)
        for (int x = 0; x < w; x++) top.a[(size_t)y * w + x] = 0;
    Mask strip = boxMask(img, 0, CONTROLS_BUTTONS_Y - 10, w, CONTROLS_BUTTONS_Y + CONTROLS_BUTTONS_ROWS, 7);
    for (int y = 0; y < CONTROLS_BUTTONS_Y; y++)
        for (int x = 0; x < w; x++) strip.a[(size_t)y * w + x] = 0;
    auto body = [](int x, int y) {
        int inBand = (y - CONTROLS_BAND_Y) % 13;
        Rgb c = y < CONTROLS_BAND_Y ? mix(BAR_TOP, BODY_TOP, y / (double)CONTROLS_BAND_Y)
                                    : mix(BODY_TOP, BODY_BOTTOM, std::clamp(inBand / 12.0, 0.0, 1.0));
        return mix(c, SLATE, 0.2 * tilingFractalNoise(x / 24.0, y / 24.0, 2, 93));
    };
    paint(img, top, body);
    paint(img, strip, [](int x, int y) { return mix(BODY_TOP, BODY_BOTTOM, (y - CONTROLS_BUTTONS_Y) / 23.0 + 0 * x); });
    Mask separator(w, h);
    fillPolygon(separator, {{3, SEPARATOR_ROW + 0.0}, {w - 3.0, SEPARATOR_ROW + 0.0}, {w - 3.0, SEPARATOR_ROW + 1.0},
                            {3, SEPARATOR_ROW + 1.0}});
    paint(img, separator, {34, 38, 48});
    // Orange edge along the very top.
    Mask accent(w, h);
    fillPolygon(accent, {{6, 1}, {w - 6.0, 1}, {w - 6.0, 3}, {6, 3}});
    keepOnly(accent, top);
    paint(img, accent, ORANGE);
    // Frames: the sides of the top part run through the band.
    paintFrame(img, top);
    Mask topOpen = top; // the band's rim must not close at its bottom
    paintFrame(img, strip);
    // The band's bottom rows carry the side rims only: repaint its body
    // between the rims where the frame closed it.
    for (int y = CONTROLS_BAND_Y + BAND_ROWS - 3; y < CONTROLS_BAND_Y + BAND_ROWS; y++)
        for (int x = 2; x < w - 2; x++) img.pixels[(size_t)y * w + x] = body(x, y);
    for (int y = CONTROLS_BUTTONS_Y; y < CONTROLS_BUTTONS_Y + 4; y++)
        for (int x = 2; x < w - 2; x++) img.pixels[(size_t)y * w + x] = mix(BODY_TOP, BODY_BOTTOM, (y - CONTROLS_BUTTONS_Y) / 23.0);
    paintButtonPlate(img, CANCEL_PLATE_X, CONTROLS_BUTTONS_Y + 1, CONTROLS_PLATE_WIDTH, PLATE_HEIGHT);
    paintButtonPlate(img, APPLY_PLATE_X, CONTROLS_BUTTONS_Y + 1, CONTROLS_PLATE_WIDTH, PLATE_HEIGHT);
    keepOffTransparent(img, &topOpen);
    keepOffTransparent(img, &strip);
    // The pressed plate, in the last rows.
    paintPressedPlate(img, CANCEL_PLATE_X, h - PLATE_HEIGHT, CONTROLS_PLATE_WIDTH, PLATE_HEIGHT);
    Mask plate = boxMask(img, CANCEL_PLATE_X, h - PLATE_HEIGHT, CANCEL_PLATE_X + CONTROLS_PLATE_WIDTH, h, 4);
    keepOffTransparent(img, &plate);
    return img;
}

} // namespace

bool bakeOptionPictures(const BakeTarget& out) {
    return writeScreenPng(out.data + "optionsWin.png", optionsWindow()) &&
           writeScreenPng(out.data + "optionButton.png", controlsWindow());
}
