#include "platform/plat_window.h"

#include "platform/plat_clock.h"
#include "platform/plat_devices_internal.h"
#include "platform/plat_internal.h"
#include "platform/plat_system.h"

// The message queue, shared by both backends: the backend translates its
// events into posted messages, window timers are synthesised from the clock.
enum { QUEUE_SIZE = 1024, WINDOW_TIMERS = 4 };

static PlatMsg queue[QUEUE_SIZE];
static int queueHead, queueCount;
static PlatWindowProc windowProc;
static int windowExists;
static int quitPosted;
static int quitCode;
static int windowActive;   // the last activation the window procedure was given

struct WindowTimer {
    int active;
    int period;
    uint32_t due;
};
static WindowTimer windowTimers[WINDOW_TIMERS];

void QueuePost(int message, uintptr_t wParam, intptr_t lParam) {
    if (queueCount >= QUEUE_SIZE)
        return;   // a full queue drops the newest message, as a real one would
    PlatMsg& msg = queue[(queueHead + queueCount) % QUEUE_SIZE];
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = PlatTimeMs();
    queueCount++;
}

void QueueReset() {
    queueHead = queueCount = 0;
    quitPosted = 0;
    quitCode = 0;
}

int QueueHasMessages() { return queueCount > 0 || quitPosted; }

static int QueueTake(PlatMsg* msg) {
    if (queueCount == 0)
        return 0;
    *msg = queue[queueHead];
    queueHead = (queueHead + 1) % QUEUE_SIZE;
    queueCount--;
    return 1;
}

int WindowTimerNextDue(uint32_t* due) {
    int found = 0;
    for (const WindowTimer& t : windowTimers) {
        if (t.active && (!found || (int32_t)(t.due - *due) < 0)) {
            *due = t.due;
            found = 1;
        }
    }
    return found;
}

// Posts WM_TIMER for each window timer that has fallen due.  Like the real
// thing, a late timer produces one message, not a burst.
static void PostDueTimers() {
    const uint32_t now = PlatTimeMs();
    for (int id = 0; id < WINDOW_TIMERS; id++) {
        WindowTimer& t = windowTimers[id];
        if (!t.active || (int32_t)(now - t.due) < 0)
            continue;
        t.due = now + (uint32_t)t.period;
        QueuePost(WM_TIMER, (uintptr_t)id, 0);
    }
}

// A second instance asks this one to come forward.  The request is taken
// wherever the queue is read, so a game that is inactive (and blocks in the
// queue) comes back too: restored, raised and activated.
static void TakeRaiseRequest() {
    if (!InstanceRaiseRequested() || !windowExists)
        return;
    if (PlatIsHeadless())
        HeadlessRaiseWindow(windowActive);
    else
        SdlRaiseWindow();
}

static void PollBackend() {
    if (PlatIsHeadless())
        HeadlessPollEvents();
    else
        SdlPollEvents();
    TakeRaiseRequest();
    PostDueTimers();
}

int PlatCreateWindow(const char* title, PlatWindowProc proc) {
    windowProc = proc;
    QueueReset();
    windowActive = 0;
    for (WindowTimer& t : windowTimers)
        t.active = 0;
    if (!PlatIsHeadless() && !SdlCreateWindow(title))
        return 0;
    windowExists = 1;
    if (windowProc(WM_CREATE, 0, 0) == -1) {
        PlatDestroyWindow();
        return 0;
    }
    // Showing the window and making it the foreground window activates it.
    QueuePost(WM_ACTIVATE, 1, 0);
    return 1;
}

void PlatDestroyWindow() {
    if (!windowExists)
        return;
    windowProc(WM_DESTROY, 0, 0);
    windowExists = 0;
    windowActive = 0;
    for (WindowTimer& t : windowTimers)
        t.active = 0;
    if (!PlatIsHeadless())
        SdlDestroyWindow();
}

int PlatWindowExists() { return windowExists; }

void PlatDesktopSize(int* width, int* height) {
    if (PlatIsHeadless()) {
        HeadlessDesktopSize(width, height);
        return;
    }
    SdlDesktopSize(width, height);
}

int PlatWindowIsMinimised() { return PlatIsHeadless() ? HeadlessWindowIsMinimised() : SdlWindowIsMinimised(); }

int PlatWindowIsActive() {
    if (!windowExists)
        return 0;
    return PlatIsHeadless() ? windowActive : SdlWindowHasFocus();
}

// Activation as the window procedure is told of it.
static void NoteActivation(int message, uintptr_t wParam) {
    if (message == WM_ACTIVATE)
        windowActive = (wParam & 0xFFFF) != 0;
}

void PlatShowCursor(int show) {
    if (PlatIsHeadless())
        HeadlessShowCursor(show);
    else
        SdlShowCursor(show);
}

void PlatWindowGetRect(PlatRect* rect) {
    if (PlatIsHeadless())
        HeadlessGetWindowRect(rect);
    else
        SdlGetWindowRect(rect);
}

void PlatWindowSetRect(const PlatRect* rect) {
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    if (PlatIsHeadless())
        HeadlessSetWindowRect(rect);
    else
        SdlSetWindowRect(rect);
}

int PlatPeekMessage(PlatMsg* msg) {
    if (quitPosted) {
        quitPosted = 0;
        *msg = {WM_QUIT, (uintptr_t)quitCode, 0, PlatTimeMs()};
        return 1;
    }
    PollBackend();
    return QueueTake(msg);
}

int PlatGetMessage(PlatMsg* msg) {
    for (;;) {
        if (PlatPeekMessage(msg))
            return msg->message != WM_QUIT;
        if (PlatIsHeadless()) {
            if (!HeadlessWaitEvents()) {
                // The script is over and nothing will ever wake the window.
                if (windowExists)
                    QueuePost(WM_CLOSE, 0, 0);
                else
                    PlatPostQuitMessage(0);
            }
        } else {
            uint32_t due = 0;
            int wait = 100;
            if (WindowTimerNextDue(&due)) {
                const int32_t left = (int32_t)(due - PlatTimeMs());
                wait = left < 0 ? 0 : left < 100 ? left : 100;
            }
            SdlWaitEvents(wait);
        }
    }
}

intptr_t PlatDispatchMessage(const PlatMsg* msg) {
    if (!windowProc || !windowExists)
        return 0;
    NoteActivation(msg->message, msg->wParam);
    return windowProc(msg->message, msg->wParam, msg->lParam);
}

intptr_t PlatSendMessage(int message, uintptr_t wParam, intptr_t lParam) {
    if (!windowProc || !windowExists)
        return 0;
    NoteActivation(message, wParam);
    return windowProc(message, wParam, lParam);
}

void PlatPostMessage(int message, uintptr_t wParam, intptr_t lParam) { QueuePost(message, wParam, lParam); }

void PlatPostQuitMessage(int exitCode) {
    quitCode = exitCode;
    quitPosted = 1;
}

intptr_t PlatDefWindowProc(int message, uintptr_t, intptr_t) {
    if (message == WM_CLOSE)
        PlatDestroyWindow();
    return 0;
}

void PlatSetTimer(int id, int periodMs) {
    if (id < 0 || id >= WINDOW_TIMERS || periodMs <= 0)
        return;
    windowTimers[id] = {1, periodMs, PlatTimeMs() + (uint32_t)periodMs};
}

void PlatKillTimer(int id) {
    if (id >= 0 && id < WINDOW_TIMERS)
        windowTimers[id].active = 0;
}

void PlatFrameIdle() {
    if (PlatIsHeadless())
        HeadlessFrameIdle();
}
