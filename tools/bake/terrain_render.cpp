#include "bake/terrain_render.h"
#include "bake/course_surface.h"
#include "bake/level_layout.h"
#include "bake/terrain_objects.h"
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
const double BUMP_RELIEF = 0.5;    // share of the whoops' relief the light shows: bumps, not a ladder
const double OBJECT_SHADE = 0.8;   // of the sun an object's shadow takes
// The ground goes on past the world's right and near edges, falling gently
// away, so the picture shows land there rather than the world's cut edge.
const int EXTENT_CELLS_X = FIELD_SIZE + 112; // to world x 2495: past the last picture column, and the hills there cast shadows
const int EXTENT_CELLS_Y = FIELD_SIZE + 150; // to world y 2647, below the picture's bottom
const double APRON_FALL = 0.3;     // height units per world unit beyond the edge
const double APRON_MIN_FALL = 0.12;
const int NEAR_EDGE_SMOOTHING = 12; // cells either side the near edge's height is averaged over, far off
const double RIGHT_APRON_SEEN = 2075; // world x of the picture's last column
const double TURN_WINDOW = 100;    // world units either side of a turn that riders wear darker
const int STRIPE_SPREAD = 3;       // picture points either side the light is averaged over
const double LIP_LOOKAHEAD = 8;    // world units: a ramp's lip is where the ground falls this near

// Which world point drew each picture point: the nearest terrain there.
struct Owner {
    int16_t x = -1, y = -1; // world; -1 where nothing was drawn
    int16_t face = 0;       // rows below the point's own row
    int16_t span = 1;       // rows the point covers
};

struct RenderState {
    const TerrainPlan* plan;
    const HeightField* field;
    Track track;
    std::vector<uint8_t> depth; // full size
    std::vector<Owner> owner;
    std::vector<float> shadow;  // per extended cell, 1 lit .. 0 in shadow
    std::vector<float> cavity;  // per extended cell, ground above (+) or below (-) its surroundings
    std::vector<float> extent;  // heights over EXTENT_CELLS_X x EXTENT_CELLS_Y, the world's and beyond
    std::vector<float> turning; // per course sample
    std::vector<float> bank;    // per course sample
    double startLine;           // arc length of the start/finish line
    std::vector<TerrainObject> objects;
    ObjectShade objectShade;
};

Surface* heightModelOf(const std::vector<uint8_t>& heights) {
    Surface* s = createSurface(FIELD_SIZE, FIELD_SIZE);
    for (int r = 0; r < FIELD_SIZE; r++)
        for (int c = 0; c < FIELD_SIZE; c++) putPixel(s, c, r, heights[(size_t)r * FIELD_SIZE + c]);
    return s;
}

bool insideWorld(double x, double y) { return x >= 0 && y >= 0 && x < WORLD_SIZE && y < WORLD_SIZE; }

// The mean height of the world's nearest row over columns c - reach .. c + reach.
double nearEdgeMean(const HeightField& f, int c, int reach) {
    double sum = 0;
    int n = 0;
    for (int k = std::max(0, c - reach); k <= std::min(FIELD_SIZE - 1, c + reach); k++, n++)
        sum += f.ground[cellIndex(k, FIELD_SIZE - 1)];
    return sum / n;
}

// The world's ground, and beyond its edges the landscape going on from the
// edge's height, never rising above it.
std::vector<float> extendGround(const TerrainPlan& plan, const HeightField& f) {
    std::vector<float> out((size_t)EXTENT_CELLS_X * EXTENT_CELLS_Y);
    for (int r = 0; r < EXTENT_CELLS_Y; r++)
        for (int c = 0; c < EXTENT_CELLS_X; c++) {
            if (c < FIELD_SIZE && r < FIELD_SIZE) {
                out[(size_t)r * EXTENT_CELLS_X + c] = f.ground[cellIndex(c, r)];
                continue;
            }
            int ec = std::min(c, FIELD_SIZE - 1), er = std::min(r, FIELD_SIZE - 1);
            double x = c * CELL + CELL / 2, y = r * CELL + CELL / 2;
            double ex = ec * CELL + CELL / 2, ey = er * CELL + CELL / 2;
            // past the right edge the ground goes on as it left the world,
            // into the landscape's hills further off (they cast shadows
            // into the world); toward the viewer it falls away, never
            // rising into the view of the world
            double beyond = y - ey, edge = f.ground[cellIndex(ec, er)];
            // toward the viewer the edge's bumps smooth out with distance,
            // or they run on as ridges straight at the camera
            double own = edge;
            if (beyond > 0) edge = nearEdgeMean(f, ec, (int)std::min(beyond / CELL, (double)NEAR_EDGE_SMOOTHING));
            double grade = (edge - f.ground[cellIndex(ec - 2, er)]) / (2 * CELL);
            double h = edge + landscapeAt(plan, x, y) - landscapeAt(plan, ex, ey);
            h += (edge + grade * (x - ex) - h) * (1 - smoothstep(RIGHT_APRON_SEEN, RIGHT_APRON_SEEN + 60, x));
            if (beyond > 0) h = std::min({h - APRON_FALL * beyond, edge - APRON_MIN_FALL * beyond, own - APRON_MIN_FALL * beyond});
            out[(size_t)r * EXTENT_CELLS_X + c] = (float)h;
        }
    return out;
}

