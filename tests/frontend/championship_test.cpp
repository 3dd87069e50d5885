// Championships: points for places, the standings' order and the end of a
// championship, the heats of split screen series, the choice on screen 22,
// the championship file and the information texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/race_results.h"
#include "frontend/race_select.h"
#include "frontend/screen_setup.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "menulayout/menulayout_state.h"
#include "net/net_state.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "sound/sound_state.h"

namespace {

// Everything the championship code reads or writes, back to the start.
void ClearChampionshipState() {
    memset(RacePoints, 0, sizeof RacePoints);
    memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
    memset(FinishedFlags, 0, sizeof FinishedFlags);
    memset(rank_pos, 0, sizeof rank_pos);
    memset(CarModel, 0, sizeof CarModel);
    memset(CarColour, 0, sizeof CarColour);
    memset(PlayerCars, 0, sizeof PlayerCars);
    memset(ListSelection, 0, sizeof ListSelection);
    memset(PlayerStandingsRow, 0, sizeof PlayerStandingsRow);
    memset(GarageCurrent, 0, sizeof GarageCurrent);
    memset(&CareerRecord, 0, sizeof CareerRecord);
    CarCount = 0;
    SplitScreen = NetworkGame = ChampionshipRunning = 0;
    HumanPlayers = ComputerPlayers = 0;
    HeatIndex = HeatPlayerA = HeatPlayerB = HeatSoloPlayer = HeatRace = HeatRound = NetRoundLimit = 0;
    SplitRoundLimit = 0;
    ChampionshipChoice = ChampionshipRace = ChampionshipClass = ChampionshipGroupOffset = ChampionshipLastIndex = 0;
    StandingsPlayers = 2;
    TrackGroup = TrackVariant = 0;
    JumpToScreen9 = JumpToScreen17 = JumpToScreen22 = 0;
    PendingScreen = 0;
    BackToMenusRequest = 0;
    StartRaceRequest = 0;
    VideoRequest = 0;
    ForceDisplayRecreate = 0;
    MenuListId = 0;
    RacePaused = 0;
    DeveloperSwitch = 0;
    GaragePage = 0;
    CurrentPlayerName[0] = 0;
}

// The race scored every car as it crossed the line.
void EveryCarFinished() {
    for (int car = 0; car < 8; car++)
        FinishedFlags[car] = 1;
}

struct ChampionshipPoints : ::testing::Test {
    void SetUp() override { ClearChampionshipState(); }
    void TearDown() override { ClearChampionshipState(); }
};

TEST_F(ChampionshipPoints, PlacesScoreFromFiftyDownAndNothingFromTheEighthOn) {
    const int expected[8] = {50, 30, 20, 15, 10, 8, 5, 0};
    for (int place = 0; place < 8; place++)
        EXPECT_EQ(PlacePoints(place), expected[place]) << place;
    for (int place : {8, 11, 15, 16, -1, 1000})
        EXPECT_EQ(PlacePoints(place), 0) << place;
}

TEST_F(ChampionshipPoints, UnfinishedCarsAreScoredByPlaceAndFinishedOnesKeepTheirPoints) {
    // Cars 0 and 3 crossed the line first and second: the race scored them.
    FinishedFlags[0] = FinishedFlags[3] = 1;
    RacePoints[0] = ChampionshipTotals[0] = 50;
    RacePoints[3] = 30;
    ChampionshipTotals[3] = 130;
    const int places[8] = {0, 4, 2, 1, 7, 3, 6, 5};
    for (int car = 0; car < 8; car++) {
        rank_pos[car] = places[car];
        if (!FinishedFlags[car])
            ChampionshipTotals[car] = 100;
    }
    AddRacePoints();
    EXPECT_EQ(RacePoints[0], 50);
    EXPECT_EQ(ChampionshipTotals[0], 50);
    EXPECT_EQ(RacePoints[3], 30);
    EXPECT_EQ(ChampionshipTotals[3], 130);
    for (int car : {1, 2, 4, 5, 6, 7}) {
        EXPECT_EQ(RacePoints[car], PlacePoints(places[car])) << car;
        EXPECT_EQ(ChampionshipTotals[car], 100 + PlacePoints(places[car])) << car;
    }
    for (int car = 0; car < 8; car++)
        EXPECT_EQ(FinishedFlags[car], 0) << car;
}

TEST_F(ChampionshipPoints, AllCarsScoresTheFinishedCarsToo) {
    FinishedFlags[0] = 1;
    RacePoints[0] = 30;
    for (int car = 0; car < 8; car++)
        rank_pos[car] = car;
    AddRacePointsAll();
    EXPECT_EQ(RacePoints[0], 50);
    EXPECT_EQ(ChampionshipTotals[0], 50);
    EXPECT_EQ(ChampionshipTotals[1], 30);
    EXPECT_EQ(FinishedFlags[0], 0);
}

TEST_F(ChampionshipPoints, SplitScreenHeatAddsToItsPlayersAndComputerEntries) {
    SplitScreen = 1;
    HumanPlayers = 3;
    ComputerPlayers = 2;
    CarCount = 4;
    HeatPlayerA = 2;
    HeatPlayerB = 0;
    // Player 0 took 20 points in an earlier heat of this race; player 2
    // finished this heat and was scored by the race.
    RacePoints[0] = ChampionshipTotals[0] = 20;
    FinishedFlags[2] = 1;
    RacePoints[2] = ChampionshipTotals[2] = 50;
    const int places[4] = {0, 3, 1, 2};
    for (int car = 0; car < 4; car++)
        rank_pos[car] = places[car];
    AddRacePoints();
    EXPECT_EQ(RacePoints[2], 50);                   // car 0: already scored
    EXPECT_EQ(RacePoints[0], 20 + PlacePoints(3));  // car 1: player 0
    EXPECT_EQ(ChampionshipTotals[0], 20 + PlacePoints(3));
    EXPECT_EQ(RacePoints[3], PlacePoints(1));       // car 2: the first computer entry
    EXPECT_EQ(RacePoints[4], PlacePoints(2));       // car 3
    EXPECT_EQ(RacePoints[1], 0);                    // player 1 sat this heat out
    EXPECT_EQ(FinishedFlags[2], 0);
}

TEST_F(ChampionshipPoints, RankingSharesTiedPlacesAndSkipsTheNext) {
    HumanPlayers = 5;
    const int points[8] = {30, 50, 30, 10, 30, 99, 99, 99};
    memcpy(RacePoints, points, sizeof points);
    RankRacePoints();
    EXPECT_EQ(RacePoints[1], 50);   // first
    EXPECT_EQ(RacePoints[0], 30);   // three share second
    EXPECT_EQ(RacePoints[2], 30);
    EXPECT_EQ(RacePoints[4], 30);
    EXPECT_EQ(RacePoints[3], 10);   // fifth: third and fourth are taken
    EXPECT_EQ(RacePoints[5], 99);   // not a human player: left alone
    EXPECT_EQ(RacePoints[7], 99);
}

TEST_F(ChampionshipPoints, StandingsDescendWithTiesInEntryOrder) {
    const int points[6] = {10, 30, 30, 5, 30, 10};
    int order[6];
    StandingsOrder(points, 6, order);
    const int expected[6] = {1, 2, 4, 0, 5, 3};
    for (int row = 0; row < 6; row++)
        EXPECT_EQ(order[row], expected[row]) << row;
}

// The end of a championship race on the built-in layout: the pop-ups are
// screen 22's panel (its message item 17).
struct ChampionshipEnd : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("championship"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        ClearChampionshipState();
        SoundUnavailable = 1;
        ChampionshipRunning = 1;
        strcpy(CurrentPlayerName, "Ada");
        PlatMakeDir("USERS\\Ada");   // the folder stays for the suite's next test
        PlatDeleteFile("USERS\\Ada\\Camp.r-b");
        // Every car was scored by the race as it finished.
        EveryCarFinished();
    }
    void TearDown() override {
        PlatDeleteFile("USERS\\Ada\\Camp.r-b");
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            GiveBackPopupFreeze(s);
        SoundUnavailable = 0;
        ClearChampionshipState();
        FrontEndTest::TearDown();
    }
    // The last race of championship `choice` ends with these totals.
    static void LastRace(int choice, int stage, std::vector<int> totals) {
        ChampionshipChoice = choice;
        ChampionshipLastIndex = ChampionshipLastRace(choice);
        ChampionshipRace = ChampionshipLastIndex;
        CareerRecord.championshipStage = (uint8_t)stage;
        for (size_t e = 0; e < totals.size(); e++)
            ChampionshipTotals[e] = totals[e];
    }
    static int MessageShown() { return ItemAt(22, 17).textSlot; }
};

