// A fresh data folder for the player-data tests, with small helpers to put
// bytes into its files and read them back.
#pragma once
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class PlayerDataTest : public ::testing::Test {
protected:
    GameDir dir;
    void SetUp() override { snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str()); }
    void TearDown() override { dataFolder[0] = 0; }

    std::string path(const char* name) const { return dir.data(name); }

    Bytes readBytes(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void writeBytes(const char* name, const Bytes& bytes) const {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
    }

    bool exists(const char* name) const {
        std::ifstream in(path(name));
        return in.good();
    }
};

// Deterministic noise for garbage files.
inline Bytes noiseBytes(size_t size, uint32_t seed) {
    Bytes bytes(size);
    for (auto& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = (uint8_t)(seed >> 16);
    }
    return bytes;
}

inline void putLe16(Bytes& b, size_t at, int v) {
    b[at] = (uint8_t)(v & 0xFF);
    b[at + 1] = (uint8_t)((v >> 8) & 0xFF);
}

inline void putLe32(Bytes& b, size_t at, int v) {
    for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)(((uint32_t)v >> (8 * i)) & 0xFF);
}
