// 2D surfaces and screen graphics: the loading screen, the HUD boards and
// font strips, the loading and results backgrounds and the cache of numbered
// menu pictures.
#pragma once

struct PlatSurface;

// The surfaces of the HUD and the fonts, each with its picture and colour
// key ("b" pictures at half size on display modes below 640 x 480).
void LoadHudSurfaces();
void FreeHudSurfaces();
void LoadFontsSurface();
void FreeFontsSurface();

void ShowLoadingScreen();
void SlideLoadingScreen();
void SaveWorkSurfaceCopy();
void CaptureScreen();
void ClearScreens();
// kind 0 "Menus\Results.bmp", 1 "Menus\FResults.bmp" into a new WorkSurface.
void LoadResultsBackground(int kind);
void BlitMenuBackground();
// The logo in the corner during a demo replay started from idle menus.
void DrawReplayLogo(PlatSurface* surface);

// Menu picture n ("MENUS\GFX\%04d.bmp") into MenuGfxCache[n], unless it is
// loaded already; flags are ORed into its record.  n outside 0..534 does
// nothing.
void LoadMenuGfx(int n, int flags);
void LoadMenuGfxSet();
void PreloadMenuGfx();
void FreePreloadedMenuGfx();
void FreeMenuGfxCache();
void LoadMenuRawGraphics();
