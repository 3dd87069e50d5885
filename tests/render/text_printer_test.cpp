// The text printer and ImpGfx on a 640 x 480 5-6-5 screen: alignment,
// small display modes, the highlight toggle, frame mode, clipping at the
// edges, layout scaling, the three destinations, and untrusted width files.
//
// The font strip of these tests is coded: its pixel at (x, y) holds
// font << 13 | x for the band's font, so a pixel on the screen tells which
// font and which strip column it was copied from.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "render/render_state.h"
#include "render/surface_test_util.h"
#include "render/text_printer.h"

namespace {

constexpr uint16_t BACKGROUND = 0x0841;

int BandOf(int y) {
    for (int font = FONT_COUNT - 1; font >= 0; font--)
        if (y >= FontTop[font])
            return font;
    return 0;
}

uint16_t Coded(int font, int stripX) { return (uint16_t)(font << 13 | stripX); }

// The strip column of glyph `code`'s column `col` in a font.
int Column(int font, int code, int col = 0) { return GlyphOffsetTable[font][code - 33] + col; }

void PutWidth(std::vector<uint8_t>& file, int font, int code, int32_t width) {
    const size_t at = (size_t)(font * GLYPH_WIDTH_ENTRIES + code - 33) * 4;
    for (int i = 0; i < 4; i++)
        file[at + i] = (uint8_t)((uint32_t)width >> (8 * i));
}

// Widths as the fonts are drawn: digits and frame pieces as delivered, the
// rest 10 (large), 8 (medium), 5 (small).  Font 2's 'b' is wider than font
// 1's, so a measure in the wrong font shows.
std::vector<uint8_t> TestWidths() {
    static const int digits[3][10] = {{27, 15, 24, 24, 26, 24, 24, 24, 24, 24},
                                      {13, 8, 13, 13, 14, 13, 13, 13, 13, 13},
                                      {7, 4, 7, 7, 8, 7, 7, 7, 7, 7}};
    static const int frameEnd[FONT_COUNT] = {13, 11, 11, 6, 6}, frameMiddle[FONT_COUNT] = {8, 4, 4, 4, 4};
    static const int others[FONT_COUNT] = {10, 8, 8, 5, 5};
    std::vector<uint8_t> file(GLYPH_WIDTH_FILE_BYTES, 0);
    for (int font = 0; font < FONT_COUNT; font++) {
        const int row = font == 0 ? 0 : font <= 2 ? 1 : 2;
        for (int code = 33; code <= 254; code++) {
            int width = others[font];
            if (code >= '0' && code <= '9')
                width = digits[row][code - '0'];
            else if (code == FRAME_LEFT || code == FRAME_RIGHT || code == 165)
                width = frameEnd[font];
            else if (code == FRAME_MIDDLE)
                width = frameMiddle[font];
            PutWidth(file, font, code, width);
        }
    }
    PutWidth(file, 2, 'b', 12);
    PutWidth(file, 3, '!', 2);
    return file;
}

class Printer : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> widths = TestWidths();
        ASSERT_EQ(ParseGlyphWidths(widths.data(), (int)widths.size()), 1);
        FontSurface = MakeSurface565(FONT_STRIP_PIXELS_WIDE, FONT_STRIP_PIXELS_HIGH);
        CodeSurface(FontSurface, [](int x, int y) { return Coded(BandOf(y), x); });
        screen = MakeSurface565(640, 480, BACKGROUND);
        WorkSurface = MakeSurface565(640, 1440, BACKGROUND);
        DisplayConfig.width = 640;
        DisplayConfig.height = 480;
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        ScreenRight = 640.0f;
        ScreenBottom = 480.0f;
        RenderKind = 1;
        ForceTargetBlit = 0;
        FullSizeFonts = 0;
        ScaleLayoutCoords = 1;
    }
    void TearDown() override {
        PlatSurfaceRelease(FontSurface);
        PlatSurfaceRelease(screen);
        PlatSurfaceRelease(WorkSurface);
        FontSurface = WorkSurface = nullptr;
    }
    uint16_t At(int x, int y) { return PixelAt(screen, x, y); }
    // The first column of row y showing glyph `code` of `font`, or -1.
    int Where(int font, int code, int y) {
        for (int x = 0; x < 640; x++)
            if (At(x, y) == Coded(font, Column(font, code)))
                return x;
        return -1;
    }
    PlatSurface* screen = nullptr;
};

}  // namespace

