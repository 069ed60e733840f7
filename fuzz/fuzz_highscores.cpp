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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzSetUp();
    fuzzLoadFonts();
    fuzzWriteData(HIGH_SCORE_FILE, data, size);
    loadHighScores();
    drawTable();
    int total = (int)(size * 37 % 4001);
    enterHighScore("Fuzz", total, FUZZ_NUMBER);
    drawTable();
    // An entry that ranks is in the table once, under its number.
    int found = 0;
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        HighScoreEntry e = highScoreEntry(row);
        if (!e.empty && e.number == FUZZ_NUMBER) found++;
    }
    if (found > 1) abort();
    return 0;
}
