#include "render/debug_labels.h"

void DrawTextLabels(PlatSurface*) {}
