// Pictures for people to look at, not for the game: a contact sheet of
// pictures side by side at half size.
#pragma once
#include "bake/files.h"

#include <string>
#include <vector>

// Half of every picture (2 x 2 pixels averaged), `columns` a row, in
// order, on a dark ground with a gap between them.
Image imageSheet(const std::vector<const Image*>& pictures, int columns);
bool writeImageSheet(const std::string& path, const std::vector<const Image*>& pictures, int columns);
