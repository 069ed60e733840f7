// The race HUD pieces. The race view places them against the framebuffer's
// corners (wide framebuffers: insets 27 and 24, a 128-pixel minimap) and
// writes its values over them, so each piece keeps a dark, empty display
// where its text goes. Black is left wherever the race view should show.
#include "bake/hud.h"

#include "bake/files.h"
#include "bake/fonts.h"
#include "bake/paint.h"
#include "bake/palette.h"
#include "bake/typeface.h"

#include <algorithm>
#include <cmath>

namespace {

const int hudLeft = 27, hudTop = 24, mapSize = 128; // the HUD insets and the minimap
const int textLift = -3;                            // the HUD text lift on wide framebuffers
const double labelSlant = 0.22;
const int labelSize = 11;
const Rgb display = {16, 18, 24}; // the dark ground under HUD values
const Rgb displayEdge = {8, 9, 12};

ShapeColour plateGradient(int height) {
    return [height](double x, double y) {
        return ditherRgb(mixRgb(hudPlateTop, hudPlateBottom, std::clamp(y / height, 0.0, 1.0)), x, y);
    };
}

// A plate: drop shadow, outline, shaded body and bevel.
void paintPlate(Image& image, const Coverage& mask, int shadow) {
    Coverage outline = growMask(mask, 1);
    if (shadow) paintMask(image, outline, shadow, shadow, hudOutline);
    paintMask(image, outline, 0, 0, hudOutline);
    paintMask(image, mask, 0, 0, plateGradient(mask.height));
    bevelMask(image, mask, 0, 0, hudRim, hudShadow);
}

void paintDisplay(Image& image, int x, int y, int w, int h) {
    fillRect(image, x, y, w, h, display);
    bevelRect(image, x, y, w, h, displayEdge, mixRgb(hudPlateBottom, hudRim, 0.4));
}

// The row of the HUD value text's capitals in a picture whose top is at
// screen row `top`, for text drawn at screen row `y`.
int capitalTop(int y, int top) { return y - mainReferenceRow + mainCapitalTop - top; }

// "hudmap.png": a bezel round the minimap. Its window is the minimap's
// inner area less the minimap's own edge ring, so only the map shows.
bool bakeMapFrame(const BakeTarget& out) {
    const int windowX0 = hudLeft + 1, windowY0 = hudTop + 1;
    const int windowX1 = hudLeft + mapSize - 1, windowY1 = hudTop + mapSize - 1;
    const int bezel = 11, shadow = 2;
    const double outerX0 = windowX0 - bezel, outerY0 = windowY0 - bezel;
    const double outerX1 = windowX1 + bezel, outerY1 = windowY1 + bezel;
    Image image((int)outerX1 + shadow + 1, (int)outerY1 + shadow + 1);
    Coverage mask = shapeMask(image.width, image.height, [&](double x, double y) {
        bool window = x >= windowX0 && x < windowX1 && y >= windowY0 && y < windowY1;
        return !window && insideRoundedRect(outerX0, outerY0, outerX1, outerY1, 8, x, y);
    });
    paintPlate(image, mask, shadow);
    // A dark lip round the window and orange brackets at its corners.
    for (int i = 0; i < 2; i++)
        bevelRect(image, windowX0 - 1 - i, windowY0 - 1 - i, windowX1 - windowX0 + 2 + 2 * i,
                  windowY1 - windowY0 + 2 + 2 * i, i ? hudShadow : displayEdge, i ? hudRim : displayEdge);
    const int arm = 16, gap = 4;
    for (int corner = 0; corner < 4; corner++) {
        bool right = corner & 1, bottom = corner & 2;
        int x = right ? windowX1 + gap - 1 : windowX0 - gap - 1;
        int y = bottom ? windowY1 + gap - 1 : windowY0 - gap - 1;
        int dx = right ? -1 : 1, dy = bottom ? -1 : 1;
        for (int k = 0; k < arm; k++) {
            for (int t = 0; t < 2; t++) {
                image.set(x + dx * k, y + dy * t, hudOrange);
                image.set(x + dx * t, y + dy * k, hudOrange);
            }
        }
    }
    // Screws in the bezel's corners.
    for (int corner = 0; corner < 4; corner++) {
        double cx = corner & 1 ? outerX1 - 5.5 : outerX0 + 5.5;
        double cy = corner & 2 ? outerY1 - 5.5 : outerY0 + 5.5;
        paintShape(image, (int)cx - 3, (int)cy - 3, (int)cx + 4, (int)cy + 4,
                   [&](double x, double y) { return insideDisc(cx, cy, 2.2, x, y); }, hudShadow);
        paintShape(image, (int)cx - 3, (int)cy - 3, (int)cx + 4, (int)cy + 4,
                   [&](double x, double y) { return insideDisc(cx - 0.4, cy - 0.4, 1.5, x, y); }, hudRim);
    }
    fillRect(image, windowX0, windowY0, windowX1 - windowX0, windowY1 - windowY0, {0, 0, 0}); // shadow included
    return writePng(out.data + "hudmap.png", image);
}

// "hudtime.png", top right: the time is right-aligned 5 pixels from the
// screen's right edge on the line at font height + lift.
bool bakeTimeBox(const BakeTarget& out, const TypeFace& face) {
    const int height = 25, slant = 12;
    const int textRight = 5, textY = mainLineHeight + textLift;
    const int textWidth = mainFontTextWidth("00:00.00");
    const int label = labelWidth(face, labelSize, "TIME", labelSlant, 1);
    const int displayWidth = textWidth + 10;
    const int width = slant + 8 + label + 8 + displayWidth + textRight - 3;
    Image image(width, height + 1);
    std::vector<Vec2> shape = {{0, 0}, {(double)width, 0}, {(double)width, (double)height}, {(double)slant, (double)height}};
    Coverage mask = shapeMask(width, height, [&](double x, double y) { return insidePolygon(shape, x, y); });
    paintPlate(image, mask, 0);
    fillRect(image, 0, 0, width, 1, hudPlateTop); // flush with the screen's top edge
    paintShape(image, 0, height - 4, width, height - 2, [&](double x, double y) {
        return insidePolygon(shape, x - 2.5, y) && y >= height - 4;
    }, hudOrange);
    int capTop = capitalTop(textY, 0);
    int displayX = width - textRight - textWidth - 6;
    paintDisplay(image, displayX, capTop - 3, width - 2 - displayX, mainCapitalBottom - mainCapitalTop + 7);
    paintLabel(image, face, labelSize, "TIME", displayX - 8 - label, capTop + 10, hudOrange, labelSlant, 1);
    return writePng(out.data + "hudtime.png", image);
}

struct CornerBox {
    int width;
    int displayWidth; // wide enough for the widest value
};

const int cornerHeight = 26, cornerSlant = 10, cornerLabelSize = 9;

// The lap and place boxes share a width: the race view centres the place
// text by the lap box's width, 5 pixels off its middle. Values sit on the
// line 9 rows above the screen's bottom edge; the display fits laps below
// 10 and every place text, the label goes on the far side of the middle.
CornerBox cornerLayout(const TypeFace& face) {
    int valueWidth = mainFontTextWidth("9 of 9");
    for (const char* place : {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "Last"})
        valueWidth = std::max(valueWidth, mainFontTextWidth(place));
    int label = std::max(labelWidth(face, cornerLabelSize, "LAP", labelSlant, 1),
                         labelWidth(face, cornerLabelSize, "POS", labelSlant, 1));
    int displayWidth = valueWidth + 10;
    int half = displayWidth / 2 + std::max(8, label + cornerSlant + 2);
    return {2 * half, displayWidth};
}

int cornerCapitalTop() { return capitalTop(2 * textLift - 3, -cornerHeight); }

bool bakeCornerBox(const BakeTarget& out, const TypeFace& face, const CornerBox& layout, bool lap) {
    const int w = layout.width, h = cornerHeight, s = cornerSlant;
    Image image(w, h);
    std::vector<Vec2> shape = lap ? std::vector<Vec2>{{(double)s, 0}, {(double)w, 0}, {(double)w, (double)h}, {0, (double)h}}
                                  : std::vector<Vec2>{{0, 0}, {(double)(w - s), 0}, {(double)w, (double)h}, {0, (double)h}};
    Coverage mask = shapeMask(w, h, [&](double x, double y) { return insidePolygon(shape, x, y); });
    paintPlate(image, mask, 0);
    fillRect(image, 0, h - 1, w, 1, hudPlateBottom); // flush with the screen's bottom edge
    double shift = lap ? 2.5 : -2.5;
    paintShape(image, 0, 1, w, 3, [&](double x, double y) { return insidePolygon(shape, x - shift, y) && insidePolygon(shape, x, y); },
               hudOrange);
    int centre = w / 2 + (lap ? 5 : -5);
    int capTop = cornerCapitalTop();
    int displayX = centre - layout.displayWidth / 2;
    paintDisplay(image, displayX, capTop - 3, layout.displayWidth, mainCapitalBottom - mainCapitalTop + 7);
    const char* label = lap ? "LAP" : "POS";
    int labelX = lap ? displayX - 5 - labelWidth(face, cornerLabelSize, label, labelSlant, 1)
                     : displayX + layout.displayWidth + 4;
    paintLabel(image, face, cornerLabelSize, label, labelX, capTop + 9, hudOrange, labelSlant, 1);
    return writePng(out.data + (lap ? "hudlap.png" : "hudplace.png"), image);
}

// "hudoob.png", bottom centre, rises out of the bottom edge top rows first.
bool bakeOutOfBounds(const BakeTarget& out, const TypeFace& face) {
    const int w = 256, h = 46, s = 12, stripes = 34;
    Image image(w, h);
    std::vector<Vec2> shape = {{(double)s, 0}, {(double)(w - s), 0}, {(double)w, (double)h}, {0, (double)h}};
    Coverage mask = shapeMask(w, h, [&](double x, double y) { return insidePolygon(shape, x, y); });
    paintMask(image, growMask(mask, 1), 0, 0, hudOutline);
    paintMask(image, mask, 0, 0, [&](double x, double y) {
        bool end = x < stripes || x >= w - stripes;
        if (end) return std::fmod(x + y + 1000, 16.0) < 8 ? hudAmber : Rgb{30, 26, 20};
        return mixRgb({228, 48, 30}, {150, 20, 14}, y / h);
    });
    bevelMask(image, mask, 0, 0, {255, 170, 150}, {90, 10, 8});
    for (int x : {stripes, w - stripes - 1}) fillRect(image, x, 1, 1, h - 1, hudOutline);
    const char* title = "OUT OF BOUNDS";
    const int titleSize = 17;
    int titleWidth = labelWidth(face, titleSize, title, 0.12, 1);
    paintLabel(image, face, titleSize, title, (w - titleWidth) / 2, 22, hudWhite, 0.12, 1, {60, 8, 6});
    const char* hint = "GET BACK ON THE TRACK";
    int hintWidth = labelWidth(face, 9, hint, labelSlant, 1);
    paintLabel(image, face, 9, hint, (w - hintWidth) / 2, 36, hudAmber, labelSlant, 1, {60, 8, 6});
    return writePng(out.data + "hudoob.png", image);
}

// "hudinfo.png": the level information and results panel, also the
// results' message box. Text lines run from about 29 rows below its top,
// centred or 26 pixels in from its sides, so the inside stays plain.
bool bakeInfoPanel(const BakeTarget& out) {
    const int w = 352, h = 208, shadow = 3;
    Image image(w + shadow + 1, h + shadow + 1);
    Coverage mask = shapeMask(w, h, [&](double x, double y) { return insideRoundedRect(1, 1, w - 1, h - 1, 10, x, y); });
    Coverage outline = growMask(mask, 1);
    paintMask(image, outline, shadow, shadow, hudOutline);
    paintMask(image, outline, 0, 0, hudOutline);
    paintMask(image, mask, 0, 0, [&](double x, double y) { return ditherRgb(mixRgb({48, 56, 72}, {24, 29, 40}, y / h), x, y); });
    bevelMask(image, mask, 0, 0, hudRim, hudShadow);
    // An inner rule and orange corner brackets.
    Coverage rule = shapeMask(w, h, [&](double x, double y) {
        return insideRoundedRect(8, 8, w - 8, h - 8, 5, x, y) && !insideRoundedRect(9, 9, w - 9, h - 9, 4, x, y);
    });
    paintMask(image, rule, 0, 0, {70, 80, 100});
    const int arm = 22;
    for (int corner = 0; corner < 4; corner++) {
        bool right = corner & 1, bottom = corner & 2;
        int x = right ? w - 9 : 8, y = bottom ? h - 9 : 8;
        int dx = right ? -1 : 1, dy = bottom ? -1 : 1;
        for (int k = 0; k < arm; k++)
            for (int t = 0; t < 2; t++) {
                image.set(x + dx * k, y + dy * t, hudOrange);
                image.set(x + dx * t, y + dy * k, hudOrange);
            }
    }
    return writePng(out.data + "hudinfo.png", image);
}

} // namespace

bool bakeHudPictures(const BakeTarget& out) {
    TypeFace face;
    if (!openTypeFace(&face, boldFacePath)) return false;
    CornerBox corner = cornerLayout(face);
    bool ok = bakeMapFrame(out) && bakeTimeBox(out, face) && bakeCornerBox(out, face, corner, true) &&
              bakeCornerBox(out, face, corner, false) && bakeOutOfBounds(out, face) && bakeInfoPanel(out);
    closeTypeFace(&face);
    return ok;
}
