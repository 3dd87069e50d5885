// Progress: the garage tables in the career record, their defaults and
// counters, the unlock levels and the special race's notice.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/career_file.h"
#include "frontend/frontend_state.h"
#include "frontend/progress.h"
#include "frontend/race_select.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "race/race_state.h"
#include "sound/music.h"

namespace {

struct Progress : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("progress"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        RestoreProgressDefaults();
    }
    void TearDown() override {
        RestoreProgressDefaults();
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(UnlockFlags, 0, sizeof UnlockFlags);
        GarageMode = GarageCategory = 0;
        GaragePage = GaragePick = 0;
        ResetShowroomLoad();
        MenuScreen = 0;
        SpecialRaceMode = CareerWinMarker = ReplayWatched = 0;
        PendingScreen = 0;
        VideoRequest = 0;
        ForceDisplayRecreate = 0;
        FrontEndTest::TearDown();
    }
    static std::string Slot(int slot) {
        GetText(slot);
        return TextBufferB;
    }
    static int Entries(int row) {
        int n = 0;
        while (n < 15 && GarageLists[row][n][0] != -1)
            n++;
        return n;
    }
    static void WinMainRaces(int count) {
        for (int k = 0; k < count; k++)
            CareerRecord.cups[k / 4].won[k % 4] = 1;
    }
};

TEST_F(Progress, PackingKeepsListEndsAndIndexesUpTo14) {
    GarageLists[7][5][0] = 19;
    GarageLists[7][5][1] = 3;
    GarageLists[7][6][0] = -1;
    GarageLast[2][0] = 14;   // split screen's fifteen speed cars
    GarageCurrent[4][6] = 14;
    GarageCurrent[2][0] = 13;
    CategoryPick[6] = 11;
    int lists[25][15][2], last[5][5], current[5][7], pick[7];
    memcpy(lists, GarageLists, sizeof lists);
    memcpy(last, GarageLast, sizeof last);
    memcpy(current, GarageCurrent, sizeof current);
    memcpy(pick, CategoryPick, sizeof pick);
    PackProgress();
    const unsigned char* bytes = (const unsigned char*)&CareerRecord;
    EXPECT_EQ(bytes[0x661 + 30 * 7 + 12], 0xFF) << "a list end is byte 0xFF";
    EXPECT_EQ(bytes[0x661 + 30 * 7 + 10], 19);
    EXPECT_EQ(bytes[0x61e + 5 * 2 + 0], 14) << "last index of mode 2, category 0";
    EXPECT_EQ(bytes[0x637 + 7 * 2 + 0], 13);
    EXPECT_EQ(bytes[0x637 + 7 * 4 + 6], 14) << "current index of mode 4, column 6";
    EXPECT_EQ(bytes[0x65a + 6], 11);

    memset(GarageLists, 0x33, sizeof GarageLists);
    memset(GarageLast, 0x33, sizeof GarageLast);
    memset(GarageCurrent, 0x33, sizeof GarageCurrent);
    memset(CategoryPick, 0x33, sizeof CategoryPick);
    UnpackProgress();
    EXPECT_EQ(memcmp(lists, GarageLists, sizeof lists), 0);
    EXPECT_EQ(memcmp(last, GarageLast, sizeof last), 0);
    EXPECT_EQ(memcmp(current, GarageCurrent, sizeof current), 0);
    EXPECT_EQ(memcmp(pick, CategoryPick, sizeof pick), 0);
    EXPECT_EQ(GarageLists[7][6][0], -1) << "sign-extended";
}

