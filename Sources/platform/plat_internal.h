// Internals shared by the files of the platform layer (never included by
// game code).
#pragma once

#include <cstdint>

#include "platform/plat_window.h"

struct PlatRect;

// plat_timer.cpp: the manual timer's next deadline (1 when running) and
// running one of its ticks.
int TimerManualNextDue(uint32_t* due);
void TimerManualFire();

// plat_clock.cpp
void ClockReset();
void ClockSetManualNow(uint32_t ms);

// plat_window.cpp: the message queue shared by both backends.
void QueuePost(int message, uintptr_t wParam, intptr_t lParam);
// Empties the queue and forgets a posted quit: a platform started again
// holds no message of its last run.
void QueueReset();
int QueueHasMessages();
// Earliest due time of a running window timer; 0 when none runs.
int WindowTimerNextDue(uint32_t* due);

// The backend half of the window (plat_window_sdl.cpp, plat_window_headless.cpp).
int SdlVideoInit();
void SdlVideoShutdown();
int SdlCreateWindow(const char* title);
void SdlDestroyWindow();
void SdlPollEvents();
void SdlWaitEvents(int timeoutMs);
void SdlDesktopSize(int* width, int* height);
int SdlWindowIsMinimised();
int SdlWindowHasFocus();
void SdlShowCursor(int show);
int SdlMessageBox(const char* caption, const char* text, int flags);
void SdlRaiseWindow();
void SdlGetWindowRect(PlatRect* rect);
void SdlSetWindowRect(const PlatRect* rect);

void HeadlessReset();
void HeadlessPollEvents();
// Headless GetMessage: moves the manual clock to the next scripted event or
// window timer; 0 when the script has nothing more to give.
int HeadlessWaitEvents();
void HeadlessFrameIdle();
void HeadlessRecordMessageBox(const char* caption, const char* text);
void HeadlessRecordBeep();
int HeadlessWindowIsMinimised();
// Another instance asked to come forward: the window is restored and, when
// it was not the active one, activated.
void HeadlessRaiseWindow(int active);
// The headless window: full screen over the desktop, or in a window of its
// own rectangle (the desktop's until it is set); the cursor over it.
void HeadlessSetFullScreen(int fullScreen);
void HeadlessClientSize(int* width, int* height);
void HeadlessGetWindowRect(PlatRect* rect);
void HeadlessSetWindowRect(const PlatRect* rect);
void HeadlessShowCursor(int show);

// plat_process.cpp: set when another instance asked this one to come forward.
int InstanceRaiseRequested();
