// The session layer over ENet: one ENet host per member, a service thread
// per member, the join hand-shake, players, the receive queue, migration and
// the listing answers (which arrive on the same socket through ENet's
// intercept callback).
#include "platform/plat_net.h"

#include <enet/enet.h>
#include <enet/time.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <random>
#include <thread>
#include <vector>

#include "platform/plat_net_packet.h"
#include "platform/plat_thread.h"

// {685BC400-9D2C-11CF-A9CD-00AA006886E3}: the provider the game asks for.
const PlatGuid PlatNetProviderGuid = {0x685BC400, 0x9D2C, 0x11CF, {0xA9, 0xCD, 0x00, 0xAA, 0x00, 0x68, 0x86, 0xE3}};

enum {
    CHANNEL_GUARANTEED = 0,
    CHANNEL_UNGUARANTEED = 1,
    CHANNEL_COUNT = 2,
    PEER_SLOTS = 32,
    SERVICE_WAIT_MS = 5,
    CLOSE_WAIT_MS = 500,
    DISCONNECT_CLOSED = 1,
    DISCONNECT_BAD_PACKET = 2,
    DISCONNECT_REFUSED = 3,
    CHECK_INTERVAL_MS = 250,     // the still-in question is asked again, the answer to a dropped member given again
    DROPPED_MAX = 16,            // dropped members remembered, by address
};

static std::atomic<int> providerHidden;

int PlatGuidEqual(const PlatGuid* a, const PlatGuid* b) {
    return a->data1 == b->data1 && a->data2 == b->data2 && a->data3 == b->data3 &&
           memcmp(a->data4, b->data4, 8) == 0;
}

namespace {

enum SessionState { STATE_IDLE, STATE_JOINING, STATE_IN, STATE_LOST };

struct Member {              // another member of the session as this one sees it
    uint32_t number;         // join order
    ENetPeer* peer;          // null until it has introduced itself
    uint32_t host;
    uint16_t port;
    NetPacketPlayer player;  // id 0: no player yet
};

struct Dropped {             // a member this one dropped from the session
    uint32_t number;
    uint32_t host;
    uint16_t port;
    uint32_t toldAt;         // when it was last told it is out; 0 never
};

struct Queued {
    uint32_t from, to;
    std::vector<uint8_t> bytes;
};

struct KnownSession {
    PlatNetSessionDesc desc;
    ENetAddress address;
};

struct Listing {             // one running session listing
    uint32_t queryId;
    int flags;
    bool active;
    std::vector<PlatGuid> seen;
    std::vector<PlatNetSessionDesc> found;   // not yet called back
};

}  // namespace

struct PlatNet {
    PlatNetConfig config;
    std::mutex lock;                 // everything below, and every ENet call
    std::condition_variable changed;
    ENetHost* host = nullptr;
    std::thread service;
    std::atomic<bool> stopping{false};

    SessionState state = STATE_IDLE;
    bool isHost = false;
    uint32_t ownNumber = 0, hostNumber = 0, nextNumber = 0, lastPlayerId = 0;
    PlatNetSessionDesc session{};
    std::vector<Member> members;

    uint32_t ownPlayer = 0;
    char ownShort[PLAT_NET_NAME_MAX] = {}, ownLong[PLAT_NET_NAME_MAX] = {};
    PlatEvent* receiveEvent = nullptr;

    ENetPeer* joinPeer = nullptr;
    int joinResult = PLAT_NET_OK;
    bool joinPending = false;
    bool joinRefused = false;   // refused; waiting for the host's disconnect
    int pendingHellos = 0;
    bool closing = false;

    std::deque<Queued> queue;
    size_t queueBytes = 0;

    // A stall of this member (its process stopped) makes its next time-outs
    // doubtful: until doubtUntil they are checked with the host first.
    std::vector<Dropped> dropped;
    uint32_t lastPassAt = 0;         // the service thread's previous pass
    bool inDoubt = false;
    uint32_t doubtUntil = 0;
    std::vector<uint32_t> doubted;   // members timed out in doubt, not dropped yet
    uint32_t checkUntil = 0, nextCheckAt = 0;

    std::vector<KnownSession> known;
    uint32_t nextQueryId = 1;
    Listing sync{}, async{};
    uint32_t asyncDeadline = 0;
    PlatNetSessionCallback asyncCallback = nullptr;
    void* asyncContext = nullptr;
    std::atomic<uint32_t> asyncGeneration{0};
    std::mutex callbackLock;         // held while a listing callback runs

    uint32_t playersQueryId = 0;
    bool playersAnswered = false;
    std::unique_ptr<NetPacket> playersAnswer{new NetPacket()};

    int lossPercent = 0;
    std::minstd_rand lossDraw;
    bool cutOff = false;
    uint32_t cutOffAt = 0;
    std::atomic<bool> stalling{false};
    std::atomic<uint32_t> stallUntil{0};

    NetPacket scratch;               // the service thread's decoded packet
};

static thread_local PlatNet* servicedNet;   // the member whose host is being serviced

// ---------------------------------------------------------------------------
// Small helpers (all with the member's lock held).

static uint32_t Now() { return enet_time_get(); }

static int SessionCapacity(const PlatNet* net) {
    const int max = net->session.maxPlayers;
    return max <= 0 || max > NET_PACKET_MAX_MEMBERS ? NET_PACKET_MAX_MEMBERS : max;
}

static Member* FindMember(PlatNet* net, uint32_t number) {
    for (Member& m : net->members)
        if (m.number == number)
            return &m;
    return nullptr;
}

static Member* MemberOfPeer(PlatNet* net, ENetPeer* peer) {
    for (Member& m : net->members)
        if (m.peer == peer)
            return &m;
    return nullptr;
}

static void Signal(PlatNet* net) {
    if (net->receiveEvent)
        PlatEventSet(net->receiveEvent);
}

static void QueueMessage(PlatNet* net, uint32_t from, uint32_t to, const void* data, size_t size) {
    Queued q;
    q.from = from;
    q.to = to;
    q.bytes.assign((const uint8_t*)data, (const uint8_t*)data + size);
    net->queueBytes += size;
    net->queue.push_back(std::move(q));
    Signal(net);
}

static void QueueSystem(PlatNet* net, uint32_t type) {
    PlatNetSysMessage m{type};
    QueueMessage(net, PLAT_NET_SYSTEM_PLAYER, net->ownPlayer, &m, sizeof m);
}

static void QueuePlayerMessage(PlatNet* net, uint32_t type, const NetPacketPlayer& p) {
    PlatNetSysPlayer m{};
    m.type = type;
    m.playerId = p.id;
    memcpy(m.shortName, p.shortName, sizeof m.shortName);
    memcpy(m.longName, p.longName, sizeof m.longName);
    QueueMessage(net, PLAT_NET_SYSTEM_PLAYER, net->ownPlayer, &m, sizeof m);
}

