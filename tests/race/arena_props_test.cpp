// The arena events' props: the built-in layouts, the knocks and what they
// do to the time limit, the props' fall to rest, the arena cars' places and
// the decorations' animation.

#include <gtest/gtest.h>

#include <cstring>

#include "race/arena_props.h"
#include "race/hud.h"
#include "race/race_state.h"
#include "race/race_test_util.h"
#include "render/geometry.h"
#include "track/track_state.h"

namespace {

const int Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;

// Every global the props touch back to how a fresh process starts it.
void ForgetArena() {
    memset(SlalomProps, 0, sizeof SlalomProps);
    memset(ConeProps, 0, sizeof ConeProps);
    memset(PoleProps, 0, sizeof PoleProps);
    memset(SlalomStates, 0, sizeof SlalomStates);
    memset(ConeStates, 0, sizeof ConeStates);
    memset(PoleStates, 0, sizeof PoleStates);
    memset(PoleBars, 0, sizeof PoleBars);
    memset(ArenaCounts, 0, sizeof ArenaCounts);
    memset(KnockedFlags, 0, sizeof KnockedFlags);
    memset(MarkerLightX, 0, sizeof MarkerLightX);
    memset(MarkerLightY, 0, sizeof MarkerLightY);
    memset(MarkerLightZ, 0, sizeof MarkerLightZ);
    memset(MarkerLightColour, 0, sizeof MarkerLightColour);
    memset(DecorFrames, 0, sizeof DecorFrames);
    memset(DecorSway, 0, sizeof DecorSway);
    memset(DecorBlink, 0, sizeof DecorBlink);
    memset(CarFootprints, 0, sizeof CarFootprints);
    PoleCount = 5;
    PenaltyDisplay = PenaltyCount = 0;
    DecorTicks = 0;
    DecorTexture = 2020;
    DecorSpin = 0.0f;
    TurboLightTimer = 0;
    TurboValue = 0.0f;
    TimeLeft.minutes = 0;
    TimeLeft.seconds = 0;
    CurrentCar = 0;
    for (int car = 0; car < MAX_CARS; car++) {
        cocheX[car] = cocheY[car] = cocheZ[car] = 0.0f;
        SimPosX[car] = SimPosY[car] = SimPosZ[car] = 0.0f;
        VelocityX[car] = VelocityZ[car] = CarSpeed[car] = 0.0f;
        CarHeading[car] = HeadingAccum[car] = 0.0f;
    }
}

class ArenaTest : public ::testing::Test {
protected:
    int group = 0, variant = 0, code = 0;

    void SetUp() override {
        group = TrackGroup, variant = TrackVariant, code = TrackCode;
        ForgetArena();
        race_test::FlatEverywhere();
    }
    void TearDown() override {
        ForgetArena();
        TrackGroup = group, TrackVariant = variant, TrackCode = code;
    }

    static void Load(int v) {
        TrackGroup = 5;
        TrackVariant = v;
        TrackCode = 50 + v;
        LoadObstacleLayout();
    }
    static void Clock(int minutes, int seconds) {
        TimeLeft.minutes = minutes;
        TimeLeft.seconds = seconds;
    }
    static int Seconds() { return TimeLeft.minutes * 60 + TimeLeft.seconds; }

