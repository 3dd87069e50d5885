// Trackside, camera-control and replay cameras.
#pragma once

void ChooseTvCamera();
void UpdateReplayCamera();
// Race start and track load: the trackside cameras start over.
void ResetTvCameras();
// After the CPU lines are loaded: each camera point's nearest guide-line node.
void MapTvCamerasToPath();
// The player's next camera view (0 chase, 1 close chase, 2 in-car) with
// its camera-table values; nothing in replays or while paused.
void CycleCameraMode(int player);
