// The game's network session against members of the layer in the same
// process, on 127.0.0.1: listing, joining, players coming and going, the
// receive thread's drain, migration and a lost session.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_panels.h"
#include "frontend/screen_setup.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "net/lobby.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/net_wire.h"
#include "net/race_sync.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "net_test_util.h"
#include "race/messages.h"
#include "race/race_state.h"

namespace {

// The game folder (for the texts), the game's member on any free port,
// searching the given hosts.
void GameSearching(const std::vector<PlatNet*>& hosts) {
    static bool folder;
    if (!folder) {
        MakeTestGameFolder("net");
        LoadMessageFile();
        folder = true;
    }
    std::string list;
    for (PlatNet* h : hosts)
        list += (list.empty() ? "" : ",") + std::string("127.0.0.1:") + std::to_string(PlatNetBoundPort(h));
    PlatNetSetPort(0);
    ASSERT_TRUE(PlatNetSetSearchList(list.c_str()));
    ASSERT_EQ(OpenDirectPlay(), 1);
    EXPECT_EQ(NetSessionOpen, 1);
    EXPECT_EQ(GetNetStatus(), 0);
}

int GamePort() { return PlatNetBoundPort(DirectPlayInterface); }

// Lists until the number of sessions is the one wanted.
bool ListUntil(int count) {
    for (int attempt = 0; attempt < LISTING_ATTEMPTS; attempt++) {
        EnumSessionsSync();
        if (NetSessionCount == count)
            return true;
    }
    return false;
}

// The game hosts; the given raw members join it and are seen by its receive
// thread.
void GameHostsWith(std::vector<PlatNet*>& joiners, std::vector<uint32_t>& ids, const std::vector<const char*>& names) {
    GameSearching({});
    const int words[3] = {1, 2, 0};
    ASSERT_EQ(HostSession("Race\tHana", "Hana", words, 8), 1);
    ASSERT_EQ(StartReceiveThread(), 1);
    for (const char* name : names) {
        uint32_t id;
        joiners.push_back(JoinMember(GamePort(), "Race\tHana", name, &id));
        ids.push_back(id);
        const int wanted = (int)joiners.size() + 1;
        ASSERT_TRUE(WaitFor([&] { return NetPlayerCount == wanted; }));
    }
}

// Joins session 0 of a list of `count`.  The join lists again and gives up
// when the count differs, which a host answering after the listing's window
// also causes on a busy machine: then it lists and joins again.
int JoinListed(int count, const char* player) {
    for (int attempt = 0; attempt < LISTING_ATTEMPTS; attempt++) {
        if (!ListUntil(count))
            return 0;
        NetStatus = 0;
        if (JoinSession(0, player) == 1)
            return 1;
        if (GetNetStatus() != 0)
            return 0;   // refused for a reason of its own
    }
    return 0;
}

// This game joins the one session of that host as "Gil".
void GameJoins(PlatNet* host, bool receiveThread) {
    GameSearching({host});
    ASSERT_EQ(JoinListed(1, "Gil"), 1);
    if (receiveThread) {
        ASSERT_EQ(StartReceiveThread(), 1);
    }
}

void Finish(std::vector<PlatNet*>& members) {
    ShutdownDirectPlay();
    for (PlatNet* m : members)
        PlatNetRelease(m);
}

TEST(NetSession, NoProviderMeansNoSession) {
    PlatNetTestHideProvider(1);
    EXPECT_EQ(OpenDirectPlay(), 0);
    EXPECT_EQ(GetNetStatus(), NETSTATUS_NO_CONNECTION);
    EXPECT_EQ(NetSessionOpen, 0);
    PlatNetTestHideProvider(0);
}

TEST(NetSession, ListingSplitsNamesAndKeepsThirtyTwo) {
    std::vector<PlatNet*> hosts;
    uint32_t id;
    hosts.push_back(HostMember("Race\tAnn", "Ann", 8, &id));
    hosts.push_back(HostMember("Plain", "Bo", 8, &id));
    GameSearching(hosts);
    ASSERT_TRUE(ListUntil(2));
    for (int k = 0; k < 2; k++) {
        const std::string name = SessionList[k].name;
        if (name == "Plain") {
            EXPECT_STREQ(SessionList[k].gameName, "Plain");
            EXPECT_STREQ(SessionList[k].hostName, "");
        } else {
            EXPECT_STREQ(SessionList[k].gameName, "Race");
            EXPECT_STREQ(SessionList[k].hostName, "Ann");
        }
        EXPECT_EQ(SessionList[k].user[3], 10);
    }
    ShutdownDirectPlay();

    // The 33rd session answering is not listed.
    while (hosts.size() < 33)
        hosts.push_back(HostMember(("Race\tH" + std::to_string(hosts.size())).c_str(), "H", 8, &id));
    GameSearching(hosts);
    ASSERT_TRUE(ListUntil(32));
    EXPECT_EQ(NetSessionCount, 32);
    Finish(hosts);
}

// Sessions whose words no copy of this game writes (a row far below the
// list, a group offset past every table, no players chosen) are not listed,
// whatever listing hears them; the one that is fills the championship texts
// from its own group's slots when the session screen picks it.
TEST(NetSession, SessionsWithWordsOfNoGameAreNotListed) {
    const int32_t words[4][3] = {{-2000000000, 1, 0}, {0, 1, 2147483647}, {11, 0, 24}, {3, 2, 24}};
    const char* names[4] = {"Race\tLow", "Race\tHuge", "Race\tNone", "Race\tGood"};
    std::vector<PlatNet*> hosts;
    for (int k = 0; k < 4; k++) {
        hosts.push_back(NewMember());
        PlatNetSessionDesc d = TestSession(names[k], 8);
        for (int w = 0; w < 3; w++)
            d.user[w] = words[k][w];
        ASSERT_EQ(PlatNetOpen(hosts[k], &d, PLAT_NET_OPEN_CREATE), PLAT_NET_OK);
        uint32_t id;
        ASSERT_EQ(PlatNetCreatePlayer(hosts[k], &id, "H", "H", nullptr), PLAT_NET_OK);
    }
    GameSearching(hosts);
    // Each of them answers, words and all...
    for (int k = 0; k < 4; k++) {
        PlatNetSessionDesc d;
        ASSERT_TRUE(FindSession(DirectPlayInterface, names[k], &d));
        EXPECT_EQ(d.user[0], words[k][0]);
        EXPECT_EQ(d.user[2], words[k][2]);
    }
    // ...but only the good one is ever listed.
    int heard = 0;
    for (int listing = 0; listing < LISTING_ATTEMPTS && heard < 5; listing++) {
        EnumSessionsSync();
        ASSERT_LE(NetSessionCount, 1);
        if (NetSessionCount == 1) {
            heard++;
            EXPECT_STREQ(SessionList[0].hostName, "Good");
        }
    }
    ASSERT_EQ(heard, 5);

    // Picked on the sessions screen: its name and count in the panel, and
    // the host's row and group become this machine's championship, whose
    // description the lobby's panel shows.
    MenuScreen = 9;
    ListSelection[6] = 0;
    RefreshChampionshipInfo();
    GetText(297);
    EXPECT_STREQ(TextBufferB, "Race");
    GetText(298);
    EXPECT_STREQ(TextBufferB, "2");
    MenuScreen = 11;
    NetworkGame = 1;
    TakeSessionChampionship();
    EXPECT_EQ(ListSelection[7], 3);
    EXPECT_EQ(ChampionshipGroupOffset, 24);
    RefreshChampionshipInfo();
    GetText(785 + 24 + 2 * 3);
    const std::string description = TextBufferB;
    ASSERT_GT(description.size(), 1u) << "the sample folder describes that championship";
    GetText(777);
    EXPECT_EQ(TextBufferB, description);
    GetText(297);
    EXPECT_STREQ(TextBufferB, "Race");
    GetText(313);
    EXPECT_STREQ(TextBufferB, "2");

    // An offset that no list gives, below or above every table: the
    // description is blank and nothing is read outside the slots.
    for (int offset : {-2000000000, 2000000000}) {
        ChampionshipGroupOffset = offset;
        ShowChampionshipInfo("Race", 2);
        GetText(777);
        EXPECT_STREQ(TextBufferB, " ") << offset;
    }

    // A host's session is its own, whatever its list holds.
    Hosting = 1;
    snprintf(SessionDesc.name, sizeof SessionDesc.name, "Twin Cup\tHana");
    SessionDesc.user[SESSION_WORD_ROW] = 7;
    SessionDesc.user[SESSION_WORD_PLAYERS] = 3;
    SessionDesc.user[SESSION_WORD_GROUP] = 0;
    TakeSessionChampionship();
    EXPECT_EQ(ListSelection[7], 7);
    EXPECT_EQ(ChampionshipGroupOffset, 0);
    RefreshChampionshipInfo();
    GetText(297);
    EXPECT_STREQ(TextBufferB, "Twin Cup");
    GetText(313);
    EXPECT_STREQ(TextBufferB, "3");
    MenuScreen = 0;
    Finish(hosts);
}

TEST(NetSession, JoinRules) {
    std::vector<PlatNet*> members;
    uint32_t hostId, id;
    members.push_back(HostMember("Race\tHana", "Hana", 2, &hostId));
    PlatNet* host = members[0];
    GameSearching({host});
    ASSERT_TRUE(ListUntil(1));

    // Not marked open for joining (user word 4 is not 10): status 103 before
    // anything is sent.
    PlatNetSessionDesc d;
    ASSERT_EQ(PlatNetGetSessionDesc(host, &d), PLAT_NET_OK);
    d.user[3] = 0;
    ASSERT_EQ(PlatNetSetSessionDesc(host, &d), PLAT_NET_OK);
    ASSERT_TRUE(WaitFor([] {
        EnumSessionsSync();
        return NetSessionCount == 1 && SessionList[0].user[3] == 0;
    }));
    EXPECT_EQ(JoinListed(1, "Gil"), 0);
    EXPECT_EQ(GetNetStatus(), NETSTATUS_NOT_OPEN);
    ASSERT_EQ(PlatNetGetSessionDesc(host, &d), PLAT_NET_OK);
    EXPECT_EQ(d.currentPlayers, 1);
    d.user[3] = 10;
    ASSERT_EQ(PlatNetSetSessionDesc(host, &d), PLAT_NET_OK);

    // The number of sessions changed since the list: 0, the status as it
    // was.  Two were listed and one has gone, so no listing finds two again.
    PlatNet* bo = HostMember("Race\tBo", "Bo", 8, &id);
    PlatNetSetSearchList(("127.0.0.1:" + std::to_string(PlatNetBoundPort(host)) + ",127.0.0.1:" +
                          std::to_string(PlatNetBoundPort(bo)))
                             .c_str());
    ASSERT_TRUE(ListUntil(2));
    PlatNetRelease(bo);
    NetStatus = 0;
    EXPECT_EQ(JoinSession(0, "Gil"), 0);
    EXPECT_EQ(GetNetStatus(), 0);
    ShutdownDirectPlay();

    // Full: the layer refuses the join (which JoinSession reports as 106).
    members.push_back(JoinMember(PlatNetBoundPort(host), "Race\tHana", "Ann", &id));
    GameSearching({host});
    // An available listing hides the full session: list it by hand.
    PlatNetSessionDesc full;
    ASSERT_TRUE(FindSession(DirectPlayInterface, "Race\tHana", &full, 0));
    EXPECT_EQ(full.currentPlayers, 2);
    EnumSessionsSync();
    EXPECT_EQ(NetSessionCount, 0);
    memset(&SessionDesc, 0, sizeof SessionDesc);
    SessionDesc.instance = full.instance;
    SessionDesc.application = kTestApp;
    EXPECT_EQ(PlatNetOpen(DirectPlayInterface, &SessionDesc, PLAT_NET_OPEN_JOIN), PLAT_NET_ERR_ACCESSDENIED);
    ShutdownDirectPlay();

    // Room again: the join lists the host and this player.
    PlatNetRelease(members.back());
    members.pop_back();
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_DESTROYPLAYER)));
    GameJoins(host, false);
    EXPECT_EQ(NetPlayerCount, 2);
    EXPECT_EQ(NetPlayerIds[0], hostId);
    EXPECT_STREQ(NetPlayerNames[1], "Gil");
    EXPECT_EQ(NetOwnIndex, 1);
    EXPECT_EQ(NetIsHost, 0);
    ASSERT_EQ(StartReceiveThread(), 1);
    EXPECT_EQ(ReceiveThreadRunning, 1);
    ShutdownDirectPlay();
    EXPECT_EQ(ReceiveThreadRunning, 0);
    EXPECT_EQ(NetSessionOpen, 0);

    Finish(members);
}

