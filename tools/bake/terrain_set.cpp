#include "bake/terrain_set.h"

namespace {

// Every course climbs north up a straight through the middle of the world,
// where the start lines are; the rest of the loop keeps clear of the row
// across it that a full starting grid spreads along. Feature positions are
// in control points (index + fraction of the way to the next).
std::vector<TerrainPlan> makeTerrains() {
    std::vector<TerrainPlan> set;
    // 0: a gentle loop over the whole meadow, east then back along the
    // north with a bend in towards the middle.
    set.push_back({0, LOOK_GRASSLAND, 11, 0.8,
                   {{{1024, 1560}, {1024, 1150}, {1250, 900}, {1550, 800}, {1780, 600}, {1700, 330}, {1400, 250},
                     {1100, 420}, {800, 300}, {500, 250}, {280, 450}, {250, 850}, {300, 1250}, {420, 1600},
                     {650, 1830}, {900, 1830}},
                    90, 0.10, 0.35,
                    {{FEATURE_TABLETOP, 2.4, 120, 10}, {FEATURE_WHOOPS, 8.3, 220, 3}, {FEATURE_TABLETOP, 11.4, 110, 9}}}, SCENERY_SPRING_MEADOW});
    // 1: rolling hills east of the start, with a long back straight.
    set.push_back({1, LOOK_GRASSLAND, 23, 1.25,
                   {{{1024, 1680}, {1024, 1180}, {1060, 820}, {1200, 540}, {1480, 390}, {1760, 480}, {1880, 800},
                     {1885, 1250}, {1870, 1620}, {1700, 1840}, {1400, 1890}, {1150, 1840}},
                    92, 0.14, 0.3,
                    {{FEATURE_KICKER, 1.2, 80, 10}, {FEATURE_WHOOPS, 3.3, 200, 4}, {FEATURE_TABLETOP, 6.5, 150, 9},
                     {FEATURE_ROCKS, 7.4, 180, 5}, {FEATURE_KICKER, 10.2, 70, 10}}}, SCENERY_SUMMER_HILLS});
    // 2: over the dunes in a wide loop round the north.
    set.push_back({2, LOOK_DUNES, 37, 1.0,
                   {{{1024, 1650}, {1024, 1150}, {1130, 850}, {1400, 650}, {1680, 430}, {1500, 250}, {1050, 220},
                     {620, 280}, {360, 460}, {300, 800}, {380, 1150}, {380, 1500}, {560, 1790}, {850, 1860}},
                    94, 0.12, 0.3,
                    {{FEATURE_KICKER, 1.3, 90, 10}, {FEATURE_TABLETOP, 6.3, 140, 10}, {FEATURE_WHOOPS, 9.2, 240, 4},
                     {FEATURE_KICKER, 10.4, 80, 9}}}, SCENERY_GOLDEN_DUNES});
    // 3: a dune run east of the start, crests crossing the course.
    set.push_back({3, LOOK_DUNES, 41, 1.3,
                   {{{1024, 1700}, {1024, 1200}, {1150, 900}, {1350, 700}, {1500, 450}, {1750, 300}, {1880, 600},
                     {1860, 1000}, {1885, 1400}, {1800, 1750}, {1500, 1880}, {1200, 1880}},
                    90, 0.16, 0.3,
                    {{FEATURE_KICKER, 1.2, 90, 9}, {FEATURE_ROCKS, 2.4, 160, 4}, {FEATURE_TABLETOP, 6.3, 140, 10},
                     {FEATURE_WHOOPS, 7.3, 200, 4}, {FEATURE_KICKER, 9.6, 80, 10}}}, SCENERY_RED_DUNES});
    // 4: along the canyon floors round the whole world, out west and home
    // down the east side.
    set.push_back({4, LOOK_CANYON, 53, 1.0,
                   {{{1024, 1700}, {1024, 1250}, {930, 980}, {700, 800}, {400, 600}, {420, 300}, {800, 250},
                     {1150, 350}, {1450, 300}, {1750, 450}, {1820, 800}, {1760, 1150}, {1740, 1500}, {1580, 1780},
                     {1250, 1880}},
                    88, 0.14, 0.35,
                    {{FEATURE_TABLETOP, 2.5, 120, 10}, {FEATURE_ROCKS, 6.4, 200, 5}, {FEATURE_KICKER, 9.4, 80, 10},
                     {FEATURE_WHOOPS, 12.3, 180, 4}}}, SCENERY_RED_CANYON});
    // 5: between the mesas east of the start.
    set.push_back({5, LOOK_CANYON, 67, 1.2,
                   {{{1024, 1700}, {1024, 1200}, {1100, 850}, {1300, 600}, {1250, 330}, {1550, 250}, {1850, 450},
                     {1780, 800}, {1880, 1150}, {1880, 1550}, {1700, 1850}, {1350, 1880}, {1150, 1820}},
                    86, 0.18, 0.3,
                    {{FEATURE_KICKER, 1.3, 90, 10}, {FEATURE_ROCKS, 3.2, 180, 6}, {FEATURE_TABLETOP, 8.2, 150, 10},
                     {FEATURE_KICKER, 9.4, 80, 10}, {FEATURE_WHOOPS, 11.1, 160, 4}}}, SCENERY_BADLANDS});
    // 6: an alpine loop round the north under the peaks.
    set.push_back({6, LOOK_SNOW, 79, 1.0,
                   {{{1024, 1650}, {1024, 1150}, {1200, 850}, {1500, 700}, {1750, 500}, {1600, 250}, {1150, 260},
                     {700, 300}, {400, 500}, {250, 850}, {230, 1250}, {300, 1600}, {500, 1850}, {850, 1850}},
                    92, 0.16, 0.3,
                    {{FEATURE_TABLETOP, 1.4, 130, 10}, {FEATURE_KICKER, 6.4, 80, 10}, {FEATURE_WHOOPS, 9.3, 200, 4},
                     {FEATURE_ROCKS, 11.2, 160, 5}}}, SCENERY_PINE_ALPS});
    // 7: steep snowfields east of the start.
    set.push_back({7, LOOK_SNOW, 83, 1.3,
                   {{{1024, 1700}, {1024, 1200}, {1120, 900}, {1330, 720}, {1400, 420}, {1700, 280}, {1880, 550},
                     {1780, 900}, {1885, 1250}, {1880, 1600}, {1650, 1860}, {1300, 1880}, {1120, 1830}},
                    88, 0.2, 0.3,
                    {{FEATURE_KICKER, 1.2, 90, 11}, {FEATURE_TABLETOP, 3.3, 140, 9}, {FEATURE_ROCKS, 5.3, 180, 6},
                     {FEATURE_KICKER, 8.3, 80, 10}, {FEATURE_WHOOPS, 9.4, 200, 5}}}, SCENERY_GLACIER});
    return set;
}

} // namespace

const std::vector<TerrainPlan>& terrainSet() {
    static const std::vector<TerrainPlan> set = makeTerrains();
    return set;
}

const TerrainPlan* findTerrain(int number) {
    for (const TerrainPlan& t : terrainSet())
        if (t.number == number) return &t;
    return nullptr;
}
