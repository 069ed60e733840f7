// The terrain of one baked level, loaded once and put back before each
// input, for the targets that build a track and race on it.
#pragma once

const int FUZZ_TRACK_LEVEL = 0;

// Loads the level's description and terrain pictures the first time; then
// restores the three pictures as they were loaded.
void fuzzFreshTrack();