TEST_F(Progress, DefaultsComeBackAndANewCareerCarriesThemPastTheSlotChecks) {
    memset(GarageLists, 0, sizeof GarageLists);
    memset(GarageLast, 0, sizeof GarageLast);
    GarageCurrent[2][3] = 4;
    RestoreProgressDefaults();
    EXPECT_EQ(GarageCurrent[2][3], 0);
    // Category 0, split screen: fifteen cars, the last (16,2).
    EXPECT_EQ(Entries(0 * 5 + 2), 15);
    EXPECT_EQ(GarageLists[2][14][0], 16);
    EXPECT_EQ(GarageLists[2][14][1], 2);
    // Category 1 and 3 in championships: nothing.
    EXPECT_EQ(Entries(1 * 5 + 4), 0);
    EXPECT_EQ(Entries(3 * 5 + 4), 0);
    // Category 4, cup 6: the four colours of model 9.
    EXPECT_EQ(Entries(4 * 5 + 3), 4);
    EXPECT_EQ(GarageLists[23][3][1], 3);
    const int splitLast[5] = {12, 5, 11, 5, 11};
    for (int category = 0; category < 5; category++) {
        EXPECT_EQ(GarageLast[2][category], splitLast[category]);
        // A last index never points past a list that has cars.
        for (int mode = 0; mode < 5; mode++) {
            const int n = Entries(category * 5 + mode);
            if (n > 0) {
                EXPECT_LT(GarageLast[mode][category], n) << category << " " << mode;
            }
        }
    }
    for (int& flag : UnlockFlags)
        flag = 1;
    ResetCareer();
    for (int flag : UnlockFlags)
        EXPECT_EQ(flag, 0) << "a new career has nothing unlocked";
    EXPECT_EQ(CareerRecordProblem(CareerRecord), nullptr);
    const signed char* bytes = (const signed char*)&CareerRecord;
    EXPECT_EQ(bytes[0x61e + 5 * 2 + 0], 12);
    EXPECT_EQ(bytes[0x661 + 30 * 9], -1) << "category 1's championship list is empty";
}

TEST_F(Progress, ABoughtCarJoinsItsListOnceAndAFullListTakesNone) {
    GarageMode = 0;
    GarageCategory = 2;
    EXPECT_EQ(AddGarageCar(14, 1), 1);
    EXPECT_EQ(GarageLists[10][1][0], 14);
    EXPECT_EQ(GarageLists[10][1][1], 1);
    EXPECT_EQ(GarageLast[0][2], 1);
    EXPECT_EQ(GarageCurrent[0][2], 1);
    EXPECT_EQ(AddGarageCar(14, 1), 0) << "owned already";
    EXPECT_EQ(AddGarageCar(8, 0), 0) << "category 4's career list holds it";
    EXPECT_EQ(GarageLast[0][2], 1);
    // Split screen's category 0 list is full.
    GarageMode = 2;
    GarageCategory = 0;
    EXPECT_EQ(AddGarageCar(3, 3), 0);
    EXPECT_EQ(GarageLast[2][0], 12);
    GarageMode = 7;
    EXPECT_EQ(AddGarageCar(3, 3), 0);
    GarageCategory = 0;
}

TEST_F(Progress, UnlockLevelsFollowMainWinsOnly) {
    // Race 4 of every cup and all of cups 5 and 6 never count.
    for (int cup = 0; cup < 7; cup++)
        CareerRecord.cups[cup].won[4] = 1;
    for (int race = 0; race < 5; race++)
        CareerRecord.cups[5].won[race] = CareerRecord.cups[6].won[race] = 1;
    WinMainRaces(2);
    EXPECT_EQ(CountUnlockLevels(), 0);
    EXPECT_EQ(UnlockFlags[0], 0);
    struct Step {
        int wins, levels;
    };
    for (Step step : {Step{3, 1}, Step{6, 1}, Step{7, 2}, Step{11, 3}, Step{14, 3}, Step{15, 4}, Step{20, 4}}) {
        WinMainRaces(step.wins);
        EXPECT_EQ(CountUnlockLevels(), step.levels) << step.wins << " wins";
        for (int flag = 0; flag < 4; flag++)
            EXPECT_EQ(UnlockFlags[flag], flag < step.levels) << step.wins << " wins, flag " << flag;
        EXPECT_EQ(AllMainRacesWon(), step.wins == 20);
    }
    EXPECT_EQ(CountCup5Wins(), 5);
    CareerRecord.cups[5].won[2] = 0;
    EXPECT_EQ(CountCup5Wins(), 4);
    EXPECT_EQ(IsCupRaceWon(5, 2), 0);
    EXPECT_EQ(IsCupRaceWon(6, 2), 1);
    EXPECT_EQ(IsCupRaceWon(7, 0), 0);
    EXPECT_EQ(IsCupRaceWon(0, 5), 0);
}

