#include "common/fresh_state.h"

#include <gtest/gtest.h>

#include <cstring>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/input.h"
#include "frame/joystick.h"
#include "frame/startup.h"
#include "frame/utils.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "net/net_state.h"
#include "platform/plat_clock.h"
#include "platform/plat_headless.h"
#include "platform/plat_process.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/editors.h"
#include "track/track_state.h"

static void ResetClock(ClockMST& clock) {
    clock.minutes = 0;
    clock.seconds = 0;
    clock.ticks = 0;
}

void FreshMachine() {
    if (PlatWindowExists())
        PlatDestroyWindow();
    PlatTimerStop();
    ReleaseFramework();
    FreeDriverList();
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
    KeyboardRelease();
    MouseRelease();
    JoystickRelease();
    FreeWorkBuffers();
    VfsClose();
    PlatInstanceRelease();
    PlatShutdown();
    PlatClockSetManual(0);
    PlatHeadlessClearEvents();
    PlatHeadlessClearMessageBoxes();
    PlatHeadlessSetLockstep(1);
    PlatHeadlessSetMinimised(0);
}

static void FreshFrame() {
    CommandLine = {};
    FramesRun = 0;
    MainWindow = 0;
    AppActive = 0;
    AppReady = 0;
    ExitRequested = 0;
    MousePolling = 1;
    TypedCharCount = 0;
    TypedChar = 0;
    ShiftHeld = 0;
    HudVisible = 1;
    MapVisible = 1;
    NameTagsVisible = 0;
    Wireframe = 1;
    ScreenshotRequest = 0;
    ScreenshotCounter = 0;
    GameLogicRunning = 1;
    SingleStepRequest = 0;
    FrontEndActive = 0;
    SceneReady = 0;
    StartRaceRequest = 0;
    RenderKind = 1;
    TuningPanelOn = ZoneEditorOn = LightEditorOn = CollisionEditorOn = 0;
    CpuLineEditorOn = TextLabelsOn = EditorMenuOn = 0;
    EditorOpen = 0;
    EditorActive = 0;
    FrameRateRestart = 1;
    WantedWidth = 640;
    WantedHeight = 480;
    WantedDepth = 16;
    CurrentModeWidth = CurrentModeHeight = CurrentModeDepth = 0;
    ForceDisplayRecreate = 0;
    HardwareFailure = 0;
    WindowedMode = 0;
    WindowRect = {};
    DeveloperSwitch = 0;
    CurrentViewport = 0;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    SurfaceWidth = 640;
    SurfaceHeight = 480;
    ScreenCentreX = 320.0f;
    ScreenCentreY = 240.0f;
    TimerTicks = 0;
    PrevFrameTickCount = 0;
    LastFrameTicks = 0;
    AnimTicks = 0;
    TickPhase = 0;
    SlowTicksPending = 0;
    TickParity = 0;
    NetSendPhase = 0;
    for (std::atomic<int>& fast : CarFastFlags)
        fast = 0;
    MenuCameraYaw = 0.0f;
}

static void FreshRace() {
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    TrackArtSet = 0;   // the track folders read it: an earlier race leaves its own
    CarCount = 1;
    LapsToRun = 3;
    SplitScreen = 0;
    RacePhase = 0;
    RacePaused = 0;
    RaceOver = 0;
    FinishSequence = 0;
    BackToMenusRequest = 0;
    PresentationRun = 0;
    PresentationCamera = 0;
    ReplayPlayback = 0;
    ReplayRecording = 0;
    ReplayPlaying = 0;
    RecordsChanged = 0;
    StartStage = 0;
    PauseMenuOpen = 0;
    FrameTicks = 0;
    ResetClock(RaceClock);
    for (ClockMST& clock : CarRaceClock)
        ResetClock(clock);
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 0;
    for (int car = 0; car < MAX_CARS; car++) {
        LapsDone[car] = 0;
        CarInputBits[car] = 0;
        CarSpeed[car] = 0.0f;
        DriveDirection[car] = 1;
    }
    ControlHandbrake = 0;
    MenuScreenShown = 0;
    StartMenuMachine();
    ReplayPromptOpen = 0;
    ScreenshotsEnabled = 0;
    WireframeKeyArmed = 0;
    TextEditActive = 0;
    TextEditHasText = 0;
    MouseKeptOff = 0;
    NetSessionOpen = 0;
    NetIsHost = 0;
    NetLatency = 1;
    NetWaitingForPlayer = 0;
    NetStartSignal = 0;
    NetworkGame = 0;
}

void FreshFrameAndRace() {
    FreshFrame();
    FreshRace();
}

void FreshObjectPools() {
    VertexTotal = 0;
    TriangleTotal = 0;
    NormalsTotal = 0;
    memset(ObjectNameTable, 0, sizeof ObjectNameTable);
    memset(ObjectEntries, 0, sizeof ObjectEntries);
    FirstObjectPending = 1;
    CurrentObjectSlot = 0;
    ObjectPaintShift = -1;
}

namespace {

class FreshStateListener : public ::testing::EmptyTestEventListener {
public:
    explicit FreshStateListener(void (*reset)()) : reset_(reset) {}
    void OnTestStart(const ::testing::TestInfo&) override { reset_(); }

private:
    void (*reset_)();
};

}  // namespace

bool ResetBeforeEveryTest(void (*reset)()) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStateListener(reset));
    return true;
}
