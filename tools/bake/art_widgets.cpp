#include "bake/art_widgets.h"

#include "bake/art_motifs.h"
#include "bake/art_text.h"

#include <algorithm>

namespace art {

namespace {

// Bounds of the covered rows, to shade a face from its top to its bottom.
void coveredRows(const Mask& m, int* top, int* bottom) {
    *top = m.height, *bottom = 0;
    for (int y = 0; y < m.height; y++)
        for (int x = 0; x < m.width; x++)
            if (m.a[(size_t)y * m.width + x] > 0) {
                *top = std::min(*top, y);
                *bottom = std::max(*bottom, y);
                break;
            }
}

void paintRaised(Image& img, const Mask& shape, Rgb faceTop, Rgb faceBottom, double rimWidth, double sign) {
    int top, bottom;
    coveredRows(shape, &top, &bottom);
    double span = std::max(1, bottom - top);
    paint(img, shape, [&](int, int y) { return mix(faceTop, faceBottom, (y - top) / span); });
    std::vector<float> light = rimLight(shape, std::max(1, (int)rimWidth));
    Mask lit(shape.width, shape.height), dark(shape.width, shape.height);
    for (size_t i = 0; i < light.size(); i++) {
        float l = light[i] * (float)sign;
        (l > 0 ? lit : dark).a[i] = std::min(1.0f, std::abs(l)) * shape.a[i];
    }
    shade(img, lit, 0.55);
    shade(img, dark, -0.5);
}

} // namespace

void paintPlate(Image& img, const Mask& shape, Rgb faceTop, Rgb faceBottom, double rimWidth) {
    paintRaised(img, shape, faceTop, faceBottom, rimWidth, 1);
}

void paintHollow(Image& img, const Mask& shape, Rgb faceTop, Rgb faceBottom, double rimWidth) {
    paintRaised(img, shape, faceTop, faceBottom, rimWidth, -1);
}

void fillArrow(Mask& mask, double cx, double cy, double s, char direction) {
    // Pointing up, then turned.
    Contour up{{0, -0.5}, {0.5, 0.05}, {0.17, 0.05}, {0.17, 0.5}, {-0.17, 0.5}, {-0.17, 0.05}, {-0.5, 0.05}};
    Contour out;
    for (Vertex v : up) {
        Vertex t = v;
        if (direction == 'D') t = {-v.x, -v.y};
        if (direction == 'L') t = {v.y, -v.x};
        if (direction == 'R') t = {-v.y, v.x};
        out.push_back({cx + t.x * s, cy + t.y * s});
    }
    fillPolygon(mask, out);
}

void paintKeyCap(Image& img, double x0, double y0, double x1, double y1, const char* label, char arrow) {
    Mask shadow(img.width, img.height), cap(img.width, img.height), top(img.width, img.height);
    fillRoundedRect(shadow, x0 + 1, y0 + 3, x1 + 1, y1 + 3, 5);
    paint(img, blurred(shadow, 2), {0, 0, 0}, 0.6);
    fillRoundedRect(cap, x0, y0, x1, y1, 5);
    paintPlate(img, cap, {150, 156, 166}, {96, 102, 114}, 2);
    fillRoundedRect(top, x0 + 3, y0 + 2, x1 - 3, y1 - 5, 4);
    paint(img, top, [&](int, int y) { return mix({236, 238, 242}, {188, 192, 200}, (y - y0) / (y1 - y0)); });
    Mask ink(img.width, img.height);
    double cx = (x0 + x1) / 2, cy = (y0 + y1 - 3) / 2;
    if (arrow) {
        fillArrow(ink, cx, cy, std::min(x1 - x0, y1 - y0) * 0.5, arrow);
    } else {
        TextStyle style = fitText(label, {12, 0, 0}, x1 - x0 - 8);
        drawTextCentred(ink, label, cx, cy + capHeight(style) / 2, style);
    }
    paint(img, ink, SLATE_DEEP);
}

void paintMouse(Image& img, double cx, double cy, double w, double h, Rgb left, Rgb right) {
    int iw = img.width, ih = img.height;
    Mask shadow(iw, ih), body(iw, ih), leftKey(iw, ih), rightKey(iw, ih), wheel(iw, ih);
    fillEllipse(shadow, {cx + 2, cy + 4}, w / 2, h / 2, 0);
    paint(img, blurred(shadow, 3), {0, 0, 0}, 0.6);
    fillEllipse(body, {cx, cy}, w / 2, h / 2, 0);
    paintPlate(img, body, {120, 126, 138}, {60, 66, 78}, 3);
    double split = cy - h * 0.06, gap = 1.6;
    Mask upper(iw, ih);
    fillEllipse(upper, {cx, cy}, w / 2 - 3, h / 2 - 3, 0);
    for (int y = 0; y < ih; y++)
        for (int x = 0; x < iw; x++) {
            size_t i = (size_t)y * iw + x;
            if (y >= split || std::abs(x + 0.5 - cx) < gap) continue;
            (x + 0.5 < cx ? leftKey : rightKey).a[i] = upper.a[i];
        }
    paintPlate(img, leftKey, mix(left, {255, 255, 255}, 0.25), left, 2);
    paintPlate(img, rightKey, mix(right, {255, 255, 255}, 0.25), right, 2);
    fillRoundedRect(wheel, cx - 3, cy - h * 0.36, cx + 3, cy - h * 0.16, 3);
    paintPlate(img, wheel, {70, 76, 88}, {30, 34, 42}, 1);
}

} // namespace art
