#include "render/surfaces2d.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_graphics.h"
#include "platform/plat_surface.h"
#include "platform/plat_window.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/debug_labels.h"
#include "render/render_state.h"
#include "render/text_printer.h"

PlatSurface* SmallFontSurface;
PlatSurface* NotSurface;
PlatSurface* FontSurface;
PlatSurface* LogoSurface;
PlatSurface* CountdownDigitsSurface;
PlatSurface* GoSurface;
PlatSurface* NitroLightSurface;
PlatSurface* PositionBoardSurface;
PlatSurface* PenaltyLightSurface;
PlatSurface* TimeBoardSurface;
PlatSurface* JumpMeterSurface;
PlatSurface* BallSurface;
int GermanArt;
float LoadingSlideX = 630.0f;

PlatSurface* MenuGfxCache[MENU_GFX_SLOTS];
unsigned char MenuGfxLoaded[MENU_GFX_SLOTS];
MenuGfxSizeRecord MenuGfxSize[MENU_GFX_SLOTS];

// Colour keys as GDI colours (0x00BBGGRR).
enum : uint32_t {
    KEY_NONE = 0xFFFFFFFFu,
    KEY_BLACK = 0x00000000u,
    KEY_WHITE = 0x00FFFFFFu,
    KEY_GREEN = 0x0000FF00u,
    KEY_BLUE = 0x00FF0000u,
    KEY_MAGENTA = 0x00FF00FFu,
};

static void ReplaceSurface(PlatSurface** surface, int width, int height) {
    PlatSurfaceRelease(*surface);
    *surface = nullptr;
    PlatSurfaceCreate(width, height, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, surface);
}

static void ReleaseSurface(PlatSurface** surface) {
    PlatSurfaceRelease(*surface);
    *surface = nullptr;
}

static int FillRetrying(PlatSurface* surface, const PlatRect* rect, uint32_t pixel) {
    int result = DDERR_INVALIDPARAMS;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        result = PlatSurfaceFill(surface, rect, pixel, 0);
        if (result != DDERR_WASSTILLDRAWING)
            break;
    }
    return result;
}

// The picture 1:1 into the surface's top-left corner, then the key.  A
// missing picture leaves the surface in its key colour (black without a
// key), never in whatever the memory held.
static void LoadPicture(PlatSurface* surface, const char* path, uint32_t key) {
    if (!surface)
        return;
    BmpImage image;
    if (LoadBitmapFromVfs(path, &image))
        CopyBitmapToSurface(surface, &image);
    else
        FillRetrying(surface, nullptr, key == KEY_NONE ? 0 : ColourMatch(surface, key));
    if (key != KEY_NONE)
        SetSourceColourKey(surface, key);
}

static void MakePictureSurface(PlatSurface** surface, int width, int height, const char* path, uint32_t key) {
    ReplaceSurface(surface, width, height);
    LoadPicture(*surface, path, key);
}

// ---------------------------------------------------------------------------
// HUD surfaces and fonts.

struct HudBoard {
    PlatSurface** surface;
    int width, height, smallWidth, smallHeight;
    const char* path;   // the small picture adds "b" before ".bmp"
    uint32_t key;
};

static const HudBoard kHudBoards[] = {
    {&CountdownDigitsSurface, 273, 91, 135, 45, "MENUS\\Textos123", KEY_GREEN},
    {&GoSurface, 241, 92, 118, 45, "MENUS\\TextosGo", KEY_GREEN},
    {&NitroLightSurface, 63, 23, 33, 12, "ArtWork\\Extras\\S-Boards\\LuzNitro", KEY_BLACK},
    {&PositionBoardSurface, 318, 65, 160, 32, "ArtWork\\Extras\\S-Boards\\MarcaPos", KEY_BLACK},
    {&PenaltyLightSurface, 123, 41, 60, 20, "ArtWork\\Extras\\S-Boards\\penaltisluz", KEY_BLACK},
    {&TimeBoardSurface, 182, 140, 91, 90, "ArtWork\\Extras\\S-Boards\\MarcaTime", KEY_BLACK},
    {&JumpMeterSurface, 6, 200, 6, 100, "ArtWork\\Extras\\S-Boards\\Jump", KEY_MAGENTA},
    {&BallSurface, 12, 6, 6, 3, "ArtWork\\Extras\\S-Boards\\bolas", KEY_BLUE},
};

static int SmallDisplayMode() { return DisplayConfig.width < 640 || DisplayConfig.height < 480; }

void LoadFontsSurface() { MakePictureSurface(&FontSurface, 4118, 128, "Menus\\Fonts1.bmp", KEY_GREEN); }

