#include "world/description.h"
#include "shell/log.h"
#include "shell/loop.h"
#include "support/game_fixture.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

struct DescriptionTest : ::testing::Test {
    GameDir dir;
    char savedFolder[sizeof dataFolder];

    void SetUp() override {
        memcpy(savedFolder, dataFolder, sizeof dataFolder);
        snprintf(dataFolder, sizeof dataFolder, "%sData/", dir.base().c_str());
        clearLog();
        logThreshold = 6;
        memset(&levelDescription, 0, sizeof levelDescription);
    }
    void TearDown() override {
        logThreshold = 0;
        clearLog();
        memcpy(dataFolder, savedFolder, sizeof dataFolder);
    }
    void write(int level, const std::string& text) {
        std::ofstream(dir.data(("level" + std::to_string(level) + ".txt").c_str()), std::ios::binary) << text;
    }
    // Reads a file holding just this text as level 1.
    const LevelDescription& read(const std::string& text) {
        write(1, text);
        EXPECT_TRUE(readLevelDescription(1));
        return levelDescription;
    }
    std::string item(const char* key, int level = 1) {
        std::string value = "<none>";
        if (!readLevelTextItem(key, level, &value)) return "<none>";
        return value;
    }
    std::string logged() {
        std::string all;
        for (int i = LOG_LINES - 1; i >= 0; i--) all += std::string(logText[i], strnlen(logText[i], LOG_COLUMNS));
        return all;
    }
};

TEST_F(DescriptionTest, ReadsEveryKey) {
    const LevelDescription& d = read("[opponents|7]\n[track|3]\n[leveltype|1]\n[noflags]\n[checkpointinorder]\n"
                                     "[laps|4]\n[par|95]\n[keepout|2]\n[description|Over the hills.]\n"
                                     "[name|Dune Run]\n");
    EXPECT_EQ(d.opponents, 7);
    EXPECT_EQ(d.track, 3);
    EXPECT_EQ(d.levelType, 1);
    EXPECT_EQ(d.noFlags, 1);
    EXPECT_EQ(d.checkpointInOrder, 1);
    EXPECT_EQ(d.laps, 4);
    EXPECT_EQ(d.par, 95);
    EXPECT_EQ(d.keepout, 2);
    EXPECT_STREQ(d.description, "Over the hills.");
    EXPECT_STREQ(d.name, "Dune Run");
}

TEST_F(DescriptionTest, KeysAreExactAndCaseSensitive) {
    const LevelDescription& d = read("[ name|Spaced][Laps|4][name |x][laps|6][name|Kept]");
    EXPECT_STREQ(d.name, "Kept");
    EXPECT_EQ(d.laps, 6);
    EXPECT_EQ(item(" name"), "Spaced");
}

TEST_F(DescriptionTest, ValuesNeedExactlyTwoFields) {
    const LevelDescription& d = read("[laps|3][laps|5|x][laps][par|9|][track|]");
    EXPECT_EQ(d.laps, 3);
    EXPECT_EQ(d.par, 0);
    EXPECT_EQ(d.track, 0); // an empty value reads as 0
    // Switches take any number of fields.
    read("[noflags|0|0][checkpointinorder|0]");
    EXPECT_EQ(levelDescription.noFlags, 1);
    EXPECT_EQ(levelDescription.checkpointInOrder, 1);
}

TEST_F(DescriptionTest, LaterRecordsOverwrite) {
    EXPECT_EQ(read("[laps|3]\n[laps|5]\n").laps, 5);
    // The item reader stops at the first match instead.
    write(2, "[name|First][name|Second]");
    EXPECT_EQ(item("name", 2), "First");
}

TEST_F(DescriptionTest, TextOutsideRecordsIsIgnored) {
    const LevelDescription& d = read("A comment line with | and ] in it\n[laps|2] trailing words\n"
                                     "; note [par|40] inside a comment still counts\n");
    EXPECT_EQ(d.laps, 2);
    EXPECT_EQ(d.par, 40);
}

TEST_F(DescriptionTest, OpenBracketRestartsTheRecord) {
    const LevelDescription& d = read("[laps|7 [par|8]\n[track|2");
    EXPECT_EQ(d.laps, 0);
    EXPECT_EQ(d.par, 8);
    EXPECT_EQ(d.track, 0); // never closed
    EXPECT_EQ(item("track"), "<none>");
}

TEST_F(DescriptionTest, FieldsKeepBlanksAndLineBreaks) {
    const LevelDescription& d = read("[description|  Two\r\nlines ]\n[name| Padded ]");
    EXPECT_STREQ(d.description, "  Two\nlines ");
    EXPECT_STREQ(d.name, " Padded ");
}

TEST_F(DescriptionTest, NumbersReadLikeDecimalConversion) {
    EXPECT_EQ(read("[laps|  +12abc]").laps, 12);
    EXPECT_EQ(read("[laps|\t-7]").laps, -7);
    EXPECT_EQ(read("[laps|abc]").laps, 0);
    EXPECT_EQ(read("[laps|- 3]").laps, 0);
    EXPECT_EQ(read("[laps|99999999999]").laps, INT_MAX);
    EXPECT_EQ(read("[laps|-99999999999]").laps, INT_MIN);
}

