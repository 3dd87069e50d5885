// The 2D surfaces from the sample folder: every HUD and font surface at its
// size with its picture and key (the "b" pictures on small modes), missing
// pictures, the width files delivered with the fonts, the menu picture
// cache, the replay logo, and the loading and results screens.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/debug_labels.h"
#include "render/render_state.h"
#include "render/surface_test_util.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"

namespace {

struct Board {
    PlatSurface** surface;
    int width, height, smallWidth, smallHeight;
    const char* file;      // the small picture adds "b"
    uint32_t keyRgb;       // 0xRRGGBB, or none
};
constexpr uint32_t NO_KEY = 0xFFFFFFFFu;

const Board kBoards[] = {
    {&SmallFontSurface, 543, 40, 543, 40, "ArtWork\\Extras\\Bmp\\Font1", 0xFFFFFF},
    {&NotSurface, 210, 42, 210, 42, "Menus\\Not", NO_KEY},
    {&FontSurface, 4118, 128, 4118, 128, "Menus\\Fonts1", 0x00FF00},
    {&LogoSurface, 150, 68, 150, 68, "Menus\\logo1", 0x00FF00},
    {&CountdownDigitsSurface, 273, 91, 135, 45, "MENUS\\Textos123", 0x00FF00},
    {&GoSurface, 241, 92, 118, 45, "MENUS\\TextosGo", 0x00FF00},
    {&NitroLightSurface, 63, 23, 33, 12, "ArtWork\\Extras\\S-Boards\\LuzNitro", 0x000000},
    {&PositionBoardSurface, 318, 65, 160, 32, "ArtWork\\Extras\\S-Boards\\MarcaPos", 0x000000},
    {&PenaltyLightSurface, 123, 41, 60, 20, "ArtWork\\Extras\\S-Boards\\penaltisluz", 0x000000},
    {&TimeBoardSurface, 182, 140, 91, 90, "ArtWork\\Extras\\S-Boards\\MarcaTime", 0x000000},
    {&JumpMeterSurface, 6, 200, 6, 100, "ArtWork\\Extras\\S-Boards\\Jump", 0xFF00FF},
    {&BallSurface, 12, 6, 6, 3, "ArtWork\\Extras\\S-Boards\\bolas", 0x0000FF},
};

bool HalvesOnSmallModes(const Board& board) { return board.smallWidth != board.width || board.surface == &JumpMeterSurface; }

uint32_t Pixel(PlatSurface* surface, uint32_t rgb) {
    return PlatPixelFromRgb(PlatSurfaceFormat(surface), (int)(rgb >> 16 & 255), (int)(rgb >> 8 & 255), (int)(rgb & 255));
}

// The number of pixels of the surface's top-left corner that differ from
// the picture file, drawn 1:1.
int PixelsUnlikeFile(PlatSurface* surface, const std::string& path) {
    BmpImage image;
    if (!LoadBitmapFromVfs(path.c_str(), &image))
        return -1;
    if (image.width > PlatSurfaceWidth(surface) || image.height > PlatSurfaceHeight(surface))
        return -2;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return -3;
    int differ = 0;
    for (int y = 0; y < image.height; y++) {
        const uint16_t* row = (const uint16_t*)((const uint8_t*)bits + (long)y * pitch);
        for (int x = 0; x < image.width; x++)
            differ += row[x] != (uint16_t)Pixel(surface, BmpPixelRgb(image, x, y));
    }
    PlatSurfaceUnlock(surface);
    return differ;
}

void ExpectBoards(bool small) {
    for (const Board& board : kBoards) {
        PlatSurface* surface = *board.surface;
        ASSERT_NE(surface, nullptr) << board.file;
        EXPECT_EQ(PlatSurfaceWidth(surface), small ? board.smallWidth : board.width) << board.file;
        EXPECT_EQ(PlatSurfaceHeight(surface), small ? board.smallHeight : board.height) << board.file;
        const std::string file =
            std::string(board.file) + (small && HalvesOnSmallModes(board) ? "b" : "") + ".bmp";
        EXPECT_EQ(PixelsUnlikeFile(surface, file), 0) << file;
        uint32_t low = 0, high = 0;
        if (board.keyRgb == NO_KEY) {
            EXPECT_NE(PlatSurfaceGetColourKey(surface, &low, &high), DD_OK) << board.file;
        } else {
            ASSERT_EQ(PlatSurfaceGetColourKey(surface, &low, &high), DD_OK) << board.file;
            EXPECT_EQ(low, Pixel(surface, board.keyRgb)) << board.file;
            EXPECT_EQ(high, low);
        }
    }
}

class SampleSurfaces : public ::testing::Test {
protected:
    void SetUp() override {
        MakeTestGameFolder("surfaces");
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        DisplayConfig.width = 640;
        DisplayConfig.height = 480;
        GermanArt = 0;
    }
    void TearDown() override {
        FreeHudSurfaces();
        FreeMenuGfxCache();
    }
};

}  // namespace

