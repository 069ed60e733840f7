// Set camera, the scene draw and the model passes.
#include "world/scene.h"
#include "gfx/blit.h"
#include "gfx/trig.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

const int PICTURE_WRAP = 2047; // body-pass columns are taken modulo 2048
// Riders this far past the target's right edge are still oriented and
// drawn (their shadows reach back into view).
const int RIGHT_REACH = 50;

// Shadows: points thrown along -x by their height above the ground; none
// on ground this much above the model.
const int SHADOW_THROW = 21;
const int SHADOW_CEILING = 15;
const int SHADOW_DARKEN = 4;
const int SHADOW_EDGE_DARKEN = 2;
const int STAMP_SHADOW_DARKEN = 1;
const int HIDDEN_DARKEN = 4;

// A rider's model sits this far above its position; lower when crashed.
const int SHADOW_LIFT = 11, CRASHED_SHADOW_LIFT = 8;
const int BODY_LIFT = 12, CRASHED_BODY_LIFT = 9;
const Color RESPAWN_FLASH = 0xFFFF;

// Where a model pass draws: the sprite's top-left corner on the target and
// in the picture, and the anchor's depth.
struct PassFrame {
    int sx, sy, px, py, d;
};

// The common start of every pass: render if the orientation changed, then
// project the anchor. False when the model is off the target sideways.
// Stamps draw onto the picture itself, whose columns are its own.
bool startPass(Track* t, VoxelModel* m, const Surface* target, bool onPicture, int x, int y, int altitude,
               PassFrame* f) {
    renderVoxelModel(m);
    Projection p = projectPoint(t, x, y, altitude, target->height);
    if (onPicture) {
        p.screenX = p.pictureX;
        p.screenY = p.pictureY;
    }
    if (p.screenX <= -m->halfWidth || p.screenX >= m->halfWidth + target->width) return false;
    *f = {p.screenX - m->halfWidth, p.screenY - m->halfHeight, p.pictureX - m->halfWidth,
          p.pictureY - m->halfHeight, p.depth};
    return true;
}

// Darkening in place, inlined for the per-point and per-pixel loops.
inline Color darker(Color c, int n) {
    int r = (c >> 11) - n, g = ((c >> 6) & 31) - n, b = (c & 31) - n;
    return packColor(r > 0 ? r : 0, g > 0 ? g : 0, b > 0 ? b : 0);
}

inline void darkenAt(Surface* s, int x, int y, int n) {
    if (insideSurface(s, x, y)) {
        uint16_t* p = pixelAddress(s, x, y);
        *p = darker(*p, n);
    }
}

// Positions this far out cannot throw a shadow onto the picture; within
// it the projection below cannot overflow 32 bits.
const int SHADOW_REACH = 1 << 22;

// A surface unpacked into locals for a loop over thousands of points.
struct Pixels {
    uint16_t* origin;
    int xStep, yStep;
    unsigned width, height;
    explicit Pixels(const Surface* s)
        : origin(s->origin), xStep(s->xStep), yStep(s->yStep), width((unsigned)s->width),
          height((unsigned)s->height) {}
    uint16_t* at(int x, int y) const {
        return (unsigned)x < width && (unsigned)y < height ? origin + x * xStep + y * yStep : nullptr;
    }
    int read(int x, int y) const {
        const uint16_t* p = at(x, y);
        return p ? *p : 0;
    }
    // The same without a branch: always loads, from (0, 0) when outside.
    int readAnywhere(int x, int y) const {
        bool inside = ((unsigned)x < width) & ((unsigned)y < height);
        int value = origin[inside ? x * xStep + y * yStep : 0];
        return inside ? value : 0;
    }
};

inline void darkenAt(const Pixels& s, int x, int y, int n) {
    if (uint16_t* p = s.at(x, y)) *p = darker(*p, n);
}

// Where the shadow of one footprint spot lands on the surface drawn on (the
// target, or the picture for a stamp); not at all when the ground there is
// too high or hidden, or it is off that surface.
struct ShadowHit {
    int x, y;
    bool shows;
};

// The box around one pass's hits.
struct ShadowBox {
    int left, top, right, low;
};

// Per pixel of the box: SHADOW_SET once a point set it to the shaded
// ground, plus the edge darkenings since (for a stamp, all of its
// darkenings). Only the last set and what follows it show.
const uint32_t SHADOW_SET = 1u << 31;

// One pass's working lists, kept to spare the allocations: the hit of each
// spot, its cell in the box, and the marks of the box.
std::vector<ShadowHit> shadowHits;
std::vector<int32_t> shadowCells;
std::vector<uint32_t> shadowMarks;

