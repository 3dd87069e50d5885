// Whole races of the program on the sample circuit: eight computer cars
// (car 0 on the autopilot) race three laps, twice, with their logs and
// replays compared; then the saved replay plays back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "race/replay.h"

namespace {

struct CarLine {
    int tick, car;
    float x, z, speed, distance;
    int laps, rank;
};

struct CarLog {
    std::vector<CarLine> cars;
    std::vector<std::pair<int, int>> finishes;   // tick, car
    int lastTick = -1;
};

float Hex(const std::string& s) { return std::strtof(s.c_str(), nullptr); }

CarLog ParseCarLog(const std::string& text) {
    CarLog log;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "finish") {
            int tick, car;
            words >> tick >> car;
            log.finishes.push_back({tick, car});
        } else if (kind == "car") {
            CarLine l = {};
            std::string x, y, z, h, vx, vz, speed, pitch, roll, revs, distance;
            int gear;
            words >> l.tick >> l.car >> x >> y >> z >> h >> vx >> vz >> speed >> pitch >> roll >> revs >> gear >>
                l.laps >> l.rank >> distance;
            l.x = Hex(x);
            l.z = Hex(z);
            l.speed = Hex(speed);
            l.distance = Hex(distance);
            log.cars.push_back(l);
            log.lastTick = std::max(log.lastTick, l.tick);
        }
    }
    return log;
}

struct RaceProgram : ::testing::Test {
    static std::string dir;
    static CarLog recorded;
    static std::string logA, logB, replayA, replayB;
    static int statusA, statusB;   // the two runs' exit statuses

    // The two races run once for the whole suite (each takes seconds).
    static void SetUpTestSuite() {
        dir = MakeTestGameFolder("race_program");
        for (const char* name : {"a", "b"}) {
            const int status =
                RunBuiltProgram("quorvix",
                                {"--headless", "--autorace", "--autopilot", "--cars", "8", "--laps", "3", "--frames",
                                 "8000", "--carlog", std::string(name) + ".log", "--save-replay",
                                 dir + "/" + name + ".rb", "--script", WriteStartScript(dir)},
                                dir);
            (name[0] == 'a' ? statusA : statusB) = status;
        }
        logA = ReadHostFile(dir + "/a.log");
        logB = ReadHostFile(dir + "/b.log");
        replayA = ReadHostFile(dir + "/a.rb");
        replayB = ReadHostFile(dir + "/b.rb");
        recorded = ParseCarLog(logA);
    }
    static void TearDownTestSuite() { (void)system(("rm -rf '" + dir + "'").c_str()); }
};

std::string RaceProgram::dir, RaceProgram::logA, RaceProgram::logB, RaceProgram::replayA, RaceProgram::replayB;
int RaceProgram::statusA = -1, RaceProgram::statusB = -1;
CarLog RaceProgram::recorded;

TEST_F(RaceProgram, EveryCarFinishesThreeLapsOfFifteenToSixtySeconds) {
    ASSERT_EQ(recorded.finishes.size(), 8u);
    std::map<int, int> lapStart;   // car: tick its lap began
    for (const CarLine& l : recorded.cars) {
        if (!lapStart.count(l.car))
            lapStart[l.car] = 0;
    }
    int lapsSeen[8] = {};
    for (const CarLine& l : recorded.cars) {
        if (l.laps > lapsSeen[l.car]) {
            const int ticks = l.tick - lapStart[l.car];
            // The first lap starts at the countdown, 244 ticks before GO.
            const int counted = lapsSeen[l.car] == 0 ? ticks - 244 : ticks;
            EXPECT_GE(counted, 15 * 60) << "car " << l.car << " lap " << l.laps;
            EXPECT_LE(counted, 60 * 60) << "car " << l.car << " lap " << l.laps;
            lapsSeen[l.car] = l.laps;
            lapStart[l.car] = l.tick;
        }
    }
    for (int car = 0; car < 8; car++)
        EXPECT_EQ(lapsSeen[car], 3) << car;
}

TEST_F(RaceProgram, TheFinalOrderIsTheOrderOfTheLastLaps) {
    ASSERT_EQ(recorded.finishes.size(), 8u);
    std::map<int, int> finalRank;
    for (const CarLine& l : recorded.cars)
        finalRank[l.car] = l.rank;
    for (size_t k = 0; k < recorded.finishes.size(); k++) {
        const int car = recorded.finishes[k].second;
        // Cars in within one frame (a tick here) of each other may swap.
        const bool tieBefore = k > 0 && recorded.finishes[k].first - recorded.finishes[k - 1].first <= 1;
        const bool tieAfter = k + 1 < recorded.finishes.size() &&
                              recorded.finishes[k + 1].first - recorded.finishes[k].first <= 1;
        if (!tieBefore && !tieAfter) {
            EXPECT_EQ(finalRank[car], (int)k) << "car " << car;
        }
    }
}

