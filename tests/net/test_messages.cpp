// The game messages byte for byte, and the dispatch's checks of untrusted
// input.  No session is open: the handlers are fed directly.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/net_wire.h"
#include "net/race_sync.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "race/race_state.h"

namespace {

// Three players; this machine is player 2; the host is player 0.
void ThreePlayers(int own = 2) {
    NetPlayerCount = 3;
    for (int i = 0; i < 3; i++)
        NetPlayerIds[i] = 100 + (uint32_t)i;
    NetOwnIndex = own;
    NetHostIndex = 0;
    LocalCar = 0;
    CarCount = 3;
    NetLatency = 2;
    for (int c = 0; c < 8; c++) {
        CarModel[c] = 0;
        CarColour[c] = 0;
        RemoteClock[c] = -1;
        SampleSeq[c] = 0;
    }
}

uint32_t IdOf(int index) { return 100 + (uint32_t)index; }

TEST(GameMessages, EncodersWriteExactSizesAndLayouts) {
    uint8_t m[PLAYER_LIST_SIZE];
    EXPECT_EQ(EncodeChat(m, "hi"), 4);
    EXPECT_EQ(memcmp(m, "\x01hi\0", 4), 0);
    EXPECT_EQ(EncodeIndexMessage(m, MSG_HOST_INDEX, 0x01020304), 5);
    EXPECT_EQ(memcmp(m, "\x09\x04\x03\x02\x01", 5), 0);
    EXPECT_EQ(EncodeCarChoice(m, 2, 17, -1), 13);
    EXPECT_EQ(memcmp(m, "\x03\x02\0\0\0\x11\0\0\0\xff\xff\xff\xff", 13), 0);
    EXPECT_EQ(EncodeIntPair(m, MSG_COMMAND, 1, 7), 9);
    EXPECT_EQ(memcmp(m, "\x06\x01\0\0\0\x07\0\0\0", 9), 0);
    const int values[4] = {2, 3, 4, 5};
    EXPECT_EQ(EncodeHitReport(m, values), 21);
    EXPECT_EQ(m[0], MSG_HIT_REPORT);
    EXPECT_EQ(m[17], 5);
    int a[8] = {1, 2, 3, 4, 5, 6, 7, 8}, b[8] = {-1, 0, 0, 0, 0, 0, 0, 9};
    EXPECT_EQ(EncodeTables(m, MSG_STANDINGS, a, b), 65);
    EXPECT_EQ(m[1], 1);
    EXPECT_EQ(m[29], 8);
    EXPECT_EQ(m[33], 0xff);
    EXPECT_EQ(m[61], 9);
    EXPECT_EQ(EncodeGo(m), 1);
    EXPECT_EQ(m[0], MSG_GO);

    // A car state record: floats, then Z velocity before X, in 1/64 units.
    CarStateSample s{1.5f, -2.0f, 0.25f, 0.125f, 64, -128};
    EXPECT_EQ(EncodeCarStates(m, &s, 1), 21);
    float f;
    memcpy(&f, m + 1, 4);
    EXPECT_EQ(f, 1.5f);
    memcpy(&f, m + 13, 4);
    EXPECT_EQ(f, 0.125f);
    EXPECT_EQ(m[17], 64);
    EXPECT_EQ(m[19], 0x80);
    EXPECT_EQ(m[20], 0xff);
    static CarStateSample eight[8];
    EXPECT_EQ(EncodeCarStates(m, eight, 8), 161);

    uint32_t ids[8] = {7, 9};
    static char names[8][256] = {"Ann", "Bo"};
    EXPECT_EQ(EncodePlayerList(m, 2, ids, names, 1), 2120);
    EXPECT_EQ(m[0], 100);
    EXPECT_EQ(m[4], 2);
    EXPECT_STREQ((const char*)m + 8, "Ann");
    EXPECT_EQ(m[8 + 256], 7);
    EXPECT_EQ(m[8 + 260], 0);
    EXPECT_EQ(m[8 + 264 + 260], 1);
}

TEST(GameMessages, DecodersTakeExactlyTheirSize) {
    uint8_t m[PLAYER_LIST_SIZE + 1] = {};
    char text[CHAT_TEXT_MAX + 1];
    int x, y, z;
    EncodeChat(m, "hello");
    EXPECT_TRUE(DecodeChat(m, 7, text));
    EXPECT_STREQ(text, "hello");
    EXPECT_FALSE(DecodeChat(m, 6, text));   // no NUL inside
    EXPECT_FALSE(DecodeChat(m, 8, text));   // NUL before the end
    memset(m + 1, 'a', 144);
    m[145] = 0;
    EXPECT_TRUE(DecodeChat(m, 146, text));  // 144 characters
    m[145] = 'a';
    m[146] = 0;
    EXPECT_FALSE(DecodeChat(m, 147, text)); // 145 characters
    EncodeCarChoice(m, 1, 2, 3);
    EXPECT_TRUE(DecodeCarChoice(m, 13, &x, &y, &z));
    EXPECT_FALSE(DecodeCarChoice(m, 12, &x, &y, &z));
    EXPECT_FALSE(DecodeCarChoice(m, 14, &x, &y, &z));
    EXPECT_FALSE(DecodeIntPair(m, 8, &x, &y));
    EXPECT_FALSE(DecodeIntPair(m, 10, &x, &y));
    int a[8], b[8];
    EXPECT_FALSE(DecodeTables(m, 64, a, b));
    EXPECT_FALSE(DecodeTables(m, 66, a, b));
    CarStateSample s[8];
    int n;
    m[0] = MSG_CAR_STATES;
    EXPECT_FALSE(DecodeCarStates(m, 1, s, &n));
    EXPECT_FALSE(DecodeCarStates(m, 22, s, &n));
    EXPECT_FALSE(DecodeCarStates(m, 181, s, &n));   // nine records
    EXPECT_TRUE(DecodeCarStates(m, 161, s, &n));
    EXPECT_EQ(n, 8);

    // Player lists: count 0..8, names forced to end.
    uint32_t ids[8];
    static char names[8][256];
    int hosts[8];
    memset(m, 'x', sizeof m);
    m[0] = 100, m[1] = m[2] = m[3] = 0;
    m[4] = 8, m[5] = m[6] = m[7] = 0;
    ASSERT_TRUE(DecodePlayerList(m, PLAYER_LIST_SIZE, &n, ids, names, hosts));
    EXPECT_EQ(strlen(names[7]), 255u);
    m[4] = 9;
    EXPECT_FALSE(DecodePlayerList(m, PLAYER_LIST_SIZE, &n, ids, names, hosts));
    m[4] = 0xff, m[5] = m[6] = m[7] = 0xff;
    EXPECT_FALSE(DecodePlayerList(m, PLAYER_LIST_SIZE, &n, ids, names, hosts));
    m[4] = 2, m[5] = m[6] = m[7] = 0;
    EXPECT_FALSE(DecodePlayerList(m, PLAYER_LIST_SIZE - 1, &n, ids, names, hosts));
}

// On a machine whose own index is 2, player 2's choice sets car 0 and
// player 0's sets car 2.
TEST(GameMessages, CarChoiceSwapsAtTheOwnIndex) {
    ThreePlayers(2);
    uint8_t m[CAR_CHOICE_SIZE];
    EncodeCarChoice(m, 2, 5, 1);
    HandleGameMessage(IdOf(2), m, sizeof m);
    EXPECT_EQ(CarModel[0], 5);
    EXPECT_EQ(CarColour[0], 1);
    EXPECT_EQ(ChoiceMade[2], 1);
    EncodeCarChoice(m, 0, 7, 3);
    HandleGameMessage(IdOf(0), m, sizeof m);
    EXPECT_EQ(CarModel[2], 7);
    EXPECT_EQ(CarColour[2], 3);
    EncodeCarChoice(m, 1, 9, 4);
    HandleGameMessage(IdOf(1), m, sizeof m);
    EXPECT_EQ(CarModel[1], 9);
    EXPECT_EQ(SlotSwap(SlotSwap(1)), 1);
    EXPECT_EQ(SlotSwap(SlotSwap(2)), 2);
}

TEST(GameMessages, UntrustedFieldsDropTheMessage) {
    ThreePlayers(1);
    CarModel[1] = CarModel[0] = 0;
    uint8_t m[PLAYER_LIST_SIZE];
    // Player index past the count, a model or a colour outside the tables.
    for (const int* bad : {(const int[]){3, 1, 1}, (const int[]){-1, 1, 1}, (const int[]){0, 18, 1},
                           (const int[]){0, -1, 1}, (const int[]){0, 1, 8}}) {
        EncodeCarChoice(m, bad[0], bad[1], bad[2]);
        HandleGameMessage(IdOf(0), m, CAR_CHOICE_SIZE);
    }
    for (int c = 0; c < 3; c++)
        EXPECT_EQ(CarModel[c], 0) << c;
    EXPECT_EQ(ChoiceMade[0], 0);

    // Commands and control bits only for the sender's own index.
    RacePaused = 0;
    EncodeIntPair(m, MSG_COMMAND, 2, NETCMD_PAUSE);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(RacePaused, 0);
    HandleGameMessage(999, m, COMMAND_SIZE);   // an unknown sender
    EXPECT_EQ(RacePaused, 0);
    HandleGameMessage(IdOf(2), m, COMMAND_SIZE);
    EXPECT_EQ(RacePaused, 1);
    EXPECT_EQ(Pauser, 2);
    NetIsHost = 1;
    EncodeIntPair(m, MSG_CONTROL_BITS, 2, 0x12);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(ReceivedBits[2], 0);
    HandleGameMessage(IdOf(2), m, COMMAND_SIZE);
    EXPECT_EQ(ReceivedBits[2], 0x12);
    NetIsHost = 0;   // a client takes no control bits
    EncodeIntPair(m, MSG_CONTROL_BITS, 2, 0x3);
    HandleGameMessage(IdOf(2), m, COMMAND_SIZE);
    EXPECT_EQ(ReceivedBits[2], 0x12);

    // Host-only messages from another player; types 0, 10, above 12, top bit.
    RaceOver = 0;
    int order[8] = {}, positions[8] = {0, 1, 2};
    EncodeTables(m, MSG_RACE_RESULTS, order, positions);
    HandleGameMessage(IdOf(2), m, TABLE_MESSAGE_SIZE);
    EXPECT_EQ(RaceOver, 0);
    for (int type : {0, 10, 13, 99, 0x86}) {
        m[0] = (uint8_t)type;
        HandleGameMessage(IdOf(0), m, TABLE_MESSAGE_SIZE);
    }
    EXPECT_EQ(RaceOver, 0);
    m[0] = MSG_RACE_RESULTS;
    HandleGameMessage(IdOf(0), m, TABLE_MESSAGE_SIZE);
    EXPECT_EQ(RaceOver, 1);

    // Car states: a non-finite float drops the whole message.
    CarStateSample s[3] = {{1, 2, 3, 0, 0, 0}, {4, 5, 6, 0, 0, 0}, {NAN, 0, 0, 0, 0, 0}};
    const int size = EncodeCarStates(m, s, 3);
    HandleGameMessage(IdOf(0), m, size);
    EXPECT_EQ(StatesArrived, 0);
    s[2].x = 7;
    s[2].heading = INFINITY;
    EncodeCarStates(m, s, 3);
    HandleGameMessage(IdOf(0), m, size);
    EXPECT_EQ(StatesArrived, 0);
    s[2].heading = 0;
    EncodeCarStates(m, s, 3);
    HandleGameMessage(IdOf(1), m, size);   // not the host
    EXPECT_EQ(StatesArrived, 0);
    HandleGameMessage(IdOf(0), m, size);
    EXPECT_EQ(StatesArrived, 1);
}

// The state records taken are the smaller of CarCount and those present,
// each for the car of its wire slot.
TEST(GameMessages, CarStatesFillTheSmallerCount) {
    ThreePlayers(1);
    CarCount = 2;
    CarStateSample s[3] = {{1, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0}, {3, 0, 0, 0, 0, 0}};
    uint8_t m[61];
    HandleGameMessage(IdOf(0), m, EncodeCarStates(m, s, 3));
    CarStateSample got;
    ReadSample(0, &got);
    EXPECT_EQ(got.x, 2.0f);   // wire slot 1 is this machine: car 0
    ReadSample(1, &got);
    EXPECT_EQ(got.x, 1.0f);   // wire slot 0, the host, is car 1
    EXPECT_EQ(SampleSeq[0], 1);
    EXPECT_EQ(SampleSeq[1], 1);
    EXPECT_EQ(SampleSeq[2], 0);
    EXPECT_EQ(RemoteClock[2], -1);
    CarCount = 3;
    HandleGameMessage(IdOf(0), m, EncodeCarStates(m, s, 1));
    EXPECT_EQ(SampleSeq[1], 2);
    EXPECT_EQ(SampleSeq[0], 1);
}

// A go command or message while the countdown runs, or after it ended,
// changes nothing.
TEST(GameMessages, CountdownStartsOnce) {
    ThreePlayers(1);
    uint8_t m[COMMAND_SIZE];
    EncodeIntPair(m, MSG_COMMAND, 0, NETCMD_GO);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(NetCountdownActive, 1);
    for (int i = 0; i < 10; i++)
        NetCountdown();
    EXPECT_EQ(CountdownTicks, 10);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    uint8_t go[1];
    HandleGameMessage(IdOf(0), go, EncodeGo(go));
    EXPECT_EQ(CountdownTicks, 10);
    for (int i = 10; i <= COUNTDOWN_END_TICK; i++)
        NetCountdown();
    EXPECT_EQ(NetCountdownActive, 0);
    EXPECT_EQ(CountdownDone, 1);
    HandleGameMessage(IdOf(0), go, 1);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(NetCountdownActive, 0);
}

// Indices, go and race over are the host's to give: another player's are
// dropped, the host's taken.
TEST(GameMessages, OnlyTheHostAssignsIndicesSaysGoAndEndsTheRace) {
    ThreePlayers(2);
    uint8_t m[COMMAND_SIZE];
    EncodeIndexMessage(m, MSG_ASSIGN_INDEX, 1);
    HandleGameMessage(IdOf(1), m, INDEX_MESSAGE_SIZE);
    EXPECT_EQ(NetOwnIndex, 2);
    HandleGameMessage(IdOf(0), m, INDEX_MESSAGE_SIZE);
    EXPECT_EQ(NetOwnIndex, 1);

    ThreePlayers(2);
    RaceOver = 0;
    EncodeIntPair(m, MSG_COMMAND, 1, NETCMD_RACE_OVER);
    HandleGameMessage(IdOf(1), m, COMMAND_SIZE);
    EXPECT_EQ(RaceOver, 0);
    EncodeIntPair(m, MSG_COMMAND, 1, NETCMD_GO);
    HandleGameMessage(IdOf(1), m, COMMAND_SIZE);
    EXPECT_EQ(NetCountdownActive, 0);
    // Other commands stay everyone's.
    EncodeIntPair(m, MSG_COMMAND, 1, NETCMD_LOADED);
    HandleGameMessage(IdOf(1), m, COMMAND_SIZE);
    EXPECT_EQ(LoadedFlags[1], 1);

    EncodeIntPair(m, MSG_COMMAND, 0, NETCMD_RACE_OVER);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(RaceOver, 1);
    EncodeIntPair(m, MSG_COMMAND, 0, NETCMD_GO);
    HandleGameMessage(IdOf(0), m, COMMAND_SIZE);
    EXPECT_EQ(NetCountdownActive, 1);
    RaceOver = 0;
}

// Standings that come before the race ends stay stored until the end-of-race
// wait applies them.
TEST(GameMessages, StandingsStayUntilApplied) {
    ThreePlayers(2);
    int points[8] = {10, 6, 4}, totals[8] = {30, 20, 10};
    uint8_t m[TABLE_MESSAGE_SIZE];
    EncodeTables(m, MSG_STANDINGS, points, totals);
    HandleGameMessage(IdOf(1), m, sizeof m);   // not from the host
    EXPECT_EQ(StandingsReceived, 0);
    HandleGameMessage(IdOf(0), m, sizeof m);
    EXPECT_EQ(StandingsReceived, 1);
    EXPECT_EQ(ReceivedPoints[0], 4);   // wire slot 2 is car 0 here
    EXPECT_EQ(ReceivedPoints[2], 10);
    EXPECT_EQ(ReceivedTotals[1], 20);
    EXPECT_EQ(StandingsReceived, 1);   // still waiting for the wait
    WaitForStandings();
    EXPECT_EQ(StandingsReceived, 0);
}

TEST(GameMessages, RaceResultsSwapAndSetTheFinish) {
    ThreePlayers(2);
    // By wire slot: player 2 (this machine) won.
    int order[8] = {1, 2, 0}, positions[8] = {2, 1, 0};
    uint8_t m[TABLE_MESSAGE_SIZE];
    EncodeTables(m, MSG_RACE_RESULTS, order, positions);
    FinishSequence = 0;
    HandleGameMessage(IdOf(0), m, sizeof m);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequence, 1);
    // An order naming no car is refused.
    RaceOver = 0;
    order[1] = 8;
    EncodeTables(m, MSG_RACE_RESULTS, order, positions);
    HandleGameMessage(IdOf(0), m, sizeof m);
    EXPECT_EQ(RaceOver, 0);
}

