// The frame driver on a headless framework: which race frames are
// presented, the frozen picture and single steps, the screen metrics'
// focal scale, the timed wait's snapshot and distance sort, and the order
// of start-up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/frame_update.h"
#include "frame/framework.h"
#include "frame/handover_trace.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "platform/plat_headless.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/race_state.h"
#include "render/render_state.h"

namespace {

// A race on the Direct3D path with nothing loaded: FrameUpdate runs the
// race update, the overlays and the present, and nothing else.
struct FrameDriverTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        DisplayConfig = {640, 480, 16, 0, 0, 1};
        RenderKind = 1;
        ASSERT_EQ(OpenFramework(), 1);
        AppActive = 1;
        AppReady = 1;
        FrontEndActive = 0;
        SceneReady = 1;
        CarCount = 1;
        GameLogicRunning = 1;
        SingleStepRequest = 0;
        RacePaused = 0;
        PauseMenuOpen = 0;
        FirstMenuFrame = 0;   // the menus' start-up set-up is not what these tests run
        HandoverTraceStart();
    }
    void TearDown() override {
        HandoverTraceStop();
        ReleaseFramework();
        FreeDriverList();
        PlatShutdown();
        GameLogicRunning = 1;
        RacePaused = 0;
        FrontEndActive = 1;
    }

    // Runs one frame whose race update finds `ticks` elapsed ticks; 1 when
    // the frame was presented.
    static int Frame(int ticks) {
        LastFrameTicks = ticks;
        const int before = HandoverTraceCount();
        EXPECT_EQ(FrameUpdate(), 0);
        int presented = 0;
        for (int i = before; i < HandoverTraceCount(); i++)
            presented += std::string(HandoverTraceStep(i)) == "frame presented";
        return presented;
    }
};

TEST_F(FrameDriverTest, ARaceFrameWithoutATickIsDrawnButNotPresented) {
    EXPECT_EQ(Frame(0), 0);
    EXPECT_EQ(FrameTicks, 0);
    EXPECT_EQ(Frame(1), 1);
    EXPECT_EQ(Frame(3), 1);
    // Paused, or with the pause menu open, the picture is shown all the same.
    RacePaused = 1;
    EXPECT_EQ(Frame(0), 1);
    RacePaused = 0;
    PauseMenuOpen = 1;
    EXPECT_EQ(Frame(0), 1);
    PauseMenuOpen = 0;
    // The menus present every frame.
    FrontEndActive = 1;
    EXPECT_EQ(Frame(0), 1);
}

// With the game logic stopped the race picture stands still; each single
// step (command 40014) runs the race update of exactly one frame.
TEST_F(FrameDriverTest, StoppedLogicFreezesThePictureAndStepsOneFrameAtATime) {
    MainWindowProc(WM_COMMAND, CMD_TOGGLE_GAME_LOGIC, 0);
    ASSERT_EQ(GameLogicRunning, 0);
    SimPosX[0] = 100.0f;
    cocheX[0] = 0.0f;
    Frame(1);
    Frame(1);
    EXPECT_EQ(cocheX[0], 0.0f) << "no snapshot while the logic stands still";

    MainWindowProc(WM_COMMAND, CMD_SINGLE_STEP, 0);
    Frame(1);
    EXPECT_EQ(cocheX[0], 100.0f);
    EXPECT_EQ(SingleStepRequest, 0);
    SimPosX[0] = 200.0f;
    Frame(1);
    EXPECT_EQ(cocheX[0], 100.0f) << "one step is one frame";
    MainWindowProc(WM_COMMAND, CMD_SINGLE_STEP, 0);
    Frame(1);
    EXPECT_EQ(cocheX[0], 200.0f);

    MainWindowProc(WM_COMMAND, CMD_TOGGLE_GAME_LOGIC, 0);
    SimPosX[0] = 300.0f;
    Frame(1);
    EXPECT_EQ(cocheX[0], 300.0f);
}