static void SendPacket(PlatNet* net, ENetPeer* peer, const NetPacket& p, int guaranteed) {
    static thread_local uint8_t buffer[NET_PACKET_MAX + 1024];
    const size_t size = NetEncodePacket(&p, buffer, sizeof buffer);
    if (!peer || size == 0 || net->cutOff)
        return;
    ENetPacket* packet = enet_packet_create(buffer, size, guaranteed ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (packet && enet_peer_send(peer, guaranteed ? CHANNEL_GUARANTEED : CHANNEL_UNGUARANTEED, packet) != 0)
        enet_packet_destroy(packet);
}

static void SendRaw(PlatNet* net, const ENetAddress& to, const NetPacket& p) {
    uint8_t buffer[ENET_PROTOCOL_MAXIMUM_MTU];
    const size_t size = NetEncodePacket(&p, buffer, sizeof buffer);
    if (size == 0 || net->cutOff || !net->host)
        return;
    ENetBuffer b;
    b.data = buffer;
    b.dataLength = size;
    enet_socket_send(net->host->socket, &to, &b, 1);
}

static void OwnPlayerRecord(const PlatNet* net, NetPacketPlayer* p) {
    p->member = net->ownNumber;
    p->id = net->ownPlayer;
    memcpy(p->shortName, net->ownShort, sizeof p->shortName);
    memcpy(p->longName, net->ownLong, sizeof p->longName);
}

static void CopyName(char* out, const char* in) {
    strncpy(out, in ? in : "", PLAT_NET_NAME_MAX - 1);
    out[PLAT_NET_NAME_MAX - 1] = 0;
}

static void CurrentDesc(const PlatNet* net, PlatNetSessionDesc* out) {
    *out = net->session;
    out->currentPlayers = 1 + (int)net->members.size();
}

// ---------------------------------------------------------------------------
// Leaving members, migration, session lost.

static void ResetAllPeers(PlatNet* net) {
    for (Member& m : net->members)
        if (m.peer) {
            m.peer->data = nullptr;
            enet_peer_reset(m.peer);
        }
    net->members.clear();
}

static void LoseSession(PlatNet* net, uint32_t reason) {
    if (net->state != STATE_IN)
        return;
    ResetAllPeers(net);
    net->doubted.clear();
    net->state = STATE_LOST;
    net->isHost = false;
    PlatNetSysSessionLost m{PLAT_NET_SYS_SESSIONLOST, reason};
    QueueMessage(net, PLAT_NET_SYSTEM_PLAYER, net->ownPlayer, &m, sizeof m);
    net->changed.notify_all();
}

static Dropped* FindDropped(PlatNet* net, const ENetAddress& a) {
    for (Dropped& d : net->dropped)
        if (d.host == a.host && d.port == a.port)
            return &d;
    return nullptr;
}

static void ForgetDropped(PlatNet* net, const ENetAddress& a) {
    Dropped* d = FindDropped(net, a);
    if (d)
        net->dropped.erase(net->dropped.begin() + (d - net->dropped.data()));
}

static void RememberDropped(PlatNet* net, const Member& gone) {
    ENetAddress a;
    a.host = gone.host;
    a.port = gone.port;
    ForgetDropped(net, a);
    if (net->dropped.size() >= DROPPED_MAX)
        net->dropped.erase(net->dropped.begin());
    net->dropped.push_back(Dropped{gone.number, gone.host, gone.port, 0});
}

// The host role passes to the earliest-joined survivor; only that member is
// told.
static void Migrate(PlatNet* net) {
    if (!(net->session.flags & PLAT_NET_SESSION_MIGRATEHOST)) {
        LoseSession(net, PLAT_NET_LOST_PEERS_GONE);
        return;
    }
    uint32_t earliest = net->ownNumber, latest = net->ownNumber;
    for (const Member& m : net->members) {
        earliest = std::min(earliest, m.number);
        latest = std::max(latest, m.number);
    }
    net->hostNumber = earliest;
    if (earliest == net->ownNumber && !net->isHost) {
        net->isHost = true;
        net->nextNumber = latest + 1;
        QueueSystem(net, PLAT_NET_SYS_HOST);
    }
}

// A member dropped for silence or a fault is remembered, so that it can be
// told it is out should it speak again; one that closed is not.
static void DropMember(PlatNet* net, uint32_t number, bool remember) {
    Member* m = FindMember(net, number);
    if (!m)
        return;
    const Member gone = *m;
    net->members.erase(net->members.begin() + (m - net->members.data()));
    if (remember)
        RememberDropped(net, gone);
    if (gone.peer)
        gone.peer->data = nullptr;
    if (gone.player.id != 0)
        QueuePlayerMessage(net, PLAT_NET_SYS_DESTROYPLAYER, gone.player);
    if (gone.number == net->hostNumber)
        Migrate(net);
}

// A peer went silent.  When every other peer has been silent for half the
// keep-alive time too, it is this member that is cut off: the session is lost.
static void PeerTimedOut(PlatNet* net, uint32_t number) {
    bool othersHeard = false, othersExist = false;
    for (const Member& m : net->members) {
        if (m.number == number || !m.peer)
            continue;
        othersExist = true;
        if (ENET_TIME_DIFFERENCE(net->host->serviceTime, m.peer->lastReceiveTime) <
            (uint32_t)net->config.keepAliveMs / 2)
            othersHeard = true;
    }
    if (othersExist && !othersHeard) {
        LoseSession(net, PLAT_NET_LOST_PEERS_GONE);
        return;
    }
    DropMember(net, number, true);
}

// ---------------------------------------------------------------------------
// A stall of this member.  Its peers dropped it if it lasted the keep-alive
// time; its own time-outs, which fire as soon as it runs again, then say
// nothing of them.  They are held while the host is asked, again every
// CHECK_INTERVAL_MS for the keep-alive time; a host that answers "not in
// the session" makes it session lost (dropped).  Held time-outs that nobody
// answers are taken as they stand.

static void NoteStall(PlatNet* net) {
    const uint32_t now = Now();
    if (net->state == STATE_IN && ENET_TIME_DIFFERENCE(now, net->lastPassAt) >= (uint32_t)net->config.keepAliveMs / 2) {
        net->inDoubt = true;
        net->doubtUntil = now + 2 * (uint32_t)net->config.keepAliveMs;
    }
    net->lastPassAt = now;
}

static bool InDoubt(PlatNet* net) {
    if (net->inDoubt && !ENET_TIME_LESS(Now(), net->doubtUntil))
        net->inDoubt = false;
    return net->inDoubt;
}

static ENetAddress AddressOf(const Member& m) {
    ENetAddress a;
    a.host = m.host;
    a.port = m.port;
    return a;
}

static void AskStillIn(PlatNet* net) {
    NetPacket q{};
    q.kind = NET_KIND_STILL_IN;
    q.instance = net->session.instance;
    q.member = net->ownNumber;
    for (uint32_t number : net->doubted) {
        const Member* m = FindMember(net, number);
        if (m)
            SendRaw(net, AddressOf(*m), q);
    }
    net->nextCheckAt = Now() + CHECK_INTERVAL_MS;
}

static void Doubt(PlatNet* net, uint32_t number) {
    if (std::find(net->doubted.begin(), net->doubted.end(), number) == net->doubted.end())
        net->doubted.push_back(number);
    if (net->doubted.size() == 1)
        net->checkUntil = Now() + (uint32_t)net->config.keepAliveMs;
    AskStillIn(net);
}

static void CheckDoubted(PlatNet* net) {
    if (net->doubted.empty() || net->state != STATE_IN)
        return;
    if (ENET_TIME_LESS(Now(), net->checkUntil)) {
        if (!ENET_TIME_LESS(Now(), net->nextCheckAt))
            AskStillIn(net);
        return;
    }
    std::vector<uint32_t> numbers;
    numbers.swap(net->doubted);
    for (uint32_t number : numbers)
        PeerTimedOut(net, number);
}

static void TellNotInSession(PlatNet* net, Dropped* d) {
    NetPacket out{};
    out.kind = NET_KIND_NOT_IN_SESSION;
    out.instance = net->session.instance;
    out.member = d->number;
    ENetAddress a;
    a.host = d->host;
    a.port = d->port;
    SendRaw(net, a, out);
    d->toldAt = Now() | 1;
}

// The host hears a member it dropped still using its old connection (the
// member was stopped, or has not timed out yet): it is told it is out.
// Connection requests carry no peer: they are new joins.
static void AnswerDroppedTraffic(PlatNet* net, const ENetAddress& from, const uint8_t* data, size_t size) {
    if (net->dropped.empty() || net->state != STATE_IN || !net->isHost || size < 2)
        return;
    const uint16_t peerWord = (uint16_t)(data[0] << 8 | data[1]);
    if ((peerWord & ~(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK)) ==
        ENET_PROTOCOL_MAXIMUM_PEER_ID)
        return;
    Dropped* d = FindDropped(net, from);
    if (d && (d->toldAt == 0 || !ENET_TIME_LESS(Now(), d->toldAt + CHECK_INTERVAL_MS)))
        TellNotInSession(net, d);
}

// A member asks whether it is still in: its connection to the host is gone
// on its side, so it is not, whatever the host's side still holds.
static void StillInAsked(PlatNet* net, const ENetAddress& from, const NetPacket& in) {
    if (net->state != STATE_IN || !net->isHost || !PlatGuidEqual(&in.instance, &net->session.instance))
        return;
    Member* m = FindMember(net, in.member);
    if (m && m->host == from.host && m->port == from.port) {
        if (m->peer) {
            m->peer->data = nullptr;
            enet_peer_reset(m->peer);
            m->peer = nullptr;
        }
        DropMember(net, in.member, true);
    }
    Dropped* d = FindDropped(net, from);
    if (d && d->number == in.member)
        TellNotInSession(net, d);
}

// Only the host puts a member out.  After a stall this member's idea of
// who hosts may be old: then any member of the session is believed.
static void NotInSessionTold(PlatNet* net, const ENetAddress& from, const NetPacket& in) {
    if (net->state != STATE_IN || net->closing || in.member != net->ownNumber ||
        !PlatGuidEqual(&in.instance, &net->session.instance))
        return;
    for (const Member& m : net->members) {
        if (m.host != from.host || m.port != from.port)
            continue;
        if ((m.number == net->hostNumber && !net->isHost) || InDoubt(net))
            LoseSession(net, PLAT_NET_LOST_DROPPED);
        return;
    }
}

// ---------------------------------------------------------------------------
// Packets on the connections.

static void AcceptJoin(PlatNet* net, ENetPeer* peer, const NetPacket& in) {
    NetPacket& out = *new (std::nothrow) NetPacket();
    std::unique_ptr<NetPacket> keep(&out);
    if (net->state != STATE_IN || !net->isHost || !PlatGuidEqual(&in.application, &net->session.application) ||
        !PlatGuidEqual(&in.instance, &net->session.instance)) {
        out.kind = NET_KIND_JOIN_REFUSE;
        out.reason = NET_REFUSE_WRONG_SESSION;
        SendPacket(net, peer, out, 1);
        enet_peer_disconnect_later(peer, DISCONNECT_REFUSED);
        return;
    }
    if (1 + (int)net->members.size() >= SessionCapacity(net) || (net->session.flags & PLAT_NET_SESSION_JOINDISABLED)) {
        out.kind = NET_KIND_JOIN_REFUSE;
        out.reason = NET_REFUSE_ACCESS_DENIED;
        SendPacket(net, peer, out, 1);
        enet_peer_disconnect_later(peer, DISCONNECT_REFUSED);
        return;
    }
    out.kind = NET_KIND_JOIN_ACCEPT;
    out.yourMember = net->nextNumber++;
    out.hostMember = net->ownNumber;
    out.lastPlayerId = net->lastPlayerId;
    CurrentDesc(net, &out.session);
    out.memberCount = 0;
    NetPacketMember& self = out.members[out.memberCount++];
    self.number = net->ownNumber;
    self.host = 0;   // the connection the accept travels on
    self.port = 0;
    OwnPlayerRecord(net, &self.player);
    for (const Member& m : net->members) {
        NetPacketMember& e = out.members[out.memberCount++];
        e.number = m.number;
        e.host = m.host;
        e.port = m.port;
        e.player = m.player;
    }
    SendPacket(net, peer, out, 1);
    Member joiner{};
    joiner.number = out.yourMember;
    joiner.peer = peer;
    joiner.host = peer->address.host;
    joiner.port = peer->address.port;
    peer->data = peer;   // a member's connection
    net->members.push_back(joiner);
    ForgetDropped(net, peer->address);
}

static void JoinAccepted(PlatNet* net, ENetPeer* peer, const NetPacket& in) {
    if (net->state != STATE_JOINING || peer != net->joinPeer)
        return;
    net->ownNumber = in.yourMember;
    net->hostNumber = in.hostMember;
    net->lastPlayerId = in.lastPlayerId;
    net->session = in.session;
    net->members.clear();
    for (int i = 0; i < in.memberCount; i++) {
        const NetPacketMember& e = in.members[i];
        if (e.number == net->ownNumber || FindMember(net, e.number))
            continue;
        Member m{};
        m.number = e.number;
        m.player = e.player;
        m.player.member = e.number;
        if (e.host == 0 && e.port == 0) {
            m.peer = peer;
            m.host = peer->address.host;
            m.port = peer->address.port;
        } else {
            ENetAddress a;
            a.host = e.host;
            a.port = e.port;
            m.host = e.host;
            m.port = e.port;
            m.peer = enet_host_connect(net->host, &a, CHANNEL_COUNT, 0);
            if (!m.peer)
                continue;
            enet_peer_timeout(m.peer, 0, (uint32_t)net->config.keepAliveMs, (uint32_t)net->config.keepAliveMs);
            m.peer->data = m.peer;
            net->pendingHellos++;
        }
        net->members.push_back(m);
    }
    peer->data = peer;
    if (net->pendingHellos == 0) {
        net->state = STATE_IN;
        net->joinPending = false;
        net->changed.notify_all();
    }
}

static void HelloDone(PlatNet* net) {
    if (net->state == STATE_JOINING && net->joinPending && --net->pendingHellos <= 0) {
        net->pendingHellos = 0;
        net->state = STATE_IN;
        net->joinPending = false;
        net->changed.notify_all();
    }
}

static void PeerHello(PlatNet* net, ENetPeer* peer, const NetPacket& in) {
    if (net->state != STATE_IN || !PlatGuidEqual(&in.instance, &net->session.instance) || in.member == net->ownNumber)
        return;
    Member* m = FindMember(net, in.member);
    if (!m) {
        net->members.push_back(Member{});
        m = &net->members.back();
        m->number = in.member;
    }
    m->peer = peer;
    m->host = peer->address.host;
    m->port = peer->address.port;
    peer->data = peer;
}

static void AddPlayer(PlatNet* net, const NetPacketPlayer& p) {
    net->lastPlayerId = std::max(net->lastPlayerId, p.id);
    if (p.member == net->ownNumber) {
        net->ownPlayer = p.id;
        net->changed.notify_all();
        return;
    }
    Member* m = FindMember(net, p.member);
    if (!m) {   // its introduction has not come yet
        net->members.push_back(Member{});
        m = &net->members.back();
        m->number = p.member;
    }
    if (m->player.id != 0)
        return;
    m->player = p;
    QueuePlayerMessage(net, PLAT_NET_SYS_CREATEPLAYER, p);
}

static void PlayerRequested(PlatNet* net, Member* from, const NetPacket& in) {
    if (!net->isHost || from->player.id != 0)
        return;
    NetPacket out{};
    out.kind = NET_KIND_PLAYER_ADD;
    out.player = in.player;
    out.player.member = from->number;
    out.player.id = ++net->lastPlayerId;
    for (const Member& m : net->members)
        if (m.peer)
            SendPacket(net, m.peer, out, 1);
    AddPlayer(net, out.player);
}

static void GameMessage(PlatNet* net, Member* from, const NetPacket& in) {
    // Only the sender's own player may speak on its connection.
    if (from->player.id == 0 || in.from != from->player.id)
        return;
    if (in.to != PLAT_NET_ALL_PLAYERS && in.to != net->ownPlayer)
        return;
    QueueMessage(net, in.from, net->ownPlayer, in.data, (size_t)in.length);
}

static void BadPacket(PlatNet* net, ENetPeer* peer) {
    Member* m = MemberOfPeer(net, peer);
    const uint32_t number = m ? m->number : 0;
    peer->data = nullptr;
    enet_peer_disconnect_now(peer, DISCONNECT_BAD_PACKET);
    if (m) {
        m->peer = nullptr;
        DropMember(net, number, true);
    }
}

static void Received(PlatNet* net, ENetPeer* peer, const ENetPacket* packet) {
    NetPacket& p = net->scratch;
    if (!NetDecodePacket(packet->data, packet->dataLength, &p)) {
        BadPacket(net, peer);
        return;
    }
    Member* from = MemberOfPeer(net, peer);
    switch (p.kind) {
    case NET_KIND_JOIN_REQUEST:
        if (!from)
            AcceptJoin(net, peer, p);
        break;
    case NET_KIND_JOIN_ACCEPT:
        JoinAccepted(net, peer, p);
        break;
    case NET_KIND_JOIN_REFUSE:
        if (net->state == STATE_JOINING && peer == net->joinPeer) {
            // The host disconnects a refused joiner. Open waits for that
            // disconnect: reset early, this end would reuse the peer slot for
            // the next join, and the host's resent disconnect would then close
            // that new connection while it is still connecting.
            net->joinResult = p.reason == NET_REFUSE_ACCESS_DENIED ? PLAT_NET_ERR_ACCESSDENIED : PLAT_NET_ERR_NOSESSIONS;
            net->joinRefused = true;
        }
        break;
    case NET_KIND_PEER_HELLO:
        if (!from)
            PeerHello(net, peer, p);
        break;
    case NET_KIND_PLAYER_REQUEST:
        if (from)
            PlayerRequested(net, from, p);
        break;
    case NET_KIND_PLAYER_ADD:
        if (from && from->number == net->hostNumber)
            AddPlayer(net, p.player);
        break;
    case NET_KIND_SESSION_DESC:
        if (from && from->number == net->hostNumber && PlatGuidEqual(&p.session.instance, &net->session.instance))
            net->session = p.session;
        break;
    case NET_KIND_GAME:
        if (from && net->state == STATE_IN)
            GameMessage(net, from, p);
        break;
    default:   // listing packets never travel on a connection
        BadPacket(net, peer);
        break;
    }
}

static void Connected(PlatNet* net, ENetPeer* peer) {
    enet_peer_timeout(peer, 0, (uint32_t)net->config.keepAliveMs, (uint32_t)net->config.keepAliveMs);
    if (peer == net->joinPeer && net->state == STATE_JOINING) {
        NetPacket out{};
        out.kind = NET_KIND_JOIN_REQUEST;
        out.application = net->session.application;
        out.instance = net->session.instance;
        SendPacket(net, peer, out, 1);
        return;
    }
    Member* m = MemberOfPeer(net, peer);
    if (m && net->state == STATE_JOINING) {   // one we connected to after the accept
        NetPacket out{};
        out.kind = NET_KIND_PEER_HELLO;
        out.instance = net->session.instance;
        out.member = net->ownNumber;
        SendPacket(net, peer, out, 1);
        HelloDone(net);
    }
}

static void Disconnected(PlatNet* net, ENetPeer* peer, uint32_t code) {
    if (peer == net->joinPeer && net->joinPending) {
        if (!net->joinRefused)
            net->joinResult = PLAT_NET_ERR_NOSESSIONS;
        net->joinPending = false;
        net->changed.notify_all();
    }
    Member* m = MemberOfPeer(net, peer);
    peer->data = nullptr;
    net->changed.notify_all();
    if (!m)
        return;
    m->peer = nullptr;
    const uint32_t number = m->number;
    if (net->state == STATE_JOINING) {   // an introduction that failed
        net->members.erase(net->members.begin() + (m - net->members.data()));
        HelloDone(net);
        return;
    }
    if (net->closing || net->state != STATE_IN)
        return;
    if (code != 0)
        DropMember(net, number, false);
    else if (InDoubt(net))
        Doubt(net, number);
    else
        PeerTimedOut(net, number);
}

// ---------------------------------------------------------------------------
// Raw datagrams: the listing, and the loss hook.

static void AnswerQuery(PlatNet* net, const ENetAddress& to, const NetPacket& in) {
    if (net->state != STATE_IN || !net->isHost || !PlatGuidEqual(&in.application, &net->session.application))
        return;
    NetPacket out{};
    out.kind = NET_KIND_ANSWER;
    out.queryId = in.queryId;
    CurrentDesc(net, &out.session);
    SendRaw(net, to, out);
}

static void AnswerPlayersQuery(PlatNet* net, const ENetAddress& to, const NetPacket& in) {
    if (net->state != STATE_IN || !net->isHost || !PlatGuidEqual(&in.instance, &net->session.instance))
        return;
    std::unique_ptr<NetPacket> out(new NetPacket());
    out->kind = NET_KIND_PLAYERS_ANSWER;
    out->queryId = in.queryId;
    auto add = [&](const NetPacketPlayer& p) {
        if (p.id == 0)
            return;
        NetPacketPlayer& e = out->players[out->playerCount++];
        e = p;
        e.shortName[NET_PACKET_QUERY_NAME_MAX] = 0;
        e.longName[NET_PACKET_QUERY_NAME_MAX] = 0;
    };
    NetPacketPlayer own;
    OwnPlayerRecord(net, &own);
    add(own);
    for (const Member& m : net->members)
        add(m.player);
    SendRaw(net, to, *out);
}

static void SessionAnswered(PlatNet* net, const ENetAddress& from, const NetPacket& in) {
    Listing* l = nullptr;
    if (net->sync.active && in.queryId == net->sync.queryId)
        l = &net->sync;
    else if (net->async.active && in.queryId == net->async.queryId)
        l = &net->async;
    if (!l)
        return;
    for (const PlatGuid& g : l->seen)
        if (PlatGuidEqual(&g, &in.session.instance))
            return;
    l->seen.push_back(in.session.instance);
    bool stored = false;
    for (KnownSession& k : net->known)
        if (PlatGuidEqual(&k.desc.instance, &in.session.instance)) {
            k.desc = in.session;
            k.address = from;
            stored = true;
        }
    if (!stored)
        net->known.push_back(KnownSession{in.session, from});
    const int full = in.session.currentPlayers >= in.session.maxPlayers;
    if ((l->flags & PLAT_NET_ENUM_AVAILABLE) && (full || (in.session.flags & PLAT_NET_SESSION_JOINDISABLED)))
        return;
    l->found.push_back(in.session);
}

// 1 when the ENet datagram carries an unguaranteed send.
static int CarriesUnguaranteed(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint16_t peerWord = (uint16_t)(data[0] << 8 | data[1]);
    if (peerWord & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED)
        return 0;
    size_t at = (peerWord & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) ? 4 : 2;
    while (at < size) {
        const uint8_t command = data[at] & ENET_PROTOCOL_COMMAND_MASK;
        const size_t commandSize = enet_protocol_command_size(command);
        if (commandSize == 0 || commandSize > size - at)
            return 0;
        size_t lengthAt = 0;
        switch (command) {
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE:
        case ENET_PROTOCOL_COMMAND_SEND_UNSEQUENCED:
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT:
            return 1;
        case ENET_PROTOCOL_COMMAND_SEND_RELIABLE:
            lengthAt = offsetof(ENetProtocolSendReliable, dataLength);
            break;
        case ENET_PROTOCOL_COMMAND_SEND_FRAGMENT:
            lengthAt = offsetof(ENetProtocolSendFragment, dataLength);
            break;
        default:
            break;
        }
        size_t dataLength = 0;
        if (lengthAt)
            dataLength = (size_t)(data[at + lengthAt] << 8 | data[at + lengthAt + 1]);
        at += commandSize + dataLength;
    }
    return 0;
}

static int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
    PlatNet* net = servicedNet;
    if (!net)
        return 0;
    const uint8_t* data = host->receivedData;
    const size_t size = host->receivedDataLength;
    if (!NetLooksLikePacket(data, size)) {
        AnswerDroppedTraffic(net, host->receivedAddress, data, size);
        if (net->lossPercent > 0 && CarriesUnguaranteed(data, size) &&
            (int)(net->lossDraw() % 100) < net->lossPercent)
            return 1;
        return 0;
    }
    NetPacket& p = net->scratch;
    if (!NetDecodePacket(data, size, &p))
        return 1;
    switch (p.kind) {
    case NET_KIND_QUERY:
        AnswerQuery(net, host->receivedAddress, p);
        break;
    case NET_KIND_ANSWER:
        SessionAnswered(net, host->receivedAddress, p);
        break;
    case NET_KIND_PLAYERS_QUERY:
        AnswerPlayersQuery(net, host->receivedAddress, p);
        break;
    case NET_KIND_STILL_IN:
        StillInAsked(net, host->receivedAddress, p);
        break;
    case NET_KIND_NOT_IN_SESSION:
        NotInSessionTold(net, host->receivedAddress, p);
        break;
    case NET_KIND_PLAYERS_ANSWER:
        if (p.queryId == net->playersQueryId && !net->playersAnswered) {
            *net->playersAnswer = p;
            net->playersAnswered = true;
            net->changed.notify_all();
        }
        break;
    default:
        break;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// The service thread.

static void ServiceOnce(PlatNet* net) {
    NoteStall(net);
    if (net->cutOff) {
        // Hear nothing: empty the socket without looking.
        uint8_t sink[ENET_PROTOCOL_MAXIMUM_MTU];
        ENetBuffer b;
        b.data = sink;
        b.dataLength = sizeof sink;
        ENetAddress from;
        while (enet_socket_receive(net->host->socket, &from, &b, 1) > 0) {
        }
        if (ENET_TIME_DIFFERENCE(Now(), net->cutOffAt) >= (uint32_t)net->config.keepAliveMs)
            LoseSession(net, PLAT_NET_LOST_PEERS_GONE);
        return;
    }
    servicedNet = net;
    ENetEvent event;
    while (enet_host_service(net->host, &event, 0) > 0) {
        switch (event.type) {
        case ENET_EVENT_TYPE_CONNECT:
            Connected(net, event.peer);
            break;
        case ENET_EVENT_TYPE_RECEIVE:
            Received(net, event.peer, event.packet);
            enet_packet_destroy(event.packet);
            break;
        case ENET_EVENT_TYPE_DISCONNECT:
            Disconnected(net, event.peer, event.data);
            break;
        default:
            break;
        }
    }
    servicedNet = nullptr;
    CheckDoubted(net);
}

static void ServiceThread(PlatNet* net) {
    while (!net->stopping) {
        if (net->stalling) {   // the test hook: as if the process were stopped
            if (ENET_TIME_LESS(Now(), net->stallUntil)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(SERVICE_WAIT_MS));
                continue;
            }
            net->stalling = false;
        }
        enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
        enet_socket_wait(net->host->socket, &condition, SERVICE_WAIT_MS);
        std::vector<PlatNetSessionDesc> found;
        bool closing = false;
        uint32_t generation;
        PlatNetSessionCallback callback;
        void* context;
        {
            std::lock_guard<std::mutex> lock(net->lock);
            ServiceOnce(net);
            generation = net->asyncGeneration;
            callback = net->asyncCallback;
            context = net->asyncContext;
            if (net->async.active) {
                found.swap(net->async.found);
                if ((int32_t)(Now() - net->asyncDeadline) >= 0) {
                    net->async.active = false;
                    closing = true;
                }
            }
        }
        if (found.empty() && !closing)
            continue;
        std::lock_guard<std::mutex> calls(net->callbackLock);
        if (generation != net->asyncGeneration || !callback)
            continue;   // cancelled meanwhile
        bool more = true;
        for (const PlatNetSessionDesc& d : found)
            if (more)
                more = callback(&d, 0, context) != 0;
        if (closing)
            callback(nullptr, PLAT_NET_ENUM_TIMEDOUT, context);
    }
}

// ---------------------------------------------------------------------------
// Set-up.

static std::once_flag enetStarted;

void PlatNetDefaultConfig(PlatNetConfig* config) {
    memset(config, 0, sizeof *config);
    config->port = PlatNetPort();
    config->keepAliveMs = 5000;
}

PlatNet* PlatNetCreate(const PlatNetConfig* config) {
    std::call_once(enetStarted, [] { enet_initialize(); });
    PlatNet* net = new (std::nothrow) PlatNet();
    if (!net)
        return nullptr;
    if (config)
        net->config = *config;
    else
        PlatNetDefaultConfig(&net->config);
    if (net->config.keepAliveMs <= 0)
        net->config.keepAliveMs = 5000;
    return net;
}

int PlatNetEnumConnections(PlatNet* net, const PlatGuid*, PlatNetConnectionCallback callback, void* context) {
    if (!net || !callback)
        return PLAT_NET_ERR_INVALIDPARAMS;
    PlatNetAddress any[1];
    if (providerHidden || PlatNetInterfaceBroadcasts(any, 1) == 0)
        return PLAT_NET_OK;   // no provider
    const int32_t connection[2] = {net->config.port, (int32_t)net->config.bindHost};
    callback(&PlatNetProviderGuid, connection, (int)sizeof connection, "UDP over IPv4", 0, context);
    return PLAT_NET_OK;
}

int PlatNetInitializeConnection(PlatNet* net, const void* connection, int size) {
    if (!net || !connection || size != 8)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->host)
        return PLAT_NET_ERR_ALREADYINITIALIZED;
    int32_t words[2];
    memcpy(words, connection, sizeof words);
    ENetAddress address;
    address.host = (uint32_t)words[1];
    address.port = (uint16_t)words[0];
    errno = 0;
    net->host = enet_host_create(&address, PEER_SLOTS, CHANNEL_COUNT, 0, 0);
    if (!net->host)
        return errno == EADDRINUSE ? PLAT_NET_ERR_PORTINUSE : PLAT_NET_ERR_NOCONNECTION;
    net->host->intercept = Intercept;
    net->lastPassAt = Now();
    net->stopping = false;
    try {
        net->service = std::thread(ServiceThread, net);
    } catch (...) {
        enet_host_destroy(net->host);
        net->host = nullptr;
        return PLAT_NET_ERR_GENERIC;
    }
    return PLAT_NET_OK;
}

