// Whole race frames on the Direct3D path: the same grid view drawn by the
// software frame and through OpenGL, and a display re-created in the
// middle of a race.  Both need an OpenGL context on EGL surfaceless (the
// comparison is skipped without one).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "d3d_test_util.h"
#include "frame/framework.h"
#include "frontend/frontend_state.h"
#include "platform/plat_headless_devices.h"
#include "render/soft_frame.h"
#include "render/surfaces2d.h"

namespace {

int Close(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > 16)
            return 0;
    }
    return 1;
}

// The loaded race drawn by RenderScene on the device with white colour
// ramps, nearest filtering and full-size textures; or as the game draws it,
// the display's device making textures of half the pictures' size, filtered.
std::vector<uint32_t> DrawOnDevice(TestDevice& gl, bool asTheGame = false) {
    RenderKind = 1;
    const PlatDeviceCaps caps = DisplayCaps(asTheGame ? 0 : 1);
    ReadDeviceCaps(&caps);
    TextureFilter = asTheGame ? PLAT_FILTER_LINEAR : PLAT_FILTER_NEAREST;
    TextureReloadFlag = 1;
    PrepareTrackGraphics(nullptr);
    EXPECT_EQ(InitDeviceObjects(gl.device, 0), 0);
    BuildColourRamp(255, 255, 255);
    EXPECT_EQ(RenderScene(gl.device, 0, nullptr), 0);
    std::vector<uint32_t> picture = gl.Picture();
    DeleteDeviceObjects();
    TextureFreeAll();
    return picture;
}

// The dial and the map hidden for a test, shown again after it.
struct HudHidden {
    int hud = HudVisible, map = MapVisible;
    HudHidden() { HudVisible = MapVisible = 0; }
    ~HudHidden() {
        HudVisible = hud;
        MapVisible = map;
    }
};

// The loaded race drawn by the software frame, as 0x00RRGGBB.
std::vector<uint32_t> DrawSoftware() {
    RenderKind = 0;
    TextureReloadFlag = 1;
    PrepareTrackGraphics(nullptr);
    std::vector<uint32_t> picture(640 * 480);
    if (PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface) != DD_OK)
        return picture;
    DrawRaceFrame();
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) == DD_OK) {
        for (int y = 0; y < 480; y++) {
            const uint16_t* row = (const uint16_t*)((const uint8_t*)bits + y * SOFT_ROW_BYTES);
            for (int x = 0; x < 640; x++)
                picture[y * 640 + x] = TestDevice::Rgb565(row[x]);
        }
        PlatSurfaceUnlock(WorkSurface);
    }
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
    return picture;
}

int Grey(uint32_t rgb) { return (int)(((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)) / 3; }

// How much the dial's darkening layers take off the scene beneath, on one
// path, as the mean grey lost: inside the rev counter's disc, in the speed
// panel, and in the dial box's corners outside the disc.  The face, the
// needle and the digits stand brighter than the scene and are left out.
struct DialShade {
    double disc = 0, panel = 0, corners = 0;
};

DialShade ShadeOf(const std::vector<uint32_t>& with, const std::vector<uint32_t>& without) {
    // At 640 x 480 the dial's box is 128 pixels a side from (509, 350) and
    // the speed panel 64 x 32 from (445, 435).
    double sums[3] = {};
    int counts[3] = {};
    auto add = [&](int region, int x, int y) {
        const int under = Grey(without[y * 640 + x]), over = Grey(with[y * 640 + x]);
        if (over > under + 8)
            return;
        sums[region] += under - over;
        counts[region]++;
    };
    for (int y = 350; y < 478; y++)
        for (int x = 509; x < 637; x++) {
            const double r = std::hypot(x + 0.5 - 573.0, y + 0.5 - 414.0);
            if (r < 50.0)
                add(0, x, y);
            else if (r > 66.0)
                add(2, x, y);
        }
    for (int y = 436; y < 466; y++)
        for (int x = 446; x < 508; x++)
            add(1, x, y);
    EXPECT_GT(counts[0], 2000);
    EXPECT_GT(counts[1], 500);
    EXPECT_GT(counts[2], 500);
    return {counts[0] ? sums[0] / counts[0] : 0, counts[1] ? sums[1] / counts[1] : 0,
            counts[2] ? sums[2] / counts[2] : 0};
}

}  // namespace

