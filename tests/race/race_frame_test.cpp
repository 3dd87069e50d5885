// The race frame: the bindings into the control words, the horn and gear
// keys, what a pause and a replay leave alone, the per-tick sub-steps, the
// snapshot and distance order, joystick steering and force feedback.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/joystick.h"
#include "frontend/frontend_state.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_keys.h"
#include "platform/plat_script.h"
#include "platform/plat_system.h"
#include "race/car_pose.h"
#include "race/hud.h"
#include "race/race_frame.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/sound_state.h"
#include "track/track_state.h"
#include "track/track_files.h"
#include "track/editors.h"
#include "track/track_test_util.h"

namespace {

// One key per action in player 1's keyboard set, another in player 2's.
const int Keys1[11] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E};
const int Keys2[11] = {0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E};
enum { ACCELERATE, BRAKE, LEFT, RIGHT, HANDBRAKE, HORN, TURBO, LOOK_BACK, GEAR_UP, GEAR_DOWN, CAMERA };

struct RaceFrame : ::testing::Test {
    void SetUp() override {
        FrontEndActive = 0;
        RacePhase = 0;
        RacePaused = 0;
        ReplayPlayback = 0;
        ReplayPlaying = 0;
        PresentationRun = 0;
        PresentationCamera = 0;
        TexturesReloading = 0;
        TickResetPending = 0;
        SplitScreen = 0;
        CarCount = 2;
        ViewMode[0] = ViewMode[1] = 0;
        LastFrameTicks = 1;
        memset(KeyState, 0, sizeof KeyState);
        memset(ControlBindings, 0, sizeof ControlBindings);
        for (int a = 0; a < 11; a++) {
            ControlBindings[0][a] = {Keys1[a], 0, a};
            ControlBindings[2][a] = {Keys2[a], 0, a};
        }
        SettingsInts[0] = SettingsInts[1] = 0;
        for (int& flag : HornFlags)
            flag = 0;
        FillBuiltInCameraTable();
        JoystickActive = 0;
        // The horn sound drops the flag of a car far from the camera, and
        // cars an earlier test drove may stand far from it: these tests read
        // the flags the controls set, so the sound stays out.
        SoundOn = 0;
    }
    void TearDown() override {
        SoundOn = 1;
        memset(KeyState, 0, sizeof KeyState);
        SplitScreen = 0;
        ManualGearbox[0] = 0;
        RacePaused = 0;
        ReplayPlayback = 0;
        FrontEndActive = 1;
    }
    static void Press(int scan, bool down = true) { KeyState[scan] = down ? 0x80 : 0; }
};

TEST_F(RaceFrame, EachBindingSetsItsBit) {
    const struct {
        int action, bit;
    } bits[] = {{ACCELERATE, INPUT_ACCELERATE}, {BRAKE, INPUT_BRAKE},   {LEFT, INPUT_LEFT},
                {RIGHT, INPUT_RIGHT},           {TURBO, INPUT_TURBO},   {HANDBRAKE, INPUT_HANDBRAKE}};
    for (const auto& b : bits) {
        SCOPED_TRACE(b.action);
        Press(Keys1[b.action]);
        UpdateRaceFrame();
        EXPECT_EQ(CarInputBits[0], b.bit);
        Press(Keys1[b.action], false);
    }
    Press(Keys1[LOOK_BACK]);
    UpdateRaceFrame();
    EXPECT_EQ(LookBack[0], 1);
    EXPECT_EQ(CarInputBits[0], 0);
    Press(Keys1[LOOK_BACK], false);
    UpdateRaceFrame();
    EXPECT_EQ(LookBack[0], 0);

    // Player 2's set drives car 1 only in split screen.
    Press(Keys2[ACCELERATE]);
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[1], 0);
    SplitScreen = 1;
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[1], INPUT_ACCELERATE);
    EXPECT_EQ(CarInputBits[0], 0);
}

TEST_F(RaceFrame, AKeyReadsAsHeldOnlyAt0x80) {
    KeyState[Keys1[ACCELERATE]] = 0x81;
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], 0);
}

