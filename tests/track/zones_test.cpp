// Zones: the crossing rule, the mask of the zone types and the per-car
// zone queries.

#include <gtest/gtest.h>

#include <cmath>

#include "race/race_state.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"
#include "track_test_util.h"

namespace {

void PlaceCar(float x, float z) {
    CurrentCar = 0;
    cocheX[0] = x;
    cocheZ[0] = z;
}

}  // namespace

// Two zones side by side and two stacked: a point on the shared edge, or on
// a shared corner, belongs to exactly one of them in every form of the test.
TEST(CrossingRule, SharedEdgeGoesToOneZoneOnly) {
    SetZone(0, 4, Box(800, 800, 8000, 8000));
    SetZone(1, 6, Box(8000, 800, 16000, 8000));
    SetZone(2, 9, Box(800, 8000, 8000, 16000));
    ListEverywhere(ZoneGrid, {0, 1, 2});
    // Each point with the zones holding it (none above and right of the
    // shared corner) and the mask the grid query gives.
    const struct {
        int x, z, holders, mask;
    } points[] = {{8000, 4000, 1, 0x20}, {4000, 8000, 1, 0x100}, {8000, 8000, 0, 1}, {8000, 800, 1, 0x20}};
    for (const auto& p : points) {
        int holders = 0, exact = 0;
        for (int zone = 0; zone < 3; zone++) {
            holders += PointInZone(ZoneTable.records[zone], p.x, p.z);
            exact += PointInZoneExact(ZoneTable.records[zone], p.x, p.z);
        }
        EXPECT_EQ(holders, p.holders) << p.x << "," << p.z;
        EXPECT_EQ(exact, p.holders) << "the double rule agrees at " << p.x << "," << p.z;
        // Multiples of 8: the grid query's 1/8 scale loses nothing.
        EXPECT_EQ(ZoneMaskAt((float)p.x, (float)p.z), p.mask) << p.x << "," << p.z;
    }
    // The vertical edge x = 8000 goes to the zone on its right.
    PlaceCar(8000, 4000);
    EXPECT_EQ(ZoneTypeAtCar(0, 2), 6);
    EXPECT_EQ(CarInZone(0), -1);
    EXPECT_EQ(CarInZone(1), 1);
    // The horizontal edge z = 8000 goes to the zone above it.
    PlaceCar(4000, 8000);
    EXPECT_EQ(ZoneTypeAtCar(0, 2), 9);
    EXPECT_EQ(ZoneMaskAt(4000, 8000), 0x100);
}

TEST(CrossingRule, WideZonesDoNotOverflow) {
    // Far-apart vertices make (xj - xi)(pz - zi) exceed 32 bits.
    const int xs[4] = {-1000000000, 1000000000, 1000000000, -1000000000};
    const int zs[4] = {-1000000000, -1000000000, 1000000000, 1000000000};
    EXPECT_EQ(PointInPolygon(4, xs, zs, 0, 0), 1);
    EXPECT_EQ(PointInPolygon(4, xs, zs, 999999999, -999999999), 1);
    EXPECT_EQ(PointInPolygon(4, xs, zs, 1000000001, 5), 0);
    // A slanted edge: the crossing x comes from the wide product.
    const int tx[3] = {0, 2000000000, 0};
    const int tz[3] = {0, 2000000000, 2000000000};
    EXPECT_EQ(PointInPolygon(3, tx, tz, 1000, 1500000000), 1);
    EXPECT_EQ(PointInPolygon(3, tx, tz, 1500000001, 1500000000), 0);
}

