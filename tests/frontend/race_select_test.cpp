// Race selection: the race set-up written from the mode flags and the
// choices made, the tracks it refuses, the preview picture's name and the
// selection price.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/race_select.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "net/net_state.h"
#include "race/race_state.h"
#include "track/track_state.h"

namespace {

struct RaceSelect : FrontEndTest {
    // One folder for the suite: making eight tracks is the slow part.
    static void SetUpTestSuite() { MakeTestGameFolder("raceselect", false, {10, 12, 20, 24, 31, 67, 69, 79}); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        ClearModes();
    }
    void TearDown() override {
        ClearModes();
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(CarModel, 0, sizeof CarModel);
        memset(CarColour, 0, sizeof CarColour);
        CarCount = 0;
        LapsToRun = 3;
        TrackGroup = TrackVariant = TrackCode = 0;
        TimeLeft.minutes = 0;
        TimeLeft.seconds = 0;
        ShowroomModel = ShowroomColour = 0;
        PendingScreen = 0;
        MenuListId = 0;
        RacePhase = 0;
        HumanPlayers = 0;
        NetPlayerCount = 0;
        HeatIndex = HeatPlayerA = HeatPlayerB = HeatRace = 0;
        StandingsPlayers = 2;
        memset(PlayerStandingsRow, 0, sizeof PlayerStandingsRow);
        FrontEndTest::TearDown();
    }
    static void ClearModes() {
        SpecialRaceMode = HiddenRaceRequest = ChampionshipRunning = NetworkGame = SplitScreen = RaceFromReplay = 0;
        ChampionshipChoice = ChampionshipRace = ChampionshipClass = ChampionshipGroupOffset = 0;
        memset(ListSelection, 0, sizeof ListSelection);
        Cup5Mode = 0;
    }
    static void ChooseTrack(int group, int variant) {
        NextRaceGroup() = (int8_t)group;
        NextRaceVariant() = (int8_t)variant;
    }
};

TEST_F(RaceSelect, SpecialRaceIsAlwaysTrack24WithItsOwnGrid) {
    ChooseTrack(1, 0);
    ChampionshipRunning = 1;   // the special race is tested first
    SpecialRaceMode = 1;
    Cup5Mode = 1;
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 24);
    EXPECT_EQ(TrackArtSet, 4);
    EXPECT_EQ(LapsToRun, 3);
    EXPECT_EQ(CarCount, 8);
    EXPECT_EQ(PendingScreen, 3);
    EXPECT_EQ(Cup5Mode, 0);
    EXPECT_EQ(CarModel[0], 16);
    EXPECT_EQ(CarColour[1], 2);
    EXPECT_EQ(CarModel[7], 6);
    EXPECT_EQ(CarColour[7], 0);
    EXPECT_EQ(DecorRate, 0.0f);   // group 2 keeps its decorations still
}

TEST_F(RaceSelect, CareerRaceTakesTheChosenTrackAndOnly31TakesTheCareersSeconds) {
    ChooseTrack(1, 2);
    TimeLeft.seconds = 7;
    CareerRecord.event31Seconds = 42;
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 12);
    EXPECT_EQ(TimeLeft.seconds, 7);
    EXPECT_GT(DecorRate, 0.0f);

    ChooseTrack(3, 1);
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 31);
    EXPECT_EQ(TimeLeft.seconds, 42);
}

TEST_F(RaceSelect, HiddenRaceIsOneCarOnTrack67AndClearsItsRequest) {
    HiddenRaceRequest = 1;
    TypedChar = 'x';
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(HiddenRaceRequest, 0);
    EXPECT_EQ(TrackCode, 67);
    EXPECT_EQ(CarCount, 1);
    EXPECT_EQ(LapsToRun, 1);
    EXPECT_EQ(CarModel[0], 14);
    EXPECT_EQ(TypedChar, 0);
    EXPECT_EQ(RacePhase, 2);
}

