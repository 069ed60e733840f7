// Voxel model records, the 3dObj file, scaling and rider colours.
#include "world/voxel.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "shell/random.h"

#include <cmath>
#include <cstdio>

// 3dObj layout: a signed 32-bit point count, then per point x0, y0, z0 as
// signed 32-bit values, the 16-bit colour and two reserved bytes.
static const int HEADER_BYTES = 4;
static const int RECORD_BYTES = 16;
static const int LOG_LEVEL_FILE_ERROR = 6;

VoxelModel* createVoxelModel() {
    VoxelModel* m = new VoxelModel{};
    m->renderedPitch = m->renderedYaw = m->renderedRoll = -1;
    m->halfWidth = VOXEL_HALF_SIZE;
    m->halfHeight = VOXEL_HALF_SIZE;
    m->sprite = createSurface(VOXEL_SPRITE_SIZE, VOXEL_SPRITE_SIZE);
    m->depthSprite = createSurface(VOXEL_SPRITE_SIZE, VOXEL_SPRITE_SIZE);
    m->outlineSprite = createSurface(VOXEL_SPRITE_SIZE, VOXEL_SPRITE_SIZE);
    return m;
}

void destroyVoxelModel(VoxelModel** handle) {
    VoxelModel* m = *handle;
    if (!m) return;
    destroySurface(&m->sprite);
    destroySurface(&m->depthSprite);
    destroySurface(&m->outlineSprite);
    delete m;
    *handle = nullptr;
}

void addVoxelPoint(VoxelModel* m, int x, int y, int z, Color colour) {
    VoxelPoint p{};
    p.x = p.x0 = (int16_t)x;
    p.y = p.y0 = (int16_t)y;
    p.z = p.z0 = (int16_t)z;
    p.colour = colour;
    m->points.push_back(p);
    m->count = (int32_t)m->points.size();
    m->footprintValid = 0;
}

static bool voxelPath(const char* name, char* path, size_t size) {
    int n = snprintf(path, size, "%s%s", dataFolder, name);
    return n >= 0 && (size_t)n < size;
}

static uint32_t readLe32(const unsigned char* b) {
    return b[0] | b[1] << 8 | b[2] << 16 | (uint32_t)b[3] << 24;
}

static void writeLe32(unsigned char* b, uint32_t v) {
    for (int i = 0; i < 4; i++) b[i] = (unsigned char)(v >> (8 * i));
}

static int64_t fileSize(FILE* f) {
    if (fseek(f, 0, SEEK_END) != 0) return -1;
    long size = ftell(f);
    if (fseek(f, 0, SEEK_SET) != 0) return -1;
    return size;
}

