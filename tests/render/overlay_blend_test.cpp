// The translucent overlay blit in both pixel formats, its level map read
// one byte behind, and the two screen line clippers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_graphics.h"
#include "render/overlay_blend.h"
#include "render/render_state.h"

namespace {

// A small generator of its own, so the sequence never changes.
struct Lcg {
    uint32_t seed;
    int Next(int low, int high) {
        seed = seed * 214013u + 2531011u;
        return low + (int)((seed >> 16) & 0x7FFF) % (high - low + 1);
    }
};

class Blend : public ::testing::Test {
protected:
    void SetUp() override {
        target.assign(640 * 480, 0);
        picture.assign(64 * 32, 0);
        BlendTarget = target.data();
        BlendSource = picture.data();
    }
    void TearDown() override {
        BlendTarget = nullptr;
        BlendSource = nullptr;
    }
    // The level map of the picture (64 wide) at offset 4096; the byte before
    // it set too, since pixel 0 reads it.
    void Levels(int level, int before = 100) {
        memset(MenuGfxBuffer + 4096, level, 64 * 32);
        MenuGfxBuffer[4095] = (unsigned char)before;
    }
    std::vector<uint16_t> target, picture;
};

void Blend565Or555(int greenBits, int x, int y, int w, int h, int pitch, int offset, int start) {
    if (greenBits == 6)
        BlendOverlay565(x, y, w, h, pitch, offset, start);
    else
        BlendOverlay555(x, y, w, h, pitch, offset, start);
}

}  // namespace

TEST_F(Blend, LevelZeroGivesThePictureAndLevelHundredTheBackground) {
    for (int greenBits : {6, 5}) {
        GreenMaskBits = greenBits;
        BuildBlendTables();
        Lcg random = {7};
        const uint16_t mask = greenBits == 6 ? 0xFFFF : 0x7FFF;
        for (auto& p : picture)
            p = (uint16_t)(random.Next(0, 0xFFFF) & mask);
        for (auto& p : target)
            p = (uint16_t)(random.Next(0, 0xFFFF) & mask);
        const std::vector<uint16_t> before = target;
        Levels(0, 0);
        Blend565Or555(greenBits, 10, 20, 64, 32, 64, 4096, 0);
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 64; x++)
                ASSERT_EQ(target[(20 + y) * 640 + 10 + x], picture[y * 64 + x]) << greenBits << " " << x << "," << y;
        EXPECT_EQ(target[20 * 640 + 9], before[20 * 640 + 9]);
        EXPECT_EQ(target[52 * 640 + 10], before[52 * 640 + 10]);

        // Level 100 leaves every pixel, whatever the tables hold.
        target = before;
        memset(BlendRed, 0x5A, sizeof BlendRed);
        memset(BlendGreen, 0x5A, sizeof BlendGreen);
        memset(BlendBlue, 0x5A, sizeof BlendBlue);
        Levels(100);
        Blend565Or555(greenBits, 10, 20, 64, 32, 64, 4096, 0);
        EXPECT_EQ(target, before);
        // So does any level past 100: no level reads past the tables.
        Levels(255, 255);
        Blend565Or555(greenBits, 10, 20, 64, 32, 64, 4096, 0);
        EXPECT_EQ(target, before);
    }
}

TEST_F(Blend, AMiddleLevelIsTheSumOfTheTableRows) {
    GreenMaskBits = 6;
    BuildBlendTables();
    // Background pure red (31, 0, 0), picture pure green (0, 63, 0).
    std::fill(target.begin(), target.end(), (uint16_t)0xF800);
    std::fill(picture.begin(), picture.end(), (uint16_t)0x07E0);
    Levels(40);
    BlendOverlay565(0, 0, 8, 1, 64, 4096, 1);
    const uint32_t expected = BlendRed[40][31] + BlendRed[140][0] + BlendGreen[40][0] + BlendGreen[140][63] +
                              BlendBlue[40][0] + BlendBlue[140][0];
    EXPECT_EQ(target[0], expected);
    EXPECT_GT(target[0] >> 11, 5u) << "some of the background";
    EXPECT_GT((target[0] >> 5) & 63, 20u) << "some of the picture";

    GreenMaskBits = 5;
    BuildBlendTables();
    std::fill(target.begin(), target.end(), (uint16_t)0x7C00);   // red
    std::fill(picture.begin(), picture.end(), (uint16_t)0x83E0); // green, top bit set
    BlendOverlay555(0, 0, 8, 1, 64, 4096, 1);
    EXPECT_EQ(target[0], BlendRed[40][31] + BlendRed[140][0] + BlendGreen[40][0] + BlendGreen[140][31] +
                             BlendBlue[40][0] + BlendBlue[140][0]);
}

