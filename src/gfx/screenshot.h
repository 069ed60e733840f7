// Screenshots of the framebuffer as 24-bit BMP files.
#pragma once

extern int screenshotCounter; // 0 at start, +1 per file created
// Folders tried in order; a test may point them elsewhere.
extern const char* screenshotPaths[2];

void saveScreenshot();
