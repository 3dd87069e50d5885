#include "net/net_messages.h"

#include <cstring>

#include "frame/sim_lock.h"
#include "net/net_outside.h"
#include "net/net_state.h"
#include "net/net_wire.h"
#include "net/race_sync.h"
#include "net/remote_cars.h"
#include "net/net_texts.h"
#include "net/session.h"
#include "race/race_state.h"

// A machine's own car in a network race is car 0 (the race set-up's
// LocalCar).  The receive thread swaps on the constant: LocalCar itself is
// the race's, which rewrites it while a car steps.
enum { OWN_CAR = 0 };

int SlotSwap(int c) {
    const int own = NetOwnIndex;
    if (c == OWN_CAR)
        return own;
    if (c == own)
        return OWN_CAR;
    return c;
}

static int PlayerIndexValid(int index) { return index >= 0 && index < NetPlayerCount && index < NET_MAX_PLAYERS; }

// ---------------------------------------------------------------------------
// Senders.

void SendChatText(const char* text) {
    uint8_t m[CHAT_TEXT_MAX + 2];
    SendToAll(m, EncodeChat(m, text));
}

void SendAssignIndex(int index) {
    uint8_t m[INDEX_MESSAGE_SIZE];
    SendToPlayer(index, m, EncodeIndexMessage(m, MSG_ASSIGN_INDEX, index));
}

void SendCarChoice() {
    uint8_t m[CAR_CHOICE_SIZE];
    int model, colour;
    {
        SimLockGuard lock;
        model = CarModel[LocalCar];
        colour = CarColour[LocalCar];
        if (NetIsHost) {
            // The host chooses for the players already gone.
            for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++) {
                if (!NetPlayerGone[p])
                    continue;
                CarModel[p] = model;
                CarColour[p] = colour;
                SendToAllGuaranteed(m, EncodeCarChoice(m, SlotSwap(p), model, colour));
            }
        }
    }
    SendToAllGuaranteed(m, EncodeCarChoice(m, NetOwnIndex, model, colour));
    WaitingForChoices = 1;
    ChoiceMade[NetOwnIndex] = 1;
    CheckAllChosen();
    CarChosen = 1;
}

void SendCommand(int command, int applyLocally) {
    uint8_t m[COMMAND_SIZE];
    const int own = NetOwnIndex;
    SendToAllGuaranteed(m, EncodeIntPair(m, MSG_COMMAND, own, command));
    if (applyLocally)
        ApplyCommand(own, command);
}

void SendPause() {
    SendCommand(NETCMD_PAUSE, 0);
    Pauser = NetOwnIndex.load();
}

void SendResume() {
    SendCommand(NETCMD_RESUME, 0);
    RacePaused = 0;
}

void SendQuit() { SendCommand(NETCMD_QUIT, 0); }

void SendStandings() {
    int points[8] = {}, totals[8] = {}, bySlot[8] = {}, totalsBySlot[8] = {};
    NetReadStandings(points, totals);
    for (int c = 0; c < NetPlayerCount && c < NET_MAX_PLAYERS; c++) {
        bySlot[SlotSwap(c)] = points[c];
        totalsBySlot[SlotSwap(c)] = totals[c];
    }
    uint8_t m[TABLE_MESSAGE_SIZE];
    SendToAllGuaranteed(m, EncodeTables(m, MSG_STANDINGS, bySlot, totalsBySlot));
}

void SendRaceResults(int) {
    int order[8] = {}, positions[8] = {}, orderBySlot[8] = {}, positionsBySlot[8] = {};
    NetReadRaceOrder(order, positions);
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++) {
        orderBySlot[SlotSwap(i)] = order[i];
        positionsBySlot[SlotSwap(i)] = positions[i];
    }
    uint8_t m[TABLE_MESSAGE_SIZE];
    SendToAllGuaranteed(m, EncodeTables(m, MSG_RACE_RESULTS, orderBySlot, positionsBySlot));
}

void SendHostIndex() {
    uint8_t m[INDEX_MESSAGE_SIZE];
    SendToAllGuaranteed(m, EncodeIndexMessage(m, MSG_HOST_INDEX, NetOwnIndex));
}

void SendGo() {
    uint8_t m[GO_SIZE];
    SendToAll(m, EncodeGo(m));
}

void SendHitReport(int car) {
    if (car < 0 || car >= NET_MAX_PLAYERS)
        return;
    HitReportPending[car] = 0;
    const int slot = SlotSwap(car);
    uint8_t m[HIT_REPORT_SIZE];
    SendToAll(m, EncodeHitReport(m, &HitReportStore[slot][1]));
}

