// The fonts, overlay pieces, HUD pictures and icons of the build's baked
// data set, read back through the game's loaders.
#pragma once
#include "gfx/font.h"
#include "gfx/image.h"
#include "platform/headless.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "support/baked_data.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <vector>

class BakedArtTest : public ::testing::Test {
protected:
    std::vector<Surface*> surfaces;
    int savedCurve[32];
    char savedDataFolder[sizeof dataFolder];
    int savedThreshold = 0;

    void SetUp() override {
        resetDisplayGeometry();
        headlessReset();
        platformUse(headlessBackend());
        memcpy(savedCurve, colorCurve, sizeof savedCurve);
        memcpy(savedDataFolder, dataFolder, sizeof savedDataFolder);
        savedThreshold = logThreshold;
        logThreshold = 1;
        setColorCurve(128);
        snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
        clearLog();
        ASSERT_TRUE(bakedDataSetPresent());
    }
    void TearDown() override {
        for (int slot = 0; slot < FONT_SLOTS; slot++)
            if (fontSlots[slot]) unloadFont(slot);
        for (Surface*& s : surfaces) destroySurface(&s);
        memcpy(colorCurve, savedCurve, sizeof savedCurve);
        memcpy(dataFolder, savedDataFolder, sizeof savedDataFolder);
        logThreshold = savedThreshold;
        clearLog();
    }

    // A picture through loadPicture; no "File Not Found" box may come up.
    Surface* picture(const char* name) {
        Surface* s = nullptr;
        loadPicture(name, &s);
        surfaces.push_back(s);
        EXPECT_TRUE(headlessMessageBoxes().empty()) << name;
        return s;
    }
    Surface* blank(int w, int h) {
        surfaces.push_back(createSurface(w, h));
        return surfaces.back();
    }
    static int setPixels(const Surface* s, int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++) n += getPixel(s, i, j) != 0;
        return n;
    }
    // The brightest component of any pixel in the rectangle.
    static int brightest(const Surface* s, int x, int y, int w, int h) {
        int most = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++) {
                Color c = getPixel(s, i, j);
                most = std::max({most, colorRed(c), colorGreen(c), colorBlue(c)});
            }
        return most;
    }
    // Rows and columns holding any set pixel: {left, top, right, bottom}.
    struct Box {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    };
    static Box inkBox(const Surface* s) {
        Box b;
        for (int y = 0; y < s->height; y++)
            for (int x = 0; x < s->width; x++)
                if (getPixel(s, x, y)) {
                    b.left = std::min(b.left, x);
                    b.right = std::max(b.right, x);
                    b.top = std::min(b.top, y);
                    b.bottom = std::max(b.bottom, y);
                }
        return b;
    }
    static bool logged(const char* line) {
        for (int i = 0; i < LOG_LINES; i++)
            if (strncmp(logText[i], line, LOG_COLUMNS) == 0) return true;
        return false;
    }
};
