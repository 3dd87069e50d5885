// Race set-up: the event rules by track, what a replay start keeps, the
// bodies on the grid and the first chase eye.

#include <gtest/gtest.h>

#include <cmath>

#include "frame/frame_state.h"
#include "race/car_pose.h"
#include "race/car_setup.h"
#include "race/messages.h"
#include "race/race_setup.h"
#include "race/race_state.h"

namespace {

struct RaceSetup : ::testing::Test {
    void SetUp() override {
        FrontEndActive = 0;
        SceneReady = 0;
        ReplayPlaying = 0;
        SplitScreen = 0;
        CarCount = 4;
        FillBuiltInCameraTable();
        for (int car = 0; car < MAX_CARS; car++)
            CarModel[car] = car % 3;
    }
    void TearDown() override {
        ReplayPlaying = 0;
        PresentationRun = 0;
        PresentationCamera = 0;
        TrackGroup = 1;
        TrackVariant = 0;
        CarCount = 1;
        FrontEndActive = 1;
    }
    static void Start(int group, int variant) {
        TrackGroup = group;
        TrackVariant = variant;
        StartRace();
    }
};

TEST_F(RaceSetup, TheArenaEventsSetTheirCarCountByVariant) {
    Start(5, 0);
    EXPECT_EQ(CarCount, 3) << "two opponents";
    EXPECT_EQ(ArenaOpponents, 2);
    CarCount = 4;
    Start(5, 5);
    EXPECT_EQ(CarCount, 4) << "the two-car race keeps the selection";
    Start(5, 7);
    EXPECT_EQ(CarCount, 1) << "alone";
    Start(1, 0);
    EXPECT_EQ(ArenaOpponents, 0);
}

TEST_F(RaceSetup, AJumpEventRacesOneCarAndSaysSoOnTheConsole) {
    // The JUMP grid has places for car 0 alone: a second car would stand
    // at the world's origin.
    CarCount = 4;
    Start(4, 1);
    EXPECT_EQ(CarCount, 1);
    EXPECT_FLOAT_EQ(SimPosZ[0], 57110.0f) << "car 0 at its jump pose";
    char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
    const int count = ConsoleCopyLines(lines);
    ASSERT_GT(count, 0);
    EXPECT_STREQ(lines[count - 1], "JUMP events race one car, not 4");
    Start(4, 1);
    EXPECT_EQ(ConsoleCopyLines(lines), count) << "a restart of the one car says nothing";
}

TEST_F(RaceSetup, ASelectionOutsideOneToEightCarsIsHeldToIt) {
    CarCount = 12;
    Start(1, 0);
    EXPECT_EQ(CarCount, 8);
    CarCount = 0;
    Start(1, 0);
    EXPECT_EQ(CarCount, 1);
}

TEST_F(RaceSetup, TimedEventsGetTheirLimitAndEvent31KeepsItsSeconds) {
    TimeLeft.minutes = 7;
    TimeLeft.seconds = 17;   // as the front end's race preparation left it
    Start(3, 1);
    EXPECT_EQ(TimeLeft.minutes, 1);
    EXPECT_EQ(TimeLeft.seconds, 17);
    Start(5, 0);
    EXPECT_EQ(TimeLeft.minutes, 2);
    EXPECT_EQ(TimeLeft.seconds, 5);
    Start(5, 7);
    EXPECT_EQ(TimeLeft.minutes, 2);
    EXPECT_EQ(TimeLeft.seconds, 4);
}

TEST_F(RaceSetup, AReplayStartKeepsThePresentationFlags) {
    ReplayPlaying = 1;
    PresentationRun = 1;
    PresentationCamera = 1;
    Start(1, 0);
    EXPECT_EQ(PresentationRun, 1);
    EXPECT_EQ(PresentationCamera, 1);
    ReplayPlaying = 0;
    Start(1, 0);
    EXPECT_EQ(PresentationRun, 0);
    EXPECT_EQ(PresentationCamera, 0);
}

TEST_F(RaceSetup, ARaceStartsPausedNoLongerAtTheCountdownsFirstStageWithEmptyClocks) {
    RaceClock.seconds = 30;
    CarRaceClock[2].ticks = 12;
    LapsDone[1] = 2;
    CarInputBits[0] = INPUT_ACCELERATE;
    FinishSequence = 1;
    RaceWon = 0;
    Start(1, 0);
    EXPECT_EQ(RacePaused, 0);
    EXPECT_EQ(StartStage, -1);
    EXPECT_EQ(RaceClock.seconds, 0);
    EXPECT_EQ(CarRaceClock[2].ticks, 0);
    EXPECT_EQ(LapsDone[1], 0);
    EXPECT_EQ(CarInputBits[0], 0);
    EXPECT_EQ(FinishSequence, 0);
    EXPECT_EQ(RaceWon, 1) << "the last race's end stays known";
    EXPECT_EQ(TrackCode, 10);
}

TEST_F(RaceSetup, TheBodiesStandAtTheirGridPlaces) {
    Start(1, 0);
    for (int car = 0; car < CarCount; car++) {
        SCOPED_TRACE(car);
        float x, y, z;
        ASSERT_TRUE(GridPlacePosition(10, rank_pos[car], &x, &y, &z));
        EXPECT_FLOAT_EQ(SimPosX[car], x);
        EXPECT_FLOAT_EQ(SimPosZ[car], z);
        EXPECT_FLOAT_EQ(CarBodies[car].x, x);
        EXPECT_FLOAT_EQ(CarBodies[car].z, z);
        EXPECT_FLOAT_EQ(CarBodies[car].y, y);
        EXPECT_FLOAT_EQ(SimHeading[car], 0.0f);
        EXPECT_FLOAT_EQ(CarBodies[car].angVel[2], 0.0f);
        EXPECT_GT(CarBodies[car].mass, 0.0f) << "the model's body";
    }
    EXPECT_EQ(rank_pos[0], 3) << "car 0 starts last";
}

TEST_F(RaceSetup, TheFirstEyeStands679BehindCar0AlongItsHeading) {
    Start(3, 0);   // a track whose grid faces off the axes
    const float h = CarHeading[0];
    ASSERT_NE(h, 0.0f);
    const float eyeX = -EyeX[0], eyeZ = -EyeZ[0];
    EXPECT_NEAR(cocheX[0] - eyeX, 679.0f * std::sin(h), 0.05f);
    EXPECT_NEAR(cocheZ[0] - eyeZ, 679.0f * std::cos(h), 0.05f);
    EXPECT_FLOAT_EQ(ChaseEyeX[0], EyeX[0]) << "the tick's eye starts there too";
    EXPECT_EQ(ViewMode[0], 0);
    EXPECT_EQ(CameraLag[3], 29.0f);
    // The chase camera looks along the heading.
    const float yaw = AnguloDeDeriva[0];
    EXPECT_NEAR(std::remainder(yaw + h, 2.0f * 3.14159265f), 0.0f, 1e-4f);
}

}  // namespace
