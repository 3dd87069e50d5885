// The periodic timer: its deadlines on the real clock, a stop that waits for
// a running tick, no burst after a stall, and the manual timer.  The
// threaded cases assert only what holds however busy the machine is: ticks
// may come late, never early.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/plat_clock.h"
#include "platform/plat_timer.h"

namespace {

using Clock = std::chrono::steady_clock;
const auto Period = std::chrono::milliseconds(16);

// The start time of each tick of the threaded timer, read once it has been
// stopped (the join orders the writes before the reads).
enum { MAX_STAMPS = 64 };
Clock::time_point tickStarts[MAX_STAMPS];
std::atomic<int> ticks;
void StampTick() {
    const int n = ticks;
    if (n < MAX_STAMPS)
        tickStarts[n] = Clock::now();
    ticks++;
}
void CountTick() { ticks++; }

// Waits for `count` ticks; the bound only ends a timer that stopped ticking.
bool WaitForTicks(int count) {
    const auto giveUp = Clock::now() + std::chrono::seconds(60);
    while (ticks < count && Clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return ticks >= count;
}

// Ticks run at absolute deadlines a period apart, so tick k never starts
// before k periods have passed since the start, however late the others
// ran.  A busy machine only makes them later.
TEST(Timer, TickKStartsNoSoonerThanKPeriodsAfterTheStart) {
    PlatClockSetManual(0);
    ticks = 0;
    const Clock::time_point started = Clock::now();
    ASSERT_EQ(PlatTimerStart(16, StampTick), 1);
    EXPECT_TRUE(WaitForTicks(30));
    PlatTimerStop();
    const int ran = ticks;
    ASSERT_GE(ran, 30);
    for (int k = 1; k <= ran && k <= MAX_STAMPS; k++)
        ASSERT_GE(tickStarts[k - 1] - started, k * Period) << "tick " << k;
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
    // A tick started after the stop would show within this window.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(tickEnded, ended) << "no tick may start after the stop";
    EXPECT_EQ(PlatTimerRunning(), 0);
}

// The first tick stalls for 200 ms, long past the deadlines of the next
// twelve.  The ticks after it come a period apart from its end: a timer
// that caught up would run them back to back.
Clock::time_point stallEnded;
void StallingTick() {
    if (ticks == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stallEnded = Clock::now();
    }
    StampTick();
}

TEST(Timer, AStallIsNotCaughtUpWithABurst) {
    PlatClockSetManual(0);
    ticks = 0;
    ASSERT_EQ(PlatTimerStart(16, StallingTick), 1);
    EXPECT_TRUE(WaitForTicks(4));
    PlatTimerStop();
    ASSERT_GE(ticks, 4);
    for (int k = 1; k < 4; k++)
        EXPECT_GE(tickStarts[k] - stallEnded, k * Period) << "tick " << k << " after the stall";
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
