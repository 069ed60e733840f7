// The rider, seated in the attack position: leaning over the tank, elbows
// out, hands on the grips, boots on the pegs. Jersey, trousers and helmet
// take the rider's body colour; face, goggles, gloves and boots keep theirs.
#include "bake/models.h"

namespace {

const Paint JERSEY = {PAINT_BODY, 0, 0, 29, PART_RIDER};
const Paint HELMET = {PAINT_BODY, 0, 0, 30, PART_HELMET};
const Paint SKIN = {PAINT_KEPT, 19, 15, 11, PART_SKIN};
const Paint LENS = {PAINT_KEPT, 5, 8, 12, PART_GOGGLES};
const Paint STRAP = {PAINT_KEPT, 6, 6, 6, PART_GOGGLES};
const Paint GLOVE = {PAINT_KEPT, 26, 26, 26, PART_GLOVE};
const Paint BOOT = {PAINT_KEPT, 27, 27, 28, PART_BOOT};
const Paint SOLE = {PAINT_KEPT, 5, 5, 5, PART_BOOT};

Vec3 at(double x, double y, double z) { return {x, y, z}; }

void addHead(Sculpture& s) {
    addShape(s, capsuleShape(at(0, 62, -2), at(0, 74, 4), 5.5, 5.5), JERSEY);
    addShape(s, ellipsoidShape(at(0, 84, 6), at(12, 13, 14)), HELMET);
    addShape(s, ellipsoidShape(at(0, 74, 16), at(8, 6, 8), 0.3), HELMET);
    addShape(s, boxShape(at(0, 95, 10), at(0, 92, 30), 1.5, 9), HELMET);
    addShape(s, ellipsoidShape(at(0, 85, 6), at(12.8, 2.5, 14.8)), STRAP);
    addShape(s, boxShape(at(0, 88, 19), at(0, 82, 21), 2.5, 9), LENS);
    addShape(s, ellipsoidShape(at(0, 79, 19), at(5, 3, 3)), SKIN);
}

void addTorso(Sculpture& s) {
    addShape(s, capsuleShape(at(0, 27, -22), at(0, 58, -4), 9.5, 11), JERSEY);
    addShape(s, capsuleShape(at(-11, 62, -2), at(11, 62, -2), 5.5, 5.5), JERSEY);
}

void addArms(Sculpture& s) {
    addShapePair(s, capsuleShape(at(13, 62, -1), at(20, 48, 18), 5.5, 4.8), JERSEY);
    addShapePair(s, capsuleShape(at(20, 48, 18), at(21, 38, 38), 4.8, 4), JERSEY);
    addShapePair(s, sphereShape(at(22, 36, 42), 5), GLOVE);
}

void addLegs(Sculpture& s) {
    addShapePair(s, capsuleShape(at(9, 25, -20), at(14, 27, 14), 8, 6.5), JERSEY);
    addShapePair(s, capsuleShape(at(14, 27, 14), at(14, -18, -6), 6, 4.5), JERSEY);
    addShapePair(s, capsuleShape(at(14, 0, 4), at(14.5, -20, -6), 6, 6), BOOT);
    addShapePair(s, capsuleShape(at(14.5, -24, -14), at(14.5, -26, 2), 4.5, 4.5), BOOT);
    addShapePair(s, boxShape(at(14.5, -30, -16), at(14.5, -30, 4), 1.5, 4.5), SOLE);
}

} // namespace

void addRiderShapes(Sculpture& s) {
    addHead(s);
    addTorso(s);
    addArms(s);
    addLegs(s);
}
