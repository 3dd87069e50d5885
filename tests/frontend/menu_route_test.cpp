// The player's route through the menus of a fresh folder, clicked and typed
// by a headless script with nothing started for it: a new profile, then a
// single race on a picked track with a car from the car choice, raced to its
// end with car 0 on the computer driver, and back to the single race screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"

namespace {

// Main menu: PLAY, then its single race; the profile screen: NEW, a name,
// OK, then LOG IN; the single race screen: its greeting's OK, the second
// track group (race 4 of cup row 1, track 62), then its first cup, which
// opens the car choice; START RACE with the car on show, and Space to end
// the fly-by.
const char kSingleRace[] = "200 point 342 26\n201 click\n"
                           "260 point 300 50\n261 click\n"
                           "330 expect-screen 18\n"
                           "340 point 420 416\n341 click\n"
                           "400 type ROUTE\n"
                           "430 point 215 238\n431 click\n"
                           "490 point 300 357\n491 click\n"
                           "550 expect-screen 2\n"
                           "560 point 320 288\n561 click\n"
                           "600 point 140 90\n601 click\n"
                           "650 point 115 145\n651 click\n"
                           "720 expect-screen 5\n"
                           "730 point 115 427\n731 click\n"
                           "800 key down SPACE\n803 key up SPACE\n";

TEST(MenuRoute, ANewProfileRacesASingleRaceOnThePickedTrackToItsEnd) {
    const std::string dir = MakeTestGameFolder("route", false, {10, 62});
    std::ofstream(dir + "/route.txt") << kSingleRace;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --debug --autopilot --laps 1 --frames 4200 "
                                     "--script route.txt --carlog cars.log",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log;

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

    // Back in the menus on the single race screen, the screen of the mode.
    EXPECT_NE(log.find("menu screen 2", track), std::string::npos) << log.substr(track);
}

}  // namespace
