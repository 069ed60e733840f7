// High scores: the shared table's rows appearing one by one, each with its
// place, name and score and the rank that score earns, typing themselves in.
#include "screens/screens_local.h"
#include "gfx/font.h"
#include "player/highscores.h"
#include "player/scores.h"
#include "screens/mode_ids.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstring>

static const char TITLE[] = "High Scores";
static const char EMPTY_ROW[] = "...";
static const int TITLE_SHADOW_Y = 30;
static const int LANDSCAPE_ROWS = 7;
static const int TICKS_PER_ROW = 16;
static const int TICKS_PER_CHARACTER = 4;
static const int CHARACTERS_BEHIND_PER_ROW = 4; // each row starts typing a little later
static const int PLACE_X = 20, NAME_X = 50, SCORE_MARGIN = 20;
static const int ROW_TOP = 20;     // added to every row's y
static const int RANK_DROP = 21;   // the rank line's shadow, from the row's pitch line
static const char EMPTY_MARK = '.';

static void enter() { loadStageBackground(); }

static void leave() { freeBackground(); }

// Black first, then the text itself one pixel higher.
static void drawShadowed(const char* text, int x, int shadowY) {
    drawTextColored(framebuffer, text, x, shadowY, 0, 0);
    drawTextDefault(framebuffer, text, x, shadowY - 1);
}

// The first `n` characters of a field, its '.' marks shown as blanks.
static void typedField(const char* field, int n, char* out, int size) {
    int length = (int)strlen(field);
    if (n > length) n = length;
    if (n < 0) n = 0;
    snprintf(out, size, "%.*s", n, field);
    for (char* p = out; *p; p++)
        if (*p == EMPTY_MARK) *p = ' ';
}

static void drawEntry(const ScreenMetrics& m, const HighScoreEntry& entry, int n, int shadowY, int rankY) {
    char text[32];
    snprintf(text, sizeof text, "%2d", n + 1);
    drawShadowed(text, PLACE_X - textWidth(text, 0) / 2, shadowY);
    int shown = tickCount / TICKS_PER_CHARACTER - CHARACTERS_BEHIND_PER_ROW * n;
    typedField(entry.name, shown, text, sizeof text);
    drawShadowed(text, NAME_X, shadowY);
    // The score stands where the whole field would end at the right margin.
    char whole[HIGH_SCORE_SCORE_CHARS + 1];
    typedField(entry.scoreText, HIGH_SCORE_SCORE_CHARS, whole, sizeof whole);
    typedField(entry.scoreText, shown, text, sizeof text);
    drawShadowed(text, m.width - SCORE_MARGIN - textWidth(whole, 0), shadowY);
    typedField(rankName(rankOf(entry.score)), shown, text, sizeof text);
    drawShadowed(text, NAME_X, rankY);
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    drawBackground();
    drawShadowed(TITLE, m.width / 2 - textWidth(TITLE, 0) / 2, TITLE_SHADOW_Y);
    int rows = m.landscape ? LANDSCAPE_ROWS : HIGH_SCORE_ROWS;
    int pitch = 2 * m.lineHeight + 7;
    for (int n = 0; n < rows && n < tickCount / TICKS_PER_ROW; n++) {
        int line = (n + 2) * pitch;
        int shadowY = line - m.lineHeight + ROW_TOP;
        HighScoreEntry entry = highScoreEntry(n);
        if (entry.empty)
            drawTextCentred(framebuffer, EMPTY_ROW, m.width / 2, shadowY - 1);
        else
            drawEntry(m, entry, n, shadowY, line + RANK_DROP);
    }
    return self;
}

static Mode input(Mode self, const InputEvent& e) { return anyRelease(e) ? MODE_TITLE : self; }

const ModeScreen highScoresScreen = {enter, leave, nullptr, render, input, false, false};
