#include "player/highscores.h"
#include "player/player_test_dir.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

static const char* const HIGH_SCORE_FILE = "Kelvarostrindamuxelor.dat";

// One entry as the file holds it, built by hand.
static Bytes entryBytes(int number, const char* name, const char* score4) {
    Bytes e(25, 0);
    e[0] = (uint8_t)(number >> 8);
    e[1] = (uint8_t)(number & 0xFF);
    memcpy(&e[2], name, strlen(name));
    memcpy(&e[20], score4, 4);
    return e;
}

static Bytes dots(size_t n) { return Bytes(n, '.'); }

static Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class HighScoresTest : public PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        loadHighScores(); // creates the empty file
    }
    Bytes file() const { return readBytes(HIGH_SCORE_FILE); }
};

TEST_F(HighScoresTest, MissingFileIsCreatedEmpty) {
    EXPECT_EQ(file(), dots(500));
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        HighScoreEntry e = highScoreEntry(row);
        EXPECT_TRUE(e.empty);
        EXPECT_EQ(e.score, 0);
        EXPECT_STREQ(e.scoreText, "....");
        EXPECT_STREQ(e.name, ".................");
    }
}

TEST_F(HighScoresTest, FirstEntryGoesOnTopOfElevenRows) {
    enterHighScore("Pat", 1234, 0x0102);
    Bytes row = entryBytes(0x0102, "Pat", "1234");
    EXPECT_EQ(file(), join({row, dots(250)}));
    HighScoreEntry e = highScoreEntry(0);
    EXPECT_FALSE(e.empty);
    EXPECT_EQ(e.number, 0x0102);
    EXPECT_STREQ(e.name, "Pat");
    EXPECT_EQ(e.score, 1234);
    EXPECT_TRUE(highScoreEntry(1).empty);

    enterHighScore("Sam", 7, 3);
    EXPECT_EQ(file(), join({row, entryBytes(3, "Sam", "   7"), dots(225)}));
    EXPECT_EQ(highScoreEntry(1).score, 7);
    EXPECT_STREQ(highScoreEntry(1).scoreText, "   7");
}

TEST_F(HighScoresTest, EqualScoreStandsBelow) {
    enterHighScore("First", 500, 1);
    enterHighScore("Second", 500, 2);
    EXPECT_STREQ(highScoreEntry(0).name, "First");
    EXPECT_STREQ(highScoreEntry(1).name, "Second");
    enterHighScore("Zero", 0, 3); // does not beat an empty entry
    EXPECT_TRUE(highScoreEntry(2).empty);
}

TEST_F(HighScoresTest, AProfileKeepsOnlyItsBestRow) {
    enterHighScore("Ann", 900, 1);
    enterHighScore("Bob", 600, 2);
    enterHighScore("Cy", 300, 3);
    Bytes before = file();
    enterHighScore("Bob", 550, 2); // lower than Bob's own row
    EXPECT_EQ(file(), before);

    enterHighScore("Bobby", 950, 2); // replaces Bob's old row
    Bytes expected = join({entryBytes(2, "Bobby", " 950"), entryBytes(1, "Ann", " 900"),
                           entryBytes(3, "Cy", " 300")});
    Bytes tail(before.begin() + 75, before.begin() + 250); // the rest of the old rows
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(file(), expected);
    EXPECT_EQ(file().size(), 250u);

    enterHighScore("Cy", 400, 3); // moves up into the same row
    EXPECT_STREQ(highScoreEntry(2).name, "Cy");
    EXPECT_EQ(highScoreEntry(2).score, 400);
    EXPECT_TRUE(highScoreEntry(3).empty);
}

TEST_F(HighScoresTest, AFullTableTakesOnlyHigherTotals) {
    for (int i = 0; i < 10; i++) enterHighScore("R", 1000 - 10 * i, 10 + i);
    EXPECT_EQ(highScoreEntry(9).score, 910);
    Bytes full = file();
    enterHighScore("Low", 910, 99);
    EXPECT_EQ(file(), full);
    enterHighScore("Mid", 955, 99);
    EXPECT_EQ(highScoreEntry(5).score, 955);
    EXPECT_STREQ(highScoreEntry(5).name, "Mid");
    EXPECT_EQ(highScoreEntry(9).score, 920);
    EXPECT_EQ(file().size(), 275u); // the dropped row is still written last
}