// The focal scale follows the surface unless a replay's cameras set their
// own: while a replay is shown, or while the replay camera feeds the view
// in playback, and in neither case while an editor is open.
TEST_F(FrameDriverTest, TheReplayCamerasZoomKeepsItsFocalScale) {
    PresentationCamera = 0;
    ReplayPlaying = 0;
    ReplayPlayback = 1;
    EditorOpen = 0;
    ViewFocalScale = 500.0f;
    UpdateScreenMetrics();
    EXPECT_EQ(ViewFocalScale, 500.0f);
    EditorOpen = 1;
    UpdateScreenMetrics();
    EXPECT_FLOAT_EQ(ViewFocalScale, 640.0f * 0.35f);
    EXPECT_EQ(ViewFocalScaleCopy, ViewFocalScale);
    EditorOpen = 0;
    ReplayPlayback = 0;
    ReplayPlaying = 1;
    ViewFocalScale = 500.0f;
    UpdateScreenMetrics();
    EXPECT_EQ(ViewFocalScale, 500.0f);
    ReplayPlaying = 0;
    UpdateScreenMetrics();
    EXPECT_FLOAT_EQ(ViewFocalScale, 224.0f);
}

// The timed wait ends with a snapshot of the cars and the distance sort.
TEST_F(FrameDriverTest, TheTimedWaitSnapshotsAndSortsTheCarsByDistance) {
    CarCount = 4;
    SplitScreen = 0;
    const float x[4] = {300.0f, 100.0f, 200.0f, 100.0f};
    for (int c = 0; c < 4; c++) {
        SimPosX[c] = x[c];
        SimPosZ[c] = 0.0f;
    }
    ChaseEyeX[0] = 0.0f;   // the eye at the origin (stored negated)
    ChaseEyeZ[0] = 0.0f;
    WaitSeconds(0.0f);
    EXPECT_EQ(cocheX[0], 300.0f);
    EXPECT_EQ(CarsByDistance[0].car, 3) << "of equal distances the higher car comes first";
    EXPECT_EQ(CarsByDistance[1].car, 1);
    EXPECT_EQ(CarsByDistance[2].car, 2);
    EXPECT_EQ(CarsByDistance[3].car, 0);
    EXPECT_NEAR(CarsByDistance[3].distance, 300, 1) << "the table square root, truncated";
    EXPECT_NEAR(CameraDistance[2], 200.0f, 1.0f);

    // In split screen the nearer of the two cameras counts.
    SplitScreen = 1;
    ChaseEyeX[1] = -300.0f;   // the second eye on car 0
    ChaseEyeZ[1] = 0.0f;
    WaitSeconds(0.0f);
    EXPECT_EQ(CarsByDistance[0].car, 0);
    EXPECT_EQ(CarsByDistance[0].distance, 0);
    SplitScreen = 0;
    ChaseEyeX[1] = 0.0f;
    CarCount = 1;
}

std::vector<std::string> TraceSteps() {
    std::vector<std::string> steps;
    for (int i = 0; i < HandoverTraceCount(); i++)
        steps.push_back(HandoverTraceStep(i));
    return steps;
}

// Start-up initialises the subsystems in their fixed order, and the timer
// starts only after the menus exist.
TEST(StartupOrder, SubsystemsStartInTheirOrder) {
    MakeTestGameFolder("game");
    HandoverTraceStart();
    ASSERT_EQ(RunHeadlessGame(2, 0), 0);
    HandoverTraceStop();
    const std::vector<std::string> steps = TraceSteps();
    const char* const order[] = {
        "ActivateRunningInstance()", "ReadDisplayConfig()", "VfsScanArchives()", "LoadMessageFile()",
        "FindCdDrive()", "CheckDirectX()", "CheckFreeDiskSpace()",
        "PlatCreateWindow(\"Quorvix\", MainWindowProc)", "OpenFramework()", "UpdateScreenMetrics()",
        "ShowLoadingScreen()", "ReadCpuFeatures()", "BuildReciprocalTable()", "BuildLightClampTable()",
        "MouseInit(MainWindow)", "InitSoundMixer()", "AllocWorkBuffers()", "SetStartDefaults()",
        "LoadHudSurfaces()", "LoadMenuGfxSet()", "PreloadMenuGfx()", "LoadMenuRawGraphics()", "BuildSqrtTable()",
        "StartRace()", "SetupLightDirection()", "GetRenderTarget()", "LoadSettings(0)", "ApplyVisualSettings()",
        "ReadPixelFormat(renderTarget)", "InitMenus()", "StartTickTimer(17, MainWindow)", "LoadCameraTable()",
        "SaveWorkSurfaceCopy()", "frame presented"};
    int last = -1;
    for (const char* step : order) {
        int at = -1;
        for (int i = last + 1; i < (int)steps.size() && at < 0; i++) {
            if (steps[i] == step)
                at = i;
        }
        ASSERT_GT(at, last) << step << " is missing or out of order";
        last = at;
    }
}

}  // namespace
