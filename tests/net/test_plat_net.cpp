// The session layer: members in one process on 127.0.0.1, each on a port of
// its own.

#include <gtest/gtest.h>

#include <algorithm>

#include "net_test_util.h"
#include "platform/plat_net_packet.h"

namespace {

// ---------------------------------------------------------------------------
// Packet records.

TEST(NetPackets, EveryKindRoundTripsByteForByte) {
    static NetPacket in, out;
    static uint8_t bytes[NET_PACKET_MAX + 1024], again[NET_PACKET_MAX + 1024];
    in = NetPacket{};
    in.kind = NET_KIND_JOIN_ACCEPT;
    in.yourMember = 4;
    in.hostMember = 2;
    in.lastPlayerId = 9;
    in.session = TestSession("Race\tAnn", 8);
    in.memberCount = 2;
    in.members[0].number = 2;
    snprintf(in.members[0].player.shortName, 256, "Ann");
    in.members[1].number = 3;
    in.members[1].host = 0x0100007F;
    in.members[1].port = 4000;
    in.members[1].player.id = 7;
    const size_t size = NetEncodePacket(&in, bytes, sizeof bytes);
    ASSERT_GT(size, (size_t)NET_PACKET_HEADER);
    // Header: magic "QVNP", version 1, kind, body length, little-endian.
    EXPECT_EQ(memcmp(bytes, "QVNP", 4), 0);
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[5], NET_KIND_JOIN_ACCEPT);
    EXPECT_EQ((size_t)(bytes[6] | bytes[7] << 8), size - NET_PACKET_HEADER);
    ASSERT_TRUE(NetDecodePacket(bytes, size, &out));
    EXPECT_EQ(out.yourMember, 4u);
    EXPECT_EQ(out.memberCount, 2);
    EXPECT_STREQ(out.session.name, "Race\tAnn");
    EXPECT_EQ(out.members[1].port, 4000);
    EXPECT_EQ(out.members[1].player.id, 7u);
    EXPECT_STREQ(out.members[0].player.shortName, "Ann");
    EXPECT_EQ(NetEncodePacket(&out, again, sizeof again), size);
    EXPECT_EQ(memcmp(bytes, again, size), 0);

    in = NetPacket{};
    in.kind = NET_KIND_GAME;
    in.from = 3;
    in.to = 0;
    in.length = PLAT_NET_MAX_MESSAGE;
    memset(in.data, 0xAB, sizeof in.data);
    const size_t game = NetEncodePacket(&in, bytes, sizeof bytes);
    EXPECT_EQ(game, (size_t)NET_PACKET_HEADER + 10 + PLAT_NET_MAX_MESSAGE);
    ASSERT_TRUE(NetDecodePacket(bytes, game, &out));
    EXPECT_EQ(out.length, PLAT_NET_MAX_MESSAGE);
    in.length = PLAT_NET_MAX_MESSAGE + 1;
    EXPECT_EQ(NetEncodePacket(&in, bytes, sizeof bytes), 0u);
}

// The host's word that a member is out, and the member's question, carry
// the session and the member; like every packet they parse to the byte.
TEST(NetPackets, StillInAndNotInSessionCarryTheSessionAndTheMember) {
    static NetPacket in, out;
    uint8_t bytes[64];
    for (int kind : {NET_KIND_STILL_IN, NET_KIND_NOT_IN_SESSION}) {
        in = NetPacket{};
        in.kind = kind;
        in.instance = kTestApp;
        in.member = 0x01020304;
        const size_t size = NetEncodePacket(&in, bytes, sizeof bytes);
        ASSERT_EQ(size, (size_t)NET_PACKET_HEADER + 16 + 4) << kind;
        EXPECT_EQ(bytes[5], kind);
        EXPECT_EQ(bytes[NET_PACKET_HEADER + 16], 4);   // the member, little-endian
        ASSERT_TRUE(NetDecodePacket(bytes, size, &out)) << kind;
        EXPECT_EQ(out.kind, kind);
        EXPECT_EQ(out.member, 0x01020304u);
        EXPECT_TRUE(PlatGuidEqual(&out.instance, &kTestApp));
        EXPECT_FALSE(NetDecodePacket(bytes, size - 1, &out)) << kind;
        bytes[size] = 0;
        bytes[6]++;
        EXPECT_FALSE(NetDecodePacket(bytes, size + 1, &out)) << kind;
    }
}

