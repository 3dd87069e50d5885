#include "net/session.h"

#include <cstring>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "net/net_messages.h"
#include "net/net_outside.h"
#include "net/net_state.h"
#include "net/net_wire.h"
#include "net/race_sync.h"
#include "platform/plat_thread.h"
#include "race/race_state.h"

// {17FE7ADD-CB47-48C6-9848-C47E4E28244C}: every listing and session of this
// game carries it, so only its sessions are seen.
const PlatGuid NetApplicationGuid = {0x17FE7ADD, 0xCB47, 0x48C6, {0x98, 0x48, 0xC4, 0x7E, 0x4E, 0x28, 0x24, 0x4C}};

char SessionHostTable[32][256];

static PlatEvent* ReceiveEvent;
static PlatEvent* KillEvent;
static PlatThread* ReceiveThreadHandle;
static uint8_t NetMessage[NET_MESSAGE_SIZE];   // the receive thread's buffer
static int connectionStored;

static void SetStatus(int code) { NetStatus = code; }

// ---------------------------------------------------------------------------
// Connection and session.

static int OnConnection(const PlatGuid* provider, const void* connection, int size, const char*, int, void*) {
    if (!PlatGuidEqual(provider, &PlatNetProviderGuid))
        return 1;
    const int result = PlatNetInitializeConnection(DirectPlayInterface, connection, size);
    if (result == PLAT_NET_OK) {
        connectionStored = 1;
        return 0;
    }
    if (result == PLAT_NET_ERR_PORTINUSE)
        NetBusyPort = PlatNetPort();
    SetStatus(NETSTATUS_NO_CONNECTION);
    return 1;
}

int OpenDirectPlay() {
    SetStatus(0);
    connectionStored = 0;
    NetBusyPort = 0;
    EmptySessionSearches = 0;
    if (DirectPlayInterface)
        ShutdownDirectPlay();
    DirectPlayInterface = PlatNetCreate(nullptr);
    if (!DirectPlayInterface) {
        SetStatus(NETSTATUS_NO_OBJECT);
        return 0;
    }
    const int result = PlatNetEnumConnections(DirectPlayInterface, &NetApplicationGuid, OnConnection, nullptr);
    if (result != PLAT_NET_OK || !connectionStored) {
        SetStatus(NETSTATUS_NO_CONNECTION);
        PlatNetRelease(DirectPlayInterface);
        DirectPlayInterface = nullptr;
        return 0;
    }
    if (!NetInit()) {
        SetStatus(NETSTATUS_INIT_FAILED);
        return 0;
    }
    // --net-loss: the tests' lossy network, on what this machine receives.
    if (CommandLine.netLossPercent > 0)
        PlatNetTestSetLoss(DirectPlayInterface, CommandLine.netLossPercent, 25u + (uint32_t)CommandLine.netLossPercent);
    ReceiveThreadRunning = 0;
    EnumeratingSessions = 0;
    NetSessionOpen = 1;
    return 1;
}

static void SetOwnPlayer(int index, const char* name, uint32_t id) {
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    strncpy(NetPlayerNames[index], name, NET_NAME_SIZE - 1);
    NetPlayerNames[index][NET_NAME_SIZE - 1] = 0;
    NetPlayerIds[index] = id;
}

int HostSession(const char* sessionName, const char* playerName, const int userWords[3], int maxPlayers) {
    memset(&SessionDesc, 0, sizeof SessionDesc);
    SessionDesc.flags = HOSTED_SESSION_FLAGS;
    SessionDesc.application = NetApplicationGuid;
    SessionDesc.maxPlayers = maxPlayers;
    strncpy(SessionDesc.name, sessionName, sizeof SessionDesc.name - 1);
    for (int i = 0; i < 3; i++)
        SessionDesc.user[i] = userWords[i];
    SessionDesc.user[3] = SESSION_OPEN_MARK;
    if (PlatNetOpen(DirectPlayInterface, &SessionDesc, PLAT_NET_OPEN_CREATE) != PLAT_NET_OK) {
        SetStatus(NETSTATUS_CREATE_FAILED);
        return 0;
    }
    PlatNetGetSessionDesc(DirectPlayInterface, &SessionDesc);
    ReceiveEvent = PlatEventCreate();
    uint32_t id = 0;
    if (!ReceiveEvent || PlatNetCreatePlayer(DirectPlayInterface, &id, playerName, "H", ReceiveEvent) != PLAT_NET_OK) {
        PlatEventClose(ReceiveEvent);
        ReceiveEvent = nullptr;
        SetStatus(NETSTATUS_NO_PLAYER);
        return 0;
    }
    ClearOwnIndex();
    NetOwnId = id;
    SetOwnPlayer(0, playerName, id);
    NetPlayerCount = 1;
    NetIsHost = 1;
    NetOwnIndex = 0;
    return 1;
}