int PlatNetBoundPort(PlatNet* net) {
    if (!net)
        return 0;
    std::lock_guard<std::mutex> lock(net->lock);
    if (!net->host)
        return 0;
    ENetAddress a;
    if (enet_socket_get_address(net->host->socket, &a) != 0)
        return 0;
    return a.port;
}

void PlatNetRelease(PlatNet* net) {
    if (!net)
        return;
    PlatNetEnumSessions(net, nullptr, 0, nullptr, nullptr, PLAT_NET_ENUM_STOPASYNC);
    PlatNetClose(net);
    net->stopping = true;
    if (net->service.joinable())
        net->service.join();
    if (net->host)
        enet_host_destroy(net->host);
    delete net;
}

// ---------------------------------------------------------------------------
// Sessions.

static void RandomGuid(PlatGuid* g) {
    std::random_device device;
    uint32_t w[4];
    for (uint32_t& x : w)
        x = device();
    memcpy(g, w, sizeof *g);
}

int PlatNetOpen(PlatNet* net, const PlatNetSessionDesc* desc, int flags) {
    if (!net || !desc)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::unique_lock<std::mutex> lock(net->lock);
    if (!net->host)
        return PLAT_NET_ERR_NOCONNECTION;
    if (net->state == STATE_IN || net->state == STATE_JOINING)
        return PLAT_NET_ERR_ALREADYINITIALIZED;
    net->members.clear();
    net->queue.clear();
    net->queueBytes = 0;
    net->ownPlayer = 0;
    net->isHost = false;
    net->cutOff = false;
    net->dropped.clear();
    net->doubted.clear();
    net->inDoubt = false;
    if (flags == PLAT_NET_OPEN_CREATE) {
        net->session = *desc;
        net->session.name[PLAT_NET_NAME_MAX - 1] = 0;
        RandomGuid(&net->session.instance);
        net->state = STATE_IN;
        net->isHost = true;
        net->ownNumber = net->hostNumber = 1;
        net->nextNumber = 2;
        net->lastPlayerId = 0;
        return PLAT_NET_OK;
    }
    if (flags != PLAT_NET_OPEN_JOIN)
        return PLAT_NET_ERR_INVALIDPARAMS;
    const KnownSession* target = nullptr;
    for (const KnownSession& k : net->known)
        if (PlatGuidEqual(&k.desc.instance, &desc->instance))
            target = &k;
    if (!target)
        return PLAT_NET_ERR_NOSESSIONS;
    net->session = target->desc;
    net->state = STATE_JOINING;
    net->joinPending = true;
    net->joinRefused = false;
    net->joinResult = PLAT_NET_OK;
    net->pendingHellos = 0;
    net->joinPeer = enet_host_connect(net->host, &target->address, CHANNEL_COUNT, 0);
    if (!net->joinPeer) {
        net->state = STATE_IDLE;
        return PLAT_NET_ERR_GENERIC;
    }
    enet_peer_timeout(net->joinPeer, 0, (uint32_t)net->config.keepAliveMs, (uint32_t)net->config.keepAliveMs);
    enet_host_flush(net->host);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(2 * net->config.keepAliveMs);
    net->changed.wait_until(lock, deadline, [net] { return !net->joinPending; });
    int result = net->joinResult;
    if (net->joinPending && !net->joinRefused)
        result = PLAT_NET_ERR_TIMEOUT;
    if (result != PLAT_NET_OK || net->state != STATE_IN) {
        if (result == PLAT_NET_OK)
            result = PLAT_NET_ERR_NOSESSIONS;
        ResetAllPeers(net);
        if (net->joinPeer && net->joinPeer->state != ENET_PEER_STATE_DISCONNECTED) {
            // Tell the host, so it stops resending to a slot the next join reuses.
            net->joinPeer->data = nullptr;
            enet_peer_disconnect_now(net->joinPeer, DISCONNECT_CLOSED);
        }
        net->joinPeer = nullptr;
        net->joinPending = false;
        net->state = STATE_IDLE;
        return result;
    }
    net->joinPeer = nullptr;
    return PLAT_NET_OK;
}

