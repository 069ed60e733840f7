// The baked menu and screen pictures, read back through the game's own
// picture loader: the sizes the screens lay out for, the title menu's
// grey-and-opacity code, the pieces the options screens copy from fixed
// places and dark ground wherever screens write white text. The whole
// bake's test checks that they bake to the same bytes every time.
#include "bake/picture_set.h"
#include "gfx/image.h"
#include "gfx/surface.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "support/baked_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const int FONT0_LINE = 16; // line height of the main font (cell height 26)

struct Picture {
    Surface* s = nullptr;
    ~Picture() { destroySurface(&s); }
    int width() const { return s->width; }
    int height() const { return s->height; }
    Color at(int x, int y) const { return getPixel(s, x, y); }
};

int brightest(Color c) { return std::max({colorRed(c), colorGreen(c), colorBlue(c)}); }
int lightness(Color c) { return colorRed(c) + colorGreen(c) + colorBlue(c); }

// Share of the pixels of a box that are not the transparent colour.
double coveredShare(const Picture& p, int x0, int y0, int w, int h) {
    int set = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) set += p.at(x, y) != 0;
    return (double)set / (w * h);
}

double meanLightness(const Picture& p, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) sum += lightness(p.at(x, y));
    return sum / (w * h);
}

class BakePictures : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder = dataFolder;
        snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
        resetDisplayGeometry();
        setColorCurve(128); // the curve the game starts with
        ASSERT_TRUE(bakedDataSetPresent());
    }
    void TearDown() override { snprintf(dataFolder, sizeof dataFolder, "%s", savedFolder.c_str()); }

    static std::unique_ptr<Picture> load(const char* name) {
        auto p = std::make_unique<Picture>();
        loadPicture(name, &p->s);
        return p;
    }

    std::string savedFolder;
};

TEST_F(BakePictures, FullScreenPicturesFillBothOrientations) {
    // Drawn centred, the title picture covers 640 x 480 and 480 x 640.
    auto title = load("titleBack.jpg");
    EXPECT_GE(title->width(), 640);
    EXPECT_GE(title->height(), 640);
    for (auto [name, w, h] : {std::tuple{"stageBackL.png", 640, 480}, {"stageBack.png", 480, 640},
                              {"exitl.png", 640, 480}, {"exitp.png", 480, 640}}) {
        auto p = load(name);
        EXPECT_EQ(p->width(), w) << name;
        EXPECT_EQ(p->height(), h) << name;
    }
}

TEST_F(BakePictures, LogoLeavesRoomForTheIntroLinesAndTheLoadingBar) {
    auto logo = load("backvqz.png");
    int pw = logo->width(), ph = logo->height();
    for (auto [W, H] : {std::pair{640, 480}, {480, 640}}) {
        EXPECT_LE(pw, W - 16);
        // Intro: four credit lines below the logo, a line and a half apart.
        int top = H / 2 - ph / 2 - (11 * FONT0_LINE) / 4;
        int lastLine = top + ph + 2 * FONT0_LINE - 3 + 3 * (FONT0_LINE + FONT0_LINE / 2);
        EXPECT_GE(top, 0);
        EXPECT_LE(lastLine, H - 8);
        // Level loading: "Loading..." below the logo, above the bar.
        int centre = H / 2 - H / 8;
        EXPECT_GE(centre - ph / 2, 0);
        EXPECT_LT(centre + ph / 2 + 2 * FONT0_LINE, H - H / 16 - 24);
    }
    // Copied with or without transparency it looks the same: no black.
    EXPECT_EQ(coveredShare(*logo, 0, 0, pw, ph), 1.0);
}

