// The race HUD: the position boards, lap and record clocks, the jump meter
// and turbo light, the timed events' clock and penalties, the replay mark,
// the start countdown, the map dots and the frame rate; and the hand-over
// at the end of a race.  All on the main thread, drawn with ImpGfx from the
// HUD boards at pixel positions of the render surface; normal cells, or
// half-size ones on display modes below 640 x 480.
#pragma once

struct PlatSurface;

// Once per race frame, after the views.
void DrawRaceHudPanel(PlatSurface* surface);
// "mm:ss:hh" in clock cells of the time board's source row `row` (0 plain,
// the highlighted row below it otherwise).
void DrawClockDigits(PlatSurface* surface, int minutes, int seconds, int hundredths, int x, int y, int row);
// A jump distance "mmm.hh" in clock cells; the second argument is not read.
void DrawJumpRecordDigits(PlatSurface* surface, int ignored, int metres, int hundredths, int x, int y, int row);
// Adds seconds to the timed events' clock, carrying across minutes; never
// below 0:00, nothing at 0:00.  Taking seconds also shows a penalty.
void AdjustTimeLeft(int seconds);
void DrawFrameRate(PlatSurface* surface, float framesPerSecond);
// Every car's dot on the track map (car 0's own colour), clamped to the
// screen.
void DrawMapDots(PlatSurface* surface);
