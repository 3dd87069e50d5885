// Replay recording and playback.
#pragma once

void RecordReplayTick(int car);
void PlayReplayTick(int car);
