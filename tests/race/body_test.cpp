// The sprung body: settling on flat ground and on slopes, the spring stop,
// flight and landing, the angle limits, walls, the slope under the car and
// the JUMP distance.

#include <gtest/gtest.h>

#include <cmath>

#include "race/physics.h"
#include "race/race_state.h"
#include "race_test_util.h"
#include "render/geometry.h"
#include "track/ground.h"
#include "track/track_state.h"
#include "track/zones.h"

using namespace race_test;

namespace {

const float Pi = 3.14159265358979f;

// The engines held, as before the start: the bodies still settle.
void HeldRace() {
    ReleasedRace();
    StartStage = -1;
    EnginesReleased = 0;
}

// A JUMP event of the variant on the flat before its start, nothing
// measured, the race not over.
void JumpAttempt(int variant) {
    FlatEverywhere();
    HeldRace();
    TrackGroup = 4;
    TrackVariant = variant;
    TrackCode = 40 + variant;
    JumpDistance = 0.0f;
    JumpEnded = 0;
    RaceOver = 0;
    EventFailed = 0;
}

// The greatest height of a drawn wheel point above (or below) the ground
// under it: the wheels are drawn at the pose's plan points (the model's
// offsets turned by heading, pitch and roll) at the body step's wheel heights.
float DrawnWheelGap(int car) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
    float worst = 0.0f;
    for (int j = 0; j < 4; j++) {
        const float x = SimPosX[car] + WheelOffsetX[car][j] * PhysMatrix[0][0] + WheelOffsetZ[car][j] * PhysMatrix[2][0];
        const float z = SimPosZ[car] + WheelOffsetX[car][j] * PhysMatrix[0][2] + WheelOffsetZ[car][j] * PhysMatrix[2][2];
        const float gap = WheelHeights[car][j] - CarBodies[car].wheel[j].radius - GroundHeight(x, z, -1, 0);
        if (std::fabs(gap) > std::fabs(worst))
            worst = gap;
    }
    return worst;
}

TEST(CarBody, EveryModelSettlesOnFlatGroundWithin90Ticks) {
    FlatEverywhere();
    HeldRace();
    for (int model = 0; model < MOTION_MODELS; model++) {
        SCOPED_TRACE(model);
        PlaceCar(0, model, Centre, Centre, RestHeight(model) + 200.0f);
        for (int t = 0; t < 90; t++)
            DriveTick(0, 0);
        // Settled at tick 90, and it stays so.
        for (int t = 90; t < 150; t++) {
            const CarBody& body = CarBodies[0];
            ASSERT_LT(std::fabs(body.vertVel), 0.05f) << "tick " << t;
            ASSERT_EQ(WheelsInAir[0], 0) << "tick " << t;
            ASSERT_LT(std::fabs(SimRoll[0]), 0.002f) << "tick " << t;
            ASSERT_LT(std::fabs(SimPitch[0]), 0.002f) << "tick " << t;
            for (int k = 0; k < 4; k++)
                ASSERT_NEAR(body.wheel[k].height, body.wheel[k].radius, 2.0f) << "wheel " << k << " tick " << t;
            DriveTick(0, 0);
        }
        // The body centre rests 5..20 above the wheel centres.
        const float above = SimPosY[0] - CarBodies[0].wheel[0].height;
        EXPECT_GE(above, 5.0f);
        EXPECT_LE(above, 20.0f);
    }
}

// On a slope of 0.1 rad across or along the car, the body takes the slope
// and the wheels the car is drawn with stand on the ground.  A body whose
// wheels were mixed up left for right would lean the wrong way and draw its
// wheels 27 units off the ground.
TEST(CarBody, SettlesOnSlopesWithItsDrawnWheelsOnTheGround) {
    const float slope = 0.1f, t = std::tan(slope);
    for (int across = 0; across < 2; across++) {
        for (float heading : {0.0f, 0.7f, -2.4f}) {
            for (int model : {0, 3, 9, 14}) {
                SCOPED_TRACE(testing::Message() << "across " << across << " heading " << heading << " model " << model);
                PlaneWorld(across ? t : 0.0f, across ? 0.0f : t, 1000.0f);
                HeldRace();
                PlaceCar(0, model, Centre, Centre, RestHeight(model, 1000.0f) + 200.0f, heading);
                for (int i = 0; i < 90; i++)
                    DriveTick(0, 0);
                // The gradient along the car and across it (towards its right).
                const float gx = across ? t : 0.0f, gz = across ? 0.0f : t;
                const float along = gx * std::sin(heading) + gz * std::cos(heading);
                const float right = gx * std::cos(heading) - gz * std::sin(heading);
                EXPECT_NEAR(SimPitch[0], -std::atan(along), 0.02f) << "a positive pitch is nose-down";
                EXPECT_NEAR(SimRoll[0], std::atan(right), 0.02f) << "a positive roll raises the right side";
                EXPECT_EQ(WheelsInAir[0], 0);
                EXPECT_LT(std::fabs(DrawnWheelGap(0)), 5.0f);
                EXPECT_NEAR(SlopeAngle[0], -std::atan(along), 0.01f) << "positive when the front lies lower";
            }
        }
    }
}

