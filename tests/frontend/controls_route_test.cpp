// The controls screen through a headless script with nothing started for
// it, clicked by the labels a player reads (labelled_route.h): player 1's
// REDEFINE KEYS, then eleven keys with W first, so W accelerates; OK saves
// them on the way to the main menu, and a single race then drives car 0 on
// W alone.  A second run's DEFAULTS brings the factory keys back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frontend/settings.h"
#include "labelled_route.h"

namespace {

// Car 0's greatest speed and the distance it got from where it first moved
// (the grid places it before), from the car log (TICK CAR X Y Z HEADING VX
// VZ SPEED ...).
struct Drive {
    double topSpeed = 0, distance = 0;
    int lines = 0;
};
Drive DriveOfCar0(const std::string& carlogPath) {
    Drive d;
    double x0 = 0, z0 = 0;
    for (const std::vector<std::string>& f : CarLogRows(carlogPath, 0)) {
        if (f.size() < 9)
            continue;
        const double x = strtod(f[2].c_str(), nullptr), z = strtod(f[4].c_str(), nullptr);
        const double speed = strtod(f[8].c_str(), nullptr);
        d.lines++;
        if (speed <= 0 && d.topSpeed <= 0) {
            x0 = x;
            z0 = z;
        }
        d.topSpeed = std::max(d.topSpeed, speed);
        const double dx = x - x0, dz = z - z0;
        d.distance = std::max(d.distance, dx * dx + dz * dz);
    }
    return d;
}

// The bindings of a saved settings file (offset 36, four sets of eleven).
bool SavedBindings(const std::string& path, KeyBinding out[4][11]) {
    const std::string bytes = ReadHostFile(path);
    if (bytes.size() != sizeof(SettingsRecord))
        return false;
    memcpy(out, bytes.data() + 36, sizeof(KeyBinding) * 44);
    return true;
}

void ToControls(LabelledRoute& route) {
    route.Click(0, "OPTIONS");
    route.Click(0, "CONTROLS", 70);
    route.Expect(8);
}

TEST(ControlsRoute, Player1RebindsAccelerateToWAndTheRaceDrivesOnIt) {
    const std::string dir = MakeTestGameFolder("controls", false, {10, 62});
    LabelledRoute route(dir);
    ToControls(route);
    route.Click(8, "REDEFINE KEYS", 40);
    for (const char* key : {"W", "DOWN", "LEFT", "RIGHT", "RCONTROL", "RSHIFT", "NUMPAD0", "DECIMAL", "ADD",
                            "SUBTRACT", "NUMPADENTER"})
        route.Key(key, 20);
    route.Click(8, "OK", 70);
    route.Expect(0);
    // A single race as a new profile: the greeting's OK, the CROSS group, a
    // cup, START RACE, Space.
    route.NewProfileToSingleRace("KEYS");
    route.Click(2, "CROSS");
    route.Click(2, "ROOKIE CUP", 70);
    route.Expect(5);
    route.Click(5, "START RACE", 70);
    route.Key("SPACE", 400);
    // W held down past the countdown; the arrow keys stay up.
    route.Line(route.frame, "key down W");
    route.Line(route.frame + 700, "key up W");
    route.Wait(720);

    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --debug --laps 1 --frames " +
                                         std::to_string(route.frame) + " --script route.txt --carlog cars.log",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log;
    route.CheckShots();

    KeyBinding saved[4][11];
    ASSERT_TRUE(SavedBindings(dir + "/Config/config.cfg", saved));
    EXPECT_EQ(saved[0][0].code, 0x11) << "player 1 accelerates on W";
    EXPECT_EQ(saved[0][1].code, 0xD0) << "and brakes on Down";
    EXPECT_EQ(saved[2][0].code, 0x11) << "player 2's keys are as they were";

    const Drive drive = DriveOfCar0(dir + "/cars.log");
    ASSERT_GT(drive.lines, 0) << "the race ran\n" << log;
    EXPECT_GT(drive.topSpeed, 1.0) << "car 0 picks up speed on W";
    EXPECT_GT(drive.distance, 5000.0 * 5000.0) << "and drives up the track";
}

TEST(ControlsRoute, DefaultsBringBackTheFactoryKeys) {
    const std::string dir = MakeTestGameFolder("controls-defaults");
    LabelledRoute route(dir);
    ToControls(route);
    route.Click(8, "REDEFINE KEYS", 40);
    for (const char* key : {"W", "S", "A", "D", "Q", "E", "R", "F", "C", "Z", "X"})
        route.Key(key, 20);
    route.Click(8, "DEFAULTS", 40);
    route.Click(8, "OK", 70);
    route.Expect(0);
    std::ofstream(dir + "/route.txt") << route.script;
    const int status = RunGameLogged(dir,
                                     "--headless --recording-device --frames " + std::to_string(route.frame + 10) +
                                         " --script route.txt",
                                     "route.log");
    ASSERT_EQ(status, 0) << ReadHostFile(dir + "/route.log");
    route.CheckShots();
    KeyBinding saved[4][11];
    ASSERT_TRUE(SavedBindings(dir + "/Config/config.cfg", saved));
    SettingsRecord factory;
    FactorySettings(&factory);
    EXPECT_EQ(memcmp(saved, factory.bindings, sizeof saved), 0) << "accelerate is on " << saved[0][0].code;
    EXPECT_EQ(saved[0][0].code, 0xC8) << "player 1 accelerates on Up again";
}

}  // namespace
