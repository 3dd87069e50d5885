// The builders: grids and shading from known geometry, and the world
// sections rebuilt from zones.

#include <gtest/gtest.h>

#include <cmath>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_system.h"
#include "race/race_state.h"
#include "track/asset_paths.h"
#include "track/builders.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"
#include "track_test_util.h"

namespace {

const uint32_t Ground = 0x2000;

// A fresh folder as the current folder, with the track folder of group 1.
void TrackFolder() {
    const std::string dir = MakeTestFolder("track");
    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    TrackGroup = 1;
    TrackVariant = 0;
    SetTrackFolder();
    MakeBinFolder();
}

long BinFileSize(const char* pattern, int number) {
    char path[256];
    TrackFilePath(path, sizeof path, pattern, number);
    return (long)PlatFileSize(path);
}

}  // namespace

TEST(SegmentNearPoint, TestsTheStartAndEveryHundredthStep) {
    // A line shorter than 100 units is tried at its start only.
    EXPECT_EQ(SegmentNearPoint(0, 0, 90, 0, 0, 5, 100), 1);
    EXPECT_EQ(SegmentNearPoint(0, 0, 90, 0, 90, 0, 100), -1);
    // A zero-length line is never near, even at its own point.
    EXPECT_EQ(SegmentNearPoint(50, 50, 50, 50, 50, 50, 100), -1);
    // Points 0, 100, ... 900 of a 1000-unit line: (150, 10) is 2,600 from
    // the nearest squared; the far end is never tried.
    EXPECT_EQ(SegmentNearPoint(0, 0, 1000, 0, 150, 10, 2600), -1) << "the limit is exclusive";
    EXPECT_EQ(SegmentNearPoint(0, 0, 1000, 0, 150, 10, 2601), 1);
    EXPECT_EQ(SegmentNearPoint(0, 0, 1000, 0, 1000, 0, 10000), -1);
    EXPECT_EQ(SegmentNearPoint(0, 0, 1000, 0, 1000, 0, 10001), 1);
    // Either end order walks the same way (with z growing).
    EXPECT_EQ(SegmentNearPoint(1000, 0, 0, 0, 1000, 0, 10000), -1);
    EXPECT_EQ(SegmentNearPoint(1000, 0, 0, 0, 0, 0, 1), 1);
    // Toward smaller x while z grows: x steps down from the start.
    EXPECT_EQ(SegmentNearPoint(1000, 0, 0, 500, 900, 50, 1), 1);
    EXPECT_EQ(SegmentNearPoint(0, 500, 1000, 0, 900, 50, 1), 1);
    // A steep line walks along z.
    EXPECT_EQ(SegmentNearPoint(0, 0, 50, 1000, 5, 100, 1), 1);
}

TEST(BuildCollisionGrid, ListsLinesNearTheCellCentres) {
    TrackFolder();
    // Along the centres of row 0 from cell 0 to cell 2.
    CollisionLineTable[0] = {375, 0, 375, 1875, 0, 375, 0, 0, {}, 0, 0};
    CollisionLineWords = 16;
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    BuildCollisionGrid();
    // The build's one sign of life: a beep after each of its 350 rows.
    EXPECT_EQ(PlatHeadlessBeepCount(), 350);
    PlatShutdown();
    EXPECT_EQ(CollisionGrid.columns, 120);
    for (int column = 0; column < 3; column++)
        EXPECT_EQ(CellEntries(CollisionGrid, column * 750 + 10, 10), std::vector<int>{0}) << column;
    // Cell 3's centre is 850 from the last point tried; row 1's centres lie
    // exactly 750 away, which is not within the limit.
    EXPECT_TRUE(CellEntries(CollisionGrid, 3 * 750 + 10, 10).empty());
    EXPECT_TRUE(CellEntries(CollisionGrid, 10, 760).empty());
    EXPECT_EQ(CollisionGrid.listCount, 3 + 120 * 350);
    EXPECT_EQ(CollisionGrid.offsets[1], 2);
    EXPECT_EQ(CollisionGrid.offsets[3], 6);
    EXPECT_EQ(BinFileSize("%sBIN\\OffCua%02d.col", 1), 120 * 350 * 4);
    EXPECT_EQ(BinFileSize("%sBIN\\TCuadr%02d.col", 1), (3 + 120 * 350) * 4);
    EXPECT_EQ(BinFileSize("%sBIN\\coli%02d.ppp", 1), 64);

    // Groups 2 and 7 have 200 columns, group 3 has 130.
    TrackGroup = 2;
    FillCollisionGrid();
    EXPECT_EQ(CollisionGrid.columns, 200);
    EXPECT_EQ(CollisionGrid.listCount, 3 + 200 * 350);
    TrackGroup = 3;
    FillCollisionGrid();
    EXPECT_EQ(CollisionGrid.columns, 130);
}