TEST(ZoneMask, OverlappingZonesCombineAndTypesMapToBits) {
    SetZone(0, 4, Box(1000, 1000, 9000, 9000));     // CAJA_HIERBA 0x8
    SetZone(1, 6, Box(5000, 5000, 13000, 13000));   // CAJA_AGUA 0x20
    SetZone(2, 0, Box(20000, 1000, 24000, 5000));   // "nada" shares bit 0
    SetZone(3, 22, Box(30000, 1000, 34000, 5000));  // CAJA_FAROS
    SetZone(4, 32, Box(40000, 1000, 44000, 5000));  // the last bit a type can carry
    SetZone(5, 40, Box(50000, 1000, 54000, 5000));  // beyond 32: no bit
    ListEverywhere(ZoneGrid, {0, 1, 2, 3, 4, 5});
    CurrentCar = 0;
    EXPECT_EQ(ZoneMaskAt(3000, 3000), 0x8);
    EXPECT_EQ(ZoneMaskAt(7000, 7000), 0x28);
    EXPECT_EQ(ZoneMaskAt(11000, 11000), 0x20);
    EXPECT_EQ(ZoneMaskAt(15000, 15000), 1) << "no zone reads as asphalt";
    EXPECT_EQ(ZoneMaskAt(22000, 3000), 1);
    EXPECT_EQ(ZoneMaskAt(32000, 3000), ZONE_BIT_LIGHTS);
    EXPECT_EQ((unsigned)ZoneMaskAt(42000, 3000), 0x80000000u);
    EXPECT_EQ(ZoneMaskAt(52000, 3000), 1);
}

TEST(ZoneMask, AirborneCarsSeeNoSurfaceButJumpsStillCount) {
    SetZone(0, 4, Box(1000, 1000, 9000, 9000));
    SetZone(1, 20, Box(1000, 1000, 9000, 9000));   // CAJA_SALTO
    ListEverywhere(ZoneGrid, {0, 1});
    CurrentCar = 3;
    TrackGroup = 4;
    WheelsInAir[3] = 4;
    EXPECT_EQ(ZoneMaskAt(5000, 5000), 1);
    EXPECT_EQ(InJumpZone.load(), 1);
    WheelsInAir[3] = 3;
    EXPECT_EQ(ZoneMaskAt(5000, 5000), 0x8 | ZONE_BIT_JUMP);
    EXPECT_EQ(ZoneMaskAt(15000, 15000), 1);
    EXPECT_EQ(InJumpZone.load(), 0) << "cleared by every query";
    TrackGroup = 1;
    EXPECT_EQ(ZoneMaskAt(5000, 5000), 0x8 | ZONE_BIT_JUMP);
    EXPECT_EQ(InJumpZone.load(), 0) << "jump measuring is group 4's only";
}

TEST(ZoneMask, OutOfRangeAndOffGridPoints) {
    SetZone(0, 4, Box(0, 0, 200000, 250000));
    ListEverywhere(ZoneGrid, {0});
    InJumpZone = 1;
    EXPECT_EQ(ZoneMaskAt(0.0f, 500.0f), -1);
    EXPECT_EQ(ZoneMaskAt(0.4f, 500.0f), -1) << "0.4 rounds to 0";
    EXPECT_EQ(ZoneMaskAt(500.0f, 1000001.0f), -1);
    EXPECT_EQ(ZoneMaskAt(NAN, 500.0f), -1);
    EXPECT_EQ(InJumpZone.load(), 1) << "a refused point clears nothing";
    EXPECT_EQ(ZoneMaskAt(1000000.0f, 500.0f), 1) << "beyond the grid's columns: in no zone";
    EXPECT_EQ(ZoneMaskAt(500.0f, 245000.0f), 1) << "beyond its rows";
    EXPECT_EQ(ZoneMaskAt(159999.0f, 239999.0f), 0x8);

    PlaceCar(0.0f, 500.0f);
    EXPECT_EQ(ZoneTypeAtCar(0, 0), -1);
    EXPECT_EQ(CarInZone(0), -1);
    PlaceCar(1000001.0f, 500.0f);
    EXPECT_EQ(ZoneTypeAtCar(0, 0), -1);
    EXPECT_EQ(CarInZone(300), -1);
    EXPECT_EQ(CarInZone(-1), -1);
}

