// The bitmap decoder (untrusted files) and the three bitmap helpers.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/plat_surface.h"
#include "render/bitmaps.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++)
        out.push_back((uint8_t)(value >> (8 * i)));
}

// A bitmap file: 8-bit with `colours` palette entries, or 24-bit.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, int colours, bool topDown = false) {
    const int stride = ((w * bits / 8) + 3) & ~3;
    const int paletteBytes = bits == 8 ? colours * 4 : 0;
    std::vector<uint8_t> out = {'B', 'M'};
    Put(out, 54 + paletteBytes + stride * h, 4);
    Put(out, 0, 4);
    Put(out, 54 + paletteBytes, 4);
    Put(out, 40, 4);
    Put(out, (uint32_t)w, 4);
    Put(out, (uint32_t)(topDown ? -h : h), 4);
    Put(out, 1, 2);
    Put(out, (uint32_t)bits, 2);
    Put(out, 0, 4);
    Put(out, (uint32_t)(stride * h), 4);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, bits == 8 ? (uint32_t)colours : 0, 4);
    Put(out, 0, 4);
    for (int i = 0; i < colours && bits == 8; i++)
        Put(out, (uint32_t)(i * 0x010203) & 0xFFFFFF, 4);   // b, g, r of entry i
    // Stored row r holds byte value r * 16 + x in every pixel byte.
    for (int r = 0; r < h; r++)
        for (int x = 0; x < stride; x++)
            out.push_back((uint8_t)(r * 16 + x));
    return out;
}

TEST(Bitmaps, DecodesPalettisedAndTrueColourInBothRowOrders) {
    std::vector<uint8_t> file = MakeBmp(6, 3, 8, 20);
    BmpImage image;
    ASSERT_EQ(DecodeBmp(file.data(), (int)file.size(), &image), 1);
    EXPECT_EQ(image.width, 6);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.stride, 8);
    EXPECT_EQ(image.paletteCount, 20);
    // Bottom-up: picture line 0 is the last stored row.
    EXPECT_EQ(BmpRow(image, 0)[1], 2 * 16 + 1);
    // Entry 5 was stored as b, g, r = 15, 10, 5.
    EXPECT_EQ(BmpPixelRgb(image, 0, 2), 0u) << "stored row 0, byte 0: entry 0, black";
    const uint8_t index = BmpRow(image, 2)[5];
    EXPECT_EQ(index, 5);
    EXPECT_EQ(BmpPixelRgb(image, 5, 2), 0x050A0Fu);

    file = MakeBmp(5, 2, 24, 0, true);
    ASSERT_EQ(DecodeBmp(file.data(), (int)file.size(), &image), 1);
    EXPECT_EQ(image.stride, 16);
    EXPECT_TRUE(image.topDown);
    // Top-down: line 1 is stored row 1; pixel 2 is bytes 6, 7, 8 (b, g, r).
    EXPECT_EQ(BmpPixelRgb(image, 2, 1), (uint32_t)(16 + 8) << 16 | (16 + 7) << 8 | (16 + 6));
}

