// The texture containers of the Direct3D path: what is kept, the size and
// format of the textures made for a device, the colour key, a device
// without video memory left, and every texture of the sample race view.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "d3d_test_util.h"
#include "frame/vfs.h"
#include "frame/vfs_archive.h"
#include "frontend/frontend_state.h"
#include "mkdata_textures.h"
#include "platform/plat_file.h"
#include "render/scene_builder.h"

namespace {

// Bitmaps of our own in an archive "Pics" of a fresh folder.
void MountPictures(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
    const std::string dir = MakeTestFolder("pictures");
    std::filesystem::create_directories(dir + "/src");
    std::filesystem::create_directories(dir + "/data");
    for (const auto& [name, bytes] : files) {
        std::ofstream out(dir + "/src/" + name, std::ios::binary);
        out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
    }
    char error[512] = "";
    ASSERT_GE(VfsPackFolder((dir + "/src").c_str(), (dir + "/data/Pics.dat").c_str(), error, sizeof error), 0)
        << error;
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    ASSERT_EQ(VfsScanArchives(), 1);
}

MkPicture Picture(int w, int h, uint32_t (*colour)(int x, int y, int w, int h)) {
    MkPicture p;
    p.width = w;
    p.height = h;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            p.rgb.push_back(colour(x, y, w, h));
    return p;
}

uint32_t Pixel(PlatSurface* s, int x, int y) {
    void* bits = nullptr;
    int pitch = 0;
    uint16_t v = 0;
    if (PlatSurfaceLock(s, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) == DD_OK) {
        v = ((const uint16_t*)((const uint8_t*)bits + y * pitch))[x];
        PlatSurfaceUnlock(s);
    }
    return v;
}

struct ContainerTest : ::testing::Test {
    TestDevice* dev = nullptr;

    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        dev = new TestDevice(PLAT_DEVICE_RECORDING);
        ASSERT_NE(dev->device, nullptr);
        const PlatDeviceCaps caps = DisplayCaps();
        ReadDeviceCaps(&caps);
        TexturesLoaded = 0;
        CurrentTextureMode = -1;
        for (int n = 0; n < TEXTURE_SLOTS; n++)
            TextureIdTable[n] = -1;
    }
    void TearDown() override {
        DeleteDeviceObjects();
        TextureFreeAll();
        PlatSetVideoMemorySize(256u << 20);
        delete dev;
        PlatShutdown();
    }
    static int Containers() {
        int n = 0;
        for (const TextureContainer* c = TextureList; c; c = c->next)
            n++;
        return n;
    }
};

uint32_t Quadrants(int x, int y, int w, int h) {
    const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    return colours[(x >= w / 2) + 2 * (y >= h / 2)];
}

// Black holes on the left, a near-black picture on the right.
uint32_t Keyed(int x, int, int w, int) { return x < w / 2 ? 0x000000 : 0x050505; }

}  // namespace

TEST(TextureSize, HalfSizePowersOfTwoSquareAndTheDeviceLimits) {
    auto size = [](int w, int h) {
        int tw, th;
        TextureSizeFor(w, h, &tw, &th);
        return std::to_string(tw) + "x" + std::to_string(th);
    };
    TextureRules = {};
    EXPECT_EQ(size(256, 128), "128x64");
    EXPECT_EQ(size(1, 3), "1x1") << "never below one texel";
    TextureRules.powerOfTwo = 1;
    EXPECT_EQ(size(100, 30), "128x32");
    EXPECT_EQ(size(256, 256), "256x256") << "full size";
    TextureRules.squareOnly = 1;
    EXPECT_EQ(size(100, 30), "128x128");
    TextureRules = {16, 8, 64, 64, 0, 0};
    EXPECT_EQ(size(512, 20), "64x10");
    EXPECT_EQ(size(8, 8), "16x8");
    TextureRules = {};
}

TEST_F(ContainerTest, TheFormatIsTheDevicesSixteenBitRgbUnlessAlphaOrDepthIsAsked) {
    EXPECT_EQ(ChooseTextureFormat(dev->device, 8, 0), PLAT_PF_RGB565) << "no palettised format here";
    EXPECT_EQ(ChooseTextureFormat(dev->device, 24, 0), PLAT_PF_RGB565);
    EXPECT_EQ(ChooseTextureFormat(dev->device, 8, TEXTURE_TRANSPARENT_BLACK), PLAT_PF_ARGB1555);
    EXPECT_EQ(ChooseTextureFormat(dev->device, 24, TEXTURE_32BIT), PLAT_PF_XRGB8888);
    EXPECT_EQ(ChooseTextureFormat(dev->device, 24, TEXTURE_32BIT | TEXTURE_TRANSPARENT_WHITE), PLAT_PF_ARGB8888);
}