int JoinSession(int index, const char* playerName) {
    // A running search is cancelled first: its callbacks would refill the
    // list the join reads.
    if (EnumeratingSessions) {
        PlatNetEnumSessions(DirectPlayInterface, nullptr, 0, nullptr, nullptr, PLAT_NET_ENUM_STOPASYNC);
        EnumeratingSessions = 0;
    }
    const int countBefore = NetSessionCount;
    EnumSessionsSync();
    if (NetSessionCount != countBefore || index < 0 || index >= NetSessionCount)
        return 0;
    PlatGuid guid;
    int openMark;
    {
        std::lock_guard<std::mutex> lock(NetSessionListLock);
        guid = SessionList[index].guid;
        openMark = SessionList[index].user[3];
    }
    if (openMark != SESSION_OPEN_MARK) {
        SetStatus(NETSTATUS_NOT_OPEN);
        return 0;
    }
    memset(&SessionDesc, 0, sizeof SessionDesc);
    SessionDesc.instance = guid;
    SessionDesc.application = NetApplicationGuid;
    const int result = PlatNetOpen(DirectPlayInterface, &SessionDesc, PLAT_NET_OPEN_JOIN);
    if (result != PLAT_NET_OK) {
        SetStatus(result == PLAT_NET_ERR_ACCESSDENIED ? NETSTATUS_ACCESS_DENIED : NETSTATUS_JOIN_FAILED);
        return 0;
    }
    PlatNetGetSessionDesc(DirectPlayInterface, &SessionDesc);
    RefreshPlayerList();
    ReceiveEvent = PlatEventCreate();
    uint32_t id = 0;
    if (!ReceiveEvent || PlatNetCreatePlayer(DirectPlayInterface, &id, playerName, "C", ReceiveEvent) != PLAT_NET_OK) {
        PlatEventClose(ReceiveEvent);
        ReceiveEvent = nullptr;
        PlatNetClose(DirectPlayInterface);
        SetStatus(NETSTATUS_NO_PLAYER);
        return 0;
    }
    NetOwnId = id;
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        const int n = NetPlayerCount;
        if (n < NET_MAX_PLAYERS) {
            strncpy(NetPlayerNames[n], playerName, NET_NAME_SIZE - 1);
            NetPlayerNames[n][NET_NAME_SIZE - 1] = 0;
            NetPlayerIds[n] = id;
            NetOwnIndex = n;
            NetPlayerCount = n + 1;
        }
    }
    NetIsHost = 0;
    return 1;
}

static int ReceiveThread(void*) {
    while (PlatEventWaitTwo(ReceiveEvent, KillEvent, PLAT_WAIT_INFINITE) == 0)
        DrainMessages();
    return 0;
}

int StartReceiveThread() {
    KillEvent = PlatEventCreate();
    ReceiveThreadHandle = KillEvent ? PlatThreadCreate(ReceiveThread, nullptr) : nullptr;
    if (!ReceiveThreadHandle) {
        PlatEventClose(KillEvent);
        KillEvent = nullptr;
        PlatEventClose(ReceiveEvent);
        ReceiveEvent = nullptr;
        SetStatus(NETSTATUS_NO_THREAD);
        return 0;
    }
    if (!NetResetForSession()) {
        SetStatus(NETSTATUS_RESET_FAILED);
        return 0;
    }
    PlayerListFrozen = 0;
    ReceiveThreadRunning = 1;
    return 1;
}

int CloseSession() {
    PlatNetClose(DirectPlayInterface);
    if (KillEvent)
        PlatEventSet(KillEvent);
    PlatThreadJoin(ReceiveThreadHandle);
    ReceiveThreadHandle = nullptr;
    PlatEventClose(KillEvent);
    PlatEventClose(ReceiveEvent);
    KillEvent = nullptr;
    ReceiveEvent = nullptr;
    NetResetOnClose();
    ReceiveThreadRunning = 0;
    return 1;
}

