#include "render/surfaces2d.h"

#include <cstdio>

#include "frontend/menu_graphics.h"

// The 2D surfaces come with the display; until then these do nothing.
void ShowLoadingScreen() {}
void LoadHudSurfaces() {}
void FreeHudSurfaces() {}
void LoadMenuGfxSet() {}
void PreloadMenuGfx() {}
void FreePreloadedMenuGfx() {}
void FreeMenuGfxCache() {}
void SaveWorkSurfaceCopy() {}
void CaptureScreen() {}
void ClearScreens() {}
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
