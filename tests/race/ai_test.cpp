#include "race/ai.h"
#include "race_fixture.h"
#include "../world/world_support.h"

typedef RaceTest AiTest;

namespace {

// Paths of four nodes round a square, in layout units.
void squarePaths(int count) {
    raceLayout = createLayout();
    for (int i = 0; i < count; i++)
        raceLayout->racePaths[raceLayout->racePathCount++] =
            makePolygon({{100, 100 + i}, {300, 100 + i}, {300, 300 + i}, {100, 300 + i}});
}

} // namespace

TEST_F(AiTest, SteersAnEighthOfTheShortWayRound) {
    squarePaths(1);
    // From node 0, node 1 lies 10 degrees clockwise of north.
    raceLayout->racePaths[0]->vertices[1] = {118, 0};
    RaceRider* r = addRider(400, 400, 350);
    steerAiRider(r);
    EXPECT_EQ(r->targetHeading % 360, 10);
    EXPECT_EQ(r->heading, 350 * 1024 + 20 * 128); // +2.5 degrees, not -42.5
}

TEST_F(AiTest, NodesAdvanceAcrossTheWrapAndNodeZeroPicksAPath) {
    squarePaths(3);
    RaceRider* r = addRider(1200, 1200);
    r->aiPath = 0;
    struct Step {
        int x, y;      // world units near a node
        int node, next;
    } steps[] = {{1200, 1200, 2, 3}, {400, 1200, 3, 0}, {400, 400, 0, 1}, {1200, 400, 1, 2}};
    r->aiNode = 1;
    bool switched = false;
    for (int lap = 0; lap < 8; lap++)
        for (const Step& s : steps) {
            r->x = s.x * 1024;
            r->y = s.y * 1024;
            int path = r->aiPath;
            steerAiRider(r);
            EXPECT_EQ(r->aiNode, s.node);
            EXPECT_EQ(r->aiNextNode, s.next);
            if (s.node != 0) EXPECT_EQ(r->aiPath, path);
            else switched |= r->aiPath != path;
        }
    EXPECT_TRUE(switched);
}

TEST_F(AiTest, ThrottlesOnlyOnTheGroundAndAfterTheStagger) {
    squarePaths(1);
    RaceRider* ground = addRider(1200, 1200);
    RaceRider* air = addRider(1200, 1200);
    air->z += 5 * 1024;
    for (raceClock = AI_STAGGER_TICKS; raceClock < AI_STAGGER_TICKS + 4 * 40; raceClock++) {
        steerAiRider(ground);
        steerAiRider(air);
    }
    EXPECT_EQ(ground->speed, TOP_SPEED);
    EXPECT_EQ(air->speed, 0);
    // A layout without a usable path: the rider still throttles, capped.
    releaseRace();
    raceLayout = createLayout();
    raceLayout->racePaths[raceLayout->racePathCount++] = makePolygon({{10, 10}});
    RaceRider* lost = addRider(1200, 1200);
    for (int i = 0; i < 400; i++, raceClock++) steerAiRider(lost);
    EXPECT_EQ(lost->speed, TOP_SPEED);
}