TEST_F(Printer, ACentredOneInTheSmallFontStartsTwoLeftOfTheCentre) {
    PrintText(320, 100, "1", 3, ALIGN_CENTRE, screen, 0);
    EXPECT_EQ(At(317, 100), BACKGROUND);
    EXPECT_EQ(At(318, 100), Coded(3, Column(3, '1')));
    EXPECT_EQ(At(321, 113), Coded(3, Column(3, '1', 3)));
    EXPECT_EQ(At(322, 100), BACKGROUND);
    EXPECT_EQ(At(318, 99), BACKGROUND);
    EXPECT_EQ(At(318, 114), BACKGROUND);

    // Right alignment ends at x; an odd width is measured one more.
    PrintText(200, 200, "a", 3, ALIGN_RIGHT, screen, 0);   // 5 measures as 6
    EXPECT_EQ(InkSpan(screen, 200, BACKGROUND).first, 194);
    PrintText(200, 300, "!1", 3, ALIGN_RIGHT, screen, 0);   // 2 + 4
    EXPECT_EQ(InkSpan(screen, 300, BACKGROUND).first, 194);
    EXPECT_EQ(InkSpan(screen, 300, BACKGROUND).end, 200);
    // An empty text measures as a space: its frame still has a middle piece.
    ScaleLayoutCoords = 0;
    PrintText(200, 400, "", 3, ALIGN_CENTRE, screen, 1);   // 5 -> 6, x = 197
    EXPECT_EQ(InkSpan(screen, 405, BACKGROUND).first, 193);
    EXPECT_EQ(InkSpan(screen, 405, BACKGROUND).end, 193 + 6 + 4 + 6);
}

