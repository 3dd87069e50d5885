// Surfaces: layout, pixel formats, locks, fills, copies, colour keys and
// the result codes the game's retry and restore logic depends on.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/plat_display.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"

namespace {

struct Surface {
    PlatSurface* s = nullptr;
    Surface(int w, int h, int format, int caps = PLAT_SURF_SYSTEMMEMORY) {
        EXPECT_EQ(PlatSurfaceCreate(w, h, format, caps, &s), DD_OK);
    }
    ~Surface() { PlatSurfaceRelease(s); }
    operator PlatSurface*() const { return s; }
};

uint32_t Pixel(PlatSurface* s, int x, int y) {
    void* bits = nullptr;
    int pitch = 0;
    const PlatRect r = {x, y, x + 1, y + 1};
    EXPECT_EQ(PlatSurfaceLock(s, &r, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch), DD_OK);
    uint32_t v = 0;
    memcpy(&v, bits, PlatPixelFormatBytes(PlatSurfaceFormat(s)));
    PlatSurfaceUnlock(s);
    return v;
}

void SetPixel(PlatSurface* s, int x, int y, uint32_t v) {
    const PlatRect r = {x, y, x + 1, y + 1};
    ASSERT_EQ(PlatSurfaceFill(s, &r, v, PLAT_WAIT), DD_OK);
}

}  // namespace

TEST(Surface, RowsAreExactlyWidthTimesBytesApart) {
    Surface work(640, 1440, PLAT_PF_RGB565);
    EXPECT_EQ(PlatSurfacePitch(work), 1280);
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(work, nullptr, PLAT_WAIT, &bits, &pitch), DD_OK);
    // The depth area of the work surface starts 480 rows down.
    const PlatRect depthRow = {0, 480, 640, 481};
    PlatSurfaceUnlock(work);
    void* depth = nullptr;
    ASSERT_EQ(PlatSurfaceLock(work, &depthRow, PLAT_WAIT, &depth, &pitch), DD_OK);
    EXPECT_EQ((unsigned char*)depth - (unsigned char*)bits, 614400);
    PlatSurfaceUnlock(work);

    Surface wide(100, 10, PLAT_PF_XRGB8888);
    EXPECT_EQ(PlatSurfacePitch(wide), 400);
}

TEST(Surface, DisplayFormatFollowsModeAndSixteenBitChoice) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    ASSERT_EQ(PlatDisplayOpen(0), DD_OK);
    ASSERT_EQ(PlatDisplaySetMode(640, 480, 16), DD_OK);
    EXPECT_EQ(PlatDisplayFormat(), PLAT_PF_RGB565);
    PlatDisplaySet16BitFormat(PLAT_PF_XRGB1555);
    Surface s(8, 8, PLAT_PF_DISPLAY);
    EXPECT_EQ(PlatSurfaceFormat(s), PLAT_PF_XRGB1555);
    ASSERT_EQ(PlatDisplaySetMode(800, 600, 32), DD_OK);
    EXPECT_EQ(PlatDisplayFormat(), PLAT_PF_XRGB8888);
    EXPECT_EQ(PlatDisplaySetMode(641, 480, 16), DDERR_INVALIDMODE);
    PlatShutdown();
}

TEST(Surface, ChannelsPackAndWidenByRepeatingTopBits) {
    EXPECT_EQ(PlatPixelFromRgb(PLAT_PF_RGB565, 0, 255, 0), 0x07E0u);
    EXPECT_EQ(PlatPixelFromRgb(PLAT_PF_XRGB1555, 0, 255, 0), 0x03E0u);
    EXPECT_EQ(PlatPixelFromRgb(PLAT_PF_RGB565, 255, 255, 255), 0xFFFFu);
    EXPECT_EQ(PlatPixelFromRgb(PLAT_PF_ARGB1555, 0, 0, 0), 0x8000u);   // alpha full
    int r, g, b, a;
    PlatRgbFromPixel(PLAT_PF_RGB565, 0x8410, &r, &g, &b, &a);   // 16, 32, 16
    EXPECT_EQ(r, 132);
    EXPECT_EQ(g, 130);
    EXPECT_EQ(b, 132);
    EXPECT_EQ(a, 255);
    PlatRgbFromPixel(PLAT_PF_ARGB4444, 0x7F00, &r, &g, &b, &a);
    EXPECT_EQ(a, 0x77);
    EXPECT_EQ(r, 0xFF);
}

