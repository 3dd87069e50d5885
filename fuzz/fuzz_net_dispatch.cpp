// libFuzzer target: the game-message dispatch on arbitrary messages.
//
// The first bytes set up the session as a receiver may find it (player
// count, own and host index, car count, host or client, lobby shown); the
// rest is one received message, handed to the dispatch as the receive
// thread does.  Nothing may read or write outside its tables.  The calls the
// network code makes into the menus and the race are stood in for by
// fuzz_net_outside.h.
// Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_net_outside.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/net_wire.h"
#include "net/session.h"
#include "race/race_state.h"

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
