#include "net/remote_cars.h"

#include <cstdio>
#include <mutex>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "net/net_messages.h"
#include "net/net_outside.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "net/session.h"
#include "platform/plat_clock.h"
#include "platform/plat_ini.h"
#include "platform/plat_system.h"
#include "race/race_state.h"

std::atomic<int> SampleSeq[8];
std::atomic<int> RemoteClock[8];
int BehindCount[8];
std::atomic<int> StatesArrived, FreshStates;
int ResyncCounter;

// The samples have their own lock: the receive thread writes a record while
// the tick reads it, and neither may see half of one.
static std::mutex sampleLock;
static CarStateSample samples[8];

void ReadSample(int car, CarStateSample* out) {
    std::lock_guard<std::mutex> lock(sampleLock);
    *out = samples[car];
}

void ClearSamples() {
    std::lock_guard<std::mutex> lock(sampleLock);
    for (CarStateSample& s : samples)
        s = CarStateSample{};
}

void ReadLatencySettings() {
    for (int n = 1; n <= NET_MAX_PLAYERS; n++) {
        char key[24];   // room for any int, as the compiler counts
        snprintf(key, sizeof key, "latency%i", n);
        int v = PlatIniGetInt("config\\vondel.ini", "Network", key, LATENCY_DEFAULT);
        if (v < LATENCY_MIN)
            v = LATENCY_MIN;
        if (v > LATENCY_MAX)
            v = LATENCY_MAX;
        LatencyTable[n - 1] = v;
    }
}

// ---------------------------------------------------------------------------
// Receiving (receive thread).

void StoreCarStates(const uint8_t* data, int size) {
    CarStateSample in[8];
    int present = 0;
    if (!DecodeCarStates(data, size, in, &present))
        return;
    for (int k = 0; k < present; k++)
        if (!SampleIsFinite(&in[k]))
            return;   // one bad float spoils the message
    const int count = CarCount < present ? CarCount.load() : present;
    const int latency = NetLatency;
    StatesArrived = 1;
    for (int k = 0; k < count; k++) {
        const int c = SlotSwap(k);
        if (c < 0 || c >= 8)
            continue;
        const int n = SampleSeq[c];
        {
            std::lock_guard<std::mutex> lock(sampleLock);
            samples[c] = in[k];
        }
        SampleSeq[c] = (n + 1) % SAMPLE_SEQUENCE;
        if (RemoteClock[c] == -1) {
            RemoteClock[c] = 0;
            NetSendPhase = 0;
        }
        if (NetWaitingForPlayer) {
            RemoteClock[c] = n * latency;
            if (k == count - 1) {
                NetSendPhase = 0;
                RacePaused = 0;
                NetWaitingForPlayer = 0;
            }
        }
    }
    FreshStates = 1;
}

static int NewestSample(int car) { return (SampleSeq[car] + SAMPLE_SEQUENCE - 1) % SAMPLE_SEQUENCE; }

void RestartRemoteClockAtNewest(int car) { RemoteClock[car] = NetLatency * NewestSample(car); }

void RestartSampleClocks() {
    NetStartSignal = 1;
    SamplesRestarted = 1;
    for (int c = 0; c < 8; c++) {
        SampleSeq[c] = 0;
        RemoteClock[c] = 0;
    }
}

// ---------------------------------------------------------------------------
// The tick (timer thread, under the simulation lock).

void SendControlBits() {
    const int bits = CarInputBits[LocalCar];
    const int ticks = BitsRepeatTicks + 1;
    // A lost datagram would hold old bits on the host until the next change:
    // unchanged bits go again every CONTROL_REPEAT_TICKS.
    if (bits == LastSentBits && ticks < CONTROL_REPEAT_TICKS) {
        BitsRepeatTicks = ticks;
        return;
    }
    uint8_t m[COMMAND_SIZE];
    SendToPlayer(NetHostIndex, m, EncodeIntPair(m, MSG_CONTROL_BITS, NetOwnIndex, bits));
    LastSentBits = bits;
    BitsRepeatTicks = 0;
}

void ApplyControlBits(int car) { CarInputBits[car] = ReceivedBits[car]; }