TEST_F(ChampionshipEnd, ATieForTheMostPointsWinsAndRaisesTheStage) {
    LastRace(12, 0, {150, 150, 90});
    ChampionshipUnderWay = 1;
    EXPECT_EQ(ScoreStandings(), 1);
    EXPECT_EQ(ChampionshipRace, 0);
    EXPECT_EQ(JumpToScreen22, 1);
    EXPECT_EQ(ChampionshipUnderWay, 0) << "nothing is left to continue";
    EXPECT_EQ(ChampionshipStartPending, 0);
    EXPECT_EQ(CareerRecord.championshipStage, 1);
    EXPECT_EQ(VideoRequest, 1);
    EXPECT_EQ(ForceDisplayRecreate, 1);
    EXPECT_EQ(MessageShown(), PopupMessageSlot(22, 3, 0, 0));
    // The record was saved with the new stage.
    CareerRecordImage saved{};
    ASSERT_EQ(ReadChampionshipFile(&saved), 1);
    EXPECT_EQ(saved.championshipStage, 1);
}

TEST_F(ChampionshipEnd, StrictlyMorePointsForAnotherCarLoses) {
    LastRace(13, 1, {150, 151});
    EXPECT_EQ(ScoreStandings(), 1);
    EXPECT_EQ(JumpToScreen22, 1);
    EXPECT_EQ(CareerRecord.championshipStage, 1);
    EXPECT_EQ(VideoRequest, 0);
    EXPECT_EQ(MessageShown(), PopupMessageSlot(22, 7, 0, 0));
    CareerRecordImage saved{};
    EXPECT_EQ(ReadChampionshipFile(&saved), 0);
}

