// The 3D device: the recording backend's log and the checks every call
// makes, and the OpenGL backend (on an EGL surfaceless context; skipped
// where there is none) drawing pre-transformed triangles that are read back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/plat_device.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"

namespace {

PlatTLVertex V(float x, float y, float z, uint32_t colour, float u = 0.0f, float v = 0.0f) {
    return {x, y, z, 1.0f, colour, 0, u, v};
}

// Two triangles covering (x0, y0)-(x1, y1), texture 0..1 across.
std::vector<PlatTLVertex> Quad(float x0, float y0, float x1, float y1, float z, uint32_t colour) {
    return {V(x0, y0, z, colour, 0, 0), V(x1, y0, z, colour, 1, 0), V(x0, y1, z, colour, 0, 1),
            V(x1, y0, z, colour, 1, 0), V(x1, y1, z, colour, 1, 1), V(x0, y1, z, colour, 0, 1)};
}

uint32_t Pixel(PlatSurface* s, int x, int y) {
    void* bits = nullptr;
    int pitch = 0;
    const PlatRect r = {x, y, x + 1, y + 1};
    EXPECT_EQ(PlatSurfaceLock(s, &r, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch), DD_OK);
    uint32_t v = 0;
    if (bits)
        memcpy(&v, bits, PlatPixelFormatBytes(PlatSurfaceFormat(s)));
    PlatSurfaceUnlock(s);
    return v & (PlatPixelFormatBytes(PlatSurfaceFormat(s)) == 4 ? 0xFFFFFFu : 0xFFFFu);
}

int Channel(uint32_t pixel, int shift) { return (int)((pixel >> shift) & 0xFF); }

struct DeviceTest : ::testing::Test {
    PlatSurface* target = nullptr;
    PlatSurface* zbuffer = nullptr;
    PlatDevice* device = nullptr;

    void SetUp() override { ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS)); }
    void TearDown() override {
        PlatDeviceRelease(device);
        PlatSurfaceRelease(zbuffer);
        PlatSurfaceRelease(target);
        PlatShutdown();
    }

    // 1 when the device could be made.
    int Make(int backend, int format, int width = 64, int height = 64, int withZ = 1) {
        EXPECT_EQ(PlatSurfaceCreate(width, height, format, PLAT_SURF_3DDEVICE, &target), DD_OK);
        if (withZ) {
            EXPECT_EQ(PlatSurfaceCreate(width, height, PLAT_PF_Z24, PLAT_SURF_ZBUFFER, &zbuffer), DD_OK);
        }
        return PlatDeviceCreateBackend(backend, target, zbuffer, &device) == DD_OK;
    }

    void Draw(const std::vector<PlatTLVertex>& v, int primitive = PLAT_PT_TRIANGLELIST) {
        ASSERT_EQ(PlatDeviceBeginScene(device), DD_OK);
        ASSERT_EQ(PlatDeviceDrawPrimitive(device, primitive, v.data(), (int)v.size()), DD_OK);
        ASSERT_EQ(PlatDeviceEndScene(device), DD_OK);
    }

    void State(int state, uint32_t value) { ASSERT_EQ(PlatDeviceSetRenderState(device, state, value), DD_OK); }
};

struct GlDeviceTest : DeviceTest {
    void SetUp() override {
        // One rasteriser thread: the tests stay deterministic and quiet
        // under the thread sanitizer.
        setenv("LP_NUM_THREADS", "0", 0);
        DeviceTest::SetUp();
    }
    int MakeGl(int format = PLAT_PF_XRGB8888) { return Make(PLAT_DEVICE_GL, format); }
};

#define REQUIRE_GL(format)                                                      \
    do {                                                                        \
        if (!MakeGl(format))                                                    \
            GTEST_SKIP() << "no OpenGL 3.3 core context without a display here"; \
    } while (0)

}  // namespace

// ---------------------------------------------------------------------------
// The recording backend.

