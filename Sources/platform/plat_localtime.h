// Platform layer: the local date and time (GetLocalTime).  Tests and
// headless runs may fix it, so a stamped date is known in advance.
#pragma once

struct PlatLocalTime {
    int year;      // e.g. 2026
    int month;     // 1..12
    int day;       // 1..31
    int hour, minute, second;
};

void PlatGetLocalTime(PlatLocalTime* out);
// Fixes the time every later call returns; null gives the clock back.
void PlatFixLocalTime(const PlatLocalTime* fixed);
