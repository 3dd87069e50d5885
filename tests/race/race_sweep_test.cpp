// Every race code of the sample folder raced by the program: car 0 on the
// autopilot from the quick race's grid, and one screenshot per group.  The
// runs share one game folder's archives through per-run folders (the
// single-instance lock is per folder) and go four at a time.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
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
    SweepRun(int c, std::vector<std::string> r, int f) : code(c), race(std::move(r)), frames(f) {}
    int code;
    std::vector<std::string> race;   // the race's switches
    int frames;
    std::string dir;
    int status = -1;
};

// Runs each race for its frames, the longest first, several processes at
// once.  The game's debug lines (the menu screens it shows) go to err.txt.
void RaceEach(const std::string& game, std::vector<SweepRun>& runs, bool screenshot) {
    for (SweepRun& run : runs)
        run.dir = RunFolder(game, run.code);
    std::vector<SweepRun*> order;
    for (SweepRun& run : runs)
        order.push_back(&run);
    std::stable_sort(order.begin(), order.end(), [](const SweepRun* a, const SweepRun* b) { return a->frames > b->frames; });
    std::atomic<size_t> next{0};
    const unsigned cores = std::thread::hardware_concurrency();
    const size_t lanes = cores > 8 ? 6 : cores > 4 ? cores - 2 : 2;
    std::vector<std::thread> threads;
    for (size_t lane = 0; lane < lanes; lane++) {
        threads.emplace_back([&order, &next, screenshot] {
            for (size_t k = next++; k < order.size(); k = next++) {
                SweepRun& run = *order[k];
                std::string command = "cd '" + run.dir + "' && exec '" QUORVIX_BIN_DIR "/quorvix' --headless "
                                      "--recording-device --debug --autorace --autopilot --track " +
                                      std::to_string(run.code) + " --frames " + std::to_string(run.frames) +
                                      " --carlog sweep.log --script start.txt";
                for (const std::string& s : run.race)
                    command += " " + s;
                if (screenshot)
                    command += " --screenshot";
                command += " > out.txt 2> err.txt";
                const int status = system(command.c_str());
                // A run that a signal ended reads as the shell reports it.
                run.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                                 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
}

struct CarPoint {
    int tick, car;
    float x, y, z, speed, distance;
};

// One run's car log: the race's lines up to 450 ticks past its end (the
// menus may start an idle demo after it, whose lines follow).
struct RaceLog {
    std::vector<CarPoint> points;
    std::vector<std::pair<int, int>> finishes;   // tick, car
    int over = -1, failed = -1;
    float jump = 0.0f;
    int lastTick = -1;
};

float HexFloat(const std::string& word) { return std::strtof(word.c_str(), nullptr); }

RaceLog ReadRaceLog(const std::string& path) {
    RaceLog log;
    std::istringstream in(ReadHostFile(path));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "over" && log.over < 0) {
            std::string jump;
            words >> log.over >> log.failed >> jump;
            log.jump = HexFloat(jump);
        } else if (kind == "finish" && log.over < 0) {
            std::pair<int, int> finish;
            words >> finish.first >> finish.second;
            log.finishes.push_back(finish);
        } else if (kind == "car") {
            CarPoint p = {};
            std::string f[13];
            words >> p.tick >> p.car;
            for (std::string& word : f)
                words >> word;
            if (log.over >= 0 && p.tick > log.over + 460)
                break;
            p.x = HexFloat(f[0]), p.y = HexFloat(f[1]), p.z = HexFloat(f[2]);
            p.speed = HexFloat(f[6]);
            p.distance = HexFloat(f[12]);
            log.points.push_back(p);
            log.lastTick = p.tick;
        }
    }
    return log;
}

enum RaceKind { CIRCUIT, TIMED_CIRCUIT, JUMP, ARENA, SPRINT };

RaceKind KindOf(int code) {
    if (code == 31)
        return TIMED_CIRCUIT;
    if (code / 10 == 4)
        return JUMP;
    if (code == 55)
        return SPRINT;
    return code / 10 == 5 ? ARENA : CIRCUIT;
}

// Each code's race as its mode runs it: one lap with the quick race's four
// cars on the circuits, the career's two laps on the arenas (whose
// opponents the event places), car 0 alone on the JUMP events, 31 and the
// hidden race, the sprint's two cars.  Frames: the race's end, 450 ticks of
// banner and the way back to the menus, with room to spare.
SweepRun SweepRunFor(int code) {
    switch (KindOf(code)) {
    case JUMP:
        return {code, {"--cars", "1", "--laps", "1"}, 2700};
    case ARENA:
        return {code, {"--laps", "2"}, 5600};
    case SPRINT:
        return {code, {"--cars", "2", "--laps", "1"}, 1500};
    case TIMED_CIRCUIT:
        return {code, {"--cars", "1", "--laps", "1"}, 3600};
    case CIRCUIT:
        break;
    }
    if (code == 67)
        return {code, {"--cars", "1", "--laps", "1"}, 3600};
    return {code, {"--laps", "1"}, 3600};
}

int CountOf(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        n++;
    return n;
}

// Checks the race's end by its rule; car 0 on the autopilot.
void ExpectEndsByItsRule(int code, const RaceLog& log, int cars) {
    const CarPoint* atOver = nullptr;
    for (const CarPoint& p : log.points) {
        if (p.car == 0 && p.tick == log.over)
            atOver = &p;
    }
    ASSERT_NE(atOver, nullptr) << "car 0 logged no tick at the race's end";
    int car0Finish = -1, lastFinish = -1;
    std::set<int> finished;
    for (const auto& [tick, car] : log.finishes) {
        if (car == 0)
            car0Finish = tick;
        lastFinish = std::max(lastFinish, tick);
        finished.insert(car);
    }
    switch (KindOf(code)) {
    case CIRCUIT:
        // The autopilot's race ends when the last car, car 0 among them,
        // crosses the line.
        EXPECT_GE(car0Finish, 0) << "car 0 never finished";
        EXPECT_EQ((int)finished.size(), cars);
        EXPECT_EQ(log.over, lastFinish);
        EXPECT_EQ(log.failed, 0);
        break;
    case TIMED_CIRCUIT:
    case ARENA:
        // By its laps (car 0 is the only car that races), or at 0:00.
        if (car0Finish >= 0) {
            EXPECT_EQ(log.over, car0Finish);
            EXPECT_EQ(log.failed, 0);
        } else {
            EXPECT_EQ(log.failed, 1) << "over without car 0's laps or the clock";
        }
        break;
    case JUMP:
        // On landing with a distance, or after a minute without one.
        EXPECT_TRUE(log.finishes.empty()) << "the lap line ended the jump";
        if (log.failed == 0) {
            EXPECT_GT(log.jump, 0.0f);
            EXPECT_LT(atOver->y, 300.0f) << "ended in the air";
        } else {
            EXPECT_EQ(log.jump, 0.0f);
        }
        if (code == 41) {
            EXPECT_GT(log.jump, 0.0f) << "41's jump measured nothing";
        }
        break;
    case SPRINT:
        EXPECT_TRUE(log.finishes.empty());
        EXPECT_EQ(log.failed, 0);
        EXPECT_LT(std::hypot(atOver->x - 25803.0f, atOver->z - 68000.0f), 1440.0f) << "not at the finish zone";
        break;
    }
}

// Every code races to its end and back to the menus: the game exits 0,
// each race ends by its own rule, its banner runs 450 ticks, then the
// menus show screen 0 again.  Car 0 drives from its start (the arenas' car
// 0 too, where only the autopilot drives) and its guide distance never
// falls far below its best: a car that first turns back to a line point
// behind the grid loses the whole start straight.  Every position is
// finite throughout.
TEST(RaceSweep, EveryCodeRacesToItsEndAndBackToTheMenus) {
    const std::vector<int> codes(RaceTrackCodes, RaceTrackCodes + RACE_TRACK_CODES);
    const std::string game = MakeTestGameFolder("sweep", false, codes);
    std::vector<SweepRun> runs;
    for (int code : codes)
        runs.push_back(SweepRunFor(code));
    RaceEach(game, runs, false);
    for (const SweepRun& run : runs) {
        SCOPED_TRACE("code " + std::to_string(run.code));
        EXPECT_EQ(run.status, 0);
        const RaceLog log = ReadRaceLog(run.dir + "/sweep.log");
        ASSERT_GE(log.over, 0) << "the race never ended in " << run.frames << " frames";
        EXPECT_NEAR(log.lastTick - log.over, 450, 1) << "the banner's ticks";
        EXPECT_GE(CountOf(ReadHostFile(run.dir + "/err.txt"), "menu screen 0"), 2) << "never back in the menus";
        int cars = 0;
        const CarPoint* start = nullptr;
        float moved = 0.0f, best = -1e30f, fall = 0.0f;
        for (const CarPoint& p : log.points) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << p.tick << " " << p.car;
            cars = std::max(cars, p.car + 1);
            if (p.car != 0 || p.tick < 1)
                continue;
            if (!start)
                start = &p;
            moved = std::max(moved, std::hypot(p.x - start->x, p.z - start->z));
            if (p.tick < log.over && (best > -1e30f || p.speed > 0.0f)) {
                best = std::max(best, p.distance);
                fall = std::max(fall, best - p.distance);
            }
        }
        EXPECT_GT(moved, 2000.0f) << "car 0 never left its start";
        // The arenas' course turns on 4,000 bends that car 0 cuts deep
        // inside, where the guide line's projection runs back a little.
        EXPECT_LT(fall, KindOf(run.code) == ARENA ? 8000.0f : 3000.0f) << "car 0 lost ground along the guide line";
        ExpectEndsByItsRule(run.code, log, cars);
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
    std::vector<SweepRun> runs;
    for (int code : codes)
        runs.emplace_back(code, std::vector<std::string>{}, 500);
    RaceEach(game, runs, true);
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
