#include "world/description.h"
#include "shell/log.h"
#include "shell/loop.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

LevelDescription levelDescription;

namespace {

const int MAX_RECORD_CHARS = 1000; // further characters of a record are dropped
const int MAX_RECORD_FIELDS = 50;  // further fields are dropped

struct LevelRecord {
    int fieldCount;
    std::string fields[MAX_RECORD_FIELDS];
};

FILE* openDescription(int level) {
    char path[300];
    snprintf(path, sizeof path, "%slevel%d.txt", dataFolder, level);
    return fopen(path, "r");
}

// Reads as the text mode of the files' home system does: CR LF is one line
// break, so files written with either line ending read the same.
int nextChar(FILE* f) {
    int ch = getc(f);
    if (ch != '\r') return ch;
    int after = getc(f);
    if (after == '\n') return '\n';
    if (after != EOF) ungetc(after, f);
    return ch;
}

void splitFields(const std::string& text, LevelRecord* record) {
    record->fieldCount = 1;
    record->fields[0].clear();
    for (char ch : text) {
        if (ch != '|') {
            record->fields[record->fieldCount - 1] += ch;
        } else if (record->fieldCount < MAX_RECORD_FIELDS) {
            record->fields[record->fieldCount++].clear();
        } else {
            break;
        }
    }
}

// The next record closed by "]"; a "[" always starts afresh, and a record
// still open at the end of the file is ignored.
bool nextRecord(FILE* f, LevelRecord* record) {
    std::string text;
    bool inside = false;
    for (int ch; (ch = nextChar(f)) != EOF;) {
        if (ch == '[') {
            inside = true;
            text.clear();
        } else if (inside && ch == ']') {
            splitFields(text, record);
            return true;
        } else if (inside && text.size() < MAX_RECORD_CHARS) {
            text += (char)ch;
        }
    }
    return false;
}

// The usual decimal conversion: leading blanks and a sign, digits up to the
// first non-digit, 0 without digits; saturating instead of overflowing.
int32_t decimalValue(const std::string& text) {
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') p++;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; p++) value = std::min<int64_t>(value * 10 + (*p - '0'), (int64_t)INT32_MAX + 1);
    if (negative) value = -value;
    return (int32_t)std::clamp<int64_t>(value, INT32_MIN, INT32_MAX);
}

// A text value is kept only if it fits with its terminator.
void takeText(char* target, size_t size, const std::string& value) {
    if (value.size() >= size) return;
    memset(target, 0, size);
    memcpy(target, value.data(), value.size());
}

void applyRecord(const LevelRecord& r) {
    LevelDescription& d = levelDescription;
    const std::string& key = r.fields[0];
    if (key == "noflags") d.noFlags = 1;
    if (key == "checkpointinorder") d.checkpointInOrder = 1;
    if (r.fieldCount != 2) return;
    const std::string& value = r.fields[1];
    // The race has room for 19 opponents beside the player.
    if (key == "opponents") d.opponents = std::clamp(decimalValue(value), 0, MAX_OPPONENTS);
    else if (key == "track") d.track = decimalValue(value);
    else if (key == "leveltype") d.levelType = decimalValue(value);
    else if (key == "laps") d.laps = decimalValue(value);
    else if (key == "par") d.par = decimalValue(value);
    else if (key == "keepout") d.keepout = decimalValue(value);
    else if (key == "description") takeText(d.description, sizeof d.description, value);
    else if (key == "name") takeText(d.name, sizeof d.name, value);
}

} // namespace

void resetLevelSwitches() {
    levelDescription.keepout = 0;
    levelDescription.noFlags = 0;
    levelDescription.checkpointInOrder = 0;
}

bool readLevelDescription(int level) {
    LevelDescription& d = levelDescription;
    d.opponents = d.track = d.levelType = d.laps = d.par = 0;
    memset(d.name, 0, sizeof d.name);
    memset(d.description, 0, sizeof d.description);
    FILE* f = openDescription(level);
    if (!f) {
        logAt(6, "No level data found.\n", LOG_TAG_ERROR);
        return false;
    }
    LevelRecord record;
    while (nextRecord(f, &record)) applyRecord(record);
    fclose(f);
    return true;
}

bool readLevelTextItem(const char* key, int level, std::string* value) {
    FILE* f = openDescription(level);
    if (!f) return false;
    LevelRecord record;
    bool found = false;
    while (!found && nextRecord(f, &record)) {
        found = record.fields[0] == key;
        if (found) *value = record.fieldCount > 1 ? record.fields[1] : std::string();
    }
    fclose(f);
    return found;
}

const char* levelName(int level) {
    static std::string current;
    if (!readLevelTextItem("name", level, &current)) current.clear();
    return current.c_str();
}
