#include "world/geometry.h"

#include <cstdlib>

Polygon* createPolygon() {
    Polygon* p = (Polygon*)calloc(1, sizeof(Polygon));
    if (!p) return nullptr;
    p->colour = -1;
    return p;
}

void destroyPolygon(Polygon** handle) {
    Polygon* p = *handle;
    if (!p) return;
    free(p->vertices);
    free(p);
    *handle = nullptr;
}

// Every edit reallocates to the exact new size; there is no spare capacity.
static bool resizeVertices(Polygon* p, int32_t count) {
    if (count == 0) {
        free(p->vertices);
        p->vertices = nullptr;
        return true;
    }
    Point* grown = (Point*)realloc(p->vertices, (size_t)count * sizeof(Point));
    if (!grown) return false;
    p->vertices = grown;
    return true;
}

Point* appendVertex(Polygon* p, int x, int y) {
    if (p->count == INT32_MAX || !resizeVertices(p, p->count + 1)) return nullptr;
    Point* v = &p->vertices[p->count++];
    v->x = x;
    v->y = y;
    return v;
}

static int32_t midpoint(int32_t a, int32_t b) {
    return (int32_t)(((int64_t)a + b) >> 1);
}

void insertMidpoint(Polygon* p, int k) {
    if (k < 0 || k >= p->count || p->count == INT32_MAX) return;
    Point a = p->vertices[k];
    Point b = p->vertices[(k + 1) % p->count];
    if (!resizeVertices(p, p->count + 1)) return;
    for (int i = p->count; i > k + 1; i--) p->vertices[i] = p->vertices[i - 1];
    p->vertices[k + 1] = {midpoint(a.x, b.x), midpoint(a.y, b.y)};
    p->count++;
}

void removeVertex(Polygon* p, int k) {
    if (k < 0 || k >= p->count) return;
    for (int i = k; i < p->count - 1; i++) p->vertices[i] = p->vertices[i + 1];
    // Shrinking cannot fail in practice; if it does the old array stays,
    // one element too long, which nothing reads.
    resizeVertices(p, p->count - 1);
    p->count--;
}

Point cornerPoint(Point v0, Point v1, Point v2, double t) {
    double s = 1.0 - t;
    double m01x = midpoint(v0.x, v1.x), m01y = midpoint(v0.y, v1.y);
    double m12x = midpoint(v1.x, v2.x), m12y = midpoint(v1.y, v2.y);
    // Each stage truncates toward zero, as the integer drawing expects.
    int32_t px = (int32_t)(s * m01x + t * v1.x), py = (int32_t)(s * m01y + t * v1.y);
    int32_t qx = (int32_t)(t * m12x + s * v1.x), qy = (int32_t)(t * m12y + s * v1.y);
    return {(int32_t)(s * px + t * qx), (int32_t)(s * py + t * qy)};
}

void cornerSamples(Point v0, Point v1, Point v2, Point out[CORNER_SAMPLES]) {
    int n = 0;
    for (double t = 0.2; t <= 1.0 && n < CORNER_SAMPLES; t += 0.2) out[n++] = cornerPoint(v0, v1, v2, t);
}

void polygonCorner(const Polygon* p, int k, Point* v0, Point* v1, Point* v2) {
    int n = p->count;
    *v0 = p->vertices[(k + n - 1) % n];
    *v1 = p->vertices[k % n];
    *v2 = p->vertices[(k + 1) % n];
}
