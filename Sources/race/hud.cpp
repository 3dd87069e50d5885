#include "race/hud.h"

void DrawRaceHudPanel(PlatSurface*) {}
void DrawMapDots(PlatSurface*) {}
void DrawFrameRate(PlatSurface*, float) {}