TEST_F(RaceProgram, CarsFarApartAreRankedByTheirProgress) {
    std::map<int, std::vector<CarLine>> byTick;
    for (const CarLine& l : recorded.cars)
        byTick[l.tick].push_back(l);
    std::map<std::pair<int, int>, int> wrongFor;   // frames a pair stayed out of order
    int worst = 0;
    for (auto& [tick, cars] : byTick) {
        for (const CarLine& a : cars) {
            for (const CarLine& b : cars) {
                const bool racing = a.laps < 3 && b.laps < 3;
                int& streak = wrongFor[{a.car, b.car}];
                if (racing && a.distance > b.distance + 2000.0f && a.rank > b.rank)
                    streak++;
                else
                    streak = 0;
                worst = std::max(worst, streak);
            }
        }
    }
    EXPECT_LE(worst, 2) << "ranks lag the race order by two frames at most";
}

TEST_F(RaceProgram, NoCarStaysStuckForTenSeconds) {
    int slow[8] = {}, worst = 0;
    bool released = false;
    for (const CarLine& l : recorded.cars) {
        released = released || l.speed > 10.0f;
        if (!released || l.laps >= 3)
            continue;
        slow[l.car] = l.speed < 10.0f ? slow[l.car] + 1 : 0;
        worst = std::max(worst, slow[l.car]);
    }
    EXPECT_LE(worst, 600);
}

TEST_F(RaceProgram, TheSameRaceTwiceLogsAndRecordsTheSameBytes) {
    // A run ended by a signal (128 + its number) saves no replay.
    EXPECT_EQ(statusA, 0) << "the first race's run";
    EXPECT_EQ(statusB, 0) << "the second race's run";
    ASSERT_FALSE(logA.empty());
    EXPECT_TRUE(logA == logB) << "the car logs differ";
    ASSERT_GT(replayA.size(), 132u);
    ASSERT_GT(replayB.size(), 132u) << "the second race saved no replay";
    EXPECT_EQ(replayA.substr(124), replayB.substr(124)) << "the replay bodies differ";
    int32_t saved, cars;
    memcpy(&saved, &replayA[124], 4);
    memcpy(&cars, &replayA[128], 4);
    EXPECT_EQ(cars, 8);
    EXPECT_EQ((int)replayA.size(), ReplayFileSize(saved, 8));
    EXPECT_EQ(replayA[26], 10) << "track code";
    EXPECT_EQ(replayA[37], 3) << "laps";
}

TEST_F(RaceProgram, PlaybackHandsOverTheKeyframesAndTheInterpolationBetween) {
    ASSERT_GT(replayA.size(), 132u);
    int32_t saved;
    memcpy(&saved, &replayA[124], 4);
    const float* keys = reinterpret_cast<const float*>(replayA.data() + 132);
    ReplayHeaderRecord header;
    ASSERT_GT(LoadReplayData((dir + "/a.rb").c_str(), &header), 0);
    CarCount = header.carCount;
    ReplayPlayback = 1;
    BackToMenusRequest = 0;
    LapsToRun = 3;
    ResetReplay();
    float x[8] = {}, step[8] = {};
    int played = 0;
    for (int t = 0; BackToMenusRequest == 0 && t < saved; t++) {
        for (int car = 0; car < 8; car++) {
            PlayReplayTick(car);
            if (BackToMenusRequest)
                break;
            const int frame = t / 8;
            if (t % 8 == 0) {
                x[car] = keys[3 * (frame * 8 + car)];
                step[car] = (keys[3 * ((frame + 1) * 8 + car)] - x[car]) * 0.125f;
                ASSERT_EQ(memcmp(&SimPosX[car], &keys[3 * (frame * 8 + car)], 4), 0) << t;
                ASSERT_EQ(memcmp(&SimHeading[car], &keys[3 * (frame * 8 + car) + 2], 4), 0) << t;
            } else {
                x[car] += step[car];
                ASSERT_EQ(memcmp(&SimPosX[car], &x[car], 4), 0) << t;
            }
        }
        if (BackToMenusRequest == 0)
            played = t;
    }
    EXPECT_EQ(played, saved - 21);
    ReplayPlayback = 0;
    BackToMenusRequest = 0;
    ReplaySavedCount = 0;
    for (int car = 0; car < 8; car++)
        SimPosX[car] = SimPosZ[car] = SimHeading[car] = HeadingAccum[car] = 0.0f;
}