TEST(NetSession, PlayersJoinAndLeaveTheLobbyAndTheRace) {
    std::vector<PlatNet*> joiners;
    std::vector<uint32_t> ids;
    GameHostsWith(joiners, ids, {"Ann", "Bo", "Cy"});
    NetFrameWork();
    GetText(469 + 2);
    EXPECT_STREQ(TextBufferB, "Bo");
    GetText(628 + 3);
    EXPECT_STREQ(TextBufferB, "Cy");
    // The lobby's chat names each joiner, oldest line first.
    const char* joined[3] = {"* Ann has joined the game.", "* Bo has joined the game.", "* Cy has joined the game."};
    for (int k = 0; k < 3; k++) {
        GetText(SLOT_CHAT_AREA + k);
        EXPECT_STREQ(TextBufferB, joined[k]);
    }

    // In the lobby the players after a leaver move up.
    PlatNetRelease(joiners[1]);
    ASSERT_TRUE(WaitFor([] { return NetPlayerCount == 3; }));
    EXPECT_EQ(NetPlayerIds[1], ids[0]);
    EXPECT_EQ(NetPlayerIds[2], ids[2]);
    EXPECT_STREQ(NetPlayerNames[2], "Cy");
    NetFrameWork();
    GetText(628 + 2);
    EXPECT_STREQ(TextBufferB, "Cy");
    GetText(SLOT_CHAT_AREA + 2);
    EXPECT_STREQ(TextBufferB, "* Bo has left the game.");

    // Frozen (a race), a leaver keeps its place and its car is marked gone.
    FreezePlayerList();
    PlatNetRelease(joiners[2]);
    ASSERT_TRUE(WaitFor([] { return NetPlayerGone[2] == 1; }));
    EXPECT_EQ(NetPlayerCount, 3);
    EXPECT_STREQ(NetPlayerNames[2], "Cy");
    joiners.erase(joiners.begin() + 1, joiners.end());
    Finish(joiners);
}

