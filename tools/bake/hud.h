// The race HUD pieces and the information panel.
#pragma once
#include "bake/bake.h"

bool bakeHudPictures(const BakeTarget& out);
