// The race HUD panel and the start countdown.
#pragma once

struct PlatSurface;

void DrawRaceHudPanel(PlatSurface* surface);
void DrawMapDots(PlatSurface* surface);
void DrawFrameRate(PlatSurface* surface, float framesPerSecond);