TEST(CarBody, AWheelBelowItsSpringStopPushesTwiceAndMarksTheBody) {
    FlatEverywhere();
    HeldRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    CarBody& body = CarBodies[0];
    const CarWheel w = body.wheel[0];
    // Wheels 30 below their stop.
    body.y = w.radius + w.springStop - 30.0f;
    const float y0 = body.y;
    StepCarBody(&body, 0);
    EXPECT_EQ(body.bottomed, 1);
    float push = 0.0f;
    for (int k = 0; k < 4; k++) {
        EXPECT_EQ(body.wheel[k].extension, body.wheel[k].springStop);
        push += 2.0f * (body.wheel[k].restSeparation - body.wheel[k].springStop) * body.wheel[k].stiffness;
    }
    EXPECT_NEAR(body.vertAccel, push / body.mass - 3.0f, 1e-4f);
    EXPECT_NEAR(body.y, y0 + body.vertAccel, 1e-3f);

    // Within the stop: single force, not bottomed.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0) - 5.0f);
    StepCarBody(&CarBodies[0], 0);
    EXPECT_EQ(CarBodies[0].bottomed, 0);
}

TEST(CarBody, InTheAirTheNoseDropsAndOnlyALongFlightLandsWithASound) {
    FlatEverywhere();
    HeldRace();
    PlaceCar(0, 0, Centre, Centre, 3000.0f);
    float pitch = SimPitch[0];
    for (int t = 1; t <= 5; t++) {
        DriveTick(0, 0);
        EXPECT_EQ(WheelsInAir[0], 4);
        EXPECT_NEAR(SimPitch[0] - pitch, 0.01f, 1e-6f);
        pitch = SimPitch[0];
        EXPECT_EQ(AirborneTicks[0], t);
    }

    // Landing after 8 airborne ticks leaves LandingTicks; after 9 it is set.
    for (int ticks : {8, 9}) {
        PlaceCar(0, 0, Centre, Centre, RestHeight(0));
        LandingTicks[0] = 0;
        AirborneTicks[0] = ticks;
        StepCarBody(&CarBodies[0], 0);
        EXPECT_EQ(AirborneTicks[0], 0);
        EXPECT_EQ(PrevAirborneTicks[0], ticks);
        EXPECT_EQ(LandingTicks[0], ticks > 8 ? ticks : 0) << ticks << " ticks";
    }
}

TEST(CarBody, RollAndPitchStayInsideTheirLimitsWhateverTheTorques) {
    FlatEverywhere();
    HeldRace();
    for (float spin : {1.0e6f, -1.0e6f}) {
        PlaceCar(0, 0, Centre, Centre, RestHeight(0));
        for (float& w : CarBodies[0].angVel)
            w = spin;
        for (int t = 0; t < 5; t++) {
            DriveTick(0, 0);
            EXPECT_LE(std::fabs(SimRoll[0]), Pi / 4.0f + 1e-6f);
            EXPECT_LE(std::fabs(SimPitch[0]), Pi / 3.0f + 1e-6f);
            EXPECT_TRUE(std::isfinite(CarBodies[0].y));
        }
    }
}

