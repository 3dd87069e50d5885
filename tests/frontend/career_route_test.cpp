// The career's route through the menus of a fresh folder, clicked and typed
// by a headless script with nothing started for it: a new profile enters
// the career, opens the silver cup (cup row 2), picks its first race (track
// 20), takes the car on show on the car choice and races it to its end with
// car 0 on the computer driver.  Back on the career screen the award, if
// any, is taken and the career saved in slot 1, which the test reads back
// with its own reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "labelled_route.h"

namespace {

// The route, clicked by the labels a player reads (labelled_route.h).  The
// profile comes first, through the single race's profile screen (the main
// menu's CAREER goes straight to the career screen): PLAY, SINGLE RACE,
// NEW, a name, Enter, OK, the single race screen's greeting OK and BACK.
// Then PLAY, CAREER; the career screen: its greeting's OK, the cup list's
// SILVER CUP (cup row 2), and once its panel is in, RACE 1; the car choice:
// START RACE with the car on show, and Space to end the fly-by.
void ToTheRace(LabelledRoute& route) {
    route.NewProfileToSingleRace("CUPS");
    route.Click(2, "BACK", 70);
    route.Expect(0);
    route.Click(0, "PLAY");
    route.Click(0, "CAREER", 70);
    route.Expect(3);
    route.Click(3, "OK", 40);
    route.Click(3, "SILVER CUP", 50);
    route.Click(3, "RACE 1", 70);
    route.Expect(5);
    route.Click(5, "START RACE", 70);
    route.Key("SPACE");
}

// After the race (the menus are back by about frame 6800 on the lockstep
// clock; the steps leave room for a slower race): the award pop-up's OK
// (there only after a won race), the cup panel's BACK (the panel stands
// over the career's SAVE), SAVE, the first slot row, a description, SAVE,
// and the saved message's OK back to the career screen.
const int kAfterTheRace = 7600;
void AfterTheRace(LabelledRoute& route) {
    route.frame = kAfterTheRace;
    route.Expect(3);
    route.ClickIfShown(3, "OK", 50);
    route.ClickInPanel(3, "BACK", 60);
    route.Click(3, "SAVE", 70);
    route.Expect(21);
    route.ClickRow(21, 640, 40);
    route.Type("SILVER");
    route.Click(21, "SAVE");
    route.Click(21, "OK", 70);
    route.Expect(3);
}

// The few fields of a saved career this test checks, read at their byte
// offsets in the slot file.
struct SavedCareer {
    bool read = false;
    std::string description;
    float money = 0;
    int racesWon = -1;
    int cup2Won[5] = {-1, -1, -1, -1, -1};
};

SavedCareer ReadSlot(const std::string& path) {
    SavedCareer saved;
    const std::string bytes = ReadHostFile(path);
    if (bytes.size() != 2384)
        return saved;
    saved.read = true;
    saved.description = std::string(bytes.c_str() + 0x04, strnlen(bytes.c_str() + 0x04, 32));
    std::memcpy(&saved.money, bytes.data() + 0x64, 4);
    saved.racesWon = (uint8_t)bytes[0x68];
    const size_t cup2 = 0x10c + 188 * 2;
    for (int r = 0; r < 5; r++)
        saved.cup2Won[r] = (uint8_t)bytes[cup2 + 40 + r];
    return saved;
}

// The highest lap count the car log gives car 0.
int LapsOfCar0(const std::string& carlogPath) {
    std::istringstream log(ReadHostFile(carlogPath));
    int most = -1;
    for (std::string line; std::getline(log, line);) {
        if (line.compare(0, 4, "car ") != 0)
            continue;
        std::istringstream fields(line.substr(4));
        std::vector<std::string> f;
        for (std::string w; fields >> w;)
            f.push_back(w);
        // TICK CAR X Y Z HEADING VX VZ SPEED PITCH ROLL REVS GEAR LAPS ...
        if (f.size() > 13 && f[1] == "0")
            most = std::max(most, std::atoi(f[13].c_str()));
    }
    return most;
}

TEST(CareerRoute, ACupRaceStartedFromTheCareerScreenPaysByCar0sPlace) {
    const std::string dir = MakeTestGameFolder("career", false, {10, 20});
    LabelledRoute route(dir);
    ToTheRace(route);
    AfterTheRace(route);
    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --debug --autopilot --frames " +
                                         std::to_string(route.frame + 10) + " --script route.txt --carlog cars.log",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log;

    // The screens in the order clicked: the profile's, back to the main
    // menu, the career, the car choice; then the race on track 20's folder.
    size_t at = 0;
    for (const char* screen : {"menu screen 18", "menu screen 2", "menu screen 0", "menu screen 3", "menu screen 5"}) {
        at = log.find(screen, at);
        ASSERT_NE(at, std::string::npos) << screen << "\n" << log;
    }
    // (Track art lives in Tracks\Track-<group>\<variant>.)
    const size_t track = log.find("Tracks\\Track-02\\0\\", at);
    ASSERT_NE(track, std::string::npos) << "cup 2's first race is track 20\n" << log.substr(at);
    EXPECT_EQ(log.find("Tracks\\Track-01\\", at), std::string::npos) << "not the quick race's track 10";

    // The cup row's race: four cars, each crossing the line once, two laps.
    const std::vector<int> order = FinishOrder(dir + "/cars.log");
    ASSERT_EQ(order.size(), 4u) << "race 0 of cup 2 has four cars";
    EXPECT_EQ(LapsOfCar0(dir + "/cars.log"), 2) << "race 0 of cup 2 runs two laps";
    const int place = PlaceOfCar0(order);
    ASSERT_GE(place, 1);
    EXPECT_EQ(BannerSlotIn(log, track), 1713 + place) << "car 0 came in " << place;

    // Back on the career screen; the award pop-up only after a win.
    const size_t back = log.find("menu screen 3", track);
    ASSERT_NE(back, std::string::npos) << log.substr(track);
    const bool won = place == 1;
    EXPECT_EQ(log.find("popup 3 1", back) != std::string::npos, won) << "car 0 came in " << place;
    route.CheckShots(won);

    // The save: 400 to start, the fee of 200 taken once, 500 only for a win,
    // which also marks race 0 of cup 2 and counts it.
    const size_t saved = log.find("popup 21 0", back);
    ASSERT_NE(saved, std::string::npos) << log.substr(back);
    EXPECT_NE(log.find("menu screen 3", saved), std::string::npos) << "the save's OK leads back to the career";
    const SavedCareer career = ReadSlot(dir + "/USERS/CUPS/SAVE 01.rb");
    ASSERT_TRUE(career.read);
    EXPECT_EQ(career.description, "SILVER");
    EXPECT_EQ(career.money, won ? 700.0f : 200.0f) << "car 0 came in " << place;
    EXPECT_EQ(career.racesWon, won ? 1 : 0);
    EXPECT_EQ(career.cup2Won[0], won ? 1 : 0);
    for (int r = 1; r < 5; r++)
        EXPECT_EQ(career.cup2Won[r], 0) << "race " << r;
}

}  // namespace
