// Wall and car collisions on hand-made walls and boxes, for footprints of
// both corner orders of the box table (model 0 takes its corners one way
// round, model 2 the other).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "frame/frame_state.h"
#include "net/net_state.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/collision.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track_test_util.h"

namespace {

const float HalfWidth = 150.0f, Front = 380.0f, Rear = -350.0f;
const int BoxBase = 100;   // the collision objects' first vertex in the pool
const float WallX = 60000.0f;

// Every model's box as the sample folder writes it: a plan quad, corners in
// order round its edge.
void LoadBoxes() {
    memset(VertexPool, 0, sizeof(ObjectVertex) * (BoxBase + 80));
    for (int model = 0; model < 20; model++) {
        const float corners[4][2] = {{-HalfWidth, Rear}, {HalfWidth, Rear}, {HalfWidth, Front}, {-HalfWidth, Front}};
        for (int k = 0; k < 4; k++)
            VertexPool[BoxBase + 4 * model + k] = {corners[k][0], 0.0f, corners[k][1], 0.0f, 0.0f};
    }
    VertexTotal = BoxBase + 80;
    CollisionBoxBase = BoxBase;
    CarBoxesDirty = 1;
}

void SetWalls(const std::vector<CollisionLine>& walls) {
    for (size_t i = 0; i < walls.size(); i++)
        CollisionLineTable[i] = walls[i];
    CollisionLineWords = (int)walls.size() * 16;
}

// A wall along z at x, its road side towards -x, between z0 and z1.
CollisionLine WallAlongZ(float x, float z0, float z1, float heightLimit = 0.0f) {
    CollisionLine line = {};
    line.x1 = x, line.z1 = z0;
    line.x2 = x, line.z2 = z1;
    line.heightLimit = heightLimit;
    line.material = 1;
    return line;
}

void PlaceCar(int car, int model, float x, float z, float heading, float vx, float vz) {
    CarModel[car] = model;
    SimPosX[car] = x;
    SimPosZ[car] = z;
    SimPosY[car] = 100.0f;
    SimHeading[car] = HeadingAccum[car] = heading;
    SimPitch[car] = SimRoll[car] = 0.0f;
    VelocityX[car] = vx;
    VelocityZ[car] = vz;
    CarSpeed[car] = std::hypot(vx, vz);
    EngineRevs[car] = 2.0f;
    CollisionImpulseX[car] = CollisionImpulseZ[car] = 0.0f;
    CarBodies[car] = CarBody{};
    CarBodies[car].forward[1] = 1.0f;
    CarBodies[car].side[0] = -1.0f;
    CarCrashKind[car] = 0;
    WallContactA[car] = WallContactB[car] = 0;
}

struct Collision : ::testing::TestWithParam<int> {
    void SetUp() override {
        FrontEndActive = 0;
        TrackGroup = 1;
        TrackVariant = 0;
        TrackCode = 10;
        CarCount = 2;
        LocalCar = 0;
        SplitScreen = 0;
        PresentationRun = 0;
        NetSessionOpen = 0;
        NetIsHost = 0;
        LoadBoxes();
        CollisionGrid.columns = CollisionGridColumns(1);
        ListEverywhere(CollisionGrid, {0});
        SetWalls({WallAlongZ(WallX, 0.0f, 200000.0f)});
        CarBoxReady = 0;
    }
    void TearDown() override {
        CollisionLineWords = 0;
        CollisionBoxBase = -1;
        NetSessionOpen = 0;
        FrontEndActive = 1;
    }
    int Model() const { return GetParam(); }
};

TEST_P(Collision, AScrapeKeepsTheVelocityTakesOnePercentOfTheRevsAndPushesDepthPlusOne) {
    // The right side 10 into the wall, 3 a tick towards it: squared, the
    // impact speed would be 9 and an impact.
    PlaceCar(0, Model(), WallX - HalfWidth + 10.0f, 50000.0f, 0.0f, 3.0f, 20.0f);
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], WallX - HalfWidth - 1.0f);
    EXPECT_FLOAT_EQ(SimPosZ[0], 50000.0f);
    EXPECT_FLOAT_EQ(VelocityX[0], 3.0f);
    EXPECT_FLOAT_EQ(VelocityZ[0], 20.0f);
    EXPECT_FLOAT_EQ(EngineRevs[0], 2.0f * 0.99f);
    EXPECT_EQ(CarBodies[0].impactMark, 0) << "a scrape is no blow";
    EXPECT_EQ(WallImpactState[0], 0) << "back to 0 on leaving";
    EXPECT_GE(WallContactA[0] + WallContactB[0], 1) << "a side touched";
}

