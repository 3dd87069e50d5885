// Remote cars and the lobby lists: latency from the INI, placing a car from
// its newest sample, the bounded load wait, and the text rows of the lobby.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "net/lobby.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/race_sync.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "platform/plat_clock.h"
#include "platform/plat_file.h"
#include "platform/plat_mixer.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "sound/sound_channels.h"
#include "sound/sound_control.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

namespace {

void WriteIni(const std::string& dir, const char* text) {
    ASSERT_EQ(system(("mkdir -p '" + dir + "/config'").c_str()), 0);
    FILE* f = fopen((dir + "/config/vondel.ini").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fputs(text, f);
    fclose(f);
}

// A value of 1 for three players gives 2, a value of 20 gives 12, a missing
// key 4; the countdown's end takes the value of the player count.
TEST(RemoteCars, LatencyComesFromTheIniClamped) {
    const std::string dir = MakeTestFolder("ini");
    WriteIni(dir, "[Main]\r\nlanguage=english\r\n[Network]\r\nlatency3=1\r\nlatency5=20\r\nlatency8=7\r\n");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    NetInit();
    EXPECT_EQ(NetLatency, 2);
    EXPECT_EQ(LatencyTable[2], 2);
    EXPECT_EQ(LatencyTable[4], 12);
    EXPECT_EQ(LatencyTable[7], 7);
    EXPECT_EQ(LatencyTable[0], 4);
    NetPlayerCount = 5;
    StartNetCountdown();
    for (int t = 0; t <= COUNTDOWN_END_TICK; t++)
        NetCountdown();
    EXPECT_EQ(NetLatency, 12);
}

// One client with states for three cars, latency 2 (a window of 128 ticks).
void StatesFor(int cars) {
    NetPlayerCount = cars;
    CarCount = cars;
    NetOwnIndex = 1;
    LocalCar = 0;
    NetHostIndex = 0;
    NetLatency = 2;
    NetIsHost = 0;
    RaceOver = 0;
    RacePaused = 0;
    NetWaitingForPlayer = 0;
    NetResetRaceSync();
}

void Send(int n, float x, int16_t velocityX) {
    CarStateSample s[8] = {};
    for (int k = 0; k < n; k++) {
        s[k].x = x + (float)k;
        s[k].z = 10.0f;
        s[k].heading = 1.0f;
        s[k].headingRate = 0.5f;
        s[k].velocityX = velocityX;
        s[k].velocityZ = 0;
    }
    uint8_t m[161];
    StoreCarStates(m, EncodeCarStates(m, s, n));
}

// A client exactly 16 sample periods ahead of its data is not paused; one
// tick more pauses it until states come.
TEST(RemoteCars, SixteenPeriodsAheadIsTheLimit) {
    StatesFor(2);
    Send(2, 0.0f, 64);
    StartStage = 3;
    ResyncCounter = 0;
    // The newest sample is number 0, stamped at 0; the clock runs on.
    for (int t = 0; t < 32; t++)
        ApplyRemoteCar(1);
    EXPECT_EQ(RemoteClock[1], 32);   // 16 periods of 2 ticks
    EXPECT_EQ(NetWaitingForPlayer, 0);
    EXPECT_EQ(RacePaused, 0);
    // Extrapolated 32 ticks at one unit a tick from x = 0 (car 1 is wire slot 0).
    EXPECT_FLOAT_EQ(SimPosX[1], 32.0f);
    ApplyRemoteCar(1);
    EXPECT_EQ(NetWaitingForPlayer, 1);
    EXPECT_EQ(RacePaused, 1);
    // States release the wait and restart the clock at the stamp of the sample.
    Send(2, 100.0f, 0);
    EXPECT_EQ(NetWaitingForPlayer, 0);
    EXPECT_EQ(RacePaused, 0);
    EXPECT_EQ(RemoteClock[1], 2);   // sample 1 at tick 2
    // A race that is over never waits.
    RaceOver = 1;
    for (int t = 0; t < 40; t++)
        ApplyRemoteCar(1);
    EXPECT_EQ(NetWaitingForPlayer, 0);
}

// Sample 63 followed by sample 0 is the next sample: the clock difference
// wraps at 64 periods.
TEST(RemoteCars, SequenceWrapsAfterSixtyThree) {
    StatesFor(2);
    StartStage = 3;
    for (int i = 0; i < 64; i++)
        Send(2, (float)i, 0);
    EXPECT_EQ(SampleSeq[1], 0);   // 64 samples: numbers 0..63, the next is 0
    RemoteClock[1] = 126;         // at sample 63's stamp
    ApplyRemoteCar(1);            // clock 127: one tick past sample 63
    EXPECT_EQ(RemoteClock[1], 127);
    EXPECT_FLOAT_EQ(SimPosX[1], 63.0f);
    Send(2, 200.0f, 64);          // sample number 0 (64 wrapped)
    ApplyRemoteCar(1);            // the clock wraps to 0: exactly at its stamp
    EXPECT_EQ(RemoteClock[1], 0);
    EXPECT_FLOAT_EQ(SimPosX[1], 200.0f);
    EXPECT_EQ(NetWaitingForPlayer, 0);
    EXPECT_EQ(BehindCount[1], 0);
}

// During countdown stage 1 remote cars sit exactly at their newest samples.
TEST(RemoteCars, StageOneSitsOnTheNewestSample) {
    StatesFor(3);
    for (int i = 0; i < 5; i++)
        Send(3, (float)(10 * i), 640);
    StartStage = 1;
    for (int t = 0; t < 7; t++)
        for (int c = 0; c < 3; c++)
            ApplyRemoteCar(c);
    EXPECT_FLOAT_EQ(SimPosX[1], 40.0f);   // wire slot 0
    EXPECT_FLOAT_EQ(SimPosX[0], 41.0f);   // wire slot 1 is this machine's car 0
    EXPECT_FLOAT_EQ(SimPosX[2], 42.0f);
    EXPECT_FLOAT_EQ(SimHeading[2], 1.0f);
    EXPECT_FLOAT_EQ(VelocityX[2], 10.0f);
    EXPECT_EQ(RemoteClock[2], 8);   // sample 4 at tick 8
}

// Far behind its data, a car snaps to the newest sample.
TEST(RemoteCars, FarBehindSnaps) {
    StatesFor(2);
    StartStage = 3;
    Send(2, 0.0f, 64);
    for (int i = 1; i <= 20; i++)
        Send(2, (float)i, 64);
    RemoteClock[1] = 0;
    ApplyRemoteCar(1);   // 39 ticks behind sample 20: more than 8 periods
    EXPECT_EQ(RemoteClock[1], 40);
    EXPECT_FLOAT_EQ(SimPosX[1], 20.0f);
}

TEST(RemoteCars, OutgoingSamplesHoldTheirVelocities) {
    SimPosX[3] = 5.0f;
    VelocityX[3] = 1.0f / 64.0f + 1.0f;
    VelocityZ[3] = -1000.0f;   // past a short's range
    CarStateSample s;
    BuildCarStateSample(3, &s);
    EXPECT_EQ(s.x, 5.0f);
    EXPECT_EQ(s.velocityX, 65);
    EXPECT_EQ(s.velocityZ, -32768);
    VelocityZ[3] = NAN;
    BuildCarStateSample(3, &s);
    EXPECT_EQ(s.velocityZ, -32768);
}

// A player whose load never comes is taken as gone after the bound.
TEST(RemoteCars, LoadWaitIsBounded) {
    PlatClockSetManual(1);
    StatesFor(3);
    LoadedFlags[2] = 1;
    const uint32_t before = PlatTimeMs();
    WaitAllLoaded();
    EXPECT_EQ(NetAllLoaded, 1);
    EXPECT_GE(PlatTimeMs() - before, (uint32_t)LOAD_WAIT_LIMIT_MS);
    EXPECT_EQ(LoadedFlags[1], 1);   // this machine, applied locally
    EXPECT_EQ(NetPlayerGone[1], 1); // player 0's car
    EXPECT_EQ(NetPlayerGone[2], 0);
    EXPECT_EQ(NetPlayerGone[0], 0);
    PlatClockSetManual(0);
}

// ---------------------------------------------------------------------------
// A collision report played out on a car: the sparks of its strength at the
// contact point, the car crash sound, the body's two tilt rates.

TEST(RemoteCars, AHitReportIsPlayedOutOnItsCar) {
    MakeTestGameFolder("hits");
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    InitSoundMixer();
    ASSERT_EQ(MixerOpen, 1);
    FrontEndActive = 0;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    CarCount = 3;
    LoadSoundBank();
    SoundOn = 1;
    EffectsEnabled = 1;
    ResetParticles();
    ParticleHold = 0;   // as once the race frame runs
    for (int c = 0; c < 3; c++) {
        CarSpeed[c] = 60.0f;
        CarsByDistance[c] = {c, 100, 0};
        CarBodies[c] = {};
    }

    // Below the hard-hit strength: the light sparks, and the crash sounds.
    const int plays = PlatMixerEventCount();
    StoreHitReport(HitReportReceived[2], 1199, 1500.0f, -700.0f, 0.25f, -0.5f);
    ApplyHitReport(2);
    EXPECT_EQ(EmitterCount[RING_IMPACT_FIRST], HIT_SPARKS_LIGHT);
    EXPECT_FLOAT_EQ(ParticleStartX[RING_IMPACT_FIRST], 1500.0f);
    EXPECT_FLOAT_EQ(ParticleStartZ[RING_IMPACT_FIRST], -700.0f);
    EXPECT_FLOAT_EQ(CarBodies[2].angVel[0], 0.25f);
    EXPECT_FLOAT_EQ(CarBodies[2].angVel[1], -0.5f);
    EXPECT_EQ(CarBodies[1].angVel[0], 0.0f) << "only the report's car";
    ASSERT_EQ(PlatMixerEventCount(), plays + 1);
    PlatMixerPlayEvent e;
    ASSERT_TRUE(PlatMixerEventAt(plays, &e));
    EXPECT_EQ(e.channel, CH_CRASH);
    EXPECT_TRUE(e.tag >= 208 && e.tag <= 213) << e.tag;

    // From it: the hard kind.
    StoreHitReport(HitReportReceived[1], 1200, 0.0f, 0.0f, 1.0f, 2.0f);
    ApplyHitReport(1);
    EXPECT_EQ(EmitterCount[RING_IMPACT_FIRST + 1], HIT_SPARKS_HARD);
    EXPECT_FLOAT_EQ(CarBodies[1].angVel[1], 2.0f);

    // A value that is no number, or a car outside the table: nothing.
    StoreHitReport(HitReportReceived[0], 5000, 0.0f, 0.0f, NAN, 1.0f);
    ApplyHitReport(0);
    ApplyHitReport(-1);
    ApplyHitReport(NET_MAX_PLAYERS);
    EXPECT_EQ(EffectEmitter[RING_IMPACT_FIRST + 2], -1);
    EXPECT_EQ(CarBodies[0].angVel[0], 0.0f);

    // As a fresh process has them.
    ResetParticles();
    ParticleHold = 0;
    EffectsEnabled = 0;
    ResetRaceSounds();
    ShutdownSound();
    PlatMixerSetBackend(-1, nullptr);
    for (int c = 0; c < 3; c++) {
        CarSpeed[c] = 0.0f;
        CarsByDistance[c] = {};
        CarBodies[c] = {};
    }
    FrontEndActive = 1;
}

// ---------------------------------------------------------------------------
// Lobby rows.

std::string Slot(int slot) {
    GetText(slot);
    return TextBufferB;
}

void SetSession(int k, const char* name) {
    snprintf(SessionList[k].name, sizeof SessionList[k].name, "%s", name);
    SessionList[k].user[3] = 10;
    SplitSessionName(k);
}

TEST(LobbyLists, SessionRows) {
    MakeTestGameFolder("lobby");
    LoadMessageFile();
    MenuItem& join = MenuScreenTable[SESSION_SCREEN][JOIN_ITEM];
    MenuItem& info = MenuScreenTable[SESSION_SCREEN][SESSION_INFO_ITEM];
    join.flags = MENU_HOVER_TEST;
    info.flags = MENU_SLIDE_IN;

    // No session: six single blanks, no hover on join, item 5 disabled.
    NetSessionCount = 0;
    ShowSessionList();
    for (int i = 0; i < SESSION_ROWS; i++) {
        EXPECT_EQ(Slot(SESSION_ROW_SLOT + i), " ") << i;
        EXPECT_STREQ(FileListRow[i], " ");
    }
    EXPECT_EQ(join.flags & MENU_HOVER_TEST, 0u);
    EXPECT_EQ(info.flags & (MENU_SLIDE_OUT | MENU_SLIDE_IN), (uint32_t)MENU_SLIDE_OUT);

    // Seven sessions, one with no host part: six rows show.
    const char* names[7] = {"Race\tAnn", "Race\tBo", "Race", "Race\tDee", "Race\tAVeryLongHostNameOfThirtyChars",
                            "Race\tFay", "Race\tGus"};
    for (int k = 0; k < 7; k++)
        SetSession(k, names[k]);
    NetSessionCount = 7;
    ShowSessionList();
    EXPECT_EQ(Slot(622), "Ann");
    EXPECT_EQ(TextSlotTable[622].length, 3u);
    EXPECT_EQ(Slot(624), " ");
    EXPECT_EQ(Slot(626), std::string("AVeryLongHostNameOfThirtyChars").substr(0, 24));
    EXPECT_STREQ(FileListRow[5], "Fay");
    EXPECT_NE(join.flags & MENU_HOVER_TEST, 0u);
    EXPECT_NE(info.flags & MENU_SLIDE_IN, 0u);
    EXPECT_EQ(LastShownSessionCount, 7);
    EXPECT_STREQ(SessionList[2].gameName, "Race");
    EXPECT_STREQ(SessionList[2].hostName, "");

    // The cue's count follows the list: it grows only with more sessions.
    LastSessionCount = 0;
    OnNetListGrew();
    EXPECT_EQ(LastSessionCount, 7);
    NetSessionCount = 3;
    OnNetListGrew();
    EXPECT_EQ(LastSessionCount, 3);
}

// Three players: three names, then two blanks in the five rows after.
TEST(LobbyLists, PlayerRows) {
    MakeTestGameFolder("players");
    LoadMessageFile();
    NetPlayerCount = 3;
    snprintf(NetPlayerNames[0], 256, "Hana");
    snprintf(NetPlayerNames[1], 256, "Ann");
    snprintf(NetPlayerNames[2], 256, "Bo");
    ShowPlayerList();
    EXPECT_EQ(Slot(628), "Hana");
    EXPECT_EQ(Slot(630), "Bo");
    EXPECT_EQ(TextSlotTable[629].length, 3u);
    for (int s = 631; s <= 635; s++)
        EXPECT_EQ(Slot(s), "  ") << s;
}

}  // namespace
