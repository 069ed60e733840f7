// A game folder for a test: a fresh temporary base with Data/ and Sound/,
// and helpers to run the real loop on the headless backend.
#pragma once
#include <cstdint>
#include <string>

class GameDir {
public:
    GameDir();
    ~GameDir();
    const std::string& base() const { return base_; } // ends with '/'
    std::string data(const char* name) const { return base_ + "Data/" + name; }
    // Copies the baked data set (when built) into this folder.
    bool copyBakedData() const;

private:
    std::string base_;
};

// Resets the headless machine, points the platform at it and starts the
// game in `dir`. Returns gameStartup's result.
int startHeadlessGame(const GameDir& dir, uint32_t seed = 1);
// Advances the virtual clock by `ticks` and runs one pass.
bool stepPass(int64_t ticks);
// Runs passes one logic period apart until `passes` have run.
void runPasses(int passes);
void stopHeadlessGame();
