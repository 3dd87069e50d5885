// Texture slots and the software texel pages, on the sample game folder's
// own textures.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "render/textures.h"
#include "track/asset_paths.h"
#include "track/track_state.h"

namespace {

// A software preparation with nothing loaded yet: the areas aligned and
// cleared, every slot empty.
void StartSoftwarePreparation() {
    MakeTestGameFolder("textures", true);
    RenderKind = 0;
    GreenMaskBits = 6;
    DisplayConfig.width = 640;
    DisplayConfig.height = 480;
    AllocWorkBuffers();
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    TriangleTotal = 0;
    SceneryTriangleEnd = CarsTriangleEnd = 0;
    FrontEndActive = 0;
    PrepareTrackGraphics(nullptr);
}

struct Loaded {
    int number;
    const char* folder;
};

// The loaded textures' rectangles, as offsets from the texel area's base.
struct Rect {
    long page;
    int x0, y0, x1, y1;
};

Rect RectOf(int n) {
    const SoftTexturePage& t = SoftTexturePages[n];
    return {(long)(t.page - SoftTexelBase) / SOFT_PAGE_BYTES, t.pageX, t.pageY, t.pageX + t.width, t.pageY + t.height};
}

TEST(Textures, PagesAreAlignedAndTexturesDoNotOverlap) {
    StartSoftwarePreparation();
    // The preparation loaded the race's effect sprites (2001-2012), the
    // group's fixed list (70, 71, 72, 74, 75: full pages), the dial's and
    // map's 23 pictures and the particles' and lamps' 37 sprites; then
    // scenery, car parts and small ones between.
    SetTrackArtFolders();
    for (int n : {73, 76, 77})
        EXPECT_EQ(LoadTextureSlot(n, n, TrackTextureMode(n), 0), 0);
    SetCarArtFolder();
    for (int n : {1000, 1001, 1002, 1004, 1019, 1021, 1022, 1040, 1100, 1200, 1300})
        EXPECT_EQ(LoadTextureSlot(n, n, CarTextureMode(n), 0), 0);

    std::vector<int> loaded;
    for (int n = 1; n < TEXTURE_SLOTS; n++) {
        if (SoftTexturePages[n].page) {
            loaded.push_back(n);
            EXPECT_EQ(TextureSlotState[n], 0);
        }
    }
    // The sky dome (77), wider than a page, is had only by the Direct3D path,
    // which alone draws it.
    EXPECT_EQ(TextureMissing[77], 1);
    ASSERT_EQ(loaded.size(), 90u);
    EXPECT_EQ(TexturesLoaded, 90);
    EXPECT_EQ(PaletteOffset, 90 * SOFT_PALETTE_BLOCK);
    EXPECT_EQ((uintptr_t)SoftTexelBase % 65536, 0u);
    EXPECT_EQ((uintptr_t)SoftOccupancyBase % 65536, 0u);
    EXPECT_EQ((uintptr_t)SoftPaletteBase % 65536, 0u);
    for (size_t i = 0; i < loaded.size(); i++) {
        const SoftTexturePage& t = SoftTexturePages[loaded[i]];
        EXPECT_EQ((uintptr_t)t.page % 65536, 0u) << loaded[i];
        EXPECT_GE(t.page, SoftTexelBase);
        EXPECT_LE(t.page + SOFT_PAGE_BYTES, SoftTexels + WORK_BUFFER_BYTES);
        const Rect a = RectOf(loaded[i]);
        EXPECT_LE(a.x1, 256);
        EXPECT_LE(a.y1, 256);
        for (size_t j = i + 1; j < loaded.size(); j++) {
            const Rect b = RectOf(loaded[j]);
            const bool overlap = a.page == b.page && a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
            EXPECT_FALSE(overlap) << loaded[i] << " and " << loaded[j];
        }
    }
    // Each full-page texture has a page of its own; the small ones share.
    EXPECT_NE(RectOf(70).page, RectOf(71).page);
    EXPECT_EQ(RectOf(1019).page, RectOf(1021).page);
}

// Every texel shows its bitmap's colour exactly in the frame's format: the
// opaque kind as the picture has it, the keyed kind with palette index 0
// as the hole and near-black lifted.
TEST(Textures, ColoursComeOutExact) {
    StartSoftwarePreparation();
    SetCarArtFolder();
    const Loaded checks[] = {{1019, "ArtWork\\Cars\\DIA\\"}, {1000, "ArtWork\\Cars\\DIA\\"},
                             {1300, "ArtWork\\Cars\\DIA\\"}};
    for (const Loaded& c : checks)
        LoadTextureSlot(c.number, c.number, CarTextureMode(c.number), 0);
    SetTrackArtFolders();
    LoadTextureSlot(75, 75, 3, 0);

    auto check = [](int n, const std::string& path, int keyed) {
        BmpImage image;
        ASSERT_EQ(LoadBitmapFromVfs(path.c_str(), &image), 1) << path;
        const SoftTexturePage& t = SoftTexturePages[n];
        ASSERT_NE(t.page, nullptr) << n;
        EXPECT_EQ(t.width, image.width);
        EXPECT_EQ(t.height, image.height);
        EXPECT_EQ(t.keyClass, keyed ? 3 : -1);
        int wrong = 0;
        for (int y = 0; y < image.height; y++) {
            for (int x = 0; x < image.width; x++) {
                const uint32_t rgb = BmpPixelRgb(image, x, y);
                int r = (int)(rgb >> 16), g = (int)(rgb >> 8 & 255), b = (int)(rgb & 255);
                uint16_t want = (uint16_t)PlatPixelFromRgb(PLAT_PF_RGB565, r, g, b);
                if (keyed && image.bitCount == 8 && BmpRow(image, y)[x] == 0)
                    want = 0;
                else if (keyed && r < 10 && g < 10 && b < 10)
                    want = (uint16_t)PlatPixelFromRgb(PLAT_PF_RGB565, 14, 14, 14);
                const uint8_t texel = t.page[(t.pageY + y) * 256 + t.pageX + x];
                wrong += t.palette[texel] != want;
            }
        }
        EXPECT_EQ(wrong, 0) << n;
    };
    check(1019, "ArtWork\\Cars\\DIA\\1019.bmp", 0);
    check(1000, "ArtWork\\Cars\\DIA\\1000.bmp", 1);
    check(1300, "ArtWork\\Cars\\DIA\\1300.bmp", 1);
    check(75, "ArtWork\\Tracks\\Track-01\\Comunes\\0075.bmp", 1);
}

TEST(Textures, SlotsOutsideTheRangeAndMissingFilesAreRefusedOrMarked) {
    StartSoftwarePreparation();
    SetTrackArtFolders();
    EXPECT_EQ(LoadTextureSlot(0, 0, -1, 0), -1);
    EXPECT_EQ(LoadTextureSlot(2065, 2065, -1, 0), -1);
    EXPECT_EQ(LoadTextureSlot(-5, 70, -1, 0), -1);
    EXPECT_EQ(LoadTextureSlot(73, 73, -1, 0), 0);
    EXPECT_EQ(LoadTextureSlot(73, 73, -1, 0), -1) << "already loaded";
    // Not in either folder: missing, and not tried again.
    EXPECT_EQ(LoadTextureSlot(555, 555, -1, 0), 0);
    EXPECT_EQ(TextureMissing[555], 1);
    EXPECT_EQ(SoftTexturePages[555].page, nullptr);
    EXPECT_EQ(LoadTextureSlot(555, 555, -1, 0), 0);
    // A picture larger than a page cannot be taken.
    EXPECT_EQ(ConvertSoftTexture("ArtWork\\Tracks\\Track-01\\0\\cielo.bmp", 600, -1), -1);
    EXPECT_EQ(SoftTexturePages[600].page, nullptr);
}

// A new preparation starts from empty records: nothing of the last one
// may look loaded.
TEST(Textures, APreparationClearsWholePageRecords) {
    StartSoftwarePreparation();
    SetTrackArtFolders();
    LoadTextureSlot(73, 73, -1, 0);
    ASSERT_NE(SoftTexturePages[73].page, nullptr);
    SoftTexturePages[900].kind = 2;
    PrepareTrackGraphics(nullptr);
    EXPECT_EQ(SoftTexturePages[73].page, nullptr);
    EXPECT_EQ(SoftTexturePages[73].palette, nullptr);
    EXPECT_EQ(SoftTexturePages[900].kind, 0);
    EXPECT_EQ(TextureSlotState[73], -1);
    // The fixed list of track group 1 is loaded by the preparation itself.
    EXPECT_NE(SoftTexturePages[72].page, nullptr);
    EXPECT_EQ(SoftTexturePages[72].keyClass, 3);
}

// A slot the preparation tried: loaded, or marked missing in both folders.
bool Tried(int n) { return TextureSlotState[n] == 0 || TextureMissing[n] == 1; }

// The render flags the preparation sets before it loads anything.
TEST(Textures, RenderFlagsFollowTheTable) {
    StartSoftwarePreparation();
    const struct {
        int number, flags;
    } expected[] = {
        {1, 1},       {1011, 1},    {1030, 1},    {1040, 1},    {1074, 1},    {1085, 1},    {1089, 1},
        {1119, 1},    {1121, 1},    {1145, 1},    {1148, 1},    {1165, 1},    {1166, 1},    {1699, 1},
        {1708, 1},    {1809, 1},    {2014, 1},    {1814, 2},    {1823, 2},    {1831, 2},    {1834, 2},
        {1848, 2},    {1850, 2},    {1859, 2},    {2000, 2},    {2013, 2},    {2020, 2},    {2043, 2},
        {1801, 5},    {1802, 5},    {1806, 5},    {2044, 6},    {2058, 6},    {1800, 12},   {1805, 12},
        {1807, 12},   {1093, 0},    {1000, 0},    {1849, 0},    {1824, 0},    {510, 0},     {2059, 0},
        {1870, 4 | 8},   // the scoreboard digits get theirs when they load
    };
    for (const auto& e : expected)
        EXPECT_EQ(TextureRenderFlags[e.number], e.flags) << e.number;

    // Switches and track groups change a few.
    AltTextureSet = 1;
    StippleOnly = 1;
    TrackGroup = 7;
    TrackCode = 70;
    PrepareTrackGraphics(nullptr);
    EXPECT_EQ(TextureRenderFlags[1], 2);
    EXPECT_EQ(TextureRenderFlags[2044], 7);
    EXPECT_EQ(TextureRenderFlags[2051], 7);
    EXPECT_EQ(TextureRenderFlags[2020], 1) << "the buggy tracks' water multiplies";
    EXPECT_EQ(TextureRenderFlags[510], 0);
    AltTextureSet = 0;
    StippleOnly = 0;
    for (int code : {50, 78}) {
        TrackGroup = code / 10;
        TrackCode = code;
        PrepareTrackGraphics(nullptr);
        EXPECT_EQ(TextureRenderFlags[510], 2) << code;
    }
    EXPECT_EQ(TextureRenderFlags[2020], 1) << "78 is a buggy track too";
}

// Beyond the triangles' textures a race loads fixed lists: the effects,
// the scoreboard, the horizon map of its code, the HUD sprites and its
// group's scenery; the menus load only 2001-2003.
TEST(Textures, ARaceLoadsTheFixedListsOfItsGroup) {
    StartSoftwarePreparation();
    TrackGroup = 4;
    TrackVariant = 1;
    TrackCode = 41;
    PrepareTrackGraphics(nullptr);
    std::vector<int> lists;
    auto add = [&](int first, int last) {
        for (int n = first; n <= last; n++)
            lists.push_back(n);
    };
    add(2001, 2012);
    add(2028, 2042);
    add(1800, 1807);
    add(1860, 1880);
    add(1810, 1810);
    add(1812, 1823);
    add(1831, 1831);
    add(1835, 1848);
    add(1851, 1859);
    add(620, 622);
    for (int n : lists)
        EXPECT_TRUE(Tried(n)) << n;
    for (int n : {2013, 2014, 2043, 2044, 1808, 1811, 1824, 1849, 1850, 1881, 80, 79, 70, 91, 47})
        EXPECT_FALSE(Tried(n)) << n;
    EXPECT_EQ(TrackMapLoaded, 0) << "no horizon map on the jump tracks";

    // The arena's extras, another group's scenery and its horizon map.
    TrackGroup = 7;
    TrackVariant = 8;
    TrackCode = 78;
    PrepareTrackGraphics(nullptr);
    for (int n : {79, 161, 165, 2058})
        EXPECT_TRUE(Tried(n)) << n;
    for (int n : {80, 2013, 620, 2028})
        EXPECT_FALSE(Tried(n)) << n;
    EXPECT_EQ(TrackMapLoaded, 1) << "the arena codes' horizon map was chosen";

    FrontEndActive = 1;
    PrepareTrackGraphics(nullptr);
    for (int n : {2001, 2002, 2003})
        EXPECT_TRUE(Tried(n)) << n;
    for (int n : {2004, 1800, 1810, 79, 161})
        EXPECT_FALSE(Tried(n)) << n;
    FrontEndActive = 0;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
}

TEST(Textures, ModesKindsAndFlags) {
    RenderKind = 0;
    TrackGroup = 1;
    EXPECT_EQ(TrackTextureMode(2), 3);
    EXPECT_EQ(TrackTextureMode(70), -1);
    EXPECT_EQ(TrackTextureMode(1712), 3);
    EXPECT_EQ(CarTextureMode(1000), 3);
    EXPECT_EQ(CarTextureMode(1777), 3);
    EXPECT_EQ(CarTextureMode(1004), -1);
    SoftTexturePages[1040].kind = 0;
    EXPECT_EQ(CarTextureMode(1040), -1);
    EXPECT_EQ(SoftTexturePages[1040].kind, 1) << "the shadow darkens on the software path";
    TrackGroup = 4;
    EXPECT_EQ(CarTextureMode(2030), -1);
    EXPECT_EQ(SoftTexturePages[2030].kind, 2);
    SurfaceWidth = 320;
    SurfaceHeight = 240;
    EXPECT_EQ(ScaleLayoutX(639), 319);
    EXPECT_EQ(ScaleLayoutY(479), 239);
}

}  // namespace
