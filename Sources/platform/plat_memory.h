// Platform layer: the machine's memory (the system's memory status call).
#pragma once

#include <cstdint>

// Total and available physical memory in bytes, and the memory load in
// percent; 0 when the system does not tell.
int PlatMemoryStatus(uint64_t* total, uint64_t* available, int* loadPercent);