// The quick race's grid view with white colour ramps, effects off, nearest
// filtering and full-size textures: what the software frame rasterised (its
// depth area carries the frame's stamp there) the device draws alike.
TEST(CrossPath, TheGridViewLooksTheSameOnBothPaths) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    EffectsOption = 0;
    LoadQuickRace(0, "crosspath");
    // The scene alone: the dial and the map blend differently on the paths.
    const HudHidden hidden;
    ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), DD_OK);
    DepthStampCounter = 0;
    DrawRaceFrame();
    const uint32_t stamp = DepthStamp >> 24;
    std::vector<uint32_t> soft(640 * 480);
    std::vector<uint8_t> drawn(640 * 480);
    {
        void* bits = nullptr;
        int pitch = 0;
        ASSERT_EQ(PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch), DD_OK);
        const uint8_t* base = (const uint8_t*)bits;
        for (int y = 0; y < 480; y++) {
            const uint16_t* row = (const uint16_t*)(base + y * SOFT_ROW_BYTES);
            const uint32_t* depth = (const uint32_t*)(base + SOFT_DEPTH_OFFSET + y * SOFT_DEPTH_ROW_BYTES);
            for (int x = 0; x < 640; x++) {
                soft[y * 640 + x] = TestDevice::Rgb565(row[x]);
                drawn[y * 640 + x] = depth[x] != 0 && depth[x] >> 24 == stamp;
            }
        }
        PlatSurfaceUnlock(WorkSurface);
    }
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;

    std::vector<uint32_t> device;
    {
        TestDevice gl(PLAT_DEVICE_GL);
        if (!gl.device)
            GTEST_SKIP() << "no OpenGL context on EGL surfaceless here";
        device = DrawOnDevice(gl);
    }

    int total = 0, same = 0, near = 0;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            if (!drawn[y * 640 + x])
                continue;
            total++;
            const uint32_t want = soft[y * 640 + x];
            if (Close(want, device[y * 640 + x])) {
                same++;
                near++;
                continue;
            }
            int found = 0;
            for (int dy = -1; dy <= 1 && !found; dy++)
                for (int dx = -1; dx <= 1 && !found; dx++) {
                    const int nx = x + dx, ny = y + dy;
                    found = nx >= 0 && nx < 640 && ny >= 0 && ny < 480 && Close(want, device[ny * 640 + nx]);
                }
            near += found;
        }
    }
    ASSERT_GT(total, 640 * 480 / 2) << "the software frame drew most of the screen";
    const double samePart = (double)same / total, nearPart = (double)near / total;
    RecordProperty("rasterised", total);
    RecordProperty("same_position_permille", (int)(samePart * 1000));
    RecordProperty("with_neighbours_permille", (int)(nearPart * 1000));
    printf("cross-path: %d pixels rasterised, %.1f%% match at the same position, %.1f%% with a neighbour\n", total,
           samePart * 100.0, nearPart * 100.0);
    EXPECT_GE(nearPart, 0.95);
    EXPECT_GE(samePart, 0.85);
    PlatShutdown();
}

// The device multiplies the scene by the dial's darkening layers; the
// software frame darkens by a fixed step under each layer's every colour but
// its first: over the road's grey both take off alike, and neither touches
// the dial box round the disc.
TEST(CrossPath, TheDialAndTheSpeedPanelDarkenAlikeOnBothPaths) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    EffectsOption = 0;
    LoadQuickRace(0, "crossdial");
    const int keptHud = HudVisible, keptMap = MapVisible;
    MapVisible = 0;
    HudVisible = 1;
    const std::vector<uint32_t> softWith = DrawSoftware();
    HudVisible = 0;
    const std::vector<uint32_t> softWithout = DrawSoftware();
    std::vector<uint32_t> deviceWith, deviceWithout;
    {
        TestDevice gl(PLAT_DEVICE_GL);
        if (!gl.device) {
            HudVisible = keptHud, MapVisible = keptMap;
            GTEST_SKIP() << "no OpenGL context on EGL surfaceless here";
        }
        HudVisible = 1;
        deviceWith = DrawOnDevice(gl);
        HudVisible = 0;
        deviceWithout = DrawOnDevice(gl);
    }
    HudVisible = keptHud, MapVisible = keptMap;
    const DialShade software = ShadeOf(softWith, softWithout), device = ShadeOf(deviceWith, deviceWithout);
    printf("dial shade: software %.1f %.1f %.1f, device %.1f %.1f %.1f (disc, panel, corners)\n", software.disc,
           software.panel, software.corners, device.disc, device.panel, device.corners);
    EXPECT_GT(device.disc, 20.0) << "the rev counter is darkened";
    EXPECT_NEAR(software.disc, device.disc, 4.0);
    EXPECT_NEAR(software.panel, device.panel, 4.0);
    EXPECT_NEAR(device.corners, 0.0, 2.0);
    EXPECT_NEAR(software.corners, 0.0, 2.0);
    PlatShutdown();
}

