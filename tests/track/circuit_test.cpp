// The sample circuits and the track validator.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "mkdata_objects.h"
#include "mkdata_track.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"
#include "track/zones.h"
#include "track_checks.h"

namespace {

void LoadSampleTrack10() {
    MakeTestGameFolder("game");
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    FrontEndActive = 0;
    SetTrackFolder();
    LoadZones();
    LoadTrackData();
    LoadTrackLighting();
}

std::string Failures(const TrackCheckReport& report) {
    std::string text;
    for (const std::string& line : report.failures)
        text += line + "\n";
    return text;
}

}  // namespace

TEST(SampleCircuit, PassesTheTrackCheck) {
    const std::string dir = MakeTestGameFolder("game");
    TrackCheckReport report;
    EXPECT_EQ(RunTrackCheck(dir.c_str(), 10, report), 0) << Failures(report);
    EXPECT_EQ(RunBuiltProgram("quorvix-trackcheck", {dir, "10"}, dir), 0);
    EXPECT_EQ(RunBuiltProgram("quorvix-trackcheck", {dir, "99"}, dir), 2);
}

TEST(SampleCircuit, AReversedWallFailsTheCheck) {
    MkCircuitParams params = MkCircuitForGroup(1);
    params.reverseWall = 7;
    const std::string dir = MakeTestFolder("reversed");
    ASSERT_TRUE(MkMakeCircuitFolder(dir, params));
    TrackCheckReport report;
    EXPECT_EQ(RunTrackCheck(dir.c_str(), 10, report), 1) << Failures(report);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].find("wall 7 "), std::string::npos) << report.failures[0];
    EXPECT_NE(report.failures[0].find("normal points away from the road"), std::string::npos);
    EXPECT_EQ(RunBuiltProgram("quorvix-trackcheck", {dir, "10"}, dir), 1);
}

TEST(SampleCircuit, OtherGroupsCircuitsPassTheCheck) {
    // Group 2's collision grid is 200 columns wide; code 62 is a cross track
    // whose laps run through six checkpoint zones.
    for (int code : {20, 62}) {
        MkCircuitParams params = MkCircuitForGroup(code / 10);
        params.variant = code % 10;
        if (code == 62) {
            // Track 62 has a starting grid of its own: the circuit runs
            // between its two columns.
            params.gridX = 40944.0f;
            params.gridZ = 62000.0f;
            params.groundY = 75.0f;
        }
        const std::string dir = MakeTestFolder("circuit" + std::to_string(code));
        ASSERT_TRUE(MkMakeCircuitFolder(dir, params)) << code;
        TrackCheckReport report;
        EXPECT_EQ(RunTrackCheck(dir.c_str(), code, report), 0) << code << "\n" << Failures(report);
    }
    for (int group = 1; group <= 7; group++) {
        MkObject world;
        EXPECT_TRUE(MkBuildCircuit(MkCircuitForGroup(group), world)) << "group " << group;
    }
}

TEST(SampleCircuit, TheStartingGridStandsOnTheRoad) {
    LoadSampleTrack10();
    // Group 1's grid: two columns from these points, rows 3,415 apart
    // toward -z, all cars facing +z; and the start pose of the race.
    std::vector<std::array<float, 3>> places;
    for (int row = 0; row < 4; row++) {
        places.push_back({59971.0f, 1548.0f, 63465.0f - 3415.0f * row});
        places.push_back({58653.0f, 1549.0f, 61484.0f - 3415.0f * row});
    }
    places.push_back({58920.0f, 1547.0f, 58610.0f});
    CurrentCar = 0;
    WheelsInAir[0] = 0;
    for (const auto& p : places) {
        ASSERT_GE(GroundTriangleAt(p[0], p[2]), 0) << p[0] << "," << p[2];
        const float ground = GroundHeight(p[0], p[2], -1, 0);
        EXPECT_LE(ground, p[1]);
        EXPECT_GT(ground, p[1] - 20.0f);
        EXPECT_EQ(ZoneMaskAt(p[0], p[2]), 1) << "on asphalt";
        cocheX[0] = p[0];
        cocheZ[0] = p[2];
        EXPECT_EQ(ZoneTypeAtCar(ZONE_FIRST_CHECKPOINT, ZONE_FIRST_CHECKPOINT + 2), -1) << "behind the line";
        EXPECT_GE(FindZoneContaining(96, 147, 0), 96);
    }
    // Every place lies along the guide line's first stretch, which runs
    // along +z through the grid: the cars start at point 0 and drive at
    // point 1, ahead of them all.
    const CpuLinePoint& first = CpuLineTable[CPU_LINE_GUIDE][0];
    EXPECT_GT(first.dirZ, 0.999f);
    for (const auto& p : places) {
        const float along = (p[0] - first.x) * first.dirX + (p[2] - first.z) * first.dirZ;
        const float across = (p[0] - first.x) * first.dirZ - (p[2] - first.z) * first.dirX;
        EXPECT_GT(along, 0.0f) << p[0] << "," << p[2];
        EXPECT_LT(along, first.length) << p[0] << "," << p[2];
        EXPECT_LT(std::fabs(across), 2000.0f) << p[0] << "," << p[2];
    }
}

