#include "world/polydraw.h"
#include "gfx/draw.h"

namespace {

const int HANDLE_REACH = 2;    // handles span -2..+2 around the vertex
const int HANDLE_WEIGHT = 170;

template <typename Line>
void eachEdge(const Polygon* p, int ox, int oy, Line line) {
    if (!p || p->count < 2) return;
    for (int i = 1; i <= p->count; i++) {
        const Point& a = p->vertices[i - 1];
        const Point& b = p->vertices[i % p->count];
        line(a.x + ox, a.y + oy, b.x + ox, b.y + oy);
    }
}

} // namespace

void drawPolygonOutline(Surface* s, const Polygon* p, int ox, int oy, Color c) {
    eachEdge(p, ox, oy, [&](int x0, int y0, int x1, int y1) { drawLine(s, x0, y0, x1, y1, c); });
}

void drawPolygon(Surface* s, const Polygon* p) {
    if (p) drawPolygonOutline(s, p, 0, 0, (Color)p->colour);
}

void drawBlendedPolygonOutline(Surface* s, const Polygon* p, int ox, int oy, Color c, int w) {
    eachEdge(p, ox, oy, [&](int x0, int y0, int x1, int y1) { drawBlendedLine(s, x0, y0, x1, y1, c, w); });
}

void drawVertexHandles(Surface* s, const Polygon* p, int ox, int oy, Color c) {
    if (!p) return;
    for (int i = 0; i < p->count; i++) {
        int x = p->vertices[i].x + ox, y = p->vertices[i].y + oy;
        for (int dx = -HANDLE_REACH; dx <= HANDLE_REACH; dx++)
            for (int dy = -HANDLE_REACH; dy <= HANDLE_REACH; dy++) blendPixel(s, x + dx, y + dy, c, HANDLE_WEIGHT);
    }
}

void drawRoundedOutline(Surface* s, const Polygon* p, int ox, int oy, Color c) {
    if (!p || p->count < 2) return;
    for (int k = 1; k <= p->count; k++) {
        Point v0, v1, v2, samples[CORNER_SAMPLES];
        polygonCorner(p, k, &v0, &v1, &v2);
        // The corner walked backwards: v0 and v2 exchange their roles.
        Point from = cornerPoint(v2, v1, v0, 0.0);
        cornerSamples(v2, v1, v0, samples);
        for (const Point& to : samples) {
            drawLine(s, from.x + ox, from.y + oy, to.x + ox, to.y + oy, c);
            from = to;
        }
    }
}
