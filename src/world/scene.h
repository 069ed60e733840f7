// The terrain view: the terrain picture scrolled to the camera, with voxel
// models drawn into it behind and in front of the ground (the surface
// model decides), their shadows on the visible ground, a bright outline
// for a mostly hidden model, and permanent stamps into the picture.
#pragma once
#include "gfx/surface.h"
#include "world/track.h"
#include "world/voxel.h"

#include <cstdint>

// What the scene reads of a rider.
struct SceneRider {
    int32_t x, y, z;      // 1/1024 world units
    int32_t heading;      // degrees x 1024
    int32_t spin;         // yaw in degrees while crashed
    int32_t pitch;        // degrees
    int32_t lean;         // degrees
    int32_t crashed;      // 1: lying flat; any non-zero value turns it by its spin
    int32_t respawnTimer; // non-zero: fading in, drawn toward white
    VoxelModel* model;
};

const int OUTLINE_HIDDEN_PIXELS = 76; // a model this hidden shows its outline

// Scrolls the track so that (x, y, h) shows at the target's horizontal
// centre and 5/8 of its height, kept within the picture where it can be.
void setCamera(Track* t, const Surface* target, int x, int y, int h);
// The terrain picture, then every rider's shadow, then every body, in the
// given order (far to near). Null entries and riders without a model are
// skipped.
void drawScene(Track* t, Surface* target, SceneRider* const* riders, int count);

// The model passes, anchored at world (x, y, altitude). Drawing a body into
// the terrain picture itself stamps the model instead.
void drawModelWithShadow(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude);
void drawModelShadow(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude);
void drawModelBody(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude);
// Each drawn body pixel blended toward `colour`; weight (0..255) is the
// body's share.
void drawModelBodyFlashing(Track* t, VoxelModel* m, Surface* target, int x, int y, int altitude, Color colour,
                           int weight);
// A rider's body alone, each drawn pixel blended with what is already
// there (weight 0..255 is the body's share); ground nearer than the bike
// hides it without a trace. No shadow, no outline: a ghost's pass.
void drawRiderBlended(Track* t, Surface* target, const SceneRider* r, int weight);
// Shadow and body written for good into the terrain picture and the surface
// model.
void stampModel(Track* t, VoxelModel* m, int x, int y, int altitude);
