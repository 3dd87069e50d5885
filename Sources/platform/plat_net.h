// Platform layer: the network session layer (the DirectPlay 4 object).
//
// A PlatNet is one member of a session: its own UDP socket (an ENet host),
// its own service thread, its players and its receive queue.  Several members
// can live in one process.  A member hosts a session or joins one; every
// member is connected to every other (a full mesh), so when the host goes the
// earliest-joined survivor takes over.
//
// Transport: guaranteed sends travel on a reliable ordered channel, the
// others on an unreliable sequenced one.  A member silent for the keep-alive
// time (5 s) is dropped; a closed connection is dropped at once.  Sessions are
// found with our own small UDP query sent to the search addresses, which hosts
// answer on the same socket.
//
// A member that was itself stopped (its process suspended, its machine
// stalled) for half the keep-alive time or more does not trust the time-outs
// that follow: its peers may well be alive and have dropped it instead.  It
// asks the host whether it is still in the session; the host, which answers
// any traffic of a member it has dropped, says it is not, and the member gets
// session lost (dropped).  Only when nothing answers for the keep-alive time
// are those time-outs taken as they stand (a host that died hands over).
//
// All calls return PLAT_NET_OK (0) or an error code; they may be made from
// any thread.  Callbacks run on the member's service thread, except those of a
// synchronous listing, which run on the caller's.
#pragma once

#include <cstdint>

struct PlatNet;
struct PlatEvent;

struct PlatGuid {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];
};
int PlatGuidEqual(const PlatGuid* a, const PlatGuid* b);

enum PlatNetResult {
    PLAT_NET_OK = 0,
    PLAT_NET_ERR_GENERIC = 1,
    PLAT_NET_ERR_INVALIDPARAMS = 2,
    PLAT_NET_ERR_ACCESSDENIED = 3,      // the session is full or refuses joiners
    PLAT_NET_ERR_NOMESSAGES = 4,
    PLAT_NET_ERR_BUFFERTOOSMALL = 5,    // *size holds the size needed
    PLAT_NET_ERR_NOCONNECTION = 6,      // no initialised connection
    PLAT_NET_ERR_NOSESSIONS = 7,        // the session to join is not known or did not answer
    PLAT_NET_ERR_INVALIDPLAYER = 8,
    PLAT_NET_ERR_TIMEOUT = 9,
    PLAT_NET_ERR_ALREADYINITIALIZED = 10,
    PLAT_NET_ERR_CONNECTIONLOST = 11,
    PLAT_NET_ERR_NOTINSESSION = 12,
    PLAT_NET_ERR_PORTINUSE = 13,        // the port to bind is taken by another socket
};

// ---------------------------------------------------------------------------
// Options of the process (--net-port, --net-search) and the member's set-up.

enum { PLAT_NET_DEFAULT_PORT = 28850, PLAT_NET_MAX_SEARCH = 40, PLAT_NET_MAX_MESSAGE = 4096 };

// The UDP port members bind and search at (default PLAT_NET_DEFAULT_PORT;
// 0 binds any free port).
void PlatNetSetPort(int port);
int PlatNetPort();
// "ADDR[:PORT],..." : the addresses session queries go to; an address without
// a port gets the game port.  Empty or null: the broadcast address of every
// IPv4 interface that is up.  0 when the list does not parse.
int PlatNetSetSearchList(const char* list);

struct PlatNetAddress {
    uint32_t host;   // IPv4, network byte order
    uint16_t port;
};
// The search addresses in force (the broadcast addresses are found now).
int PlatNetSearchAddresses(PlatNetAddress* out, int max);
// Broadcast address of every IPv4 interface that is up (loopback's
// 127.255.255.255 included); the count.
int PlatNetInterfaceBroadcasts(PlatNetAddress* out, int max);
// "a.b.c.d" or "a.b.c.d:port" (default port given); 1 on success.
int PlatNetParseAddress(const char* text, int defaultPort, PlatNetAddress* out);

struct PlatNetConfig {
    int port;                  // bound UDP port; 0 any free port
    uint32_t bindHost;         // network byte order; 0 any interface
    int keepAliveMs;           // silence that drops a member
    int searchCount;           // 0: the process's search addresses
    PlatNetAddress search[PLAT_NET_MAX_SEARCH];
};
// The process's options: its port, any interface, 5 s keep-alive.
void PlatNetDefaultConfig(PlatNetConfig* config);