TEST(NetSession, LeaverBeforeThisPlayerLowersItsIndex) {
    uint32_t hostId, annId;
    std::vector<PlatNet*> members;
    members.push_back(HostMember("Race\tHana", "Hana", 8, &hostId));
    members.push_back(JoinMember(PlatNetBoundPort(members[0]), "Race\tHana", "Ann", &annId));
    GameJoins(members[0], true);
    EXPECT_EQ(NetOwnIndex, 2);
    EXPECT_EQ(NetPlayerCount, 3);
    PlatNetRelease(members[1]);
    members.pop_back();
    ASSERT_TRUE(WaitFor([] { return NetPlayerCount == 2; }));
    EXPECT_EQ(NetOwnIndex, 1);
    EXPECT_EQ(NetHostIndex, 0);
    Finish(members);
}

// Two messages queued between two signals are both handled in one drain,
// the small one first or the large one first.
TEST(NetSession, OneDrainTakesEverythingQueued) {
    GameSearching({});
    const int words[3] = {0, 0, 0};
    ASSERT_EQ(HostSession("Race\tHana", "Hana", words, 8), 1);
    uint32_t annId;
    PlatNet* ann = JoinMember(GamePort(), "Race\tHana", "Ann", &annId);
    ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() == 1; }));
    DrainMessages();   // the create message: Ann is player 1
    ASSERT_EQ(NetPlayerCount, 2);
    NetIsHost = 1;
    CarCount = 2;
    for (int order = 0; order < 2; order++) {
        uint8_t choice[CAR_CHOICE_SIZE], bits[COMMAND_SIZE];
        EncodeCarChoice(choice, 1, 5 + order, 2);
        EncodeIntPair(bits, MSG_CONTROL_BITS, 1, 9 + order);
        if (order == 0) {
            PlatNetSend(ann, annId, 0, PLAT_NET_SEND_GUARANTEED, 0, bits, sizeof bits);
            PlatNetSend(ann, annId, 0, PLAT_NET_SEND_GUARANTEED, 0, choice, sizeof choice);
        } else {
            PlatNetSend(ann, annId, 0, PLAT_NET_SEND_GUARANTEED, 0, choice, sizeof choice);
            PlatNetSend(ann, annId, 0, PLAT_NET_SEND_GUARANTEED, 0, bits, sizeof bits);
        }
        ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() == 2; }));
        DrainMessages();
        EXPECT_EQ(ReceiveQueueCount(), 0);
        EXPECT_EQ(CarModel[1], 5 + order);
        EXPECT_EQ(ReceivedBits[1], 9 + order);
    }
    ShutdownDirectPlay();
    PlatNetRelease(ann);
}