TEST_F(Printer, SmallModesPrintTheLargeFontNarrowInTheMediumOne) {
    DisplayConfig.width = 512;
    DisplayConfig.height = 384;
    SurfaceWidth = 512;
    SurfaceHeight = 384;
    // '1' 8 wide, '2' 13 wide, each advancing one less; a space 9.
    PrintText(0, 0, "12 3", 0, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(Where(1, '1', 5), 0);
    EXPECT_EQ(Where(1, '2', 5), 7);
    EXPECT_EQ(Where(1, '3', 5), 7 + 12 + 9);
    EXPECT_EQ(At(0, 25), BACKGROUND) << "25 rows of the medium font";

    // The medium font becomes the small one, not narrow.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    PrintText(0, 0, "12", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(Where(3, '2', 5), 4);

    // Full-size fonts keep font 0 on a small mode.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    FullSizeFonts = 1;
    PrintText(0, 0, "12 3", 0, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(Where(0, '1', 5), 0);
    EXPECT_EQ(Where(0, '2', 5), 15);
    EXPECT_EQ(Where(0, '3', 5), 15 + 24 + 13);
    EXPECT_NE(At(0, 48), BACKGROUND) << "49 rows of the large font";
}

TEST_F(Printer, CodeThirtyOneSwitchesToTheHighlightFontButMeasuresInTheFirst) {
    // Measured as three glyphs of 8: x = 320 - 12.  'b' comes from font 2,
    // where it is 12 wide.
    PrintText(320, 50, "a\x1f" "b\x1f" "c", 1, ALIGN_CENTRE, screen, 0);
    EXPECT_EQ(Where(1, 'a', 60), 308);
    EXPECT_EQ(Where(2, 'b', 60), 316);
    EXPECT_EQ(Where(1, 'c', 60), 328);
    EXPECT_EQ(Where(1, 'b', 60), -1);

    // From the highlight font the toggle stays inside the five fonts.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    PrintText(0, 200, "\x1f" "a\x1f" "b", 4, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(Where(4, 'a', 205), 0);
    EXPECT_EQ(Where(3, 'b', 205), 5);

    // On a small mode the toggled font passes through the map again.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    DisplayConfig.width = 512;
    PrintText(0, 100, "a\x1f" "b", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(Where(3, 'a', 105), 0);
    EXPECT_EQ(Where(4, 'b', 105), 5);
}

TEST_F(Printer, FrameModeDrawsOnlyTheFrame) {
    // "!" measures 2: no middle pieces are counted, so the left end and one
    // middle piece are drawn.  The frame starts 6 / 1.5 = 4 left of x.
    ScaleLayoutCoords = 0;
    PrintText(100, 10, "!", 3, ALIGN_LEFT, screen, 1);
    EXPECT_EQ(Where(3, FRAME_LEFT, 12), 96);
    EXPECT_EQ(Where(3, FRAME_MIDDLE, 12), 102);
    EXPECT_EQ(InkSpan(screen, 12, BACKGROUND).end, 106) << "no right end";
    EXPECT_EQ(Where(3, '!', 12), -1) << "the text itself is not drawn";

    // Twenty-two pixels: five middle pieces and the right end.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    ScaleLayoutCoords = 0;
    PrintText(100, 10, "aa!!!!!!", 3, ALIGN_LEFT, screen, 1);   // 5 + 5 + 6 x 2 = 22 -> 5 pieces
    EXPECT_EQ(Where(3, FRAME_LEFT, 12), 96);
    EXPECT_EQ(Where(3, FRAME_RIGHT, 12), 96 + 6 + 5 * 4);
    EXPECT_EQ(InkSpan(screen, 12, BACKGROUND).end, 96 + 6 + 5 * 4 + 6);
}

TEST_F(Printer, GlyphsAreClippedAtTheSurfaceEdges) {
    // Half off the left: only the visible columns, from the glyph's own.
    ScaleLayoutCoords = 0;
    PrintText(-3, 20, "a", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(0, 30), Coded(1, Column(1, 'a', 3)));
    EXPECT_EQ(At(4, 30), Coded(1, Column(1, 'a', 7)));
    EXPECT_EQ(At(5, 30), BACKGROUND);

    // Off the right: the first glyph is cut, the next is not drawn.
    ScaleLayoutCoords = 0;
    PrintText(636, 100, "ab", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(639, 110), Coded(1, Column(1, 'a', 3)));
    EXPECT_EQ(Where(1, 'b', 110), -1);

    // The render surface's size counts, not the destination's.
    SurfaceWidth = 600;
    ScaleLayoutCoords = 0;
    PrintText(596, 200, "ab", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(InkSpan(screen, 210, BACKGROUND).first, 596);
    EXPECT_EQ(InkSpan(screen, 210, BACKGROUND).end, 600);

    // Off the top and bottom.
    SurfaceWidth = 640;
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    ScaleLayoutCoords = 0;
    PrintText(10, -20, "a", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(10, 0), Coded(1, Column(1, 'a')));
    EXPECT_EQ(At(10, 5), BACKGROUND);
    ScaleLayoutCoords = 0;
    PrintText(10, 470, "a", 1, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(10, 479), Coded(1, Column(1, 'a')));
}

TEST_F(Printer, LayoutCoordinatesScaleAgainAfterAClearedCall) {
    SurfaceWidth = 320;
    SurfaceHeight = 240;
    ScaleLayoutCoords = 0;
    PrintText(100, 100, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(InkSpan(screen, 105, BACKGROUND).first, 100);
    EXPECT_EQ(ScaleLayoutCoords, 1);
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    PrintText(100, 100, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(InkSpan(screen, 55, BACKGROUND).first, 50) << "(100, 100) of the layout is (50, 50)";
    EXPECT_EQ(At(50, 49), BACKGROUND);
}

TEST_F(Printer, ThreeDestinations) {
    // A key pixel in glyph 'a' of font 3: copied only by the plain copy.
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(FontSurface, nullptr, PLAT_WAIT, &bits, &pitch), DD_OK);
    ((uint16_t*)((uint8_t*)bits + FontTop[3] * pitch))[Column(3, 'a', 1)] = TEST_KEY;
    PlatSurfaceUnlock(FontSurface);

    RenderKind = 2;   // loading screens: plain copies onto the destination
    PrintText(0, 0, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(1, 0), TEST_KEY);
    EXPECT_EQ(At(0, 0), Coded(3, Column(3, 'a')));

    RenderKind = 1;   // Direct3D: keyed onto the destination
    PrintText(0, 100, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(1, 100), BACKGROUND);
    EXPECT_EQ(At(0, 100), Coded(3, Column(3, 'a')));

    RenderKind = 0;   // software: into the work surface, whatever was passed
    PrintText(0, 200, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(0, 200), BACKGROUND);
    EXPECT_EQ(PixelAt(WorkSurface, 0, 200), Coded(3, Column(3, 'a')));
    EXPECT_EQ(PixelAt(WorkSurface, 1, 200), BACKGROUND);

    ForceTargetBlit = 1;   // ... unless the caller forces the target
    PrintText(0, 300, "a", 3, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(0, 300), Coded(3, Column(3, 'a')));
    EXPECT_EQ(PixelAt(WorkSurface, 0, 300), BACKGROUND);
}

TEST_F(Printer, ImpGfxClipsAtAllFourEdgesAndCentresInTheView) {
    // A 64 x 64 source coded y * 64 + x.
    PlatSurface* source = MakeSurface565(64, 64);
    CodeSurface(source, [](int x, int y) { return y * 64 + x; });
    ImpGfx(-5, -3, 20, 10, 10, 20, screen, source, 0);
    EXPECT_EQ(At(0, 0), 23 * 64 + 15);
    EXPECT_EQ(At(14, 6), 29 * 64 + 29);
    EXPECT_EQ(At(15, 0), BACKGROUND);
    EXPECT_EQ(At(0, 7), BACKGROUND);

    ImpGfx(630, 475, 20, 10, 10, 20, screen, source, 0);
    EXPECT_EQ(At(630, 475), 20 * 64 + 10);
    EXPECT_EQ(At(639, 479), 24 * 64 + 19);
    EXPECT_EQ(At(629, 475), BACKGROUND);

    // Wholly off any edge: nothing.
    PlatSurfaceFill(screen, nullptr, BACKGROUND, PLAT_WAIT);
    ImpGfx(-20, 100, 20, 10, 0, 0, screen, source, 0);
    ImpGfx(640, 100, 20, 10, 0, 0, screen, source, 0);
    ImpGfx(100, -10, 20, 10, 0, 0, screen, source, 0);
    ImpGfx(100, 480, 20, 10, 0, 0, screen, source, 0);
    for (int y : {0, 100, 105, 479})
        EXPECT_EQ(InkSpan(screen, y, BACKGROUND).end, 0) << y;

    // Centred on a layout point of the 3D view: the top half of a split
    // screen is 640 x 240.
    ScreenBottom = 240.0f;
    ImpGfx(320, 240, 20, 10, 0, 0, screen, source, 1);
    EXPECT_EQ(At(310, 115), 0);
    EXPECT_EQ(At(329, 124), 9 * 64 + 19);
    EXPECT_EQ(At(309, 115), BACKGROUND);
    PlatSurfaceRelease(source);
}

TEST_F(Printer, UntrustedWidthFiles) {
    // Another size: every width 0, so nothing is drawn.
    std::vector<uint8_t> widths = TestWidths();
    EXPECT_EQ(ParseGlyphWidths(widths.data(), (int)widths.size() - 1), 0);
    PrintText(10, 10, "abc", 1, ALIGN_LEFT, screen, 0);
    PrintText(10, 10, "abc", 1, ALIGN_LEFT, screen, 1);
    EXPECT_EQ(InkSpan(screen, 15, BACKGROUND).end, 0);

    // Widths are held to 0..64 and a glyph reaching past the strip is
    // missing: the row's sum never passes the strip.
    PutWidth(widths, 1, 'a', -7);
    PutWidth(widths, 1, 'b', 1 << 30);
    for (int code = 'c'; code <= 254; code++)
        PutWidth(widths, 1, code, 60);
    ASSERT_EQ(ParseGlyphWidths(widths.data(), (int)widths.size()), 1);
    EXPECT_EQ(GlyphWidthTable[1]['a' - 33], 0);
    EXPECT_EQ(GlyphWidthTable[1]['b' - 33], 64);
    int sum = 0;
    for (int c = 0; c < GLYPH_PRINTABLE; c++) {
        EXPECT_EQ(GlyphOffsetTable[1][c], sum);
        sum += GlyphWidthTable[1][c];
    }
    EXPECT_LE(sum, FONT_STRIP_PIXELS_WIDE);
    EXPECT_EQ(GlyphWidthTable[1][254 - 33], 0);

    // Bytes are unsigned: 255 has no glyph and draws nothing; a font out of
    // range is held to 0..4.
    PrintText(10, 300, "\xff", 9, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(InkSpan(screen, 305, BACKGROUND).end, 0);
    PrintText(10, 300, "1", 9, ALIGN_LEFT, screen, 0);
    EXPECT_EQ(At(10, 305), Coded(4, Column(4, '1')));
}
