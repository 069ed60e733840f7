// Sound slots and the list of sounds playing.
#pragma once

void playSound(int id);
