#include "platform/plat_system.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "platform/plat_clock.h"
#include "platform/plat_headless.h"
#include "platform/plat_internal.h"
#include "platform/plat_timer.h"

static int backendInUse = -1;
static std::atomic<int> debugOutput;

int PlatInit(int backend) {
    ClockReset();
    QueueReset();
    if (backend == PLAT_BACKEND_HEADLESS) {
        backendInUse = PLAT_BACKEND_HEADLESS;
        PlatClockSetManual(PlatHeadlessLockstep() > 0);
        HeadlessReset();
        return 1;
    }
    PlatClockSetManual(0);
    if (!SdlVideoInit())
        return 0;
    backendInUse = PLAT_BACKEND_REAL;
    return 1;
}

void PlatShutdown() {
    PlatTimerStop();
    if (backendInUse == PLAT_BACKEND_REAL)
        SdlVideoShutdown();
    backendInUse = -1;
}

int PlatIsHeadless() { return backendInUse == PLAT_BACKEND_HEADLESS; }

void PlatSetDebugOutput(int on) { debugOutput = on != 0; }
int PlatDebugOutputOn() { return debugOutput; }

void PlatDebugOut(const char* text) {
    if (!debugOutput || !text)
        return;
    fprintf(stderr, "%s\n", text);
}

void PlatSleepMs(int ms) {
    if (ms <= 0)
        return;
    if (PlatClockIsManual()) {
        PlatClockAdvance((uint32_t)ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void PlatMessageBox(const char* caption, const char* text, int flags) {
    if (!caption)
        caption = "";
    if (!text)
        text = "";
    fprintf(stderr, "[%s] %s\n", caption, text);
    if (backendInUse == PLAT_BACKEND_HEADLESS) {
        HeadlessRecordMessageBox(caption, text);
        return;
    }
    if (backendInUse == PLAT_BACKEND_REAL)
        SdlMessageBox(caption, text, flags);
}

void PlatMessageBeep() {
    if (backendInUse == PLAT_BACKEND_HEADLESS) {
        HeadlessRecordBeep();
        return;
    }
    if (isatty(STDERR_FILENO)) {
        fputc('\a', stderr);
        fflush(stderr);
    }
}
