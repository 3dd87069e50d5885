#include "race/rank_overlay.h"

void RankDebugOverlay(PlatSurface*) {}