TEST_F(Progress, CountersShowCurrentAndLastFromOne) {
    GarageMode = 0;
    ShowGarageCounters();
    for (int slot = 155; slot <= 159; slot++)
        EXPECT_EQ(Slot(slot), " 1/1") << slot;
    GarageMode = 2;
    GarageCurrent[2][1] = 3;
    ShowGarageCounters();
    EXPECT_EQ(Slot(155), " 1/13");
    EXPECT_EQ(Slot(156), " 4/6");
    // The car shop counts its own picks.
    MenuScreen = 19;
    CategoryPick[4] = 7;
    ShowGarageCounters();
    EXPECT_EQ(Slot(159), " 8/12");
    EXPECT_EQ(Slot(156), " 1/6");
}

TEST_F(Progress, SpecialRaceNoticeOnlyForAWonSpecialRaceNotAReplay) {
    struct Case {
        int special, won, replay, notice;
    };
    for (Case c : {Case{1, 1, 0, 1}, Case{1, 1, 1, 0}, Case{1, 0, 0, 0}, Case{0, 1, 0, 0}}) {
        SpecialRaceMode = c.special;
        CareerWinMarker = c.won;
        ReplayWatched = c.replay;
        PendingScreen = VideoRequest = ForceDisplayRecreate = 0;
        CheckProgressNotice();
        EXPECT_EQ(PendingScreen, c.notice ? 4 : 0);
        EXPECT_EQ(VideoRequest, c.notice ? 2 : 0);
        EXPECT_EQ(ForceDisplayRecreate, c.notice);
    }
}

// A save whose garage bytes are hostile: a list with a hole and a car after
// it, a car that does not exist, a colour past the four, last indexes, cars
// in use and picks far outside their lists.  Unpacked, every list ends at
// its first entry that is not a car and every position stays on a car; the
// car on show is one the list holds, never model -1.
TEST_F(Progress, AHostileSaveKeepsEveryPositionOnACarItsListHolds) {
    PackProgress();   // the built-in garage
    int8_t* bytes = (int8_t*)&CareerRecord;
    auto pair = [&](int row, int entry, int model, int colour) {
        bytes[0x661 + 30 * row + 2 * entry] = (int8_t)model;
        bytes[0x661 + 30 * row + 2 * entry + 1] = (int8_t)colour;
    };
    pair(0, 0, 1, 2);      // career, category 0: {1,2}, a hole, then a car
    pair(0, 1, -1, -1);
    pair(0, 2, 6, 1);
    bytes[0x61e + 0] = 14;   // its last index, mode 0 category 0
    bytes[0x637 + 0] = 9;    // its car in use
    pair(11, 1, 77, 0);      // single race, category 2: a model that does not exist
    bytes[0x61e + 5 * 1 + 2] = 1;
    pair(1, 1, 0, 9);        // single race, category 0: a colour past the four
    bytes[0x61e + 5 * 1 + 0] = -7;
    bytes[0x637 + 7 * 3 + 1] = -5;
    bytes[0x637 + 7 * 4 + 6] = 120;
    bytes[0x65a + 0] = 100;
    bytes[0x65a + 6] = -100;
    UnpackProgress();

    EXPECT_EQ(Entries(0), 1) << "nothing after the hole";
    EXPECT_EQ(GarageLists[0][2][0], -1);
    EXPECT_EQ(GarageLast[0][0], 0);
    EXPECT_EQ(GarageCurrent[0][0], 0);
    EXPECT_EQ(Entries(11), 1);
    EXPECT_EQ(GarageLists[11][1][1], -1);
    EXPECT_EQ(GarageLast[1][2], 0);
    EXPECT_EQ(Entries(1), 1) << "colour 9 ends the list";
    EXPECT_EQ(GarageLast[1][0], 0);
    EXPECT_EQ(GarageCurrent[3][1], 0);
    EXPECT_EQ(GarageCurrent[4][6], 14);
    EXPECT_EQ(CategoryPick[0], 11);
    EXPECT_EQ(CategoryPick[6], 0);
    // What the save held right stays: the split screen list and its last.
    EXPECT_EQ(Entries(2), 15);
    EXPECT_EQ(GarageLast[2][0], 12);
    EXPECT_EQ(GarageListLast(2), 14);
    EXPECT_EQ(GarageListLast(9), -1) << "an empty list";

    // A page past the list's one car shows that car.
    FrontEndActive = 1;   // the showroom loads a menu scene, not a race
    GarageCategory = GarageMode = GaragePick = 0;
    GaragePage = 4;
    SelectGarageCar(nullptr);
    EXPECT_EQ(ShowroomModel, 1);
    EXPECT_EQ(ShowroomColour, 2);
}

}  // namespace