TEST_F(RaceFrame, BindingsFromABadFileNeverReadPastTheKeysOrTheSets) {
    // A code outside 0..255 is never held; a device other than 0 or 1 is
    // the keyboard; a joystick binding without a joystick is not held.
    memset(KeyState, 0x80, sizeof KeyState);
    ControlBindings[0][ACCELERATE] = {256, 0, 0};
    ControlBindings[0][BRAKE] = {-1, 0, 0};
    ControlBindings[0][LEFT] = {0x01, 1, 0};   // joystick bit 0, no joystick
    ControlBindings[0][RIGHT] = {0x12, 7, 0};  // a device word of 7: a key
    ControlBindings[0][TURBO] = {1000000, 1, 0};
    ControlBindings[0][HANDBRAKE] = {INT32_MIN, 0, 0};
    SettingsInts[0] = 9;
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], INPUT_RIGHT);
    EXPECT_EQ(IsControlActive(4, 0, 0), 0);
    EXPECT_EQ(IsControlActive(0, 11, 0), 0);
    EXPECT_EQ(IsControlActive(0, -1, 0), 0);
}

TEST_F(RaceFrame, BothHornsHeldGivePlayerOnesHorn) {
    SplitScreen = 1;
    Press(Keys1[HORN]);
    Press(Keys2[HORN]);
    UpdateRaceFrame();
    EXPECT_EQ(HornFlags[0], 1);
    EXPECT_EQ(HornFlags[1], 0);
    Press(Keys1[HORN], false);
    UpdateRaceFrame();
    EXPECT_EQ(HornFlags[0], 0);
    EXPECT_EQ(HornFlags[1], 1) << "player 2's horn once player 1 lets go";
    Press(Keys2[HORN], false);
    UpdateRaceFrame();
    EXPECT_EQ(HornFlags[1], 0);
}

TEST_F(RaceFrame, AHeldGearKeyShiftsOnce) {
    ManualGearbox[0] = 1;
    UpdateRaceFrame();   // seen released
    Press(Keys1[GEAR_UP]);
    UpdateRaceFrame();
    EXPECT_EQ(GearShiftRequest[0], 1);
    GearShiftRequest[0] = 0;   // the gearbox takes it
    for (int frame = 0; frame < 5; frame++)
        UpdateRaceFrame();
    EXPECT_EQ(GearShiftRequest[0], 0) << "held: no second shift";
    Press(Keys1[GEAR_UP], false);
    UpdateRaceFrame();
    Press(Keys1[GEAR_DOWN]);
    UpdateRaceFrame();
    EXPECT_EQ(GearShiftRequest[0], -1);
    // The automatic box ignores the keys.
    GearShiftRequest[0] = 0;
    ManualGearbox[0] = 0;
    Press(Keys1[GEAR_DOWN], false);
    UpdateRaceFrame();
    Press(Keys1[GEAR_DOWN]);
    UpdateRaceFrame();
    EXPECT_EQ(GearShiftRequest[0], 0);
}

TEST_F(RaceFrame, PausedTheControlsAndSnapshotStandButTheCamerasRun) {
    UpdateRaceFrame();
    RacePaused = 1;
    CarInputBits[0] = INPUT_BRAKE;
    Press(Keys1[ACCELERATE]);
    const float drawnX = cocheX[0];
    SimPosX[0] = drawnX + 500.0f;
    EyeX[0] = -(cocheX[0] + 300.0f);
    EyeZ[0] = -(cocheZ[0] - 300.0f);
    const float yaw = AnguloDeDeriva[0];
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], INPUT_BRAKE);
    EXPECT_EQ(cocheX[0], drawnX);
    EXPECT_NE(AnguloDeDeriva[0], yaw) << "the chase camera still aims";
}

TEST_F(RaceFrame, AReplayIgnoresThePlayersControlsAndCameraKey) {
    ReplayPlayback = 1;
    CarInputBits[0] = INPUT_TURBO;   // from the recording
    Press(Keys1[ACCELERATE]);
    const int view = ViewMode[0];
    UpdateRaceFrame();
    Press(Keys1[CAMERA]);
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], INPUT_TURBO);
    EXPECT_EQ(ViewMode[0], view);
    ReplayPlayback = 0;
    Press(Keys1[CAMERA], false);
    UpdateRaceFrame();
    Press(Keys1[CAMERA]);
    UpdateRaceFrame();
    EXPECT_EQ(ViewMode[0], (view + 1) % 3) << "outside a replay the key changes the view once";
}

