#include "platform/plat_net_packet.h"

#include <cstring>

// ---------------------------------------------------------------------------
// Writing.

namespace {

struct Writer {
    uint8_t* out;
    size_t room;
    size_t at;
    bool ok;

    void Bytes(const void* p, size_t n) {
        if (!ok || n > room - at) {
            ok = false;
            return;
        }
        memcpy(out + at, p, n);
        at += n;
    }
    void U8(uint32_t v) {
        const uint8_t b = (uint8_t)v;
        Bytes(&b, 1);
    }
    void U16(uint32_t v) {
        const uint8_t b[2] = {(uint8_t)v, (uint8_t)(v >> 8)};
        Bytes(b, 2);
    }
    void U32(uint32_t v) {
        const uint8_t b[4] = {(uint8_t)v, (uint8_t)(v >> 8), (uint8_t)(v >> 16), (uint8_t)(v >> 24)};
        Bytes(b, 4);
    }
    void Guid(const PlatGuid& g) {
        U32(g.data1);
        U16(g.data2);
        U16(g.data3);
        Bytes(g.data4, 8);
    }
    // A name of at most max bytes (the text up to its NUL).
    void Name(const char* s, size_t max) {
        const size_t n = strnlen(s, PLAT_NET_NAME_MAX);
        if (n > max) {
            ok = false;
            return;
        }
        U8((uint32_t)n);
        Bytes(s, n);
    }
    void Session(const PlatNetSessionDesc& d) {
        U32(d.flags);
        Guid(d.instance);
        Guid(d.application);
        U32((uint32_t)d.maxPlayers);
        U32((uint32_t)d.currentPlayers);
        for (int i = 0; i < 4; i++)
            U32((uint32_t)d.user[i]);
        Name(d.name, 255);
    }
    void Player(const NetPacketPlayer& p, size_t nameMax) {
        U32(p.member);
        U32(p.id);
        Name(p.shortName, nameMax);
        Name(p.longName, nameMax);
    }
};

// ---------------------------------------------------------------------------
// Reading: every read is bounded by what is left; one failure spoils the rest.

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at;
    bool ok;

    bool Take(void* p, size_t n) {
        if (!ok || n > size - at) {
            ok = false;
            return false;
        }
        memcpy(p, data + at, n);
        at += n;
        return true;
    }
    uint32_t U8() {
        uint8_t b = 0;
        Take(&b, 1);
        return b;
    }
    uint32_t U16() {
        uint8_t b[2] = {0, 0};
        Take(b, 2);
        return (uint32_t)b[0] | (uint32_t)b[1] << 8;
    }
    uint32_t U32() {
        uint8_t b[4] = {0, 0, 0, 0};
        Take(b, 4);
        return (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
    }
    void Guid(PlatGuid* g) {
        g->data1 = U32();
        g->data2 = (uint16_t)U16();
        g->data3 = (uint16_t)U16();
        Take(g->data4, 8);
    }
    // The name always ends with a NUL inside its array; an embedded NUL or a
    // name longer than max is refused.
    void Name(char* s, size_t max) {
        const size_t n = U8();
        s[0] = 0;
        if (n > max) {
            ok = false;
            return;
        }
        if (!Take(s, n))
            return;
        s[n] = 0;
        if (strlen(s) != n)
            ok = false;
    }
    void Session(PlatNetSessionDesc* d) {
        d->flags = U32();
        Guid(&d->instance);
        Guid(&d->application);
        d->maxPlayers = (int)U32();
        d->currentPlayers = (int)U32();
        for (int i = 0; i < 4; i++)
            d->user[i] = (int32_t)U32();
        Name(d->name, 255);
        if (d->maxPlayers < 0 || d->maxPlayers > NET_PACKET_MAX_MEMBERS || d->currentPlayers < 0 ||
            d->currentPlayers > NET_PACKET_MAX_MEMBERS)
            ok = false;
    }
    void Player(NetPacketPlayer* p, size_t nameMax) {
        p->member = U32();
        p->id = U32();
        Name(p->shortName, nameMax);
        Name(p->longName, nameMax);
    }
};

}  // namespace

