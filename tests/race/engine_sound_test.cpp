#include "race/engine_sound.h"
#include "race/race.h"
#include "sound/effects.h"
#include "sound/sound_support.h"
#include "sound/sounds.h"

using EngineSoundTest = MixerTest;

// Which of the engine and pack sounds are playing.
static std::vector<int> playing() {
    std::vector<int> ids;
    for (int id : {SOUND_PACK, SOUND_IDLE, SOUND_FULL_THROTTLE, SOUND_IN_AIR, SOUND_WIND_DOWN, SOUND_PACK_IDLE,
                   SOUND_PACK_WIND_DOWN})
        if (soundPlayCount(id) > 0) ids.push_back(id);
    return ids;
}

TEST_F(EngineSoundTest, ThePlayersEngineFollowsItsStateThroughEveryStep) {
    for (int id : {SOUND_PACK, SOUND_IDLE, SOUND_FULL_THROTTLE, SOUND_IN_AIR, SOUND_WIND_DOWN, SOUND_PACK_IDLE,
                   SOUND_PACK_WIND_DOWN})
        putSound(id, std::vector<int8_t>(64, 1), 0, 0, 60);
    riderCount = 1;
    raceRiders[0] = initRider();
    RaceRider* p = raceRiders[0];
    struct Step {
        int wanted;
        bool windDownEnds; // the mixer got to its end before this tick
        int nowPlaying;
        std::vector<int> sounds;
    } steps[] = {
        {ENGINE_IDLE, false, ENGINE_IDLE, {SOUND_IDLE}},
        {ENGINE_FULL, false, ENGINE_FULL, {SOUND_FULL_THROTTLE}},
        {ENGINE_IN_AIR, false, ENGINE_IN_AIR, {SOUND_IN_AIR}},
        {ENGINE_IDLE, false, ENGINE_WIND_DOWN, {SOUND_WIND_DOWN}},
        {ENGINE_FULL, false, ENGINE_FULL, {SOUND_FULL_THROTTLE}},
        {ENGINE_IDLE, false, ENGINE_WIND_DOWN, {SOUND_WIND_DOWN}},
        {ENGINE_IDLE, false, ENGINE_WIND_DOWN, {SOUND_WIND_DOWN}}, // still winding down
        {ENGINE_IDLE, true, ENGINE_IDLE, {SOUND_IDLE}},
        {ENGINE_SILENT, false, ENGINE_IDLE, {SOUND_IDLE}}, // idle plays out its loop
    };
    for (const Step& s : steps) {
        if (s.windDownEnds) stopSound(SOUND_WIND_DOWN);
        p->engineState = s.wanted;
        updateEngineSounds();
        EXPECT_EQ(p->engineSoundPlaying, s.nowPlaying) << s.wanted;
        EXPECT_EQ(playing(), s.sounds) << s.wanted;
    }
    // The pack: idling on the grid, racing, then falling silent once.
    stopSound(SOUND_IDLE);
    raceRiders[1] = initRider();
    riderCount = 2;
    std::pair<RacePhase, std::vector<int>> pack[] = {
        {PHASE_GET_READY, {SOUND_PACK_IDLE}}, {PHASE_RUNNING, {SOUND_PACK}}, {PHASE_AFTER_RUN, {SOUND_PACK_WIND_DOWN}}};
    for (auto& [phase, sounds] : pack) {
        racePhase = phase;
        updateEngineSounds();
        EXPECT_EQ(playing(), sounds) << phase;
    }
    stopSound(SOUND_PACK_WIND_DOWN);
    updateEngineSounds();
    EXPECT_EQ(playing(), std::vector<int>{});
    stopRaceSounds();
    releaseRace();
}
