#include "net/race_sync.h"

#include <cmath>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "net/net_messages.h"
#include "net/net_outside.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "platform/plat_system.h"
#include "race/race_state.h"

enum {
    TEXT_LOADING = 27,
    TEXT_JOINED = 597,
    TEXT_LEFT = 598,
    TEXT_SESSION_LOST_1 = 599,
    TEXT_SESSION_LOST_2 = 600,
    TEXT_QUIT = 603,
    TEXT_COUNTDOWN_1 = 1016,
    TEXT_COUNTDOWN_2 = 1017,
    POPUP_SESSION_LOST = 5,
};

static void ClearFlags(std::atomic<int>* flags) {
    for (int i = 0; i < NET_MAX_PLAYERS; i++)
        flags[i] = 0;
}

int NetInit() {
    ReadLatencySettings();
    ClearFlags(NetPlayerGone);
    NetAllLoaded = 0;
    NetStartSignal = 0;
    CarChosen = 0;
    SamplesRestarted = 0;
    StandingsReceived = 0;
    NetCountdownActive = 0;
    CountdownDone = 0;
    LastSessionCount = 0;
    SessionLostPending = 0;
    NetLatency = 2;
    return 1;
}

int NetResetForSession() {
    ClearFlags(NetPlayerGone);
    ClearFlags(HitReportPending);
    memset(HitReportStore, 0, sizeof HitReportStore);
    memset(HitReportReceived, 0, sizeof HitReportReceived);
    NetHostIndex = 0;
    NetCountdownActive = 0;
    CountdownDone = 0;
    for (int i = 0; i < 10; i++)
        NetScrollChatLines();
    WriteChatNames();
    NetResetRaceSync();
    return 1;
}

int NetResetRaceSync() {
    for (int c = 0; c < NET_MAX_PLAYERS; c++) {
        BehindCount[c] = 0;
        SampleSeq[c] = 0;
        ReceivedBits[c] = 0;
        LoadedFlags[c] = 0;
        ChoiceMade[c] = 0;
        RemoteClock[c] = -1;
    }
    NetSendPhase = 0;
    StandingsReceived = 0;
    SamplesRestarted = 0;
    NetAllLoaded = 0;
    StatesArrived = 0;
    FreshStates = 0;
    return 0;
}

int NetResetOnClose() {
    NetAllLoaded = 0;
    NetStartSignal = 0;
    Hosting = 0;
    Joined = 0;
    NetCountdownActive = 0;
    CountdownDone = 0;
    return 0;
}

void ClearOwnIndex() { NetOwnIndex = 0; }

void SetPlayersEngineTypes() {
    for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++)
        NetSetCarEngineType(p);
}

// ---------------------------------------------------------------------------
// The start countdown (the tick, in the menus).

void StartNetCountdown() {
    if (NetCountdownActive || CountdownDone)
        return;
    CountdownTicks = 0;
    NetCountdownActive = 1;
}

void NetCountdown() {
    const int tick = CountdownTicks;
    const int hostOfMany = NetIsHost && NetPlayerCount > 1;
    switch (tick) {
    case COUNTDOWN_CHAT_TICK:
        NetPostText(NET_TEXT_CHAT, TEXT_COUNTDOWN_1, "", 0);
        if (hostOfMany)
            NetRequestLobbyItems(1, 0);
        break;
    case COUNTDOWN_GO_TICK:
        if (hostOfMany)
            SendCommand(NETCMD_GO, 0);
        break;
    case COUNTDOWN_CLOSE_TICK:
        NetPostText(NET_TEXT_CHAT, TEXT_COUNTDOWN_2, "", 0);
        NetRequestLobbyItems(0, 1);
        if (hostOfMany)
            DisableJoining();
        break;
    case COUNTDOWN_END_TICK: {
        NetRequestCarChoiceScreen();
        NetCountdownActive = 0;
        CountdownDone = 1;
        const int players = NetPlayerCount;
        NetLatency = LatencyTable[players >= 1 && players <= NET_MAX_PLAYERS ? players - 1 : 0];
        if (hostOfMany)
            SendGo();
        break;
    }
    default:
        break;
    }
    CountdownTicks = tick + 1;
}

// ---------------------------------------------------------------------------
// The car choice.

void CheckAllChosen() {
    for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++)
        if (!ChoiceMade[p] && !NetPlayerGone[SlotSwap(p)])
            return;
    CopyHostCarChoice();
    WaitingForChoices = 0;
    NetStartSignal = 0;
    FreezePlayerList();
    for (int p = 0; p < NET_MAX_PLAYERS; p++)
        ChoiceMade[p] = 0;
}

void CopyHostCarChoice() {
    SimLockGuard lock;
    const int hostCar = SlotSwap(NetHostIndex);
    for (int i = 0; i < NetPlayerCount && i < NET_MAX_PLAYERS; i++) {
        if (!NetPlayerGone[i])
            continue;
        CarModel[i] = CarModel[hostCar];
        CarColour[i] = CarColour[hostCar];
    }
}

// ---------------------------------------------------------------------------
// Players.

void MarkPlayerGone(int player) {
    const int car = SlotSwap(player);
    if (car >= 0 && car < NET_MAX_PLAYERS)
        NetPlayerGone[car] = 1;
}

