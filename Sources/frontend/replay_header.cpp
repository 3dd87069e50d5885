#include "frontend/replay_header.h"

void ApplyReplayHeader() {}
