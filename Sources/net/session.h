// The network session: the session layer object, hosting, joining and
// listing sessions, the player list, the receive thread and the sends.
// Operations return 1, or 0 with the reason in NetStatus.
#pragma once

#include <cstdint>

struct PlatNetSessionDesc;

// NetStatus codes.
enum {
    NETSTATUS_NO_CONNECTION = 10,
    NETSTATUS_NO_OBJECT = 13,
    NETSTATUS_CREATE_FAILED = 14,
    NETSTATUS_MESSAGE_TOO_BIG = 15,
    NETSTATUS_NO_THREAD = 16,
    NETSTATUS_JOIN_FAILED = 100,
    NETSTATUS_NO_PLAYER = 101,
    NETSTATUS_ENUM_PLAYERS_FAILED = 102,
    NETSTATUS_NOT_OPEN = 103,
    NETSTATUS_INIT_FAILED = 104,
    NETSTATUS_RESET_FAILED = 105,
    NETSTATUS_ACCESS_DENIED = 106,
};

enum { SESSION_OPEN_MARK = 10, HOSTED_SESSION_FLAGS = 0xA044 };

// The user words a hosted session carries: the row chosen in the host
// screen's championship list (0-11), the number chosen with its three items
// (1-3), the championship group's offset (0 or 24; with the row it gives the
// championship), and the open mark.  A listed session whose first three
// words are not such is no session of this game and is not listed: the
// menus index their tables with them.
enum {
    SESSION_WORD_ROW = 0,
    SESSION_WORD_PLAYERS = 1,
    SESSION_WORD_GROUP = 2,
    SESSION_WORD_OPEN = 3,
    SESSION_LIST_ROWS = 12,
    SESSION_MAX_CHOSEN_PLAYERS = 3,
    SESSION_SECOND_GROUP = 24,
};
int SessionWordsValid(const int32_t user[4]);

int OpenDirectPlay();
int HostSession(const char* sessionName, const char* playerName, const int userWords[3], int maxPlayers);
int JoinSession(int index, const char* playerName);
int StartReceiveThread();
int CloseSession();
void ShutdownDirectPlay();
int DisableJoining();
int GetNetStatus();

int EnumSessionsAsync();
// One answer of a listing into SessionList (the listings' callback); 0 once
// the list is full.
int ListSession(const PlatNetSessionDesc* desc);
int EnumSessionsSync();
int EnumPlayersOfSession(int index);
int RefreshPlayerList();
void SplitSessionName(int k);
int FindPlayerIndex(uint32_t id);
void RemovePlayer(uint32_t id);
void FreezePlayerList();
void ThawPlayerList();

int SendToAll(const void* data, int size);
int SendToAllGuaranteed(const void* data, int size);
int SendToPlayer(int index, const void* data, int size);
int SendToAllPriority(const void* data, int size);

int SendQueueCount();
int SendQueueBytes();
int ReceiveQueueCount();
int ReceiveQueueBytes();
int GetSessionCaps();
void LookUpSessionHosts();
extern char SessionHostTable[32][256];

// The receive side: the thread's drain, and the system messages.
void DrainMessages();
void HandleSystemMessage(const uint8_t* message, int size);
// Receive failures other than "no messages" and "too small" are retried at
// most this many times in one drain.
enum { DRAIN_RETRIES = 16 };

// A lost session is carried out on the main thread, never on the receive
// thread, which closing waits for.  SessionLostPending says what is left:
enum {
    SESSION_LOST_CLOSE = 1,        // the menus show pop-up 5, close the session and the layer
    SESSION_LOST_LEAVE_RACE = 2,   // put out of the session in a race: the race is left first
    SESSION_LOST_AFTER_RACE = 3,   // the race was left: the menus close once a screen shows
};
// The menu frame calls this every frame.
void NetCarryOutSessionLost();
// The race frame calls this every frame, outside the simulation lock.
void NetLeaveLostRace();
// A joiner of the command line gives up after this many searches find nothing.
enum { JOIN_SEARCH_ROUNDS = 30 };