// Any map over the extended ground at world (x, y), bilinear.
double extendedAt(const std::vector<float>& v, double x, double y) {
    double fx = std::clamp(x / CELL - 0.5, 0.0, EXTENT_CELLS_X - 1.001);
    double fy = std::clamp(y / CELL - 0.5, 0.0, EXTENT_CELLS_Y - 1.001);
    int c = (int)fx, r = (int)fy;
    double tx = fx - c, ty = fy - r;
    const float* p = &v[(size_t)r * EXTENT_CELLS_X + c];
    double a = p[0], b = p[1], d = p[EXTENT_CELLS_X], e = p[EXTENT_CELLS_X + 1];
    return (a + (b - a) * tx) * (1 - ty) + (d + (e - d) * tx) * ty;
}

double extentAt(const RenderState& st, double x, double y) { return extendedAt(st.extent, x, y); }

// The height the picture is drawn from: the height query's inside the
// world, the extended ground beyond.
int drawnHeight(const RenderState& st, int x, int y) {
    if (insideWorld(x, y)) return heightAt(&st.track, x, y);
    return (int)std::lround(extentAt(st, x + 0.5, y + 0.5));
}

// Near to far along every world column: a point covers the rows from its
// own up to where nearer ground already reaches; where two world columns
// share a picture column the nearer point keeps the pixel.
void drawDepths(RenderState* st) {
    st->depth.assign((size_t)W * H, SKY_DEPTH);
    st->owner.assign((size_t)W * H, Owner());
    int lastX = (int)(EXTENT_CELLS_X * CELL) - 1, nearY = (int)(EXTENT_CELLS_Y * CELL) - 1;
    for (int x = 0; x <= lastX; x++) {
        int px = pictureColumn(x);
        if (px < 0 || px >= W) continue;
        int top = H;
        for (int y = nearY; y >= 0 && top > 0; y--) {
            int h = drawnHeight(*st, x, y);
            int row = pictureRow(&st->track, y, h);
            if (row >= top) continue;
            int d = std::clamp(pointDepth(y, h), 0, SKY_DEPTH - 1);
            for (int r = std::max(row, 0); r < top; r++) {
                size_t i = (size_t)r * W + px;
                if (d < st->depth[i] || (d == st->depth[i] && st->owner[i].y < y)) {
                    st->depth[i] = (uint8_t)d;
                    st->owner[i] = {(int16_t)x, (int16_t)y, (int16_t)(r - row), (int16_t)(top - std::max(row, 0))};
                }
            }
            top = row;
        }
    }
}

// How much of the sun reaches each cell of the extended ground past the
// ground toward it.
std::vector<float> castShadows(const std::vector<float>& ground) {
    const int cw = EXTENT_CELLS_X, ch = EXTENT_CELLS_Y;
    double len = std::hypot(SUN_X, SUN_Y);
    double rise = SUN_UP / len / RELIEF_SCALE * CELL; // height units per cell of travel
    struct Step {
        int dc, dr;
        float rise;
    };
    std::vector<Step> steps;
    for (int k = 1; k <= SHADOW_REACH; k++)
        steps.push_back({(int)std::floor(SUN_X / len * k + 0.5), (int)std::floor(SUN_Y / len * k + 0.5), (float)(rise * k)});
    std::vector<float> out((size_t)cw * ch, 1.0f);
    for (int r = 0; r < ch; r++)
        for (int c = 0; c < cw; c++) {
            float h = ground[(size_t)r * cw + c], worst = 0;
            for (const Step& s : steps) {
                int cc = c + s.dc, rr = r + s.dr;
                if (cc >= cw || rr >= ch) break;
                worst = std::max(worst, ground[(size_t)rr * cw + cc] - (h + s.rise));
            }
            out[(size_t)r * cw + c] = (float)(1 - std::min(1.0, worst / SHADOW_SOFTNESS));
        }
    return out;
}

