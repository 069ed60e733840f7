#include "player/riders.h"
#include "player/highscores.h"
#include "player/savefile.h"
#include "shell/log.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

RiderTable riderTable;

static const char RIDERS_FILE[] = "riders.dat";
static const char DAMAGED_SUFFIX[] = ".bad";
static const int MAX_KEPT_FILES = 100;
static const int BIKE_COLOURS_AT = RIDER_CAPACITY * BESTS_PER_RIDER;
static const int BODY_COLOURS_AT = BIKE_COLOURS_AT + 2 * RIDER_CAPACITY;
static const int SLOTS_AT = BODY_COLOURS_AT + 2 * RIDER_CAPACITY;
static_assert(SLOTS_AT + RIDER_CAPACITY * RIDER_SLOT_BYTES == RIDERS_FILE_BYTES);

static char nameCopies[RIDER_CAPACITY][RIDER_NAME_MAX + 1];

static bool validIndex(int index) { return index >= 0 && index < RIDER_CAPACITY; }
static bool slotUsed(int index) { return riderTable.slots[index][0] != 0; }
static bool hasSelection() { return validIndex(riderTable.selected) && slotUsed(riderTable.selected); }

// Colours index the bike model's colour schemes; a damaged file must not
// reach past them.
static uint16_t checkedColour(int colour) {
    return colour >= 0 && colour <= RIDER_COLOUR_MAX ? (uint16_t)colour : 0;
}

void initRiders() {
    memset(&riderTable, 0, sizeof riderTable);
    riderTable.capacity = RIDER_CAPACITY;
    riderTable.levelsPerType = LEVELS_PER_TYPE;
    riderTable.selected = -1;
}

static void putColours(uint8_t* out, const uint16_t* colours) {
    for (int i = 0; i < RIDER_CAPACITY; i++) {
        out[2 * i] = (uint8_t)(colours[i] & 0xFF);
        out[2 * i + 1] = (uint8_t)(colours[i] >> 8);
    }
}

static void takeColours(uint16_t* colours, const uint8_t* in) {
    for (int i = 0; i < RIDER_CAPACITY; i++) colours[i] = checkedColour(in[2 * i] | in[2 * i + 1] << 8);
}

static bool unread;     // the last load found a file it could not use
static bool keptInPlace; // ... and could not move it aside either

// The next save would replace a damaged file; its bytes are kept beside it
// for whoever wants to recover them. When it cannot be moved, no save may
// replace it.
static void setAsideDamagedFile(const char* path) {
    char aside[600];
    snprintf(aside, sizeof aside, "%s%s", path, DAMAGED_SUFFIX);
    // An older damaged file already kept is not replaced either.
    for (int n = 1; n < MAX_KEPT_FILES && access(aside, F_OK) == 0; n++)
        snprintf(aside, sizeof aside, "%s%s.%d", path, DAMAGED_SUFFIX, n);
    unread = true;
    char text[1400];
    if (rename(path, aside) == 0) {
        snprintf(text, sizeof text, "[ERROR] The riders could not be read; the file is kept as %s\n", aside);
    } else {
        keptInPlace = true;
        snprintf(text, sizeof text, "[ERROR] The riders could not be read; %s is kept in place, never saved over\n", path);
    }
    log(text, LOG_TAG_ERROR);
    fputs(text, stderr);
}

bool ridersUnreadable() { return unread; }

// Only a whole file is trusted: a short, overlong or unreadable one is left
// alone, so a damaged file never mixes with the profiles in memory.
int loadRiders() {
    unread = keptInPlace = false;
    char path[512];
    if (!dataFilePath(path, sizeof path, RIDERS_FILE)) return 0;
    uint8_t file[RIDERS_FILE_BYTES + 1];
    long size = readSaveFile(path, file, sizeof file);
    if (size == SAVE_FILE_MISSING) return 0;
    if (size != RIDERS_FILE_BYTES) {
        setAsideDamagedFile(path);
        return 0;
    }
    // A best above any run's score can only come from damage; it would
    // open levels and ranks nobody earned.
    for (int i = 0; i < RIDER_CAPACITY; i++)
        for (int b = 0; b < BESTS_PER_RIDER; b++) {
            uint8_t best = file[i * BESTS_PER_RIDER + b];
            riderTable.bests[i][b] = best > MAX_BEST ? MAX_BEST : best;
        }
    takeColours(riderTable.bikeColours, file + BIKE_COLOURS_AT);
    takeColours(riderTable.bodyColours, file + BODY_COLOURS_AT);
    memcpy(riderTable.slots, file + SLOTS_AT, sizeof riderTable.slots);
    if (!hasSelection()) riderTable.selected = -1;
    return 1;
}

