// The sound calls of one race frame of eight cars on track 10, with the race
// bank loaded into the manual mixer: the engine driver (every car near
// enough to be heard, the listener with its layers), the horn, the terrain
// of every car, the crowd and the ocean.  The cars move a little between
// frames, so rates and volumes change as in a race.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "platform/plat_mixer.h"
#include "race/race_state.h"
#include "sound/crowd_sound.h"
#include "sound/effect_sounds.h"
#include "sound/engine_sound.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/scene_points.h"
#include "track/track_state.h"

namespace {

bool LoadRaceBank() {
    static int ready = -1;
    if (ready >= 0)
        return ready == 1;
    ready = 0;
    MkOptions options;
    const char* tmp = getenv("TMPDIR");
    options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-sound";
    if (!MakeGameFolder(options) || !PlatSetCurrentDir(options.outDir.c_str()) || VfsScanArchives() != 1)
        return false;
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    InitSoundMixer();
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    ZoneTypeMask = 0xFFFF;
    FrontEndActive = 0;
    CarCount = 8;
    RaceCarCount = 8;
    LocalCar = 0;
    StartStage = 3;
    static const int models[8] = {0, 1, 6, 16, 17, 0, 1, 6};
    for (int car = 0; car < 8; car++)
        CarModel[car] = models[car];
    LoadSoundBank();
    SetCrowdPoints();
    ready = MixerOpen == 1 ? 1 : 0;
    return ready == 1;
}

// The cars strung along x behind the listener, 600 units apart, on a mix of
// surfaces, sliding now and then; the order is their distance.
void PlaceCars(int frame) {
    const float drift = (float)(frame % 64) * 5.0f;
    EyeX[0] = -(CrowdPoints[0][0] - 4000.0f + drift);
    EyeZ[0] = -CrowdPoints[0][1];
    for (int car = 0; car < 8; car++) {
        cocheX[car] = -EyeX[0] + 600.0f * (float)car + drift;
        cocheZ[car] = -EyeZ[0] + 200.0f;
        SoundVelocityX[car] = 40.0f + (float)car;
        EngineRevs[car] = 1.0f + 0.1f * (float)((frame + car) % 8);
        CarGear[car] = 1 + car % 4;
        CarSpeed[car] = 40.0f + (float)car;
        SurfaceWord[car] = car % 3 == 0 ? 0x8 : 1;
        LateralSpeed[car] = (frame + car) % 16 < 3 ? 14.0f : 0.0f;
        CarInputBits[car] = INPUT_ACCELERATE;
        CarsByDistance[car] = {car, (int)std::fabs(cocheX[car] + EyeX[0]) + 200, 0};
        CarBodies[car].side[0] = 1.0f;
    }
    HornFlags[3] = frame % 100 < 50;
}

void BM_SoundCallsOfAnEightCarRaceFrame(benchmark::State& state) {
    if (!LoadRaceBank()) {
        state.SkipWithError("no sample folder");
        return;
    }
    int frame = 0;
    TickParity = 1;
    FrameTicks = 2;
    for (auto _ : state) {
        state.PauseTiming();
        PlaceCars(frame++);
        state.ResumeTiming();
        DriveEngineSoundsSolo();
        UpdateHornSound(0);
        for (int car = 0; car < 8; car++)
            UpdateTerrainSounds(car);
        UpdateCrowdSound(LocalCar, &CarBodies[LocalCar]);
        UpdateOceanSound(LocalCar);
    }
    state.counters["cars heard"] = (double)(EngineLoopOn[0] + EngineLoopOn[1] + EngineLoopOn[2] + EngineLoopOn[3] +
                                            EngineLoopOn[4] + EngineLoopOn[5] + EngineLoopOn[6] + EngineLoopOn[7]);
}
BENCHMARK(BM_SoundCallsOfAnEightCarRaceFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
