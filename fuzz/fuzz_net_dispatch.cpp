// libFuzzer target: the game-message dispatch on arbitrary messages.
//
// The first bytes set up the session as a receiver may find it (player
// count, own and host index, car count, host or client, lobby shown); the
// rest is one received message, handed to the dispatch as the receive
// thread does.  Nothing may read or write outside its tables.  The calls the
// network code makes into the menus and the race are stood in for below.
// Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "net/net_messages.h"
#include "net/net_outside.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/net_wire.h"
#include "net/session.h"
#include "platform/plat_clock.h"
#include "platform/plat_ini.h"
#include "platform/plat_system.h"
#include "race/race_state.h"

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size > 8192)
        return 0;
    NetPlayerCount = data[0] % 9;
    NetOwnIndex = data[1] % 8;
    NetHostIndex = (data[1] >> 3) % 8;
    CarCount = 1 + data[2] % 8;
    NetIsHost = data[3] & 1;
    ChatActive = (data[3] >> 1) & 1;
    NetWaitingForPlayer = (data[3] >> 2) & 1;
    WaitingForChoices = (data[3] >> 3) & 1;
    LocalCar = 0;
    for (int i = 0; i < 8; i++)
        NetPlayerIds[i] = 1 + (uint32_t)i;
    const uint32_t from = 1 + (data[2] >> 4) % 9;   // 9: a player nobody knows
    // The message alone, in a buffer of exactly its size.
    std::vector<uint8_t> m(data + 4, data + size);
    if (m.empty())
        return 0;
    int count, hosts[8];
    uint32_t ids[8];
    static char names[8][256];
    if (DecodePlayerList(m.data(), (int)m.size(), &count, ids, names, hosts))
        for (int i = 0; i < count; i++)
            if (count > 8 || names[i][255] != 0)
                __builtin_trap();
    if (m[0] == 100)
        ApplyPlayerList(from, m.data(), (int)m.size());
    else
        HandleGameMessage(from, m.data(), (int)m.size());
    HandleSystemMessage(m.data(), (int)m.size());
    if (NetPlayerCount < 0 || NetPlayerCount > 8 || NetOwnIndex < 0 || NetOwnIndex > 7 || NetHostIndex < 0 ||
        NetHostIndex > 7)
        __builtin_trap();
    NetFrameWork();
    return 0;
}