TEST_F(RaceFrame, TheSubStepsRunOncePerElapsedTick) {
    DecorRate = 1.0f;
    SkyDrift = 0.0f;
    DustTickAccumulator[0] = 0;
    LastFrameTicks = 3;
    UpdateRaceFrame();
    EXPECT_EQ(SkyDrift, 3.0f);
    EXPECT_EQ(DustTickAccumulator[0], 3);
    LastFrameTicks = 0;
    UpdateRaceFrame();
    EXPECT_EQ(SkyDrift, 3.0f) << "no tick, no sub-step";
    EXPECT_EQ(FrameTicks, 0);
    RacePaused = 1;
    LastFrameTicks = 2;
    UpdateRaceFrame();
    EXPECT_EQ(SkyDrift, 3.0f) << "nothing while paused";
    RacePaused = 0;
    // The tuning panel stands over a running race; a track editor that
    // hides the race stops its sub-steps.
    EditorOpen = 1;
    UpdateRaceFrame();
    EXPECT_EQ(SkyDrift, 5.0f);
    EditorActive = 1;
    UpdateRaceFrame();
    EXPECT_EQ(SkyDrift, 5.0f);
    EditorActive = 0;
    EditorOpen = 0;
}

TEST_F(RaceFrame, TheEngineSoundsCyclesAreKeptForTheTuningOverlay) {
    SoundStepCycles = 0;
    UpdateRaceFrame();
    EXPECT_GT(SoundStepCycles, 0u);
    EXPECT_LT(SoundStepCycles, 0x80000000u) << "a time, not a wrapped difference";
}

TEST_F(RaceFrame, TheFirstRaceFrameResetsTheTickCounters) {
    TickResetPending = 1;
    TimerTicks = 77;
    LastFrameTicks = 5;
    UpdateRaceFrame();
    EXPECT_EQ(FrameTicks, 5);
    EXPECT_EQ(TimerTicks, 0);
    EXPECT_EQ(LastFrameTicks, 1);
    EXPECT_EQ(TickResetPending, 0);
}

TEST_F(RaceFrame, TheSnapshotCopiesTheTicksCarsEyesAndWheels) {
    SimPosX[1] = 1234.0f;
    SimHeading[1] = 0.5f;
    ChaseEyeX[1] = -99.0f;
    WheelWorldX[1][2] = 4321.0f;
    WheelHeights[1][2] = 77.0f;
    SnapshotCars();
    EXPECT_EQ(cocheX[1], 1234.0f);
    EXPECT_EQ(CarHeading[1], 0.5f);
    EXPECT_EQ(EyeX[1], -99.0f);
    EXPECT_EQ(WheelPosX[1][2], 4321.0f);
    EXPECT_EQ(WheelPosY[1][2], 77.0f);
}

TEST_F(RaceFrame, TheDistanceOrderIsNearestFirstTiesToTheHigherCarNoNumberLast) {
    CarCount = 4;
    EyeX[0] = 0.0f;
    EyeZ[0] = 0.0f;
    const float xs[4] = {300.0f, 100.0f, 300.0f, NAN};
    for (int car = 0; car < 4; car++) {
        cocheX[car] = xs[car];
        cocheZ[car] = 0.0f;
    }
    SortCarsByCameraDistance();
    EXPECT_EQ(CarsByDistance[0].car, 1);
    EXPECT_NEAR(CarsByDistance[0].distance, 100, 1) << "the table root, truncated";
    EXPECT_EQ(CarsByDistance[1].car, 2) << "equal distances: the higher index first";
    EXPECT_EQ(CarsByDistance[2].car, 0);
    EXPECT_EQ(CarsByDistance[3].car, 3);
}

TEST_F(RaceFrame, TheTickKeepsEachCarsMovementOverTheTick) {
    SimPosX[1] = 10.0f;
    SimPosZ[1] = 20.0f;
    SavePreviousPositions();
    SimPosX[1] = 13.0f;
    SimPosZ[1] = 16.0f;
    ComputePositionDeltas();
    EXPECT_EQ(SimDeltaX[1], 3.0f);
    EXPECT_EQ(SimDeltaZ[1], -4.0f);
    ClearPositionDeltas();
    EXPECT_EQ(SimDeltaX[1], 0.0f);
}

