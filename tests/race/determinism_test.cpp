// The same script twice, as two separate processes of the game: the car
// logs are byte for byte the same.  The script brakes, steers and runs into
// the wall while the computer cars race off the grid.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"

namespace {

const char* const Script =
    "# Space ends the fly-by; then right into the wall, braking, steering.\n"
    "2 key down SPACE\n"
    "3 key up SPACE\n"
    "5 key down UP\n"
    "400 key down RIGHT\n"
    "560 key up RIGHT\n"
    "700 key up UP\n"
    "700 key down DOWN\n"
    "820 key up DOWN\n"
    "830 key down UP\n"
    "830 key down LEFT\n"
    "900 key up LEFT\n"
    "1100 key down RIGHT\n"
    "1140 key up RIGHT\n"
    "1500 key down DOWN\n"
    "1560 key up DOWN\n"
    "1700 key down LEFT\n"
    "1760 key up LEFT\n";

struct LogLine {
    int tick, car;
    float x, z, heading, speed;
};

std::vector<LogLine> ParseLog(const std::string& text) {
    std::vector<LogLine> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("car ", 0) != 0)
            continue;
        LogLine l = {};
        char x[64], y[64], z[64], h[64], vx[64], vz[64], speed[64];
        if (sscanf(line.c_str(), "car %d %d %63s %63s %63s %63s %63s %63s %63s", &l.tick, &l.car, x, y, z, h, vx, vz,
                   speed) == 9) {
            l.x = std::strtof(x, nullptr);
            l.z = std::strtof(z, nullptr);
            l.heading = std::strtof(h, nullptr);
            l.speed = std::strtof(speed, nullptr);
            lines.push_back(l);
        }
    }
    return lines;
}

TEST(Determinism, TwoRunsOfOneScriptLogTheSameBytes) {
    const std::string dir = MakeTestGameFolder("determinism");
    FILE* file = fopen((dir + "/script.txt").c_str(), "w");
    ASSERT_TRUE(file);
    fputs(Script, file);
    fclose(file);
    for (const char* log : {"a.log", "b.log"}) {
        EXPECT_EQ(RunBuiltProgram("quorvix",
                                  {"--headless", "--autorace", "--script", "script.txt", "--carlog", log, "--frames",
                                   "2100"},
                                  dir),
                  0);
    }
    const std::string a = ReadHostFile(dir + "/a.log"), b = ReadHostFile(dir + "/b.log");
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "the logs differ";

    const std::vector<LogLine> lines = ParseLog(a);
    ASSERT_GE(lines.size(), 4u * 2000u) << "four cars, 2,000 ticks";
    EXPECT_EQ(a.rfind("# quorvix carlog 1\n", 0), 0u);
    float car2Moved = 0.0f, nearestWall = 1.0e9f, topSpeed = 0.0f;
    const LogLine* car2Start = nullptr;
    for (const LogLine& l : lines) {
        if (l.car == 2) {
            if (!car2Start)
                car2Start = &l;
            car2Moved = std::fmax(car2Moved, std::hypot(l.x - car2Start->x, l.z - car2Start->z));
        }
        if (l.car == 0) {
            topSpeed = std::fmax(topSpeed, l.speed);
            // The start straight's walls stand at x 53,812 and 64,812.
            if (l.z > 45000.0f && l.z < 88000.0f)
                nearestWall = std::fmin(nearestWall, std::fmin(std::fabs(l.x - 53812.0f), std::fabs(64812.0f - l.x)));
            ASSERT_TRUE(std::isfinite(l.x) && std::isfinite(l.z) && std::isfinite(l.heading));
        }
    }
    EXPECT_GT(car2Moved, 500.0f) << "car 2 never left the grid";
    EXPECT_LT(nearestWall, 250.0f) << "car 0 never reached a wall";
    EXPECT_GT(topSpeed, 40.0f);
    (void)system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
