// The simulation tick on the manual timer: race clocks, the count-down of
// timed events, what still runs while paused, nothing while inactive.

#include <gtest/gtest.h>

#include <vector>

#include "frame/frame_state.h"
#include "frame/tick.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "platform/plat_clock.h"
#include "platform/plat_timer.h"
#include "race/race_state.h"

namespace {

class TickTest : public ::testing::Test {
protected:
    void SetUp() override {
        PlatClockSetManual(1);
        AppActive = 1;
        FrontEndActive = 0;
        SceneReady = 1;
        StartStage = 3;
        RacePaused = 0;
        RaceOver = 0;
        EventFailed = 0;
        PresentationRun = 0;
        RecordsChanged = 0;
        ExitRequested = 0;
        CarCount = 2;
        TrackGroup = 1;
        TrackVariant = 0;
        TrackCode = 10;
        LapsToRun = 3;
        StartTickTimer(16, 0);
    }
    void TearDown() override {
        StopTickTimer();
        EventFailed = 0;
    }

    // Runs exactly n ticks of the 16 ms timer.
    void Ticks(int n) { PlatClockAdvance((uint32_t)(16 * n)); }
};

TEST_F(TickTest, SixtyTicksMakeOneSecondOnEveryRaceClock) {
    Ticks(59);
    EXPECT_EQ(RaceClock.seconds, 0);
    EXPECT_EQ(RaceClock.ticks, 59);
    Ticks(1);
    EXPECT_EQ(RaceClock.seconds, 1);
    EXPECT_EQ(RaceClock.ticks, 0);
    EXPECT_EQ(CarRaceClock[0].seconds, 1);
    EXPECT_EQ(CarRaceClock[1].seconds, 1);
    EXPECT_EQ(CarRaceClock[2].seconds, 0) << "only the cars of the race keep time";

    Ticks(60 * 59);
    EXPECT_EQ(RaceClock.minutes, 1);
    EXPECT_EQ(RaceClock.seconds, 0);
    EXPECT_EQ(TimerTicks, 60 * 60);
}

TEST_F(TickTest, TimeLeftCountsDownAndEndsArenaEvents) {
    TrackGroup = 5;
    TrackVariant = 1;
    TrackCode = 51;
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 1;
    Ticks(60);
    EXPECT_EQ(TimeLeft.seconds, 0);
    EXPECT_EQ(RaceOver, 0);
    EXPECT_EQ(EventFailed, 0) << "0:00 reached, not yet run out";
    Ticks(60);
    EXPECT_EQ(TimeLeft.minutes, 0);
    EXPECT_EQ(TimeLeft.seconds, 0);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(EventFailed, 1) << "the time ran out: the event failed";
    // The race clocks stop once the race is over.
    const int seconds = RaceClock.seconds;
    Ticks(120);
    EXPECT_EQ(RaceClock.seconds, seconds);
}

TEST_F(TickTest, TimeLeftEndsTheTimedCareerRaceButNotOrdinaryRaces) {
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 0;
    Ticks(60);
    EXPECT_EQ(RaceOver, 0) << "elsewhere the count-down stops at 0:00";
    EXPECT_EQ(EventFailed, 0);
    EXPECT_EQ(TimeLeft.seconds, 0);

    // The arena's sprint (variant 5) ends at its finish, never by the clock;
    // the timed career race 31 runs out.
    for (int code : {55, 31}) {
        TrackGroup = code / 10;
        TrackVariant = code % 10;
        TrackCode = code;
        Ticks(60);
        EXPECT_EQ(RaceOver, code == 31) << code;
        EXPECT_EQ(EventFailed, code == 31) << code;
    }
}

TEST_F(TickTest, MinutesOfTimeLeftRollOver) {
    TimeLeft.minutes = 2;
    TimeLeft.seconds = 0;
    Ticks(60);
    EXPECT_EQ(TimeLeft.minutes, 1);
    EXPECT_EQ(TimeLeft.seconds, 59);
}

TEST_F(TickTest, WhilePausedOnlyTheFreeCountersRun) {
    RacePaused = 1;
    const int anim = AnimTicks;
    Ticks(120);
    EXPECT_EQ(TimerTicks, 120);
    EXPECT_EQ(AnimTicks, anim + 120);
    EXPECT_EQ(TickPhase, 120 & 7);
    EXPECT_EQ(RaceClock.seconds, 0);
    EXPECT_EQ(RaceClock.ticks, 0);
    EXPECT_EQ(SlowTicksPending, 0);
    EXPECT_EQ(NetSendPhase, 0);
}

TEST_F(TickTest, NothingMovesWhileTheWindowIsInactive) {
    AppActive = 0;
    const int anim = AnimTicks;
    Ticks(100);
    EXPECT_EQ(TimerTicks, 0);
    EXPECT_EQ(AnimTicks, anim);
    EXPECT_EQ(TickPhase, 0);
    EXPECT_EQ(RaceClock.ticks, 0);
    AppActive = 1;
    Ticks(1);
    EXPECT_EQ(TimerTicks, 1);
}

TEST_F(TickTest, ClocksWaitForTheStartAndThePresentation) {
    StartStage = 2;
    Ticks(30);
    EXPECT_EQ(RaceClock.ticks, 0);
    StartStage = 3;
    PresentationRun = 1;
    Ticks(30);
    EXPECT_EQ(RaceClock.ticks, 0);
    PresentationRun = 0;
    Ticks(30);
    EXPECT_EQ(RaceClock.ticks, 30);
}

TEST_F(TickTest, EveryFourthTickIsASlowTick) {
    // The four-tick sub-counter carries on from earlier timers, so the
    // first slow tick may come at any of the first four.
    std::vector<int> slow;
    for (int tick = 0; tick < 17; tick++) {
        const int before = SlowTicksPending;
        Ticks(1);
        if (SlowTicksPending != before)
            slow.push_back(tick);
    }
    ASSERT_GE(slow.size(), 4u);
    EXPECT_LT(slow[0], 4);
    for (size_t i = 1; i < slow.size(); i++)
        EXPECT_EQ(slow[i] - slow[i - 1], 4);
}

TEST_F(TickTest, TheRacePartWaitsWhileARaceLoads) {
    SceneReady = 0;
    TickParity = 0;
    Ticks(3);
    EXPECT_EQ(TickParity, 0);
    SceneReady = 1;
    Ticks(3);
    EXPECT_EQ(TickParity, 1);
}

TEST_F(TickTest, FinishedCarsDriveThemselves) {
    CarCount = 1;
    LapsDone[0] = LapsToRun;
    CarSpeed[0] = 40.0f;
    DriveDirection[0] = 1;
    CarInputBits[0] = INPUT_ACCELERATE;
    Ticks(1);
    EXPECT_EQ(ControlAccelerate, 0);
    EXPECT_EQ(ControlBrake, 1);
    EXPECT_EQ(CarFastFlags[0], 1);

    CarSpeed[0] = 20.0f;
    Ticks(1);
    EXPECT_EQ(ControlBrake, 0) << "below speed 30 a finished car only coasts";
    EXPECT_EQ(CarFastFlags[0], 0);

    DriveDirection[0] = -1;
    Ticks(1);
    EXPECT_EQ(ControlAccelerate, 1) << "a finished car in reverse accelerates";
    EXPECT_EQ(ControlBrake, 0);
}

TEST_F(TickTest, ControlWordIsDecodedBitByBit) {
    CarCount = 1;
    LapsDone[0] = 0;
    CarInputBits[0] = INPUT_BRAKE | INPUT_LEFT | INPUT_HANDBRAKE;
    Ticks(1);
    EXPECT_EQ(ControlBrake, 1);
    EXPECT_EQ(ControlAccelerate, 0);
    EXPECT_EQ(ControlRight, 0);
    EXPECT_EQ(ControlLeft, 1);
    EXPECT_EQ(ControlTurbo, 0);
    EXPECT_EQ(ControlHandbrake, 1);
}

// With exactly one editor open every car is fed car 0's control word (the
// editor moves car 0 about); two open editors leave each car its own.
TEST_F(TickTest, OneOpenEditorMakesEveryCarFollowCarZero) {
    CarCount = 2;
    CarInputBits[0] = INPUT_ACCELERATE;
    CarInputBits[1] = INPUT_BRAKE | INPUT_LEFT;
    EditorOpen = 1;
    Ticks(1);
    EXPECT_EQ(ControlAccelerate, 1) << "car 1 was decoded from car 0's word";
    EXPECT_EQ(ControlBrake, 0);
    EXPECT_EQ(ControlLeft, 0);
    EditorOpen = 2;
    Ticks(1);
    EXPECT_EQ(ControlAccelerate, 0);
    EXPECT_EQ(ControlBrake, 1);
    EXPECT_EQ(ControlLeft, 1);
    EditorOpen = 0;
}

TEST_F(TickTest, TheShowroomCarTurnsInTheMenus) {
    FrontEndActive = 1;
    MenuCameraYaw = 0.0f;
    Ticks(10);
    EXPECT_NEAR(MenuCameraYaw, 0.11f, 1e-5f);
    EXPECT_FLOAT_EQ(SimHeading[0], MenuCameraYaw);
    EXPECT_EQ(RaceClock.ticks, 10) << "the menus keep the race clock running for their animations";
}

TEST_F(TickTest, HostSendPhaseWrapsAtTheLatency) {
    NetSessionOpen = 1;
    NetIsHost = 1;
    NetLatency = 3;
    Ticks(7);
    EXPECT_EQ(NetSendPhase, 7 % 3);
    NetSessionOpen = 0;
    NetIsHost = 0;
}

}  // namespace
