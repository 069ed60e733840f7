#include "bake/voxel_shapes.h"

#include <algorithm>
#include <cmath>

static double length(Vec3 v) { return std::sqrt(dot(v, v)); }
static double length2(double a, double b) { return std::sqrt(a * a + b * b); }

// Distance to a box centred on the origin from a point given by its
// per-axis distances beyond the half extents (negative inside).
static double boxDistance(double qx, double qy, double qz) {
    double outside = length({std::max(qx, 0.0), std::max(qy, 0.0), std::max(qz, 0.0)});
    return outside + std::min(std::max(qx, std::max(qy, qz)), 0.0);
}

Shape boxShape(Vec3 a, Vec3 b, double halfThick, double halfWidth) {
    Shape s{};
    s.kind = SHAPE_BOX;
    s.a = a;
    s.b = b;
    s.r1 = halfThick;
    s.r2 = halfWidth;
    return s;
}

Shape capsuleShape(Vec3 a, Vec3 b, double ra, double rb) {
    Shape s{};
    s.kind = SHAPE_CAPSULE;
    s.a = a;
    s.b = b;
    s.r1 = ra;
    s.r2 = rb;
    return s;
}

Shape ellipsoidShape(Vec3 centre, Vec3 radii, double pitch) {
    Shape s{};
    s.kind = SHAPE_ELLIPSOID;
    s.a = centre;
    s.radii = radii;
    s.pitch = pitch;
    return s;
}

Shape sphereShape(Vec3 centre, double radius) { return ellipsoidShape(centre, {radius, radius, radius}); }

Shape torusShape(Vec3 centre, double ring, double tube) {
    Shape s{};
    s.kind = SHAPE_TORUS;
    s.a = centre;
    s.ring = ring;
    s.r1 = tube;
    return s;
}

Shape cylinderShape(Vec3 a, Vec3 b, double radius) {
    Shape s{};
    s.kind = SHAPE_CYLINDER;
    s.a = a;
    s.b = b;
    s.r1 = radius;
    return s;
}

static double boxShapeDistance(const Shape& s, Vec3 p) {
    Vec3 centre = (s.a + s.b) * 0.5;
    double dy = s.b.y - s.a.y, dz = s.b.z - s.a.z;
    double len = length2(dy, dz);
    // Along the slab and across it, both within the y-z plane.
    double uy = len > 0 ? dy / len : 0, uz = len > 0 ? dz / len : 1;
    Vec3 d = p - centre;
    double along = d.y * uy + d.z * uz;
    double across = d.z * uy - d.y * uz;
    return boxDistance(std::fabs(along) - len / 2, std::fabs(across) - s.r1, std::fabs(d.x) - s.r2);
}

static double capsuleDistance(const Shape& s, Vec3 p) {
    Vec3 ab = s.b - s.a;
    double span = dot(ab, ab);
    double h = span > 0 ? std::clamp(dot(p - s.a, ab) / span, 0.0, 1.0) : 0;
    return length(p - (s.a + ab * h)) - (s.r1 + (s.r2 - s.r1) * h);
}

static double ellipsoidDistance(const Shape& s, Vec3 p) {
    Vec3 d = p - s.a;
    double c = std::cos(s.pitch), sn = std::sin(s.pitch);
    // Turn the point back by the pitch so that the radii are axis-aligned.
    Vec3 local = {d.x, d.y * c - d.z * sn, d.z * c + d.y * sn};
    Vec3 r = s.radii;
    double k = length({local.x / r.x, local.y / r.y, local.z / r.z});
    return (k - 1) * std::min(r.x, std::min(r.y, r.z));
}

static double torusDistance(const Shape& s, Vec3 p) {
    Vec3 d = p - s.a;
    return length2(length2(d.y, d.z) - s.ring, d.x) - s.r1;
}

static double cylinderDistance(const Shape& s, Vec3 p) {
    Vec3 ab = s.b - s.a;
    double len = length(ab);
    Vec3 u = len > 0 ? ab * (1 / len) : Vec3{1, 0, 0};
    Vec3 d = p - (s.a + s.b) * 0.5;
    double along = dot(d, u);
    double radial = length(d - u * along);
    double qr = radial - s.r1, qa = std::fabs(along) - len / 2;
    return length2(std::max(qr, 0.0), std::max(qa, 0.0)) + std::min(std::max(qr, qa), 0.0);
}

double shapeDistance(const Shape& s, Vec3 p) {
    switch (s.kind) {
    case SHAPE_BOX: return boxShapeDistance(s, p);
    case SHAPE_CAPSULE: return capsuleDistance(s, p);
    case SHAPE_ELLIPSOID: return ellipsoidDistance(s, p);
    case SHAPE_TORUS: return torusDistance(s, p);
    case SHAPE_CYLINDER: return cylinderDistance(s, p);
    }
    return 1e9;
}

double shapeBound(const Shape& s, Vec3* centre) {
    switch (s.kind) {
    case SHAPE_BOX:
        *centre = (s.a + s.b) * 0.5;
        return length(s.b - s.a) / 2 + length2(s.r1, s.r2);
    case SHAPE_CAPSULE:
        *centre = (s.a + s.b) * 0.5;
        return length(s.b - s.a) / 2 + std::max(s.r1, s.r2);
    case SHAPE_CYLINDER:
        *centre = (s.a + s.b) * 0.5;
        return length(s.b - s.a) / 2 + s.r1;
    case SHAPE_ELLIPSOID:
        *centre = s.a;
        return std::max(s.radii.x, std::max(s.radii.y, s.radii.z));
    case SHAPE_TORUS:
        *centre = s.a;
        return s.ring + s.r1;
    }
    *centre = s.a;
    return 0;
}