TEST_F(HighScoresTest, LongNamesAndLargeTotalsFitTheirFields) {
    enterHighScore("ABCDEFGHIJKLMNOPQR", 12345, 1);
    Bytes expected = join({entryBytes(1, "ABCDEFGHIJKLMNOPQ", "9999"), dots(250)});
    EXPECT_EQ(file(), expected);
    EXPECT_STREQ(highScoreEntry(0).name, "ABCDEFGHIJKLMNOPQ");
}

TEST_F(HighScoresTest, ShortFileReadsAsZeros) {
    writeBytes(HIGH_SCORE_FILE, join({entryBytes(5, "Kim", "  80"), Bytes{'.', '.', '.'}}));
    loadHighScores();
    EXPECT_EQ(highScoreEntry(0).score, 80);
    EXPECT_EQ((uint8_t)highScoreTable[27], '.');
    EXPECT_EQ(highScoreTable[28], 0);
    EXPECT_EQ(highScoreTable[253], 0);
    HighScoreEntry second = highScoreEntry(1);
    EXPECT_TRUE(second.empty);
    EXPECT_EQ(second.score, 0);
    EXPECT_TRUE(highScoreEntry(4).empty);
    EXPECT_EQ(highScoreEntry(4).score, 0);
    enterHighScore("Lee", 40, 6);
    EXPECT_STREQ(highScoreEntry(1).name, "Lee");
}

TEST_F(HighScoresTest, ScoreFieldDropsDots) {
    writeBytes(HIGH_SCORE_FILE, join({entryBytes(1, "A", ".4.2"), entryBytes(2, "B", " 7.."),
                                      entryBytes(3, "C", "1 2 "), entryBytes(4, "D", "x9..")}));
    loadHighScores();
    EXPECT_EQ(highScoreEntry(0).score, 42);
    EXPECT_EQ(highScoreEntry(1).score, 7);
    EXPECT_EQ(highScoreEntry(2).score, 1);
    EXPECT_EQ(highScoreEntry(3).score, 0);
    EXPECT_STREQ(highScoreEntry(0).scoreText, ".4.2");
}

TEST_F(HighScoresTest, GarbageStaysInBounds) {
    for (uint32_t seed = 1; seed <= 20; seed++) {
        writeBytes(HIGH_SCORE_FILE, noiseBytes(seed * 37 % 600, seed));
        loadHighScores();
        for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
            HighScoreEntry e = highScoreEntry(row);
            EXPECT_LE(strlen(e.name), 17u);
            EXPECT_LE(strlen(e.scoreText), 4u);
            EXPECT_GT(e.score, -1000);
            EXPECT_LT(e.score, 10000);
        }
        enterHighScore("G", 5000, 77);
        EXPECT_EQ(highScoreEntry(0).number, 77);
    }
    EXPECT_TRUE(highScoreEntry(-1).empty);
    EXPECT_TRUE(highScoreEntry(10).empty);
}

TEST_F(HighScoresTest, FailedWriteKeepsTheOldTable) {
    enterHighScore("Old", 100, 1);
    Bytes before = file();
    fs::create_directory(path("Kelvarostrindamuxelor.dat.tmp"));
    enterHighScore("New", 200, 2);
    EXPECT_EQ(file(), before);
    EXPECT_STREQ(highScoreEntry(0).name, "Old"); // reloaded from the file

    snprintf(dataFolder, sizeof dataFolder, "%sMissing/", dir.base().c_str());
    loadHighScores();
    EXPECT_TRUE(highScoreEntry(0).empty);
    enterHighScore("New", 200, 2);
    EXPECT_FALSE(fs::exists(dir.base() + "Missing"));
}
