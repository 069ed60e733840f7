// The backdrops of the rider, level, high-score and help screens, the
// farewell pictures and the controls help picture.
#include "bake/art_canvas.h"
#include "bake/art_motifs.h"
#include "bake/noise.h"
#include "bake/art_scene.h"
#include "bake/art_text.h"
#include "bake/art_widgets.h"
#include "bake/picture_set.h"

#include <algorithm>
#include <cmath>

using namespace art;

namespace {

// ---- stage backgrounds ----
// Screens write white and coloured text all over them, so they stay dark
// and quiet; the colour is kept to the bars along the top and bottom.

void paintBars(Image& img, bool atTop) {
    int w = img.width, h = img.height;
    // Titles start 16 pixels from the top: the bars stay above that.
    double y = atTop ? 3 : h - 9, len = w * 0.42;
    Mask bar(w, h), dashes(w, h), line(w, h);
    auto slanted = [&](Mask& m, double x0, double x1, double y0, double thick) {
        fillPolygon(m, {{x0 + thick, y0}, {x1 + thick, y0}, {x1, y0 + thick}, {x0, y0 + thick}});
    };
    if (atTop) {
        slanted(bar, -20, len, y, 5);
        for (int k = 0; k < 4; k++) slanted(dashes, len + 14 + k * 22, len + 26 + k * 22, y, 5);
        fillPolygon(line, {{0, y + 8}, {(double)w, y + 8}, {(double)w, y + 9}, {0, y + 9}});
    } else {
        slanted(bar, w - len, w + 20.0, y, 5);
        for (int k = 0; k < 4; k++) slanted(dashes, w - len - 26 - k * 22, w - len - 14 - k * 22, y, 5);
        fillPolygon(line, {{0, y - 4}, {(double)w, y - 4}, {(double)w, y - 3}, {0, y - 3}});
    }
    paint(img, line, SLATE_LIGHT, 0.5);
    paint(img, blurred(bar, 3), ORANGE, 0.35);
    paint(img, bar, [&](int x, int) { return mix(ORANGE, AMBER, atTop ? x / len : (w - x) / len); });
    paint(img, dashes, AMBER, 0.55);
}

Image stageBack(int w, int h, uint32_t seed) {
    Image img(w, h);
    fill(img, [&](int x, int y) {
        Rgb c = mix({32, 37, 47}, {16, 19, 25}, (double)y / h);
        return mix(c, earthAt(x, y, seed), 0.22);
    });
    // Two broad tyre prints sweeping across, barely darker than the ground.
    Mask prints(w, h);
    for (int k = 0; k < 2; k++) {
        Contour path;
        for (int i = 0; i <= 48; i++) {
            double t = i / 48.0;
            double x = -60 + t * (w + 120);
            double y = k == 0 ? h * (0.95 - 0.7 * t) + 50 * std::sin(t * 4) : h * (0.25 + 0.6 * t * t);
            path.push_back({x, y});
        }
        drawTyreTrack(prints, path, k == 0 ? 84 : 56, k == 0 ? 28 : 20);
    }
    Mask ridges = shifted(prints, -2, -2);
    cutAway(ridges, prints);
    paint(img, prints, {8, 8, 10}, 0.32);
    paint(img, ridges, STEEL, 0.05);
    vignette(img, 0.45);
    paintBars(img, true);
    paintBars(img, false);
    return img;
}

// ---- farewell pictures ----

Image farewell(int w, int h) {
    Image img(w, h);
    double horizon = h * 0.56;
    Sunset scene{horizon, {w * 0.5, horizon - 4}, std::min(w, h) * 0.2, 57};
    paintSky(img, scene);
    paintSun(img, scene);
    paintHills(img, scene);
    paintGround(img, scene);
    // A rider heading home into the sunset, dust behind.
    double scale = std::min(w, h) / 560.0;
    Vertex wheel{w * 0.5 - 40 * scale, horizon + 96 * scale};
    Mask dust(w, h), rider(w, h);
    drawDustCloud(dust, {wheel.x - 70 * scale, wheel.y - 14 * scale}, 90 * scale, 30 * scale, 8);
    paint(img, blurred(dust, 2), {236, 160, 96}, 0.55);
    drawRiderOnBike(rider, {{wheel.x, wheel.y - 31 * scale}, scale, 0, false});
    paint(img, rider, {18, 16, 20});
    vignette(img, 0.35);
    double top = h * 0.14;
    Mask thanks(w, h);
    TextStyle big = fitText("Thanks for riding", {34, 0.12, 0}, w - 60);
    drawTextCentred(thanks, "Thanks for riding", w / 2.0, top, big);
    paint(img, blurred(dilated(thanks, 2), 2), {0, 0, 0}, 0.8);
    paint(img, thanks, CREAM);
    paintGameName(img, w / 2.0, top + 54, w - 60, 40, 3);
    paintCaption(img, "SEE YOU AT THE NEXT RACE", w / 2.0, top + 86, 13, 3);
    paintCaption(img, "Press any key to leave", w / 2.0, h - 22, 12, 0.5);
    return img;
}

// ---- controls help picture ----
// The default controls: arrow keys steer, the left mouse button
// accelerates and the right one brakes, Esc goes back, Enter takes a
// screenshot.

void paintCaptionIn(Image& img, const char* text, double x, double y, double size, Rgb colour) {
    Mask ink(img.width, img.height);
    drawTextCentred(ink, text, x, y, fitText(text, {size, 0, 0.3}, 124));
    paint(img, blurred(dilated(ink, 1.2), 1), {0, 0, 0}, 0.7);
    paint(img, ink, colour);
}

Image steering() {
    const int w = STEERING_WIDTH, h = STEERING_HEIGHT;
    Image img(w, h);
    // Square, so it looks the same copied with or without transparency.
    Mask plate(w, h), inner(w, h);
    fillPolygon(plate, {{0, 0}, {(double)w, 0}, {(double)w, (double)h}, {0, (double)h}});
    fillRoundedRect(inner, 3, 3, w - 3, h - 3, 4);
    paintPlate(img, plate, STEEL, SLATE_LIGHT, 2);
    paint(img, inner, [&](int x, int y) {
        Rgb c = mix({44, 50, 62}, {24, 28, 36}, (double)y / h);
        return mix(c, EARTH_DARK, 0.3 * tilingFractalNoise(x / 30.0, y / 30.0, 3, 71));
    });
    // Dividers between the three groups.
    Mask dividers(w, h);
    for (double x : {150.0, 296.0}) fillPolygon(dividers, {{x, 18}, {x + 1, 18}, {x + 1, h - 14.0}, {x, h - 14.0}});
    paint(img, dividers, SLATE_LIGHT, 0.7);
    // Steering: the arrow keys.
    paintCaptionIn(img, "STEER", 76, 26, 13, AMBER);
    paintKeyCap(img, 58, 40, 94, 72, "", 'U');
    paintKeyCap(img, 18, 78, 54, 110, "", 'L');
    paintKeyCap(img, 58, 78, 94, 110, "", 'D');
    paintKeyCap(img, 98, 78, 134, 110, "", 'R');
    paintCaptionIn(img, "Arrow keys", 76, 138, 12, CREAM);
    // Throttle and brake: the mouse.
    paintCaptionIn(img, "RIDE", 223, 26, 13, AMBER);
    paintMouse(img, 223, 82, 48, 72, ORANGE, {214, 44, 32});
    paintCaptionIn(img, "Left: Accelerate", 223, 144, 12, AMBER);
    paintCaptionIn(img, "Right: Brake", 223, 162, 12, {255, 110, 90});
    // The other keys.
    paintCaptionIn(img, "KEYS", 366, 26, 13, AMBER);
    paintKeyCap(img, 340, 38, 392, 66, "Esc", 0);
    paintCaptionIn(img, "Back / Quit", 366, 84, 12, CREAM);
    paintKeyCap(img, 330, 98, 402, 126, "Enter", 0);
    paintCaptionIn(img, "Screenshot", 366, 144, 12, CREAM);
    keepOffTransparent(img, &plate);
    return img;
}

} // namespace

bool bakeStagePictures(const BakeTarget& out) {
    return writeScreenPng(out.data + "stageBack.png", stageBack(480, 640, 61)) &&
           writeScreenPng(out.data + "stageBackL.png", stageBack(640, 480, 62)) &&
           writeScreenPng(out.data + "exitp.png", farewell(480, 640)) && writeScreenPng(out.data + "exitl.png", farewell(640, 480)) &&
           writeScreenPng(out.data + "steering.png", steering());
}
