// The per-pixel rules of the blit modes, run by run. The rules that read
// one source and one destination pixel are written once as templates and
// run both on eight pixels at a time (a 128-bit vector, every x86-64 has
// one) and on single pixels for the ends of runs.
#include "gfx/blit.h"
#include "gfx/blit_runs.h"
#include "shell/random.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace {

typedef uint16_t Lanes __attribute__((vector_size(16)));
const int LANE_COUNT = 8;

Lanes loadLanes(const uint16_t* p) {
    Lanes v;
    memcpy(&v, p, sizeof v);
    return v;
}
void storeLanes(uint16_t* p, Lanes v) { memcpy(p, &v, sizeof v); }
// Swapping the two pixels in each 32-bit pair and then the pairs compiles
// to three cheap instructions; a direct eight-way shuffle does not.
typedef uint32_t Pairs __attribute__((vector_size(16)));
Lanes reversed(Lanes v) {
    Pairs p = (Pairs)v;
    p = (p >> 16) | (p << 16);
    return (Lanes)__builtin_shufflevector(p, p, 3, 2, 1, 0);
}

// A constant in the working type: a plain unsigned, or one in every lane.
template <class V> V splat(unsigned x) {
    if constexpr (std::is_same_v<V, Lanes>)
        return Lanes{} + (uint16_t)x;
    else
        return x;
}

// Minimum and floored difference of working values, which all stay below
// 32768: done on signed lanes, which have min and max instructions in the
// basic vector set (the unsigned ones do not).
typedef int16_t SignedLanes __attribute__((vector_size(16)));
template <class V> V minimum(V a, V b) {
    if constexpr (std::is_same_v<V, Lanes>) {
        SignedLanes x = (SignedLanes)a, y = (SignedLanes)b;
        return (Lanes)(x < y ? x : y);
    } else {
        return a < b ? a : b;
    }
}
// max(a - b, 0)
template <class V> V flooredDifference(V a, V b) {
    if constexpr (std::is_same_v<V, Lanes>) {
        SignedLanes d = (SignedLanes)a - (SignedLanes)b;
        return (Lanes)(d > 0 ? d : SignedLanes{});
    } else {
        return a > b ? a - b : 0;
    }
}

template <class V> V redOf(V c) { return (c >> 11) & 31; }
template <class V> V greenOf(V c) { return (c >> 6) & 31; }
template <class V> V blueOf(V c) { return c & 31; }
template <class V> V packed(V r, V g, V b) { return (r << 11) | (g << 6) | b; }
template <class V> V atMost31(V x) { return minimum(x, splat<V>(31)); }
// (r + g + b) / 8 of a pixel: the brightness step of modes 4 and 5.
template <class V> V lightness(V c) { return (redOf(c) + greenOf(c) + blueOf(c)) >> 3; }

// x + up - down, floored at 0; up and down are the non-negative parts of
// a signed amount, so the unsigned lanes never see a negative value.
template <class V> V offsetFloored(V x, unsigned up, unsigned down) {
    return flooredDifference(x + splat<V>(up), splat<V>(down));
}

// Splits a signed amount into its non-negative up and down parts, limited
// to a range that already gives every possible result for 5-bit channels.
void splitAmount(int32_t amount, int limit, unsigned* up, unsigned* down) {
    int a = std::clamp(amount, -limit, limit);
    *up = a > 0 ? (unsigned)a : 0;
    *down = a < 0 ? (unsigned)-a : 0;
}

struct CopyRule {
    template <class V> V operator()(V, V s) const { return s; }
};
struct TransparentRule {
    template <class V> V operator()(V d, V s) const { return s != 0 ? s : d; }
};
struct BlueOnlyRule {
    template <class V> V operator()(V d, V s) const { return s != 0 ? (s & 31) : d; }
};
struct LightenRule {
    template <class V> V operator()(V d, V s) const {
        V l = lightness(s);
        V lit = packed(atMost31(redOf(d) + l), atMost31(greenOf(d) + l), atMost31(blueOf(d) + l));
        return s != 0 ? lit : d;
    }
};
struct DarkenRule {
    unsigned up, down; // the parameter's sign split
    template <class V> V operator()(V d, V s) const {
        V k = offsetFloored(lightness(s), up, down);
        V r = redOf(d), g = greenOf(d), b = blueOf(d);
        V dark = packed(flooredDifference(r, k), flooredDifference(g, k), flooredDifference(b, k));
        return ((s != 0) & (k != 0)) ? dark : d; // k = 0 leaves the pixel exactly as it was
    }
};
struct ConstantRule { // modes 6 and 11: every set pixel becomes one colour
    unsigned colour;
    template <class V> V operator()(V d, V s) const { return s != 0 ? splat<V>(colour) : d; }
};
struct BlendRule {
    unsigned opacity; // 0..255, the weight of the source
    template <class V> V operator()(V d, V s) const {
        V p = splat<V>(opacity), q = splat<V>(255 - opacity);
        V mixed = packed((redOf(s) * p + redOf(d) * q) >> 8, (greenOf(s) * p + greenOf(d) * q) >> 8,
                         (blueOf(s) * p + blueOf(d) * q) >> 8);
        return s != 0 ? mixed : d;
    }
};
struct TintRule {
    unsigned up, down;
    template <class V> V operator()(V d, V s) const {
        V tinted = packed(atMost31(redOf(d) + offsetFloored(redOf(s), up, down)),
                          atMost31(greenOf(d) + offsetFloored(greenOf(s), up, down)),
                          atMost31(blueOf(d) + offsetFloored(blueOf(s), up, down)));
        return s != 0 ? tinted : d;
    }
};

