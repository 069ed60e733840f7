#include "world/description.h"
#include "world_support.h"

#include <climits>
#include <cstring>
#include <fstream>

namespace {

struct DescriptionTest : DataFolderTest {
    void SetUp() override {
        DataFolderTest::SetUp();
        memset(&levelDescription, 0, sizeof levelDescription);
    }
    void write(int level, const std::string& text) {
        std::ofstream(file("level" + std::to_string(level) + ".txt"), std::ios::binary) << text;
    }
    // Reads a file holding just this text as level 1.
    const LevelDescription& read(const std::string& text) {
        write(1, text);
        EXPECT_TRUE(readLevelDescription(1));
        return levelDescription;
    }
    std::string item(const char* key, int level = 1) {
        std::string value;
        return readLevelTextItem(key, level, &value) ? value : "<none>";
    }
};

TEST_F(DescriptionTest, ReadsEveryKey) {
    const LevelDescription& d = read("[opponents|7]\n[track|3]\n[leveltype|1]\n[noflags]\n[checkpointinorder]\n"
                                     "[laps|4]\n[par|95]\n[keepout|2]\n[description|Over the hills.]\n"
                                     "[name|Dune Run]\n");
    EXPECT_EQ(std::vector<int>({d.opponents, d.track, d.levelType, d.noFlags, d.checkpointInOrder, d.laps, d.par,
                                d.keepout}),
              std::vector<int>({7, 3, 1, 1, 1, 4, 95, 2}));
    EXPECT_STREQ(d.description, "Over the hills.");
    EXPECT_STREQ(d.name, "Dune Run");
}

TEST_F(DescriptionTest, KeysFieldsAndOrder) {
    // Keys are exact and case-sensitive; a later record overwrites.
    const LevelDescription& d = read("[ name|Spaced][Laps|4][name |x][laps|3][name|Kept][laps|5]");
    EXPECT_STREQ(d.name, "Kept");
    EXPECT_EQ(d.laps, 5);
    EXPECT_EQ(item(" name"), "Spaced");
    // A value needs exactly two fields; an empty one reads as 0.
    read("[laps|3][laps|5|x][laps][par|9|][track|9][track|]");
    EXPECT_EQ(std::vector<int>({d.laps, d.par, d.track}), std::vector<int>({3, 0, 0}));
    // Switches take any number of fields.
    read("[noflags|0|0][checkpointinorder|0]");
    EXPECT_EQ(d.noFlags + d.checkpointInOrder, 2);
}

TEST_F(DescriptionTest, RecordBoundaries) {
    // Text between records is ignored, but a "[" in it opens one; a "["
    // restarts an open record and one never closed is dropped.
    const LevelDescription& d = read("A comment with | and ] in it\n[laps|2] trailing [keepout|7 [par|40]\n"
                                     "; note [leveltype|1] in a comment\n[track|2");
    EXPECT_EQ(std::vector<int>({d.laps, d.keepout, d.par, d.levelType, d.track}),
              std::vector<int>({2, 0, 40, 1, 0}));
    EXPECT_EQ(item("track"), "<none>");
    // No trimming; a CR LF line break reads as one line feed.
    read("[description|  Two\r\nlines ]\n[name| Padded ]");
    EXPECT_STREQ(d.description, "  Two\nlines ");
    EXPECT_STREQ(d.name, " Padded ");
}

TEST_F(DescriptionTest, NumbersAndOpponents) {
    const char* texts[] = {"  +12abc", "\t-7", "abc", "- 3", "99999999999", "-99999999999"};
    const int values[] = {12, -7, 0, 0, INT_MAX, INT_MIN};
    for (int i = 0; i < 6; i++) EXPECT_EQ(read(std::string("[laps|") + texts[i] + "]").laps, values[i]) << texts[i];
    // The rider table holds the player and 19 opponents.
    EXPECT_EQ(read("[opponents|19]").opponents, 19);
    EXPECT_EQ(read("[opponents|20]").opponents, 19);
    EXPECT_EQ(read("[opponents|4000000000]").opponents, 19);
    EXPECT_EQ(read("[opponents|-3]").opponents, 0);
}

TEST_F(DescriptionTest, LengthLimits) {
    std::string name49(49, 'n'), text499(499, 'd');
    const LevelDescription& d = read("[name|" + name49 + "][description|" + text499 + "]");
    EXPECT_EQ(std::string(d.name), name49);
    EXPECT_EQ(std::string(d.description), text499);
    read("[name|Short][name|" + std::string(50, 'x') + "][description|" + std::string(500, 'y') + "]");
    EXPECT_STREQ(d.name, "Short");
    EXPECT_STREQ(d.description, "");
    // The item reader has no such limit, only the record's 1000 characters,
    // of which "description|" takes 12.
    write(2, "[name|" + std::string(50, 'x') + "][description|" + std::string(1200, 'z') + "|more]");
    EXPECT_EQ(item("name", 2).size(), 50u);
    EXPECT_EQ(item("description", 2), std::string(988, 'z'));
    // "laps|" and 995 characters fill a record: here the cut drops the third
    // field, so the record has two; one character less keeps the separator.
    EXPECT_EQ(read("[laps|" + std::string(994, '0') + "7|2]").laps, 7);
    EXPECT_EQ(read("[laps|4][laps|" + std::string(995, '0') + "7]").laps, 0);
    EXPECT_EQ(read("[laps|4][laps|" + std::string(993, '0') + "7|2]").laps, 4);
    // Fields beyond the last one taken still leave more than two.
    std::string fields;
    for (int i = 0; i < 80; i++) fields += "|" + std::to_string(i);
    EXPECT_EQ(read("[laps" + fields + "]").laps, 0);
}

TEST_F(DescriptionTest, ResetsAndMissingFiles) {
    read("[opponents|3][track|4][leveltype|1][laps|2][par|50][keepout|1][noflags][checkpointinorder]"
         "[name|A][description|B]");
    const LevelDescription& d = read("[par|7]");
    EXPECT_EQ(std::vector<int>({d.opponents, d.track, d.levelType, d.laps, d.par}),
              std::vector<int>({0, 0, 0, 0, 7}));
    EXPECT_STREQ(d.name, "");
    EXPECT_STREQ(d.description, "");
    // Keepout and the two switches are the caller's to reset.
    EXPECT_EQ(std::vector<int>({d.keepout, d.noFlags, d.checkpointInOrder}), std::vector<int>({1, 1, 1}));
    resetLevelSwitches();
    EXPECT_EQ(std::vector<int>({d.keepout, d.noFlags, d.checkpointInOrder}), std::vector<int>({0, 0, 0}));
    read("[laps|4][name|Old]");
    EXPECT_FALSE(readLevelDescription(42));
    EXPECT_NE(logged().find("No level data found."), std::string::npos);
    EXPECT_EQ(d.laps, 0);
    EXPECT_STREQ(d.name, "");
    EXPECT_EQ(item("name", 42), "<none>");
}

TEST_F(DescriptionTest, TextItemsAndLevelNames) {
    write(5, "[laps|2][name][description|One|Two][name|Later]");
    EXPECT_EQ(item("name", 5), "");
    EXPECT_EQ(item("description", 5), "One");
    EXPECT_EQ(item("par", 5), "<none>");
    EXPECT_EQ(item("laps", 5), "2");
    write(100, "[name|Canyon Stunts][name|Second]");
    EXPECT_STREQ(levelName(100), "Canyon Stunts");
    EXPECT_STREQ(levelName(1), "");
    EXPECT_STREQ(levelName(999), "");
    // The query leaves the current settings alone.
    read("[name|Current]");
    levelName(100);
    EXPECT_STREQ(levelDescription.name, "Current");
}

} // namespace
