// 2D surfaces and screen graphics: loading screen, HUD and menu pictures.
#pragma once

struct PlatSurface;

void ShowLoadingScreen();
void LoadHudSurfaces();
void FreeHudSurfaces();
void LoadMenuGfxSet();
void PreloadMenuGfx();
void FreePreloadedMenuGfx();
void FreeMenuGfxCache();
void LoadMenuRawGraphics();
void SaveWorkSurfaceCopy();
void CaptureScreen();
void ClearScreens();
void DrawReplayLogo(PlatSurface* surface);
