#include "bake/files.h"
#include "gfx/image.h"

#include <FLAC/stream_encoder.h>
#include <cstdio>
#include <jpeglib.h>

bool writePng(const std::string& path, const Image& image, int compression) {
    static_assert(sizeof(Rgb) == 3, "pixels are packed RGB triples");
    return savePng(path.c_str(), image.width, image.height, false, (const uint8_t*)image.pixels.data(), compression);
}

bool writeGreyPng(const std::string& path, int width, int height, const std::vector<uint8_t>& values) {
    // Data pictures are large and smooth: the default level packs them
    // nearly as well in a fraction of the time.
    return savePng(path.c_str(), width, height, true, values.data(), 6);
}

bool writeJpeg(const std::string& path, const Image& image, int quality) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = (JSAMPROW)&image.pixels[(size_t)cinfo.next_scanline * image.width];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return fclose(f) == 0;
}

bool writeFlac(const std::string& path, const std::vector<int8_t>& samples, int rate) {
    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    if (!encoder) return false;
    FLAC__stream_encoder_set_channels(encoder, 1);
    FLAC__stream_encoder_set_bits_per_sample(encoder, 8);
    FLAC__stream_encoder_set_sample_rate(encoder, rate);
    FLAC__stream_encoder_set_compression_level(encoder, 5);
    FLAC__stream_encoder_set_total_samples_estimate(encoder, samples.size());
    bool ok = FLAC__stream_encoder_init_file(encoder, path.c_str(), nullptr, nullptr) ==
              FLAC__STREAM_ENCODER_INIT_STATUS_OK;
    std::vector<FLAC__int32> block;
    const size_t chunk = 4096;
    for (size_t at = 0; ok && at < samples.size(); at += chunk) {
        size_t n = samples.size() - at < chunk ? samples.size() - at : chunk;
        block.assign(samples.begin() + at, samples.begin() + at + n);
        ok = FLAC__stream_encoder_process_interleaved(encoder, block.data(), (unsigned)n);
    }
    ok = FLAC__stream_encoder_finish(encoder) && ok;
    FLAC__stream_encoder_delete(encoder);
    return ok;
}
