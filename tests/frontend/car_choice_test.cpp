// The car choice's race start: the cup row's grid, laps and cars with the
// car on show as car 0, the entry fee of a career race, and the races it
// refuses.
#include <gtest/gtest.h>

#include <cstring>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/car_choice.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "race/race_state.h"

namespace {

struct CarChoiceStart : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("carchoice", false, {20}); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        // Cup 1, race 0 on track 20: four cars, three laps, a fee of 200.
        CupRow& row = CareerRecord.cups[1];
        row.group[0] = 2;
        row.variant[0] = 0;
        row.cars[0] = 4;
        row.laps[0] = 3;
        row.fee[0] = 200;
        for (int car = 0; car < 8; car++) {
            row.opponentModel[0][car] = (uint8_t)(car + 1);
            row.opponentColour[0][car] = (uint8_t)(car % 4);
        }
        CurrentCup = 1;
        CurrentCupRace = 0;
        NextRaceGroup() = 2;
        NextRaceVariant() = 0;
        ShowroomModel = 12;
        ShowroomColour = 3;
        CareerChosen = 1;
        TargetMoney = 400;
    }
    void TearDown() override {
        memset(&CareerRecord, 0, sizeof CareerRecord);
        CurrentCup = CurrentCupRace = 0;
        ShowroomModel = ShowroomColour = 0;
        CareerChosen = SingleRaceMode = Cup5Mode = Cup6Mode = 0;
        TargetMoney = 0;
        RaceEntryFee = 0;
        StartRaceRequest = 0;
        CarCount = 0;
        LapsToRun = 3;
        memset(CarModel, 0, sizeof CarModel);
        memset(CarColour, 0, sizeof CarColour);
        FrontEndTest::TearDown();
    }
    static int Start() {
        int screen = 5;
        return CarChoiceAction(&screen, 41, nullptr);
    }
};

TEST_F(CarChoiceStart, CareerRaceTakesItsCupRowAndPaysItsFeeOnce) {
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(CarCount, 4);
    EXPECT_EQ(LapsToRun, 3);
    EXPECT_EQ(CarModel[0], 12);   // the car on show
    EXPECT_EQ(CarColour[0], 3);
    EXPECT_EQ(CarModel[1], 2);
    EXPECT_EQ(CarColour[1], 1);
    EXPECT_EQ(RaceEntryFee, 200);
    EXPECT_EQ(TargetMoney, 200);
    // A fee larger than the money leaves 0, never less.
    StartRaceRequest = 0;
    CareerRecord.cups[1].fee[0] = 500;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(TargetMoney, 0);
}

TEST_F(CarChoiceStart, SingleRacePaysNoFee) {
    CareerChosen = 0;
    SingleRaceMode = 1;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(TargetMoney, 400);
}

TEST_F(CarChoiceStart, MissingTrackOrEmptyCupRowIsRefusedWithoutAFee) {
    NextRaceGroup() = 7;   // no folder for track 70 here
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(TargetMoney, 400);
    NextRaceGroup() = 2;
    CareerRecord.cups[1].cars[0] = 0;   // a race not set up
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(TargetMoney, 400);
}

TEST_F(CarChoiceStart, Cup6RacesThePlayersCarInTheOtherColours) {
    CupRow& row = CareerRecord.cups[6];
    row.cars[0] = 8;
    row.laps[0] = 2;
    Cup6Mode = 1;
    ShowroomColour = 2;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(CurrentCup, 6);
    EXPECT_EQ(CarCount, 8);
    EXPECT_EQ(LapsToRun, 2);
    const int expected[8] = {2, 3, 0, 1, 2, 3, 0, 1};
    for (int car = 0; car < 8; car++)
        EXPECT_EQ(CarColour[car], expected[car]) << car;
}

}  // namespace