// Runs whose starts are exactly one run apart in both surfaces (full-width
// rows, say) form one long run.
BlitRuns merged(const BlitRuns& r) {
    BlitRuns m = r;
    if (r.count > 1 && r.srcStep == 1 && r.dstNext == r.length && r.srcNext == r.length) {
        m.length = r.length * r.count;
        m.count = 1;
    }
    return m;
}

template <class Rule> void walkRuns(const BlitRuns& plan, const Rule& rule) {
    BlitRuns r = merged(plan);
    for (int run = 0; run < r.count; run++) {
        uint16_t* d = r.dst + (ptrdiff_t)run * r.dstNext;
        const uint16_t* s = r.src + (ptrdiff_t)run * r.srcNext;
        int n = 0;
        if (r.srcStep > 0) {
            for (; n + LANE_COUNT <= r.length; n += LANE_COUNT)
                storeLanes(d + n, rule(loadLanes(d + n), loadLanes(s + n)));
            for (; n < r.length; n++) d[n] = (uint16_t)rule((unsigned)d[n], (unsigned)s[n]);
        } else {
            // The source runs backward: load the eight pixels below and turn them round.
            for (; n + LANE_COUNT <= r.length; n += LANE_COUNT)
                storeLanes(d + n, rule(loadLanes(d + n), reversed(loadLanes(s - n - (LANE_COUNT - 1)))));
            for (; n < r.length; n++) d[n] = (uint16_t)rule((unsigned)d[n], (unsigned)s[-n]);
        }
    }
}

} // namespace

BlitRuns planRuns(Surface* dst, int dx, int dy, const Surface* src, int sx, int sy, int w, int h,
                  bool mirrored) {
    BlitRuns r;
    int srcXStep = mirrored ? -src->xStep : src->xStep;
    r.dst = pixelAddress(dst, dx, dy);
    r.src = pixelAddress(src, mirrored ? sx + w - 1 : sx, sy);
    r.x0 = dx;
    r.y0 = dy;
    int dstAlong, dstAcross, srcAlong, srcAcross;
    if (dst->vertical) { // runs are columns
        r.length = h;
        r.count = w;
        dstAlong = dst->yStep, dstAcross = dst->xStep, srcAlong = src->yStep, srcAcross = srcXStep;
        r.xAlong = 0, r.yAlong = 1, r.xAcross = 1, r.yAcross = 0;
    } else { // runs are rows
        r.length = w;
        r.count = h;
        dstAlong = dst->xStep, dstAcross = dst->yStep, srcAlong = srcXStep, srcAcross = src->yStep;
        r.xAlong = 1, r.yAlong = 0, r.xAcross = 0, r.yAcross = 1;
    }
    // Start every run, and the first run, at the lowest destination address.
    if (dstAlong < 0) {
        int last = r.length - 1;
        r.dst += (ptrdiff_t)last * dstAlong, r.src += (ptrdiff_t)last * srcAlong;
        r.x0 += last * r.xAlong, r.y0 += last * r.yAlong;
        dstAlong = -dstAlong, srcAlong = -srcAlong, r.xAlong = -r.xAlong, r.yAlong = -r.yAlong;
    }
    if (dstAcross < 0) {
        int last = r.count - 1;
        r.dst += (ptrdiff_t)last * dstAcross, r.src += (ptrdiff_t)last * srcAcross;
        r.x0 += last * r.xAcross, r.y0 += last * r.yAcross;
        dstAcross = -dstAcross, srcAcross = -srcAcross, r.xAcross = -r.xAcross, r.yAcross = -r.yAcross;
    }
    r.dstNext = dstAcross;
    r.srcNext = srcAcross;
    r.srcStep = srcAlong;
    return r;
}

void blitCopy(const BlitRuns& plan) {
    if (plan.srcStep < 0) {
        walkRuns(plan, CopyRule{});
        return;
    }
    // Each run is one block move; memmove because a surface may be copied onto itself.
    BlitRuns r = merged(plan);
    size_t bytes = (size_t)r.length * sizeof(uint16_t);
    for (int run = 0; run < r.count; run++)
        memmove(r.dst + (ptrdiff_t)run * r.dstNext, r.src + (ptrdiff_t)run * r.srcNext, bytes);
}