TEST(Surface, LocksAddressTheRectangleAndBlockOtherAccess) {
    Surface s(16, 8, PLAT_PF_RGB565);
    void* whole = nullptr;
    void* part = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(s, nullptr, 0, &whole, &pitch), DD_OK);
    EXPECT_EQ(PlatSurfaceLock(s, nullptr, 0, &part, &pitch), DDERR_SURFACEBUSY);
    EXPECT_EQ(PlatSurfaceFill(s, nullptr, 0, PLAT_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(PlatSurfaceUnlock(s), DD_OK);
    EXPECT_EQ(PlatSurfaceUnlock(s), DDERR_NOTLOCKED);

    const PlatRect r = {3, 2, 5, 4};
    ASSERT_EQ(PlatSurfaceLock(s, &r, 0, &part, &pitch), DD_OK);
    EXPECT_EQ((unsigned char*)part - (unsigned char*)whole, 2 * 32 + 3 * 2);
    const uint16_t v = 0x1234;
    memcpy(part, &v, 2);
    PlatSurfaceUnlock(s);
    EXPECT_EQ(Pixel(s, 3, 2), 0x1234u);

    const PlatRect outside = {10, 0, 17, 1};
    EXPECT_EQ(PlatSurfaceLock(s, &outside, 0, &part, &pitch), DDERR_INVALIDRECT);
    EXPECT_EQ(part, nullptr);
}

TEST(Surface, FillsAndCopiesRefuseRectanglesOutsideTheSurface) {
    Surface dst(8, 8, PLAT_PF_RGB565), src(4, 4, PLAT_PF_RGB565);
    const PlatRect inverted = {4, 4, 2, 6};
    EXPECT_EQ(PlatSurfaceFill(dst, &inverted, 1, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 6, 6, src, nullptr, 0), DDERR_INVALIDRECT);   // runs off the right
    EXPECT_EQ(PlatSurfaceBltFast(dst, -1, 0, src, nullptr, 0), DDERR_INVALIDRECT);
    const PlatRect tooBig = {0, 0, 5, 4};
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, &tooBig, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 4, 4, src, nullptr, 0), DD_OK);
}

TEST(Surface, KeyedCopySkipsKeyPixelsAndPlainCopyDoesNot) {
    Surface dst(4, 1, PLAT_PF_RGB565), src(4, 1, PLAT_PF_RGB565);
    PlatSurfaceFill(dst, nullptr, 0x1111, PLAT_WAIT);
    SetPixel(src, 0, 0, 0x0000);
    SetPixel(src, 1, 0, 0xF800);
    SetPixel(src, 2, 0, 0x0001);
    SetPixel(src, 3, 0, 0x0002);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_BLT_KEYSRC), DDERR_NOCOLORKEY);
    ASSERT_EQ(PlatSurfaceSetColourKey(src, 1, 0x0000, 0x0001), DD_OK);
    ASSERT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_BLT_KEYSRC | PLAT_WAIT), DD_OK);
    EXPECT_EQ(Pixel(dst, 0, 0), 0x1111u);
    EXPECT_EQ(Pixel(dst, 1, 0), 0xF800u);
    EXPECT_EQ(Pixel(dst, 2, 0), 0x1111u);   // inside the key's range
    EXPECT_EQ(Pixel(dst, 3, 0), 0x0002u);
    ASSERT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_WAIT), DD_OK);
    EXPECT_EQ(Pixel(dst, 0, 0), 0x0000u);
}

TEST(Surface, StretchIsNearestNeighbourBothWays) {
    Surface src(2, 2, PLAT_PF_XRGB8888), big(4, 4, PLAT_PF_XRGB8888), small(1, 1, PLAT_PF_XRGB8888);
    SetPixel(src, 0, 0, 1);
    SetPixel(src, 1, 0, 2);
    SetPixel(src, 0, 1, 3);
    SetPixel(src, 1, 1, 4);
    ASSERT_EQ(PlatSurfaceBlt(big, nullptr, src, nullptr, PLAT_WAIT), DD_OK);
    const uint32_t expected[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(Pixel(big, x, y), expected[y][x]) << x << "," << y;
    }
    ASSERT_EQ(PlatSurfaceBlt(small, nullptr, big, nullptr, PLAT_WAIT), DD_OK);
    EXPECT_EQ(Pixel(small, 0, 0), 1u);
}

