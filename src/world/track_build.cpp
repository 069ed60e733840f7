// The track build: paints the level's layout into the terrain picture and
// the height model, stamps the flags and posts and makes the minimap.
#include "player/scores.h"
#include "shell/random.h"
#include "world/description.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/polyfill.h"
#include "world/scene.h"
#include "world/track.h"
#include "world/track_paint.h"
#include "world/voxel.h"

#include <algorithm>
#include <vector>

namespace {

const Color CHALK_WHITE = 0xFFFF;
const Color ZONE_YELLOW = packColor(31, 31, 0);
const Color TINT_RED = packColor(31, 0, 0);

// The hatch and speck scan: every third world column, every second row,
// a speck on one row in four; the hatch every third picture row.
const int TINT_COLUMN_STEP = 3;
const int TINT_ROW_STEP = 2;
const int HATCH_ROW_STEP = 3;
const int FAR_EDGE_SAMPLES = 64;
const int FAR_EDGE_SAMPLE_STEP = 32;

const int FLAG_PITCH = 180, FLAG_YAW = 270, FLAG_ROLL = 0;
const int FLAG_LIFT = 8; // flags stand this far above the ground
const int ZONE_ICON = 0;

Point worldPoint(Point layoutPoint) { return {layoutPoint.x * 4, layoutPoint.y * 4}; }

// The corner of vertex k: its t = 0 point and the five curve samples.
void cornerWalk(const Polygon* p, int k, bool backwards, Point out[CORNER_SAMPLES + 1]) {
    Point v0, v1, v2;
    polygonCorner(p, k, &v0, &v1, &v2);
    if (backwards) std::swap(v0, v2);
    out[0] = cornerPoint(v0, v1, v2, 0.0);
    cornerSamples(v0, v1, v2, out + 1);
}

// The rounded outline in world units, walked as the plain rounded outline.
void paintKeepoutOutline(Track* t, const Polygon* p) {
    if (!p || p->count < 2) return;
    std::vector<Point> world(p->vertices, p->vertices + p->count);
    for (Point& v : world) v = worldPoint(v);
    Polygon scaled = {p->colour, p->count, world.data()};
    for (int k = 1; k <= scaled.count; k++) {
        Point walk[CORNER_SAMPLES + 1];
        cornerWalk(&scaled, k, true, walk);
        for (int i = 0; i < CORNER_SAMPLES; i++)
            paintedLine(t, walk[i].x, walk[i].y, walk[i + 1].x, walk[i + 1].y, CHALK_WHITE);
    }
}

// Returns the row the column's hatch stops above.
int tintColumn(Track* t, const Surface* mask, int x) {
    Surface* terrain = t->terrain;
    int limit = terrain->height;
    for (int y = 0; y < WORLD_SIZE; y += TINT_ROW_STEP) {
        if ((gameRandom() & 3) != 0 || !getPixel(mask, x >> 2, y >> 2)) continue;
        int h = heightAt(t, x, y);
        int px = pictureColumn(x), py = pictureRow(t, y, h);
        if (markVisible(t, px, py, pointDepth(y, h))) paintSpeck(terrain, px, py, TINT_RED, KEEPOUT_SPECK_WEIGHT);
        limit = std::min(limit, py);
    }
    for (int k = 0; k < FAR_EDGE_SAMPLES; k++) {
        int y = FAR_EDGE_SAMPLE_STEP * k;
        limit = std::min(limit, pictureRow(t, y, heightAt(t, x, y)));
    }
    int column = pictureColumn(x);
    for (int r = 0; r < limit; r += HATCH_ROW_STEP)
        paintSpeck(terrain, column, r + (gameRandom() & 1), TINT_RED, HATCH_WEIGHT);
    return limit;
}

// Red specks over keep-out ground and a faint hatch over the picture above
// the world's far edge.
void tintOutOfBounds(Track* t, const Surface* mask) {
    if (!t->terrain) return;
    int limit = 0, x = 0;
    for (; x < WORLD_SIZE; x += TINT_COLUMN_STEP) limit = tintColumn(t, mask, x);
    // The picture runs on a few columns past the world's right edge; the
    // hatch runs on over them as it left the world (without drawing on the
    // random numbers, which the race goes on to use).
    for (int column; (column = pictureColumn(x)) < t->terrain->width; x += TINT_COLUMN_STEP)
        for (int r = 0; r < limit; r += HATCH_ROW_STEP)
            paintSpeck(t->terrain, column, r + (column & 1), TINT_RED, HATCH_WEIGHT);
}

// A stunt zone: its rounded outline chalked twice and its inside filled.
void paintStuntZone(Track* t, const Polygon* p) {
    std::vector<Point> samples;
    samples.reserve((size_t)p->count * (CORNER_SAMPLES + 1));
    for (int k = 1; k <= p->count; k++) {
        Point walk[CORNER_SAMPLES + 1];
        cornerWalk(p, k, false, walk);
        for (int i = 0; i < CORNER_SAMPLES; i++) {
            Point a = worldPoint(walk[i]), b = worldPoint(walk[i + 1]);
            for (int pass = 0; pass < 2; pass++) paintedLine(t, a.x, a.y, b.x, b.y, ZONE_YELLOW);
        }
        samples.insert(samples.end(), walk, walk + CORNER_SAMPLES + 1);
    }
    Polygon zone = {p->colour, (int32_t)samples.size(), samples.data()};
    zoneFill(t, &zone, ZONE_YELLOW);
}

void stampFlag(Track* t, VoxelModel* flag, Point vertex) {
    Point w = worldPoint(vertex);
    stampModel(t, flag, w.x, w.y, heightAt(t, w.x, w.y) + FLAG_LIFT);
}

void decorateCheckpoints(Track* t, const LevelLayout* layout, int gameType) {
    if (layout->checkpointCount <= 0) return;
    VoxelModel* flag = createVoxelModel();
    loadVoxelModel(flag, "flag.vox");
    orientVoxelModel(flag, FLAG_PITCH, FLAG_YAW, FLAG_ROLL);
    if (gameType == GAME_STUNT) {
        int zones = levelDescription.laps > 1 ? 1 : layout->checkpointCount;
        for (int k = 0; k < zones; k++) {
            const Polygon* p = layout->checkpoints[k];
            if (!p || p->count < 2) continue;
            paintStuntZone(t, p);
            if (levelDescription.levelType == 1) markCheckpoint(t, p, ZONE_ICON);
        }
    } else if (gameType == GAME_RACE) {
        const Polygon* first = layout->checkpoints[0];
        if (first && first->count >= 2) {
            Point a = worldPoint(first->vertices[0]), b = worldPoint(first->vertices[1]);
            paintedLine(t, a.x, a.y, b.x, b.y, ZONE_YELLOW);
            stampFlag(t, flag, first->vertices[0]);
            stampFlag(t, flag, first->vertices[1]);
        }
    }
    destroyVoxelModel(&flag);
}

// Checkpoint k is ORed into its cells as k << 8, straight edges, turned.
void writeCheckpointNumbers(Track* t, const LevelLayout* layout) {
    if (!t->heightModel) return;
    std::vector<Point> turned;
    for (int k = 0; k < layout->checkpointCount; k++) {
        const Polygon* p = layout->checkpoints[k];
        if (!p) continue;
        turned.assign(p->vertices, p->vertices + p->count);
        for (Point& v : turned) v = {HEIGHT_MODEL_SIZE - 1 - v.x, HEIGHT_MODEL_SIZE - 1 - v.y};
        Polygon view = {p->colour, p->count, turned.data()};
        orFillPolygon(t->heightModel, &view, 0, 0, (Color)((k + 1) << CELL_CHECKPOINT_SHIFT));
    }
}

void writeKeepoutBits(Track* t, const LevelLayout* layout) {
    if (!t->heightModel || layout->keepoutCount <= 0) return;
    Surface* mask = makeKeepoutMask(layout, true);
    Surface* cells = t->heightModel;
    for (int y = 0; y < cells->height; y++)
        for (int x = 0; x < cells->width; x++)
            if (getPixel(mask, x, y)) *pixelAddress(cells, x, y) |= CELL_KEEPOUT;
    destroySurface(&mask);
}

} // namespace

void buildTrack(Track* t, int level) {
    LevelLayout* layout = createLayout();
    if (!layout) return;
    // A layout that cannot be read holds no polygons; it must not turn the
    // whole terrain into keep-out ground either.
    if (!loadLayout(layout, level)) layout->masked = 0;
    int gameType = levelGameType(level);
    for (int k = 0; k < layout->keepoutCount; k++) paintKeepoutOutline(t, layout->keepouts[k]);
    Surface* mask = makeKeepoutMask(layout, false);
    buildMinimap(mask, layout, gameType);
    tintOutOfBounds(t, mask);
    destroySurface(&mask);
    decorateCheckpoints(t, layout, gameType);
    markHeightModel(t, layout);
    destroyLayout(&layout);
}

void markHeightModel(Track* t, const LevelLayout* layout) {
    writeCheckpointNumbers(t, layout);
    writeKeepoutBits(t, layout);
}
