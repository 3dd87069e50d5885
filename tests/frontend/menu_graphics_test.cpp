// The blend tables, the raw graphics buffer, the cross-fade and the pointer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "frontend/menu_graphics.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "frontend_test_util.h"

namespace {
struct BlendTables : FrontEndTest {};
struct MenuGraphicsBuffer : FrontEndTest {};
struct MenuPointer : FrontEndTest {};
struct MenuSurfaces : FrontEndTest {};
}  // namespace

TEST_F(BlendTables, LevelsWeighTextAndBackgroundPerFormat) {
    GreenMaskBits = 6;
    BuildBlendTables();
    for (int j = 0; j < 32; j++) {
        ASSERT_EQ(BlendRed[0][j], 0u);
        ASSERT_EQ(BlendRed[100][j], (uint32_t)j << 11);
        ASSERT_EQ(BlendBlue[100][j], (uint32_t)j);
    }
    EXPECT_EQ(BlendGreen[100][63], 63u << 5);
    // Level 98 is (almost) all background, and no entry spills out of its
    // channel at any level.
    EXPECT_EQ(BlendGreen[100 + 98][63], 0u);
    EXPECT_GE(BlendGreen[98][63], 62u << 5);
    for (int level = 0; level < 100; level++) {
        ASSERT_LE(BlendRed[level][31] + BlendRed[level + 100][31], 31u << 11) << level;
        ASSERT_LE(BlendGreen[level][63] + BlendGreen[level + 100][63], 63u << 5) << level;
    }

    GreenMaskBits = 5;
    BuildBlendTables();
    EXPECT_EQ(BlendRed[100][31], 31u << 10);
    EXPECT_EQ(BlendGreen[100][31], 31u << 5);
}

TEST_F(MenuGraphicsBuffer, FilesAreAlignedAndNeverOverlap) {
    const std::string dir = MakeTestFolder("gfx");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    const unsigned char first[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const unsigned char second[8] = {20, 21, 22, 23, 24, 25, 26, 27};
    ASSERT_TRUE(PlatWriteFileAtomic("first.raw", first, sizeof first));
    ASSERT_TRUE(PlatWriteFileAtomic("second.raw", second, sizeof second));

    memset(MenuGfxBuffer, 0xee, 64);
    EXPECT_EQ(LoadMenuGraphic("first.raw", 1), 10);
    EXPECT_EQ(LoadMenuGraphic("second.raw", 0), 20);
    EXPECT_EQ(MenuGfxOffsets[0], 0);
    EXPECT_EQ(MenuGfxOffsets[1], 12);   // recorded where it was written
    EXPECT_EQ(memcmp(MenuGfxBuffer, first, sizeof first), 0);
    EXPECT_EQ(memcmp(MenuGfxBuffer + 12, second, sizeof second), 0);

    // A missing file still takes its number.
    EXPECT_EQ(LoadMenuGraphic("missing.raw", 0), 20);
    EXPECT_EQ(MenuGfxCount, 3);
    EXPECT_EQ(MenuGfxSizes[2], 0);
    EXPECT_EQ(MenuGfxOffsets[2], 20);

    // first = 1 starts over.
    EXPECT_EQ(LoadMenuGraphic("second.raw", 1), 8);
    EXPECT_EQ(MenuGfxCount, 1);
}

TEST_F(MenuGraphicsBuffer, AFileThatDoesNotFitAddsNothing) {
    const std::string dir = MakeTestFolder("big");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    std::vector<unsigned char> big(1000, 7);
    ASSERT_TRUE(PlatWriteFileAtomic("big.raw", big.data(), big.size()));
    LoadMenuGraphic("big.raw", 1);
    MenuGfxFill = MENU_GFX_BUFFER_SIZE - 100;   // nearly full
    EXPECT_EQ(LoadMenuGraphic("big.raw", 0), MENU_GFX_BUFFER_SIZE - 100);
    EXPECT_EQ(MenuGfxSizes[1], 0);
}

namespace {

struct Screens : FrontEndTest {
    std::vector<uint16_t> work = std::vector<uint16_t>(640 * 480, 0);
    std::vector<uint16_t> picture = std::vector<uint16_t>(640 * 480, 0);
    void SetUp() override {
        FrontEndTest::SetUp();
        GreenMaskBits = 6;
        BuildBlendTables();
        MenuTarget = {work.data(), 640, 640, 480};
        MenuOverlay = {picture.data(), 640, 640, 480};
    }
};

}  // namespace

TEST_F(Screens, CrossFadeGoesFromPictureToBackground) {
    std::fill(work.begin(), work.end(), (uint16_t)0x001f);      // blue
    std::fill(picture.begin(), picture.end(), (uint16_t)0xf800);  // red
    BlendPictureOverWorkSurface565(0);
    EXPECT_EQ(work[0], 0xf800);
    EXPECT_EQ(work[640 * 480 - 1], 0xf800);

    std::fill(work.begin(), work.end(), (uint16_t)0x001f);
    BlendPictureOverWorkSurface(97);
    EXPECT_EQ(work[1000] >> 11, 0);          // almost no red yet
    EXPECT_GE(work[1000] & 31, 29);

    // A level beyond the tables is held at the last one, not read past them.
    std::fill(work.begin(), work.end(), (uint16_t)0x001f);
    BlendPictureOverWorkSurface565(5000);
    EXPECT_EQ(work[0] >> 11, 0);
}

TEST_F(MenuPointer, PlacementClipsAtEveryEdge) {
    MenuPointerBox box;
    ASSERT_TRUE(PlaceMenuPointer(5, 5, &box));
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.sourceX, 6);
    EXPECT_EQ(box.sourceY, 3);
    EXPECT_EQ(box.width, 34);
    EXPECT_EQ(box.height, 37);

    ASSERT_TRUE(PlaceMenuPointer(637, 477, &box));
    EXPECT_EQ(box.x, 626);
    EXPECT_EQ(box.width, 14);
    EXPECT_EQ(box.height, 11);

    ASSERT_TRUE(PlaceMenuPointer(300, 200, &box));
    EXPECT_EQ(box.width, 40);
    EXPECT_EQ(box.height, 40);

    EXPECT_FALSE(PlaceMenuPointer(651, 100, &box));
    EXPECT_FALSE(PlaceMenuPointer(-29, 100, &box));
    EXPECT_FALSE(PlaceMenuPointer(100, 488, &box));
}