void SendPlayerList() {
    RefreshPlayerList();
    static uint8_t m[PLAYER_LIST_SIZE];   // the tick's only; too big for its stack
    uint32_t ids[8];
    static char names[8][256];
    int count;
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        count = NetPlayerCount;
        memcpy(ids, NetPlayerIds, sizeof ids);
        memcpy(names, NetPlayerNames, sizeof names);
    }
    for (int i = 0; i < count; i++)
        if (ids[i] == NetOwnId) {
            NetHostIndex = i;
            NetOwnIndex = i;
        }
    SendToAll(m, EncodePlayerList(m, count, ids, names, NetHostIndex));
}

// ---------------------------------------------------------------------------
// Receivers.

static void ShowChatMessage(const uint8_t* data, int size) {
    char text[CHAT_TEXT_MAX + 1];
    if (!DecodeChat(data, size, text) || !ChatActive)
        return;
    NetPostText(NET_TEXT_CHAT, -1, text, 0);
}

static void ApplyAssignIndex(const uint8_t* data, int size) {
    int index;
    if (DecodeIndexMessage(data, size, &index) && PlayerIndexValid(index))
        NetOwnIndex = index;
}

static void ApplyCarChoice(const uint8_t* data, int size) {
    int player, model, colour;
    if (!DecodeCarChoice(data, size, &player, &model, &colour) || !PlayerIndexValid(player) || model < 0 ||
        model >= NET_CAR_MODELS || colour < 0 || colour >= NET_CAR_COLOURS)
        return;
    {
        SimLockGuard lock;
        const int car = SlotSwap(player);
        CarModel[car] = model;
        CarColour[car] = colour;
    }
    ChoiceMade[player] = 1;
    CheckAllChosen();
}

void ApplyCommand(int sender, int command) {
    switch (command) {
    case NETCMD_GO:
        StartNetCountdown();
        break;
    case NETCMD_RESTART:
        RestartSampleClocks();
        break;
    case NETCMD_LOADED:
        LoadedFlags[sender] = 1;
        break;
    case NETCMD_PAUSE:
        NetPostText(NET_TEXT_CONSOLE, 601, NetPlayerNameOf(sender).text, 0);
        Pauser = sender;
        RacePaused = 1;
        break;
    case NETCMD_RESUME:
        NetPostText(NET_TEXT_CONSOLE, 602, NetPlayerNameOf(sender).text, 0);
        RacePaused = 0;
        break;
    case NETCMD_QUIT:
        PlayerQuit(sender, 0);
        break;
    case NETCMD_RACE_OVER:
        RaceOver = 1;
        break;
    default:
        break;
    }
}

// Go and race over are the host's to say: it starts the countdown and ends
// the race for everyone.
static void ReceiveCommand(int sender, int fromHost, const uint8_t* data, int size) {
    int index, command;
    if (!DecodeIntPair(data, size, &index, &command) || index != sender)
        return;
    if ((command == NETCMD_GO || command == NETCMD_RACE_OVER) && !fromHost)
        return;
    ApplyCommand(sender, command);
}

static void StoreControlBits(int sender, const uint8_t* data, int size) {
    int index, bits;
    if (!DecodeIntPair(data, size, &index, &bits) || index != sender || !NetIsHost)
        return;
    ReceivedBits[SlotSwap(index)] = bits;
}

static void StoreStandings(const uint8_t* data, int size) {
    int points[8], totals[8];
    if (!DecodeTables(data, size, points, totals))
        return;
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++) {
        ReceivedPoints[SlotSwap(i)] = points[i];
        ReceivedTotals[SlotSwap(i)] = totals[i];
    }
    StandingsReceived = 1;
}

static void ApplyHostIndex(int sender, const uint8_t* data, int size) {
    int index;
    // The new host names itself.
    if (!DecodeIndexMessage(data, size, &index) || !PlayerIndexValid(index) || index != sender)
        return;
    NetHostIndex = index;
    LastSentBits = 0;
    for (int c = 0; c < NetPlayerCount && c < NET_MAX_PLAYERS; c++) {
        ReceivedBits[c] = 0;
        RestartRemoteClockAtNewest(c);
    }
}