TEST(NetPackets, MalformedPacketsAreRefused) {
    static NetPacket p, out;
    static uint8_t bytes[NET_PACKET_MAX + 1024];
    p = NetPacket{};
    p.kind = NET_KIND_PLAYER_ADD;
    snprintf(p.player.shortName, 256, "Bo");
    const size_t size = NetEncodePacket(&p, bytes, sizeof bytes);
    ASSERT_TRUE(NetDecodePacket(bytes, size, &out));
    // Truncated, one byte too many, a body length that lies.
    EXPECT_FALSE(NetDecodePacket(bytes, size - 1, &out));
    bytes[size] = 0;
    EXPECT_FALSE(NetDecodePacket(bytes, size + 1, &out));
    bytes[6]++;
    EXPECT_FALSE(NetDecodePacket(bytes, size, &out));
    bytes[6]--;
    // A NUL inside a name.
    bytes[NET_PACKET_HEADER + 9] = 0;
    EXPECT_FALSE(NetDecodePacket(bytes, size, &out));
    bytes[NET_PACKET_HEADER + 9] = 'B';
    // Wrong magic, wrong version, unknown kind.
    for (int at : {0, 4, 5}) {
        const uint8_t kept = bytes[at];
        bytes[at] = 99;
        EXPECT_FALSE(NetDecodePacket(bytes, size, &out)) << at;
        bytes[at] = kept;
    }
    ASSERT_TRUE(NetDecodePacket(bytes, size, &out));
    // Counts above eight members and game messages of no bytes.
    p = NetPacket{};
    p.kind = NET_KIND_PLAYERS_ANSWER;
    p.playerCount = 9;
    EXPECT_EQ(NetEncodePacket(&p, bytes, sizeof bytes), 0u);
    p.playerCount = 1;
    const size_t answer = NetEncodePacket(&p, bytes, sizeof bytes);
    bytes[NET_PACKET_HEADER + 4] = 9;
    EXPECT_FALSE(NetDecodePacket(bytes, answer, &out));
    p = NetPacket{};
    p.kind = NET_KIND_GAME;
    p.length = 0;
    EXPECT_EQ(NetEncodePacket(&p, bytes, sizeof bytes), 0u);
}

// ---------------------------------------------------------------------------
// Addresses and providers.

TEST(NetAddresses, SearchListAndInterfaces) {
    PlatNetAddress a;
    ASSERT_TRUE(PlatNetParseAddress("127.0.0.1:4000", 28850, &a));
    EXPECT_EQ(a.port, 4000);
    EXPECT_EQ(a.host, htonl(INADDR_LOOPBACK));
    EXPECT_TRUE(PlatNetParseAddress("127.0.0.2", 28850, &a));
    EXPECT_EQ(a.port, 28850);
    EXPECT_FALSE(PlatNetParseAddress("127.0.0.1:0", 1, &a));
    EXPECT_FALSE(PlatNetParseAddress("127.0.0.1:x", 1, &a));
    EXPECT_FALSE(PlatNetParseAddress("localhost", 1, &a));

    PlatNetSetPort(31000);
    ASSERT_TRUE(PlatNetSetSearchList("127.0.0.1:4000,127.0.0.3"));
    PlatNetSetPort(31001);   // an address without a port takes the port in force
    PlatNetAddress list[PLAT_NET_MAX_SEARCH];
    ASSERT_EQ(PlatNetSearchAddresses(list, PLAT_NET_MAX_SEARCH), 2);
    EXPECT_EQ(list[0].port, 4000);
    EXPECT_EQ(list[1].port, 31001);
    EXPECT_FALSE(PlatNetSetSearchList("127.0.0.1,,127.0.0.2"));
    EXPECT_FALSE(PlatNetSetSearchList("127.0.0.1:99999"));

    // Loopback is up on any machine that runs this test: its broadcast
    // address is among the defaults.
    const int n = PlatNetInterfaceBroadcasts(list, PLAT_NET_MAX_SEARCH);
    bool loopback = false;
    for (int i = 0; i < n; i++)
        loopback |= list[i].host == htonl(0x7FFFFFFF);
    EXPECT_TRUE(loopback);
}

static int CountProvider(const PlatGuid*, const void*, int, const char*, int, void* context) {
    ++*(int*)context;
    return 1;
}

TEST(NetLayer, OneProviderUnlessHidden) {
    PlatNetConfig c = LoopbackConfig();
    PlatNet* net = PlatNetCreate(&c);
    int providers = 0;
    EXPECT_EQ(PlatNetEnumConnections(net, &kTestApp, CountProvider, &providers), PLAT_NET_OK);
    EXPECT_EQ(providers, 1);
    PlatNetTestHideProvider(1);
    providers = 0;
    EXPECT_EQ(PlatNetEnumConnections(net, &kTestApp, CountProvider, &providers), PLAT_NET_OK);
    EXPECT_EQ(providers, 0);
    PlatNetTestHideProvider(0);
    // Without an initialised connection nothing can be opened or listed.
    PlatNetSessionDesc d = TestSession("x", 8);
    EXPECT_EQ(PlatNetOpen(net, &d, PLAT_NET_OPEN_CREATE), PLAT_NET_ERR_NOCONNECTION);
    PlatNetRelease(net);
}

// ---------------------------------------------------------------------------
// Threads and events.

