// The in-memory log: a ring of short lines, each character tagged with a
// colour index into basicColours. Nothing is written to a file.
#pragma once

const int LOG_LINES = 100;
const int LOG_COLUMNS = 30;
const int LOG_TAG_ERROR = 6;

extern char logText[LOG_LINES][LOG_COLUMNS];   // line 0 is being written
extern signed char logTags[LOG_LINES][LOG_COLUMNS];
extern int logColumn;
extern int logThreshold;
extern int logErrorCount; // error lines recorded so far, for the overlay to notice

void log(const char* text, int tag);
void logAt(int level, const char* text, int tag);
// printf-style convenience for leveled lines; formats only when recorded.
void logf(int level, int tag, const char* format, ...) __attribute__((format(printf, 3, 4)));
void clearLog();
