#include "blit_reference.h"
#include "shell/random.h"

#include <algorithm>

namespace {

int red(Color c) { return c >> 11; }
int green(Color c) { return (c >> 6) & 31; }
int blue(Color c) { return c & 31; }
Color pack(int r, int g, int b) { return (Color)((r << 11) | (g << 6) | b); }
int sat(int v) { return std::min(v, 31); }
int floored(int v) { return std::max(v, 0); }

Color lowered(Color d, int k) {
    if (k <= 0) return d;
    return pack(floored(red(d) - k), floored(green(d) - k), floored(blue(d) - k));
}
Color raised(Color d, int n) { return pack(sat(red(d) + n), sat(green(d) + n), sat(blue(d) + n)); }

// The table's rule for one pair; modes 2, 13, 17 and 18 are handled apart.
Color rule(int mode, Color d, Color s, int32_t p) {
    if (mode == 0) return s;
    if (mode == 14) return (Color)p;
    if (!s) return d;
    int l = (red(s) + green(s) + blue(s)) >> 3;
    switch (mode) {
    case 3: return s & 31;
    case 4: return raised(d, l);
    case 5: return lowered(d, p + l);
    case 6: return 0xFFFF;
    case 9:
        return pack((red(s) * p + red(d) * (255 - p)) >> 8, (green(s) * p + green(d) * (255 - p)) >> 8,
                    (blue(s) * p + blue(d) * (255 - p)) >> 8);
    case 11: return (Color)p;
    case 12:
        return pack(sat(red(d) + floored(red(s) + p)), sat(green(d) + floored(green(s) + p)),
                    sat(blue(d) + floored(blue(s) + p)));
    default: return s; // 1, 7, 8, 10 and above 18
    }
}

bool inside(const Surface* s, int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < s->width && y < s->height; }

// The columns k of the unmirrored rectangle whose source and destination are
// both inside: one contiguous range, empty when lo > hi.
void bothInside(int64_t d, int64_t s, int64_t n, int dstSize, int srcSize, int64_t* lo, int64_t* hi) {
    *lo = std::max<int64_t>({0, -d, -s});
    *hi = std::min<int64_t>({n - 1, dstSize - 1 - d, srcSize - 1 - s});
}

void sortByDestination(std::vector<PixelPair>& pairs, const Surface* dst) {
    std::sort(pairs.begin(), pairs.end(), [dst](const PixelPair& a, const PixelPair& b) {
        return pixelAddress(dst, a.dx, a.dy) < pixelAddress(dst, b.dx, b.dy);
    });
}

} // namespace

std::vector<PixelPair> referencePairs(const Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx,
                                      int sy, int mode) {
    std::vector<PixelPair> pairs;
    int64_t x0 = dx, y0 = dy, width = w, height = h, sx0 = sx, sy0 = sy;
    if (mode == 10) {
        // The source side is cut first, moving the destination with it.
        if (sx0 < 0) x0 -= sx0, width += sx0, sx0 = 0;
        if (sy0 < 0) y0 -= sy0, height += sy0, sy0 = 0;
        width = std::min<int64_t>(width, src->width - sx0);
        height = std::min<int64_t>(height, src->height - sy0);
        for (int64_t i = 0; i < height; i++)
            for (int64_t k = 0; k < width; k++)
                if (inside(dst, x0 + k, y0 + i))
                    pairs.push_back({(int)(x0 + k), (int)(y0 + i), (int)(sx0 + width - 1 - k), (int)(sy0 + i)});
    } else {
        int64_t kLo, kHi, iLo, iHi;
        bothInside(x0, sx0, width, dst->width, src->width, &kLo, &kHi);
        bothInside(y0, sy0, height, dst->height, src->height, &iLo, &iHi);
        bool mirrored = mode == 7 || mode == 8 || mode > 18 || mode < 0;
        for (int64_t i = iLo; i <= iHi; i++)
            for (int64_t k = kLo; k <= kHi; k++) {
                int64_t fromK = mirrored ? kLo + kHi - k : k;
                pairs.push_back({(int)(x0 + k), (int)(y0 + i), (int)(sx0 + fromK), (int)(sy0 + i)});
            }
    }
    sortByDestination(pairs, dst);
    return pairs;
}