TEST_F(MenuPointer, PulseTurnsAtItsEnds) {
    MenuPointerShown = 1;
    MenuPointerRising = 1;
    MenuPointerLevel = 64.0f;
    FrameTicks = 3;
    EXPECT_EQ(PulseMenuPointer(), 65);
    FrameTicks = 60;   // a long frame
    EXPECT_EQ(PulseMenuPointer(), 72);
    EXPECT_EQ(MenuPointerRising, 0);
    EXPECT_EQ(PulseMenuPointer(), 64);
    EXPECT_EQ(MenuPointerRising, 1);
    MenuPointerShown = 0;
    EXPECT_EQ(PulseMenuPointer(), 0);
}

namespace {

// The work surface and pointer picture 64 as the menus hold them, and raw
// graphic 57 as the pointer's level map: bytes of columns 0..19 level 0,
// of the others 100.  The level of pixel s is byte s - 1, so picture
// columns 1..20 are drawn and column 0 reads the byte before its row.
struct Cursor : FrontEndTest {
    void SetUp() override {
        FrontEndTest::SetUp();
        GreenMaskBits = 6;
        BuildBlendTables();
        ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), DD_OK);
        ASSERT_EQ(PlatSurfaceCreate(40, 40, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &MenuGfxCache[64]), DD_OK);
        PlatSurfaceFill(MenuGfxCache[64], nullptr, 0xffff, PLAT_WAIT);
        MenuGfxCount = MENU_POINTER_LEVEL_MAP + 1;
        MenuGfxOffsets[MENU_POINTER_LEVEL_MAP] = 4096;
        MenuGfxSizes[MENU_POINTER_LEVEL_MAP] = 1600;
        for (int i = 0; i < 1600; i++)
            MenuGfxBuffer[4096 + i] = (i % 40) < 20 ? 0 : 100;
        MenuGfxBuffer[4095] = 100;   // the byte before the map: the end of the one before it
        MenuPointerShown = 1;
        MenuPointerRising = 1;
        MenuPointerLevel = 64.0f;
        FrameTicks = 0;   // the pulse stays on picture 64
    }
    void TearDown() override {
        PlatSurfaceRelease(WorkSurface);
        PlatSurfaceRelease(MenuGfxCache[64]);
        WorkSurface = MenuGfxCache[64] = nullptr;
        FrontEndTest::TearDown();
    }
    uint16_t At(int x, int y) {
        uint16_t* pixels = (uint16_t*)LockSurface(WorkSurface);
        const uint16_t value = pixels ? pixels[y * 640 + x] : 0xdead;
        PlatSurfaceUnlock(WorkSurface);
        return value;
    }
    void Clear() { PlatSurfaceFill(WorkSurface, nullptr, 0, PLAT_WAIT); }
};

}  // namespace

