// The headless backend of the window: a scripted, time-stamped event list
// on the manual clock that also drives the fake input devices, and a record
// of the message boxes shown.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/plat_clock.h"
#include "platform/plat_devices_internal.h"
#include "platform/plat_headless.h"
#include "platform/plat_internal.h"
#include "platform/plat_surface.h"
#include "platform/plat_timer.h"

enum { SCRIPT_SIZE = 4096, RECORDED_BOXES = 32, BOX_TEXT = 512 };

struct ScriptedEvent {
    uint32_t time;
    int message;
    uintptr_t wParam;
    intptr_t lParam;
};

static ScriptedEvent script[SCRIPT_SIZE];
static int scriptCount;   // events not yet delivered, sorted by time
static int scriptNext;

static int lockstepTicks = 1;
static int minimised;

static int windowFullScreen = 1;
static int windowModeChanges;
static PlatRect windowRect;   // empty: the desktop's
static int cursorShown = 1;

static char boxCaptions[RECORDED_BOXES][BOX_TEXT];
static char boxTexts[RECORDED_BOXES][BOX_TEXT];
static int boxCount;
static int beepCount;

void PlatHeadlessQueueEvent(uint32_t timeMs, int message, uintptr_t wParam, intptr_t lParam) {
    if (scriptCount >= SCRIPT_SIZE)
        return;
    // Keep the list sorted; events of the same time keep their order.
    int at = scriptCount;
    while (at > scriptNext && (int32_t)(script[at - 1].time - timeMs) > 0) {
        script[at] = script[at - 1];
        at--;
    }
    script[at] = {timeMs, message, wParam, lParam};
    scriptCount++;
}

void PlatHeadlessClearEvents() { scriptCount = scriptNext = 0; }

int PlatHeadlessEventsWaiting() { return scriptNext < scriptCount; }

void PlatHeadlessSetLockstep(int ticksPerFrame) { lockstepTicks = ticksPerFrame < 0 ? 0 : ticksPerFrame; }
int PlatHeadlessLockstep() { return lockstepTicks; }

int PlatHeadlessMessageBoxCount() { return boxCount; }
const char* PlatHeadlessMessageBoxCaption(int index) {
    return index >= 0 && index < boxCount ? boxCaptions[index] : "";
}
const char* PlatHeadlessMessageBoxText(int index) { return index >= 0 && index < boxCount ? boxTexts[index] : ""; }
void PlatHeadlessClearMessageBoxes() { boxCount = 0; }

int PlatHeadlessBeepCount() { return beepCount; }
void HeadlessRecordBeep() { beepCount++; }

void HeadlessRecordMessageBox(const char* caption, const char* text) {
    if (boxCount >= RECORDED_BOXES)
        return;
    snprintf(boxCaptions[boxCount], BOX_TEXT, "%s", caption);
    snprintf(boxTexts[boxCount], BOX_TEXT, "%s", text);
    boxCount++;
}

void PlatHeadlessSetMinimised(int on) { minimised = on != 0; }
int HeadlessWindowIsMinimised() { return minimised; }

void HeadlessRaiseWindow(int active) {
    if (active && !minimised)
        return;
    minimised = 0;
    QueuePost(WM_ACTIVATE, 1, 0);
}

void HeadlessSetFullScreen(int fullScreen) {
    if ((fullScreen != 0) == windowFullScreen)
        return;
    windowFullScreen = fullScreen != 0;
    windowModeChanges++;
}

int PlatHeadlessWindowIsFullScreen() { return windowFullScreen; }
int PlatHeadlessWindowModeChanges() { return windowModeChanges; }

void HeadlessGetWindowRect(PlatRect* rect) {
    if (windowRect.right > windowRect.left && windowRect.bottom > windowRect.top) {
        *rect = windowRect;
        return;
    }
    int width = 0, height = 0;
    HeadlessDesktopSize(&width, &height);
    *rect = {0, 0, width, height};
}

void HeadlessSetWindowRect(const PlatRect* rect) { windowRect = *rect; }

// Full screen covers the desktop; in a window the client is the window's.
void HeadlessClientSize(int* width, int* height) {
    PlatRect r;
    if (windowFullScreen)
        HeadlessDesktopSize(width, height);
    else {
        HeadlessGetWindowRect(&r);
        *width = r.right - r.left;
        *height = r.bottom - r.top;
    }
}

void HeadlessShowCursor(int show) { cursorShown = show != 0; }
int PlatHeadlessCursorShown() { return cursorShown; }

void HeadlessReset() {
    boxCount = 0;
    beepCount = 0;
    minimised = 0;
    windowFullScreen = 1;
    windowModeChanges = 0;
    windowRect = {};
    cursorShown = 1;
    DisplayReset();
    InputReset();
}

void HeadlessPollEvents() {
    const uint32_t now = PlatTimeMs();
    while (scriptNext < scriptCount && (int32_t)(now - script[scriptNext].time) >= 0) {
        const ScriptedEvent& e = script[scriptNext++];
        if (!InputHeadlessEvent(e.message, e.wParam, e.lParam))
            QueuePost(e.message, e.wParam, e.lParam);
    }
}

int HeadlessWaitEvents() {
    if (scriptNext >= scriptCount)
        return 0;
    uint32_t next = script[scriptNext].time;
    uint32_t timerDue = 0;
    if (WindowTimerNextDue(&timerDue) && (int32_t)(timerDue - next) < 0)
        next = timerDue;
    const int32_t wait = (int32_t)(next - PlatTimeMs());
    if (!PlatClockIsManual()) {
        if (wait > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        return 1;
    }
    if (wait > 0)
        PlatClockAdvance((uint32_t)wait);
    return 1;
}

// Lockstep: the ticks of one frame run here, on the main thread, between
// the frame's two readings of the tick counter.  Threaded runs only pace the
// loop a little, as a display's refresh would.
void HeadlessFrameIdle() {
    if (!PlatClockIsManual()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return;
    }
    const int period = PlatTimerRunning() ? PlatTimerPeriod() : 17;
    const int ticks = lockstepTicks > 0 ? lockstepTicks : 1;
    PlatClockAdvance((uint32_t)(period * ticks));
}