// A member object; nothing is bound until a connection is initialised.
PlatNet* PlatNetCreate(const PlatNetConfig* config);
// Closes the session, ends the service thread and frees the member.
void PlatNetRelease(PlatNet* net);

// ---------------------------------------------------------------------------
// Connections (service providers).  One provider exists, the UDP one, under
// PlatNetProviderGuid; none when no IPv4 interface is up.

extern const PlatGuid PlatNetProviderGuid;
typedef int (*PlatNetConnectionCallback)(const PlatGuid* provider, const void* connection, int size,
                                         const char* name, int flags, void* context);
// Calls back once per provider until the callback returns 0.
int PlatNetEnumConnections(PlatNet* net, const PlatGuid* application, PlatNetConnectionCallback callback,
                           void* context);
// Binds the member's socket and starts its service thread; PORTINUSE when
// another socket holds the port.
int PlatNetInitializeConnection(PlatNet* net, const void* connection, int size);
// The bound port (useful with port 0).
int PlatNetBoundPort(PlatNet* net);

// ---------------------------------------------------------------------------
// Sessions.

enum {
    PLAT_NET_SESSION_MIGRATEHOST = 0x4,
    PLAT_NET_SESSION_JOINDISABLED = 0x20,
    PLAT_NET_SESSION_KEEPALIVE = 0x40,
    PLAT_NET_SESSION_OPTIMIZELATENCY = 0x2000,
    PLAT_NET_SESSION_DIRECTPLAYPROTOCOL = 0x8000,
};
enum { PLAT_NET_NAME_MAX = 256 };

struct PlatNetSessionDesc {
    uint32_t flags;
    PlatGuid instance;          // random, made by the host
    PlatGuid application;
    int maxPlayers;
    int currentPlayers;
    char name[PLAT_NET_NAME_MAX];
    int32_t user[4];
};

enum { PLAT_NET_OPEN_CREATE = 1, PLAT_NET_OPEN_JOIN = 2 };
// Create: a new session of the description (a fresh instance GUID).  Join:
// the listed session of that instance GUID; ACCESSDENIED when it is full or
// refuses joiners.
int PlatNetOpen(PlatNet* net, const PlatNetSessionDesc* desc, int flags);
// Leaves the session: the others see its players destroyed at once.
int PlatNetClose(PlatNet* net);
int PlatNetGetSessionDesc(PlatNet* net, PlatNetSessionDesc* out);
// Host only: changes the session's flags, name and user words.
int PlatNetSetSessionDesc(PlatNet* net, const PlatNetSessionDesc* desc);

enum {
    PLAT_NET_ENUM_ASYNC = 0x1,
    PLAT_NET_ENUM_AVAILABLE = 0x2,   // hide full and join-disabled sessions
    PLAT_NET_ENUM_STOPASYNC = 0x4,   // cancel a running asynchronous listing
};
enum { PLAT_NET_ENUM_TIMEDOUT = 0x1 };
enum { PLAT_NET_SYNC_LISTING_MS = 300 };
// desc is null with PLAT_NET_ENUM_TIMEDOUT in flags: the closing call.
typedef int (*PlatNetSessionCallback)(const PlatNetSessionDesc* desc, int flags, void* context);
// Lists the sessions of an application.  Synchronous: the answers that come
// within the time-out (PLAT_NET_SYNC_LISTING_MS when 0) are called back in
// this thread, then the closing call.  Asynchronous: returns at once; each
// answer is called back as it comes, the closing call at the time-out.  A
// new listing or PLAT_NET_ENUM_STOPASYNC cancels a running one: once it
// returns, no callback of the old one runs (and its closing call never does).
int PlatNetEnumSessions(PlatNet* net, const PlatGuid* application, int timeoutMs,
                        PlatNetSessionCallback callback, void* context, int flags);
int PlatNetEnumRunning(PlatNet* net);

// ---------------------------------------------------------------------------
// Players.  Ids are never 0 and grow in join order; a member has one player.

typedef int (*PlatNetPlayerCallback)(uint32_t id, const char* shortName, const char* longName, void* context);
// The receive event is signalled whenever a message is queued.
int PlatNetCreatePlayer(PlatNet* net, uint32_t* id, const char* shortName, const char* longName,
                        PlatEvent* receiveEvent);
