#include "render/textures.h"

#include <cstdio>
#include <cstring>

#include "frame/display.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/d3d_textures.h"
#include "render/dial_map.h"
#include "render/lookup_tables.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/track_state.h"

SoftTexturePage SoftTexturePages[TEXTURE_SLOTS];
int32_t TextureIdTable[TEXTURE_SLOTS];
int32_t TextureSlotState[TEXTURE_SLOTS];
uint8_t TextureMissing[TEXTURE_SLOTS];
int32_t TextureRenderFlags[TEXTURE_SLOTS];
int TexturesLoaded;
float LoadProgressStep;
int PaletteOffset;
int SoftTexelHigh;
int CurrentTextureMode;
int TrackMapLoaded;
int AltTextureSet;

struct NumberRange {
    int first, last;
};

static int InRanges(int n, const NumberRange* ranges, int count) {
    for (int i = 0; i < count; i++) {
        if (n >= ranges[i].first && n <= ranges[i].last)
            return 1;
    }
    return 0;
}
#define IN_RANGES(n, table) InRanges(n, table, (int)(sizeof table / sizeof table[0]))

// ---------------------------------------------------------------------------
// Load modes and darkening kinds.

static const NumberRange TrackKeyed[] = {
    {2, 2}, {30, 33}, {35, 37}, {79, 84}, {111, 111}, {159, 168}, {170, 172}, {191, 191}, {280, 280}, {631, 631},
    {1712, 1712},
};

static const NumberRange CarKeyed[] = {
    {1000, 1002}, {1010, 1010}, {1012, 1014}, {1016, 1016}, {1018, 1018}, {1020, 1020}, {1023, 1027}, {1036, 1038},
    {1049, 1053}, {1056, 1059}, {1064, 1066}, {1068, 1070}, {1072, 1072}, {1076, 1077}, {1079, 1079}, {1081, 1082},
    {1084, 1084}, {1091, 1091}, {1094, 1094}, {1096, 1096}, {1100, 1102}, {1111, 1113}, {1115, 1116}, {1118, 1118},
    {1120, 1120}, {1122, 1122}, {1124, 1128}, {1136, 1138}, {1140, 1140}, {1143, 1144}, {1147, 1147}, {1151, 1152},
    {1157, 1159}, {1164, 1164}, {1170, 1170}, {1172, 1173}, {1176, 1179}, {1181, 1182}, {1191, 1194}, {1196, 1196},
    {1200, 1202}, {1212, 1212}, {1224, 1227}, {1236, 1238}, {1240, 1240}, {1247, 1247}, {1257, 1259}, {1264, 1264},
    {1270, 1270}, {1276, 1276}, {1281, 1282}, {1300, 1302}, {1312, 1312}, {1324, 1327}, {1336, 1338}, {1340, 1340},
    {1347, 1347}, {1357, 1359}, {1364, 1364}, {1370, 1370}, {1376, 1376}, {1381, 1382}, {1400, 1402}, {1412, 1412},
    {1438, 1438}, {1440, 1440}, {1447, 1447}, {1500, 1502}, {1512, 1512}, {1538, 1538}, {1600, 1602}, {1612, 1612},
    {1638, 1638}, {1695, 1695}, {1697, 1697}, {1700, 1702}, {1704, 1704}, {1706, 1706}, {1712, 1714}, {1738, 1741},
    {1777, 1777},
};

// The textures that have a stipple picture for a device that cannot blend.
static const NumberRange StippleNumbers[] = {
    {1030, 1030}, {1040, 1040}, {1074, 1074}, {1085, 1089}, {1093, 1093}, {1119, 1119}, {1121, 1121},
    {1145, 1145}, {1148, 1148}, {1165, 1165}, {1699, 1699}, {1708, 1708}, {1801, 1802}, {1806, 1806},
    {2044, 2058},
};

// Software path: textures drawn as darkening masks instead of texels.
static const NumberRange DarkeningMasks[] = {
    {1011, 1011}, {1030, 1030}, {1040, 1040}, {1074, 1074}, {1085, 1089}, {1093, 1093}, {1119, 1119},
    {1121, 1121}, {1145, 1145}, {1148, 1148}, {1165, 1166}, {1699, 1699}, {1708, 1708}, {1801, 1802},
    {1806, 1806}, {2044, 2058},
};

static int ValidSlot(int slot) { return slot >= TEXTURE_FIRST && slot <= TEXTURE_LAST; }

int TrackTextureMode(int number) { return IN_RANGES(number, TrackKeyed) ? 3 : -1; }

