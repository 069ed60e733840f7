// Voxel models: bikes and flags as clouds of coloured points, rotated in
// integer fixed point and splatted into a small sprite with a depth buffer.
// Models come from 3dObj files (".vox") in the data folder.
#pragma once
#include "gfx/surface.h"

#include <cstdint>
#include <vector>

const int VOXEL_SPRITE_SIZE = 48;
const int VOXEL_HALF_SIZE = 24;  // also the depth offset of the render
const int VOXEL_OUTLINE_VALUE = 10;
const int VOXEL_VIEW_TILT = 340; // fixed downward tilt of the view, degrees

struct VoxelPoint {
    int16_t x, y, z;    // after the current rotation
    int16_t x0, y0, z0; // as loaded or built: the rotation source
    Color colour;
    int32_t scratch[3]; // x1, y2, z3 of the last rotation
};

// Sine and cosine (scaled by 65535) of the current angles and the view tilt.
struct VoxelTrig {
    int32_t sinPitch, cosPitch;
    int32_t sinYaw, cosYaw;
    int32_t sinRoll, cosRoll;
    int32_t sinTilt, cosTilt;
};

// Where a point's shadow falls on the ground, from the anchor: `back` units
// further along -x than the model's throw, `along` units along y.
struct VoxelShadowSpot {
    int32_t back, along;
};

struct VoxelModel {
    int32_t count; // always points.size()
    std::vector<VoxelPoint> points;
    int32_t pitch, yaw, roll;
    int32_t renderedPitch, renderedYaw, renderedRoll; // -1 until the first render
    int32_t halfWidth, halfHeight;
    Surface* sprite;        // rendered colours, 0 = empty
    Surface* depthSprite;   // depth of each sprite pixel, signed 16-bit
    Surface* outlineSprite; // silhouette edge pixels, VOXEL_OUTLINE_VALUE
    int32_t outlineValid;
    VoxelTrig trig;
    // The shadow footprint of the current points: each distinct spot once,
    // and the spot of every point in list order. Points of a model share
    // spots, so a shadow pass projects each spot once.
    std::vector<VoxelShadowSpot> shadowSpots;
    std::vector<int32_t> spotOfPoint;
    int32_t footprintValid; // 0 whenever the points move
};

VoxelModel* createVoxelModel();
void destroyVoxelModel(VoxelModel** handle);
void addVoxelPoint(VoxelModel* m, int x, int y, int z, Color colour);

// dataFolder + name. On failure a line is logged and the model is unchanged.
bool loadVoxelModel(VoxelModel* m, const char* name);
bool saveVoxelModel(const VoxelModel* m, const char* name);

void scaleVoxelModel(VoxelModel* m, double factor);
// Bike parts take the bike colour scheme, body parts the body scheme (0..8).
void recolourVoxelModel(VoxelModel* m, int bikeColour, int bodyColour);

// Angles in degrees, reduced modulo 360; the plain form also rounds them
// down to 8-degree steps so that a moving rider is rarely re-rendered.
void orientVoxelModel(VoxelModel* m, int pitch, int yaw, int roll);
void orientVoxelModelExact(VoxelModel* m, int pitch, int yaw, int roll);

// Re-renders the sprite when the orientation changed since the last render.
void renderVoxelModel(VoxelModel* m);
void makeVoxelOutline(VoxelModel* m);
void makeVoxelFootprint(VoxelModel* m);
// Renders if needed, then copies the sprite transparently centred on (x, y).
void drawVoxelModel(VoxelModel* m, Surface* target, int x, int y);
