#include "race/car_pose.h"

#include <cmath>

#include "frame/fileio.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "track/ground.h"

static const float Pi = 3.14159265358979f;

void WheelWorldPositions(int) {}

static int CarIndex(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }

void UpdateChaseCamera(int car) {
    if (PresentationCamera)
        return;
    car = CarIndex(SplitScreen ? car : ViewedCar[0]);
    const int player = car < 2 ? car : 0;
    // The eye arrays hold the negated eye.
    const float ex = -EyeX[car], ey = -EyeY[car], ez = -EyeZ[car];
    const float dx = cocheX[car] - ex, dy = cocheY[car] - ey, dz = cocheZ[car] - ez;
    const float plan = std::sqrt(dx * dx + dz * dz);
    const float distance = std::sqrt(plan * plan + dy * dy);
    // Negative pitch looks down: the eye above the car looks down onto it.
    const float s = distance > 0.0f ? dy / distance : 0.0f;
    const int view = ViewMode[player];
    if (Centri == 0)
        CameraPitch[car] = std::atan(s);
    else if (view == 0 || view == 1)
        CameraPitch[car] = std::atan(s) + plan * 0.00017f + CameraPitchBias[player];
    // The bearing from the eye to the car: a yaw of -h looks along heading h.
    float yaw = -std::atan2(dx, dz);
    if (yaw < 0.0f)
        yaw += 2.0f * Pi;
    if (view == 1 || view == 2)
        yaw += Pi;
    if (player < 2 && LookBack[player])
        yaw += Pi;
    AnguloDeDeriva[car] = yaw;
}

void PlaceCarOnGround() {
    const int car = CarIndex(CurrentCar);
    LoadIdentityPhys();
    PhysMatrixRotateYZX(0.0f, -CarHeading[car], 0.0f);
    const float g = GroundHeight(cocheX[car], cocheZ[car], -1, 0);
    if (!ReplayPlaying && !PresentationCamera)
        EyeY[car] = -g - (ChaseEyeHeight[car] + 9.0f);
    CarGroundHeight[car] = g;
}

void ComputeGroundTilt(int car) {
    car = CarIndex(car);
    const float(*c)[3] = GroundTriangleCorners();
    float edge[2][3];
    for (int e = 0; e < 2; e++) {
        const float d[3] = {c[e + 1][0] - c[0][0], c[e + 1][1] - c[0][1], c[e + 1][2] - c[0][2]};
        for (int k = 0; k < 3; k++)
            edge[e][k] = d[0] * PhysMatrix[0][k] + d[1] * PhysMatrix[1][k] + d[2] * PhysMatrix[2][k];
    }
    const float n[3] = {edge[0][1] * edge[1][2] - edge[0][2] * edge[1][1],
                        edge[0][2] * edge[1][0] - edge[0][0] * edge[1][2],
                        edge[0][0] * edge[1][1] - edge[0][1] * edge[1][0]};
    const float length = FastSqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0.0f))
        return;   // a degenerate triangle keeps the previous tilt
    GroundTiltPitch[car] = -std::atan(n[0] / length);
    GroundTiltRoll[car] = std::atan(n[2] / length);
}

void SetRampTilt(float height, int car) {
    car = CarIndex(car);
    LoadIdentityPhys();
    PhysMatrixRotateYZX(0.0f, -SimHeading[car], 0.0f);
    CarGroundHeight[car] = height;
    ComputeGroundTilt(car);
}

void FillBuiltInCameraTable() {
    for (int model = 0; model < CAMERA_TABLE_MODELS; model++) {
        static const float pairs[CAMERA_TABLE_PAIRS][2] = {
            {390, -679}, {260, 166}, {160, 238}, {390, -979}, {460, -287}};
        for (int p = 0; p < CAMERA_TABLE_PAIRS; p++) {
            CameraTable[model][p][0] = pairs[p][0];
            CameraTable[model][p][1] = pairs[p][1];
        }
    }
    CameraTable[1][1][0] = 300;
    CameraTable[1][1][1] = 198;
    CameraTable[6][1][0] = CameraTable[13][1][0] = 310;
    CameraTable[6][1][1] = CameraTable[13][1][1] = 168;
}

void LoadCameraTable() {
    FillBuiltInCameraTable();
    static float fileImage[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];
    static_assert(sizeof fileImage == 760, "Config\\cameras.cfg is 760 bytes");
    if (ReadWholeFile("Config\\cameras.cfg", fileImage, sizeof fileImage) == 1 && LastFileSize == sizeof fileImage) {
        for (int m = 0; m < CAMERA_TABLE_MODELS; m++)
            for (int p = 0; p < CAMERA_TABLE_PAIRS; p++)
                for (int k = 0; k < 2; k++)
                    if (std::isfinite(fileImage[m][p][k]))
                        CameraTable[m][p][k] = fileImage[m][p][k];
    }
}
