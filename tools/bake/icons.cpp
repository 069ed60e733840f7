#include "bake/icons.h"
bool bakeIcons(const BakeTarget&) { return true; }
