// Test pictures made with the real encoders, and helpers to damage them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

struct PngLayout {
    int width;
    int height;
    int colorType; // PNG_COLOR_TYPE_*
    int bitDepth;
    Bytes palette; // red, green, blue triples
    Bytes transparency;
    bool interlaced;
};

// rows: each row's bytes as stored (packed below 8 bits, 16-bit big-endian).
bool writePng(const std::string& path, const PngLayout& layout, const std::vector<Bytes>& rows);
// 8-bit RGB rows from red, green, blue triples, row after row.
bool writeRgbPng(const std::string& path, int width, int height, const Bytes& rgb);
// components 1 (grey) or 3 (RGB); no chroma subsampling so solid blocks decode exactly.
bool writeJpeg(const std::string& path, int width, int height, int components, const Bytes& samples,
               int quality = 100, bool progressive = false);

Bytes readBytes(const std::string& path);
bool writeBytes(const std::string& path, const Bytes& bytes);
// Offset of the first chunk of that type in a PNG file, or -1.
long findChunk(const Bytes& png, const char* type);
// Recomputes the CRC of the chunk starting at `offset`.
void fixChunkCrc(Bytes& png, long offset);
void putBigEndian32(Bytes& bytes, long offset, uint32_t value);
// Offset of the first JPEG marker 0xFF `marker`, or -1.
long findMarker(const Bytes& jpeg, uint8_t marker);
