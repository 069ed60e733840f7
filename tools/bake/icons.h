// The icon sheet (start arrow, player marker, checkpoint signs) and the
// window icon.
#pragma once
#include "bake/bake.h"

bool bakeIcons(const BakeTarget& out);
