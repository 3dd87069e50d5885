// Trackside, camera-control and replay cameras.
#pragma once

void ChooseTvCamera();
void UpdateReplayCamera();
// Race start and track load: the trackside cameras start over.
void ResetTvCameras();
// After the CPU lines are loaded: each camera point's nearest guide-line node.
void MapTvCamerasToPath();
