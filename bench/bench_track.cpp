// The track build of a full-size level, and the scene draw of a race view
// with 20 bikes in sight on a 640 x 480 framebuffer.
#include "gfx/trig.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "shell/random.h"
#include "world/description.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/scene.h"
#include "world/track.h"
#include "world/voxel.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// The real picture sizes: 1161 columns for the world plus margins, rows for
// the whole world's depth plus the highest lift; the depth at half size.
const int PICTURE_WIDTH = 1168;
const int PICTURE_HEIGHT = 720;
const int RACE_LEVEL = 7;
const int STUNT_LEVEL = 107;

// Rolling hills with a ridge: heights 20..200.
int hills(int x, int y) {
    double h = 90 + 50 * sin(x / 160.0) * cos(y / 210.0) + 30 * sin((x + 2 * y) / 97.0);
    if (y > 1100 && y < 1180) h += 60;
    return std::clamp((int)h, 0, 255);
}

// The pristine pictures, made once: the height model so that heightAt
// gives the hills, the depth picture by the game's own projection (the
// nearest terrain wins in every picture point), a patterned colour picture.
struct Pictures {
    Surface* terrain;
    Surface* surfaceModel;
    Surface* heightModel;
};

void copyPixels(Surface* dst, const Surface* src) {
    memcpy(dst->pixels, src->pixels, (size_t)src->width * src->height * sizeof(uint16_t));
}

Surface* cloneSurface(const Surface* src) {
    Surface* s = createSurface(src->width, src->height);
    copyPixels(s, src);
    return s;
}

const Pictures& pristine() {
    static Pictures p = [] {
        Pictures made;
        Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, nullptr};
        made.heightModel = createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE);
        for (int row = 0; row < HEIGHT_MODEL_SIZE; row++)
            for (int column = 1; column < HEIGHT_MODEL_SIZE; column++)
                putPixel(made.heightModel, column, row, (Color)hills(4 * (512 - column), 4 * (511 - row)));
        made.terrain = createSurface(PICTURE_WIDTH, PICTURE_HEIGHT);
        for (int y = 0; y < PICTURE_HEIGHT; y++)
            for (int x = 0; x < PICTURE_WIDTH; x++)
                putPixel(made.terrain, x, y, packColor(6 + (x * 7 + y) % 20, 10 + (x + y * 3) % 18, 4 + (x ^ y) % 9));
        t.heightModel = made.heightModel;
        t.terrain = made.terrain;
        std::vector<int> depth((size_t)PICTURE_WIDTH * PICTURE_HEIGHT, 255);
        for (int px = 0; px < PICTURE_WIDTH; px++) {
            int x = (int)(((int64_t)(px + 3) * 2048 + 1160) / 1161);
            int top = PICTURE_HEIGHT;
            for (int y = WORLD_SIZE - 1; y >= 0 && top > 0; y--) {
                int h = heightAt(&t, x, y);
                int py = std::max(pictureRow(&t, y, h), 0);
                for (int row = py; row < top; row++) depth[(size_t)row * PICTURE_WIDTH + px] = pointDepth(y, h);
                top = std::min(top, py);
            }
        }
        made.surfaceModel = createSurface(PICTURE_WIDTH / 2, PICTURE_HEIGHT / 2);
        for (int v = 0; v < PICTURE_HEIGHT / 2; v++)
            for (int u = 0; u < PICTURE_WIDTH / 2; u++)
                putPixel(made.surfaceModel, u, v, (Color)depth[(size_t)(2 * v) * PICTURE_WIDTH + 2 * u]);
        return made;
    }();
    return p;
}

// A bike-shaped cloud: two tyres with rims, a frame and a rider on top.
void addBike(VoxelModel* m) {
    const Color tyre = packColor(3, 3, 3), frame = packColor(28, 4, 4), body = packColor(0, 0, 30),
                metal = packColor(20, 20, 22);
    for (int wheel = -1; wheel <= 1; wheel += 2)
        for (int step = 0; step < 90; step++) {
            double a = step * 4.0 * M_PI / 180.0;
            for (int radius = 26; radius <= 35; radius += 3)
                for (int x = -4; x <= 4; x += 4)
                    addVoxelPoint(m, x, (int)(radius * sin(a)), wheel * 70 + (int)(radius * cos(a)),
                                  radius > 30 ? tyre : metal);
        }
    for (int z = -60; z <= 60; z += 4)
        for (int y = -24; y <= -4; y += 4)
            for (int x = -8; x <= 8; x += 4) addVoxelPoint(m, x, y, z, frame);
    for (int z = -24; z <= 16; z += 4)
        for (int y = -84; y <= -28; y += 4)
            for (int x = -14; x <= 14; x += 4) addVoxelPoint(m, x, y, z, body);
}

