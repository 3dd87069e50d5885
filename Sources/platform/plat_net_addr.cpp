// The session layer's addresses: the process's port and search list, and the
// broadcast addresses of the interfaces.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/plat_net.h"

static std::atomic<int> netPort{PLAT_NET_DEFAULT_PORT};
static std::mutex searchMutex;
static PlatNetAddress searchList[PLAT_NET_MAX_SEARCH];
static int searchCount;   // 0: the interfaces' broadcast addresses

void PlatNetSetPort(int port) {
    if (port >= 0 && port < 65536)   // 0: any free port (tests)
        netPort = port;
}

int PlatNetPort() { return netPort; }

int PlatNetParseAddress(const char* text, int defaultPort, PlatNetAddress* out) {
    if (!text || !out)
        return 0;
    char host[64];
    const char* colon = strchr(text, ':');
    const size_t hostLength = colon ? (size_t)(colon - text) : strlen(text);
    if (hostLength == 0 || hostLength >= sizeof host)
        return 0;
    memcpy(host, text, hostLength);
    host[hostLength] = 0;
    in_addr addr;
    if (inet_pton(AF_INET, host, &addr) != 1)
        return 0;
    long port = defaultPort;
    if (colon) {
        char* end = nullptr;
        port = strtol(colon + 1, &end, 10);
        if (end == colon + 1 || *end != 0)
            return 0;
    }
    if (port <= 0 || port > 65535)
        return 0;
    out->host = addr.s_addr;
    out->port = (uint16_t)port;
    return 1;
}

int PlatNetSetSearchList(const char* list) {
    PlatNetAddress parsed[PLAT_NET_MAX_SEARCH];
    int count = 0;
    if (list && *list) {
        const char* at = list;
        while (*at) {
            const char* comma = strchr(at, ',');
            const size_t n = comma ? (size_t)(comma - at) : strlen(at);
            char item[80];
            if (n == 0 || n >= sizeof item || count == PLAT_NET_MAX_SEARCH)
                return 0;
            memcpy(item, at, n);
            item[n] = 0;
            // An address without a port takes the game port in force when
            // the search runs (port 0 until then).
            if (!PlatNetParseAddress(item, 1, &parsed[count]))
                return 0;
            if (!strchr(item, ':'))
                parsed[count].port = 0;
            count++;
            at += n;
            if (*at == ',')
                at++;
        }
    }
    std::lock_guard<std::mutex> lock(searchMutex);
    memcpy(searchList, parsed, sizeof parsed);
    searchCount = count;
    return 1;
}

int PlatNetInterfaceBroadcasts(PlatNetAddress* out, int max) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return 0;
    int count = 0;
    for (ifaddrs* ifa = list; ifa && count < max; ifa = ifa->ifa_next) {
        if (!ifa->ifa_addr || ifa->ifa_addr->sa_family != AF_INET || !(ifa->ifa_flags & IFF_UP) || !ifa->ifa_netmask)
            continue;
        const uint32_t addr = ((const sockaddr_in*)ifa->ifa_addr)->sin_addr.s_addr;
        const uint32_t mask = ((const sockaddr_in*)ifa->ifa_netmask)->sin_addr.s_addr;
        out[count].host = addr | ~mask;
        out[count].port = (uint16_t)netPort.load();
        count++;
    }
    freeifaddrs(list);
    return count;
}

int PlatNetSearchAddresses(PlatNetAddress* out, int max) {
    {
        std::lock_guard<std::mutex> lock(searchMutex);
        if (searchCount > 0) {
            const int n = searchCount < max ? searchCount : max;
            for (int i = 0; i < n; i++) {
                out[i] = searchList[i];
                if (out[i].port == 0)
                    out[i].port = (uint16_t)netPort.load();
            }
            return n;
        }
    }
    return PlatNetInterfaceBroadcasts(out, max);
}