int PlatNetClose(PlatNet* net) {
    if (!net)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::unique_lock<std::mutex> lock(net->lock);
    if (net->state == STATE_IDLE)
        return PLAT_NET_OK;
    if (!net->cutOff) {
        net->closing = true;
        for (Member& m : net->members)
            if (m.peer)
                enet_peer_disconnect_later(m.peer, DISCONNECT_CLOSED);
        enet_host_flush(net->host);
        // The service thread sees the disconnections through; a peer that
        // does not answer in time is reset.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(CLOSE_WAIT_MS);
        net->changed.wait_until(lock, deadline, [net] {
            for (const Member& m : net->members)
                if (m.peer && m.peer->state != ENET_PEER_STATE_DISCONNECTED && m.peer->data)
                    return false;
            return true;
        });
        net->closing = false;
    }
    ResetAllPeers(net);
    net->dropped.clear();
    net->doubted.clear();
    net->inDoubt = false;
    net->state = STATE_IDLE;
    net->isHost = false;
    net->ownPlayer = 0;
    net->receiveEvent = nullptr;
    net->queue.clear();
    net->queueBytes = 0;
    net->cutOff = false;
    return PLAT_NET_OK;
}

int PlatNetGetSessionDesc(PlatNet* net, PlatNetSessionDesc* out) {
    if (!net || !out)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->state != STATE_IN)
        return PLAT_NET_ERR_NOTINSESSION;
    CurrentDesc(net, out);
    return PLAT_NET_OK;
}

