// Playing the game's sounds: start, stop and steer the sounds in the
// slots that start-up filled (ids in sound/sounds.h). Safe to call while
// the audio thread mixes; a call for an empty or unknown slot does nothing.
#pragma once

void playSound(int id);
// Loops between the slot's loop points while `loop` is non-zero.
void playSoundLooping(int id, int loop);
void stopSound(int id);
// A looping play of `id` finishes its current pass and ends.
void endLoop(int id);
// Moves the plays of `id` to sample `position`.
void setSoundPosition(int id, int position);
int soundPlayCount(int id);
