// Race set-up: every piece of per-race state from the race selection, so
// that the first tick and the first frame of a race find a known world.
// StartRace runs with the timer stopped (or under the simulation lock).

#include "race/race_setup.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "race/arena_props.h"
#include "race/cameras.h"
#include "race/car_pose.h"
#include "race/car_setup.h"
#include "race/engine.h"
#include "race/messages.h"
#include "race/particles.h"
#include "race/physics.h"
#include "race/presentation.h"
#include "race/race_frame.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "race/tuning.h"
#include "race/wrong_way.h"
#include "render/lookup_tables.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "render/soft_frame.h"
#include "sound/sound_control.h"
#include "track/asset_paths.h"
#include "track/scene_points.h"
#include "track/track_files.h"
#include "track/track_state.h"

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

// The timed events' limits (minutes, seconds; -1 keeps the seconds).
struct EventLimit {
    int trackCode, minutes, seconds;
};
const EventLimit EventLimits[] = {
    {31, 1, -1}, {50, 2, 5}, {51, 2, 40}, {52, 3, 15}, {53, 4, 20}, {54, 4, 30}, {56, 2, 25}, {57, 2, 4},
};

// Computer opponents of the arena events by variant.
const int ArenaOpponentsByVariant[8] = {2, 6, 7, 7, 7, 7, 3, 0};

// The local light points every car starts with.
const float FrontLightPoint[3] = {22.0f, 214.0f, -12.0f};
const float RearLightPoint[3] = {26.0f, 214.0f, -106.0f};

int CarsInRace() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }

int ArenaRules() { return TrackGroup == 5 && TrackVariant != 5; }

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
        HeadingAccum[car] = heading;
        Angle1[car] = heading;
        AnguloDeDeriva[car] = pose.yaw;
        AnguloDeCaida[car] = 0.0f;
        AnguloDeBalanza[car] = 0.0f;
    }
}

void SetEventRules() {
    for (const EventLimit& limit : EventLimits) {
        if (limit.trackCode != TrackCode)
            continue;
        TimeLeft.minutes = limit.minutes;
        // Event 31 keeps the seconds the front end's race preparation set.
        if (limit.seconds >= 0)
            TimeLeft.seconds = limit.seconds;
    }
    ArenaOpponents = 0;
    if (TrackGroup == 5 && TrackVariant >= 0 && TrackVariant < 8)
        ArenaOpponents = ArenaOpponentsByVariant[TrackVariant];
}

// The players' camera views from CONFIG\visual.cfg (view + 1); a byte that
// names no view gives the chase view.
void ReadVisualViews() {
    unsigned char image[sizeof VisualSettings];
    if (ReadWholeFile("CONFIG\\visual.cfg", image, sizeof image) > 0 && LastFileSize == (int)sizeof image)
        memcpy(VisualSettings, image, sizeof image);
    const unsigned char bytes[2] = {VisualSettings[VISUAL_VIEW_PLAYER1], VisualSettings[VISUAL_VIEW_PLAYER2]};
    for (int p = 0; p < 2; p++)
        ViewMode[p] = bytes[p] >= 1 && bytes[p] <= 3 ? bytes[p] - 1 : 0;
}

void ClearClocks() {
    RaceClock.minutes = 0;
    RaceClock.seconds = 0;
    RaceClock.ticks = 0;
    for (ClockMST& clock : CarRaceClock) {
        clock.minutes = 0;
        clock.seconds = 0;
        clock.ticks = 0;
    }
}

