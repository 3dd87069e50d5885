// Platform layer: the controls of the headless backend, for tests and for
// `quorvix --headless`.
//
// Headless runs have no window: the message queue is fed from a scripted,
// time-stamped event list on the manual clock; message boxes are recorded.
// In lockstep mode (the default) every idle frame first moves the manual
// clock by the given number of timer periods, so those ticks run on the main
// thread before the frame: races are reproducible.  With lockstep 0 the real
// clock and the timer thread run, as on the real backend.
#pragma once

#include <cstdint>

// Queues a message for delivery once the clock reaches timeMs.
void PlatHeadlessQueueEvent(uint32_t timeMs, int message, uintptr_t wParam, intptr_t lParam);
void PlatHeadlessClearEvents();
// 1 while queued messages wait for their time.
int PlatHeadlessEventsWaiting();

// Ticks run before each frame; 0 switches to the real clock and timer thread.
// Must be chosen before PlatInit.
void PlatHeadlessSetLockstep(int ticksPerFrame);
int PlatHeadlessLockstep();

// The message boxes shown so far.
int PlatHeadlessMessageBoxCount();
const char* PlatHeadlessMessageBoxCaption(int index);
const char* PlatHeadlessMessageBoxText(int index);
void PlatHeadlessClearMessageBoxes();
// The alert beeps sounded since the backend started (PlatMessageBeep).
int PlatHeadlessBeepCount();

// The headless window's minimised state (a second instance restores it).
void PlatHeadlessSetMinimised(int minimised);

// The headless window as the display left it: 1 full screen over the
// desktop, 0 in a window (PlatWindowGetRect says where); how often the
// display switched it between the two; and whether the system cursor shows
// over it.
int PlatHeadlessWindowIsFullScreen();
int PlatHeadlessWindowModeChanges();
int PlatHeadlessCursorShown();
