// The sample race view (track 10, the quick race's four cars on the grid,
// chase camera behind car 0) at 640 x 480 on both drawing paths, in one
// run:
//
//   build/bin/bench_d3d_frame
//
// - SoftwareFrame: DrawRaceFrame (building and rasterising into the work
//   surface).
// - GlFrame: RenderScene through the OpenGL device on EGL surfaceless
//   (llvmpipe without a GPU): building and drawing, then the read-back that
//   the 2D overlays of a frame cause when they lock the back buffer.
// - RecordingSubmission: DrawPolygonList3D alone on the recording device,
//   the list built once.
//
// Counters: milliseconds per frame and their parts, the polygons of the
// view, its draw calls and the runs of equal slots in its sort list (one
// draw call per run at most).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "../tests/common/sample_race.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "platform/plat_device.h"
#include "platform/plat_display.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/d3d_scene.h"
#include "render/d3d_textures.h"
#include "render/scene_builder.h"
#include "render/soft_frame.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The sample folder, made once per run, with the race loaded for the
// drawing path `kind` and the sample's visual options (effects and sky on).
bool LoadRace(int kind) {
    static std::string folder;
    if (folder.empty()) {
        MkOptions options;
        const char* tmp = getenv("TMPDIR");
        options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-d3d-frame";
        if (!MakeGameFolder(options))
            return false;
        folder = options.outDir;
    }
    if (!PlatSetCurrentDir(folder.c_str()) || !VfsScanArchives())
        return false;
    EffectsOption = 1;
    SkyOption = 1;
    FramesPerSecond = 60;
    PlatDeviceInfo info;
    PlatDisplayDeviceInfo(0, 0, &info);
    ReadDeviceCaps(&info.caps);
    return LoadQuickRaceTables(kind);
}

// Runs of equal slots in the sort list: the fewest draw calls the list
// allows.
int SlotRuns() {
    int runs = 0, previous = -1;
    for (int i = 0; i + 1 < TextureSortPairCount; i += 2) {
        const int slot = PolygonList[TextureSortPairs[i + 1] / POLYGON_WORDS].slot;
        runs += slot != previous;
        previous = slot;
    }
    return runs;
}

// The headless platform, a device of the backend on a 640 x 480 5-6-5
// target (none for the software frame) and the race loaded for its path.
struct Session {
    PlatSurface* target = nullptr;
    PlatSurface* zbuffer = nullptr;
    PlatDevice* device = nullptr;
    bool ready = false;

    explicit Session(int backend) {
        PlatInit(PLAT_BACKEND_HEADLESS);
        if (backend) {
            if (PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_3DDEVICE, &target) != DD_OK ||
                PlatSurfaceCreate(640, 480, PLAT_PF_Z16, PLAT_SURF_ZBUFFER, &zbuffer) != DD_OK ||
                PlatDeviceCreateBackend(backend, target, zbuffer, &device) != DD_OK)
                return;
        }
        ready = LoadRace(backend ? 1 : 0) && (!device || InitDeviceObjects(device, 0) == 0);
    }
    ~Session() {
        DeleteDeviceObjects();
        TextureFreeAll();
        PlatDeviceRelease(device);
        PlatSurfaceRelease(zbuffer);
        PlatSurfaceRelease(target);
        PlatShutdown();
    }
};

void SoftwareFrame(benchmark::State& state) {
    Session session(0);
    if (!session.ready || PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface) != DD_OK) {
        state.SkipWithError("the sample race could not be loaded");
        return;
    }
    double frame = 0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        DrawRaceFrame();
        frame += Ms(Clock::now() - t0);
    }
    state.counters["frame_ms"] = frame / (double)state.iterations();
    state.counters["polygons"] = TextureSortPairCount / 2;
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
}
BENCHMARK(SoftwareFrame)->Unit(benchmark::kMillisecond);

void GlFrame(benchmark::State& state) {
    Session session(PLAT_DEVICE_GL);
    if (!session.ready) {
        state.SkipWithError("no OpenGL context on EGL surfaceless, or no sample race");
        return;
    }
    double render = 0, readBack = 0;
    int draws = 0;
    for (auto _ : state) {
        const int before = PlatDeviceDrawCount(session.device);
        const Clock::time_point t0 = Clock::now();
        RenderScene(session.device, 0, nullptr);
        const Clock::time_point t1 = Clock::now();
        void* bits = nullptr;
        int pitch = 0;
        PlatSurfaceLock(session.target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch);
        PlatSurfaceUnlock(session.target);
        const Clock::time_point t2 = Clock::now();
        render += Ms(t1 - t0);
        readBack += Ms(t2 - t1);
        draws = PlatDeviceDrawCount(session.device) - before;
    }
    const double n = (double)state.iterations();
    state.counters["build_draw_ms"] = render / n;
    state.counters["readback_ms"] = readBack / n;
    state.counters["frame_ms"] = (render + readBack) / n;
    state.counters["polygons"] = TextureSortPairCount / 2;
    state.counters["draw_calls"] = draws;
    state.counters["slot_runs"] = SlotRuns();
}
BENCHMARK(GlFrame)->Unit(benchmark::kMillisecond);

void RecordingSubmission(benchmark::State& state) {
    Session session(PLAT_DEVICE_RECORDING);
    if (!session.ready) {
        state.SkipWithError("no sample race");
        return;
    }
    ReloadTextureTable();
    BuildScene(0, ViewedCar[0]);
    int draws = 0;
    for (auto _ : state) {
        const int before = PlatDeviceDrawCount(session.device);
        PlatDeviceBeginScene(session.device);
        DrawPolygonList3D(session.device, 0);
        PlatDeviceEndScene(session.device);
        draws = PlatDeviceDrawCount(session.device) - before;
    }
    state.counters["polygons"] = TextureSortPairCount / 2;
    state.counters["draw_calls"] = draws;
    state.counters["slot_runs"] = SlotRuns();
}
BENCHMARK(RecordingSubmission)->Unit(benchmark::kMicrosecond);

}  // namespace