int PlatNetSetSessionDesc(PlatNet* net, const PlatNetSessionDesc* desc) {
    if (!net || !desc)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->state != STATE_IN)
        return PLAT_NET_ERR_NOTINSESSION;
    if (!net->isHost)
        return PLAT_NET_ERR_ACCESSDENIED;
    net->session.flags = desc->flags;
    net->session.maxPlayers = desc->maxPlayers;
    memcpy(net->session.name, desc->name, sizeof net->session.name);
    net->session.name[PLAT_NET_NAME_MAX - 1] = 0;
    memcpy(net->session.user, desc->user, sizeof net->session.user);
    NetPacket out{};
    out.kind = NET_KIND_SESSION_DESC;
    out.session = net->session;
    for (const Member& m : net->members)
        if (m.peer)
            SendPacket(net, m.peer, out, 1);
    enet_host_flush(net->host);
    return PLAT_NET_OK;
}

// ---------------------------------------------------------------------------
// Listing.

static void SendQueries(PlatNet* net, const PlatGuid* application, const Listing& l) {
    PlatNetAddress to[PLAT_NET_MAX_SEARCH];
    int count = net->config.searchCount;
    if (count > 0)
        memcpy(to, net->config.search, sizeof(PlatNetAddress) * (size_t)count);
    else
        count = PlatNetSearchAddresses(to, PLAT_NET_MAX_SEARCH);
    NetPacket q{};
    q.kind = NET_KIND_QUERY;
    q.application = *application;
    q.queryId = l.queryId;
    q.flags = (uint32_t)l.flags;
    for (int i = 0; i < count; i++) {
        ENetAddress a;
        a.host = to[i].host;
        a.port = to[i].port;
        SendRaw(net, a, q);
    }
}

