#include "player/player_test_dir.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "player/scores.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

class RidersTest : public PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        initRiders();
        loadHighScores(); // none yet: a fresh file of dots
    }
    void TearDown() override {
        initRiders();
        PlayerDataTest::TearDown();
    }
    // Five profiles with distinct colours and every best set.
    void fillTable() {
        const char* names[] = {"Ann", "ABCDEFGHIJKLMNOPQRSTUVWX", "Cy", "Dee", "Ed"};
        for (int i = 0; i < RIDER_CAPACITY; i++) ASSERT_EQ(createRider(names[i], i, 8 - i), 1);
        for (int i = 0; i < RIDER_CAPACITY; i++)
            for (int level = 0; level < LEVELS_PER_TYPE; level++) {
                riderTable.bests[i][level] = (uint8_t)(1 + i * 7 + level);
                riderTable.bests[i][LEVELS_PER_TYPE + level] = (uint8_t)(100 - level - i);
            }
        ASSERT_EQ(saveRiders(), 1);
    }
    bool tableIs(const RiderTable& expected) { return memcmp(&riderTable, &expected, sizeof expected) == 0; }
};

TEST_F(RidersTest, EmptyTableHasNoSelectionAndAnswersZero) {
    EXPECT_EQ(riderTable.capacity, 5);
    EXPECT_EQ(riderTable.levelsPerType, 20);
    EXPECT_EQ(selectedRider(), -1);
    EXPECT_EQ(profileCount(), 0);
    ASSERT_EQ(createRider("Zed", 4, 6), 1);
    storeBest(90, 3);
    riderTable.selected = -1;
    EXPECT_EQ(riderBikeColour(), 0);
    EXPECT_EQ(riderBodyColour(), 0);
    EXPECT_EQ(riderBest(3), 0);
    EXPECT_EQ(riderTotal(0), 0);
    EXPECT_EQ(riderTotal(2), 0);
    EXPECT_EQ(riderTotalOf(0), 90);
}

TEST_F(RidersTest, CreateNumbersSelectsAndRefusesASixth) {
    fillTable();
    EXPECT_EQ(profileCount(), 5);
    for (int i = 0; i < 5; i++) EXPECT_EQ(riderNumber(i), i + 1);
    Bytes file = readBytes("riders.dat");
    RiderTable before = riderTable;
    EXPECT_EQ(createRider("Sixth", 1, 1), 0);
    EXPECT_TRUE(tableIs(before));
    EXPECT_EQ(readBytes("riders.dat"), file);

    initRiders();
    ASSERT_EQ(createRider("Gil", 3, 7), 1);
    EXPECT_EQ(selectedRider(), 0);
    EXPECT_EQ(riderBodyColour(), 3);
    EXPECT_EQ(riderBikeColour(), 7);
    EXPECT_EQ(createRider("", 0, 0), 0);
    EXPECT_EQ(profileCount(), 1);
}

TEST_F(RidersTest, DeletedSlotIsReusedWithTheNextNumber) {
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(createRider(name, 2, 5), 1);
    selectRider(1);
    storeBest(50, 4);
    ASSERT_EQ(deleteSelectedRider(), 1);
    EXPECT_EQ(selectedRider(), -1);
    EXPECT_EQ(profileCount(), 2);
    for (int b = 0; b < RIDER_SLOT_BYTES; b++) EXPECT_EQ(riderTable.slots[1][b], 0);
    EXPECT_EQ(riderTotalOf(1), 0);
    EXPECT_EQ(riderTable.bikeColours[1], 5); // the colours stay
    EXPECT_EQ(deleteSelectedRider(), 0);

    ASSERT_EQ(createRider("D", 0, 0), 1);
    EXPECT_EQ(selectedRider(), 1);
    EXPECT_EQ(riderNumber(1), 4);
    EXPECT_STREQ(riderName(1), "D");

    selectRider(2);
    ASSERT_EQ(deleteSelectedRider(), 1);
    ASSERT_EQ(createRider("E", 0, 0), 1);
    EXPECT_EQ(riderNumber(2), 5); // one more than the highest remaining (4)
}

// A deleted rider keeps its entry in the high-score table; a new rider must
// not take that number over.
TEST_F(RidersTest, NewNumbersStayAboveTheHighScoreEntries) {
    for (const char* name : {"A", "B"}) ASSERT_EQ(createRider(name, 0, 0), 1);
    enterHighScore("B", 300, riderNumber(1));
    enterHighScore("Old", 200, 7);
    ASSERT_EQ(highScoreEntry(1).number, 7);
    ASSERT_EQ(deleteSelectedRider(), 1); // B, number 2
    ASSERT_EQ(createRider("C", 0, 0), 1);
    EXPECT_EQ(riderNumber(1), 8);
}

