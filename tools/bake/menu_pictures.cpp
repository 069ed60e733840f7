// The title picture, the title menu, the intro logo and the tile of the
// drifting background.
#include "bake/art_canvas.h"
#include "bake/art_motifs.h"
#include "bake/noise.h"
#include "bake/art_scene.h"
#include "bake/art_text.h"
#include "bake/picture_set.h"

#include <algorithm>
#include <cmath>

using namespace art;

const char* const MENU_LABELS[MENU_ROWS] = {"Race", "Stunt", "Free Ride", "Options", "Controls", "High Scores", "Exit"};

namespace {

// ---- title picture ----

const Sunset TITLE_SCENE{430, {212, 318}, 104, 11};

void paintJump(Image& img) {
    int w = img.width, h = img.height;
    Mask mound(w, h);
    const Contour face{{-30, 500}, {10, 494}, {48, 484}, {82, 468}, {106, 452}, {120, 442}, {128, 443},
                       {140, 462}, {158, 486}, {184, 500}};
    Contour outline = face;
    outline.push_back({184, 530});
    outline.push_back({-30, 530});
    fillPolygon(mound, outline);
    for (int y = 490; y < h; y++) // the mound's foot merges into the ground
        for (int x = 0; x < w; x++) mound.a[(size_t)y * w + x] *= (float)std::max(0.0, 1 - (y - 490) / 40.0);
    paint(img, mound, [](int x, int y) {
        Rgb c = mix(earthAt(x * 1.5, y * 1.5, 77), {40, 26, 20}, 0.5);
        return mix(c, {14, 10, 9}, std::clamp((y - 445) / 50.0, 0.0, 0.6));
    });
    // Sunlit crest.
    Mask lip(w, h);
    fillStroke(lip, {{10, 494}, {48, 484}, {82, 468}, {106, 452}, {120, 442}, {128, 443}}, 0.8, 1.8);
    paint(img, lip, {255, 170, 80}, 0.75);
}

void paintRider(Image& img) {
    int w = img.width, h = img.height;
    Pose pose{{142, 368}, 0.9, -0.14, false};
    // Dust thrown off the lip trails behind.
    Mask dust(w, h);
    drawDustCloud(dust, {96, 420}, 90, 46, 3);
    drawDustCloud(dust, {40, 452}, 70, 40, 4);
    paint(img, dust, [](int, int y) { return mix({250, 176, 100}, {150, 84, 50}, std::clamp((y - 380) / 100.0, 0.0, 1.0)); },
          0.75);
    Mask streaks(w, h);
    drawSpeedLines(streaks, -40, 200, 120, 360, 16, 1.6, 77);
    paint(img, streaks, {255, 214, 150}, 0.35);
    Mask rider(w, h);
    drawRiderOnBike(rider, pose);
    paint(img, rider, {18, 16, 20});
    // A thin rim of sunlight on its upper left edges.
    Mask rim = rider;
    cutAway(rim, shifted(rider, 2, 2));
    paint(img, rim, {255, 160, 70}, 0.22);
}

void paintTitle(Image& img) {
    double baseline = 150;
    double width = paintGameName(img, img.width / 2.0 - 6, baseline, 440, 44, 3);
    // A speed bar under the name.
    Mask bar(img.width, img.height);
    double x0 = img.width / 2.0 - width / 2, x1 = img.width / 2.0 + width / 2;
    fillPolygon(bar, {{x0 + 10, baseline + 12}, {x1 + 4, baseline + 12}, {x1 - 2, baseline + 17}, {x0 + 4, baseline + 17}});
    paint(img, dilated(bar, 1.5), {24, 16, 14});
    paint(img, bar, AMBER);
    paintCaption(img, TAGLINE, img.width / 2.0, baseline + 40, 13, 3.2);
}

Image titleBack() {
    Image img(TITLE_BACK_SIZE, TITLE_BACK_SIZE);
    paintSky(img, TITLE_SCENE);
    paintSun(img, TITLE_SCENE);
    paintHills(img, TITLE_SCENE);
    paintGround(img, TITLE_SCENE);
    paintJump(img);
    paintRider(img);
    paintTitle(img);
    vignette(img, 0.45);
    return img;
}

// ---- title menu ----
// The menu is grey drawn over the title picture: each pixel holds a grey
// level (green, 0..31) and how strongly it covers (blue, 0..31; 0 and 1
// are left out). Lettering is the only thing at grey 16 or above, so the
// top bit of green marks it for the flicker of a pressed row.

struct GreyLayer {
    std::vector<float> grey, cover;
    int width, height;
    GreyLayer(int w, int h) : grey((size_t)w * h, 0.0f), cover((size_t)w * h, 0.0f), width(w), height(h) {}
    // Lays a mask on top with the grey of a field (0..31).
    template <typename Field>
    void over(const Mask& mask, Field greyAt, double opacity) {
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                size_t i = (size_t)y * width + x;
                float a = (float)(mask.a[i] * opacity);
                if (a <= 0) continue;
                float below = cover[i] * (1 - a);
                float total = a + below;
                grey[i] = (float)((greyAt(x, y) * a + grey[i] * below) / total);
                cover[i] = total;
            }
    }
};

