// The race HUD panel and the start countdown.
#pragma once

struct PlatSurface;

void DrawRaceHudPanel(PlatSurface* surface);
void DrawMapDots(PlatSurface* surface);
// Adds seconds to the timed events' clock, carrying across minutes; never
// below 0:00, nothing at 0:00.  Taking seconds also shows a penalty.
void AdjustTimeLeft(int seconds);
void DrawFrameRate(PlatSurface* surface, float framesPerSecond);