std::vector<float> boxBlur(const std::vector<float>& v, int radius) {
    const int cw = EXTENT_CELLS_X, ch = EXTENT_CELLS_Y;
    std::vector<float> a = v, b(v.size());
    for (int pass = 0; pass < 2; pass++) {
        for (int r = 0; r < ch; r++)
            for (int c = 0; c < cw; c++) {
                double sum = 0;
                for (int k = -radius; k <= radius; k++) {
                    int cc = std::clamp(pass == 0 ? c + k : c, 0, cw - 1);
                    int rr = std::clamp(pass == 0 ? r : r + k, 0, ch - 1);
                    sum += a[(size_t)rr * cw + cc];
                }
                b[(size_t)r * cw + c] = (float)(sum / (2 * radius + 1));
            }
        std::swap(a, b);
    }
    return a;
}

// Per sample of the centre line: how hard riders turn there or are about
// to (0..1), and the bank of the turn.
void prepareCourse(RenderState* st) {
    const Course& c = st->field->course;
    int n = (int)c.samples.size(), span = (int)(TURN_WINDOW / COURSE_STEP);
    st->turning.assign(n, 0);
    st->bank.assign(n, 0);
    st->startLine = 0;
    if (n == 0 || c.controlAlong.empty()) return; // a terrain without a course
    for (int i = 0; i < n; i++) {
        double worst = 0;
        for (int k = -span; k <= span; k++) {
            double fade = 1 - std::fabs(k) / (span + 1.0);
            worst = std::max(worst, std::fabs(c.samples[(i + k + n) % n].curvature) * 220 * fade);
        }
        st->turning[i] = (float)std::min(1.0, worst);
        st->bank[i] = (float)bankAt(st->plan->course, c, i * COURSE_STEP);
    }
    // the line of the levels that ride the course forward, as most do; the
    // track build chalks every level's own line over the picture
    st->startLine = wrapAlong(c, alongAtControl(c, st->plan->course.startAt) + START_LINE_AHEAD);
}

double signedGap(const Course& c, double a, double b) {
    double d = wrapAlong(c, a - b);
    return d > c.length / 2 ? d - c.length : d;
}

// The course as seen from world (x, y).
TrackSample trackAt(const RenderState& st, double x, double y) {
    TrackSample t{};
    t.halfWidth = st.plan->course.halfWidth;
    t.startLine = 1e9;
    if (!insideWorld(x, y) || st.turning.empty()) return t;
    const HeightField& f = *st.field;
    int c = std::clamp((int)(x / CELL), 0, FIELD_SIZE - 1), r = std::clamp((int)(y / CELL), 0, FIELD_SIZE - 1);
    double distance = f.map.distance[cellIndex(c, r)];
    if (distance > t.halfWidth + 2 * WEAR_SPAN + 40) return t;
    // smooth between cells so the track's edge does not step
    distance = sampleCells(f.map.distance, x, y);
    t.lateral = sampleCells(f.map.lateral, x, y);
    const Course& course = f.course;
    const CourseSample& near = courseSampleAt(course, f.map.along[cellIndex(c, r)]);
    t.along = wrapAlong(course, f.map.along[cellIndex(c, r)] + (x - (c * CELL + CELL / 2)) * near.dir.x +
                                    (y - (r * CELL + CELL / 2)) * near.dir.y);
    const CourseSample& s = courseSampleAt(course, t.along);
    Vec2 left = leftOf(s.dir);
    t.across = std::hypot(left.x * 1161.0 / 2048, left.y * 8.0 / 42);
    t.wear = std::clamp(1 - (distance - t.halfWidth + WEAR_SPAN) / (2 * WEAR_SPAN), 0.0, 1.0);
    int i = (int)std::lround(t.along / COURSE_STEP) % (int)course.samples.size();
    t.turning = st.turning[i];
    double slope = st.bank[i], full = std::max(st.plan->course.bank, 1e-6);
    if (-slope * t.lateral > 0)
        t.berm = smoothstep(0.25, 0.9, std::fabs(slope) / full) * smoothstep(t.halfWidth - 16, t.halfWidth - 4, std::fabs(t.lateral)) *
                 (1 - smoothstep(t.halfWidth + 2, t.halfWidth + 10, std::fabs(t.lateral)));
    t.ramp = sampleCells(f.ramps, x, y);
    if (t.ramp > 0.5) {
        double ahead = featureLift(st.plan->course, course, t.along + LIP_LOOKAHEAD, t.lateral, RAMP_FEATURES);
        double behind = featureLift(st.plan->course, course, t.along - LIP_LOOKAHEAD, t.lateral, RAMP_FEATURES);
        t.lip = smoothstep(1.5, 4, t.ramp - std::min(ahead, behind)) * smoothstep(2, 4, t.ramp);
    }
    t.startLine = signedGap(course, t.along, st.startLine);
    return t;
}