TEST_F(Cursor, BlendsThroughItsLevelMapOneByteBehind) {
    MouseX = 111;   // the picture's corner at (100, 100)
    MouseY = 108;
    DrawMenuCursor();
    EXPECT_EQ(At(100, 100), 0) << "column 0 reads the byte before its row";
    EXPECT_EQ(At(101, 100), 0xffff);
    EXPECT_EQ(At(120, 100), 0xffff);
    EXPECT_EQ(At(121, 100), 0);
    EXPECT_EQ(At(120, 139), 0xffff);
    EXPECT_EQ(At(101, 99), 0);
    EXPECT_EQ(At(101, 140), 0);
    EXPECT_FALSE(BlendTarget || BlendSource) << "both surfaces are given back";
    EXPECT_NE(LockSurface(WorkSurface), nullptr) << "the work surface is unlocked again";
    PlatSurfaceUnlock(WorkSurface);
}

TEST_F(Cursor, IsCutAtEachEdgeWithThePicturesColumnsInStep) {
    // Left: x = -10, picture columns 10.. from screen column 0.
    MouseX = 1;
    MouseY = 108;
    DrawMenuCursor();
    EXPECT_EQ(At(0, 100), 0xffff);
    EXPECT_EQ(At(10, 100), 0xffff);
    EXPECT_EQ(At(11, 100), 0);
    // Top: y = -30, picture rows 30.. from screen row 0.
    Clear();
    MouseX = 111;
    MouseY = -22;
    DrawMenuCursor();
    EXPECT_EQ(At(101, 0), 0xffff);
    EXPECT_EQ(At(101, 9), 0xffff);
    EXPECT_EQ(At(101, 10), 0);
    // Right: x = 630, ten columns left on the screen.
    Clear();
    MouseX = 641;
    MouseY = 108;
    DrawMenuCursor();
    EXPECT_EQ(At(630, 100), 0);
    EXPECT_EQ(At(631, 100), 0xffff);
    EXPECT_EQ(At(639, 139), 0xffff);
    // Bottom: y = 470, ten rows left; nothing below row 479 is touched.
    Clear();
    MouseX = 111;
    MouseY = 478;
    DrawMenuCursor();
    EXPECT_EQ(At(101, 479), 0xffff);
    EXPECT_EQ(At(101, 480), 0);
    EXPECT_EQ(At(101, 469), 0);
}

TEST_F(Cursor, NothingWithoutAWholeLevelMapOrPicture) {
    MouseX = 111;
    MouseY = 108;
    MenuGfxSizes[MENU_POINTER_LEVEL_MAP] = 1599;
    DrawMenuCursor();
    EXPECT_EQ(At(110, 110), 0);
    MenuGfxSizes[MENU_POINTER_LEVEL_MAP] = 1600;
    PlatSurfaceRelease(MenuGfxCache[64]);
    ASSERT_EQ(PlatSurfaceCreate(32, 32, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &MenuGfxCache[64]), DD_OK);
    DrawMenuCursor();
    EXPECT_EQ(At(110, 110), 0) << "a picture of the wrong size is not read past its end";
    MenuPointerShown = 0;
    PlatSurfaceFill(MenuGfxCache[64], nullptr, 0xffff, PLAT_WAIT);
    DrawMenuCursor();
    EXPECT_EQ(At(110, 110), 0);
}

TEST_F(MenuSurfaces, LockGivesTheSurfacesPixels) {
    PlatSurface* surface = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(64, 32, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &surface), DD_OK);
    MenuPixels pixels;
    ASSERT_TRUE(LockMenuPixels(surface, &pixels));
    EXPECT_EQ(pixels.width, 64);
    EXPECT_EQ(pixels.height, 32);
    EXPECT_GE(pixels.pitch, 64);
    pixels.pixels[pixels.pitch * 31 + 63] = 0xabcd;
    // A locked surface cannot be locked again until it is unlocked.
    EXPECT_EQ(LockSurface(surface), nullptr);
    EXPECT_EQ(PlatSurfaceUnlock(surface), DD_OK);
    uint16_t* again = (uint16_t*)LockSurface(surface);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again[pixels.pitch * 31 + 63], 0xabcd);
    PlatSurfaceUnlock(surface);
    PlatSurfaceRelease(surface);

    PlatSurface* wide = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(8, 8, PLAT_PF_XRGB8888, PLAT_SURF_SYSTEMMEMORY, &wide), DD_OK);
    EXPECT_FALSE(LockMenuPixels(wide, &pixels));   // not a 16-bit surface
    PlatSurfaceRelease(wide);
    EXPECT_EQ(LockSurface(nullptr), nullptr);
}
