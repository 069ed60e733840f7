// The layout of a level: keep-out, checkpoint and race-path polygons over
// the 512 x 512 top view of its terrain, and the start point, kept in the
// little-endian file "level%d.lvl" of the data folder.
#pragma once
#include "world/geometry.h"
#include <cstdint>

const int MAX_KEEPOUTS = 20;
const int MAX_CHECKPOINTS = 16;
const int MAX_RACE_PATHS = 8;

// Editing kinds; the current list of any kind but 1 and 2 is the keep-outs.
const int KIND_KEEPOUT = 0;
const int KIND_CHECKPOINT = 1;
const int KIND_RACE_PATH = 2;
const int KIND_START_POINT = 3;

struct LevelLayout {
    int32_t current;        // index in the current kind's list; -1 when none
    int32_t masked;         // 1: only the keep-out polygons are drivable
    int32_t startX;         // layout units
    int32_t startY;
    int32_t startDirection; // degrees
    Polygon* keepouts[MAX_KEEPOUTS];
    Polygon* checkpoints[MAX_CHECKPOINTS];
    Polygon* racePaths[MAX_RACE_PATHS];
    int32_t currentKind;
    int32_t keepoutCount;
    int32_t checkpointCount;
    int32_t racePathCount;
};

// An empty layout: no polygons, current -1, kind 0, masked, start (0, 0, 0).
LevelLayout* createLayout();
// Frees every polygon and the record and clears the caller's handle.
void destroyLayout(LevelLayout** handle);
// Frees every polygon of all three lists.
void clearLayoutPolygons(LevelLayout* layout);

// Reads level N's layout file; afterwards current is -1 and the kind 0.
// False, with the layout holding no polygons, when the file is missing or
// damaged (each logged).
bool loadLayout(LevelLayout* layout, int level);
// Writes level N's layout file, replacing the old one only once the new
// one is complete. False (logged) when it cannot be written.
bool saveLayout(const LevelLayout* layout, int level);

struct PolygonList {
    Polygon** polygons;
    int32_t* count;
    int limit;
};
PolygonList currentList(LevelLayout* layout);

// Appends an empty polygon to the current kind's list and makes it current;
// false when the list is full or the kind is the start point.
bool newPolygon(LevelLayout* layout);
// Deletes the current polygon; the list's last polygon takes its slot.
void deleteCurrentPolygon(LevelLayout* layout);

// A polygon index and a vertex (or edge) index; both -1 when nothing hit.
struct PolygonHit {
    int polygon;
    int index;
};
// First vertex within 3 layout units in both axes of (px, py).
PolygonHit findVertex(Polygon* const* polygons, int count, int px, int py);
// First edge j (vertex j to j + 1) whose integer midpoint lies within 9
// layout units in both axes of (px, py).
PolygonHit findEdge(Polygon* const* polygons, int count, int px, int py);
