// The ride check: every level ridden by the computer over several seeds,
// judged against the bar a fair level keeps. Race levels: every computer
// rider finishes, nobody stalls, the slowest is home within twice par, par
// sits between 0.9 and 1.3 times the computer's median. Stunt levels: the
// bot completes every lap within par without touching keep-out ground, and
// par is at most 1.25 times its time. Free ride: three minutes without a
// respawn loop.
#pragma once
#include <string>
#include <vector>

const int DEFAULT_RIDE_SEEDS = 5;
const double MAX_STALL_SECONDS = 20;
const double SLOWEST_PAR_FACTOR = 2.0;
const double RACE_PAR_LOW = 0.9;   // par / computer median
const double RACE_PAR_HIGH = 1.3;
const double STUNT_PAR_HIGH = 1.25; // par / bot time
const double FREE_RIDE_SECONDS = 180;
const int MAX_RESPAWN_LOOP = 5;

struct RideResult {
    int level;
    bool sound;        // meets the bar
    int par;           // seconds
    double parRatio;   // par over the computer's median (race) or the bot's time (stunt); 0 otherwise
    std::string line;  // what levelcheck --ride prints
};

// Rides level N in dataFolder with seeds 1..seeds (offset by `firstSeed`).
RideResult rideCheckLevel(int level, int seeds, unsigned firstSeed = 1);
// Pars must tighten with the level number within each game type: false,
// with a message per level whose ratio rose above an easier level's, when
// they do not.
bool parsTighten(const std::vector<RideResult>& results, std::vector<std::string>* problems);
