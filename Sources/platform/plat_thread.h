// Platform layer: threads and events (CreateThread, CreateEvent, SetEvent,
// WaitForSingleObject, WaitForMultipleObjects).
//
// Events are auto-reset: a wait that takes a signalled event clears it, and a
// signal with nobody waiting stays until the next wait takes it.
#pragma once

struct PlatThread;
struct PlatEvent;

typedef int (*PlatThreadProc)(void* arg);

enum { PLAT_WAIT_INFINITE = -1, PLAT_WAIT_TIMEOUT = -1 };

// Starts a thread running proc(arg); null when it cannot be started.
PlatThread* PlatThreadCreate(PlatThreadProc proc, void* arg);
// Waits for the thread to end, frees it and returns proc's result.
int PlatThreadJoin(PlatThread* thread);

// An auto-reset event, initially unsignalled; null when none can be made.
PlatEvent* PlatEventCreate();
void PlatEventClose(PlatEvent* event);
void PlatEventSet(PlatEvent* event);
// 0 when the event was taken, PLAT_WAIT_TIMEOUT after timeoutMs
// (PLAT_WAIT_INFINITE waits for ever).
int PlatEventWait(PlatEvent* event, int timeoutMs);
// Waits for either of two events and takes the first signalled one (the first
// argument wins when both are): 0 or 1, or PLAT_WAIT_TIMEOUT.
int PlatEventWaitTwo(PlatEvent* first, PlatEvent* second, int timeoutMs);