void ShutdownDirectPlay() {
    if (ReceiveThreadRunning)
        CloseSession();
    if (DirectPlayInterface)
        PlatNetRelease(DirectPlayInterface);
    DirectPlayInterface = nullptr;
    connectionStored = 0;
    NetSessionOpen = 0;
}

int DisableJoining() {
    SessionDesc.flags |= PLAT_NET_SESSION_JOINDISABLED;
    return PlatNetSetSessionDesc(DirectPlayInterface, &SessionDesc) == PLAT_NET_OK;
}

int GetNetStatus() { return NetStatus; }

// ---------------------------------------------------------------------------
// Lists.

int SessionWordsValid(const int32_t user[4]) {
    const int32_t row = user[SESSION_WORD_ROW], players = user[SESSION_WORD_PLAYERS], group = user[SESSION_WORD_GROUP];
    return row >= 0 && row < SESSION_LIST_ROWS && players >= 1 && players <= SESSION_MAX_CHOSEN_PLAYERS &&
           (group == 0 || group == SESSION_SECOND_GROUP);
}

int ListSession(const PlatNetSessionDesc* desc) {
    // The open mark is not checked here: a closed session is still listed,
    // and joining it says why it cannot be joined.
    if (!SessionWordsValid(desc->user))
        return 1;
    std::lock_guard<std::mutex> lock(NetSessionListLock);
    const int k = NetSessionCount;
    if (k >= NET_MAX_SESSIONS)
        return 0;
    SessionEntry& e = SessionList[k];
    memcpy(e.name, desc->name, sizeof e.name);
    e.name[NET_NAME_SIZE - 1] = 0;
    e.guid = desc->instance;
    memcpy(e.user, desc->user, sizeof e.user);
    SplitSessionName(k);
    NetSessionCount = k + 1;
    return 1;
}

static int OnSession(const PlatNetSessionDesc* desc, int flags, void*) {
    if (flags & PLAT_NET_ENUM_TIMEDOUT) {
        EnumeratingSessions = 0;
        EmptySessionSearches = NetSessionCount == 0 ? EmptySessionSearches + 1 : 0;
        return 0;
    }
    return ListSession(desc);
}

int EnumSessionsAsync() {
    NetSessionCount = 0;
    EnumeratingSessions = 1;
    return PlatNetEnumSessions(DirectPlayInterface, &NetApplicationGuid, 0, OnSession, nullptr,
                               PLAT_NET_ENUM_ASYNC | PLAT_NET_ENUM_AVAILABLE);
}

int EnumSessionsSync() {
    NetSessionCount = 0;
    return PlatNetEnumSessions(DirectPlayInterface, &NetApplicationGuid, 0, OnSession, nullptr,
                               PLAT_NET_ENUM_AVAILABLE);
}

static int OnPlayer(uint32_t id, const char* shortName, const char*, void*) {
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    const int n = NetPlayerCount;
    if (n >= NET_MAX_PLAYERS)
        return 0;
    strncpy(NetPlayerNames[n], shortName, NET_NAME_SIZE - 1);
    NetPlayerNames[n][NET_NAME_SIZE - 1] = 0;
    NetPlayerIds[n] = id;
    NetPlayerCount = n + 1;
    return 1;
}

int EnumPlayersOfSession(int index) {
    NetPlayerCount = 0;
    if (index < 0 || index >= NetSessionCount) {
        SetStatus(NETSTATUS_ENUM_PLAYERS_FAILED);
        return 0;
    }
    PlatGuid guid;
    {
        std::lock_guard<std::mutex> lock(NetSessionListLock);
        guid = SessionList[index].guid;
    }
    if (PlatNetEnumPlayers(DirectPlayInterface, &guid, OnPlayer, nullptr, PLAT_NET_PLAYERS_SESSION) != PLAT_NET_OK) {
        SetStatus(NETSTATUS_ENUM_PLAYERS_FAILED);
        return 0;
    }
    return 1;
}

