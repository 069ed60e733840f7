#include "gfx/picture_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

static bool encodePng(png_structp png, png_infop info, FILE* f, const PngLayout& layout,
                      std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, f);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, (png_const_colorp)layout.palette.data(), (int)layout.palette.size() / 3);
    if (!layout.transparency.empty())
        png_set_tRNS(png, info, layout.transparency.data(), (int)layout.transparency.size(), nullptr);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

bool writePng(const std::string& path, const PngLayout& layout, const std::vector<Bytes>& rows) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> pointers;
    for (const Bytes& row : rows) pointers.push_back((png_bytep)row.data());
    bool ok = encodePng(png, info, f, layout, pointers);
    png_destroy_write_struct(&png, &info);
    fclose(f);
    return ok;
}

bool writeRgbPng(const std::string& path, int width, int height, const Bytes& rgb) {
    std::vector<Bytes> rows;
    for (int j = 0; j < height; j++)
        rows.emplace_back(rgb.begin() + j * width * 3, rgb.begin() + (j + 1) * width * 3);
    return writePng(path, {width, height, PNG_COLOR_TYPE_RGB, 8, {}, {}, false}, rows);
}

bool writeJpeg(const std::string& path, int width, int height, int components, const Bytes& samples,
               int quality, bool progressive) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; c++) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = (JSAMPROW)samples.data() + (size_t)info.next_scanline * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    fclose(f);
    return true;
}

Bytes readBytes(const std::string& path) {
    Bytes bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((uint8_t)c);
    fclose(f);
    return bytes;
}

bool writeBytes(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

static uint32_t bigEndian32(const Bytes& b, long at) {
    return (uint32_t)b[at] << 24 | (uint32_t)b[at + 1] << 16 | (uint32_t)b[at + 2] << 8 | b[at + 3];
}

void putBigEndian32(Bytes& bytes, long offset, uint32_t value) {
    for (int i = 0; i < 4; i++) bytes[offset + i] = (uint8_t)(value >> (24 - 8 * i));
}

long findChunk(const Bytes& png, const char* type) {
    long at = 8;
    while (at + 12 <= (long)png.size()) {
        uint32_t length = bigEndian32(png, at);
        if (std::string(png.begin() + at + 4, png.begin() + at + 8) == type) return at;
        at += 12 + (long)length;
    }
    return -1;
}

void fixChunkCrc(Bytes& png, long offset) {
    uint32_t length = bigEndian32(png, offset);
    uint32_t crc = (uint32_t)crc32(0, png.data() + offset + 4, length + 4);
    putBigEndian32(png, offset + 8 + length, crc);
}

long findMarker(const Bytes& jpeg, uint8_t marker) {
    for (size_t i = 0; i + 1 < jpeg.size(); i++)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) return (long)i;
    return -1;
}