TEST(BuildHeightGrid, ListsGroundTrianglesWithinReachOfACentre) {
    TrackFolder();
    BeginObjectLoad(1);
    AddObject("MUNDO01",
              {{{0, 0, 0}, {3000, 0, 0}, {0, 0, 3000}},
               {{20000, 0, 0}, {23000, 0, 0}, {20000, 0, 3000}},            // not ground
               {{0, 0, 100000}, {100000, 0, 100000}, {0, 0, 200000}}},     // very large
              0);
    TrianglePool[0].texture |= 0x20000000u;
    TrianglePool[2].texture |= 0x20000000u;
    BuildHeightGrid();
    const std::vector<int> first = {0};
    EXPECT_EQ(CellEntries(HeightGrid, 100, 100), first) << "covers the centre";
    EXPECT_EQ(CellEntries(HeightGrid, 1100, 1100), first) << "its long edge passes the centre";
    EXPECT_EQ(CellEntries(HeightGrid, 3100, 100), first) << "707 from the corner";
    EXPECT_TRUE(CellEntries(HeightGrid, 4100, 100).empty()) << "1,581 from the corner";
    EXPECT_TRUE(CellEntries(HeightGrid, 3100, 3100).empty());
    EXPECT_TRUE(CellEntries(HeightGrid, 21100, 100).empty()) << "not flagged as ground";
    // Deep inside the large triangle every edge is far from the centre; it
    // is listed all the same, so the ground has no hole there.
    EXPECT_EQ(CellEntries(HeightGrid, 20100, 120100), std::vector<int>{8});
    EXPECT_EQ(BinFileSize("%sBIN\\OffCuadr%02d.Alt", 1), 160 * 208 * 4);
    EXPECT_EQ(BinFileSize("%sBIN\\TCuadran%02d.Alt", 1), HeightGrid.listCount * 4);
}

TEST(BuildZoneGrid, EveryCellListsTheZonesInsideIt) {
    TrackFolder();
    for (ZoneRecord& zone : ZoneTable.records)
        zone = {};
    SetZone(0, 4, Box(8000, 8000, 16000, 16000));
    // A thin zone in the last 240 units of a cell (x 7,800..7,992): the
    // cell's own samples must reach it.
    SetZone(1, 6, Box(7800, 1000, 7992, 3000));
    SetZone(2, 9, Box(40000, 40000, 44000, 44000));
    SetZone(3, 12, Box(100000, 100000, 104000, 104000));   // past LastTypedZone
    LastTypedZone = 2;
    BuildZoneGrid();
    CurrentCar = 0;
    WheelsInAir[0] = 0;
    EXPECT_EQ(ZoneMaskAt(7900, 2000), 0x20);
    EXPECT_EQ(ZoneMaskAt(102000, 102000), 1);
    // Over a sweep of points the grid answers as the zones themselves do.
    int disagreements = 0;
    for (int x = 4; x < 50000; x += 248) {
        for (int z = 4; z < 50000; z += 248) {
            int expected = 0;
            for (int zone = 0; zone <= 2; zone++) {
                const ZoneRecord& record = ZoneTable.records[zone];
                int xs[4], zs[4];
                for (int k = 0; k < 4; k++) {
                    xs[k] = record.vertices[k].x >> 3;
                    zs[k] = record.vertices[k].z >> 3;
                }
                if (PointInPolygon(4, xs, zs, TrackRound(x * 0.125), TrackRound(z * 0.125)))
                    expected |= ZoneTypeBit(record.type);
            }
            disagreements += ZoneMaskAt((float)x, (float)z) != (expected ? expected : 1);
        }
    }
    EXPECT_EQ(disagreements, 0);
    // Far cells list nothing.
    EXPECT_TRUE(CellEntries(ZoneGrid, 30000, 2000).empty());
    EXPECT_EQ(BinFileSize("%sBIN\\OffCuadr%02d.Caj", 1), 40 * 60 * 4);
    EXPECT_EQ(BinFileSize("%sBIN\\TCuadran%02d.Caj", 1), ZoneGrid.listCount * 4);
}

TEST(BuildShading, WorldShadeFromTheNearestLight) {
    TrackFolder();
    BeginObjectLoad(1);
    AddObject("MUNDO01", {{{0, 0, 0}, {3000, 0, 0}, {0, 0, 4000}}});
    // 40 entries, all of the one triangle.
    WorldSectionTable.header[WORLD_SECTION_TOTAL_INT] = 40;
    for (int n = 0; n < 40; n++)
        WorldSectionTable.entries[n] = {{0, 5, 10}, 70, {0, 5, 10}, 0, 0, 1, 0, 0};
    LightTable[0] = {0, 1000, 0, 0.01f};          // 1,000 above corner 0
    LightTable[1] = {3000, 0, 0, 0.2f};           // at corner 1, but strong
    LightTable[2] = {-1.0f, 0, 0, 0.1f};
    LightCount = 2;
    BuildWorldShadeFile();
    EXPECT_EQ(BinFileSize("%sBIN\\GouMun%02d.dat", 1), 880);
    const uint8_t* shade = &WorldShadeTable[400 + 12 * 39];
    EXPECT_EQ(shade[0], 10) << "0.01 x 1000";
    EXPECT_EQ(shade[4], 0) << "the light sits on corner 1";
    EXPECT_EQ(shade[8], 41) << "min(0.01 x 4123, 0.2 x 5000)";
    EXPECT_EQ(shade[9], 0);

    // Group 2 scales the ranges by 0.889.
    TrackGroup = 2;
    FillWorldShadeTable();
    EXPECT_EQ(WorldShadeTable[400], 8);
    // A negative AlcanceRGB lights the colour bytes.
    TrackGroup = 1;
    LightColourTable[0].alcanceRGB = -0.1f;
    FillWorldShadeTable();
    EXPECT_EQ(WorldShadeTable[401], 50) << "0.5 x 0.1 x 1000";
    EXPECT_EQ(WorldShadeTable[402], 50);
}