TEST_F(DeviceTest, RecordsScenesStatesTexturesAndDrawsWithTheirViewport) {
    ASSERT_TRUE(Make(PLAT_DEVICE_RECORDING, PLAT_PF_RGB565, 640, 480));
    PlatSurface* texture = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(8, 8, PLAT_PF_RGB565, PLAT_SURF_TEXTURE, &texture), DD_OK);
    const PlatViewport bottom = {0, 240, 640, 240};

    ASSERT_EQ(PlatDeviceSetViewport(device, &bottom), DD_OK);
    ASSERT_EQ(PlatDeviceBeginScene(device), DD_OK);
    State(PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
    ASSERT_EQ(PlatDeviceSetTexture(device, 0, texture), DD_OK);
    const std::vector<PlatTLVertex> quad = Quad(0, 0, 10, 10, 0.5f, 0xFFFFFFFF);
    ASSERT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLELIST, quad.data(), 6), DD_OK);
    ASSERT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLEFAN, quad.data(), 3), DD_OK);
    ASSERT_EQ(PlatDeviceEndScene(device), DD_OK);

    const int kinds[] = {PLAT_EV_VIEWPORT, PLAT_EV_BEGINSCENE, PLAT_EV_STATE, PLAT_EV_TEXTURE,
                         PLAT_EV_DRAW,     PLAT_EV_DRAW,       PLAT_EV_ENDSCENE};
    ASSERT_EQ(PlatDeviceEventCount(device), 7);
    PlatDeviceEvent e;
    for (int i = 0; i < 7; i++) {
        ASSERT_TRUE(PlatDeviceEventAt(device, i, &e));
        EXPECT_EQ(e.kind, kinds[i]) << i;
    }
    PlatDeviceEventAt(device, 2, &e);
    EXPECT_EQ(e.state, PLAT_RS_ZFUNC);
    EXPECT_EQ(e.value, (uint32_t)PLAT_CMP_GREATER);
    PlatDeviceEventAt(device, 4, &e);
    EXPECT_EQ(e.primitive, PLAT_PT_TRIANGLELIST);
    EXPECT_EQ(e.vertexCount, 6);
    EXPECT_EQ(e.viewport.y, 240);
    EXPECT_EQ(e.viewport.height, 240);
    EXPECT_EQ(e.texture, texture);
    PlatDeviceEventAt(device, 5, &e);
    EXPECT_EQ(e.primitive, PLAT_PT_TRIANGLEFAN);
    EXPECT_EQ(e.vertexCount, 3);
    EXPECT_EQ(PlatDeviceSceneCount(device), 1);
    EXPECT_EQ(PlatDeviceGetRenderState(device, PLAT_RS_ZFUNC), (uint32_t)PLAT_CMP_GREATER);
    PlatSurfaceRelease(texture);
}

TEST_F(DeviceTest, RefusesDrawsOutsideASceneAndMalformedPrimitives) {
    ASSERT_TRUE(Make(PLAT_DEVICE_RECORDING, PLAT_PF_RGB565));
    const std::vector<PlatTLVertex> quad = Quad(0, 0, 10, 10, 0.5f, 0);
    EXPECT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLELIST, quad.data(), 6), PLAT_DEVERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(PlatDeviceEndScene(device), PLAT_DEVERR_SCENE_NOT_IN_SCENE);
    ASSERT_EQ(PlatDeviceBeginScene(device), DD_OK);
    EXPECT_EQ(PlatDeviceBeginScene(device), PLAT_DEVERR_SCENE_IN_SCENE);
    EXPECT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLELIST, quad.data(), 4), DDERR_INVALIDPARAMS);
    EXPECT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLEFAN, quad.data(), 2), DDERR_INVALIDPARAMS);
    const PlatViewport outside = {0, 32, 64, 33};
    EXPECT_EQ(PlatDeviceSetViewport(device, &outside), DDERR_INVALIDRECT);
    EXPECT_EQ(PlatDeviceSetRenderState(device, PLAT_RS_COUNT, 1), DDERR_INVALIDPARAMS);
    EXPECT_EQ(PlatDeviceSetTexture(device, 1, nullptr), DDERR_INVALIDPARAMS);
    // Only the scene start reached the log.
    EXPECT_EQ(PlatDeviceEventCount(device), 1);
    // A locked target cannot be drawn into.
    void* bits = nullptr;
    ASSERT_EQ(PlatSurfaceLock(target, nullptr, 0, &bits, nullptr), DD_OK);
    EXPECT_EQ(PlatDeviceDrawPrimitive(device, PLAT_PT_TRIANGLELIST, quad.data(), 6), DDERR_SURFACEBUSY);
    PlatSurfaceUnlock(target);
    PlatDeviceEndScene(device);
}