TEST_F(ContainerTest, ContainersKeepTheirBitmapsThroughInvalidateAndRestore) {
    const MkPicture quads = Picture(64, 64, Quadrants);
    MountPictures({{"q.bmp", MkEncodeBmp8(quads)}, {"junk.bmp", {'B', 'M', 1, 2, 3}}});
    ASSERT_EQ(TextureAdd("Pics\\q.bmp", 70, 0, 0), DD_OK);
    EXPECT_EQ(TextureAdd("Pics\\q.bmp", 70, 0, 0), DD_OK);
    EXPECT_EQ(Containers(), 1) << "a slot has one container";
    EXPECT_EQ(TextureOf(70), nullptr) << "made only for a device";

    // Refused: not archived, not a bitmap; nothing while loading is off.
    EXPECT_NE(TextureAdd("Pics\\none.bmp", 71, 0, 0), DD_OK);
    EXPECT_NE(TextureAdd("Pics\\junk.bmp", 72, 0, 0), DD_OK);
    TexturesLoaded = -1;
    EXPECT_EQ(TextureAdd("Pics\\q.bmp", 73, 0, 0), DD_OK);
    TexturesLoaded = 0;
    EXPECT_EQ(Containers(), 1);
    EXPECT_NE(TextureRestore(71, dev->device), DD_OK) << "no container";

    // Made at half size, then through the device hooks and the reload.
    TextureIdTable[70] = 70;
    ASSERT_EQ(InitDeviceObjects(dev->device, 0), 0);
    PlatSurface* texture = TextureOf(70);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(PlatSurfaceWidth(texture), 32);
    EXPECT_EQ(PlatSurfaceFormat(texture), PLAT_PF_RGB565);
    EXPECT_EQ(TextureReloadFlag, 1);
    ReloadTextureTable();
    EXPECT_EQ(TextureReloadFlag, 0);
    EXPECT_EQ(SlotTextures[70], TextureOf(70));

    // The device goes: textures and the slot table go, the bitmaps stay.
    DeleteDeviceObjects();
    EXPECT_EQ(TextureOf(70), nullptr);
    EXPECT_EQ(SlotTextures[70], nullptr);
    ASSERT_NE(TextureContainerOf(70), nullptr);
    EXPECT_NE(TextureContainerOf(70)->bitmap, nullptr);
    TextureRestoreAll(dev->device);
    EXPECT_NE(TextureOf(70), nullptr);

    // A bitmap larger than the device allows is scaled into the limit.
    TextureRules = {1, 1, 16, 16, 1, 0};
    ASSERT_EQ(TextureRestore(70, dev->device), DD_OK);
    texture = TextureOf(70);
    ASSERT_EQ(PlatSurfaceWidth(texture), 16);
    EXPECT_EQ(Pixel(texture, 2, 2), PlatPixelFromRgb(PLAT_PF_RGB565, 255, 0, 0));
    EXPECT_EQ(Pixel(texture, 13, 2), PlatPixelFromRgb(PLAT_PF_RGB565, 0, 255, 0));
    EXPECT_EQ(Pixel(texture, 2, 13), PlatPixelFromRgb(PLAT_PF_RGB565, 0, 0, 255));

    TextureFreeAll();
    EXPECT_EQ(Containers(), 0);
    EXPECT_EQ(TextureOf(70), nullptr);
    EXPECT_EQ(SlotTextures[70], nullptr);
}

