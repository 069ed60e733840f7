#include "world_support.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>

Polygon* makePolygon(const PointList& points) {
    Polygon* p = createPolygon();
    for (auto [x, y] : points) appendVertex(p, x, y);
    return p;
}

PointList pointsOf(const Polygon* p) {
    PointList out;
    for (int i = 0; i < p->count; i++) out.push_back({p->vertices[i].x, p->vertices[i].y});
    return out;
}

Picture picture(const Surface* s, Color c) {
    Picture rows(s->height, std::string(s->width, '?'));
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) {
            Color v = getPixel(s, x, y);
            if (v == c || v == 0) rows[y][x] = v == c ? '#' : '.';
        }
    return rows;
}

void DataFolderTest::SetUp() {
    savedFolder = dataFolder;
    snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
    clearLog();
    logThreshold = 6;
}

void DataFolderTest::TearDown() {
    logThreshold = 0;
    clearLog();
    snprintf(dataFolder, sizeof dataFolder, "%s", savedFolder.c_str());
}

std::string DataFolderTest::logged() {
    std::string all;
    for (int i = LOG_LINES - 1; i >= 0; i--) all += std::string(logText[i], strnlen(logText[i], LOG_COLUMNS));
    return all;
}