TEST_F(SampleSurfaces, EachLoadsItsPictureAtItsSizeWithItsKey) {
    LoadHudSurfaces();
    ExpectBoards(false);
    EXPECT_EQ(PlatSurfaceWidth(ScreenCopySurface), 640);
    EXPECT_EQ(PlatSurfaceHeight(FadeFromSurface), 480);
    EXPECT_EQ(PlatSurfaceWidth(SkyBitmapSurface), 320);
    EXPECT_EQ(PlatSurfaceHeight(SkyBackdropSurface), 320);

    // The fonts come with their widths: the delivered digits, spaces and
    // frame pieces, and rows that fit the strip.
    ASSERT_EQ(LoadGlyphWidths(), 1);
    const int one[FONT_COUNT] = {15, 8, 8, 4, 4}, zero[FONT_COUNT] = {27, 13, 13, 7, 7};
    const int frameEnd[FONT_COUNT] = {13, 11, 11, 6, 6}, frameMiddle[FONT_COUNT] = {8, 4, 4, 4, 4};
    for (int font = 0; font < FONT_COUNT; font++) {
        EXPECT_EQ(GlyphWidthTable[font]['1' - 33], one[font]);
        EXPECT_EQ(GlyphWidthTable[font]['0' - 33], zero[font]);
        EXPECT_EQ(GlyphWidthTable[font][FRAME_LEFT - 33], frameEnd[font]);
        EXPECT_EQ(GlyphWidthTable[font][FRAME_MIDDLE - 33], frameMiddle[font]);
        EXPECT_EQ(GlyphWidthTable[font][FRAME_RIGHT - 33], frameEnd[font]);
        for (int code : {129, 160, 173, 208, 254})
            EXPECT_EQ(GlyphWidthTable[font][code - 33], 0) << code;
        for (int code : {(int)'A', (int)'z', 0xE9, 0xFC, 0xD1})
            EXPECT_GT(GlyphWidthTable[font][code - 33], 0) << code;
        EXPECT_LE(GlyphOffsetTable[font][221] + GlyphWidthTable[font][221], 4118);
    }
    EXPECT_EQ(memcmp(GlyphWidthTable[1], GlyphWidthTable[2], sizeof GlyphWidthTable[1]), 0);
    EXPECT_EQ(memcmp(GlyphWidthTable[3], GlyphWidthTable[4], sizeof GlyphWidthTable[3]), 0);
    const uint8_t head[32] = {4, 2, 4, 6, 6, 6, 6, 2, 4, 4, 6, 6, 2, 6, 2, 5,
                              6, 3, 6, 6, 6, 6, 6, 6, 6, 6, 2, 3, 4, 6, 4, 6};
    EXPECT_EQ(memcmp(SmallFontWidths, head, sizeof head), 0);

    // Every glyph of the strip keeps to its cell: the key shows between the
    // digits of a band.
    EXPECT_EQ(PixelAt(FontSurface, GlyphOffsetTable[1]['1' - 33], 50), Pixel(FontSurface, 0x00FF00));
}

TEST_F(SampleSurfaces, SmallModesLoadTheHalfSizePictures) {
    DisplayConfig.width = 512;
    DisplayConfig.height = 384;
    SurfaceWidth = 512;
    SurfaceHeight = 384;
    LoadHudSurfaces();
    ExpectBoards(true);
    EXPECT_EQ(PlatSurfaceWidth(SkyBackdropSurface), 512);
    EXPECT_EQ(PlatSurfaceHeight(SkyBackdropSurface), 256);
}

