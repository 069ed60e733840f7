// The off-road bike: knobbly tyres on spoked wheels, a raked fork, a
// single-cylinder engine with its exhaust, frame, tank, seat, fenders and
// number plates. Painted parts take the rider's bike colour; rubber and
// metal keep theirs. Units: about 90 to the metre; the whole bike and its
// rider stay within 124 units of the origin, so that at the game's scale
// of 0.7 they fit the 48 x 48 sprite however the model is turned.
#include "bake/models.h"

#include <cmath>

namespace {

const double WHEEL_Y = -37; // axle height: tyres touch BIKE_GROUND_Y
const double REAR_AXLE_Z = -70;
const double FRONT_AXLE_Z = 72;
const double TYRE_RING = 29;
const double TYRE_TUBE = 6;
const int KNOBS_PER_ROW = 26;
const int SPOKES_PER_SIDE = 9;

const Paint TYRE = {PAINT_KEPT, 6, 6, 6, PART_TYRE};
const Paint KNOB = {PAINT_KEPT, 8, 8, 8, PART_TYRE};
const Paint RIM = {PAINT_KEPT, 26, 26, 27, PART_WHEEL};
const Paint SPOKE = {PAINT_KEPT, 15, 15, 16, PART_WHEEL};
const Paint HUB = {PAINT_KEPT, 15, 15, 16, PART_WHEEL};
const Paint DISC = {PAINT_KEPT, 18, 18, 19, PART_WHEEL};
const Paint FORK_TUBE = {PAINT_KEPT, 27, 27, 28, PART_FORK};
const Paint FORK_LEG = {PAINT_KEPT, 8, 8, 9, PART_FORK};
const Paint CLAMP = {PAINT_KEPT, 25, 25, 26, PART_FORK};
const Paint BAR = {PAINT_KEPT, 26, 26, 27, PART_FORK};
const Paint CRANKCASE = {PAINT_KEPT, 14, 14, 15, PART_ENGINE};
const Paint BARREL = {PAINT_KEPT, 10, 10, 11, PART_ENGINE};
const Paint FIN = {PAINT_KEPT, 19, 19, 19, PART_ENGINE};
const Paint COVER = {PAINT_KEPT, 18, 18, 19, PART_ENGINE};
const Paint PIPE = {PAINT_KEPT, 17, 16, 15, PART_EXHAUST};
const Paint SILENCER = {PAINT_KEPT, 25, 25, 26, PART_EXHAUST};
const Paint END_CAP = {PAINT_KEPT, 7, 7, 7, PART_EXHAUST};
const Paint SWINGARM = {PAINT_KEPT, 25, 25, 26, PART_CHASSIS};
const Paint SHOCK = {PAINT_KEPT, 18, 18, 19, PART_CHASSIS};
const Paint CHAIN = {PAINT_KEPT, 5, 5, 5, PART_CHASSIS};
const Paint RADIATOR = {PAINT_KEPT, 7, 7, 8, PART_CHASSIS};
const Paint FRAME = {PAINT_BIKE, 20, 0, 0, PART_FRAME};
const Paint TANK = {PAINT_BIKE, 30, 0, 0, PART_TANK};
const Paint SEAT = {PAINT_BIKE, 12, 0, 0, PART_SEAT};
const Paint FENDER = {PAINT_BIKE, 28, 0, 0, PART_FENDER};
const Paint PLATE = {PAINT_BIKE, 26, 0, 0, PART_PLATE};

Vec3 at(double x, double y, double z) { return {x, y, z}; }

void addKnobs(Sculpture& s, double axleZ) {
    // Two staggered rows of tread blocks round the tyre.
    for (int row = 0; row < 2; row++)
        for (int k = 0; k < KNOBS_PER_ROW; k++) {
            double angle = 2 * M_PI * (k + 0.5 * row) / KNOBS_PER_ROW;
            double r = TYRE_RING + TYRE_TUBE + 0.5;
            Vec3 c = at(row ? 3.5 : -3.5, WHEEL_Y + r * std::sin(angle), axleZ + r * std::cos(angle));
            addShape(s, sphereShape(c, 2.2), KNOB);
        }
}

void addSpokes(Sculpture& s, double axleZ) {
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < SPOKES_PER_SIDE; k++) {
            double angle = 2 * M_PI * (k + (side > 0 ? 0.5 : 0)) / SPOKES_PER_SIDE;
            double lag = angle + 0.35; // tangential lacing
            Vec3 hub = at(6 * side, WHEEL_Y + 4 * std::sin(lag), axleZ + 4 * std::cos(lag));
            Vec3 rim = at(2 * side, WHEEL_Y + 20 * std::sin(angle), axleZ + 20 * std::cos(angle));
            addLine(s, hub, rim, SPOKE);
        }
}