static void StartListing(PlatNet* net, Listing* l, int flags) {
    l->queryId = net->nextQueryId++;
    l->flags = flags;
    l->active = true;
    l->seen.clear();
    l->found.clear();
}

static void CancelAsync(PlatNet* net) {
    {
        std::lock_guard<std::mutex> lock(net->lock);
        net->async.active = false;
        net->async.found.clear();
        net->asyncCallback = nullptr;
        net->asyncGeneration++;
    }
    // A callback under way finishes before this returns.
    std::lock_guard<std::mutex> calls(net->callbackLock);
}

int PlatNetEnumSessions(PlatNet* net, const PlatGuid* application, int timeoutMs, PlatNetSessionCallback callback,
                        void* context, int flags) {
    if (!net)
        return PLAT_NET_ERR_INVALIDPARAMS;
    if (flags & PLAT_NET_ENUM_STOPASYNC) {
        CancelAsync(net);
        return PLAT_NET_OK;
    }
    if (!application || !callback)
        return PLAT_NET_ERR_INVALIDPARAMS;
    if (timeoutMs <= 0)
        timeoutMs = PLAT_NET_SYNC_LISTING_MS;
    if (flags & PLAT_NET_ENUM_ASYNC) {
        CancelAsync(net);
        std::lock_guard<std::mutex> lock(net->lock);
        if (!net->host)
            return PLAT_NET_ERR_NOCONNECTION;
        StartListing(net, &net->async, flags);
        net->asyncCallback = callback;
        net->asyncContext = context;
        net->asyncDeadline = Now() + (uint32_t)timeoutMs;
        SendQueries(net, application, net->async);
        return PLAT_NET_OK;
    }
    std::vector<PlatNetSessionDesc> found;
    {
        std::unique_lock<std::mutex> lock(net->lock);
        if (!net->host)
            return PLAT_NET_ERR_NOCONNECTION;
        StartListing(net, &net->sync, flags);
        SendQueries(net, application, net->sync);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (net->changed.wait_until(lock, deadline) != std::cv_status::timeout) {
        }
        net->sync.active = false;
        found.swap(net->sync.found);
    }
    bool more = true;
    for (const PlatNetSessionDesc& d : found)
        if (more)
            more = callback(&d, 0, context) != 0;
    callback(nullptr, PLAT_NET_ENUM_TIMEDOUT, context);
    return PLAT_NET_OK;
}