TEST_F(Blend, TheLevelOfPixelSIsTheByteBeforeIt) {
    GreenMaskBits = 6;
    BuildBlendTables();
    std::fill(picture.begin(), picture.end(), (uint16_t)0xFFFF);
    // Bytes: 100, 0, 100, 0 ... from the map's start; pixel s reads byte s-1.
    for (int i = 0; i < 64 * 32; i++)
        MenuGfxBuffer[4096 + i] = i % 2 ? 0 : 100;
    MenuGfxBuffer[4095] = 0;
    BlendOverlay565(0, 0, 6, 1, 64, 4096, 0);
    EXPECT_EQ(target[0], 0xFFFF) << "pixel 0 reads the byte before the map";
    EXPECT_EQ(target[1], 0) << "pixel 1 reads byte 0";
    EXPECT_EQ(target[2], 0xFFFF);
    EXPECT_EQ(target[3], 0);

    // The first map of the buffer: its byte before is the guard of level 100.
    std::fill(target.begin(), target.end(), (uint16_t)0);
    memset(MenuGfxBuffer, 0, 64);
    BlendOverlay565(0, 0, 4, 1, 64, 0, 0);
    EXPECT_EQ(target[0], 0) << "the guard leaves the background";
    EXPECT_EQ(target[1], 0xFFFF);
}

TEST_F(Blend, RowsFollowTheSourcePitchAndTheStart) {
    GreenMaskBits = 6;
    BuildBlendTables();
    for (int i = 0; i < 64 * 32; i++)
        picture[i] = (uint16_t)(i + 1);
    Levels(0, 0);
    // A 3 x 2 part of the picture from (5, 2) at screen (100, 200).
    BlendOverlay565(100, 200, 3, 2, 64, 4096, 2 * 64 + 5);
    EXPECT_EQ(target[200 * 640 + 100], picture[2 * 64 + 5]);
    EXPECT_EQ(target[200 * 640 + 102], picture[2 * 64 + 7]);
    EXPECT_EQ(target[201 * 640 + 100], picture[3 * 64 + 5]);
    EXPECT_EQ(target[201 * 640 + 103], 0);
    EXPECT_EQ(target[202 * 640 + 100], 0);
}

// ---------------------------------------------------------------------------

TEST(ScreenLine, ClipsToTheBoxOf638By478) {
    int x0 = -10, y0 = 100, x1 = 10, y1 = 100;
    EXPECT_EQ(ClipScreenLine(x0, y0, x1, y1), 1);
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(y0, 100);
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(y1, 100);

    x0 = 700, y0 = 10, x1 = 700, y1 = 400;
    EXPECT_EQ(ClipScreenLine(x0, y0, x1, y1), 0);
    EXPECT_EQ(x0, 700);
    EXPECT_EQ(y1, 400);

    // Corner to corner through the box: both ends move onto its edges.
    x0 = -100, y0 = -100, x1 = 1000, y1 = 1000;
    EXPECT_EQ(ClipScreenLine(x0, y0, x1, y1), 1);
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(y0, 0);
    EXPECT_EQ(x1, 478);
    EXPECT_EQ(y1, 478);

    // A line that passes beside the box's corner is rejected.
    double a = 600, b = -100, c = 800, d = 100;
    EXPECT_EQ(ClipScreenLineF(a, b, c, d), 0);

    // Ends too far apart for 32-bit steps are refused, not overflowed.
    x0 = -2000000000, y0 = 5, x1 = 2000000000, y1 = 6;
    EXPECT_EQ(ClipScreenLine(x0, y0, x1, y1), 0);
}

// The integer variant truncates every step; a step taken after another
// carries the first one's error times the line's slope.  So the two agree
// within a pixel plus that slope, and their verdicts differ only for lines
// that end that close to the box's edge.
TEST(ScreenLine, BothVariantsAgreeOnRandomLines) {
    Lcg random = {12345};
    int clipped = 0, differ = 0;
    for (int i = 0; i < 10000; i++) {
        int x0 = random.Next(-1000, 1640), y0 = random.Next(-1000, 1480);
        int x1 = random.Next(-1000, 1640), y1 = random.Next(-1000, 1480);
        const double dx = std::fabs((double)x1 - x0), dy = std::fabs((double)y1 - y0);
        const double toleranceX = 2.0 + dx / std::fmax(dy, 1.0), toleranceY = 2.0 + dy / std::fmax(dx, 1.0);
        double a = x0, b = y0, c = x1, d = y1;
        const int whole = ClipScreenLine(x0, y0, x1, y1);
        const int exact = ClipScreenLineF(a, b, c, d);
        if (whole != exact) {
            differ++;
            const double edge = std::fmin(std::fmin(std::fabs(a - 638), std::fabs(a)),
                                          std::fmin(std::fabs(c - 638), std::fabs(c)));
            EXPECT_LT(edge, toleranceX) << i;
            continue;
        }
        if (!whole)
            continue;
        clipped++;
        EXPECT_NEAR(x0, a, toleranceX) << i;
        EXPECT_NEAR(y0, b, toleranceY) << i;
        EXPECT_NEAR(x1, c, toleranceX) << i;
        EXPECT_NEAR(y1, d, toleranceY) << i;
        EXPECT_TRUE(x0 >= 0 && x0 <= 638 && y0 >= 0 && y0 <= 478) << i;
        EXPECT_TRUE(x1 >= 0 && x1 <= 638 && y1 >= 0 && y1 <= 478) << i;
    }
    EXPECT_GT(clipped, 1000) << "the sample holds lines on the screen";
    EXPECT_LT(differ, 100);
}
