// Track textures and texture slots.
#pragma once

struct PlatSurface;

void PrepareTrackGraphics(PlatSurface* renderTarget);
