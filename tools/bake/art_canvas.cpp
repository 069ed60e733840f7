#include "bake/art_canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

const int SUB_ROWS = 6; // vertical samples per pixel row; spans are exact horizontally
const double PI = 3.14159265358979323846;

struct Edge {
    double x0, y0, x1, y1;
    int dir;
};

struct Crossing {
    double x;
    int dir;
    bool operator<(const Crossing& o) const { return x < o.x; }
};

// Adds the horizontal coverage of [xa, xb) to a row that starts at column x0.
void addSpan(std::vector<float>& row, int x0, double xa, double xb, float weight) {
    double lo = x0, hi = x0 + (double)row.size();
    xa = std::max(xa, lo);
    xb = std::min(xb, hi);
    if (xb <= xa) return;
    int ia = (int)std::floor(xa), ib = (int)std::floor(xb);
    if (ia == ib) {
        row[ia - x0] += (float)(xb - xa) * weight;
        return;
    }
    row[ia - x0] += (float)(ia + 1 - xa) * weight;
    for (int i = ia + 1; i < ib; i++) row[i - x0] += weight;
    if (ib - x0 < (int)row.size()) row[ib - x0] += (float)(xb - ib) * weight;
}

int segmentsFor(double radius) { return std::clamp((int)(radius * 4), 16, 256); }

} // namespace

void fillPath(Mask& mask, const std::vector<Contour>& contours) {
    std::vector<Edge> edges;
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    for (const Contour& c : contours) {
        for (size_t i = 0; i < c.size(); i++) {
            Vertex a = c[i], b = c[(i + 1) % c.size()];
            minX = std::min(minX, a.x), maxX = std::max(maxX, a.x);
            minY = std::min(minY, a.y), maxY = std::max(maxY, a.y);
            if (a.y == b.y) continue;
            edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
        }
    }
    if (edges.empty()) return;
    int y0 = std::max(0, (int)std::floor(minY)), y1 = std::min(mask.height - 1, (int)std::ceil(maxY));
    int x0 = std::max(0, (int)std::floor(minX)), x1 = std::min(mask.width - 1, (int)std::ceil(maxX));
    if (x1 < x0 || y1 < y0) return;
    std::vector<float> row(x1 - x0 + 1);
    std::vector<Crossing> crossings;
    const float weight = 1.0f / SUB_ROWS;
    for (int py = y0; py <= y1; py++) {
        std::fill(row.begin(), row.end(), 0.0f);
        for (int s = 0; s < SUB_ROWS; s++) {
            double sy = py + (s + 0.5) / SUB_ROWS;
            crossings.clear();
            for (const Edge& e : edges) {
                if (sy < e.y0 || sy >= e.y1) continue;
                double t = (sy - e.y0) / (e.y1 - e.y0);
                crossings.push_back({e.x0 + t * (e.x1 - e.x0), e.dir});
            }
            std::sort(crossings.begin(), crossings.end());
            int winding = 0;
            double start = 0;
            for (const Crossing& c : crossings) {
                int before = winding;
                winding += c.dir;
                if (before == 0 && winding != 0) start = c.x;
                if (before != 0 && winding == 0) addSpan(row, x0, start, c.x, weight);
            }
        }
        float* out = &mask.a[(size_t)py * mask.width];
        for (int x = x0; x <= x1; x++) out[x] = std::min(1.0f, std::max(out[x], row[x - x0]));
    }
}

Box coveredBox(const Mask& mask, int margin) {
    Box box{mask.width, mask.height, -1, -1};
    for (int y = 0; y < mask.height; y++) {
        const float* row = &mask.a[(size_t)y * mask.width];
        int first = -1, last = -1;
        for (int x = 0; x < mask.width; x++)
            if (row[x] > 0) {
                if (first < 0) first = x;
                last = x;
            }
        if (first < 0) continue;
        box.x0 = std::min(box.x0, first), box.x1 = std::max(box.x1, last);
        box.y0 = std::min(box.y0, y), box.y1 = std::max(box.y1, y);
    }
    if (box.x1 < 0) return {0, 0, -1, -1};
    return {std::max(0, box.x0 - margin), std::max(0, box.y0 - margin), std::min(mask.width - 1, box.x1 + margin),
            std::min(mask.height - 1, box.y1 + margin)};
}

