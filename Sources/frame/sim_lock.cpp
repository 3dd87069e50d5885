#include "frame/sim_lock.h"

#include <mutex>

static std::mutex simMutex;

void SimLock() { simMutex.lock(); }
void SimUnlock() { simMutex.unlock(); }