// The host (index 0) placed player 1 first, then 0, then 2.  On player 2's
// machine car 0 is player 2 and car 2 player 0: the same order must come out
// in its own car numbers.
TEST(GameMessages, RaceResultsGiveAClientTheHostsOrder) {
    ThreePlayers(2);
    int order[8] = {1, 0, 2}, positions[8] = {1, 0, 2};
    uint8_t m[TABLE_MESSAGE_SIZE];
    EncodeTables(m, MSG_RACE_RESULTS, order, positions);
    HandleGameMessage(IdOf(0), m, sizeof m);
    EXPECT_EQ(RaceOver, 1);
    const int cars[3] = {1, 2, 0}, ranks[3] = {2, 0, 1};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(rank_coche[i], cars[i]) << "rank " << i;
        EXPECT_EQ(rank_pos[i], ranks[i]) << "car " << i;
        EXPECT_EQ(SlotSwap(rank_coche[i]), order[i]) << "rank " << i;
    }
    EXPECT_EQ(FinishSequence, 0);   // this machine's player came last
    EXPECT_EQ(RankingFrozen, 1);
    RankingFrozen = 0;
    RaceOver = 0;
}

TEST(GameMessages, NinthCreatePlayerIsIgnoredAndRepeatsAreNot) {
    NetPlayerCount = 0;
    PlatNetSysPlayer p{};
    p.type = PLAT_NET_SYS_CREATEPLAYER;
    for (uint32_t id = 1; id <= 9; id++) {
        p.playerId = id;
        snprintf(p.shortName, sizeof p.shortName, "P%u", id);
        HandleSystemMessage((const uint8_t*)&p, sizeof p);
    }
    EXPECT_EQ(NetPlayerCount, 8);
    EXPECT_EQ(NetPlayerIds[7], 8u);
    p.playerId = 3;   // listed already by a refresh
    HandleSystemMessage((const uint8_t*)&p, sizeof p);
    EXPECT_EQ(NetPlayerCount, 8);
    // A short system record is ignored.
    HandleSystemMessage((const uint8_t*)&p, 10);
    EXPECT_EQ(NetPlayerCount, 8);
}

}  // namespace
