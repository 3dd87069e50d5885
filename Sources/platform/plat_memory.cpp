#include "platform/plat_memory.h"

#include <sys/sysinfo.h>

int PlatMemoryStatus(uint64_t* total, uint64_t* available, int* loadPercent) {
    struct sysinfo info;
    if (sysinfo(&info) != 0 || info.totalram == 0)
        return 0;
    const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    const uint64_t all = (uint64_t)info.totalram * unit;
    const uint64_t free = ((uint64_t)info.freeram + (uint64_t)info.bufferram) * unit;
    if (total)
        *total = all;
    if (available)
        *available = free;
    if (loadPercent)
        *loadPercent = (int)(100 - free * 100 / all);
    return 1;
}
