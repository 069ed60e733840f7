// Display geometry and presentation: the logical screen the game draws,
// its orientation on the 640 x 480 display, and the copy to the window.
#pragma once
#include "gfx/surface.h"

struct DisplayGeometry {
    int fullScreenField; // always 0, logged only
    int logicalWidth;
    int logicalHeight;
    int memoryVertical;  // 1 in orientations 1 and 3
    int landscape;       // always 0, logged only
    int orientation;     // 0..3
    int bitsPerPixel;
    int format;          // always 0, logged only
    int xSpan;           // display pixels per logical x + 1
    int ySpan;
};

extern DisplayGeometry displayGeometry;
extern int fullScreen; // 1 = desktop full screen, 0 = resizable window

void resetDisplayGeometry();
// Applies the orientation table only (no asset reload); used by start-up
// before anything is loaded, and by setOrientation.
void applyOrientationGeometry(int orientation);
// The geometry, the small characters and a new framebuffer for the
// orientation; the start-up pictures are reloaded by the screens
// (reloadOrientationAssets).
void setOrientation(int orientation);
bool createGameWindow();
// Reads the window icon from the data folder and gives it to the window.
void loadWindowIcon();
bool presentFrame(Surface* surface);
void toggleFullScreen();
void destroyGameWindow();
