#include "shell/display.h"
#include "platform/platform.h"
#include "shell/loop.h"
#include "shell/overlay.h"
#include "gfx/image.h"

#include <cstdio>
#include <vector>

DisplayGeometry displayGeometry;
int fullScreen = 1;

static const char* WINDOW_NAME = "Kelvarostrindamuxelor";

struct OrientationRow {
    int width, height, vertical, xSpan, ySpan;
};
static const OrientationRow ORIENTATIONS[4] = {
    {640, 480, 0, 1, 640},
    {480, 640, 1, 640, -1},
    {640, 480, 0, -1, -640},
    {480, 640, 1, -640, 1},
};

void applyOrientationGeometry(int orientation) {
    if (orientation < 1 || orientation > 3) orientation = 0;
    const OrientationRow& row = ORIENTATIONS[orientation];
    displayGeometry.fullScreenField = 0;
    displayGeometry.logicalWidth = row.width;
    displayGeometry.logicalHeight = row.height;
    displayGeometry.memoryVertical = row.vertical;
    displayGeometry.landscape = 0;
    displayGeometry.orientation = orientation;
    displayGeometry.bitsPerPixel = 16;
    displayGeometry.format = 0;
    displayGeometry.xSpan = row.xSpan;
    displayGeometry.ySpan = row.ySpan;
}

void resetDisplayGeometry() { applyOrientationGeometry(0); }

// The orientation itself is what the settings file stores; it is read from
// displayGeometry when the settings are saved. Pictures laid out for the old
// orientation are the caller's to reload.
void setOrientation(int orientation) {
    applyOrientationGeometry(orientation);
    if (smallChars) {
        destroySurface(&smallChars);
        loadSmallChars();
    }
    if (framebuffer) destroySurface(&framebuffer);
    framebuffer = createSurface(displayGeometry.logicalWidth, displayGeometry.logicalHeight);
    retractOverlayPanels();
}

static const char* ICON_FILE = "icon.png";
static std::vector<uint16_t> iconPixels; // rows, kept for a re-created window
static int iconWidth, iconHeight;

static void applyWindowIcon() {
    if (!iconPixels.empty()) platformSetWindowIcon(iconPixels.data(), iconWidth, iconHeight);
}

// The icon is a nicety: a missing one is no reason for a message box.
void loadWindowIcon() {
    char path[512];
    snprintf(path, sizeof path, "%s%s", dataFolder, ICON_FILE);
    Surface* icon = nullptr;
    if (!loadPng(path, &icon)) {
        if (icon) destroySurface(&icon);
        return;
    }
    iconWidth = icon->width;
    iconHeight = icon->height;
    iconPixels.resize((size_t)iconWidth * iconHeight);
    for (int y = 0; y < iconHeight; y++)
        for (int x = 0; x < iconWidth; x++) iconPixels[(size_t)y * iconWidth + x] = getPixel(icon, x, y);
    destroySurface(&icon);
    applyWindowIcon();
}

bool createGameWindow() {
    bool created = platformCreateWindow(WINDOW_NAME, fullScreen != 0);
    if (created) applyWindowIcon();
    return created;
}

void destroyGameWindow() { platformDestroyWindow(); }

// The framebuffer's memory is always 480 rows of 640 pixels in display
// order, whatever the orientation, so it goes to the window as it is.
bool presentFrame(Surface* surface) {
    if (quitRequested) return true;
    return platformPresent(surface->pixels);
}

void toggleFullScreen() {
    fullScreen = !fullScreen;
    platformDestroyWindow();
    createGameWindow();
    if (framebuffer) presentFrame(framebuffer);
}