TEST(PlatThreads, EventsAreAutoResetAndTheFirstOfTwoWins) {
    PlatEvent* a = PlatEventCreate();
    PlatEvent* b = PlatEventCreate();
    EXPECT_EQ(PlatEventWait(a, 0), PLAT_WAIT_TIMEOUT);
    PlatEventSet(a);
    PlatEventSet(a);   // two signals before a wait are one
    EXPECT_EQ(PlatEventWait(a, 0), 0);
    EXPECT_EQ(PlatEventWait(a, 0), PLAT_WAIT_TIMEOUT);
    PlatEventSet(b);
    PlatEventSet(a);
    EXPECT_EQ(PlatEventWaitTwo(a, b, 0), 0);
    EXPECT_EQ(PlatEventWaitTwo(a, b, 0), 1);
    EXPECT_EQ(PlatEventWaitTwo(a, b, 0), PLAT_WAIT_TIMEOUT);

    // A thread that waits without limit is woken by the other event.
    struct Pair {
        PlatEvent *work, *kill;
        int rounds;
    } pair{a, b, 0};
    PlatThread* t = PlatThreadCreate(
        [](void* p) -> int {
            auto* pr = (Pair*)p;
            while (PlatEventWaitTwo(pr->work, pr->kill, PLAT_WAIT_INFINITE) == 0)
                pr->rounds++;
            return 7;
        },
        &pair);
    ASSERT_NE(t, nullptr);
    PlatEventSet(b);
    EXPECT_EQ(PlatThreadJoin(t), 7);
    EXPECT_EQ(pair.rounds, 0);
    PlatEventClose(a);
    PlatEventClose(b);
}

// ---------------------------------------------------------------------------
// Sessions.

TEST(NetLayer, HostListJoinPlayersAndOrderedGuaranteedSends) {
    uint32_t hostId = 0, annId = 0, boId = 0;
    PlatNet* host = HostMember("Race\tHostname", "Hana", 8, &hostId);
    const int port = PlatNetBoundPort(host);
    PlatNet* ann = JoinMember(port, "Race\tHostname", "Ann", &annId);
    PlatNet* bo = JoinMember(port, "Race\tHostname", "Bo", &boId);
    // Ids are never 0 and grow in join order.
    EXPECT_NE(hostId, 0u);
    EXPECT_LT(hostId, annId);
    EXPECT_LT(annId, boId);

    // The host hears of both players; Ann hears of Bo.
    Got g;
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER), &g));
    PlatNetSysPlayer created;
    ASSERT_EQ(g.bytes.size(), sizeof created);
    memcpy(&created, g.bytes.data(), sizeof created);
    EXPECT_EQ(created.playerId, annId);
    EXPECT_STREQ(created.shortName, "Ann");
    EXPECT_STREQ(created.longName, "C");
    ASSERT_TRUE(TakeUntil(ann, SystemMessage(PLAT_NET_SYS_CREATEPLAYER), &g));
    memcpy(&created, g.bytes.data(), sizeof created);
    EXPECT_EQ(created.playerId, boId);

    // The listing shows the players of the session and its words.
    PlatNetSessionDesc d;
    ASSERT_TRUE(FindSession(bo, "Race\tHostname", &d));
    EXPECT_EQ(d.currentPlayers, 3);
    EXPECT_EQ(d.user[0], 3);
    EXPECT_EQ(d.user[3], 10);
    std::vector<uint32_t> ids;
    auto collect = [](uint32_t id, const char*, const char*, void* c) -> int {
        ((std::vector<uint32_t>*)c)->push_back(id);
        return 1;
    };
    ASSERT_EQ(PlatNetEnumPlayers(bo, &d.instance, collect, &ids, PLAT_NET_PLAYERS_SESSION), PLAT_NET_OK);
    EXPECT_EQ(ids, (std::vector<uint32_t>{hostId, annId, boId}));
    ids.clear();
    ASSERT_EQ(PlatNetEnumPlayers(ann, nullptr, collect, &ids, 0), PLAT_NET_OK);
    EXPECT_EQ(ids, (std::vector<uint32_t>{hostId, annId, boId}));

    // Three hundred guaranteed messages of growing size arrive whole and in
    // order, at every other member.
    for (int i = 0; i < 300; i++) {
        std::vector<uint8_t> m((size_t)(1 + i * 13 % PLAT_NET_MAX_MESSAGE), (uint8_t)i);
        m[0] = (uint8_t)i;
        ASSERT_EQ(PlatNetSend(ann, annId, PLAT_NET_ALL_PLAYERS, PLAT_NET_SEND_GUARANTEED, 0, m.data(), (int)m.size()),
                  PLAT_NET_OK);
    }
    for (PlatNet* to : {host, bo}) {
        for (int i = 0; i < 300; i++) {
            ASSERT_TRUE(TakeUntil(to, [](const Got& m) { return m.from != PLAT_NET_SYSTEM_PLAYER; }, &g)) << i;
            EXPECT_EQ(g.from, annId);
            ASSERT_EQ(g.bytes.size(), (size_t)(1 + i * 13 % PLAT_NET_MAX_MESSAGE));
            EXPECT_EQ(g.bytes[0], (uint8_t)i);
            EXPECT_EQ(g.bytes.back(), (uint8_t)i);
        }
    }
    // A send to one player reaches that player only: Ann's first message
    // from Bo is the one he sent to everybody after it.
    const uint8_t one[3] = {1, 2, 3}, all[1] = {4};
    ASSERT_EQ(PlatNetSend(bo, boId, hostId, PLAT_NET_SEND_GUARANTEED, 10, one, 3), PLAT_NET_OK);
    ASSERT_EQ(PlatNetSend(bo, boId, PLAT_NET_ALL_PLAYERS, PLAT_NET_SEND_GUARANTEED, 0, all, 1), PLAT_NET_OK);
    ASSERT_TRUE(TakeUntil(host, [](const Got& m) { return m.from != PLAT_NET_SYSTEM_PLAYER; }, &g));
    EXPECT_EQ(g.from, boId);
    EXPECT_EQ(g.bytes.size(), 3u);
    ASSERT_TRUE(TakeUntil(ann, [](const Got& m) { return m.from != PLAT_NET_SYSTEM_PLAYER; }, &g));
    EXPECT_EQ(g.from, boId);
    EXPECT_EQ(g.bytes.size(), 1u);
    // Bad sends.
    uint8_t big[PLAT_NET_MAX_MESSAGE + 1] = {};
    EXPECT_EQ(PlatNetSend(bo, boId, 0, 0, 0, big, sizeof big), PLAT_NET_ERR_INVALIDPARAMS);
    EXPECT_EQ(PlatNetSend(bo, annId, 0, 0, 0, one, 3), PLAT_NET_ERR_INVALIDPLAYER);
    EXPECT_EQ(PlatNetSend(bo, boId, 999, 0, 0, one, 3), PLAT_NET_ERR_INVALIDPLAYER);

    PlatNetRelease(bo);
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

