// The high-score file as the high-score screen and the results screen use
// it: loaded, every row drawn, a career total entered, and the file read
// back with the new entry in its place.
#include "fuzz_support.h"
#include "gfx/font.h"
#include "player/highscores.h"
#include "shell/loop.h"

#include <cstdlib>
#include <cstring>

static const char HIGH_SCORE_FILE[] = "Kelvarostrindamuxelor.dat";
static const int FUZZ_NUMBER = 4242;

static void drawTable() {
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        HighScoreEntry e = highScoreEntry(row);
        if (e.empty) continue;
        drawText(framebuffer, e.name, 10, 40 * row, 0);
        drawText(framebuffer, e.scoreText, 500, 40 * row, 0);
    }
}

static int rowsOfFuzzRider() {
    int found = 0;
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        HighScoreEntry e = highScoreEntry(row);
        if (!e.empty && e.number == FUZZ_NUMBER) found++;
    }
    return found;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzLoadFonts();
    fuzzWriteData(HIGH_SCORE_FILE, data, size);
    loadHighScores();
    drawTable();
    static char before[HIGH_SCORE_BUFFER_BYTES];
    memcpy(before, highScoreTable, sizeof before);
    int total = (int)(size * 37 % 4001);
    enterHighScore("Fuzz", total, FUZZ_NUMBER);
    drawTable();
    // A score that was written leaves the rider in the table once, even
    // when a damaged file held them twice.
    bool written = memcmp(before, highScoreTable, sizeof before) != 0;
    if (written && rowsOfFuzzRider() != 1) abort();
    return 0;
}
