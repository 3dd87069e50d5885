// The drive model: pedals into reverse and back, the launch, the gearboxes,
// steering, sideways grip and spin-outs, the handbrake, surfaces, slopes
// and the JUMP turbo.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "mkdata_objects.h"
#include "mkdata_track.h"
#include "race/engine.h"
#include "race_test_util.h"
#include "sound/effect_sounds.h"
#include "track/builders.h"
#include "track/zones.h"

using namespace race_test;

namespace {

void MoveAt(int car, float speed, float sideways = 0.0f) {
    const float h = HeadingAccum[car];
    VelocityX[car] = speed * std::sin(h) + sideways * std::cos(h);
    VelocityZ[car] = speed * std::cos(h) - sideways * std::sin(h);
    CarSpeed[car] = std::sqrt(speed * speed + sideways * sideways);
}

// The velocity across the car's heading (towards its right).
float Sideways(int car) {
    const float h = HeadingAccum[car];
    return std::cos(h) * VelocityX[car] - std::sin(h) * VelocityZ[car];
}

float Along(int car) {
    const float h = HeadingAccum[car];
    return std::sin(h) * VelocityX[car] + std::cos(h) * VelocityZ[car];
}

TEST(DriveModel, BrakeAtACrawlReversesAndAccelerateDrivesOnAgain) {
    FlatRaceWithCar0();
    // Braking at speed 10 slows the car; it does not reverse.
    MoveAt(0, 10.0f);
    DriveTick(0, INPUT_BRAKE);
    EXPECT_EQ(DriveDirection[0], 1);
    EXPECT_EQ(BrakeLightOn[0], 1);

    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    MoveAt(0, 3.0f);
    DriveTick(0, INPUT_BRAKE);
    EXPECT_EQ(DriveDirection[0], -1) << "at speed 3 the brake selects reverse";
    EXPECT_EQ(ThrottleState[0], -1);
    for (int t = 0; t < 120; t++)
        DriveTick(0, INPUT_BRAKE);
    EXPECT_LT(SimPosZ[0], Centre - 100.0f) << "brake held drives the car backwards";
    EXPECT_LT(Along(0), 0.0f);

    // Accelerate: the car stops, and below speed 3 it drives forward again.
    int forwardAt = -1;
    for (int t = 0; t < 400 && forwardAt < 0; t++) {
        DriveTick(0, INPUT_ACCELERATE);
        if (DriveDirection[0] == 1)
            forwardAt = t;
    }
    ASSERT_GE(forwardAt, 0);
    for (int t = 0; t < 100; t++)
        DriveTick(0, INPUT_ACCELERATE);
    EXPECT_GT(Along(0), 5.0f);
}

TEST(DriveModel, TheFirstLaunchOfARaceIsSoftenedUntilTheFirstShift) {
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    EngineRow = 0;
    EngineLoaded = 1;
    auto launch = [](float revs, int lastShift) {
        EngineRevs[0] = revs;
        CarSpeed[0] = 0.0f;
        CarGear[0] = 0;
        ShiftState[0] = 0;
        ThrottleState[0] = 1;
        LastShiftGear[0] = lastShift;
        UpdateCarEngine(0);
        return DriveForce[0];
    };
    const float a = adhesion[0];
    EXPECT_EQ(launch(2.0f, -1), 0.5f * a) << "wheelspin at the first launch: half the grip";
    EXPECT_EQ(WheelSpin[0], 1);
    EXPECT_EQ(launch(2.0f, 1), a);
    EXPECT_EQ(launch(0.15f, -1), 0.75f * a) << "between A and 2A";
    EXPECT_EQ(launch(0.15f, 2), a);
    EXPECT_NEAR(launch(0.05f, -1), 23.0f * 0.05f, 1e-6f) << "within the grip the force is the target";
    EXPECT_EQ(WheelSpin[0], 0);
}

TEST(DriveModel, SteeringNeverPassesTheRowsLockAndReturnsToTheCentre) {
    FlatRaceWithCar0();
    for (int row : {0, 60, 70, 93}) {
        motor[0] = row;
        const EngineTableRow& r = EngineTable[row];
        for (int t = 0; t < 100; t++) {
            DriveTick(0, INPUT_LEFT);
            ASSERT_GE(SteeringAngle[0], -r.MaximoRuedas);
        }
        EXPECT_EQ(SteeringAngle[0], -r.MaximoRuedas);
        for (int t = 0; t < 100; t++) {
            DriveTick(0, INPUT_RIGHT);
            ASSERT_LE(SteeringAngle[0], r.MaximoRuedas);
        }
        const int back = (int)std::ceil(r.MaximoRuedas / r.steerReturn);
        for (int t = 0; t < back; t++)
            DriveTick(0, 0);
        EXPECT_EQ(SteeringAngle[0], 0.0f) << "row " << row;
    }
}

// The local car slides above its row's grip and spins out at a sideways
// speed of 100; a computer car on a speed circuit keeps its grip.
TEST(DriveModel, GripLimitsForTheLocalCarAndTheComputerCars) {
    FlatEverywhere();
    ReleasedRace();
    CarCount = 2;
    for (int car = 0; car < 2; car++) {
        PlaceCar(car, 0, Centre + 5000.0f * car, Centre, RestHeight(0));
        motor[car] = 0;
        MoveAt(car, 40.0f, 30.0f);
        DriveTick(car, 0);
    }
    EXPECT_NEAR(LateralSpeed[0], 30.0f, 1.0f) << "the local car slides";
    EXPECT_NEAR(Sideways(0), 30.0f * 0.99f, 0.5f) << "1 % of the slide goes a tick";
    EXPECT_EQ(LateralSpeed[1], 0.0f);
    EXPECT_NEAR(Sideways(1), 0.0f, 1e-3f) << "the computer car's tyres take it all";
    EXPECT_EQ(SpinOut[0], 0);

    // Below the row's grip the local car keeps its line too.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    MoveAt(0, 40.0f, 3.0f);
    DriveTick(0, 0);
    EXPECT_EQ(LateralSpeed[0], 0.0f);
    EXPECT_NEAR(Sideways(0), 0.0f, 1e-3f);

    // 100 sideways: a spin-out, which lasts while the car is fast.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    MoveAt(0, 60.0f, 101.0f);
    DriveTick(0, 0);
    EXPECT_EQ(SpinOut[0], 1);
    EXPECT_EQ(CarBodies[0].impactMark, 0);
    // The same slide on a cross track (threshold 120) is only a slide.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    SpinOutThreshold = 120.0f;
    MoveAt(0, 60.0f, 101.0f);
    DriveTick(0, 0);
    EXPECT_EQ(SpinOut[0], 0);
    SpinOutThreshold = 100.0f;

    // A computer car uses its row's grip on the cross tracks.
    ReleasedRace(6, 0);
    PlaceCar(1, 0, Centre + 5000.0f, Centre, RestHeight(0));
    MoveAt(1, 40.0f, 30.0f);
    DriveTick(1, 0);
    EXPECT_NEAR(LateralSpeed[1], 30.0f, 1.0f);
    CarCount = 1;
}

TEST(DriveModel, ASpunCarSlidesUntilSpeed50OrAnImpact) {
    FlatRaceWithCar0();
    SpinOut[0] = 1;
    MoveAt(0, 80.0f);
    DriveTick(0, INPUT_ACCELERATE);
    EXPECT_EQ(SpinOut[0], 1);
    EXPECT_EQ(CameraLag[0], 400.0f - 3.0f) << "the chase camera hangs back while the car spins";
    CarBodies[0].impactMark = 1;
    MoveAt(0, 80.0f);
    DriveTick(0, INPUT_ACCELERATE);
    EXPECT_EQ(SpinOut[0], 0);
    SpinOut[0] = 1;
    CarBodies[0].impactMark = 0;
    MoveAt(0, 45.0f);
    DriveTick(0, 0);
    EXPECT_EQ(SpinOut[0], 0);
}

TEST(DriveModel, HandbrakeIntoTheTurnBuildsDriftUpTo06) {
    FlatRaceWithCar0();
    // Steering right with the car already turned right of its camera.
    SteeringAngle[0] = 0.3f;
    Angle1[0] = -0.2f;
    MoveAt(0, 30.0f);
    DriveTick(0, INPUT_HANDBRAKE | INPUT_RIGHT);
    EXPECT_NEAR(DriftSteer[0], 30.0f * 0.005f, 1e-5f);
    EXPECT_EQ(HandbrakeLocked[0], 1);
    for (int t = 0; t < 30; t++) {
        Angle1[0] = SimHeading[0] - 0.2f;
        MoveAt(0, 30.0f);
        DriveTick(0, INPUT_HANDBRAKE | INPUT_RIGHT);
        ASSERT_LE(DriftSteer[0], 0.6f);
    }
    EXPECT_EQ(DriftSteer[0], 0.6f);
    // Released: the lock comes off and the drift decays.
    MoveAt(0, 30.0f);
    DriveTick(0, INPUT_RIGHT);
    EXPECT_EQ(HandbrakeLocked[0], 0);
    EXPECT_LT(DriftSteer[0], 0.6f);

    // Turned the other way, the handbrake builds no drift.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    SteeringAngle[0] = 0.3f;
    Angle1[0] = 0.2f;
    MoveAt(0, 30.0f);
    DriveTick(0, INPUT_HANDBRAKE | INPUT_RIGHT);
    EXPECT_EQ(DriftSteer[0], 0.0f);
}

TEST(DriveModel, TheManualBoxShiftsOnRequestOnlyFromTheStart) {
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    ManualGearbox[0] = 1;
    EngineRow = 0;
    TopGear = EngineTable[0].topGear;
    CarGear[0] = 1;
    EngineRevs[0] = 1.5f;

    StartStage = 2;
    GearShiftRequest[0] = 1;
    RunGearbox(0);
    EXPECT_EQ(CarGear[0], 1) << "no upshift before the start";
    EXPECT_EQ(GearShiftRequest[0], 0) << "the request is dropped";

    StartStage = 3;
    GearShiftRequest[0] = 1;
    RunGearbox(0);
    EXPECT_EQ(CarGear[0], 2);
    EXPECT_EQ(ShiftState[0], 1);
    EXPECT_EQ(LastShiftGear[0], 2);

    ShiftState[0] = 0;
    CarGear[0] = TopGear;
    GearShiftRequest[0] = 1;
    RunGearbox(0);
    EXPECT_EQ(CarGear[0], TopGear) << "no gear above the top";
    EXPECT_EQ(GearShiftRequest[0], 0);

    // Down a gear at speed: the lower gear brakes the car.
    CarGear[0] = 2;
    EngineRevs[0] = 2.0f;
    CarSpeed[0] = 150.0f;
    VelocityZ[0] = 150.0f;
    VelocityX[0] = 0.0f;
    GearShiftRequest[0] = -1;
    RunGearbox(0);
    EXPECT_EQ(CarGear[0], 1);
    RunGearbox(0);
    EXPECT_EQ(OverRevSoundOn[0], 1);
    EXPECT_NEAR(VelocityZ[0], 150.0f * 0.995f, 1e-3f);
    EXPECT_LE(EngineRevs[0], EngineTable[0].revLimit[1]);
    ManualGearbox[0] = 0;
}

TEST(DriveModel, TheAutomaticBoxClimbsThroughTheGearsUnderThrottle) {
    FlatRaceWithCar0();
    int highest = 0, shifts = 0, last = 0;
    for (int t = 0; t < 2500; t++) {
        DriveTick(0, INPUT_ACCELERATE);
        ASSERT_LE(EngineRevs[0], EngineTable[0].revLimit[CarGear[0]] + 0.05f);
        shifts += CarGear[0] != last;
        last = CarGear[0];
        highest = std::max(highest, CarGear[0]);
    }
    EXPECT_EQ(highest, 4);
    EXPECT_EQ(shifts, 4) << "one shift a gear, never back down under full throttle";
    // Lifting off and braking comes back down the box.
    for (int t = 0; t < 600 && CarGear[0] > 0; t++)
        DriveTick(0, INPUT_BRAKE);
    EXPECT_EQ(CarGear[0], 0);
}

// Track 10's verges are grass: the surface halves the engine's pull and
// drags, so the top speed there falls well below the road's.
TEST(DriveModel, OnTheGrassOfTrack10TheTopSpeedIsAFifthLower) {
    // The circuit's tables as the sample folder's generator builds them.
    MkObject world;
    ASSERT_TRUE(MkBuildCircuit(MkCircuitForGroup(1), world));
    FillZoneGrid();
    FrontEndActive = 0;
    // The start straight runs along +z about x 59,312: road 3,500 each side,
    // then 2,000 of verge.
    const int road = ZoneMaskAt(59312.0f, 70000.0f);
    const int verge = ZoneMaskAt(59312.0f + 4500.0f, 70000.0f);
    EXPECT_EQ(road & 0x8, 0);
    ASSERT_NE(verge & 0x8, 0) << "a grass zone";

    auto topSpeed = [](int mask) {
        FlatEverywhere();
        ReleasedRace();
        PlaceCar(0, 0, Centre, Centre, RestHeight(0));
        motor[0] = 0;
        for (int t = 0; t < 4000; t++) {
            SurfaceWord[0] = mask;
            UpdateTerrainSounds(0);
            DriveTick(0, INPUT_ACCELERATE);
        }
        return CarSpeed[0];
    };
    const float onRoad = topSpeed(road > 0 ? road : 0);
    const float onGrass = topSpeed(verge);
    EXPECT_GT(onRoad, 170.0f);
    EXPECT_LT(onGrass, 0.8f * onRoad) << onGrass << " on the grass, " << onRoad << " on the road";
    printf("top speed of row 0: %.1f on the road, %.1f on the grass\n", onRoad, onGrass);
    EXPECT_GT(onGrass, 30.0f) << "the car still drives";
}

// A car standing nose down a slope rolls away; nose up a gentle slope it
// stays (the slope's pull backwards does not lift it past the standstill
// speed), and braking there backs it up the slope as reverse does.
TEST(DriveModel, AStandingCarRollsDownhillNoseFirst) {
    const float t = std::tan(0.1f);
    PlaneWorld(0.0f, -t, 1000.0f);
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0, 1000.0f));
    for (int tick = 0; tick < 60; tick++)
        DriveTick(0, 0);
    EXPECT_GT(SimPosZ[0], Centre + 200.0f) << "rolled away down the slope";

    PlaneWorld(0.0f, t, 1000.0f);
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0, 1000.0f));
    for (int tick = 0; tick < 60; tick++)
        DriveTick(0, 0);
    EXPECT_EQ(DriveDirection[0], -1) << "facing uphill it would roll back";
    EXPECT_LT(std::fabs(SimPosZ[0] - Centre), 10.0f);
    EXPECT_EQ(PlanSpeed(0), 0.0f);
}

