// Trackside, camera-control and replay cameras.
#pragma once

void ChooseTvCamera();
void UpdateReplayCamera();
