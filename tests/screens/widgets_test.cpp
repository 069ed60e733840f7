// The text button and the wrapped paragraph on surfaces of their own, with
// the baked fonts.
#include "screens/menu_fixture.h"
#include "screens/widgets.h"

#include <algorithm>
#include <string>

namespace {

const Color BACK = 0x0841; // a grey the widgets never draw

class Widgets : public MenuGame {
protected:
    Surface* s = nullptr;
    Surface* expected = nullptr;
    void SetUp() override {
        MenuGame::SetUp();
        s = createSurface(640, 480);
        expected = createSurface(640, 480);
        fillSurface(s, BACK);
        fillSurface(expected, BACK);
    }
    void TearDown() override {
        destroySurface(&s);
        destroySurface(&expected);
        leftButtonHeld = 0;
        MenuGame::TearDown();
    }
    static bool blank(const Surface* a) {
        for (int y = 0; y < a->height; y++)
            for (int x = 0; x < a->width; x++)
                if (getPixel(a, x, y) != BACK) return false;
        return true;
    }
    static bool same(const Surface* a, const Surface* b) {
        for (int y = 0; y < a->height; y++)
            for (int x = 0; x < a->width; x++)
                if (getPixel(a, x, y) != getPixel(b, x, y)) return false;
        return true;
    }
};

// The answer box reaches one pixel past the sides and t / 2 + 2 from the
// centre (t = L - 2 on a target of 480 lines or more, else the height);
// style 3 answers as style 0 and draws nothing. Held, the button moves one
// pixel right and down with the pressed edges and no shadow.
TEST_F(Widgets, TextButtonAnswerAndPress) {
    const int cx = 300, cy = 200, t = L() - 2;
    int hw = (textWidth("Select", 0) + 8) / 2, hh = (L() + 4) / 2;
    int left = cx - hw, right = cx + hw, top = cy - hh, bottom = cy + hh;
    struct Probe { int x, y, over; } probes[] = {
        {cx, cy, 1}, {left - 1, cy, 1}, {left - 2, cy, 0}, {right + 1, cy, 1}, {right + 2, cy, 0},
        {cx, cy - t / 2 - 2, 1}, {cx, cy - t / 2 - 3, 0}, {cx, cy + t / 2 + 2, 1}, {cx, cy + t / 2 + 3, 0},
    };
    for (const Probe& p : probes) {
        mouseX = p.x, mouseY = p.y;
        EXPECT_EQ(textButton(expected, "Select", cx, cy, BUTTON_HIT_TEST), p.over) << p.x << "," << p.y;
        EXPECT_EQ(textButton(s, "Select", cx, cy, BUTTON_NORMAL), p.over) << p.x << "," << p.y;
    }
    EXPECT_TRUE(blank(expected)) << "style 3 draws nothing";
    Surface* small = createSurface(320, 240);
    mouseX = 100, mouseY = 100 + hh + 2;
    EXPECT_EQ(textButton(small, "Select", 100, 100, BUTTON_HIT_TEST), 1);
    destroySurface(&small);

    Color black = packColor(0, 0, 0), face = packCorrected(22, 22, 22), pressed = packCorrected(25, 25, 25);
    EXPECT_EQ(getPixel(s, left - 1, top), packCorrected(31, 31, 31));
    EXPECT_EQ(getPixel(s, right + 1, bottom), packCorrected(15, 15, 15));
    EXPECT_EQ(getPixel(s, right + 2, cy), black) << "shadow";
    EXPECT_EQ(getPixel(s, left + 1, bottom + 1), black) << "shadow";
    mouseX = cx, mouseY = cy;
    leftButtonHeld = 1;
    textButton(expected, "Select", cx, cy, BUTTON_NORMAL);
    EXPECT_EQ(getPixel(expected, left - 1, top), BACK);
    EXPECT_EQ(getPixel(expected, left, top + 1), pressed);
    EXPECT_EQ(getPixel(expected, right + 2, bottom + 1), pressed);
    for (int y = top; y <= bottom + 3; y++) EXPECT_EQ(getPixel(expected, right + 3, y), BACK) << y;
    for (int x = left; x <= right + 3; x++) EXPECT_EQ(getPixel(expected, x, bottom + 2), BACK) << x;
    for (int y = top + 1; y < bottom; y++)
        for (int x = left + 1; x < right; x++)
            if (getPixel(s, x, y) != face) {
                ASSERT_EQ(getPixel(expected, x + 1, y + 1), getPixel(s, x, y)) << "lettering";
            }
    fillSurface(s, BACK);
    textButton(s, "Select", cx, cy, BUTTON_DISABLED);
    EXPECT_EQ(getPixel(s, left - 1, top), packCorrected(15, 15, 15)) << "disabled: never pressed";
    EXPECT_EQ(getPixel(s, right + 2, cy), black);
}

// Three words each too wide to share a line with another: three lines.
// Reveal 0 draws nothing and still answers the height; a long reveal draws
// each line centred; reveal 3 shows the first three characters of odd lines
// and the last three of even lines, each where it stands in its line.
TEST_F(Widgets, WrappedTextRevealsLinesFromAlternatingEnds) {
    const char* words[] = {"Kelvaro", "strinda", "muxelor"};
    int widest = 0;
    for (const char* w : words) widest = std::max(widest, textWidth(w, 0));
    const int left = 100, top = 100, right = left + widest + 4, centre = left + (right - left) / 2;
    const int step = L() + 1, bottom = top + 3 * step;
    const char* text = "Kelvaro strinda muxelor";
    EXPECT_EQ(wrappedText(s, text, left, top, right, 0, 0), bottom);
    EXPECT_TRUE(blank(s));
    EXPECT_EQ(wrappedText(s, text, left, top, right, 0, 100), bottom);
    for (int k = 0; k < 3; k++) {
        std::string line = std::string(words[k]) + " ";
        drawText(expected, line.c_str(), centre - textWidth(line.c_str(), 0) / 2, top + k * step, 0);
    }
    EXPECT_TRUE(same(s, expected));

    fillSurface(s, BACK);
    fillSurface(expected, BACK);
    wrappedText(s, text, left, top, right, 0, 3);
    for (int k = 0; k < 3; k++) {
        std::string line = std::string(words[k]) + " ";
        int width = textWidth(line.c_str(), 0);
        std::string piece = k % 2 == 0 ? line.substr(0, 3) : line.substr(line.size() - 3);
        int x = k % 2 == 0 ? centre - width / 2 : centre + width / 2 - textWidth(piece.c_str(), 0);
        drawText(expected, piece.c_str(), x, top + k * step, 0);
    }
    EXPECT_TRUE(same(s, expected));
}

// A first word wider than the box is preceded by an empty first line, so it
// is the second line and grows from its right end.
TEST_F(Widgets, AWordWiderThanTheBoxGetsALineOfItsOwn) {
    int wide = textWidth("Kelvarostrindamuxelor", 0);
    const int left = 200, top = 50, right = left + wide / 2, step = L() + 1, centre = left + (right - left) / 2;
    EXPECT_EQ(wrappedText(s, "Kelvarostrindamuxelor go", left, top, right, 0, 3), top + 3 * step);
    int width = textWidth("Kelvarostrindamuxelor ", 0);
    drawText(expected, "or ", centre + width / 2 - textWidth("or ", 0), top + step, 0);
    drawText(expected, "go ", centre - textWidth("go ", 0) / 2, top + 2 * step, 0);
    EXPECT_TRUE(same(s, expected));
}

} // namespace