int32_t SavedCount(const std::string& file) {
    int32_t saved = 0;
    if (file.size() >= 132)
        memcpy(&saved, &file[124], 4);
    return saved;
}

// A playback logged from log tick playStart on against the race logged from
// raceStart on (replay tick t is log tick start + t in both): it ends at
// tick saved - 20, every car stays within 500 units of its recorded place,
// and the cars finish in the recorded order (cars within 8 ticks may swap).
void ExpectPlaybackFollows(const CarLog& race, int raceStart, const CarLog& played, int playStart, int saved) {
    EXPECT_EQ(played.lastTick - playStart, saved - 20) << "the tick that asks for the menus is the last";
    std::map<std::pair<int, int>, const CarLine*> at;
    for (const CarLine& l : race.cars)
        at[{l.tick, l.car}] = &l;
    float farthest = 0.0f;
    int compared = 0, worstTick = -1;
    for (const CarLine& p : played.cars) {
        if (p.tick < playStart)
            continue;
        const auto r = at.find({p.tick - playStart + raceStart, p.car});
        ASSERT_TRUE(r != at.end()) << "tick " << p.tick << " car " << p.car;
        const float d = std::hypot(p.x - r->second->x, p.z - r->second->z);
        if (d > farthest) {
            farthest = d;
            worstTick = p.tick - playStart;
        }
        compared++;
    }
    EXPECT_EQ(compared, 8 * (saved - 19));
    EXPECT_LE(farthest, 500.0f) << "at replay tick " << worstTick;
    std::vector<std::pair<int, int>> finishes, recorded;
    for (const auto& f : played.finishes) {
        if (f.first >= playStart)
            finishes.push_back({f.first - playStart, f.second});
    }
    for (const auto& f : race.finishes) {
        if (f.first >= raceStart && f.first - raceStart <= saved)
            recorded.push_back({f.first - raceStart, f.second});
    }
    ASSERT_EQ(finishes.size(), recorded.size());
    ASSERT_EQ(recorded.size(), 8u);
    for (size_t k = 0; k < finishes.size(); k++) {
        EXPECT_LE(std::abs(finishes[k].first - recorded[k].first), 8) << k;
        if (finishes[k].second == recorded[k].second)
            continue;
        // Two cars within 8 ticks of each other may swap.
        const size_t other = k + 1 < finishes.size() ? k + 1 : k - 1;
        EXPECT_EQ(finishes[k].second, recorded[other].second) << k;
        EXPECT_LE(std::abs(recorded[k].first - recorded[other].first), 8) << k;
    }
}

TEST_F(RaceProgram, ThePlayedReplayFollowsTheRaceAndEndsBeforeItsStoredEnd) {
    const int saved = SavedCount(replayA);
    ASSERT_GT(saved, 6000);
    // The race was raced under the autopilot (over when every car is in);
    // its playback keeps that rule, which the header cannot carry.
    ASSERT_EQ(RunBuiltProgram("quorvix",
                              {"--headless", "--play-replay", dir + "/a.rb", "--autopilot", "--frames", "8100",
                               "--carlog", "p.log"},
                              dir),
              0);
    const CarLog played = ParseCarLog(ReadHostFile(dir + "/p.log"));
    // The recording ran from the restart from the grid to the last logged
    // tick (saved + 1 ticks); the ticks logged before it are the fly-by's,
    // which the replay does not hold.
    const int raceStart = recorded.lastTick - saved;
    EXPECT_GE(raceStart, 1) << "the race opened with the fly-by";
    EXPECT_LE(raceStart, 4) << "Space ends the fly-by on the script's second frame";
    ExpectPlaybackFollows(recorded, raceStart, played, 0, saved);
}