TEST_F(ChampionshipEnd, StagesOnlyGrowInOrder) {
    // Championship 13 won at stage 0 keeps the stage.
    LastRace(13, 0, {200});
    ScoreStandings();
    EXPECT_EQ(CareerRecord.championshipStage, 0);
    // 14 at stage 2 gives stage 3 and its own pop-up.
    LastRace(14, 2, {200});
    ScoreStandings();
    EXPECT_EQ(CareerRecord.championshipStage, 3);
    EXPECT_EQ(MessageShown(), PopupMessageSlot(22, 6, 0, 0));
    // A win at stage 3 leaves it there.
    LastRace(14, 3, {200});
    ScoreStandings();
    EXPECT_EQ(CareerRecord.championshipStage, 3);
}

TEST_F(ChampionshipEnd, ARaceBeforeTheLastGoesOnToTheNext) {
    ChampionshipChoice = 13;
    ChampionshipLastIndex = 3;
    ChampionshipRace = 1;
    ChampionshipTotals[1] = 500;
    ChampionshipUnderWay = 1;
    EXPECT_EQ(ScoreStandings(), 1);
    EXPECT_EQ(ChampionshipRace, 2);
    EXPECT_EQ(JumpToScreen22, 0);
    EXPECT_EQ(ChampionshipUnderWay, 1);
    EXPECT_EQ(ChampionshipStartPending, 1) << "the menus take the next race's car choice";
    EXPECT_EQ(MenuListId, 8);
    EXPECT_EQ(RacePaused, 1);
    // The whole hand-over (no window: no screens) ends with the race's
    // points cleared for the next race and the race unpaused.
    const int window = MainWindow;
    MainWindow = 0;
    RacePoints[3] = 20;
    EveryCarFinished();
    ShowStandings(nullptr);
    MainWindow = window;
    EXPECT_EQ(ChampionshipRace, 3);
    EXPECT_EQ(RacePoints[3], 0);
    EXPECT_EQ(RacePaused, 0);
    EXPECT_EQ(ChampionshipClass, ChampionshipRaceClass(13, 3));
}

