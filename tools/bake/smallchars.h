// "smallchars.png": the fixed-grid small font and the debug overlay pieces.
#pragma once
#include "bake/bake.h"

bool bakeSmallChars(const BakeTarget& out);
