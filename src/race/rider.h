// One motorcycle of a race, the player's or a computer rider's, and the
// physics step that moves it once per logic tick: along its heading,
// against the world's walls, through the air and onto the terrain, into a
// crash, the slide that follows and the get-up or respawn after it.
// Positions and heights are 22.10 fixed point (units × 1024), headings
// degrees × 1024; lean and pitch are whole degrees.
#pragma once
#include "world/voxel.h"
#include <cstdint>

const int FIXED_ONE = 1024;             // one world unit, one degree of heading
const int FULL_TURN = 360 * FIXED_ONE;  // a heading of 360 degrees
const int TOP_SPEED = 30;
const int WALL_LOW = 8;                 // world units: the walls stand here ...
const int WALL_HIGH = 2040;
const int WALL_LOW_BOUNCE = 12;         // ... and a rider hitting one is put back here
const int WALL_HIGH_BOUNCE = 2036;
const int LAUNCH_CAP = 4;               // units per tick upward off a ramp
const int GRAVITY = 85;                 // 1/1024 units per tick per tick
const int AIRBORNE_HEIGHT = 10;         // units above the ground
const int PROBE_REACH = 18;             // front and back probes, units from the centre
const int SLOPE_CRASH = 90;             // degrees of pitch change that throw the rider
const int RESPAWN_EDGE = 100;           // a crash at rest this near an edge respawns
const int RESPAWN_FREEZE = 127;         // ticks
const int CRASH_LEAN = 90;              // a wreck lies on its side

struct RaceRider {
    int32_t x, y;
    int32_t heading;
    int32_t getUpTimer;       // ticks while crashed; the player's steering aim while riding
    int32_t speed;
    int32_t z;
    int32_t vz;
    int32_t lean;
    int32_t pitch;
    int32_t frontX, frontY;
    int32_t backX, backY;
    int32_t crashed;
    int32_t spin;             // the wreck's heading, degrees × 1024
    int32_t aiPath;
    int32_t aiNode;
    int32_t aiNextNode;
    int32_t airborne;
    int32_t targetHeading;    // whole degrees, may exceed 359
    int32_t prevZ;
    int32_t lap;
    int32_t lastCheckpoint;
    int32_t inKeepout;
    int32_t finished;
    int32_t progress;         // checkpoints passed since the start
    int32_t progressTime;     // race clock when the last one was passed
    int32_t checkpointMask;   // any-order levels: bit n = checkpoint n taken this lap
    int32_t checkpointsThisLap;
    int32_t throttle;
    int32_t engineSoundPlaying;
    int32_t engineState;      // ENGINE_SILENT .. ENGINE_WIND_DOWN
    int32_t safeX, safeY, safeHeading;
    int32_t respawnTimer;
    VoxelModel* model;        // owned
    int32_t checkpointUnder;  // the checkpoint number under the rider last tick
};

enum EngineState { ENGINE_SILENT, ENGINE_IDLE, ENGINE_FULL, ENGINE_IN_AIR, ENGINE_WIND_DOWN };

// A new record at (0, 0) with a random heading and speed and an empty
// model; null when memory runs out.
RaceRider* initRider();
// On the ground at whole units (x, y), which also becomes its safe spot.
void placeRider(RaceRider* r, int x, int y);
// Frees the model and the record and clears the caller's handle.
void releaseRider(RaceRider** handle);
// One tick of physics.
void stepRider(RaceRider* r);
// Throws the rider off: crashed, with a fresh wait before it gets up.
void crashRider(RaceRider* r);

inline int wholeUnits(int32_t fixed) { return fixed >> 10; }
inline int headingDegrees(const RaceRider* r) { return r->heading >> 10; }
// The ground height under the rider, in height units.
int groundUnder(const RaceRider* r);