namespace {

// What the dial and the map change on the screen of one path: the picture
// with them less the picture without, per channel.
struct Overlay {
    std::vector<uint32_t> with, without;
    int Delta(int x, int y, int shift) const {
        return (int)((with[y * 640 + x] >> shift) & 0xFF) - (int)((without[y * 640 + x] >> shift) & 0xFF);
    }
    // The largest change of the three channels.
    int Change(int x, int y) const {
        int most = 0;
        for (int shift = 0; shift < 24; shift += 8)
            most = std::max(most, std::abs(Delta(x, y, shift)));
        return most;
    }
};

// The mean over a box of how far one path's change differs from the
// nearest like change of the other's within a pixel (the two rasterisers
// place an edge up to a pixel apart), both ways.
double DeltaDifference(const Overlay& a, const Overlay& b, int x0, int y0, int x1, int y1) {
    auto oneWay = [&](const Overlay& p, const Overlay& q) {
        double sum = 0;
        int count = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                double best = 1e9;
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++) {
                        double d = 0;
                        for (int shift = 0; shift < 24; shift += 8)
                            d += std::abs(p.Delta(x, y, shift) - q.Delta(x + dx, y + dy, shift)) / 3.0;
                        best = std::min(best, d);
                    }
                sum += best;
                count++;
            }
        return sum / count;
    };
    return (oneWay(a, b) + oneWay(b, a)) / 2.0;
}

// The pixels of a box that an overlay changes by more than `by`.
std::vector<int> Changed(const Overlay& o, int x0, int y0, int x1, int y1, int by) {
    std::vector<int> marked;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            if (o.Change(x, y) > by)
                marked.push_back(y * 640 + x);
    return marked;
}

// The share of one set's pixels that have a pixel of the other within one.
double NearShare(const std::vector<int>& from, const std::vector<int>& to) {
    std::vector<uint8_t> in(640 * 480);
    for (int p : to)
        in[p] = 1;
    int near = 0;
    for (int p : from) {
        const int x = p % 640, y = p / 640;
        int found = 0;
        for (int dy = -1; dy <= 1 && !found; dy++)
            for (int dx = -1; dx <= 1 && !found; dx++) {
                const int nx = x + dx, ny = y + dy;
                found = nx >= 0 && nx < 640 && ny >= 0 && ny < 480 && in[ny * 640 + nx];
            }
        near += found;
    }
    return from.empty() ? 0.0 : (double)near / (double)from.size();
}

// The sky of the top third, row by row: the median colour of the pixels
// that are not cloud-white, and the share of cloud-white pixels.
struct Sky {
    std::vector<uint32_t> rowColour;
    double cloud = 0;
};

Sky SkyOf(const std::vector<uint32_t>& picture) {
    Sky sky;
    int clouds = 0;
    for (int y = 0; y < 160; y++) {
        std::vector<int> channel[3];
        for (int x = 0; x < 640; x++) {
            const uint32_t p = picture[y * 640 + x];
            if (((p >> 16) & 0xFF) > 220 && ((p >> 8) & 0xFF) > 220 && (p & 0xFF) > 220) {
                clouds++;
                continue;
            }
            for (int k = 0; k < 3; k++)
                channel[k].push_back((int)((p >> (16 - 8 * k)) & 0xFF));
        }
        uint32_t colour = 0;
        for (int k = 0; k < 3; k++) {
            std::sort(channel[k].begin(), channel[k].end());
            const int median = channel[k].empty() ? 0 : channel[k][channel[k].size() / 2];
            colour |= (uint32_t)median << (16 - 8 * k);
        }
        sky.rowColour.push_back(colour);
    }
    sky.cloud = clouds / (160.0 * 640.0);
    return sky;
}

}  // namespace

