#include "frontend/replay_header.h"

ReplayHeaderRecord ReplayHeader;

void ApplyReplayHeader() {}

// Not built yet: the replay files.  Until they are, there is no list, no
// replay loads or is deleted, no demo starts and no header is filled.
void ListReplays() {}
int LoadSelectedReplay() { return 0; }
int DeleteSelectedReplay() { return 0; }
void UpdateAttractMode() {}
int PlayDemoReplay(int) { return 0; }
void FillReplayHeader(int) {}
