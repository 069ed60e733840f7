// PNG pictures as loadPicture reads a ".png" name: into an empty slot,
// centred in a surface the slot already holds, and as a raw data picture
// (height and surface models).
#include "fuzz_support.h"
#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzWriteData("fuzz.png", data, size);
    Surface* picture = nullptr;
    loadPicture("fuzz.png", &picture);
    Surface* held = createSurface(40, 30);
    loadPicture("fuzz.png", &held);
    Surface* raw = nullptr;
    loadRawPng("fuzz.png", &raw);
    destroySurface(&picture);
    destroySurface(&held);
    destroySurface(&raw);
    return 0;
}