TEST_F(SampleSurfaces, TheGermanLogoAndFreeingEverySurface) {
    GermanArt = 1;
    LoadHudSurfaces();
    EXPECT_EQ(PixelsUnlikeFile(LogoSurface, "Menus\\logo2.bmp"), 0);
    EXPECT_NE(PixelsUnlikeFile(LogoSurface, "Menus\\logo1.bmp"), 0);
    const int live = PlatSurfaceLiveCount();
    FreeHudSurfaces();
    EXPECT_EQ(PlatSurfaceLiveCount(), live - 16);
    for (const Board& board : kBoards)
        EXPECT_EQ(*board.surface, nullptr);
    FreeHudSurfaces();   // twice is harmless
    LoadFontsSurface();
    EXPECT_EQ(PlatSurfaceWidth(FontSurface), 4118);
    FreeFontsSurface();
    EXPECT_EQ(FontSurface, nullptr);
}

TEST(Surfaces, AMissingPictureLeavesItsSurfaceInItsKeyColour) {
    // A folder without archives: no picture is found.
    const std::string dir = MakeTestFolder("empty");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    VfsClose();
    DisplayConfig.width = 640;
    DisplayConfig.height = 480;
    LoadHudSurfaces();
    const Board* checks[] = {&kBoards[1], &kBoards[4], &kBoards[10], &kBoards[11]};
    for (const Board* board : checks) {
        PlatSurface* surface = *board->surface;
        const uint16_t expected = board->keyRgb == NO_KEY ? 0 : (uint16_t)Pixel(surface, board->keyRgb);
        const int w = PlatSurfaceWidth(surface), h = PlatSurfaceHeight(surface);
        EXPECT_EQ(PixelAt(surface, 0, 0), expected) << board->file;
        EXPECT_EQ(PixelAt(surface, w - 1, h - 1), expected) << board->file;
        EXPECT_EQ(PixelAt(surface, w / 2, h / 2), expected) << board->file;
    }
    // Without the width files nothing is printed and no debug text drawn.
    EXPECT_EQ(LoadGlyphWidths(), 0);
    EXPECT_EQ(LoadSmallFontWidths(), 0);
    FreeHudSurfaces();
}

TEST_F(SampleSurfaces, AMenuPictureLoadsOnceAndKeepsItsFlags) {
    LoadMenuGfx(31, 4);
    ASSERT_EQ(MenuGfxLoaded[31], 1);
    PlatSurface* first = MenuGfxCache[31];
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(MenuGfxSize[31].width, 320);
    EXPECT_EQ(MenuGfxSize[31].height, 52);
    EXPECT_EQ(MenuGfxSize[31].flags, 4);
    EXPECT_EQ(PixelsUnlikeFile(first, "MENUS\\GFX\\0031.bmp"), 0);
    uint32_t low = 1, high = 1;
    ASSERT_EQ(PlatSurfaceGetColourKey(first, &low, &high), DD_OK) << "the menus copy it with its colour key";
    EXPECT_EQ(low, 0u) << "black";
    EXPECT_EQ(high, 0u);

    LoadMenuGfx(31, 8);
    EXPECT_EQ(MenuGfxCache[31], first);
    EXPECT_EQ(MenuGfxSize[31].flags, 4) << "not even the flags change";

    // Numbers outside the cache do nothing.
    const int live = PlatSurfaceLiveCount();
    LoadMenuGfx(-1, 1);
    LoadMenuGfx(535, 1);
    EXPECT_EQ(PlatSurfaceLiveCount(), live);

    // A number without a picture is marked loaded, with no surface.
    LoadMenuGfx(14, 2);
    EXPECT_EQ(MenuGfxLoaded[14], 1);
    EXPECT_EQ(MenuGfxCache[14], nullptr);
    EXPECT_EQ(MenuGfxSize[14].width, 0);

    // The set, the preloaded animation frames, and their release.
    LoadMenuGfxSet();
    PreloadMenuGfx();
    for (int n : {1, 43, 64, 72, 284, 510, 534})
        EXPECT_NE(MenuGfxCache[n], nullptr) << n;
    FreePreloadedMenuGfx();
    EXPECT_EQ(MenuGfxCache[284], nullptr);
    EXPECT_EQ(MenuGfxLoaded[510], 0);
    EXPECT_EQ(MenuGfxCache[31], first);
    FreeMenuGfxCache();
    EXPECT_EQ(MenuGfxCache[31], nullptr);
    EXPECT_EQ(MenuGfxLoaded[31], 0);
}

