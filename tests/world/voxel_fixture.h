// Shared set-up of the voxel model tests: a temporary data folder, the log
// recording every level, and helpers that write 3dObj bytes by hand.
#pragma once
#include "gfx/surface.h"
#include "shell/display.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "support/game_fixture.h"
#include "world/voxel.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

inline void appendLe32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; i++) b.push_back((unsigned char)(v >> (8 * i)));
}

// One 3dObj record: x0, y0, z0 as 32-bit values, colour, reserved.
inline void appendRecord(Bytes& b, int32_t x, int32_t y, int32_t z, uint16_t colour, uint16_t reserved = 0) {
    appendLe32(b, (uint32_t)x);
    appendLe32(b, (uint32_t)y);
    appendLe32(b, (uint32_t)z);
    b.push_back((unsigned char)colour);
    b.push_back((unsigned char)(colour >> 8));
    b.push_back((unsigned char)reserved);
    b.push_back((unsigned char)(reserved >> 8));
}

class VoxelTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetDisplayGeometry();
        strcpy(savedDataFolder, dataFolder);
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
        savedThreshold = logThreshold;
        logThreshold = 10;
        clearLog();
        model = createVoxelModel();
    }
    void TearDown() override {
        destroyVoxelModel(&model);
        strcpy(dataFolder, savedDataFolder);
        logThreshold = savedThreshold;
    }
    void writeFile(const char* name, const Bytes& bytes) {
        FILE* f = fopen(dir.data(name).c_str(), "wb");
        ASSERT_TRUE(f);
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    Bytes readFile(const char* name) {
        Bytes bytes;
        FILE* f = fopen(dir.data(name).c_str(), "rb");
        if (!f) return bytes;
        int c;
        while ((c = fgetc(f)) != EOF) bytes.push_back((unsigned char)c);
        fclose(f);
        return bytes;
    }
    // The most recent complete log line.
    std::string lastLogLine(int back = 1) { return std::string(logText[back], strnlen(logText[back], LOG_COLUMNS)); }

    GameDir dir;
    VoxelModel* model = nullptr;
    char savedDataFolder[256];
    int savedThreshold = 0;
};
