// The player's camera views and keys, and the trackside cameras of the
// replays: camera points on line 4 of the CPU lines, each with a kind that
// selects a placement and a zoom.  The replay cameras run on the tick.

#include "race/cameras.h"

#include <cmath>
#include <cstdlib>

#include "frame/frame_state.h"
#include "race/car_pose.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "render/render_state.h"
#include "render/soft_frame.h"
#include "track/track_state.h"

int TvCameraNode[TV_CAMERA_POINTS];
int TvCameraOfCar[8];
int LastReplayCamera = -1;
int TvEyeHeight;
float OrbitPhase;
float ReplayZoom = 307.2f;
int ReplayCameraCuts;
int ChaseOffsetBase[2];

namespace {

enum {
    SCAN_HOME = 0xC7,
    SCAN_PAGE_UP = 0xC9,
    SCAN_END = 0xCF,
    SCAN_PAGE_DOWN = 0xD1,
    SCAN_INSERT = 0xD2,
    SCAN_DELETE = 0xD3,
};

// The camera values a paused replay keeps showing.
struct SavedCamera {
    float eyeX, eyeY, eyeZ;
    float eyeHeight;
    float angle1;
    int eyeOffset;
    float zoom;
};
SavedCamera saved;
int insertHeld, deleteHeld;
// The focal scale the view had before a replay camera zoomed it.
float focalBeforeReplay;
int replayZoomed;

int Held(int scan) { return KeyState[scan] == 0x80; }

int CameraPoints() {
    const int n = CpuLinePointCounts[CPU_LINE_CAMERAS];
    return n < 0 ? 0 : n > CPU_LINE_MAX_POINTS ? CPU_LINE_MAX_POINTS : n;
}

int Viewed() { return ViewedCar[0] >= 0 && ViewedCar[0] < MAX_CARS ? ViewedCar[0] : 0; }

int PlayerOf(int car) { return car >= 0 && car < 2 ? car : 0; }

int ViewableCars() {
    if (TrackGroup == 5 && TrackVariant != 5)
        return 1;
    return CarCount < 1 ? 1 : CarCount > MAX_CARS ? MAX_CARS : (int)CarCount;
}

void ChangeViewedCar(int step) {
    const int cars = ViewableCars();
    ViewedCar[0] = ((Viewed() + step) % cars + cars) % cars;
    LastReplayCamera = -10;
}

// The chase-style eye behind the viewed car, at `offset` along the camera
// heading and `height` above the car.
void ChaseEye(int car, int player) {
    Angle1[car] += (SimHeading[car] + CameraAngleOffset - Angle1[car]) / 29.0f;
    const float h = (float)ChaseEyeOffset[player];
    ChaseEyeX[car] = -SimPosX[car] - h * std::sin(Angle1[car]);
    ChaseEyeZ[car] = -SimPosZ[car] - h * std::cos(Angle1[car]);
    ChaseEyeY[car] = -SimPosY[car] - ChaseEyeHeight[player];
}

// The orbiting eye: it moves 1% of the way to its place on the orbit.
void OrbitEye(int car, int player) {
    CameraAngleOffset += 0.015f;
    Angle1[car] = CameraAngleOffset + SimHeading[car];
    ChaseEyeHeight[player] = (float)TvEyeHeight;
    ChaseEyeOffset[player] = (int)(400.0f * std::sin(OrbitPhase) - 1500.0f);
    const float h = (float)ChaseEyeOffset[player];
    const float x = -SimPosX[car] - h * std::sin(Angle1[car]);
    const float z = -SimPosZ[car] - h * std::cos(Angle1[car]);
    ChaseEyeX[car] += (x - ChaseEyeX[car]) * 0.01f;
    ChaseEyeZ[car] += (z - ChaseEyeZ[car]) * 0.01f;
    ChaseEyeY[car] = (float)TvEyeHeight;
}

}  // namespace

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
    CameraAngleOffset = 0.0f;
    Angle1[player] = CarHeading[player];
    ChaseOffsetBase[player] = ChaseEyeOffset[player];
}

void AdjustCameraByKeys(int player) {
    if (player < 0 || player > 1 || ViewMode[player] != 0)
        return;
    if (ReplayPlayback == 1) {
        const int insert = Held(SCAN_INSERT), del = Held(SCAN_DELETE);
        if (insert && !insertHeld)
            ChangeViewedCar(1);
        if (del && !deleteHeld)
            ChangeViewedCar(-1);
        insertHeld = insert;
        deleteHeld = del;
        return;
    }
    const int m = 4 * FrameTicks;
    if (Held(SCAN_PAGE_UP))
        ChaseEyeHeight[player] += (float)m;
    if (Held(SCAN_PAGE_DOWN))
        ChaseEyeHeight[player] -= (float)m;
    // The offset is negative (behind the car): Home brings the eye nearer.
    if (Held(SCAN_HOME))
        ChaseEyeOffset[player] += m;
    if (Held(SCAN_END))
        ChaseEyeOffset[player] -= m;
    const float top = TrackGroup == 5 || TrackGroup == 6 ? 700.0f : 600.0f;
    if (ChaseEyeHeight[player] > top)
        ChaseEyeHeight[player] = top;
    if (ChaseEyeHeight[player] < 250.0f)
        ChaseEyeHeight[player] = 250.0f;
    if (ChaseEyeOffset[player] > -450)
        ChaseEyeOffset[player] = -450;
    if (ChaseEyeOffset[player] < -900)
        ChaseEyeOffset[player] = -900;
}

