// Checks a screen captured from the X server against a journal: the
// capture, reduced back to the game's 16-bit colours, must be one of the
// frames the game presented.
//   frame_check JOURNAL CAPTURE.ppm
#include "platform/platform.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

// The next number of a PPM header, skipping white space and # comments.
static int headerNumber(FILE* f) {
    int c = fgetc(f);
    while (c == '#' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (c == '#')
            while (c != '\n' && c != EOF) c = fgetc(f);
        c = fgetc(f);
    }
    int value = -1;
    for (; c >= '0' && c <= '9'; c = fgetc(f)) value = (value < 0 ? 0 : value * 10) + (c - '0');
    return value; // the single white-space byte after it is consumed
}

static bool readPpm(const char* path, std::vector<uint16_t>* frame) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    bool ok = fgetc(f) == 'P' && fgetc(f) == '6';
    int w = headerNumber(f), h = headerNumber(f), maxValue = headerNumber(f);
    ok = ok && w == DISPLAY_WIDTH && h == DISPLAY_HEIGHT && maxValue == 255;
    std::vector<unsigned char> rgb((size_t)w * h * 3);
    ok = ok && fread(rgb.data(), 1, rgb.size(), f) == rgb.size();
    fclose(f);
    if (!ok) return false;
    frame->resize((size_t)w * h);
    for (size_t i = 0; i < frame->size(); i++) {
        // The texture reads green as six bits; ours leaves the lowest clear.
        int r = rgb[i * 3] >> 3, g = rgb[i * 3 + 1] >> 3, b = rgb[i * 3 + 2] >> 3;
        (*frame)[i] = (uint16_t)(r << 11 | g << 6 | b);
    }
    return true;
}

static std::set<uint64_t> journalFrames(const char* path) {
    std::set<uint64_t> hashes;
    FILE* f = fopen(path, "rb");
    if (!f) return hashes;
    fseek(f, 4, SEEK_SET);
    for (int tag; (tag = fgetc(f)) != EOF;) {
        size_t size = tag == 'C' || tag == 'F' || tag == 'P' ? 8 : tag == 'E' ? sizeof(PlatformEvent)
                    : tag == 'W' ? 1 : tag == 'S' ? 4 : 0;
        unsigned char value[sizeof(PlatformEvent)];
        if (size && fread(value, 1, size, f) != size) break;
        if (tag == 'P') {
            uint64_t hash;
            memcpy(&hash, value, 8);
            hashes.insert(hash);
        }
    }
    fclose(f);
    return hashes;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: frame_check JOURNAL CAPTURE.ppm\n", stderr);
        return 2;
    }
    std::vector<uint16_t> frame;
    if (!readPpm(argv[2], &frame)) {
        fprintf(stderr, "%s is not a 640 x 480 PPM capture\n", argv[2]);
        return 1;
    }
    std::set<uint64_t> hashes = journalFrames(argv[1]);
    bool found = hashes.count(journalFrameHash(frame.data())) > 0;
    printf("%zu frames in the journal; the capture %s one of them\n", hashes.size(), found ? "is" : "is NOT");
    return found ? 0 : 1;
}