size_t NetEncodePacket(const NetPacket* p, uint8_t* out, size_t room) {
    if (room < NET_PACKET_HEADER)
        return 0;
    Writer w{out, room, NET_PACKET_HEADER, true};
    switch (p->kind) {
    case NET_KIND_QUERY:
        w.Guid(p->application);
        w.U32(p->queryId);
        w.U32(p->flags);
        break;
    case NET_KIND_ANSWER:
        w.U32(p->queryId);
        w.Session(p->session);
        break;
    case NET_KIND_PLAYERS_QUERY:
        w.Guid(p->instance);
        w.U32(p->queryId);
        break;
    case NET_KIND_PLAYERS_ANSWER:
        if (p->playerCount < 0 || p->playerCount > NET_PACKET_MAX_MEMBERS)
            return 0;
        w.U32(p->queryId);
        w.U8((uint32_t)p->playerCount);
        for (int i = 0; i < p->playerCount; i++)
            w.Player(p->players[i], NET_PACKET_QUERY_NAME_MAX);
        break;
    case NET_KIND_JOIN_REQUEST:
        w.Guid(p->application);
        w.Guid(p->instance);
        break;
    case NET_KIND_JOIN_ACCEPT:
        if (p->memberCount < 0 || p->memberCount > NET_PACKET_MAX_MEMBERS)
            return 0;
        w.U32(p->yourMember);
        w.U32(p->hostMember);
        w.U32(p->lastPlayerId);
        w.Session(p->session);
        w.U8((uint32_t)p->memberCount);
        for (int i = 0; i < p->memberCount; i++) {
            w.U32(p->members[i].number);
            w.U32(p->members[i].host);
            w.U16(p->members[i].port);
            w.Player(p->members[i].player, 255);
        }
        break;
    case NET_KIND_JOIN_REFUSE:
        w.U32(p->reason);
        break;
    case NET_KIND_STILL_IN:
    case NET_KIND_NOT_IN_SESSION:
    case NET_KIND_PEER_HELLO:
        w.Guid(p->instance);
        w.U32(p->member);
        break;
    case NET_KIND_PLAYER_REQUEST:
    case NET_KIND_PLAYER_ADD:
        w.Player(p->player, 255);
        break;
    case NET_KIND_SESSION_DESC:
        w.Session(p->session);
        break;
    case NET_KIND_GAME:
        if (p->length < 1 || p->length > PLAT_NET_MAX_MESSAGE)
            return 0;
        w.U32(p->from);
        w.U32(p->to);
        w.U16((uint32_t)p->length);
        w.Bytes(p->data, (size_t)p->length);
        break;
    default:
        return 0;
    }
    if (!w.ok || w.at - NET_PACKET_HEADER > 0xFFFF)
        return 0;
    const size_t body = w.at - NET_PACKET_HEADER;
    Writer h{out, room, 0, true};
    h.U32(NET_PACKET_MAGIC);
    h.U8(NET_PACKET_VERSION);
    h.U8((uint32_t)p->kind);
    h.U16((uint32_t)body);
    return w.at;
}

int NetLooksLikePacket(const uint8_t* data, size_t size) {
    if (!data || size < NET_PACKET_HEADER)
        return 0;
    Reader r{data, size, 0, true};
    return r.U32() == NET_PACKET_MAGIC && r.U8() == NET_PACKET_VERSION;
}

int NetDecodePacket(const uint8_t* data, size_t size, NetPacket* p) {
    if (!NetLooksLikePacket(data, size))
        return 0;
    Reader r{data, size, 4, true};
    r.U8();
    p->kind = (int)r.U8();
    const size_t body = r.U16();
    if (body != size - NET_PACKET_HEADER)
        return 0;
    switch (p->kind) {
    case NET_KIND_QUERY:
        r.Guid(&p->application);
        p->queryId = r.U32();
        p->flags = r.U32();
        break;
    case NET_KIND_ANSWER:
        p->queryId = r.U32();
        r.Session(&p->session);
        break;
    case NET_KIND_PLAYERS_QUERY:
        r.Guid(&p->instance);
        p->queryId = r.U32();
        break;
    case NET_KIND_PLAYERS_ANSWER:
        p->queryId = r.U32();
        p->playerCount = (int)r.U8();
        if (p->playerCount > NET_PACKET_MAX_MEMBERS)
            return 0;
        for (int i = 0; i < p->playerCount && r.ok; i++)
            r.Player(&p->players[i], NET_PACKET_QUERY_NAME_MAX);
        break;
    case NET_KIND_JOIN_REQUEST:
        r.Guid(&p->application);
        r.Guid(&p->instance);
        break;
    case NET_KIND_JOIN_ACCEPT:
        p->yourMember = r.U32();
        p->hostMember = r.U32();
        p->lastPlayerId = r.U32();
        r.Session(&p->session);
        p->memberCount = (int)r.U8();
        if (p->memberCount > NET_PACKET_MAX_MEMBERS)
            return 0;
        for (int i = 0; i < p->memberCount && r.ok; i++) {
            p->members[i].number = r.U32();
            p->members[i].host = r.U32();
            p->members[i].port = (uint16_t)r.U16();
            r.Player(&p->members[i].player, 255);
        }
        break;
    case NET_KIND_JOIN_REFUSE:
        p->reason = r.U32();
        break;
    case NET_KIND_STILL_IN:
    case NET_KIND_NOT_IN_SESSION:
    case NET_KIND_PEER_HELLO:
        r.Guid(&p->instance);
        p->member = r.U32();
        break;
    case NET_KIND_PLAYER_REQUEST:
    case NET_KIND_PLAYER_ADD:
        r.Player(&p->player, 255);
        break;
    case NET_KIND_SESSION_DESC:
        r.Session(&p->session);
        break;
    case NET_KIND_GAME:
        p->from = r.U32();
        p->to = r.U32();
        p->length = (int)r.U16();
        if (p->length < 1 || p->length > PLAT_NET_MAX_MESSAGE)
            return 0;
        r.Take(p->data, (size_t)p->length);
        break;
    default:
        return 0;
    }
    return r.ok && r.at == size;
}
