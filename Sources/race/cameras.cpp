#include "race/cameras.h"

#include "race/race_state.h"

void ChooseTvCamera() {}
void UpdateReplayCamera() {}
void ResetTvCameras() {}
void MapTvCamerasToPath() {}

void CycleCameraMode(int player) {
    if (ReplayPlaying || RacePaused || player < 0 || player > 1)
        return;
    const int view = (ViewMode[player] + 1) % 3;
    ViewMode[player] = view < 0 ? 0 : view;
    static const int lags[3] = {29, 15, 29};
    static const float biases[3] = {0.075f, 0.54f, 0.075f};
    for (int car = 0; car < MAX_CARS; car++)
        CameraLag[car] = lags[ViewMode[player]];
    int model = CarModel[player];
    model = model < 0 ? 0 : model >= CAMERA_TABLE_MODELS ? CAMERA_TABLE_MODELS - 1 : model;
    ChaseEyeHeight[player] = CameraTable[model][ViewMode[player]][0];
    ChaseEyeOffset[player] = (int)CameraTable[model][ViewMode[player]][1];
    OwnCarVisible[player] = ViewMode[player] == 2 ? 0 : 1;
    CameraPitchBias[player] = biases[ViewMode[player]];
    Angle1[player] = CarHeading[player];
}
