// Every network test starts from a fresh process's state: no session left
// open by a test that stopped half-way, and the network's flags, lists,
// counters and samples as their definitions start them.

#include <cstring>

#include "common/fresh_state.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "race/race_state.h"

namespace {

template <typename Flag, size_t N>
void Zero(Flag (&flags)[N]) {
    for (Flag& f : flags)
        f = 0;
}

void FreshNet() {
    ShutdownDirectPlay();   // also ends a receive thread still running
    NetAllLoaded = 0;
    Zero(NetPlayerGone);
    NetCountdownActive = 0;
    NetPlayerCount = 0;
    NetLatency = 2;
    NetStatus = 0;
    EnumeratingSessions = 0;
    PlayerListFrozen = 0;
    Hosting = 0;
    Joined = 0;
    SessionDesc = {};
    {
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        memset(NetPlayerIds, 0, sizeof NetPlayerIds);
        memset(NetPlayerNames, 0, sizeof NetPlayerNames);
    }
    NetOwnId = 0;
    NetOwnIndex = 0;
    NetHostIndex = 0;
    {
        std::lock_guard<std::mutex> lock(NetSessionListLock);
        memset(SessionList, 0, sizeof SessionList);
    }
    NetSessionCount = 0;
    memset(SessionHostTable, 0, sizeof SessionHostTable);
    Zero(ReceivedBits);
    LastSentBits = 0;
    BitsRepeatTicks = 0;
    Zero(ChoiceMade);
    Zero(LoadedFlags);
    WaitingForChoices = 0;
    CarChosen = 0;
    Pauser = 0;
    CountdownDone = 0;
    CountdownTicks = 0;
    StandingsReceived = 0;
    SamplesRestarted = 0;
    Zero(ReceivedPoints);
    Zero(ReceivedTotals);
    ChatActive = 0;
    SessionLostPending = 0;
    EmptySessionSearches = 0;
    NetBusyPort = 0;
    NetworkGame = 0;
    ListSelection[6] = ListSelection[7] = 0;   // the session picked, the host screen's row
    ChampionshipGroupOffset = 0;
    MenuScreen = 0;
    JumpToScreen9 = 0;
    for (int& latency : LatencyTable)
        latency = 4;
    Zero(HitReportPending);
    memset(HitReportStore, 0, sizeof HitReportStore);
    memset(HitReportReceived, 0, sizeof HitReportReceived);
    LastShownSessionCount = -1;
    LastSessionCount = 0;
    Zero(SampleSeq);
    Zero(RemoteClock);
    Zero(BehindCount);
    StatesArrived = 0;
    FreshStates = 0;
    ResyncCounter = 0;
    ClearSamples();
    LocalCar = 0;
    memset(CarModel, 0, sizeof CarModel);
    memset(CarColour, 0, sizeof CarColour);
}

void FreshNetProgram() {
    FreshMachine();
    FreshFrameAndRace();
    FreshNet();
}

const bool registered = ResetBeforeEveryTest(FreshNetProgram);

}  // namespace