// The control bits the host takes from this game's member, up to the
// numbered marker: each marker is a guaranteed message sent after the bits
// before it, so what comes between two markers was sent between them.
// -1 stands for a marker.
std::vector<int> BitsUpToMarker(PlatNet* host, int marker) {
    std::vector<int> seen;
    bool reached = false;
    EXPECT_TRUE(TakeUntil(host, [&](const Got& g) {
        if (g.from == PLAT_NET_SYSTEM_PLAYER)
            return false;
        if (g.bytes.size() == 2 && g.bytes[0] == 0xEE) {
            seen.push_back(-1);
            reached = g.bytes[1] == marker;
            return reached;
        }
        int index = -1, bits = -1;
        EXPECT_EQ(g.bytes[0], MSG_CONTROL_BITS);
        EXPECT_TRUE(DecodeIntPair(g.bytes.data(), (int)g.bytes.size(), &index, &bits));
        EXPECT_EQ(index, 1);
        seen.push_back(bits);
        return false;
    })) << "marker " << marker;
    return seen;
}

void SendMarker(int marker) {
    const uint8_t m[2] = {0xEE, (uint8_t)marker};
    ASSERT_EQ(PlatNetSend(DirectPlayInterface, NetOwnId, NetPlayerIds[NetHostIndex], PLAT_NET_SEND_GUARANTEED, 0, m, 2),
              PLAT_NET_OK);
}

