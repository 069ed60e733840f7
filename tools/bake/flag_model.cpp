// The start-line flag: a white pole with a gold knob and a chequered
// banner rippling along z. The track build shows it turned so that z runs
// across the screen, at full size (4 model units to the pixel): about as
// tall as a rider on his bike.
#include "bake/models.h"

#include <cmath>

namespace {

const double POLE_Z = -35;
const double POLE_TOP_Y = 90;
const double BANNER_START_Z = -32; // a whole pixel column after the pole
const double BANNER_TOP_Y = 88;
const int SQUARE = 16; // chequer square: 4 pixels, so that squares keep their edges
const int SQUARE_COLUMNS = 4;
const int SQUARE_ROWS = 3;
const int STRIP = 4;   // cloth strips, each shaded by its slope in the ripple
const double RIPPLE = 3;
const double CLOTH_STEP = 2;

const Paint POLE = {PAINT_KEPT, 27, 27, 28, PART_FLAG_POLE};
const Paint KNOB = {PAINT_KEPT, 28, 24, 6, PART_FLAG_POLE};
const Paint FOOT = {PAINT_KEPT, 9, 9, 9, PART_FLAG_POLE};
const Paint WHITE = {PAINT_KEPT, 29, 29, 29, PART_FLAG_CLOTH};
const Paint BLACK = {PAINT_KEPT, 3, 3, 3, PART_FLAG_CLOTH};

Vec3 at(double x, double y, double z) { return {x, y, z}; }

double ripplePhase(double along) { return along / (SQUARE * SQUARE_COLUMNS) * 2 * M_PI; }
double ripple(double along) { return RIPPLE * std::sin(ripplePhase(along)); }

void addPole(Sculpture& s) {
    // One file of points: the splat makes the pole two pixels wide.
    addLine(s, at(0, FLAG_GROUND_Y, POLE_Z), at(0, POLE_TOP_Y, POLE_Z), POLE, 1.0);
    addShape(s, sphereShape(at(0, POLE_TOP_Y + 2, POLE_Z), 2), KNOB);
    addShape(s, cylinderShape(at(0, FLAG_GROUND_Y, POLE_Z), at(0, FLAG_GROUND_Y + 2, POLE_Z), 4), FOOT);
}

// The cloth is too thin for the grid: rows of points, strip by strip.
void addBanner(Sculpture& s) {
    for (int column = 0; column < SQUARE_COLUMNS; column++)
        for (int strip = 0; strip < SQUARE / STRIP; strip++) {
            double a0 = column * SQUARE + strip * STRIP, a1 = a0 + STRIP - 1;
            double light = 0.8 + 0.2 * std::cos(ripplePhase(a0 + STRIP / 2.0));
            for (int row = 0; row < SQUARE_ROWS; row++) {
                const Paint& paint = (row + column) % 2 ? BLACK : WHITE;
                double top = BANNER_TOP_Y - row * SQUARE;
                for (double y = top; y > top - SQUARE; y -= CLOTH_STEP)
                    addLine(s, at(ripple(a0), y, BANNER_START_Z + a0), at(ripple(a1), y, BANNER_START_Z + a1), paint,
                            light);
            }
        }
}

} // namespace

std::vector<SculptPoint> flagModelPoints() {
    Sculpture s;
    addPole(s);
    addBanner(s);
    return withUndrawnFirst(carveSculpture(s));
}