TEST(SampleCircuit, SurfacesAndWorldSections) {
    LoadSampleTrack10();
    EXPECT_EQ(ZoneTypeMask, 0x8) << "grass on the verges; the road is in no zone";
    CurrentCar = 0;
    WheelsInAir[0] = 0;
    EXPECT_EQ(ZoneMaskAt(59312.0f + 4500.0f, 58610.0f), 0x8) << "the right verge";
    EXPECT_EQ(ZoneMaskAt(59312.0f - 4500.0f, 58610.0f), 0x8) << "the left verge";
    EXPECT_EQ(ZoneMaskAt(59312.0f + 7000.0f, 58610.0f), 1) << "past the wall";

    // Every world triangle is drawn from some zone a car can be in.
    std::set<std::array<int, 3>> drawn;
    for (int zone = ZONE_FIRST_VISIBILITY; zone < 147; zone++) {
        const ZoneRecord& record = ZoneTable.records[zone];
        for (int k = 0; k < ZONE_VISIBILITY_IDS && record.visibility[k] >= ZONE_FIRST_VISIBILITY; k++) {
            const int pair = 2 * (record.visibility[k] - ZONE_FIRST_VISIBILITY);
            const int first = (WorldSectionTable.header[pair] - WORLD_SECTION_HEADER_INTS) / WORLD_SECTION_ENTRY_INTS;
            for (int n = first; n < first + WorldSectionTable.header[pair + 1]; n++) {
                const WorldSection& entry = WorldSectionTable.entries[n];
                drawn.insert({entry.vertex[0] / 5, entry.vertex[1] / 5, entry.vertex[2] / 5});
            }
        }
    }
    // The world object comes first in the pools; the scenery follows it.
    const int worldTriangles = ObjectEntries[FindObject("MUNDO01")].triangleCount;
    int missing = 0;
    for (int t = 0; t < worldTriangles; t++) {
        const ObjectTriangle& triangle = TrianglePool[t];
        missing += !drawn.count({(int)(triangle.corner[0] & 0xFFFF), (int)(triangle.corner[1] & 0xFFFF),
                                 (int)(triangle.corner[2] & 0xFFFF)});
    }
    EXPECT_GT(TriangleTotal, 500);
    EXPECT_EQ(missing, 0);
}

TEST(SampleCircuit, GroundTrianglesAreSmallEnoughForTheHeightGrid) {
    LoadSampleTrack10();
    // Every listed triangle has an edge within 1,000 of its cell's centre:
    // the grid would be the same without listing large triangles that
    // merely cover a centre.
    int listed = 0, far = 0;
    for (int row = 0; row < HEIGHT_GRID_ROWS; row++) {
        for (int column = 0; column < HEIGHT_GRID_COLUMNS; column++) {
            const float cx = 500.0f + 1000.0f * column, cz = 500.0f + 1000.0f * row;
            for (const int* e = CellListAt(HeightGrid, (int)cx, (int)cz); *e != -1; e++) {
                const ObjectTriangle& triangle = TrianglePool[*e >> 2];
                float xs[3], zs[3];
                for (int k = 0; k < 3; k++) {
                    xs[k] = VertexPool[triangle.corner[k] & 0xFFFF].x;
                    zs[k] = VertexPool[triangle.corner[k] & 0xFFFF].z;
                }
                listed++;
                far += PolygonPointDistance(xs, zs, cx, cz, 3) > 1000.0f;
            }
        }
    }
    EXPECT_GT(listed, 1000);
    EXPECT_EQ(far, 0);
}

TEST(SampleCircuit, AQuickRaceLoadsIt) {
    MakeTestGameFolder("game");
    ASSERT_EQ(RunHeadlessGame(60, 1), 0);
    EXPECT_EQ(TrackGroup, 1);
    EXPECT_GT(CollisionLineCount(), 100);
    EXPECT_GT(WorldSectionTable.header[WORLD_SECTION_TOTAL_INT], 500);
    EXPECT_GT(CpuLinePointCounts[CPU_LINE_GUIDE], 50);
    EXPECT_EQ(HeightGrid.rejectedCells, 0);
}

namespace {

TEST(SampleCircuit, TheCheckFindsAGridOffTheRoad) {
    // The circuit moved 4,000 to the side: the right-hand column of the grid
    // stands on the verge, 841 from the left-hand wall.
    MkCircuitParams params = MkCircuitForGroup(1);
    params.gridX += 4000.0f;
    const std::string dir = MakeTestFolder("grid-off-road");
    ASSERT_TRUE(MkMakeCircuitFolder(dir, params));
    TrackCheckReport report;
    EXPECT_EQ(RunTrackCheck(dir.c_str(), 10, report), 9) << Failures(report);
    std::string all = Failures(report);
    EXPECT_NE(all.find("grid place 1 at (58653, 61484): not on the road"), std::string::npos) << all;
    EXPECT_NE(all.find("from wall"), std::string::npos) << all;
    EXPECT_NE(all.find("start pose"), std::string::npos) << all;
}

}  // namespace
