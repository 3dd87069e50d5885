// The software frame at 640 x 480: the sample race view (track 10, four
// cars on the grid, chase camera behind car 0) and synthetic scenes of
// 1,000, 2,400 and 4,800 textured triangles at depth complexity 1 to 4
// (each layer a grid of quads covering the screen, layers 200 apart).
//
//   build/bin/bench_soft_frame
//
// Each benchmark reports milliseconds a frame split into building (the
// geometry stage into the polygon list), sorting (the pairs by texture)
// and rasterising.  The sample view's sort runs inside the scene builder;
// its time comes from the cycle counter the builder keeps for it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "frame/utils.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "race/car_pose.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/drawers.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/rasteriser.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "render/soft_frame.h"
#include "render/textures.h"
#include "track/track_files.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> FrameMemory(SOFT_DEPTH_OFFSET + SOFT_FRAME_HEIGHT * SOFT_DEPTH_ROW_BYTES);
std::vector<uint8_t> PageMemory(9 * SOFT_PAGE_BYTES);
std::vector<uint16_t> Palettes(8 * 256);

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void SetUpFrame() {
    AllocWorkBuffers();
    GreenMaskBits = 6;
    BuildReciprocalTable();
    BuildSqrtTable();
    BuildLightClampTable();
    SetupLightDirection();
    SurfaceWidth = 640;
    SurfaceHeight = 480;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    ScreenCentreX = 320.0f;
    ScreenCentreY = 240.0f;
    ViewFocalScale = 224.0f;
    FrameBufferPixels = FrameMemory.data();
    BuildScanlineTables();
    EditorOpen = 0;
}

// The frame's stamp as a software frame advances it.
void NextStamp() {
    if (++DepthStampCounter >= SOFT_DEPTH_STAMP_WRAP) {
        DepthStampCounter = 0;
        ClearFrameBuffer(SurfaceHeight * 10);
    }
    DepthStamp = (uint32_t)DepthStampCounter << 24;
}

// Eight 64 x 64 textures for the synthetic scenes, numbered 1001..1008.
void MakeTextures() {
    uint8_t* pages = AlignBufferTo64K(PageMemory.data());
    for (int t = 0; t < 8; t++) {
        uint8_t* page = pages + (t / 4) * SOFT_PAGE_BYTES;
        const int x0 = (t % 4) * 64;
        for (int v = 0; v < 64; v++)
            for (int u = 0; u < 64; u++)
                page[v * 256 + x0 + u] = (uint8_t)((u ^ v) & 15);
        uint16_t* palette = &Palettes[t * 256];
        for (int i = 0; i < 256; i++)
            palette[i] = (uint16_t)(i * 0x0841 + t * 0x1000 + 1);
        SoftTexturePages[1001 + t] = {64, 64, x0, 0, page, palette, -1, 0};
    }
}

// Layers of quads facing the camera; each layer covers the screen once.
void BuildSyntheticObjects(int triangles, int layers) {
    BeginObjectLoad(1);
    NormalsTotal = 0;
    const int quads = triangles / layers / 2;
    const int columns = (int)std::lround(std::sqrt(quads * 4.0 / 3.0));
    const int rows = quads / columns;
    for (int layer = 0; layer < layers; layer++) {
        const float z = 2000.0f + layer * 200.0f;
        const float halfW = 0.995f * 320.0f * z / 224.0f, halfH = 0.995f * 240.0f * z / 224.0f;
        const int V = VertexTotal, T = TriangleTotal;
        for (int r = 0; r <= rows; r++)
            for (int c = 0; c <= columns; c++)
                VertexPool[VertexTotal++] = {-halfW + 2 * halfW * c / columns, halfH - 2 * halfH * r / rows, z,
                                             (float)c / columns * 4, (float)r / rows * 3};
        for (int r = 0; r < rows; r++) {
            for (int c = 0; c < columns; c++) {
                const uint32_t a = V + r * (columns + 1) + c, b = a + 1, d = a + columns + 1, e = d + 1;
                const uint32_t texture = 1001 + (r * columns + c + layer) % 8;
                TrianglePool[TriangleTotal++] = {{MakeCorner(a, a), MakeCorner(d, d), MakeCorner(b, b)}, texture};
                TrianglePool[TriangleTotal++] = {{MakeCorner(b, b), MakeCorner(d, d), MakeCorner(e, e)}, texture};
            }
        }
        ObjectNameTable[layer][0] = 'L';
        ObjectEntries[layer] = {V * 20, T * 16, VertexTotal - V, TriangleTotal - T, 0, V, 0, 0};
    }
}