int CarTextureMode(int number) {
    if (IN_RANGES(number, CarKeyed))
        return 3;
    if (StippleOnly && number >= 1030 && number <= 1708 && IN_RANGES(number, StippleNumbers))
        return 3;
    if (RenderKind == 0 && ValidSlot(number)) {
        if (IN_RANGES(number, DarkeningMasks))
            SoftTexturePages[number].kind = 1;
        else if (TrackGroup == 4 && number >= 2028 && number <= 2042)
            SoftTexturePages[number].kind = 2;
    }
    return -1;
}

int ScaleLayoutX(int x) { return (int)((long long)x * SurfaceWidth / 640); }
int ScaleLayoutY(int y) { return (int)((long long)y * SurfaceHeight / 480); }

// ---------------------------------------------------------------------------
// Render flags of the slots.

static void SetFlags(int first, int last, int flags) {
    for (int n = first; n <= last; n++)
        TextureRenderFlags[n] = flags;
}

static void SetRenderFlags() {
    static const NumberRange multiplicative[] = {
        {1011, 1011}, {1030, 1030}, {1040, 1040}, {1074, 1074}, {1085, 1089}, {1119, 1119}, {1121, 1121},
        {1145, 1145}, {1148, 1148}, {1165, 1166}, {1699, 1699}, {1708, 1708}, {1809, 1809}, {2014, 2014},
    };
    static const NumberRange additive[] = {
        {1814, 1823}, {1831, 1831}, {1834, 1848}, {1850, 1859}, {2000, 2013}, {2020, 2043},
    };
    for (const NumberRange& r : multiplicative)
        SetFlags(r.first, r.last, 1);
    TextureRenderFlags[1] = AltTextureSet ? 2 : 1;
    for (const NumberRange& r : additive)
        SetFlags(r.first, r.last, 2);
    if (TrackGroup == 7)
        TextureRenderFlags[2020] = 1;
    if (TrackGroup == 5 || TrackCode == 78 || TrackCode == 79)
        TextureRenderFlags[510] = 2;
    for (int n : {1801, 1802, 1806})
        TextureRenderFlags[n] = 5;
    SetFlags(2044, 2058, StippleOnly ? 7 : 6);
    for (int n : {1800, 1805, 1807})
        TextureRenderFlags[n] = 12;
}

// ---------------------------------------------------------------------------
// The software conversion.

static int PageCount() {
    if (!SoftTexelBase || !SoftOccupancyBase || !SoftTexels || !SoftOccupancy)
        return 0;
    const long texel = (long)(SoftTexels + WORK_BUFFER_BYTES - SoftTexelBase) / SOFT_PAGE_BYTES;
    const long occupancy = (long)(SoftOccupancy + WORK_BUFFER_BYTES - SoftOccupancyBase) / SOFT_PAGE_BYTES;
    return (int)(texel < occupancy ? texel : occupancy);
}

// The first free width x height rectangle of cells, scanning the pages in
// order and each page row by row; its offset from the occupancy base, or -1.
static long FindTexelRoom(int width, int height) {
    const int pages = PageCount();
    for (int p = 0; p < pages; p++) {
        const uint8_t* page = SoftOccupancyBase + (long)p * SOFT_PAGE_BYTES;
        for (int y = 0; y + height <= SOFT_PAGE_SIDE; y++) {
            int x = 0;
            while (x + width <= SOFT_PAGE_SIDE) {
                // The rightmost used cell of the rectangle; the next try
                // starts past it.
                int used = -1;
                for (int r = y; r < y + height; r++) {
                    const uint8_t* row = page + r * SOFT_PAGE_SIDE;
                    for (int c = x + width - 1; c > used && c >= x; c--) {
                        if (row[c]) {
                            used = c;
                            break;
                        }
                    }
                }
                if (used < 0)
                    return (long)p * SOFT_PAGE_BYTES + y * SOFT_PAGE_SIDE + x;
                x = used + 1;
            }
        }
    }
    return -1;
}

// The picture of one texture in the frame's pixel format, 256 x 256 at most.
static uint16_t TexturePixels[SOFT_PAGE_SIDE * SOFT_PAGE_SIDE];
// Quantising: palette index + 1 of each pixel value of the texture being
// converted (0: not in its palette yet).
static uint16_t PaletteLookup[65536];

static int FramePixelFormat() { return GreenMaskBits == 6 ? PLAT_PF_RGB565 : PLAT_PF_XRGB1555; }

