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

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "platform/plat_device.h"
#include "platform/plat_display.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/car_pose.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/d3d_scene.h"
#include "render/d3d_textures.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "render/soft_frame.h"
#include "render/textures.h"
#include "track/track_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The sample folder, made once per run, with the race loaded for the
// drawing path `kind`.
bool LoadRace(int kind) {
    static bool made;
    static std::string folder;
    if (!made) {
        MkOptions options;
        const char* tmp = getenv("TMPDIR");
        options.outDir = folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-d3d-frame";
        if (!MakeGameFolder(options))
            return false;
        made = true;
    }
    if (!PlatSetCurrentDir(folder.c_str()) || !VfsScanArchives())
        return false;
    RenderKind = kind;
    GreenMaskBits = 6;
    DisplayConfig = {640, 480, 16, 0, 0, kind};
    AllocWorkBuffers();
    BuildReciprocalTable();
    BuildSqrtTable();
    BuildLightClampTable();
    SetupLightDirection();
    EditorOpen = 0;
    FrontEndActive = 0;
    EffectsOption = 1;
    SkyOption = 1;
    FramesPerSecond = 60;
    TrackGroup = 1;
    TrackVariant = 0;
    CarCount = 4;
    const int models[4] = {0, 6, 1, 12};
    for (int c = 0; c < 4; c++) {
        CarModel[c] = models[c];
        CarColour[c] = c;
    }
    PlatDeviceInfo info;
    PlatDisplayDeviceInfo(0, 0, &info);
    ReadDeviceCaps(&info.caps);
    LoadCameraTable();
    StartRace();
    LoadTrackData();
    TextureReloadFlag = 1;
    PrepareTrackGraphics(nullptr);
    LastFrameTicks = 1;
    UpdateRaceFrame();
    UpdateScreenMetrics();
    return TriangleTotal > 0;
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

struct Device {
    PlatSurface* target = nullptr;
    PlatSurface* zbuffer = nullptr;
    PlatDevice* device = nullptr;
    explicit Device(int backend) {
        if (PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_3DDEVICE, &target) != DD_OK ||
            PlatSurfaceCreate(640, 480, PLAT_PF_Z16, PLAT_SURF_ZBUFFER, &zbuffer) != DD_OK ||
            PlatDeviceCreateBackend(backend, target, zbuffer, &device) != DD_OK)
            device = nullptr;
    }
    ~Device() {
        PlatDeviceRelease(device);
        PlatSurfaceRelease(zbuffer);
        PlatSurfaceRelease(target);
    }
};

void SoftwareFrame(benchmark::State& state) {
    PlatInit(PLAT_BACKEND_HEADLESS);
    if (!LoadRace(0)) {
        state.SkipWithError("the sample race could not be loaded");
        return;
    }
    PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface);
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
    PlatShutdown();
}
BENCHMARK(SoftwareFrame)->Unit(benchmark::kMillisecond);

void GlFrame(benchmark::State& state) {
    PlatInit(PLAT_BACKEND_HEADLESS);
    Device gl(PLAT_DEVICE_GL);
    if (!gl.device || !LoadRace(1) || InitDeviceObjects(gl.device, 0) != 0) {
        state.SkipWithError("no OpenGL context on EGL surfaceless, or no sample race");
        PlatShutdown();
        return;
    }
    double render = 0, readBack = 0;
    int draws = 0;
    for (auto _ : state) {
        const int before = PlatDeviceDrawCount(gl.device);
        const Clock::time_point t0 = Clock::now();
        RenderScene(gl.device, 0, nullptr);
        const Clock::time_point t1 = Clock::now();
        void* bits = nullptr;
        int pitch = 0;
        PlatSurfaceLock(gl.target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch);
        PlatSurfaceUnlock(gl.target);
        const Clock::time_point t2 = Clock::now();
        render += Ms(t1 - t0);
        readBack += Ms(t2 - t1);
        draws = PlatDeviceDrawCount(gl.device) - before;
    }
    const double n = (double)state.iterations();
    state.counters["build_draw_ms"] = render / n;
    state.counters["readback_ms"] = readBack / n;
    state.counters["frame_ms"] = (render + readBack) / n;
    state.counters["polygons"] = TextureSortPairCount / 2;
    state.counters["draw_calls"] = draws;
    state.counters["slot_runs"] = SlotRuns();
    TextureFreeAll();
    PlatShutdown();
}
BENCHMARK(GlFrame)->Unit(benchmark::kMillisecond);

void RecordingSubmission(benchmark::State& state) {
    PlatInit(PLAT_BACKEND_HEADLESS);
    Device recording(PLAT_DEVICE_RECORDING);
    if (!recording.device || !LoadRace(1) || InitDeviceObjects(recording.device, 0) != 0) {
        state.SkipWithError("no sample race");
        PlatShutdown();
        return;
    }
    ReloadTextureTable();
    BuildScene(0, ViewedCar[0]);
    int draws = 0;
    for (auto _ : state) {
        const int before = PlatDeviceDrawCount(recording.device);
        PlatDeviceBeginScene(recording.device);
        DrawPolygonList3D(recording.device, 0);
        PlatDeviceEndScene(recording.device);
        draws = PlatDeviceDrawCount(recording.device) - before;
    }
    state.counters["polygons"] = TextureSortPairCount / 2;
    state.counters["draw_calls"] = draws;
    state.counters["slot_runs"] = SlotRuns();
    TextureFreeAll();
    PlatShutdown();
}
BENCHMARK(RecordingSubmission)->Unit(benchmark::kMicrosecond);

}  // namespace
