#include "net/net_state.h"

std::atomic<int> NetSessionOpen;
std::atomic<int> NetIsHost;
std::atomic<int> NetAllLoaded;
std::atomic<int> NetPlayerGone[NET_MAX_PLAYERS];
std::atomic<int> NetCountdownActive;
std::atomic<int> NetPlayerCount;
std::atomic<int> NetLatency{2};
std::atomic<int> NetWaitingForPlayer;
std::atomic<int> NetStartSignal;
int NetworkGame;

PlatNet* DirectPlayInterface;
std::atomic<int> NetStatus;
std::atomic<int> EnumeratingSessions;
std::atomic<int> ReceiveThreadRunning;
std::atomic<int> PlayerListFrozen;
std::atomic<int> Hosting, Joined;
PlatNetSessionDesc SessionDesc;
std::atomic<int> EmptySessionSearches;
std::atomic<int> NetBusyPort;

std::mutex NetPlayerListLock;
uint32_t NetPlayerIds[NET_MAX_PLAYERS];
char NetPlayerNames[NET_MAX_PLAYERS][NET_NAME_SIZE];
std::atomic<uint32_t> NetOwnId;
std::atomic<int> NetOwnIndex;
std::atomic<int> NetHostIndex;

std::mutex NetSessionListLock;
SessionEntry SessionList[NET_MAX_SESSIONS];
std::atomic<int> NetSessionCount;

std::atomic<int> ReceivedBits[NET_MAX_PLAYERS];
std::atomic<int> LastSentBits;
std::atomic<int> BitsRepeatTicks;
std::atomic<int> ChoiceMade[NET_MAX_PLAYERS];
std::atomic<int> LoadedFlags[NET_MAX_PLAYERS];
std::atomic<int> WaitingForChoices, CarChosen;
std::atomic<int> Pauser;
std::atomic<int> CountdownDone, CountdownTicks;
std::atomic<int> StandingsReceived, SamplesRestarted;
std::atomic<int> ReceivedPoints[NET_MAX_PLAYERS], ReceivedTotals[NET_MAX_PLAYERS];
std::atomic<int> ChatActive;
std::atomic<int> SessionLostPending;
int LatencyTable[NET_MAX_PLAYERS] = {4, 4, 4, 4, 4, 4, 4, 4};
std::atomic<int> HitReportPending[NET_MAX_PLAYERS];
int HitReportStore[NET_MAX_PLAYERS][5];
int HitReportReceived[NET_MAX_PLAYERS][5];

int LastShownSessionCount = -1;
std::atomic<int> LastSessionCount;