TEST_F(DeviceTest, ClearFillsOnlyTheViewportAndStatesStartAtTheirDefaults) {
    ASSERT_TRUE(Make(PLAT_DEVICE_RECORDING, PLAT_PF_RGB565));
    EXPECT_EQ(PlatDeviceGetRenderState(device, PLAT_RS_ZENABLE), 1u);
    EXPECT_EQ(PlatDeviceGetRenderState(device, PLAT_RS_SRCBLEND), (uint32_t)PLAT_BLEND_ONE);
    EXPECT_EQ(PlatDeviceGetRenderState(device, PLAT_RS_DESTBLEND), (uint32_t)PLAT_BLEND_ZERO);
    const PlatViewport top = {0, 0, 64, 32};
    ASSERT_EQ(PlatDeviceSetViewport(device, &top), DD_OK);
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0x00FF0000, 0.0f), DD_OK);
    EXPECT_EQ(Pixel(target, 5, 31), 0xF800u);
    EXPECT_EQ(Pixel(target, 5, 32), 0u);
}

TEST_F(DeviceTest, ATargetReleasedUnderTheDeviceStopsItsDrawing) {
    ASSERT_TRUE(Make(PLAT_DEVICE_RECORDING, PLAT_PF_RGB565, 64, 64, 0));
    EXPECT_EQ(PlatDeviceGetRenderState(device, PLAT_RS_ZENABLE), 0u);
    PlatSurfaceRelease(target);
    target = nullptr;
    EXPECT_EQ(PlatDeviceBeginScene(device), DDERR_SURFACELOST);
    EXPECT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0, 0.0f), DDERR_SURFACELOST);
}

// ---------------------------------------------------------------------------
// The OpenGL backend.

TEST_F(GlDeviceTest, DrawsIntoTheBottomViewportOnly) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0, 0.0f), DD_OK);
    const PlatViewport bottom = {0, 32, 64, 32};
    ASSERT_EQ(PlatDeviceSetViewport(device, &bottom), DD_OK);
    State(PLAT_RS_ZENABLE, 0);
    Draw({V(-10, -10, 0.5f, 0xFFFF0000), V(200, -10, 0.5f, 0xFFFF0000), V(-10, 200, 0.5f, 0xFFFF0000)});
    EXPECT_EQ(Pixel(target, 10, 31), 0u);
    EXPECT_EQ(Pixel(target, 10, 32), 0xFF0000u);
    EXPECT_EQ(Pixel(target, 60, 60), 0xFF0000u);
    EXPECT_EQ(Pixel(target, 60, 0), 0u);
}

TEST_F(GlDeviceTest, DepthTestKeepsTheNearerPictureWhateverTheOrder) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    // The game's depth grows towards the viewer: clear to 0, pass GREATER.
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0, 0.0f), DD_OK);
    State(PLAT_RS_ZENABLE, 1);
    State(PLAT_RS_ZWRITEENABLE, 1);
    State(PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
    State(PLAT_RS_CULLMODE, PLAT_CULL_NONE);
    Draw(Quad(0, 0, 64, 64, 0.6f, 0xFF00FF00));   // near, green
    Draw(Quad(0, 0, 64, 64, 0.3f, 0xFFFF0000));   // far, red: hidden
    Draw(Quad(0, 0, 32, 64, 0.9f, 0xFF0000FF));   // nearer still on the left
    EXPECT_EQ(Pixel(target, 48, 20), 0x00FF00u);
    EXPECT_EQ(Pixel(target, 16, 20), 0x0000FFu);
    // With z writes off a polygon drawn over everything leaves the depth
    // as it was.
    State(PLAT_RS_ZWRITEENABLE, 0);
    State(PLAT_RS_ZFUNC, PLAT_CMP_ALWAYS);
    Draw(Quad(0, 0, 64, 64, 0.1f, 0xFFFFFFFF));
    State(PLAT_RS_ZFUNC, PLAT_CMP_GREATER);
    State(PLAT_RS_ZWRITEENABLE, 1);
    Draw(Quad(40, 0, 64, 64, 0.7f, 0xFFFF0000));
    EXPECT_EQ(Pixel(target, 48, 20), 0xFF0000u);   // 0.7 beat the 0.6 still in the buffer
}

