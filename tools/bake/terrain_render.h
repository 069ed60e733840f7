// The three pictures of a terrain, made from its height field through the
// game's own projection: the colour view "track%d.jpg", the surface model
// "track%dd.png" (depth of the terrain seen at each point, half size) and
// the height model "track%d.png" (turned as the height query reads it).
#pragma once
#include "bake/files.h"
#include "bake/heightfield.h"
#include "bake/terrain_objects.h"

#include <cstdint>
#include <string>
#include <vector>

// Wide enough for the 1158 columns the world spans, tall enough for the
// world's 390 rows of depth under 270 rows of the highest lift; both
// leave the camera room to clamp at every edge, upright or turned.
const int TERRAIN_PICTURE_WIDTH = 1168;
const int TERRAIN_PICTURE_HEIGHT = 720;
const uint8_t SKY_DEPTH = 255; // beyond every terrain depth

struct TerrainPictures {
    Image colour;
    std::vector<uint8_t> surface; // TERRAIN_PICTURE_WIDTH / 2 x TERRAIN_PICTURE_HEIGHT / 2
    std::vector<uint8_t> heights; // FIELD_SIZE x FIELD_SIZE
};

// The height model's bytes: cell (c, r) of the field at column 512 - c,
// row 511 - r. Column 0 (never read as a height) repeats column 1.
std::vector<uint8_t> turnedHeights(const HeightField& f);
// The objects the picture shows, where renderTerrain puts them; `heights`
// is turnedHeights(f).
std::vector<TerrainObject> terrainObjects(const TerrainPlan& plan, const HeightField& f, const std::vector<uint8_t>& heights);
TerrainPictures renderTerrain(const TerrainPlan& plan, const HeightField& f);
bool writeTerrainPictures(const std::string& dataFolder, int number, const TerrainPictures& p);
