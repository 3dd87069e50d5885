// A whole headless run through the replays screen: the demo replays are
// listed, the first is picked with the pointer and played with WATCH, the
// race runs on the replay's own track, and the menus come back on the
// replays screen, whose EXIT leads to the main menu.  Every click goes to an
// item a player sees, found by its label in the layout (labelled_route.h).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/test_game.h"
#include "labelled_route.h"

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

}  // namespace
