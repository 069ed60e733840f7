#include "world/layout.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int HEADER_BYTES = 28;
const int POINT_BYTES = 4;
const int VERTEX_REACH = 4;  // find vertex: abs(dx) and abs(dy) below this
const int EDGE_REACH = 10;   // find edge: the same for the edge's midpoint

const char* const LOAD_FAILED = "Unable to load level description\n";
const char* const LAYOUT_DAMAGED = "Level description error.\n";
const char* const SAVE_FAILED = "Unable to save level description\n";

void layoutPath(char* path, size_t size, int level) {
    snprintf(path, size, "%slevel%d.lvl", dataFolder, level);
}

[[noreturn]] void polygonFailure() {
    logAt(6, "can't create Polygon\n", LOG_TAG_ERROR);
    fputs("can't create Polygon\n", stderr);
    exit(1);
}

int32_t readInt32(const uint8_t* b) {
    return (int32_t)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24);
}

void putInt32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}

void putInt16(std::vector<uint8_t>& out, int32_t v) {
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)((uint32_t)v >> 8));
}

int64_t fileSize(FILE* f) {
    if (fseek(f, 0, SEEK_END) != 0) return -1;
    long size = ftell(f);
    if (size < 0 || fseek(f, 0, SEEK_SET) != 0) return -1;
    return size;
}

// Reads one polygon whose vertex count must fit in what is left of the
// file, so a damaged count never allocates beyond the file's own size.
Polygon* readPolygon(FILE* f, int64_t* remaining) {
    uint8_t countBytes[4];
    if (*remaining < 4 || fread(countBytes, 1, 4, f) != 4) return nullptr;
    *remaining -= 4;
    int32_t count = readInt32(countBytes);
    if (count < 0 || count > *remaining / POINT_BYTES) return nullptr;
    Polygon* p = createPolygon();
    if (!p) polygonFailure();
    if (count == 0) return p;
    std::vector<uint8_t> bytes((size_t)count * POINT_BYTES);
    p->vertices = (Point*)malloc((size_t)count * sizeof(Point));
    if (!p->vertices || fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        destroyPolygon(&p);
        return nullptr;
    }
    *remaining -= (int64_t)bytes.size();
    p->count = count;
    for (int32_t i = 0; i < count; i++) {
        const uint8_t* b = &bytes[(size_t)i * POINT_BYTES];
        p->vertices[i].x = b[0] | b[1] << 8;
        p->vertices[i].y = b[2] | b[3] << 8;
    }
    return p;
}

bool readPolygons(FILE* f, int64_t* remaining, Polygon** list, int32_t* listCount, int32_t count) {
    for (int32_t i = 0; i < count; i++) {
        Polygon* p = readPolygon(f, remaining);
        if (!p) return false;
        list[(*listCount)++] = p;
    }
    return true;
}

void writePolygons(std::vector<uint8_t>& out, Polygon* const* list, int32_t count) {
    for (int32_t i = 0; i < count; i++) {
        const Polygon* p = list[i];
        int32_t n = p ? p->count : 0;
        putInt32(out, n);
        for (int32_t j = 0; j < n; j++) {
            // Coordinates are stored as their low 16 bits.
            putInt16(out, p->vertices[j].x);
            putInt16(out, p->vertices[j].y);
        }
    }
}

bool writeFile(const char* path, const std::vector<uint8_t>& bytes) {
    char temporary[320];
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    FILE* f = fopen(temporary, "wb");
    if (!f) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    written = fclose(f) == 0 && written;
    if (written && rename(temporary, path) == 0) return true;
    remove(temporary);
    return false;
}

void clearList(Polygon** list, int32_t* count, int limit) {
    for (int i = 0; i < limit; i++) destroyPolygon(&list[i]);
    *count = 0;
}

} // namespace

LevelLayout* createLayout() {
    LevelLayout* layout = (LevelLayout*)calloc(1, sizeof(LevelLayout));
    if (!layout) polygonFailure();
    layout->current = -1;
    layout->masked = 1;
    return layout;
}

void clearLayoutPolygons(LevelLayout* layout) {
    clearList(layout->keepouts, &layout->keepoutCount, MAX_KEEPOUTS);
    clearList(layout->checkpoints, &layout->checkpointCount, MAX_CHECKPOINTS);
    clearList(layout->racePaths, &layout->racePathCount, MAX_RACE_PATHS);
}

void destroyLayout(LevelLayout** handle) {
    if (!*handle) return;
    clearLayoutPolygons(*handle);
    free(*handle);
    *handle = nullptr;
}