// A client sends its control bits to the host when they change, and again
// every 30 ticks while they do not.  They go unguaranteed, and a sender
// may drop one of those itself on a busy machine (the layer slows down
// when the round trip grows): a run that lost bits on the way is run
// again, while bits sent when none are due fail at once.
TEST(NetSession, ControlBitsOnChangeAndEveryThirtyTicks) {
    uint32_t hostId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    GameJoins(host, false);
    LocalCar = 0;
    const int held = INPUT_ACCELERATE, turned = INPUT_ACCELERATE | INPUT_LEFT;
    const std::vector<int> wanted = {held, -1, -1, held, -1, turned, -1};
    std::vector<int> seen;
    for (int run = 0, marker = 0; run < 5 && seen != wanted; run++) {
        CarInputBits[0] = held;
        LastSentBits = 0;
        BitsRepeatTicks = 0;
        SendControlBits();   // the first send
        SendMarker(++marker);
        for (int t = 1; t < CONTROL_REPEAT_TICKS; t++)
            SendControlBits();   // held keys: nothing more for 29 ticks
        SendMarker(++marker);
        SendControlBits();   // the 30th tick repeats them
        SendMarker(++marker);
        CarInputBits[0] = turned;
        SendControlBits();   // a change goes at once
        SendMarker(++marker);
        seen = BitsUpToMarker(host, marker);
        // A lost message leaves fewer bits, never more between two markers.
        ASSERT_EQ(std::count(seen.begin(), seen.end(), -1), 4);
        ASSERT_LE(seen.size(), wanted.size());
        for (size_t i = 0, w = 0; i < seen.size(); i++, w++) {
            while (w < wanted.size() && wanted[w] != seen[i] && wanted[w] != -1)
                w++;
            ASSERT_LT(w, wanted.size());
            ASSERT_EQ(seen[i], wanted[w]) << "message " << i << " of run " << run;
        }
    }
    EXPECT_EQ(seen, wanted);
    ShutdownDirectPlay();
    PlatNetRelease(host);
}

