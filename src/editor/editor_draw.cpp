// The editor's frame: the board, the counts, the polygons of the three
// kinds, the start point, the buttons, the keep-out preview and, along the
// bottom, the level check of what is drawn.
#include "editor/editor_local.h"
#include "gfx/blit.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "screens/assets.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "shell/random.h"
#include "world/polydraw.h"
#include "world/polyfill.h"
#include "world/track.h"
#include "world/track_paint.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int BOARD_TINT_WEIGHT = 32;    // the terrain's colour under the height shading
const int CURRENT_FILL_WEIGHT = 100;
const int CURRENT_EDGE_WEIGHT = 220;
const int SMALL_GLYPH = 6;           // the small font's advance
const int SMALL_LINE = 8;
const int KIND_NAME_MARGIN = 10;
const int START_ICON_SIZE = 40;
const int CHECK_LINES = 4;           // lines of check messages at most
const int BAND_DARKEN = 12;
const Color WHITE = packColor(31, 31, 31); // bit 5 stays clear, as in every colour

const char* const KIND_NAMES[] = {"Keepout", "Checkpoint", "AI Racepath", "Start Point"};

const char* kindName(int kind) { return kind >= 0 && kind < 4 ? KIND_NAMES[kind] : "-- >_< --"; }

void drawSmallRight(const char* text, int right, int y) {
    drawSmallText(framebuffer, text, right - SMALL_GLYPH * (int)strlen(text), y, WHITE);
}

void drawCounts() {
    int W = framebuffer->width;
    char text[40];
    snprintf(text, sizeof text, "Level %d", currentLevel);
    drawSmallText(framebuffer, text, W / 2 - SMALL_GLYPH * (int)strlen(text) / 2, 10, WHITE);
    const LevelLayout* l = editor.layout;
    snprintf(text, sizeof text, "Keepout Poly--> %d", l->keepoutCount);
    drawSmallRight(text, W, 8);
    snprintf(text, sizeof text, "Current--> %d", l->current);
    drawSmallRight(text, W, 16);
    for (int k = 0; k < l->keepoutCount; k++) {
        snprintf(text, sizeof text, "%d", l->keepouts[k]->count);
        drawSmallRight(text, W, 32 + SMALL_LINE * k);
    }
}

void drawKeepouts(int ox, int oy) {
    const LevelLayout* l = editor.layout;
    for (int k = 0; k < l->keepoutCount; k++) {
        const Polygon* p = l->keepouts[k];
        if (l->currentKind == KIND_KEEPOUT && k == l->current) {
            fillRoundedPolygon(framebuffer, p, ox, oy, packCorrected(15, 0, 0), CURRENT_FILL_WEIGHT);
            drawRoundedOutline(framebuffer, p, ox, oy, packColor(20, 0, 0));
            drawBlendedPolygonOutline(framebuffer, p, ox, oy, WHITE, CURRENT_EDGE_WEIGHT);
            drawVertexHandles(framebuffer, p, ox, oy, packColor(31, 0, 0));
        } else {
            drawRoundedOutline(framebuffer, p, ox, oy, packCorrected(15, 15, 15));
            drawVertexHandles(framebuffer, p, ox, oy, WHITE);
        }
    }
}

void drawCheckpoints(int ox, int oy) {
    const LevelLayout* l = editor.layout;
    for (int k = 0; k < l->checkpointCount; k++) {
        const Polygon* p = l->checkpoints[k];
        if (l->currentKind == KIND_CHECKPOINT && k == l->current) {
            fillPolygon(framebuffer, p, ox, oy, packCorrected(31, 31, 0), CURRENT_FILL_WEIGHT);
            drawBlendedPolygonOutline(framebuffer, p, ox, oy, WHITE, CURRENT_EDGE_WEIGHT);
        } else {
            drawPolygonOutline(framebuffer, p, ox, oy, packCorrected(15, 15, 0));
        }
        drawVertexHandles(framebuffer, p, ox, oy, packColor(31, 31, 0));
    }
}

void drawRacePaths(int ox, int oy) {
    const LevelLayout* l = editor.layout;
    for (int k = 0; k < l->racePathCount; k++) {
        const Polygon* p = l->racePaths[k];
        if (l->currentKind == KIND_RACE_PATH && k == l->current) {
            drawRoundedOutline(framebuffer, p, ox, oy, packColor(0, 31, 31));
            drawBlendedPolygonOutline(framebuffer, p, ox, oy, WHITE, CURRENT_EDGE_WEIGHT);
        } else {
            drawRoundedOutline(framebuffer, p, ox, oy, packCorrected(0, 15, 15));
        }
        drawVertexHandles(framebuffer, p, ox, oy, packColor(0, 31, 31));
    }
}