// The race frame reads the headless backend's joystick.
struct RaceFrameJoystick : RaceFrame {
    void SetUp() override {
        RaceFrame::SetUp();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        char error[SCRIPT_ERROR_SIZE];
        // 18,022 reads as 500 with the race's dead zone of 1,000.
        ASSERT_TRUE(PlatScriptParse("0 joy attach force\n1 joy axis x 18022\n", error, sizeof error)) << error;
        PlatScriptFrame(0);
        JoystickDeadzone = 1000;
        JoystickActive = JoystickInit(1, 1);
        ASSERT_TRUE(JoystickActive);
        PlatScriptFrame(1);
        SettingsInts[0] = 1;
        for (int a = 0; a < 11; a++)
            ControlBindings[1][a] = {JOY_BUTTON1 << a, 1, 6 + a};
        ControlBindings[1][LEFT] = {JOY_LEFT, 1, 3};
        ControlBindings[1][RIGHT] = {JOY_RIGHT, 1, 2};
        JoystickSteerScale[0] = 0.606896f;
    }
    void TearDown() override {
        JoystickRelease();
        JoystickActive = 0;
        SettingsInts[0] = 0;
        PlatScriptClear();
        PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_NONE);
        PlatShutdown();
        RaceFrame::TearDown();
    }
};

TEST_F(RaceFrameJoystick, TheStickSteersInProportionBeforeTheTick) {
    SteeringAngle[0] = 0.0f;
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], INPUT_RIGHT);
    EXPECT_NEAR(SteeringAngle[0], 0.3034f, 0.0001f);
    // A jerk of more than 800 steers nothing that frame.
    char error[SCRIPT_ERROR_SIZE];
    ASSERT_TRUE(PlatScriptParse("0 joy axis x -32767\n", error, sizeof error));
    PlatScriptFrame(0);
    UpdateRaceFrame();
    EXPECT_EQ(CarInputBits[0], INPUT_LEFT);
    EXPECT_NEAR(SteeringAngle[0], 0.3034f, 0.0001f);
}

TEST_F(RaceFrameJoystick, RoughGroundAtSpeedShakesAForceFeedbackJoystick) {
    // Grass (zone type 4) under car 0.
    ZoneTable.records[0] = {};
    SetZone(0, 4, Box(0, 0, 200000, 200000));
    ListEverywhere(ZoneGrid, {0});
    ScanZoneTypes();
    SimPosX[0] = SimPosZ[0] = 50000.0f;
    ForceFeedbackLevel = 1;
    ASSERT_TRUE(ForceFeedbackPresent);
    const int explode = JoystickEffectExplode();
    ASSERT_GE(explode, 0);
    const int before = PlatHeadlessEffectStarts(explode);
    CarSpeed[0] = 30.0f;
    SlowTicksPending = 1;
    UpdateRaceFrame();
    EXPECT_EQ(PlatHeadlessEffectStarts(explode), before) << "not above 30";
    CarSpeed[0] = 31.0f;
    UpdateRaceFrame();
    EXPECT_EQ(PlatHeadlessEffectStarts(explode), before + 1);
    SettingsInts[0] = 0;   // the player drives on the keyboard
    UpdateRaceFrame();
    EXPECT_EQ(PlatHeadlessEffectStarts(explode), before + 1);
    ListEverywhere(ZoneGrid, {});
}

}  // namespace

namespace {

// Until the fly-by and the HUD exist: the first race frame ends the
// presentation wait as Space does, and the countdown climbs by itself.
TEST_F(RaceFrame, TheFlyByOutlivesRaceFramesWhileTheParticlesAreReleased) {
    RacePhase = 2;
    PresentationRun = 1;
    PresentationCamera = 1;
    StartStage = 4;
    CarCount = 1;
    ParticleHold = 1;
    UpdateRaceFrame();
    EXPECT_EQ(RacePhase, 2);
    EXPECT_EQ(PresentationRun, 1);
    EXPECT_EQ(PresentationCamera, 1);
    EXPECT_EQ(StartStage, 4) << "no restart from the grid";
    EXPECT_EQ(ParticleHold, 0) << "the race frame releases the spawners";
    RacePhase = 0;
    PresentationRun = 0;
    PresentationCamera = 0;
}

TEST_F(RaceFrame, TheCountdownClimbsAStageEvery61FrameTicks) {
    StartStage = -1;
    CountdownTimer = 0;
    FrameTicks = 1;
    int frames = 0;
    while (StartStage < 4 && frames < 1000) {
        DrawRaceHudPanel(nullptr);
        frames++;
        if (frames == 61) {
            EXPECT_EQ(StartStage, 0);
        }
    }
    EXPECT_EQ(frames, 5 * 61);
    RacePaused = 1;
    StartStage = 2;
    DrawRaceHudPanel(nullptr);
    for (int k = 0; k < 100; k++)
        DrawRaceHudPanel(nullptr);
    EXPECT_EQ(StartStage, 2) << "held while paused";
}

}  // namespace
