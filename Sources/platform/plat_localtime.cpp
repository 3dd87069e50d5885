#include "platform/plat_localtime.h"

#include <ctime>

static PlatLocalTime fixedTime;
static int timeFixed;

void PlatGetLocalTime(PlatLocalTime* out) {
    if (timeFixed) {
        *out = fixedTime;
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (!localtime_r(&now, &local)) {
        *out = {2000, 1, 3, 12, 0, 55};
        return;
    }
    *out = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void PlatFixLocalTime(const PlatLocalTime* fixed) {
    timeFixed = fixed != nullptr;
    if (fixed)
        fixedTime = *fixed;
}
