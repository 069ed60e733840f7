#include "tools/baked_art.h"

#include <string>

namespace {

// The HUD layout on framebuffers wider than 320 pixels.
const int HUD_LEFT = 27, HUD_TOP = 24, MAP = 128, LIFT = -3;

struct Piece {
    int x, y, w, h;
    bool transparent;
};

class BakedHudTest : public BakedArtTest {
protected:
    void loadMainFont() {
        loadFont(picture("c_neopolitical.png"), 0, 26);
        ASSERT_NE(fontSlots[0], nullptr);
    }
    // Draws the text into a copy of the picture at the given place and
    // checks it lands inside the picture on dark ground.
    void expectTextOnDisplay(const Surface* pic, const char* text, int x, int y) {
        Surface* ink = blank(pic->width, pic->height);
        drawText(ink, text, x, y, 0);
        Box box = inkBox(ink);
        ASSERT_GE(box.right, 0) << text;
        EXPECT_GE(box.left, 0) << text;
        EXPECT_GE(box.top, 0) << text;
        EXPECT_LT(box.right, pic->width) << text;
        EXPECT_LT(box.bottom, pic->height) << text;
        EXPECT_LE(brightest(pic, box.left, box.top, box.right - box.left + 1, box.bottom - box.top + 1), 4) << text;
    }
};

TEST_F(BakedHudTest, OverlayPiecesSitAtTheirRectangles) {
    Surface* chars = picture("smallchars.png");
    const Piece pieces[] = {
        {0, 88, 194, 2, false},   {0, 90, 194, 6, false},   {0, 96, 194, 2, false},  {0, 97, 62, 9, true},
        {231, 0, 9, 20, false},   {203, 89, 6, 9, true},    {209, 89, 31, 9, false}, {77, 98, 42, 8, true},
        {77, 106, 163, 29, false}, {0, 107, 20, 20, false}, {40, 107, 20, 20, false}, {20, 107, 20, 20, false},
    };
    for (const Piece& p : pieces) {
        int set = setPixels(chars, p.x, p.y, p.w, p.h), all = p.w * p.h;
        // Opaque pieces are painted edge to edge; the tabs keep a cut corner.
        if (p.transparent) {
            EXPECT_GT(set, all * 3 / 4) << p.x << "," << p.y;
            EXPECT_LT(set, all) << p.x << "," << p.y;
        } else {
            EXPECT_EQ(set, all) << p.x << "," << p.y;
        }
    }
    // Log lines are written in the basic colours, blue among them, onto the
    // strip's text columns: they must be near black.
    EXPECT_LE(brightest(chars, 2, 90, 180, 6), 2);
    // The counter values are white on the boxes' dark inside.
    EXPECT_LE(brightest(chars, 212, 91, 26, 6), 2);
    // The three buttons are different pictures.
    int differences = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            differences += getPixel(chars, x, 107 + y) != getPixel(chars, 20 + x, 107 + y) &&
                           getPixel(chars, 20 + x, 107 + y) != getPixel(chars, 40 + x, 107 + y);
    EXPECT_GT(differences, 40);
}

// The map frame goes at (0, 0) over the minimap at (F - 2, T - 2): its
// window shows the map's inside, the frame covers the map's edge rings.
TEST_F(BakedHudTest, MapFrameFitsTheMinimap) {
    Surface* frame = picture("hudmap.png");
    const int x0 = HUD_LEFT - 2, y0 = HUD_TOP - 2, size = MAP + 4;
    ASSERT_GE(frame->width, x0 + size + 2);
    ASSERT_GE(frame->height, y0 + size + 2);
    EXPECT_EQ(setPixels(frame, x0 + 3, y0 + 3, size - 6, size - 6), 0);
    for (int ring = 0; ring < 3; ring++) {
        int side = size - 2 * ring;
        EXPECT_EQ(setPixels(frame, x0 + ring, y0 + ring, side, 1), side) << ring;
        EXPECT_EQ(setPixels(frame, x0 + ring, y0 + ring + side - 1, side, 1), side) << ring;
        EXPECT_EQ(setPixels(frame, x0 + ring, y0 + ring, 1, side), side) << ring;
        EXPECT_EQ(setPixels(frame, x0 + ring + side - 1, y0 + ring, 1, side), side) << ring;
    }
}

// The time is right-aligned 5 pixels from the right edge on the line at
// font height + lift, at most minutes, seconds and hundredths.
TEST_F(BakedHudTest, TimeFitsItsBox) {
    loadMainFont();
    Surface* box = picture("hudtime.png");
    const char* longest = "00:00.00";
    int y = fontLineHeight(0) + LIFT;
    expectTextOnDisplay(box, longest, box->width - 5 - textWidth(longest, 0), y);
    expectTextOnDisplay(box, "9.99", box->width - 5 - textWidth("9.99", 0), y);
}

// Lap text is centred 5 pixels right of the lap box's centre, the place
// text at the lap box's half width - 5, both 9 rows above the bottom.
TEST_F(BakedHudTest, LapAndPlaceTextsFitTheirBoxes) {
    loadMainFont();
    Surface* lap = picture("hudlap.png");
    Surface* place = picture("hudplace.png");
    EXPECT_EQ(lap->width, place->width);
    int y = lap->height + 2 * LIFT - 3;
    for (const char* text : {"1 of 3", "9 of 9"})
        expectTextOnDisplay(lap, text, lap->width / 2 + 5 - textWidth(text, 0) / 2, y);
    int py = place->height + 2 * LIFT - 3;
    for (const char* text : {"1st", "2nd", "3rd", "4th", "7th", "9th", "Last"})
        expectTextOnDisplay(place, text, lap->width / 2 - 5 - textWidth(text, 0) / 2, py);
    // Both stand in the bottom corners of a portrait screen beside the
    // out-of-bounds warning without covering its middle.
    Surface* warning = picture("hudoob.png");
    EXPECT_LE(lap->width + place->width + warning->width / 2, 480);
}

TEST_F(BakedHudTest, OutOfBoundsWarningIsSolidAndBright) {
    Surface* warning = picture("hudoob.png");
    EXPECT_LE(warning->width, 320);
    EXPECT_GE(warning->height, 32);
    EXPECT_GT(setPixels(warning, 0, 0, warning->width, warning->height), warning->width * warning->height * 9 / 10);
    // Its lettering: a run of near-white pixels in the top half.
    int white = 0;
    for (int y = 0; y < warning->height / 2; y++)
        for (int x = 0; x < warning->width; x++) {
            Color c = getPixel(warning, x, y);
            white += colorRed(c) >= 28 && colorGreen(c) >= 28 && colorBlue(c) >= 28;
        }
    EXPECT_GT(white, 150);
}

// The panel slides out of a 480-row screen over half its height, and
// additive white text and buttons go on its inside from 20 rows down: the
// ground keeps below a third of full intensity.
TEST_F(BakedHudTest, InformationPanelLeavesItsInsideDark) {
    Surface* panel = picture("hudinfo.png");
    EXPECT_LE(panel->height, 240);
    EXPECT_LE(panel->width, 480);
    EXPECT_GE(panel->width, 300);
    EXPECT_EQ(setPixels(panel, 12, 12, panel->width - 24, panel->height - 24), (panel->width - 24) * (panel->height - 24));
    EXPECT_LE(brightest(panel, 26, 20, panel->width - 52, panel->height - 40), 10);
}

TEST_F(BakedHudTest, IconsSitAtTheirRectangles) {
    Surface* icons = picture("icons.png");
    ASSERT_GE(icons->width, 126);
    ASSERT_GE(icons->height, 40);
    EXPECT_GT(setPixels(icons, 0, 0, 40, 40), 300);
    EXPECT_GT(setPixels(icons, 40, 0, 9, 9), 30);
    EXPECT_GT(setPixels(icons, 49, 0, 39, 39), 600);
    EXPECT_GT(setPixels(icons, 87, 0, 39, 39), 600);
    // The two signs share column 87.
    EXPECT_EQ(setPixels(icons, 87, 0, 1, 40), 0);
    // The signs' poles carry on the post's pole in column 19.
    const Color pole = packCorrected(25, 25, 25);
    EXPECT_EQ(getPixel(icons, 49 + 19, 38), pole);
    EXPECT_EQ(getPixel(icons, 87 + 19, 38), pole);
    // The start arrow points left: heading 0 is turned to point up the board.
    int tipColumn = 0;
    while (tipColumn < 40 && setPixels(icons, tipColumn, 0, 1, 40) == 0) tipColumn++;
    int tailColumn = 39;
    while (tailColumn > 0 && setPixels(icons, tailColumn, 0, 1, 40) == 0) tailColumn--;
    EXPECT_LE(setPixels(icons, tipColumn, 0, 1, 40), 4);
    EXPECT_GE(setPixels(icons, tailColumn, 0, 1, 40), 10);
    // The marker points down: wide at the top, one pixel at the bottom.
    EXPECT_EQ(setPixels(icons, 40, 0, 9, 1), 9);
    EXPECT_EQ(setPixels(icons, 40, 8, 9, 1), 1);
}

TEST_F(BakedHudTest, WindowIconIsASquarePicture) {
    Surface* icon = picture("icon.png");
    EXPECT_EQ(icon->width, 64);
    EXPECT_EQ(icon->height, 64);
    EXPECT_GT(setPixels(icon, 0, 0, 64, 64), 64 * 64 / 2);
    EXPECT_EQ(getPixel(icon, 0, 0), 0); // the corners stay transparent
}

} // namespace
