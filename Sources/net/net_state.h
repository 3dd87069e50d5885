// Shared state of network play.  The receive thread exists only while a
// session is open and writes much of this; the tick, the frame and the menus
// read it.  Words that cross threads are atomics; the player list and the
// session list each have their own lock, and the car-state samples theirs
// (remote_cars.h).  Handlers that write race tables take the simulation lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/plat_net.h"

enum {
    NET_MAX_PLAYERS = 8,
    NET_MAX_SESSIONS = 32,
    NET_NAME_SIZE = 256,
    NET_MESSAGE_SIZE = 4096,
};

// ---------------------------------------------------------------------------
// Read by the frame, the tick and the race.
extern std::atomic<int> NetSessionOpen;
extern std::atomic<int> NetIsHost;
extern std::atomic<int> NetAllLoaded;
extern std::atomic<int> NetPlayerGone[NET_MAX_PLAYERS];   // by car
extern std::atomic<int> NetCountdownActive;
extern std::atomic<int> NetPlayerCount;
extern std::atomic<int> NetLatency;
extern std::atomic<int> NetWaitingForPlayer;   // waiting for states: the frame prints text 595 while set
extern std::atomic<int> NetStartSignal;        // the race-go request: ends the presentation wait
extern int NetworkGame;

// ---------------------------------------------------------------------------
// The session layer (session.cpp).
extern PlatNet* DirectPlayInterface;
extern std::atomic<int> NetStatus;
extern std::atomic<int> EnumeratingSessions;
extern std::atomic<int> ReceiveThreadRunning;
extern std::atomic<int> PlayerListFrozen;
extern std::atomic<int> Hosting, Joined;        // set by the menus after hosting or joining
extern PlatNetSessionDesc SessionDesc;
extern const PlatGuid NetApplicationGuid;
extern std::atomic<int> EmptySessionSearches;   // searches in a row that found no session
extern std::atomic<int> NetBusyPort;            // the port that another socket held when the layer opened; 0

// The players of the session; NetPlayerListLock guards ids, names and the
// count together.  A player's position is its index everywhere in the game
// protocol.
extern std::mutex NetPlayerListLock;
extern uint32_t NetPlayerIds[NET_MAX_PLAYERS];
extern char NetPlayerNames[NET_MAX_PLAYERS][NET_NAME_SIZE];
extern std::atomic<uint32_t> NetOwnId;
extern std::atomic<int> NetOwnIndex;
extern std::atomic<int> NetHostIndex;

// The listed sessions; NetSessionListLock guards the entries.
struct SessionEntry {
    char name[NET_NAME_SIZE];
    PlatGuid guid;
    int32_t user[4];
    char gameName[NET_NAME_SIZE];   // the name before its first tab
    char hostName[NET_NAME_SIZE];   // after it
};
extern std::mutex NetSessionListLock;
extern SessionEntry SessionList[NET_MAX_SESSIONS];
extern std::atomic<int> NetSessionCount;

// ---------------------------------------------------------------------------
// Race synchronisation (remote_cars.cpp, race_sync.cpp).
extern std::atomic<int> ReceivedBits[NET_MAX_PLAYERS];    // by car (host)
extern std::atomic<int> LastSentBits;
extern std::atomic<int> BitsRepeatTicks;                  // ticks since the bits were last sent
extern std::atomic<int> ChoiceMade[NET_MAX_PLAYERS];      // by player index
extern std::atomic<int> LoadedFlags[NET_MAX_PLAYERS];     // by player index
extern std::atomic<int> WaitingForChoices, CarChosen;
extern std::atomic<int> Pauser;
extern std::atomic<int> CountdownDone, CountdownTicks;
extern std::atomic<int> StandingsReceived, SamplesRestarted;
extern std::atomic<int> ReceivedPoints[NET_MAX_PLAYERS], ReceivedTotals[NET_MAX_PLAYERS];   // by car
extern std::atomic<int> ChatActive;                       // the lobby is shown (the menus set it)
extern std::atomic<int> SessionLostPending;               // SESSION_LOST_*: what the main thread still does
extern int LatencyTable[NET_MAX_PLAYERS];
extern std::atomic<int> HitReportPending[NET_MAX_PLAYERS];
extern int HitReportStore[NET_MAX_PLAYERS][5];      // the host's own reports: strength, x, z, two tilt rates
// Reports of the same layout as they would come from the host, by car, for
// ApplyHitReport.  Nothing fills it: no report is sent, and a received
// collision report is not acted on.
extern int HitReportReceived[NET_MAX_PLAYERS][5];

// ---------------------------------------------------------------------------
// Lobby lists (lobby.cpp).
extern int LastShownSessionCount;
extern std::atomic<int> LastSessionCount;
