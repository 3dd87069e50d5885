// Internals of the session layer: the layer's own packets.
//
// Every packet is a little-endian record: magic "QVNP", version, kind and the
// body's length, then the body.  Names travel as a length byte and the bytes;
// counts and lengths are bounded, and a packet whose body does not parse to
// its last byte, exactly, is refused.  Game messages ride in kind GAME.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/plat_net.h"

enum {
    NET_PACKET_MAGIC = 0x504E5651,   // "QVNP"
    NET_PACKET_VERSION = 1,
    NET_PACKET_HEADER = 8,
    NET_PACKET_MAX_MEMBERS = 8,
    NET_PACKET_QUERY_NAME_MAX = 63,  // player names in a players answer (one datagram)
    NET_PACKET_MAX = NET_PACKET_HEADER + 16 + 2 * 4 + 2 + PLAT_NET_MAX_MESSAGE,
};

enum NetPacketKind {
    // Raw datagrams, answered outside any connection.
    NET_KIND_QUERY = 1,          // who hosts sessions of this application?
    NET_KIND_ANSWER = 2,         // a host's session
    NET_KIND_PLAYERS_QUERY = 3,  // the players of a session
    NET_KIND_PLAYERS_ANSWER = 4,
    NET_KIND_STILL_IN = 5,       // a member whose connections went while it was stalled asks the host
    NET_KIND_NOT_IN_SESSION = 6, // the host: that member is no longer in the session
    // On the connections.
    NET_KIND_JOIN_REQUEST = 10,
    NET_KIND_JOIN_ACCEPT = 11,
    NET_KIND_JOIN_REFUSE = 12,
    NET_KIND_PEER_HELLO = 13,    // a new member introduces itself to the others
    NET_KIND_PLAYER_REQUEST = 14,
    NET_KIND_PLAYER_ADD = 15,
    NET_KIND_SESSION_DESC = 16,
    NET_KIND_GAME = 17,
};

enum { NET_REFUSE_ACCESS_DENIED = 1, NET_REFUSE_WRONG_SESSION = 2 };

struct NetPacketPlayer {
    uint32_t member;
    uint32_t id;                 // 0: the member has no player yet
    char shortName[PLAT_NET_NAME_MAX];
    char longName[PLAT_NET_NAME_MAX];
};

struct NetPacketMember {
    uint32_t number;             // join order
    uint32_t host;               // IPv4, network byte order
    uint16_t port;
    NetPacketPlayer player;
};

// One decoded packet; only the fields of its kind mean anything.
struct NetPacket {
    int kind;
    uint32_t queryId;
    uint32_t flags;              // query: the listing flags
    uint32_t reason;             // refuse
    PlatGuid application;
    PlatGuid instance;
    PlatNetSessionDesc session;  // answer, accept, session desc
    uint32_t yourMember;         // accept
    uint32_t hostMember;
    uint32_t lastPlayerId;
    uint32_t member;             // hello; still in and not in session: the member asked about
    int memberCount;             // accept
    NetPacketMember members[NET_PACKET_MAX_MEMBERS];
    int playerCount;             // players answer
    NetPacketPlayer players[NET_PACKET_MAX_MEMBERS];
    NetPacketPlayer player;      // player request and add
    uint32_t from, to;           // game
    int length;
    uint8_t data[PLAT_NET_MAX_MESSAGE];
};

// Writes the packet; its size, or 0 when it does not fit or breaks a bound.
size_t NetEncodePacket(const NetPacket* packet, uint8_t* out, size_t room);
// 1 when the bytes are one whole, well-formed packet.
int NetDecodePacket(const uint8_t* data, size_t size, NetPacket* out);
// 1 when the bytes start like one of our packets (magic and version).
int NetLooksLikePacket(const uint8_t* data, size_t size);