TEST(NetLayer, FullOrJoinDisabledSessionsRefuseJoiners) {
    uint32_t hostId, annId, boId;
    PlatNet* host = HostMember("Two", "Hana", 2, &hostId);
    const int port = PlatNetBoundPort(host);
    PlatNet* ann = JoinMember(port, "Two", "Ann", &annId);
    // Full: an available listing hides it, and a join is refused.
    PlatNet* bo = NewMember({port});
    PlatNetSessionDesc d;
    Listed available;
    PlatNetEnumSessions(bo, &kTestApp, 300, CollectSession, &available, PLAT_NET_ENUM_AVAILABLE);
    EXPECT_TRUE(available.sessions.empty());
    ASSERT_TRUE(FindSession(bo, "Two", &d, 0));
    EXPECT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_ERR_ACCESSDENIED);
    PlatNetRelease(bo);

    // Room again, but joining disabled by the host.
    PlatNetRelease(ann);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_DESTROYPLAYER)));
    ASSERT_EQ(PlatNetGetSessionDesc(host, &d), PLAT_NET_OK);
    EXPECT_EQ(d.currentPlayers, 1);
    d.flags |= PLAT_NET_SESSION_JOINDISABLED;
    ASSERT_EQ(PlatNetSetSessionDesc(host, &d), PLAT_NET_OK);
    bo = NewMember({port});
    ASSERT_TRUE(FindSession(bo, "Two", &d, 0));
    EXPECT_TRUE(d.flags & PLAT_NET_SESSION_JOINDISABLED);
    EXPECT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_ERR_ACCESSDENIED);
    // Re-opened, the same member joins.
    d.flags &= ~PLAT_NET_SESSION_JOINDISABLED;
    ASSERT_EQ(PlatNetSetSessionDesc(host, &d), PLAT_NET_OK);
    ASSERT_TRUE(FindSession(bo, "Two", &d, PLAT_NET_ENUM_AVAILABLE));
    EXPECT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_OK);
    EXPECT_EQ(PlatNetCreatePlayer(bo, &boId, "Bo", "C", nullptr), PLAT_NET_OK);
    PlatNetRelease(bo);
    PlatNetRelease(host);
}

