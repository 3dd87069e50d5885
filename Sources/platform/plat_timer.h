// Platform layer: the periodic simulation timer (the multimedia timer).
//
// One timer exists.  On the real clock it is a thread that calls the callback
// at absolute deadlines, period after period; after a stall it does not burst
// to catch up, the next deadline is one period after the late tick.  On the
// manual clock no thread exists: the ticks that fall due run on the thread
// that advances the clock.
#pragma once

#include <cstdint>

typedef void (*PlatTimerCallback)(void);

// Starts (or restarts) the timer; 1 on success.
int PlatTimerStart(int periodMs, PlatTimerCallback callback);

// Stops the timer.  When it returns no tick is running and none will start:
// the thread has been joined.  Safe to call when the timer is stopped.
void PlatTimerStop();

int PlatTimerRunning();
int PlatTimerPeriod();

// Number of ticks the timer has called since the program started.
uint32_t PlatTimerTickCount();