// Each spot of the model's footprint is projected once, with the projection
// in 32 bits and the track's pictures unpacked once per pass.
ShadowBox projectSpots(const Track* t, const VoxelModel* m, const Surface* drawn, int shiftX, int shiftY, int x,
                       int y, int altitude) {
    const Pixels heights(t->heightModel), depths(t->surfaceModel);
    const int bottom = t->terrain->height;
    const int base = altitude - heightAt(t, x, y) + SHADOW_THROW;
    const int ceiling = altitude + SHADOW_CEILING;
    const int width = drawn->width, height = drawn->height;
    ShadowBox box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    shadowHits.resize(m->shadowSpots.size());
    int along = INT_MIN, row = 0, rowTop = 0, rowDepth = 0;
    for (size_t i = 0; i < m->shadowSpots.size(); i++) {
        const VoxelShadowSpot& s = m->shadowSpots[i];
        if (s.along != along) { // spots come by ground row
            along = s.along;
            int wy = y + along;
            row = 511 - ((wy >> 2) & 511);
            rowTop = bottom + ((wy - (WORLD_SIZE - 1)) * 8) / 42;
            rowDepth = (WORLD_SIZE - 1 - wy) >> 2;
        }
        int wx = (int16_t)(x - (base + s.back));
        int h = heights.read(HEIGHT_MODEL_SIZE - ((wx >> 2) & 511), row) & CELL_HEIGHT_MASK;
        int px = ((wx * 1161) >> 11) - 3;
        int py = rowTop - ((h * 34) >> 5);
        int d = (rowDepth - h / 7) * 228 / 512 + 21;
        int qx = px - shiftX, qy = py + shiftY;
        // A spot touches its own pixel and the ones right and below right.
        // No branches: whether a spot shows follows the ground, not a pattern.
        bool lands = (qx >= -1) & (qy >= -1) & (qx < width) & (qy < height) & (h < ceiling);
        bool shows = lands & (d - 3 < depths.readAnywhere(px >> 1, py >> 1));
        shadowHits[i] = {qx, qy, shows};
        box.left = shows ? std::min(box.left, qx) : box.left;
        box.top = shows ? std::min(box.top, qy) : box.top;
        box.right = shows ? std::max(box.right, qx) : box.right;
        box.low = shows ? std::max(box.low, qy) : box.low;
    }
    return box;
}

// The points in list order mark the pixels of their spots' hits in the
// box; then each marked pixel is drawn once.
void shadeByMarks(const Track* t, const VoxelModel* m, Surface* drawn, bool stamp, int shiftX, int shiftY,
                  const ShadowBox& box) {
    if (box.left > box.right) return;
    const int columns = box.right - box.left + 2, rows = box.low - box.top + 2;
    shadowCells.resize(shadowHits.size());
    for (size_t i = 0; i < shadowHits.size(); i++) {
        const ShadowHit& hit = shadowHits[i];
        shadowCells[i] = hit.shows ? (hit.y - box.top) * columns + (hit.x - box.left) : columns * rows;
    }
    // Points that show nowhere mark a spare cell past the box.
    shadowMarks.assign((size_t)columns * (rows + 1) + 2, 0);
    uint32_t* marks = shadowMarks.data();
    const int32_t* cells = shadowCells.data();
    if (stamp) {
        for (int32_t spot : m->spotOfPoint) marks[cells[spot]]++;
    } else {
        for (int32_t spot : m->spotOfPoint) {
            int32_t cell = cells[spot];
            marks[cell] = SHADOW_SET;
            marks[cell + 1]++;
            marks[cell + 1 + columns]++;
        }
    }
    const Pixels terrain(t->terrain);
    // The box reaches one pixel past the surface on each side.
    for (int k = std::max(0, -box.top); k < std::min(rows, drawn->height - box.top); k++)
        for (int i = std::max(0, -box.left); i < std::min(columns, drawn->width - box.left); i++) {
            uint32_t mark = marks[k * columns + i];
            if (!mark) continue;
            int x = box.left + i, y = box.top + k;
            uint16_t* q = pixelAddress(drawn, x, y);
            int times = (int)std::min<uint32_t>(mark & ~SHADOW_SET, 31); // 31 darkenings make any channel 0
            if (stamp) {
                *q = darker(*q, times * STAMP_SHADOW_DARKEN);
                continue;
            }
            Color under = mark & SHADOW_SET ? darker((Color)terrain.read(x + shiftX, y - shiftY), SHADOW_DARKEN) : *q;
            *q = darker(under, times * SHADOW_EDGE_DARKEN);
        }
}

