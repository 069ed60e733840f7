#include "screens/placeholder.h"
#include "screens/mode_ids.h"
#include "gfx/surface.h"
#include "shell/keys.h"
#include "shell/loop.h"

#include <cstdio>

// Seven-segment digits, so each placeholder says which mode it stands for.
static void drawDigit(int digit, int x0, int y0, int size, Color c) {
    static const unsigned char SEGMENTS[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    static const int BARS[7][4] = {{0, 0, 1, 0}, {1, 0, 1, 1}, {1, 1, 1, 2}, {0, 2, 1, 2},
                                   {0, 1, 0, 2}, {0, 0, 0, 1}, {0, 1, 1, 1}};
    int thick = size / 5;
    for (int s = 0; s < 7; s++) {
        if (!(SEGMENTS[digit] >> s & 1)) continue;
        int xa = x0 + BARS[s][0] * size, ya = y0 + BARS[s][1] * size;
        int xb = x0 + BARS[s][2] * size, yb = y0 + BARS[s][3] * size;
        for (int y = ya; y <= yb + thick; y++)
            for (int x = xa; x <= xb + thick; x++) putPixel(framebuffer, x, y, c);
    }
}

static Mode render(Mode self) {
    Color back = packColor(2, 3 + self % 8, 8 + self % 16);
    fillSurface(framebuffer, back);
    char digits[12];
    int n = snprintf(digits, sizeof digits, "%d", self);
    int size = 40, x = framebuffer->halfWidth - n * size * 3 / 4, y = framebuffer->halfHeight - size;
    for (int i = 0; i < n; i++) drawDigit(digits[i] - '0', x + i * size * 3 / 2, y, size, packColor(31, 31, 31));
    // A marker sweeping along the bottom shows the loop running.
    int sweep = modeFrameCount % framebuffer->width;
    for (int row = framebuffer->height - 8; row < framebuffer->height; row++)
        for (int col = sweep; col < sweep + 16; col++) putPixel(framebuffer, col, row, packColor(31, 24, 0));
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    return e.kind == INPUT_KEY_UP && e.key == keyBindings[BIND_ESCAPE] ? MODE_TITLE : self;
}

const ModeScreen placeholderScreen = {nullptr, nullptr, nullptr, render, input, false, false};
const ModeScreen placeholderQuietScreen = {nullptr, nullptr, nullptr, render, input, true, false};
