#include "bake/bake.h"

// Stand-in: nothing of this kind is baked yet.
bool bakeSounds(const BakeTarget&) { return true; }