const int LETTERING_GREY = 16; // grey levels from here up are lettering
const double MENU_SLANT = 0.2;

double ramp1(double t) {
    // 0 at the baseline, 1 at the cap line: grey 31 down to 17, every
    // lettering pixel keeps the top bit.
    if (t > 0.55) return 31;
    if (t > 0.25) return 24 + 7 * (t - 0.25) / 0.3;
    return 17 + 7 * std::max(0.0, t) / 0.25;
}

Image encodeMenu(const GreyLayer& layer) {
    Image img(layer.width, layer.height);
    for (size_t i = 0; i < img.pixels.size(); i++) {
        int cover = (int)std::lround(layer.cover[i] * 31);
        if (cover < 2) cover = 0; // 1 would show under a bright curve
        int grey = cover ? std::clamp((int)std::lround(layer.grey[i]), 0, 31) : 0;
        auto byte = [](int v) { return (uint8_t)(v << 3 | v >> 2); };
        img.pixels[i] = {byte(grey), byte(grey), byte(cover)};
    }
    return img;
}

Image titleMenu() {
    const int w = MENU_WIDTH, h = MENU_HEIGHT;
    GreyLayer layer(w, h);
    TextStyle style{22, MENU_SLANT, 0.5};
    for (const char* label : MENU_LABELS) style = fitText(label, style, w - 70);
    double cap = capHeight(style);
    for (int row = 0; row < MENU_ROWS; row++) {
        double top = MENU_TOP + row * MENU_ROW_HEIGHT + 3, bottom = top + MENU_ROW_HEIGHT - 6;
        double lean = (bottom - top) * MENU_SLANT;
        Mask plate(w, h), edge(w, h), notch(w, h), letters(w, h);
        fillPolygon(plate, {{14 + lean, top}, {w - 2.0, top}, {w - 2.0 - lean, bottom}, {14, bottom}});
        fillPolygon(edge, {{14 + lean, top}, {w - 2.0, top}, {w - 2.0 - 0.4, top + 2}, {14 + lean - 0.4, top + 2}});
        // Speed marks at the leading end.
        for (int k = 0; k < 3; k++) {
            double x = 2 + k * 7;
            fillPolygon(notch, {{x + lean, top + 4}, {x + 4 + lean, top + 4}, {x + 4, bottom - 4}, {x, bottom - 4}});
        }
        double baseline = (top + bottom) / 2 + cap / 2;
        drawTextCentred(letters, MENU_LABELS[row], w / 2.0 + 8, baseline, style);
        Mask outline = dilated(letters, 1.6), shadow = blurred(shifted(outline, 2, 2), 1);
        layer.over(plate, [&](int, int y) { return 2.5 + 3.0 * (y - top) / (bottom - top); }, 0.72);
        layer.over(edge, [](int, int) { return 11.0; }, 0.85);
        layer.over(notch, [&](int, int y) { return 8.0 + 6.0 * (bottom - y) / (bottom - top); }, 0.8);
        layer.over(shadow, [](int, int) { return 0.0; }, 0.7);
        layer.over(outline, [](int, int) { return 1.0; }, 1.0);
        // Chrome: bright at the top of the letters, a dip below the middle.
        layer.over(letters, [&](int, int y) {
            double t = (baseline - y) / cap;
            return ramp1(t);
        }, 1.0);
    }
    return encodeMenu(layer);
}

// ---- intro logo ----

// The sun with the rider across it, as on the title picture.
void paintEmblem(Image& img, Vertex sun, double radius, double riderScale) {
    Mask disc(img.width, img.height), bands(img.width, img.height);
    fillCircle(disc, sun, radius);
    for (int k = 0; k < 5; k++) {
        double y = sun.y + radius * (0.15 + k * 0.17), gap = radius * (0.025 + k * 0.018);
        fillPolygon(bands, {{sun.x - radius, y}, {sun.x + radius, y}, {sun.x + radius, y + gap}, {sun.x - radius, y + gap}});
    }
    cutAway(disc, bands);
    paint(img, blurred(disc, 6), {255, 170, 70}, 0.5);
    paint(img, disc, [sun, radius](int, int y) {
        return ramp({{sun.y - radius, {255, 240, 180}}, {sun.y + radius, {255, 128, 34}}}, y);
    });
    Mask rider(img.width, img.height);
    drawRiderOnBike(rider, {{sun.x - 70 * riderScale, sun.y + 34 * riderScale}, riderScale, -0.14, false});
    paint(img, rider, {24, 20, 24});
}

