// The simulation lock: where the tick and the frame hand over.
//
// The tick holds it for its whole body.  The frame holds it only at its
// entry points into the simulated state: the input write and the per-frame
// snapshot of the cars, laps and finishing, and building the scene.  Routines
// below those entry points never take it.  It is not recursive.
#pragma once

void SimLock();
void SimUnlock();

struct SimLockGuard {
    SimLockGuard() { SimLock(); }
    ~SimLockGuard() { SimUnlock(); }
    SimLockGuard(const SimLockGuard&) = delete;
    SimLockGuard& operator=(const SimLockGuard&) = delete;
};