void fillPolygon(Mask& mask, const Contour& contour) { fillPath(mask, {contour}); }

Contour ellipseContour(Vertex c, double rx, double ry, double angle) {
    int n = segmentsFor(std::max(rx, ry));
    Contour out(n);
    double ca = std::cos(angle), sa = std::sin(angle);
    for (int i = 0; i < n; i++) {
        double t = 2 * PI * i / n;
        double x = rx * std::cos(t), y = ry * std::sin(t);
        out[i] = {c.x + x * ca - y * sa, c.y + x * sa + y * ca};
    }
    return out;
}

Contour circleContour(Vertex c, double r) { return ellipseContour(c, r, r, 0); }

void fillCircle(Mask& mask, Vertex c, double r) { fillPolygon(mask, circleContour(c, r)); }

void fillEllipse(Mask& mask, Vertex c, double rx, double ry, double angle) {
    fillPolygon(mask, ellipseContour(c, rx, ry, angle));
}

void fillRing(Mask& mask, Vertex c, double inner, double outer) {
    Contour hole = circleContour(c, inner);
    std::reverse(hole.begin(), hole.end());
    fillPath(mask, {circleContour(c, outer), hole});
}

void fillCapsule(Mask& mask, Vertex a, Vertex b, double r) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double heading = std::atan2(dy, dx);
    int half = segmentsFor(r) / 2;
    Contour out;
    // Round end at b, then round end at a.
    for (int i = 0; i <= half; i++) {
        double t = heading - PI / 2 + PI * i / half;
        out.push_back({b.x + r * std::cos(t), b.y + r * std::sin(t)});
    }
    for (int i = 0; i <= half; i++) {
        double t = heading + PI / 2 + PI * i / half;
        out.push_back({a.x + r * std::cos(t), a.y + r * std::sin(t)});
    }
    fillPolygon(mask, out);
}

void fillStroke(Mask& mask, const Contour& line, double r0, double r1) {
    if (line.size() < 2) return;
    for (size_t i = 0; i + 1 < line.size(); i++) {
        double t0 = (double)i / (line.size() - 1), t1 = (double)(i + 1) / (line.size() - 1);
        Vertex a = line[i], b = line[i + 1];
        double ra = r0 + (r1 - r0) * t0, rb = r0 + (r1 - r0) * t1;
        // A tapered segment: the hull of two discs.
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len < 1e-9) continue;
        double nx = -dy / len, ny = dx / len;
        fillPolygon(mask, {{a.x + nx * ra, a.y + ny * ra},
                           {b.x + nx * rb, b.y + ny * rb},
                           {b.x - nx * rb, b.y - ny * rb},
                           {a.x - nx * ra, a.y - ny * ra}});
        fillCircle(mask, b, rb);
        if (i == 0) fillCircle(mask, a, ra);
    }
}

Contour roundedRectContour(double x0, double y0, double x1, double y1, double r) {
    r = std::min({r, (x1 - x0) / 2, (y1 - y0) / 2});
    Contour out;
    int quarter = std::max(3, segmentsFor(r) / 4);
    const Vertex corners[4] = {{x1 - r, y0 + r}, {x1 - r, y1 - r}, {x0 + r, y1 - r}, {x0 + r, y0 + r}};
    for (int k = 0; k < 4; k++) {
        for (int i = 0; i <= quarter; i++) {
            double t = -PI / 2 + PI / 2 * (k + (double)i / quarter);
            out.push_back({corners[k].x + r * std::cos(t), corners[k].y + r * std::sin(t)});
        }
    }
    return out;
}

void fillRoundedRect(Mask& mask, double x0, double y0, double x1, double y1, double r) {
    fillPolygon(mask, roundedRectContour(x0, y0, x1, y1, r));
}

