// Whole headless runs through the replays screen: the demo replays are
// listed, the first is picked with the pointer and played with WATCH, the
// race runs on the replay's own track, and the menus come back on the
// replays screen, whose EXIT leads to the main menu (every click goes to an
// item a player sees, found by its label in the layout: labelled_route.h);
// one of two listed replays is deleted, and the other stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/test_game.h"
#include "frontend_test_util.h"
#include "labelled_route.h"
#include "layout_points.h"

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
