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
#include "race/race_state.h"

namespace {

TEST(SpaceKey, EndsThePresentationAndRestartsTheRace) {
    PlatClockSetManual(1);
    AppActive = 1;
    FrontEndActive = 0;
    SceneReady = 1;
    StartStage = 3;
    StartTickTimer(16, 0);
    PlatClockAdvance(16 * 90);
    ASSERT_GT(RaceClock.seconds + RaceClock.ticks, 0);
    RacePhase = 2;
    PresentationRun = 1;
    PresentationCamera = 1;

    MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(RacePhase, 0);
    EXPECT_EQ(PresentationRun, 0);
    EXPECT_EQ(PresentationCamera, 0);
    EXPECT_EQ(RaceClock.seconds, 0) << "the race went back to the grid";
    EXPECT_EQ(RaceClock.ticks, 0);
    EXPECT_EQ(PlatTimerRunning(), 1);
    EXPECT_EQ(PlatTimerPeriod(), 16);

    // During the running race Space does nothing.
    PlatClockAdvance(16 * 30);
    const int ticks = RaceClock.ticks;
    MainWindowProc(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(RaceClock.ticks, ticks);
    StopTickTimer();
}

}  // namespace