// The heats of a split screen series.
struct SplitScreenHeats : ::testing::Test {
    void SetUp() override {
        ClearChampionshipState();
        SoundUnavailable = 1;
        SplitScreen = 1;
        ComputerPlayers = 2;
        SplitRoundLimit = 1;
        for (int p = 0; p < 8; p++) {
            PlayerCars[p][0] = (signed char)(p + 10);
            PlayerCars[p][1] = (signed char)(p % 4);
        }
    }
    void TearDown() override {
        SoundUnavailable = 0;
        ClearChampionshipState();
    }
    // Plays heats until the series has moved past race `untilRace` of the
    // row, recording the pairs and the race of each heat.
    static std::vector<std::pair<int, int>> PlayHeats(int heats, std::vector<int>* races = nullptr) {
        std::vector<std::pair<int, int>> pairs;
        for (int h = 0; h < heats; h++) {
            SetupSplitScreenHeat();
            pairs.push_back({HeatPlayerA, HeatPlayerB});
            if (races)
                races->push_back(ChampionshipRace);
            StartRaceRequest = BackToMenusRequest = 0;
            EveryCarFinished();
            ScoreStandings();
        }
        return pairs;
    }
};

TEST_F(SplitScreenHeats, PairingTableAndItsEnd) {
    int a = -1, b = -1;
    ASSERT_EQ(HeatPairing(3, 4, &a, &b), 1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    ASSERT_EQ(HeatPairing(8, 54, &a, &b), 1);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 7);
    a = b = -1;
    EXPECT_EQ(HeatPairing(3, 6, &a, &b), 0);
    EXPECT_EQ(HeatPairing(3, 1000, &a, &b), 0);
    EXPECT_EQ(HeatPairing(8, 56, &a, &b), 0);
    EXPECT_EQ(HeatPairing(0, 0, &a, &b), 0);
    EXPECT_EQ(HeatPairing(9, 0, &a, &b), 0);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, -1);
    // Each list holds as many entries as its limit says.
    for (int p = 2; p <= 8; p++) {
        EXPECT_EQ(HeatPairing(p, HeatLimit[p] - 2, &a, &b), 1) << p;
        EXPECT_EQ(HeatPairing(p, HeatLimit[p], &a, &b), 0) << p;
    }
}

TEST_F(SplitScreenHeats, TwoPlayersRaceOneHeatPerRace) {
    HumanPlayers = 2;
    ListSelection[3] = 5;   // row 5: 11/2, 30/2, 20/2, 10/2
    std::vector<int> races;
    const auto pairs = PlayHeats(3, &races);
    EXPECT_EQ(races, (std::vector<int>{0, 1, 2}));
    for (const auto& pair : pairs)
        EXPECT_EQ(pair, std::make_pair(0, 1));
    // The third heat is race 2 of the row, its players' cars on cars 0 and
    // 1 and the class's computer cars behind them.
    EXPECT_EQ(TrackGroup * 10 + TrackVariant, 20);
    EXPECT_EQ(CarModel[0], 10);
    EXPECT_EQ(CarModel[1], 11);
    int model, colour;
    ASSERT_EQ(ClassOpponentCar(2, 3, &model, &colour), 1);
    EXPECT_EQ(CarModel[3], model);
    EXPECT_EQ(CarColour[3], colour);
    EXPECT_EQ(StandingsPlayers, 2);
}