TEST_F(ContainerTest, ColourKeyedTexturesKeepNearBlackAndLoseBlack) {
    MountPictures({{"k.bmp", MkEncodeBmp8(Picture(8, 4, Keyed))}});
    TextureRules = {1, 1, 2048, 2048, 1, 0};
    CurrentTextureMode = 3;
    ASSERT_EQ(TextureAdd("Pics\\k.bmp", 80, 0, 0), DD_OK);
    CurrentTextureMode = -1;
    ASSERT_EQ(TextureRestore(80, dev->device), DD_OK);
    PlatSurface* texture = TextureOf(80);
    EXPECT_EQ(Pixel(texture, 0, 0), 0u);
    EXPECT_EQ(Pixel(texture, 7, 3), PlatPixelFromRgb(PLAT_PF_RGB565, 14, 14, 14)) << "lifted, not keyed";
    uint32_t low = 1, high = 1;
    ASSERT_EQ(PlatSurfaceGetColourKey(texture, &low, &high), DD_OK);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 0u);

    // On OpenGL the black texels are not drawn at all.
    TestDevice gl(PLAT_DEVICE_GL);
    if (!gl.device)
        GTEST_SKIP() << "no OpenGL context on EGL surfaceless here";
    ASSERT_EQ(TextureRestore(80, gl.device), DD_OK);
    for (int n = 0; n < TEXTURE_SLOTS; n++) {
        SlotTextures[n] = nullptr;
        TextureRenderFlags[n] = 0;
    }
    SlotTextures[80] = TextureOf(80);
    RenderKind = 1;
    EditorOpen = 0;
    TextureFilter = PLAT_FILTER_NEAREST;
    TextureSortPairCount = 0;
    AddListPolygon(80, 10, 0, 0.0f, 0.0f, 2.0f);
    ScreenPolygon& p = PolygonList[0];
    p.vertex[1] = {640.0f, 0.0f, 2.0f, 1.0f, 0.0f, 0};
    p.vertex[2] = {0.0f, 480.0f, 2.0f, 0.0f, 1.0f, 0};
    AddListPolygon(80, 10, 0, 0.0f, 0.0f, 2.0f);
    PolygonList[1].vertex[0] = {640.0f, 0.0f, 2.0f, 1.0f, 0.0f, 0};
    PolygonList[1].vertex[1] = {640.0f, 480.0f, 2.0f, 1.0f, 1.0f, 0};
    PolygonList[1].vertex[2] = {0.0f, 480.0f, 2.0f, 0.0f, 1.0f, 0};
    ASSERT_EQ(PlatDeviceClear(gl.device, PLAT_CLEAR_TARGET | PLAT_CLEAR_ZBUFFER, 0x0000FF, 0.0f), DD_OK);
    PlatDeviceBeginScene(gl.device);
    DrawPolygonList3D(gl.device, 0);
    PlatDeviceEndScene(gl.device);
    const std::vector<uint32_t> picture = gl.Picture();
    EXPECT_EQ(picture[240 * 640 + 100], 0x0000FFu) << "black is the hole";
    const uint32_t kept = picture[240 * 640 + 540];
    EXPECT_EQ(kept, TestDevice::Rgb565((uint16_t)PlatPixelFromRgb(PLAT_PF_RGB565, 14, 14, 14)));
}

TEST_F(ContainerTest, WithoutVideoMemoryTheContainerKeepsItsBitmapAndNoTexture) {
    MountPictures({{"q.bmp", MkEncodeBmp8(Picture(64, 64, Quadrants))}});
    ASSERT_EQ(TextureAdd("Pics\\q.bmp", 70, 0, 0), DD_OK);
    uint32_t total = 0, available = 0;
    PlatVideoMemory(&total, &available);
    PlatSetVideoMemorySize(total - available + 100);
    TextureIdTable[70] = 70;
    ASSERT_EQ(InitDeviceObjects(dev->device, 0), 0);
    EXPECT_EQ(TextureRestore(70, dev->device), DDERR_OUTOFVIDEOMEMORY);
    ReloadTextureTable();
    EXPECT_EQ(SlotTextures[70], nullptr);
    ASSERT_NE(TextureContainerOf(70), nullptr);
    EXPECT_NE(TextureContainerOf(70)->bitmap, nullptr);
    // The figures come from the display's video memory.
    EXPECT_EQ(TextureMemoryTotal, total - available + 100);
    EXPECT_LE(TextureMemoryFree, 100u);
}

TEST_F(ContainerTest, EveryTextureOfTheSampleRaceViewIsLoaded) {
    LoadQuickRace(1, "raceview");
    ASSERT_EQ(InitDeviceObjects(dev->device, 0), 0);
    ReloadTextureTable();
    EffectsOption = 1;
    SkyOption = 1;
    FramesPerSecond = 30;   // the glass is drawn from 10 frames a second
    BuildScene(0, ViewedCar[0]);
    ASSERT_GT(TextureSortPairCount, 200);
    std::set<int> slots, missing;
    int runs = 0, previous = -1;
    for (int i = 0; i < TextureSortPairCount; i += 2) {
        const int slot = PolygonList[TextureSortPairs[i + 1] / POLYGON_WORDS].slot;
        slots.insert(slot);
        if (slot < 1 || slot > 2064 || !SlotTextures[slot])
            missing.insert(slot);
        runs += slot != previous;
        previous = slot;
    }
    EXPECT_TRUE(missing.empty()) << "first slot without a texture: " << *missing.begin();
    for (int slot : {77, 78, 70, 72, 1000, 1040, 1999, 1998, 1997})
        EXPECT_TRUE(slots.count(slot)) << "slot " << slot << " is in the view";

    // One draw call per run of equal slots at most.
    PlatDeviceBeginScene(dev->device);
    DrawPolygonList3D(dev->device, 0);
    PlatDeviceEndScene(dev->device);
    EXPECT_LE(PlatDeviceDrawCount(dev->device), runs);
    EXPECT_GT(PlatDeviceDrawCount(dev->device), 10);
}
