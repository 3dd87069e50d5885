// The drawn car's pose on the ground, its attachment points, the wheels'
// world positions (tick) and the cameras that aim at a car: the chase
// camera behind a player's car and, in replays, the trackside eye.

#include "race/car_pose.h"

#include <cmath>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "race/engine.h"
#include "race/motion_table.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "track/ground.h"

static const float Pi = 3.14159265358979f;

static int CarIndex(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }
// The local player whose view settings a car's camera uses.
static int PlayerOf(int car) { return car >= 0 && car < 2 ? car : 0; }

// A point of the car's frame turned by the physics matrix.
static void TurnByPhys(const float local[3], float out[3]) {
    for (int c = 0; c < 3; c++)
        out[c] = local[0] * PhysMatrix[0][c] + local[1] * PhysMatrix[1][c] + local[2] * PhysMatrix[2][c];
}

int ShowroomWheelDrop(int model) { return -(int)MotionTargetsOf(model).rideHeight; }

void WheelWorldPositions(int car) {
    car = CarIndex(car);
    // The showroom car has no body step either: its wheels hang where the
    // springs hold them when the car stands still.
    const int showroom = FrontEndActive != 0;
    const float drop = showroom ? (float)ShowroomWheelHang.load() : 0.0f;
    LoadIdentityPhys();
    PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
    for (int j = 0; j < 4; j++) {
        const float local[3] = {WheelOffsetX[car][j], WheelOffsetY[car][j] + drop, WheelOffsetZ[car][j]};
        float out[3];
        TurnByPhys(local, out);
        WheelWorldX[car][j] = SimPosX[car] + out[0];
        WheelWorldZ[car][j] = SimPosZ[car] + out[2];
        // A replay has no body step to seat the wheels.
        if (ReplayPlaying || showroom)
            WheelHeights[car][j] = SimPosY[car] + out[1];
    }
}

void ClampEyeAboveGround() {
    const int car = CarIndex(ViewedCar[0]);
    const float g = GroundHeight(-EyeX[car], -EyeZ[car], -1, 0);
    const int ground = (int)g;
    const int lift = TrackGroup == 5 ? 800 : 500;
    if (EyeY[car] > -(g + (float)lift)) {
        EyeY[car] = -(float)(ground + lift);
        EyeFloor[car] = EyeY[car];
    } else {
        EyeFloor[car] = -(float)(ground + 400);
    }
}

// The angle of (a, b) in [0, 2 pi): the arc tangent of b / a moved into its
// quadrant, pi / 2 or 3 pi / 2 straight up or down.
static float QuadrantAngle(float a, float b) {
    if (a == 0.0f)
        return b >= 0.0f ? Pi / 2.0f : 3.0f * Pi / 2.0f;
    float angle = std::atan(b / a);
    if (a < 0.0f)
        angle += Pi;
    else if (b < 0.0f)
        angle += 2.0f * Pi;
    return angle;
}

void AimCameraAtCar() {
    const int car = CarIndex(ViewedCar[0]);
    float dx = cocheX[car] + EyeX[car], dz = cocheZ[car] + EyeZ[car];
    const float dy = cocheY[car] + EyeY[car];
    float plan = std::sqrt(dx * dx + dz * dz);
    if (plan == 0.0f)
        plan = 0.1f;
    AnguloDeDeriva[car] = QuadrantAngle(dx, dz) - Pi / 2.0f;
    float pitch = QuadrantAngle(plan, dy);
    if (pitch > Pi)
        pitch -= 2.0f * Pi;   // the same direction, as a small angle
    CameraPitch[car] = ReplayPlayback ? pitch : pitch + 0.23f;
}

void UpdateChaseCamera(int car) {
    if (PresentationCamera)
        return;
    car = CarIndex(SplitScreen ? car : ViewedCar[0]);
    const int player = PlayerOf(car);
    // The eye arrays hold the negated eye.
    const float ex = -EyeX[car], ey = -EyeY[car], ez = -EyeZ[car];
    const float dx = cocheX[car] - ex, dy = cocheY[car] - ey, dz = cocheZ[car] - ez;
    const float plan = std::sqrt(dx * dx + dz * dz);
    const float distance = std::sqrt(plan * plan + dy * dy);
    // An eye on the car has no direction: the view keeps its angles.
    if (!(distance > 0.0f) || !(plan > 0.0f) || !std::isfinite(distance))
        return;
    // The height is taken from the car to the eye: a negative pitch looks
    // down in the view's rotation, so the eye above the car looks down on it.
    const float s = dy / distance;
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
    if (LookBack[player])
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
    // On the ramp the wheel contact has set the height.
    if (!(BusContact && car == 0))
        CarGroundHeight[car] = g;
    ComputeGroundTilt(car);
}

