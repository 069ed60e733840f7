// Orientation, the fixed-point rotation and the splat into the sprite.
#include "gfx/blit.h"
#include "gfx/trig.h"
#include "world/voxel.h"

#include <algorithm>
#include <climits>

// Weights of the old pixel when a point is splatted: its own pixel takes
// most of the colour, the half-pixel neighbours are softened.
static const int CENTRE_WEIGHT = 180;
static const int NEIGHBOUR_WEIGHT = 100;
static const int ANGLE_STEP_MASK = 504; // rounds 0..359 down to 8-degree steps

static int wrapDegrees(int angle) {
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

// Products and sums wrap at 32 bits, then shift arithmetically.
static int32_t mulShift(int64_t a, int64_t b, int64_t c, int64_t d) {
    return (int32_t)(uint32_t)(uint64_t)(a * b + c * d) >> 16;
}

static void rotatePoint(VoxelPoint& p, const VoxelTrig& t) {
    // Roll turns the (x, y) plane about the long axis.
    int32_t x1 = mulShift(p.x0, t.cosRoll, -t.sinRoll, p.y0);
    int32_t y1 = mulShift(t.cosRoll, p.y0, p.x0, t.sinRoll);
    // Pitch turns the (y, z) plane.
    int32_t z2 = mulShift(t.cosPitch, p.z0, t.sinPitch, y1);
    int32_t y2 = mulShift(y1, t.cosPitch, -t.sinPitch, p.z0);
    // Yaw turns the (x, z) plane.
    int32_t x = mulShift(x1, t.cosYaw, z2, t.sinYaw);
    int32_t z3 = mulShift(z2, t.cosYaw, -x1, t.sinYaw);
    // The fixed view tilt.
    int32_t y = mulShift(t.cosTilt, y2, -t.sinTilt, z3);
    int32_t z = mulShift(t.cosTilt, z3, t.sinTilt, y2);
    p.x = (int16_t)x;
    p.y = (int16_t)y;
    p.z = (int16_t)z;
    p.scratch[0] = x1;
    p.scratch[1] = y2;
    p.scratch[2] = z3;
}

static void fillTrig(VoxelTrig& t, int pitch, int yaw, int roll) {
    t.sinPitch = sineTable[pitch];
    t.cosPitch = cosineTable[pitch];
    t.sinYaw = sineTable[yaw];
    t.cosYaw = cosineTable[yaw];
    t.sinRoll = sineTable[roll];
    t.cosRoll = cosineTable[roll];
    t.sinTilt = sineTable[VOXEL_VIEW_TILT];
    t.cosTilt = cosineTable[VOXEL_VIEW_TILT];
}

// Angles already in 0..359.
static void applyOrientation(VoxelModel* m, int pitch, int yaw, int roll) {
    if (pitch == m->pitch && yaw == m->yaw && roll == m->roll) return;
    m->pitch = pitch;
    m->yaw = yaw;
    m->roll = roll;
    fillTrig(m->trig, pitch, yaw, roll);
    for (VoxelPoint& p : m->points) rotatePoint(p, m->trig);
    m->footprintValid = 0;
}

void orientVoxelModel(VoxelModel* m, int pitch, int yaw, int roll) {
    applyOrientation(m, wrapDegrees(pitch) & ANGLE_STEP_MASK, wrapDegrees(yaw) & ANGLE_STEP_MASK,
                     wrapDegrees(roll) & ANGLE_STEP_MASK);
}

void orientVoxelModelExact(VoxelModel* m, int pitch, int yaw, int roll) {
    applyOrientation(m, wrapDegrees(pitch), wrapDegrees(yaw), wrapDegrees(roll));
}

static void blendAt(Surface* s, int x, int y, Color c, int oldWeight) {
    if (insideSurface(s, x, y)) *pixelAddress(s, x, y) = blendColors(*pixelAddress(s, x, y), c, oldWeight);
}

// A point covers two pixels side by side, each softened into its
// half-pixel neighbours; the depth sprite keeps the nearest point.
static void splatPoint(VoxelModel* m, const VoxelPoint& p) {
    int row = m->halfHeight + (p.y >> 2);
    int column = m->halfWidth + (p.x >> 2);
    int depth = m->halfWidth + (p.z >> 2);
    int right = m->halfWidth + (((p.x >> 1) + 1) >> 1);
    int left = m->halfWidth + (((p.x >> 1) - 1) >> 1);
    for (int k = 0; k < 2; k++) {
        if ((int16_t)getPixel(m->depthSprite, column + k, row) >= depth) continue;
        blendAt(m->sprite, column + k, row, p.colour, CENTRE_WEIGHT);
        blendAt(m->sprite, right + k, row, p.colour, NEIGHBOUR_WEIGHT);
        blendAt(m->sprite, left + k, row, p.colour, NEIGHBOUR_WEIGHT);
        putPixel(m->depthSprite, column + k, row, (Color)depth);
    }
}

void renderVoxelModel(VoxelModel* m) {
    if (m->pitch == m->renderedPitch && m->yaw == m->renderedYaw && m->roll == m->renderedRoll) return;
    fillSurface(m->sprite, 0);
    fillSurface(m->depthSprite, 0);
    // The first point of the list is never drawn.
    for (int i = m->count - 1; i >= 1; i--) splatPoint(m, m->points[i]);
    m->renderedPitch = m->pitch;
    m->renderedYaw = m->yaw;
    m->renderedRoll = m->roll;
    m->outlineValid = 0;
}

void makeVoxelOutline(VoxelModel* m) {
    if (m->outlineValid) return;
    const Surface* s = m->sprite;
    Surface* o = m->outlineSprite;
    fillSurface(o, 0);
    for (int y = 0; y < s->height; y++) {
        int first = 0, last = s->width - 1;
        while (first < s->width && !getPixel(s, first, y)) first++;
        if (first == s->width) continue;
        while (!getPixel(s, last, y)) last--;
        putPixel(o, first, y, VOXEL_OUTLINE_VALUE);
        putPixel(o, last, y, VOXEL_OUTLINE_VALUE);
    }
    for (int x = 0; x < s->width; x++) {
        int first = 0, last = s->height - 1;
        while (first < s->height && !getPixel(s, x, first)) first++;
        if (first == s->height) continue;
        while (!getPixel(s, x, last)) last--;
        putPixel(o, x, first, VOXEL_OUTLINE_VALUE);
        putPixel(o, x, last, VOXEL_OUTLINE_VALUE);
    }
    m->outlineValid = 1;
}

// A model spread wider than this many spots (a damaged one) is not worth
// merging: each of its points keeps a spot of its own.
static const int64_t FOOTPRINT_GRID_LIMIT = 1 << 16;

static VoxelShadowSpot shadowSpotOf(const VoxelPoint& p) {
    return {((p.z >> 1) - p.y - p.x) >> 1, p.z >> 1};
}

// Numbers the spots in order of `along`, then `back` (a shadow pass steps
// along the ground rows), merging points that share a spot.
static void numberSpots(VoxelModel* m) {
    std::vector<VoxelShadowSpot>& spots = m->shadowSpots;
    std::vector<int32_t>& spotOf = m->spotOfPoint;
    int32_t lowBack = INT_MAX, highBack = INT_MIN, lowAlong = INT_MAX, highAlong = INT_MIN;
    for (const VoxelPoint& p : m->points) {
        VoxelShadowSpot s = shadowSpotOf(p);
        lowBack = std::min(lowBack, s.back);
        highBack = std::max(highBack, s.back);
        lowAlong = std::min(lowAlong, s.along);
        highAlong = std::max(highAlong, s.along);
    }
    int64_t columns = (int64_t)highBack - lowBack + 1, rows = (int64_t)highAlong - lowAlong + 1;
    if (m->points.empty() || columns * rows > FOOTPRINT_GRID_LIMIT) {
        for (size_t i = 0; i < m->points.size(); i++) {
            spotOf[i] = (int32_t)i;
            spots.push_back(shadowSpotOf(m->points[i]));
        }
        return;
    }
    // Mark the spots taken in their spread, number them, then look up each
    // point's.
    std::vector<int32_t> index(columns * rows, -1);
    auto place = [&](const VoxelShadowSpot& s) -> int32_t& {
        return index[(s.along - lowAlong) * columns + (s.back - lowBack)];
    };
    for (const VoxelPoint& p : m->points) place(shadowSpotOf(p)) = 0;
    for (int64_t c = 0; c < columns * rows; c++)
        if (index[c] == 0) {
            index[c] = (int32_t)spots.size();
            spots.push_back({(int32_t)(lowBack + c % columns), (int32_t)(lowAlong + c / columns)});
        }
    for (size_t i = 0; i < m->points.size(); i++) spotOf[i] = place(shadowSpotOf(m->points[i]));
}

void makeVoxelFootprint(VoxelModel* m) {
    if (m->footprintValid && m->spotOfPoint.size() == m->points.size()) return;
    m->shadowSpots.clear();
    m->spotOfPoint.resize(m->points.size());
    numberSpots(m);
    m->footprintValid = 1;
}

void drawVoxelModel(VoxelModel* m, Surface* target, int x, int y) {
    renderVoxelModel(m);
    const Surface* s = m->sprite;
    drawSprite(target, x - m->halfWidth, y - m->halfHeight, s->width, s->height, s, 0, 0, BLIT_TRANSPARENT);
}
