// Level numbers: game type × 100 + index within the type. Race levels are
// 0..19, stunt levels 100..119 and free-ride levels 200..204.
#pragma once

const int GAME_RACE = 0;
const int GAME_STUNT = 1;
const int GAME_FREE_RIDE = 2;
const int GAME_TYPE_COUNT = 3;

const int LEVELS_PER_TYPE = 20; // race and stunt
const int RACE_LEVELS = LEVELS_PER_TYPE;
const int STUNT_LEVELS = LEVELS_PER_TYPE;
const int FREE_RIDE_LEVELS = 5;
const int LEVEL_TYPE_STEP = 100; // level numbers of one type start at type × 100
const int STUNT_LEVEL_BASE = GAME_STUNT * LEVEL_TYPE_STEP;
const int FREE_RIDE_LEVEL_BASE = GAME_FREE_RIDE * LEVEL_TYPE_STEP;
const int LAST_STUNT_LEVEL = STUNT_LEVEL_BASE + STUNT_LEVELS - 1;
// The highest number a level file may carry: the editor reaches them all,
// the menus only the levels below.
const int HIGHEST_LEVEL_NUMBER = GAME_TYPE_COUNT * LEVEL_TYPE_STEP - 1;

// Race below 100, stunt below 200, free ride from 200 on.
inline int levelGameType(int level) {
    if (level < STUNT_LEVEL_BASE) return GAME_RACE;
    return level < FREE_RIDE_LEVEL_BASE ? GAME_STUNT : GAME_FREE_RIDE;
}
inline int levelIndex(int level) { return level - levelGameType(level) * LEVEL_TYPE_STEP; }
inline int levelNumber(int gameType, int index) { return gameType * LEVEL_TYPE_STEP + index; }
// How many levels a game type has.
inline int levelsOfType(int gameType) { return gameType == GAME_FREE_RIDE ? FREE_RIDE_LEVELS : LEVELS_PER_TYPE; }
// Whether a number names one of the game's levels.
inline bool isLevelNumber(int level) {
    return level >= 0 && level < GAME_TYPE_COUNT * LEVEL_TYPE_STEP && levelIndex(level) < levelsOfType(levelGameType(level));
}
// The start button's word by game type: "Race!", "Go!", "Ride!".
inline const char* startWord(int gameType) {
    static const char* const words[GAME_TYPE_COUNT] = {"Race!", "Go!", "Ride!"};
    return gameType >= 0 && gameType < GAME_TYPE_COUNT ? words[gameType] : words[GAME_RACE];
}
// "Race", "Stunt" or "Free ride".
inline const char* levelTypeName(int level) {
    static const char* const names[GAME_TYPE_COUNT] = {"Race", "Stunt", "Free ride"};
    return names[levelGameType(level)];
}
