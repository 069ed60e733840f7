// The voxel models, saved through the game's own 3dObj writer.
#include "bake/models.h"
#include "bake/bake.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>

std::vector<SculptPoint> withUndrawnFirst(std::vector<SculptPoint> points) {
    if (!points.empty()) {
        SculptPoint first = points.front();
        points.insert(points.begin(), first);
    }
    return points;
}

VoxelModel* voxelModelFrom(const std::vector<SculptPoint>& points) {
    VoxelModel* m = createVoxelModel();
    for (const SculptPoint& p : points) addVoxelPoint(m, p.x, p.y, p.z, p.colour);
    return m;
}

// The writer saves below dataFolder: point it at the bake's output for
// the one call.
static bool saveModel(const std::vector<SculptPoint>& points, const BakeTarget& out, const char* name) {
    if (out.data.size() >= sizeof dataFolder) {
        fprintf(stderr, "bake: data folder path too long for the model writer\n");
        return false;
    }
    char saved[sizeof dataFolder];
    memcpy(saved, dataFolder, sizeof dataFolder);
    snprintf(dataFolder, sizeof dataFolder, "%s", out.data.c_str());
    VoxelModel* m = voxelModelFrom(points);
    bool ok = saveVoxelModel(m, name);
    destroyVoxelModel(&m);
    memcpy(dataFolder, saved, sizeof dataFolder);
    return ok;
}

bool bakeModels(const BakeTarget& out) {
    return saveModel(bikeModelPoints(), out, "bike2.vox") && saveModel(flagModelPoints(), out, "flag.vox");
}
