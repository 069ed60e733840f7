// The ghost of a rider's best run on a level: the player's bike recorded
// every tick of a run, kept in a small file of its own ("ghost-R-L.dat")
// and ridden back alongside later runs. It never collides and never
// counts in the places; the screens draw it.
#pragma once
#include "race/rider.h"
#include <cstdint>

// One tick of the recorded bike, as the scene draws it.
struct GhostFrame {
    uint16_t x, y;   // 1/32 world units (the walls keep them in range)
    int16_t z;       // 1/8 height units
    int16_t heading; // whole degrees
    int16_t spin;    // whole degrees
    int8_t lean, pitch;
    uint8_t crashed;
    uint8_t spare; // always 0: no padding, so frames compare bytewise
};

const int GHOST_MAX_TICKS = 80 * 60 * 15; // a longer run is not kept
const uint32_t GHOST_MAGIC = 0x54534847;  // "GHST"
const uint32_t GHOST_VERSION = 1;
const int GHOST_HEADER_BYTES = 20;
const int GHOST_FRAME_BYTES = 13;

// Whether the ghost rides along; the ghost key flips it.
extern bool ghostShown;

// The recording starts afresh as a run starts.
void beginGhostRecording();
// The player's bike after one tick of the run.
void recordGhostTick(const RaceRider* r);
int recordedGhostTicks();
const GhostFrame* recordedGhostFrame(int tick);

// The frame of a bike as the recording keeps it.
GhostFrame ghostFrameOf(const RaceRider* r);

// The recording as a file's bytes, and back: false (and `why` set) for
// bytes that are not a sound ghost of `level`.
int ghostFileSize(int ticks);
void encodeGhost(int level, uint8_t* out);
bool decodeGhost(const uint8_t* bytes, long size, int level, const char** why);

// Saves the recording as the ghost of rider number `rider` on `level`;
// false (logged, the old ghost kept) when it cannot.
bool saveGhost(int rider, int level);
// Loads the ghost to ride along, or none (a damaged or foreign file is
// logged and ignored).
bool loadGhost(int rider, int level);
void dropGhost();
// The ghost's frame at `tick` of the run; null before its start, past its
// finish or with no ghost.
const GhostFrame* ghostFrameAt(int tick);
int ghostTicks();
