// The SDL2 backend, and the key translation it uses (tested on its own).
#pragma once
#include "platform/platform.h"

const PlatformBackend* sdlBackend();
void sdlQuit();
int sdlVirtualKey(int scancode, int keycode);
int usCharacter(int vk, bool shift);
