// Every race code of the sample folder raced by the program: car 0 on the
// autopilot from the quick race's grid, and one screenshot per group.  The
// runs share one game folder's archives through per-run folders (the
// single-instance lock is per folder) and go four at a time.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/test_game.h"
#include "track/asset_paths.h"

namespace {

// A folder of its own for one run: the game's read-only parts linked to
// the shared folder, the parts a run writes copied.
std::string RunFolder(const std::string& game, int code) {
    const std::string dir = game + "-run" + std::to_string(code);
    std::string command = "rm -rf '" + dir + "' && mkdir '" + dir + "'";
    for (const char* part : {"data", "MENUS", "Music", "Video"})
        command += " && ln -s '" + game + "/" + part + "' '" + dir + "/" + part + "'";
    for (const char* part : {"Config", "USERS", "Replay"})
        command += " && cp -r '" + game + "/" + part + "' '" + dir + "/" + part + "'";
    EXPECT_EQ(system(command.c_str()), 0) << command;
    WriteStartScript(dir);
    return dir;
}

struct SweepRun {
    int code;
    std::string dir;
    int status = -1;
};

// Runs `frames` frames of each code's quick race, four processes at once.
std::vector<SweepRun> RaceEveryCode(const std::string& game, const std::vector<int>& codes, int frames,
                                    bool screenshot) {
    std::vector<SweepRun> runs;
    for (int code : codes)
        runs.push_back({code, RunFolder(game, code)});
    const size_t lanes = 4;
    std::vector<std::thread> threads;
    for (size_t lane = 0; lane < lanes; lane++) {
        threads.emplace_back([&runs, lane, lanes, frames, screenshot] {
            for (size_t k = lane; k < runs.size(); k += lanes) {
                std::vector<std::string> args = {"--headless", "--autorace", "--autopilot", "--track",
                                                 std::to_string(runs[k].code), "--frames", std::to_string(frames),
                                                 "--carlog", "sweep.log", "--script", "start.txt"};
                if (screenshot)
                    args.push_back("--screenshot");
                runs[k].status = RunBuiltProgram("quorvix", args, runs[k].dir);
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    return runs;
}

struct CarPoint {
    int tick, car;
    float x, y, z;
};

std::vector<CarPoint> ReadCarLog(const std::string& path) {
    std::vector<CarPoint> points;
    std::istringstream in(ReadHostFile(path));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, x, y, z;
        CarPoint p = {};
        words >> kind;
        if (kind != "car")
            continue;
        words >> p.tick >> p.car >> x >> y >> z;
        p.x = std::strtof(x.c_str(), nullptr);
        p.y = std::strtof(y.c_str(), nullptr);
        p.z = std::strtof(z.c_str(), nullptr);
        points.push_back(p);
    }
    return points;
}

// Every code starts, races and exits 0, car 0 driving off from its start
// (the arenas' car 0 too, where only the autopilot drives), every car's
// position finite throughout.
TEST(RaceSweep, EveryCodeRacesWithCarZeroOnTheAutopilot) {
    const std::vector<int> codes(RaceTrackCodes, RaceTrackCodes + RACE_TRACK_CODES);
    const std::string game = MakeTestGameFolder("sweep", false, codes);
    const std::vector<SweepRun> runs = RaceEveryCode(game, codes, 700, false);
    for (const SweepRun& run : runs) {
        SCOPED_TRACE("code " + std::to_string(run.code));
        EXPECT_EQ(run.status, 0);
        const std::vector<CarPoint> log = ReadCarLog(run.dir + "/sweep.log");
        const CarPoint* start = nullptr;
        float moved = 0.0f;
        int lines = 0;
        for (const CarPoint& p : log) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << p.tick << " " << p.car;
            if (p.car != 0 || p.tick < 1)
                continue;
            lines++;
            if (!start)
                start = &p;
            moved = std::max(moved, std::hypot(p.x - start->x, p.z - start->z));
        }
        EXPECT_GT(lines, 600) << "car 0 logged every tick";
        EXPECT_GT(moved, 2000.0f) << "car 0 never left its start";
    }
}

// A 640x480 24-bit screenshot's pixel (x, y from the top) as 0xRRGGBB.
struct Shot {
    std::string bytes;
    bool Valid() const { return bytes.size() == 18 + 640 * 480 * 3; }
    int At(int x, int y) const {
        const bool topDown = (bytes[17] & 0x20) != 0;
        const size_t row = (size_t)(topDown ? y : 479 - y);
        const size_t i = 18 + (row * 640 + (size_t)x) * 3;
        return ((unsigned char)bytes[i + 2] << 16) | ((unsigned char)bytes[i + 1] << 8) | (unsigned char)bytes[i];
    }
};

// The scene below the HUD's text and left of the dial.
const int BandX0 = 0, BandX1 = 500, BandY0 = 150, BandY1 = 340;

int ColourDistance(int a, int b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(((a >> shift) & 255) - ((b >> shift) & 255));
    return d;
}

// One quick race a group, drawn by the software renderer: each last frame
// holds a scene (shaded colours, no one colour filling half of it), and each group's
// scene is its own (it differs from every other group's over much of the
// picture: a fall-back or empty track would look alike everywhere).
TEST(RaceSweep, EachGroupsScreenshotShowsItsOwnScene) {
    const std::vector<int> codes = {10, 20, 30, 41, 51, 60, 70};
    const std::string game = MakeTestGameFolder("shots", true, codes);
    const std::vector<SweepRun> runs = RaceEveryCode(game, codes, 500, true);
    std::vector<Shot> shots;
    for (const SweepRun& run : runs) {
        SCOPED_TRACE("code " + std::to_string(run.code));
        EXPECT_EQ(run.status, 0);
        Shot shot{ReadHostFile(run.dir + "/0000.TGA")};
        ASSERT_TRUE(shot.Valid());
        std::set<int> colours;
        std::vector<int> all;
        for (int y = BandY0; y < BandY1; y++) {
            for (int x = BandX0; x < BandX1; x++) {
                colours.insert(shot.At(x, y));
                all.push_back(shot.At(x, y));
            }
        }
        std::sort(all.begin(), all.end());
        size_t commonest = 0;
        for (size_t i = 0, j = 0; i < all.size(); i = j) {
            for (j = i; j < all.size() && all[j] == all[i]; j++) {
            }
            commonest = std::max(commonest, j - i);
        }
        EXPECT_GT(colours.size(), 16u) << "a blank or flat frame";
        EXPECT_LT(commonest, all.size() / 2) << "one colour fills the scene";
        shots.push_back(shot);
    }
    const int band = (BandX1 - BandX0) * (BandY1 - BandY0);
    for (size_t a = 0; a < shots.size(); a++) {
        for (size_t b = a + 1; b < shots.size(); b++) {
            int differing = 0;
            for (int y = BandY0; y < BandY1; y++)
                for (int x = BandX0; x < BandX1; x++)
                    differing += ColourDistance(shots[a].At(x, y), shots[b].At(x, y)) > 48;
            EXPECT_GT(differing, band / 4) << "codes " << codes[a] << " and " << codes[b] << " look alike";
        }
    }
}

}  // namespace
