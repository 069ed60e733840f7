// PNG pictures through libpng. Every layout is read: libpng unpacks low bit
// depths, cuts 16-bit channels to 8, drops alpha and widens grey to RGB, so
// rows arrive as 8-bit palette indices or 8-bit RGB.
#include "gfx/image.h"
#include "gfx/image_decode.h"
#include "shell/loop.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

static const int READ_TRANSFORMS =
    PNG_TRANSFORM_PACKING | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_STRIP_ALPHA | PNG_TRANSFORM_GRAY_TO_RGB;
static const int PNG_HEADER_BYTES = 24; // signature, IHDR length and type, width, height

struct PngRead {
    FILE* file;
    png_structp png;
    png_infop info;
};

struct PngPicture {
    int width;
    int height;
    png_bytepp rows;
    png_colorp palette; // null for RGB rows
    int paletteSize;
};

// png_read_png allocates every row before it decodes any, so a tiny file
// declaring a huge picture is refused from its header first. True when the
// header cannot be read: libpng then reports what is wrong.
static bool declaredSizeAllowed(FILE* f) {
    png_byte head[PNG_HEADER_BYTES];
    size_t got = fread(head, 1, sizeof head, f);
    rewind(f);
    if (got < sizeof head || png_sig_cmp(head, 0, 8) != 0 || memcmp(head + 12, "IHDR", 4) != 0) return true;
    return pictureSizeAllowed(png_get_uint_32(head + 16), png_get_uint_32(head + 20));
}

// Decodes the whole file; any libpng error comes back through the jump
// buffer and gives false.
static bool readPng(PngRead* r) {
    if (setjmp(png_jmpbuf(r->png))) return false;
    png_set_user_limits(r->png, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE);
#ifdef FUZZ_IGNORE_CHECKSUMS
    // Only the fuzz build: mutated bytes reach the decoder and the
    // conversion instead of stopping at a chunk or zlib checksum.
    png_set_crc_action(r->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(r->png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_init_io(r->png, r->file);
    png_set_sig_bytes(r->png, 0);
    png_read_png(r->png, r->info, READ_TRANSFORMS, nullptr);
    return true;
}

// The decoded rows, checked to be the layout the transforms promise.
static bool decodedPicture(const PngRead& r, PngPicture* p) {
    png_uint_32 w = png_get_image_width(r.png, r.info), h = png_get_image_height(r.png, r.info);
    if (!pictureSizeAllowed(w, h) || png_get_bit_depth(r.png, r.info) != 8) return false;
    *p = {(int)w, (int)h, png_get_rows(r.png, r.info), nullptr, 0};
    if (!p->rows) return false;
    size_t pixelBytes = 3;
    // An RGB picture may carry a suggested palette; only the colour type
    // says whether the bytes are indices.
    if (png_get_color_type(r.png, r.info) == PNG_COLOR_TYPE_PALETTE) {
        if (!png_get_PLTE(r.png, r.info, &p->palette, &p->paletteSize) || !p->palette) return false;
        pixelBytes = 1;
    } else if (png_get_color_type(r.png, r.info) != PNG_COLOR_TYPE_RGB) {
        return false;
    }
    return png_get_rowbytes(r.png, r.info) >= pixelBytes * w;
}

// Red, green, blue of pixel (i, j). An index beyond the palette is black.
static const png_byte* pixelRgb(const PngPicture& p, int i, int j) {
    static const png_byte black[3] = {0, 0, 0};
    const png_byte* row = p.rows[j];
    if (!p.palette) return row + 3 * i;
    int index = row[i];
    return index < p.paletteSize ? &p.palette[index].red : black;
}

static void storePicture(const PngPicture& p, Surface** handle, bool raw) {
    Placement at = {0, 0};
    if (raw) {
        *handle = createSurface(p.width, p.height);
    } else {
        if (!*handle) *handle = createSurface(p.width, p.height);
        at = centredIn(*handle, p.width, p.height);
    }
    Surface* s = *handle;
    for (int j = 0; j < p.height; j++)
        for (int i = 0; i < p.width; i++) {
            const png_byte* rgb = pixelRgb(p, i, j);
            putPixel(s, at.left + i, at.top + j, raw ? rgb[2] : pictureColor(rgb));
        }
}

static int loadPngFile(const char* path, Surface** handle, bool raw) {
    PngRead r = {fopen(path, "rb"), nullptr, nullptr};
    if (!r.file) return 0;
    int result = 0;
    if (!declaredSizeAllowed(r.file)) {
        pictureError(path, "PNG picture too large");
    } else if ((r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)) &&
               (r.info = png_create_info_struct(r.png))) {
        PngPicture picture;
        if (readPng(&r) && decodedPicture(r, &picture)) {
            storePicture(picture, handle, raw);
            result = 1;
        } else {
            pictureError(path, "PNG picture not decoded");
        }
    }
    png_destroy_read_struct(&r.png, &r.info, nullptr);
    fclose(r.file);
    return result;
}

int loadPng(const char* path, Surface** handle) { return loadPngFile(path, handle, false); }

int loadRawPng(const char* name, Surface** handle) {
    char path[512];
    int n = snprintf(path, sizeof path, "%s%s", dataFolder, name);
    if (n < 0 || n >= (int)sizeof path) return 0;
    return loadPngFile(path, handle, true);
}

bool savePng(const char* path, int width, int height, bool grey, const uint8_t* pixels, int compression) {
    FILE* f = fopen(path, "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, compression);
    png_write_info(png, info);
    size_t rowBytes = (size_t)width * (grey ? 1 : 3);
    for (int y = 0; y < height; y++) png_write_row(png, (png_const_bytep)(pixels + (size_t)y * rowBytes));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(f) == 0;
}