TEST_F(SplitScreenHeats, ThreePlayersRaceThreeHeatsOfEachRace) {
    HumanPlayers = 3;
    ListSelection[3] = 5;
    std::vector<int> races;
    const auto pairs = PlayHeats(4, &races);
    const std::vector<std::pair<int, int>> expected = {{0, 1}, {0, 2}, {1, 2}, {0, 1}};
    EXPECT_EQ(pairs, expected);
    EXPECT_EQ(races, (std::vector<int>{0, 0, 0, 1}));
    // Each heat seats its players' cars and standings rows.
    EXPECT_EQ(PlayerStandingsRow[0], 0);
    EXPECT_EQ(PlayerStandingsRow[1], 1);
    EXPECT_EQ(StandingsPlayers, 3);
}

TEST_F(SplitScreenHeats, BetweenHeatsTheNextStartsWithoutStandingsAndUnpaused) {
    HumanPlayers = 3;
    ListSelection[3] = 5;
    SetupSplitScreenHeat();
    EveryCarFinished();
    EXPECT_EQ(ScoreStandings(), 0);
    EXPECT_EQ(RacePaused, 1);
    // Without a window the standings draw nothing; the heat after this one
    // starts at once, and running.
    const int window = MainWindow;
    MainWindow = 0;
    StartRaceRequest = 0;
    HeatIndex = 2;
    ShowStandings(nullptr);
    MainWindow = window;
    EXPECT_EQ(RacePaused, 0);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(BackToMenusRequest, 0);
    EXPECT_EQ(ChampionshipRace, 0);
    EXPECT_EQ(HeatRace, 0);
}

TEST_F(SplitScreenHeats, SoloHeatsStopAtTheLastPlayer) {
    HumanPlayers = 2;
    ListSelection[3] = 5;
    TrackGroup = 4;
    HeatSoloPlayer = 1;
    SetupSplitScreenHeat();
    EXPECT_EQ(HeatPlayerA, 1);
    EXPECT_EQ(HeatIndex, 1);
    // The count has reached the players: no player 2 is seated, the heats
    // of the race are over and the next race begins.
    TrackGroup = 4;
    HeatSoloPlayer = 2;
    HeatIndex = 0;
    SetupSplitScreenHeat();
    EXPECT_NE(HeatPlayerA, 2);
    EXPECT_EQ(ChampionshipRace, 1);
    EXPECT_EQ(HeatIndex, 2);
    EXPECT_EQ(TrackGroup * 10 + TrackVariant, 30);
}

TEST_F(SplitScreenHeats, TheSeriesEndsAfterItsRounds) {
    HumanPlayers = 2;
    ListSelection[3] = 24;   // one race: 20/2
    SplitRoundLimit = 0;
    SetupSplitScreenHeat();
    EXPECT_EQ(TrackGroup * 10 + TrackVariant, 20);
    EveryCarFinished();
    EXPECT_EQ(ScoreStandings(), 1);
    EXPECT_EQ(JumpToScreen17, 1);
    EXPECT_EQ(BackToMenusRequest, 1);
    EXPECT_EQ(HeatRound, 0);
    // A race started all the same finds the series over.
    SetupSplitScreenHeat();
    EXPECT_EQ(HeatRound, 1);
    EXPECT_EQ(HeatIndex, 0);
    // Set up again on the player set-up screen, it starts over.
    ResetHeats();
    TrackGroup = TrackVariant = 0;
    SetupSplitScreenHeat();
    EXPECT_EQ(TrackGroup * 10 + TrackVariant, 20);
    EXPECT_EQ(HeatRound, 0);
    EXPECT_EQ(ChampionshipRace, 0);
}

struct SplitScreenRaceStart : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("heatstart", false, {10, 11, 20}); }
    void SetUp() override {
        FrontEndTest::SetUp();
        NewSeries(5);
    }
    // A two-player series of championship row `row` about to start, the
    // track chosen last 10.
    static void NewSeries(int row) {
        ClearChampionshipState();
        SplitScreen = 1;
        HumanPlayers = 2;
        ComputerPlayers = 2;
        SplitRoundLimit = 1;
        ListSelection[3] = row;
        NextRaceGroup() = 1;
        NextRaceVariant() = 0;
    }
    void TearDown() override {
        ClearChampionshipState();
        LapsToRun = 3;
        TrackCode = 0;
        FrontEndTest::TearDown();
    }
};

