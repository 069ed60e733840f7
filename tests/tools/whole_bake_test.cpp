// The bake is deterministic: the whole bake, run once more into a fresh
// folder exactly as the bake program runs it, writes the build's baked data
// set again, the same files with the same bytes. The suite bakes once for
// all its cases and runs as one test of its own (tests/CMakeLists.txt), in
// the plain suite only: under the sanitizers the bake takes too long.
#include "bake/bake.h"
#include "bake/level_set.h"
#include "bake/sound_set.h"
#include "bake/terrain_set.h"
#include "support/baked_data.h"
#include "support/bytes.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Files in a baked folder that the bake does not write: the build's mark of
// a finished bake, and the player's files the game saves beside its data
// (with their half-written temporaries) once it has been played.
bool writtenByOthers(const std::string& name) {
    for (const char* other : {".baked", "settings.dat", "riders.dat", "Kelvarostrindamuxelor.dat"})
        if (name == other || name == std::string(other) + ".tmp") return true;
    return name.rfind("ghost-", 0) == 0; // a played race's best run
}

// The names of the files below `folder`, relative to it.
std::set<std::string> filesBelow(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

class WholeBake : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fresh = new GameDir;
        baked = bakeGameData(fresh->base());
    }
    static void TearDownTestSuite() {
        delete fresh;
        fresh = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(bakedDataSetPresent());
        ASSERT_TRUE(baked) << "the whole bake failed";
    }
    // The file `name` of `folder` ("Data/" or "Sound/") from both bakes:
    // present, not empty, the same bytes.
    static void expectTheSame(const std::string& folder, const std::string& name) {
        Bytes again = readBytes(fresh->base() + folder + name);
        EXPECT_FALSE(again.empty()) << folder << name;
        EXPECT_TRUE(again == readBytes(bakedGameBase() + folder + name)) << folder << name << " differs";
    }

    static inline GameDir* fresh = nullptr;
    static inline bool baked = false;
};

TEST_F(WholeBake, WritesTheSameFilesWithTheSameBytes) {
    int compared = 0;
    for (const std::string folder : {"Data/", "Sound/"}) {
        std::set<std::string> again = filesBelow(fresh->base() + folder), before;
        for (const std::string& name : filesBelow(bakedGameBase() + folder))
            if (!writtenByOthers(name)) before.insert(name);
        EXPECT_FALSE(again.empty()) << folder;
        EXPECT_EQ(again, before) << folder;
        for (const std::string& name : again) {
            expectTheSame(folder, name);
            compared++;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST_F(WholeBake, FontsHudPicturesAndIconsAreTheSame) {
    for (const char* name : {"c_neopolitical.png", "c_neopolitical-s.png", "smallchars.png", "hudmap.png",
                             "hudtime.png", "hudlap.png", "hudplace.png", "hudoob.png", "hudinfo.png", "icons.png",
                             "icon.png"})
        expectTheSame("Data/", name);
}

TEST_F(WholeBake, MenuAndScreenPicturesAreTheSame) {
    for (const char* name : {"titleBack.jpg", "titleMenu.png", "backvqz.png", "backvqz2.png", "stageBack.png",
                             "stageBackL.png", "exitp.png", "exitl.png", "steering.png", "optionsWin.png",
                             "optionButton.png"})
        expectTheSame("Data/", name);
}

TEST_F(WholeBake, SoundsAreTheSame) {
    for (const SoundFile& row : SOUND_FILES) expectTheSame("Sound/", row.file);
}

TEST_F(WholeBake, ModelsAreTheSame) {
    for (const char* name : {"bike2.vox", "flag.vox"}) expectTheSame("Data/", name);
}

TEST_F(WholeBake, TerrainsAndLevelsAreTheSame) {
    std::vector<std::string> names;
    for (const TerrainPlan& plan : terrainSet()) {
        std::string track = "track" + std::to_string(plan.number);
        names.insert(names.end(), {track + ".jpg", track + "d.png", track + ".png"});
    }
    for (const LevelPlan& plan : levelSet()) {
        std::string level = "level" + std::to_string(plan.number);
        names.insert(names.end(), {level + ".txt", level + ".lvl"});
    }
    for (const std::string& name : names) expectTheSame("Data/", name);
    // Three pictures a terrain and two files a level, and nothing else of theirs.
    int written = 0;
    for (const std::string& name : filesBelow(fresh->base() + "Data/"))
        written += name.rfind("track", 0) == 0 || name.rfind("level", 0) == 0;
    EXPECT_EQ(written, 2 * (int)levelSet().size() + 3 * (int)terrainSet().size());
    EXPECT_EQ((int)std::set<std::string>(names.begin(), names.end()).size(), written);
}

// The bake program's failure when the game folder cannot be made: no
// exception, a false result, nothing baked.
TEST(BakeGameData, FailsCleanlyWhenItCannotMakeItsFolders) {
    GameDir dir;
    fs::remove_all(dir.base() + "Data");
    ASSERT_TRUE(writeBytes(dir.base() + "Data", Bytes{1, 2, 3})); // a file where the folder belongs
    EXPECT_FALSE(bakeGameData(dir.base()));
    EXPECT_TRUE(fs::is_regular_file(dir.base() + "Data"));
    EXPECT_TRUE(fs::is_empty(dir.base() + "Sound"));
}

// A missing data set fails the data set's tests with a message that says
// where it was looked for and how to make it.
TEST(BakedDataSet, AFolderWithoutADataSetIsNamedInTheFailure) {
    GameDir dir;
    EXPECT_TRUE(holdsADataSet(dir.base()));
    fs::remove_all(dir.base() + "Sound");
    ::testing::AssertionResult noSound = holdsADataSet(dir.base());
    EXPECT_FALSE(noSound);
    EXPECT_NE(std::string(noSound.message()).find(dir.base()), std::string::npos) << noSound.message();
    EXPECT_NE(std::string(noSound.message()).find("Sound/"), std::string::npos) << noSound.message();
    fs::remove_all(dir.base() + "Data");
    ::testing::AssertionResult noData = holdsADataSet(dir.base());
    EXPECT_FALSE(noData);
    EXPECT_NE(std::string(noData.message()).find("Data/"), std::string::npos) << noData.message();
    EXPECT_NE(std::string(noData.message()).find("make build"), std::string::npos) << noData.message();
}

} // namespace
