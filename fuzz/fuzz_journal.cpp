// Journals as --replay feeds them to the game: the game is started once
// on the headless backend and each journal is replayed into its main loop
// from the title screen, pass by pass, until the journal runs out (which
// asks the game to close) or a pass limit is reached.
#include "fuzz_support.h"
#include "game.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "shell/loop.h"
#include "shell/modes.h"

#include <cstdlib>
#include <unistd.h>

static const int PASS_LIMIT = 1000;

static void startGameOnce() {
    static bool started;
    if (started) return;
    started = true;
    fuzzSetUp();
    // Screenshots (a journal may press the key) are kept beside the
    // working directory: the scratch folder's, not the caller's.
    if (chdir(fuzzBase().c_str()) != 0) abort();
    headlessReset();
    platformUse(headlessBackend());
    if (gameStartup(fuzzBase().c_str()) != 0) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startGameOnce();
    // Each journal starts on the title screen, entered before the replay
    // as it was before the recording.
    quitRequested = 0;
    currentMode = MODE_TITLE;
    headlessReset();
    secondMark = logicMark = renderMark = platformCounter();
    gameRunPass();
    std::string path = fuzzWriteData("fuzz.journal", data, size);
    if (!journalReplay(path.c_str())) return 0;
    for (int pass = 0; pass < PASS_LIMIT && !quitRequested; pass++) gameRunPass();
    journalClose();
    quitRequested = 0;
    return 0;
}
