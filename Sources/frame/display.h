// Display re-creation, the mode fallback ladder, screen metrics, frame rate
// and the framework accessors the rest of the game uses.
#pragma once

struct PlatSurface;
struct PlatDevice;

// Enumerates the drivers and creates the framework on the selected device;
// 0 after a failure, which has been shown and leaves no framework.
int OpenFramework();
// 1 after re-creating the display in the wanted mode; 0 when nothing had to
// change or the re-creation failed (already shown).
int RecreateDisplay(int raceDisplay);
void TryLowerModes();
void ReinitDisplayAndMenus();
void UpdateScreenMetrics();
float MeasureFrameRate();
void PresentFrame();
void BlitLoadingScreen();
void SelectViewport(int index);
PlatSurface* GetRenderTarget();
PlatDevice* GetDevice3D();
void PrintOnBackBuffer(int x, int y, const char* text, int font, int align);
void LoadProgressHook(int step);
// Busy-waits, then snapshots the cars.
void WaitSeconds(float seconds);
