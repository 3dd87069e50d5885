// Race synchronisation around the remote cars: set-up and resets, the start
// countdown, the car choice, players loading, pausing, quitting, joining and
// leaving, a lost session, a new host, and the standings.
#pragma once

enum {
    COUNTDOWN_CHAT_TICK = 0,
    COUNTDOWN_GO_TICK = 60,
    COUNTDOWN_CLOSE_TICK = 120,
    COUNTDOWN_END_TICK = 240,
    STANDINGS_WAIT_TICKS = 300,
    HIT_HARD_STRENGTH = 1200,        // a collision report's strength from which a hit is hard
    HIT_SPARKS_LIGHT = 6,            // the impact effect's kinds below and from it
    HIT_SPARKS_HARD = 3,
};

int NetInit();
int NetResetForSession();
int NetResetRaceSync();
int NetResetOnClose();
void ClearOwnIndex();
void SetPlayersEngineTypes();

void StartNetCountdown();
void NetCountdown();

void CheckAllChosen();
void CopyHostCarChoice();

void PlayerQuit(int player, int announce);
void MarkPlayerGone(int player);
void OnPlayerJoined(int index);
void OnPlayerLeft(int index, int frozen);
void ShiftPlayerFlags(int index);
// dropped: the host said this machine is no longer in the session.
void OnSessionLost(int dropped);
void OnBecameHost();

// A report's five words: the strength, then the floats' bits.
void StoreHitReport(int report[5], int strength, float x, float z, float rate1, float rate2);
void QueueHitReport(int car, int strength, float x, float z, float rate1, float rate2);
// Plays out the report of HitReportReceived for the car.  Nothing calls it.
void ApplyHitReport(int car);
void WaitForStandings();
void ApplyStandings();
