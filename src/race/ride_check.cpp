#include "race/ride_check.h"
#include "race/race.h"
#include "race/runner.h"
#include "world/levels.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

// Measured ratios wobble with the seeds, and pars are whole seconds: a
// rise smaller than this plus one second's worth is not a looser par.
const double TIGHTEN_TOLERANCE = 0.03;

std::string format(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* f, ...) {
    char buffer[512];
    va_list args;
    va_start(args, f);
    vsnprintf(buffer, sizeof buffer, f, args);
    va_end(args);
    return buffer;
}

double seconds(uint32_t ticks) { return ticks / (double)RACE_TICKS_PER_SECOND; }

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<RunReport> rideSeeds(int level, int seeds, unsigned firstSeed, uint32_t ticks) {
    std::vector<RunReport> runs;
    for (int s = 0; s < seeds; s++) {
        runs.push_back(runRace(level, firstSeed + s, PLAYER_BOT, ticks));
        releaseRace();
    }
    return runs;
}

void judgeRace(RideResult* out, const std::vector<RunReport>& runs, int seeds) {
    const RunReport& first = runs[0];
    int allHome = 0;
    double longestStall = 0;
    std::vector<double> botTimes, botPlaces;
    for (const RunReport& run : runs) {
        bool home = true;
        for (size_t i = 0; i < run.report.size(); i++) {
            const RiderReport& r = run.report[i];
            if (i > 0 && !r.finished) home = false;
            longestStall = std::max(longestStall, seconds(r.longestStall));
        }
        allHome += home;
        if (run.report[0].finished) botTimes.push_back(seconds(run.report[0].finishTime));
        botPlaces.push_back(run.playerPlace + 1);
    }
    double slowest, computer = medianFinishSeconds(runs, &slowest);
    double bot = median(botTimes);
    out->parRatio = computer > 0 ? first.par / computer : 0;
    out->line = format("level %d: race, %d riders, %d laps, par %d s: all finished in %d/%d seeds; computer median "
                       "%.1f s, slowest %.1f s; bot %.1f s, place %.0f",
                       out->level, first.riders, first.laps, first.par, allHome, seeds, computer, slowest, bot,
                       median(botPlaces));
    std::vector<std::string> faults;
    if (allHome < seeds) faults.push_back("a computer rider did not finish");
    if (longestStall >= MAX_STALL_SECONDS) faults.push_back(format("a rider went %.1f s without progress", longestStall));
    if (slowest > SLOWEST_PAR_FACTOR * first.par) faults.push_back("the slowest rider took over twice par");
    if (out->parRatio < RACE_PAR_LOW || out->parRatio > RACE_PAR_HIGH)
        faults.push_back(format("par is %.2f times the computer's median", out->parRatio));
    for (const std::string& f : faults) out->line += "; FAULT: " + f;
    out->sound = faults.empty();
}

void judgeStunt(RideResult* out, const std::vector<RunReport>& runs, int seeds) {
    const RunReport& first = runs[0];
    int clean = 0;
    std::vector<double> times;
    for (const RunReport& run : runs) {
        const RiderReport& bot = run.report[0];
        bool ok = bot.finished && !bot.touchedKeepout && seconds(bot.finishTime) <= first.par;
        clean += ok;
        if (bot.finished) times.push_back(seconds(bot.finishTime));
    }
    bool keptOff = std::none_of(runs.begin(), runs.end(), [](const RunReport& r) { return r.report[0].touchedKeepout; });
    double bot = median(times);
    out->parRatio = bot > 0 ? first.par / bot : 0;
    out->line = format("level %d: stunt, %d laps, par %d s: bot %.1f s in %d/%d seeds, %s", out->level, first.laps,
                       first.par, bot, clean, seeds, keptOff ? "never on keep-out" : "on keep-out");
    std::vector<std::string> faults;
    if (clean < seeds) faults.push_back("the bot did not complete every run within par off keep-out ground");
    if (bot > 0 && out->parRatio > STUNT_PAR_HIGH) faults.push_back(format("par is %.2f times the bot's time", out->parRatio));
    for (const std::string& f : faults) out->line += "; FAULT: " + f;
    out->sound = faults.empty();
}

void judgeFreeRide(RideResult* out, const std::vector<RunReport>& runs, int seeds) {
    int loop = 0, respawns = 0;
    for (const RunReport& run : runs) {
        loop = std::max(loop, run.report[0].longestRespawnLoop);
        respawns += run.report[0].respawns;
    }
    out->line = format("level %d: free ride: bot rode %.0f s in %d seeds, %d respawns, longest respawn loop %d",
                       out->level, FREE_RIDE_SECONDS, seeds, respawns, loop);
    out->sound = loop <= MAX_RESPAWN_LOOP;
    if (!out->sound) out->line += "; FAULT: a respawn loop";
}

} // namespace

RideResult rideCheckLevel(int level, int seeds, unsigned firstSeed) {
    RideResult out{level, false, 0, 0, ""};
    if (!isLevelNumber(level) || !loadRunnerLevel(level)) {
        out.line = format("level %d: FAULT: no such level", level);
        return out;
    }
    bool freeRide = levelGameType(level) == GAME_FREE_RIDE;
    uint32_t ticks = freeRide ? (uint32_t)(FREE_RIDE_SECONDS * RACE_TICKS_PER_SECOND) : RUN_TICK_LIMIT;
    std::vector<RunReport> runs = rideSeeds(level, std::max(1, seeds), firstSeed, ticks);
    if (!runs[0].raced) {
        out.line = format("level %d: FAULT: cannot be raced: %s", level, runs[0].problem ? runs[0].problem : "?");
        return out;
    }
    out.par = runs[0].par;
    if (levelGameType(level) == GAME_RACE) judgeRace(&out, runs, (int)runs.size());
    else if (levelGameType(level) == GAME_STUNT) judgeStunt(&out, runs, (int)runs.size());
    else judgeFreeRide(&out, runs, (int)runs.size());
    return out;
}

bool parsTighten(const std::vector<RideResult>& results, std::vector<std::string>* problems) {
    std::vector<RideResult> sorted = results;
    std::sort(sorted.begin(), sorted.end(), [](const RideResult& a, const RideResult& b) { return a.level < b.level; });
    bool tight = true;
    for (size_t i = 0; i < sorted.size(); i++) {
        for (size_t j = 0; j < i; j++) {
            const RideResult &easy = sorted[j], &hard = sorted[i];
            if (levelGameType(easy.level) != levelGameType(hard.level) || easy.parRatio <= 0 || hard.parRatio <= 0) continue;
            if (hard.parRatio > easy.parRatio + TIGHTEN_TOLERANCE + 1.0 / std::max(1, hard.par)) {
                problems->push_back(format("level %d: par is looser (%.2f) than level %d's (%.2f)", hard.level,
                                           hard.parRatio, easy.level, easy.parRatio));
                tight = false;
                break;
            }
        }
    }
    return tight;
}