// The per-car arrays a race starts from.
void ClearCarArrays() {
    for (int car = 0; car < MAX_CARS; car++) {
        LapsDone[car] = 0;
        DustTickAccumulator[car] = 0;
        CarLightsOn[car] = 0;
        PathNodeIndex[car] = 0;
        CarFastFlags[car] = 0;
        CarZoneMask[car] = 0;
        SurfaceWord[car] = 0;
        CarGear[car] = 0;
        EngineRevs[car] = 0.0f;
        CarInputBits[car] = 0;
        HornFlags[car] = 0;
        CarSpeed[car] = 0.0f;
        DriveDirection[car] = 1;
        WheelsInAir[car] = 0;
        LandingTicks[car] = 0;
        SimPitch[car] = 0.0f;
        SimRoll[car] = 0.0f;
        CollisionImpulseX[car] = CollisionImpulseZ[car] = 0.0f;
        WallContactA[car] = WallContactB[car] = 0;
        WallImpactState[car] = 0;
        CarCrashKind[car] = 0;
        // An arena car crushed in the race before stands whole again.
        CrushContacts[car] = CrushLevel[car] = 0;
        PassThroughFlags[car] = 0;
        CpuTargetNode[car] = 1;
        LapCheckpoint[car] = 0;
        LapLineState[car] = 0;
        FinishedFlags[car] = 0;
        RaceDistance[car] = 0.0f;
        PathNodeBase[car] = 0.0f;
        for (LapTime& lap : LapTimeTable[car])
            lap = {};
        CameraRoll[car] = 0.010734f;
        CameraPitch[car] = 0.070734f;
        SetLightPointOffsets(car, FrontLightPoint, RearLightPoint);
    }
    // The JUMP attempt and the engines' release start over.
    JumpDistance = 0.0f;
    JumpEnded = 0;
    JumpPeakHeight = 0;
    JumpBannerTicks = 0;
    EnginesReleased = 0;
    TurboValue = TurboCharge = 0.0f;
    TurboCameraPull = 0;
}

// Car 0's start values, then every car's copy of them and of the pose.
void GiveCarsStartValues() {
    SlideForceDivisor[0] = 2.0f;
    StopSpeedSpin[0] = 0.19885f;
    TurnGain[0] = 0.000391f;
    SteerSpeed[0] = 0.021839f;
    JoystickSteerScale[0] = 0.606896f;
    SteeringAngle[0] = 0.0f;
    CarSpeed[0] = 0.0f;
    DrawTiltPitch[0] = DrawTiltRoll[0] = 0.0f;
    GroundTiltPitch[0] = GroundTiltRoll[0] = 0.0f;
    WheelRollAngle[0] = 0.0f;
    if (ArenaRules())
        CarCount = ArenaOpponents + 1;
    // The JUMP grid places car 0 alone; a network race places each
    // player's car from its own machine.
    if (TrackGroup == 4 && CarCount > 1 && !NetSessionOpen) {
        char line[64];
        std::snprintf(line, sizeof line, "JUMP events race one car, not %d", (int)CarCount);
        ConsoleAddLine(line);
        CarCount = 1;
    }
    // A selection outside 1..8 cars is held to it.
    if (CarCount < 1)
        CarCount = 1;
    if (CarCount > MAX_CARS)
        CarCount = MAX_CARS;
    const int cars = CarsInRace();
    for (int car = 1; car < cars; car++) {
        SlideForceDivisor[car] = SlideForceDivisor[0];
        StopSpeedSpin[car] = StopSpeedSpin[0];
        TurnGain[car] = TurnGain[0];
        SteerSpeed[car] = SteerSpeed[0];
        JoystickSteerScale[car] = JoystickSteerScale[0];
        SteeringAngle[car] = SteeringAngle[0];
        CarSpeed[car] = CarSpeed[0];
        DrawTiltPitch[car] = DrawTiltRoll[car] = 0.0f;
        GroundTiltPitch[car] = GroundTiltRoll[car] = 0.0f;
        WheelRollAngle[car] = 0.0f;
        CameraLag[car] = CameraLag[0];
        cocheX[car] = cocheX[0];
        cocheY[car] = cocheY[0];
        cocheZ[car] = cocheZ[0];
        CarHeading[car] = CarHeading[0];
        AnguloDeCaida[car] = AnguloDeCaida[0];
        AnguloDeBalanza[car] = AnguloDeBalanza[0];
        HeadingAccum[car] = HeadingAccum[0];
    }
    for (CurrentCar = 0; CurrentCar < cars; CurrentCar++)
        InitCarBody(&CarBodies[CurrentCar]);
    CurrentCar = 0;
}

// The first chase-camera position behind car 0.
void PlaceFirstChaseEye() {
    for (float& lag : CameraLag)
        lag = 29.0f;
    Angle1[0] += (CarHeading[0] - Angle1[0]) / (ViewMode[0] == 1 ? 29.0f / 3.0f : 29.0f);
    float h = (float)ChaseEyeOffset[0];
    if (ViewMode[0] == 0)
        h -= (float)TurboCameraPull;
    EyeX[0] = ChaseEyeX[0] = -cocheX[0] - h * std::sin(Angle1[0]);
    EyeZ[0] = ChaseEyeZ[0] = -cocheZ[0] - h * std::cos(Angle1[0]);
    UpdateChaseCamera(0);
}

}  // namespace