// Reads the whole point list into `points`; false when the count is
// negative or more than the file holds, or a read comes up short.
static bool readPoints(FILE* f, std::vector<VoxelPoint>& points) {
    int64_t size = fileSize(f);
    unsigned char header[HEADER_BYTES];
    if (size < HEADER_BYTES || fread(header, 1, HEADER_BYTES, f) != HEADER_BYTES) return false;
    int32_t n = (int32_t)readLe32(header);
    logf(1, 0, "num points->%d\n", n);
    if (n < 0 || (int64_t)n * RECORD_BYTES > size - HEADER_BYTES) return false;

    std::vector<unsigned char> bytes((size_t)n * RECORD_BYTES);
    if (fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
    points.resize(n);
    for (int32_t i = 0; i < n; i++) {
        const unsigned char* record = &bytes[(size_t)i * RECORD_BYTES];
        VoxelPoint& p = points[i];
        p = VoxelPoint{};
        // Coordinates are stored 32 bits wide; only the low 16 bits count.
        p.x = p.x0 = (int16_t)readLe32(record);
        p.y = p.y0 = (int16_t)readLe32(record + 4);
        p.z = p.z0 = (int16_t)readLe32(record + 8);
        p.colour = brightenColor((Color)(record[12] | record[13] << 8), 1);
    }
    return true;
}

bool loadVoxelModel(VoxelModel* m, const char* name) {
    char path[512];
    FILE* f = voxelPath(name, path, sizeof path) ? fopen(path, "rb") : nullptr;
    if (!f) {
        logAt(LOG_LEVEL_FILE_ERROR, "Unable to load 3dObj\n", LOG_TAG_ERROR);
        return false;
    }
    // A damaged file is rejected whole, before the old points are given up.
    std::vector<VoxelPoint> points;
    bool ok = readPoints(f, points);
    fclose(f);
    if (!ok) {
        logAt(LOG_LEVEL_FILE_ERROR, "Damaged 3dObj file\n", LOG_TAG_ERROR);
        return false;
    }
    m->points.swap(points);
    m->count = (int32_t)m->points.size();
    m->pitch = m->yaw = m->roll = 0;
    m->footprintValid = 0;
    return true;
}

bool saveVoxelModel(const VoxelModel* m, const char* name) {
    std::vector<unsigned char> bytes(HEADER_BYTES + m->points.size() * RECORD_BYTES, 0);
    writeLe32(&bytes[0], (uint32_t)m->points.size());
    for (size_t i = 0; i < m->points.size(); i++) {
        const VoxelPoint& p = m->points[i];
        unsigned char* record = &bytes[HEADER_BYTES + i * RECORD_BYTES];
        writeLe32(record, (uint32_t)(int32_t)p.x0);
        writeLe32(record + 4, (uint32_t)(int32_t)p.y0);
        writeLe32(record + 8, (uint32_t)(int32_t)p.z0);
        record[12] = (unsigned char)p.colour;
        record[13] = (unsigned char)(p.colour >> 8);
    }
    char path[512];
    FILE* f = voxelPath(name, path, sizeof path) ? fopen(path, "wb") : nullptr;
    bool ok = f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && fclose(f) != 0) ok = false;
    if (!ok) logAt(LOG_LEVEL_FILE_ERROR, "Unable to save 3dObj\n", LOG_TAG_ERROR);
    return ok;
}

// trunc(v * factor), held at the 16-bit range rather than wrapped.
static int16_t scaledCoordinate(int16_t v, double factor) {
    double r = std::trunc(v * factor);
    if (std::isnan(r)) return 0;
    if (r > INT16_MAX) return INT16_MAX;
    if (r < INT16_MIN) return INT16_MIN;
    return (int16_t)r;
}

void scaleVoxelModel(VoxelModel* m, double factor) {
    for (VoxelPoint& p : m->points) {
        p.x = scaledCoordinate(p.x, factor);
        p.y = scaledCoordinate(p.y, factor);
        p.z = scaledCoordinate(p.z, factor);
        p.x0 = scaledCoordinate(p.x0, factor);
        p.y0 = scaledCoordinate(p.y0, factor);
        p.z0 = scaledCoordinate(p.z0, factor);
    }
    m->footprintValid = 0;
}

// The nine colour schemes; i is the intensity, j a third of it.
static Color schemeColour(int scheme, int i) {
    int j = i / 3;
    switch (scheme) {
    case 1: return packColor(i, i, j);             // yellow
    case 2: return packColor(0, i, j);             // green
    case 3: return packColor(0, i, i);             // cyan
    case 4: return packColor(i, j, i);             // magenta
    case 5: return packColor(0, 0, i);             // blue
    case 6: return packColor(i, i, i);             // white
    case 7: return packColor(i / 2, i / 2, i / 2); // grey
    case 8: return packColor(i / 8, i / 8, i / 8); // black
    default: return packColor(i, j, j);            // red
    }
}

// Reddish points are bike parts, deep blue ones the rider's body.
static bool isBikePart(int r, int g, int b) { return g <= 24 && b <= 24 && (r > 20 || g < r - 5); }
static bool isBodyPart(int r, int g, int b) { return b >= 26 && g <= 4 && r <= 4; }

void recolourVoxelModel(VoxelModel* m, int bikeColour, int bodyColour) {
    for (VoxelPoint& p : m->points) {
        int r = colorRed(p.colour), g = colorGreen(p.colour), b = colorBlue(p.colour);
        if (isBikePart(r, g, b)) {
            // Bike parts keep the shading of their red channel.
            p.colour = schemeColour(bikeColour, r);
        } else if (isBodyPart(r, g, b)) {
            // The body gets a fresh random shade per voxel.
            p.colour = schemeColour(bodyColour, 15 + (gameRandom() & 15));
        }
    }
}