TEST(BuildShading, CarShadeWithNoLightsUsesTheFirstRecord) {
    TrackFolder();
    BeginObjectLoad(1);
    AddObject("MUNDO01", {{{0, 0, 0}, {2000, 0, 0}, {0, 0, 6000}}});
    LightTable[0] = {0, 0, 0, 0.05f};
    LightCount = 0;
    // A stale record past the loaded triangles names a vertex beyond the pool.
    TrianglePool[1] = {{MakeCorner(40000, 0), 0, 0}, 0};
    BuildCarShadeFile();
    EXPECT_EQ(BinFileSize("%sBIN\\GouCoh%02d.dat", 1), 4 * 17000 - 1);
    EXPECT_EQ(CarShadeTable[0], 0);
    EXPECT_EQ(CarShadeTable[1], 100);
    EXPECT_EQ(CarShadeTable[2], 255) << "clamped";
    EXPECT_EQ(CarShadeTable[4], 255) << "no such vertex: unlit";
    uint8_t shades[3];
    ShadeProbe(0, shades);
    EXPECT_EQ(shades[1], 100);
}

TEST(BuildDrawTrace, SectionsFollowTheVisibilityZones) {
    BeginObjectLoad(1);
    TrackGroup = 1;
    TrackVariant = 0;
    // Four flat triangles: centroids at x 1000, 5000, 9000 and on the shared
    // edge x = 8000 of zones 98 and 99.
    AddObject("MUNDO01",
              {{{0, 0, 0}, {1500, 0, 0}, {1500, 0, 1500}},
               {{4500, 0, 0}, {6000, 0, 0}, {4500, 0, 1500}},
               {{8500, 0, 0}, {10000, 0, 0}, {8500, 0, 1500}},
               {{7000, 0, 0}, {9000, 0, 0}, {8000, 0, 1500}}},
              0, 21);
    TrianglePool[1].texture = MakeTextureWord(70, 0x1000);   // always drawn
    for (ZoneRecord& zone : ZoneTable.records)
        zone = {};
    SetZone(96, 0, Box(0, -100, 4000, 2000));
    SetZone(97, 0, {{0, 0}, {9000, 0}});                 // too few vertices
    SetZone(98, 0, Box(4000, -100, 8000, 2000));
    SetZone(99, 0, Box(8000, -100, 12000, 2000));
    SetZone(100, 0, Box(0, -100, 12000, 2000));          // overlaps them all
    BuildDrawTrace();

    const int32_t* header = WorldSectionTable.header;
    EXPECT_EQ(header[0], 400);
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[3], 0);
    EXPECT_EQ(header[2], header[4]) << "an empty zone starts where the next one does";
    EXPECT_EQ(header[5], 1);
    EXPECT_EQ(header[7], 2) << "the edge triangle goes to zone 99 only";
    EXPECT_EQ(header[9], 4) << "a triangle in two zones is stored for each";
    EXPECT_EQ(header[11], 0);
    EXPECT_EQ(header[2 * 53 + 1], 0);
    EXPECT_EQ(header[WORLD_SECTION_TOTAL_INT], 8);

    const WorldSection& second = WorldSectionTable.entries[1];
    EXPECT_EQ(second.vertex[0], 3 * 5);
    EXPECT_EQ(second.uvVertex[2], 5 * 5);
    EXPECT_EQ(second.texture, 70);
    EXPECT_EQ(second.alwaysDraw, 0x10000000);
    // Flat triangles: a unit normal straight up or down, distance 0.
    EXPECT_FLOAT_EQ(fabsf(second.ny), 1.0f);
    EXPECT_FLOAT_EQ(second.distance, 0.0f);

    // Texture 21 is a special polygon of group 1 (kind 1), none on group 5.
    EXPECT_EQ(SpecialPolygonCount, 6);
    EXPECT_EQ(SpecialPolygonTable[0].entryIndex, 400 + 3);
    EXPECT_EQ(SpecialPolygonTable[0].kind, 1);
    ObjectNameTable[0][6] = '5';   // "MUNDO05"
    TrackGroup = 5;
    BuildDrawTrace();
    EXPECT_EQ(SpecialPolygonCount, 0);
}
