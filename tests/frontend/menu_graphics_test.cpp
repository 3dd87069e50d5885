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

TEST_F(Screens, PointerBlendsThroughItsLevelMap) {
    // Raw graphic 57: level 0 on the left half, 100 (untouched) on the right.
    MenuGfxCount = MENU_POINTER_LEVEL_MAP + 1;
    MenuGfxOffsets[MENU_POINTER_LEVEL_MAP] = 4096;
    MenuGfxSizes[MENU_POINTER_LEVEL_MAP] = 1600;
    for (int i = 0; i < 1600; i++)
        MenuGfxBuffer[4096 + i] = (i % 40) < 20 ? 0 : 100;
    std::vector<uint16_t> arrow(40 * 40, 0xffff);
    MenuOverlay = {arrow.data(), 40, 40, 40};
    MenuPointerShown = 1;
    MouseX = 111;
    MouseY = 108;
    DrawMenuPointer();
    EXPECT_EQ(work[100 * 640 + 100], 0xffff);
    EXPECT_EQ(work[139 * 640 + 119], 0xffff);
    EXPECT_EQ(work[100 * 640 + 120], 0);
    EXPECT_EQ(work[99 * 640 + 100], 0);

    // Entered from the left edge, the picture's own columns stay in step.
    std::fill(work.begin(), work.end(), (uint16_t)0);
    MouseX = 1;   // x = -10: columns 10.. of the picture from screen column 0
    DrawMenuPointer();
    EXPECT_EQ(work[100 * 640 + 9], 0xffff);
    EXPECT_EQ(work[100 * 640 + 10], 0);

    // Without a whole level map nothing is drawn.
    std::fill(work.begin(), work.end(), (uint16_t)0);
    MenuGfxSizes[MENU_POINTER_LEVEL_MAP] = 0;
    MouseX = 111;
    DrawMenuPointer();
    EXPECT_EQ(work[100 * 640 + 100], 0);
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
