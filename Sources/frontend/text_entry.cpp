#include "frontend/text_entry.h"

void SaveReplayPrompt(PlatSurface*) {}
