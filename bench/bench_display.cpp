// Costs of the display path per frame: copying the work surface to the
// back buffer, stretching the loading picture, a screenshot, and the GL
// device's hand-over of a 640 x 480 frame (upload plus read-back) and a
// batch of textured triangles.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frame/utils.h"
#include "platform/plat_device.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"

namespace {

PlatSurface* Make(int w, int h, int format, int caps = PLAT_SURF_SYSTEMMEMORY) {
    PlatSurface* s = nullptr;
    PlatSurfaceCreate(w, h, format, caps, &s);
    return s;
}

void BM_BackBufferCopy(benchmark::State& state) {
    PlatSurface* work = Make(640, 1440, PLAT_PF_RGB565);
    PlatSurface* back = Make(640, 480, PLAT_PF_RGB565);
    const PlatRect top = {0, 0, 640, 480};
    for (auto _ : state)
        benchmark::DoNotOptimize(PlatSurfaceBltFast(back, 0, 0, work, &top, PLAT_WAIT));
    PlatSurfaceRelease(work);
    PlatSurfaceRelease(back);
}
BENCHMARK(BM_BackBufferCopy);

void BM_KeyedCopy(benchmark::State& state) {
    PlatSurface* picture = Make(318, 65, PLAT_PF_RGB565);
    PlatSurface* back = Make(640, 480, PLAT_PF_RGB565);
    PlatSurfaceSetColourKey(picture, 1, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlatSurfaceBltFast(back, 10, 10, picture, nullptr, PLAT_WAIT | PLAT_BLT_KEYSRC));
    PlatSurfaceRelease(picture);
    PlatSurfaceRelease(back);
}
BENCHMARK(BM_KeyedCopy);

void BM_StretchTo1024(benchmark::State& state) {
    PlatSurface* copy = Make(640, 480, PLAT_PF_RGB565);
    PlatSurface* back = Make(1024, 768, PLAT_PF_RGB565);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlatSurfaceBlt(back, nullptr, copy, nullptr, PLAT_WAIT));
    PlatSurfaceRelease(copy);
    PlatSurfaceRelease(back);
}
BENCHMARK(BM_StretchTo1024);

void BM_Screenshot640(benchmark::State& state) {
    PlatSurface* back = Make(640, 480, PLAT_PF_RGB565);
    const std::string path = std::string(getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp") + "/bench_shot.tga";
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveScreenshotTga(path.c_str(), back));
    PlatSurfaceRelease(back);
}
BENCHMARK(BM_Screenshot640);

struct GlFrame {
    PlatSurface* target = nullptr;
    PlatSurface* z = nullptr;
    PlatDevice* device = nullptr;
    bool ok = false;
    GlFrame() {
        PlatInit(PLAT_BACKEND_HEADLESS);
        target = Make(640, 480, PLAT_PF_RGB565, PLAT_SURF_3DDEVICE);
        PlatSurfaceCreate(640, 480, PLAT_PF_Z16, PLAT_SURF_ZBUFFER, &z);
        ok = PlatDeviceCreateBackend(PLAT_DEVICE_GL, target, z, &device) == DD_OK;
    }
    ~GlFrame() {
        PlatDeviceRelease(device);
        PlatSurfaceRelease(z);
        PlatSurfaceRelease(target);
        PlatShutdown();
    }
};

// A frame's hand-over: the CPU draws (a fill), the device draws over it
// (upload), the CPU draws again (read-back).
void BM_GlFrameHandOver(benchmark::State& state) {
    GlFrame f;
    if (!f.ok) {
        state.SkipWithError("no OpenGL here");
        return;
    }
    const PlatTLVertex tri[3] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0, 0},
                                 {4, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0, 0},
                                 {0, 4, 0.5f, 1, 0xFFFFFFFF, 0, 0, 0}};
    const PlatRect corner = {600, 440, 640, 480};
    for (auto _ : state) {
        PlatSurfaceFill(f.target, &corner, 0x1234, PLAT_WAIT);
        PlatDeviceBeginScene(f.device);
        PlatDeviceDrawPrimitive(f.device, PLAT_PT_TRIANGLELIST, tri, 3);
        PlatDeviceEndScene(f.device);
        PlatSurfaceFill(f.target, &corner, 0x4321, PLAT_WAIT);
    }
}
BENCHMARK(BM_GlFrameHandOver)->Unit(benchmark::kMillisecond);

// Textured, depth-tested triangles in batches of `range` vertices.
void BM_GlTriangles(benchmark::State& state) {
    GlFrame f;
    if (!f.ok) {
        state.SkipWithError("no OpenGL here");
        return;
    }
    PlatSurface* texture = Make(64, 64, PLAT_PF_RGB565, PLAT_SURF_TEXTURE);
    PlatDeviceSetTexture(f.device, 0, texture);
    PlatDeviceSetRenderState(f.device, PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
    const int count = (int)state.range(0);
    std::vector<PlatTLVertex> v((size_t)count);
    for (int i = 0; i < count; i++) {
        const float x = (float)((i * 37) % 600), y = (float)((i * 53) % 440);
        v[(size_t)i] = {x + (float)(i % 3 == 1) * 40, y + (float)(i % 3 == 2) * 40, 0.5f, 1, 0xFF808080, 0,
                        (float)(i % 3 == 1), (float)(i % 3 == 2)};
    }
    for (auto _ : state) {
        PlatDeviceClear(f.device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0, 0.0f);
        PlatDeviceBeginScene(f.device);
        PlatDeviceDrawPrimitive(f.device, PLAT_PT_TRIANGLELIST, v.data(), count);
        PlatDeviceEndScene(f.device);
        void* bits = nullptr;
        PlatSurfaceLock(f.target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, nullptr);   // waits for the GPU
        PlatSurfaceUnlock(f.target);
    }
    state.SetItemsProcessed(state.iterations() * count / 3);
    PlatSurfaceRelease(texture);
}
BENCHMARK(BM_GlTriangles)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
