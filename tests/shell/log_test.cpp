#include "shell/log.h"

#include <gtest/gtest.h>
#include <string>

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearLog();
        logThreshold = 0;
    }
    // Other suites run with the threshold at 0: a raised one records the
    // "[ERROR]" lines of missing pictures, which drop the overlay's log.
    void TearDown() override { logThreshold = 0; }
    std::string line(int i) { return std::string(logText[i], strnlen(logText[i], LOG_COLUMNS)); }
};

TEST_F(LogTest, LongTextWrapsAtThirtyColumns) {
    std::string text(45, 'x');
    for (int i = 0; i < 45; i++) text[i] = (char)('a' + i % 26);
    log(text.c_str(), 3);
    EXPECT_EQ(line(1), text.substr(0, 30));
    EXPECT_EQ(line(0), text.substr(30));
    EXPECT_EQ(logColumn, 15);
    EXPECT_EQ(logTags[1][29], 3);
}

TEST_F(LogTest, LineFeedsPushLinesDown) {
    log("abc\n", 1);
    log("def\n", 2);
    EXPECT_EQ(line(0), "");
    EXPECT_EQ(line(1), "def");
    EXPECT_EQ(line(2), "abc");
    EXPECT_EQ(logTags[2][0], 1);
    EXPECT_EQ(logColumn, 0);
}

TEST_F(LogTest, OldestLineFallsOffTheRing) {
    log("first\n", 0);
    for (int i = 0; i < LOG_LINES - 1; i++) log("n\n", 0);
    EXPECT_EQ(line(LOG_LINES - 1), "n");
    log("n\n", 0);
    for (int i = 1; i < LOG_LINES; i++) EXPECT_EQ(line(i), "n") << i;
}

TEST_F(LogTest, ThresholdGatesLeveledLines) {
    logAt(1, "hidden\n", 0);
    logAt(1, "[ERROR] also hidden\n", LOG_TAG_ERROR);
    EXPECT_EQ(line(1), "");
    logThreshold = 2;
    logAt(3, "too deep\n", 0);
    logAt(2, "shown\n", 0);
    logf(1, 0, "n=%d\n", 7);
    EXPECT_EQ(line(1), "n=7");
    EXPECT_EQ(line(2), "shown");
    log("", 0);
    EXPECT_EQ(logColumn, 0);
}
