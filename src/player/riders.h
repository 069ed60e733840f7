// The five rider profiles and "riders.dat": names, numbers, colours and the
// best score of every race and stunt level. One profile is selected at a time.
#pragma once
#include "world/levels.h"

#include <cstdint>

const int RIDER_CAPACITY = 5;
const int BESTS_PER_RIDER = 2 * LEVELS_PER_TYPE;
const int RIDER_SLOT_BYTES = 20;
const int RIDER_NAME_MAX = 18;
const int RIDER_COLOUR_MAX = 8;
const int RIDERS_FILE_BYTES = 320;
const int MAX_BEST = 100; // no run scores more

struct RiderTable {
    int capacity;
    int levelsPerType;
    int selected; // -1 for none
    uint8_t bests[RIDER_CAPACITY][BESTS_PER_RIDER]; // race 0..19, then stunt 100..119
    uint16_t bikeColours[RIDER_CAPACITY];
    uint16_t bodyColours[RIDER_CAPACITY];
    // Name (up to 18 characters, then 0), with the profile's number over
    // bytes 18-19, high byte first. An empty slot starts with 0.
    uint8_t slots[RIDER_CAPACITY][RIDER_SLOT_BYTES];
};

// One profile, copied out of the table.
struct Rider {
    char name[RIDER_NAME_MAX + 1];
    int number;
    int bikeColour;
    int bodyColour;
    uint8_t bests[BESTS_PER_RIDER];
};

extern RiderTable riderTable;

void initRiders();
// 1 when a whole "riders.dat" was read; 0 (table unchanged) otherwise. A
// file that exists but is of the wrong size or cannot be read is renamed
// "riders.dat.bad", so that no save overwrites it (when it cannot be
// renamed, saves are refused instead), and the log says so.
int loadRiders();
// The last load found a riders file it could not read.
bool ridersUnreadable();
// 1 when "riders.dat" was replaced; 0 (old file kept) otherwise.
int saveRiders();

int profileCount();
void selectRider(int index);
int selectedRider();
// The slot's name, "" outside 0..4; stays valid until the next call for that index.
const char* riderName(int index);
int riderNumber(int index);
void setRiderNumber(int index, int number);
int riderBikeColour();
int riderBodyColour();
// False for an empty slot or an index outside 0..4.
bool riderAt(int index, Rider* out);

// Index into a profile's bests for a race or stunt level, -1 for any other level.
int bestIndex(int level);
int riderBest(int level);
// Sum of the selected profile's bests: type 0 race, 1 stunt, 2 both.
int riderTotal(int type);
int riderTotalOf(int index);

// Takes the lowest empty slot and selects it: 1, or 0 when the table is full
// or the name is empty. Its number is one above every number in use, the
// high-score table's included, so it never takes over a deleted rider's entry.
int createRider(const char* name, int bodyColour, int bikeColour);
// 1 when a profile was deleted (even if the file could not be written).
int deleteSelectedRider();
