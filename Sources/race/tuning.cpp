#include "race/tuning.h"

void DrawTuningPanel(PlatSurface*) {}
void DrawPhysicsValues(PlatSurface*) {}