void blitFill(const BlitRuns& plan, Color c) {
    BlitRuns r = plan;
    if (r.count > 1 && r.dstNext == r.length) {
        r.length *= r.count;
        r.count = 1;
    }
    Lanes block = splat<Lanes>(c);
    for (int run = 0; run < r.count; run++) {
        uint16_t* d = r.dst + (ptrdiff_t)run * r.dstNext;
        int n = 0;
        for (; n + LANE_COUNT <= r.length; n += LANE_COUNT) storeLanes(d + n, block);
        for (; n < r.length; n++) d[n] = c;
    }
}

void blitPixels(const BlitRuns& r, int mode, int32_t param) {
    unsigned up, down;
    switch (mode) {
    case BLIT_BLUE_ONLY: walkRuns(r, BlueOnlyRule{}); break;
    case BLIT_LIGHTEN: walkRuns(r, LightenRule{}); break;
    case BLIT_DARKEN:
        splitAmount(param, 100, &up, &down);
        walkRuns(r, DarkenRule{up, down});
        break;
    case BLIT_WHITE: walkRuns(r, ConstantRule{0xFFFF}); break;
    case BLIT_BLEND: walkRuns(r, BlendRule{(unsigned)std::clamp(param, 0, 255)}); break;
    case BLIT_SILHOUETTE: walkRuns(r, ConstantRule{(uint16_t)param}); break;
    case BLIT_TINT:
        splitAmount(param, 64, &up, &down);
        walkRuns(r, TintRule{up, down});
        break;
    default: walkRuns(r, TransparentRule{}); break; // 1, and the mirrored 7, 8, 10
    }
}

// A set pixel also darkens the pixel 3 right and 3 down of it, wherever
// that lies in the destination; the darkening is the only per-pixel test.
void blitShadowed(Surface* dst, const BlitRuns& r) {
    const int shadowDistance = 3, shadowDepth = 5;
    for (int run = 0; run < r.count; run++) {
        uint16_t* d = r.dst + (ptrdiff_t)run * r.dstNext;
        const uint16_t* s = r.src + (ptrdiff_t)run * r.srcNext;
        int x = r.x0 + run * r.xAcross + shadowDistance, y = r.y0 + run * r.yAcross + shadowDistance;
        for (int n = 0; n < r.length; n++, s += r.srcStep, x += r.xAlong, y += r.yAlong) {
            if (!*s) continue;
            d[n] = *s;
            if (insideSurface(dst, x, y)) {
                uint16_t* shade = pixelAddress(dst, x, y);
                *shade = darkenColor(*shade, shadowDepth);
            }
        }
    }
}

void blitSparkle(const BlitRuns& r, int32_t param) {
    for (int run = 0; run < r.count; run++) {
        uint16_t* d = r.dst + (ptrdiff_t)run * r.dstNext;
        const uint16_t* s = r.src + (ptrdiff_t)run * r.srcNext;
        for (int n = 0; n < r.length; n++, s += r.srcStep) {
            if (!*s) continue;
            int sparkle = std::max(gameRandom() & param, 0);
            d[n] = brightenColor(d[n], sparkle);
        }
    }
}

static bool depthUsable(const Surface* dst) {
    const Surface* z = dst->depth;
    return z && z->pixels && z->width == dst->width && z->height == dst->height && z->xStep == dst->xStep &&
           z->yStep == dst->yStep && z->origin - z->pixels == dst->origin - dst->pixels;
}

static Color halved(Color c) { return packColor(colorRed(c) >> 1, colorGreen(c) >> 1, colorBlue(c) >> 1); }

bool blitDepth(Surface* dst, const BlitRuns& r, int mode, int32_t param) {
    if (!depthUsable(dst)) return false; // the layout checked once, so no per-pixel test is needed
    uint16_t* depthBase = dst->depth->pixels;
    uint16_t stored = (uint16_t)std::clamp(param, 0, 0xFFFF);
    for (int run = 0; run < r.count; run++) {
        uint16_t* d = r.dst + (ptrdiff_t)run * r.dstNext;
        uint16_t* z = depthBase + (d - dst->pixels);
        const uint16_t* s = r.src + (ptrdiff_t)run * r.srcNext;
        for (int n = 0; n < r.length; n++, s += r.srcStep) {
            if (!*s || param < z[n]) continue;
            if (mode == BLIT_DEPTH_TEST) {
                d[n] = *s;
                continue;
            }
            d[n] = *s == DEPTH_SHADOW_PIXEL ? halved(d[n]) : *s;
            z[n] = stored;
        }
    }
    return true;
}
