#include "world/polyfill.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

// Crossing row of edge (x0, y0)-(x1, y1), abscissae doubled, with the scan
// line at doubled abscissa X; integer steps fixed so every fill agrees.
int64_t crossingRow(int64_t X, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    int64_t slope = ((y1 - y0) * 256) / (x1 - x0);
    return y0 + (((X - x0) * slope) >> 8);
}

struct Bounds {
    int64_t minX, maxX, minY, maxY; // max is one past the largest value
};

Bounds polygonBounds(const Polygon* p) {
    Bounds b = {INT64_MAX, INT64_MIN, INT64_MAX, INT64_MIN};
    for (int i = 0; i < p->count; i++) {
        b.minX = std::min<int64_t>(b.minX, p->vertices[i].x);
        b.maxX = std::max<int64_t>(b.maxX, p->vertices[i].x + (int64_t)1);
        b.minY = std::min<int64_t>(b.minY, p->vertices[i].y);
        b.maxY = std::max<int64_t>(b.maxY, p->vertices[i].y + (int64_t)1);
    }
    return b;
}

struct Painter {
    Surface* s;
    int ox, oy;
    Color c;
    int paint;
    bool orMode;
};

void paintRun(void* context, int column, int top, int bottom) {
    const Painter& pt = *(const Painter*)context;
    Surface* s = pt.s;
    int x = column + pt.ox;
    int y0 = std::max(top + pt.oy, 0), y1 = std::min(bottom + pt.oy, s->height);
    if ((unsigned)x >= (unsigned)s->width || y0 >= y1) return;
    uint16_t* px = pixelAddress(s, x, y0);
    for (int y = y0; y < y1; y++, px += s->yStep) {
        if (pt.orMode) *px |= pt.c;
        else if (pt.paint > 0) *px = blendColors(*px, pt.c, pt.paint);
        else if (pt.paint == 0) *px = pt.c;
        else *px = *px ? 0 : pt.c;
    }
}

void paintPolygon(Surface* s, const Polygon* p, Painter painter) {
    if (!p || p->count < 3) return;
    // Only what lands on the surface is visited; runs reaching in from
    // beyond its edges are still counted from their true crossings.
    ScanBox box = {-painter.ox, -painter.oy, s->width - 1 - painter.ox, s->height - 1 - painter.oy};
    scanPolygon(p, box, paintRun, &painter);
}

} // namespace

void scanPolygon(const Polygon* p, ScanBox box, ScanVisitor visit, void* context) {
    if (!p || p->count < 3) return;
    Bounds b = polygonBounds(p);
    int64_t firstColumn = std::max<int64_t>(b.minX - 1, box.left);
    int64_t lastColumn = std::min<int64_t>(b.maxX + 2, box.right);
    int64_t lastRow = std::min<int64_t>(b.maxY + 2, box.bottom);
    int64_t firstRow = std::max<int64_t>(b.minY - 1, box.top);
    if (firstColumn > lastColumn || firstRow > lastRow) return;

    std::vector<int64_t> crossings((size_t)p->count + 1);
    for (int64_t c = firstColumn; c <= lastColumn; c++) {
        int64_t X = 2 * c + 1;
        size_t n = 0;
        for (int j = 1; j <= p->count; j++) {
            const Point& a = p->vertices[j - 1];
            const Point& e = p->vertices[j % p->count];
            int64_t x0 = 2 * (int64_t)a.x, x1 = 2 * (int64_t)e.x;
            if ((x0 < X && x1 >= X) || (X < x0 && X >= x1)) crossings[n++] = crossingRow(X, x0, a.y, x1, e.y);
        }
        // Walking the rows and flipping the inside flag at each crossing
        // paints from every odd crossing up to the next one.
        std::sort(crossings.begin(), crossings.begin() + n);
        for (size_t i = 0; i < n; i += 2) {
            int64_t top = crossings[i];
            int64_t bottom = i + 1 < n ? crossings[i + 1] : b.maxY + 3;
            top = std::max(top, firstRow);
            bottom = std::min(bottom, lastRow + 1);
            if (top < bottom) visit(context, (int)c, (int)top, (int)bottom);
        }
    }
}

Polygon* roundedPolygon(const Polygon* p) {
    if (!p || p->count < 3 || p->count > INT32_MAX / CORNER_SAMPLES) return nullptr;
    Polygon* r = createPolygon();
    if (!r) return nullptr;
    int32_t total = p->count * CORNER_SAMPLES;
    r->vertices = (Point*)malloc((size_t)total * sizeof(Point));
    if (!r->vertices) {
        destroyPolygon(&r);
        return nullptr;
    }
    r->count = total;
    for (int k = 1; k <= p->count; k++) {
        Point v0, v1, v2;
        polygonCorner(p, k, &v0, &v1, &v2);
        cornerSamples(v0, v1, v2, &r->vertices[(k - 1) * CORNER_SAMPLES]);
    }
    return r;
}

void fillPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c, int paint) {
    paintPolygon(s, p, {s, ox, oy, c, paint, false});
}

void fillRoundedPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c, int paint) {
    Polygon* r = roundedPolygon(p);
    if (!r) return;
    fillPolygon(s, r, ox, oy, c, paint);
    destroyPolygon(&r);
}

void orFillPolygon(Surface* s, const Polygon* p, int ox, int oy, Color c) {
    paintPolygon(s, p, {s, ox, oy, c, 0, true});
}