TEST(CarBody, AWallKeepsTheHeadingOfACarTurningIntoIt) {
    FlatEverywhere();
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    // Moving at 40 with full right lock: the yaw rate is positive.
    for (int t = 0; t < 15; t++)
        DriveTick(0, INPUT_RIGHT);
    auto turn = [](int bits) {
        VelocityX[0] = 40.0f * std::sin(HeadingAccum[0]);
        VelocityZ[0] = 40.0f * std::cos(HeadingAccum[0]);
        CarSpeed[0] = 40.0f;
        const float before = SimHeading[0];
        DriveTick(0, bits);
        return SimHeading[0] - before;
    };
    WallContactA[0] = 1;
    EXPECT_EQ(turn(INPUT_RIGHT), 0.0f) << "turning right into a wall on side A";
    WallContactA[0] = 0;
    WallContactB[0] = 1;
    EXPECT_GT(turn(INPUT_RIGHT), 0.0f) << "a wall on the other side does not stop it";
    WallContactB[0] = 0;
}

TEST(CarBody, SlopeAngleKeepsItsValueWhenTheLeftWheelsMeetInPlan) {
    PlaneWorld(0.0f, std::tan(0.1f), 1000.0f);
    HeldRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0, 1000.0f));
    DriveTick(0, 0);
    EXPECT_NEAR(SlopeAngle[0], -0.1f, 0.01f);

    // A level car on level ground: 0, unless wheels 0 and 2 meet in plan.
    FlatEverywhere();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    SlopeAngle[0] = 0.05f;
    StepCarBody(&CarBodies[0], 0);
    EXPECT_EQ(SlopeAngle[0], 0.0f);
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    WheelOffsetX[0][2] = WheelOffsetX[0][0];
    WheelOffsetZ[0][2] = WheelOffsetZ[0][0];
    SlopeAngle[0] = 0.05f;
    StepCarBody(&CarBodies[0], 0);
    EXPECT_EQ(SlopeAngle[0], 0.05f);
}

// The JUMP distance is measured only while car 0 flies inside the jump zone,
// from the take-off line at z 158,812; it ends when the car comes down in a
// landing zone.
TEST(CarBody, JumpDistanceIsMeasuredInFlightPastTheTakeOffLine) {
    JumpAttempt(2);
    JumpRecordTable[2] = 5.0f;
    SingleRaceMode = 0;
    PlaceCar(0, 4, Centre, 158812.0f - 500.0f, 3000.0f);

    InJumpZone = 0;
    DriveTick(0, 0);
    EXPECT_EQ(JumpDistance, 0.0f) << "outside the jump zone";
    InJumpZone = 1;
    DriveTick(0, 0);
    EXPECT_EQ(JumpDistance, 0.0f) << "floored behind the line";
    SimPosZ[0] = 158812.0f + 2000.0f;
    DriveTick(0, 0);
    EXPECT_NEAR(JumpDistance, 2000.0f * 0.0037509378f, 1e-3f);

    // Down in the landing zone, beyond the record.
    PlaceCar(0, 4, Centre, 158812.0f + 2000.0f, RestHeight(4));
    SurfaceWord[0] = ZONE_BIT_JUMP;
    DriveTick(0, 0);
    EXPECT_EQ(JumpEnded, 1);
    EXPECT_EQ(RaceOver.load(), 1);
    EXPECT_EQ(EventFailed, 0) << "a measured jump is no failure";
    EXPECT_EQ(JumpBannerTicks, 200);
    EXPECT_NEAR(JumpRecordTable[2], 2000.0f * 0.0037509378f, 1e-3f) << "a new record for the variant";
    // The attempt is over: no more measuring.
    SimPosZ[0] += 1000.0f;
    PlaceCar(0, 4, Centre, SimPosZ[0], 3000.0f);
    DriveTick(0, 0);
    EXPECT_NEAR(JumpDistance, 2000.0f * 0.0037509378f, 1e-3f);
    RaceOver = 0;
    SurfaceWord[0] = 0;
}

