#include "gfx/image.h"
#include "gfx/image_decode.h"
#include "platform/platform.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>

const int REPLACEMENT_SIZE = 5;

bool pictureSizeAllowed(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height <= MAX_PICTURE_PIXELS;
}

void pictureError(const char* path, const char* what) {
    logf(1, LOG_TAG_ERROR, "[ERROR] %s: %s\n", what, path);
    fprintf(stderr, "[ERROR] %s: %s\n", what, path);
}

static bool fileOpens(const char* path) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    fclose(f);
    return true;
}

static void reportMissing(const char* path) {
    platformMessageBox(path, "File Not Found");
    logAt(1, "[ERROR] ", LOG_TAG_ERROR);
    logAt(1, "Loading Picture:\n     ", 0);
    logAt(1, path, 0);
    logAt(1, "\n", 0);
}

// Only the third-last character of the whole path decides: the first
// letter of a three-letter extension.
static bool isJpegPath(const char* path) {
    size_t n = strlen(path);
    return n >= 3 && (path[n - 3] == 'j' || path[n - 3] == 'J');
}

void loadPicture(const char* name, Surface** handle) {
    char path[512];
    int n = snprintf(path, sizeof path, "%s%s", dataFolder, name);
    if (n < 0 || n >= (int)sizeof path || !fileOpens(path)) {
        reportMissing(path);
    } else if (isJpegPath(path)) {
        loadJpeg(path, handle);
    } else {
        loadPng(path, handle);
    }
    if (!*handle) {
        logAt(1, "surface still null\n", 0);
        *handle = createSurface(REPLACEMENT_SIZE, REPLACEMENT_SIZE);
    }
}