TEST(ZoneQueries, TypeAtCarTakesTheFirstZoneOfTheRange) {
    SetZone(140, 0, Box(1000, 1000, 5000, 5000));
    SetZone(141, 1, Box(1000, 1000, 9000, 9000));
    SetZone(142, 2, {{1000, 1000}, {9000, 1000}});   // two vertices: never a polygon
    PlaceCar(3000, 3000);
    EXPECT_EQ(ZoneTypeAtCar(140, 142), 0);
    EXPECT_EQ(ZoneTypeAtCar(141, 142), 1);
    PlaceCar(7000, 1500);
    EXPECT_EQ(ZoneTypeAtCar(140, 142), 1);
    EXPECT_EQ(CarInZone(142), -1);
    PlaceCar(20000, 20000);
    EXPECT_EQ(ZoneTypeAtCar(140, 142), -1);
    EXPECT_EQ(ZoneTypeAtCar(142, 140), -1);
}

TEST(ZoneQueries, FindZoneContainingKeepsTheLastZone) {
    SetZone(96, 0, Box(1000, 1000, 5000, 5000));
    ZoneTable.records[96].visibility[0] = 96;
    SetZone(97, 0, Box(1000, 1000, 9000, 9000));   // no visibility list: never chosen
    SetZone(98, 0, Box(5000, 1000, 9000, 9000));
    ZoneTable.records[98].visibility[0] = 98;
    CurrentViewZone = 0;
    cocheX[2] = 3000.5f;
    cocheZ[2] = 3000.5f;
    EXPECT_EQ(FindZoneContaining(96, 147, 2), 96);
    cocheX[2] = 7000.0f;
    EXPECT_EQ(FindZoneContaining(96, 147, 2), 98);
    EXPECT_EQ(FindZoneContaining(96, 98, 2), 98) << "98 lies past the range's end: the last zone stays";
    cocheX[2] = 0.0f;
    EXPECT_EQ(FindZoneContaining(96, 147, 2), 98);
    cocheX[2] = 20000.0f;
    EXPECT_EQ(FindZoneContaining(96, 147, 2), 98);
    cocheX[2] = 3000.0f;
    EXPECT_EQ(FindZoneContaining(-50, 1000, 2), 96) << "a range beyond the table is cut to it";
}

TEST(ZoneQueries, PointInCarFootprint) {
    CurrentCar = 1;
    cocheX[1] = 10000.0f;
    cocheZ[1] = 10000.0f;
    // A footprint turned 45 degrees about the car.
    const float corners[10] = {10000, 9300, 10700, 10000, 10000, 10700, 9300, 10000, 10000, 9300};
    for (int k = 0; k < 10; k++)
        CarFootprints[1][k] = corners[k];
    EXPECT_EQ(PointInCarFootprint(10000.0f, 10000.0f), 1);
    EXPECT_EQ(PointInCarFootprint(10300.0f, 10300.0f), 1);
    EXPECT_EQ(PointInCarFootprint(10500.0f, 10500.0f), 0) << "inside the box, outside the turned footprint";
    EXPECT_EQ(PointInCarFootprint(11300.0f, 10000.0f), 0);
    // Far points are refused before any test, whatever the corners say.
    CarFootprints[1][2] = 50000.0f;
    EXPECT_EQ(PointInCarFootprint(12000.0f, 10000.0f), 0);
}

TEST(ZoneTypes, LoadZonesMasksOnlySurfaceZones) {
    for (ZoneRecord& zone : ZoneTable.records)
        zone.type = -1;
    ZoneTable.records[0].type = 0;
    ZoneTable.records[7].type = 4;
    ZoneTable.records[50].type = 31;
    ZoneTable.records[60].type = 32;     // out of range: not counted
    ZoneTable.records[120].type = 6;     // a visibility zone: not counted
    ScanZoneTypes();
    EXPECT_EQ(LastTypedZone, 50);
    EXPECT_EQ((unsigned)ZoneTypeMask, 0x1u | 0x8u | 0x40000000u);
}