// The host leaves: the earliest joiner (this game) becomes host and tells
// the others its index.
TEST(NetSession, BecomingHostSendsTheHostIndex) {
    uint32_t hostId, boId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    GameJoins(host, true);
    PlatNet* bo = JoinMember(PlatNetBoundPort(host), "Race\tHana", "Bo", &boId);
    ASSERT_TRUE(WaitFor([] { return NetPlayerCount == 3; }));
    PlatNetRelease(host);
    ASSERT_TRUE(WaitFor([] { return NetIsHost == 1; }));
    Got g;
    ASSERT_TRUE(TakeUntil(bo, [](const Got& x) { return x.from != PLAT_NET_SYSTEM_PLAYER; }, &g));
    ASSERT_EQ(g.bytes.size(), (size_t)INDEX_MESSAGE_SIZE);
    EXPECT_EQ(g.bytes[0], MSG_HOST_INDEX);
    EXPECT_EQ(g.bytes[1], 0);   // the host's leaving moved this game to index 0
    EXPECT_EQ(NetHostIndex, NetOwnIndex);
    ShutdownDirectPlay();
    PlatNetRelease(bo);
}

// Lost in the lobby: the receive thread only notes it; the menu frame closes
// the session and the layer.
TEST(NetSession, SessionLostInTheLobbyIsClosedByTheMenuFrame) {
    uint32_t hostId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    GameJoins(host, true);
    PlatNetTestCutOff(DirectPlayInterface);
    ASSERT_TRUE(WaitFor([] { return SessionLostPending == 1; }));
    EXPECT_EQ(NetSessionOpen, 1);
    EXPECT_EQ(ReceiveThreadRunning, 1);
    NetCarryOutSessionLost();
    EXPECT_EQ(NetSessionOpen, 0);
    EXPECT_EQ(ReceiveThreadRunning, 0);
    EXPECT_EQ(DirectPlayInterface, nullptr);
    PlatNetRelease(host);
}

// Lost after the car choice: the race goes on here, every other car
// computer-driven by this machine.
TEST(NetSession, SessionLostAfterTheCarChoiceKeepsRacing) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "Race\tHana", "Ann", &annId);
    GameJoins(host, true);
    CarChosen = 1;
    FreezePlayerList();
    PlatNetTestCutOff(DirectPlayInterface);
    ASSERT_TRUE(WaitFor([] { return NetPlayerGone[1] == 1 && NetPlayerGone[2] == 1; }));
    EXPECT_EQ(NetPlayerGone[0], 0);
    EXPECT_EQ(NetIsHost, 1);
    EXPECT_EQ(NetSessionOpen, 1);
    EXPECT_EQ(SessionLostPending, 0);
    ShutdownDirectPlay();
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

