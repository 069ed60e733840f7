// The game's voxel models: the bike with its rider ("bike2.vox") and the
// start-line flag ("flag.vox"), as points in file order.
#pragma once
#include "bake/voxel_carve.h"
#include "world/voxel.h"

#include <vector>

// What each point of a model belongs to (SculptPoint::tag).
enum ModelPart {
    PART_TYRE,
    PART_WHEEL,   // rims, spokes, hubs, discs
    PART_FORK,    // fork, clamps and handlebar
    PART_ENGINE,
    PART_EXHAUST,
    PART_CHASSIS, // swingarm, shock, chain, pegs, radiators
    PART_FRAME,
    PART_TANK,    // tank and radiator shrouds
    PART_SEAT,
    PART_FENDER,
    PART_PLATE,   // number plates
    PART_RIDER,   // jersey and trousers
    PART_HELMET,
    PART_SKIN,
    PART_GOGGLES,
    PART_GLOVE,
    PART_BOOT,
    PART_FLAG_POLE,
    PART_FLAG_CLOTH,
    MODEL_PART_COUNT
};

// Model units from the bike's origin down to where its tyres meet the
// ground: the scene draws a rider's model 12 height units above it.
const int BIKE_GROUND_Y = -74;
// The flag is stamped 8 height units above the ground.
const int FLAG_GROUND_Y = -34;

// The game never draws a model's first point, so both lists begin with a
// copy of the point that follows it.
std::vector<SculptPoint> bikeModelPoints();
std::vector<SculptPoint> flagModelPoints();

// The points behind a copy of the first one (the one never drawn).
std::vector<SculptPoint> withUndrawnFirst(std::vector<SculptPoint> points);

// The parts of the bike's rider (rider_model.cpp).
void addRiderShapes(Sculpture& s);

// A new model holding the points with their stored colours.
VoxelModel* voxelModelFrom(const std::vector<SculptPoint>& points);
