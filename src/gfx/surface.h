// 16-bit surfaces and the colour format. A pixel (x, y) is always addressed
// as origin + x * xStep + y * yStep, so drawing code works the same in
// either memory order (rows or columns, following the display orientation).
#pragma once
#include <cstdint>

typedef uint16_t Color; // red 15..11, green 10..6, bit 5 clear, blue 4..0

struct Surface {
    int32_t width;
    int32_t height;
    int32_t vertical;  // 1 when laid out column by column
    int32_t xStep;     // elements between (x, y) and (x + 1, y)
    int32_t yStep;     // elements between (x, y) and (x, y + 1)
    int32_t halfWidth;
    int32_t halfHeight;
    uint16_t* pixels;  // owned
    uint16_t* origin;  // the element holding (0, 0)
    Surface* depth;    // for the depth-tested blits; never owned
};

extern Color basicColours[7]; // white, yellow, cyan, blue, magenta, green, red

// Never returns null: an impossible size ends the process with status 1.
Surface* createSurface(int w, int h);
void destroySurface(Surface** handle);
void fillSurface(Surface* s, Color c);

inline bool insideSurface(const Surface* s, int x, int y) {
    return (unsigned)x < (unsigned)s->width && (unsigned)y < (unsigned)s->height;
}
inline uint16_t* pixelAddress(const Surface* s, int x, int y) {
    return s->origin + x * s->xStep + y * s->yStep;
}
inline Color getPixel(const Surface* s, int x, int y) {
    return insideSurface(s, x, y) ? *pixelAddress(s, x, y) : 0;
}
inline void putPixel(Surface* s, int x, int y, Color c) {
    if (insideSurface(s, x, y)) *pixelAddress(s, x, y) = c;
}
void brightenPixel(Surface* s, int x, int y, int n);
void darkenPixel(Surface* s, int x, int y, int n);

inline Color packColor(int r, int g, int b) { return (Color)(((r << 5 | g) << 6) | b); }
inline int colorRed(Color c) { return c >> 11; }
inline int colorGreen(Color c) { return (c >> 6) & 31; }
inline int colorBlue(Color c) { return c & 31; }
void unpackColor(Color c, int* r, int* g, int* b);
Color brightenColor(Color c, int n);
Color darkenColor(Color c, int n);
Color blendColors(Color a, Color b, int w);
Color blendComponents(int r1, int g1, int b1, int r2, int g2, int b2, int w);

// The colour-correction curve applied to every colour read from a picture.
void setColorCurve(int level);
int colorCurveLevel();
extern int colorCurve[32];
inline Color packCorrected(int r, int g, int b) {
    return (Color)((colorCurve[r] << 11) | (colorCurve[g] << 6) | colorCurve[b]);
}
void buildBasicColours();
