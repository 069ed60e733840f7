// What the race sounds like: the player's engine following its bike's
// engine state, the computer riders heard as one pack, and the music
// fading out under the race and back after it.
#pragma once

// Once per tick of the get-ready, race and results steps.
void updateEngineSounds();
// The music volume falls by one per tick; the music stops at silence.
void fadeMusic();
// Remembers the music volume to come back to.
void rememberMusicVolume();
// Raises the music volume by `step` toward the remembered one.
void raiseMusic(int step);
// The music loops again, at the volume it has, if it had stopped.
void startMusicIfSilent();
// Back to the remembered volume, the music playing again if it stopped.
void restoreMusic();
// Every engine and pack sound stops; the pack plays again at the next start.
void stopRaceSounds();