static void DebugLine(const char* format, const char* text) {
    char line[320];
    snprintf(line, sizeof line, format, text);
    DebugLogText(line);
}

// The index of the palette entry nearest in colour (a texture of more than
// 256 colours: the rest take their nearest entry).
static int NearestEntry(const uint16_t* block, int count, uint16_t pixel, int format) {
    int r, g, b;
    PlatRgbFromPixel(format, pixel, &r, &g, &b, nullptr);
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < count; i++) {
        int er, eg, eb;
        PlatRgbFromPixel(format, block[i], &er, &eg, &eb, nullptr);
        const int d = (r - er) * (r - er) + (g - eg) * (g - eg) + (b - eb) * (b - eb);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int ConvertSoftTexture(const char* path, int number, int mode) {
    if (!ValidSlot(number))
        return -1;
    DebugLine("-Intentando cargar: %s", path);
    BmpImage image;
    if (!LoadBitmapFromVfs(path, &image))
        return -1;
    DebugLogText(" Carga completa");
    // A picture larger than a page cannot be drawn from one.
    if (image.width > SOFT_PAGE_SIDE || image.height > SOFT_PAGE_SIDE)
        return -1;
    DebugLogText(" Alocada surface ok");

    const int format = FramePixelFormat();
    const int w = image.width, h = image.height;
    if (mode == 3 && image.bitCount == 8) {
        // Colour-keyed: entry 0 is the hole, near-black entries are lifted
        // so that they stay opaque.
        uint16_t palette[256] = {};
        for (int i = 0; i < image.paletteCount; i++) {
            int r = image.palette[i][0], g = image.palette[i][1], b = image.palette[i][2];
            if (r < 10 && g < 10 && b < 10)
                r = g = b = 14;
            palette[i] = (uint16_t)PlatPixelFromRgb(format, r, g, b);
        }
        palette[0] = 0;
        for (int y = 0; y < h; y++) {
            const uint8_t* row = BmpRow(image, y);
            for (int x = 0; x < w; x++)
                TexturePixels[y * w + x] = palette[row[x]];
        }
    } else {
        for (int y = 0; y < h; y++) {
            for (int x = 0; x < w; x++) {
                const uint32_t rgb = BmpPixelRgb(image, x, y);
                int r = (int)(rgb >> 16), g = (int)(rgb >> 8 & 255), b = (int)(rgb & 255);
                // A keyed true-colour picture: black is the hole.
                if (mode == 3 && rgb != 0 && r < 10 && g < 10 && b < 10)
                    r = g = b = 14;
                TexturePixels[y * w + x] = (uint16_t)PlatPixelFromRgb(format, r, g, b);
            }
        }
    }

    const long offset = FindTexelRoom(w, h);
    if (offset < 0 || !SoftPaletteBase || !SoftPalettes ||
        SoftPaletteBase + PaletteOffset + SOFT_PALETTE_BLOCK > SoftPalettes + WORK_BUFFER_BYTES)
        return -1;
    uint16_t* block = (uint16_t*)(SoftPaletteBase + PaletteOffset);
    uint8_t* texels = SoftTexelBase + offset;
    uint8_t* cells = SoftOccupancyBase + offset;
    int count = 0;
    for (int i = 0; i < 256; i++)
        block[i] = 0;
    memset(PaletteLookup, 0, sizeof PaletteLookup);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const uint16_t pixel = TexturePixels[y * w + x];
            int index = PaletteLookup[pixel] - 1;
            if (index < 0) {
                if (count < 256) {
                    index = count++;
                    block[index] = pixel;
                    PaletteLookup[pixel] = (uint16_t)(index + 1);
                } else {
                    index = NearestEntry(block, count, pixel, format);
                }
            }
            texels[y * SOFT_PAGE_SIDE + x] = (uint8_t)index;
        }
        memset(cells + y * SOFT_PAGE_SIDE, 1, (size_t)w);
    }
    const long high = offset + (long)(h - 1) * SOFT_PAGE_SIDE + w - 1;
    if (high > SoftTexelHigh)
        SoftTexelHigh = (int)high;

    SoftTexturePage& record = SoftTexturePages[number];
    record.width = w;
    record.height = h;
    record.pageX = (int32_t)(offset % SOFT_PAGE_SIDE);
    record.pageY = (int32_t)(offset / SOFT_PAGE_SIDE % SOFT_PAGE_SIDE);
    record.page = SoftTexelBase + offset / SOFT_PAGE_BYTES * SOFT_PAGE_BYTES;
    record.palette = block;
    record.keyClass = mode;
    return 1;
}