Mask dilated(const Mask& mask, double radius) {
    Mask out(mask.width, mask.height);
    int reach = (int)std::ceil(radius);
    struct Offset {
        int dx, dy;
        float weight;
    };
    std::vector<Offset> offsets;
    for (int dy = -reach; dy <= reach; dy++)
        for (int dx = -reach; dx <= reach; dx++) {
            double d = std::hypot(dx, dy);
            // Soft rim: the last pixel of the disc counts partly.
            float w = (float)std::clamp(radius + 0.5 - d, 0.0, 1.0);
            if (w > 0) offsets.push_back({dx, dy, w});
        }
    Box box = coveredBox(mask, reach);
    for (int y = box.y0; y <= box.y1; y++)
        for (int x = box.x0; x <= box.x1; x++) {
            float best = 0;
            for (const Offset& o : offsets) best = std::max(best, mask.at(x + o.dx, y + o.dy) * o.weight);
            out.a[(size_t)y * mask.width + x] = best;
        }
    return out;
}

// One box blur pass along rows (across) or columns of a w x h buffer.
static void boxPass(const std::vector<float>& in, std::vector<float>& out, int w, int h, int radius, bool across) {
    int n = across ? w : h, lines = across ? h : w;
    for (int line = 0; line < lines; line++) {
        auto index = [&](int i) { return across ? (size_t)line * w + i : (size_t)i * w + line; };
        double sum = 0;
        for (int i = -radius; i <= radius; i++)
            if (i >= 0 && i < n) sum += in[index(i)];
        for (int i = 0; i < n; i++) {
            out[index(i)] = (float)(sum / (2 * radius + 1));
            int leaving = i - radius, entering = i + radius + 1;
            if (leaving >= 0) sum -= in[index(leaving)];
            if (entering < n) sum += in[index(entering)];
        }
    }
}

Mask blurred(const Mask& mask, int radius) {
    if (radius <= 0) return mask;
    // Only the covered box and the reach of three passes can change.
    Box box = coveredBox(mask, 3 * radius + 1);
    Mask out(mask.width, mask.height);
    if (box.x1 < box.x0) return out;
    int w = box.x1 - box.x0 + 1, h = box.y1 - box.y0 + 1;
    std::vector<float> work((size_t)w * h), tmp(work.size());
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) work[(size_t)y * w + x] = mask.a[(size_t)(y + box.y0) * mask.width + x + box.x0];
    for (int pass = 0; pass < 3; pass++) {
        boxPass(work, tmp, w, h, radius, true);
        boxPass(tmp, work, w, h, radius, false);
    }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) out.a[(size_t)(y + box.y0) * mask.width + x + box.x0] = work[(size_t)y * w + x];
    return out;
}

Mask shifted(const Mask& mask, int dx, int dy) {
    Mask out(mask.width, mask.height);
    for (int y = 0; y < mask.height; y++)
        for (int x = 0; x < mask.width; x++) out.a[(size_t)y * mask.width + x] = mask.at(x - dx, y - dy);
    return out;
}

void cutAway(Mask& mask, const Mask& cut) {
    for (size_t i = 0; i < mask.a.size(); i++) mask.a[i] *= 1.0f - cut.a[i];
}

void keepOnly(Mask& mask, const Mask& keep) {
    for (size_t i = 0; i < mask.a.size(); i++) mask.a[i] *= keep.a[i];
}

void scaleMask(Mask& mask, float factor) {
    for (float& v : mask.a) v = std::clamp(v * factor, 0.0f, 1.0f);
}

static uint8_t channel(double v) { return (uint8_t)std::clamp((int)std::lround(v), 0, 255); }

Rgb mix(Rgb a, Rgb b, double t) {
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t), channel(a.b + (b.b - a.b) * t)};
}

Rgb scaled(Rgb c, double f) { return {channel(c.r * f), channel(c.g * f), channel(c.b * f)}; }

