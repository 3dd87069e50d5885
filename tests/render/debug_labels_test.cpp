// Developer text: glyph positions, the shadow, the colour rows, copy
// errors, the label list and untrusted width files; the overview viewer.
//
// The small font of these tests is coded: its pixel at (x, y) holds
// y * 1024 + x, so a pixel on the screen tells where it was copied from.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/debug_labels.h"
#include "render/debug_viewer.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "render/surface_test_util.h"
#include "track/editors.h"

namespace {

constexpr uint16_t BACKGROUND = 0x0841;

// The delivered start of the table, then 6 for every other glyph.
std::vector<uint8_t> SmallWidths() {
    std::vector<uint8_t> table = {4, 2, 4, 6, 6, 6, 6, 2, 4, 4, 6, 6, 2, 6, 2, 5,
                                  6, 3, 6, 6, 6, 6, 6, 6, 6, 6, 2, 3, 4, 6, 4, 6};
    while (table.size() < SMALL_FONT_WIDTH_BYTES)
        table.push_back(6);
    return table;
}

// Column of the glyph of `code` in the small font.
int GlyphX(int code) {
    int x = SmallFontWidths[0];
    for (int c = 33; c < code; c++)
        x += SmallFontWidths[c - 32];
    return x;
}

uint16_t From(int x, int y) { return (uint16_t)(y * 1024 + x); }

class DebugText : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> widths = SmallWidths();
        ASSERT_EQ(ParseSmallFontWidths(widths.data(), (int)widths.size()), 1);
        SmallFontSurface = MakeSurface565(543, 40);
        CodeSurface(SmallFontSurface, [](int x, int y) { return From(x, y); });
        screen = MakeSurface565(640, 480, BACKGROUND);
        DebugTextColour = 2;
        TextLabelCount = 0;
    }
    void TearDown() override {
        PlatSurfaceRelease(SmallFontSurface);
        PlatSurfaceRelease(screen);
        SmallFontSurface = nullptr;
    }
    uint16_t At(int x, int y) { return PixelAt(screen, x, y); }
    PlatSurface* screen = nullptr;
};

}  // namespace

TEST_F(DebugText, DigitsAdvanceSixAndEveryGlyphHasAShadow) {
    EXPECT_EQ(DrawDebugText(0, 0, "10.5", screen), 0);
    // Letters from colour row 2 (rows 20..29) at 0, 6, 12 and 14.
    EXPECT_EQ(At(0, 0), From(GlyphX('1'), 20));
    EXPECT_EQ(At(6, 0), From(GlyphX('0'), 20));
    EXPECT_EQ(At(12, 0), From(GlyphX('.'), 20));
    EXPECT_EQ(At(14, 0), From(GlyphX('5'), 20));
    EXPECT_EQ(At(19, 9), From(GlyphX('5') + 5, 29));
    // The shadow row one pixel down and right, showing below the letters.
    EXPECT_EQ(At(1, 10), From(GlyphX('1'), 9));
    EXPECT_EQ(At(20, 10), From(GlyphX('5') + 5, 9));
    EXPECT_EQ(At(0, 10), BACKGROUND);
    EXPECT_EQ(At(21, 5), BACKGROUND);

    // A space or a control code advances 5; other glyphs by their width.
    EXPECT_EQ(DrawDebugText(0, 100, "! \t!", screen), 0);
    EXPECT_EQ(At(0, 100), From(GlyphX('!'), 20));
    EXPECT_EQ(At(12, 100), From(GlyphX('!'), 20));
}

TEST_F(DebugText, TheColourRowIsHeldToItsFourRows) {
    DebugTextColour = 7;
    DrawDebugText(0, 0, "A", screen);
    EXPECT_EQ(At(0, 0), From(GlyphX('A'), 30));
    DebugTextColour = -2;
    DrawDebugText(0, 100, "A", screen);
    EXPECT_EQ(At(0, 100), From(GlyphX('A'), 0));
}