TEST_F(BakePictures, ControlsPictureFitsBetweenTheHelpParagraphs) {
    auto steering = load("steering.png");
    int pw = steering->width(), ph = steering->height();
    // Fully opened, below the first paragraph (two lines in landscape,
    // three in portrait) and above the second.
    for (auto [W, H, lines] : {std::tuple{640, 480, 2}, {480, 640, 3}}) {
        int top = H / 2 - ph / 16 - ph / 2;
        EXPECT_LE(pw, W - 32);
        EXPECT_GE(top, H / 8 + 2 * FONT0_LINE + lines * (FONT0_LINE + 1) + 4) << W;
        EXPECT_LE(top + ph, 3 * H / 4 - FONT0_LINE) << W;
    }
    EXPECT_EQ(coveredShare(*steering, 0, 0, pw, ph), 1.0);
    // The mouse buttons in their colours: orange to accelerate, red to brake.
    int orange = 0, red = 0;
    for (int y = 0; y < ph; y++)
        for (int x = 0; x < pw; x++) {
            Color c = steering->at(x, y);
            int r = colorRed(c), g = colorGreen(c), b = colorBlue(c);
            orange += r >= 28 && g >= 10 && g <= 22 && b <= 8;
            red += r >= 22 && g <= 8 && b <= 8;
        }
    EXPECT_GT(orange, 150);
    EXPECT_GT(red, 150);
}

// ---- title menu ----

struct MenuRow {
    int firstLine = -1, lastLine = -1; // picture lines holding lettering
    int left = 1 << 30, right = -1;    // its columns
    int lettering = 0, plate = 0;      // pixel counts
    double letteringGrey = 0, plateGrey = 0;
};

TEST_F(BakePictures, TitleMenuHoldsSevenRowsInItsGreyAndOpacityCode) {
    auto menu = load("titleMenu.png");
    int mw = menu->width(), mh = menu->height(), rowH = (mh - 5) / 7;
    EXPECT_EQ(mh, 7 * rowH + 5);
    EXPECT_GE(rowH, 28); // rows big enough to aim at
    for (int H : {480, 640}) {
        int W = H == 480 ? 640 : 480;
        EXPECT_GE(W - mw - H / 32, W / 3) << "menu too wide for " << W;
        EXPECT_GE(H - H / 16 - mh, H / 4) << "menu too tall for " << H;
    }
    std::vector<MenuRow> rows(7);
    std::vector<int> letteringPerLine(mh, 0);
    for (int j = 0; j < mh; j++)
        for (int i = 0; i < mw; i++) {
            Color p = menu->at(i, j);
            int g = colorGreen(p), b = colorBlue(p);
            ASSERT_NE(b, 1) << "opacity 1 turns opaque under a bright curve at " << i << "," << j;
            if (b < 2) {
                EXPECT_EQ(p & 0x400, 0) << i << "," << j;
                continue;
            }
            int r = (j - 3) / rowH;
            ASSERT_TRUE(r >= 0 && r < 7) << "drawn pixel outside the rows at line " << j;
            MenuRow& row = rows[r];
            if (p & 0x400) { // lettering
                EXPECT_GE(b, 24) << "lettering must be (nearly) opaque at " << i << "," << j;
                letteringPerLine[j]++;
                row.lettering++;
                row.letteringGrey += g;
                row.firstLine = row.firstLine < 0 ? j : row.firstLine;
                row.lastLine = j;
                row.left = std::min(row.left, i);
                row.right = std::max(row.right, i);
            } else if (g <= 8 && b < 31) {
                row.plate++;
                row.plateGrey += g;
            }
        }
    // Lettering comes in exactly seven runs of lines, one inside each row.
    int runs = 0;
    for (int j = 0; j < mh; j++) runs += letteringPerLine[j] && (j == 0 || !letteringPerLine[j - 1]);
    EXPECT_EQ(runs, 7);
    for (int r = 0; r < 7; r++) {
        const MenuRow& row = rows[r];
        ASSERT_GT(row.lettering, 150) << "row " << r;
        EXPECT_GE(row.firstLine, 3 + r * rowH) << r;
        EXPECT_LT(row.lastLine, 3 + (r + 1) * rowH) << r;
        EXPECT_GE(row.lastLine - row.firstLine, 12) << "lettering too small in row " << r;
        // A translucent dark plate behind bright letters.
        EXPECT_GT(row.plate, 2000) << r;
        EXPECT_GE(row.letteringGrey / row.lettering, 22) << r;
        EXPECT_LE(row.plateGrey / row.plate, 6) << r;
    }
    // The labels in order: "High Scores" is the widest, "Exit" and "Race" short.
    auto width = [&](int r) { return rows[r].right - rows[r].left; };
    for (int r : {0, 1, 2, 3, 4, 6}) EXPECT_GT(width(5), width(r)) << r;
    EXPECT_GT(width(2), 2 * width(6));
    EXPECT_GT(width(3), width(0));
}