// The start icon turned to the stored direction, and the direction.
void drawStartPoint(int ox, int oy) {
    const LevelLayout* l = editor.layout;
    int x = ox + l->startX, y = oy + l->startY, half = START_ICON_SIZE / 2;
    if (iconsPicture)
        drawRotated(framebuffer, x - half, y - half, START_ICON_SIZE, START_ICON_SIZE, iconsPicture, 0, 0,
                    -l->startDirection - 90);
    char text[16];
    snprintf(text, sizeof text, "%d", l->startDirection);
    drawSmallText(framebuffer, text, x + 3 - SMALL_GLYPH * (int)strlen(text) / 2, y - 4, WHITE);
}

// While "Preview" is held: the board with the keep-out mask over it, as
// the track build makes it.
void drawPreview(int ox, int oy) {
    EditorCommand command;
    if (!leftButtonHeld || !buttonUnderPointer(&command) || command != COMMAND_PREVIEW) return;
    Surface* view = createSurface(BOARD_SIZE, BOARD_SIZE);
    drawSprite(view, 0, 0, BOARD_SIZE, BOARD_SIZE, editor.board, 0, 0, BLIT_COPY);
    Surface* mask = makeKeepoutMask(editor.layout, false);
    drawSprite(view, 0, 0, BOARD_SIZE, BOARD_SIZE, mask, 0, 0, BLIT_TRANSPARENT);
    drawSprite(framebuffer, ox, oy, BOARD_SIZE, BOARD_SIZE, view, 0, 0, BLIT_COPY);
    destroySurface(&mask);
    destroySurface(&view);
}

// Words of `text` in lines of at most `columns` characters.
std::vector<std::string> wrapped(const std::string& text, size_t columns) {
    std::vector<std::string> lines(1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > columns) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word.substr(0, columns);
        start = end + 1;
    }
    return lines;
}

std::string checkSummary() {
    const std::vector<std::string>& p = editor.problems;
    if (p.empty()) return "Level checks out";
    std::string text = std::to_string(p.size()) + (p.size() == 1 ? " problem: " : " problems: ");
    for (size_t i = 0; i < p.size(); i++) text += (i ? "; " : "") + p[i];
    return text;
}

void darkenBand(int top, int bottom) {
    for (int y = std::max(top, 0); y < bottom && y < framebuffer->height; y++)
        for (int x = 0; x < framebuffer->width; x++) darkenPixel(framebuffer, x, y, BAND_DARKEN);
}

// Above the kind's name: the last notice, then the check's messages; the
// text sits on a darkened band so it reads over any ground.
void drawMessages() {
    int W = framebuffer->width, H = framebuffer->height;
    size_t columns = (size_t)(W - 8) / SMALL_GLYPH;
    std::vector<std::string> lines = wrapped(checkSummary(), columns);
    if (lines.size() > CHECK_LINES) {
        lines.resize(CHECK_LINES);
        lines.back() = lines.back().substr(0, columns - 3) + "...";
    }
    bool hasNotice = !editor.notice.empty();
    int rows = (int)lines.size() + (hasNotice ? 1 : 0);
    int bottom = H - SMALL_LINE - 2;
    int top = bottom - rows * SMALL_LINE;
    darkenBand(top - 2, H);
    int y = top;
    if (hasNotice) {
        Color c = editor.noticeIsError ? packColor(31, 8, 8) : packColor(8, 31, 8);
        drawSmallText(framebuffer, editor.notice.substr(0, columns).c_str(), 4, y, c);
        y += SMALL_LINE;
    }
    Color c = editor.problems.empty() ? packColor(8, 31, 8) : packColor(31, 31, 8);
    for (const std::string& line : lines) {
        drawSmallText(framebuffer, line.c_str(), 4, y, c);
        y += SMALL_LINE;
    }
    const char* kind = kindName(editor.layout->currentKind);
    drawSmallRight(kind, W - KIND_NAME_MARGIN, H - SMALL_LINE);
}

} // namespace

// Each layout point's height as a grey, the terrain's colour under it
// faintly showing through.
void makeBoard() {
    destroySurface(&editor.board);
    editor.board = createSurface(BOARD_SIZE, BOARD_SIZE);
    for (int j = 0; j < BOARD_SIZE; j++)
        for (int i = 0; i < BOARD_SIZE; i++) {
            Color under = pictureColourUnder(&track, 4 * i, 4 * j);
            // Heights of 249 and more would reach 32, past the colour curve.
            int v = std::min((heightAt(&track, 4 * i, 4 * j) + (gameRandom() & 7)) >> 3, 31);
            Color grey = packCorrected(v, v, v);
            putPixel(editor.board, i, j, blendColors(under, grey, BOARD_TINT_WEIGHT));
        }
}

void drawEditor() {
    fillSurface(framebuffer, 0);
    if (editor.board) drawCentred(framebuffer, editor.board);
    if (!editor.layout) return;
    int ox = boardLeft(), oy = boardTop();
    drawCounts();
    drawKeepouts(ox, oy);
    drawCheckpoints(ox, oy);
    drawRacePaths(ox, oy);
    drawStartPoint(ox, oy);
    drawPreview(ox, oy);
    drawEditorButtons();
    drawMessages();
}