Rgb ramp(const std::vector<Stop>& stops, double t) {
    if (stops.empty()) return {0, 0, 0};
    if (t <= stops.front().at) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); i++) {
        if (t <= stops[i].at) {
            double span = stops[i].at - stops[i - 1].at;
            return mix(stops[i - 1].colour, stops[i].colour, span > 0 ? (t - stops[i - 1].at) / span : 1.0);
        }
    }
    return stops.back().colour;
}

void paint(Image& image, const Mask& mask, const ColourField& colour, double opacity) {
    Box box = coveredBox(mask);
    int w = std::min(image.width - 1, box.x1), h = std::min(image.height - 1, box.y1);
    for (int y = box.y0; y <= h; y++)
        for (int x = box.x0; x <= w; x++) {
            double a = mask.a[(size_t)y * mask.width + x] * opacity;
            if (a <= 0) continue;
            Rgb& p = image.pixels[(size_t)y * image.width + x];
            p = mix(p, colour(x, y), std::min(a, 1.0));
        }
}

void paint(Image& image, const Mask& mask, Rgb colour, double opacity) {
    paint(image, mask, [colour](int, int) { return colour; }, opacity);
}

void fill(Image& image, const ColourField& colour) {
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++) image.pixels[(size_t)y * image.width + x] = colour(x, y);
}

void shade(Image& image, const Mask& mask, double amount) {
    int w = std::min(image.width, mask.width), h = std::min(image.height, mask.height);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            double a = mask.a[(size_t)y * mask.width + x] * amount;
            if (a == 0) continue;
            Rgb& p = image.pixels[(size_t)y * image.width + x];
            p = a > 0 ? mix(p, {255, 255, 255}, std::min(a, 1.0)) : mix(p, {0, 0, 0}, std::min(-a, 1.0));
        }
}

std::vector<float> rimLight(const Mask& mask, int softness) {
    Mask soft = blurred(mask, softness);
    std::vector<float> light(mask.a.size(), 0.0f);
    const double lx = -0.6, ly = -0.8; // towards the light
    double gain = 1.5 * std::max(1, softness);
    for (int y = 0; y < mask.height; y++)
        for (int x = 0; x < mask.width; x++) {
            double gx = (soft.at(x + 1, y) - soft.at(x - 1, y)) * 0.5;
            double gy = (soft.at(x, y + 1) - soft.at(x, y - 1)) * 0.5;
            // The surface rises toward the inside: its slope faces against the gradient.
            light[(size_t)y * mask.width + x] = (float)std::clamp(-(gx * lx + gy * ly) * gain, -1.0, 1.0);
        }
    return light;
}

Rgb offTransparent(Rgb c) {
    const int least = 40; // survives the darkest brightness curve as non-black
    int top = std::max({c.r, c.g, c.b});
    if (top >= least) return c;
    int lift = least - top;
    return {(uint8_t)(c.r + lift), (uint8_t)(c.g + lift), (uint8_t)(c.b + lift)};
}

void keepOffTransparent(Image& image, const Mask* where) {
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++) {
            if (where && where->at(x, y) <= 0) continue;
            Rgb& p = image.pixels[(size_t)y * image.width + x];
            p = offTransparent(p);
        }
}

void ditherToScreenLevels(Image& image) {
    static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++) {
            Rgb& p = image.pixels[(size_t)y * image.width + x];
            bool visible = p.r || p.g || p.b;
            int t = BAYER[y & 3][x & 3]; // 0..15: threshold in sixteenths of a level
            auto level = [t](int v) { return std::min(31, (v * 2 + t) / 16); };
            int r = level(p.r), g = level(p.g), b = level(p.b);
            if (visible && !r && !g && !b) r = g = b = 1;
            p = {(uint8_t)(r * 8 + 4), (uint8_t)(g * 8 + 4), (uint8_t)(b * 8 + 4)};
            if (!visible) p = {0, 0, 0};
        }
}

bool writeScreenPng(const std::string& path, Image image) {
    ditherToScreenLevels(image);
    return writePng(path, image, 6);
}

} // namespace art
