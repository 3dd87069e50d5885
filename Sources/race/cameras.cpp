#include "race/cameras.h"

void ChooseTvCamera() {}
void UpdateReplayCamera() {}
void ResetTvCameras() {}
void MapTvCamerasToPath() {}
