#include "race/replay.h"

void RecordReplayTick(int) {}
void PlayReplayTick(int) {}

// Not built yet: the replay body is not recorded, so nothing is written.
int SaveReplayData(const char*, const void*) { return 0; }