// ---------------------------------------------------------------------------
// Slots.

static void TexturePath(char* out, int size, const char* folder, int number, int small, int stipple) {
    snprintf(out, (size_t)size, small ? "%s%04db.bmp" : stipple ? "%s%04dM.bmp" : "%s%04d.bmp", folder, number);
}

int LoadTextureSlot(int slot, int number, int mode, int small) {
    if (DisplayConfig.width >= 640 && DisplayConfig.height >= 480)
        small = 0;
    CurrentTextureMode = mode;
    // The slot is checked before any table is read with it.
    if (!ValidSlot(slot))
        return -1;
    if (TextureMissing[slot] == 1)
        return 0;
    if (TextureSlotState[slot] == 0)
        return -1;

    int stipple = 0;
    if (StippleOnly) {
        if (number == 1801 || number == 1806 || (number >= 2044 && number <= 2058))
            mode = 3;
        stipple = IN_RANGES(number, StippleNumbers);
    }
    char path[256];
    TexturePath(path, sizeof path, AssetFolder, number, small, stipple);

    if (RenderKind != 0) {
        if (TextureAdd(path, slot, 0, 0) == 0) {
            TextureSlotState[slot] = 0;
            TextureIdTable[slot] = number;
            TexturesLoaded++;
        } else {
            TexturePath(path, sizeof path, AssetFallbackFolder, number, small, 0);
            DebugLine("Probando de nuevo:%s", path);
            if (TextureAdd(path, slot, 0, 0) == 0) {
                TextureSlotState[slot] = 0;
                TextureIdTable[slot] = number;
                TexturesLoaded++;
            } else {
                TextureMissing[slot] = 1;
            }
        }
    } else {
        int done = ConvertSoftTexture(path, slot, mode);
        if (done != 1) {
            TexturePath(path, sizeof path, AssetFallbackFolder, number, small, 0);
            done = ConvertSoftTexture(path, slot, mode);
        }
        if (done == 1) {
            PaletteOffset += SOFT_PALETTE_BLOCK;
            TexturesLoaded++;
            TextureSlotState[slot] = 0;
        } else {
            TextureMissing[slot] = 1;
        }
    }
    if (LoadProgressStep > 0.0f)
        LoadProgressHook((int)LoadProgressStep);
    CurrentTextureMode = 0;
    return 0;
}

// ---------------------------------------------------------------------------
// The preparation.

static void LoadRange(int first, int last, int mode, int small) {
    for (int n = first; n <= last; n++)
        LoadTextureSlot(n, n, mode, small);
}

// The sky picture of the track, stretched over the top two thirds of the
// frame that every software frame starts from.
static void PrepareSkyBackdrop() {
    char path[256];
    snprintf(path, sizeof path, "%scielo.bmp", AssetFolder);
    BmpImage sky;
    if (!LoadBitmapFromVfs(path, &sky) || !SkyBitmapSurface || !SkyBackdropSurface)
        return;
    CopyBitmapToSurface(SkyBitmapSurface, &sky);
    PlatRect target = {0, 0, SurfaceWidth, (SurfaceHeight / 3) * 2};
    if (target.right > PlatSurfaceWidth(SkyBackdropSurface))
        target.right = PlatSurfaceWidth(SkyBackdropSurface);
    if (target.bottom > PlatSurfaceHeight(SkyBackdropSurface))
        target.bottom = PlatSurfaceHeight(SkyBackdropSurface);
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceBlt(SkyBackdropSurface, &target, SkyBitmapSurface, nullptr, 0) != DDERR_WASSTILLDRAWING)
            break;
    }
}

// Clears the part of a texture area from its aligned base to the end of
// its buffer: the alignment took the bytes before the base.
static void ClearArea(unsigned char* buffer, unsigned char* base) {
    if (buffer && base)
        memset(base, 0, (size_t)(buffer + WORK_BUFFER_BYTES - base));
}

static void LoadTriangleTextures(int first, int last, int (*modeOf)(int)) {
    if (last > TriangleTotal)
        last = TriangleTotal;
    if (last > TRIANGLE_POOL_SIZE)
        last = TRIANGLE_POOL_SIZE;
    for (int t = first < 0 ? 0 : first; t < last; t++) {
        const int n = (int)(TrianglePool[t].texture & 0xFFFF);
        if (n <= TEXTURE_LAST && !(ValidSlot(n) && TextureSlotState[n] == 0))
            LoadTextureSlot(n, n, modeOf(n), 0);
    }
}