Polygon* polygonOf(const std::vector<Point>& vertices) {
    Polygon* p = createPolygon();
    for (const Point& v : vertices) appendVertex(p, v.x, v.y);
    return p;
}

// A roughly round polygon of n vertices in layout units.
std::vector<Point> blob(int cx, int cy, int radius, int n) {
    std::vector<Point> v;
    for (int i = 0; i < n; i++) {
        double a = 2 * M_PI * i / n;
        int r = radius + (i % 3) * radius / 8;
        v.push_back({cx + (int)(r * cos(a)), cy + (int)(r * sin(a))});
    }
    return v;
}

// A temporary data folder with the layouts and the flag model.
void prepareData() {
    static bool done = false;
    if (done) return;
    done = true;
    resetDisplayGeometry();
    buildTrigTables();
    char base[] = "/tmp/benchtrackXXXXXX";
    if (!mkdtemp(base)) abort();
    snprintf(dataFolder, sizeof dataFolder, "%s/Data/", base);
    mkdir(dataFolder, 0755);

    // Race: masked, a wide ring of drivable ground and islands in it, ten
    // checkpoints along the ring, the first one the start line.
    LevelLayout* race = createLayout();
    race->masked = 1;
    const std::vector<Point> islands[] = {blob(256, 256, 220, 24), blob(256, 256, 120, 16), blob(130, 380, 30, 8),
                                          blob(380, 130, 30, 8), blob(400, 400, 25, 10), blob(110, 120, 25, 10)};
    for (const auto& v : islands) race->keepouts[race->keepoutCount++] = polygonOf(v);
    for (int k = 0; k < 10; k++) {
        double a = 2 * M_PI * k / 10;
        int x = 256 + (int)(170 * cos(a)), y = 256 + (int)(170 * sin(a));
        race->checkpoints[race->checkpointCount++] =
            polygonOf({{x - 40, y - 8}, {x + 40, y - 8}, {x + 40, y + 8}, {x - 40, y + 8}});
    }
    saveLayout(race, RACE_LEVEL);
    destroyLayout(&race);

    // Stunt: unmasked keep-outs and eight checkpoint zones with posts.
    LevelLayout* stunt = createLayout();
    stunt->masked = 0;
    for (int k = 0; k < 6; k++)
        stunt->keepouts[stunt->keepoutCount++] = polygonOf(blob(60 + 80 * k, 100 + 50 * (k % 2), 35, 12));
    for (int k = 0; k < 8; k++)
        stunt->checkpoints[stunt->checkpointCount++] = polygonOf(blob(60 + 55 * k, 330 + 40 * (k % 2), 28, 8));
    saveLayout(stunt, STUNT_LEVEL);
    destroyLayout(&stunt);

    VoxelModel* flag = createVoxelModel();
    for (int y = -60; y <= 0; y += 4) addVoxelPoint(flag, 0, y, 0, packColor(20, 20, 20));
    for (int y = -60; y <= -36; y += 4)
        for (int z = 4; z <= 40; z += 4) addVoxelPoint(flag, 0, y, z, packColor(31, 4, 4));
    saveVoxelModel(flag, "flag.vox");
    destroyVoxelModel(&flag);
}

void runBuilds(benchmark::State& state, int level, int levelType) {
    prepareData();
    const Pictures& p = pristine();
    Track t = {0, 0, WORLD_SIZE, WORLD_SIZE, cloneSurface(p.terrain), cloneSurface(p.surfaceModel),
               cloneSurface(p.heightModel)};
    memset(&levelDescription, 0, sizeof levelDescription);
    levelDescription.laps = 1;
    levelDescription.levelType = levelType;
    minimapSize = 128;
    seedRandom(1);
    for (auto _ : state) {
        state.PauseTiming();
        copyPixels(t.terrain, p.terrain);
        copyPixels(t.surfaceModel, p.surfaceModel);
        copyPixels(t.heightModel, p.heightModel);
        state.ResumeTiming();
        buildTrack(&t, level);
        benchmark::DoNotOptimize(t.terrain->pixels[0]);
    }
    releaseTrack(&t);
    destroyMinimap();
}

void BM_TrackBuildRace(benchmark::State& state) { runBuilds(state, RACE_LEVEL, 0); }
BENCHMARK(BM_TrackBuildRace)->Unit(benchmark::kMillisecond);

void BM_TrackBuildStunt(benchmark::State& state) { runBuilds(state, STUNT_LEVEL, 1); }
BENCHMARK(BM_TrackBuildStunt)->Unit(benchmark::kMillisecond);

// Twenty bikes spread over the view around the camera, far to near.
struct Field {
    Track t;
    Surface* target;
    std::vector<VoxelModel*> models;
    std::vector<SceneRider> riders;
    std::vector<SceneRider*> order;
};

