// JPEG pictures through libjpeg(-turbo). Library errors come back through a
// jump buffer; warnings (damaged or truncated data) count as failures too,
// so a broken file never becomes a half-grey picture.
#include "gfx/image.h"
#include "gfx/image_decode.h"
#include "platform/platform.h"
#include "shell/log.h"

#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>

static const char* JPEG_CAPTION = "Load Picture";

struct JpegErrors {
    jpeg_error_mgr mgr; // first, so the library's pointer is ours too
    jmp_buf jump;
    int failure;        // the message number of the error or first warning
};

// The stages whose failure shows "Jpeg Error"; a failure while decoding
// the pixels shows the library's message number instead.
enum JpegStage { JPEG_INIT, JPEG_HEADER, JPEG_BUFFER, JPEG_PIXELS, JPEG_DONE };

struct JpegRead {
    jpeg_decompress_struct info;
    JpegErrors errors;
    FILE* file;
    uint8_t* rgb; // width * height * 3, red first
    JpegStage stage;
};

static void jpegErrorExit(j_common_ptr info) {
    JpegErrors* errors = (JpegErrors*)info->err;
    errors->failure = info->err->msg_code;
    info->err->output_message(info);
    longjmp(errors->jump, 1);
}

// Warnings are counted and the first one kept and shown; trace messages
// are dropped.
static void jpegEmitMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    JpegErrors* errors = (JpegErrors*)info->err;
    if (errors->mgr.num_warnings++ == 0) {
        errors->failure = info->err->msg_code;
        info->err->output_message(info);
    }
}

static void jpegOutputMessage(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    info->err->format_message(info, text);
    logf(1, LOG_TAG_ERROR, "[ERROR] %s\n", text);
    fprintf(stderr, "[ERROR] JPEG: %s\n", text);
}

// Runs the library from set-up to the last row. Returns the stage reached;
// anything short of JPEG_DONE is a failure of that stage.
static JpegStage decodeJpeg(JpegRead* r) {
    r->stage = JPEG_INIT;
    r->info.err = jpeg_std_error(&r->errors.mgr);
    r->errors.mgr.error_exit = jpegErrorExit;
    r->errors.mgr.output_message = jpegOutputMessage;
    r->errors.mgr.emit_message = jpegEmitMessage;
    if (setjmp(r->errors.jump)) return r->stage;
    jpeg_create_decompress(&r->info);
    r->stage = JPEG_HEADER;
    jpeg_stdio_src(&r->info, r->file);
    jpeg_read_header(&r->info, TRUE);
    r->stage = JPEG_BUFFER;
    uint64_t w = r->info.image_width, h = r->info.image_height;
    if (!pictureSizeAllowed(w, h)) return JPEG_BUFFER;
    r->rgb = (uint8_t*)calloc(w * h, 3);
    if (!r->rgb) return JPEG_BUFFER;
    r->stage = JPEG_PIXELS;
    r->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&r->info);
    if (r->info.output_components != 3 || r->info.output_width != w || r->info.output_height != h)
        return JPEG_PIXELS;
    while (r->info.output_scanline < r->info.output_height) {
        JSAMPROW row = r->rgb + (size_t)r->info.output_scanline * w * 3;
        if (jpeg_read_scanlines(&r->info, &row, 1) != 1) return JPEG_PIXELS;
    }
    jpeg_finish_decompress(&r->info);
    return r->errors.mgr.num_warnings ? JPEG_PIXELS : JPEG_DONE;
}

static void placeJpeg(const JpegRead& r, Surface** handle) {
    int w = (int)r.info.image_width, h = (int)r.info.image_height;
    if (!*handle) *handle = createSurface(w, h);
    Placement at = centredIn(*handle, w, h);
    const uint8_t* p = r.rgb;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++, p += 3) putPixel(*handle, at.left + i, at.top + j, pictureColor(p));
}

int loadJpeg(const char* path, Surface** handle) {
    JpegRead r = {};
    r.file = fopen(path, "rb");
    JpegStage reached = r.file ? decodeJpeg(&r) : JPEG_HEADER;
    if (reached == JPEG_DONE) {
        placeJpeg(r, handle);
    } else if (reached == JPEG_PIXELS) {
        char text[32];
        snprintf(text, sizeof text, "[%d]", r.errors.failure);
        platformMessageBox(text, JPEG_CAPTION);
    } else {
        platformMessageBox("Jpeg Error", JPEG_CAPTION);
    }
    jpeg_destroy_decompress(&r.info);
    free(r.rgb);
    if (r.file) fclose(r.file);
    return reached == JPEG_DONE;
}
