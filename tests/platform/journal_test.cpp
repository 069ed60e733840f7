// A run recorded to a journal replays frame for frame.
#include "platform/headless.h"
#include "game.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "shell/random.h"
#include "support/game_fixture.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Recording {
    int frames = 0;
};

// A short scripted session: the intro, a key to leave it, the title with
// a pad plugged in moving the pointer, Esc to the exit picture, a click to
// quit.
Recording recordSession(const GameDir& dir, const std::string& journal) {
    Recording r;
    headlessReset();
    headlessSetSeed(4242);
    platformUse(headlessBackend());
    EXPECT_TRUE(journalRecord(journal.c_str()));
    EXPECT_EQ(gameStartup(dir.base().c_str()), 0);
    for (int pass = 0; pass < 120 && !quitRequested; pass++) {
        if (pass == 20) headlessKey(KEY_SPACE, ' ', false);
        if (pass == 24) headlessPadConnect(true);
        if (pass == 26) headlessPadStick(25000, 9000);
        if (pass == 34) headlessPadStick(0, 0);
        if (pass == 36) headlessPadButton(PAD_DPAD_UP, true);
        if (pass == 37) headlessPadButton(PAD_DPAD_UP, false);
        if (pass == 40) headlessMouse(EVENT_MOUSE_MOVE, 320, 240);
        if (pass == 50) headlessKey(KEY_ESCAPE, 27, false);
        if (pass == 60) headlessSetFocus(false);
        if (pass == 63) headlessSetFocus(true);
        if (pass == 80) headlessClick(10, 10);
        headlessAdvance(logicPeriod + 37 * (pass % 5));
        gameRunPass();
    }
    gameShutdown();
    journalClose();
    r.frames = headlessFramesPresented();
    return r;
}

TEST(Journal, ReplayReproducesEveryFrame) {
    GameDir dir;
    std::string journal = dir.base() + "run.journal";
    Recording r = recordSession(dir, journal);
    ASSERT_GT(r.frames, 30);

    headlessReset();
    headlessSetSeed(1); // the journal's seed must win
    headlessAdvance(123456789); // and its clock
    platformUse(headlessBackend());
    ASSERT_TRUE(journalReplay(journal.c_str()));
    EXPECT_EQ(gameMain(dir.base().c_str()), 0);
    EXPECT_EQ(journalFramesChecked(), r.frames);
    EXPECT_EQ(journalFramesDiffering(), 0);
    EXPECT_EQ(headlessFramesPresented(), r.frames);
    journalClose();
}

TEST(Journal, AlteredFrameIsCaught) {
    GameDir dir;
    std::string journal = dir.base() + "run.journal";
    recordSession(dir, journal);
    // Flip a byte inside the first frame checksum record.
    FILE* f = fopen(journal.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned char> bytes;
    for (int c; (c = fgetc(f)) != EOF;) bytes.push_back((unsigned char)c);
    size_t at = 4;
    // Walk the records to the first 'P'.
    while (at < bytes.size() && bytes[at] != 'P') {
        unsigned char tag = bytes[at];
        at += 1 + (tag == 'C' || tag == 'F' ? 8 : tag == 'E' ? 20 : tag == 'W' ? 1 : tag == 'S' ? 4 : 0);
    }
    ASSERT_LT(at + 3, bytes.size());
    fseek(f, (long)at + 3, SEEK_SET);
    fputc(bytes[at + 3] ^ 0x55, f);
    fclose(f);

    headlessReset();
    platformUse(headlessBackend());
    ASSERT_TRUE(journalReplay(journal.c_str()));
    gameMain(dir.base().c_str());
    EXPECT_EQ(journalFramesDiffering(), 1);
    journalClose();
}

TEST(Journal, TruncatedJournalEndsTheRunCleanly) {
    GameDir dir;
    std::string journal = dir.base() + "run.journal";
    recordSession(dir, journal);
    FILE* f = fopen(journal.c_str(), "rb");
    std::vector<char> head(300);
    size_t got = fread(head.data(), 1, head.size(), f);
    fclose(f);
    std::string cut = dir.base() + "cut.journal";
    f = fopen(cut.c_str(), "wb");
    fwrite(head.data(), 1, got, f);
    fclose(f);

    headlessReset();
    platformUse(headlessBackend());
    ASSERT_TRUE(journalReplay(cut.c_str()));
    EXPECT_EQ(gameMain(dir.base().c_str()), 0) << "runs out of input and closes";
    EXPECT_TRUE(journalExhausted());
    journalClose();
    EXPECT_FALSE(journalReplay((dir.base() + "missing").c_str()));
    EXPECT_FALSE(journalReplay(dir.data("").c_str())) << "a folder is no journal";
}

} // namespace
