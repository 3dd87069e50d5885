// The built-in scene point tables and the crowd points: what each track
// group fills, and what it leaves as the previous track left it.

#include <gtest/gtest.h>

#include "race/race_state.h"
#include "track/scene_points.h"
#include "track/track_state.h"

namespace {

const float KEPT = -7.0f;   // marks entries no fill should touch

struct ScenePoints : ::testing::Test {
    void SetUp() override {
        for (int k = 0; k < DUST_POINTS_A; k++)
            DustPointsA[k][0] = DustPointsA[k][1] = DustPointsA[k][2] = -7;
        for (int k = 0; k < DUST_POINTS_B; k++) {
            DustPointsB[k][0] = DustPointsB[k][1] = DustPointsB[k][2] = KEPT;
            DustPointYaws[k] = KEPT;
        }
        for (int k = 0; k < CROWD_POINTS; k++)
            CrowdPoints[k][0] = CrowdPoints[k][1] = KEPT;
    }
    void TearDown() override { Track(1, 0); }

    static void Track(int group, int variant) {
        TrackGroup = group;
        TrackVariant = variant;
        TrackCode = group * 10 + variant;
    }
    static bool Point(int k, float x, float z, float y) {
        return DustPointsB[k][0] == x && DustPointsB[k][1] == z && DustPointsB[k][2] == y;
    }
};

TEST_F(ScenePoints, LampPointsAndTheCanAreTheSameOnEveryTrackButTheJumpsExtraFour) {
    Track(1, 0);
    CurrentCar = 5;
    CarSpeed[0] = 50.0f;
    FillPositionTables();
    const int first[6][3] = {{65614, 1016, 29230}, {66778, 1016, 29380}, {67890, 1016, 29446},
                             {69006, 1016, 29460}, {58556, 722, 74489},  {57914, 702, 75457}};
    for (int k = 0; k < 6; k++)
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(DustPointsA[k][c], first[k][c]) << k;
    for (int k = 21; k < 25; k++)
        EXPECT_EQ(DustPointsA[k][1], 2135) << k;
    EXPECT_EQ(DustPointsA[25][0], -7) << "rows 25..28 belong to the jump tracks";
    EXPECT_EQ(CanPosition[0], 30620.4f);
    EXPECT_EQ(CanPosition[1], 1887.69f);
    EXPECT_EQ(CanPosition[2], 89925.1f);
    EXPECT_EQ(CurrentCar, 0);
    EXPECT_EQ(CarSpeed[0], 0.1f);
    EXPECT_TRUE(Point(0, KEPT, KEPT, KEPT)) << "group 1 has no dust clouds";

    Track(4, 0);
    FillPositionTables();
    const int jump[4][2] = {{59324, 47260}, {60628, 48484}, {61548, 49916}, {62028, 51092}};
    for (int k = 0; k < 4; k++) {
        EXPECT_EQ(DustPointsA[25 + k][0], jump[k][0]);
        EXPECT_EQ(DustPointsA[25 + k][1], 2135);
        EXPECT_EQ(DustPointsA[25 + k][2], jump[k][1]);
    }
}

TEST_F(ScenePoints, DustCloudsByGroup) {
    Track(4, 0);
    FillPositionTables();
    EXPECT_TRUE(Point(0, 46153, 56325, 3899));
    EXPECT_TRUE(Point(1, 45740, 56343, 3868));
    EXPECT_NE(DustPointsB[21][0], KEPT);
    EXPECT_EQ(DustPointsB[22][0], KEPT) << "22 clouds on the jump tracks";

    SetUp();
    Track(6, 4);
    FillPositionTables();
    EXPECT_TRUE(Point(0, 17732, 88812, 4616));
    EXPECT_TRUE(Point(3, 16623, 21061, 4524));
    EXPECT_EQ(DustPointYaws[0], -0.82f);
    EXPECT_EQ(DustPointYaws[3], 0.79f);
    EXPECT_EQ(DustPointsB[4][0], KEPT);
    SetUp();
    Track(6, 3);
    FillPositionTables();
    EXPECT_EQ(DustPointsB[0][0], KEPT) << "only variant 4 of the cross tracks has clouds";

    Track(5, 2);
    FillPositionTables();
    EXPECT_TRUE(Point(0, 8192, 62185, 11207));
    const float yaws[7] = {-1.51f, -0.6559f, 0.5f, 1.5919f, 1.56f, 0.0f, 1.58f};
    for (int k = 0; k < 21; k++)
        EXPECT_EQ(DustPointYaws[k], yaws[k / 3]) << "the arena's clouds come in triples, k " << k;
    EXPECT_EQ(DustPointsB[21][0], KEPT);
}

// Code 79 is a buggy track: it takes the buggy clouds, then the arena's,
// which overwrite the first 21 and leave the buggy list's last two.
TEST_F(ScenePoints, Code79TakesTheBuggyCloudsThenTheArenasOverThem) {
    Track(7, 0);
    FillPositionTables();
    EXPECT_TRUE(Point(0, 27644, 68630, 3722));
    EXPECT_TRUE(Point(22, 28288, 61615, 3664));
    EXPECT_EQ(DustPointYaws[0], KEPT) << "the buggy clouds have no yaws";

    SetUp();
    Track(7, 9);
    FillPositionTables();
    EXPECT_TRUE(Point(0, 8192, 62185, 11207));
    EXPECT_EQ(DustPointYaws[20], 1.58f);
    EXPECT_TRUE(Point(21, 30171, 55121, 3642));
    EXPECT_TRUE(Point(22, 28288, 61615, 3664));
    EXPECT_EQ(DustPointYaws[21], KEPT);
}

TEST_F(ScenePoints, CrowdPointsAndSkidThresholdsByGroup) {
    Track(1, 0);
    SetCrowdPoints();
    EXPECT_EQ(CrowdPoints[0][0], 59395.0f);
    EXPECT_EQ(CrowdPoints[4][1], 63287.0f);
    EXPECT_EQ(CrowdPoints[5][0], KEPT);
    EXPECT_EQ(SkidOnThreshold, 12.0f);
    EXPECT_EQ(SkidOffThreshold, 10.0f);
    EXPECT_EQ(LandingVolumeBase, 32000);

    // Group 3 sets two points; the other five keep group 1's.
    Track(3, 0);
    SetCrowdPoints();
    EXPECT_EQ(CrowdPoints[0][0], 58210.0f);
    EXPECT_EQ(CrowdPoints[1][1], 94699.0f);
    EXPECT_EQ(CrowdPoints[2][0], 10576.0f);
    EXPECT_EQ(CrowdPoints[4][1], 63287.0f);

    Track(4, 0);
    SetCrowdPoints();
    EXPECT_EQ(CrowdPoints[5][0], 47031.0f);
    EXPECT_EQ(SkidOnThreshold, 57.0f);
    EXPECT_EQ(SkidOffThreshold, 52.0f);

    // The arena has no crowd: the points stay, the thresholds change.
    Track(5, 0);
    SetCrowdPoints();
    EXPECT_EQ(CrowdPoints[5][0], 47031.0f);
    EXPECT_EQ(SkidOnThreshold, 35.0f);
    EXPECT_EQ(SkidOffThreshold, 30.0f);

    Track(7, 0);
    SetCrowdPoints();
    EXPECT_EQ(CrowdPoints[6][0], 33799.0f);
    EXPECT_EQ(CrowdPoints[6][1], 46330.0f);
}

}  // namespace
