#include "bake/review_sheet.h"

#include <algorithm>

namespace {
const int GAP = 4;
const Rgb GROUND = {24, 24, 28};
} // namespace

Image imageSheet(const std::vector<const Image*>& pictures, int columns) {
    int cellW = 0, cellH = 0;
    for (const Image* p : pictures) cellW = std::max(cellW, p->width / 2), cellH = std::max(cellH, p->height / 2);
    int n = (int)pictures.size(), cols = std::max(1, std::min(columns, n)), rows = (n + cols - 1) / cols;
    Image sheet(GAP + cols * (cellW + GAP), GAP + rows * (cellH + GAP), GROUND);
    for (int i = 0; i < n; i++) {
        const Image& p = *pictures[i];
        int ox = GAP + (i % cols) * (cellW + GAP), oy = GAP + (i / cols) * (cellH + GAP);
        for (int y = 0; y < p.height / 2; y++)
            for (int x = 0; x < p.width / 2; x++) {
                Rgb a = p.at(2 * x, 2 * y), b = p.at(2 * x + 1, 2 * y), c = p.at(2 * x, 2 * y + 1), d = p.at(2 * x + 1, 2 * y + 1);
                sheet.set(ox + x, oy + y, {(uint8_t)((a.r + b.r + c.r + d.r + 2) / 4), (uint8_t)((a.g + b.g + c.g + d.g + 2) / 4),
                                           (uint8_t)((a.b + b.b + c.b + d.b + 2) / 4)});
            }
    }
    return sheet;
}

bool writeImageSheet(const std::string& path, const std::vector<const Image*>& pictures, int columns) {
    return writePng(path, imageSheet(pictures, columns), 6);
}