TEST_F(SplitScreenRaceStart, TheHeatsRaceReplacesTheChosenTrackAndEmptyRowsNeverStart) {
    ASSERT_EQ(PrepareRace(), 1);   // row 5's race 0: track 11
    EXPECT_EQ(TrackCode, 11);
    EXPECT_EQ(LapsToRun, 2);
    for (int row : {15, 19, 23}) {
        NewSeries(row);
        EXPECT_EQ(PrepareRace(), 0) << row;
    }
    // A race index past a row's eight reads no track.
    NewSeries(11);
    HeatRace = 9;
    EXPECT_EQ(PrepareRace(), 0);
}

// Screen 22's choice, the championship file and the texts, on the
// built-in layout.
struct ChampionshipMenus : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("champmenus"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        ClearChampionshipState();
        strcpy(CurrentPlayerName, "Bo");
        PlatMakeDir("USERS\\Bo");
    }
    void TearDown() override {
        PlatDeleteFile("USERS\\Bo\\Camp.r-b");
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            GiveBackPopupFreeze(s);
        ClearChampionshipState();
        ResetShowroomLoad();
        FrontEndTest::TearDown();
    }
};

// NEW, CONTINUE and DELETE: a new championship is the first one the stage
// has not seen won; the one under way keeps its race and points through
// the championship and car choice screens; with none under way CONTINUE
// and DELETE are refused with pop-up 1.
TEST_F(ChampionshipMenus, NewStartsTheNextChampionshipAndContinueKeepsItsRaceAndPoints) {
    int screen = 22;
    for (int item : {13, 14}) {
        EXPECT_EQ(ChampionshipChoiceAction(&screen, item), 1);
        EXPECT_EQ(screen, 22) << item;
        EXPECT_EQ(ItemAt(22, 17).textSlot, PopupMessageSlot(22, 1, 0, 0)) << item;
        GiveBackPopupFreeze(22);
        ItemAt(22, 17).textSlot = 0;
    }
    EXPECT_EQ(ChampionshipUnderWay, 0);

    for (int stage = 0; stage <= 3; stage++) {
        CareerRecord.championshipStage = (uint8_t)stage;
        screen = 22;
        ChampionshipRace = 2;
        ChampionshipTotals[3] = 40;
        EXPECT_EQ(ChampionshipChoiceAction(&screen, 12), 1);
        EXPECT_EQ(screen, 5);
        const int row = 12 + (stage < 2 ? stage : 2);
        EXPECT_EQ(ChampionshipChoice, row) << stage;
        EXPECT_EQ(ListSelection[8], row);
        EXPECT_EQ(GaragePage, 2 * (row - 12));
        EXPECT_EQ(ChampionshipLastIndex, ChampionshipLastRace(row));
        EXPECT_EQ(ChampionshipClass, ChampionshipRaceClass(row, 0));
        EXPECT_EQ(ChampionshipRace, 0) << "a new one starts at its first race";
        EXPECT_EQ(ChampionshipTotals[3], 0) << "with no points";
    }

    // Championship 14 after two races: the screens in between keep it, and
    // CONTINUE opens the car choice of race 2 (class 2, on the showroom of
    // track 10, the only one the test folder holds).
    ChampionshipRace = 2;
    ChampionshipTotals[0] = 50;
    ChampionshipRunning = 1;
    FrontEndActive = 1;   // the showroom loads a menu scene, not a race
    for (int entered : {22, 5}) {
        MenuScreen = entered;
        RunScreenEntry(nullptr);
    }
    EXPECT_EQ(ChampionshipRace, 2);
    EXPECT_EQ(ChampionshipTotals[0], 50);
    screen = 22;
    ListSelection[8] = 0;
    EXPECT_EQ(ChampionshipChoiceAction(&screen, 13), 1);
    EXPECT_EQ(screen, 5);
    EXPECT_EQ(ChampionshipChoice, 14);
    EXPECT_EQ(ListSelection[8], 14);
    EXPECT_EQ(ChampionshipRace, 2);
    EXPECT_EQ(ChampionshipClass, ChampionshipRaceClass(14, 2));
    EXPECT_EQ(ChampionshipTotals[0], 50);

    // DELETE ends it: nothing is left to continue, and the championship
    // screen starts afresh.
    screen = 22;
    EXPECT_EQ(ChampionshipChoiceAction(&screen, 14), 1);
    EXPECT_EQ(screen, 22);
    EXPECT_EQ(ChampionshipUnderWay, 0);
    EXPECT_EQ(ChampionshipRace, 0);
    EXPECT_EQ(ChampionshipTotals[0], 0);
    EXPECT_EQ(ChampionshipChoiceAction(&screen, 13), 1);
    EXPECT_EQ(screen, 22);
    EXPECT_EQ(ChampionshipChoiceAction(&screen, 15), 0);   // not one of the three buttons
}