TEST(Bitmaps, RefusesHeadersThatDoNotFitTheFile) {
    BmpImage image;
    const std::vector<uint8_t> good = MakeBmp(8, 8, 8, 256);
    ASSERT_EQ(DecodeBmp(good.data(), (int)good.size(), &image), 1);

    auto refused = [&](std::vector<uint8_t> file) { return DecodeBmp(file.data(), (int)file.size(), &image) == 0; };
    auto patched = [&](int at, uint32_t value, int bytes) {
        std::vector<uint8_t> file = good;
        for (int i = 0; i < bytes; i++)
            file[at + i] = (uint8_t)(value >> (8 * i));
        return file;
    };
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.end() - 1))) << "last row cut short";
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + 30))) << "header cut short";
    EXPECT_TRUE(refused(patched(0, 'X', 1))) << "not a bitmap";
    EXPECT_TRUE(refused(patched(46, 257, 4))) << "more than 256 colours";
    EXPECT_TRUE(refused(patched(46, 300, 4))) << "palette past the pixels";
    EXPECT_TRUE(refused(patched(10, 0x7FFFFFF0, 4))) << "pixels past the file";
    EXPECT_TRUE(refused(patched(10, 20, 4))) << "pixels inside the header";
    EXPECT_TRUE(refused(patched(30, 1, 4))) << "compressed";
    EXPECT_TRUE(refused(patched(28, 4, 2))) << "4-bit";
    EXPECT_TRUE(refused(patched(18, 0, 4))) << "no width";
    EXPECT_TRUE(refused(patched(18, 0x80000000u, 4))) << "negative width";
    EXPECT_TRUE(refused(patched(22, 0, 4))) << "no height";
    EXPECT_TRUE(refused(patched(22, 100000, 4))) << "huge height";
    EXPECT_TRUE(refused(patched(14, 1000, 4))) << "info header past the file";
    EXPECT_EQ(image.bits, nullptr);
    EXPECT_EQ(DecodeBmp(nullptr, 100, &image), 0);
}

TEST(Bitmaps, ColourMatchGivesTheSurfacePixelAndRestoresIt) {
    PlatSurface* s565 = nullptr;
    PlatSurface* s555 = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(4, 4, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &s565), DD_OK);
    ASSERT_EQ(PlatSurfaceCreate(4, 4, PLAT_PF_XRGB1555, PLAT_SURF_SYSTEMMEMORY, &s555), DD_OK);
    PlatSurfaceFill(s565, nullptr, 0x1234, PLAT_WAIT);
    EXPECT_EQ(ColourMatch(s565, 0x0000FF00), 0x07E0u);
    EXPECT_EQ(ColourMatch(s555, 0x0000FF00), 0x03E0u);
    EXPECT_EQ(ColourMatch(s565, 0x000000FF), 0xF800u) << "GDI colours are 0x00BBGGRR";
    EXPECT_EQ(ColourMatch(s565, 0xFFFFFFFFu), 0x1234u) << "-1 only reads";
    EXPECT_EQ(SetSourceColourKey(s565, 0x0000FF00), DD_OK);
    uint32_t low = 0, high = 0;
    PlatSurfaceGetColourKey(s565, &low, &high);
    EXPECT_EQ(low, 0x07E0u);
    EXPECT_EQ(high, 0x07E0u);
    EXPECT_EQ(ColourMatch(s565, 0xFFFFFFFFu), 0x1234u) << "the pixel is restored";
    PlatSurfaceRelease(s565);
    PlatSurfaceRelease(s555);
}

TEST(Bitmaps, CopyIsOneToOneAndLeavesTheRestOfTheSurface) {
    PlatSurface* s = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(320, 128, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &s), DD_OK);
    PlatSurfaceFill(s, nullptr, 0xAAAA, PLAT_WAIT);
    const std::vector<uint8_t> file = MakeBmp(200, 100, 24, 0);
    BmpImage image;
    ASSERT_EQ(DecodeBmp(file.data(), (int)file.size(), &image), 1);
    EXPECT_EQ(CopyBitmapToSurface(s, &image), DD_OK);
    EXPECT_EQ(CopyBitmapToSurface(nullptr, &image), BITMAP_E_FAIL);
    EXPECT_EQ(CopyBitmapToSurface(s, nullptr), BITMAP_E_FAIL);
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(s, nullptr, PLAT_WAIT, &bits, &pitch), DD_OK);
    auto pixel = [&](int x, int y) { return ((uint16_t*)((uint8_t*)bits + y * pitch))[x]; };
    const uint32_t rgb = BmpPixelRgb(image, 199, 99);
    EXPECT_EQ(pixel(199, 99), PlatPixelFromRgb(PLAT_PF_RGB565, rgb >> 16, rgb >> 8 & 255, rgb & 255));
    EXPECT_EQ(pixel(200, 50), 0xAAAA);
    EXPECT_EQ(pixel(50, 100), 0xAAAA);
    PlatSurfaceUnlock(s);
    PlatSurfaceRelease(s);
}

}  // namespace