int RefreshPlayerList() {
    NetPlayerCount = 0;
    if (PlatNetEnumPlayers(DirectPlayInterface, nullptr, OnPlayer, nullptr, 0) != PLAT_NET_OK) {
        SetStatus(NETSTATUS_ENUM_PLAYERS_FAILED);
        return 0;
    }
    return 1;
}

void SplitSessionName(int k) {
    SessionEntry& e = SessionList[k];
    const char* tab = strchr(e.name, '\t');
    const size_t n = tab ? (size_t)(tab - e.name) : strlen(e.name);
    memcpy(e.gameName, e.name, n);
    e.gameName[n] = 0;
    snprintf(e.hostName, sizeof e.hostName, "%s", tab ? tab + 1 : "");
}

int FindPlayerIndex(uint32_t id) {
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++)
        if (NetPlayerIds[i] == id)
            return i;
    return -1;
}

void RemovePlayer(uint32_t id) {
    const int index = FindPlayerIndex(id);
    if (index < 0)
        return;
    const int frozen = PlayerListFrozen;
    OnPlayerLeft(index, frozen);
    if (frozen)
        return;
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        const int n = NetPlayerCount;
        for (int i = index; i + 1 < n; i++) {
            memcpy(NetPlayerNames[i], NetPlayerNames[i + 1], NET_NAME_SIZE);
            NetPlayerIds[i] = NetPlayerIds[i + 1];
        }
        NetPlayerCount = n - 1;
    }
    ShiftPlayerFlags(index);
}

void FreezePlayerList() { PlayerListFrozen = 1; }
void ThawPlayerList() { PlayerListFrozen = 0; }

// ---------------------------------------------------------------------------
// Sending.

static int Send(uint32_t to, int flags, int priority, const void* data, int size) {
    if (!DirectPlayInterface)
        return PLAT_NET_ERR_NOCONNECTION;
    return PlatNetSend(DirectPlayInterface, NetOwnId, to, flags, priority, data, size);
}

int SendToAll(const void* data, int size) { return Send(PLAT_NET_ALL_PLAYERS, 0, 0, data, size); }
int SendToAllGuaranteed(const void* data, int size) {
    return Send(PLAT_NET_ALL_PLAYERS, PLAT_NET_SEND_GUARANTEED, 0, data, size);
}
int SendToAllPriority(const void* data, int size) { return Send(PLAT_NET_ALL_PLAYERS, 0, 100, data, size); }

int SendToPlayer(int index, const void* data, int size) {
    uint32_t id = 0;
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        if (index < 0 || index >= NetPlayerCount || index >= NET_MAX_PLAYERS)
            return PLAT_NET_ERR_INVALIDPLAYER;
        id = NetPlayerIds[index];
    }
    return Send(id, 0, 10, data, size);
}

static int QueueFigure(int which, int bytes) {
    int count = 0, size = 0;
    if (!DirectPlayInterface || PlatNetGetMessageQueue(DirectPlayInterface, which, &count, &size) != PLAT_NET_OK)
        return 0;
    return bytes ? size : count;
}

int SendQueueCount() { return QueueFigure(PLAT_NET_QUEUE_SEND, 0); }
int SendQueueBytes() { return QueueFigure(PLAT_NET_QUEUE_SEND, 1); }
int ReceiveQueueCount() { return QueueFigure(PLAT_NET_QUEUE_RECEIVE, 0); }
int ReceiveQueueBytes() { return QueueFigure(PLAT_NET_QUEUE_RECEIVE, 1); }

int GetSessionCaps() {
    PlatNetCaps caps;
    return PlatNetGetCaps(DirectPlayInterface, &caps);
}

static int sessionBeingAsked;

static int OnSessionHost(uint32_t, const char* shortName, const char* longName, void*) {
    if (longName[0] == 'H')
        snprintf(SessionHostTable[sessionBeingAsked], sizeof SessionHostTable[0], "%s", shortName);
    return 0;   // only the first player reported is looked at
}

void LookUpSessionHosts() {
    for (int k = 0; k < NetSessionCount && k < 32; k++) {
        PlatGuid guid;
        {
            std::lock_guard<std::mutex> lock(NetSessionListLock);
            guid = SessionList[k].guid;
        }
        sessionBeingAsked = k;
        PlatNetEnumPlayers(DirectPlayInterface, &guid, OnSessionHost, nullptr, PLAT_NET_PLAYERS_SESSION);
    }
}

