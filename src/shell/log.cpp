#include "shell/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

char logText[LOG_LINES][LOG_COLUMNS];
signed char logTags[LOG_LINES][LOG_COLUMNS];
int logColumn;
int logThreshold;
int logErrorCount;

static void newLine() {
    memmove(logText[1], logText[0], sizeof(logText[0]) * (LOG_LINES - 1));
    memmove(logTags[1], logTags[0], sizeof(logTags[0]) * (LOG_LINES - 1));
    memset(logText[0], 0, sizeof(logText[0]));
    memset(logTags[0], 0, sizeof(logTags[0]));
    logColumn = 0;
}

void log(const char* text, int tag) {
    for (const char* p = text; *p; p++) {
        if (logColumn >= LOG_COLUMNS) newLine();
        if (*p == '\n') {
            newLine();
            continue;
        }
        logText[0][logColumn] = *p;
        logTags[0][logColumn] = (signed char)tag;
        logColumn++;
    }
}

void logAt(int level, const char* text, int tag) {
    if (logThreshold < level || logThreshold < 1) return;
    log(text, tag);
    if (tag == LOG_TAG_ERROR) logErrorCount++;
}

void logf(int level, int tag, const char* format, ...) {
    if (logThreshold < level || logThreshold < 1) return;
    char line[256];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    logAt(level, line, tag);
}

void clearLog() {
    memset(logText, 0, sizeof logText);
    memset(logTags, 0, sizeof logTags);
    logColumn = 0;
}