enum { PLAT_NET_PLAYERS_SESSION = 0x1 };
// The players of the open session (instance null), or with
// PLAT_NET_PLAYERS_SESSION those of a listed session, asked of its host.
int PlatNetEnumPlayers(PlatNet* net, const PlatGuid* instance, PlatNetPlayerCallback callback, void* context,
                       int flags);
// 1 when the player belongs to the member that hosts the session now.
int PlatNetIsHostPlayer(PlatNet* net, uint32_t id);

// ---------------------------------------------------------------------------
// Sending and receiving.

enum { PLAT_NET_ALL_PLAYERS = 0, PLAT_NET_SYSTEM_PLAYER = 0 };
enum { PLAT_NET_SEND_GUARANTEED = 0x1 };
// Game messages of 1 to PLAT_NET_MAX_MESSAGE bytes from a local player to one
// player or all others.  Guaranteed sends arrive, in order; the others may be
// lost but never arrive out of order.
int PlatNetSend(PlatNet* net, uint32_t from, uint32_t to, int flags, int priority, const void* data, int size);

enum { PLAT_NET_RECEIVE_DISCARD = 0x1 };
// Takes the oldest queued message.  System messages come from
// PLAT_NET_SYSTEM_PLAYER.  NOMESSAGES when the queue is empty;
// BUFFERTOOSMALL (with the size needed in *size) leaves it queued, unless
// PLAT_NET_RECEIVE_DISCARD is given, which drops it.
int PlatNetReceive(PlatNet* net, uint32_t* from, uint32_t* to, int flags, void* buffer, int* size);

enum { PLAT_NET_QUEUE_SEND = 0x1, PLAT_NET_QUEUE_RECEIVE = 0x2 };
int PlatNetGetMessageQueue(PlatNet* net, int which, int* count, int* bytes);

struct PlatNetCaps {
    uint32_t size;             // 40
    uint32_t flags;
    uint32_t maxBufferSize;
    uint32_t maxQueueSize;
    uint32_t maxPlayers;
    uint32_t hundredBaud;
    uint32_t latency;
    uint32_t maxLocalPlayers;
    uint32_t headerLength;
    uint32_t timeout;
};
static_assert(sizeof(PlatNetCaps) == 40, "capability records are 40 bytes");
int PlatNetGetCaps(PlatNet* net, PlatNetCaps* caps);

// System messages: a record whose first word is the type.
enum {
    PLAT_NET_SYS_CREATEPLAYER = 0x3,
    PLAT_NET_SYS_DESTROYPLAYER = 0x5,
    PLAT_NET_SYS_SESSIONLOST = 0x31,
    PLAT_NET_SYS_HOST = 0x101,
};
struct PlatNetSysPlayer {      // create and destroy
    uint32_t type;
    uint32_t playerId;
    char shortName[PLAT_NET_NAME_MAX];
    char longName[PLAT_NET_NAME_MAX];
};
struct PlatNetSysMessage {     // host
    uint32_t type;
};
enum {
    PLAT_NET_LOST_PEERS_GONE = 0,   // every peer went silent (this member was cut off), or the host of a
                                    // session that does not migrate left
    PLAT_NET_LOST_DROPPED = 1,      // the host says this member is no longer in the session
};
struct PlatNetSysSessionLost {
    uint32_t type;
    uint32_t reason;
};

// ---------------------------------------------------------------------------
// Test hooks.

// No provider is offered while set (as with no interface up).
void PlatNetTestHideProvider(int hide);
// Drops the given share (percent) of the unguaranteed datagrams this member
// receives, drawn from a seeded generator.
void PlatNetTestSetLoss(PlatNet* net, int percent, uint32_t seed);
// Cuts the member off: it sends and hears nothing more; after the keep-alive
// time it gets session lost and its peers drop it.
void PlatNetTestCutOff(PlatNet* net);
// Stops the member's service thread for that long (0: lets it go on now),
// as if its process were stopped: it neither reads nor answers, and its
// peers time it out.
void PlatNetTestStall(PlatNet* net, int ms);
// Sends the bytes as they stand, with no record around them, on the
// guaranteed channel to the member of a player.
int PlatNetTestSendRaw(PlatNet* net, uint32_t to, const void* data, int size);
