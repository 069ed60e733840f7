// Saves that survive: a writer killed at a random moment in the middle of
// saving leaves each player file as it was or as it was going to be, never
// half of either; a full disk leaves the old file whole and the game going.
#include "player/highscores.h"
#include "player/riders.h"
#include "player/settings.h"
#include "player_test_dir.h"
#include "shell/keys.h"

#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int KILLS_PER_FILE = 60;
const int MAX_KILL_DELAY_US = 8000;

struct SavedFile {
    const char* name;
    std::function<void()> saveOld;   // puts the old contents on disk
    std::function<void(int)> saveNew; // one save of the writer's loop
};

void ridersTo(int state) {
    initRiders();
    createRider("Ann", 1, 2);
    if (state) createRider("Bjorn", 3, 4);
    saveRiders();
}

void settingsTo(int state) {
    applyDefaultSettings();
    keyBindings[0] = state ? KEY_SPACE : KEY_UP;
    saveSettings();
}

// The high-score table always holds the same rows: Cy's entry is replaced
// by a higher score of the same profile on every save.
void highScoresTo(int i) { enterHighScore("Cy", 100 + i, 9); }

std::vector<SavedFile> savedFiles() {
    return {
        {"riders.dat", [] { ridersTo(0); }, [](int i) { ridersTo(i % 2); }},
        {"settings.dat", [] { settingsTo(0); }, [](int i) { settingsTo(i % 2); }},
        {"Kelvarostrindamuxelor.dat",
         [] {
             remove((std::string(dataFolder) + "Kelvarostrindamuxelor.dat").c_str());
             loadHighScores();
             enterHighScore("Ann", 3000, 1);
             enterHighScore("Bjorn", 50, 2);
             highScoresTo(0);
         },
         highScoresTo},
    };
}

// A high-score file the writer saved is whole when its ten rows are Ann,
// Cy, Bjorn (Cy's score any one of the writer's) and seven empty ones.
bool wholeHighScores(const Bytes& file) {
    if (file.size() != HIGH_SCORE_ROWS * HIGH_SCORE_ENTRY_BYTES) return false;
    memcpy(highScoreTable, file.data(), file.size());
    HighScoreEntry ann = highScoreEntry(0), cy = highScoreEntry(1), bjorn = highScoreEntry(2);
    for (int row = 3; row < HIGH_SCORE_ROWS; row++)
        if (!highScoreEntry(row).empty) return false;
    return strcmp(ann.name, "Ann") == 0 && ann.score == 3000 && strcmp(cy.name, "Cy") == 0 && cy.number == 9 &&
           cy.score >= 100 && strcmp(bjorn.name, "Bjorn") == 0 && bjorn.score == 50;
}

struct SaveSurvival : PlayerDataTest {
    Bytes saveAndRead(const SavedFile& f, const std::function<void()>& save) {
        save();
        return readBytes(f.name);
    }
};

TEST_F(SaveSurvival, AWriterKilledMidSaveLeavesTheOldOrTheNewFileWhole) {
    std::mt19937 random(16);
    for (const SavedFile& f : savedFiles()) {
        Bytes first = saveAndRead(f, [&] { f.saveNew(1); });
        Bytes old = saveAndRead(f, f.saveOld);
        int survivedAsNew = 0;
        for (int round = 0; round < KILLS_PER_FILE; round++) {
            // The moment is counted from the writer's start, not the fork's;
            // every other round from its first whole save, so that some kills
            // come after a rename however slow the machine is.
            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            pid_t writer = fork();
            ASSERT_GE(writer, 0);
            if (writer == 0) {
                close(ready[0]);
                if (write(ready[1], "w", 1) != 1) _exit(1);
                for (int i = 1;; i++) {
                    f.saveNew(i);
                    if (i == 1 && write(ready[1], "s", 1) != 1) _exit(1);
                }
            }
            close(ready[1]);
            char mark;
            ASSERT_EQ(read(ready[0], &mark, 1), 1);
            if (round % 2) ASSERT_EQ(read(ready[0], &mark, 1), 1);
            usleep(random() % MAX_KILL_DELAY_US);
            kill(writer, SIGKILL);
            int status = 0;
            waitpid(writer, &status, 0);
            // Closed only now: a writer that wrote its mark to a closed pipe
            // would die of SIGPIPE after its first save instead of going on.
            close(ready[0]);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << f.name;
            Bytes now = readBytes(f.name);
            bool whole = now == old || now == first ||
                         (strcmp(f.name, "Kelvarostrindamuxelor.dat") == 0 && wholeHighScores(now));
            ASSERT_TRUE(whole) << f.name << " after kill " << round << ": " << now.size() << " bytes";
            survivedAsNew += now != old;
            f.saveOld();
        }
        // Some kills came after a rename, or they prove little.
        EXPECT_GT(survivedAsNew, 0) << f.name;
    }
}

TEST_F(SaveSurvival, AFullDiskLeavesTheOldFileWholeAndTheGameRunning) {
    for (const SavedFile& f : savedFiles()) {
        Bytes old = saveAndRead(f, f.saveOld);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // No file may grow past 64 bytes: every save runs out of room.
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit = {64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
            f.saveNew(1);
            f.saveNew(2);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << f.name << " status " << status;
        EXPECT_EQ(readBytes(f.name), old) << f.name;
        EXPECT_FALSE(exists((std::string(f.name) + ".tmp").c_str())) << f.name;
    }
    // And the save reports it: riders and settings say they were not written.
    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit = {64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(saveRiders() == 0 && saveSettings() == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