// ---- options window ----

TEST_F(BakePictures, OptionsWindowKeepsItsPiecesWhereTheScreenCopiesThem) {
    auto win = load("optionsWin.png");
    int w = win->width(), h = win->height();
    ASSERT_GE(w, 72 + 255 / 2 + KNOB_WIDTH) << "the knob runs past the window";
    ASSERT_GE(h - 54, 190) << "the buttons lie below what the screen shows";
    // Rows 13 .. h - 76 are copied without transparency: no black holes.
    EXPECT_EQ(coveredShare(*win, 0, 13, w, h - 76 - 13 + 1), 1.0);
    // Top corners and the ground between the buttons are transparent.
    EXPECT_EQ(win->at(0, 0), 0);
    EXPECT_EQ(win->at(w - 1, 0), 0);
    EXPECT_EQ(coveredShare(*win, 142, 171, 8, 16), 0.0);
    EXPECT_EQ(coveredShare(*win, w / 2 - 20, 2, 40, 10), 1.0);
    // Released plates inside the button areas, pressed ones in the last rows.
    const int plateY = 169, pressedY = h - 21;
    EXPECT_GE(coveredShare(*win, 17, plateY, 121, 21), 0.95);
    EXPECT_GE(coveredShare(*win, 154, plateY, 46, 21), 0.95);
    EXPECT_GE(coveredShare(*win, 17, pressedY, 121, 21), 0.95);
    EXPECT_GE(coveredShare(*win, 154, pressedY, 46, 21), 0.95);
    EXPECT_LT(meanLightness(*win, 20, pressedY + 3, 115, 15), meanLightness(*win, 20, plateY + 3, 115, 15) - 4);
    EXPECT_LT(meanLightness(*win, 157, pressedY + 3, 40, 15), meanLightness(*win, 157, plateY + 3, 40, 15) - 4);
    // Button labels are written in black: the plates are light.
    EXPECT_GT(meanLightness(*win, 20, plateY + 3, 115, 15), 40);
    // The knob: solid in its middle column, lighter than the window body.
    const int knobY = h - 46;
    EXPECT_EQ(coveredShare(*win, 195 + 3, knobY + 2, 3, 13), 1.0);
    EXPECT_GE(coveredShare(*win, 195, knobY, 9, 17), 0.85);
    EXPECT_GT(meanLightness(*win, 195, knobY + 2, 9, 13), meanLightness(*win, 100, 87, 9, 13) + 15);
}

TEST_F(BakePictures, OptionsWindowDrawsEveryControlInItsHotArea) {
    auto win = load("optionsWin.png");
    auto hasLettering = [&](int x0, int y0, int x1, int y1) {
        int light = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) light += lightness(win->at(x, y)) >= 70;
        return light;
    };
    EXPECT_GT(hasLettering(11, 45, 176, 59), 60) << "full-screen switch";
    for (int row : {61, 95, 129}) {
        EXPECT_GT(hasLettering(7, row, 67, row + 17), 30) << "reset label of row " << row;
        // The groove runs under the knob's whole travel, darker than the gap below the row.
        for (int x = 72 + 4; x <= 72 + 127 + 4; x += 9) {
            Color groove = win->at(x, row + 8 - 3), body = win->at(x, row + 24);
            EXPECT_LT(lightness(groove), lightness(body) - 10) << x << "," << row;
        }
    }
}

