#include "race/race_setup.h"

#include <cmath>

#include "frame/frame_state.h"
#include "race/cameras.h"
#include "race/car_pose.h"
#include "race/car_setup.h"
#include "race/engine.h"
#include "race/messages.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "race/tuning.h"
#include "render/lookup_tables.h"
#include "render/model_sets.h"
#include "render/soft_frame.h"
#include "track/asset_paths.h"
#include "track/scene_points.h"
#include "track/track_state.h"
#include "track/track_files.h"

namespace {

// The common start pose of every car by track group: position, eye (stored
// negated; NAN leaves it), heading and the camera yaw.
struct StartPose {
    float x, y, z;
    float eyeX, eyeY, eyeZ;
    float heading, yaw;
};

const StartPose StartPoses[7] = {
    {58920, 1547, 58610, NAN, NAN, NAN, 0.0f, -50.3183f},
    {68405.69f, -7, 105616.4f, -69726, -440, -104804, -1.0f, 1.02136f},
    {56247.45f, 500, 94653.14f, -56480, -440, -93120, -0.133981f, 0.096612f},
    {78393.97f, 66, 41801.65f, -78615, -459, -42018, 0.0f, -50.3183f},
    {30675, 107, 30339, -30679, -707, -29424, 0.0f, -50.3183f},
    {21543, 92.8678f, 57641, NAN, NAN, NAN, 0.0f, -50.3183f},
    {24276, 138.546f, 51684, NAN, NAN, NAN, -0.12f, -50.3183f},
};

void ApplyStartPose(int group) {
    if (group < 1 || group > 7)
        return;
    const StartPose& pose = StartPoses[group - 1];
    float heading = pose.heading;
    if (group == 4) {
        if (TrackVariant == 0)
            heading = -0.7f;
        else if (TrackVariant == 3 || TrackVariant == 4)
            heading = -2.35248f;
        else if (TrackVariant == 6 || TrackVariant == 7)
            heading = CarHeading[0];
    }
    for (int car = 0; car < MAX_CARS; car++) {
        cocheX[car] = pose.x;
        cocheY[car] = pose.y;
        cocheZ[car] = pose.z;
        if (!std::isnan(pose.eyeX)) {
            EyeX[car] = pose.eyeX;
            EyeY[car] = pose.eyeY;
            EyeZ[car] = pose.eyeZ;
        }
        CarHeading[car] = heading;
        AnguloDeDeriva[car] = pose.yaw;
        AnguloDeCaida[car] = 0.0f;
        AnguloDeBalanza[car] = 0.0f;
    }
}

}  // namespace

void StartRace() {
    RaceCarCount = TrackGroup == 5 && TrackVariant != 5 ? 1 : (int)CarCount;
    RacePaused = 1;
    FinishSequence = 0;
    ViewedCar[0] = 0;
    HudVisible = 1;
    DrawTimedMessages(1);
    if (!ReplayPlaying) {
        PresentationRun = 0;
        PresentationCamera = 0;
    }
    // A new race starts from an empty depth buffer.
    if (RenderKind == 0 && SceneReady == 1) {
        RefreshWorkSurfacePointer();
        ClearFrameBuffer(SurfaceHeight * 10);
    }
    LoadSpringsTable();
    TrackCode = TrackGroup * 10 + TrackVariant;
    InJumpZone = 0;
    SetTrackFolder();
    RaceOver = 0;
    RecordsChanged = 0;
    CollisionsOn = 1;
    StartStage = 3;
    RaceClock.minutes = 0;
    RaceClock.seconds = 0;
    RaceClock.ticks = 0;
    for (int car = 0; car < MAX_CARS; car++) {
        LapsDone[car] = 0;
        CarSpeed[car] = 0.0f;
        CarInputBits[car] = 0;
        DriveDirection[car] = 1;
        CarRaceClock[car].minutes = 0;
        CarRaceClock[car].seconds = 0;
        CarRaceClock[car].ticks = 0;
        CarLightsOn[car] = 0;
        CameraRoll[car] = 0.010734f;
        CameraPitch[car] = 0.070734f;
        CarGear[car] = 0;
        EngineRevs[car] = 0.0f;
        WheelsInAir[car] = 0;
        LandingTicks[car] = 0;
        SimPitch[car] = 0.0f;
        SimRoll[car] = 0.0f;
    }
    // The JUMP attempt and the engines' release start over.
    JumpDistance = 0.0f;
    JumpEnded = 0;
    JumpPeakHeight = 0;
    JumpBannerTicks = 0;
    EnginesReleased = 0;
    TurboValue = TurboCharge = 0.0f;
    TurboCameraPull = 0;
    if (FrontEndActive == 1)
        ApplyStartPose(1);
    ApplyStartPose(TrackGroup);
    CurrentCar = 0;
    // The Direct3D vertex colours: a blue tint at the dark end in the jump
    // group, a grey scale elsewhere.
    const int tint = TrackGroup == 4 ? -43 : 0;
    BuildColourRamp(tint, tint, 0);
    LoadLightingAndSetUpCars();
}

