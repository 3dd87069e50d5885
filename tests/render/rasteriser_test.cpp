// The software rasteriser: the four span kinds, the fill rule, the
// 32-pixel perspective runs, texel wrapping, depth stamps and saturation.

#include <gtest/gtest.h>

#include <cmath>

#include "render/rasteriser.h"
#include "soft_test_util.h"

namespace {

const uint16_t BACKGROUND = 0xFFFF;

// A 64 x 64 checker of indices 1..4 with palette colour 0x1000 x index.
void MakeChecker(SoftFrame& f, int slot, int keyClass = -1, int kind = 0) {
    f.MakeTexture(
        slot, 64, 64, 0, 0, 0, 0, [](int u, int v) { return 1 + ((u / 8 + v / 8) & 3); },
        [](int i) { return i * 0x1000 + i; }, keyClass, kind);
}

// The fixed scene: three overlapping triangles at different depths, one
// reaching past the left and top edges, one seen in strong perspective.
void AddFixedScene(SoftFrame& f, int slot) {
    f.AddPolygon(slot, {100, 80, 2.0f, 0, 0}, {420, 120, 2.0f, 1, 0}, {180, 400, 2.0f, 0, 1});
    f.AddPolygon(slot, {-60, -40, 4.0f, 0, 0}, {300, 200, 1.0f, 2, 0}, {50, 300, 3.0f, 0, 2});
    f.AddPolygon(slot, {200, 200, 8.0f, 0.2f, 0.1f}, {630, 260, 0.5f, 3, 0}, {350, 470, 1.5f, 0.5f, 2.5f});
}

uint64_t DrawFixedScene(int keyClass, int kind) {
    SoftFrame f;
    f.FillColour(BACKGROUND);
    MakeChecker(f, 100, keyClass, kind);
    AddFixedScene(f, 100);
    RasterizePrimitives();
    return f.Checksum();
}

TEST(Rasteriser, FixedSceneChecksumsOfEverySpanKind) {
    // Recorded from the scene above; a change in the walk, the spans, the
    // perspective runs or a filler's rule changes them.
    EXPECT_EQ(DrawFixedScene(-1, 0), 17072679530127460677ull) << "opaque";
    EXPECT_EQ(DrawFixedScene(3, 0), 12569204690384242447ull) << "keyed";
    EXPECT_EQ(DrawFixedScene(-1, 1), 18074064095643555603ull) << "darkening mask";
    EXPECT_EQ(DrawFixedScene(-1, 2), 2388348424006445123ull) << "depth-tested darkening mask";
}

// What each kind does with a pixel: the opaque kind draws and writes
// depth; the keyed one skips colour 0 entirely; the masks darken instead of
// drawing, the first whatever the depth, the second only in front.
TEST(Rasteriser, SpanKindsTreatPixelAndDepthAsSpecified) {
    SoftFrame f;
    // Texel index 0 on the left half, 1 on the right; colour 0 for index 0.
    auto texel = [](int u, int) { return u < 32 ? 0 : 1; };
    auto colour = [](int i) { return i == 0 ? 0 : 0x07E0; };
    auto square = [&](int slot, float q) {
        f.AddPolygon(slot, {0, 0, q, 0, 0}, {64, 0, q, 1, 0}, {0, 64, q, 0, 1});
        f.AddPolygon(slot, {64, 0, q, 1, 0}, {64, 64, q, 1, 1}, {0, 64, q, 0, 1});
    };
    for (int kind = 0; kind < 4; kind++) {
        f.FillColour(BACKGROUND);
        std::fill(f.memory.begin() + SOFT_DEPTH_OFFSET, f.memory.end(), 0);
        f.Clear();
        const int slot = 10 + kind;
        f.MakeTexture(slot, 64, 64, 0, 0, 0, 0, texel, colour, kind == 1 ? 3 : -1, kind < 2 ? 0 : kind - 1);
        // A nearer square of another texture already lies on the bottom half
        // of the screen area used; masks and depth tests meet it there.
        f.MakeTexture(20, 64, 64, 1, 0, 0, 1, [](int, int) { return 1; }, [](int) { return 0x001F; });
        f.AddPolygon(20, {0, 32, 4.0f, 0, 0}, {64, 32, 4.0f, 1, 0}, {0, 64, 4.0f, 0, 1});
        f.AddPolygon(20, {64, 32, 4.0f, 1, 0}, {64, 64, 4.0f, 1, 1}, {0, 64, 4.0f, 0, 1});
        square(slot, 2.0f);
        RasterizePrimitives();
        const uint16_t strong = DarkenTableStrong[BACKGROUND], weak = DarkenTableWeak[BACKGROUND];
        const uint16_t strongNear = DarkenTableStrong[0x001F];
        // (48, 10): right half, nothing in front.  (10, 10): left half
        // (index 0).  (48, 50): right half behind the nearer square.
        switch (kind) {
        case 0:
            EXPECT_EQ(f.Pixel(48, 10), 0x07E0);
            EXPECT_EQ(f.Pixel(10, 10), 0) << "the opaque kind draws colour 0 too";
            EXPECT_EQ(f.Pixel(48, 50), 0x001F) << "behind the nearer square";
            EXPECT_EQ(f.Depth(48, 10) & 0xFFFFFF, (int32_t)std::nearbyint(2.0f * 0.001953f * 1677696000.0f));
            break;
        case 1:
            EXPECT_EQ(f.Pixel(48, 10), 0x07E0);
            EXPECT_EQ(f.Pixel(10, 10), BACKGROUND) << "a keyed hole keeps the pixel";
            EXPECT_EQ(f.Depth(10, 10), 0) << "... and the depth";
            break;
        case 2:
            EXPECT_EQ(f.Pixel(48, 10), strong);
            EXPECT_EQ(f.Pixel(10, 10), BACKGROUND) << "index 0 darkens nothing";
            EXPECT_EQ(f.Pixel(48, 50), strongNear) << "no depth test: darkens what is in front";
            EXPECT_EQ(f.Depth(48, 10), 0) << "no depth write";
            break;
        case 3:
            EXPECT_EQ(f.Pixel(48, 10), weak);
            EXPECT_EQ(f.Pixel(10, 10), BACKGROUND);
            EXPECT_EQ(f.Pixel(48, 50), 0x001F) << "behind the nearer square: untouched";
            EXPECT_EQ(f.Depth(48, 10), 0) << "no depth write";
            break;
        }
    }
}

// Two triangles sharing an edge cover a square exactly once: rows from the
// top inclusive to the bottom exclusive, pixels from the left inclusive to
// the right exclusive.  A mask without depth test darkens a pixel as often
// as it is drawn, so twice-drawn pixels would show.
TEST(Rasteriser, SharedEdgesAreDrawnOnceAndTheFarEdgesNot) {
    SoftFrame f;
    f.FillColour(BACKGROUND);
    f.MakeTexture(30, 16, 16, 0, 0, 0, 0, [](int, int) { return 1; }, [](int) { return 1; }, -1, 1);
    f.AddPolygon(30, {10, 20, 1, 0, 0}, {110, 20, 1, 1, 0}, {110, 70, 1, 1, 1});
    f.AddPolygon(30, {10, 20, 1, 0, 0}, {110, 70, 1, 1, 1}, {10, 70, 1, 0, 1});
    // A fan of three more around a shared centre.
    f.AddPolygon(30, {300, 100, 1, 0, 0}, {400, 100, 1, 1, 0}, {350, 150, 1, 0, 1});
    f.AddPolygon(30, {400, 100, 1, 0, 0}, {400, 200, 1, 1, 0}, {350, 150, 1, 0, 1});
    f.AddPolygon(30, {400, 200, 1, 0, 0}, {300, 200, 1, 1, 0}, {350, 150, 1, 0, 1});
    f.AddPolygon(30, {300, 200, 1, 0, 0}, {300, 100, 1, 1, 0}, {350, 150, 1, 0, 1});
    RasterizePrimitives();
    const uint16_t once = DarkenTableStrong[BACKGROUND];
    int wrong = 0;
    for (int y = 0; y < 240; y++) {
        for (int x = 0; x < 640; x++) {
            const bool inFirst = x >= 10 && x < 110 && y >= 20 && y < 70;
            const bool inFan = x >= 300 && x < 400 && y >= 100 && y < 200;
            wrong += f.Pixel(x, y) != (inFirst || inFan ? once : BACKGROUND);
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A span of 70 pixels is two 32-pixel runs and a rest of 6: the texel is
// exact (perspective-correct) at every run start and linear inside a run.
TEST(Rasteriser, LongSpansAreCutIntoRunsOf32Pixels) {
    SoftFrame f;
    // The palette index is the texel column: the pixel tells which column
    // was read.
    f.MakeTexture(40, 256, 256, 0, 0, 0, 0, [](int u, int) { return u; }, [](int i) { return i; });
    // One row tall in practice: a flat triangle whose row 100 runs from
    // x 100 to 170, depth falling to the right (q 4 to 1).
    f.AddPolygon(40, {100, 100, 4, 0, 0.5f}, {170, 100, 1, 1, 0.5f}, {100, 101, 4, 0, 0.5f});
    f.AddPolygon(40, {170, 100, 1, 1, 0.5f}, {170, 101, 1, 1, 0.5f}, {100, 101, 4, 0, 0.5f});
    RasterizePrimitives();
    // The exact column at pixel i: u' / w' interpolated linearly.
    auto exact = [](int i) {
        const double w0 = 4 * 0.001953, w1 = 1 * 0.001953;
        const double u0 = 1.0 * w0, u1 = (254.5 + 1.0) * w1;
        const double t = i / 70.0;
        return (u0 + (u1 - u0) * t) / (w0 + (w1 - w0) * t);
    };
    for (int i : {0, 32, 64})
        EXPECT_NEAR(f.Pixel(100 + i, 100), exact(i), 1.0) << "run start " << i;
    // Inside the first run the column steps linearly from its two ends,
    // which differs from the exact curve in the middle.
    const double linearMiddle = (exact(0) + exact(32)) / 2;
    EXPECT_NEAR(f.Pixel(100 + 16, 100), linearMiddle, 1.0);
    EXPECT_GT(std::fabs(exact(16) - linearMiddle), 4.0);
    // Every pixel of the span is drawn, the right end excluded.
    EXPECT_GT(f.Pixel(169, 100), f.Pixel(168, 100) - 1);
    EXPECT_EQ(f.Pixel(170, 100), 0);
}

// Texture coordinates beyond 0..1 run on into the page, not round the
// texture: a 16-texel texture shows its page neighbours at u 1..2.
TEST(Rasteriser, TexelsWrapWithinThePageNotTheTexture) {
    SoftFrame f;
    uint8_t* page = f.pages;
    for (int i = 0; i < SOFT_PAGE_BYTES; i++)
        page[i] = 9;   // the page around the texture
    f.MakeTexture(50, 16, 16, 0, 0, 0, 0, [](int, int) { return 3; }, [](int i) { return i * 100; });
    f.AddPolygon(50, {0, 0, 1, 0, 0}, {320, 0, 1, 20, 0}, {0, 10, 1, 0, 0.5f});
    f.AddPolygon(50, {320, 0, 1, 20, 0}, {320, 10, 1, 20, 0.5f}, {0, 10, 1, 0, 0.5f});
    RasterizePrimitives();
    int texture = 0, neighbours = 0;
    for (int x = 0; x < 320; x++) {
        texture += f.Pixel(x, 5) == 300;
        neighbours += f.Pixel(x, 5) == 900;
    }
    // u 0..20 over 320 pixels covers columns 1 .. 291 and wraps at 256:
    // the texture's 16 columns appear twice, about 16 pixels each time.
    EXPECT_GT(texture, 20);
    EXPECT_LT(texture, 48);
    EXPECT_GT(neighbours, 250);
}

// A triangle whose top lies above the screen starts at row 0 with its
// edges where stepping from the top would have put them.
TEST(Rasteriser, ATopAboveTheScreenStartsAtRowZero) {
    SoftFrame f;
    f.FillColour(BACKGROUND);
    f.MakeTexture(60, 16, 16, 0, 0, 0, 0, [](int, int) { return 1; }, [](int) { return 0x1234; });
    f.AddPolygon(60, {100, -100, 1, 0, 0}, {300, 100, 1, 1, 0}, {100, 100, 1, 0, 1});
    RasterizePrimitives();
    // Row 0 lies halfway down: the long edge (100,-100)-(100,100) at x 100,
    // the short one (100,-100)-(300,100) at x 200.
    int first = -1, last = -1;
    for (int x = 0; x < 640; x++) {
        if (f.Pixel(x, 0) == 0x1234) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    EXPECT_EQ(first, 100);
    EXPECT_EQ(last, 199);
    EXPECT_EQ(f.Pixel(150, 99), 0x1234);
    EXPECT_EQ(f.Pixel(150, 100), BACKGROUND) << "the bottom row is not drawn";
}

// Depth values keep to 24 bits: a polygon close enough for its inverse
// depth to pass them leaves the frame stamp in the top byte untouched.
TEST(Rasteriser, NearDepthSaturatesBelowTheFrameStamp) {
    SoftFrame f;
    DepthStamp = 5u << 24;
    f.MakeTexture(70, 16, 16, 0, 0, 0, 0, [](int, int) { return 1; }, [](int) { return 7; });
    // q 200 gives 200 x 0.001953 x 1677696000, far past 24 bits.
    f.AddPolygon(70, {0, 0, 200, 0, 0}, {100, 0, 300, 1, 0}, {0, 50, 200, 0, 1});
    RasterizePrimitives();
    ASSERT_EQ(f.Pixel(10, 10), 7);
    for (int x = 0; x < 90; x += 7) {
        if (f.Pixel(x, 2) == 7) {
            EXPECT_EQ((uint32_t)f.Depth(x, 2) >> 24, 5u) << x;
        }
    }
    EXPECT_EQ(f.Depth(10, 10), (int32_t)(5u << 24 | 0xFFFFFF));

    // A later frame's stamp outweighs it, however far its polygon lies.
    DepthStamp = 6u << 24;
    f.Clear();
    f.MakeTexture(71, 16, 16, 0, 16, 0, 1, [](int, int) { return 1; }, [](int) { return 8; });
    f.AddPolygon(71, {0, 0, 0.01f, 0, 0}, {100, 0, 0.01f, 1, 0}, {0, 50, 0.01f, 0, 1});
    RasterizePrimitives();
    EXPECT_EQ(f.Pixel(10, 10), 8);
}

// Saturation is per pixel: a sloped polygon that passes the 24-bit limit
// part of the way along its spans keeps its true depth up to the limit, so
// a flat polygon drawn after it still loses wherever the sloped one is
// nearer.  The sloped one runs from q 4 on the left to q 8 on the right
// (the limit lies near q 5.12); the flat one at q 4.8 is nearer only where
// the sloped one is below q 4.8, left of x = 20.
TEST(Rasteriser, SaturatedSpansKeepTheirNearOrder) {
    SoftFrame f;
    f.FillColour(BACKGROUND);
    f.MakeTexture(90, 16, 16, 0, 0, 0, 0, [](int, int) { return 1; }, [](int) { return 0x1111; });
    f.MakeTexture(91, 16, 16, 0, 32, 0, 1, [](int, int) { return 1; }, [](int) { return 0x2222; });
    auto quad = [&](int slot, float left, float right) {
        f.AddPolygon(slot, {0, 0, left, 0, 0}, {100, 0, right, 1, 0}, {0, 20, left, 0, 1});
        f.AddPolygon(slot, {100, 0, right, 1, 0}, {100, 20, right, 1, 1}, {0, 20, left, 0, 1});
    };
    quad(90, 4.0f, 8.0f);
    quad(91, 4.8f, 4.8f);
    RasterizePrimitives();
    for (int y = 2; y < 18; y += 5) {
        for (int x = 0; x < 100; x++) {
            if (x < 19) {
                EXPECT_EQ(f.Pixel(x, y), 0x2222) << x << ", " << y << ": the flat one is nearer";
            } else if (x > 21) {
                EXPECT_EQ(f.Pixel(x, y), 0x1111) << x << ", " << y << ": the sloped one is nearer";
            }
        }
    }
    // Past the limit the depth holds at the top of the 24 bits.
    EXPECT_EQ(f.Depth(90, 10), (int32_t)(DepthStamp | 0xFFFFFF));
    EXPECT_LT(f.Depth(25, 10), (int32_t)(DepthStamp | 0xFFFFFF)) << "q 5.0 is still below the limit";
}

// Polygons whose texture is not loaded, or whose slot lies outside the
// texture range, are passed over.
TEST(Rasteriser, UnloadedTexturesAndBadSlotsDrawNothing) {
    SoftFrame f;
    f.FillColour(BACKGROUND);
    f.MakeTexture(80, 16, 16, 0, 0, 0, 0, [](int, int) { return 1; }, [](int) { return 5; });
    SoftTexturePages[81] = {};
    for (int slot : {81, 0, -3, 2065, 4096 + 80, 70000})
        f.AddPolygon(slot, {0, 0, 1, 0, 0}, {100, 0, 1, 1, 0}, {0, 100, 1, 0, 1});
    RasterizePrimitives();
    EXPECT_EQ(f.Pixel(10, 10), BACKGROUND);
    // A pair pointing outside the list is ignored too.
    TextureSortPairs[1] = 20 * POLYGON_LIST_SIZE;
    TextureSortPairs[3] = 7;
    RasterizePrimitives();
    EXPECT_EQ(f.Pixel(10, 10), BACKGROUND);
}

// The lower of two stacked views draws every row above the split into the
// split row, tested against depth row 0.
TEST(SoftFrame, SplitTablesCollapseTheLowerViewsTopOntoTheSplitRow) {
    SoftFrame f;
    ScreenBottom = 480.0f;
    SurfaceHeight = 480;
    BuildSplitScanlineTables();
    for (int y = 0; y < 240; y++) {
        EXPECT_EQ(ScanlineRows[y], f.memory.data() + 240 * SOFT_ROW_BYTES);
        EXPECT_EQ(DepthRows[y], f.memory.data());
    }
    EXPECT_EQ(ScanlineRows[300], f.memory.data() + 300 * SOFT_ROW_BYTES);
    EXPECT_EQ(DepthRows[300], f.memory.data() + 300 * SOFT_DEPTH_ROW_BYTES);
    EXPECT_EQ(ScanlineRows[479], f.memory.data() + 479 * SOFT_ROW_BYTES);
}

}  // namespace
