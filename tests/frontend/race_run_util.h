// Whole games run in this process through the menus, with races whose cars
// cross the line in an order the test chooses (the race's finish-order
// hook): the runner, the scripts' shared pieces and the state a run leaves
// behind, put back for the next test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/fresh_state.h"
#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/progress.h"
#include "frontend/records.h"
#include "frontend_test_util.h"
#include "race/race_state.h"

// The cars of each race to come, in the order they are to cross the line.
inline void OrderFinishes(const std::vector<std::vector<int>>& races) {
    memset(TestFinishOrders, -1, sizeof TestFinishOrders);
    TestFinishRaces = (int)races.size();
    TestFinishRacesRun = 0;
    for (size_t r = 0; r < races.size() && r < TEST_FINISH_RACES; r++)
        for (size_t k = 0; k < races[r].size() && k < MAX_CARS; k++)
            TestFinishOrders[r][k] = races[r][k];
}

// A script line pointing at (x, y) and clicking there in the next frame.
inline std::string ClickAt(int frame, int x, int y) {
    return std::to_string(frame) + " point " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(frame + 1) + " click\n";
}

// Space pressed and let go from `frame` on: ends a fly-by or a standings
// screen; the menus ignore it.
inline std::string SpaceAt(int frame) {
    return std::to_string(frame) + " key down SPACE\n" + std::to_string(frame + 3) + " key up SPACE\n";
}

// From the main menu of a fresh folder: PLAY, its single race (no one is
// logged in, so the profiles screen comes first), NEW, the name, OK, LOG IN;
// the single race screen's greeting closed; back to the main menu by frame
// 660.
inline std::string NewProfileScript(const std::string& name) {
    return ClickAt(200, 342, 26) + ClickAt(260, 300, 50) + "330 expect-screen 18\n" + ClickAt(340, 420, 416) +
           "400 type " + name + "\n" + ClickAt(430, 215, 238) + ClickAt(490, 300, 357) +
           "550 expect-screen 2\n" + ClickAt(560, 320, 288) + ClickAt(600, 426, 416) + "660 expect-screen 0\n";
}

// The record tables as they stand, to compare with the built-in ones.
struct RecordTables {
    RecordTime lap[RECORD_TRACK_CODES], race[RECORD_TRACK_CODES];
    char lapNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES], raceNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];

    static RecordTables Now() {
        RecordTables t;
        memcpy(t.lap, BestLapTimes, sizeof t.lap);
        memcpy(t.race, BestRaceTimes, sizeof t.race);
        memcpy(t.lapNames, LapRecordNames, sizeof t.lapNames);
        memcpy(t.raceNames, RaceRecordNames, sizeof t.raceNames);
        return t;
    }
    bool operator==(const RecordTables& o) const { return memcmp(this, &o, sizeof o) == 0; }
};

// Headless in this process on the lockstep clock: `frames` frames of the
// game driven by the script in `dir`/run.txt.  Returns WinMain's result.
inline int RunScriptedGame(const std::string& dir, const std::string& script, int frames) {
    const std::string path = dir + "/run.txt";
    FILE* file = fopen(path.c_str(), "w");
    if (!file)
        return -1;
    fputs(script.c_str(), file);
    fclose(file);
    return RunHeadlessGame(frames, 0, 1, path.c_str());
}

// What a whole game leaves behind, put back: the machine, the frame and the
// race, the menus' tables, the career, the championship and the hook.
struct RaceRunTest : FrontEndTest {
    void TearDown() override {
        memset(TestFinishOrders, 0, sizeof TestFinishOrders);
        TestFinishRaces = TestFinishRacesRun = 0;
        FreshMachine();
        FreshFrameAndRace();
        CareerRecord = {};
        TargetMoney = PendingPrize = 0;
        CurrentCup = CurrentCupRace = Cup5Mode = Cup6Mode = 0;
        CareerChosen = SingleRaceMode = ChampionshipChosen = ChampionshipRunning = 0;
        // The next run's screens greet their first visit again.
        SingleRaceScreenPrepared = CareerScreenPrepared = ChampionshipScreenPrepared = 0;
        SpecialRaceMode = SpecialRaceUnlocked = ReplayWatched = RaceEntryFee = 0;
        ChampionshipChoice = ChampionshipRace = ChampionshipClass = 0;
        ChampionshipGroupOffset = ChampionshipLastIndex = 0;
        memset(RacePoints, 0, sizeof RacePoints);
        memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
        memset(FinishedFlags, 0, sizeof FinishedFlags);
        FinishCount = 0;
        RaceWon = 0;
        VideoRequest = 0;
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        CareerOwner[0] = 0;
        RestoreProgressDefaults();
        ClearRecordTables();
        FrontEndTest::TearDown();
    }
};