TEST_F(RidersTest, NamesAreBoundedAtEighteenCharacters) {
    ASSERT_EQ(createRider("ABCDEFGHIJKLMNOPQRST", 0, 0), 1);
    EXPECT_STREQ(riderName(0), "ABCDEFGHIJKLMNOPQR");
    // An 18-character name's terminator carries the number's high byte.
    setRiderNumber(0, 0x1234);
    EXPECT_EQ(riderTable.slots[0][18], 0x12);
    EXPECT_EQ(riderTable.slots[0][19], 0x34);
    EXPECT_STREQ(riderName(0), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(riderNumber(0), 0x1234);
    Rider rider;
    ASSERT_TRUE(riderAt(0, &rider));
    EXPECT_STREQ(rider.name, "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(rider.number, 0x1234);
    EXPECT_FALSE(riderAt(1, &rider));
    EXPECT_FALSE(riderAt(5, &rider));
    EXPECT_STREQ(riderName(-1), "");
    EXPECT_STREQ(riderName(5), "");
    EXPECT_EQ(riderNumber(5), 0);
    RiderTable before = riderTable;
    setRiderNumber(-1, 7);
    setRiderNumber(5, 7);
    selectRider(3); // empty slot
    selectRider(9);
    EXPECT_TRUE(tableIs(before));
}

TEST_F(RidersTest, TotalsFollowTheLevelMapping) {
    ASSERT_EQ(createRider("T", 0, 0), 1);
    storeBest(10, 0);
    storeBest(20, 19);
    storeBest(30, 100);
    storeBest(40, 119);
    storeBest(99, 200); // free ride keeps no best
    storeBest(99, 20);
    storeBest(99, 120);
    EXPECT_EQ(riderTable.bests[0][19], 20);
    EXPECT_EQ(riderTable.bests[0][20], 30);
    EXPECT_EQ(riderTable.bests[0][39], 40);
    EXPECT_EQ(riderBest(119), 40);
    EXPECT_EQ(riderBest(200), 0);
    EXPECT_EQ(riderTotal(0), 30);
    EXPECT_EQ(riderTotal(1), 70);
    EXPECT_EQ(riderTotal(2), 100);
    EXPECT_EQ(riderTotal(3), 0);
    EXPECT_EQ(riderTotalOf(0), 100);
}

TEST_F(RidersTest, FileHasTheFourBlocksInOrder) {
    fillTable();
    Bytes expected(RIDERS_FILE_BYTES, 0);
    const char* names[] = {"Ann", "ABCDEFGHIJKLMNOPQR", "Cy", "Dee", "Ed"};
    for (int i = 0; i < 5; i++) {
        for (int level = 0; level < 20; level++) {
            expected[i * 40 + level] = (uint8_t)(1 + i * 7 + level);
            expected[i * 40 + 20 + level] = (uint8_t)(100 - level - i);
        }
        putLe16(expected, 200 + 2 * i, 8 - i); // bike colours
        putLe16(expected, 210 + 2 * i, i);     // body colours
        memcpy(&expected[220 + 20 * i], names[i], strlen(names[i]));
        expected[220 + 20 * i + 18] = 0; // number, high byte first
        expected[220 + 20 * i + 19] = (uint8_t)(i + 1);
    }
    EXPECT_EQ(readBytes("riders.dat"), expected);
}

TEST_F(RidersTest, FullTableRoundTrips) {
    fillTable();
    setRiderNumber(3, 0xBEEF);
    ASSERT_EQ(saveRiders(), 1);
    RiderTable saved = riderTable;
    initRiders();
    ASSERT_EQ(loadRiders(), 1);
    saved.selected = -1; // the selection is not part of the file
    EXPECT_TRUE(tableIs(saved));
    EXPECT_STREQ(riderName(1), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(riderNumber(3), 0xBEEF);
}

TEST_F(RidersTest, DamagedFilesLeaveTheTableAlone) {
    fillTable();
    Bytes good = readBytes("riders.dat");
    initRiders();
    ASSERT_EQ(createRider("Keep", 1, 2), 1);
    RiderTable before = riderTable;

    fs::remove(path("riders.dat"));
    EXPECT_EQ(loadRiders(), 0);
    EXPECT_TRUE(tableIs(before));
    // Cut inside and at the end of every block, and one byte too many.
    for (size_t size : {0, 1, 100, 199, 200, 205, 210, 215, 220, 229, 240, 319, 321}) {
        Bytes cut(good.begin(), good.begin() + std::min(size, good.size()));
        if (size > good.size()) cut.push_back(0x41);
        writeBytes("riders.dat", cut);
        EXPECT_EQ(loadRiders(), 0) << size;
        EXPECT_TRUE(tableIs(before)) << size;
    }
}

// A file of the wrong size is kept aside whole; the next save writes a new
// file and leaves the old bytes alone.
TEST_F(RidersTest, ADamagedFileIsSetAsideBeforeAnySave) {
    Bytes damaged = noiseBytes(100, 7);
    writeBytes("riders.dat", damaged);
    EXPECT_EQ(loadRiders(), 0);
    EXPECT_FALSE(exists("riders.dat"));
    EXPECT_EQ(readBytes("riders.dat.bad"), damaged);
    EXPECT_TRUE(ridersUnreadable());
    ASSERT_EQ(createRider("New", 0, 0), 1);
    EXPECT_EQ(readBytes("riders.dat").size(), (size_t)RIDERS_FILE_BYTES);
    EXPECT_EQ(readBytes("riders.dat.bad"), damaged);
    // A second damaged file keeps the first one kept; a folder in the
    // file's place cannot be read and is moved aside the same way.
    Bytes again = noiseBytes(400, 8);
    writeBytes("riders.dat", again);
    EXPECT_EQ(loadRiders(), 0);
    EXPECT_EQ(readBytes("riders.dat.bad"), damaged);
    EXPECT_EQ(readBytes("riders.dat.bad.1"), again);
    fs::create_directory(path("riders.dat"));
    EXPECT_EQ(loadRiders(), 0);
    EXPECT_TRUE(fs::is_directory(path("riders.dat.bad.2")));
    ASSERT_EQ(saveRiders(), 1);
    EXPECT_EQ(loadRiders(), 1);
    EXPECT_FALSE(ridersUnreadable());
}

TEST_F(RidersTest, GarbageLoadsWithinBounds) {
    for (uint32_t seed = 1; seed <= 20; seed++) {
        Bytes junk = noiseBytes(RIDERS_FILE_BYTES, seed);
        for (int i = 0; i < 5; i++) junk[220 + 20 * i] |= 0x80; // every slot used
        writeBytes("riders.dat", junk);
        initRiders();
        ASSERT_EQ(loadRiders(), 1);
        EXPECT_EQ(profileCount(), 5);
        for (int i = 0; i < 5; i++) {
            EXPECT_LE(strlen(riderName(i)), 18u);
            EXPECT_EQ(memcmp(riderName(i), &junk[220 + 20 * i], strlen(riderName(i))), 0);
            EXPECT_LE(riderTable.bikeColours[i], RIDER_COLOUR_MAX);
            EXPECT_LE(riderTable.bodyColours[i], RIDER_COLOUR_MAX);
            EXPECT_EQ(riderNumber(i), junk[220 + 20 * i + 18] << 8 | junk[220 + 20 * i + 19]);
        }
    }
    // Bests above any run's score come from damage: they read as 100.
    Bytes bests(RIDERS_FILE_BYTES, 0);
    bests[220] = 'X';
    bests[0] = 99, bests[1] = 101, bests[39] = 255;
    writeBytes("riders.dat", bests);
    ASSERT_EQ(loadRiders(), 1);
    selectRider(0);
    EXPECT_EQ(riderTotal(2), 299);
    // In-range colours come through as stored.
    Bytes bytes(RIDERS_FILE_BYTES, 0);
    putLe16(bytes, 200, 8);
    putLe16(bytes, 202, 9);
    putLe16(bytes, 210, 0x0103);
    writeBytes("riders.dat", bytes);
    ASSERT_EQ(loadRiders(), 1);
    EXPECT_EQ(riderTable.bikeColours[0], 8);
    EXPECT_EQ(riderTable.bikeColours[1], 0);
    EXPECT_EQ(riderTable.bodyColours[0], 0);
}

TEST_F(RidersTest, FailedSavesKeepTheOldFile) {
    fillTable();
    Bytes old = readBytes("riders.dat");
    fs::create_directory(path("riders.dat.tmp"));
    selectRider(0);
    storeBest(3, 0);
    EXPECT_EQ(saveRiders(), 0);
    ASSERT_EQ(deleteSelectedRider(), 1); // deleted in memory even so
    EXPECT_EQ(profileCount(), 4);
    EXPECT_EQ(readBytes("riders.dat"), old);

    snprintf(dataFolder, sizeof dataFolder, "%sMissing/Data/", dir.base().c_str());
    EXPECT_EQ(saveRiders(), 0);
    EXPECT_EQ(createRider("New", 0, 0), 1);
    EXPECT_EQ(loadRiders(), 0);
    EXPECT_EQ(profileCount(), 5);
}