TEST_P(Collision, AnImpactBouncesTheCarOffAndMarksItsBody) {
    PlaceCar(0, Model(), WallX - HalfWidth + 12.0f, 50000.0f, 0.0f, 20.0f, 10.0f);
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], WallX - HalfWidth - 1.0f);
    EXPECT_FLOAT_EQ(VelocityX[0], -0.72f * 20.0f) << "the normal speed comes back at 72 %";
    EXPECT_FLOAT_EQ(VelocityZ[0], 0.46f * 10.0f) << "the speed along the wall keeps 46 %";
    EXPECT_FLOAT_EQ(CollisionImpulseX[0], 0.1f * VelocityX[0]);
    EXPECT_EQ(CarBodies[0].impactMark, 1);
    EXPECT_FLOAT_EQ(EngineRevs[0], 2.0f);
}

TEST_P(Collision, AWallsHeightLimitHoldsCarsUpToItsHeight) {
    SetWalls({WallAlongZ(WallX, 0.0f, 200000.0f, 300.0f)});
    PlaceCar(0, Model(), WallX - HalfWidth + 10.0f, 50000.0f, 0.0f, 0.0f, 0.0f);
    SimPosY[0] = 301.0f;
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], WallX - HalfWidth + 10.0f) << "above the wall";
    SimPosY[0] = 300.0f;
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], WallX - HalfWidth - 1.0f);
}

TEST_P(Collision, OnlyTheWallsOfTheCellOfTheCarsCentreCount) {
    // The wall is listed in its own cell only; the car's centre lies in the
    // cell to the left while its side crosses the wall.
    const int wallColumn = (int)(WallX / 750.0f), row = 50000 / 750;
    CollisionGrid.lists[0] = -1;
    CollisionGrid.lists[1] = 0;
    CollisionGrid.lists[2] = -1;
    CollisionGrid.offsets[row * CollisionGrid.columns + wallColumn] = 1;
    const float x = (float)(wallColumn * 750) - 1.0f;   // the cell to the left
    SetWalls({WallAlongZ(x + 100.0f, 0.0f, 200000.0f)});
    PlaceCar(0, Model(), x, 50000.0f, 0.0f, 0.0f, 0.0f);
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], x) << "the wall of the next cell was seen";
    SimPosX[0] = x + 2.0f;   // the centre crosses into the wall's cell
    CollideCarWalls(0);
    EXPECT_LT(SimPosX[0], x + 2.0f - 40.0f);
}

TEST_P(Collision, ACarOutsideTheGridFindsNoWalls) {
    // Listed in every cell, but the car lies past the last column: the cell
    // formula would wrap into the next row.
    const float x = (float)(CollisionGrid.columns * 750) + 200.0f;
    SetWalls({WallAlongZ(x + 100.0f, 0.0f, 200000.0f)});
    PlaceCar(0, Model(), x, 50000.0f, 0.0f, 0.0f, 0.0f);
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], x);
}

TEST_P(Collision, ParallelAndZeroLengthWallsGiveNoContact) {
    // One wall lies along the car's right side, one is a point inside it.
    CollisionLine point = WallAlongZ(WallX - 50.0f, 50000.0f, 50000.0f);
    SetWalls({WallAlongZ(WallX - HalfWidth + HalfWidth * 2.0f, 49000.0f, 51000.0f), point});
    ListEverywhere(CollisionGrid, {0, 1});
    PlaceCar(0, Model(), WallX - HalfWidth, 50000.0f, 0.0f, 1.0f, 1.0f);
    CollideCarWalls(0);
    EXPECT_FLOAT_EQ(SimPosX[0], WallX - HalfWidth);
    EXPECT_FLOAT_EQ(SimPosZ[0], 50000.0f);
    EXPECT_EQ(WallContactA[0] + WallContactB[0], 0);
}