// A refused member that joins again at once gets in: the refusal's closing
// of its connection must not reach the connection that follows.
TEST(NetLayer, ARefusedMemberJoinsStraightAfter) {
    uint32_t hostId, boId;
    PlatNet* host = HostMember("Again", "Hana", 8, &hostId);
    PlatNet* bo = NewMember({PlatNetBoundPort(host)});
    PlatNetSessionDesc d, open;
    ASSERT_TRUE(FindSession(bo, "Again", &d, 0));
    for (int round = 0; round < 4; round++) {
        ASSERT_EQ(PlatNetGetSessionDesc(host, &open), PLAT_NET_OK);
        open.flags |= PLAT_NET_SESSION_JOINDISABLED;
        ASSERT_EQ(PlatNetSetSessionDesc(host, &open), PLAT_NET_OK);
        EXPECT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_ERR_ACCESSDENIED) << "round " << round;
        open.flags &= ~PLAT_NET_SESSION_JOINDISABLED;
        ASSERT_EQ(PlatNetSetSessionDesc(host, &open), PLAT_NET_OK);
        ASSERT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_OK) << "round " << round;
        ASSERT_EQ(PlatNetCreatePlayer(bo, &boId, "Bo", "C", nullptr), PLAT_NET_OK);
        ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
        ASSERT_EQ(PlatNetClose(bo), PLAT_NET_OK);
        ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_DESTROYPLAYER)));
    }
    PlatNetRelease(bo);
    PlatNetRelease(host);
}

TEST(NetLayer, ReceiveQueueAnswersAndTheEvent) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("Q", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "Q", "Ann", &annId);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    EXPECT_EQ(Take(host).result, PLAT_NET_ERR_NOMESSAGES);

    // Ann's event is signalled when her queue fills.
    PlatNet* bo = NewMember({PlatNetBoundPort(host)});
    PlatEvent* event = PlatEventCreate();
    PlatNetSessionDesc d;
    ASSERT_TRUE(FindSession(bo, "Q", &d));
    ASSERT_EQ(PlatNetOpen(bo, &d, PLAT_NET_OPEN_JOIN), PLAT_NET_OK);
    uint32_t boId;
    ASSERT_EQ(PlatNetCreatePlayer(bo, &boId, "Bo", "C", event), PLAT_NET_OK);
    std::vector<uint8_t> m(100, 5);
    ASSERT_EQ(PlatNetSend(host, hostId, boId, PLAT_NET_SEND_GUARANTEED, 0, m.data(), 100), PLAT_NET_OK);
    ASSERT_EQ(PlatNetSend(host, hostId, boId, PLAT_NET_SEND_GUARANTEED, 0, m.data(), 10), PLAT_NET_OK);
    EXPECT_EQ(PlatEventWait(event, WAIT_LIMIT_MS), 0);
    ASSERT_TRUE(WaitFor([&] {
        int count = 0;
        PlatNetGetMessageQueue(bo, PLAT_NET_QUEUE_RECEIVE, &count, nullptr);
        return count == 2;
    }));
    int count, bytes;
    ASSERT_EQ(PlatNetGetMessageQueue(bo, PLAT_NET_QUEUE_RECEIVE, &count, &bytes), PLAT_NET_OK);
    EXPECT_EQ(bytes, 110);

    // Too small a buffer: the size needed, the message left queued.
    uint8_t small[50];
    int size = sizeof small;
    uint32_t from, to;
    EXPECT_EQ(PlatNetReceive(bo, &from, &to, 0, small, &size), PLAT_NET_ERR_BUFFERTOOSMALL);
    EXPECT_EQ(size, 100);
    PlatNetGetMessageQueue(bo, PLAT_NET_QUEUE_RECEIVE, &count, nullptr);
    EXPECT_EQ(count, 2);
    // Discarded, the next one comes.
    size = sizeof small;
    EXPECT_EQ(PlatNetReceive(bo, &from, &to, PLAT_NET_RECEIVE_DISCARD, small, &size), PLAT_NET_ERR_BUFFERTOOSMALL);
    size = sizeof small;
    EXPECT_EQ(PlatNetReceive(bo, &from, &to, 0, small, &size), PLAT_NET_OK);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(from, hostId);
    PlatNetGetMessageQueue(bo, PLAT_NET_QUEUE_RECEIVE, &count, &bytes);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(bytes, 0);

    PlatNetRelease(bo);
    PlatEventClose(event);
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

