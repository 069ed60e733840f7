#include "player/scores.h"
#include "player/riders.h"

static const char* const RANK_NAMES[RANK_COUNT] = {
    "Rookie",
    "Weekend Warrior",
    "District Amatuer",
    "District Intermediate",
    "District Pro",
    "Regional Amatuer",
    "Regional Intermediate",
    "Regional Pro",
    "National Amatuer",
    "National Intermediate",
    "National Pro",
    "International Amatuer",
    "International Intermediate",
    "International Pro",
    "Superstar!",
    "International Superstar!",
    "Immortalized",
    "Legend",
};

// Upper bounds of the halved career total for ranks 0..14; rank 15 has no
// range of its own, so 16 follows 14 directly.
static const int RANK_LIMITS[] = {150, 310, 480, 640, 780, 910, 1050, 1190,
                                  1320, 1470, 1660, 1720, 1780, 1840, 1940};
static const int IMMORTAL_LIMIT = 1980;
static const int RANK_IMMORTAL = 16;
static const int RANK_LEGEND = 17;

void storeBest(int score, int level) {
    int at = bestIndex(level);
    int rider = selectedRider();
    if (at < 0 || rider < 0 || riderName(rider)[0] == 0) return;
    if (score < 0) score = 0;
    if (score > 255) score = 255;
    riderTable.bests[rider][at] = (uint8_t)score;
    saveRiders();
}

int levelThreshold(int k) { return 2 * k * (k + 30); }

static int bestOf(int index, int at) {
    return index >= 0 && index < RIDER_CAPACITY ? riderTable.bests[index][at] : 0;
}

int openLevelCount(int gameType, int index) {
    if (gameType == GAME_FREE_RIDE) {
        int open = 1 + (riderTotalOf(index) - 1) / FREE_RIDE_STEP;
        if (open < 1) open = 1;
        return open > FREE_RIDE_LEVELS ? FREE_RIDE_LEVELS : open;
    }
    if (gameType != GAME_RACE && gameType != GAME_STUNT) return 0;
    int first = gameType == GAME_STUNT ? LEVELS_PER_TYPE : 0;
    int sum = 0;
    for (int k = 1; k < LEVELS_PER_TYPE; k++) {
        sum += bestOf(index, first + k - 1);
        if (sum < levelThreshold(k)) return k;
    }
    return LEVELS_PER_TYPE;
}

bool isLevelOpen(int gameType, int level, int index) {
    return level >= 0 && level < openLevelCount(gameType, index);
}

int unlockedCount(int typeTotal) {
    for (int c = 1; c <= LEVELS_PER_TYPE; c++)
        if (typeTotal < levelThreshold(c)) return c;
    return LEVELS_PER_TYPE;
}

int rankOf(int careerTotal) {
    int h = careerTotal / 2;
    for (int rank = 0; rank < (int)(sizeof RANK_LIMITS / sizeof RANK_LIMITS[0]); rank++)
        if (h <= RANK_LIMITS[rank]) return rank;
    return h <= IMMORTAL_LIMIT ? RANK_IMMORTAL : RANK_LEGEND;
}

const char* rankName(int rank) {
    if (rank == RANK_COUNT) return RANK_NAMES[RANK_LEGEND];
    if (rank < 1 || rank >= RANK_COUNT) return RANK_NAMES[0];
    return RANK_NAMES[rank];
}