void ResetTvCameras() {
    if (!(TrackGroup == 5 && TrackVariant == 5)) {
        for (int& node : PathNodeIndex)
            node = 0;
    }
    ResetRaceProgress();
    LastReplayCamera = -1;
    // A replay's aimed cameras and zooms do not outlast it.
    Centri = 1;
    if (replayZoomed) {
        ViewFocalScale = focalBeforeReplay;
        replayZoomed = 0;
    }
}

void MapTvCamerasToPath() {
    const int guide = GuidePointCount();
    const int cameras = CameraPoints();
    for (int i = 0; i < cameras; i++) {
        const CpuLinePoint& camera = CpuLineTable[CPU_LINE_CAMERAS][i];
        float best = 1.0e8f;
        TvCameraNode[i] = 0;
        for (int n = 0; n < guide; n++) {
            const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][n];
            const float dx = p.x - camera.x, dz = p.z - camera.z;
            const float d = std::sqrt(dx * dx + dz * dz);
            if (d < best) {
                best = d;
                TvCameraNode[i] = n;
            }
        }
    }
}

void ChooseTvCamera() {
    if (ReplayPlayback != 1)
        return;
    const int cameras = CameraPoints();
    if (cameras == 0)
        return;   // the camera keeps its placement
    const int car = Viewed();
    int chosen = 0;
    for (int i = 1; i < cameras; i++) {
        if (std::abs(TvCameraNode[i] - PathNodeIndex[car]) < std::abs(TvCameraNode[chosen] - PathNodeIndex[car]))
            chosen = i;
    }
    const CpuLinePoint& point = CpuLineTable[CPU_LINE_CAMERAS][chosen];
    const float kind = point.cameraKind;
    const int k = std::isfinite(kind) && std::fabs(kind) < 1000.0f ? (int)kind : -1;
    TvCameraOfCar[car] = k;
    if (k < 3 || k == 5) {
        ChaseEyeX[car] = -point.x;
        ChaseEyeZ[car] = -point.z;
        ChaseEyeY[car] = -SimPosY[car];
        TvEyeHeight = (int)-point.y;
        Centri = 0;
    } else {
        Centri = 1;
    }
}

void UpdateReplayCamera() {
    if (ReplayPlayback != 1 || EditorOpen != 0 || CameraPoints() == 0)
        return;
    const int car = Viewed();
    int mode = TvCameraOfCar[car];
    if (TrackGroup == 2 && mode == 3)
        mode = 1;
    if (mode != LastReplayCamera) {
        // A cut: the software path starts the next frame on an empty depth
        // area.
        if (RenderKind == 0)
            RequestDepthClear();
        ReplayCameraCuts++;
        LastReplayCamera = mode;
        ReplayCameraMode = mode == 9 ? ReplayTickCounter % 4 + 3 : mode;
    }
    PlaceCamera(ReplayCameraMode);
    if (!replayZoomed) {
        focalBeforeReplay = ViewFocalScale;
        replayZoomed = 1;
    }
    ViewFocalScale = ReplayZoom * 0.0015625f * (float)SurfaceWidth;
    // The ground test works on the frame's copy of the eye.
    EyeX[car] = ChaseEyeX[car];
    EyeY[car] = ChaseEyeY[car];
    EyeZ[car] = ChaseEyeZ[car];
    ClampEyeAboveGround();
    ChaseEyeY[car] = EyeY[car];
}

void PlaceCamera(int mode) {
    const int car = Viewed();
    const int player = PlayerOf(car);
    if (RacePaused) {
        ChaseEyeX[car] = saved.eyeX;
        ChaseEyeY[car] = saved.eyeY;
        ChaseEyeZ[car] = saved.eyeZ;
        ChaseEyeHeight[player] = saved.eyeHeight;
        Angle1[car] = saved.angle1;
        ChaseEyeOffset[player] = saved.eyeOffset;
        ReplayZoom = saved.zoom;
        return;
    }
    OwnCarVisible[player] = 1;
    ReplayZoom = 307.2f;
    OrbitPhase += 0.01f;
    CameraPitchBias[player] = 0.075f;
    ChaseEyeOffset[player] = -835;
    ChaseEyeHeight[player] = 390.0f;
    const float dx = SimPosX[car] + ChaseEyeX[car], dz = SimPosZ[car] + ChaseEyeZ[car];
    const float d = std::sqrt(dx * dx + dz * dz);
    switch (mode) {
    case 0: ReplayZoom = 0.25f * d + 307.2f; break;
    case 1: ReplayZoom = 0.1f * d + 384.0f; break;
    case 2: ReplayZoom = 576.0f - d / 44.0f; break;
    case 3: ReplayZoom = 576.0f - d / 55.0f; break;
    case 4:
        ChaseEyeHeight[player] = 340.0f;
        ChaseEyeOffset[player] = -1179;
        ReplayZoom = 0.25f * d + 179.2f;
        break;
    case 5:
        ChaseEyeY[car] = (float)TvEyeHeight;
        ReplayZoom = 0.1f * d + 384.0f;
        break;
    case 6:
        OrbitEye(car, player);
        ReplayZoom = 800.0f;
        break;
    default: break;
    }
    if (Centri == 1 && mode != 6)
        ChaseEye(car, player);
    // A far eye would turn the falling zooms of modes 2 and 3 to nothing
    // or below: the projection divides by the focal scale's result.
    if (!(ReplayZoom >= 100.0f))
        ReplayZoom = 100.0f;
    saved = {ChaseEyeX[car], ChaseEyeY[car],          ChaseEyeZ[car], ChaseEyeHeight[player],
             Angle1[car],    ChaseEyeOffset[player], ReplayZoom};
}
