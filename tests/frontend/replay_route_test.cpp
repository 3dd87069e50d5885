// Whole headless runs through the replays screen: the demo replays are
// listed, the first is picked with the pointer and played with WATCH, the
// race runs on the replay's own track, and the menus come back on the
// replays screen, whose EXIT leads to the main menu (every click goes to an
// item a player sees, found by its label in the layout: labelled_route.h);
// one of two listed replays is deleted, and the other stays.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "frontend/replay_header.h"
#include "frontend/text_entry.h"
#include "frontend_test_util.h"
#include "labelled_route.h"
#include "layout_points.h"
#include "platform/plat_net.h"
#include "race/race_state.h"
#include "race/replay.h"

namespace {

// The replay of Buggy.rb runs a minute: the menus are back well before this.
const int kAfterTheReplay = 5500;

TEST(ReplayRoute, AListedReplayPlaysOnItsTrackAndTheReplaysScreenComesBack) {
    // Tracks 10 (the quick race's) and 70 (Buggy.rb's); the listed rows are
    // Buggy.rb, NewVondel.rb and jump.rb, in that order.
    const std::string dir = MakeTestGameFolder("replays", false, {10, 70});
    LabelledRoute route(dir);
    route.Click(0, "REPLAYS", 90);
    route.Expect(15);
    route.ClickRow(15, 640, 40);   // the first row: Buggy.rb
    route.Click(15, "WATCH");
    route.frame = kAfterTheReplay;
    route.Expect(15);
    route.Click(15, "EXIT", 80);
    route.Expect(0);
    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --debug --frames " +
                                         std::to_string(route.frame + 10) + " --script route.txt",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    EXPECT_EQ(status, 0) << log;
    route.CheckShots();
    const size_t replays = log.find("menu screen 15");
    ASSERT_NE(replays, std::string::npos) << log;
    EXPECT_EQ(log.find("demo replay"), std::string::npos) << "no idle demo played instead";
    const size_t track = log.find("Tracks\\Track-07", replays);
    EXPECT_NE(track, std::string::npos) << "the replay's own track loads\n" << log;
    EXPECT_EQ(log.find("Tracks\\Track-01"), std::string::npos) << "not the quick race's";
    const size_t back = log.find("menu screen 15", track);
    ASSERT_NE(back, std::string::npos) << "the replays screen comes back";
    EXPECT_NE(log.find("menu screen 0", back), std::string::npos) << "and its EXIT leads to the main menu";
}

// The race of track 62 is over by about frame 3400 and its replay runs
// from about 3800.
const int kDuringTheReplay = 4100;

// The network lobby left, a single race raced and its replay saved from the
// pause menu under a typed name, in this process (network play keeps the
// lockstep clock here): the lobby's chat line leaves nothing in front of the
// replay's name, so the file has the name typed and the replays screen lists
// it first.
TEST(ReplayRoute, AfterTheLobbyAReplaySavedUnderATypedNameIsListed) {
    const std::string dir = MakeTestGameFolder("lobby", false, {10, 62});
    // The race is shown again as its replay when it is over.
    std::string visual = ReadHostFile(dir + "/Config/visual.cfg");
    ASSERT_EQ(visual.size(), 48u);
    visual[10] = 1;
    std::ofstream(dir + "/Config/visual.cfg", std::ios::binary) << visual;

    LabelledRoute route(dir);
    // Network play from the start: a new profile, whose OK leads to the
    // sessions; a game created and hosted, its lobby left.
    route.NewProfile("ROUTE");
    route.Expect(9);
    route.Click(9, "CREATE GAME");
    route.Expect(10);
    route.Click(10, "OK", 90);
    route.Expect(11);
    route.Click(11, "LEAVE");
    route.Expect(9);
    route.Click(9, "BACK", 90);
    route.Expect(0);
    // A single race of track 62, the profile logged in.
    route.Click(0, "PLAY");
    route.Click(0, "SINGLE RACE", 70);
    route.Expect(18);
    route.Click(18, "OK");
    route.Expect(2);
    route.Click(2, "OK");
    route.RaceTrack62FromSingleRace();
    // In the replay a key opens the pause menu, whose first row saves it.
    route.frame = kDuringTheReplay;
    route.Key("ESCAPE", 30);
    route.Key("RETURN", 30);
    route.Type("AROUTE");
    // Enter saves it; in a replay any key then opens the pause menu again,
    // whose QUIT leads back to the single race screen, and from there the
    // main menu and the replays.
    route.Key("RETURN", 60);
    route.Key("UP", 20);
    route.Key("RETURN", 150);
    route.Expect(2);
    route.Click(2, "BACK", 80);
    route.Expect(0);
    route.Click(0, "REPLAYS", 90);
    route.Expect(15);
    route.ClickRow(15, 640, 40);
    std::ofstream(dir + "/route.txt") << route.script;

    // A port of this process's own, searched on this machine alone.
    const int port = 30000 + (int)(getpid() % 20000);
    PlatNetSetPort(port);
    ASSERT_TRUE(PlatNetSetSearchList(("127.0.0.1:" + std::to_string(port)).c_str()));
    CommandLineOptions options = {};
    options.frames = route.frame + 10;
    options.network = 1;
    options.autopilot = 1;
    options.laps = 1;
    const std::string script = dir + "/route.txt";
    options.script = script.c_str();
    const int status = RunHeadlessGameWith(options);
    // A real run's switches end with its process; this one's would stay for
    // the tests after it (car 0 on the autopilot, a network game's frames).
    CommandLine = {};
    AutopilotRun = 0;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ScriptExitStatus, 0);
    // The replays screen lists it first, before the demo replays: its row
    // is the first the list shows.
    EXPECT_EQ(MenuScreenShown, 15);
    const std::string firstRow(TextSlotBlob + TextSlotTable[640].offset, TextSlotTable[640].length);
    EXPECT_EQ(firstRow.rfind("AROUTE", 0), 0u) << firstRow;
    // The shots are judged against the built-in layout, which the run has
    // changed in this process.
    ASSERT_EQ(VfsScanArchives(), 1);
    LabelledRoute layout(dir);
    layout.clicks = route.clicks;
    layout.CheckShots();