TEST_F(BakePictures, ControlConfigurationPieces) {
    auto cfg = load("optionButton.png");
    int w = cfg->width(), h = cfg->height();
    ASSERT_GE(w, 200);
    ASSERT_GE(h, 61 + 21);
    // Top rows: rounded, drawn with transparency.
    EXPECT_EQ(cfg->at(0, 0), 0);
    EXPECT_EQ(coveredShare(*cfg, 8, 4, w - 16, 10), 1.0);
    // The band (16 rows from row 14) is copied as it is: solid, mid-dark
    // so white and black labels both read, ending each 13-row copy in a
    // darker separator.
    EXPECT_EQ(coveredShare(*cfg, 0, 14, w, 16), 1.0);
    double band = meanLightness(*cfg, 10, 15, w - 20, 10);
    EXPECT_GT(band, 18);
    EXPECT_LT(band, 45);
    EXPECT_LT(meanLightness(*cfg, 10, 26, w - 20, 1), band - 6);
    // The "Cancel" and "Apply" strip: plates in the click areas.
    EXPECT_EQ(cfg->at(0, 38 + 22), 0);
    for (int x : {17, 128}) {
        EXPECT_GE(coveredShare(*cfg, x, 39, 72, 21), 0.95) << x;
        Color c = cfg->at(x + 36, 49);
        EXPECT_GT(colorRed(c), colorBlue(c) + 12) << "plate at " << x;
    }
    // The pressed plate in the last rows, darker than the released one.
    EXPECT_GE(coveredShare(*cfg, 17, h - 21, 72, 21), 0.95);
    EXPECT_LT(meanLightness(*cfg, 20, h - 18, 66, 15), meanLightness(*cfg, 20, 42, 66, 15) - 4);
}

// ---- backdrops ----

TEST_F(BakePictures, BackdropsStayDarkWhereScreensWriteText) {
    // White text is added to the ground: it must stay dark and quiet
    // below the top bar and above the bottom one.
    for (const char* name : {"stageBack.png", "stageBackL.png", "backvqz2.png"}) {
        auto p = load(name);
        int w = p->width(), h = p->height(), bright = 0, margin = h > 300 ? 16 : 0;
        for (int y = margin; y < h - margin; y++)
            for (int x = 0; x < w; x++) bright += brightest(p->at(x, y)) > 14;
        EXPECT_LT(bright, w * h / 200) << name;
        EXPECT_LT(meanLightness(*p, 0, margin, w, h - 2 * margin), 3 * 9) << name;
        EXPECT_GT(meanLightness(*p, 0, margin, w, h - 2 * margin), 3 * 1) << name << " is not black";
    }
}

TEST_F(BakePictures, TileJoinsWithoutASeam) {
    auto tile = load("backvqz2.png");
    int n = tile->width();
    ASSERT_EQ(tile->height(), n);
    auto columnStep = [&](int a, int b) {
        double sum = 0;
        for (int y = 0; y < n; y++) sum += std::abs(lightness(tile->at(a, y)) - lightness(tile->at(b, y)));
        return sum / n;
    };
    auto rowStep = [&](int a, int b) {
        double sum = 0;
        for (int x = 0; x < n; x++) sum += std::abs(lightness(tile->at(x, a)) - lightness(tile->at(x, b)));
        return sum / n;
    };
    double inside = (columnStep(n / 2 - 1, n / 2) + rowStep(n / 2 - 1, n / 2)) / 2;
    EXPECT_LT(columnStep(n - 1, 0), 1.6 * inside + 0.5);
    EXPECT_LT(rowStep(n - 1, 0), 1.6 * inside + 0.5);
}

} // namespace