// ---------------------------------------------------------------------------
// Receiving (the receive thread).

void DrainMessages() {
    int retries = 0;
    for (;;) {
        uint32_t from = 0, to = 0;
        int size = (int)sizeof NetMessage;
        const int result = PlatNetReceive(DirectPlayInterface, &from, &to, 0, NetMessage, &size);
        if (result == PLAT_NET_OK) {
            if (from == PLAT_NET_SYSTEM_PLAYER)
                HandleSystemMessage(NetMessage, size);
            else if (NetMessage[0] == MSG_PLAYER_LIST)
                ApplyPlayerList(from, NetMessage, size);
            else
                HandleGameMessage(from, NetMessage, size);
            continue;
        }
        if (result == PLAT_NET_ERR_NOMESSAGES)
            return;
        if (result == PLAT_NET_ERR_BUFFERTOOSMALL) {
            // Left queued it would stall every later message: it is dropped.
            size = 0;
            PlatNetReceive(DirectPlayInterface, nullptr, nullptr, PLAT_NET_RECEIVE_DISCARD, nullptr, &size);
            SetStatus(NETSTATUS_MESSAGE_TOO_BIG);
            continue;
        }
        if (++retries > DRAIN_RETRIES)
            return;
    }
}

static void AddJoinedPlayer(const PlatNetSysPlayer& m) {
    int index;
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        index = NetPlayerCount;
        for (int i = 0; i < index; i++)
            if (NetPlayerIds[i] == m.playerId)
                return;   // already listed by the refresh that came first
        if (index >= NET_MAX_PLAYERS)
            return;       // a ninth player has no place
        memcpy(NetPlayerNames[index], m.shortName, NET_NAME_SIZE);
        NetPlayerNames[index][NET_NAME_SIZE - 1] = 0;
        NetPlayerIds[index] = m.playerId;
        // Counted before the lobby hears of it: the joined line looks the
        // name up by index, and an index past the count has no name.
        NetPlayerCount = index + 1;
    }
    OnPlayerJoined(index);
}

void HandleSystemMessage(const uint8_t* message, int size) {
    if (size < 4)
        return;
    uint32_t type;
    memcpy(&type, message, 4);
    switch (type) {
    case PLAT_NET_SYS_CREATEPLAYER:
    case PLAT_NET_SYS_DESTROYPLAYER: {
        if (size != (int)sizeof(PlatNetSysPlayer))
            return;
        PlatNetSysPlayer m;
        memcpy(&m, message, sizeof m);
        m.shortName[NET_NAME_SIZE - 1] = 0;
        if (type == PLAT_NET_SYS_CREATEPLAYER)
            AddJoinedPlayer(m);
        else
            RemovePlayer(m.playerId);
        break;
    }
    case PLAT_NET_SYS_SESSIONLOST: {
        PlatNetSysSessionLost m{};
        memcpy(&m, message, (size_t)size < sizeof m ? (size_t)size : sizeof m);
        OnSessionLost(m.reason == PLAT_NET_LOST_DROPPED);
        break;
    }
    case PLAT_NET_SYS_HOST:
        NetIsHost = 1;
        OnBecameHost();
        break;
    default:
        break;
    }
}

void NetCarryOutSessionLost() {
    const int pending = SessionLostPending;
    if (!pending)
        return;
    // Back from a race the menus show no screen yet: the pop-up waits for
    // the sessions screen, unless the main menu came and closed network play.
    if (pending != SESSION_LOST_CLOSE && NetMenuScreen() == 0) {
        if (!NetSessionOpen)
            SessionLostPending = 0;
        return;
    }
    SessionLostPending = 0;
    NetShowPopup(5);
    if (ReceiveThreadRunning)
        CloseSession();
    if (NetSessionOpen)
        ShutdownDirectPlay();
}

// The pause menu's quit, which also closes the session; the menus then show
// why.  The race is paused first, under the lock: the quit resets the engine
// sounds that the tick's car steps write.
void NetLeaveLostRace() {
    int expected = SESSION_LOST_LEAVE_RACE;
    if (!SessionLostPending.compare_exchange_strong(expected, SESSION_LOST_AFTER_RACE))
        return;
    {
        SimLockGuard lock;
        RacePaused = 1;
    }
    NetLeaveRace();
}