TEST_F(ChampionshipMenus, TheFileKeepsTheRecordAndABadOneIsNotBelieved) {
    CareerRecord.money = 1234.0f;
    CareerRecord.championshipStage = 2;
    ASSERT_EQ(SaveChampionship(), 1);
    memset(&CareerRecord, 0, sizeof CareerRecord);
    ASSERT_EQ(LoadChampionship(), 1);
    EXPECT_EQ(CareerRecord.championshipStage, 2);
    EXPECT_EQ(CareerRecord.money, 1234.0f);

    // A stage no career reaches: refused, the record stays as it is.
    CareerRecordImage bad = CareerRecord;
    bad.championshipStage = 9;
    ASSERT_EQ(WriteChampionshipFile(bad), 1);
    CareerRecord.money = 77.0f;
    EXPECT_EQ(LoadChampionship(), 0);
    EXPECT_EQ(CareerRecord.money, 77.0f);
    EXPECT_EQ(CareerRecord.championshipStage, 2);

    // A short file is not a record.
    ASSERT_EQ(WriteWholeFile("USERS\\Bo\\Camp.r-b", 100, &bad), 1);
    EXPECT_EQ(LoadChampionship(), 0);
    // Nor is a profile name that cannot be a folder.
    strcpy(CurrentPlayerName, "..\\x");
    char path[64];
    EXPECT_EQ(ChampionshipFilePath(path, (int)sizeof path), 0);
}

TEST_F(ChampionshipMenus, InfoTextsNameTheSelectedChampionshipAndItsRaces) {
    MenuListId = 8;
    ListSelection[8] = 13;
    ChampionshipLastIndex = ChampionshipLastRace(13);
    ShowChampionshipInfo();
    GetText(784 + 26);
    const std::string name = TextBufferB;
    GetText(785 + 26);
    const std::string description = TextBufferB;
    EXPECT_EQ(std::string(ChampionshipName), name.substr(0, 31));
    GetText(777);
    EXPECT_EQ(std::string(TextBufferB), description);
    GetText(776);
    EXPECT_STREQ(TextBufferB, "4");
}

TEST_F(ChampionshipMenus, ListRowsTakePlainColoursAndTheSelectedOneItsOwn) {
    MenuListId = 3;
    ListSelection[3] = 4;
    FillChampionshipList();
    EXPECT_EQ(FileListCounts[3], 12);
    for (int row = 0; row < 12; row++) {
        const int chosen = row == 4;
        EXPECT_EQ(FileListRow[row][25], chosen ? 5 : 3) << row;
        EXPECT_EQ(FileListRow[row][26], chosen ? 5 : 4) << row;
    }
    EXPECT_EQ(ChampionshipClass, ChampionshipRaceClass(4, 0));
    FileListCounts[3] = 0;
    memset(FileListRow, 0, sizeof FileListRow);
}

}  // namespace