// Stopped in a race past the keep-alive time, this machine comes back to a
// session that dropped it: it does not race on alone (that race would be
// its own) but says the session was lost and leaves the race; the menus
// then close network play.
TEST(NetSession, APlayerPutOutOfTheSessionInARaceLeavesIt) {
    uint32_t hostId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    GameJoins(host, true);
    ASSERT_TRUE(TakeUntil(host, SystemMessage(PLAT_NET_SYS_CREATEPLAYER)));
    CarChosen = 1;
    FreezePlayerList();
    NetworkGame = 1;
    FrontEndActive = 0;
    PlatNetTestStall(DirectPlayInterface, 600000);
    const uint32_t own = NetOwnId;
    ASSERT_TRUE(TakeUntil(host, [&](const Got& g) {
        PlatNetSysPlayer p{};
        if (!SystemMessage(PLAT_NET_SYS_DESTROYPLAYER)(g))
            return false;
        memcpy(&p, g.bytes.data(), sizeof p);
        return p.playerId == own;
    }));
    PlatNetTestStall(DirectPlayInterface, 0);
    ASSERT_TRUE(WaitFor([] { return SessionLostPending != 0; }));
    EXPECT_EQ(SessionLostPending, SESSION_LOST_LEAVE_RACE);
    EXPECT_EQ(NetPlayerGone[1], 0);   // no computer takes the host's car here
    EXPECT_EQ(NetIsHost, 0);
    NetFrameWork();
    char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
    const int count = ConsoleCopyLines(lines);
    ASSERT_GE(count, 1);
    EXPECT_STREQ(lines[count - 1], "The network session was lost.");

    NetLeaveLostRace();
    EXPECT_EQ(BackToMenusRequest, 1);
    EXPECT_EQ(JumpToScreen9, 1);
    EXPECT_EQ(ReceiveThreadRunning, 0);
    EXPECT_EQ(SessionLostPending, SESSION_LOST_AFTER_RACE);
    NetLeaveLostRace();   // once only
    EXPECT_EQ(SessionLostPending, SESSION_LOST_AFTER_RACE);
    // Back in the menus, the pop-up waits until the sessions screen shows.
    FrontEndActive = 1;
    NetCarryOutSessionLost();
    EXPECT_EQ(NetSessionOpen, 1);
    MenuScreenShown = 9;
    NetCarryOutSessionLost();
    EXPECT_EQ(SessionLostPending, 0);
    EXPECT_EQ(NetSessionOpen, 0);
    PlatNetRelease(host);
}

// The command line's joiner gives up after so many searches that found
// nothing: they are counted, and a search that finds one starts over.
TEST(NetSession, SearchesThatFindNothingAreCounted) {
    PlatNet* quiet = NewMember();
    GameSearching({quiet});
    for (int k = 1; k <= 2; k++) {
        ASSERT_EQ(EnumSessionsAsync(), PLAT_NET_OK);
        ASSERT_TRUE(WaitFor([] { return EnumeratingSessions == 0; }));
        EXPECT_EQ(EmptySessionSearches, k);
    }
    PlatNetSessionDesc d = TestSession("Race\tHana", 8);
    ASSERT_EQ(PlatNetOpen(quiet, &d, PLAT_NET_OPEN_CREATE), PLAT_NET_OK);
    uint32_t id;
    ASSERT_EQ(PlatNetCreatePlayer(quiet, &id, "Hana", "H", nullptr), PLAT_NET_OK);
    for (int attempt = 0; attempt < LISTING_ATTEMPTS && NetSessionCount == 0; attempt++) {
        ASSERT_EQ(EnumSessionsAsync(), PLAT_NET_OK);
        ASSERT_TRUE(WaitFor([] { return EnumeratingSessions == 0; }));
    }
    EXPECT_EQ(NetSessionCount, 1);
    EXPECT_EQ(EmptySessionSearches, 0);
    ShutdownDirectPlay();
    PlatNetRelease(quiet);
}

// A port that another socket holds: network play does not open, and the
// port is kept for the message.
TEST(NetSession, ABusyPortIsKept) {
    PlatNet* holder = NewMember();
    const int port = PlatNetBoundPort(holder);
    PlatNetSetPort(port);
    EXPECT_EQ(OpenDirectPlay(), 0);
    EXPECT_EQ(GetNetStatus(), NETSTATUS_NO_CONNECTION);
    EXPECT_EQ(NetSessionOpen, 0);
    EXPECT_EQ(NetBusyPort, port);
    PlatNetSetPort(0);
    PlatNetRelease(holder);
}

