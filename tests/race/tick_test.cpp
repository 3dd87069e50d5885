// Cars driven by the simulation tick from their control words, the menus'
// showroom car on its wheels, and the whole game's quick race: the cars come
// to rest on their wheels.

#include <gtest/gtest.h>

#include <cmath>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/tick.h"
#include "race/car_pose.h"
#include "race/race_frame.h"
#include "race_test_util.h"

using namespace race_test;

namespace {

// Moving at 40 along the car's heading with 30 across it.
void MoveAtSideways(int car) {
    const float h = HeadingAccum[car];
    VelocityX[car] = 40.0f * std::sin(h) + 30.0f * std::cos(h);
    VelocityZ[car] = 40.0f * std::cos(h) - 30.0f * std::sin(h);
    CarSpeed[car] = 50.0f;
}

class TickDrive : public testing::Test {
protected:
    void SetUp() override {
        FlatEverywhere();
        ReleasedRace();
        AppActive = 1;
        SceneReady = 1;
        RacePaused = 0;
        RaceOver = 0;
        ExitRequested = 0;
        EditorOpen = 0;
        TickCarsHeld = 0;
        ReplayPlayback = 0;
        LapsToRun = 3;
        CarCount = 1;
    }
    void TearDown() override {
        FrontEndActive = 0;
        SplitScreen = 0;
        EditorOpen = 0;
        for (int& bits : CarInputBits)
            bits = 0;
    }
};

TEST_F(TickDrive, TheControlWordDrivesTheCar) {
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    motor[0] = 0;
    CarInputBits[0] = INPUT_ACCELERATE;
    for (int t = 0; t < 300; t++) {
        GameTickCallback();
        CarHeading[0] = SimHeading[0];
    }
    EXPECT_GT(SimPosZ[0], Centre + 5000.0f);
    EXPECT_NEAR(SimPosX[0], Centre, 1.0f) << "straight ahead";
    EXPECT_GT(CarGear[0], 0);
    EXPECT_EQ(WheelsInAir[0], 0);

    CarInputBits[0] = INPUT_ACCELERATE | INPUT_LEFT;
    const float heading = SimHeading[0];
    for (int t = 0; t < 60; t++)
        GameTickCallback();
    EXPECT_LT(SimHeading[0], heading - 0.2f) << "left turns towards a smaller heading";
}

// In split screen each player's car is the local car while it steps; the
// swap never outlives the step.
TEST_F(TickDrive, SplitScreenCarsStepAsTheLocalCarAndGiveItBack) {
    SplitScreen = 1;
    CarCount = 2;
    LocalCar = 0;
    for (int car = 0; car < 2; car++) {
        PlaceCar(car, 0, Centre + 4000.0f * car, Centre, RestHeight(0));
        motor[car] = 0;
        // Sliding sideways at 30: only a local car slides.
        MoveAtSideways(car);
    }
    GameTickCallback();
    EXPECT_EQ(LocalCar, 0);
    EXPECT_GT(LateralSpeed[0], 0.0f);
    EXPECT_GT(LateralSpeed[1], 0.0f) << "player 2's car takes the local car's grip";
}

// With an editor or the tuning panel open the cars do not drive, but their
// bodies still settle, so an edited spring shows at once.
TEST_F(TickDrive, WithAnEditorOpenTheBodiesStillSettle) {
    PlaceCar(0, 0, Centre, Centre, RestHeight(0) + 100.0f);
    EditorOpen = 1;
    CarInputBits[0] = INPUT_ACCELERATE;
    for (int t = 0; t < 120; t++)
        GameTickCallback();
    EXPECT_EQ(SimPosZ[0], Centre);
    EXPECT_NEAR(CarBodies[0].wheel[0].height, CarBodies[0].wheel[0].radius, 2.0f);
}

// The menus' showroom turns car 0 on the spot where the showroom scene puts
// it, with no body step to seat its wheels: the tick hangs them below the
// car as far as a race's springs hold them at rest, so the car is drawn on
// its wheels (and not with them wherever heights from before left them,
// such as the start-up's 0, high over a car standing 480 below the eye).
TEST_F(TickDrive, TheShowroomCarHangsItsWheelsAsItRestsInARace) {
    for (int model = 0; model < MOTION_MODELS; model++) {
        SCOPED_TRACE(model);
        FrontEndActive = 0;
        PlaceCar(0, model, Centre, Centre, RestHeight(model) + 100.0f);
        for (int t = 0; t < 150; t++)
            GameTickCallback();
        float raceDrop[4], racePlan[4];
        for (int j = 0; j < 4; j++) {
            raceDrop[j] = WheelHeights[0][j] - SimPosY[0];
            racePlan[j] = std::hypot(WheelWorldX[0][j] - SimPosX[0], WheelWorldZ[0][j] - SimPosZ[0]);
        }

        FrontEndActive = 1;
        ShowroomWheelHang = ShowroomWheelDrop(model);   // as showing the car sets it
        SimPosX[0] = 20.0f;
        SimPosY[0] = -480.0f;
        SimPosZ[0] = 950.0f;
        for (float& height : WheelHeights[0])
            height = 0.0f;
        for (int t = 0; t < 5; t++)
            GameTickCallback();
        SnapshotCars();
        for (int j = 0; j < 4; j++) {
            SCOPED_TRACE(j);
            EXPECT_NEAR(WheelPosY[0][j] - cocheY[0], raceDrop[j], 2.0f) << "the drawn wheel's height on the car";
            EXPECT_NEAR(std::hypot(WheelPosX[0][j] - cocheX[0], WheelPosZ[0][j] - cocheZ[0]), racePlan[j], 1.0f);
        }
    }
}

// The quick race of the sample folder: after 300 frames every car stands on
// its four wheels on track 10, its wheel centres a tyre radius above the
// ground each wheel found.
TEST(QuickRace, TheCarsComeToRestOnTheirWheels) {
    const std::string dir = MakeTestGameFolder("quickrace", true);
    ASSERT_EQ(RunHeadlessGame(300, 1, 1, WriteStartScript(dir).c_str()), 0);
    ASSERT_GE(CarCount.load(), 2);
    for (int car = 0; car < CarCount; car++) {
        SCOPED_TRACE(car);
        EXPECT_EQ(WheelsInAir[car], 0);
        EXPECT_LT(std::fabs(CarBodies[car].vertVel), 0.05f);
        for (int k = 0; k < 4; k++) {
            const CarWheel& w = CarBodies[car].wheel[k];
            EXPECT_NEAR(w.height - w.radius, GroundMemory[car][k].load(), 2.0f) << "wheel " << k;
            EXPECT_GT(GroundMemory[car][k].load(), 1000.0f) << "the circuit's ground, not a hole";
        }
        EXPECT_GT(SimPosY[car], WheelHeights[car][0]) << "the body above its wheels";
    }
}

}  // namespace