TEST_F(RaceProgram, TheRaceShownAgainAsItsOwnReplayFollowsIt) {
    // With the replay option on the race restarts as its own replay from
    // memory; the same run saves the race when it ends.
    const std::string visual = dir + "/Config/visual.cfg";
    const std::string kept = ReadHostFile(visual);
    ASSERT_GT(kept.size(), 10u);
    std::string withReplay = kept;
    withReplay[10] = 1;
    ASSERT_TRUE(PlatWriteFileAtomic("Config\\visual.cfg", withReplay.data(), (int)withReplay.size()));
    const int code = RunBuiltProgram("quorvix",
                                     {"--headless", "--autorace", "--autopilot", "--cars", "8", "--laps", "3",
                                      "--frames", "14500", "--carlog", "o.log", "--save-replay", dir + "/o.rb",
                                      "--script", WriteStartScript(dir)},
                                     dir);
    ASSERT_TRUE(PlatWriteFileAtomic("Config\\visual.cfg", kept.data(), (int)kept.size()));
    ASSERT_EQ(code, 0);
    const std::string file = ReadHostFile(dir + "/o.rb");
    EXPECT_EQ(file.substr(124), replayA.substr(124)) << "the race the replay shows is the race recorded";
    const int saved = SavedCount(file);
    const CarLog log = ParseCarLog(ReadHostFile(dir + "/o.log"));
    // The own replay starts where car 0's laps fall back to 0 after the
    // race's finishes; the race itself began saved + 1 ticks before.
    ASSERT_EQ(log.finishes.size(), 16u);
    int replayStart = -1;
    for (const CarLine& l : log.cars) {
        if (l.car == 0 && l.tick > log.finishes[7].first && l.laps == 0) {
            replayStart = l.tick;
            break;
        }
    }
    ASSERT_GT(replayStart, 0);
    const int raceStart = replayStart - 1 - saved;
    EXPECT_GE(raceStart, 1) << "the race opened with the fly-by";
    ExpectPlaybackFollows(log, raceStart, log, replayStart, saved);
}

// A run that goes on past its race: the pause menu's quit leaves it after a
// few seconds, the menus stand idle until their demo plays, and the run ends
// inside the demo.  The file holds the race raced, not the demo's buffers.
// A replay --play-replay cannot play ends the run with a failure: a file the
// replay check refuses, a missing one, and one of a track the folder lacks.
TEST(RaceProgramReplay, AReplayThatCannotBePlayedEndsTheRunWithStatus1) {
    const std::string dir = MakeTestGameFolder("refused_replay");
    std::string bad = "V1.0" + std::string(300, '\x7f');
    FILE* file = fopen((dir + "/bad.rb").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(bad.data(), 1, bad.size(), file);
    fclose(file);
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--play-replay", dir + "/bad.rb", "--frames", "60"}, dir), 1);
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--play-replay", dir + "/none.rb", "--frames", "60"}, dir), 1);
    // The demo on track 70 in a folder of track 10 alone.
    ASSERT_GT(ReadHostFile(dir + "/Replay/Users/Buggy.rb").size(), 124u);
    EXPECT_EQ(RunBuiltProgram("quorvix", {"--headless", "--play-replay", "Replay/Users/Buggy.rb", "--frames", "60"}, dir),
              1);
    (void)system(("rm -rf '" + dir + "'").c_str());
}

TEST(RaceProgramReplay, ARunGoingOnPastTheRaceSavesTheRaceNotTheIdleDemo) {
    // The menus' first demo is a race on track 70.
    const std::string dir = MakeTestGameFolder("race_then_demo", false, {10, 70});
    const std::string script = "2 key down SPACE\n3 key up SPACE\n" + LeaveRaceScript(400);
    FILE* file = fopen((dir + "/leave.txt").c_str(), "w");
    ASSERT_NE(file, nullptr);
    fputs(script.c_str(), file);
    fclose(file);
    ASSERT_EQ(RunBuiltProgram("quorvix",
                              {"--headless", "--autorace", "--autopilot", "--cars", "2", "--frames", "5400", "--carlog",
                               "c.log", "--save-replay", dir + "/r.rb", "--script", "leave.txt"},
                              dir),
              0);
    // The log runs on through the demo, whose grid holds cars 2 and up.
    const CarLog log = ParseCarLog(ReadHostFile(dir + "/c.log"));
    int demoStart = -1, raceTicks = 0;
    for (const CarLine& l : log.cars) {
        if (l.car >= 2 && demoStart < 0)
            demoStart = l.tick;
    }
    ASSERT_GT(demoStart, 0) << "the idle menus played their demo";
    for (const CarLine& l : log.cars)
        raceTicks += l.car == 0 && l.tick < demoStart;
    const std::string saved = ReadHostFile(dir + "/r.rb");
    ASSERT_GE(saved.size(), 132u);
    ReplayHeaderRecord header;
    memcpy(&header, saved.data(), sizeof header);
    EXPECT_EQ(header.trackCode, 10);
    EXPECT_EQ(header.carCount, 2);
    // The race's ticks from the grid on, less its last (the log also has the
    // fly-by's first).
    EXPECT_NEAR(SavedCount(saved), raceTicks, 3);
    (void)system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
