#include "render/soft_frame.h"

// The software rasteriser is not built yet: the work surface keeps what the
// loading screen left on it.
void DrawRaceFrame() {}