bool loadLayout(LevelLayout* layout, int level) {
    // All three lists are emptied, not only the keep-outs, so a load into a
    // used layout can never run a list past its limit.
    clearLayoutPolygons(layout);
    layout->current = -1;
    layout->currentKind = KIND_KEEPOUT;

    char path[300];
    layoutPath(path, sizeof path, level);
    FILE* f = fopen(path, "rb");
    if (!f) {
        logAt(6, LOAD_FAILED, LOG_TAG_ERROR);
        return false;
    }
    uint8_t header[HEADER_BYTES];
    int64_t remaining = fileSize(f) - HEADER_BYTES;
    bool ok = remaining >= 0 && fread(header, 1, HEADER_BYTES, f) == HEADER_BYTES;
    if (ok) {
        int32_t keepouts = readInt32(header), checkpoints = readInt32(header + 4), paths = readInt32(header + 8);
        layout->startX = readInt32(header + 12);
        layout->startY = readInt32(header + 16);
        layout->startDirection = readInt32(header + 20);
        layout->masked = readInt32(header + 24);
        ok = keepouts >= 0 && keepouts <= MAX_KEEPOUTS && checkpoints >= 0 && checkpoints <= MAX_CHECKPOINTS &&
             paths >= 0 && paths <= MAX_RACE_PATHS &&
             readPolygons(f, &remaining, layout->keepouts, &layout->keepoutCount, keepouts) &&
             readPolygons(f, &remaining, layout->checkpoints, &layout->checkpointCount, checkpoints) &&
             readPolygons(f, &remaining, layout->racePaths, &layout->racePathCount, paths);
    }
    fclose(f);
    if (!ok) {
        logAt(6, LAYOUT_DAMAGED, LOG_TAG_ERROR);
        clearLayoutPolygons(layout);
    }
    return ok;
}

bool saveLayout(const LevelLayout* layout, int level) {
    int32_t keepouts = layout->keepoutCount, checkpoints = layout->checkpointCount, paths = layout->racePathCount;
    std::vector<uint8_t> bytes;
    putInt32(bytes, keepouts);
    putInt32(bytes, checkpoints);
    putInt32(bytes, paths);
    putInt32(bytes, layout->startX);
    putInt32(bytes, layout->startY);
    putInt32(bytes, layout->startDirection);
    putInt32(bytes, layout->masked);
    writePolygons(bytes, layout->keepouts, keepouts);
    writePolygons(bytes, layout->checkpoints, checkpoints);
    writePolygons(bytes, layout->racePaths, paths);

    char path[300];
    layoutPath(path, sizeof path, level);
    if (writeFile(path, bytes)) return true;
    logAt(6, SAVE_FAILED, LOG_TAG_ERROR);
    return false;
}

PolygonList currentList(LevelLayout* layout) {
    switch (layout->currentKind) {
    case KIND_CHECKPOINT: return {layout->checkpoints, &layout->checkpointCount, MAX_CHECKPOINTS};
    case KIND_RACE_PATH: return {layout->racePaths, &layout->racePathCount, MAX_RACE_PATHS};
    default: return {layout->keepouts, &layout->keepoutCount, MAX_KEEPOUTS};
    }
}

bool newPolygon(LevelLayout* layout) {
    PolygonList list = currentList(layout);
    if (layout->currentKind == KIND_START_POINT || *list.count >= list.limit) return false;
    Polygon* p = createPolygon();
    if (!p) polygonFailure();
    list.polygons[*list.count] = p;
    layout->current = (*list.count)++;
    return true;
}

void deleteCurrentPolygon(LevelLayout* layout) {
    PolygonList list = currentList(layout);
    int k = layout->current;
    if (k < 0 || k >= *list.count) return;
    destroyPolygon(&list.polygons[k]);
    int last = --*list.count;
    // The order is not kept: the last polygon fills the freed slot.
    if (k < last) {
        list.polygons[k] = list.polygons[last];
        list.polygons[last] = nullptr;
    }
    layout->current = -1;
}

static bool near(int64_t a, int64_t b, int reach) {
    return llabs(a - b) < reach;
}

PolygonHit findVertex(Polygon* const* polygons, int count, int px, int py) {
    for (int i = 0; i < count; i++) {
        const Polygon* p = polygons[i];
        for (int j = 0; p && j < p->count; j++)
            if (near(p->vertices[j].x, px, VERTEX_REACH) && near(p->vertices[j].y, py, VERTEX_REACH)) return {i, j};
    }
    return {-1, -1};
}

PolygonHit findEdge(Polygon* const* polygons, int count, int px, int py) {
    for (int i = 0; i < count; i++) {
        const Polygon* p = polygons[i];
        for (int j = 0; p && j < p->count; j++) {
            const Point& a = p->vertices[j];
            const Point& b = p->vertices[(j + 1) % p->count];
            int64_t mx = ((int64_t)a.x + b.x) >> 1, my = ((int64_t)a.y + b.y) >> 1;
            if (near(mx, px, EDGE_REACH) && near(my, py, EDGE_REACH)) return {i, j};
        }
    }
    return {-1, -1};
}