TEST(Surface, CopiesBetweenFormatsConvertChannels) {
    Surface src(1, 1, PLAT_PF_RGB565), dst(1, 1, PLAT_PF_XRGB8888), back(1, 1, PLAT_PF_XRGB1555);
    SetPixel(src, 0, 0, 0xF81F);   // magenta
    ASSERT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_WAIT), DD_OK);
    EXPECT_EQ(Pixel(dst, 0, 0), 0xFF00FFu);
    ASSERT_EQ(PlatSurfaceBltFast(back, 0, 0, dst, nullptr, PLAT_WAIT), DD_OK);
    EXPECT_EQ(Pixel(back, 0, 0), 0x7C1Fu);
}

TEST(Surface, OverlappingCopyWithinOneSurfaceMovesTheOriginalPixels) {
    Surface s(5, 1, PLAT_PF_RGB565);
    for (int x = 0; x < 5; x++)
        SetPixel(s, x, 0, (uint32_t)(x + 1));
    const PlatRect first4 = {0, 0, 4, 1};
    ASSERT_EQ(PlatSurfaceBltFast(s, 1, 0, s, &first4, PLAT_WAIT), DD_OK);
    const uint32_t expected[5] = {1, 1, 2, 3, 4};
    for (int x = 0; x < 5; x++)
        EXPECT_EQ(Pixel(s, x, 0), expected[x]);
}

TEST(Surface, BusyAndLostSurfacesAnswerTheirCodes) {
    Surface dst(4, 4, PLAT_PF_RGB565), src(4, 4, PLAT_PF_RGB565);
    PlatSurfaceSimulateBusy(dst, 2);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(PlatSurfaceFill(dst, nullptr, 0, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, 0), DD_OK);
    PlatSurfaceSimulateBusy(dst, 100);
    EXPECT_EQ(PlatSurfaceFill(dst, nullptr, 0, PLAT_WAIT), DD_OK);   // a waiting access waits it out

    PlatSurfaceSimulateLost(src);
    EXPECT_EQ(PlatSurfaceIsLost(src), DDERR_SURFACELOST);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_WAIT), DDERR_SURFACELOST);
    void* bits = nullptr;
    EXPECT_EQ(PlatSurfaceLock(src, nullptr, PLAT_WAIT, &bits, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(PlatSurfaceRestore(src), DD_OK);
    EXPECT_EQ(PlatSurfaceBltFast(dst, 0, 0, src, nullptr, PLAT_WAIT), DD_OK);
}

TEST(Surface, VideoMemoryRunsOutAndComesBack) {
    PlatSetVideoMemorySize(640 * 480 * 2 * 2);
    PlatSurface* a = nullptr;
    PlatSurface* b = nullptr;
    PlatSurface* c = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_VIDEOMEMORY, &a), DD_OK);
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_VIDEOMEMORY, &b), DD_OK);
    EXPECT_EQ(PlatSurfaceCreate(1, 1, PLAT_PF_RGB565, PLAT_SURF_VIDEOMEMORY, &c), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(c, nullptr);
    // System memory does not count.
    ASSERT_EQ(PlatSurfaceCreate(8, 8, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &c), DD_OK);
    PlatSurfaceRelease(c);
    PlatSurfaceRelease(a);
    uint32_t total = 0, available = 0;
    PlatVideoMemory(&total, &available);
    EXPECT_EQ(available, 640u * 480u * 2u);
    PlatSurfaceRelease(b);
    EXPECT_EQ(PlatSurfaceLiveCount(), 0);
}

TEST(Surface, FlipAndBlitOntoThePrimaryPresent) {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    Surface primary(64, 48, PLAT_PF_RGB565, PLAT_SURF_PRIMARY);
    Surface back(64, 48, PLAT_PF_RGB565, PLAT_SURF_BACKBUFFER);
    EXPECT_NE(PlatSurfaceFlip(primary, PLAT_WAIT), DD_OK);   // nothing attached yet
    ASSERT_EQ(PlatSurfaceAttach(primary, back), DD_OK);
    EXPECT_EQ(PlatSurfaceAttached(primary, PLAT_SURF_BACKBUFFER), back.s);
    const int before = PlatDisplayPresentCount();
    EXPECT_EQ(PlatSurfaceFlip(primary, PLAT_WAIT), DD_OK);
    EXPECT_EQ(PlatSurfaceBlt(primary, nullptr, back, nullptr, PLAT_WAIT), DD_OK);
    EXPECT_EQ(PlatDisplayPresentCount(), before + 2);
    PlatSurfaceSimulateLost(back);
    EXPECT_EQ(PlatSurfaceFlip(primary, PLAT_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(PlatDisplayPresentCount(), before + 2);
    PlatShutdown();
}