void LoadLightingAndSetUpCars() {
    StoreCarSelection();
    LoadTrackLighting();
    FillPositionTables();
    CopyCarParams();
    LoadMotionTable();

    SlideForceDivisor[0] = 2.0f;
    StopSpeedSpin[0] = 0.19885f;
    TurnGain[0] = 0.000391f;
    SteerSpeed[0] = 0.021839f;
    SteeringAngle[0] = 0.0f;
    CarSpeed[0] = 0.0f;
    DrawTiltPitch[0] = DrawTiltRoll[0] = 0.0f;
    GroundTiltPitch[0] = GroundTiltRoll[0] = 0.0f;
    WheelRollAngle[0] = 0.0f;
    if (TrackGroup == 5 && TrackVariant != 5)
        CarCount = ArenaOpponents + 1;
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int car = 1; car < cars; car++) {
        SlideForceDivisor[car] = SlideForceDivisor[0];
        StopSpeedSpin[car] = StopSpeedSpin[0];
        TurnGain[car] = TurnGain[0];
        SteerSpeed[car] = SteerSpeed[0];
        SteeringAngle[car] = SteeringAngle[0];
        CarSpeed[car] = CarSpeed[0];
        DrawTiltPitch[car] = DrawTiltRoll[car] = 0.0f;
        GroundTiltPitch[car] = GroundTiltRoll[car] = 0.0f;
        WheelRollAngle[car] = 0.0f;
        cocheX[car] = cocheX[0];
        cocheY[car] = cocheY[0];
        cocheZ[car] = cocheZ[0];
        CarHeading[car] = CarHeading[0];
        AnguloDeCaida[car] = AnguloDeCaida[0];
        AnguloDeBalanza[car] = AnguloDeBalanza[0];
    }
    for (CurrentCar = 0; CurrentCar < cars; CurrentCar++)
        InitCarBody(&CarBodies[CurrentCar]);
    CurrentCar = 0;
    SetUpCarsForRace();
    ResetCarBodies();
    LocalCar = 0;

    for (int p = 0; p < 2; p++) {
        int model = CarModel[p];
        model = model < 0 ? 0 : model >= CAMERA_TABLE_MODELS ? CAMERA_TABLE_MODELS - 1 : model;
        ChaseEyeHeight[p] = CameraTable[model][0][0];
        ChaseEyeOffset[p] = (int)CameraTable[model][0][1];
        OwnCarVisible[p] = 1;
    }
    for (int car = 0; car < MAX_CARS; car++)
        Angle1[car] = CarHeading[car];
    RacePaused = 0;
    ViewMode[0] = ViewMode[1] = -1;
    CycleCameraMode(0);
    CycleCameraMode(1);

    // The first chase-camera position behind car 0.
    for (int car = 0; car < MAX_CARS; car++)
        CameraLag[car] = 29;
    Angle1[0] += (CarHeading[0] - Angle1[0]) / (ViewMode[0] == 1 ? 29.0f / 3.0f : 29.0f);
    const float h = (float)ChaseEyeOffset[0];
    EyeX[0] = ChaseEyeX[0] = -cocheX[0] - h * std::sin(Angle1[0]);
    EyeZ[0] = ChaseEyeZ[0] = -cocheZ[0] - h * std::cos(Angle1[0]);
    UpdateChaseCamera(0);
}
