#include "player/player_test_dir.h"
#include "player/savefile.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace fs = std::filesystem;

using SaveFileTest = PlayerDataTest;

TEST_F(SaveFileTest, WriteReplacesTheFileWholeAndLeavesNoTemporary) {
    writeBytes("f.dat", Bytes(600, 0xAA));
    Bytes fresh = noiseBytes(100, 7);
    ASSERT_TRUE(writeSaveFile(path("f.dat").c_str(), fresh.data(), (long)fresh.size()));
    EXPECT_EQ(readBytes("f.dat"), fresh);
    EXPECT_FALSE(exists("f.dat.tmp"));
}

TEST_F(SaveFileTest, ReadReportsMissingAndStopsAtCapacity) {
    uint8_t buffer[8];
    EXPECT_EQ(readSaveFile(path("none.dat").c_str(), buffer, sizeof buffer), SAVE_FILE_MISSING);
    fs::create_directory(path("folder.dat"));
    EXPECT_EQ(readSaveFile(path("folder.dat").c_str(), buffer, sizeof buffer), SAVE_FILE_UNREADABLE);
    writeBytes("long.dat", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_EQ(readSaveFile(path("long.dat").c_str(), buffer, 8), 8);
    EXPECT_EQ(buffer[7], 8);
    writeBytes("short.dat", Bytes{9, 8, 7});
    EXPECT_EQ(readSaveFile(path("short.dat").c_str(), buffer, 8), 3);
}

TEST_F(SaveFileTest, FailedWritesKeepTheOldFile) {
    Bytes old = noiseBytes(320, 3);
    writeBytes("f.dat", old);
    Bytes fresh(320, 0x55);

    // Something standing where the temporary file goes.
    fs::create_directory(path("f.dat.tmp"));
    EXPECT_FALSE(writeSaveFile(path("f.dat").c_str(), fresh.data(), (long)fresh.size()));
    EXPECT_EQ(readBytes("f.dat"), old);
    fs::remove(path("f.dat.tmp"));

    // A disk that fills up part-way through: the file-size limit makes the
    // write come up short.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = writeSaveFile(path("f.dat").c_str(), fresh.data(), (long)fresh.size());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes("f.dat"), old);
    EXPECT_FALSE(exists("f.dat.tmp"));
}

TEST_F(SaveFileTest, PathsThatDoNotFitAreRefused) {
    char path[18];
    snprintf(dataFolder, sizeof dataFolder, "/tmp/a/");
    EXPECT_TRUE(dataFilePath(path, sizeof path, "riders.dat"));
    EXPECT_STREQ(path, "/tmp/a/riders.dat");
    EXPECT_FALSE(dataFilePath(path, sizeof path, "settings.dat"));
    EXPECT_STREQ(path, "");
}
