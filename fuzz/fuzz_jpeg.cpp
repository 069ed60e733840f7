// JPEG pictures as loadPicture reads a ".jpg" name (the terrain pictures):
// into an empty slot and centred in a surface the slot already holds.
#include "fuzz_support.h"
#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzWriteData("fuzz.jpg", data, size);
    Surface* picture = nullptr;
    loadPicture("fuzz.jpg", &picture);
    Surface* held = createSurface(40, 30);
    loadPicture("fuzz.jpg", &held);
    destroySurface(&picture);
    destroySurface(&held);
    return 0;
}
