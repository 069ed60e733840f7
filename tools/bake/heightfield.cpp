#include "bake/heightfield.h"
#include "bake/noise.h"

#include <algorithm>
#include <cmath>

namespace {

const double WORLD = 2048;
const double BED_MARGIN = 18;        // flat ground either side of the worn track
const double BLEND_BASE = 60;        // the bed's embankments and cuttings widen
const double BLEND_PER_HEIGHT = 1.3; // with the height they make up
const double BLEND_MAX = 190;
const double MAP_BAND = 300;         // cells this near the centre line are mapped
const double MAX_COURSE_GRADE = 0.07; // height units per world unit along the course
const int PROFILE_SMOOTHING = 30;    // samples each side
const int VALLEY_WINDOW = 45;        // canyon courses seek the lowest ground this near
// A height unit lifts a point by 34/32 rows, a world unit of depth by 8/42
// rows: ground must not rise faster than this toward the viewer in front
// of the course, or it hides it.
const double SIGHT_GRADE = (8.0 / 42.0) / (34.0 / 32.0);
const double SIGHT_MARGIN = 3;
const double SIGHT_SOFTNESS = 6;
const double LOWEST = 1, HIGHEST = 250;

double smoothstep(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// The far side of every landscape rises a little, so that far ground is
// seen over near ground, as from a valley floor.
double tilt(double y, double amount) { return amount * (1 - y / WORLD); }

double grassland(const TerrainPlan& t, double x, double y) {
    double hills = 64 * fractalNoise(x / 560, y / 560, 4, t.seed);
    double swell = 30 * valueNoise(x / 1300, y / 1300, t.seed + 7);
    return 50 + t.relief * (hills + swell) + tilt(y, 55);
}

// Dunes: long crests across the wind, a gentle windward face and a steep
// lee, wandering and breaking up with the noise.
double dunes(const TerrainPlan& t, double x, double y) {
    double angle = 0.6 + 0.9 * latticeHash(1, 2, t.seed);
    double u = (x * std::cos(angle) + y * std::sin(angle)) / 300 + 0.7 * fractalNoise(x / 520, y / 520, 3, t.seed + 3);
    double p = u - std::floor(u);
    double crest = p < 0.72 ? smoothstep(0, 0.72, p) : 1 - smoothstep(0.72, 1, p);
    double strength = 0.55 + 0.45 * valueNoise(x / 700, y / 700, t.seed + 5);
    double ripple = 6 * fractalNoise(x / 160, y / 160, 2, t.seed + 9);
    return 34 + t.relief * (44 * crest * strength + ripple) + tilt(y, 40);
}

// Canyon country: a low floor and flat-topped mesas in two tiers with
// steep sides.
double canyon(const TerrainPlan& t, double x, double y) {
    double n = fractalNoise(x / 760, y / 760, 4, t.seed) + 0.25 * valueNoise(x / 300, y / 300, t.seed + 4);
    double tiers = 95 * smoothstep(0.02, 0.12, n) + 45 * smoothstep(0.42, 0.5, n);
    double floor = 6 * fractalNoise(x / 200, y / 200, 2, t.seed + 8);
    return 22 + t.relief * tiers + floor + tilt(y, 35);
}

// Mountains: ridged peaks, higher toward the far side.
double snow(const TerrainPlan& t, double x, double y) {
    double r = ridgedNoise(x / 820, y / 820, 3, t.seed);
    double far = std::pow(std::max(0.0, 1 - y / WORLD), 1.4); // 0 from the near edge on
    double drifts = 7 * fractalNoise(x / 420, y / 420, 2, t.seed + 2);
    return 30 + t.relief * (150 * r * r * (0.35 + far)) + drifts + tilt(y, 40);
}

double landscape(const TerrainPlan& t, double x, double y) {
    switch (t.look) {
    case LOOK_GRASSLAND: return grassland(t, x, y);
    case LOOK_DUNES: return dunes(t, x, y);
    case LOOK_CANYON: return canyon(t, x, y);
    case LOOK_SNOW: return snow(t, x, y);
    }
    return 0;
}

Vec2 cellCentre(int c, int r) { return {c * CELL + CELL / 2, r * CELL + CELL / 2}; }

// Every cell within MAP_BAND of the centre line learns its nearest sample.
CourseMap mapCourse(const Course& course) {
    size_t cells = (size_t)FIELD_SIZE * FIELD_SIZE;
    CourseMap map{std::vector<float>(cells, FAR_FROM_COURSE), std::vector<float>(cells, 0), std::vector<float>(cells, 0)};
    std::vector<int> nearest(cells, -1);
    int reach = (int)(MAP_BAND / CELL) + 1;
    std::vector<float> nearestSquared(cells, FAR_FROM_COURSE);
    for (int i = 0; i < (int)course.samples.size(); i++) {
        Vec2 p = course.samples[i].at;
        int c0 = (int)(p.x / CELL), r0 = (int)(p.y / CELL);
        for (int r = std::max(0, r0 - reach); r <= std::min(FIELD_SIZE - 1, r0 + reach); r++)
            for (int c = std::max(0, c0 - reach); c <= std::min(FIELD_SIZE - 1, c0 + reach); c++) {
                Vec2 q = cellCentre(c, r);
                float d = (float)((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
                if (d < nearestSquared[cellIndex(c, r)]) {
                    nearestSquared[cellIndex(c, r)] = d;
                    nearest[cellIndex(c, r)] = i;
                }
            }
    }
    for (size_t i = 0; i < cells; i++)
        if (nearest[i] >= 0) map.distance[i] = std::sqrt(nearestSquared[i]);
    for (int r = 0; r < FIELD_SIZE; r++)
        for (int c = 0; c < FIELD_SIZE; c++) {
            int i = nearest[cellIndex(c, r)];
            if (i < 0) continue;
            const CourseSample& s = course.samples[i];
            Vec2 q = cellCentre(c, r), off = {q.x - s.at.x, q.y - s.at.y};
            Vec2 left = leftOf(s.dir);
            map.along[cellIndex(c, r)] = (float)wrapAlong(course, s.along + off.x * s.dir.x + off.y * s.dir.y);
            map.lateral[cellIndex(c, r)] = (float)(off.x * left.x + off.y * left.y);
        }
    return map;
}

std::vector<float> movingAverage(const std::vector<float>& v, int span) {
    int n = (int)v.size();
    std::vector<float> out(n);
    for (int i = 0; i < n; i++) {
        double sum = 0;
        for (int k = -span; k <= span; k++) sum += v[(i + k + n) % n];
        out[i] = (float)(sum / (2 * span + 1));
    }
    return out;
}

// Keeps the course's grade within MAX_COURSE_GRADE by lowering the higher
// of any two neighbours, round the loop until nothing changes.
void limitGrade(std::vector<float>* profile) {
    std::vector<float>& p = *profile;
    int n = (int)p.size();
    float step = (float)(MAX_COURSE_GRADE * COURSE_STEP);
    for (bool changed = true; changed;) {
        changed = false;
        for (int pass = 0; pass < 2; pass++)
            for (int k = 0; k < n; k++) {
                int i = pass == 0 ? k : n - 1 - k;
                int j = pass == 0 ? (i + n - 1) % n : (i + 1) % n;
                if (p[i] > p[j] + step + 1e-4f) {
                    p[i] = p[j] + step;
                    changed = true;
                }
            }
    }
}

// The height of the course's bed along the centre line: the landscape
// under it, smoothed into a rideable grade (canyon courses keep to the
// floor).
std::vector<float> courseProfile(const TerrainPlan& plan, const Course& course, const std::vector<float>& land) {
    int n = (int)course.samples.size();
    std::vector<float> raw(n);
    for (int i = 0; i < n; i++) raw[i] = (float)sampleCells(land, course.samples[i].at.x, course.samples[i].at.y);
    if (plan.look == LOOK_CANYON) {
        std::vector<float> low(n);
        for (int i = 0; i < n; i++) {
            float m = raw[i];
            for (int k = -VALLEY_WINDOW; k <= VALLEY_WINDOW; k++) m = std::min(m, raw[(i + k + n) % n]);
            low[i] = m;
        }
        raw = low;
    }
    std::vector<float> p = movingAverage(movingAverage(raw, PROFILE_SMOOTHING), PROFILE_SMOOTHING);
    limitGrade(&p);
    return p;
}

double profileAt(const std::vector<float>& profile, double along) {
    int n = (int)profile.size();
    double f = along / COURSE_STEP;
    int i = (int)std::floor(f);
    double t = f - i;
    return profile[((i % n) + n) % n] * (1 - t) + profile[((i + 1) % n + n) % n] * t;
}

// The bed, its banks and features, blended into the landscape.
void shapeCourse(const TerrainPlan& plan, HeightField* f, const std::vector<float>& land) {
    int n = (int)f->course.samples.size();
    std::vector<float> bank(n);
    for (int i = 0; i < n; i++) bank[i] = (float)bankAt(plan.course, f->course, i * COURSE_STEP);
    double bedHalf = plan.course.halfWidth + BED_MARGIN;
    for (int i = 0; i < FIELD_SIZE * FIELD_SIZE; i++) {
        double d = f->map.distance[i];
        if (d >= FAR_FROM_COURSE) continue;
        double along = f->map.along[i], lateral = f->map.lateral[i];
        double slope = bank[(int)std::lround(along / COURSE_STEP) % n];
        double bankLift = -slope * std::clamp(lateral, -bedHalf, bedHalf);
        f->ramps[i] = (float)featureLift(plan.course, f->course, along, lateral, RAMP_FEATURES);
        f->rough[i] = (float)featureLift(plan.course, f->course, along, lateral, ROCK_FEATURES);
        f->bumps[i] = (float)featureLift(plan.course, f->course, along, lateral, BUMP_FEATURES);
        double lift = f->ramps[i] + f->rough[i] + f->bumps[i];
        double bed = profileAt(f->profile, along) + bankLift + lift;
        double reach = std::min(BLEND_MAX, BLEND_BASE + BLEND_PER_HEIGHT * std::fabs(bed - land[i]));
        double w = 1 - smoothstep(bedHalf, bedHalf + reach, d);
        f->ground[i] = (float)(land[i] + (bed - land[i]) * w);
    }
}

// Lowers ground in front of the course (nearer the viewer) wherever it
// would rise into the line of sight of the track behind it.
void keepCourseInSight(const TerrainPlan& plan, HeightField* f) {
    double source = plan.course.halfWidth + 6;
    for (int c = 0; c < FIELD_SIZE; c++) {
        double lowest = 1e9; // min over course cells passed of h - grade * y
        for (int r = 0; r < FIELD_SIZE; r++) {
            int i = cellIndex(c, r);
            double y = r * CELL + CELL / 2;
            if (f->map.distance[i] <= source) {
                lowest = std::min(lowest, f->ground[i] - SIGHT_GRADE * y);
                continue;
            }
            if (f->map.distance[i] <= plan.course.halfWidth + BED_MARGIN) continue;
            double cap = lowest + SIGHT_GRADE * y - SIGHT_MARGIN;
            double h = f->ground[i];
            if (h > cap - SIGHT_SOFTNESS) {
                // a soft minimum, so the lowered ground keeps its shape
                double over = h - (cap - SIGHT_SOFTNESS);
                f->ground[i] = (float)(cap - SIGHT_SOFTNESS + SIGHT_SOFTNESS * (1 - std::exp(-over / SIGHT_SOFTNESS)));
            }
        }
    }
}

} // namespace

double sampleCells(const std::vector<float>& v, double x, double y) {
    double fx = std::clamp(x / CELL - 0.5, 0.0, FIELD_SIZE - 1.001);
    double fy = std::clamp(y / CELL - 0.5, 0.0, FIELD_SIZE - 1.001);
    int c = (int)fx, r = (int)fy;
    double tx = fx - c, ty = fy - r;
    double a = v[cellIndex(c, r)], b = v[cellIndex(c + 1, r)];
    double d = v[cellIndex(c, r + 1)], e = v[cellIndex(c + 1, r + 1)];
    return (a + (b - a) * tx) * (1 - ty) + (d + (e - d) * tx) * ty;
}

double landscapeAt(const TerrainPlan& plan, double x, double y) { return landscape(plan, x, y); }

HeightField generateHeightField(const TerrainPlan& plan) {
    HeightField f;
    std::vector<float> land((size_t)FIELD_SIZE * FIELD_SIZE);
    for (int r = 0; r < FIELD_SIZE; r++)
        for (int c = 0; c < FIELD_SIZE; c++) {
            Vec2 q = cellCentre(c, r);
            land[cellIndex(c, r)] = (float)landscape(plan, q.x, q.y);
        }
    f.course = buildCourse(plan.course);
    f.map = mapCourse(f.course);
    f.profile = courseProfile(plan, f.course, land);
    f.ground = land;
    f.ramps.assign(land.size(), 0.0f);
    f.rough.assign(land.size(), 0.0f);
    f.bumps.assign(land.size(), 0.0f);
    shapeCourse(plan, &f, land);
    keepCourseInSight(plan, &f);
    f.cells.resize(land.size());
    for (size_t i = 0; i < land.size(); i++) {
        f.ground[i] = (float)std::clamp((double)f.ground[i], LOWEST, HIGHEST);
        f.cells[i] = (uint8_t)std::lround(f.ground[i]);
    }
    // World x 0..3 reads outside the height model, as 0.
    for (int r = 0; r < FIELD_SIZE; r++) f.cells[cellIndex(0, r)] = 0;
    return f;
}
