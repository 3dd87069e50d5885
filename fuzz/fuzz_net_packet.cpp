// libFuzzer target: the session layer's packet records on arbitrary bytes.
//
// A packet is refused or decoded; one that decodes must encode back to the
// very same bytes.  Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/plat_net_packet.h"

static NetPacket packet;
static uint8_t again[NET_PACKET_MAX + 4096];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so reading past it is caught.
    std::vector<uint8_t> bytes(data, data + size);
    if (!NetDecodePacket(bytes.data(), bytes.size(), &packet))
        return 0;
    const size_t n = NetEncodePacket(&packet, again, sizeof again);
    if (n != size || memcmp(again, bytes.data(), size) != 0)
        abort();
    return 0;
}
