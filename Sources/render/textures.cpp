#include "render/textures.h"

void PrepareTrackGraphics(PlatSurface*) {}