TEST_F(DebugText, TheCopyErrorIsReturnedAtOnce) {
    // Off the destination: the copy's error, and nothing after it.
    EXPECT_NE(DrawDebugText(636, 0, "AB", screen), 0);
    EXPECT_EQ(At(637, 1), BACKGROUND);
    // A surface still drawing is waited for.
    PlatSurfaceSimulateBusy(screen, 3);
    EXPECT_EQ(DrawDebugText(0, 0, "A", screen), 0);
    EXPECT_EQ(At(0, 0), From(GlyphX('A'), 20));
    // A lost surface is reported, not retried.
    PlatSurfaceSimulateLost(screen);
    EXPECT_EQ(DrawDebugText(0, 50, "A", screen), DDERR_SURFACELOST);
    // Without the small font nothing is drawn either.
    PlatSurfaceRestore(screen);
    PlatSurface* font = SmallFontSurface;
    SmallFontSurface = nullptr;
    EXPECT_NE(DrawDebugText(0, 200, "A", screen), 0);
    SmallFontSurface = font;
    EXPECT_EQ(At(0, 200), BACKGROUND);
    // Bytes past the font's last glyph advance like a space.
    EXPECT_EQ(DrawDebugText(0, 300, "\xe9" "A", screen), 0);
    EXPECT_EQ(At(5, 300), From(GlyphX('A'), 20));
}

TEST_F(DebugText, LabelsOnTheScreenUpToTheListsSize) {
    AddTextLabel("OFF", 591, 10);
    AddTextLabel("OFF", 10, 472);
    AddTextLabel("OFF", -1, 10);
    EXPECT_EQ(TextLabelCount, 0);
    AddTextLabel("EDGE", 590, 471);
    AddTextLabel("ABCDEFGHIJKL", 10, 400);
    ASSERT_EQ(TextLabelCount, 2);
    for (int i = 1; i < 70; i++)
        AddTextLabel("N", 10 * (i % 50), 100 + i / 50 * 20);
    EXPECT_EQ(TextLabelCount, TEXT_LABEL_MAX);

    DrawTextLabels(screen);
    // Ten characters at most: 'J' is the last.
    EXPECT_EQ(At(10, 400), From(GlyphX('A'), 20));
    EXPECT_EQ(At(10 + 9 * 6, 400), From(GlyphX('J'), 20));
    EXPECT_EQ(At(10 + 10 * 6 + 1, 405), BACKGROUND);
    EXPECT_EQ(At(10, 100), From(GlyphX('N'), 20));
    EXPECT_EQ(At(490, 100), From(GlyphX('N'), 20));
    EXPECT_EQ(At(0, 120), From(GlyphX('N'), 20));
    EXPECT_EQ(At(120, 120), From(GlyphX('N'), 20)) << "label 64";
    EXPECT_EQ(At(130, 120), BACKGROUND) << "label 65 was ignored";
}

TEST_F(DebugText, UntrustedWidthFiles) {
    std::vector<uint8_t> widths = SmallWidths();
    // Another size draws nothing (digits still advance).
    EXPECT_EQ(ParseSmallFontWidths(widths.data(), 95), 0);
    EXPECT_EQ(DrawDebugText(0, 0, "10AB", screen), 0);
    EXPECT_EQ(InkSpan(screen, 0, BACKGROUND).end, 0);
    EXPECT_EQ(InkSpan(screen, 5, BACKGROUND).end, 0);

    // Widths held to 16; a glyph reaching past the picture is missing.
    widths['A' - 32] = 200;
    for (size_t i = 'a' - 32; i < widths.size(); i++)
        widths[i] = 16;
    ASSERT_EQ(ParseSmallFontWidths(widths.data(), (int)widths.size()), 1);
    EXPECT_EQ(SmallFontWidths['A' - 32], 16);
    int x = SmallFontWidths[0];
    for (int n = 1; n < SMALL_FONT_WIDTH_BYTES; n++)
        x += SmallFontWidths[n];
    EXPECT_LE(x, 543);
    EXPECT_EQ(SmallFontWidths['~' - 32], 0);
    EXPECT_EQ(DrawDebugText(0, 0, "~", screen), 0);
    EXPECT_EQ(InkSpan(screen, 0, BACKGROUND).end, 0);
}

