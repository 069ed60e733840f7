// The text button and the wrapped paragraph on surfaces of their own, with
// the game's baked fonts.
#include "screens/menu_fixture.h"
#include "screens/widgets.h"

#include <string>
#include <vector>

namespace {

const Color BACK = 0x0841; // a dark grey the widgets never draw

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
        leftButtonHeld = 0;
    }
    void TearDown() override {
        destroySurface(&s);
        destroySurface(&expected);
        leftButtonHeld = 0;
        MenuGame::TearDown();
    }
    bool same(const Surface* a, const Surface* b) const {
        for (int y = 0; y < a->height; y++)
            for (int x = 0; x < a->width; x++)
                if (getPixel(a, x, y) != getPixel(b, x, y)) return false;
        return true;
    }
    bool blank(const Surface* a) const {
        for (int y = 0; y < a->height; y++)
            for (int x = 0; x < a->width; x++)
                if (getPixel(a, x, y) != BACK) return false;
        return true;
    }
    void pointAt(int x, int y) {
        mouseX = x;
        mouseY = y;
    }
};

// The answer box runs one pixel past the edges and t / 2 + 2 above and
// below the centre; style 3 answers as style 0 does and draws nothing.
TEST_F(Widgets, HitTestMatchesTheNormalButtonAndDrawsNothing) {
    const int cx = 300, cy = 200;
    int hw = (textWidth("Options", 0) + 8) / 2, t = L() - 2;
    struct Probe { int x, y; bool over; } probes[] = {
        {cx, cy, true},
        {cx - hw - 1, cy, true},  {cx - hw - 2, cy, false},
        {cx + hw + 1, cy, true},  {cx + hw + 2, cy, false},
        {cx, cy - t / 2 - 2, true}, {cx, cy - t / 2 - 3, false},
        {cx, cy + t / 2 + 2, true}, {cx, cy + t / 2 + 3, false},
    };
    for (const Probe& p : probes) {
        pointAt(p.x, p.y);
        EXPECT_EQ(textButton(s, "Options", cx, cy, BUTTON_HIT_TEST), p.over) << p.x << "," << p.y;
        EXPECT_EQ(textButton(expected, "Options", cx, cy, BUTTON_NORMAL), p.over) << p.x << "," << p.y;
    }
    EXPECT_TRUE(blank(s));
    EXPECT_FALSE(blank(expected));
    // On a target under 480 lines the box is the button's full height.
    Surface* small = createSurface(320, 240);
    int h = L() + 4;
    pointAt(100, 100 + h / 2 + 2);
    EXPECT_EQ(textButton(small, "Options", 100, 100, BUTTON_HIT_TEST), 1);
    pointAt(100, 100 + h / 2 + 3);
    EXPECT_EQ(textButton(small, "Options", 100, 100, BUTTON_HIT_TEST), 0);
    destroySurface(&small);
}

// Released: bevel, face and a black shadow. Held over it: one pixel right
// and down, the pressed edges, no shadow. Disabled: grey, never pressed.
TEST_F(Widgets, PressedButtonMovesOnePixelAndLosesItsShadow) {
    const int cx = 320, cy = 240;
    int hw = (textWidth("Select", 0) + 8) / 2, hh = (L() + 4) / 2;
    int left = cx - hw, right = cx + hw, top = cy - hh, bottom = cy + hh;
    Color black = packColor(0, 0, 0), face = packCorrected(22, 22, 22);
    pointAt(cx, cy);
    textButton(s, "Select", cx, cy, BUTTON_NORMAL);
    EXPECT_EQ(getPixel(s, left - 1, top), packCorrected(31, 31, 31));
    EXPECT_EQ(getPixel(s, right + 1, bottom), packCorrected(15, 15, 15));
    EXPECT_EQ(getPixel(s, left + 1, cy), face);
    EXPECT_EQ(getPixel(s, right + 2, cy), black) << "shadow column";
    EXPECT_EQ(getPixel(s, left + 1, bottom + 1), black) << "shadow row";
    EXPECT_EQ(getPixel(s, left, bottom + 1), BACK);

    leftButtonHeld = 1;
    textButton(expected, "Select", cx, cy, BUTTON_NORMAL);
    Color pressedEdge = packCorrected(25, 25, 25);
    EXPECT_EQ(getPixel(expected, left, top + 1), pressedEdge);
    EXPECT_EQ(getPixel(expected, right + 2, bottom + 1), pressedEdge);
    EXPECT_EQ(getPixel(expected, left - 1, top), BACK) << "moved away";
    EXPECT_EQ(getPixel(expected, left + 2, cy + 1), face);
    for (int y = top; y <= bottom + 3; y++) EXPECT_EQ(getPixel(expected, right + 3, y), BACK) << y;
    for (int x = left; x <= right + 3; x++) EXPECT_EQ(getPixel(expected, x, bottom + 2), BACK) << x;
    // The lettering moved with it.
    for (int y = top + 1; y < bottom; y++)
        for (int x = left + 1; x < right; x++)
            if (getPixel(s, x, y) != face) {
                EXPECT_EQ(getPixel(expected, x + 1, y + 1), getPixel(s, x, y));
            }

    fillSurface(s, BACK);
    textButton(s, "Select", cx, cy, BUTTON_DISABLED);
    EXPECT_EQ(getPixel(s, left - 1, top), packCorrected(15, 15, 15));
    EXPECT_EQ(getPixel(s, right + 2, cy), black) << "a disabled button keeps its shadow";
    fillSurface(s, BACK);
    leftButtonHeld = 0;
    textButton(s, "Select", cx, cy, BUTTON_LATCHED);
    EXPECT_EQ(getPixel(s, left + 2, cy + 1), black) << "latched: black face, drawn pressed";
    EXPECT_EQ(getPixel(s, left - 1, top), BACK);
}