void FreeFontsSurface() { ReleaseSurface(&FontSurface); }

void LoadHudSurfaces() {
    ReplaceSurface(&SkyBitmapSurface, 320, 128);
    ReplaceSurface(&SkyBackdropSurface, SurfaceWidth > 0 ? SurfaceWidth : 640,
                   SurfaceHeight > 2 ? (SurfaceHeight / 3) * 2 : 320);
    ReplaceSurface(&ScreenCopySurface, 640, 480);
    ReplaceSurface(&FadeFromSurface, 640, 480);
    MakePictureSurface(&SmallFontSurface, 543, 40, "ArtWork\\Extras\\Bmp\\Font1.bmp", KEY_WHITE);
    LoadSmallFontWidths();
    MakePictureSurface(&NotSurface, 210, 42, "Menus\\Not.bmp", KEY_NONE);
    LoadFontsSurface();
    MakePictureSurface(&LogoSurface, 150, 68, GermanArt == 1 ? "Menus\\logo2.bmp" : "Menus\\logo1.bmp", KEY_GREEN);
    const int small = SmallDisplayMode();
    for (const HudBoard& board : kHudBoards) {
        char path[64];
        snprintf(path, sizeof path, "%s%s.bmp", board.path, small ? "b" : "");
        MakePictureSurface(board.surface, small ? board.smallWidth : board.width,
                           small ? board.smallHeight : board.height, path, board.key);
    }
}

void FreeHudSurfaces() {
    ReleaseSurface(&SkyBitmapSurface);
    ReleaseSurface(&SkyBackdropSurface);
    ReleaseSurface(&ScreenCopySurface);
    ReleaseSurface(&FadeFromSurface);
    ReleaseSurface(&SmallFontSurface);
    ReleaseSurface(&NotSurface);
    ReleaseSurface(&FontSurface);
    ReleaseSurface(&LogoSurface);
    for (const HudBoard& board : kHudBoards)
        ReleaseSurface(board.surface);
}

// ---------------------------------------------------------------------------
// Loading and results screens.

void ShowLoadingScreen() {
    PlatShowCursor(0);
    ReplaceSurface(&WorkSurface, 640, 1440);
    const LanguageRecord* language = SelectLanguage();
    const char* picture = "Menus\\cargando.bmp";
    if (language && language->languageNumber == 3) {
        picture = "Menus\\cargandoAleman.bmp";
        GermanArt = 1;
    }
    LoadPicture(WorkSurface, picture, KEY_NONE);
    RenderKind = 2;
    ImpGfx(0, 0, 640, 480, 0, 0, GetRenderTarget(), WorkSurface, 0);
    PresentFrame();
}

// Nothing calls it: the loading picture sliding in from the right.
void SlideLoadingScreen() {
    PlatShowCursor(0);
    const int kept = RenderKind;
    RenderKind = 2;
    ImpGfx((int)LoadingSlideX, 0, 640, 480, 0, 0, GetRenderTarget(), ScreenCopySurface, 0);
    RenderKind = kept;
    LoadingSlideX -= 10.0f;
    PresentFrame();
}

void SaveWorkSurfaceCopy() {
    if (!WorkSurface || !ScreenCopySurface)
        return;
    const PlatRect top = {0, 0, 640, 480};
    PlatSurfaceBltFast(ScreenCopySurface, 0, 0, WorkSurface, &top, PLAT_WAIT);
}

void CaptureScreen() {
    PlatSurface* target = GetRenderTarget();
    if (!target)
        return;
    const PlatRect top = {0, 0, 640, 480};
    if (ScreenCopySurface)
        PlatSurfaceBltFast(ScreenCopySurface, 0, 0, target, &top, PLAT_WAIT);
    if (WorkSurface)
        PlatSurfaceBltFast(WorkSurface, 0, 0, target, &top, PLAT_WAIT);
}

void ClearScreens() {
    const PlatRect work = {0, 0, 640, 480};
    if (WorkSurface)
        FillRetrying(WorkSurface, &work, 0);
    PlatSurface* target = GetRenderTarget();
    const PlatRect screen = {0, 0, SurfaceWidth, SurfaceHeight};
    if (target)
        FillRetrying(target, &screen, 0);
}

void LoadResultsBackground(int kind) {
    ReplaceSurface(&WorkSurface, 640, 1440);
    LoadPicture(WorkSurface, kind == 1 ? "Menus\\FResults.bmp" : "Menus\\Results.bmp", KEY_NONE);
}

