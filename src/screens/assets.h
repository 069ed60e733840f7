// Which pictures, fonts, models and sounds are loaded when.
#pragma once

void loadStartupAssets();
void reloadOrientationAssets();
void freeStartupAssets();
