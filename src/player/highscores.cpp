#include "player/highscores.h"
#include "player/savefile.h"

#include <cstdio>
#include <cstring>

char highScoreTable[HIGH_SCORE_BUFFER_BYTES];

static const char GAME_NAME[] = "Kelvarostrindamuxelor";
static const char EMPTY_MARK = '.';
static const int NAME_AT = 2;
static const int SCORE_AT = 20;
static const int MAX_SCORE_TEXT = 9999;

// Set when the file exists but could not be read: rewriting it then would
// throw away entries we never saw.
static bool tableUnreadable;

static bool highScorePath(char* out, int size) {
    char name[64];
    snprintf(name, sizeof name, "%s.dat", GAME_NAME);
    return dataFilePath(out, size, name);
}

void loadHighScores() {
    memset(highScoreTable, EMPTY_MARK, sizeof highScoreTable);
    tableUnreadable = false;
    char path[512];
    if (!highScorePath(path, sizeof path)) {
        tableUnreadable = true;
        return;
    }
    long size = readSaveFile(path, highScoreTable, sizeof highScoreTable);
    if (size == SAVE_FILE_MISSING) {
        char dots[NEW_HIGH_SCORE_FILE_BYTES];
        memset(dots, EMPTY_MARK, sizeof dots);
        writeSaveFile(path, dots, sizeof dots);
        return;
    }
    if (size < 0) {
        tableUnreadable = true;
        return;
    }
    memset(highScoreTable + size, 0, sizeof highScoreTable - size);
}

static const char* rowBytes(int row) { return highScoreTable + row * HIGH_SCORE_ENTRY_BYTES; }

// The score characters without their '.' marks, read as a decimal number.
static int readScore(const char* field) {
    char digits[HIGH_SCORE_SCORE_CHARS + 1];
    int n = 0;
    for (int i = 0; i < HIGH_SCORE_SCORE_CHARS; i++)
        if (field[i] != EMPTY_MARK) digits[n++] = field[i];
    digits[n] = 0;
    const char* p = digits;
    while (*p == ' ') p++;
    int sign = 1;
    if (*p == '-' || *p == '+') sign = *p++ == '-' ? -1 : 1;
    int value = 0;
    while (*p >= '0' && *p <= '9') value = value * 10 + (*p++ - '0');
    return sign * value;
}

HighScoreEntry highScoreEntry(int row) {
    HighScoreEntry entry = {};
    if (row < 0 || row >= HIGH_SCORE_ROWS) {
        entry.empty = true;
        return entry;
    }
    const char* bytes = rowBytes(row);
    entry.number = (unsigned char)bytes[0] << 8 | (unsigned char)bytes[1];
    memcpy(entry.name, bytes + NAME_AT, HIGH_SCORE_NAME_MAX);
    entry.name[HIGH_SCORE_NAME_MAX] = 0;
    entry.empty = entry.name[0] == EMPTY_MARK || entry.name[0] == 0;
    memcpy(entry.scoreText, bytes + SCORE_AT, HIGH_SCORE_SCORE_CHARS);
    entry.scoreText[HIGH_SCORE_SCORE_CHARS] = 0;
    entry.score = readScore(bytes + SCORE_AT);
    return entry;
}

static void formEntry(char* out, const char* name, int total, int number) {
    memset(out, 0, HIGH_SCORE_ENTRY_BYTES);
    out[0] = (char)((number >> 8) & 0xFF);
    out[1] = (char)(number & 0xFF);
    memcpy(out + NAME_AT, name, strnlen(name, HIGH_SCORE_NAME_MAX));
    // The field holds four characters; a larger total would lose a digit.
    if (total > MAX_SCORE_TEXT) total = MAX_SCORE_TEXT;
    if (total < 0) total = 0;
    char text[16];
    snprintf(text, sizeof text, "%4d ", total);
    memcpy(out + SCORE_AT, text, HIGH_SCORE_SCORE_CHARS);
}

static int insertionRow(int total) {
    int row = 0;
    while (row < HIGH_SCORE_ROWS && highScoreEntry(row).score >= total) row++;
    return row;
}

static bool isProfileRow(int row, int number) {
    HighScoreEntry entry = highScoreEntry(row);
    return !entry.empty && entry.number == (number & 0xFFFF);
}

static int rowOfProfile(int number) {
    for (int row = 0; row < HIGH_SCORE_ROWS; row++)
        if (isProfileRow(row, number)) return row;
    return HIGH_SCORE_ROWS;
}

void enterHighScore(const char* name, int careerTotal, int number) {
    loadHighScores();
    if (tableUnreadable) return;
    int insertAt = insertionRow(careerTotal);
    if (insertAt >= HIGH_SCORE_ROWS) return;
    if (rowOfProfile(number) < insertAt) return;

    char file[(HIGH_SCORE_ROWS + 1) * HIGH_SCORE_ENTRY_BYTES];
    int rows = 0;
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        if (row == insertAt) formEntry(file + rows++ * HIGH_SCORE_ENTRY_BYTES, name ? name : "", careerTotal, number);
        // Every older row of this rider goes, even the extra ones a damaged
        // file may hold, so that the rider stands in the table once.
        if (isProfileRow(row, number)) continue;
        memcpy(file + rows++ * HIGH_SCORE_ENTRY_BYTES, rowBytes(row), HIGH_SCORE_ENTRY_BYTES);
    }
    char path[512];
    if (highScorePath(path, sizeof path)) writeSaveFile(path, file, (long)rows * HIGH_SCORE_ENTRY_BYTES);
    loadHighScores();
}
