#include "render/surfaces2d.h"

// The 2D surfaces come with the display; until then these do nothing.
void ShowLoadingScreen() {}
void LoadHudSurfaces() {}
void FreeHudSurfaces() {}
void LoadMenuGfxSet() {}
void PreloadMenuGfx() {}
void FreePreloadedMenuGfx() {}
void FreeMenuGfxCache() {}
void LoadMenuRawGraphics() {}
void SaveWorkSurfaceCopy() {}
void CaptureScreen() {}
void ClearScreens() {}
void DrawReplayLogo(PlatSurface*) {}
