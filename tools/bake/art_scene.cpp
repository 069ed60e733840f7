#include "bake/art_scene.h"

#include "bake/art_motifs.h"
#include "bake/noise.h"
#include "bake/art_text.h"

#include <algorithm>
#include <cmath>

namespace art {

const char* const GAME_NAME = "Kelvarostrindamuxelor";
const char* const TAGLINE = "OFF-ROAD MOTORCYCLE RACING";

namespace {

// y of a skyline at x.
double ridge(double x, double base, double height, double cell, uint32_t seed) {
    return base - height * tilingFractalNoise(x / cell, 0.5, 4, seed);
}

Mask below(const Image& img, const std::function<double(double)>& edge) {
    Mask m(img.width, img.height);
    Contour line{{0, (double)img.height}};
    for (int x = 0; x <= img.width; x += 4) line.push_back({(double)x, edge(x)});
    line.push_back({(double)img.width, (double)img.height});
    fillPolygon(m, line);
    return m;
}

} // namespace

void paintSky(Image& img, const Sunset& s) {
    fill(img, [&s](int x, int y) {
        Rgb c = ramp({{0, {14, 18, 30}},
                      {0.35, {34, 34, 50}},
                      {0.62, {104, 58, 50}},
                      {0.82, {206, 100, 42}},
                      {1.0, {255, 170, 80}}},
                     y / s.horizon);
        double d = std::hypot(x - s.sun.x, (y - s.sun.y) * 1.3);
        return mix(c, {255, 190, 110}, std::clamp(std::exp(-d / (1.45 * s.sunRadius)) * 0.75, 0.0, 1.0));
    });
}

void paintSun(Image& img, const Sunset& s) {
    Mask sun(img.width, img.height), bands(img.width, img.height);
    fillCircle(sun, s.sun, s.sunRadius);
    // Bands cut across its lower half, wider toward the bottom.
    double r = s.sunRadius;
    for (int k = 0; k < 7; k++) {
        double y = s.sun.y + r * (0.135 + k * 0.125), gap = r * (0.015 + k * 0.0115);
        fillPolygon(bands, {{s.sun.x - r, y}, {s.sun.x + r, y}, {s.sun.x + r, y + gap}, {s.sun.x - r, y + gap}});
    }
    cutAway(sun, bands);
    paint(img, blurred(sun, (int)(r / 7)), {255, 196, 110}, 0.55);
    paint(img, sun, [&s](int, int y) {
        return ramp({{s.sun.y - s.sunRadius, {255, 244, 190}}, {s.sun.y + s.sunRadius, {255, 150, 50}}}, y);
    });
}

void paintHills(Image& img, const Sunset& s) {
    Mask far = below(img, [&s](double x) { return ridge(x, s.horizon + 4, 58, 90, s.seed); });
    Mask near = below(img, [&s](double x) { return ridge(x, s.horizon + 26, 40, 60, s.seed + 12); });
    double top = s.horizon - 60;
    paint(img, far, [&s, top](int x, int y) {
        return mix({150, 76, 52}, {96, 48, 40},
                   std::clamp((y - top) / 80.0, 0.0, 1.0) * 0.6 + 0.2 * tilingFractalNoise(x / 14.0, y / 6.0, 3, s.seed + 3));
    });
    paint(img, near, [&s](int x, int y) {
        return mix({86, 46, 32}, {56, 32, 26}, tilingFractalNoise(x / 10.0, y / 5.0, 3, s.seed + 5) * 0.8);
    });
}

void paintGround(Image& img, const Sunset& s) {
    int w = img.width, h = img.height;
    double top = s.horizon + 44;
    Mask ground = below(img, [top](double x) { return top + 6 * std::sin(x / 70.0); });
    double cx = w / 2.0;
    paint(img, ground, [&s, cx](int x, int y) {
        // Perspective: the texture is squashed toward the horizon.
        double depth = std::max(1.0, y - s.horizon - 30);
        double u = (x - cx) * 40 / depth, v = 2400 / depth;
        Rgb c = mix(earthAt(u + cx, v * 6, s.seed + 30), EARTH, 0.35);
        double near = std::clamp((y - s.horizon) / 200.0, 0.0, 1.0);
        return mix(mix(c, {200, 110, 50}, 0.3 * (1 - near)), {20, 14, 12}, near * 0.6);
    });
    // Ruts of earlier laps curving toward the viewer, fading with distance.
    Mask ruts(w, h);
    for (int k = 0; k < 3; k++) {
        Contour path;
        for (int i = 0; i <= 40; i++) {
            double t = i / 40.0, y = top + 6 + t * (h - top + 4);
            double x = cx - 20 + k * 70 + (t * t) * (-260 + k * 150) + 30 * std::sin(t * 3 + k);
            path.push_back({x, y});
        }
        drawTyreTrack(ruts, path, 18, 7);
    }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) ruts.a[(size_t)y * w + x] *= (float)std::clamp((y - top) / 160.0, 0.0, 1.0);
    paint(img, ruts, {22, 14, 10}, 0.75);
}

Rgb nameColour(double t) {
    return ramp({{0, {232, 72, 10}}, {0.45, ORANGE}, {0.62, AMBER}, {1, {255, 236, 130}}}, t);
}

double paintGameName(Image& img, double x, double y, double maxWidth, double size, double rim) {
    int w = img.width, h = img.height;
    TextStyle style = fitText(GAME_NAME, {size, 0.22, 0}, maxWidth);
    double cap = capHeight(style), width = measureText(GAME_NAME, style);
    Mask letters(w, h);
    drawText(letters, GAME_NAME, x - width / 2, y, style);
    Mask outline = dilated(letters, rim);
    int drop = (int)std::lround(rim * 1.4);
    paint(img, blurred(shifted(outline, drop, drop + 1), (int)rim), {0, 0, 0}, 0.7);
    paint(img, outline, {24, 16, 14});
    std::vector<float> light = rimLight(letters, 2);
    paint(img, letters, [&](int px, int py) {
        Rgb c = nameColour((y - py) / cap);
        double l = light[(size_t)py * w + px];
        return l > 0 ? mix(c, {255, 250, 220}, l * 0.7) : mix(c, {120, 30, 0}, -l * 0.6);
    });
    return width;
}

void paintCaption(Image& img, const char* text, double x, double y, double size, double tracking) {
    Mask tag(img.width, img.height);
    drawTextCentred(tag, text, x, y, TextStyle{size, 0, tracking});
    paint(img, blurred(dilated(tag, 1.5), 1), {0, 0, 0}, 0.8);
    paint(img, tag, CREAM);
}

void vignette(Image& img, double strength) {
    double cx = img.width / 2.0, cy = img.height / 2.0, r = std::hypot(cx, cy);
    for (int y = 0; y < img.height; y++)
        for (int x = 0; x < img.width; x++) {
            double d = std::hypot(x - cx, y - cy) / r;
            Rgb& p = img.pixels[(size_t)y * img.width + x];
            p = scaled(p, 1 - strength * d * d);
        }
}

} // namespace art
