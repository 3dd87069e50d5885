// Remote cars: the store of the newest car state received for each car, the
// host's broadcast of every car, the clients' control bits, and placing a
// remote car by extrapolating from its newest sample.
#pragma once

#include <atomic>
#include <cstdint>

#include "net/net_wire.h"
#include "net/race_sync.h"   // NetCountdown and WaitForStandings, which the tick and the frame call

enum {
    SAMPLE_SEQUENCE = 64,            // sample numbers wrap at 64
    RESYNC_TICKS = 961,              // every 962 ticks all remote cars snap once
    CONTROL_REPEAT_TICKS = 30,       // unchanged control bits are sent again
    LOAD_WAIT_LIMIT_MS = 30000,
    LATENCY_MIN = 2,
    LATENCY_MAX = 12,
    LATENCY_DEFAULT = 4,
};

extern std::atomic<int> SampleSeq[8];
extern std::atomic<int> RemoteClock[8];     // -1 unset
extern int BehindCount[8];                  // tick only
extern std::atomic<int> StatesArrived, FreshStates;
extern int ResyncCounter;                   // tick only

// The newest sample of a car, copied whole under the store's own lock.
void ReadSample(int car, CarStateSample* out);
void ClearSamples();

void ReadLatencySettings();
void StoreCarStates(const uint8_t* data, int size);
void RestartRemoteClockAtNewest(int car);
void RestartSampleClocks();

// Called by the tick.
void SendControlBits();
void ApplyControlBits(int car);
void ApplyRemoteCar(int car);
void UpdateRemoteWheels(int car);
void SendCarStates();
// A client's wall push: the car's stored state takes the pushed position
// and velocity, so the next extrapolation starts outside the wall.
void WriteWallPushSample(int car, float x, float z, float velocityX, float velocityZ);
// Fills one car's outgoing record from the simulation (the host's send).
void BuildCarStateSample(int car, CarStateSample* out);

// Called by the race frame before the race opens.
void WarmUpRemoteCars();
void WaitAllLoaded();

void AdaptLatency();
