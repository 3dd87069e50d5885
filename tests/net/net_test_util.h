// Members of sessions in one test process, on 127.0.0.1 and ports the system
// picks, so tests never share a port.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "net/net_state.h"
#include "platform/plat_net.h"
#include "platform/plat_thread.h"

inline const PlatGuid kTestApp = {0x17FE7ADD, 0xCB47, 0x48C6, {0x98, 0x48, 0xC4, 0x7E, 0x4E, 0x28, 0x24, 0x4C}};

// Waits until the condition holds; the result of the last test.  The
// members' service threads run on a shared, busy machine, so the bound is no
// measure of speed: it only ends a test whose condition never comes.
enum { WAIT_LIMIT_MS = 60000 };
inline bool WaitFor(const std::function<bool()>& condition, int limitMs = WAIT_LIMIT_MS) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

inline PlatNetConfig LoopbackConfig(const std::vector<int>& searchPorts = {}) {
    PlatNetConfig c;
    PlatNetDefaultConfig(&c);
    c.port = 0;
    c.bindHost = htonl(INADDR_LOOPBACK);
    c.searchCount = (int)searchPorts.size();
    for (size_t i = 0; i < searchPorts.size(); i++) {
        c.search[i].host = htonl(INADDR_LOOPBACK);
        c.search[i].port = (uint16_t)searchPorts[i];
    }
    return c;
}

static int TakeProvider(const PlatGuid* provider, const void* connection, int size, const char*, int, void* context) {
    auto* net = (PlatNet*)context;
    EXPECT_TRUE(PlatGuidEqual(provider, &PlatNetProviderGuid));
    EXPECT_EQ(PlatNetInitializeConnection(net, connection, size), PLAT_NET_OK);
    return 0;
}

// A member bound to 127.0.0.1 that searches the given ports.
inline PlatNet* NewMember(const std::vector<int>& searchPorts = {}) {
    PlatNetConfig c = LoopbackConfig(searchPorts);
    PlatNet* net = PlatNetCreate(&c);
    EXPECT_NE(net, nullptr);
    EXPECT_EQ(PlatNetEnumConnections(net, &kTestApp, TakeProvider, net), PLAT_NET_OK);
    EXPECT_GT(PlatNetBoundPort(net), 0);
    return net;
}

inline PlatNetSessionDesc TestSession(const char* name, int maxPlayers) {
    PlatNetSessionDesc d{};
    d.flags = 0xA044;
    d.application = kTestApp;
    d.maxPlayers = maxPlayers;
    snprintf(d.name, sizeof d.name, "%s", name);
    d.user[0] = 3;   // the words a hosted session of the game carries
    d.user[1] = 1;
    d.user[3] = 10;
    return d;
}

struct Listed {
    std::vector<PlatNetSessionDesc> sessions;
    int closings = 0;
};

static int CollectSession(const PlatNetSessionDesc* desc, int flags, void* context) {
    auto* l = (Listed*)context;
    if (flags & PLAT_NET_ENUM_TIMEDOUT)
        l->closings++;
    else
        l->sessions.push_back(*desc);
    return 1;
}

// Listings of a busy machine may be answered after their window closes: a
// test lists again, up to this many times, until what it waits for shows.
enum { LISTING_ATTEMPTS = 100 };

// Lists synchronously until a session of that name shows.
inline bool FindSession(PlatNet* net, const char* name, PlatNetSessionDesc* out, int flags = PLAT_NET_ENUM_AVAILABLE) {
    for (int attempt = 0; attempt < LISTING_ATTEMPTS; attempt++) {
        Listed l;
        EXPECT_EQ(PlatNetEnumSessions(net, &kTestApp, 300, CollectSession, &l, flags), PLAT_NET_OK);
        EXPECT_EQ(l.closings, 1);
        for (const PlatNetSessionDesc& d : l.sessions)
            if (strcmp(d.name, name) == 0) {
                *out = d;
                return true;
            }
    }
    return false;
}

// One queued message of a member.
struct Got {
    int result;
    uint32_t from;
    std::vector<uint8_t> bytes;
    uint32_t SystemType() const {
        uint32_t t = 0;
        if (bytes.size() >= 4)
            memcpy(&t, bytes.data(), 4);
        return t;
    }
};

inline Got Take(PlatNet* net) {
    static uint8_t buffer[PLAT_NET_MAX_MESSAGE];
    Got g;
    int size = sizeof buffer;
    uint32_t to = 0;
    g.from = 0;
    g.result = PlatNetReceive(net, &g.from, &to, 0, buffer, &size);
    if (g.result == PLAT_NET_OK)
        g.bytes.assign(buffer, buffer + size);
    return g;
}

// Waits for the next message that passes the filter, dropping the others.
inline bool TakeUntil(PlatNet* net, const std::function<bool(const Got&)>& wanted, Got* out = nullptr,
                      int limitMs = WAIT_LIMIT_MS) {
    return WaitFor(
        [&] {
            Got g = Take(net);
            if (g.result != PLAT_NET_OK || !wanted(g))
                return false;
            if (out)
                *out = g;
            return true;
        },
        limitMs);
}

inline std::function<bool(const Got&)> SystemMessage(uint32_t type) {
    return [type](const Got& g) { return g.from == PLAT_NET_SYSTEM_PLAYER && g.SystemType() == type; };
}

// Hosts a session with one player on a fresh member.
inline PlatNet* HostMember(const char* session, const char* player, int maxPlayers, uint32_t* id) {
    PlatNet* net = NewMember();
    PlatNetSessionDesc d = TestSession(session, maxPlayers);
    EXPECT_EQ(PlatNetOpen(net, &d, PLAT_NET_OPEN_CREATE), PLAT_NET_OK);
    EXPECT_EQ(PlatNetCreatePlayer(net, id, player, "H", nullptr), PLAT_NET_OK);
    return net;
}

// Joins the named session of the host on that port with one player.
inline PlatNet* JoinMember(int hostPort, const char* session, const char* player, uint32_t* id,
                           int expect = PLAT_NET_OK) {
    PlatNet* net = NewMember({hostPort});
    PlatNetSessionDesc d;
    EXPECT_TRUE(FindSession(net, session, &d, 0));
    EXPECT_EQ(PlatNetOpen(net, &d, PLAT_NET_OPEN_JOIN), expect);
    if (expect == PLAT_NET_OK) {
        EXPECT_EQ(PlatNetCreatePlayer(net, id, player, "C", nullptr), PLAT_NET_OK);
    }
    return net;
}

// Sends a guaranteed message to one player once the sender's layer knows
// that player.  A member hears of a new player from the host, on its own
// service thread: until then a send skips the player (and a send to it
// alone is refused), so a message sent too early would never arrive.
inline bool SendWhenKnown(PlatNet* net, uint32_t from, uint32_t to, const void* data, int size) {
    int result = PLAT_NET_ERR_INVALIDPLAYER;
    WaitFor([&] {
        result = PlatNetSend(net, from, to, PLAT_NET_SEND_GUARANTEED, 0, data, size);
        return result != PLAT_NET_ERR_INVALIDPLAYER;
    });
    return result == PLAT_NET_OK;
}
