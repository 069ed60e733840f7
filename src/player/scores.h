// Progress from a profile's bests: storing a best, which levels are open,
// how many a total unlocks, and the career rank.
#pragma once
#include "world/levels.h"


const int FREE_RIDE_STEP = 400;
const int RANK_COUNT = 18;

// The selected profile's best for a race or stunt level becomes `score`
// (the caller stores only a higher one) and the riders file is rewritten.
void storeBest(int score, int level);
// The type total needed to open level k (1..20) of race or stunt: 2k(k + 30).
int levelThreshold(int k);
// How many levels of the game type, counted from level 0, profile `index`
// has open (1..20 for race and stunt, 1..5 for free ride).
int openLevelCount(int gameType, int index);
bool isLevelOpen(int gameType, int level, int index);
// The smallest c in 1..20 whose threshold the type total is below, or 20.
int unlockedCount(int typeTotal);
int rankOf(int careerTotal);
const char* rankName(int rank);