    // Car `car`'s footprint a 600-unit square around (x, z), the car at
    // height y driving north at `speed`.
    static void CarOver(int car, float x, float z, float speed = 50.0f, float y = 300.0f) {
        const float h = 300.0f;
        const float corners[5][2] = {{x - h, z - h}, {x + h, z - h}, {x + h, z + h}, {x - h, z + h}, {x - h, z - h}};
        for (int k = 0; k < 5; k++) {
            CarFootprints[car][2 * k] = corners[k][0];
            CarFootprints[car][2 * k + 1] = corners[k][1];
        }
        cocheX[car] = x, cocheY[car] = y, cocheZ[car] = z;
        VelocityX[car] = 0.0f, VelocityZ[car] = speed;
        CarSpeed[car] = speed;
        CurrentCar = car;
    }
    static void CarAway(int car) { CarOver(car, 1000.0f, 1000.0f, 0.0f); }
};

// ---------------------------------------------------------------------------
// The layouts.

TEST_F(ArenaTest, EveryVariantStoresItsCountsAndBars) {
    struct Row {
        int variant, slalom, targets, cones, c15, c16, extra, poleCount;
    };
    // PoleCount carries over from the variant before when a layout has no
    // bars: 5 at the start, 1 after variant 1, 5 after variant 4.
    const Row rows[] = {{0, 29, 0, 21, 17, 28, 0, 5},   {1, 42, 4, 36, 15, 26, 8, 1},
                        {2, 59, 3, 48, 30, 28, 6, 1},   {3, 72, 3, 108, 76, 49, 7, 1},
                        {4, 95, 6, 93, 47, 69, 12, 5},  {7, 25, 0, 10, 10, 24, 0, 5}};
    for (const Row& row : rows) {
        Load(row.variant);
        EXPECT_EQ(ArenaCounts[ARENA_SLALOM], row.slalom) << row.variant;
        EXPECT_EQ(ArenaCounts[ARENA_TARGETS], row.targets) << row.variant;
        EXPECT_EQ(ArenaCounts[ARENA_CONES], row.cones) << row.variant;
        EXPECT_EQ(ArenaCounts[ARENA_CONE_SPLIT], row.c15) << row.variant;
        EXPECT_EQ(ArenaCounts[ARENA_POLE_SPLIT], row.c16) << row.variant;
        EXPECT_EQ(ArenaCounts[ARENA_EXTRA_LIGHTS], row.extra) << row.variant;
        EXPECT_EQ(PoleCount, row.poleCount) << row.variant;
    }
    // Variant 4's five bars stay counted through a variant without bars.
    Load(4);
    Load(0);
    EXPECT_EQ(PoleCount, 5);
    Load(1);
    EXPECT_EQ(PoleCount, 1);
    EXPECT_EQ(PoleBars[0].x1, 20899.0f);
    EXPECT_EQ(PoleBars[0].top, 580.0f);
    EXPECT_EQ(PoleProps[0].y, 580.0f);
    Load(4);
    EXPECT_EQ(PoleBars[1].z1, 69728.0f);
    EXPECT_EQ(PoleBars[1].cz, 69300.0f);
    EXPECT_EQ(PoleBars[4].z2, 40928.0f);
    EXPECT_EQ(PoleBars[0].top, 680.0f);
}

TEST_F(ArenaTest, VariantsWithoutPropsCountNothing) {
    Load(3);
    for (int v : {5, 6}) {
        Load(v);
        EXPECT_EQ(ArenaCounts[ARENA_SLALOM], 0) << v;
        EXPECT_EQ(ArenaCounts[ARENA_CONES], 0) << v;
        EXPECT_EQ(ArenaCounts[ARENA_EXTRA_LIGHTS], 0) << v;
        EXPECT_EQ(SlalomProps[0].x, 0.0f) << v;
    }
    // Another group leaves the arena tables alone.
    Load(1);
    TrackGroup = 1;
    LoadObstacleLayout();
    EXPECT_EQ(ArenaCounts[ARENA_SLALOM], 42);
}

TEST_F(ArenaTest, TellingRowsStandWhereTheLayoutPutsThem) {
    Load(0);
    const float gates[4][2] = {{31640, 68780}, {31580, 69600}, {29860, 68780}, {29920, 69600}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(SlalomProps[i].x, gates[i][0]) << i;
        EXPECT_EQ(SlalomProps[i].y, 8.0f) << i;
        EXPECT_EQ(SlalomProps[i].z, gates[i][1]) << i;
    }
    Load(1);
    const float targets[4][2] = {{28610, 69014}, {31900, 75030}, {29730, 80400}, {33605, 84676}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(SlalomProps[38 + i].x, targets[i][0]);
        EXPECT_EQ(SlalomProps[38 + i].z, targets[i][1]);
    }
    EXPECT_FLOAT_EQ(SlalomProps[41].yaw, 0.85f);
    EXPECT_EQ(SlalomProps[40].yaw, 0.0f);
    Load(2);
    EXPECT_FLOAT_EQ(SlalomProps[56].yaw, 3.1416f);
    EXPECT_FLOAT_EQ(SlalomProps[58].yaw, 4.3416f);
    Load(4);
    EXPECT_EQ(ConeProps[0].x, 33924.0f);
    EXPECT_EQ(ConeProps[2].z, 56673.0f);
}

TEST_F(ArenaTest, EveryPropStandsOnTheArenaFloor) {
    for (int v : {0, 1, 2, 3, 4, 7}) {
        Load(v);
        for (int i = 0; i < ArenaCounts[ARENA_SLALOM]; i++) {
            EXPECT_EQ(SlalomProps[i].y, 8.0f) << v << " slalom " << i;
            EXPECT_TRUE(SlalomProps[i].x > 19000 && SlalomProps[i].x < 42000 && SlalomProps[i].z > 20000 &&
                        SlalomProps[i].z < 92000)
                << v << " slalom " << i;
        }
        for (int i = 0; i < ArenaCounts[ARENA_CONES]; i++) {
            EXPECT_EQ(ConeProps[i].y, 10.0f) << v << " cone " << i;
            EXPECT_TRUE(ConeProps[i].x > 19000 && ConeProps[i].x < 42000 && ConeProps[i].z > 20000 &&
                        ConeProps[i].z < 92000)
                << v << " cone " << i;
        }
    }
    // Variants 0 and 7 put a cone on car 0's start straight, 3,000-5,000
    // ahead of its start at (30,904, 37,586).
    for (int v : {0, 7}) {
        Load(v);
        int ahead = 0;
        for (int i = 0; i < ArenaCounts[ARENA_CONES]; i++)
            ahead += std::fabs(ConeProps[i].x - 30904.0f) < 300.0f && ConeProps[i].z - 37586.0f >= 3000.0f &&
                     ConeProps[i].z - 37586.0f <= 5000.0f;
        EXPECT_EQ(ahead, 1) << v;
    }
}

TEST_F(ArenaTest, LightsStandOverTheirPropsInColourRuns) {
    Load(0);
    for (int i = 0; i < 29; i++) {
        EXPECT_EQ(MarkerLightX[i], SlalomProps[i].x);
        EXPECT_EQ(MarkerLightY[i], SlalomProps[i].y + 594.0f);
        EXPECT_EQ(MarkerLightZ[i], SlalomProps[i].z + 2.0f);
        EXPECT_EQ(MarkerLightColour[i], i < 28 ? Red : Blue) << i;
    }
    Load(1);
    for (int i = 0; i < 42; i++)
        EXPECT_EQ(MarkerLightColour[i], i < 26 ? Red : i < 38 ? Blue : Green) << i;
    for (int i = 38; i < 42; i++) {
        EXPECT_EQ(MarkerLightY[i], SlalomProps[i].y + 304.0f);
        EXPECT_EQ(MarkerLightZ[i], SlalomProps[i].z);
    }
    // The extra lights: eight green ones from 42 on, between heights 92 and
    // 118; targets 38..41 own them two apiece.
    for (int i = 42; i < 50; i++) {
        EXPECT_EQ(MarkerLightColour[i], Green) << i;
        EXPECT_TRUE(MarkerLightY[i] >= 92.0f && MarkerLightY[i] <= 118.0f) << i;
    }
    for (int target = 38; target <= 41; target++) {
        int first = -1;
        ASSERT_TRUE(TargetLights(target, &first));
        EXPECT_EQ(first, 42 + 2 * (target - 38));
    }
    int first = -1;
    EXPECT_FALSE(TargetLights(37, &first));
    Load(4);
    for (int i = 95; i < 107; i++)
        EXPECT_EQ(MarkerLightY[i], 108.0f) << i;
    ASSERT_TRUE(TargetLights(94, &first));
    EXPECT_EQ(first, 103);
    EXPECT_FALSE(TargetLights(89, &first));
}

// ---------------------------------------------------------------------------
// Knocks and the time limit.

TEST(AdjustTimeLeft, CarriesExactlyAndStopsAtZero) {
    struct Case {
        int minutes, seconds, change, wantMinutes, wantSeconds, penalties;
    };
    const Case cases[] = {{1, 3, -5, 0, 58, 1}, {0, 58, 5, 1, 3, 0}, {0, 3, -5, 0, 0, 1},
                          {0, 0, 10, 0, 0, 0},  {0, 1, 10, 0, 11, 0}};
    for (const Case& c : cases) {
        TimeLeft.minutes = c.minutes;
        TimeLeft.seconds = c.seconds;
        PenaltyDisplay = PenaltyCount = 0;
        AdjustTimeLeft(c.change);
        EXPECT_EQ(TimeLeft.minutes, c.wantMinutes) << c.minutes << ":" << c.seconds << " " << c.change;
        EXPECT_EQ(TimeLeft.seconds, c.wantSeconds) << c.minutes << ":" << c.seconds << " " << c.change;
        EXPECT_EQ(PenaltyCount, c.penalties);
        EXPECT_EQ(PenaltyDisplay, -5 * c.penalties);
    }
    TimeLeft.minutes = TimeLeft.seconds = 0;
    PenaltyDisplay = PenaltyCount = 0;
}

TEST_F(ArenaTest, APoleCostsFiveSecondsAndPutsItsLightOut) {
    Load(1);
    Clock(1, 30);
    CarOver(0, SlalomProps[5].x, SlalomProps[5].z);
    UpdateSlalomPoles();
    EXPECT_EQ(Seconds(), 85);
    EXPECT_EQ(PenaltyDisplay, -5);
    EXPECT_EQ(PenaltyCount, 1);
    EXPECT_EQ(KnockedFlags[5], 1);
    EXPECT_EQ(KnockedFlags[4], 0);
    EXPECT_EQ(SlalomStates[5].moving, 1);
    EXPECT_FLOAT_EQ(SlalomStates[5].vy, 0.85f * 50.0f);
    EXPECT_FLOAT_EQ(SlalomStates[5].vz, 100.0f);
}

TEST_F(ArenaTest, ATargetGivesTenSecondsAndDarkensItsLights) {
    Load(1);
    Clock(0, 55);
    CarOver(0, SlalomProps[39].x, SlalomProps[39].z);
    UpdateSlalomPoles();
    EXPECT_EQ(Seconds(), 65);
    EXPECT_EQ(PenaltyCount, 0);
    EXPECT_EQ(PenaltyDisplay, 0);
    for (int light : {39, 44, 45})
        EXPECT_EQ(KnockedFlags[light], 1) << light;
    for (int light : {38, 42, 43, 46})
        EXPECT_EQ(KnockedFlags[light], 0) << light;
}

TEST_F(ArenaTest, AConeFliesByTheCarsSpeed) {
    Load(0);
    Clock(2, 0);
    CarOver(0, ConeProps[3].x, ConeProps[3].z, 70.0f);
    UpdateCones();
    EXPECT_FLOAT_EQ(ConeStates[3].vz, 70.0f);
    EXPECT_FLOAT_EQ(ConeStates[3].vy, 63.0f);
    EXPECT_FLOAT_EQ(ConeStates[3].spin, -0.7f);
    CarOver(0, ConeProps[4].x, ConeProps[4].z, 50.0f);
    UpdateCones();
    EXPECT_FLOAT_EQ(ConeStates[4].vz, 100.0f);
    EXPECT_FLOAT_EQ(ConeStates[4].vy, 54.0f);
    EXPECT_FLOAT_EQ(ConeStates[4].spin, 0.225f);
    EXPECT_EQ(Seconds(), 110);
    EXPECT_EQ(PenaltyCount, 2);
}

TEST_F(ArenaTest, ABarHitsOnlyBelowItsTop) {
    Load(1);
    Clock(1, 0);
    CarOver(0, 22000.0f, 40650.0f, 50.0f, 700.0f);
    UpdatePoles();
    EXPECT_EQ(PoleStates[0].moving, 0);
    EXPECT_EQ(Seconds(), 60);
    CarOver(0, 22000.0f, 40650.0f, 50.0f, 300.0f);
    UpdatePoles();
    EXPECT_EQ(PoleStates[0].moving, 1);
    EXPECT_EQ(Seconds(), 55);
    EXPECT_EQ(PenaltyCount, 1);
    EXPECT_FLOAT_EQ(PoleStates[0].vy, 1.8f);
    EXPECT_FLOAT_EQ(PoleStates[0].vz, 7.5f);
    // The footprint's left and right edges cross the bar at 21,700 and
    // 22,300: the bar spins about their mean's distance from its centre.
    EXPECT_FLOAT_EQ(PoleStates[0].spin, (22599.0f - 22000.0f) * 0.00001f);
}

TEST_F(ArenaTest, NoHitChangesTheClockAtZero) {
    Load(1);
    Clock(0, 0);
    CarOver(0, SlalomProps[2].x, SlalomProps[2].z);
    UpdateSlalomPoles();
    CarOver(0, SlalomProps[38].x, SlalomProps[38].z);
    UpdateSlalomPoles();
    EXPECT_EQ(Seconds(), 0);
    EXPECT_EQ(PenaltyCount, 0);
}

TEST_F(ArenaTest, TwoCarsOnOnePropCountOnce) {
    Load(0);
    Clock(1, 0);
    CarOver(1, SlalomProps[6].x, SlalomProps[6].z);
    CarOver(0, SlalomProps[6].x, SlalomProps[6].z);
    for (int car : {0, 1}) {
        CurrentCar = car;
        UpdateSlalomPoles();
    }
    EXPECT_EQ(PenaltyCount, 1);
    EXPECT_EQ(Seconds(), 55);
}

TEST_F(ArenaTest, AKnockedPoleComesToRestAndIsNeverHitAgain) {
    Load(0);
    Clock(1, 0);
    const float x = SlalomProps[8].x, z = SlalomProps[8].z;
    CarOver(0, x, z, 60.0f);
    UpdateSlalomPoles();
    CarAway(0);
    int ticks = 0;
    while (!SlalomStates[8].done && ticks < 600) {
        UpdateSlalomPoles();
        ticks++;
    }
    EXPECT_EQ(SlalomStates[8].done, 1);
    EXPECT_EQ(SlalomStates[8].moving, 0);
    EXPECT_EQ(SlalomProps[8].tilt, 1.57f);
    // Driven over where it lies, and where it stood: no second penalty.
    CarOver(0, SlalomProps[8].x, SlalomProps[8].z);
    UpdateSlalomPoles();
    CarOver(0, x, z);
    UpdateSlalomPoles();
    EXPECT_EQ(PenaltyCount, 1);
}

TEST_F(ArenaTest, TheStartStraightsConeFallsToAnAcceleratingCar) {
    Load(0);
    Clock(1, 30);
    // Car 0 from its start up the straight, a car length a tick.
    for (float z = 37586.0f; z < 43000.0f; z += 200.0f) {
        CarOver(0, 30904.0f, z, 60.0f);
        UpdateCones();
        UpdateSlalomPoles();
    }
    EXPECT_EQ(ConeStates[0].moving + ConeStates[0].done, 1);
    EXPECT_EQ(Seconds(), 85);
}

// ---------------------------------------------------------------------------
// Arena cars and decorations.

TEST_F(ArenaTest, ArenaCarsTakeTheirPoses) {
    TrackGroup = 5;
    TrackVariant = 3;
    cocheX[0] = 30904.0f, cocheZ[0] = 37586.0f;
    PlaceArenaCars();
    EXPECT_EQ(cocheX[7], 24700.0f);
    EXPECT_EQ(cocheY[7], 302.0f);
    EXPECT_EQ(cocheZ[7], 68037.0f);
    EXPECT_FLOAT_EQ(CarHeading[7], 15.7128f);
    EXPECT_FLOAT_EQ(HeadingAccum[1], 4.6808f);
    EXPECT_EQ(cocheY[1], 303.0f);
    EXPECT_EQ(SimPosZ[7], 68037.0f);
    EXPECT_EQ(SimPosX[0], 30904.0f);
    // Variant 6 places three cars and leaves the others.
    TrackVariant = 6;
    PlaceArenaCars();
    EXPECT_EQ(cocheX[3], 34703.0f);
    EXPECT_EQ(cocheX[7], 24700.0f);
}

TEST_F(ArenaTest, Group3TurnsItsTextureEveryFourTicks) {
    TrackGroup = 3;
    for (int tick = 1; tick <= 40; tick++) {
        AnimateDecorations();
        EXPECT_EQ(DecorTexture, 2020 + (tick / 4) % 8) << tick;
    }
    EXPECT_NEAR(DecorSpin, 40 * 0.03f, 1e-4f);
}

TEST_F(ArenaTest, Group1RestartsTwoLightsEverySixTicks) {
    TrackGroup = 1;
    for (int tick = 1; tick <= 5; tick++)
        AnimateDecorations();
    EXPECT_EQ(DecorFrames[11], 5);
    EXPECT_EQ(DecorFrames[21], 5);
    AnimateDecorations();
    EXPECT_EQ(DecorFrames[11], 0);
    EXPECT_EQ(DecorFrames[21], 0);
    EXPECT_EQ(DecorFrames[12], 6);
    for (int tick = 0; tick < 6; tick++)
        AnimateDecorations();
    EXPECT_EQ(DecorFrames[12], 0);
    EXPECT_EQ(DecorFrames[22], 0);
    // Frames stop at 12, and lights outside 11..28 stay still.
    for (int tick = 0; tick < 60; tick++)
        AnimateDecorations();
    EXPECT_LE(DecorFrames[28], 12);
    EXPECT_EQ(DecorFrames[29], 0);
    EXPECT_EQ(DecorFrames[10], 0);
}

TEST_F(ArenaTest, Group5BlinksItsLightsInPairs) {
    Load(1);
    for (int tick = 1; tick < 20; tick++)
        AnimateDecorations();
    EXPECT_EQ(DecorFrames[0], 12);
    AnimateDecorations();
    // Phase 1: pairs {1, 3}, {5, 7}, ... and every light from 17 on.
    for (int light : {1, 3, 5, 7, 9, 11, 13, 15, 17, 18, 49})
        EXPECT_EQ(DecorFrames[light], 0) << light;
    for (int light : {0, 2, 4, 6, 8, 16})
        EXPECT_EQ(DecorFrames[light], 12) << light;
    EXPECT_EQ(DecorFrames[50], 0);   // beyond the 50 lights nothing moves
    for (int tick = 0; tick < 20; tick++)
        AnimateDecorations();
    for (int light : {0, 2, 4, 6, 8, 16})
        EXPECT_EQ(DecorFrames[light], 0) << light;
    EXPECT_EQ(DecorFrames[1], 12);
}

TEST_F(ArenaTest, Group5LeavesTheRenderMatrixAtCar0sPose) {
    Load(1);
    cocheX[0] = 30000.0f, cocheY[0] = 300.0f, cocheZ[0] = 50000.0f;
    EyeX[0] = -29000.0f, EyeY[0] = -700.0f, EyeZ[0] = -48000.0f;
    CarHeading[0] = 1.0f, AnguloDeCaida[0] = 0.1f, AnguloDeBalanza[0] = -0.05f;
    AnimateDecorations();
    Matrix4 pose;
    CopyMatrix(pose, RenderMatrix);
    LoadIdentityRender();
    MatrixRotateYZX(0.1f, 1.0f, -0.05f);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_FLOAT_EQ(pose[r][c], RenderMatrix[r][c]) << r << c;
    EXPECT_FLOAT_EQ(pose[3][0], 1000.0f);
    EXPECT_FLOAT_EQ(pose[3][1], -400.0f);
    EXPECT_FLOAT_EQ(pose[3][2], 2000.0f);
}

TEST_F(ArenaTest, Group4TurboLightWrapsAbove28) {
    TrackGroup = 4;
    TurboValue = 1.0f;
    for (int tick = 0; tick < 28; tick++)
        AnimateDecorations();
    EXPECT_EQ(TurboLightTimer, 28);
    AnimateDecorations();
    EXPECT_EQ(TurboLightTimer, 0);
    TurboValue = 1.5f;
    AnimateDecorations();
    EXPECT_EQ(TurboLightTimer, 0);
}

}  // namespace
