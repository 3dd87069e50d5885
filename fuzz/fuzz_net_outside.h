// Stand-ins of the calls the network code makes into the menus, the race,
// sound and the platform's clock and settings file, for the libFuzzer
// targets that build the network code on its own.  Each does nothing, or
// checks what it is given.  Included once by each such target.
#pragma once

#include "net/net_outside.h"
#include "platform/plat_clock.h"
#include "platform/plat_ini.h"
#include "platform/plat_system.h"

int NetGetText(int, char* out, int size) {
    if (size > 0)
        out[0] = 0;
    return 0;
}
void NetPutSlot(int, const char*, int) {}
void NetConsoleLine(const char*) {}
void NetChatLine(const char*) {}
void NetScrollChatLines() {}
int NetMenuScreen() { return 11; }
void NetShowPopup(int) {}
void NetSetListRow(int, const char*) {}
void NetChangeItemFlags(int, int, unsigned, unsigned) {}
void NetListScrollBack() {}
void NetJumpToCarChoice() {}
void NetDisableLobbyItemA() {}
void NetDisableLobbyItemB() {}
void NetPlayMessageSound() {}
void NetLeaveRace() {}
void NetStepCarBody(int) {}
void NetUpdateCarHeading(int) {}
void NetUpdateChaseCamera(int) {}
void NetWheelWorldPositions(int) {}
float NetCarHeadingRate(int) { return 0.0f; }
void NetSetCarTurnRate(int, float) {}
void NetSetBodyHeading(int, float) {}
void NetCarForwardAxis(int, float forward[3]) { forward[0] = forward[1] = 0.0f, forward[2] = 1.0f; }
void NetSpinWheels(int, float) {}
float NetFastSqrt(float) { return 0.0f; }
void NetSetCarEngineType(int) {}
void NetSettleBodyHeight(int) {}
void NetHitImpact(int, float, float, int) {}
void NetSetTiltRates(int, float, float) {}
void NetApplyRaceOrder(const int[8], const int[8], int count) {
    if (count < 0 || count > 8)
        __builtin_trap();
}
void NetReadRaceOrder(int order[8], int positions[8]) {
    for (int i = 0; i < 8; i++)
        order[i] = positions[i] = 0;
}
void NetApplyStandings(const int[8], const int[8], int) {}
void NetReadStandings(int points[8], int totals[8]) {
    for (int i = 0; i < 8; i++)
        points[i] = totals[i] = 0;
}

uint32_t PlatTimeMs() { return 0; }
void PlatSleepMs(int) {}
int PlatIniGetInt(const char*, const char*, const char*, int defaultValue) { return defaultValue; }
