#include "bake/level_set.h"
#include "world/levels.h"

namespace {

const double NONE = 0;

LevelPlan race(int n, const char* name, const char* text, int track, bool reverse, int opponents, int laps,
               int checkpoints, int par) {
    return {n, name, text, track, reverse, opponents, laps, checkpoints, par, 0, NONE};
}

LevelPlan stunt(int n, const char* name, const char* text, int track, bool reverse, int laps, int checkpoints,
                int par, int levelType, double corridor) {
    return {STUNT_LEVEL_BASE + n, name, text, track, reverse, 0, laps, checkpoints, par, levelType, corridor};
}

LevelPlan freeRide(int n, const char* name, const char* text, int track) {
    return {FREE_RIDE_LEVEL_BASE + n, name, text, track, false, 0, 0, 0, 0, 0, NONE};
}

std::vector<LevelPlan> makeLevels() {
    return {
        race(0, "Meadow Run", "A gentle loop over the meadows against three riders. Learn the line and the two humps.", 0, false, 3, 3, 4, 36),
        race(1, "Clover Loop", "The meadow loop the other way round, with four riders to pass.", 0, true, 4, 3, 5, 35),
        race(2, "Hillside Sprint", "Three laps of the meadows. Keep the throttle open over the whoops.", 0, false, 5, 3, 5, 36),
        race(3, "Green Mile", "Reverse meadow loop, three laps, five riders who know the way.", 0, true, 5, 3, 6, 35),
        race(4, "Dune Dash", "Out across the sand sea and back. The kickers throw you far.", 2, false, 6, 4, 5, 44),
        race(5, "Sand Sea", "The dune loop reversed: drop-offs where the kickers were.", 2, true, 7, 4, 6, 43),
        race(6, "Mirage", "Four laps of the dunes. The whoops on the way home punish a loose line.", 2, false, 8, 4, 6, 43),
        race(7, "Sirocco", "Reverse dunes, four laps, nine riders in the sand.", 2, true, 9, 4, 7, 42),
        race(8, "Red Rock Run", "Canyon floors between striped cliffs. Watch the rocky stretch.", 4, false, 10, 4, 6, 45),
        race(9, "Dry Gulch", "The canyon the other way, four laps against ten.", 4, true, 10, 4, 6, 42),
        race(10, "Mesa Loop", "Four laps under the mesas, eleven riders chasing.", 4, false, 11, 4, 7, 45),
        race(11, "Badlands", "Reverse canyon run. Drop in, stay low, hold on.", 4, true, 12, 4, 7, 42),
        race(12, "Pine Pass", "Through the pine woods under the peaks, thirteen riders on packed snow.", 6, false, 13, 5, 7, 52),
        race(13, "Frostbite", "The alpine loop reversed, five laps against fourteen.", 6, true, 14, 5, 7, 51),
        race(14, "Glacier Bowl", "Five fast laps of the snow bowl against fourteen.", 6, false, 14, 5, 8, 51),
        race(15, "Whiteout", "Five reverse laps in the snow. Only the brave keep pace.", 6, true, 15, 5, 8, 50),
        race(16, "Thunder Hills", "Big grassy hills, banked turns and a rock garden. Sixteen riders.", 1, false, 16, 5, 8, 42),
        race(17, "Shifting Sands", "Five laps over the high dunes, seventeen riders and a tabletop.", 3, false, 17, 5, 8, 40),
        race(18, "Canyon Fury", "Between the mesas at full speed, five laps against eighteen.", 5, true, 18, 5, 9, 45),
        race(19, "Summit Showdown", "Six laps on the steep snowfields against the whole field of nineteen.", 7, false, 19, 6, 9, 54),

        stunt(0, "First Jumps", "Two humps and a row of whoops. Stay on the wide track.", 0, false, 1, 4, 14, 0, 110),
        stunt(1, "Tabletop Trail", "Ride the meadow loop backwards over both tabletops.", 0, true, 1, 5, 13, 0, 105),
        stunt(2, "Berm Burner", "Kicker, whoops, a big tabletop and the rock garden.", 1, false, 1, 5, 10, 0, 100),
        stunt(3, "Whoop Alley", "Backwards round the hills: drop-offs and fast berms.", 1, true, 1, 6, 11, 0, 95),
        stunt(4, "Dune Hopper", "Launch off two dune kickers and skim the whoops.", 2, false, 1, 5, 12, 0, 95),
        stunt(5, "Dune Flags", "Collect every flag in the dunes, in any order you like.", 2, true, 1, 6, 10, 1, 90),
        stunt(6, "Sand Rider", "Kicker, rough sand, a high tabletop and whoops.", 3, false, 1, 6, 11, 0, 90),
        stunt(7, "Crest Jumper", "Two laps of the dune crests. Land straight or sink.", 3, true, 2, 6, 20, 0, 85),
        stunt(8, "Canyon Leap", "A tabletop on the canyon floor, then rocks and a kicker.", 4, false, 1, 6, 13, 0, 85),
        stunt(9, "Mesa Flags", "Hunt the flags on the canyon floor, any order.", 4, true, 1, 7, 11, 1, 80),
        stunt(10, "Gorge Runner", "Big kicker, rock garden and a tabletop between the mesas.", 5, false, 1, 7, 12, 0, 80),
        stunt(11, "Rock Garden", "Two laps of the gorge backwards. Drops, rocks, no mercy.", 5, true, 2, 7, 20, 0, 75),
        stunt(12, "Snow Hopper", "A snow tabletop and a kicker among the pines.", 6, false, 1, 7, 12, 0, 75),
        stunt(13, "Pine Flags", "Every flag of the alpine loop, any order, before the par.", 6, true, 1, 8, 11, 1, 70),
        stunt(14, "Avalanche", "Kicker, tabletop, rocks, kicker, whoops: steep and fast.", 7, false, 1, 8, 11, 0, 70),
        stunt(15, "Ice Berms", "Two laps of the snowfields backwards on a narrow track.", 7, true, 2, 8, 18, 0, 65),
        stunt(16, "Meadow Master", "Three laps of the hills on a knife-edge track.", 1, false, 3, 8, 24, 0, 60),
        stunt(17, "Desert Master", "Three laps over every dune jump. No room for error.", 3, false, 3, 8, 26, 0, 55),
        stunt(18, "Canyon Master", "Three laps of the gorge backwards, a track barely wider than the bike.", 5, true, 3, 9, 29, 0, 50),
        stunt(19, "Summit Master", "Three laps of the summit course. The last test.", 7, false, 3, 9, 28, 0, 45),

        freeRide(0, "Open Meadows", "Roam the green hills as you please.", 0),
        freeRide(1, "Endless Dunes", "Sand as far as the eye can see. Jump every crest.", 2),
        freeRide(2, "Canyon Country", "Explore the canyon floors and the foot of the mesas.", 4),
        freeRide(3, "Snowfields", "Carve through the pine woods under the peaks.", 6),
        freeRide(4, "Big Sky Hills", "Big hills, big air. No clock, no rivals.", 1),
    };
}

} // namespace

const std::vector<LevelPlan>& levelSet() {
    static const std::vector<LevelPlan> set = makeLevels();
    return set;
}
