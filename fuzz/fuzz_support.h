// What every fuzz target shares: a private game folder beside the baked
// data set, and the input written there as the file the game would read.
// The same targets run under libFuzzer (`make fuzz`) and as ordinary test
// programs that replay the seed corpora and the kept crash inputs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Once per process: a fresh temporary game folder whose Data/ and Sound/
// link to the baked data set's files, with dataFolder and soundFolder
// pointing into it, the trigonometry tables built and a framebuffer made.
void fuzzSetUp();
// The temporary game folder, ending with '/'.
const std::string& fuzzBase();
// Replaces Data/<name> (or Sound/<name> when `sound`) with the bytes; a
// link to the baked file is removed first, never written through.
std::string fuzzWriteData(const char* name, const uint8_t* data, size_t size, bool sound = false);
void fuzzRemoveData(const char* name);
// The menu fonts of the game, loaded once from the baked strips.
void fuzzLoadFonts();
