// Reading and writing the player's saved files in the data folder. A save
// replaces the old file whole or leaves it untouched, never half-written.
#pragma once

const long SAVE_FILE_MISSING = -1;    // the file does not exist
const long SAVE_FILE_UNREADABLE = -2; // it exists but cannot be read

// dataFolder + name into out; false (out empty) when it does not fit.
bool dataFilePath(char* out, int size, const char* name);
// Reads at most `capacity` bytes from the start of the file: the number of
// bytes read, or one of the negative results above.
long readSaveFile(const char* path, void* buffer, long capacity);
// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. False, with the old file as it was, on any failure.
bool writeSaveFile(const char* path, const void* data, long size);
