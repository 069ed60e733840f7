#include "bake/bake.h"

// Stand-in: nothing of this kind is baked yet.
bool bakeFonts(const BakeTarget&) { return true; }