void ComputeGroundTilt(int car) {
    car = CarIndex(car);
    const float(*c)[3] = GroundTriangleCorners();
    float edge[2][3];
    for (int e = 0; e < 2; e++) {
        const float d[3] = {c[e + 1][0] - c[0][0], c[e + 1][1] - c[0][1], c[e + 1][2] - c[0][2]};
        TurnByPhys(d, edge[e]);
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

void CameraTiltFromBody() {
    const int car = CarIndex(CurrentCar);
    const int player = PlayerOf(car);
    if (!ReplayPlaying && !PresentationCamera && !RacePaused) {
        const int view = car < 2 ? ViewMode[player] : 0;
        if (view == 2) {
            CameraPitch[car] = CameraPitchBias[player] - AnguloDeCaida[car];
            CameraRoll[car] = -AnguloDeBalanza[car];
        } else {
            CameraPitch[car] = CameraPitchBias[player] - 0.5f * AnguloDeCaida[car];
            CameraRoll[car] = (view == 1 ? -(2.0f / 3.0f) : -0.2f) * AnguloDeBalanza[car];
        }
    }
    if (ReplayPlaying && RacePaused)
        return;
    DrawTiltPitch[car] += (GroundTiltPitch[car] - DrawTiltPitch[car]) * 0.06666667f;
    DrawTiltRoll[car] += (GroundTiltRoll[car] - DrawTiltRoll[car]) * 0.06666667f;
}

void SetLightPointOffsets(int car, const float front[3], const float rear[3]) {
    car = CarIndex(car);
    for (int k = 0; k < 3; k++) {
        LightPointOffsets[car][0][k] = front[k];
        LightPointOffsets[car][1][k] = rear[k];
    }
}

void CarAttachmentPoints() {
    const int car = CarIndex(CurrentCar);
    const int model = CarModel[car];
    LoadIdentityRender();
    MatrixRotateYZX(AnguloDeCaida[car], CarHeading[car], AnguloDeBalanza[car]);
    // The local points: the two lights (moved on the models whose lamps sit
    // elsewhere), the exhaust and its mirror, and a third on models 5 and 10.
    float local[ATTACH_POINTS][3];
    int count = 4;
    for (int k = 0; k < 2; k++) {
        for (int c = 0; c < 3; c++)
            local[k][c] = LightPointOffsets[car][k][c];
        if (model == 6 || model == 13) {
            local[k][1] += -48.0f;
            local[k][2] += -51.0f;
        } else if (model == 11) {
            local[k][0] += -10.0f;
            local[k][1] += -58.0f;
            local[k][2] += -81.0f;
        }
    }
    const float pipe[3] = {PipeMount[car][0], PipeMount[car][1], PipeMount[car][2]};
    for (int c = 0; c < 3; c++) {
        local[2][c] = pipe[c];
        local[3][c] = pipe[c];
    }
    local[3][0] = -pipe[0];
    if (model == 5 || model == 10) {
        local[4][0] = 0.0f;
        local[4][1] = pipe[1];
        local[4][2] = pipe[2];
        count = 5;
    }
    for (int k = 0; k < ATTACH_POINTS; k++) {
        const int used = k < count;
        float out[3] = {0.0f, 0.0f, 0.0f};
        if (used) {
            for (int c = 0; c < 3; c++)
                out[c] = local[k][0] * RenderMatrix[0][c] + local[k][1] * RenderMatrix[1][c] +
                         local[k][2] * RenderMatrix[2][c];
        }
        AttachX[car][k] = cocheX[car] + out[0];
        AttachY[car][k] = cocheY[car] + out[1];
        AttachZ[car][k] = cocheZ[car] + out[2];
    }

    // The arena trucks idle with a smoking exhaust.
    if (TrackGroup == 5 && TrackVariant != 5 && (model == 3 || model == 10) && CarSpeed[car] < 16.0f &&
        EngineRevs[car] > 1.5f) {
        const float smoke[3] = {model == 3 ? -326.0f : -433.0f, model == 3 ? 335.0f : 260.0f,
                                model == 3 ? -137.0f : -143.0f};
        float out[3];
        for (int c = 0; c < 3; c++)
            out[c] = smoke[0] * RenderMatrix[0][c] + smoke[1] * RenderMatrix[1][c] + smoke[2] * RenderMatrix[2][c];
        const float point[3] = {cocheX[car] + out[0], cocheY[car] + out[1], cocheZ[car] + out[2]};
        EmitSmokeAt(point, car);
    }
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

// The eye's distance is taken as a whole number: a value that is no number
// keeps the built-in one, and every value is held far inside an int.
void LoadCameraTable() {
    FillBuiltInCameraTable();
    static float fileImage[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];
    static_assert(sizeof fileImage == 760, "Config\\cameras.cfg is 760 bytes");
    if (ReadWholeFile("Config\\cameras.cfg", fileImage, sizeof fileImage) == 1 && LastFileSize == sizeof fileImage) {
        for (int m = 0; m < CAMERA_TABLE_MODELS; m++)
            for (int p = 0; p < CAMERA_TABLE_PAIRS; p++)
                for (int k = 0; k < 2; k++)
                    CameraTable[m][p][k] = ClampFileFloat(fileImage[m][p][k], -FILE_COORDINATE_LIMIT,
                                                          FILE_COORDINATE_LIMIT, CameraTable[m][p][k]);
    }
}
