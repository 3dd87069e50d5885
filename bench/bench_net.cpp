// Network play: a guaranteed 9-byte message there and back between two
// members on 127.0.0.1, and the host's 8-car state message built and stored
// as a client stores it.

#include <arpa/inet.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "net/net_state.h"
#include "net/net_wire.h"
#include "net/remote_cars.h"
#include "platform/plat_net.h"
#include "platform/plat_thread.h"
#include "race/race_state.h"

namespace {

const PlatGuid kApp = {0x17FE7ADD, 0xCB47, 0x48C6, {0x98, 0x48, 0xC4, 0x7E, 0x4E, 0x28, 0x24, 0x4C}};

int TakeProvider(const PlatGuid*, const void* connection, int size, const char*, int, void* context) {
    PlatNetInitializeConnection((PlatNet*)context, connection, size);
    return 0;
}

PlatNet* Member(int searchPort) {
    PlatNetConfig c;
    PlatNetDefaultConfig(&c);
    c.port = 0;
    c.bindHost = htonl(INADDR_LOOPBACK);
    if (searchPort) {
        c.searchCount = 1;
        c.search[0].host = htonl(INADDR_LOOPBACK);
        c.search[0].port = (uint16_t)searchPort;
    }
    PlatNet* net = PlatNetCreate(&c);
    PlatNetEnumConnections(net, &kApp, TakeProvider, net);
    return net;
}

int Found(const PlatNetSessionDesc* d, int flags, void* context) {
    if (!(flags & PLAT_NET_ENUM_TIMEDOUT))
        *(PlatNetSessionDesc*)context = *d;
    return 1;
}

void Receive(PlatNet* net, PlatEvent* event, uint8_t* buffer) {
    for (;;) {
        uint32_t from, to;
        int size = PLAT_NET_MAX_MESSAGE;
        const int r = PlatNetReceive(net, &from, &to, 0, buffer, &size);
        if (r == PLAT_NET_OK && from != PLAT_NET_SYSTEM_PLAYER)
            return;
        if (r == PLAT_NET_ERR_NOMESSAGES)
            PlatEventWait(event, 1000);
    }
}

void BM_GuaranteedRoundTrip9(benchmark::State& state) {
    PlatEvent* hostEvent = PlatEventCreate();
    PlatEvent* clientEvent = PlatEventCreate();
    PlatNet* host = Member(0);
    PlatNetSessionDesc d{};
    d.flags = 0xA044;
    d.application = kApp;
    d.maxPlayers = 8;
    d.user[3] = 10;
    PlatNetOpen(host, &d, PLAT_NET_OPEN_CREATE);
    uint32_t hostId = 0, clientId = 0;
    PlatNetCreatePlayer(host, &hostId, "Host", "H", hostEvent);
    PlatNet* client = Member(PlatNetBoundPort(host));
    PlatNetSessionDesc found{};
    PlatNetEnumSessions(client, &kApp, 300, Found, &found, 0);
    if (PlatNetOpen(client, &found, PLAT_NET_OPEN_JOIN) != PLAT_NET_OK ||
        PlatNetCreatePlayer(client, &clientId, "Client", "C", clientEvent) != PLAT_NET_OK) {
        state.SkipWithError("no session");
        return;
    }
    // The client echoes every message back, guaranteed.
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        static uint8_t buffer[PLAT_NET_MAX_MESSAGE];
        while (!stop) {
            uint32_t from, to;
            int size = PLAT_NET_MAX_MESSAGE;
            const int r = PlatNetReceive(client, &from, &to, 0, buffer, &size);
            if (r == PLAT_NET_OK && from != PLAT_NET_SYSTEM_PLAYER)
                PlatNetSend(client, clientId, from, PLAT_NET_SEND_GUARANTEED, 0, buffer, size);
            else if (r == PLAT_NET_ERR_NOMESSAGES)
                PlatEventWait(clientEvent, 50);
        }
    });
    static uint8_t buffer[PLAT_NET_MAX_MESSAGE];
    const uint8_t message[9] = {MSG_CONTROL_BITS, 1, 0, 0, 0, 2, 0, 0, 0};
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        PlatNetSend(host, hostId, clientId, PLAT_NET_SEND_GUARANTEED, 0, message, 9);
        Receive(host, hostEvent, buffer);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    stop = true;
    echo.join();
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["median_us"] = times[times.size() / 2] * 1e6;
    PlatNetRelease(client);
    PlatNetRelease(host);
    PlatEventClose(hostEvent);
    PlatEventClose(clientEvent);
}
BENCHMARK(BM_GuaranteedRoundTrip9)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_BuildAndStoreCarStates8(benchmark::State& state) {
    CarCount = 8;
    NetPlayerCount = 8;
    NetOwnIndex = 3;
    LocalCar = 0;
    NetLatency = 4;
    for (int c = 0; c < 8; c++) {
        SimPosX[c] = 100.0f * c;
        SimPosZ[c] = -50.0f * c;
        SimHeading[c] = 0.1f * c;
        VelocityX[c] = 1.5f;
        VelocityZ[c] = -2.25f;
        RemoteClock[c] = 0;
    }
    uint8_t m[1 + CAR_STATE_RECORD * 8];
    for (auto _ : state) {
        CarStateSample out[8];
        for (int k = 0; k < 8; k++)
            BuildCarStateSample(k == 0 ? 3 : k == 3 ? 0 : k, &out[k]);
        const int size = EncodeCarStates(m, out, 8);
        StoreCarStates(m, size);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_BuildAndStoreCarStates8);

}  // namespace
