#include "gfx/screenshot.h"
#include "gfx/surface.h"
#include "player/savefile.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

int screenshotCounter;
const char* screenshotPaths[2] = {"Screenshots/%s%d.BMP", "%s%d.BMP"};

static const char* PRODUCT_NAME = "Kelvarostrindamuxelor";
static const int BMP_HEADER_BYTES = 54;
static const int BMP_PIXELS_PER_METRE = 2952;

static void put16(unsigned char* p, int v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}
static void put32(unsigned char* p, int v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, (v >> 16) & 0xFFFF);
}

// A relative pattern is kept beside the working directory, unless the data
// folder is read-only: then the player's own folder takes it.
static void screenshotPattern(char* out, int size, const char* pattern) {
    const char* folder = playerFolder();
    bool userFolder = pattern[0] != '/' && strcmp(folder, dataFolder) != 0;
    snprintf(out, size, "%s%s", userFolder ? folder : "", pattern);
}

// Creates the next screenshot file; fills `path`. False when neither
// location can be written.
static bool createScreenshotFile(char* path, int size) {
    // The first folder is made when missing; failing that, the fallback.
    char folder[512];
    screenshotPattern(folder, sizeof folder, screenshotPaths[0]);
    char* slash = strrchr(folder, '/');
    if (slash) {
        *slash = 0;
        mkdir(folder, 0755);
    }
    for (const char* relative : screenshotPaths) {
        char pattern[512];
        screenshotPattern(pattern, sizeof pattern, relative);
        snprintf(path, size, pattern, PRODUCT_NAME, screenshotCounter);
        FILE* f = fopen(path, "wb");
        if (f) {
            fclose(f);
            screenshotCounter++;
            return true;
        }
    }
    return false;
}

void saveScreenshot() {
    char path[512];
    if (!createScreenshotFile(path, sizeof path)) return;
    FILE* f = fopen(path, "wb");
    if (!f) {
        logAt(6, "Unable to write screenshot BMP", 0);
        return;
    }
    const Surface* s = framebuffer;
    int rowBytes = (s->width * 3 + 3) & ~3;
    unsigned char header[BMP_HEADER_BYTES] = {'B', 'M'};
    put32(header + 10, BMP_HEADER_BYTES);
    put32(header + 14, 40);
    put32(header + 18, s->width);
    put32(header + 22, s->height);
    put16(header + 26, 1);
    put16(header + 28, 24);
    put32(header + 34, rowBytes * s->height);
    put32(header + 38, BMP_PIXELS_PER_METRE);
    put32(header + 42, BMP_PIXELS_PER_METRE);
    if (fwrite(header, 1, 14, f) != 14 || fwrite(header + 14, 1, 40, f) != 40) {
        logAt(6, "Unable to write screenshot BMP", 0);
        fclose(f);
        return;
    }
    unsigned char* rows = (unsigned char*)calloc((size_t)rowBytes * s->height, 1);
    if (!rows) {
        logAt(6, "Screenshot: out of memory", 0);
        fclose(f);
        return;
    }
    for (int y = 0; y < s->height; y++) {
        unsigned char* p = rows + (size_t)(s->height - 1 - y) * rowBytes;
        for (int x = 0; x < s->width; x++, p += 3) {
            Color c = getPixel(s, x, y);
            p[0] = (unsigned char)(colorBlue(c) << 3);
            p[1] = (unsigned char)(colorGreen(c) << 3);
            p[2] = (unsigned char)(colorRed(c) << 3);
        }
    }
    size_t total = (size_t)rowBytes * s->height;
    if (fwrite(rows, 1, total, f) != total) logAt(6, "Unable to write screenshot BMP", 0);
    free(rows);
    fclose(f);
}
