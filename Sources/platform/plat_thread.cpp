#include "platform/plat_thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

struct PlatThread {
    std::thread thread;
    int result;
};

struct PlatEvent {
    bool signalled;
};

// All events share one lock and one condition: a wait on two events then
// needs nothing more, and the program has only a handful of events.
static std::mutex eventMutex;
static std::condition_variable eventChanged;

PlatThread* PlatThreadCreate(PlatThreadProc proc, void* arg) {
    if (!proc)
        return nullptr;
    PlatThread* t = new (std::nothrow) PlatThread();
    if (!t)
        return nullptr;
    t->result = 0;
    try {
        t->thread = std::thread([t, proc, arg] { t->result = proc(arg); });
    } catch (...) {
        delete t;
        return nullptr;
    }
    return t;
}

int PlatThreadJoin(PlatThread* thread) {
    if (!thread)
        return 0;
    if (thread->thread.joinable())
        thread->thread.join();
    const int result = thread->result;
    delete thread;
    return result;
}

PlatEvent* PlatEventCreate() {
    PlatEvent* e = new (std::nothrow) PlatEvent();
    if (e)
        e->signalled = false;
    return e;
}

void PlatEventClose(PlatEvent* event) { delete event; }

void PlatEventSet(PlatEvent* event) {
    if (!event)
        return;
    {
        std::lock_guard<std::mutex> lock(eventMutex);
        event->signalled = true;
    }
    eventChanged.notify_all();
}

// Takes the first signalled event of the pair; -1 when neither is.
static int TakeSignalled(PlatEvent* first, PlatEvent* second) {
    if (first && first->signalled) {
        first->signalled = false;
        return 0;
    }
    if (second && second->signalled) {
        second->signalled = false;
        return 1;
    }
    return -1;
}

int PlatEventWaitTwo(PlatEvent* first, PlatEvent* second, int timeoutMs) {
    std::unique_lock<std::mutex> lock(eventMutex);
    int which = -1;
    auto ready = [&] { return (which = TakeSignalled(first, second)) >= 0; };
    if (timeoutMs < 0) {
        eventChanged.wait(lock, ready);
        return which;
    }
    if (!eventChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return PLAT_WAIT_TIMEOUT;
    return which;
}

int PlatEventWait(PlatEvent* event, int timeoutMs) { return PlatEventWaitTwo(event, nullptr, timeoutMs); }
