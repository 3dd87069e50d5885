// The particle tick at its busiest: every impact, smoke and spark slot
// (0..63) holds a live emitter over the start of track 10, so every
// particle falls and asks the circuit's ground for its height each tick;
// the dust and rain rings are full too.  The emitters are thrown again
// whenever a bounce frees one, so the load stays whole.

#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "race/particles.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "track/track_files.h"
#include "track/track_state.h"

namespace {

float StartX, StartZ;

bool LoadTrack() {
    static int ready = -1;
    if (ready >= 0)
        return ready == 1;
    ready = 0;
    if (!MakeBenchGameFolder("particles"))
        return false;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    FrontEndActive = 0;
    LoadTrackData();
    StartPosePosition(1, &StartX, &StartZ);
    ready = 1;
    return true;
}

// The emitter of every impact, smoke and spark slot thrown again from a
// metre above the road when it was freed; dust and rain fill their rings.
void FillSlots() {
    for (int slot = RING_IMPACT_FIRST; slot <= RING_SMOKE_LAST; slot++) {
        if (EffectEmitter[slot] != -1)
            continue;
        const int count = slot <= RING_IMPACT_LAST ? 12 : 5;
        SpawnEmitter(slot, count, 2, 15, StartX + 40.0f * (float)slot, 400.0f, StartZ, 1.0f, 12.0f, -1.0f);
        EffectEmitter[slot] = slot;
    }
    for (int slot = RING_DUST_FIRST; slot <= RING_RAIN_LAST; slot++) {
        if (EffectEmitter[slot] != -1)
            continue;
        SpawnEmitter(slot, slot >= RING_RAIN_FIRST ? 3 : 1, 0, 6, StartX, 200.0f, StartZ, 1.0f, -40.0f, 1.0f);
        EffectEmitter[slot] = slot;
    }
}

void BM_ParticleTickAllSlotsLive(benchmark::State& state) {
    if (!LoadTrack()) {
        state.SkipWithError("no sample track");
        return;
    }
    EffectsEnabled = 1;
    RacePaused = 0;
    ResetParticles();
    ParticleHold = 0;
    FillSlots();
    for (auto _ : state) {
        UpdateParticles();
        state.PauseTiming();
        FillSlots();
        state.ResumeTiming();
    }
    state.SetLabel("one tick of every live effect");
}
BENCHMARK(BM_ParticleTickAllSlotsLive)->Unit(benchmark::kMicrosecond);

}  // namespace
