// Platform layer: the millisecond clock (the multimedia timeGetTime).
#pragma once

#include <cstdint>

// Milliseconds since the platform started; wraps after 49 days like the
// system clock it stands in for.
uint32_t PlatTimeMs();

// The manual clock only moves when told to.  Advancing it runs the ticks of
// a running manual timer that fall due, in order, on the caller's thread.
void PlatClockSetManual(int on);
int PlatClockIsManual();
void PlatClockAdvance(uint32_t ms);

// A busy-wait step: gives the processor away briefly on the real clock, moves
// the manual clock by 1 ms.
void PlatClockSpin();
