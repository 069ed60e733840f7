#include "bake/paint.h"

#include <algorithm>
#include <cmath>

static uint8_t channel(double v) { return (uint8_t)std::clamp((int)std::lround(v), 0, 255); }

Rgb mixRgb(Rgb a, Rgb b, double t) {
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t), channel(a.b + (b.b - a.b) * t)};
}

Rgb scaleRgb(Rgb c, double factor) { return {channel(c.r * factor), channel(c.g * factor), channel(c.b * factor)}; }

Rgb ditherRgb(Rgb c, double x, double y) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    int threshold = bayer[(int)y & 3][(int)x & 3];
    auto level = [threshold](uint8_t v) { return (uint8_t)std::min(255, ((v + threshold / 2) >> 3 << 3) + 4); };
    return {level(c.r), level(c.g), level(c.b)};
}

void blendPixel(Image& image, int x, int y, Rgb colour, double alpha) {
    if (!image.inside(x, y) || alpha <= 0) return;
    image.set(x, y, mixRgb(image.at(x, y), colour, std::min(alpha, 1.0)));
}

void fillRect(Image& image, int x, int y, int w, int h, Rgb colour) {
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) image.set(i, j, colour);
}

void bevelRect(Image& image, int x, int y, int w, int h, Rgb light, Rgb dark) {
    fillRect(image, x, y, w, 1, light);
    fillRect(image, x, y, 1, h, light);
    fillRect(image, x, y + h - 1, w, 1, dark);
    fillRect(image, x + w - 1, y + 1, 1, h - 1, dark);
}

void paintShape(Image& image, int x0, int y0, int x1, int y1, const ShapeTest& inside, const ShapeColour& colour) {
    const int samples = 4;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            int hits = 0;
            for (int sy = 0; sy < samples; sy++)
                for (int sx = 0; sx < samples; sx++)
                    hits += inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
            if (hits) blendPixel(image, x, y, colour(x + 0.5, y + 0.5), hits / double(samples * samples));
        }
}

void paintShape(Image& image, int x0, int y0, int x1, int y1, const ShapeTest& inside, Rgb colour) {
    paintShape(image, x0, y0, x1, y1, inside, [colour](double, double) { return colour; });
}

bool insidePolygon(const std::vector<Vec2>& points, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec2& a = points[i];
        const Vec2& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

bool insideConvex(const std::vector<Vec2>& points, double inset, double x, double y) {
    double area = 0;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
        area += points[j].x * points[i].y - points[i].x * points[j].y;
    double sign = area > 0 ? 1 : -1;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec2& a = points[j];
        const Vec2& b = points[i];
        double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0) continue;
        double d = sign * ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x)) / length;
        if (d < inset) return false;
    }
    return true;
}

bool insideDisc(double cx, double cy, double r, double x, double y) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool nearSegment(Vec2 a, Vec2 b, double halfWidth, double x, double y) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return px * px + py * py <= halfWidth * halfWidth;
}

bool insideRoundedRect(double x0, double y0, double x1, double y1, double radius, double x, double y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    double cx = std::clamp(x, x0 + radius, x1 - radius);
    double cy = std::clamp(y, y0 + radius, y1 - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

Coverage shapeMask(int w, int h, const ShapeTest& inside) {
    const int samples = 4;
    Coverage mask;
    mask.width = w;
    mask.height = h;
    mask.values.assign((size_t)w * h, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int hits = 0;
            for (int sy = 0; sy < samples; sy++)
                for (int sx = 0; sx < samples; sx++)
                    hits += inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
            mask.values[(size_t)y * w + x] = (uint8_t)(hits * 255 / (samples * samples));
        }
    return mask;
}

Coverage growMask(const Coverage& mask, int radius) {
    Coverage grown = mask;
    for (int y = 0; y < mask.height; y++)
        for (int x = 0; x < mask.width; x++) {
            int v = 0;
            for (int dy = -radius; dy <= radius; dy++)
                for (int dx = -radius; dx <= radius; dx++)
                    if (dx * dx + dy * dy <= radius * radius + radius) v = std::max<int>(v, mask.at(x + dx, y + dy));
            grown.values[(size_t)y * mask.width + x] = (uint8_t)v;
        }
    return grown;
}

void paintMask(Image& image, const Coverage& mask, int x, int y, const ShapeColour& colour) {
    for (int j = 0; j < mask.height; j++)
        for (int i = 0; i < mask.width; i++)
            if (mask.at(i, j)) blendPixel(image, x + i, y + j, colour(i + 0.5, j + 0.5), mask.at(i, j) / 255.0);
}

void paintMask(Image& image, const Coverage& mask, int x, int y, Rgb colour) {
    paintMask(image, mask, x, y, [colour](double, double) { return colour; });
}

void bevelMask(Image& image, const Coverage& mask, int x, int y, Rgb light, Rgb dark) {
    const int solid = 128;
    for (int j = 0; j < mask.height; j++)
        for (int i = 0; i < mask.width; i++) {
            if (mask.at(i, j) < solid) continue;
            bool lit = mask.at(i, j - 1) < solid || mask.at(i - 1, j) < solid;
            bool shaded = mask.at(i, j + 1) < solid || mask.at(i + 1, j) < solid;
            if (lit && !shaded) blendPixel(image, x + i, y + j, light, 0.85);
            if (shaded && !lit) blendPixel(image, x + i, y + j, dark, 0.85);
        }
}

void paintCoverage(Image& image, const Coverage& ink, int x, int y, Rgb colour) {
    for (int j = 0; j < ink.height; j++)
        for (int i = 0; i < ink.width; i++) blendPixel(image, x + i, y + j, colour, ink.at(i, j) / 255.0);
}

int paintLabel(Image& image, const TypeFace& face, int pixelSize, const std::string& text, int x, int y, Rgb colour,
               double slant, int tracking, Rgb halo) {
    TextImage line;
    if (!renderText(face, pixelSize, text, slant, tracking, &line)) return 0;
    int top = y - line.baseline;
    // The halo: the ink stamped dark at the eight neighbouring offsets.
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (dx || dy) paintCoverage(image, line.ink, x + dx, top + dy, halo);
    paintCoverage(image, line.ink, x, top, colour);
    return line.ink.width;
}

int labelWidth(const TypeFace& face, int pixelSize, const std::string& text, double slant, int tracking) {
    TextImage line;
    return renderText(face, pixelSize, text, slant, tracking, &line) ? line.ink.width : 0;
}
