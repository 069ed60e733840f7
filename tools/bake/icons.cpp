// "icons.png": the start arrow (40 x 40 at 0, 0), the player marker (9 x 9
// at 40, 0) and the checkpoint signs (39 x 39 at 49, 0 still to collect and
// at 87, 0 collected; the two share column 87, which both leave empty).
// "icon.png": the window icon, a knobbly off-road wheel.
#include "bake/icons.h"

#include "bake/files.h"
#include "bake/paint.h"
#include "bake/palette.h"

#include <cmath>

namespace {

const int sheetWidth = 128, sheetHeight = 40;
const int arrowX = 0, arrowSize = 40;
const int markerX = 40, markerSize = 9;
const int openSignX = 49, doneSignX = 87, signSize = 39;
const int poleColumn = 19; // the marker post's pole runs down this column
const double pi = 3.14159265358979323846;

// The editor turns the arrow by -(direction) - 90 degrees, so an arrow
// pointing left shows heading 0 (toward -y) pointing up the board.
void drawStartArrow(Image& image) {
    const double c = arrowSize / 2.0;
    std::vector<Vec2> arrow = {{3, c},      {18, c - 14}, {18, c - 6}, {36, c - 6},
                               {36, c + 6}, {18, c + 6},  {18, c + 14}};
    Coverage mask = shapeMask(arrowSize, arrowSize, [&](double x, double y) { return insidePolygon(arrow, x, y); });
    paintMask(image, growMask(mask, 1), arrowX, 0, {8, 40, 12});
    paintMask(image, mask, arrowX, 0, [&](double, double y) { return mixRgb({120, 240, 110}, {30, 170, 50}, y / arrowSize); });
    bevelMask(image, mask, arrowX, 0, {200, 255, 190}, {16, 96, 28});
}

// Points down at the player's bike from above it.
void drawPlayerMarker(Image& image) {
    static const char* const rows[markerSize] = {"OOOOOOOOO", "OAAAAAAAO", ".OAAAAAO.", ".OAAAAAO.", "..OBBBO..",
                                                 "..OBBBO..", "...OBO...", "...OBO...", "....O...."};
    for (int y = 0; y < markerSize; y++)
        for (int x = 0; x < markerSize; x++) {
            char p = rows[y][x];
            if (p != '.') image.set(markerX + x, y, p == 'O' ? Rgb{48, 20, 10} : p == 'A' ? hudAmber : hudOrange);
        }
}

// A round sign on a pole; the post adds the pole below the icon.
void drawSign(Image& image, int x0, bool collected) {
    const double cx = poleColumn + 0.5, cy = 15.5, radius = 14.5;
    fillRect(image, x0 + poleColumn, 20, 1, signSize - 20, hudPole);
    Coverage disc = shapeMask(signSize, signSize, [&](double x, double y) { return insideDisc(cx, cy, radius, x, y); });
    paintMask(image, growMask(disc, 1), x0, 0, hudOutline);
    paintMask(image, disc, x0, 0, hudWhite);
    Coverage face = shapeMask(signSize, signSize, [&](double x, double y) { return insideDisc(cx, cy, radius - 2.5, x, y); });
    if (collected) {
        paintMask(image, face, x0, 0, [&](double, double y) { return mixRgb({90, 220, 100}, {30, 150, 50}, y / 30); });
        std::vector<Vec2> tick = {{cx - 7, cy + 0.5}, {cx - 2, cy + 5.5}, {cx + 7.5, cy - 5.5}};
        paintShape(image, x0, 0, x0 + signSize, signSize, [&](double x, double y) {
            return nearSegment(tick[0], tick[1], 2.6, x - x0, y) || nearSegment(tick[1], tick[2], 2.6, x - x0, y);
        }, hudWhite);
    } else {
        // A chequered flag face with an orange ring.
        const double square = 5.5;
        paintMask(image, face, x0, 0, [&](double x, double y) {
            int i = (int)std::floor((x - cx) / square + 8), j = (int)std::floor((y - cy) / square + 8);
            return (i + j) % 2 ? Rgb{24, 24, 28} : hudWhite;
        });
        Coverage ring = shapeMask(signSize, signSize, [&](double x, double y) {
            double d = std::hypot(x - cx, y - cy);
            return d <= radius - 1 && d >= radius - 3.5;
        });
        paintMask(image, ring, x0, 0, hudOrange);
    }
    bevelMask(image, disc, x0, 0, {255, 255, 255}, {90, 96, 110});
}

bool bakeIconSheet(const BakeTarget& out) {
    Image image(sheetWidth, sheetHeight);
    drawStartArrow(image);
    drawPlayerMarker(image);
    drawSign(image, openSignX, false);
    drawSign(image, doneSignX, true);
    for (int y = 0; y < sheetHeight; y++) image.set(doneSignX, y, {0, 0, 0});
    return writePng(out.data + "icons.png", image);
}

// The window icon: a knobbly tyre round an orange rim and spoked hub.
bool bakeWindowIcon(const BakeTarget& out) {
    const int size = 64;
    const double c = size / 2.0;
    Image image(size, size);
    const int knobs = 18;
    auto tyre = [&](double x, double y) {
        double d = std::hypot(x - c, y - c);
        double a = std::atan2(y - c, x - c) * knobs / (2 * pi);
        bool knob = a - std::floor(a) < 0.55;
        return d <= (knob ? 31.0 : 28.5) && d >= 19.5;
    };
    Coverage tyreMask = shapeMask(size, size, tyre);
    paintMask(image, tyreMask, 0, 0, [&](double x, double y) { return mixRgb({86, 90, 100}, {30, 32, 38}, (x + y) / (2.0 * size)); });
    bevelMask(image, tyreMask, 0, 0, {150, 156, 170}, {12, 12, 16});
    Coverage rim = shapeMask(size, size, [&](double x, double y) {
        double d = std::hypot(x - c, y - c);
        return d <= 20 && d >= 16.5;
    });
    paintMask(image, rim, 0, 0, [&](double x, double y) { return mixRgb(hudAmber, {214, 96, 10}, (x + y) / (2.0 * size)); });
    const int spokes = 12;
    paintShape(image, 0, 0, size, size, [&](double x, double y) {
        for (int i = 0; i < spokes; i++) {
            double a = i * 2 * pi / spokes + (i % 2) * 0.12;
            Vec2 hub = {c + 5 * std::cos(a + 0.5), c + 5 * std::sin(a + 0.5)};
            Vec2 end = {c + 17 * std::cos(a), c + 17 * std::sin(a)};
            if (nearSegment(hub, end, 0.55, x, y)) return true;
        }
        return false;
    }, {196, 200, 210});
    Coverage hub = shapeMask(size, size, [&](double x, double y) { return insideDisc(c, c, 6.5, x, y); });
    paintMask(image, hub, 0, 0, [&](double x, double y) { return mixRgb({230, 232, 240}, {90, 96, 110}, (x + y - 2 * c + 7) / 14); });
    paintShape(image, 0, 0, size, size, [&](double x, double y) { return insideDisc(c, c, 2.2, x, y); }, hudOrange);
    return writePng(out.data + "icon.png", image);
}

} // namespace

bool bakeIcons(const BakeTarget& out) { return bakeIconSheet(out) && bakeWindowIcon(out); }