static void ApplyRaceResults(const uint8_t* data, int size) {
    int orderBySlot[8], positionsBySlot[8];
    if (!DecodeTables(data, size, orderBySlot, positionsBySlot))
        return;
    const int n = NetPlayerCount < NET_MAX_PLAYERS ? NetPlayerCount.load() : NET_MAX_PLAYERS;
    int order[8] = {}, positions[8] = {};
    for (int i = 0; i < n; i++) {
        order[i] = orderBySlot[SlotSwap(i)];
        positions[i] = positionsBySlot[SlotSwap(i)];
        if (order[i] < 0 || order[i] >= NET_MAX_PLAYERS || positions[i] < 0 || positions[i] >= NET_MAX_PLAYERS)
            return;   // an order that names no car
    }
    // The order's entries are the host's ranks, moved as if they were cars:
    // on a machine whose own index is not 0 they land on the wrong ranks.
    // The ranks of the cars come over right, so the order is rebuilt from
    // them when they are one rank each.
    int ranked[8] = {}, whole = 1;
    for (int i = 0; i < n; i++) {
        if (positions[i] >= n || ranked[positions[i]]++)
            whole = 0;
    }
    if (whole) {
        for (int i = 0; i < n; i++)
            order[positions[i]] = i;
    }
    SimLockGuard lock;
    NetApplyRaceOrder(order, positions, n);
    RaceOver = 1;
    FinishSequence = n > 0 && positions[0] == 0 ? 1 : 0;
}

void HandleGameMessage(uint32_t from, const uint8_t* data, int size) {
    if (size < 1)
        return;
    const int type = data[0];
    if (type == 0 || type > MSG_GO)
        return;
    const int sender = FindPlayerIndex(from);
    // The host as the game protocol knows it (the player list, the host
    // index message).  Only it assigns indices, sends states, standings and
    // results, and says go and race over.
    const int fromHost = sender >= 0 && sender == NetHostIndex;
    switch (type) {
    case MSG_CHAT:
        ShowChatMessage(data, size);
        break;
    case MSG_ASSIGN_INDEX:
        if (fromHost)
            ApplyAssignIndex(data, size);
        break;
    case MSG_CAR_CHOICE:
        ApplyCarChoice(data, size);
        break;
    case MSG_CAR_STATES:
        if (fromHost)
            StoreCarStates(data, size);
        break;
    case MSG_COMMAND:
        if (sender >= 0)
            ReceiveCommand(sender, fromHost, data, size);
        break;
    case MSG_CONTROL_BITS:
        if (sender >= 0)
            StoreControlBits(sender, data, size);
        break;
    case MSG_STANDINGS:
        if (fromHost)
            StoreStandings(data, size);
        break;
    case MSG_HOST_INDEX:
        ApplyHostIndex(sender, data, size);
        break;
    case MSG_RACE_RESULTS:
        if (fromHost)
            ApplyRaceResults(data, size);
        break;
    case MSG_GO:
        if (fromHost && size == GO_SIZE)
            StartNetCountdown();
        break;
    default:   // 5 (collision reports) and 10 are not acted on
        break;
    }
}

// A host's list is taken only when it orders the players this session
// holds: each listed once, this machine's among them, one host and that the
// sender.  A list that named players who are not here would have the car
// choice wait for ever on choices nobody sends.
static int ListHoldsOnlyOurPlayers(uint32_t from, int count, const uint32_t ids[8], const int isHost[8]) {
    int own = 0, hosts = 0;
    for (int i = 0; i < count; i++) {
        for (int j = 0; j < i; j++)
            if (ids[j] == ids[i])
                return 0;
        int held = 0;
        for (int k = 0; k < NetPlayerCount && k < NET_MAX_PLAYERS; k++)
            held |= NetPlayerIds[k] == ids[i];
        if (!held)
            return 0;
        own |= ids[i] == NetOwnId;
        if (isHost[i]) {
            hosts++;
            if (ids[i] != from)
                return 0;
        }
    }
    return own && hosts == 1;
}

void ApplyPlayerList(uint32_t from, const uint8_t* data, int size) {
    int count;
    uint32_t ids[8];
    static char names[8][256];   // receive thread only
    int isHost[8];
    if (!DirectPlayInterface || !PlatNetIsHostPlayer(DirectPlayInterface, from) ||
        !DecodePlayerList(data, size, &count, ids, names, isHost))
        return;
    // The order is the lobby's to give: once the car choice has begun the
    // choices are counted by index, and the list must not move under them.
    if (CountdownDone || PlayerListFrozen)
        return;
    const uint32_t own = NetOwnId;
    std::lock_guard<std::mutex> lock(NetPlayerListLock);
    if (!ListHoldsOnlyOurPlayers(from, count, ids, isHost))
        return;
    NetPlayerCount = count;
    for (int i = 0; i < count; i++) {
        memcpy(NetPlayerNames[i], names[i], NET_NAME_SIZE);
        NetPlayerIds[i] = ids[i];
        if (ids[i] == own)
            NetOwnIndex = i;
        if (isHost[i])
            NetHostIndex = i;
    }
}
