#include "platform/plat_timer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/plat_clock.h"
#include "platform/plat_internal.h"

static std::atomic<int> timerRunning;
static std::atomic<int> timerPeriod;
static std::atomic<uint32_t> tickCount;
static PlatTimerCallback timerCallback;

// Threaded timer.
static std::thread timerThread;
static std::mutex timerMutex;
static std::condition_variable timerWake;
static bool timerStopping;

// Manual timer.
static uint32_t manualNextDue;
static int manualMode;

static void TimerThreadMain(int periodMs, PlatTimerCallback callback) {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto deadline = Clock::now() + period;
    std::unique_lock<std::mutex> lock(timerMutex);
    for (;;) {
        if (timerWake.wait_until(lock, deadline, [] { return timerStopping; }))
            break;
        lock.unlock();
        callback();
        tickCount++;
        lock.lock();
        deadline += period;
        // After a stall the next tick comes one period after this one: no
        // burst of ticks to catch up.
        const auto now = Clock::now();
        if (deadline <= now)
            deadline = now + period;
    }
}

int PlatTimerStart(int periodMs, PlatTimerCallback callback) {
    PlatTimerStop();
    if (periodMs <= 0 || !callback)
        return 0;
    timerCallback = callback;
    timerPeriod = periodMs;
    if (PlatClockIsManual()) {
        manualMode = 1;
        manualNextDue = PlatTimeMs() + (uint32_t)periodMs;
        timerRunning = 1;
        return 1;
    }
    manualMode = 0;
    {
        std::lock_guard<std::mutex> lock(timerMutex);
        timerStopping = false;
    }
    timerThread = std::thread(TimerThreadMain, periodMs, callback);
    timerRunning = 1;
    return 1;
}

void PlatTimerStop() {
    if (!timerRunning)
        return;
    timerRunning = 0;
    if (manualMode)
        return;
    {
        std::lock_guard<std::mutex> lock(timerMutex);
        timerStopping = true;
    }
    timerWake.notify_all();
    if (timerThread.joinable()) {
        if (timerThread.get_id() == std::this_thread::get_id())
            timerThread.detach();   // stopped from inside a tick: it ends after it
        else
            timerThread.join();
    }
}

int PlatTimerRunning() { return timerRunning; }
int PlatTimerPeriod() { return timerPeriod; }
uint32_t PlatTimerTickCount() { return tickCount; }

int TimerManualNextDue(uint32_t* due) {
    if (!timerRunning || !manualMode)
        return 0;
    *due = manualNextDue;
    return 1;
}

void TimerManualFire() {
    manualNextDue += (uint32_t)timerPeriod.load();
    tickCount++;
    timerCallback();
}