Rgb toRgb(Colour3 c) {
    auto channel = [](double v) { return (uint8_t)std::clamp((int)std::lround(v * 255), 0, 255); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

// Heights the light is worked out from: the whoops only half as tall.
double litHeight(const RenderState& st, double x, double y) {
    double h = extentAt(st, x, y);
    bool bumps = insideWorld(x, y) && !st.field->bumps.empty();
    return bumps ? h - BUMP_RELIEF * sampleCells(st.field->bumps, x, y) : h;
}

// The world point a picture point shows: down a face, between its own
// point and the nearer one below it.
void ownerPoint(Owner o, double* x, double* y) {
    *x = o.x + 0.5;
    *y = o.y + (o.face + 0.5) / std::max<int>(o.span, 1);
}

struct PointLight {
    float sun;    // the sun's share: 0 in shadow or facing away .. 1; -1 for sky
    float shaded; // of it that objects' shadows leave
    float steep;  // 0 flat .. 1 sheer
};

PointLight lightPoint(const RenderState& st, Owner o) {
    double x, y;
    ownerPoint(o, &x, &y);
    double gx = (litHeight(st, x + CELL, y) - litHeight(st, x - CELL, y)) / (2 * CELL) * RELIEF_SCALE;
    double gy = (litHeight(st, x, y + CELL) - litHeight(st, x, y - CELL)) / (2 * CELL) * RELIEF_SCALE;
    double nl = std::sqrt(gx * gx + gy * gy + 1);
    double sl = std::sqrt(SUN_X * SUN_X + SUN_Y * SUN_Y + SUN_UP * SUN_UP);
    double diffuse = std::max(0.0, (-gx * SUN_X - gy * SUN_Y + SUN_UP) / (nl * sl));
    double sun = diffuse * extendedAt(st.shadow, x, y);
    double shaded = 1 - OBJECT_SHADE * shadeAt(st.objectShade, x, y);
    double steep = std::clamp(std::sqrt(gx * gx + gy * gy) / RELIEF_SCALE / STEEP_GRADE, 0.0, 1.0);
    return {(float)sun, (float)shaded, (float)steep};
}

Rgb shadePoint(const RenderState& st, Owner o, int px, int py, PointLight light) {
    const HeightField& f = *st.field;
    double x, y;
    ownerPoint(o, &x, &y);
    bool inside = insideWorld(x, y);
    GroundSample g;
    g.x = x;
    g.y = y;
    g.px = px;
    g.py = py;
    g.h = drawnHeight(st, o.x, o.y) - o.face * 32.0 / 34.0;
    g.steep = light.steep;
    g.face = o.face;
    g.rough = inside ? sampleCells(f.rough, x, y) : 0;
    g.scenery = st.plan->scenery;
    g.seed = st.plan->seed;
    Colour3 albedo = courseOver(groundAlbedo(g), g, trackAt(st, x, y));
    double lit = light.sun * light.shaded;
    double hollow = std::clamp(1 + CAVITY_WEIGHT * extendedAt(st.cavity, x, y), 0.7, 1.12);
    Colour3 ambient = ambientLight(g.scenery), sun = sunLight(g.scenery);
    Colour3 c{albedo.r * (ambient.r + sun.r * lit), albedo.g * (ambient.g + sun.g * lit),
              albedo.b * (ambient.b + sun.b * lit)};
    c = scaled(c, hollow * 1.08);
    double far = 1 - y / WORLD_SIZE;
    c = mix(c, skyColour(g.scenery, 1.0), HAZE * far * far);
    return toRgb(c);
}

// Ground toward the viewer is drawn over many rows from few world rows,
// and neighbouring columns show it from different ones: its light, taken
// point by point, would run down it in stripes. The light of the ground
// is averaged a little along each row (objects' shadows keep their edges).
std::vector<PointLight> rowSmoothedLight(const std::vector<PointLight>& light) {
    std::vector<PointLight> out = light;
    for (int r = 0; r < H; r++)
        for (int px = 0; px < W; px++) {
            PointLight& p = out[(size_t)r * W + px];
            if (p.sun < 0) continue;
            double sum = 0;
            int n = 0;
            for (int k = std::max(0, px - STRIPE_SPREAD); k <= std::min(W - 1, px + STRIPE_SPREAD); k++) {
                const PointLight& q = light[(size_t)r * W + k];
                if (q.sun < 0) continue; // sky
                sum += q.sun;
                n++;
            }
            p.sun = (float)(sum / n);
        }
    return out;
}

void paintColours(RenderState* st, Image* colour) {
    int horizon = H;
    for (int px = 0; px < W; px++)
        for (int r = 0; r < H; r++)
            if (st->owner[(size_t)r * W + px].x >= 0) {
                horizon = std::min(horizon, r);
                break;
            }
    std::vector<PointLight> light((size_t)W * H, PointLight{-1, 1, 0});
    for (int r = 0; r < H; r++)
        for (int px = 0; px < W; px++) {
            Owner o = st->owner[(size_t)r * W + px];
            if (o.x >= 0) light[(size_t)r * W + px] = lightPoint(*st, o);
        }
    light = rowSmoothedLight(light);
    for (int r = 0; r < H; r++)
        for (int px = 0; px < W; px++) {
            Owner o = st->owner[(size_t)r * W + px];
            if (o.x < 0)
                colour->set(px, r, toRgb(skyColour(st->plan->scenery, (double)r / std::max(horizon + 40, 1))));
            else
                colour->set(px, r, shadePoint(*st, o, px, r, light[(size_t)r * W + px]));
        }
}

int brightness(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

// A pixel unlike all eight round it reads as a dead pixel, not as a
// detail: where one is left (a bough's snow cut by the tree in front of
// it), it takes the mean of its neighbours.
void removeSpecks(Image* colour) {
    const int UNLIKE = 64;
    Image was = *colour;
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++) {
            int b = brightness(was.at(x, y)), sum[3] = {0, 0, 0};
            bool alone = true;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    if (!dx && !dy) continue;
                    Rgb n = was.at(x + dx, y + dy);
                    alone = alone && std::abs(brightness(n) - b) > UNLIKE;
                    sum[0] += n.r, sum[1] += n.g, sum[2] += n.b;
                }
            if (alone) colour->set(x, y, {(uint8_t)(sum[0] / 8), (uint8_t)(sum[1] / 8), (uint8_t)(sum[2] / 8)});
        }
}

// A slope seen edge-on can show as a single row of unlike ground running
// across the picture, which reads as a tear: such rows of ground take the
// mean of the rows above and below them. Runs this short are left, as
// they read as detail.
void mendTears(Image* colour) {
    const int UNLIKE = 64, SHORTEST = 4;
    Image was = *colour;
    for (int y = 1; y < H - 1; y++) {
        int run = 0;
        for (int x = 0; x <= W; x++) {
            bool torn = false;
            if (x < W) {
                int b = brightness(was.at(x, y));
                torn = std::abs(b - brightness(was.at(x, y - 1))) > UNLIKE && std::abs(b - brightness(was.at(x, y + 1))) > UNLIKE;
            }
            if (torn) {
                run++;
                continue;
            }
            if (run >= SHORTEST)
                for (int k = x - run; k < x; k++) {
                    Rgb a = was.at(k, y - 1), b = was.at(k, y + 1);
                    colour->set(k, y, {(uint8_t)((a.r + b.r) / 2), (uint8_t)((a.g + b.g) / 2), (uint8_t)((a.b + b.b) / 2)});
                }
            run = 0;
        }
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

std::vector<TerrainObject> terrainObjects(const TerrainPlan& plan, const HeightField& f, const std::vector<uint8_t>& heights) {
    RenderState st;
    st.plan = &plan;
    st.field = &f;
    st.track = {0, 0, WORLD_SIZE, WORLD_SIZE, createSurface(1, H), nullptr, heightModelOf(heights)};
    st.extent = extendGround(plan, f);
    std::vector<TerrainObject> out = placeObjects(plan, f, [&st](int x, int y) { return drawnHeight(st, x, y); });
    releaseTrack(&st.track);
    return out;
}

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
    st.extent = extendGround(plan, f);
    drawDepths(&st);
    st.shadow = castShadows(st.extent);
    prepareCourse(&st);
    st.objects = placeObjects(plan, f, [&st](int x, int y) { return drawnHeight(st, x, y); });
    st.objectShade = objectShadows(st.objects);
    std::vector<float> blurred = boxBlur(st.extent, CAVITY_RADIUS);
    st.cavity.resize(blurred.size());
    for (size_t i = 0; i < blurred.size(); i++) st.cavity[i] = st.extent[i] - blurred[i];
    out.colour = Image(W, H);
    paintColours(&st, &out.colour);
    mendTears(&out.colour);
    drawObjects(st.objects, plan.scenery, &out.colour, &st.depth, W, H);
    removeSpecks(&out.colour);
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
