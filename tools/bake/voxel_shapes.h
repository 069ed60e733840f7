// Solid shapes for building voxel models, each as a signed distance:
// negative inside, zero on the surface, positive outside (in model units).
// Model axes while building: x across the model, y up, z forward.
#pragma once

struct Vec3 {
    double x, y, z;
};

enum ShapeKind { SHAPE_BOX, SHAPE_CAPSULE, SHAPE_ELLIPSOID, SHAPE_TORUS, SHAPE_CYLINDER };

// Made by the functions below; the fields each kind uses are theirs.
struct Shape {
    ShapeKind kind;
    Vec3 a, b;      // ends, or a the centre
    double r1, r2;  // radii at a and b; a box's half thickness and half width
    double ring;    // torus: centre to the middle of the tube
    Vec3 radii;     // ellipsoid
    double pitch;   // ellipsoid turn about x, radians (+z toward +y)
};

// A slab from a to b (both at the same x): `halfThick` across the a-b line
// within the y-z plane, `halfWidth` along x.
Shape boxShape(Vec3 a, Vec3 b, double halfThick, double halfWidth);
// A rod with rounded ends, its radius going from ra at a to rb at b.
Shape capsuleShape(Vec3 a, Vec3 b, double ra, double rb);
// `pitch` turns the ellipsoid about x (radians, +z toward +y).
Shape ellipsoidShape(Vec3 centre, Vec3 radii, double pitch = 0);
Shape sphereShape(Vec3 centre, double radius);
// A ring about the x axis: `ring` from the centre to the middle of the tube.
Shape torusShape(Vec3 centre, double ring, double tube);
// A flat-ended cylinder from a to b.
Shape cylinderShape(Vec3 a, Vec3 b, double radius);

double shapeDistance(const Shape& s, Vec3 p);
// A sphere holding the whole shape: its centre, and the radius as result.
double shapeBound(const Shape& s, Vec3* centre);

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// The same point on the other side of the model.
inline Vec3 mirrored(Vec3 a) { return {-a.x, a.y, a.z}; }