// The overview viewer draws the pools' triangles from above into a 64 x 64
// surface: filled or outlined, panned by car 0's controls (by 1000 in its
// fast mode, which the turbo control switches), turned by the camera's
// heading, the triangles facing down left out on request.
TEST(DebugViewer, DrawsThePoolsFromAboveAsTheControlsPanIt) {
    const int keptTotal = TriangleTotal, keptWire = Wireframe;
    const float keptFocal = ViewFocalScale, keptCx = ScreenCentreX, keptCy = ScreenCentreY;
    ViewFocalScale = 2000.0f;   // 100 world units a pixel from the viewer's height
    ScreenCentreX = ScreenCentreY = 32.0f;
    VertexPool[0] = {-1500.0f, 0.0f, -1500.0f, 0.0f, 0.0f};
    VertexPool[1] = {1500.0f, 0.0f, -1500.0f, 0.0f, 0.0f};
    VertexPool[2] = {0.0f, 0.0f, 1500.0f, 0.0f, 0.0f};
    TrianglePool[0] = {{0, 1, 2}, 500};
    TriangleTotal = 1;
    DebugViewerX = DebugViewerZ = DebugViewerFast = 0;
    CarInputBits[0] = 0;
    AnguloDeDeriva[0] = 0.0f;
    HiddenFacesOn = 0;
    // The pixels of the points drawn over the background, after `prepare`.
    auto drawn = [](auto&& prepare, std::vector<std::pair<int, int>> points) {
        PlatSurface* s = MakeSurface565(64, 64, BACKGROUND);
        prepare();
        DebugOverviewViewer(s);
        std::vector<int> at;
        for (auto [x, y] : points)
            at.push_back(PixelAt(s, x, y) != BACKGROUND);
        PlatSurfaceRelease(s);
        return at;
    };
    using V = std::vector<int>;
    // The apex at (32, 17), the base from (17, 47) to (47, 47): the centre,
    // a point of the base, two inside, two outside.
    const std::vector<std::pair<int, int>> points = {{32, 37}, {32, 47}, {40, 37}, {26, 40}, {12, 40}, {2, 2}};
    Wireframe = 1;
    EXPECT_EQ(drawn([] {}, points), (V{1, 1, 1, 1, 0, 0})) << "filled";
    Wireframe = 0;
    EXPECT_EQ(drawn([] {}, points), (V{0, 1, 0, 0, 0, 0})) << "outlined";
    Wireframe = 1;
    EXPECT_EQ(drawn([] { CarInputBits[0] = INPUT_TURBO; }, points), (V{1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(DebugViewerFast, 1);
    // The camera 1000 to the right: the triangle 10 pixels to the left.
    EXPECT_EQ(drawn([] { CarInputBits[0] = INPUT_RIGHT; }, {{34, 37}, {22, 37}, {12, 40}, {40, 37}}), (V{0, 1, 1, 0}));
    EXPECT_EQ(DebugViewerX, 1000);
    EXPECT_EQ(drawn([] { CarInputBits[0] = INPUT_ACCELERATE; }, {{22, 24}, {22, 37}, {22, 56}}), (V{0, 1, 1}))
        << "and 1000 ahead: 10 pixels down";
    DebugViewerX = DebugViewerZ = 0;
    // Turned half round: the apex below, the base above.
    EXPECT_EQ(drawn(
                  [] {
                      CarInputBits[0] = 0;
                      AnguloDeDeriva[0] = 3.14159265f;
                  },
                  {{32, 44}, {32, 20}, {20, 20}, {20, 44}}),
              (V{1, 1, 1, 0}));
    AnguloDeDeriva[0] = 0.0f;
    TrianglePool[0] = {{0, 2, 1}, 500};
    HiddenFacesOn = 1;
    EXPECT_EQ(drawn([] {}, points), (V(6, 0))) << "facing down";
    HiddenFacesOn = 0;
    EXPECT_EQ(drawn([] {}, points)[0], 1);

    TrianglePool[0] = {};
    TriangleTotal = keptTotal;
    Wireframe = keptWire;
    ViewFocalScale = keptFocal;
    ScreenCentreX = keptCx, ScreenCentreY = keptCy;
    DebugViewerX = DebugViewerZ = DebugViewerFast = 0;
}
