// Shared state of network play.  The receive thread exists only while a
// session is open and writes these; the tick and the frame read them.
#pragma once

#include <atomic>

extern std::atomic<int> NetSessionOpen;
extern std::atomic<int> NetIsHost;
extern std::atomic<int> NetAllLoaded;
extern std::atomic<int> NetPlayerGone[8];
extern std::atomic<int> NetCountdownActive;
extern std::atomic<int> NetPlayerCount;
extern std::atomic<int> NetLatency;
extern std::atomic<int> NetWaitingForPlayer;   // the frame prints text 595 while set
extern std::atomic<int> NetStartSignal;        // ends the presentation wait on clients
extern int NetworkGame;
