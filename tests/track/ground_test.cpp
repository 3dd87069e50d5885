// Ground height, the ground triangle under a car and its shade, the arena
// roofs and the ramp.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <thread>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track_test_util.h"

namespace {

const uint32_t Ground = 0x2000;

// The plane y = 100 + 0.5 x + 0.25 z over the square 0..4000, in two
// triangles listed in every height cell.
float Slope(float x, float z) { return 100.0f + 0.5f * x + 0.25f * z; }

void SlopedWorld() {
    BeginObjectLoad(1);
    FrontEndActive = 0;
    AddObject("MUNDO01",
              {{{0, Slope(0, 0), 0}, {4000, Slope(4000, 0), 0}, {4000, Slope(4000, 4000), 4000}},
               {{0, Slope(0, 0), 0}, {4000, Slope(4000, 4000), 4000}, {0, Slope(0, 4000), 4000}}},
              Ground);
    ListEverywhere(HeightGrid, {0, 4});
}

}  // namespace

TEST(GroundHeight, FollowsASlopedPlane) {
    SlopedWorld();
    const float points[][2] = {{1234.5f, 2345.25f}, {3999.0f, 1.0f}, {10.0f, 3990.0f}, {2000.0f, 2000.0f}};
    for (const auto& p : points)
        EXPECT_NEAR(GroundHeight(p[0], p[1], -1, 0), Slope(p[0], p[1]), 0.01f) << p[0] << "," << p[1];
    // The corners of the triangle found are kept for the car pose.
    GroundHeight(3000.0f, 500.0f, -1, 0);
    EXPECT_EQ(GroundTriangleCorners()[1][0], 4000.0f);
    EXPECT_EQ(GroundTriangleCorners()[1][2], 0.0f);
    EXPECT_EQ(GroundTriangleCorners()[2][1], Slope(4000, 4000));
    EXPECT_EQ(GroundTriangleAt(3000.0f, 500.0f), 0);
    EXPECT_EQ(GroundTriangleAt(500.0f, 3000.0f), 4);
}

TEST(GroundHeight, EachThreadKeepsItsOwnCorners) {
    SlopedWorld();
    GroundHeight(3000.0f, 500.0f, -1, 0);   // triangle 0: corner 1 at (4000, 0)
    std::thread tick([] {
        GroundHeight(500.0f, 3000.0f, 1, 0);   // triangle 1: corner 2 at (0, 4000)
        EXPECT_EQ(GroundTriangleCorners()[2][0], 0.0f);
        EXPECT_EQ(GroundTriangleCorners()[2][2], 4000.0f);
    });
    tick.join();
    EXPECT_EQ(GroundTriangleCorners()[1][0], 4000.0f);
    EXPECT_EQ(GroundTriangleCorners()[1][2], 0.0f);
    EXPECT_NEAR(GroundMemory[1][0].load(), Slope(500, 3000), 0.01f) << "the wheel memory is shared";
}

TEST(GroundHeight, HolesKeepEachWheelsLastHeight) {
    SlopedWorld();
    const float found = GroundHeight(1000.0f, 1000.0f, 2, 3);
    EXPECT_NEAR(found, Slope(1000, 1000), 0.01f);
    EXPECT_NEAR(GroundHeight(2000.0f, 1000.0f, 2, 1), Slope(2000, 1000), 0.01f);
    // (5000, 1000) lies over no listed triangle.
    EXPECT_EQ(GroundHeight(5000.0f, 1000.0f, 2, 3), found);
    EXPECT_NEAR(GroundHeight(5000.0f, 1000.0f, 2, 1), Slope(2000, 1000), 0.01f);
    EXPECT_EQ(GroundHeight(5000.0f, 1000.0f, -1, 0), 0.0f);
    EXPECT_EQ(GroundTriangleAt(5000.0f, 1000.0f), -1);
    // In a replay the free cameras take the viewed car's first wheel.
    GroundHeight(3000.0f, 3000.0f, 4, 0);
    ReplayPlaying = 1;
    ViewedCar[0] = 4;
    EXPECT_NEAR(GroundHeight(5000.0f, 1000.0f, -1, 0), Slope(3000, 3000), 0.01f);
    // Bad car or wheel numbers use no memory.
    ReplayPlaying = 0;
    EXPECT_EQ(GroundHeight(5000.0f, 1000.0f, 9, 0), 0.0f);
    EXPECT_EQ(GroundHeight(5000.0f, 1000.0f, 0, 7), 0.0f);
}