TEST_F(SampleSurfaces, TheReplayLogoOnlyForADemoFromIdleMenus) {
    LoadHudSurfaces();
    PlatSurface* screen = MakeSurface565(640, 480, 0x0841);
    const int logoX = 640 - 152;
    ReplayPlaying = 1;
    FrontEndActive = 0;
    AttractIdleTimer = 4800;   // a replay the user chose
    DrawReplayLogo(screen);
    EXPECT_EQ(InkSpan(screen, 30, 0x0841).end, 0);
    ReplayPlaying = 0;
    AttractIdleTimer = 4801;
    DrawReplayLogo(screen);
    EXPECT_EQ(InkSpan(screen, 30, 0x0841).end, 0);
    ReplayPlaying = 1;
    FrontEndActive = 1;
    DrawReplayLogo(screen);
    EXPECT_EQ(InkSpan(screen, 30, 0x0841).end, 0);
    FrontEndActive = 0;
    DrawReplayLogo(screen);
    const Span span = InkSpan(screen, 30, 0x0841);
    EXPECT_GE(span.first, logoX);
    EXPECT_LE(span.end, logoX + 150);
    EXPECT_GT(span.end, span.first);
    EXPECT_EQ(PixelAt(screen, logoX + 2, 1), 0x0841) << "nothing above y 2";
    PlatSurfaceRelease(screen);
    ReplayPlaying = 0;
}

namespace {

// Start-up's screens need the framework's render target.
class LoadingScreens : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestGameFolder("loading");
        // The German pictures stay chosen once a German loading screen was
        // shown (a run keeps its language): each test starts without them.
        GermanArt = 0;
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        DisplayConfig = {640, 480, 16, 0, 0, 1};
        WantedWidth = 640;
        WantedHeight = 480;
        WantedDepth = 16;
        ASSERT_EQ(EnumerateDrivers(ConfirmDevice), 0);
        ASSERT_EQ(CreateFramework(1), 0);
        UpdateScreenMetrics();
    }
    void TearDown() override {
        PlatSurfaceRelease(WorkSurface);
        WorkSurface = nullptr;
        ReleaseFramework();
        FreeDriverList();
        PlatShutdown();
    }
    std::string dir;
};

}  // namespace

TEST_F(LoadingScreens, TheLoadingPictureInItsLanguage) {
    ShowLoadingScreen();
    EXPECT_EQ(RenderKind, 2);
    EXPECT_EQ(GermanArt, 0);
    EXPECT_EQ(PlatSurfaceHeight(WorkSurface), 1440);
    EXPECT_EQ(PixelsUnlikeFile(WorkSurface, "Menus\\cargando.bmp"), 0);
    EXPECT_EQ(PixelAt(GetRenderTarget(), 320, 200), PixelAt(WorkSurface, 320, 200));

    const char ini[] = "[Main]\nlanguage=deutsch\n";
    ASSERT_TRUE(PlatWriteFileAtomic("config\\vondel.ini", ini, strlen(ini)));
    ShowLoadingScreen();
    EXPECT_EQ(GermanArt, 1);
    EXPECT_EQ(PixelsUnlikeFile(WorkSurface, "Menus\\cargandoAleman.bmp"), 0);
}

TEST_F(LoadingScreens, ResultsBackgroundsAndTheirCopyToTheScreen) {
    LoadResultsBackground(1);
    EXPECT_EQ(PixelsUnlikeFile(WorkSurface, "Menus\\FResults.bmp"), 0);
    LoadResultsBackground(0);
    EXPECT_EQ(PixelsUnlikeFile(WorkSurface, "Menus\\Results.bmp"), 0);

    PlatSurface* target = GetRenderTarget();
    PlatSurfaceFill(target, nullptr, 0x1234, PLAT_WAIT);
    PlatSurfaceSimulateBusy(target, 3);   // still drawing three times
    BlitMenuBackground();
    EXPECT_EQ(PixelAt(target, 320, 240), PixelAt(WorkSurface, 320, 240));
    PlatSurfaceFill(target, nullptr, 0x1234, PLAT_WAIT);
    PlatSurfaceSimulateBusy(target, 1000000000);   // never done: given up
    BlitMenuBackground();
    PlatSurfaceSimulateBusy(target, 0);
    EXPECT_EQ(PixelAt(target, 320, 240), 0x1234);
}
