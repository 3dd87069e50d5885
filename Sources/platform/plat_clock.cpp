#include "platform/plat_clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/plat_internal.h"
#include "platform/plat_mixer_internal.h"

static std::atomic<int> manualClock;
static std::atomic<uint32_t> manualNow;
static std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();

void ClockReset() {
    realStart = std::chrono::steady_clock::now();
    manualNow = 0;
}

void ClockSetManualNow(uint32_t ms) { manualNow = ms; }

uint32_t PlatTimeMs() {
    if (manualClock)
        return manualNow;
    auto elapsed = std::chrono::steady_clock::now() - realStart;
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void PlatClockSetManual(int on) { manualClock = on != 0; }
int PlatClockIsManual() { return manualClock; }

// Moves the manual clock, stopping at every timer deadline on the way so the
// ticks see the time they are due at.  The manual mixer renders the time as
// it passes, up to each tick, so a sound that ends before a tick is done when
// the tick looks.
void PlatClockAdvance(uint32_t ms) {
    if (!manualClock)
        return;
    const uint32_t target = manualNow + ms;
    uint32_t due = 0;
    while (TimerManualNextDue(&due) && (int32_t)(target - due) >= 0) {
        if ((int32_t)(due - manualNow) > 0) {
            MixerClockAdvance(due - manualNow);
            manualNow = due;
        }
        TimerManualFire();
    }
    if ((int32_t)(target - manualNow) > 0)
        MixerClockAdvance(target - manualNow);
    manualNow = target;
}

void PlatClockSpin() {
    if (manualClock) {
        PlatClockAdvance(1);
        return;
    }
    std::this_thread::yield();
}