// A shadow drawn onto the very picture it takes its ground from: the points
// one after the other, as each may read what an earlier one wrote.
void shadeInOrder(const Track* t, const VoxelModel* m, Surface* drawn, int shiftX, int shiftY) {
    const Pixels terrain(t->terrain), surface(drawn);
    for (int32_t spot : m->spotOfPoint) {
        const ShadowHit& hit = shadowHits[spot];
        if (!hit.shows) continue;
        if (uint16_t* q = surface.at(hit.x, hit.y))
            *q = darker((Color)terrain.read(hit.x + shiftX, hit.y - shiftY), SHADOW_DARKEN);
        darkenAt(surface, hit.x + 1, hit.y, SHADOW_EDGE_DARKEN);
        darkenAt(surface, hit.x + 1, hit.y + 1, SHADOW_EDGE_DARKEN);
    }
}

// Later points darken again what earlier ones drew, so the order of the
// points counts, not only the spots they fall on.
void shadowPoints(Track* t, VoxelModel* m, Surface* target, bool stamp, int x, int y, int altitude) {
    if (y < -SHADOW_REACH || y > SHADOW_REACH || altitude < -SHADOW_REACH || altitude > SHADOW_REACH) return;
    if (!t->heightModel || !t->surfaceModel) return; // no ground to fall on, or none visible
    makeVoxelFootprint(m);
    // Picture point (px, py) is drawn at (px - shiftX, py + shiftY).
    int shiftX = stamp ? 0 : t->scrollX;
    int shiftY = stamp ? 0 : t->scrollY + target->height - t->terrain->height;
    ShadowBox box = projectSpots(t, m, target, shiftX, shiftY, x, y, altitude);
    if (!stamp && target == t->terrain) shadeInOrder(t, m, target, shiftX, shiftY);
    else shadeByMarks(t, m, target, stamp, shiftX, shiftY, box);
}

void shadowPass(Track* t, VoxelModel* m, Surface* target, bool stamp, int x, int y, int altitude) {
    PassFrame f;
    if (!t->terrain || !startPass(t, m, target, stamp, x, y, altitude, &f)) return;
    shadowPoints(t, m, target, stamp, x, y, altitude);
}

// Terrain nearer than the anchor hides a pixel (darkened); a model hidden
// enough gets its outline brightened through the terrain.
void bodyPass(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude, bool flashing, Color flash,
              int weight) {
    PassFrame f;
    if (!startPass(t, m, target, false, x, y, altitude, &f)) return;
    const Surface* sprite = m->sprite;
    int hidden = 0;
    for (int k = 0; k < sprite->height; k++)
        for (int i = 0; i < sprite->width; i++) {
            Color c = *pixelAddress(sprite, i, k);
            if (!c) continue;
            if (depthAt(t, (f.px + i) & PICTURE_WRAP, f.py + k) < f.d) {
                darkenAt(target, f.sx + i, f.sy + k, HIDDEN_DARKEN);
                hidden++;
            } else {
                putPixel(target, f.sx + i, f.sy + k, flashing ? blendColors(c, flash, weight) : c);
            }
        }
    if (hidden < OUTLINE_HIDDEN_PIXELS) return;
    makeVoxelOutline(m);
    const Surface* outline = m->outlineSprite;
    for (int k = 0; k < outline->height; k++)
        for (int i = 0; i < outline->width; i++) {
            Color o = *pixelAddress(outline, i, k);
            if (o && depthAt(t, (f.px + i) & PICTURE_WRAP, f.py + k) < f.d) brightenPixel(target, f.sx + i, f.sy + k, o);
        }
}

void stampBody(Track* t, VoxelModel* m, int x, int y, int altitude) {
    PassFrame f;
    if (!t->surfaceModel || !startPass(t, m, t->terrain, true, x, y, altitude, &f)) return;
    // A model nearer than anything stored leaves depth 0 behind.
    Color stored = (Color)std::clamp(f.d, 0, 0xFFFF);
    const Surface* sprite = m->sprite;
    for (int k = 0; k < sprite->height; k++)
        for (int i = 0; i < sprite->width; i++) {
            Color c = *pixelAddress(sprite, i, k);
            int column = f.px + i, row = f.py + k;
            if (!c || depthAt(t, column, row) < f.d) continue;
            putPixel(t->terrain, column, row, c);
            putPixel(t->surfaceModel, column >> 1, row >> 1, stored);
        }
}

// A leaning bike sits up to 5 units lower.
int leanDrop(int lean) {
    int64_t l = lean, a = std::llabs(l);
    int64_t folded = a > 90 ? 180 - a : l;
    if (l == 0 || folded == 0 || std::llabs(folded) > 90) return 0;
    return (sineTable[std::llabs(folded)] * 6) >> 16;
}

bool riderInView(const Track* t, const SceneRider* r, const Surface* target) {
    if (!r || !r->model) return false;
    int column = pictureColumn(r->x >> 10) - t->scrollX;
    return -VOXEL_HALF_SIZE < column && column < VOXEL_HALF_SIZE + target->width + RIGHT_REACH;
}

void orientRider(const SceneRider* r) {
    int pitch = r->pitch > 0 ? 360 - r->pitch : -r->pitch;
    int yaw = r->crashed ? r->spin : 540 - (r->heading >> 10);
    orientVoxelModel(r->model, pitch, yaw, r->lean + 180);
}

