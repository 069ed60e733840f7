#include "bake/terrain_render.h"
#include "bake/terrain_look.h"
#include "world/track.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const int W = TERRAIN_PICTURE_WIDTH, H = TERRAIN_PICTURE_HEIGHT;
const int JPEG_QUALITY = 92;
const double HAZE = 0.22;          // far ground fades this much toward the horizon
const int SHADOW_REACH = 110;      // cells walked toward the sun
const double SHADOW_SOFTNESS = 5;  // height units over which a shadow's edge fades
const int CAVITY_RADIUS = 5;       // cells; hollows darken against this blur
const double CAVITY_WEIGHT = 0.014;
const double WEAR_SPAN = 12;       // world units over which the worn line fades out
const double STEEP_GRADE = 0.9;    // height units per world unit that count as sheer

// Which world point drew each picture point: the nearest terrain there.
struct Owner {
    int16_t x = -1, y = -1; // world; -1 where nothing was drawn
    int16_t face = 0;       // rows below the point's own row
};

struct RenderState {
    const TerrainPlan* plan;
    const HeightField* field;
    Track track;
    std::vector<uint8_t> depth; // full size
    std::vector<Owner> owner;
    std::vector<float> shadow;  // per cell, 1 lit .. 0 in shadow
    std::vector<float> cavity;  // per cell, ground above (+) or below (-) its surroundings
};

Surface* heightModelOf(const std::vector<uint8_t>& heights) {
    Surface* s = createSurface(FIELD_SIZE, FIELD_SIZE);
    for (int r = 0; r < FIELD_SIZE; r++)
        for (int c = 0; c < FIELD_SIZE; c++) putPixel(s, c, r, heights[(size_t)r * FIELD_SIZE + c]);
    return s;
}

// Near to far along every world column: a point covers the rows from its
// own up to where nearer ground already reaches; where two world columns
// share a picture column the nearer point keeps the pixel.
void drawDepths(RenderState* st) {
    st->depth.assign((size_t)W * H, SKY_DEPTH);
    st->owner.assign((size_t)W * H, Owner());
    for (int x = 0; x < WORLD_SIZE; x++) {
        int px = pictureColumn(x);
        if (px < 0 || px >= W) continue;
        int top = H;
        for (int y = WORLD_SIZE - 1; y >= 0 && top > 0; y--) {
            int h = heightAt(&st->track, x, y);
            int row = pictureRow(&st->track, y, h);
            if (row >= top) continue;
            int d = pointDepth(y, h);
            for (int r = std::max(row, 0); r < top; r++) {
                size_t i = (size_t)r * W + px;
                if (d < st->depth[i]) {
                    st->depth[i] = (uint8_t)d;
                    st->owner[i] = {(int16_t)x, (int16_t)y, (int16_t)(r - row)};
                }
            }
            top = row;
        }
    }
}

// How much of the sun reaches each cell past the ground toward it.
std::vector<float> castShadows(const HeightField& f) {
    double len = std::hypot(SUN_X, SUN_Y);
    double rise = SUN_UP / len / RELIEF_SCALE * CELL; // height units per cell of travel
    struct Step {
        int dc, dr;
        float rise;
    };
    std::vector<Step> steps;
    for (int k = 1; k <= SHADOW_REACH; k++)
        steps.push_back({(int)std::floor(SUN_X / len * k + 0.5), (int)std::floor(SUN_Y / len * k + 0.5), (float)(rise * k)});
    std::vector<float> out((size_t)FIELD_SIZE * FIELD_SIZE, 1.0f);
    for (int r = 0; r < FIELD_SIZE; r++)
        for (int c = 0; c < FIELD_SIZE; c++) {
            float h = f.ground[cellIndex(c, r)], worst = 0;
            for (const Step& s : steps) {
                int cc = c + s.dc, rr = r + s.dr;
                if (cc >= FIELD_SIZE || rr >= FIELD_SIZE) break;
                worst = std::max(worst, f.ground[cellIndex(cc, rr)] - (h + s.rise));
            }
            out[cellIndex(c, r)] = (float)(1 - std::min(1.0, worst / SHADOW_SOFTNESS));
        }
    return out;
}