TEST(DriveModel, TheJumpTurboChargesInTopGearAndBurnsOnce) {
    ReleasedRace(4, 1);
    PlaceCar(0, 4, Centre, Centre, RestHeight(4));
    motor[0] = 60;
    EngineRow = 60;
    EngineTableRow& row = EngineTable[60];
    const EngineTableRow kept = row;   // the turbo rewrites the row while the program runs
    FocalScaleBase = ViewFocalScale = 224.0f;
    TurboValue = 0.0f;
    TurboCameraPull = 0;
    TopGear = row.topGear;
    CarGear[0] = TopGear;
    ShiftState[0] = 0;
    EngineRevs[0] = 1.0f;
    ControlTurbo = 1;
    UpdateTurbo(0);
    EXPECT_EQ(TurboValue, 0.0f) << "not charged at low revs";
    EXPECT_EQ(row.revLimit[TopGear], row.revLimit[JUMP_NORMAL_TOP]);
    EngineRevs[0] = 1.7f;
    ControlTurbo = 0;
    UpdateTurbo(0);
    EXPECT_EQ(TurboValue, 1.0f) << "ready";
    ControlTurbo = 1;
    UpdateTurbo(0);
    EXPECT_NEAR(TurboValue, 8.5f * 0.99f, 1e-5f) << "fired, and burning down";
    EXPECT_EQ(row.revLimit[TopGear], row.revLimit[JUMP_TURBO_TOP]);
    EXPECT_EQ(TurboCameraPull, 1);
    EXPECT_LT(ViewFocalScale, 224.0f);
    for (int t = 0; t < 700; t++)
        UpdateTurbo(0);
    EXPECT_LT(TurboValue, 1.0f);
    EXPECT_NE(TurboValue, 0.0f) << "one burn a race";
    EXPECT_EQ(row.revLimit[TopGear], row.revLimit[JUMP_NORMAL_TOP]);
    EXPECT_EQ(ViewFocalScale, 224.0f) << "the view returns to its base";
    EXPECT_EQ(TurboCameraPull, 0);

    // A speed car on a JUMP track has no turbo columns: its top gear stays.
    EngineRow = 0;
    const EngineTableRow before = EngineTable[0];
    TurboValue = 8.5f;
    UpdateTurbo(0);
    EXPECT_EQ(EngineTable[0].revLimit[4], before.revLimit[4]);
    EXPECT_EQ(EngineTable[0].revRise[4], before.revRise[4]);
    ControlTurbo = 0;
    row = kept;
}

