// Space on the presentation screen restarts the race from the grid with
// the timer stopped, and does nothing once the race runs.

#include <gtest/gtest.h>

#include "frame/frame_state.h"
#include "frame/tick.h"
#include "frame/window_proc.h"
#include "platform/plat_clock.h"
#include "platform/plat_keys.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"
#include "race/race_frame.h"
#include "race/race_state.h"

namespace {

struct SpaceKey : ::testing::Test {
    void SetUp() override {
        PlatClockSetManual(1);
        AppActive = 1;
        FrontEndActive = 0;
        SceneReady = 1;
        StartStage = 3;
        CarCount = 1;
        RaceClock.minutes = 0;
        RaceClock.seconds = 0;
        RaceClock.ticks = 0;
        // As the race start leaves them: the presentation screen waits.
        RacePhase = 2;
        PresentationRun = 1;
        PresentationCamera = 1;
    }
    void TearDown() override {
        StopTickTimer();
        PlatClockSetManual(0);
        RacePhase = 0;
        PresentationRun = 0;
        PresentationCamera = 0;
        FrontEndActive = 1;
    }
};

TEST_F(SpaceKey, EndsThePresentationAndRestartsTheRace) {
    StartTickTimer(16, 0);
    PresentationRun = 0;   // the clocks run behind the presentation screen
    PlatClockAdvance(16 * 90);
    ASSERT_GT(RaceClock.seconds + RaceClock.ticks, 0);
    PresentationRun = 1;

    MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(RacePhase, 0);
    EXPECT_EQ(PresentationRun, 0);
    EXPECT_EQ(PresentationCamera, 0);
    EXPECT_EQ(RaceClock.seconds, 0) << "the race went back to the grid";
    EXPECT_EQ(RaceClock.ticks, 0);
    EXPECT_EQ(PlatTimerRunning(), 1);
    EXPECT_EQ(PlatTimerPeriod(), 16);

    // The restarted race counts down again; once it is over the clocks run,
    // and during the running race Space does nothing.
    EXPECT_EQ(StartStage, -1);
    StartStage = 3;
    PlatClockAdvance(16 * 30);
    const int ticks = RaceClock.ticks;
    ASSERT_GT(ticks, 0);
    MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(RaceClock.ticks, ticks);
}

// Race frames alone never end the fly-by; Space does, however many frames
// it has flown.
TEST_F(SpaceKey, RaceFramesKeepTheFlyByUntilSpace) {
    LastFrameTicks = 1;
    for (int frame = 0; frame < 5; frame++)
        UpdateRaceFrame();
    EXPECT_EQ(PresentationCamera, 1);
    EXPECT_EQ(PresentationRun, 1);
    EXPECT_EQ(RacePhase, 2) << "the presentation screen still waits";

    MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(RacePhase, 0);
    EXPECT_EQ(PresentationCamera, 0);
    EXPECT_EQ(StartStage, -1) << "the race starts from the grid with its countdown";
}

}  // namespace
