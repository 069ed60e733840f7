// The minimap of the track build.
#include "world/minimap.h"
#include "gfx/draw.h"
#include "player/scores.h"
#include "shell/random.h"
#include "world/description.h"

#include <algorithm>
#include <cstdlib>

int minimapSize = 64;
Surface* minimap = nullptr;

namespace {

const int DEFAULT_SIZE = 64;
const int FRAME = 2; // pixels of frame on every side
const Color FRAME_COLOUR = packColor(1, 1, 1);
const Color EDGE_COLOUR = packColor(15, 15, 15);
const Color YELLOW = packColor(31, 31, 0);
const int GROUND_GREY = 5; // 5 or 6 at random

int validSize(int n) { return n >= 1 && n <= 512 && 512 % n == 0 ? n : DEFAULT_SIZE; }

void drawFrame(Surface* m, int n) {
    for (int v = 0; v < m->height; v++)
        for (int u = 0; u < m->width; u++)
            if (u < FRAME || v < FRAME || u > n + 1 || v > n + 1) putPixel(m, u, v, FRAME_COLOUR);
}

void drawGround(Surface* m, const Surface* mask, int n) {
    int step = 512 / n;
    for (int y = 0; y < 512; y += step)
        for (int x = 0; x < 512; x += step) {
            if (getPixel(mask, x, y)) continue;
            int g = GROUND_GREY + (gameRandom() & 1);
            putPixel(m, x / step + FRAME, y / step + FRAME, packColor(g, g, g));
        }
    // The map's outermost ring stays clear so the ground always gets an edge.
    for (int i = FRAME; i <= n + 1; i++) {
        putPixel(m, i, FRAME, 0);
        putPixel(m, i, n + 1, 0);
        putPixel(m, FRAME, i, 0);
        putPixel(m, n + 1, i, 0);
    }
}

void outlineGround(Surface* m, int n) {
    // Setting an edge pixel keeps it non-zero, so one pass in place is exact.
    for (int v = 3; v <= n; v++)
        for (int u = 3; u <= n; u++) {
            if (!getPixel(m, u, v)) continue;
            if (!getPixel(m, u - 1, v) || !getPixel(m, u + 1, v) || !getPixel(m, u, v - 1) || !getPixel(m, u, v + 1))
                putPixel(m, u, v, EDGE_COLOUR);
        }
}

void drawStartLine(Surface* m, const Polygon* first, int step) {
    if (!first || first->count < 2) return;
    const Point& a = first->vertices[0];
    const Point& b = first->vertices[1];
    drawLine(m, a.x / step + FRAME, a.y / step + FRAME, b.x / step + FRAME, b.y / step + FRAME, YELLOW);
}

// A yellow glow fading outward from the zone's centre, over the map only.
void drawZoneGlow(Surface* m, const Polygon* zone, int n, int step) {
    if (!zone || zone->count <= 0) return;
    int64_t sumX = 0, sumY = 0;
    for (int i = 0; i < zone->count; i++) {
        sumX += zone->vertices[i].x / step;
        sumY += zone->vertices[i].y / step;
    }
    int cx = (int)(sumX / zone->count), cy = (int)(sumY / zone->count);
    int r = n >> 4;
    for (int j = 1 - r; j <= r - 1; j++)
        for (int i = 1 - r; i <= r - 1; i++) {
            int x = cx + i + FRAME, y = cy + j + FRAME;
            int w = (((std::abs(i) + std::abs(j)) * 255) >> 1) / r + (n >> 1);
            // Beyond 255 (the outer corners on a 128-pixel map) the blend
            // would push channels out of range; the old pixel stays.
            if (w <= 0 || w > 255 || !getPixel(m, x, y)) continue;
            blendPixel(m, x, y, YELLOW, w);
        }
}

// Without bounds every cell is ground and the map would show no course:
// the computer's lines stand in for it, lane beside lane.
void drawCourseLines(Surface* m, const LevelLayout* layout, int step) {
    if (layout->keepoutCount > 0) return;
    for (int k = 0; k < layout->racePathCount; k++) {
        const Polygon* p = layout->racePaths[k];
        if (!p || p->count < 2) continue;
        for (int i = 0; i < p->count; i++) {
            const Point& a = p->vertices[i];
            const Point& b = p->vertices[(i + 1) % p->count];
            drawLine(m, a.x / step + FRAME, a.y / step + FRAME, b.x / step + FRAME, b.y / step + FRAME, EDGE_COLOUR);
        }
    }
}

} // namespace

void destroyMinimap() { destroySurface(&minimap); }

void buildMinimap(const Surface* mask, const LevelLayout* layout, int gameType) {
    int n = validSize(minimapSize);
    int step = 512 / n;
    destroyMinimap();
    minimap = createSurface(n + 2 * FRAME, n + 2 * FRAME);
    drawFrame(minimap, n);
    drawGround(minimap, mask, n);
    outlineGround(minimap, n);
    drawCourseLines(minimap, layout, step);
    if (gameType == GAME_RACE && layout->checkpointCount > 0) drawStartLine(minimap, layout->checkpoints[0], step);
    if (gameType == GAME_STUNT) {
        int zones = levelDescription.laps > 1 ? std::min(1, (int)layout->checkpointCount) : layout->checkpointCount;
        for (int k = 0; k < zones; k++) drawZoneGlow(minimap, layout->checkpoints[k], n, step);
    }
}
