#include "render/surfaces2d.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frontend/menu_graphics.h"
#include "platform/plat_surface.h"
#include "platform/plat_window.h"
#include "render/render_state.h"

// Only the work surface and the screen copy exist so far: the loading
// picture, the HUD boards and the menu pictures come with the bitmap loader.

static void ReplaceSurface(PlatSurface** surface, int width, int height) {
    PlatSurfaceRelease(*surface);
    *surface = nullptr;
    PlatSurfaceCreate(width, height, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, surface);
}

static int FillRetrying(PlatSurface* surface, const PlatRect* rect) {
    int result = DDERR_INVALIDPARAMS;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        result = PlatSurfaceFill(surface, rect, 0, 0);
        if (result != DDERR_WASSTILLDRAWING)
            break;
    }
    return result;
}

void ShowLoadingScreen() {
    PlatShowCursor(0);
    ReplaceSurface(&WorkSurface, 640, 1440);
    FillRetrying(WorkSurface, nullptr);
    RenderKind = 2;
    CopyToBackBuffer(WorkSurface, 640, 480);
    PresentFrame();
}

void LoadHudSurfaces() {
    ReplaceSurface(&SkyBitmapSurface, 320, 128);
    ReplaceSurface(&SkyBackdropSurface, SurfaceWidth > 0 ? SurfaceWidth : 640,
                   SurfaceHeight > 2 ? (SurfaceHeight / 3) * 2 : 320);
    ReplaceSurface(&ScreenCopySurface, 640, 480);
}

void FreeHudSurfaces() {
    PlatSurfaceRelease(SkyBitmapSurface);
    SkyBitmapSurface = nullptr;
    PlatSurfaceRelease(SkyBackdropSurface);
    SkyBackdropSurface = nullptr;
    PlatSurfaceRelease(ScreenCopySurface);
    ScreenCopySurface = nullptr;
}

void LoadMenuGfxSet() {}
void PreloadMenuGfx() {}
void FreePreloadedMenuGfx() {}
void FreeMenuGfxCache() {}
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
        FillRetrying(WorkSurface, &work);
    PlatSurface* target = GetRenderTarget();
    const PlatRect screen = {0, 0, SurfaceWidth, SurfaceHeight};
    if (target)
        FillRetrying(target, &screen);
}

void DrawReplayLogo(PlatSurface*) {}

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