// The quick race's grid view as the game draws it on each path (the
// Direct3D textures at half the pictures' size): the dial changes the
// screen alike on both (the face's ticks, the needle, the digits, the
// darkening layers), the map marks the same outline and leaves the rest of
// its box be, and the sky of the top third has the backdrop's colours and
// clouds.  The map's outline is darker than the scene on the software path
// and brighter through the device, as their blends make it (a darkening
// mask against an additive texture).
TEST(CrossPath, TheDialTheMapAndTheSkyLookAlikeOnBothPaths) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    EffectsOption = 0;
    SkyOption = 1;
    LoadQuickRace(0, "crosslook");
    LoadHudSurfaces();   // the software frame's sky backdrop
    const int keptHud = HudVisible, keptMap = MapVisible;
    Overlay soft, device;
    HudVisible = MapVisible = 1;
    soft.with = DrawSoftware();
    HudVisible = MapVisible = 0;
    soft.without = DrawSoftware();
    {
        TestDevice gl(PLAT_DEVICE_GL);
        if (!gl.device) {
            HudVisible = keptHud, MapVisible = keptMap;
            SkyOption = 0;
            FreeHudSurfaces();
            GTEST_SKIP() << "no OpenGL context on EGL surfaceless here";
        }
        HudVisible = MapVisible = 1;
        device.with = DrawOnDevice(gl, true);
        HudVisible = MapVisible = 0;
        device.without = DrawOnDevice(gl, true);
    }
    HudVisible = keptHud, MapVisible = keptMap;
    SkyOption = 0;
    FreeHudSurfaces();

    // The dial's box: 128 pixels a side from (509, 350), its centre at
    // (573, 414); the face's ticks stand 46 to 56 pixels out.
    const double dial = DeltaDifference(soft, device, 509, 350, 637, 478);
    auto white = [](uint32_t p) { return ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && (p & 0xFF) > 200; };
    int softTicks = 0, deviceTicks = 0, sameTicks = 0;
    for (int y = 350; y < 478; y++)
        for (int x = 509; x < 637; x++) {
            const double r = std::hypot(x + 0.5 - 573.0, y + 0.5 - 414.0);
            if (r < 46.0 || r >= 56.0)
                continue;
            const int s = white(soft.with[y * 640 + x]), d = white(device.with[y * 640 + x]);
            softTicks += s;
            deviceTicks += d;
            sameTicks += s && d;
        }
    // The map's box: 128 pixels a side from (20, 332).
    const std::vector<int> softMap = Changed(soft, 20, 332, 148, 460, 12);
    const std::vector<int> deviceMap = Changed(device, 20, 332, 148, 460, 12);
    const double softOnDevice = NearShare(softMap, deviceMap), deviceOnSoft = NearShare(deviceMap, softMap);
    const Sky softSky = SkyOf(soft.without), deviceSky = SkyOf(device.without);
    double sky = 0;
    for (int y = 0; y < 160; y++)
        for (int shift = 0; shift < 24; shift += 8)
            sky += std::abs((int)((softSky.rowColour[y] >> shift) & 0xFF) - (int)((deviceSky.rowColour[y] >> shift) & 0xFF)) /
                   (3.0 * 160.0);
    printf("dial: %.1f levels apart, ticks %d and %d pixels, %d in the same place; map: %zu and %zu pixels marked, %.0f%% and %.0f%% near the other's; "
           "sky: %.1f levels apart, clouds %.0f%% and %.0f%%\n",
           dial, softTicks, deviceTicks, sameTicks, softMap.size(), deviceMap.size(), softOnDevice * 100, deviceOnSoft * 100, sky, softSky.cloud * 100,
           deviceSky.cloud * 100);
    EXPECT_LT(dial, 5.0) << "the dial changes the screen alike";
    EXPECT_GT(softTicks, 50) << "the ticks are drawn";
    EXPECT_GE(sameTicks, softTicks * 6 / 10) << "the ticks are the same lines on both paths, not dots on one";
    EXPECT_GT(softMap.size(), 300u) << "the map's outline";
    EXPECT_GE(softOnDevice, 0.9) << "the same outline";
    EXPECT_GE(deviceOnSoft, 0.9) << "the same outline";
    // Beyond its outline (and a pixel round it) the map leaves the scene be.
    for (const Overlay* o : {&soft, &device}) {
        std::vector<uint8_t> near(640 * 480);
        for (const std::vector<int>* marked : {&softMap, &deviceMap})
            for (int p : *marked)
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++)
                        near[p + dy * 640 + dx] = 1;
        double sum = 0;
        int count = 0;
        for (int y = 332; y < 460; y++)
            for (int x = 20; x < 148; x++)
                if (!near[y * 640 + x]) {
                    sum += o->Change(x, y);
                    count++;
                }
        EXPECT_LT(sum / count, 2.0) << (o == &soft ? "software" : "device") << ": the rest of the map's box";
    }
    EXPECT_LT(sky, 4.0) << "the sky's colours";
    EXPECT_GT(softSky.cloud, 0.05);
    EXPECT_GT(deviceSky.cloud, 0.05) << "clouds on both paths";
    PlatShutdown();
}