// An attempt that ends without a distance (a minute gone, or a climb above
// 300 and back down without flying) ends the race as failed, once: the
// banner clears the flag and the next ticks of the ended race leave it so.
TEST(CarBody, AJumpAttemptEndingWithoutADistanceFails) {
    JumpAttempt(1);
    JumpPeakHeight = 0;
    SurfaceWord[0] = 0;
    struct Attempt {
        int minutes, peak;
    };
    for (const Attempt& a : {Attempt{1, 0}, Attempt{0, 400}}) {
        RaceOver = 0;
        EventFailed = 0;
        RaceClock.minutes = 0;
        PlaceCar(0, 4, Centre, Centre, RestHeight(4));
        DriveTick(0, 0);
        EXPECT_EQ(RaceOver.load(), 0) << "still trying";
        RaceClock.minutes = a.minutes;
        JumpPeakHeight = a.peak;
        DriveTick(0, 0);
        EXPECT_EQ(RaceOver.load(), 1) << a.minutes << " " << a.peak;
        EXPECT_EQ(EventFailed, 1) << a.minutes << " " << a.peak;
        EventFailed = 0;   // the banner read it
        DriveTick(0, 0);
        EXPECT_EQ(EventFailed, 0);
    }
    RaceOver = 0;
    RaceClock.minutes = 0;
    JumpPeakHeight = 0;
}

// The attempt is car 0's: another car of the race standing below 300
// while car 0 is up the ramp ends nothing; car 0 itself coming down does.
TEST(CarBody, OnlyCarZeroEndsAJumpAttempt) {
    JumpAttempt(1);
    SurfaceWord[0] = SurfaceWord[1] = 0;
    RaceClock.minutes = 0;
    PlaceCar(1, 4, Centre, Centre, RestHeight(4));
    JumpPeakHeight = 400;
    DriveTick(1, 0);
    EXPECT_EQ(RaceOver.load(), 0);
    EXPECT_EQ(EventFailed, 0);
    PlaceCar(0, 4, Centre, Centre, RestHeight(4));
    JumpPeakHeight = 400;
    DriveTick(0, 0);
    EXPECT_EQ(RaceOver.load(), 1);
    EXPECT_EQ(EventFailed, 1);
    RaceOver = 0;
    EventFailed = 0;
    JumpPeakHeight = 0;
}

TEST(CarBody, BeforeTheStartTheEngineRevsButTheCarOnlySettles) {
    FlatEverywhere();
    HeldRace();
    motor[0] = 5;
    PlaceCar(0, 0, Centre, Centre, RestHeight(0) + 50.0f);
    float revs = 0.0f;
    for (int t = 0; t < 300; t++) {
        DriveTick(0, INPUT_ACCELERATE | INPUT_RIGHT);
        revs = std::max(revs, EngineRevs[0]);
    }
    EXPECT_NEAR(revs, 2.2f, 0.06f) << "the held engine revs to its limit in gear 0";
    EXPECT_EQ(CarGear[0], 0);
    EXPECT_EQ(SimPosX[0], Centre);
    EXPECT_EQ(SimPosZ[0], Centre);
    EXPECT_EQ(SimHeading[0], 0.0f);
    EXPECT_NEAR(CarBodies[0].wheel[0].height, CarBodies[0].wheel[0].radius, 2.0f) << "settled on its springs";
}

TEST(CarBody, AMasslessOrInertialessBodyStaysFinite) {
    FlatEverywhere();
    HeldRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    CarBodies[0].mass = 0.0f;
    CarBodies[0].inertia1 = 0.0f;
    CarBodies[0].inertia2 = 0.0f;
    for (int t = 0; t < 50; t++)
        DriveTick(0, 0);
    EXPECT_TRUE(std::isfinite(CarBodies[0].y));
    EXPECT_TRUE(std::isfinite(CarBodies[0].vertAccel));
    EXPECT_TRUE(std::isfinite(SimRoll[0]) && std::isfinite(SimPitch[0]));
}

// A car model beyond the table's 20 rows takes row 0's body and wheels.
TEST(CarBody, AModelOutsideTheTableTakesRowZero) {
    FlatEverywhere();
    HeldRace();
    PlaceCar(0, 25, Centre, Centre, RestHeight(0) + 100.0f);
    const float* row = BuiltInMotionRow(0);
    EXPECT_EQ(CarBodies[0].mass, row[MOTION_MASS]);
    EXPECT_EQ(CarBodies[0].wheel[2].restSeparation, row[MOTION_REAR_SEPARATION]);
    float xs[4], zs[4];
    ModelWheelOffsets(0, xs, zs);
    EXPECT_EQ(WheelOffsetZ[0][0], zs[0]);
    for (int t = 0; t < 90; t++)
        DriveTick(0, 0);
    EXPECT_NEAR(CarBodies[0].wheel[0].height, 68.0f, 2.0f);
}

}  // namespace
