// A whole headless run through the replays screen: the demo replays are
// listed, one is selected with the pointer and played, the race runs on the
// replay's own track, and the menus come back on the replays screen.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/test_game.h"

namespace {

TEST(ReplayRoute, AListedReplayPlaysOnItsTrackAndTheReplaysScreenComesBack) {
    // Tracks 10 (the quick race's) and 70 (Buggy.rb's); the listed rows are
    // Buggy.rb, NewVondel.rb and jump.rb, in that order.
    const std::string dir = MakeTestGameFolder("replays", false, {10, 70});
    std::ofstream(dir + "/route.txt") << "200 point 259 335\n201 click\n"   // REPLAYS
                                         "290 expect-screen 15\n"
                                         "300 point 200 117\n301 click\n"   // the first row: Buggy.rb
                                         "340 point 300 357\n341 click\n"   // PLAY
                                         "5590 expect-screen 15\n";
    const int status = RunGameLogged(
        dir, "--headless --recording-device --debug --frames 5600 --script route.txt", "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    EXPECT_EQ(status, 0) << log;
    const size_t replays = log.find("menu screen 15");
    ASSERT_NE(replays, std::string::npos) << log;
    EXPECT_EQ(log.find("demo replay"), std::string::npos) << "no idle demo played instead";
    const size_t track = log.find("Tracks\\Track-07", replays);
    EXPECT_NE(track, std::string::npos) << "the replay's own track loads\n" << log;
    EXPECT_EQ(log.find("Tracks\\Track-01"), std::string::npos) << "not the quick race's";
    EXPECT_NE(log.find("menu screen 15", track), std::string::npos) << "the replays screen comes back";
}

}  // namespace