void addWheel(Sculpture& s, double axleZ) {
    addShape(s, torusShape(at(0, WHEEL_Y, axleZ), TYRE_RING, TYRE_TUBE), TYRE);
    addKnobs(s, axleZ);
    addShape(s, torusShape(at(0, WHEEL_Y, axleZ), 22, 1.5), RIM);
    addShape(s, cylinderShape(at(-7, WHEEL_Y, axleZ), at(7, WHEEL_Y, axleZ), 4), HUB);
    addSpokes(s, axleZ);
}

void addBrakes(Sculpture& s) {
    addShape(s, cylinderShape(at(-9, WHEEL_Y, FRONT_AXLE_Z), at(-8, WHEEL_Y, FRONT_AXLE_Z), 11), DISC);
    addShape(s, cylinderShape(at(9, WHEEL_Y, REAR_AXLE_Z), at(10, WHEEL_Y, REAR_AXLE_Z), 8), DISC);
}

void addFork(Sculpture& s) {
    // Raked from the steering head down to the front axle.
    addShapePair(s, capsuleShape(at(9, 33, 44), at(9, -2.5, 58), 4.2, 4.2), FORK_TUBE);
    addShapePair(s, capsuleShape(at(9, 2, 56), at(9, WHEEL_Y - 3, FRONT_AXLE_Z + 1), 5.2, 5.2), FORK_LEG);
    addShape(s, boxShape(at(0, 29, 40), at(0, 29, 52), 2, 13), CLAMP);
    addShape(s, boxShape(at(0, 16, 46), at(0, 16, 58), 2, 13), CLAMP);
    addShapePair(s, capsuleShape(at(6, 30, 44), at(6, 36, 42), 2, 2), CLAMP);
    addShape(s, capsuleShape(at(-27, 36, 42), at(27, 36, 42), 1.8, 1.8), BAR);
}

void addEngine(Sculpture& s) {
    addShape(s, boxShape(at(0, -30, -18), at(0, -30, 22), 14, 10), CRANKCASE);
    addShape(s, boxShape(at(0, -18, 6), at(0, 8, 16), 8, 8), BARREL);
    // Cooling fins across the barrel.
    Vec3 axis = at(0, 26, 10) * (1 / std::sqrt(26.0 * 26 + 10 * 10));
    Vec3 across = at(0, -axis.z, axis.y) * 11;
    for (int k = 0; k < 5; k++) {
        Vec3 c = at(0, -14, 7.5) + axis * (4.0 + 5.0 * k);
        addShape(s, boxShape(c - across, c + across, 1.2, 11), FIN);
    }
    addShape(s, boxShape(at(0, 8, 15), at(0, 14, 19), 9, 9), CRANKCASE);
    addShape(s, cylinderShape(at(10, -30, 4), at(13, -30, 4), 11), COVER);
    addShape(s, cylinderShape(at(-10, -30, -6), at(-13, -30, -6), 10), COVER);
}