std::vector<float> boxBlur(const std::vector<float>& v, int radius) {
    std::vector<float> a = v, b(v.size());
    for (int pass = 0; pass < 2; pass++) {
        for (int r = 0; r < FIELD_SIZE; r++)
            for (int c = 0; c < FIELD_SIZE; c++) {
                double sum = 0;
                for (int k = -radius; k <= radius; k++) {
                    int cc = std::clamp(pass == 0 ? c + k : c, 0, FIELD_SIZE - 1);
                    int rr = std::clamp(pass == 0 ? r : r + k, 0, FIELD_SIZE - 1);
                    sum += a[cellIndex(cc, rr)];
                }
                b[cellIndex(c, r)] = (float)(sum / (2 * radius + 1));
            }
        std::swap(a, b);
    }
    return a;
}

// The course map near (x, y): distance and offset of the nearest cell
// centre that is mapped.
void courseNear(const HeightField& f, double x, double y, double* distance, double* lateral) {
    int c = std::clamp((int)(x / CELL), 0, FIELD_SIZE - 1), r = std::clamp((int)(y / CELL), 0, FIELD_SIZE - 1);
    *distance = f.map.distance[cellIndex(c, r)];
    *lateral = f.map.lateral[cellIndex(c, r)];
    if (*distance < 200) {
        // smooth between cells so the track's edge does not step
        *distance = sampleCells(f.map.distance, x, y);
        *lateral = sampleCells(f.map.lateral, x, y);
    }
}