TEST_F(GlDeviceTest, KeyedTexelsAreDiscardedAndOthersModulated) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    PlatSurface* texture = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(2, 2, PLAT_PF_RGB565, PLAT_SURF_TEXTURE, &texture), DD_OK);
    // Black top-left and bottom-right; white elsewhere.  Black is the key.
    PlatSurfaceFill(texture, nullptr, 0xFFFF, PLAT_WAIT);
    const PlatRect tl = {0, 0, 1, 1}, br = {1, 1, 2, 2};
    PlatSurfaceFill(texture, &tl, 0, PLAT_WAIT);
    PlatSurfaceFill(texture, &br, 0, PLAT_WAIT);
    PlatSurfaceSetColourKey(texture, 1, 0, 0);

    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0x000000FF, 0.0f), DD_OK);
    State(PLAT_RS_ZENABLE, 0);
    State(PLAT_RS_COLORKEYENABLE, 1);
    State(PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_MODULATE);
    State(PLAT_RS_TEXTUREADDRESS, PLAT_TADDRESS_CLAMP);
    ASSERT_EQ(PlatDeviceSetTexture(device, 0, texture), DD_OK);
    Draw(Quad(0, 0, 64, 64, 0.5f, 0xFF808080));
    EXPECT_EQ(Pixel(target, 10, 10), 0x0000FFu);   // keyed: the blue clear shows through
    EXPECT_EQ(Pixel(target, 50, 50), 0x0000FFu);
    const uint32_t grey = Pixel(target, 50, 10);   // white x 0x80
    EXPECT_NEAR(Channel(grey, 16), 128, 1);
    EXPECT_NEAR(Channel(grey, 8), 128, 1);

    // Without the key state the black texels draw (black x grey).
    State(PLAT_RS_COLORKEYENABLE, 0);
    Draw(Quad(0, 0, 64, 64, 0.5f, 0xFF808080));
    EXPECT_EQ(Pixel(target, 10, 10), 0u);
    PlatSurfaceRelease(texture);
}

TEST_F(GlDeviceTest, AdditiveAndMultiplicativeBlending) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    State(PLAT_RS_ZENABLE, 0);
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0x00402000, 0.0f), DD_OK);
    State(PLAT_RS_ALPHABLENDENABLE, 1);
    State(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
    State(PLAT_RS_DESTBLEND, PLAT_BLEND_ONE);
    Draw(Quad(0, 0, 64, 64, 0.5f, 0x00108000));   // alpha 0 does not matter
    EXPECT_EQ(Pixel(target, 30, 30), 0x50A000u);

    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0x00C86432, 0.0f), DD_OK);   // 200, 100, 50
    State(PLAT_RS_SRCBLEND, PLAT_BLEND_DESTCOLOR);
    State(PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO);
    Draw(Quad(0, 0, 64, 64, 0.5f, 0xFF80FF00));   // x 128/255, x 1, x 0
    const uint32_t p = Pixel(target, 30, 30);
    EXPECT_NEAR(Channel(p, 16), 100, 1);
    EXPECT_NEAR(Channel(p, 8), 100, 1);
    EXPECT_EQ(Channel(p, 0), 0);
}

TEST_F(GlDeviceTest, FlatShadingTakesTheFirstVertexAndGouraudBlends) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    State(PLAT_RS_ZENABLE, 0);
    State(PLAT_RS_SHADEMODE, PLAT_SHADE_FLAT);
    const std::vector<PlatTLVertex> tri = {V(0, 0, 0.5f, 0xFFFF0000), V(64, 0, 0.5f, 0xFF00FF00),
                                           V(0, 64, 0.5f, 0xFF0000FF)};
    Draw(tri);
    EXPECT_EQ(Pixel(target, 20, 20), 0xFF0000u);
    EXPECT_EQ(Pixel(target, 50, 5), 0xFF0000u);
    State(PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD);
    Draw(tri);
    const uint32_t p = Pixel(target, 50, 5);
    EXPECT_GT(Channel(p, 8), 150);   // mostly the green corner's
    EXPECT_LT(Channel(p, 16), 100);
}

