// Writers for the data set's file formats, and a small RGB canvas.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
};

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Image() = default;
    Image(int w, int h, Rgb fill = {0, 0, 0}) : width(w), height(h), pixels((size_t)w * h, fill) {}
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb at(int x, int y) const { return inside(x, y) ? pixels[(size_t)y * width + x] : Rgb{0, 0, 0}; }
    void set(int x, int y, Rgb c) {
        if (inside(x, y)) pixels[(size_t)y * width + x] = c;
    }
};

// `compression` is zlib's level: 9 packs tightest; dithered pictures pack
// nearly as well at 6 in a fraction of the time.
bool writePng(const std::string& path, const Image& image, int compression = 9);
// A raw picture: one byte per pixel, stored as grey (the game reads the
// blue byte, which for grey is the value itself).
bool writeGreyPng(const std::string& path, int width, int height, const std::vector<uint8_t>& values);
bool writeJpeg(const std::string& path, const Image& image, int quality);
// 8-bit mono FLAC.
bool writeFlac(const std::string& path, const std::vector<int8_t>& samples, int rate);

// Deterministic pseudo-random numbers for generators.
struct BakeRandom {
    uint64_t state;
    explicit BakeRandom(uint64_t seed) : state(seed * 2862933555777941757ull + 3037000493ull) {}
    uint32_t next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (uint32_t)(state >> 33);
    }
    // Uniform in [0, 1).
    double unit() { return next() / 2147483648.0; }
    int range(int lo, int hi) { return lo + (int)(next() % (uint32_t)(hi - lo + 1)); }
};
