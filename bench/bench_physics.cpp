// The race tick of eight cars on the sample track 10, as the timer runs it:
// every car's controls, engine, gearbox, drive model, sprung body on the
// circuit's ground and collisions.  Three scenes: the grid launch (all eight
// accelerating off the grid), the cars spread round the lap at speed,
// weaving, and the cars packed against a wall and each other, pressing on.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "bench_game.h"
#include "frame/frame_state.h"
#include "frame/tick.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "race/car_pose.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "track/collision.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"

namespace {

// A sample folder and a race of eight cars on track 10, loaded as the race
// start loads it.
bool LoadRace() {
    static int ready = -1;
    if (ready >= 0)
        return ready == 1;
    ready = 0;
    if (!MakeBenchGameFolder("physics"))
        return false;
    TrackGroup = 1;
    TrackVariant = 0;
    FrontEndActive = 0;
    CarCount = 8;
    static const int models[8] = {0, 1, 6, 16, 17, 0, 1, 6};
    for (int car = 0; car < 8; car++) {
        CarModel[car] = models[car];
        CarColour[car] = car % 4;
    }
    LoadCameraTable();
    StartRace();
    LoadTrackData();
    AppActive = 1;
    SceneReady = 1;
    RacePaused = 0;
    ExitRequested = 0;
    PresentationRun = 0;
    ready = CpuLinePointCounts[CPU_LINE_GUIDE] > 8 ? 1 : 0;
    return ready == 1;
}

void ToTheGrid() {
    StartRace();
    StartStage = 3;   // GO: the engines run
    SceneReady = 1;
    RacePaused = 0;
    for (int car = 0; car < 8; car++)
        CarInputBits[car] = INPUT_ACCELERATE;
}

// Car c at point c/8 of the lap's guide line, heading along it at speed
// 120; each weaves to its own rhythm.
void SpreadRoundTheLap() {
    ToTheGrid();
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    for (int car = 0; car < 8; car++) {
        const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][car * count / 8];
        const float heading = std::atan2(p.dirX, p.dirZ);
        SimPosX[car] = p.x;
        SimPosZ[car] = p.z;
        SimHeading[car] = HeadingAccum[car] = CarHeading[car] = heading;
        VelocityX[car] = 120.0f * p.dirX;
        VelocityZ[car] = 120.0f * p.dirZ;
        CarSpeed[car] = 120.0f;
        CarGear[car] = 3;
        EngineRevs[car] = 2.0f;
        LastShiftGear[car] = 3;
        CarBodies[car].x = p.x;
        CarBodies[car].z = p.z;
        CarBodies[car].y = SimPosY[car] = GroundHeight(p.x, p.z, -1, 0) + 80.0f;
    }
}

// The eight cars nose to tail along the right-hand wall of the start
// straight, each overlapping the next and turned into the wall, right held;
// every other car brakes and the one behind it presses on into it.
void PackAgainstTheWall() {
    ToTheGrid();
    const float wallX = 59312.0f + 5500.0f;
    for (int car = 0; car < 8; car++) {
        const float x = wallX - 160.0f, z = 60000.0f + 650.0f * (float)car;
        SimPosX[car] = x;
        SimPosZ[car] = z;
        SimHeading[car] = HeadingAccum[car] = CarHeading[car] = 0.3f;
        VelocityX[car] = 3.0f;
        VelocityZ[car] = 10.0f;
        CarBodies[car].x = x;
        CarBodies[car].z = z;
        CarBodies[car].y = SimPosY[car] = GroundHeight(x, z, -1, 0) + 80.0f;
        CarInputBits[car] = (car % 2 ? INPUT_BRAKE : INPUT_ACCELERATE) | INPUT_RIGHT;
    }
}

// Cars on a wall and cars hit, per tick on average.
int64_t WallTicks, HitTicks;
void CountContacts() {
    for (int car = 0; car < 8; car++) {
        WallTicks += WallContactA[car] | WallContactB[car];
        HitTicks += CarCrashKind[car] != 0;
    }
}

void Weave(int tick) {
    for (int car = 0; car < 8; car++) {
        const int phase = (tick / (20 + 3 * car)) & 1;
        CarInputBits[car] = INPUT_ACCELERATE | (phase ? INPUT_LEFT : INPUT_RIGHT);
    }
}

// What the scene looked like at the end: the cars' mean speed and how many
// of their wheels stood on the ground.
void SceneCounters(benchmark::State& state) {
    float speed = 0.0f;
    int grounded = 0;
    for (int car = 0; car < 8; car++) {
        speed += CarSpeed[car];
        grounded += 4 - WheelsInAir[car];
    }
    state.counters["speed"] = speed / 8.0f;
    state.counters["wheels_down"] = grounded;
}

void BM_RaceTickGridLaunch(benchmark::State& state) {
    if (!LoadRace()) {
        state.SkipWithError("cannot load the race on track 10");
        return;
    }
    ToTheGrid();
    int tick = 0;
    for (auto _ : state) {
        GameTickCallback();
        if (++tick == 600) {
            state.PauseTiming();
            ToTheGrid();
            tick = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed((int64_t)state.iterations());
    SceneCounters(state);
}
BENCHMARK(BM_RaceTickGridLaunch)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

void BM_RaceTickRoundTheLap(benchmark::State& state) {
    if (!LoadRace()) {
        state.SkipWithError("cannot load the race on track 10");
        return;
    }
    SpreadRoundTheLap();
    int tick = 0;
    for (auto _ : state) {
        Weave(tick);
        GameTickCallback();
        if (++tick == 300) {
            state.PauseTiming();
            SpreadRoundTheLap();
            tick = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed((int64_t)state.iterations());
    SceneCounters(state);
}
BENCHMARK(BM_RaceTickRoundTheLap)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

void BM_RaceTickPressingOnWallsAndEachOther(benchmark::State& state) {
    if (!LoadRace()) {
        state.SkipWithError("cannot load the race on track 10");
        return;
    }
    PackAgainstTheWall();
    WallTicks = HitTicks = 0;
    int tick = 0;
    for (auto _ : state) {
        for (int& kind : CarCrashKind)
            kind = 0;
        GameTickCallback();
        CountContacts();
        if (++tick == 200) {
            state.PauseTiming();
            PackAgainstTheWall();
            tick = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed((int64_t)state.iterations());
    state.counters["on_walls"] = (double)WallTicks / (double)state.iterations();
    state.counters["hit"] = (double)HitTicks / (double)state.iterations();
    SceneCounters(state);
}
BENCHMARK(BM_RaceTickPressingOnWallsAndEachOther)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

}  // namespace
