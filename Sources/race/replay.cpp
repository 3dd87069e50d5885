#include "race/replay.h"

void RecordReplayTick(int) {}
void PlayReplayTick(int) {}
