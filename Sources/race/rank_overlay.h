// The race-order debug overlay.
#pragma once

struct PlatSurface;

void RankDebugOverlay(PlatSurface* surface);