void SyntheticScene(benchmark::State& state) {
    const int triangles = (int)state.range(0), layers = (int)state.range(1);
    SetUpFrame();
    MakeTextures();
    BuildSyntheticObjects(triangles, layers);
    double build = 0, sort = 0, raster = 0;
    int drawn = 0;
    for (auto _ : state) {
        NextStamp();
        const Clock::time_point t0 = Clock::now();
        TextureSortPairCount = 0;
        TranslucentPairCount = 0;
        PolygonMode = 3;
        LoadIdentityRender();
        CopyMatrix(ViewMatrix, RenderMatrix);
        int cursor = 0;
        for (int layer = 0; layer < layers; layer++)
            cursor = DrawLitObject(cursor, layer, 1.0e6f, 1);
        const Clock::time_point t1 = Clock::now();
        SortPairsByKey(TextureSortPairs, 0, TextureSortPairCount - 2);
        const Clock::time_point t2 = Clock::now();
        RasterizePrimitives();
        const Clock::time_point t3 = Clock::now();
        build += Ms(t1 - t0);
        sort += Ms(t2 - t1);
        raster += Ms(t3 - t2);
        drawn = cursor / POLYGON_WORDS;
        benchmark::DoNotOptimize(FrameMemory.data());
    }
    const double n = (double)state.iterations();
    state.counters["build_ms"] = build / n;
    state.counters["sort_ms"] = sort / n;
    state.counters["raster_ms"] = raster / n;
    state.counters["frame_ms"] = (build + sort + raster) / n;
    state.counters["triangles"] = drawn;
}
BENCHMARK(SyntheticScene)
    ->ArgsProduct({{1000, 2400, 4800}, {1, 2, 3, 4}})
    ->ArgNames({"triangles", "depth"})
    ->Unit(benchmark::kMillisecond);

// Cycles of the processor's counter in a millisecond, for the builder's
// sort timing.
double CyclesPerMs() {
    StartCycleTimer();
    const Clock::time_point t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const uint32_t cycles = ReadCycleTimer();
    return cycles / Ms(Clock::now() - t0);
}

bool LoadSampleRace() {
    MkOptions options;
    const char* tmp = getenv("TMPDIR");
    options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-soft-frame";
    options.softwareKind = 1;
    if (!MakeGameFolder(options) || !PlatSetCurrentDir(options.outDir.c_str()) || !VfsScanArchives())
        return false;
    SetUpFrame();
    RenderKind = 0;
    DisplayConfig.width = 640;
    DisplayConfig.height = 480;
    FrontEndActive = 0;
    TrackGroup = 1;
    TrackVariant = 0;
    CarCount = 4;
    const int models[4] = {0, 6, 1, 12};
    for (int c = 0; c < 4; c++) {
        CarModel[c] = models[c];
        CarColour[c] = c;
    }
    LoadCameraTable();
    StartRace();
    LoadTrackData();
    PrepareTrackGraphics(nullptr);
    LastFrameTicks = 1;
    UpdateRaceFrame();
    return TriangleTotal > 0;
}

void SampleRaceView(benchmark::State& state) {
    if (!LoadSampleRace()) {
        state.SkipWithError("the sample folder could not be made");
        return;
    }
    const double cyclesPerMs = CyclesPerMs();
    double build = 0, sort = 0, raster = 0;
    int drawn = 0;
    for (auto _ : state) {
        NextStamp();
        const Clock::time_point t0 = Clock::now();
        drawn = BuildScene(0, 0) / POLYGON_WORDS;
        const Clock::time_point t1 = Clock::now();
        RasterizePrimitives();
        const Clock::time_point t2 = Clock::now();
        const double sorting = TextureSortCycles / cyclesPerMs;
        build += Ms(t1 - t0) - sorting;
        sort += sorting;
        raster += Ms(t2 - t1);
    }
    const double n = (double)state.iterations();
    state.counters["build_ms"] = build / n;
    state.counters["sort_ms"] = sort / n;
    state.counters["raster_ms"] = raster / n;
    state.counters["frame_ms"] = (build + sort + raster) / n;
    state.counters["triangles"] = drawn;
}
BENCHMARK(SampleRaceView)->Unit(benchmark::kMillisecond);

}  // namespace
