#include "race/control.h"
#include "race/get_ready.h"
#include "race_fixture.h"
#include "shell/keys.h"

typedef RaceTest RiderTest;

TEST_F(RiderTest, WallsBounceFromJustInsideThemAndTurnTheBikeAway) {
    struct Case {
        int32_t x, y;     // 1/1024 units, standing still
        int heading;      // degrees
        bool bounces;
        int32_t x2, y2;   // after the step, units
        int heading2;
    } cases[] = {
        {8 * 1024, 500 * 1024, 300, false, 8, 500, 300},
        {8 * 1024 - 1, 500 * 1024, 300, true, 12, 500, 30},  // x wall, above 270: +90
        {8 * 1024 - 1, 500 * 1024, 100, true, 12, 500, 10},  // below: -90
        {500 * 1024, 8 * 1024 - 1, 200, true, 500, 12, 290}, // y wall, above 180: +90
        {500 * 1024, 2040 * 1024 - 1, 90, false, 500, 2039, 90},
        {500 * 1024, 2040 * 1024, 90, true, 500, 2036, 0},
        {2040 * 1024, 500 * 1024, 45, true, 2036, 500, 315}, // -90 wraps round
    };
    for (const Case& c : cases) {
        RaceRider* r = addRider(500, 500);
        r->x = c.x;
        r->y = c.y;
        r->heading = c.heading * FIXED_ONE;
        r->z += 50 * FIXED_ONE; // in the air: at rest on the ground it would respawn at once
        stepRider(r);
        EXPECT_EQ(r->crashed, c.bounces) << c.x << "," << c.y;
        EXPECT_EQ(wholeUnits(r->x), c.x2);
        EXPECT_EQ(wholeUnits(r->y), c.y2);
        EXPECT_EQ(headingDegrees(r), c.heading2) << c.x << "," << c.y;
        releaseRace();
    }
}

TEST_F(RiderTest, LandingLaunchIsCappedAtFourUnitsAndAirborneStartsAboveTen) {
    RaceRider* r = addRider(1000, 1000);
    // Sunk 10 units below a ground it came up from: (vz + g - prevZ) / 2.
    for (int32_t rise : {10 * 1024, 9 * 1024 + 1000}) {
        r->z = r->prevZ = (20 * 1024) - rise;
        r->vz = 0;
        stepRider(r);
        EXPECT_EQ(r->vz, rise >= 10 * 1024 ? 4 * 1024 : rise / 2) << rise;
    }
    for (int above : {10, 11}) {
        r->z = r->prevZ = (20 + above) * 1024 + 200;
        r->vz = 85; // added before gravity: z ends 10 or 11 units up
        stepRider(r);
        EXPECT_EQ(r->airborne, above == 11) << above;
    }
}

TEST_F(RiderTest, ACrashAtRestGetsUpWhereItLiesButRespawnsNearAnEdge) {
    RaceRider* middle = addRider(1000, 1000);
    RaceRider* edge = addRider(1000, 1000);
    edge->x = 99 * 1024;
    for (RaceRider* r : {middle, edge}) crashRider(r);
    int ticks = 0;
    while (middle->crashed && ticks < 200) {
        stepRider(middle);
        ticks++;
    }
    EXPECT_FALSE(middle->crashed);
    EXPECT_GE(ticks, 50);
    EXPECT_LE(ticks, 101);
    EXPECT_EQ(wholeUnits(middle->x), 1000);
    stepRider(edge);
    EXPECT_FALSE(edge->crashed);
    EXPECT_EQ(edge->respawnTimer, RESPAWN_FREEZE);
    EXPECT_EQ(wholeUnits(edge->x), 1000); // its last safe spot: where it was placed
    EXPECT_EQ(edge->z, 21 * 1024);
    for (int i = 0; i < RESPAWN_FREEZE; i++) stepRider(edge);
    EXPECT_EQ(edge->respawnTimer, 0);
}

TEST_F(RiderTest, PlayerThrottleLeanAndFall) {
    RaceRider* r = addRider(1000, 1000);
    releaseControls();
    raceControls.accelerate = true;
    for (raceClock = 1; raceClock <= 8 * 40; raceClock++) applyPlayerControl(r);
    EXPECT_EQ(r->speed, TOP_SPEED);
    // Nothing held: the lean centres by 3, then beyond 70 the rider falls.
    releaseControls();
    for (int lean : {73, -73, 74, -74}) {
        r->crashed = 0;
        r->lean = lean;
        applyPlayerControl(r);
        EXPECT_EQ(r->crashed, std::abs(lean) == 74) << lean;
    }
}

// The controller's stick steers as the held pointer does: for each screen
// direction from the bike the same target heading and the same lean over a
// few ticks, however far the stick leans. At rest it leaves the keys'
// leaning as it was.
TEST_F(RiderTest, TheStickSteersTowardTheScreenDirectionTheHeldPointerWould) {
    setDefaultBindings();
    RaceRider* r = addRider(1000, 1000, 30);
    int sx, sy;
    toScreen(&track, 1000, 1000, groundUnder(r), &sx, &sy);
    struct Ride {
        int target, lean;
    };
    auto ride = [&](const InputEvent& e) {
        releaseControls();
        r->heading = 30 * FIXED_ONE;
        r->lean = 0;
        r->crashed = 0;
        raceInput(e);
        for (raceClock = 1; raceClock <= 6; raceClock++) applyPlayerControl(r);
        return Ride{r->targetHeading, r->lean};
    };
    const int directions[][2] = {{100, 0}, {0, -100}, {-70, 40}, {30, 90}, {-5, -100}, {60, -60}};
    for (auto& d : directions) {
        Ride pointer = ride({INPUT_BUTTON_DOWN, 0, 0, sx + d[0], sy + d[1]});
        for (int scale : {80, 300}) {
            Ride stick = ride({INPUT_STICK, 0, 0, d[0] * scale, d[1] * scale});
            EXPECT_EQ(stick.target, pointer.target) << d[0] << "," << d[1] << " x" << scale;
            EXPECT_EQ(stick.lean, pointer.lean) << d[0] << "," << d[1] << " x" << scale;
        }
    }
    Ride byStick = ride({INPUT_STICK, 0, 0, 0, 30000});
    EXPECT_NE(byStick.lean, 0) << "a stick pointing down the screen turns a bike heading 30 degrees";

    auto leanByKeys = [&](bool stickAtRest) {
        releaseControls();
        r->lean = 0;
        if (stickAtRest) raceInput({INPUT_STICK, 0, 0, 0, 0});
        raceInput({INPUT_KEY_DOWN, keyBindings[BIND_LEFT], 0, 0, 0});
        for (raceClock = 1; raceClock <= 16; raceClock++) applyPlayerControl(r);
        return r->lean;
    };
    int keysAlone = leanByKeys(false);
    EXPECT_GT(keysAlone, 0);
    EXPECT_EQ(leanByKeys(true), keysAlone);
}