TEST_F(GlDeviceTest, CullingFollowsTheWindingOnTheScreen) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    State(PLAT_RS_ZENABLE, 0);
    // Clockwise on the screen (y grows downwards), and the same reversed.
    const std::vector<PlatTLVertex> clockwise = {V(0, 0, 0.5f, 0xFFFF0000), V(64, 0, 0.5f, 0xFFFF0000),
                                                 V(0, 64, 0.5f, 0xFFFF0000)};
    const std::vector<PlatTLVertex> counter = {clockwise[0], clockwise[2], clockwise[1]};
    State(PLAT_RS_CULLMODE, PLAT_CULL_CCW);
    Draw(counter);
    EXPECT_EQ(Pixel(target, 10, 10), 0u);
    Draw(clockwise);
    EXPECT_EQ(Pixel(target, 10, 10), 0xFF0000u);
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0, 0.0f), DD_OK);
    State(PLAT_RS_CULLMODE, PLAT_CULL_CW);
    Draw(clockwise);
    EXPECT_EQ(Pixel(target, 10, 10), 0u);
    Draw(counter);
    EXPECT_EQ(Pixel(target, 10, 10), 0xFF0000u);
}

TEST_F(GlDeviceTest, CpuAndDeviceDrawingKeepEachOthersPixels) {
    REQUIRE_GL(PLAT_PF_RGB565);
    // The CPU's picture reaches the device before it draws ...
    ASSERT_EQ(PlatSurfaceFill(target, nullptr, 0x8410, PLAT_WAIT), DD_OK);
    State(PLAT_RS_ZENABLE, 0);
    Draw(Quad(0, 0, 16, 16, 0.5f, 0xFF00FF00));
    // ... and the device's comes back for the CPU, exactly in 5-6-5.
    EXPECT_EQ(Pixel(target, 8, 8), 0x07E0u);
    EXPECT_EQ(Pixel(target, 40, 40), 0x8410u);
    const PlatRect corner = {60, 60, 64, 64};
    ASSERT_EQ(PlatSurfaceFill(target, &corner, 0xF800, PLAT_WAIT), DD_OK);
    Draw(Quad(16, 16, 32, 32, 0.5f, 0xFF0000FF));
    PlatDeviceRelease(device);
    device = nullptr;
    // Released, the device leaves its last picture in the surface.
    EXPECT_EQ(Pixel(target, 20, 20), 0x001Fu);
    EXPECT_EQ(Pixel(target, 62, 62), 0xF800u);
    EXPECT_EQ(Pixel(target, 8, 8), 0x07E0u);
}

// A draw changes only the states that differ from the draw before; a clear
// (or the presenter) leaves the context in a state the device no longer
// knows, and the next draw sets everything again.
TEST_F(GlDeviceTest, DrawsChangeOnlyTheStatesThatChanged) {
    REQUIRE_GL(PLAT_PF_XRGB8888);
    const std::vector<PlatTLVertex> quad = Quad(0, 0, 64, 64, 0.5f, 0xFF204060);
    Draw(quad);
    const int first = PlatDeviceStateChanges(device);
    EXPECT_GT(first, 5);
    Draw(quad);
    EXPECT_EQ(PlatDeviceStateChanges(device), first) << "the same states again";
    State(PLAT_RS_ALPHABLENDENABLE, 1);
    State(PLAT_RS_SRCBLEND, PLAT_BLEND_ONE);
    State(PLAT_RS_DESTBLEND, PLAT_BLEND_ONE);
    Draw(quad);
    const int blend = PlatDeviceStateChanges(device) - first;
    EXPECT_EQ(blend, 2) << "blending on, and its factors";
    EXPECT_EQ(Channel(Pixel(target, 10, 10), 8), 2 * 0x40) << "the cached states still draw right";
    ASSERT_EQ(PlatDeviceClear(device, PLAT_CLEAR_TARGET, 0, 1.0f), DD_OK);
    const int cleared = PlatDeviceStateChanges(device);
    Draw(quad);
    EXPECT_GT(PlatDeviceStateChanges(device) - cleared, blend);
    EXPECT_EQ(Channel(Pixel(target, 10, 10), 8), 0x40);
}
