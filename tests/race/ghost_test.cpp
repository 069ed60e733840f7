// The ghost file: what a recording encodes to decodes back frame for
// frame, and a truncated, bit-flipped, foreign or other level's file is
// refused with its reason.
#include "race/ghost.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

TEST(GhostFile, DamagedOrForeignFilesAreRefused) {
    RaceRider r{};
    beginGhostRecording();
    for (int i = 0; i < 50; i++) {
        r.x = (100 + i) << 10, r.y = (2000 - i) << 10, r.z = -i << 10;
        r.heading = (i * 37 % 400) << 10, r.spin = -i << 10, r.lean = i - 25, r.pitch = 300 - i, r.crashed = i % 3;
        recordGhostTick(&r);
    }
    ASSERT_EQ(recordedGhostTicks(), 50);
    std::vector<uint8_t> good(ghostFileSize(50));
    encodeGhost(7, good.data());
    const char* why = nullptr;
    ASSERT_TRUE(decodeGhost(good.data(), (long)good.size(), 7, &why));
    ASSERT_EQ(ghostTicks(), 50);
    for (int i = 0; i < 50; i++) EXPECT_EQ(0, memcmp(ghostFrameAt(i), recordedGhostFrame(i), sizeof(GhostFrame)));
    EXPECT_EQ(ghostFrameAt(3)->heading, 3 * 37 % 400 % 360);
    EXPECT_EQ(ghostFrameAt(49)->pitch, 127) << "pitch kept within its byte";
    EXPECT_EQ(ghostFrameAt(50), nullptr) << "past the finish there is no ghost";

    struct Case { const char* name; long size; int flipAt; int level; const char* why; };
    const Case cases[] = {
        {"truncated frames", (long)good.size() - 1, -1, 7, "wrong length"},
        {"truncated header", 12, -1, 7, "too short"},
        {"bit flipped in a frame", (long)good.size(), 40, 7, "checksum mismatch"},
        {"bit flipped in the tick count", (long)good.size(), 12, 7, "wrong length"},
        {"not a ghost", (long)good.size(), 0, 7, "not a ghost file"},
        {"another level's", (long)good.size(), -1, 8, "of another level"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        if (c.flipAt >= 0) bytes[c.flipAt] ^= 0x10;
        EXPECT_FALSE(decodeGhost(bytes.data(), c.size, c.level, &why)) << c.name;
        EXPECT_STREQ(why, c.why) << c.name;
        EXPECT_EQ(ghostTicks(), 0) << c.name << ": nothing of it rides";
    }
}
