// A ghost file as a race's start reads it: loaded or refused, never read
// past its end; a loaded ghost rides every tick it holds and no more, and
// the bytes decode the same way without the file.
#include "fuzz_support.h"
#include "race/ghost.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzWriteData("ghost-1-3.dat", data, size);
    bool loaded = loadGhost(1, 3);
    int ticks = ghostTicks();
    if (loaded != (ticks > 0) || ticks > GHOST_MAX_TICKS) abort();
    long sum = 0;
    for (int i = 0; i < ticks; i++) sum += ghostFrameAt(i)->x;
    if (ghostFrameAt(ticks) || ghostFrameAt(-1)) abort();
    const char* why = nullptr;
    if (decodeGhost(data, (long)size, 3, &why) != loaded || ghostTicks() != ticks) abort();
    dropGhost();
    return sum < 0;
}