void addExhaust(Sculpture& s) {
    const Vec3 bends[] = {at(5, 4, 22), at(10, -6, 30), at(14, -16, 22), at(15, -18, 4), at(15, -14, -24),
                          at(14, -6, -36)};
    for (size_t i = 0; i + 1 < sizeof bends / sizeof bends[0]; i++)
        addShape(s, capsuleShape(bends[i], bends[i + 1], 3, 3), PIPE);
    addShape(s, capsuleShape(at(14, -4, -36), at(13, 6, -86), 7, 6.5), SILENCER);
    addShape(s, cylinderShape(at(13, 6, -86), at(13, 6.4, -90), 4.5), END_CAP);
}

void addFrame(Sculpture& s) {
    addShape(s, cylinderShape(at(0, 30, 44), at(0, 14, 51), 4.5), FRAME);
    addShapePair(s, capsuleShape(at(6, 22, 44), at(7, 14, -30), 3, 3), FRAME);
    addShape(s, capsuleShape(at(0, 14, 50), at(0, -36, 32), 3.5, 3.5), FRAME);
    addShapePair(s, capsuleShape(at(6, -38, 30), at(6, -48, 0), 3, 3), FRAME);
    addShapePair(s, capsuleShape(at(6, -48, 0), at(6, -46, -22), 3, 3), FRAME);
    addShapePair(s, capsuleShape(at(7, -44, -22), at(7, 12, -30), 3.5, 3.5), FRAME);
    addShapePair(s, capsuleShape(at(7, 12, -30), at(6, 14, -80), 2.5, 2.5), FRAME);
    addShapePair(s, capsuleShape(at(7, -20, -28), at(6, 12, -70), 2.5, 2.5), FRAME);
}

void addChassis(Sculpture& s) {
    addShapePair(s, boxShape(at(9, -28, -24), at(9, WHEEL_Y, REAR_AXLE_Z), 3.5, 2.5), SWINGARM);
    addShape(s, capsuleShape(at(0, 10, -26), at(0, -26, -40), 3.5, 3.5), SHOCK);
    addShape(s, capsuleShape(at(-11, -33, -12), at(-11, WHEEL_Y + 3, REAR_AXLE_Z), 2, 2), CHAIN);
    addShape(s, capsuleShape(at(-11, -41, -12), at(-11, WHEEL_Y - 7, REAR_AXLE_Z), 2, 2), CHAIN);
    addShape(s, cylinderShape(at(-10, WHEEL_Y, REAR_AXLE_Z), at(-11, WHEEL_Y, REAR_AXLE_Z), 9), HUB);
    addShapePair(s, capsuleShape(at(8, -26, -8), at(20, -26, -8), 2, 2), CHAIN);
    addShapePair(s, boxShape(at(9, 10, 40), at(9, -12, 32), 6, 3), RADIATOR);
}

void addBodywork(Sculpture& s) {
    addShape(s, ellipsoidShape(at(0, 14, 24), at(13, 10, 21), 0.12), TANK);
    addShapePair(s, boxShape(at(13, 18, 40), at(13, -8, 30), 8, 1.5), TANK);
    addShape(s, boxShape(at(0, 17, 14), at(0, 19, -60), 3.5, 8), SEAT);
    addShapePair(s, boxShape(at(10, 4, -28), at(10, 4, -58), 9, 1.2), PLATE);
    addShape(s, boxShape(at(0, 42, 50), at(0, 18, 58), 1.5, 11), PLATE);
    addShape(s, boxShape(at(0, 12, -50), at(0, 20, -106), 1.5, 9), FENDER);
    addShape(s, boxShape(at(0, 8, 42), at(0, 2, 104), 1.5, 8), FENDER);
}

} // namespace

std::vector<SculptPoint> bikeModelPoints() {
    Sculpture s;
    addWheel(s, REAR_AXLE_Z);
    addWheel(s, FRONT_AXLE_Z);
    addBrakes(s);
    addFork(s);
    addEngine(s);
    addExhaust(s);
    addFrame(s);
    addChassis(s);
    addBodywork(s);
    addRiderShapes(s);
    return withUndrawnFirst(carveSculpture(s));
}
