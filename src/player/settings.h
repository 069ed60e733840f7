// "settings.dat": key bindings, display orientation, brightness and the two
// mixer volumes, as one fixed-size block of little-endian integers.
#pragma once

const int SETTINGS_FILE_BYTES = 1664;
const int DEFAULT_EFFECT_VOLUME = 255;
const int DEFAULT_MUSIC_VOLUME = 180;

// The music level the options screen shows.
extern int musicLevel;
// Carried from the file back into it; nothing else uses it.
extern int settingsReserved;
// The display orientation (0..3) the file asks for; start-up applies it.
// Saving stores the orientation on show.
extern int settingsOrientation;

// 1 when written, 0 (old file and memory unchanged) when it could not be.
int saveSettings();
// 1 when the file was applied, 0 when the defaults were.
int loadSettings();
void applyDefaultSettings();
