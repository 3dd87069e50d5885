#include "render/debug_labels.h"

// The small font and its glyph copies come with the 2D surfaces; until then
// developer text draws nothing.
int DrawDebugText(int, int, const char*, PlatSurface*) { return 0; }
void DrawTextLabels(PlatSurface*) {}