void PrepareTrackGraphics(PlatSurface*) {
    LoadProgressStep = 102.0f / (float)(TexturesLoaded + 10000);
    TexturesLoaded = 0;

    DebugLogText("---------------------------");
    TexturesReloading = 0;
    SoftTexelHigh = 0;
    PaletteOffset = 0;

    if (RenderKind == 0) {
        SoftTexelBase = AlignBufferTo64K(SoftTexels);
        SoftOccupancyBase = AlignBufferTo64K(SoftOccupancy);
        SoftPaletteBase = AlignBufferTo64K(SoftPalettes);
        ClearArea(SoftOccupancy, SoftOccupancyBase);
        ClearArea(SoftPalettes, SoftPaletteBase);
        SetTrackArtFolders();
        PrepareSkyBackdrop();
    } else if (RenderKind == 1) {
        TextureFreeAll();
    }

    // Whole records: a page left from the last race must not look loaded.
    for (int n = 0; n < TEXTURE_SLOTS; n++) {
        TextureMissing[n] = 0;
        TextureRenderFlags[n] = 0;
        TextureIdTable[n] = -1;
        TextureSlotState[n] = -1;
        SoftTexturePages[n] = {0, 0, 0, 0, nullptr, nullptr, -1, 0};
    }
    SetRenderFlags();

    SetTrackArtFolders();
    LoadTriangleTextures(0, SceneryTriangleEnd, TrackTextureMode);

    if (TrackGroup == 1)
        TextureMissing[1014] = 0;
    SetCarArtFolder();
    LoadTriangleTextures(SceneryTriangleEnd, CarsTriangleEnd, CarTextureMode);

    SetTrackArtFolders();
    if (FrontEndActive == 1) {
        LoadRange(2001, 2003, -1, 0);
        return;
    }
    if (TrackGroup != 0) {
        LoadRange(2001, 2012, -1, 0);
        if (TrackGroup == 4) {
            LoadRange(2028, 2042, -1, 0);
            SetScoreboardFolder();
            LoadTextureSlot(1806, 1806, -1, 0);
            LoadTextureSlot(1807, 1807, 3, 1);
        }
        SetScoreboardFolder();
        LoadTextureSlot(1800, 1800, 3, 1);
        LoadTextureSlot(1801, 1801, -1, 0);
        LoadTextureSlot(1802, 1802, -1, 0);
        LoadRange(1803, 1805, 3, 0);
        for (int n = 1860; n <= 1880; n++) {
            LoadTextureSlot(n, n, 3, 1);
            TextureRenderFlags[n] |= 4 | 8;
        }
        const int map = TrackMapTexture(TrackCode, TrackGroup);
        if (map) {
            LoadTextureSlot(map, map, -1, 0);
            TrackMapLoaded = 1;
        } else {
            TrackMapLoaded = 0;
        }
        // The dial's shades and the map darken what lies under them on the
        // software path, as the opaque car textures of the same list do.
        if (RenderKind == 0) {
            for (int n : {1801, 1802, 1806, map}) {
                if (n && IN_RANGES(n, DarkeningMasks) && SoftTexturePages[n].page)
                    SoftTexturePages[n].kind = 1;
            }
        }
    }
    if (TrackCode == 78 || TrackCode == 79)
        LoadTextureSlot(79, 79, 3, 0);
    if (TrackGroup == 5) {
        LoadTextureSlot(80, 80, 3, 0);
        LoadRange(2013, 2014, -1, 0);
    }
    if (TrackGroup == 6 && TrackVariant == 4)
        LoadTextureSlot(2013, 2013, -1, 0);

    SetTrackArtFolders();
    LoadTextureSlot(1810, 1810, -1, 0);
    LoadRange(1812, 1823, -1, 0);
    LoadTextureSlot(1831, 1831, -1, 0);
    LoadRange(1835, 1843, -1, 0);
    LoadRange(1851, 1859, -1, 0);
    LoadRange(1844, 1848, -1, 0);

    switch (TrackGroup) {
    case 1:
        for (int n : {70, 71, 72, 74, 75})
            LoadTextureSlot(n, n, 3, 0);
        break;
    case 2: LoadRange(91, 98, 3, 0); break;
    case 3:
        LoadRange(5, 8, 3, 0);
        LoadRange(15, 18, 3, 0);
        LoadRange(25, 27, 3, 0);
        break;
    case 4: LoadRange(620, 622, 3, 0); break;
    case 5: LoadRange(47, 50, 3, 0); break;
    case 7: LoadRange(161, 165, 3, 0); break;
    default: break;
    }
}
