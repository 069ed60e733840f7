// Reading and writing the player's saved files. They live in the data folder,
// or, when that cannot be written (installed system-wide, a read-only
// medium), in $XDG_DATA_HOME/kelvarostrindamuxelor/. A save replaces the old
// file whole or leaves it untouched, never half-written.
#pragma once

const long SAVE_FILE_MISSING = -1;    // the file does not exist
const long SAVE_FILE_UNREADABLE = -2; // it exists but cannot be read

// The folder the player's files go to, ending in '/': the data folder when
// it can be written, else the per-user one (made when missing). Chosen anew
// whenever the data folder changes; the choice is logged.
const char* playerFolder();
// playerFolder() + name into out; false (out empty) when it does not fit.
// A file the per-user folder lacks starts as a copy of the data folder's.
bool dataFilePath(char* out, int size, const char* name);
// Reads at most `capacity` bytes from the start of the file: the number of
// bytes read, or one of the negative results above.
long readSaveFile(const char* path, void* buffer, long capacity);
// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. False, with the old file as it was, on any failure.
bool writeSaveFile(const char* path, const void* data, long size);