Field makeField() {
    prepareData();
    const Pictures& p = pristine();
    Field f;
    f.t = {0, 0, WORLD_SIZE, WORLD_SIZE, cloneSurface(p.terrain), cloneSurface(p.surfaceModel),
           cloneSurface(p.heightModel)};
    f.target = createSurface(640, 480);
    setCamera(&f.t, f.target, 1024, 1300, heightAt(&f.t, 1024, 1300));
    for (int i = 0; i < 20; i++) {
        VoxelModel* m = createVoxelModel();
        addBike(m);
        recolourVoxelModel(m, i % 9, (i + 4) % 9);
        scaleVoxelModel(m, 0.7);
        f.models.push_back(m);
        SceneRider r = {};
        int x = 520 + (i % 5) * 240, y = 1000 + (i / 5) * 150;
        r.x = x << 10;
        r.y = y << 10;
        r.z = heightAt(&f.t, x, y) << 10;
        r.heading = ((i * 37) % 360) << 10;
        r.lean = (i % 7) * 6 - 18;
        r.pitch = (i % 3) * 4;
        r.model = m;
        f.riders.push_back(r);
    }
    for (SceneRider& r : f.riders) f.order.push_back(&r);
    return f;
}

void destroyField(Field& f) {
    for (VoxelModel*& m : f.models) destroyVoxelModel(&m);
    destroySurface(&f.target);
    releaseTrack(&f.t);
}

// Steady riding: orientations unchanged, every sprite reused.
void BM_DrawSceneTwentyRiders(benchmark::State& state) {
    Field f = makeField();
    for (auto _ : state) {
        drawScene(&f.t, f.target, f.order.data(), (int)f.order.size());
        benchmark::DoNotOptimize(f.target->pixels[0]);
    }
    int inView = 0;
    for (SceneRider* r : f.order) {
        Projection q = projectPoint(&f.t, r->x >> 10, r->y >> 10, r->z >> 10, 480);
        inView += q.screenX > 0 && q.screenX < 640 && q.screenY > 0 && q.screenY < 480;
    }
    state.counters["inView"] = inView;
    state.counters["points"] = f.models[0]->count;
    destroyField(f);
}
BENCHMARK(BM_DrawSceneTwentyRiders)->Unit(benchmark::kMicrosecond);

// The worst frame: every rider turned a step, so every sprite re-renders.
void BM_DrawSceneTwentyRidersAllTurning(benchmark::State& state) {
    Field f = makeField();
    for (auto _ : state) {
        for (SceneRider& r : f.riders) r.heading = (((r.heading >> 10) + 8) % 360) << 10;
        drawScene(&f.t, f.target, f.order.data(), (int)f.order.size());
        benchmark::DoNotOptimize(f.target->pixels[0]);
    }
    destroyField(f);
}
BENCHMARK(BM_DrawSceneTwentyRidersAllTurning)->Unit(benchmark::kMicrosecond);

// The terrain copy alone, the floor of every frame.
void BM_DrawSceneTerrainOnly(benchmark::State& state) {
    Field f = makeField();
    for (auto _ : state) {
        drawScene(&f.t, f.target, nullptr, 0);
        benchmark::DoNotOptimize(f.target->pixels[0]);
    }
    destroyField(f);
}
BENCHMARK(BM_DrawSceneTerrainOnly)->Unit(benchmark::kMicrosecond);

// One bike's passes on their own: what each rider in view costs.
void BM_ShadowPassOneBike(benchmark::State& state) {
    Field f = makeField();
    SceneRider* r = f.order[7];
    orientVoxelModel(r->model, 0, 540 - (r->heading >> 10), r->lean + 180);
    for (auto _ : state) {
        drawModelShadow(&f.t, r->model, f.target, r->x >> 10, r->y >> 10, (r->z >> 10) + 11);
        benchmark::DoNotOptimize(f.target->pixels[0]);
    }
    destroyField(f);
}
BENCHMARK(BM_ShadowPassOneBike)->Unit(benchmark::kMicrosecond);

void BM_BodyPassOneBike(benchmark::State& state) {
    Field f = makeField();
    SceneRider* r = f.order[7];
    orientVoxelModel(r->model, 0, 540 - (r->heading >> 10), r->lean + 180);
    for (auto _ : state) {
        drawModelBody(&f.t, r->model, f.target, r->x >> 10, r->y >> 10, (r->z >> 10) + 12);
        benchmark::DoNotOptimize(f.target->pixels[0]);
    }
    destroyField(f);
}
BENCHMARK(BM_BodyPassOneBike)->Unit(benchmark::kMicrosecond);

} // namespace
