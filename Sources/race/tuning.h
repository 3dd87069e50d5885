// Tuning panels and tuning files.
#pragma once

struct PlatSurface;

void DrawTuningPanel(PlatSurface* surface);
void DrawPhysicsValues(PlatSurface* surface);
