// A course: the closed centre line the riders follow round a terrain, and
// the shapes built into its ground (ramps, tabletops, whoops, rocks).
// World units throughout; heights in height units.
#pragma once
#include <vector>

struct Vec2 {
    double x, y;
};

enum FeatureKind {
    FEATURE_KICKER,   // a ramp up to a sharp lip: the ground falls away under the bike
    FEATURE_TABLETOP, // up, a flat top, and a long way down: a jump at speed, a hump when slow
    FEATURE_WHOOPS,   // a row of rounded bumps across the track
    FEATURE_ROCKS,    // a stretch of rough, broken ground
};

struct CourseFeature {
    FeatureKind kind;
    double at;     // where it starts: control point index plus the fraction of the way to the next
    double length; // along the course
    double size;   // rise of a ramp, height of a bump
};

struct CoursePlan {
    std::vector<Vec2> controls; // the loop's control points in riding order
    double halfWidth;           // of the worn track
    double bank;                // lift of a turn's outside edge per unit of offset, in the tightest turn
    double startAt;             // where the levels start, in control points as for features
    std::vector<CourseFeature> features;
};

const double COURSE_STEP = 4.0; // between samples of the centre line

struct CourseSample {
    Vec2 at;
    Vec2 dir;         // unit, in riding order
    double along;     // arc length from the first control point
    double curvature; // signed, 1/radius; positive turning left
};

struct Course {
    std::vector<CourseSample> samples; // one every COURSE_STEP, closing the loop
    std::vector<double> controlAlong;  // arc length at each control point
    double length;
};

// The centre line through the control points (a closed Catmull-Rom curve),
// at even spacing.
Course buildCourse(const CoursePlan& plan);
// The sample nearest arc length s, taken round the loop.
const CourseSample& courseSampleAt(const Course& c, double s);
// Left of the riding direction (headings turn clockwise, y grows south).
inline Vec2 leftOf(Vec2 dir) { return {dir.y, -dir.x}; }
// Arc length of a position given in control points (index + fraction).
double alongAtControl(const Course& c, double at);
// s reduced to 0..length.
double wrapAlong(const Course& c, double s);
// Which features to add up: bits (1 << FeatureKind).
const int ALL_FEATURES = 15;
const int RAMP_FEATURES = 1 << FEATURE_KICKER | 1 << FEATURE_TABLETOP;
const int BUMP_FEATURES = 1 << FEATURE_WHOOPS;
const int ROCK_FEATURES = 1 << FEATURE_ROCKS;
// The height the features add at arc length s, `lateral` units left of
// the centre line.
double featureLift(const CoursePlan& plan, const Course& c, double s, double lateral, int kinds = ALL_FEATURES);
// How far a turn's outside edge is raised, per unit of offset, at s.
double bankAt(const CoursePlan& plan, const Course& c, double s);