// Repeated only while the target is still drawing: a copy that can never
// succeed (a render target smaller than 640 x 480) is given up at once.
void BlitMenuBackground() {
    PlatSurface* target = GetRenderTarget();
    if (!WorkSurface || !target)
        return;
    const PlatRect screen = {0, 0, 640, 480};
    int result = DDERR_WASSTILLDRAWING;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES && result == DDERR_WASSTILLDRAWING; i++)
        result = PlatSurfaceBltFast(target, 0, 0, WorkSurface, &screen, 0);
}

void DrawReplayLogo(PlatSurface* surface) {
    if (ReplayPlaying != 1 || FrontEndActive != 0 || AttractIdleTimer <= 4800 || !LogoSurface || !surface)
        return;
    const PlatRect logo = {0, 0, 150, 68};
    PlatSurfaceBltFast(surface, SurfaceWidth - 152, 2, LogoSurface, &logo, PLAT_BLT_KEYSRC);
}

// ---------------------------------------------------------------------------
// The menu picture cache.

void LoadMenuGfx(int n, int flags) {
    if (n < 0 || n >= MENU_GFX_SLOTS || MenuGfxLoaded[n])
        return;
    MenuGfxLoaded[n] = 1;
    char path[32];
    snprintf(path, sizeof path, "MENUS\\GFX\\%04d.bmp", n);
    BmpImage image;
    const int found = LoadBitmapFromVfs(path, &image);
    MenuGfxSize[n].width = found ? image.width : 0;
    MenuGfxSize[n].height = found ? image.height : 0;
    MenuGfxSize[n].flags |= flags;
    ReleaseSurface(&MenuGfxCache[n]);
    if (!found)
        return;
    PlatSurfaceCreate(image.width, image.height, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &MenuGfxCache[n]);
    CopyBitmapToSurface(MenuGfxCache[n], &image);
    // The menus copy a picture that has no level map with its colour key,
    // and a copy keyed on a surface without a key draws nothing: black is
    // the menu pictures' transparent colour.
    if (MenuGfxCache[n])
        PlatSurfaceSetColourKey(MenuGfxCache[n], 1, 0, 0);
}

void LoadMenuGfxSet() {
    static const short numbers[] = {
        1,  4,  2,  6,  3,  5,  7,  8,  9,  10, 11, 12, 13, 15, 16, 30, 20, 21, 31, 34, 35, 36, 37,  38,  39,
        40, 41, 42, 53, 54, 60, 61, 62, 63, 59, 55, 64, 65, 66, 67, 68, 69, 70, 71, 72, 48, 49, 45,  44,  46,
        47, 73, 74, 75, 516, 517, 518, 525, 526, 527, 528, 43, 530, 531, 532, 533, 534,
    };
    for (short n : numbers)
        LoadMenuGfx(n, 0);
}

enum { PRELOAD_FIRST = 284, PRELOAD_LAST = 510 };

void PreloadMenuGfx() {
    for (int n = PRELOAD_FIRST; n <= PRELOAD_LAST; n++)
        LoadMenuGfx(n, 0);
}

static void FreeMenuGfxRange(int first, int last) {
    for (int n = first; n <= last; n++) {
        ReleaseSurface(&MenuGfxCache[n]);
        MenuGfxLoaded[n] = 0;
    }
}

void FreePreloadedMenuGfx() { FreeMenuGfxRange(PRELOAD_FIRST, PRELOAD_LAST); }
void FreeMenuGfxCache() { FreeMenuGfxRange(0, MENU_GFX_SLOTS - 1); }

// The raw menu graphics: the font strip first, then the level maps of
// MENUS\GFX in this order; the k-th file loaded is raw graphic k (57 is the
// pointer's), and the layout names them by that number.
void LoadMenuRawGraphics() {
    static const short rawFiles[] = {
        304, 1,   5,   31,  8,   9,   11,  10,  12,  20,  21,  22,  23,  24,  25,  26,  27,  28,
        29,  32,  33,  14,  36,  38,  39,  40,  41,  42,  15,  34,  17,  18,  19,  30,  16,  2,
        13,  59,  512, 513, 514, 515, 516, 53,  54,  48,  50,  51,  52,  44,  45,  46,  73,  74,
        75,  2,   64,  518, 519, 520, 521, 522, 523, 525, 526, 43,  530, 533, 284,
    };
    static_assert(sizeof rawFiles / sizeof rawFiles[0] == 69, "69 raw graphics follow the fonts");
    LoadMenuGraphic("MENUS\\Fonts.raw", 1);
    for (short number : rawFiles) {
        char path[32];
        snprintf(path, sizeof path, "MENUS\\GFX\\%04d.raw", number);
        LoadMenuGraphic(path, 0);
    }
}