Rgb toRgb(Colour3 c) {
    auto channel = [](double v) { return (uint8_t)std::clamp((int)std::lround(v * 255), 0, 255); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Rgb shadePoint(const RenderState& st, Owner o) {
    const HeightField& f = *st.field;
    double x = o.x + 0.5, y = o.y + 0.5;
    double gx = (groundAt(f, x + CELL, y) - groundAt(f, x - CELL, y)) / (2 * CELL) * RELIEF_SCALE;
    double gy = (groundAt(f, x, y + CELL) - groundAt(f, x, y - CELL)) / (2 * CELL) * RELIEF_SCALE;
    double nl = std::sqrt(gx * gx + gy * gy + 1);
    double sl = std::sqrt(SUN_X * SUN_X + SUN_Y * SUN_Y + SUN_UP * SUN_UP);
    double diffuse = std::max(0.0, (-gx * SUN_X - gy * SUN_Y + SUN_UP) / (nl * sl));
    GroundSample g;
    g.x = x;
    g.y = y;
    g.h = heightAt(&st.track, o.x, o.y) - o.face * 32.0 / 34.0;
    g.steep = std::clamp(std::sqrt(gx * gx + gy * gy) / RELIEF_SCALE / STEEP_GRADE, 0.0, 1.0);
    g.face = o.face;
    g.ramp = sampleCells(f.ramps, x, y);
    g.rough = sampleCells(f.rough, x, y);
    g.seed = st.plan->seed;
    double distance;
    courseNear(f, x, y, &distance, &g.lateral);
    g.wear = std::clamp(1 - (distance - st.plan->course.halfWidth + WEAR_SPAN) / (2 * WEAR_SPAN), 0.0, 1.0);
    Colour3 albedo = groundAlbedo(st.plan->look, g);
    double lit = diffuse * sampleCells(st.shadow, x, y);
    double hollow = std::clamp(1 + CAVITY_WEIGHT * sampleCells(st.cavity, x, y), 0.7, 1.12);
    Colour3 ambient = ambientLight(st.plan->look);
    Colour3 c{albedo.r * (ambient.r + 0.8 * lit), albedo.g * (ambient.g + 0.8 * lit), albedo.b * (ambient.b + 0.8 * lit)};
    c = scaled(c, hollow * 1.08);
    double far = 1 - y / WORLD_SIZE;
    c = mix(c, skyColour(st.plan->look, 1.0), HAZE * far * far);
    return toRgb(c);
}

void paintColours(RenderState* st, Image* colour) {
    int horizon = H;
    for (int px = 0; px < W; px++)
        for (int r = 0; r < H; r++)
            if (st->owner[(size_t)r * W + px].x >= 0) {
                horizon = std::min(horizon, r);
                break;
            }
    for (int r = 0; r < H; r++)
        for (int px = 0; px < W; px++) {
            Owner o = st->owner[(size_t)r * W + px];
            if (o.x < 0)
                colour->set(px, r, toRgb(skyColour(st->plan->look, (double)r / std::max(horizon + 40, 1))));
            else
                colour->set(px, r, shadePoint(*st, o));
        }
}

// Picture columns right of the world show its cut edge, in shade.
void closeRightEdge(RenderState* st, Image* colour) {
    int last = pictureColumn(WORLD_SIZE - 1);
    for (int px = last + 1; px < W; px++)
        for (int r = 0; r < H; r++) {
            size_t from = (size_t)r * W + last, to = (size_t)r * W + px;
            if (st->owner[from].x < 0) continue;
            st->depth[to] = st->depth[from];
            Rgb c = colour->at(last, r);
            colour->set(px, r, {(uint8_t)(c.r * 0.55), (uint8_t)(c.g * 0.55), (uint8_t)(c.b * 0.6)});
        }
}

// Each surface model point holds the nearest of the four picture points
// it covers.
std::vector<uint8_t> halfSizeDepths(const std::vector<uint8_t>& depth) {
    std::vector<uint8_t> out((size_t)(W / 2) * (H / 2));
    for (int v = 0; v < H / 2; v++)
        for (int u = 0; u < W / 2; u++) {
            size_t i = (size_t)(2 * v) * W + 2 * u;
            out[(size_t)v * (W / 2) + u] = std::min({depth[i], depth[i + 1], depth[i + W], depth[i + W + 1]});
        }
    return out;
}

} // namespace

std::vector<uint8_t> turnedHeights(const HeightField& f) {
    std::vector<uint8_t> out((size_t)FIELD_SIZE * FIELD_SIZE);
    for (int row = 0; row < FIELD_SIZE; row++)
        for (int column = 0; column < FIELD_SIZE; column++) {
            int c = column == 0 ? FIELD_SIZE - 1 : FIELD_SIZE - column;
            out[(size_t)row * FIELD_SIZE + column] = f.cells[cellIndex(c, FIELD_SIZE - 1 - row)];
        }
    return out;
}

TerrainPictures renderTerrain(const TerrainPlan& plan, const HeightField& f) {
    TerrainPictures out;
    out.heights = turnedHeights(f);
    RenderState st;
    st.plan = &plan;
    st.field = &f;
    st.track = {0, 0, WORLD_SIZE, WORLD_SIZE, createSurface(W, H), nullptr, heightModelOf(out.heights)};
    drawDepths(&st);
    st.shadow = castShadows(f);
    std::vector<float> blurred = boxBlur(f.ground, CAVITY_RADIUS);
    st.cavity.resize(blurred.size());
    for (size_t i = 0; i < blurred.size(); i++) st.cavity[i] = f.ground[i] - blurred[i];
    out.colour = Image(W, H);
    paintColours(&st, &out.colour);
    closeRightEdge(&st, &out.colour);
    out.surface = halfSizeDepths(st.depth);
    releaseTrack(&st.track);
    return out;
}

bool writeTerrainPictures(const std::string& dataFolder, int number, const TerrainPictures& p) {
    char name[64];
    snprintf(name, sizeof name, "track%d.jpg", number);
    bool ok = writeJpeg(dataFolder + name, p.colour, JPEG_QUALITY);
    snprintf(name, sizeof name, "track%dd.png", number);
    ok = ok && writeGreyPng(dataFolder + name, W / 2, H / 2, p.surface);
    snprintf(name, sizeof name, "track%d.png", number);
    return ok && writeGreyPng(dataFolder + name, FIELD_SIZE, FIELD_SIZE, p.heights);
}