void PlayerQuit(int player, int announce) {
    if (announce)
        NetPostText(NET_TEXT_CONSOLE, TEXT_QUIT, NetPlayerNameOf(player).text, 0);
    MarkPlayerGone(player);
    if (player == Pauser)
        RacePaused = 0;
    if (NetAllLoaded) {
        SimLockGuard lock;
        NetSettleBodyHeight(player);
    }
}

static void ReleaseStateWait() {
    if (!NetWaitingForPlayer)
        return;
    NetSendPhase = 0;
    RacePaused = 0;
    NetWaitingForPlayer = 0;
}

void OnPlayerJoined(int index) {
    NetRequestPlayerRows();
    NetPostText(NET_TEXT_CHAT, TEXT_JOINED, NetPlayerNameOf(index).text, 1);
}

void OnPlayerLeft(int index, int frozen) {
    if (frozen) {
        PlayerQuit(index, 1);
        if (WaitingForChoices)
            CheckAllChosen();
    } else {
        NetPostText(NET_TEXT_CHAT, TEXT_LEFT, NetPlayerNameOf(index).text, 1);
        NetRequestPlayerRows();
        if (NetOwnIndex > index)
            NetOwnIndex = NetOwnIndex - 1;
        if (NetHostIndex > index)
            NetHostIndex = NetHostIndex - 1;
    }
    ReleaseStateWait();
}

void ShiftPlayerFlags(int index) {
    for (int i = index; i < NET_MAX_PLAYERS; i++) {
        const int next = i + 1 < NET_MAX_PLAYERS;
        ChoiceMade[i] = next ? ChoiceMade[i + 1].load() : 0;
        LoadedFlags[i] = next ? LoadedFlags[i + 1].load() : 0;
    }
    if (WaitingForChoices)
        CheckAllChosen();
}

void OnSessionLost(int dropped) {
    if (CarChosen && !dropped) {
        // The race goes on here alone: every other car is computer-driven,
        // which only a machine that simulates every car can do.
        NetPostText(NET_TEXT_CONSOLE, TEXT_SESSION_LOST_1, "", 0);
        NetPostText(NET_TEXT_CONSOLE, TEXT_SESSION_LOST_2, "", 0);
        for (int car = 1; car < NetPlayerCount && car < NET_MAX_PLAYERS; car++)
            NetPlayerGone[car] = 1;
        NetIsHost = 1;
        ReleaseStateWait();
        return;
    }
    // Put out of the session, a machine that raced on would finish a race
    // of its own: it leaves the race.  In the lobby the session is closed.
    // Neither here: closing waits for this thread.  The race frame and the
    // menu frame do it (NetLeaveLostRace, NetCarryOutSessionLost).
    if (dropped && !FrontEndActive) {
        NetPostText(NET_TEXT_CONSOLE, TEXT_SESSION_LOST_1, "", 0);
        SessionLostPending = SESSION_LOST_LEAVE_RACE;
        return;
    }
    SessionLostPending = SESSION_LOST_CLOSE;
}

void OnBecameHost() {
    SendHostIndex();
    NetHostIndex = NetOwnIndex.load();
    ReleaseStateWait();
}

// ---------------------------------------------------------------------------
// Collision reports and standings.

void StoreHitReport(int report[5], int strength, float x, float z, float rate1, float rate2) {
    report[0] = strength;
    memcpy(&report[1], &x, 4);
    memcpy(&report[2], &z, 4);
    memcpy(&report[3], &rate1, 4);
    memcpy(&report[4], &rate2, 4);
}

void QueueHitReport(int car, int strength, float x, float z, float rate1, float rate2) {
    if (car < 0 || car >= NET_MAX_PLAYERS)
        return;
    HitReportPending[car] = 1;
    StoreHitReport(HitReportStore[car], strength, x, z, rate1, rate2);
}

// A report as the host's collision gave it, played out on this machine:
// sparks at the contact point (the small kind below the hard-hit strength,
// as the collision itself draws them), the car crash sound, and the body's
// two tilt rates.  A report with a value that is no number is not applied.
void ApplyHitReport(int car) {
    if (car < 0 || car >= NET_MAX_PLAYERS)
        return;
    const int* r = HitReportReceived[car];
    float x, z, rate1, rate2;
    memcpy(&x, &r[1], 4);
    memcpy(&z, &r[2], 4);
    memcpy(&rate1, &r[3], 4);
    memcpy(&rate2, &r[4], 4);
    if (!std::isfinite(x) || !std::isfinite(z) || !std::isfinite(rate1) || !std::isfinite(rate2))
        return;
    SimLockGuard lock;
    NetHitImpact(car, x, z, r[0] < HIT_HARD_STRENGTH ? HIT_SPARKS_LIGHT : HIT_SPARKS_HARD);
    NetSetTiltRates(car, rate1, rate2);
}

void WaitForStandings() {
    if (NetIsHost) {
        SendStandings();
        return;
    }
    // Counted in ticks; the sleeps are bounded too, should the timer stop.
    const int start = TimerTicks;
    for (int sleeps = 0; !StandingsReceived && TimerTicks - start <= STANDINGS_WAIT_TICKS && sleeps < 30; sleeps++)
        PlatSleepMs(200);
    if (StandingsReceived)
        ApplyStandings();
}

void ApplyStandings() {
    int points[8], totals[8];
    for (int c = 0; c < NET_MAX_PLAYERS; c++) {
        points[c] = ReceivedPoints[c];
        totals[c] = ReceivedTotals[c];
    }
    NetApplyStandings(points, totals, NetPlayerCount);
    StandingsReceived = 0;
}