void ApplyRemoteCar(int car) {
    if (!StatesArrived) {
        NetStepCarBody(car);
        NetUpdateChaseCamera(car);
        NetUpdateCarHeading(car);
        NetWheelWorldPositions(car);
        return;
    }
    const int latency = NetLatency;
    const int window = SAMPLE_SEQUENCE * latency;
    int clock = RemoteClock[car] + 1;
    if (clock >= window)
        clock -= window;
    const int stamp = NewestSample(car) * latency;
    if (StartStage == 1)
        clock = stamp;
    int d = clock - stamp;
    if (d > window / 2)
        d -= window;
    else if (d < -window / 2)
        d += window;
    if (d > window / 4 && !RaceOver) {
        NetWaitingForPlayer = 1;
        RacePaused = 1;
    }
    if (d < -window / 8 || ResyncCounter > RESYNC_TICKS - 1) {
        clock = stamp;
        d = 0;
    }
    if (d < -latency) {
        if (++BehindCount[car] > 3) {
            BehindCount[car] = 0;
            clock = stamp;
            d = 0;
        }
    }
    RemoteClock[car] = clock;

    CarStateSample s;
    ReadSample(car, &s);
    const float velocityX = s.velocityX / 64.0f, velocityZ = s.velocityZ / 64.0f;
    if (FreshStates) {
        VelocityZ[car] = velocityZ;
        VelocityX[car] = velocityX;
        NetSetCarTurnRate(car, s.headingRate);
    }
    SimPosX[car] = s.x + (float)d * velocityX;
    SimPosZ[car] = s.z + (float)d * velocityZ;
    SimHeading[car] = s.heading + (float)d * s.headingRate;
    NetSetBodyHeading(car, SimHeading[car]);

    if (car == CarCount - 1) {
        ResyncCounter++;
        FreshStates = 0;
        if (ResyncCounter > RESYNC_TICKS)
            ResyncCounter = 0;
    }
}

void UpdateRemoteWheels(int car) {
    float forward[3];
    NetCarForwardAxis(car, forward);
    const float vx = VelocityX[car], vz = VelocityZ[car];
    const float speed = NetFastSqrt(vx * vx + vz * vz);
    CarSpeed[car] = speed;
    DriveDirection[car] = vx * forward[0] + vz * forward[2] > 0.0f ? 1 : -1;
    float spin = (float)DriveDirection[car] * speed;
    if (speed >= 10.0f)
        spin *= 2.0f;
    NetSpinWheels(car, spin);
}

// Velocities travel in 1/64 units, truncated; out of a short's range they
// are held at its ends.
static int16_t VelocityWord(float v) {
    const float scaled = v * 64.0f;
    if (!(scaled > -32768.0f))
        return -32768;
    if (!(scaled < 32767.0f))
        return 32767;
    return (int16_t)scaled;
}

void BuildCarStateSample(int car, CarStateSample* out) {
    out->x = SimPosX[car];
    out->z = SimPosZ[car];
    out->heading = SimHeading[car];
    out->headingRate = NetCarHeadingRate(car);
    out->velocityZ = VelocityWord(VelocityZ[car]);
    out->velocityX = VelocityWord(VelocityX[car]);
}

void WriteWallPushSample(int car, float x, float z, float velocityX, float velocityZ) {
    if (car < 0 || car >= 8)
        return;
    std::lock_guard<std::mutex> lock(sampleLock);
    samples[car].x = x;
    samples[car].z = z;
    samples[car].velocityX = VelocityWord(velocityX);
    samples[car].velocityZ = VelocityWord(velocityZ);
}

void SendCarStates() {
    CarStateSample out[8];
    const int count = CarCount < 8 ? CarCount.load() : 8;
    for (int k = 0; k < count; k++)
        BuildCarStateSample(SlotSwap(k), &out[k]);
    uint8_t m[1 + CAR_STATE_RECORD * 8];
    SendToAll(m, EncodeCarStates(m, out, count));
}

// ---------------------------------------------------------------------------
// The race frame, before the race opens (main thread; the timer is stopped).

void WarmUpRemoteCars() {
    if (NetPlayerCount <= 1)
        return;
    SimLockGuard lock;
    for (int pass = 0; pass < 20; pass++)
        for (int car = 1; car < NetPlayerCount && car < 8; car++)
            NetStepCarBody(car);
}

static int MissingLoad(int p) { return !LoadedFlags[p] && !NetPlayerGone[SlotSwap(p)]; }

// Announces this machine's load and waits for every other player's, at most
// LOAD_WAIT_LIMIT_MS: a player still missing then is taken as gone.
void WaitAllLoaded() {
    SendCommand(NETCMD_LOADED, 1);
    const uint32_t start = PlatTimeMs();
    for (;;) {
        int missing = 0;
        for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++)
            missing += MissingLoad(p);
        if (!missing)
            break;
        if (PlatTimeMs() - start >= (uint32_t)LOAD_WAIT_LIMIT_MS) {
            for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++)
                if (MissingLoad(p))
                    MarkPlayerGone(p);
            break;
        }
        PlatSleepMs(1);
    }
    NetAllLoaded = 1;
}

// Offered; nothing calls it.
void AdaptLatency() {
    static int lastCount = -1, sameReadings, sameTimes;
    const int count = SendQueueCount();
    sameReadings = count == lastCount ? sameReadings + 1 : 0;
    lastCount = count;
    if (sameReadings < 2)
        return;
    sameReadings = 0;
    if (++sameTimes % 3 != 0)
        return;
    if (count == 0 && NetLatency > 1)
        NetLatency = NetLatency - 1;
    else if (count > 1)
        NetLatency = NetLatency + 1;
}
