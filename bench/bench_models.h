// The baked bike model for benchmarks: the real rider model the game
// loads, so that timings reflect what a race draws.
#pragma once
#include "shell/loop.h"
#include "world/voxel.h"

#include <cstdio>

#include <cstdlib>

// Ends the run with a message when the data set has not been baked yet.
inline VoxelModel* loadBakedBike(int bikeColour, int bodyColour) {
    char saved[sizeof dataFolder];
    snprintf(saved, sizeof saved, "%s", dataFolder);
    snprintf(dataFolder, sizeof dataFolder, "%s", BAKED_DATA);
    VoxelModel* m = createVoxelModel();
    bool loaded = loadVoxelModel(m, "bike2.vox");
    snprintf(dataFolder, sizeof dataFolder, "%s", saved);
    if (!loaded) {
        fprintf(stderr, "no bike2.vox in %s: build the game first\n", BAKED_DATA);
        exit(1);
    }
    recolourVoxelModel(m, bikeColour, bodyColour);
    scaleVoxelModel(m, 0.7);
    return m;
}
