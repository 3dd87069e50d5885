// The two queries asked every frame and tick, on the sample track 10:
// ZoneMaskAt (five per car per frame) and GroundHeight (every wheel every
// tick), at points spread over the road and verges along the whole lap.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "track/asset_paths.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"

namespace {

struct Point {
    float x, z;
};

std::vector<Point> Points;

// Makes a sample folder, mounts its archives (the track files ship inside
// them), loads track 10 as a race does and spreads the query points: along
// the guide line, up to 5,000 either side of it.  The folder is the
// process's own, so two runs at once do not write over each other, and it
// goes once the track is in memory.
bool LoadTrack() {
    static bool ready = false;
    if (ready)
        return true;
    MkOptions options;
    const char* tmp = getenv("TMPDIR");
    options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-track-" + std::to_string(getpid());
    if (!MakeGameFolder(options) || !PlatSetCurrentDir(options.outDir.c_str()) || !VfsScanArchives())
        return false;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    FrontEndActive = 0;
    SetTrackFolder();
    LoadZones();
    LoadTrackData();
    std::error_code ignored;
    std::filesystem::remove_all(options.outDir, ignored);
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    if (count < 3)
        return false;
    unsigned seed = 12345;
    for (int i = 0; i < 4096; i++) {
        seed = seed * 214013u + 2531011u;
        const CpuLinePoint& a = CpuLineTable[CPU_LINE_GUIDE][(seed >> 16) % (unsigned)count];
        seed = seed * 214013u + 2531011u;
        const float along = (float)((seed >> 16) & 0x7FFF) / 32767.0f;
        seed = seed * 214013u + 2531011u;
        const float across = ((float)((seed >> 16) & 0x7FFF) / 32767.0f - 0.5f) * 10000.0f;
        const float x = a.x + along * a.length * a.dirX - across * a.dirZ;
        const float z = a.z + along * a.length * a.dirZ + across * a.dirX;
        Points.push_back({x, z});
    }
    ready = true;
    return true;
}

void BM_ZoneMaskAt(benchmark::State& state) {
    if (!LoadTrack()) {
        state.SkipWithError("cannot load track 10");
        return;
    }
    CurrentCar = 0;
    size_t i = 0;
    for (auto _ : state) {
        const Point& p = Points[i++ & 4095];
        benchmark::DoNotOptimize(ZoneMaskAt(p.x, p.z));
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_ZoneMaskAt);

void BM_GroundHeight(benchmark::State& state) {
    if (!LoadTrack()) {
        state.SkipWithError("cannot load track 10");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        const Point& p = Points[i++ & 4095];
        benchmark::DoNotOptimize(GroundHeight(p.x, p.z, 0, (int)(i & 3)));
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_GroundHeight);

// As a race asks: eight cars a few lanes apart, four wheels each, moving
// 60 units along the lap every tick.
std::vector<Point> DrivingPoints() {
    std::vector<Point> points;
    const int count = CpuLinePointCounts[CPU_LINE_GUIDE];
    for (int i = 0; i < count; i++) {
        const CpuLinePoint& a = CpuLineTable[CPU_LINE_GUIDE][i];
        for (float along = 0.0f; along < a.length; along += 60.0f) {
            for (int car = 0; car < 8; car++) {
                const float lane = -2400.0f + 700.0f * car;
                for (int wheel = 0; wheel < 4; wheel++) {
                    const float side = lane + (wheel & 1 ? 300.0f : -300.0f);
                    const float ahead = along + (wheel & 2 ? 500.0f : -500.0f);
                    points.push_back({a.x + ahead * a.dirX - side * a.dirZ, a.z + ahead * a.dirZ + side * a.dirX});
                }
            }
        }
    }
    return points;
}

void BM_GroundHeightDriving(benchmark::State& state) {
    if (!LoadTrack()) {
        state.SkipWithError("cannot load track 10");
        return;
    }
    static const std::vector<Point> points = DrivingPoints();
    size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i];
        benchmark::DoNotOptimize(GroundHeight(p.x, p.z, (int)(i >> 2) & 7, (int)(i & 3)));
        if (++i == points.size())
            i = 0;
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_GroundHeightDriving);

void BM_ZoneMaskAtDriving(benchmark::State& state) {
    if (!LoadTrack()) {
        state.SkipWithError("cannot load track 10");
        return;
    }
    static const std::vector<Point> points = DrivingPoints();
    CurrentCar = 0;
    size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i];
        benchmark::DoNotOptimize(ZoneMaskAt(p.x, p.z));
        if (++i == points.size())
            i = 0;
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_ZoneMaskAtDriving);

}  // namespace