TEST(NetSession, PlayerListComesOnlyFromTheHost) {
    uint32_t hostId, annId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    PlatNet* ann = JoinMember(PlatNetBoundPort(host), "Race\tHana", "Ann", &annId);
    GameJoins(host, false);
    ASSERT_EQ(NetOwnIndex, 2);
    // A list that puts this player first, with a name that does not end.
    static uint8_t m[PLAYER_LIST_SIZE];
    uint32_t ids[8] = {NetOwnId, hostId, annId};
    static char names[8][256] = {"Gil", "Hana", "Ann"};
    EncodePlayerList(m, 3, ids, names, 1);
    memset(m + 8 + 264 * 2, 'x', 256);
    ASSERT_TRUE(SendWhenKnown(ann, annId, NetOwnId, m, sizeof m));   // not the host
    ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() >= 1; }));
    DrainMessages();
    EXPECT_EQ(NetOwnIndex, 2);
    ASSERT_TRUE(SendWhenKnown(host, hostId, NetOwnId, m, sizeof m));
    ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() >= 1; }));
    DrainMessages();
    EXPECT_EQ(NetOwnIndex, 0);
    EXPECT_EQ(NetHostIndex, 1);
    EXPECT_EQ(strlen(NetPlayerNames[2]), 255u);
    ShutdownDirectPlay();
    PlatNetRelease(ann);
    PlatNetRelease(host);
}

// The host's lists are taken only when they order the players this
// session holds, and only in the lobby.  A list naming a player who is not
// here would leave the car choice waiting for that player's choice.
TEST(NetSession, APlayerListTakesOnlyThePlayersOfTheSession) {
    uint32_t hostId;
    PlatNet* host = HostMember("Race\tHana", "Hana", 8, &hostId);
    GameJoins(host, false);
    ASSERT_EQ(NetPlayerCount, 2);
    ASSERT_EQ(NetOwnIndex, 1);
    const uint32_t own = NetOwnId;
    auto fromHost = [&](int count, const uint32_t* listed, int hostAt) {
        static uint8_t m[PLAYER_LIST_SIZE];
        static char names[8][256] = {"A", "B", "C", "D"};
        uint32_t ids[8] = {};
        for (int i = 0; i < count; i++)
            ids[i] = listed[i];
        EncodePlayerList(m, count, ids, names, hostAt);
        ASSERT_TRUE(SendWhenKnown(host, hostId, own, m, sizeof m));
        ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() >= 1; }));
        DrainMessages();
    };
    // Refused: a player nobody has, the same player twice, a list without
    // this machine, a host flag on another than the sender.
    const uint32_t phantom[3] = {hostId, own + 1000, own};
    const uint32_t twice[3] = {hostId, own, own};
    const uint32_t withoutUs[1] = {hostId};
    const uint32_t swapped[2] = {own, hostId};
    fromHost(3, phantom, 0);
    fromHost(3, twice, 0);
    fromHost(1, withoutUs, 0);
    fromHost(2, swapped, 0);
    EXPECT_EQ(NetPlayerCount, 2);
    EXPECT_EQ(NetOwnIndex, 1);
    EXPECT_EQ(NetPlayerIds[0], hostId);
    // Taken: the same players in the host's order.
    fromHost(2, swapped, 1);
    EXPECT_EQ(NetOwnIndex, 0);
    EXPECT_EQ(NetHostIndex, 1);
    EXPECT_STREQ(NetPlayerNames[1], "B");
    // Once the car choice is under way the order stays.
    CountdownDone = 1;
    const uint32_t back[2] = {hostId, own};
    fromHost(2, back, 0);
    EXPECT_EQ(NetOwnIndex, 0);

    // So the choice ends when both players have chosen.
    SendCarChoice();
    EXPECT_EQ(WaitingForChoices, 1);
    uint8_t choice[CAR_CHOICE_SIZE];
    EncodeCarChoice(choice, 1, 5, 2);
    ASSERT_TRUE(SendWhenKnown(host, hostId, own, choice, sizeof choice));
    ASSERT_TRUE(WaitFor([] { return ReceiveQueueCount() >= 1; }));
    DrainMessages();
    EXPECT_EQ(WaitingForChoices, 0);
    EXPECT_EQ(PlayerListFrozen, 1);
    EXPECT_EQ(CarModel[1], 5);
    ShutdownDirectPlay();
    PlatNetRelease(host);
}

}  // namespace
