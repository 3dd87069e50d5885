#include "net/net_state.h"

std::atomic<int> NetSessionOpen;
std::atomic<int> NetIsHost;
std::atomic<int> NetAllLoaded;
std::atomic<int> NetPlayerGone[8];
std::atomic<int> NetCountdownActive;
std::atomic<int> NetPlayerCount;
std::atomic<int> NetLatency{1};
std::atomic<int> NetWaitingForPlayer;
std::atomic<int> NetStartSignal;
int NetworkGame;