// A polygon nearer the eye than depth 1 (q above 10.24) is held at the
// front by the device, not clipped away.
TEST(CrossPath, PolygonsNearerThanDepthOneAreDrawn) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    {
        TestDevice gl(PLAT_DEVICE_GL);
        if (!gl.device)
            GTEST_SKIP() << "no OpenGL context on EGL surfaceless here";
        RenderKind = 1;
        FrontEndActive = 0;
        EditorOpen = 0;
        for (int n = 0; n < TEXTURE_SLOTS; n++) {
            SlotTextures[n] = nullptr;
            TextureRenderFlags[n] = 0;
        }
        TextureSortPairCount = 0;
        AddListPolygon(500, 4, 0xFF8000, 100.0f, 100.0f, 200.0f);
        ASSERT_EQ(PlatDeviceClear(gl.device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0x0000FF, 0.0f), DD_OK);
        PlatDeviceBeginScene(gl.device);
        DrawPolygonList3D(gl.device, 0);
        PlatDeviceEndScene(gl.device);
        EXPECT_EQ(gl.Picture()[110 * 640 + 110], TestDevice::Rgb565((uint16_t)PlatPixelFromRgb(PLAT_PF_RGB565, 255, 128, 0)));
    }
    PlatShutdown();
}

// The display is re-created in the middle of a race: the slot table forgets
// the released textures, the device hooks make them again on the new
// device, and the next frame draws the picture of the frame before.  (Under
// the address sanitizer a bound released texture would stop the run.)
TEST(DisplayRecreation, AMidRaceRecreationBindsNewTexturesAndDrawsTheSamePicture) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    setenv("LP_NUM_THREADS", "0", 0);
    PlatHeadlessSetDeviceBackend(PLAT_DEVICE_GL);   // the recording device when there is no EGL
    LoadQuickRace(1, "recreate");
    WindowedMode = 0;
    WantedWidth = CurrentModeWidth = 640;
    WantedHeight = CurrentModeHeight = 480;
    WantedDepth = CurrentModeDepth = 16;
    ASSERT_EQ(OpenFramework(), 1);
    auto frame = [] {
        UpdateScreenMetrics();
        SelectViewport(0);
        const RectI screen = {0, 0, 640, 480};
        EXPECT_EQ(RenderScene(GetDevice3D(), CurrentViewport, &screen), 0);
        std::vector<uint32_t> picture(640 * 480);
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(GetRenderTarget(), nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) == DD_OK) {
            for (int y = 0; y < 480; y++)
                for (int x = 0; x < 640; x++)
                    picture[y * 640 + x] = ((const uint16_t*)((const uint8_t*)bits + y * pitch))[x];
            PlatSurfaceUnlock(GetRenderTarget());
        }
        return picture;
    };
    auto slotsHoldLiveTextures = [] {
        int bound = 0;
        for (int slot = 0; slot < TEXTURE_SLOTS; slot++) {
            EXPECT_EQ(SlotTextures[slot], TextureOf(slot)) << "slot " << slot;
            bound += SlotTextures[slot] != nullptr;
        }
        return bound;
    };
    const std::vector<uint32_t> before = frame();
    const int bound = slotsHoldLiveTextures();
    EXPECT_GT(bound, 30);
    if (PlatDeviceBackendOf(GetDevice3D()) == PLAT_DEVICE_GL) {
        int drawn = 0;
        for (uint32_t pixel : before)
            drawn += pixel != before[0];
        EXPECT_GT(drawn, 640 * 480 / 2) << "the race view is on the screen";
    }

    ForceDisplayRecreate = 1;
    ASSERT_EQ(RecreateDisplay(1), 1);
    ForceDisplayRecreate = 0;
    for (PlatSurface* texture : SlotTextures)
        ASSERT_EQ(texture, nullptr) << "no released texture is left to bind";
    EXPECT_EQ(TextureReloadFlag, 1);
    const std::vector<uint32_t> after = frame();
    EXPECT_EQ(slotsHoldLiveTextures(), bound);
    int differ = 0;
    for (size_t i = 0; i < before.size(); i++)
        differ += before[i] != after[i];
    EXPECT_EQ(differ, 0);

    // The menus' display frees the race's containers.
    ForceDisplayRecreate = 1;
    RecreateDisplay(0);
    ForceDisplayRecreate = 0;
    EXPECT_EQ(TextureList, nullptr);
    ReleaseFramework();
    FreeDriverList();
    PlatHeadlessSetDeviceBackend(PLAT_DEVICE_RECORDING);
    PlatShutdown();
}