    // The file has the typed name, in its name and in its header.
    const std::string saved = ReadHostFile(dir + "/Replay/Users/AROUTE.rb");
    ASSERT_GT(saved.size(), (size_t)REPLAY_HEADER_BYTES) << "Replay/Users/AROUTE.rb";
    EXPECT_STREQ(saved.c_str() + 4, "AROUTE");
    EXPECT_TRUE(ReadHostFile(dir + "/Replay/Users/.rb").empty()) << "no replay without a name";
}

// Items of the built-in layout: the main menu's REPLAYS; the replays
// screen's first row, DELETE and the confirmation's YES.
enum { MAIN_REPLAYS = 15, REPLAYS_FIRST_ROW = 20, REPLAYS_DELETE = 14, REPLAYS_YES = 38 };

struct ReplayDeleteRoute : FrontEndTest {
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(BuildLayoutForPoints());
    }
};

TEST_F(ReplayDeleteRoute, DeleteConfirmedRemovesThePickedRowsFileAndTheOtherStays) {
    // Two replays listed, Buggy.rb and jump.rb; jump.rb's header names
    // Buggy as its replay, so only the listed file may go.
    const std::string dir = MakeTestGameFolder("delete");
    ASSERT_EQ(std::remove((dir + "/Replay/Users/NewVondel.rb").c_str()), 0);
    const std::string buggy = ReadHostFile(dir + "/Replay/Users/Buggy.rb");
    std::string jump = ReadHostFile(dir + "/Replay/Users/jump.rb");
    ASSERT_GT(buggy.size(), 124u);
    ASSERT_GT(jump.size(), 124u);
    jump.replace(4, 22, std::string("Buggy") + std::string(17, '\0'));
    std::ofstream(dir + "/Replay/Users/jump.rb", std::ios::binary) << jump;

    // REPLAYS, the second row, DELETE, YES.
    std::ofstream(dir + "/delete.txt") << ClickItem(200, 0, MAIN_REPLAYS) << ExpectScreen(290, 15)
                                       << ClickItem(300, 15, REPLAYS_FIRST_ROW + 1)
                                       << ClickItem(340, 15, REPLAYS_DELETE) << ClickItem(400, 15, REPLAYS_YES)
                                       << ExpectScreen(460, 15);
    const int status =
        RunGameLogged(dir, "--headless --recording-device --debug --frames 470 --script delete.txt", "delete.log");
    const std::string log = ReadHostFile(dir + "/delete.log");
    EXPECT_EQ(status, 0) << log;
    EXPECT_NE(log.find("popup 15 0"), std::string::npos) << "DELETE asks first\n" << log;
    EXPECT_TRUE(ReadHostFile(dir + "/Replay/Users/jump.rb").empty()) << "the picked row's file is gone";
    EXPECT_EQ(ReadHostFile(dir + "/Replay/Users/Buggy.rb"), buggy) << "the other replay stays as it was";
}

}  // namespace