Image introLogo() {
    const int w = LOGO_WIDTH, h = LOGO_HEIGHT;
    Image img(w, h);
    // Square, so it looks the same copied with or without transparency.
    Mask plate(w, h), inner(w, h);
    fillPolygon(plate, {{0, 0}, {(double)w, 0}, {(double)w, (double)h}, {0, (double)h}});
    fillRoundedRect(inner, 3, 3, w - 3, h - 3, 4);
    paint(img, plate, [](int x, int y) { return mix(STEEL, SLATE_LIGHT, (x + y) / 640.0); });
    paint(img, inner, [&](int x, int y) {
        Rgb c = mix(SLATE, SLATE_DEEP, (double)y / h);
        return mix(c, EARTH_DARK, 0.35 * tilingFractalNoise(x / 40.0, y / 40.0, 4, 17));
    });
    // A tyre print sweeping under everything.
    Mask track(w, h);
    Contour path;
    for (int i = 0; i <= 30; i++) {
        double t = i / 30.0;
        path.push_back({-20 + t * (w + 40), h * 0.9 - 70 * std::sin(t * 3.1)});
    }
    drawTyreTrack(track, path, 34, 11);
    keepOnly(track, inner);
    paint(img, track, {12, 12, 16}, 0.45);
    Mask streaks(w, h);
    drawSpeedLines(streaks, 10, 18, 170, 100, 9, 1.4, 5);
    keepOnly(streaks, inner);
    paint(img, streaks, AMBER, 0.35);
    paintEmblem(img, {w / 2.0, 64}, 48, 0.42);
    paintGameName(img, w / 2.0 - 4, 150, w - 40, 36, 2.6);
    paintCaption(img, TAGLINE, w / 2.0, 178, 11, 2.6);
    // The frame's bevel.
    Mask rim = plate;
    cutAway(rim, inner);
    std::vector<float> bevel = rimLight(plate, 1);
    paint(img, rim, [&](int x, int y) {
        double l = bevel[(size_t)y * w + x];
        return l > 0 ? mix(STEEL, {230, 236, 244}, l) : mix(STEEL, SLATE_DEEP, -l);
    });
    keepOffTransparent(img, &plate);
    return img;
}

// ---- tile of the drifting background ----

// Tyre prints crossing the tile; every print is drawn at the eight
// neighbouring tile positions too, so the tile joins seamlessly.
Image backgroundTile() {
    const int n = TILE_SIZE;
    Image img(n, n);
    fill(img, [n](int x, int y) {
        Rgb c = mix(SLATE_DEEP, earthAt(x, y, 29, n), 0.42);
        return mix(c, SLATE, 0.3 * tilingFractalNoise(x / 32.0, y / 32.0, 2, 31, n / 32));
    });
    Mask prints(n, n), ridges(n, n);
    for (int k = 0; k < 2; k++) {
        Contour path;
        for (int i = 0; i <= 64; i++) {
            double t = i / 64.0 * n;
            double wobble = 14 * std::sin(2 * 3.14159265358979 * (t / n) + k * 2.0);
            path.push_back(k == 0 ? Vertex{t, t + wobble} : Vertex{t, n * 0.6 - t + wobble});
        }
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                Contour moved;
                for (Vertex v : path) moved.push_back({v.x + dx * n, v.y + dy * n});
                drawTyreTrack(prints, moved, 26, 10);
            }
    }
    // The lit edge of each print, wrapping round like the prints.
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            size_t i = (size_t)y * n + x;
            ridges.a[i] = prints.a[(size_t)((y + 1) % n) * n + (x + 1) % n] * (1 - prints.a[i]);
        }
    paint(img, prints, {10, 9, 11}, 0.5);
    paint(img, ridges, DUST, 0.12);
    return img;
}

} // namespace

bool bakeMenuPictures(const BakeTarget& out) {
    if (!openLettering()) return false;
    Image title = titleBack();
    ditherToScreenLevels(title); // JPEG keeps most of the dither: the sky does not band
    return writeJpeg(out.data + "titleBack.jpg", title, 90) &&
           writePng(out.data + "titleMenu.png", titleMenu()) && writeScreenPng(out.data + "backvqz.png", introLogo()) &&
           writeScreenPng(out.data + "backvqz2.png", backgroundTile());
}
