// 3dObj voxel models as the menus load the bike (scaled, recoloured) and
// as a race draws it: turned, rendered, outlined and drawn into the
// framebuffer, also at the edges of the screen.
#include "fuzz_support.h"
#include "gfx/surface.h"
#include "screens/assets.h"
#include "shell/loop.h"
#include "world/voxel.h"

static const int ORIENTATIONS[][3] = {{0, 0, 0}, {30, 200, 350}, {359, 90, 45}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzWriteData("fuzz.vox", data, size);
    VoxelModel* m = createVoxelModel();
    if (loadVoxelModel(m, "fuzz.vox")) {
        scaleVoxelModel(m, BIKE_MODEL_SCALE);
        recolourVoxelModel(m, (int)(size % 9), (int)(size / 9 % 9));
        for (const int* o : ORIENTATIONS) {
            orientVoxelModelExact(m, o[0], o[1], o[2]);
            renderVoxelModel(m);
            makeVoxelOutline(m);
            drawVoxelModel(m, framebuffer, 320, 240);
            drawVoxelModel(m, framebuffer, -10, 479);
        }
    }
    destroyVoxelModel(&m);
    return 0;
}