TEST(GroundHeight, SkippedEntriesAndTheAcceptedRange) {
    SlopedWorld();
    ListEverywhere(HeightGrid, {-2, 4, -2, 0});
    EXPECT_NEAR(GroundHeight(3000.0f, 500.0f, 0, 0), Slope(3000, 500), 0.01f);
    // 220,000 is still looked up (past the grid: the car's memory answers);
    // beyond it the answer is 0.
    EXPECT_NEAR(GroundHeight(220000.0f, 500.0f, 0, 0), Slope(3000, 500), 0.01f);
    EXPECT_EQ(GroundHeight(220000.5f, 500.0f, 0, 0), 0.0f);
    EXPECT_EQ(GroundHeight(-0.5f, 500.0f, 0, 0), 0.0f);
    EXPECT_EQ(GroundHeight(NAN, 500.0f, 0, 0), 0.0f);
    // Entries left from a world since replaced are passed over.
    TriangleTotal = 1;
    EXPECT_EQ(GroundTriangleAt(500.0f, 3000.0f), -1);
}

TEST(GroundHeight, TheMenuSceneShimmersBetweenZeroAndThirty) {
    SlopedWorld();
    FrontEndActive = 1;
    std::set<float> seen;
    for (int i = 0; i < 200; i++) {
        const float h = GroundHeight(1000.0f, 1000.0f, 0, 0);
        EXPECT_GE(h, 0.0f);
        EXPECT_LE(h, 30.0f);
        seen.insert(h);
    }
    EXPECT_GT(seen.size(), 10u);
}

TEST(GroundUnderCar, FindsTheTriangleAndShadesTheCar) {
    SlopedWorld();
    CurrentCar = 2;
    CarGroundTriangle[2] = 99;
    GroundUnderCar(0.0f, 100.0f);
    EXPECT_EQ(CarGroundTriangle[2], 99) << "x 0 is outside 1..1,000,000";
    GroundUnderCar(500.0f, 3000.0f);
    EXPECT_EQ(CarGroundTriangle[2], 4);
    GroundUnderCar(5000.0f, 3000.0f);
    EXPECT_EQ(CarGroundTriangle[2], 4) << "no triangle: unchanged";

    // Corner shades 0, 120, 240 at (0,0), (4000,4000), (0,4000): the shade
    // is linear over the plan.
    CarShadeTable[4] = 0;
    CarShadeTable[5] = 120;
    CarShadeTable[6] = 240;
    cocheX[2] = 1000.0f;
    cocheZ[2] = 3000.0f;
    CarShadeFromGround();
    const int expected = (int)lround(255.0 - (0.25 * 120 + 0.5 * 240));   // a = 0.25, b = 0.5
    EXPECT_EQ(ViewDarkness[2], expected);
    EXPECT_EQ(ViewDarknessCurrent, expected);
}

TEST(GroundUnderCar, FlatOrMissingTrianglesLeaveTheShade) {
    BeginObjectLoad(1);
    AddObject("MUNDO01", {{{0, 0, 0}, {1000, 0, 1000}, {2000, 0, 2000}}}, Ground);   // zero area
    CurrentCar = 0;
    ViewDarkness[0] = 42;
    CarGroundTriangle[0] = 0;
    CarShadeFromGround();
    EXPECT_EQ(ViewDarkness[0], 42);
    CarGroundTriangle[0] = 4 * 500;   // past the loaded triangles
    CarShadeFromGround();
    EXPECT_EQ(ViewDarkness[0], 42);
}

TEST(PolygonPointDistance, EdgesAndEnds) {
    const float xs[3] = {0, 1000, 0};
    const float zs[3] = {0, 0, 1000};
    EXPECT_FLOAT_EQ(PolygonPointDistance(xs, zs, 500, -300, 3), 300.0f);
    EXPECT_FLOAT_EQ(PolygonPointDistance(xs, zs, 1300, -400, 3), 500.0f) << "past the end: to the corner";
    EXPECT_NEAR(PolygonPointDistance(xs, zs, 600, 600, 3), 200.0f / sqrtf(2.0f), 0.01f);
    const float px[2] = {5, 5};
    const float pz[2] = {5, 5};
    EXPECT_FLOAT_EQ(PolygonPointDistance(px, pz, 8, 9, 2), 5.0f) << "an edge of no length";
}

namespace {

void RoofOf(int car, std::vector<Corner> corners) {
    RoofTriangle& roof = CarRoofTriangles[car][CarRoofTriangleCount[car]++];
    for (int k = 0; k < 3; k++) {
        roof.x[k] = (int)corners[k].x;
        roof.y[k] = (int)corners[k].y;
        roof.z[k] = (int)corners[k].z;
    }
    const int64_t area = (int64_t)(roof.x[1] - roof.x[0]) * (roof.z[2] - roof.z[0]) -
                         (int64_t)(roof.x[2] - roof.x[0]) * (roof.z[1] - roof.z[0]);
    roof.area2 = area < 0 ? -area : area;
}

}  // namespace

