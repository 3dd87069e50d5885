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
    // A new profile on the way to the single race screen; there the
    // second track group (race 4 of cup row 1, track 62), then a cup, which
    // opens the car choice; START RACE with the car on show, and Space ends
    // the fly-by.
    route.NewProfileToSingleRace("ROUTE");
    route.ClickPicture(2, 60, 1);
    route.Click(2, "ROOKIE CUP", 70);
    route.Expect(5);
    route.Click(5, "START RACE", 70);
    route.Key("SPACE");
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

}  // namespace
