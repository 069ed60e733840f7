#include "race/engine_sound.h"
#include "race/race.h"
#include "sound/effects.h"
#include "sound/mixer.h"
#include "sound/sounds.h"

#include <algorithm>

namespace {

int rememberedMusic = -1;

enum PackSound { PACK_SILENT, PACK_AT_START, PACK_RACING, PACK_DONE };
PackSound pack;

int engineSound(int state) { return (int)SOUND_IDLE - (int)ENGINE_IDLE + state; }

void startEngine(const RaceRider* player, int state) {
    int id = engineSound(state);
    playSoundLooping(id, state != ENGINE_WIND_DOWN);
    // The rising note picks up at the bike's speed.
    if (id == SOUND_FULL_THROTTLE) setSoundPosition(id, player->speed * SAMPLES_PER_SPEED);
}

// Moves the playing engine sound one step toward the wanted state.
void followEngineState(RaceRider* p) {
    int want = p->engineState, playing = p->engineSoundPlaying;
    if (want == playing) return;
    switch (playing) {
    case ENGINE_SILENT:
        p->engineSoundPlaying = want;
        if (want != ENGINE_SILENT && soundPlayCount(engineSound(want)) == 0) startEngine(p, want);
        break;
    case ENGINE_IDLE:
        if (want == ENGINE_SILENT) {
            endLoop(SOUND_IDLE);
            break;
        }
        p->engineSoundPlaying = want;
        stopSound(SOUND_IDLE);
        startEngine(p, want);
        break;
    case ENGINE_FULL:
    case ENGINE_IN_AIR: {
        int next = want < ENGINE_FULL ? ENGINE_WIND_DOWN : want;
        p->engineSoundPlaying = next;
        stopSound(engineSound(playing));
        startEngine(p, next);
        break;
    }
    default: // winding down
        if (want == ENGINE_FULL || want == ENGINE_IN_AIR) {
            p->engineSoundPlaying = want;
            stopSound(SOUND_WIND_DOWN);
            startEngine(p, want);
        } else if (soundPlayCount(SOUND_WIND_DOWN) == 0) {
            playSoundLooping(SOUND_IDLE, 1);
            p->engineSoundPlaying = ENGINE_IDLE;
        }
        break;
    }
}

bool packStillRacing() {
    for (int i = 1; i < riderCount; i++)
        if (raceRiders[i] && !raceRiders[i]->finished) return true;
    return false;
}

void loopPack(int id, PackSound state) {
    if (pack == state) return;
    stopSound(SOUND_PACK_IDLE);
    stopSound(SOUND_PACK);
    playSoundLooping(id, 1);
    pack = state;
}

void followPack() {
    if (riderCount < 2) return;
    bool racing = racePhase != PHASE_AFTER_RUN && packStillRacing();
    if (racing && racePhase == PHASE_GET_READY) loopPack(SOUND_PACK_IDLE, PACK_AT_START);
    else if (racing) loopPack(SOUND_PACK, PACK_RACING);
    else if (pack != PACK_DONE) {
        stopSound(SOUND_PACK_IDLE);
        stopSound(SOUND_PACK);
        playSound(SOUND_PACK_WIND_DOWN);
        pack = PACK_DONE;
    }
}

} // namespace

void updateEngineSounds() {
    if (!raceRiders[0]) return;
    followEngineState(raceRiders[0]);
    followPack();
}

void fadeMusic() {
    int v = channelVolume(MUSIC_CHANNEL);
    if (v <= 0) return;
    setChannelVolume(MUSIC_CHANNEL, v - 1);
    if (v - 1 == 0) stopSound(SOUND_THEME);
}

void rememberMusicVolume() { rememberedMusic = channelVolume(MUSIC_CHANNEL); }

void raiseMusic(int step) {
    int v = channelVolume(MUSIC_CHANNEL);
    if (rememberedMusic >= 0 && v < rememberedMusic) setChannelVolume(MUSIC_CHANNEL, std::min(v + step, rememberedMusic));
}

void startMusicIfSilent() {
    if (soundPlayCount(SOUND_THEME) == 0) playSoundLooping(SOUND_THEME, 1);
}

void restoreMusic() {
    if (rememberedMusic >= 0) setChannelVolume(MUSIC_CHANNEL, rememberedMusic);
    startMusicIfSilent();
}

void stopRaceSounds() {
    for (int id = SOUND_IDLE; id <= SOUND_LAST_ENGINE; id++) stopSound(id);
    stopSound(SOUND_PACK);
    stopSound(SOUND_SKID);
    pack = PACK_SILENT;
}
