// The colours the HUD, the icons and the panels share. Every colour that
// must show keeps a channel at 40 or more: darker ones turn into black, the
// transparent colour, under the darkest brightness curve.
#pragma once
#include "bake/files.h"

const Rgb hudPlateTop = {62, 70, 86};
const Rgb hudPlateBottom = {34, 40, 52};
const Rgb hudRim = {150, 162, 184};
const Rgb hudShadow = {20, 23, 30};
const Rgb hudOutline = {10, 11, 14};
const Rgb hudOrange = {255, 140, 24};
const Rgb hudAmber = {255, 196, 48};
const Rgb hudWhite = {244, 246, 250};
const Rgb hudRed = {206, 34, 24};
const Rgb hudGreen = {56, 196, 72};
const Rgb hudPole = {204, 204, 204}; // the marker posts' pole grey (25, 25, 25)