TEST(CarRoofs, TheHighestRoofWinsAndNamesItsCar) {
    ArenaOpponents = 3;
    TrackVariant = 0;
    cocheX[0] = cocheZ[0] = 10000.0f;
    for (int car = 1; car <= 3; car++) {
        cocheX[car] = cocheZ[car] = 10000.0f;
        CarRoofTriangleCount[car] = 0;
    }
    RoofOf(1, {{9000, 400, 9000}, {11000, 400, 9000}, {9000, 400, 11000}});
    RoofOf(2, {{9000, 600, 9000}, {11000, 600, 9000}, {9000, 600, 11000}});
    RoofOf(3, {{9000, 900, 9000}, {11000, 900, 9000}, {11000, 900, 9000}});   // flat: no plane
    int car = -1;
    EXPECT_EQ(HeightOnCars(9500.0f, 9500.0f, &car, 0, 0), 600.0f);
    EXPECT_EQ(car, 2);
    car = -1;
    EXPECT_EQ(HeightOnCars(10000.0f, 10000.0f, &car, 0, 0), 600.0f) << "on the edge counts as inside";
    EXPECT_EQ(car, 2);
    // On the line of car 3's flat roof: that roof has no plane and is passed over.
    car = -1;
    EXPECT_EQ(HeightOnCars(10000.0f, 9000.0f, &car, 0, 0), 600.0f);
    EXPECT_EQ(car, 2);
    EXPECT_EQ(HeightOnCars(10600.0f, 10600.0f, &car, 0, 0), -1.0f);
    EXPECT_EQ(HeightOnCars(9500.0f, 9500.0f, &car, 0, 1), -1.0f);
    TrackVariant = 7;
    EXPECT_EQ(HeightOnCars(9500.0f, 9500.0f, &car, 0, 0), -1.0f);
    TrackVariant = 0;
    // An opponent out of reach of car 0 is not a roof.
    cocheX[2] = 12000.0f;
    car = -1;
    EXPECT_EQ(HeightOnCars(9500.0f, 9500.0f, &car, 0, 0), 400.0f);
    EXPECT_EQ(car, 1);
}

TEST(CarRoofs, BuildTurnsTheMeshWithTheCar) {
    BeginObjectLoad(1);
    AddObject("COLI03", {{{100, 50, 0}, {0, 50, 200}, {-100, 50, 0}}});
    ArenaOpponents = 1;
    CarModel[1] = 3;
    cocheX[0] = 20000.0f, cocheZ[0] = 20000.0f;
    // Half units keep the truncated corners clear of the rounding of sin/cos.
    cocheX[1] = 20500.5f, cocheY[1] = 300.5f, cocheZ[1] = 20000.5f;
    CarHeading[1] = (float)(std::numbers::pi / 2);
    AnguloDeCaida[1] = AnguloDeBalanza[1] = 0.0f;
    WheelsOnCars = 3;
    CurrentCar = 5;
    BuildCarRoofTriangles();
    EXPECT_EQ(WheelsOnCars, 0);
    EXPECT_EQ(CurrentCar, 5);
    ASSERT_EQ(CarRoofTriangleCount[1], 1);
    // A quarter turn: the mesh's forward (0, 0, 200) points along +x.
    const RoofTriangle& roof = CarRoofTriangles[1][0];
    EXPECT_EQ(roof.x[0], 20500);
    EXPECT_EQ(roof.z[0], 20000 - 100);
    EXPECT_EQ(roof.y[0], 350);
    EXPECT_EQ(roof.x[1], 20700);
    EXPECT_EQ(roof.z[1], 20000);
    EXPECT_EQ(roof.area2, 200 * 200);
    int car = -1;
    EXPECT_EQ(HeightOnCars(20550.0f, 20000.0f, &car, 0, 0), 350.0f);
    EXPECT_EQ(car, 1);
}

TEST(RampHeight, TheRampStandsAtItsPlace) {
    BeginObjectLoad(1);
    // A ramp rising 500 over 1000 along z, placed at (24049, 0, 82136).
    AddObject("RAMPACOL", {{{0, 0, 0}, {1000, 0, 0}, {1000, 500, 1000}}, {{0, 0, 0}, {1000, 500, 1000}, {0, 500, 1000}}});
    int found = 0;
    EXPECT_EQ(RampHeight(24049.0f + 400.0f, 82136.0f + 800.0f, &found, 0, 0), 400.0f);
    EXPECT_EQ(found, 1);
    found = 0;
    EXPECT_EQ(RampHeight(24049.0f + 400.0f, 82136.0f + 1800.0f, &found, 0, 0), -1.0f);
    EXPECT_EQ(RampHeight(24049.0f + 400.0f, 82136.0f + 800.0f, &found, 0, 2), -1.0f);
    EXPECT_EQ(found, 0);
}