int PlatNetEnumRunning(PlatNet* net) {
    if (!net)
        return 0;
    std::lock_guard<std::mutex> lock(net->lock);
    return net->async.active;
}

// ---------------------------------------------------------------------------
// Players.

int PlatNetCreatePlayer(PlatNet* net, uint32_t* id, const char* shortName, const char* longName,
                        PlatEvent* receiveEvent) {
    if (!net || !id)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::unique_lock<std::mutex> lock(net->lock);
    if (net->state != STATE_IN)
        return PLAT_NET_ERR_NOTINSESSION;
    if (net->ownPlayer != 0)
        return PLAT_NET_ERR_ALREADYINITIALIZED;
    CopyName(net->ownShort, shortName);
    CopyName(net->ownLong, longName);
    net->receiveEvent = receiveEvent;
    NetPacket out{};
    OwnPlayerRecord(net, &out.player);
    if (net->isHost) {
        out.kind = NET_KIND_PLAYER_ADD;
        out.player.id = ++net->lastPlayerId;
        net->ownPlayer = out.player.id;
        for (const Member& m : net->members)
            if (m.peer)
                SendPacket(net, m.peer, out, 1);
        enet_host_flush(net->host);
    } else {
        const Member* host = FindMember(net, net->hostNumber);
        if (!host || !host->peer)
            return PLAT_NET_ERR_CONNECTIONLOST;
        out.kind = NET_KIND_PLAYER_REQUEST;
        SendPacket(net, host->peer, out, 1);
        enet_host_flush(net->host);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(2 * net->config.keepAliveMs);
        net->changed.wait_until(lock, deadline, [net] { return net->ownPlayer != 0 || net->state != STATE_IN; });
        if (net->ownPlayer == 0) {
            net->receiveEvent = nullptr;
            return PLAT_NET_ERR_TIMEOUT;
        }
    }
    *id = net->ownPlayer;
    if (!net->queue.empty())
        Signal(net);
    return PLAT_NET_OK;
}