TEST(DriveModel, LooseSurfacesShakeTheBodyAndSlowTheRevs) {
    FlatEverywhere();
    ReleasedRace(7, 0);
    PlaceCar(0, 12, Centre, Centre, RestHeight(12));
    motor[0] = 20;
    // Sand cuts the rev rise above gear 0.
    EngineRow = 20;
    CarGear[0] = 2;
    EngineRevs[0] = 0.5f;
    ControlAccelerate = 1;
    ControlBrake = ControlLeft = ControlRight = 0;
    DriveDirection[0] = 1;
    ShiftState[0] = 0;
    SteerAndPedals(0);
    const float clean = EngineRevs[0] - 0.5f;
    SurfaceFlags[0][SURFACE_SAND] = 1;
    EngineRevs[0] = 0.5f;
    SteerAndPedals(0);
    EXPECT_NEAR(EngineRevs[0] - 0.5f, 0.6f * clean, 1e-6f);

    // Deep water turns the car and saps the engine's force.
    SurfaceFlags[0][SURFACE_SAND] = 0;
    SurfaceFlags[0][SURFACE_WATER3] = 1;
    float force = 2.0f, steering = 0.1f;
    CarSpeed[0] = 20.0f;
    ApplySurfaceResponse(0, &force, &steering);
    EXPECT_NEAR(force, 0.8f, 1e-6f);
    EXPECT_NEAR(steering, 0.3f, 1e-6f);
    // Above two wheels in the air the surface does nothing.
    WheelsInAir[0] = 3;
    force = 2.0f;
    ApplySurfaceResponse(0, &force, &steering);
    EXPECT_EQ(force, 2.0f);
    WheelsInAir[0] = 0;
    SurfaceFlags[0][SURFACE_WATER3] = 0;

    // Dirt at speed: the shake alternates pitch and roll in its rhythm.
    SurfaceFlags[0][SURFACE_ROCK] = 1;
    BumpCounter = 0;
    CarSpeed[0] = 40.0f;
    float roll = SimRoll[0];
    int rolled = 0;
    for (int call = 0; call < 40; call++) {
        force = 2.0f;
        ApplySurfaceResponse(0, &force, &steering);
        rolled += SimRoll[0] != roll;
        roll = SimRoll[0];
    }
    EXPECT_GT(rolled, 10) << "phase 2 rolls the body";
    EXPECT_LT(BumpCounter, 33);
    SurfaceFlags[0][SURFACE_ROCK] = 0;
}

}  // namespace
