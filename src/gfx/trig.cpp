#include "gfx/trig.h"

#include <cmath>

int32_t sineTable[TRIG_TABLE_SIZE];
int32_t cosineTable[TRIG_TABLE_SIZE];

// A little more than pi / 180 (3.14592654 / 180): the game's angles have
// always been measured with it, so entry 360 is not quite a full turn.
static const double TABLE_RADIANS_PER_DEGREE = 0.01747736966666667;
static const double DEGREES_PER_RADIAN = 57.3;

void buildTrigTables() {
    for (int d = 0; d < TRIG_TABLE_SIZE; d++) {
        sineTable[d] = (int32_t)(std::sin(d * TABLE_RADIANS_PER_DEGREE) * TRIG_ONE);
        cosineTable[d] = (int32_t)(std::cos(d * TABLE_RADIANS_PER_DEGREE) * TRIG_ONE);
    }
}

// Quarter-turn back, so that the cosine table gives sin and the sine table -cos.
static int quarterBack(int deg) {
    int i = (int)(((int64_t)deg + 270) % 360);
    return i < 0 ? i + 360 : i;
}

// 64-bit product: a scale beyond 32768 would overflow 32 bits; the shift
// stays arithmetic, so small negative products round toward minus infinity.
int dirX(int scale, int deg) { return (int)(((int64_t)scale * cosineTable[quarterBack(deg)]) >> 16); }
int dirY(int scale, int deg) { return (int)(((int64_t)scale * sineTable[quarterBack(deg)]) >> 16); }

int angleDelta(int a, int b) {
    int64_t turn = ((int64_t)b - a + 360) % 360;
    return (int)(turn > 180 ? turn - 360 : turn);
}

int headingTo(int x1, int y1, int x2, int y2) {
    double dx = (double)x2 - x1, dy = (double)y2 - y1;
    if (dx == 0) return dy >= 0 ? 180 : 0;
    // Straight across: the arc tangent of an infinite ratio, a quarter turn.
    int t = dy == 0 ? (dx > 0 ? 90 : -90) : (int)(std::atan(dx / dy) * DEGREES_PER_RADIAN);
    if (dy < 0) t += 180;
    return 540 - t;
}

int distance2d(int x1, int y1, int x2, int y2) {
    double dx = (double)x2 - x1, dy = (double)y2 - y1;
    double d = std::sqrt(dx * dx + dy * dy);
    return d >= INT32_MAX ? INT32_MAX : (int)d; // only corners of the int range get this far
}
