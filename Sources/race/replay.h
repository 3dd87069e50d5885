// Replay recording and playback.
#pragma once

void RecordReplayTick(int car);
void PlayReplayTick(int car);

// Writes the 124-byte header and the recorded race to a file: the number of
// items written, 0 when nothing was (not built yet: always 0).
int SaveReplayData(const char* path, const void* header);