TEST(NetLayer, AsynchronousListingCallsBackAndCancels) {
    uint32_t id;
    PlatNet* host = HostMember("Async", "Hana", 8, &id);
    PlatNet* seeker = NewMember({PlatNetBoundPort(host)});
    struct Seen {
        std::atomic<int> sessions{0}, closings{0};
    } seen;
    auto callback = [](const PlatNetSessionDesc* d, int flags, void* c) -> int {
        auto* s = (Seen*)c;
        if (flags & PLAT_NET_ENUM_TIMEDOUT)
            s->closings++;
        else if (strcmp(d->name, "Async") == 0)
            s->sessions++;
        return 1;
    };
    // Each listing calls back once at its close, and the session at most
    // once; a busy machine may answer after the window, so it lists again
    // until one listing has found it.
    for (int attempt = 0; attempt < LISTING_ATTEMPTS && seen.sessions == 0; attempt++) {
        seen.closings = 0;
        ASSERT_EQ(PlatNetEnumSessions(seeker, &kTestApp, 400, callback, &seen, PLAT_NET_ENUM_ASYNC), PLAT_NET_OK);
        ASSERT_TRUE(WaitFor([&] { return seen.closings == 1; }));
        EXPECT_FALSE(PlatNetEnumRunning(seeker));
        EXPECT_LE(seen.sessions, 1);
    }
    EXPECT_EQ(seen.sessions, 1);

    // Cancelled at once: once the cancel returns no callback runs, not even
    // the closing one.
    seen.sessions = 0;
    seen.closings = 0;
    ASSERT_EQ(PlatNetEnumSessions(seeker, &kTestApp, 60000, callback, &seen, PLAT_NET_ENUM_ASYNC), PLAT_NET_OK);
    EXPECT_TRUE(PlatNetEnumRunning(seeker));
    ASSERT_EQ(PlatNetEnumSessions(seeker, nullptr, 0, nullptr, nullptr, PLAT_NET_ENUM_STOPASYNC), PLAT_NET_OK);
    const int sessionsAtCancel = seen.sessions;
    EXPECT_FALSE(PlatNetEnumRunning(seeker));
    // Another listing's answers come and go meanwhile; the old callback stays quiet.
    Listed l;
    PlatNetEnumSessions(seeker, &kTestApp, 300, CollectSession, &l, 0);
    EXPECT_EQ(seen.sessions, sessionsAtCancel);
    EXPECT_EQ(seen.closings, 0);
    PlatNetRelease(seeker);
    PlatNetRelease(host);
}

TEST(NetLayer, UnguaranteedLossHookDropsItsShareOnly) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("Loss", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "Loss", "Ann", &annId);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    PlatNetTestSetLoss(host, 50, 1234);
    // Unguaranteed messages, each followed by a guaranteed marker that must
    // arrive; the unguaranteed ones that do arrive keep their order.
    const int rounds = 200;
    for (int i = 0; i < rounds; i++) {
        const uint8_t u[2] = {1, (uint8_t)i};
        PlatNetSend(ann, annId, hostId, 0, 0, u, 2);
        if (i % 20 == 19) {
            const uint8_t g[2] = {2, (uint8_t)i};
            PlatNetSend(ann, annId, hostId, PLAT_NET_SEND_GUARANTEED, 0, g, 2);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    int unguaranteed = 0, guaranteed = 0, last = -1;
    ASSERT_TRUE(WaitFor([&] {
        Got g = Take(host);
        if (g.result == PLAT_NET_OK && g.from == annId) {
            if (g.bytes[0] == 1) {
                EXPECT_GT((int)g.bytes[1], last);
                last = g.bytes[1];
                unguaranteed++;
            } else {
                guaranteed++;
            }
        }
        return guaranteed == rounds / 20;
    }));
    EXPECT_GT(unguaranteed, 0);
    EXPECT_LT(unguaranteed, rounds);
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

TEST(NetLayer, BadPacketDisconnectsThatPeer) {
    uint32_t hostId, annId, boId;
    PlatNet* host = HostMember("Bad", "Hana", 8, &hostId);
    const int port = PlatNetBoundPort(host);
    PlatNet* ann = JoinMember(port, "Bad", "Ann", &annId);
    PlatNet* bo = JoinMember(port, "Bad", "Bo", &boId);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    // A record whose body length does not match its size.
    static NetPacket p;
    p = NetPacket{};
    p.kind = NET_KIND_GAME;
    p.from = annId;
    p.length = 4;
    uint8_t bytes[64];
    const size_t size = NetEncodePacket(&p, bytes, sizeof bytes);
    bytes[6] = 3;
    ASSERT_EQ(PlatNetTestSendRaw(ann, hostId, bytes, (int)size), PLAT_NET_OK);
    Got g;
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_DESTROYPLAYER), &g));
    PlatNetSysPlayer gone;
    memcpy(&gone, g.bytes.data(), sizeof gone);
    EXPECT_EQ(gone.playerId, annId);
    // Bo, who did nothing wrong, still talks to the host.
    const uint8_t m[1] = {42};
    ASSERT_EQ(PlatNetSend(bo, boId, hostId, PLAT_NET_SEND_GUARANTEED, 0, m, 1), PLAT_NET_OK);
    ASSERT_TRUE(TakeUntil(host, [](const Got& x) { return x.from != PLAT_NET_SYSTEM_PLAYER; }, &g));
    EXPECT_EQ(g.from, boId);
    PlatNetRelease(bo);
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

