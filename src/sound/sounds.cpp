#include "sound/sounds.h"

const SoundFile* soundFile(int id) {
    for (const SoundFile& f : SOUND_FILES)
        if (f.id == id) return &f;
    return nullptr;
}