void StartPosePosition(int group, float* x, float* z) {
    const StartPose& pose = StartPoses[group >= 1 && group <= 7 ? group - 1 : 0];
    *x = pose.x;
    *z = pose.z;
}

static int KeepSounds;

void StartRaceKeepingSounds() {
    KeepSounds = 1;
    StartRace();
    KeepSounds = 0;
}

void StartRace() {
    // 1.
    RaceCarCount = ArenaRules() ? ArenaOpponents + 1 : CarsInRace();
    RacePaused = 1;
    ResetWrongWay();
    // Every race draws the same numbers: a race run again is the same race.
    GameRandomSeed(1);
    // 2. The previous race's end stays known to the front end.
    if (FinishSequence > RaceWon)
        RaceWon = FinishSequence;
    FinishSequence = 0;
    ViewedCar[0] = 0;
    HudVisible = 1;
    if (!ReplayPlaying) {
        PresentationRun = 0;
        PresentationCamera = 0;
    }
    // 3.
    DrawTimedMessages(1);
    ResetPresentationSets();
    LoadPresentationSets();
    LoadSpringsTable();
    if (RenderKind == 0 && SceneReady == 1) {
        RefreshWorkSurfacePointer();
        ClearFrameBuffer(SurfaceHeight * 10);
    }
    // 4.
    TrackCode = TrackGroup * 10 + TrackVariant;
    PauseMenuOpen = 0;
    HelpOverlayOpen = 0;
    BannerShown = 0;
    NameTagsVisible = 0;
    ReplayCameraMode = 0;
    InJumpZone = 0;
    FinishCount = 0;
    FinishSequenceCar = -1;
    FinishZoneReached = 0;
    ReplayNewRecord = 0;
    SetTrackFolder();
    // 5.
    ResetParticles();
    if (!KeepSounds)
        ResetRaceSounds();
    RaceOver = 0;
    EventFailed = 0;
    RecordsChanged = 0;
    CollisionsOn = 1;
    // 6.
    SetEventRules();
    // 7.
    StartStage = -1;
    CountdownTimer = 0;
    ClearTargetFrames = 1;
    // 8.
    ReadVisualViews();
    // 9. and 10.
    ClearCarArrays();
    ClearClocks();
    FreeSpritePools();
    // 11.
    if (FrontEndActive == 1)
        ApplyStartPose(1);
    ApplyStartPose(TrackGroup);
    // 12.
    CurrentCar = 0;
    if (TrackGroup == 4)
        BuildColourRamp(-43, -43, 0);
    else
        BuildColourRamp(0, 0, 0);
    ClearPositionDeltas();
    LoadLightingAndSetUpCars();
}

void LoadLightingAndSetUpCars() {
    // 1. to 4.
    StoreCarSelection();
    LoadTrackLighting();
    FillPositionTables();
    CopyCarParams();
    LoadMotionTable();
    // 5. and 6.
    GiveCarsStartValues();
    // 7. The grid; the bodies are seated where it put the cars.
    SetUpCarsForRace();
    ResetCarBodies();
    ResetReplay();
    // 8. and 9.
    if (TrackCode == 79)
        FreezeStartOrder();
    else
        RankingFrozen = 0;
    LoadObstacleLayout();
    ResetDecorations();
    LocalCar = 0;
    ResetTvCameras();
    if (TrackGroup == 5 && TrackVariant == 5)
        ResetRaceProgress();
    if (NetSessionOpen)
        SetPlayersEngineTypes();
    // 10.
    for (int p = 0; p < 2; p++) {
        int model = CarModel[p];
        model = model < 0 ? 0 : model >= CAMERA_TABLE_MODELS ? CAMERA_TABLE_MODELS - 1 : model;
        ChaseEyeHeight[p] = CameraTable[model][0][0];
        ChaseEyeOffset[p] = (int)CameraTable[model][0][1];
    }
    for (int& visible : OwnCarVisible)
        visible = 1;
    // 11.
    for (int car = 0; car < MAX_CARS; car++)
        Angle1[car] = CarHeading[car];
    SortCarsByCameraDistance();
    // 12.
    RacePaused = 0;
    ViewMode[0] = ViewMode[1] = -1;
    CycleCameraMode(0);
    CycleCameraMode(1);
    // 13.
    PlaceFirstChaseEye();
}
