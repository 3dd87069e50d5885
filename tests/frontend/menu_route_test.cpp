// The player's route through the menus of a fresh folder, clicked and typed
// by a headless script with nothing started for it: a new profile, then a
// single race on a picked track with a car from the car choice, raced to its
// end with car 0 on the computer driver, back on the single race screen and
// from there to the main menu.  Every click goes to an item a player sees,
// found by its label in the layout (labelled_route.h).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "labelled_route.h"

namespace {

// The race's end brings the menus back by about frame 3900 on the lockstep
// clock; BACK waits well past it.
const int kAfterTheRace = 4400;

TEST(MenuRoute, ANewProfileRacesASingleRaceOnThePickedTrackToItsEnd) {
    const std::string dir = MakeTestGameFolder("route", false, {10, 62});
    LabelledRoute route(dir);
    // Main menu: PLAY, then its SINGLE RACE; no one is logged in, so the
    // profile screen comes first: NEW, a name ended with Enter, OK, and the
    // single race's greeting OK; then track 62 of the CROSS group.
    route.NewProfileToSingleRace("ROUTE");
    route.RaceTrack62FromSingleRace();
    route.frame = kAfterTheRace;
    route.Expect(2);
    route.Click(2, "BACK", 80);
    route.Expect(0);

    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --debug --autopilot --laps 1 --frames " +
                                         std::to_string(route.frame + 10) + " --script route.txt --carlog cars.log",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log;
    route.CheckShots();

    // The profile: its file, its folder with twelve slots and its records.
    EXPECT_FALSE(ReadHostFile(dir + "/USERS/ROUTE.usr").empty());
    EXPECT_FALSE(ReadHostFile(dir + "/USERS/ROUTE/SAVE 12.rb").empty());
    EXPECT_FALSE(ReadHostFile(dir + "/USERS/ROUTE/records.dat").empty());

    // Screens in the order clicked, then the race on track 62's folder.
    size_t at = 0;
    for (const char* screen : {"menu screen 0", "menu screen 18", "menu screen 2", "menu screen 5"}) {
        at = log.find(screen, at);
        ASSERT_NE(at, std::string::npos) << screen << "\n" << log;
    }
    const size_t track = log.find("Tracks\\Track-06", at);
    EXPECT_NE(track, std::string::npos) << "the picked track loads";
    EXPECT_EQ(log.find("Tracks\\Track-01"), std::string::npos) << "not the quick race's track";

    // To its end: every car of the cup row's race crossed the line once,
    // and the banner names car 0's place.
    const std::vector<int> order = FinishOrder(dir + "/cars.log");
    ASSERT_EQ(order.size(), 8u) << "race 4 of cup row 1 has eight cars";
    const int place = PlaceOfCar0(order);
    EXPECT_EQ(BannerSlotIn(log, track), 1713 + place) << "car 0 came in " << place;

    // Back in the menus on the single race screen, the screen of the mode,
    // and its BACK leads to the main menu.
    const size_t back = log.find("menu screen 2", track);
    ASSERT_NE(back, std::string::npos) << log.substr(track);
    EXPECT_NE(log.find("menu screen 0", back), std::string::npos) << log.substr(back);
}

// The single race screen's track groups, each clicked by the name on it in
// turn: ARENA and CROSS pick their cup rows' race (the lit one is the race
// set up), and the three DEMO buttons each play their group's demo on its
// own track and come back to the single race screen; BACK then leads to
// the main menu.
TEST(MenuRoute, EachTrackGroupOfTheSingleRaceInTurn) {
    // A demo's playback is back in the menus within about 3700 frames.
    const int kDemo = 5000;
    const std::string dir = MakeTestGameFolder("groups", false, {10, 40, 70});
    LabelledRoute route(dir);
    route.NewProfileToSingleRace("GROUPS");
    route.Click(2, "ARENA", 40);
    route.Expect(2);
    route.Click(2, "CROSS", 40);
    route.Expect(2);
    for (const char* group : {"SPEED", "BUGGY", "JUMP"}) {
        route.Click(2, group, kDemo);
        route.Expect(2);
    }
    route.Click(2, "BACK", 80);
    route.Expect(0);
    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(
        dir, "--headless --recording-device --debug --frames " + std::to_string(route.frame + 10) + " --script route.txt",
        "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log;
    route.CheckShots();

    // Each demo in the order clicked, on its own track, then the single
    // race screen again; no race of a picked group was started.
    size_t at = log.find("menu screen 2");
    ASSERT_NE(at, std::string::npos) << log;
    const char* const demos[3][2] = {{"NewVondel.rb", "Tracks\\Track-01"},
                                     {"Buggy.rb", "Tracks\\Track-07"},
                                     {"jump.rb", "Tracks\\Track-04"}};
    for (const auto& demo : demos) {
        at = log.find(std::string("demo replay Replay\\Users\\") + demo[0], at);
        ASSERT_NE(at, std::string::npos) << demo[0] << "\n" << log;
        at = log.find(demo[1], at);
        ASSERT_NE(at, std::string::npos) << demo[0] << " plays on its own track\n" << log;
        at = log.find("menu screen 2", at);
        ASSERT_NE(at, std::string::npos) << "the single race screen comes back after " << demo[0] << "\n" << log;
    }
    EXPECT_NE(log.find("menu screen 0", at), std::string::npos) << "BACK leads to the main menu";
    EXPECT_EQ(log.find("Tracks\\Track-05"), std::string::npos) << "ARENA only picks its race";
    EXPECT_EQ(log.find("Tracks\\Track-06"), std::string::npos) << "CROSS only picks its race";
}

}  // namespace