int PlatNetEnumPlayers(PlatNet* net, const PlatGuid* instance, PlatNetPlayerCallback callback, void* context,
                       int flags) {
    if (!net || !callback)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::vector<NetPacketPlayer> players;
    {
        std::unique_lock<std::mutex> lock(net->lock);
        if (!net->host)
            return PLAT_NET_ERR_NOCONNECTION;
        if (flags & PLAT_NET_PLAYERS_SESSION) {
            if (!instance)
                return PLAT_NET_ERR_INVALIDPARAMS;
            const KnownSession* target = nullptr;
            for (const KnownSession& k : net->known)
                if (PlatGuidEqual(&k.desc.instance, instance))
                    target = &k;
            if (!target)
                return PLAT_NET_ERR_NOSESSIONS;
            NetPacket q{};
            q.kind = NET_KIND_PLAYERS_QUERY;
            q.instance = *instance;
            q.queryId = net->playersQueryId = net->nextQueryId++;
            net->playersAnswered = false;
            SendRaw(net, target->address, q);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(PLAT_NET_SYNC_LISTING_MS);
            if (!net->changed.wait_until(lock, deadline, [net] { return net->playersAnswered; }))
                return PLAT_NET_ERR_TIMEOUT;
            for (int i = 0; i < net->playersAnswer->playerCount; i++)
                players.push_back(net->playersAnswer->players[i]);
        } else {
            if (net->state != STATE_IN)
                return PLAT_NET_ERR_NOTINSESSION;
            if (net->ownPlayer) {
                NetPacketPlayer own;
                OwnPlayerRecord(net, &own);
                players.push_back(own);
            }
            for (const Member& m : net->members)
                if (m.player.id)
                    players.push_back(m.player);
        }
    }
    std::sort(players.begin(), players.end(),
              [](const NetPacketPlayer& a, const NetPacketPlayer& b) { return a.id < b.id; });
    for (const NetPacketPlayer& p : players)
        if (!callback(p.id, p.shortName, p.longName, context))
            break;
    return PLAT_NET_OK;
}

int PlatNetIsHostPlayer(PlatNet* net, uint32_t id) {
    if (!net || id == 0)
        return 0;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->state != STATE_IN)
        return 0;
    if (net->hostNumber == net->ownNumber)
        return id == net->ownPlayer;
    const Member* host = FindMember(net, net->hostNumber);
    return host && host->player.id == id;
}

// ---------------------------------------------------------------------------
// Sending and receiving.

int PlatNetSend(PlatNet* net, uint32_t from, uint32_t to, int flags, int, const void* data, int size) {
    if (!net || !data || size < 1 || size > PLAT_NET_MAX_MESSAGE)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->state == STATE_LOST)
        return PLAT_NET_ERR_CONNECTIONLOST;
    if (net->state != STATE_IN)
        return PLAT_NET_ERR_NOTINSESSION;
    if (from == 0 || from != net->ownPlayer)
        return PLAT_NET_ERR_INVALIDPLAYER;
    if (net->cutOff)
        return PLAT_NET_OK;   // lost on the way, as on a cut cable
    NetPacket& p = *new (std::nothrow) NetPacket();
    std::unique_ptr<NetPacket> keep(&p);
    p.kind = NET_KIND_GAME;
    p.from = from;
    p.to = to;
    p.length = size;
    memcpy(p.data, data, (size_t)size);
    const int guaranteed = (flags & PLAT_NET_SEND_GUARANTEED) != 0;
    int sent = 0;
    for (const Member& m : net->members) {
        if (!m.peer || m.player.id == 0 || (to != PLAT_NET_ALL_PLAYERS && m.player.id != to))
            continue;
        SendPacket(net, m.peer, p, guaranteed);
        sent++;
    }
    if (to != PLAT_NET_ALL_PLAYERS && sent == 0)
        return PLAT_NET_ERR_INVALIDPLAYER;
    enet_host_flush(net->host);
    return PLAT_NET_OK;
}

int PlatNetReceive(PlatNet* net, uint32_t* from, uint32_t* to, int flags, void* buffer, int* size) {
    if (!net || !size)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    if (net->queue.empty())
        return PLAT_NET_ERR_NOMESSAGES;
    Queued& q = net->queue.front();
    const int needed = (int)q.bytes.size();
    if (!buffer || *size < needed) {
        *size = needed;
        if (flags & PLAT_NET_RECEIVE_DISCARD) {
            net->queueBytes -= q.bytes.size();
            net->queue.pop_front();
        }
        return PLAT_NET_ERR_BUFFERTOOSMALL;
    }
    memcpy(buffer, q.bytes.data(), (size_t)needed);
    *size = needed;
    if (from)
        *from = q.from;
    if (to)
        *to = q.to;
    net->queueBytes -= q.bytes.size();
    net->queue.pop_front();
    return PLAT_NET_OK;
}

int PlatNetGetMessageQueue(PlatNet* net, int which, int* count, int* bytes) {
    if (!net)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    int n = 0, b = 0;
    if (which == PLAT_NET_QUEUE_RECEIVE) {
        n = (int)net->queue.size();
        b = (int)net->queueBytes;
    } else if (which == PLAT_NET_QUEUE_SEND) {
        // Guaranteed sends not yet acknowledged, and everything not yet sent.
        for (const Member& m : net->members) {
            if (!m.peer)
                continue;
            n += (int)(enet_list_size(&m.peer->sentReliableCommands) + enet_list_size(&m.peer->outgoingCommands));
            b += (int)m.peer->reliableDataInTransit;
        }
    } else {
        return PLAT_NET_ERR_INVALIDPARAMS;
    }
    if (count)
        *count = n;
    if (bytes)
        *bytes = b;
    return PLAT_NET_OK;
}

int PlatNetGetCaps(PlatNet* net, PlatNetCaps* caps) {
    if (!net || !caps)
        return PLAT_NET_ERR_INVALIDPARAMS;
    memset(caps, 0, sizeof *caps);
    caps->size = sizeof *caps;
    caps->flags = 0;
    caps->maxBufferSize = PLAT_NET_MAX_MESSAGE;
    caps->maxPlayers = NET_PACKET_MAX_MEMBERS;
    caps->maxLocalPlayers = 1;
    caps->headerLength = NET_PACKET_HEADER + 10;
    caps->timeout = (uint32_t)net->config.keepAliveMs;
    return PLAT_NET_OK;
}

// ---------------------------------------------------------------------------
// Test hooks.

void PlatNetTestHideProvider(int hide) { providerHidden = hide != 0; }

void PlatNetTestSetLoss(PlatNet* net, int percent, uint32_t seed) {
    if (!net)
        return;
    std::lock_guard<std::mutex> lock(net->lock);
    net->lossPercent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    net->lossDraw.seed(seed ? seed : 1);
}

void PlatNetTestCutOff(PlatNet* net) {
    if (!net)
        return;
    std::lock_guard<std::mutex> lock(net->lock);
    net->cutOff = true;
    net->cutOffAt = Now();
}

void PlatNetTestStall(PlatNet* net, int ms) {
    if (!net)
        return;
    net->stallUntil = Now() + (uint32_t)(ms > 0 ? ms : 0);
    net->stalling = ms > 0;
}

int PlatNetTestSendRaw(PlatNet* net, uint32_t to, const void* data, int size) {
    if (!net || !data || size < 1)
        return PLAT_NET_ERR_INVALIDPARAMS;
    std::lock_guard<std::mutex> lock(net->lock);
    for (const Member& m : net->members) {
        if (!m.peer || m.player.id != to)
            continue;
        ENetPacket* packet = enet_packet_create(data, (size_t)size, ENET_PACKET_FLAG_RELIABLE);
        if (packet && enet_peer_send(m.peer, CHANNEL_GUARANTEED, packet) != 0)
            enet_packet_destroy(packet);
        enet_host_flush(net->host);
        return PLAT_NET_OK;
    }
    return PLAT_NET_ERR_INVALIDPLAYER;
}