TEST_F(RaceSelect, LapsAndCarsFollowTheMode) {
    // Championship 12, race 1: track 69, class 1, the row's own opponents.
    ChampionshipRunning = 1;
    ChampionshipChoice = 12;
    ChampionshipRace = 1;
    CarModel[0] = 3;
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 69);
    EXPECT_EQ(ChampionshipClass, 1);
    EXPECT_EQ(LapsToRun, 3);
    EXPECT_EQ(CarCount, 8);
    EXPECT_EQ(CarModel[0], 3);   // the player's car stays
    EXPECT_EQ(CarModel[1], 12);
    EXPECT_EQ(CarColour[1], 2);
    EXPECT_EQ(CarModel[7], 5);
    EXPECT_EQ(CarColour[7], 1);
    ChampionshipRunning = 0;

    // A network race: as many cars as players, two laps.
    NetworkGame = 1;
    NetPlayerCount = 3;
    ListSelection[7] = 0;
    ChampionshipRace = 2;   // row 0, race 2: track 72 has no folder here
    EXPECT_EQ(PrepareRace(), 0);
    ChampionshipRace = 1;   // row 0, race 1: track 10
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 10);
    EXPECT_EQ(CarCount, 3);
    EXPECT_EQ(HumanPlayers, 3);
    EXPECT_EQ(LapsToRun, 2);
    NetworkGame = 0;

    // A split screen race: the heat's race of its series (row 24: track
    // 20) replaces the track chosen last.
    SplitScreen = 1;
    ChooseTrack(1, 0);
    ListSelection[3] = 24;
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 20);
    EXPECT_EQ(LapsToRun, 2);
}

TEST_F(RaceSelect, ChampionshipRowsOutsideTheModeTakeTheClassOpponents) {
    ChampionshipRunning = 1;
    ChampionshipChoice = 5;   // row 5, race 0: track 11... race 2: track 20, class 2
    ChampionshipRace = 2;
    ASSERT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 20);
    EXPECT_EQ(CarModel[2], 0);
    EXPECT_EQ(CarColour[2], 2);
    EXPECT_EQ(CarModel[7], 6);
    EXPECT_EQ(CarColour[7], 3);
}

TEST_F(RaceSelect, TracksTheGameCannotLoadAreRefused) {
    ChooseTrack(0, 0);   // a fresh career's empty choice
    EXPECT_EQ(PrepareRace(), 0);
    ChooseTrack(1, 10);  // variant out of range
    EXPECT_EQ(PrepareRace(), 0);
    ChooseTrack(-3, 0);  // a save's stray byte
    EXPECT_EQ(PrepareRace(), 0);
    ChooseTrack(7, 0);   // a valid code without its folder
    EXPECT_EQ(PrepareRace(), 0);
    // The empty championship rows and races past a row's last never start.
    ChampionshipRunning = 1;
    ChampionshipChoice = 15;
    EXPECT_EQ(PrepareRace(), 0);
    ChampionshipChoice = 12;
    ChampionshipRace = 8;
    EXPECT_EQ(PrepareRace(), 0);
    // The championships' own track 79 (variant 9) does start.
    ChampionshipChoice = 14;
    ChampionshipRace = 4;
    EXPECT_EQ(PrepareRace(), 1);
    EXPECT_EQ(TrackCode, 79);
}

TEST_F(RaceSelect, SelectionPriceShowsCaptionPriceAndStar) {
    ShowroomModel = 0;
    ShowroomColour = 1;
    ShowSelectionPrice();
    GetText(231);
    const std::string caption = TextBufferB;
    GetText(232);
    EXPECT_EQ(std::string(TextBufferB), caption + " 700*");
    ShowroomModel = 9;   // a model without a price
    ShowSelectionPrice();
    GetText(232);
    EXPECT_EQ(std::string(TextBufferB), caption + " 0*");
    EXPECT_EQ(CarPrice(3, 2), 0);
    EXPECT_EQ(CarPrice(19, 3), 42000);
    EXPECT_EQ(CarPrice(20, 0), 0);
}

TEST(ChampionshipTable, ReadsNothingOutsideIt) {
    EXPECT_EQ(ChampionshipTrackCode(14, 4), 79);
    EXPECT_EQ(ChampionshipRaceClass(14, 4), 3);
    EXPECT_EQ(ChampionshipTrackCode(35, 1), 20);
    EXPECT_EQ(ChampionshipLastRace(11), 7);
    EXPECT_EQ(ChampionshipLastRace(33), 1);
    EXPECT_EQ(ChampionshipTrackCode(36, 0), 0);
    EXPECT_EQ(ChampionshipTrackCode(0, -1), 0);
    EXPECT_EQ(ChampionshipLastRace(48), 0);
    int model = -1, colour = -1;
    EXPECT_EQ(ClassOpponentCar(4, 2, &model, &colour), 0);
    EXPECT_EQ(model, -1);
    EXPECT_EQ(ClassOpponentCar(3, 7, &model, &colour), 1);
    EXPECT_EQ(model, 2);
    EXPECT_EQ(colour, 3);
}

}  // namespace