int saveRiders() {
    char path[512];
    if (keptInPlace || !dataFilePath(path, sizeof path, RIDERS_FILE)) return 0;
    uint8_t file[RIDERS_FILE_BYTES];
    memcpy(file, riderTable.bests, sizeof riderTable.bests);
    putColours(file + BIKE_COLOURS_AT, riderTable.bikeColours);
    putColours(file + BODY_COLOURS_AT, riderTable.bodyColours);
    memcpy(file + SLOTS_AT, riderTable.slots, sizeof riderTable.slots);
    return writeSaveFile(path, file, sizeof file) ? 1 : 0;
}

int profileCount() {
    int count = 0;
    for (int i = 0; i < RIDER_CAPACITY; i++) count += slotUsed(i);
    return count;
}

void selectRider(int index) {
    if (validIndex(index) && slotUsed(index)) riderTable.selected = index;
}

int selectedRider() { return riderTable.selected; }

const char* riderName(int index) {
    if (!validIndex(index)) return "";
    char* copy = nameCopies[index];
    memcpy(copy, riderTable.slots[index], RIDER_NAME_MAX);
    copy[RIDER_NAME_MAX] = 0;
    return copy;
}

int riderNumber(int index) {
    if (!validIndex(index)) return 0;
    return riderTable.slots[index][18] << 8 | riderTable.slots[index][19];
}

void setRiderNumber(int index, int number) {
    if (!validIndex(index)) return;
    riderTable.slots[index][18] = (uint8_t)((number >> 8) & 0xFF);
    riderTable.slots[index][19] = (uint8_t)(number & 0xFF);
}

int riderBikeColour() { return hasSelection() ? riderTable.bikeColours[riderTable.selected] : 0; }

int riderBodyColour() { return hasSelection() ? riderTable.bodyColours[riderTable.selected] : 0; }

bool riderAt(int index, Rider* out) {
    if (!validIndex(index) || !slotUsed(index)) return false;
    memcpy(out->name, riderName(index), sizeof out->name);
    out->number = riderNumber(index);
    out->bikeColour = riderTable.bikeColours[index];
    out->bodyColour = riderTable.bodyColours[index];
    memcpy(out->bests, riderTable.bests[index], sizeof out->bests);
    return true;
}

int bestIndex(int level) {
    if (level >= 0 && level < LEVELS_PER_TYPE) return level;
    if (level >= STUNT_LEVEL_BASE && level < STUNT_LEVEL_BASE + LEVELS_PER_TYPE)
        return level - STUNT_LEVEL_BASE + LEVELS_PER_TYPE;
    return -1;
}

int riderBest(int level) {
    int at = bestIndex(level);
    return hasSelection() && at >= 0 ? riderTable.bests[riderTable.selected][at] : 0;
}

static int sumBests(int index, int first, int count) {
    int sum = 0;
    for (int i = first; i < first + count; i++) sum += riderTable.bests[index][i];
    return sum;
}

int riderTotal(int type) {
    if (!hasSelection()) return 0;
    if (type == 0) return sumBests(riderTable.selected, 0, LEVELS_PER_TYPE);
    if (type == 1) return sumBests(riderTable.selected, LEVELS_PER_TYPE, LEVELS_PER_TYPE);
    if (type == 2) return sumBests(riderTable.selected, 0, BESTS_PER_RIDER);
    return 0;
}

int riderTotalOf(int index) { return validIndex(index) ? sumBests(index, 0, BESTS_PER_RIDER) : 0; }

int createRider(const char* name, int bodyColour, int bikeColour) {
    if (!name || !name[0]) return 0;
    int slot = 0;
    while (slot < RIDER_CAPACITY && slotUsed(slot)) slot++;
    if (slot == RIDER_CAPACITY) return 0;
    int highest = 0;
    for (int i = 0; i < RIDER_CAPACITY; i++)
        if (riderNumber(i) > highest) highest = riderNumber(i);
    // A deleted rider's entry stays in the high-score table under its number.
    for (int row = 0; row < HIGH_SCORE_ROWS; row++) {
        HighScoreEntry entry = highScoreEntry(row);
        if (!entry.empty && entry.number > highest) highest = entry.number;
    }
    memset(riderTable.slots[slot], 0, RIDER_SLOT_BYTES);
    memcpy(riderTable.slots[slot], name, strnlen(name, RIDER_NAME_MAX));
    setRiderNumber(slot, highest + 1);
    riderTable.bikeColours[slot] = checkedColour(bikeColour);
    riderTable.bodyColours[slot] = checkedColour(bodyColour);
    riderTable.selected = slot;
    // A new profile starts with no bests at all, whatever a damaged file
    // left in the empty slot.
    memset(riderTable.bests[slot], 0, BESTS_PER_RIDER);
    saveRiders();
    return 1;
}

int deleteSelectedRider() {
    if (!hasSelection()) return 0;
    int slot = riderTable.selected;
    memset(riderTable.bests[slot], 0, BESTS_PER_RIDER);
    memset(riderTable.slots[slot], 0, RIDER_SLOT_BYTES);
    riderTable.selected = -1;
    saveRiders();
    return 1;
}
