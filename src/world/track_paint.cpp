// The track build's brushes.
#include "world/track_paint.h"
#include "gfx/draw.h"
#include "shell/random.h"
#include "world/polyfill.h"

#include <cstdlib>
#include <vector>

namespace {

const Color KEEPOUT_RED = packColor(31, 0, 0);

// Scatter of the four dabs of a painted-line step: offsets lo..lo + span - 1.
struct Scatter {
    int lo, span;
};
const Scatter DAB_SCATTER[4] = {{-8, 18}, {-2, 5}, {-4, 9}, {-2, 5}};

// Zone cells are jittered by -3..1 world units.
const int ZONE_JITTER_LOW = -3;
const int ZONE_JITTER_SPAN = 5;
// Layout cells this far beyond the world still get scanned; anything
// further projects off the picture, and a hostile polygon must not make
// the scan run over 65536 x 65536 cells.
const int ZONE_SCAN_MARGIN = 16;

int randomIn(Scatter s) { return s.lo + gameRandom() % s.span; }

// One blend of c onto the ground at world (x, y) if the ground shows there.
inline void dab(Track* t, int x, int y, Color c, int weight) {
    int h = heightAt(t, x, y);
    int px = pictureColumn(x), py = pictureRow(t, y, h);
    if (markVisible(t, px, py, pointDepth(y, h))) blendPixel(t->terrain, px, py, c, weight);
}

struct ZoneContext {
    Track* t;
    Color c;
};

void zoneRun(void* context, int column, int top, int bottom) {
    const ZoneContext& z = *(const ZoneContext*)context;
    for (int row = top; row < bottom; row++) {
        int x = 4 * column + ZONE_JITTER_LOW + gameRandom() % ZONE_JITTER_SPAN;
        int y = 4 * row + ZONE_JITTER_LOW + gameRandom() % ZONE_JITTER_SPAN;
        dab(z.t, x, y, z.c, ZONE_FILL_WEIGHT);
    }
}

} // namespace

void paintedLine(Track* t, int x0, int y0, int x1, int y1, Color c) {
    if (!t->terrain) return;
    int64_t dx = (int64_t)x1 - x0, dy = (int64_t)y1 - y0;
    int stepX = dx >= 0 ? 1 : -1, stepY = dy >= 0 ? 1 : -1;
    dx = std::llabs(dx);
    dy = std::llabs(dy);
    bool steep = dy > dx;
    int64_t major = steep ? dy : dx, minor = steep ? dx : dy;
    int64_t err = minor + ((-major - 1 - (x1 < x0 ? 1 : 0)) >> 1);
    int x = x0, y = y0;
    for (int64_t i = 0; i <= major; i++) {
        for (const Scatter& s : DAB_SCATTER) {
            int ox = randomIn(s);
            int oy = randomIn(s);
            dab(t, x + ox, y + oy, c, PAINTED_LINE_WEIGHT);
        }
        if (err < 0) {
            if (steep) y += stepY;
            else x += stepX;
            err += minor;
        } else {
            x += stepX;
            y += stepY;
            err += minor - major;
        }
    }
}

void zoneFill(Track* t, const Polygon* p, Color c) {
    if (!t->terrain) return;
    ScanBox box = {-ZONE_SCAN_MARGIN, -ZONE_SCAN_MARGIN, HEIGHT_MODEL_SIZE - 1 + ZONE_SCAN_MARGIN,
                   HEIGHT_MODEL_SIZE - 1 + ZONE_SCAN_MARGIN};
    ZoneContext z = {t, c};
    scanPolygon(p, box, zoneRun, &z);
}

void paintSpeck(Surface* s, int px, int py, Color c, int weight) {
    static const int OFFSETS[6][2] = {{0, 0}, {1, 0}, {1, 1}, {2, 0}, {0, 1}, {1, 2}};
    for (const auto& o : OFFSETS) blendPixel(s, px + o[0], py + o[1], c, weight);
}

Surface* makeKeepoutMask(const LevelLayout* layout, bool turned) {
    Surface* mask = createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
    if (layout->masked) fillSurface(mask, KEEPOUT_RED);
    std::vector<Point> corners;
    for (int k = 0; k < layout->keepoutCount; k++) {
        const Polygon* p = layout->keepouts[k];
        if (!p) continue;
        if (!turned) {
            fillRoundedPolygon(mask, p, 0, 0, KEEPOUT_RED, PAINT_TOGGLE);
            continue;
        }
        corners.assign(p->vertices, p->vertices + p->count);
        for (Point& v : corners) v = {HEIGHT_MODEL_SIZE - 1 - v.x, HEIGHT_MODEL_SIZE - 1 - v.y};
        Polygon view = {p->colour, p->count, corners.data()};
        fillRoundedPolygon(mask, &view, 0, 0, KEEPOUT_RED, PAINT_TOGGLE);
    }
    return mask;
}
