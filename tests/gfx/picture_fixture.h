// A test folder as dataFolder, the headless platform for message boxes, and
// the colour curve, log and display geometry put back afterwards.
#pragma once
#include "gfx/image.h"
#include "gfx/picture_writer.h"
#include "platform/headless.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>

class PictureTest : public ::testing::Test {
protected:
    GameDir dir;
    Surface* s = nullptr;

    void SetUp() override {
        resetDisplayGeometry();
        headlessReset();
        platformUse(headlessBackend());
        memcpy(savedCurve, colorCurve, sizeof savedCurve);
        memcpy(savedDataFolder, dataFolder, sizeof savedDataFolder);
        savedThreshold = logThreshold;
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
        clearLog();
    }
    void TearDown() override {
        destroySurface(&s);
        memcpy(colorCurve, savedCurve, sizeof savedCurve);
        memcpy(dataFolder, savedDataFolder, sizeof savedDataFolder);
        logThreshold = savedThreshold;
        clearLog();
        resetDisplayGeometry();
    }
    std::string path(const char* name) const { return dir.data(name); }
    static Color colour(int r, int g, int b) { return packCorrected(r >> 3, g >> 3, b >> 3); }
    const std::vector<std::string>& boxes() const { return headlessMessageBoxes(); }
    // Every pixel of the surface equals c.
    static bool allPixels(const Surface* surface, Color c) {
        for (int y = 0; y < surface->height; y++)
            for (int x = 0; x < surface->width; x++)
                if (getPixel(surface, x, y) != c) return false;
        return true;
    }
    // The log ring from oldest to newest, lines joined by '|'.
    static std::string logLines() {
        std::string all;
        for (int i = LOG_LINES - 1; i >= 0; i--) {
            std::string line(logText[i], strnlen(logText[i], LOG_COLUMNS));
            if (!line.empty()) all += line + "|";
        }
        return all;
    }

private:
    int savedCurve[32];
    char savedDataFolder[sizeof dataFolder];
    int savedThreshold;
};
