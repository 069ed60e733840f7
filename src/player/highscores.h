// The shared high-score table: ten 25-byte entries, best first, kept in a
// file named after the game in the data folder.
#pragma once

const int HIGH_SCORE_ROWS = 10;
const int HIGH_SCORE_ENTRY_BYTES = 25;
const int HIGH_SCORE_BUFFER_BYTES = 254;
const int HIGH_SCORE_NAME_MAX = 17;
const int HIGH_SCORE_SCORE_CHARS = 4;
const int NEW_HIGH_SCORE_FILE_BYTES = 500;

// The file's first bytes as last loaded; bytes past the file's end are 0.
extern char highScoreTable[HIGH_SCORE_BUFFER_BYTES];

struct HighScoreEntry {
    bool empty; // the name starts with '.' or 0
    int number;
    char name[HIGH_SCORE_NAME_MAX + 1];
    char scoreText[HIGH_SCORE_SCORE_CHARS + 1]; // as stored, '.' included
    int score;
};

// Reads the table; a missing file is created holding only '.' characters.
void loadHighScores();
HighScoreEntry highScoreEntry(int row);
// Puts a profile's career total into the table and file when it ranks, above
// the profile's own older entry, which it replaces.
void enterHighScore(const char* name, int careerTotal, int number);