void referenceBlit(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int mode,
                   int32_t param) {
    for (const PixelPair& q : referencePairs(dst, dx, dy, w, h, src, sx, sy, mode)) {
        Color s = getPixel(src, q.sx, q.sy), d = getPixel(dst, q.dx, q.dy);
        if (mode == 2) {
            if (!s) continue;
            putPixel(dst, q.dx, q.dy, s);
            putPixel(dst, q.dx + 3, q.dy + 3, lowered(getPixel(dst, q.dx + 3, q.dy + 3), 5));
        } else if (mode == 13) {
            if (s) putPixel(dst, q.dx, q.dy, raised(d, floored(gameRandom() & param)));
        } else {
            putPixel(dst, q.dx, q.dy, rule(mode, d, s, param));
        }
    }
}

void referenceDepthBlit(Surface* dst, Surface* depth, int dx, int dy, int w, int h, const Surface* src, int sx,
                        int sy, int mode, int32_t param) {
    for (const PixelPair& q : referencePairs(dst, dx, dy, w, h, src, sx, sy, mode)) {
        Color s = getPixel(src, q.sx, q.sy), d = getPixel(dst, q.dx, q.dy);
        if (!s || param < getPixel(depth, q.dx, q.dy)) continue;
        if (mode == 18) {
            putPixel(dst, q.dx, q.dy, s);
            continue;
        }
        putPixel(dst, q.dx, q.dy, s == 0x0801 ? pack(red(d) / 2, green(d) / 2, blue(d) / 2) : s);
        putPixel(depth, q.dx, q.dy, (Color)param);
    }
}

void referenceHalfSize(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy,
                       bool mirrored) {
    int64_t reducedW = w > 0 ? w - 1 : w, reducedH = h > 0 ? h - 1 : h;
    int nextX = src->vertical ? 0 : 2, nextY = 2 - nextX;
    // Only outputs near the source can draw; this keeps huge sizes quick.
    int64_t kFrom = std::max<int64_t>(0, -sx / 2 - 1), kTo = std::min<int64_t>(reducedW / 2, (src->width - sx) / 2 + 1);
    int64_t iFrom = std::max<int64_t>(0, -sy / 2 - 1), iTo = std::min<int64_t>(reducedH / 2, (src->height - sy) / 2 + 1);
    for (int64_t i = iFrom; i < iTo; i++)
        for (int64_t k = kFrom; k < kTo; k++) {
            int64_t px = sx + 2 * k, py = sy + 2 * i;
            int64_t tx = mirrored ? dx + reducedW - 1 - k : dx + k, ty = dy + i;
            if (!inside(src, px, py) || !inside(src, px + nextX, py + nextY) || !inside(dst, tx, ty)) continue;
            if (getPixel(src, (int)px, (int)py))
                putPixel(dst, (int)tx, (int)ty, getPixel(src, (int)(px + nextX), (int)(py + nextY)));
        }
}

Surface* randomSurface(int w, int h, std::mt19937& rng, int zeroEvery) {
    Surface* s = createSurface(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint32_t v = rng();
            putPixel(s, x, y, (Color)(v % zeroEvery == 0 ? 0 : (v >> 8) | 1));
        }
    return s;
}

Surface* copyOf(const Surface* s) {
    Surface* c = createSurface(s->width, s->height);
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) putPixel(c, x, y, getPixel(s, x, y));
    return c;
}

int firstDifference(const Surface* a, const Surface* b) {
    if (a->width != b->width || a->height != b->height) return 0;
    for (int y = 0; y < a->height; y++)
        for (int x = 0; x < a->width; x++)
            if (getPixel(a, x, y) != getPixel(b, x, y)) return y * a->width + x;
    return -1;
}
