#include "screens/widgets.h"
#include "gfx/font.h"
#include "shell/input.h"

#include <string>
#include <vector>

static const int BUTTON_PADDING = 8; // added to the text width
static const int BUTTON_EXTRA_HEIGHT = 4;
static const int TALL_TARGET = 480; // below this the text sits lower in the button

struct ButtonColours {
    Color top, bottom, face, text;
};

static ButtonColours buttonColours(int style, bool pressed) {
    if (style == BUTTON_LATCHED) return {packColor(0, 0, 0), packColor(0, 0, 0), packColor(0, 0, 0), packColor(31, 31, 31)};
    if (style == BUTTON_DISABLED) {
        Color grey = packCorrected(15, 15, 15);
        return {grey, grey, grey, packCorrected(10, 10, 10)};
    }
    Color face = packCorrected(22, 22, 22), black = packCorrected(0, 0, 0);
    if (pressed) return {packCorrected(25, 25, 25), packCorrected(25, 25, 25), face, black};
    return {packCorrected(31, 31, 31), packCorrected(15, 15, 15), face, black};
}

static void fillBox(Surface* s, int x0, int y0, int x1, int y1, Color c) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) putPixel(s, x, y, c);
}

int textButton(Surface* target, const char* text, int cx, int cy, int style) {
    int lineHeight = fontLineHeight(0), width = textWidth(text, 0);
    int hw = (width + BUTTON_PADDING) / 2, hh = (lineHeight + BUTTON_EXTRA_HEIGHT) / 2;
    // A disabled button never looks pressed: pressing it does nothing.
    bool pointerIn = cx - hw < mouseX && mouseX < cx + hw && cy - hh < mouseY && mouseY < cy + hh;
    bool pressed = style == BUTTON_LATCHED || (style != BUTTON_DISABLED && leftButtonHeld && pointerIn);
    if (pressed) {
        cx++;
        cy++;
    }
    int left = cx - hw, right = cx + hw, top = cy - hh, bottom = cy + hh;
    int t = target->height >= TALL_TARGET ? lineHeight - 2 : lineHeight + BUTTON_EXTRA_HEIGHT;
    if (style != BUTTON_HIT_TEST) {
        ButtonColours c = buttonColours(style, pressed);
        fillBox(target, left, top + 1, right, bottom - 1, c.face);
        fillBox(target, left - 1, top, right + 1, top, c.top);
        fillBox(target, left - 1, top, left - 1, bottom, c.top);
        fillBox(target, left, bottom, right + 1, bottom, c.bottom);
        fillBox(target, right + 1, top + 1, right + 1, bottom, c.bottom);
        if (!pressed) {
            Color shadow = packColor(0, 0, 0);
            fillBox(target, left + 1, bottom + 1, right + 1, bottom + 1, shadow);
            fillBox(target, right + 2, top + 2, right + 2, bottom, shadow);
        }
        drawTextColored(target, text, cx - width / 2, cy + t / 4, 0, c.text);
    }
    return left - 1 <= mouseX && mouseX <= right + 1 && cy - t / 2 - 2 <= mouseY && mouseY <= cy + t / 2 + 2;
}

// ---- wrapped text ----

struct Paragraph {
    Surface* target;
    int leftX, rightX, slot, reveal;
    int lineIndex; // lines finished so far
};

static std::vector<std::string> splitWords(const char* text) {
    std::vector<std::string> words(1);
    for (const char* p = text; *p; p++) {
        if (*p == ' ')
            words.emplace_back();
        else
            words.back() += *p;
    }
    return words;
}

// Draws the revealed part of one line where it stands in the whole line.
static void finishLine(Paragraph& p, const std::string& line, int y) {
    int width = textWidth(line.c_str(), p.slot);
    int centre = p.leftX + (p.rightX - p.leftX) / 2;
    int x = centre - width / 2;
    bool growsFromLeft = p.lineIndex % 2 == 0;
    p.lineIndex++;
    int length = (int)line.size();
    if (length <= p.reveal) {
        drawText(p.target, line.c_str(), x, y, p.slot);
        return;
    }
    if (p.reveal <= 0) return;
    if (growsFromLeft) {
        drawText(p.target, line.substr(0, p.reveal).c_str(), x, y, p.slot);
        return;
    }
    std::string tail = line.substr(length - p.reveal);
    drawText(p.target, tail.c_str(), centre + width / 2 - textWidth(tail.c_str(), p.slot), y, p.slot);
}

int wrappedText(Surface* target, const char* text, int leftX, int topY, int rightX, int slot, int reveal) {
    Paragraph p = {target, leftX, rightX, slot, reveal, 0};
    int step = fontLineHeight(slot) + 1, blank = textWidth(" ", slot);
    int y = topY, pen = leftX;
    std::string line;
    for (const std::string& word : splitWords(text)) {
        int width = textWidth(word.c_str(), slot);
        if (rightX < pen + width) {
            finishLine(p, line, y);
            line.clear();
            pen = leftX;
            y += step;
        }
        line += word;
        line += ' ';
        pen += width + blank;
    }
    finishLine(p, line, y);
    return y + step;
}
