// The riders file as start-up and the rider screens use it: loaded, every
// profile shown with its name and totals, a new rider made and saved, and
// the saved file read back to the same table.
#include "fuzz_support.h"
#include "gfx/font.h"
#include "player/riders.h"
#include "shell/loop.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzLoadFonts();
    fuzzWriteData("riders.dat", data, size);
    initRiders();
    loadRiders();
    for (int i = 0; i < RIDER_CAPACITY; i++) {
        Rider r;
        if (!riderAt(i, &r)) continue;
        drawText(framebuffer, r.name, 10, 30 * i, 0);
        selectRider(i);
        if (riderTotal(2) != riderTotalOf(i) || riderTotal(2) > BESTS_PER_RIDER * MAX_BEST) abort();
        for (int level = 0; level < 120; level++) riderBest(level);
    }
    createRider("Fuzz", (int)(size % 9), (int)(size / 9 % 9));
    // What is saved reads back as it was.
    if (!saveRiders()) abort();
    RiderTable saved = riderTable;
    initRiders();
    if (loadRiders() != 1 || memcmp(saved.bests, riderTable.bests, sizeof saved.bests) != 0 ||
        memcmp(saved.bikeColours, riderTable.bikeColours, sizeof saved.bikeColours) != 0 ||
        memcmp(saved.bodyColours, riderTable.bodyColours, sizeof saved.bodyColours) != 0 ||
        memcmp(saved.slots, riderTable.slots, sizeof saved.slots) != 0)
        abort();
    return 0;
}
