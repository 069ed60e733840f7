// Riders on a synthetic terrain: a height model from a height function and
// nothing else, the level values set by hand, the riders placed by the test.
#pragma once
#include "../world/track_fixture.h"
#include "race/race.h"
#include "shell/modes.h"

#include <gtest/gtest.h>

struct RaceTest : ::testing::Test {
    void SetUp() override {
        buildTrigTables();
        seedRandom(7);
        releaseTrack(&track);
        useGround([](int, int) { return 20; });
        raceLevel = RaceLevel{0, 3, 0, 60, 0, 2};
        gameType = GAME_RACE;
        racePhase = PHASE_RUNNING;
        raceClock = 0;
        frameCount = 0;
    }
    void TearDown() override {
        releaseRace();
        releaseTrack(&track);
    }
    void useGround(const HeightField& field) {
        destroySurface(&track.heightModel);
        track.heightModel = makeHeightModel(field);
    }
    // A rider standing at whole units (x, y), heading `heading` degrees.
    RaceRider* addRider(int x, int y, int heading = 0) {
        RaceRider* r = raceRiders[riderCount++] = initRider();
        r->heading = heading * FIXED_ONE;
        r->speed = 0;
        placeRider(r, x, y);
        return r;
    }
};
