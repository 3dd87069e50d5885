// The car set-up: grid places, starting order, engines, the opponents'
// values, the event places and the skid mode.

#include <gtest/gtest.h>

#include <set>

#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "race/car_setup.h"
#include "race/engine.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "render/render_state.h"

namespace {

const float Pi = 3.14159265358979f;

void OnTrack(int group, int variant, int cars) {
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    CarCount = cars;
}

void SetUpRace(int group, int variant, int cars, int model = 0, int colour = 0) {
    OnTrack(group, variant, cars);
    SplitScreen = 0;
    ChampionshipRunning = 0;
    for (int car = 0; car < MAX_CARS; car++) {
        CarHeading[car] = 0.0f;
        SelectedModels[car] = model;
        SelectedPaints[car] = colour;
        CpuSteerTolerance[car] = 0.25f;
        CpuSkill[car] = 0;
        CpuLineProfile[car] = 0;
        motor[car] = 99;
    }
    SetUpCarsForRace();
}

void ExpectAt(int car, float x, float y, float z) {
    EXPECT_EQ(cocheX[car], x) << "car " << car;
    EXPECT_EQ(cocheY[car], y) << "car " << car;
    EXPECT_EQ(cocheZ[car], z) << "car " << car;
    EXPECT_EQ(SimPosX[car], x);
    EXPECT_EQ(SimPosY[car], y);
    EXPECT_EQ(SimPosZ[car], z);
}

TEST(CarSetup, EightCarsOnLayout1StandInRowsOfTwoCar0Last) {
    SetUpRace(1, 0, 8);
    ExpectAt(7, 59971, 1548, 63465);
    ExpectAt(6, 58653, 1549, 61484);
    ExpectAt(5, 59971, 1548, 63465 - 3415);
    ExpectAt(0, 58653, 1549, 51239);
    for (int car = 0; car < 8; car++) {
        EXPECT_EQ(rank_pos[car], 7 - car);
        EXPECT_EQ(rank_coche[rank_pos[car]], car);
        EXPECT_EQ(DriveDirection[car], 1);
        EXPECT_EQ(ThrottleState[car], 1);
        EXPECT_EQ(LastShiftGear[car], -1);
        EXPECT_EQ(HeadingAccum[car], SimHeading[car]);
    }
}

TEST(CarSetup, AnOddCountLeavesTheLastRowsRightPlaceEmpty) {
    SetUpRace(1, 0, 7);
    // Rank 6 (car 0) takes the left place of row 3; nobody takes its right.
    ExpectAt(0, 59971, 1548, 63465 - 3 * 3415);
    for (int car = 0; car < 7; car++)
        EXPECT_FALSE(cocheX[car] == 58653.0f && cocheZ[car] == 61484.0f - 3 * 3415.0f) << car;
}

TEST(CarSetup, ThePlayersEngineComesFromModelAndColour) {
    SetUpRace(1, 0, 2, 0, 2);
    EXPECT_EQ(motor[0], 5);
    SetUpRace(1, 0, 2, 9, 3);
    EXPECT_EQ(motor[0], 90);
    SetUpRace(1, 0, 2, 3, 2);
    EXPECT_EQ(motor[0], 99) << "model 3 with colour 2 keeps the engine it had";
    SetUpRace(1, 0, 2, 18, 0);
    EXPECT_EQ(motor[0], 99) << "a model the table has no row for keeps its engine";
    // Track codes 79 and 55 lower car 0's engine by four rows; below row 0
    // the car drives row 0.
    SetUpRace(7, 9, 2, 0, 0);
    EXPECT_EQ(motor[0], -4);
    EXPECT_EQ(EngineRowOf(0), 0);
    SetUpRace(6, 0, 1);
    EXPECT_EQ(SpinOutThreshold, 120.0f);
    SetUpRace(1, 0, 1);
    EXPECT_EQ(SpinOutThreshold, 100.0f);
}

TEST(CarSetup, ReverseVariantsFaceTheOtherWay) {
    for (int code : {12, 13, 22, 23, 65, 66, 69, 76}) {
        SetUpRace(code / 10, code % 10, 4);
        for (int car = 0; car < 4; car++) {
            EXPECT_FLOAT_EQ(CarHeading[car], Pi) << code;
            EXPECT_FLOAT_EQ(SimHeading[car], Pi) << code;
        }
    }
    SetUpRace(1, 1, 4);
    EXPECT_EQ(CarHeading[0], 0.0f);
}

TEST(CarSetup, JumpAndArenaEventsHaveTheirOwnPlaces) {
    SetUpRace(4, 0, 1);
    ExpectAt(0, 47404, 73, 85569);
    EXPECT_FLOAT_EQ(CarHeading[0], -0.7f);
    SetUpRace(4, 5, 1);
    ExpectAt(0, 50612, 73, 57110);
    EXPECT_EQ(CarHeading[0], 0.0f);
    SetUpRace(4, 3, 1);
    ExpectAt(0, 78393.97f, 66, 41801.65f);
    EXPECT_FLOAT_EQ(CarHeading[0], -2.35249f);

    SetUpRace(5, 1, 7);
    ExpectAt(0, 30904, 300, 37586);
    for (int car = 1; car < 7; car++)
        EXPECT_EQ(motor[car], HELD_ENGINE_ROW) << "the arena opponents hold their engines";

    SetUpRace(5, 5, 2);
    ExpectAt(0, 23432, 95, 54383);
    ExpectAt(1, 24999, 95, 54401);
    EXPECT_EQ(motor[1], 45);
    EXPECT_EQ(CpuSkill[1], 1);
    EXPECT_EQ(CpuLineProfile[1], 2);
    EXPECT_EQ(CpuSteerTolerance[1], 0.25f);
    EXPECT_EQ(PathNodeIndex[0], 48);
    EXPECT_EQ(CpuTargetNode[1], 48);

    SetUpRace(6, 7, 1);
    TrackCode = 67;
    SetUpCarsForRace();
    ExpectAt(0, 31000, 300, 13000);
}

TEST(CarSetup, SkidModeByTrack) {
    const struct {
        int group, variant, mode;
    } cases[] = {{3, 0, 1}, {3, 1, 0}, {6, 1, 2}, {6, 0, 0}, {1, 0, 0}, {7, 1, 0}};
    for (const auto& c : cases) {
        SkidMode = 9;
        SetUpRace(c.group, c.variant, 1);
        EXPECT_EQ(SkidMode, c.mode) << c.group << c.variant;
    }
}

TEST(CarSetup, OpponentsTakeTheirTracksRow) {
    GameRandomSeed(1);
    SetUpRace(1, 4, 8);
    EXPECT_EQ(CpuSteerTolerance[1], 0.085f);
    EXPECT_EQ(CpuSkill[1], 0);
    EXPECT_EQ(CpuLineProfile[1], 0);
    EXPECT_EQ(motor[1], 15);
    EXPECT_EQ(CpuSteerTolerance[7], 0.115f);
    EXPECT_EQ(CpuSkill[7], 3);
    EXPECT_EQ(CpuLineProfile[7], 2);
    EXPECT_TRUE(CpuLineProfile[2] == 0 || CpuLineProfile[2] == 1) << "a coin flip";

    // Code 20 names cars 1..3; the others keep their defaults.
    SetUpRace(2, 0, 8);
    EXPECT_EQ(CpuSteerTolerance[3], 0.09f);
    EXPECT_EQ(CpuLineProfile[3], 2);
    EXPECT_EQ(CpuSteerTolerance[4], 0.25f);
    EXPECT_EQ(motor[4], 99);
    // A code without a row changes nothing.
    SetUpRace(1, 6, 8);
    EXPECT_EQ(CpuSteerTolerance[1], 0.25f);
    EXPECT_EQ(motor[1], 99);
}

TEST(CarSetup, EveryOpponentRowFitsItsTrack) {
    std::set<int> codes;
    for (const OpponentRow& row : OpponentTable) {
        SCOPED_TRACE(row.trackCode);
        codes.insert(row.trackCode);
        EXPECT_EQ(OpponentRowOf(row.trackCode), &row);
        const int group = row.trackCode / 10;
        float previous = 0.0f;
        for (int k = 0; k < row.carsNamed; k++) {
            const OpponentEntry& e = row.cars[k];
            EXPECT_GE(e.steerTolerance, 0.08f);
            EXPECT_LE(e.steerTolerance, 0.12f);
            EXPECT_GT(e.steerTolerance, previous) << "rising with the car";
            previous = e.steerTolerance;
            EXPECT_GE(e.skill, 0);
            EXPECT_LE(e.skill, 3);
            EXPECT_TRUE(e.profile == OPPONENT_COIN || (e.profile >= 0 && e.profile <= 2));
            if (group <= 3) {
                EXPECT_LT(e.motor, 20);
            } else if (group == 6) {
                EXPECT_TRUE(e.motor >= 20 && e.motor < 40) << e.motor;
            } else {
                EXPECT_TRUE(e.motor >= 40 && e.motor < 60) << e.motor;
            }
        }
    }
    const std::set<int> expected = {10, 11, 12, 13, 14, 15, 20, 21, 23, 24, 30, 60,
                                    61, 62, 63, 64, 68, 70, 71, 72, 73, 74, 75, 77};
    EXPECT_EQ(codes, expected);
}

// The shared generator: seed x 214013 + 2531011, bits 16..30.
TEST(CarSetup, CoinFlipsComeFromTheSharedGenerator) {
    GameRandomSeed(1);
    const int expected[5] = {41, 18467, 6334, 26500, 19169};
    for (int v : expected)
        EXPECT_EQ(GameRandom(), v);
    GameRandomSeed(1);
    const int flips[5] = {0, 1, 0, 1, 1};
    for (int f : flips)
        EXPECT_EQ(CoinFlip(), f);
}

TEST(CarSetup, SplitScreenAndChampionshipOrders) {
    // The second flip from seed 1 is heads: cars 0 and 1 change places.
    GameRandomSeed(1);
    GameRandom();
    OnTrack(1, 6, 4);
    SplitScreen = 1;
    ChampionshipRunning = 0;
    SetUpCarsForRace();
    EXPECT_EQ(rank_pos[0], 2);
    EXPECT_EQ(rank_pos[1], 3);
    EXPECT_EQ(rank_coche[2], 0);
    SplitScreen = 0;

    // A championship shuffles cars 0..2 and 3..6 among themselves.
    GameRandomSeed(7);
    CarCount = 8;
    ChampionshipRunning = 1;
    SetUpCarsForRace();
    ChampionshipRunning = 0;
    std::set<int> front, back;
    for (int car = 0; car < 8; car++) {
        EXPECT_EQ(rank_coche[rank_pos[car]], car);
        if (car <= 2)
            front.insert(rank_pos[car]);
        else if (car <= 6)
            back.insert(rank_pos[car]);
    }
    EXPECT_EQ(front, (std::set<int>{5, 6, 7}));
    EXPECT_EQ(back, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(rank_pos[7], 0);

    // Track 75: car 0 first, car 3 last of four.
    OnTrack(7, 5, 4);
    SetUpCarsForRace();
    EXPECT_EQ(rank_pos[0], 0);
    EXPECT_EQ(rank_pos[3], 3);
    for (int car = 0; car < 4; car++)
        EXPECT_EQ(rank_coche[rank_pos[car]], car);
}

TEST(CarSetup, AShuffleNeverReachesCarsOutsideTheRace) {
    CarCount = 2;
    for (int car = 0; car < MAX_CARS; car++)
        rank_pos[car] = rank_coche[car] = car < 2 ? 1 - car : 0;
    for (int seed = 0; seed < 50; seed++) {
        GameRandomSeed(seed);
        ShuffleGrid();
        EXPECT_TRUE(rank_pos[0] <= 1 && rank_pos[1] <= 1 && rank_pos[0] != rank_pos[1]);
    }
}

}  // namespace
