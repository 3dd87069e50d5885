// The periodic timer: its rate on the real clock, a stop that waits for a
// running tick, no burst after a stall, and the manual timer.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/plat_clock.h"
#include "platform/plat_timer.h"

namespace {

std::atomic<int> ticks;
void CountTick() { ticks++; }

TEST(Timer, SixteenMillisecondsGiveAboutSixtyTwoTicksASecond) {
    PlatClockSetManual(0);
    ticks = 0;
    ASSERT_EQ(PlatTimerStart(16, CountTick), 1);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    PlatTimerStop();
    const double perSecond = ticks / 2.0;
    EXPECT_GE(perSecond, 59.0);
    EXPECT_LE(perSecond, 65.0);
}

std::atomic<int> inTick;
std::atomic<int> tickEnded;
void SlowTick() {
    inTick = 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    tickEnded++;
    inTick = 0;
}

TEST(Timer, StopReturnsOnlyAfterTheRunningTickHasEnded) {
    PlatClockSetManual(0);
    tickEnded = 0;
    ASSERT_EQ(PlatTimerStart(16, SlowTick), 1);
    while (!inTick)
        std::this_thread::yield();
    PlatTimerStop();
    EXPECT_EQ(inTick, 0);
    const int ended = tickEnded;
    EXPECT_GE(ended, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(tickEnded, ended) << "no tick may start after the stop";
    EXPECT_EQ(PlatTimerRunning(), 0);
}

std::atomic<int> stallOnce;
void StallingTick() {
    ticks++;
    if (stallOnce.exchange(0))
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

TEST(Timer, AStallIsNotCaughtUpWithABurst) {
    PlatClockSetManual(0);
    ticks = 0;
    stallOnce = 1;
    ASSERT_EQ(PlatTimerStart(16, StallingTick), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(240));
    PlatTimerStop();
    // A catch-up timer would have run about 15 ticks; this one ran the
    // stalled tick and the few that follow it.
    EXPECT_LE(ticks, 5);
    EXPECT_GE(ticks, 1);
}

TEST(Timer, ManualTimerRunsDueTicksOnTheCallersThread) {
    PlatClockSetManual(1);
    ticks = 0;
    ASSERT_EQ(PlatTimerStart(17, CountTick), 1);
    PlatClockAdvance(16);
    EXPECT_EQ(ticks, 0);
    PlatClockAdvance(1);
    EXPECT_EQ(ticks, 1);
    PlatClockAdvance(17 * 10);
    EXPECT_EQ(ticks, 11);
    PlatTimerStop();
    PlatClockAdvance(100);
    EXPECT_EQ(ticks, 11);
    EXPECT_EQ(PlatTimerPeriod(), 17);
}

TEST(Timer, RestartChangesThePeriod) {
    PlatClockSetManual(1);
    ticks = 0;
    PlatTimerStart(17, CountTick);
    PlatTimerStart(16, CountTick);
    EXPECT_EQ(PlatTimerPeriod(), 16);
    PlatClockAdvance(32);
    EXPECT_EQ(ticks, 2);
    PlatTimerStop();
}

}  // namespace
