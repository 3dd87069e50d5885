// Developer text labels and the debug viewer.
#pragma once

struct PlatSurface;

// Shadowed small-font text at pixel coordinates (no layout scaling); 0, or
// the copy error.  Developer overlays (frame rate, tuning panels, editors,
// race-order overlay) write with it.
int DrawDebugText(int x, int y, const char* text, PlatSurface* surface);
void DrawTextLabels(PlatSurface* surface);