// Four members join in order; the host leaves.  Every survivor takes the
// earliest joiner as host, and only that one is told.
TEST(NetLayer, MigrationPicksTheEarliestJoiner) {
    uint32_t ids[4];
    PlatNet* m[4];
    m[0] = HostMember("Mig", "Hana", 8, &ids[0]);
    const int port = PlatNetBoundPort(m[0]);
    const char* names[4] = {"Hana", "Ann", "Bo", "Cy"};
    for (int i = 1; i < 4; i++)
        m[i] = JoinMember(port, "Mig", names[i], &ids[i]);
    for (int i = 1; i < 4; i++)
        EXPECT_TRUE(PlatNetIsHostPlayer(m[i], ids[0]));
    PlatNetRelease(m[0]);

    for (int i = 1; i < 4; i++) {
        Got g;
        ASSERT_TRUE(TakeUntil(
            m[i],
            [&](const Got& x) {
                if (x.from != PLAT_NET_SYSTEM_PLAYER || x.SystemType() != PLAT_NET_SYS_DESTROYPLAYER)
                    return false;
                PlatNetSysPlayer p;
                memcpy(&p, x.bytes.data(), sizeof p);
                return p.playerId == ids[0];
            },
            &g))
            << i;
    }
    EXPECT_TRUE(TakeUntil(m[1], SystemMessage(PLAT_NET_SYS_HOST)));
    for (int i = 1; i < 4; i++)
        EXPECT_TRUE(PlatNetIsHostPlayer(m[i], ids[1])) << i;
    // Bo and Cy got no host message: it would have been queued with the
    // host's leaving, right after the message taken above.
    for (int i = 2; i < 4; i++)
        for (Got g = Take(m[i]); g.result == PLAT_NET_OK; g = Take(m[i]))
            EXPECT_FALSE(SystemMessage(PLAT_NET_SYS_HOST)(g)) << i;

    // The new host answers listings and takes joiners; their ids go on growing.
    uint32_t dee;
    PlatNet* late = JoinMember(PlatNetBoundPort(m[1]), "Mig", "Dee", &dee);
    EXPECT_GT(dee, ids[3]);
    EXPECT_TRUE(TakeUntil(m[3], SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    PlatNetRelease(late);
    for (int i = 1; i < 4; i++)
        PlatNetRelease(m[i]);
}

// A member cut off from all its peers gets session lost; the others drop it
// after the keep-alive time and carry on.
TEST(NetLayer, CutOffMemberLosesTheSession) {
    uint32_t hostId, annId, boId;
    PlatNet* host = HostMember("Cut", "Hana", 8, &hostId);
    const int port = PlatNetBoundPort(host);
    PlatNet* ann = JoinMember(port, "Cut", "Ann", &annId);
    PlatNet* bo = JoinMember(port, "Cut", "Bo", &boId);
    PlatNetTestCutOff(bo);
    EXPECT_TRUE(TakeUntil(bo, SystemMessage(PLAT_NET_SYS_SESSIONLOST)));
    const uint8_t m[1] = {1};
    EXPECT_EQ(PlatNetSend(bo, boId, 0, 0, 0, m, 1), PLAT_NET_ERR_CONNECTIONLOST);
    for (PlatNet* survivor : {host, ann}) {
        EXPECT_TRUE(TakeUntil(survivor, [&](const Got& x) {
            if (x.from != PLAT_NET_SYSTEM_PLAYER || x.SystemType() != PLAT_NET_SYS_DESTROYPLAYER)
                return false;
            PlatNetSysPlayer p;
            memcpy(&p, x.bytes.data(), sizeof p);
            return p.playerId == boId;
        }));
    }
    // Neither survivor lost its session.
    ASSERT_EQ(PlatNetSend(ann, annId, hostId, PLAT_NET_SEND_GUARANTEED, 0, m, 1), PLAT_NET_OK);
    EXPECT_TRUE(TakeUntil(host, [&](const Got& x) { return x.from == annId; }));
    PlatNetRelease(bo);
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

// A member's queued messages up to the first that passes the filter; false
// when none comes.
bool MessagesUntil(PlatNet* net, const std::function<bool(const Got&)>& last, std::vector<Got>* seen) {
    return TakeUntil(net, [&](const Got& g) {
        seen->push_back(g);
        return last(g);
    });
}

uint32_t LostReason(const Got& g) {
    PlatNetSysSessionLost m{};
    memcpy(&m, g.bytes.data(), std::min(g.bytes.size(), sizeof m));
    return g.bytes.size() == sizeof m ? m.reason : 0xFFFFFFFF;
}

bool Destroys(const Got& g, uint32_t id) {
    if (g.from != PLAT_NET_SYSTEM_PLAYER || g.SystemType() != PLAT_NET_SYS_DESTROYPLAYER)
        return false;
    PlatNetSysPlayer p;
    memcpy(&p, g.bytes.data(), sizeof p);
    return p.playerId == id;
}

// Two sessions, each of a host and a joiner; both joiners are stopped until
// their hosts have dropped them.  Ann had a guaranteed send in flight, so
// her own time-outs fire the moment she runs again; Bo's do not, and he
// goes on talking to his host.  Back, each learns from the host that it is
// out (session lost, dropped), and neither takes the host's role nor sees
// the host leave.
TEST(NetLayer, JoinersStoppedPastTheKeepAliveAreToldTheyAreOut) {
    uint32_t hostIds[2], ids[2];
    PlatNet* hosts[2];
    PlatNet* joiners[2];
    const char* sessions[2] = {"StopAnn", "StopBo"};
    const char* names[2] = {"Ann", "Bo"};
    for (int k = 0; k < 2; k++) {
        hosts[k] = HostMember(sessions[k], "Hana", 8, &hostIds[k]);
        joiners[k] = JoinMember(PlatNetBoundPort(hosts[k]), sessions[k], names[k], &ids[k]);
        ASSERT_TRUE(TakeUntil(hosts[k], SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    }
    for (PlatNet* j : joiners)
        PlatNetTestStall(j, 600000);   // until released below
    const uint8_t m[1] = {7};
    ASSERT_EQ(PlatNetSend(joiners[0], ids[0], hostIds[0], PLAT_NET_SEND_GUARANTEED, 0, m, 1), PLAT_NET_OK);
    for (int k = 0; k < 2; k++) {
        std::vector<Got> atHost;
        ASSERT_TRUE(MessagesUntil(hosts[k], [&](const Got& g) { return Destroys(g, ids[k]); }, &atHost)) << k;
    }
    for (PlatNet* j : joiners)
        PlatNetTestStall(j, 0);
    for (int k = 0; k < 2; k++) {
        std::vector<Got> seen;
        ASSERT_TRUE(MessagesUntil(joiners[k], SystemMessage(PLAT_NET_SYS_SESSIONLOST), &seen)) << k;
        EXPECT_EQ(LostReason(seen.back()), (uint32_t)PLAT_NET_LOST_DROPPED) << k;
        for (const Got& g : seen) {
            EXPECT_FALSE(SystemMessage(PLAT_NET_SYS_HOST)(g)) << k;
            EXPECT_FALSE(Destroys(g, hostIds[k])) << k;
        }
        EXPECT_EQ(PlatNetSend(joiners[k], ids[k], 0, 0, 0, m, 1), PLAT_NET_ERR_CONNECTIONLOST) << k;
    }
    // The host carries on: it takes a new joiner.
    uint32_t cyId;
    PlatNet* cy = JoinMember(PlatNetBoundPort(hosts[0]), sessions[0], "Cy", &cyId);
    EXPECT_TRUE(TakeUntil(hosts[0], SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    PlatNetRelease(cy);
    for (int k = 0; k < 2; k++) {
        PlatNetRelease(joiners[k]);
        PlatNetRelease(hosts[k]);
    }
}

// The host is stopped; the joiner takes over.  Back, the old host is told
// by the new one that it is out, though it still takes itself for the host.
TEST(NetLayer, AHostStoppedPastTheKeepAliveIsToldItIsOutByTheNewHost) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("StopHost", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "StopHost", "Ann", &annId);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    PlatNetTestStall(host, 600000);
    std::vector<Got> atAnn;
    ASSERT_TRUE(MessagesUntil(ann, SystemMessage(PLAT_NET_SYS_HOST), &atAnn));
    EXPECT_TRUE(PlatNetIsHostPlayer(ann, annId));
    PlatNetTestStall(host, 0);
    std::vector<Got> seen;
    ASSERT_TRUE(MessagesUntil(host, SystemMessage(PLAT_NET_SYS_SESSIONLOST), &seen));
    EXPECT_EQ(LostReason(seen.back()), (uint32_t)PLAT_NET_LOST_DROPPED);
    for (const Got& g : seen)
        EXPECT_FALSE(Destroys(g, annId));
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

// A joiner is stopped and, meanwhile, the host really goes (cut off: it
// neither sends nor answers).  Back, the joiner's time-outs are held while
// it asks; nobody answers, so they stand: the host leaves and the joiner
// takes over, as when the host dies under a running joiner.
TEST(NetLayer, AHostThatWentWhileTheJoinerWasStoppedStillHandsOver) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("StopGone", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "StopGone", "Ann", &annId);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    PlatNetTestStall(ann, 600000);
    const uint8_t m[1] = {7};
    ASSERT_EQ(PlatNetSend(ann, annId, hostId, PLAT_NET_SEND_GUARANTEED, 0, m, 1), PLAT_NET_OK);
    PlatNetTestCutOff(host);
    // The cut-off host loses its session once the keep-alive time has gone
    // by: by then the joiner's send has waited as long.
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_SESSIONLOST)));
    PlatNetTestStall(ann, 0);
    std::vector<Got> seen;
    ASSERT_TRUE(MessagesUntil(ann, SystemMessage(PLAT_NET_SYS_HOST), &seen));
    bool hostLeft = false;
    for (const Got& g : seen) {
        hostLeft |= Destroys(g, hostId);
        EXPECT_FALSE(SystemMessage(PLAT_NET_SYS_SESSIONLOST)(g));
    }
    EXPECT_TRUE(hostLeft);
    EXPECT_TRUE(PlatNetIsHostPlayer(ann, annId));
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

}  // namespace