TEST_P(Collision, AWallsEndInsideTheFootprintPushesTheCarOffIt) {
    // A short wall poking 20 into the car's front from ahead: its end is the
    // deepest thing, and the car moves back off it.
    CollisionLine stub = {};
    stub.x1 = 50000.0f, stub.z1 = 50000.0f + Front - 20.0f;
    stub.x2 = 50000.0f, stub.z2 = 50000.0f + Front + 500.0f;
    SetWalls({stub});
    PlaceCar(0, Model(), 50000.0f, 50000.0f, 0.0f, 0.0f, 5.0f);
    CollideCarWalls(0);
    EXPECT_NEAR(SimPosZ[0], 50000.0f - 21.0f, 0.01f);
    EXPECT_NEAR(SimPosX[0], 50000.0f, 0.01f);
}

// Two cars whose footprints overlap by `depth` at car 0's front.
void HeadOn(int model, float depth, float speed) {
    PlaceCar(0, model, 50000.0f, 50000.0f, 0.0f, 0.0f, speed);
    PlaceCar(1, model, 50000.0f, 50000.0f + Front - Rear - depth, 0.0f, 0.0f, 0.0f);
}

TEST_P(Collision, EachPairIsAnsweredOnceInTheHigherCarsCall) {
    HeadOn(Model(), 30.0f, 10.0f);
    CollideCars(0);
    EXPECT_FLOAT_EQ(VelocityZ[0], 10.0f) << "car 0 has no lower car";
    EXPECT_EQ(CarCrashKind[0] + CarCrashKind[1], 0);
    CollideCars(1);
    EXPECT_EQ(CarCrashKind[0], 2) << "strength 2,000: a hard hit on the lower car";
    EXPECT_LT(VelocityZ[0], 10.0f);
    EXPECT_GT(VelocityZ[1], 0.0f);
    EXPECT_NEAR(VelocityZ[0] + VelocityZ[1], 10.0f, 0.01f) << "what one loses the other gains";
    EXPECT_EQ(CarBodies[0].impactMark, 1);
    EXPECT_EQ(CarBodies[1].impactMark, 1);
    // Separated: the shallower car stands clear by one unit.
    EXPECT_NEAR(SimPosZ[1] - SimPosZ[0], Front - Rear + 1.0f, 0.05f);
}

TEST_P(Collision, AGentleTouchIsALightHit) {
    HeadOn(Model(), 5.0f, 2.0f);
    CollideCars(1);
    EXPECT_EQ(CarCrashKind[0], 1) << "strength 400";
    EXPECT_EQ(CarBodies[0].impactMark, 0);
}

TEST_P(Collision, TheHostReportsHardHitsCappedAt31000) {
    NetSessionOpen = 1;
    NetIsHost = 1;
    HeadOn(Model(), 30.0f, 200.0f);   // |dv| x 200 = 40,000
    HitReportPending[0] = HitReportPending[1] = 0;
    CollideCars(1);
    EXPECT_EQ(HitReportPending[0], 1);
    EXPECT_EQ(HitReportPending[1], 1);
    EXPECT_EQ(HitReportStore[0][0], 31000);
    EXPECT_EQ(HitReportStore[1][0], 31000);
}

TEST_P(Collision, CarsFarApartAreNotCompared) {
    // Boxes that would overlap if they were near each other: the distance
    // test comes first.
    PlaceCar(0, Model(), 50000.0f, 50000.0f, 0.0f, 0.0f, 0.0f);
    PlaceCar(1, Model(), 50000.0f, 51300.0f, 0.0f, 0.0f, 0.0f);
    for (int k = 0; k < 4; k++)
        VertexPool[BoxBase + 4 * Model() + k].z *= 4.0f;
    CarBoxesDirty = 1;
    CollideCars(1);
    EXPECT_EQ(CarCrashKind[0], 0);
}

INSTANTIATE_TEST_SUITE_P(BothCornerOrders, Collision, ::testing::Values(0, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return "Model" + std::to_string(info.param); });

}  // namespace