TEST_F(DescriptionTest, OpponentsFitTheRiderTable) {
    EXPECT_EQ(read("[opponents|19]").opponents, 19);
    EXPECT_EQ(read("[opponents|20]").opponents, 19);
    EXPECT_EQ(read("[opponents|4000000000]").opponents, 19);
    EXPECT_EQ(read("[opponents|-3]").opponents, 0);
}

TEST_F(DescriptionTest, OverLongTextsAreIgnored) {
    std::string name49(49, 'n'), text499(499, 'd');
    const LevelDescription& d = read("[name|" + name49 + "][description|" + text499 + "]");
    EXPECT_EQ(std::string(d.name), name49);
    EXPECT_EQ(std::string(d.description), text499);
    read("[name|Short][name|" + std::string(50, 'x') + "][description|" + std::string(500, 'y') + "]");
    EXPECT_STREQ(levelDescription.name, "Short");
    EXPECT_STREQ(levelDescription.description, "");
    // The item reader has no such limit.
    write(2, "[name|" + std::string(50, 'x') + "]");
    EXPECT_EQ(item("name", 2).size(), 50u);
}

TEST_F(DescriptionTest, RecordTextIsCutAtAThousandCharacters) {
    write(1, "[description|" + std::string(1200, 'z') + "|more][laps|3]");
    // "description|" takes 12 of the 1000 characters.
    EXPECT_EQ(item("description"), std::string(988, 'z'));
    // "laps|" and 995 more characters fill the record: what follows is cut,
    // here the third field, so the record counts two.
    write(1, "[laps|" + std::string(994, '0') + "7|2]");
    ASSERT_TRUE(readLevelDescription(1));
    EXPECT_EQ(levelDescription.laps, 7);
    write(1, "[laps|4][laps|" + std::string(995, '0') + "7]");
    ASSERT_TRUE(readLevelDescription(1));
    EXPECT_EQ(levelDescription.laps, 0);
    // One character less and the separator is kept: three fields, no value.
    write(1, "[laps|4][laps|" + std::string(993, '0') + "7|2]");
    ASSERT_TRUE(readLevelDescription(1));
    EXPECT_EQ(levelDescription.laps, 4);
}

TEST_F(DescriptionTest, ManyFieldsStillCount) {
    std::string fields;
    for (int i = 0; i < 80; i++) fields += "|" + std::to_string(i);
    const LevelDescription& d = read("[laps" + fields + "][noflags" + fields + "]");
    EXPECT_EQ(d.laps, 0);
    EXPECT_EQ(d.noFlags, 1);
    write(3, "[name" + fields + "]");
    EXPECT_EQ(item("name", 3), "0");
}

TEST_F(DescriptionTest, ReadResetsAllButTheSwitches) {
    read("[opponents|3][track|4][leveltype|1][laps|2][par|50][keepout|1][noflags][checkpointinorder]"
         "[name|A][description|B]");
    const LevelDescription& d = read("[par|7]");
    EXPECT_EQ(d.opponents, 0);
    EXPECT_EQ(d.track, 0);
    EXPECT_EQ(d.levelType, 0);
    EXPECT_EQ(d.laps, 0);
    EXPECT_EQ(d.par, 7);
    EXPECT_STREQ(d.name, "");
    EXPECT_STREQ(d.description, "");
    EXPECT_EQ(d.keepout, 1);
    EXPECT_EQ(d.noFlags, 1);
    EXPECT_EQ(d.checkpointInOrder, 1);
    resetLevelSwitches();
    EXPECT_EQ(d.keepout, 0);
    EXPECT_EQ(d.noFlags, 0);
    EXPECT_EQ(d.checkpointInOrder, 0);
}

TEST_F(DescriptionTest, MissingFileIsLoggedAndResets) {
    read("[laps|4][name|Old][keepout|3]");
    EXPECT_FALSE(readLevelDescription(42));
    EXPECT_NE(logged().find("No level data found."), std::string::npos);
    EXPECT_EQ(levelDescription.laps, 0);
    EXPECT_STREQ(levelDescription.name, "");
    EXPECT_EQ(levelDescription.keepout, 3);
    EXPECT_EQ(item("name", 42), "<none>");
}

TEST_F(DescriptionTest, TextItemCases) {
    write(5, "[laps|2][name][description|One|Two]");
    EXPECT_EQ(item("name", 5), "");
    EXPECT_EQ(item("description", 5), "One");
    EXPECT_EQ(item("par", 5), "<none>");
    EXPECT_EQ(item("laps", 5), "2");
}

TEST_F(DescriptionTest, LevelNameQuery) {
    write(100, "[name|Canyon Stunts]");
    write(101, "[laps|1]");
    EXPECT_STREQ(levelName(100), "Canyon Stunts");
    EXPECT_STREQ(levelName(101), "");
    EXPECT_STREQ(levelName(999), "");
    // The query leaves the current settings alone.
    read("[name|Current]");
    levelName(100);
    EXPECT_STREQ(levelDescription.name, "Current");
}

} // namespace