const char PARAGRAPH[] = "Crush your opponents to unlock all twenty racing levels of the game.";

// Where each line of the paragraph goes, from the same rules, so that the
// widget can be compared with plain text drawn at those places.
struct Line {
    std::string text;
    int y;
};
std::vector<Line> layOut(const char* text, int left, int top, int right, int slot) {
    std::vector<Line> lines(1, Line{"", top});
    int pen = left;
    std::string word;
    std::string all = std::string(text) + " ";
    for (char ch : all) {
        if (ch != ' ') {
            word += ch;
            continue;
        }
        int w = textWidth(word.c_str(), slot);
        if (right < pen + w) {
            lines.push_back(Line{"", lines.back().y + fontLineHeight(slot) + 1});
            pen = left;
        }
        lines.back().text += word + " ";
        pen += w + textWidth(" ", slot);
        word.clear();
    }
    return lines;
}

// Reveal 0 draws nothing but answers the height; a reveal as long as every
// line draws each line centred; in between odd lines grow from their left
// end and even lines from their right, each piece where it ends up.
TEST_F(Widgets, WrappedTextRevealsLinesFromAlternatingEnds) {
    const int left = 100, top = 100, right = 400;
    std::vector<Line> lines = layOut(PARAGRAPH, left, top, right, 0);
    ASSERT_GE(lines.size(), 3u);
    int bottom = lines.back().y + L() + 1;
    EXPECT_EQ(wrappedText(s, PARAGRAPH, left, top, right, 0, 0), bottom);
    EXPECT_TRUE(blank(s));

    int centre = left + (right - left) / 2;
    EXPECT_EQ(wrappedText(s, PARAGRAPH, left, top, right, 0, 1000), bottom);
    for (const Line& line : lines)
        drawText(expected, line.text.c_str(), centre - textWidth(line.text.c_str(), 0) / 2, line.y, 0);
    EXPECT_TRUE(same(s, expected));

    const int reveal = 7;
    fillSurface(s, BACK);
    fillSurface(expected, BACK);
    wrappedText(s, PARAGRAPH, left, top, right, 0, reveal);
    for (size_t k = 0; k < lines.size(); k++) {
        const std::string& text = lines[k].text;
        int width = textWidth(text.c_str(), 0);
        if (k % 2 == 0) {
            drawText(expected, text.substr(0, reveal).c_str(), centre - width / 2, lines[k].y, 0);
        } else {
            std::string tail = text.substr(text.size() - reveal);
            drawText(expected, tail.c_str(), centre + width / 2 - textWidth(tail.c_str(), 0), lines[k].y, 0);
        }
    }
    EXPECT_TRUE(same(s, expected));
}

// A word wider than the box stands on a line of its own; as the first word
// it is preceded by an empty first line, so it is the second line and grows
// from its right end.
TEST_F(Widgets, AWordWiderThanTheBoxGetsALineOfItsOwn) {
    const char* text = "Kelvarostrindamuxelor go";
    int wide = textWidth("Kelvarostrindamuxelor", 0);
    const int left = 200, top = 50, right = left + wide / 2;
    int step = L() + 1;
    EXPECT_EQ(wrappedText(s, text, left, top, right, 0, 3), top + 3 * step);
    std::string line = "Kelvarostrindamuxelor ";
    int centre = left + (right - left) / 2, width = textWidth(line.c_str(), 0);
    drawText(expected, "or ", centre + width / 2 - textWidth("or ", 0), top + step, 0);
    drawText(expected, "go ", centre - textWidth("go ", 0) / 2, top + 2 * step, 0);
    EXPECT_TRUE(same(s, expected));
}

} // namespace
