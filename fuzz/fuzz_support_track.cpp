#include "fuzz_support_track.h"
#include "fuzz_support.h"
#include "world/description.h"
#include "world/track.h"

#include <cstring>

static Surface* pristine[3];

static Surface* copyOf(const Surface* s) {
    if (!s) return nullptr;
    Surface* c = createSurface(s->width, s->height);
    memcpy(c->pixels, s->pixels, sizeof(uint16_t) * s->width * s->height);
    return c;
}

static void restore(Surface** field, const Surface* from) {
    if (!from) return;
    if (!*field) *field = createSurface(from->width, from->height);
    memcpy((*field)->pixels, from->pixels, sizeof(uint16_t) * from->width * from->height);
}

void fuzzFreshTrack() {
    fuzzSetUp();
    Surface** fields[3] = {&track.terrain, &track.surfaceModel, &track.heightModel};
    if (!pristine[0]) {
        readLevelDescription(FUZZ_TRACK_LEVEL);
        int number = levelDescription.track;
        loadHeightModel(&track, number);
        loadTerrainPicture(&track, number);
        loadSurfaceModel(&track, number);
        for (int i = 0; i < 3; i++) pristine[i] = copyOf(*fields[i]);
    }
    for (int i = 0; i < 3; i++) restore(fields[i], pristine[i]);
}
