// Developer text labels and the debug viewer.
#pragma once

struct PlatSurface;

void DrawTextLabels(PlatSurface* surface);