int respawnWeight(int timer) { return std::clamp(255 - 2 * std::clamp(timer, -1, 255), 0, 255); }

} // namespace

void setCamera(Track* t, const Surface* target, int x, int y, int h) {
    int pictureWidth = t->terrain ? t->terrain->width : 0, pictureHeight = t->terrain ? t->terrain->height : 0;
    int64_t scrollX = pictureColumn(x) - target->halfWidth;
    int64_t scrollY = (((int64_t)WORLD_SIZE - 1 - y) * 8) / 42 + (((int64_t)h * 34) >> 5) +
                      (target->halfHeight >> 2) - target->halfHeight;
    // Low bound first: a picture smaller than the target ends negative.
    scrollY = std::min<int64_t>(std::max<int64_t>(scrollY, 0), pictureHeight - target->height);
    scrollX = std::min<int64_t>(std::max<int64_t>(scrollX, 0), pictureWidth - target->width);
    t->scrollX = (int32_t)scrollX;
    t->scrollY = (int32_t)scrollY;
}

void drawScene(Track* t, Surface* target, SceneRider* const* riders, int count) {
    if (!riders) count = 0;
    if (t->terrain) {
        const Surface* p = t->terrain;
        drawSprite(target, -t->scrollX, t->scrollY + target->height - p->height, p->width, p->height, p, 0, 0,
                   BLIT_COPY);
    }
    for (int i = 0; i < count; i++) {
        const SceneRider* r = riders[i];
        if (!riderInView(t, r, target)) continue;
        orientRider(r);
        int lift = r->crashed == 1 ? CRASHED_SHADOW_LIFT : SHADOW_LIFT;
        drawModelShadow(t, r->model, target, r->x >> 10, r->y >> 10, (r->z >> 10) - leanDrop(r->lean) + lift);
    }
    for (int i = 0; i < count; i++) {
        const SceneRider* r = riders[i];
        if (!riderInView(t, r, target)) continue;
        orientRider(r); // the same orientation again, unless two riders share a model
        int altitude = (r->z >> 10) - leanDrop(r->lean) + (r->crashed == 1 ? CRASHED_BODY_LIFT : BODY_LIFT);
        if (r->respawnTimer)
            drawModelBodyFlashing(t, r->model, target, r->x >> 10, r->y >> 10, altitude, RESPAWN_FLASH,
                                  respawnWeight(r->respawnTimer));
        else
            drawModelBody(t, r->model, target, r->x >> 10, r->y >> 10, altitude);
    }
}

void drawRiderBlended(Track* t, Surface* target, const SceneRider* r, int weight) {
    if (target == t->terrain || !riderInView(t, r, target)) return;
    orientRider(r);
    int altitude = (r->z >> 10) - leanDrop(r->lean) + (r->crashed == 1 ? CRASHED_BODY_LIFT : BODY_LIFT);
    PassFrame f;
    if (!startPass(t, r->model, target, false, r->x >> 10, r->y >> 10, altitude, &f)) return;
    const Surface* sprite = r->model->sprite;
    weight = std::clamp(weight, 0, 255);
    for (int k = 0; k < sprite->height; k++)
        for (int i = 0; i < sprite->width; i++) {
            Color c = *pixelAddress(sprite, i, k);
            if (!c || depthAt(t, (f.px + i) & PICTURE_WRAP, f.py + k) < f.d) continue;
            int x = f.sx + i, y = f.sy + k;
            putPixel(target, x, y, blendColors(c, getPixel(target, x, y), weight));
        }
}

void stampModel(Track* t, VoxelModel* m, int x, int y, int altitude) {
    if (!t->terrain || !m) return;
    shadowPass(t, m, t->terrain, true, x, y, altitude);
    stampBody(t, m, x, y, altitude);
}

void drawModelShadow(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude) {
    if (m) shadowPass(t, m, target, false, x, y, altitude);
}

void drawModelBody(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude) {
    if (!m) return;
    if (target == t->terrain) stampModel(t, m, x, y, altitude);
    else bodyPass(t, m, target, x, y, altitude, false, 0, 0);
}

void drawModelWithShadow(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude) {
    if (!m) return;
    if (target == t->terrain) {
        stampModel(t, m, x, y, altitude);
        return;
    }
    shadowPass(t, m, target, false, x, y, altitude);
    bodyPass(t, m, target, x, y, altitude, false, 0, 0);
}

void drawModelBodyFlashing(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude, Color colour,
                           int weight) {
    if (!m) return;
    if (target == t->terrain) stampModel(t, m, x, y, altitude);
    else bodyPass(t, m, target, x, y, altitude, true, colour, std::clamp(weight, 0, 255));
}
