#include "bake/course.h"
#include "bake/noise.h"

#include <algorithm>
#include <cmath>

namespace {

const int CURVE_STEPS = 48;        // polyline points per control segment before resampling
const double CURVE_SPAN = 10;      // samples each side when measuring curvature
const double TIGHT_RADIUS = 220;   // turns this tight or tighter get the full bank
const double BANK_SMOOTHING = 30;  // samples each side averaged into the bank
const double WHOOP_WAVELENGTH = 44;
const double ROCK_SCALE = 9;

Vec2 catmullRom(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double t) {
    double t2 = t * t, t3 = t2 * t;
    auto axis = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (3 * b - a - 3 * c + d) * t3);
    };
    return {axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y)};
}

std::vector<Vec2> densePolyline(const std::vector<Vec2>& c) {
    std::vector<Vec2> out;
    int n = (int)c.size();
    for (int i = 0; i < n; i++)
        for (int k = 0; k < CURVE_STEPS; k++)
            out.push_back(catmullRom(c[(i + n - 1) % n], c[i], c[(i + 1) % n], c[(i + 2) % n], (double)k / CURVE_STEPS));
    out.push_back(out.front());
    return out;
}

double distance(Vec2 a, Vec2 b) { return std::hypot(b.x - a.x, b.y - a.y); }

// Points every COURSE_STEP along the polyline; `along` gets the arc length
// of every polyline point.
std::vector<Vec2> resample(const std::vector<Vec2>& line, std::vector<double>* along) {
    double total = 0;
    along->assign(1, 0.0);
    for (size_t i = 1; i < line.size(); i++) {
        total += distance(line[i - 1], line[i]);
        along->push_back(total);
    }
    int count = std::max(3, (int)std::lround(total / COURSE_STEP));
    double step = total / count;
    std::vector<Vec2> out;
    size_t seg = 1;
    double segStart = 0;
    for (int k = 0; k < count; k++) {
        double s = k * step;
        while (seg + 1 < line.size() && segStart + distance(line[seg - 1], line[seg]) < s) {
            segStart += distance(line[seg - 1], line[seg]);
            seg++;
        }
        double len = distance(line[seg - 1], line[seg]);
        double t = len > 0 ? (s - segStart) / len : 0;
        out.push_back({line[seg - 1].x + (line[seg].x - line[seg - 1].x) * t,
                       line[seg - 1].y + (line[seg].y - line[seg - 1].y) * t});
    }
    for (double& a : *along) a *= count * COURSE_STEP / total;
    return out;
}

double smoothstep(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Full height inside the track, fading out over its edge.
double acrossTrack(const CoursePlan& plan, double lateral) {
    return 1 - smoothstep(plan.halfWidth, plan.halfWidth + 24, std::fabs(lateral));
}

double featureShape(const CourseFeature& f, double u, double lateral, uint32_t salt) {
    double t = u / f.length;
    switch (f.kind) {
    case FEATURE_KICKER:
        return f.size * std::pow(t, 1.35);
    case FEATURE_TABLETOP: {
        // a third up, a third flat, a third down
        if (t < 1.0 / 3) return f.size * smoothstep(0, 1.0 / 3, t);
        if (t < 2.0 / 3) return f.size;
        return f.size * (1 - smoothstep(2.0 / 3, 1, t));
    }
    case FEATURE_WHOOPS: {
        double envelope = smoothstep(0, 0.08, t) * (1 - smoothstep(0.92, 1, t));
        return f.size * envelope * 0.5 * (1 - std::cos(2 * M_PI * u / WHOOP_WAVELENGTH));
    }
    case FEATURE_ROCKS: {
        double envelope = smoothstep(0, 0.1, t) * (1 - smoothstep(0.9, 1, t));
        double n = fractalNoise(u / ROCK_SCALE, lateral / ROCK_SCALE, 2, 77 + salt);
        return f.size * envelope * std::max(0.0, n + 0.2);
    }
    }
    return 0;
}

} // namespace

Course buildCourse(const CoursePlan& plan) {
    Course course;
    std::vector<double> along;
    std::vector<Vec2> points = resample(densePolyline(plan.controls), &along);
    int n = (int)points.size();
    course.length = n * COURSE_STEP;
    for (size_t i = 0; i < plan.controls.size(); i++) course.controlAlong.push_back(along[i * CURVE_STEPS]);
    for (int i = 0; i < n; i++) {
        Vec2 prev = points[(i + n - 1) % n], next = points[(i + 1) % n];
        double len = distance(prev, next);
        CourseSample s;
        s.at = points[i];
        s.dir = {(next.x - prev.x) / len, (next.y - prev.y) / len};
        s.along = i * COURSE_STEP;
        s.curvature = 0;
        course.samples.push_back(s);
    }
    int span = (int)CURVE_SPAN;
    for (int i = 0; i < n; i++) {
        Vec2 a = course.samples[(i + n - span) % n].dir, b = course.samples[(i + span) % n].dir;
        double turn = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
        course.samples[i].curvature = -turn / (2 * span * COURSE_STEP);
    }
    return course;
}

double alongAtControl(const Course& c, double at) {
    int n = (int)c.controlAlong.size();
    int i = (int)std::floor(at);
    double t = at - i;
    i = ((i % n) + n) % n;
    double a = c.controlAlong[i], b = i + 1 < n ? c.controlAlong[i + 1] : c.length;
    return wrapAlong(c, a + (b - a) * t);
}

double wrapAlong(const Course& c, double s) {
    double w = std::fmod(s, c.length);
    return w < 0 ? w + c.length : w;
}

const CourseSample& courseSampleAt(const Course& c, double s) {
    int n = (int)c.samples.size();
    int i = (int)std::lround(wrapAlong(c, s) / COURSE_STEP) % n;
    return c.samples[i];
}

double featureLift(const CoursePlan& plan, const Course& c, double s, double lateral, int kinds) {
    double across = acrossTrack(plan, lateral);
    if (across <= 0) return 0;
    double lift = 0;
    uint32_t salt = 0;
    for (const CourseFeature& f : plan.features) {
        double u = wrapAlong(c, s - alongAtControl(c, f.at));
        if (u < f.length && (kinds & 1 << f.kind)) lift += featureShape(f, u, lateral, salt);
        salt++;
    }
    return lift * across;
}

double bankAt(const CoursePlan& plan, const Course& c, double s) {
    int n = (int)c.samples.size();
    int i = (int)std::lround(wrapAlong(c, s) / COURSE_STEP) % n;
    double sum = 0;
    int span = (int)BANK_SMOOTHING;
    for (int k = -span; k <= span; k++) sum += c.samples[(i + k + n) % n].curvature;
    double curvature = sum / (2 * span + 1);
    return plan.bank * std::clamp(curvature * TIGHT_RADIUS, -1.0, 1.0);
}
